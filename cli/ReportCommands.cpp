// report handout|detailed PROFILE OUT: the report the report window shows,
// written as OUT.htm (the report file: UTF-16 with its terminating zero,
// the handout's images copied beside it unless files of those names are
// there already) or as OUT.pdf (laid out and printed with the report's
// page margins on the locale's paper, or the one --paper a4|letter names).

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "config/InterfaceLanguage.h"
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
        return UsageError(ctx.command, QStringLiteral("the report is handout or detailed, not %1").arg(which));
    const QString profilePath = ctx.args.at(1);
    const QString out = ctx.args.at(2);
    const ReportForm form = FormOf(ctx.Option("--format"), out);
    if (form == ReportForm::Unknown)
        return UsageError(ctx.command, QStringLiteral("name the report's form with --format htm or --format pdf"));
    ReportPaper paper = DefaultReportPaper();
    if (ctx.Has("--paper") && !ParseReportPaper(ctx.Option("--paper"), paper))
        return UsageError(ctx.command, QStringLiteral("the paper is a4 or letter, not %1").arg(ctx.Option("--paper")));

    // The user's language (its texts and decimal separator) and dealer
    // texts, as the program's start sets them.
    if (!InitRegistry())
        return ExitFailed;
    LoadInterfaceLanguage();
    if (!QFile::exists(profilePath))
        return Fail(QStringLiteral("Cannot open the profile %1").arg(profilePath));
    CRadioDataModel model;
    if (!model.LoadProfile(profilePath, 1))
        return Fail(QStringLiteral("The profile %1 was not loaded.").arg(profilePath));

    QString html;
    bool displayModel = false;
    if (!BuildReportHtml(kind, model.GetXmlText(), html, &displayModel))
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

const CliCommandRegistrar kReport({"report", "handout|detailed PROFILE OUT.htm|OUT.pdf|- [--format htm|pdf] [--paper a4|letter]", 3, 3, &RunReport});

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
