// image2profile and profile2image: the data spine on the command line.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "profile/CDataAdaptor.h"

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
