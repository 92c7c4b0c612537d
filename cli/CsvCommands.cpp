// export-csv, import-csv: a profile's channels to and from a CHIRP CSV
// file, through the profile's document. An import goes through the rules
// row by row; the profile is saved when at least one row was taken, and
// every refused row is printed with its line number.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "config/InterfaceLanguage.h"
#include "config/Registry.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "workflow/ChirpCsv.h"

#include <QFile>
#include <algorithm>
#include <cstdio>

namespace tavo::cli {

namespace {

void PrintLine(const QString &text)
{
    std::printf("%s\n", text.toUtf8().constData());
}

int RunExportCsv(CliContext &ctx)
{
    CTavoCPSDoc doc;
    if (!OpenProfileDocument(ctx.args.at(0), doc))
        return ExitFailed;
    QByteArray csv;
    QString error;
    if (!doc.ExportChirpCsv(csv, error) || !WriteOutputFile(ctx.args.at(1), csv, error))
        return Fail(error);
    return ExitOk;
}

int RunImportCsv(CliContext &ctx)
{
    // The user's language: the messages and the decimal separator.
    if (!InitRegistry())
        return ExitFailed;
    LoadInterfaceLanguage();
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
        return Fail(LoadString(msg::CsvNotChirpFile));
    QList<ChirpCsvLine> lines = report.refused + report.notes;
    std::stable_sort(lines.begin(), lines.end(), [](const ChirpCsvLine &a, const ChirpCsvLine &b) { return a.line < b.line; });
    for (const ChirpCsvLine &line : lines)
        PrintLine(FormatChirpCsvLine(line));
    for (const QString &line : ChirpImportSummary(report))
        PrintLine(line);
    std::fflush(stdout);
    if (report.imported == 0)
        return Fail(LoadString(msg::CsvNothingImported));
    return SaveProfileDocument(doc);
}

const CliCommandRegistrar kExportCsv({"export-csv", "PROFILE OUT.csv|-", 2, 2, &RunExportCsv});
const CliCommandRegistrar kImportCsv({"import-csv", "PROFILE IN.csv|- [--in-file-order]", 2, 2, &RunImportCsv});

} // namespace
} // namespace tavo::cli
