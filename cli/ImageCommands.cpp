// image2profile and profile2image: the data spine on the command line.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "profile/CDataAdaptor.h"
#include "profile/CRadioDataModel.h"
#include "profile/ProfileChecks.h"

#include <cstdio>

namespace tavo::cli {

namespace {

int RunImage2Profile(CliContext &ctx)
{
    VirtualCP cp;
    QString error;
    if (!ReadImageFile(ctx.args.at(0), cp, error))
        return Fail(error);
    QString xml;
    if (!CDataAdaptor::VirtualCP2XML(cp, xml))
        return ExitFailed;
    WriteOutputFile(QString::fromLatin1(kStandardStream), xml.toUtf8(), error);
    return ExitOk;
}

int RunProfile2Image(CliContext &ctx)
{
    QString xml;
    QString error;
    if (!ReadProfileInputText(ctx.args.at(0), xml, error))
        return Fail(error);
    // Only a profile that loads (schema and all) and holds no value a radio
    // cannot take becomes an image; a load failure raises with its reason.
    {
        // Loaded from the file itself where there is one, so that a loading
        // error names it rather than quoting the whole text.
        CRadioDataModel model;
        const QString source = ctx.args.at(0);
        if (!(source == QLatin1String(kStandardStream) ? model.LoadProfile(xml, 0) : model.LoadProfile(source, 1)))
            return ExitFailed;
        const QString problem = ProfileValueProblem(model.m_rootItem);
        if (!problem.isEmpty())
            return Fail(problem);
    }
    VirtualCP cp;
    CDataAdaptor::XML2VirtualCP(xml, cp);
    if (!WriteImageFile(ctx.args.at(1), cp, error))
        return Fail(error);
    return ExitOk;
}

const CliCommandRegistrar kImage2Profile({"image2profile", "IMAGE|-", "", 1, 1, &RunImage2Profile});
const CliCommandRegistrar kProfile2Image({"profile2image", "PROFILE|- IMAGE|-", "", 2, 2, &RunProfile2Image});

} // namespace
} // namespace tavo::cli
