// decode and encode: the stored form of profile files on the command line.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "base/TemplateFile.h"

#include <cstdio>

namespace tavo::cli {

namespace {

// Prints the text stored in a profile file (any stored form) as UTF-8; a
// text that is not an XML document is refused with the load error.
int RunDecode(CliContext &ctx)
{
    ProfileFile file;
    QString error;
    if (!ReadProfileInput(ctx.args.at(0), file, error) || !CheckXmlDocument(file, error))
        return Fail(error);
    WriteOutputFile(QString::fromLatin1(kStandardStream), file.text.toUtf8(), error);
    return ExitOk;
}

// Stores the text of XML (UTF-8, or any stored form) as a profile file:
// BOM, UTF-16 little-endian, scrambled. Only an XML document is stored.
int RunEncode(CliContext &ctx)
{
    ProfileFile file;
    QString error;
    if (!ReadProfileInput(ctx.args.at(0), file, error) || !CheckXmlDocument(file, error))
        return Fail(error);
    if (!WriteOutputFile(ctx.args.at(1), EncodeScrambledUtf16(file.text), error))
        return Fail(error);
    return ExitOk;
}

const CliCommandRegistrar kDecode({"decode", "FILE|-", "", 1, 1, &RunDecode});
const CliCommandRegistrar kEncode({"encode", "XML|- FILE|-", "", 2, 2, &RunEncode});

} // namespace

} // namespace tavo::cli
