// decode and encode: the stored form of profile files on the command line.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "base/TemplateFile.h"

#include <cstdio>

namespace tavo::cli {

namespace {

// Prints the text stored in a profile file (any stored form) as UTF-8.
int RunDecode(CliContext &ctx)
{
    QString text;
    QString error;
    if (!ReadProfileText(ctx.args.at(0), text, error))
        return Fail(error);
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stdout);
    return ExitOk;
}

// Stores the text of XML (UTF-8, or any stored form) as a profile file:
// BOM, UTF-16 little-endian, scrambled.
int RunEncode(CliContext &ctx)
{
    QString text;
    QString error;
    if (!ReadProfileText(ctx.args.at(0), text, error))
        return Fail(error);
    if (!WriteFileAtomically(ctx.args.at(1), EncodeScrambledUtf16(text), error))
        return Fail(error);
    return ExitOk;
}

const CliCommandRegistrar kDecode({"decode", "FILE", 1, 1, &RunDecode});
const CliCommandRegistrar kEncode({"encode", "XML FILE", 2, 2, &RunEncode});

} // namespace

} // namespace tavo::cli
