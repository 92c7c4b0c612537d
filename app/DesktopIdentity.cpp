#include "app/DesktopIdentity.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace tavo {

namespace {

// The bitmap sizes the installation ships (packaging/icons).
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace

QIcon ApplicationIcon()
{
    QIcon icon;
    const QDir hicolor(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/icons/hicolor"));
    for (int size : kIconSizes) {
        const QString file = hicolor.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(QLatin1String(kIconName)));
        if (QFileInfo(file).isFile())
            icon.addFile(file, QSize(size, size));
    }
    if (icon.isNull())
        icon = QIcon::fromTheme(QLatin1String(kIconName));
    return icon;
}

void SetUpDesktopIdentity()
{
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopFileName));
    const QIcon icon = ApplicationIcon();
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);
}

} // namespace tavo
