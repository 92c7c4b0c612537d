// report handout|detailed PROFILE OUT: the report the report window shows,
// written as OUT.htm (the report file: UTF-16 with its terminating zero,
// the handout's images copied beside it unless files of those names are
// there already) or as OUT.pdf (laid out and printed with the report's
// page margins).

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
#include <cstring>

namespace tavo::cli {

namespace {

bool IsPdf(const QString &path)
{
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

// The handout's images beside a report written somewhere else; files
// already there are left alone.
void CopyHandoutImages(const QString &targetFolder, bool displayModel)
{
    const QDir source(InstallReportFolder());
    for (const QString &name : HandoutImageNames(displayModel)) {
        const QString target = QDir(targetFolder).filePath(name);
        if (!QFile::exists(target))
            QFile::copy(source.filePath(name), target);
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

    if (IsPdf(out)) {
        // The pictures come from the installation's report folder, never
        // from the working directory; one that cannot be loaded fails.
        QString error;
        if (!WriteReportPdf(html, InstallReportFolder(), out, &error))
            return Fail(error.isEmpty() ? LoadString(msg::ReportSaveFailed).arg(out) : error);
        return ExitOk;
    }
    QString error;
    if (!WriteFileAtomically(out, EncodeReportFile(html), error))
        return Fail(error);
    if (kind == ReportKind::Handout)
        CopyHandoutImages(QFileInfo(out).absolutePath(), displayModel);
    return ExitOk;
}

const CliCommandRegistrar kReport({"report", "handout|detailed PROFILE OUT.htm|OUT.pdf", 3, 3, &RunReport});

} // namespace

bool NeedsGuiApplication(int argc, char **argv)
{
    bool report = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "report") == 0)
            report = true;
        else if (report && IsPdf(QString::fromLocal8Bit(argv[i])))
            return true;
    }
    return false;
}

} // namespace tavo::cli
