#include "views/CFileDialogs.h"

#include "resources/StringTable.h"

#include <QFileDialog>
#include <QFileInfo>
#include <optional>

namespace tavo::CFileDialogs {

namespace {

std::optional<QString> g_nextAnswer;

bool TakeNextAnswer(QString &path)
{
    if (!g_nextAnswer)
        return false;
    path = *g_nextAnswer;
    g_nextAnswer.reset();
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

void SetNextAnswer(const QString &path) { g_nextAnswer = path; }
bool HasNextAnswer() { return g_nextAnswer.has_value(); }

} // namespace tavo::CFileDialogs
