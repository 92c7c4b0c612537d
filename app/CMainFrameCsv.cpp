// File > Import CHIRP CSV and Export CHIRP CSV: channel plans exchanged
// with other programming tools. Both act on the active profile after its
// pending edits are committed; an import changes the profile only through
// the document (row by row under the rules) and ends with one message that
// names every row left out or changed.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "views/CFileDialogs.h"
#include "workflow/CTavoCPSDoc.h"
#include "base/AtomicFile.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"
#include "workflow/ChirpCsv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace tavo {

namespace {

// More lines than this would make a message taller than the screen.
constexpr int kMaxReportLines = 20;

// The file name the export proposes: the profile's, with ".csv".
QString ProposedCsvName(const CTavoCPSDoc &doc)
{
    const QString path = doc.GetPathName();
    if (!path.isEmpty()) {
        const QFileInfo info(path);
        return info.dir().filePath(info.completeBaseName() + QStringLiteral(".csv"));
    }
    QString title = doc.GetTitle();
    const int cut = title.indexOf(QRegularExpression(QStringLiteral("[:/\\\\*]")));
    if (cut >= 0)
        title.truncate(cut);
    return title.trimmed() + QStringLiteral(".csv");
}

// "N of M rows imported.", what applied to many rows, and the rows left
// out or changed, in file order.
QString ImportSummary(const ChirpImportReport &report)
{
    QStringList lines = ChirpImportSummary(report);
    QList<ChirpCsvLine> rows = report.refused + report.notes;
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ChirpCsvLine &a, const ChirpCsvLine &b) { return a.line < b.line; });
    for (int i = 0; i < rows.size() && i < kMaxReportLines; ++i)
        lines << FormatChirpCsvLine(rows.at(i));
    if (rows.size() > kMaxReportLines)
        lines << LoadString(msg::CsvMoreLines).arg(rows.size() - kMaxReportLines);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void CMainFrame::OnExportCsv()
{
    CChildFrame *child = ActiveChild();
    if (!child || !child->CommitChanges())
        return;
    CTavoCPSDoc *doc = child->Document();
    const QString path = CFileDialogs::GetSaveCsvName(this, ProposedCsvName(*doc));
    if (path.isEmpty())
        return;
    QByteArray csv;
    try {
        // The plan of the profile's output step, as a save would store it.
        QString invalid;
        if (!doc->ExportChirpCsv(csv, invalid)) {
            ShowMessageText(invalid, MB_OK | MB_ICONERROR);
            return;
        }
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e, msg::UnknownError);
        return;
    }
    // The old file is replaced only once the whole plan is written.
    QString error, cause;
    if (!WriteFileAtomically(path, csv, error, &cause))
        ShowMessageText(LoadString(msg::CsvWriteFailed).arg(QDir::toNativeSeparators(path), cause), MB_OK | MB_ICONERROR);
}

void CMainFrame::OnImportCsv()
{
    CChildFrame *child = ActiveChild();
    if (!child || !child->CommitChanges())
        return;
    bool inFileOrder = false;
    const QString path = CFileDialogs::GetOpenCsvName(this, &inFileOrder);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessageText(LoadString(msg::CannotOpenFile).arg(QDir::toNativeSeparators(path)) + QLatin1Char('\n') +
                            file.errorString(),
                        MB_OK | MB_ICONERROR);
        return;
    }
    const QByteArray csv = file.readAll();
    CTavoCPSDoc *doc = child->Document();
    ChirpPlacement placement = inFileOrder ? ChirpPlacement::InFileOrder : ChirpPlacement::ByLocation;
    for (;;) {
        ChirpImportReport report;
        try {
            report = doc->ImportChirpCsv(csv, placement);
        } catch (const CTavoCPSException &e) {
            CTavoCPSDoc::ShowFailure(e, msg::UnknownError);
            return;
        }
        if (!report.isChirpFile) {
            ShowMessageText(ChirpNotChirpText(report), MB_OK | MB_ICONERROR);
            return;
        }
        // The document has had the tree and the page rebuilt once.
        UpdateCommandUI();
        const bool warn = !report.refused.isEmpty() || report.beyondChannels > 0;
        const unsigned icon = warn ? MB_ICONWARNING : MB_ICONINFORMATION;
        // Rows left out for their locations alone: the summary offers the
        // file order, which takes back this import and runs it again.
        if (placement != ChirpPlacement::ByLocation || report.beyondChannels == 0) {
            ShowMessageText(ImportSummary(report), MB_OK | icon);
            return;
        }
        const QString question = ImportSummary(report) + QStringLiteral("\n\n") + LoadString(msg::CsvAskFileOrder);
        if (ShowMessageText(question, MB_YESNO | icon) != IDYES)
            return;
        if (report.imported > 0 && !doc->Undo())
            return;
        placement = ChirpPlacement::InFileOrder;
    }
}

} // namespace tavo
