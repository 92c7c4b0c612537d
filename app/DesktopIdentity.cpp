#include "app/DesktopIdentity.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <iterator>
#include <map>

namespace tavo {

namespace {

// The bitmap sizes the installation ships (packaging/icons).
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The icon's bitmaps by size, each read when a size is first asked for
// (the library's own file icon reads every file as it is added, which
// was a tenth of the start-up).
class SizedFilesIconEngine : public QIconEngine {
public:
    explicit SizedFilesIconEngine(std::map<int, QString> files) : m_files(std::move(files)) {}

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        // The smallest bitmap at least as large, else the largest.
        const int wanted = std::max(size.width(), size.height());
        auto file = m_files.lower_bound(wanted);
        if (file == m_files.end())
            file = std::prev(file);
        QPixmap &read = m_read[file->first];
        if (read.isNull())
            read = QPixmap(file->second);
        // Scaled down to fit, never up (as the library's own icons do).
        if (read.isNull() || (read.width() <= size.width() && read.height() <= size.height()))
            return read;
        return read.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        auto file = m_files.lower_bound(side);
        const int actual = file == m_files.end() ? m_files.rbegin()->first : side;
        return QSize(actual, actual);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const auto &file : m_files)
            sizes.append(QSize(file.first, file.first));
        return sizes;
    }
    QIconEngine *clone() const override { return new SizedFilesIconEngine(m_files); }
    QString key() const override { return QStringLiteral("SizedFilesIconEngine"); }

private:
    std::map<int, QString> m_files;
    std::map<int, QPixmap> m_read;
};

} // namespace

QIcon ApplicationIcon()
{
    std::map<int, QString> files;
    const QDir hicolor(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/icons/hicolor"));
    for (int size : kIconSizes) {
        const QString file = hicolor.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(QLatin1String(kIconName)));
        if (QFileInfo(file).isFile())
            files.emplace(size, file);
    }
    if (files.empty())
        return QIcon::fromTheme(QLatin1String(kIconName));
    return QIcon(new SizedFilesIconEngine(std::move(files)));
}

void SetUpDesktopIdentity()
{
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopFileName));
    const QIcon icon = ApplicationIcon();
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);
}

} // namespace tavo
