#include "views/CFileDialogs.h"

#include "config/Registry.h"
#include "resources/MessageIds.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QFileInfo>
#include <QSettings>
#include <functional>
#include <optional>

namespace tavo::CFileDialogs {

namespace {

// The user setting that keeps the folder of the last profile opened.
constexpr const char *kLastOpenFolderKey = "Files/LastOpenFolder";

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
                 const QString &suffix, const std::function<QString(const QString &)> &suffixOfFilter = {}, bool appends = false)
{
    QString path;
    QString chosenFilter;
    if (!TakeNextAnswer(path)) {
        QFileDialog dialog(parent, LoadString(captionId), proposed, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // A file that is appended to may be one that exists under the very
        // name typed (a log without extension, a device): the suffix is
        // added below, only to a name that is not there yet.
        if (!appends)
            dialog.setDefaultSuffix(suffix);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, appends);
        dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        path = dialog.selectedFiles().first();
        chosenFilter = dialog.selectedNameFilter();
    }
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty() && !(appends && QFileInfo::exists(path))) {
        const QString byFilter = suffixOfFilter ? suffixOfFilter(chosenFilter) : QString();
        path += QLatin1Char('.') + (byFilter.isEmpty() ? suffix : byFilter);
    }
    return path;
}

} // namespace

QString ProfileFilter()
{
    return QStringLiteral("%1 %2 (*.kp2);;%3 (*.*)")
        .arg(QLatin1String(kProductTitle), LoadString(msg::FilesFilter), LoadString(msg::AllFilesFilter));
}

QString LastOpenFolder()
{
    const QSettings settings(UserSettingsFile(), QSettings::IniFormat);
    const QString folder = settings.value(QLatin1String(kLastOpenFolderKey)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

QString GetOpenProfileName(QWidget *parent)
{
    QString path;
    if (!TakeNextAnswer(path))
        path = QFileDialog::getOpenFileName(parent, LoadString(msg::FileOpenCaption), LastOpenFolder(), ProfileFilter(), nullptr,
                                            QFileDialog::ReadOnly);
    if (!path.isEmpty()) {
        QSettings settings(UserSettingsFile(), QSettings::IniFormat);
        settings.setValue(QLatin1String(kLastOpenFolderKey), QFileInfo(path).absolutePath());
    }
    return path;
}

QString GetSaveProfileName(QWidget *parent, const QString &proposed)
{
    return SaveName(parent, 383, proposed, ProfileFilter(), QStringLiteral("kp2"));
}

QString CsvFilter()
{
    return QStringLiteral("%1 (*.csv);;%2 (*)").arg(LoadString(msg::CsvFiles), LoadString(msg::AllFilesFilter));
}

QString GetOpenCsvName(QWidget *parent, bool *inFileOrder)
{
    QString path;
    if (TakeNextAnswer(path))
        return path;
    QFileDialog dialog(parent, LoadString(msg::CsvImportCaption), QString(), CsvFilter());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly);
    QComboBox *order = nullptr;
    if (inFileOrder) {
        // The choice of where the rows go sits in the dialog's own layout,
        // below the file type.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout())) {
            auto *label = new QLabel(LoadString(msg::CsvPlacementLabel), &dialog);
            order = new QComboBox(&dialog);
            order->addItem(LoadString(msg::CsvByLocation));
            order->addItem(LoadString(msg::CsvInFileOrder));
            order->setCurrentIndex(*inFileOrder ? 1 : 0);
            label->setBuddy(order);
            const int row = grid->rowCount();
            grid->addWidget(label, row, 0);
            grid->addWidget(order, row, 1);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    if (order)
        *inFileOrder = order->currentIndex() == 1;
    return dialog.selectedFiles().first();
}

QString GetSaveCsvName(QWidget *parent, const QString &proposed)
{
    return SaveName(parent, msg::CsvExportCaption, proposed, CsvFilter(), QStringLiteral("csv"));
}

QString GetFleetLogName(QWidget *parent, const QString &proposed)
{
    const QString filter = QStringLiteral("%1 (*.csv);;%2 (*)").arg(LoadString(msg::FleetLogFiles), LoadString(msg::AllFilesFilter));
    return SaveName(parent, msg::FleetLogCaption, proposed, filter, QStringLiteral("csv"), {}, true);
}

QString GetSaveReportName(QWidget *parent, const QString &suggested)
{
    const QString html = LoadString(msg::ReportHtmlFiles), pdf = LoadString(msg::ReportPdfFiles);
    const QString filter = QStringLiteral("%1 (*.htm *.html);;%2 (*.pdf)").arg(html, pdf);
    return SaveName(parent, msg::ReportSaveAs, suggested, filter, QStringLiteral("htm"), [pdf](const QString &chosen) {
        return chosen.startsWith(pdf) ? QStringLiteral("pdf") : QString();
    });
}

QString GetTraceFileName(QWidget *parent, const QString &current)
{
    const QString filter = QStringLiteral("%1 (*.txt *.log);;%2 (*)").arg(LoadString(msg::TraceFiles), LoadString(msg::AllFilesFilter));
    return SaveName(parent, msg::TraceFileCaption, current, filter, QStringLiteral("txt"));
}

void SetNextAnswer(const QString &path) { NextAnswer().Set(path); }
bool HasNextAnswer() { return NextAnswer().Get().has_value(); }

} // namespace tavo::CFileDialogs
