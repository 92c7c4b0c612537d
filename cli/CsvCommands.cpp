// export-csv, import-csv: a profile's channels to and from a CHIRP CSV
// file. An import goes through the rules row by row; the profile is saved
// when at least one row was taken, and every refused row is printed with
// its line number.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "base/TemplateFile.h"
#include "config/InterfaceLanguage.h"
#include "config/Registry.h"
#include "profile/CRadioDataModel.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "workflow/ChirpCsv.h"

#include <QFile>
#include <algorithm>
#include <cstdio>

namespace tavo::cli {

namespace {

bool LoadProfileModel(const QString &path, CRadioDataModel &model)
{
    if (!QFile::exists(path)) {
        Fail(QStringLiteral("Cannot open the profile %1").arg(path));
        return false;
    }
    if (!model.LoadProfile(path, 1)) {
        Fail(QStringLiteral("The profile %1 was not loaded.").arg(path));
        return false;
    }
    return true;
}

// Saves in the form the file had: plain text stays plain XML, anything
// else is written as a scrambled profile file.
int SaveProfileModel(const QString &path, const CRadioDataModel &model)
{
    QFile in(path);
    QByteArray head;
    if (in.open(QIODevice::ReadOnly))
        head = in.read(5);
    const QString xml = model.GetXmlText();
    const QByteArray bytes = head.startsWith("<?xml") ? xml.toUtf8() : EncodeScrambledUtf16(xml);
    QString error;
    if (!WriteFileAtomically(path, bytes, error))
        return Fail(error);
    return ExitOk;
}

void PrintLine(const QString &text)
{
    std::printf("%s\n", text.toUtf8().constData());
}

int RunExportCsv(CliContext &ctx)
{
    CRadioDataModel model;
    if (!LoadProfileModel(ctx.args.at(0), model))
        return ExitFailed;
    QString error;
    if (!WriteOutputFile(ctx.args.at(1), ExportChirpCsv(model), error))
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
    CRadioDataModel model;
    if (!LoadProfileModel(ctx.args.at(0), model))
        return ExitFailed;
    const ChirpPlacement placement = ctx.Has("--in-file-order") ? ChirpPlacement::InFileOrder : ChirpPlacement::ByLocation;
    const ChirpImportReport report = ImportChirpCsv(model, csv, placement);
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
    return SaveProfileModel(ctx.args.at(0), model);
}

const CliCommandRegistrar kExportCsv({"export-csv", "PROFILE OUT.csv|-", 2, 2, &RunExportCsv});
const CliCommandRegistrar kImportCsv({"import-csv", "PROFILE IN.csv|- [--in-file-order]", 2, 2, &RunImportCsv});

} // namespace
} // namespace tavo::cli
