// diff A B: two profiles or codeplug images, in any mix and any stored
// form, compared in the profile's terms; either may be "-", the standard
// input. Exit 0 when equal, 1 when they
// differ, as diff does; 2 for a usage error.

#include "cli/ChangeList.h"
#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "workflow/CodeplugComparison.h"

#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace tavo::cli {

namespace {

void PrintLines(const QStringList &lines)
{
    for (const QString &line : lines)
        PrintOutputLine(line);
    FlushStandardOutput();
}

// A profile file when it holds a profile text, else a raw image. The
// standard input ("-") is read once and taken either way.
bool ReadComparable(const QString &path, VirtualCP &image, QString &error)
{
    ProfileFile file;
    QString profileError;
    QByteArray input;
    bool read = false;
    if (IsStream(path)) {
        read = ReadInputFile(path, input, profileError);
        if (!read) {
            error = profileError;
            return false;
        }
        file.path = path;
        file.text = DecodeProfileBytes(input, &file.form);
    } else {
        read = ReadProfileInput(path, file, profileError);
    }
    if (read && CheckXmlDocument(file, profileError))
        return ProfileTextToImage(file.text, image, error);
    if (IsStream(path) && input.size() == static_cast<int>(VirtualCP::kSize)) {
        std::memcpy(image.bytes.data(), input.constData(), VirtualCP::kSize);
        return true;
    }
    if (!IsStream(path) && QFileInfo(path).size() == static_cast<qint64>(VirtualCP::kSize))
        return ReadImageFile(path, image, error);
    error = profileError;
    return false;
}

int RunDiff(CliContext &ctx)
{
    if (IsStandardStream(ctx.args.at(0)) && IsStandardStream(ctx.args.at(1)))
        return UsageError(ctx.command, LoadString(msg::CliOneStandardInput));
    VirtualCP a, b;
    QString error;
    if (!ReadComparable(ctx.args.at(0), a, error) || !ReadComparable(ctx.args.at(1), b, error))
        return Fail(error);
    const QStringList lines = CodeplugChangeLines(a, b);
    PrintLines(lines);
    return lines.isEmpty() ? ExitOk : ExitFailed;
}

const CliCommandRegistrar kDiff({"diff", "A B", "", 2, 2, &RunDiff});

} // namespace

bool PrintChangesInsteadOfWriting(const VirtualCP &radio, const VirtualCP &toWrite, const QStringList &notes)
{
    // What the radio cannot hold as the profile has it comes first.
    const QStringList lines = CodeplugChangeLines(radio, toWrite);
    PrintLines(notes + (lines.isEmpty() ? QStringList{LoadString(msg::NoChangesToWrite)} : lines));
    return false;
}

} // namespace tavo::cli
