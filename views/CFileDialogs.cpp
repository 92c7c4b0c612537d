#include "views/CFileDialogs.h"

#include "resources/MessageIds.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"

#include <QFileDialog>
#include <QFileInfo>
#include <functional>
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

// The save dialog: `suffix` is added to a name typed without extension
// (the suffix of the chosen filter when `suffixOfFilter` names one).
QString SaveName(QWidget *parent, int captionId, const QString &proposed, const QString &filter,
                 const QString &suffix, const std::function<QString(const QString &)> &suffixOfFilter = {})
{
    QString path;
    QString chosenFilter;
    if (!TakeNextAnswer(path)) {
        QFileDialog dialog(parent, LoadString(captionId), proposed, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(suffix);
        dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        path = dialog.selectedFiles().first();
        chosenFilter = dialog.selectedNameFilter();
    }
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        const QString byFilter = suffixOfFilter ? suffixOfFilter(chosenFilter) : QString();
        path += QLatin1Char('.') + (byFilter.isEmpty() ? suffix : byFilter);
    }
    return path;
}

} // namespace

QString ProfileFilter()
{
    return QStringLiteral("%1 %2 (*.kp2);;%3 (*.*)")
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
    return SaveName(parent, 383, proposed, ProfileFilter(), QStringLiteral("kp2"));
}

QString CsvFilter()
{
    return QStringLiteral("%1 (*.csv);;%2 (*)").arg(LoadString(msg::CsvFiles), LoadString(337));
}

QString GetOpenCsvName(QWidget *parent)
{
    QString path;
    if (TakeNextAnswer(path))
        return path;
    return QFileDialog::getOpenFileName(parent, LoadString(msg::CsvImportCaption), QString(), CsvFilter(), nullptr,
                                        QFileDialog::ReadOnly);
}

QString GetSaveCsvName(QWidget *parent, const QString &proposed)
{
    return SaveName(parent, msg::CsvExportCaption, proposed, CsvFilter(), QStringLiteral("csv"));
}

QString GetSaveReportName(QWidget *parent, const QString &suggested)
{
    const QString html = LoadString(msg::ReportHtmlFiles), pdf = LoadString(msg::ReportPdfFiles);
    const QString filter = QStringLiteral("%1 (*.htm *.html);;%2 (*.pdf)").arg(html, pdf);
    return SaveName(parent, msg::ReportSaveAs, suggested, filter, QStringLiteral("htm"), [pdf](const QString &chosen) {
        return chosen.startsWith(pdf) ? QStringLiteral("pdf") : QString();
    });
}

void SetNextAnswer(const QString &path) { NextAnswer().Set(path); }
bool HasNextAnswer() { return NextAnswer().Get().has_value(); }

} // namespace tavo::CFileDialogs
