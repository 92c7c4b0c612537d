#include "views/CFileDialogs.h"

#include "resources/ProcessContext.h"
#include "resources/StringTable.h"

#include <QFileDialog>
#include <QFileInfo>
#include <optional>

namespace tavo::CFileDialogs {

namespace {

// The answer a test set for the next dialog.
ContextValue<std::optional<QString>> &NextAnswer()
{
    static ContextValue<std::optional<QString>> value;
    return value;
}

bool TakeNextAnswer(QString &path)
{
    const std::optional<QString> answer = NextAnswer().Set(std::nullopt);
    if (!answer)
        return false;
    path = *answer;
    return true;
}

} // namespace

QString ProfileFilter()
{
    return QStringLiteral("%1 %2 (*.kp2);;%3 (*)")
        .arg(QLatin1String(kProductTitle), LoadString(331), LoadString(337));
}

QString GetOpenProfileName(QWidget *parent)
{
    QString path;
    if (TakeNextAnswer(path))
        return path;
    return QFileDialog::getOpenFileName(parent, LoadString(250), QString(), ProfileFilter(), nullptr,
                                        QFileDialog::ReadOnly);
}

QString GetSaveProfileName(QWidget *parent, const QString &proposed)
{
    QString path;
    if (!TakeNextAnswer(path)) {
        QFileDialog dialog(parent, LoadString(383), proposed, ProfileFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("kp2"));
        dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        path = dialog.selectedFiles().first();
    }
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".kp2");
    return path;
}

void SetNextAnswer(const QString &path) { NextAnswer().Set(path); }
bool HasNextAnswer() { return NextAnswer().Get().has_value(); }

} // namespace tavo::CFileDialogs
