// report handout|detailed PROFILE OUT: the report the report window shows,
// written as OUT.htm (the report file: UTF-16 with its terminating zero,
// the handout's images copied beside it unless files of those names are
// there already) or as OUT.pdf (laid out and printed with the report's
// page margins on the locale's paper, or the one --paper a4|letter names).

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "config/Registry.h"
#include "profile/CRadioDataModel.h"
#include "reports/ReportGenerator.h"
#include "reports/ReportMail.h"
#include "reports/ReportPdf.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>

namespace tavo::cli {

namespace {

bool IsPdf(const QString &path)
{
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

// The report's form: --format htm|pdf, else the name's ending.
enum class ReportForm { Html, Pdf, Unknown };
ReportForm FormOf(const QString &format, const QString &out)
{
    if (format.isEmpty())
        return IsStandardStream(out) ? ReportForm::Unknown : IsPdf(out) ? ReportForm::Pdf : ReportForm::Html;
    if (format == QLatin1String("pdf"))
        return ReportForm::Pdf;
    if (format == QLatin1String("htm") || format == QLatin1String("html"))
        return ReportForm::Html;
    return ReportForm::Unknown;
}

// A PDF laid out into a file of its own, then copied to standard output.
bool WritePdfToStandardOutput(const QString &html, ReportPaper paper, QString &error)
{
    QTemporaryDir dir;
    QFile pdf(dir.filePath(QStringLiteral("report.pdf")));
    if (!dir.isValid() || !WriteReportPdf(html, InstallReportFolder(), pdf.fileName(), nullptr, nullptr, paper)
        || !pdf.open(QIODevice::ReadOnly)) {
        error = LoadString(msg::ReportSaveFailed).arg(QString::fromLatin1(kStandardStream));
        return false;
    }
    return WriteOutputFile(QString::fromLatin1(kStandardStream), pdf.readAll(), error);
}

// The handout's images beside a report written somewhere else; files
// already there are left alone.
void CopyHandoutImages(const QString &targetFolder, bool displayModel)
{
    const QDir source(InstallReportFolder());
    for (const QString &name : HandoutImageNames(displayModel)) {
        const QString target = QDir(targetFolder).filePath(name);
        QString ignored; // a picture left behind leaves the report written
        if (!QFile::exists(target))
            CopyFileAtomically(source.filePath(name), target, ignored);
    }
}

int RunReport(CliContext &ctx)
{
    const QString which = ctx.args.at(0);
    ReportKind kind;
    if (which == QLatin1String("handout"))
        kind = ReportKind::Handout;
    else if (which == QLatin1String("detailed"))
        kind = ReportKind::Detailed;
    else
        return UsageError(ctx.command, LoadString(msg::CliReportKind).arg(which));
    const QString profilePath = ctx.args.at(1);
    const QString out = ctx.args.at(2);
    const ReportForm form = FormOf(ctx.Option("--format"), out);
    if (form == ReportForm::Unknown)
        return UsageError(ctx.command, LoadString(msg::CliReportForm));
    ReportPaper paper = DefaultReportPaper();
    if (ctx.Has("--paper") && !ParseReportPaper(ctx.Option("--paper"), paper))
        return UsageError(ctx.command, QStringLiteral("the paper is a4 or letter, not %1").arg(ctx.Option("--paper")));

    // The run's language (its texts and decimal separator) and the dealer
    // texts of that language, seeded as the program's start seeds them.
    if (!PrepareUserSettingsForRun())
        return Fail(LoadString(msg::RegistryFatal));
    ProfileFile file;
    QString readError;
    if (!ReadProfileInput(profilePath, file, readError))
        return Fail(readError);
    CRadioDataModel model;
    if (!model.LoadProfile(file.stream ? file.text : profilePath, file.stream ? 0 : 1))
        return Fail(LoadString(msg::CliProfileNotLoaded).arg(profilePath));

    QString html;
    bool displayModel = false;
    if (!BuildReportHtml(kind, model.GetEffectiveXmlText(), html, &displayModel))
        return ExitFailed;

    QString error;
    if (form == ReportForm::Pdf && IsStandardStream(out))
        return WritePdfToStandardOutput(html, paper, error) ? ExitOk : Fail(error);
    if (form == ReportForm::Pdf) {
        if (!WriteReportPdf(html, InstallReportFolder(), out, &error, nullptr, paper))
            return Fail(error.isEmpty() ? LoadString(msg::ReportSaveFailed).arg(out) : error);
        return ExitOk;
    }
    if (!WriteOutputFile(out, EncodeReportFile(html), error))
        return Fail(error);
    if (kind == ReportKind::Handout && !IsStandardStream(out))
        CopyHandoutImages(QFileInfo(out).absolutePath(), displayModel);
    return ExitOk;
}

const CliCommandRegistrar kReport({"report", "handout|detailed PROFILE|- OUT.htm|OUT.pdf|- [--format htm|pdf] [--paper a4|letter]", "--format --paper", 3, 3, &RunReport});

} // namespace

bool NeedsGuiApplication(int argc, char **argv)
{
    // Every report draws: the handout its radio picture, a PDF its pages.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "report") == 0)
            return true;
    return false;
}

} // namespace tavo::cli
