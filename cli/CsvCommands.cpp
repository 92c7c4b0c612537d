// export-csv, import-csv: a profile's channels to and from a CHIRP CSV
// file, through the profile's document. An import goes through the rules
// row by row; the profile is saved when at least one row was taken, and
// every refused row is printed with its line number.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "workflow/ChirpCsv.h"

#include <QFile>
#include <algorithm>
#include <cstdio>

namespace tavo::cli {

namespace {

// A warning or a refusal, on standard error.
void PrintNotice(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

int RunExportCsv(CliContext &ctx)
{
    CTavoCPSDoc doc;
    if (!OpenProfileDocument(ctx.args.at(0), doc))
        return ExitFailed;
    QByteArray csv;
    QString error;
    QStringList lost;
    if (!doc.ExportChirpCsv(csv, error, &lost) || !WriteOutputFile(ctx.args.at(1), csv, error))
        return Fail(error);
    for (const QString &line : lost)
        PrintNotice(line);
    return ExitOk;
}

int RunImportCsv(CliContext &ctx)
{
    if (IsStandardStream(ctx.args.at(0)) && IsStandardStream(ctx.args.at(1)))
        return UsageError(ctx.command, LoadString(msg::CliOneStandardInput));
    QByteArray csv;
    QString error;
    if (!ReadInputFile(ctx.args.at(1), csv, error))
        return Fail(error);
    CTavoCPSDoc doc;
    if (!OpenProfileDocument(ctx.args.at(0), doc))
        return ExitFailed;
    const ChirpPlacement placement = ctx.Has("--in-file-order") ? ChirpPlacement::InFileOrder : ChirpPlacement::ByLocation;
    const ChirpImportReport report = doc.ImportChirpCsv(csv, placement);
    if (!report.isChirpFile)
        return Fail(ChirpNotChirpText(report));
    // The refused rows and the notes, in file order, on standard error;
    // the count of rows taken is the result (on standard error too when the
    // profile itself goes to standard output), then what applied to many
    // rows (warnings again).
    QList<ChirpCsvLine> lines = report.refused + report.notes;
    std::stable_sort(lines.begin(), lines.end(), [](const ChirpCsvLine &a, const ChirpCsvLine &b) { return a.line < b.line; });
    for (const ChirpCsvLine &line : lines)
        PrintNotice(FormatChirpCsvLine(line));
    const QStringList summary = ChirpImportSummary(report);
    for (int i = 0; i < summary.size(); ++i)
        i == 0 && !doc.ReadFromStream() ? PrintOutputLine(summary.at(i)) : PrintNotice(summary.at(i));
    if (report.beyondChannels > 0 && placement == ChirpPlacement::ByLocation)
        PrintNotice(LoadString(msg::CsvTryFileOrder));
    FlushStandardOutput();
    if (report.imported == 0)
        return Fail(LoadString(msg::CsvNothingImported));
    const int saved = SaveProfileDocument(doc);
    if (saved == ExitOk && !doc.ReadFromStream())
        RecordDone(LoadString(msg::CliProfileSaved).arg(ctx.args.at(0)));
    return saved;
}

const CliCommandRegistrar kExportCsv({"export-csv", "PROFILE|- OUT.csv|-", "", 2, 2, &RunExportCsv});
const CliCommandRegistrar kImportCsv({"import-csv", "PROFILE|- IN.csv|- [--in-file-order]", "--in-file-order", 2, 2, &RunImportCsv});

} // namespace
} // namespace tavo::cli
