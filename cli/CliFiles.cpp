#include "cli/CliFiles.h"
#include "cli/CliCommand.h"

#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tavo::cli {

bool IsStandardStream(const QString &path)
{
    return path == QLatin1String(kStandardStream);
}

bool IsOpenDescriptor(const QString &path)
{
    return path == QLatin1String("/dev/stdin") || path.startsWith(QLatin1String("/dev/fd/"))
        || path.startsWith(QLatin1String("/proc/self/fd/"));
}

bool IsStream(const QString &path)
{
    return IsStandardStream(path) || IsOpenDescriptor(path);
}

bool ReadInputFile(const QString &path, QByteArray &bytes, QString &error, qint64 limit)
{
    bytes.clear();
    if (!IsStream(path)) {
        QString reason;
        switch (ReadSmallFile(path, bytes, &reason)) {
        case FileReadFailure::None:
            if (bytes.size() <= limit)
                return true;
            reason = LoadString(msg::CliLargerThan).arg(limit);
            break;
        case FileReadFailure::CannotOpen:
            error = LoadString(msg::CliCannotOpen).arg(path, reason);
            return false;
        case FileReadFailure::TooLarge:
        case FileReadFailure::ReadError:
            break;
        }
        error = LoadString(msg::CliCannotRead).arg(path, reason);
        return false;
    }
    // A stream: read to its end, as it comes.
    const bool standardInput = IsStandardStream(path);
    auto failed = [&](const QString &why) {
        error = standardInput ? LoadString(msg::CliCannotReadInput).arg(why) : LoadString(msg::CliCannotRead).arg(path, why);
        return false;
    };
    QFile in(standardInput ? QString() : path);
    if (!(standardInput ? in.open(stdin, QIODevice::ReadOnly) : in.open(QIODevice::ReadOnly)))
        return failed(in.errorString());
    // Read to the end (a pipe gives its data in pieces), one byte past the limit.
    while (bytes.size() <= limit) {
        const QByteArray piece = in.read(limit + 1 - bytes.size());
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (in.error() != QFileDevice::NoError)
        return failed(in.errorString());
    if (bytes.size() > limit)
        return failed(LoadString(msg::CliLargerThan).arg(limit));
    return true;
}

namespace {
// The system's error of the first write to standard output that failed.
int g_standardOutputErrno = 0;
} // namespace

bool WriteOutputFile(const QString &path, const QByteArray &bytes, QString &error)
{
    if (!IsStandardStream(path))
        return WriteFileAtomically(path, bytes, error);
    // A failure is reported when the run ends (StandardOutputWritten).
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout) != static_cast<size_t>(bytes.size())
        && g_standardOutputErrno == 0)
        g_standardOutputErrno = errno != 0 ? errno : EIO;
    return true;
}

void PrintOutputLine(const QString &text)
{
    QString unused; // standard output's failure is kept for the end of the run
    WriteOutputFile(QString::fromLatin1(kStandardStream), text.toUtf8() + '\n', unused);
}

void FlushStandardOutput()
{
    errno = 0;
    if (std::fflush(stdout) != 0 && g_standardOutputErrno == 0)
        g_standardOutputErrno = errno != 0 ? errno : EIO;
}

namespace {
// What the run did before its output failed, said after the failure.
QStringList &DoneTexts()
{
    static QStringList texts;
    return texts;
}
} // namespace

void RecordDone(const QString &text)
{
    DoneTexts().append(text);
}

bool StandardOutputWritten(QString &error)
{
    FlushStandardOutput();
    if (g_standardOutputErrno == 0 && !std::ferror(stdout))
        return true;
    const int code = g_standardOutputErrno != 0 ? g_standardOutputErrno : EIO;
    error = LoadString(msg::CliCannotWriteOutput).arg(QString::fromLocal8Bit(std::strerror(code)));
    for (const QString &done : DoneTexts())
        error += QLatin1Char('\n') + done;
    return false;
}

bool ReadImageFile(const QString &path, VirtualCP &cp, QString &error)
{
    QByteArray bytes;
    if (!ReadInputFile(path, bytes, error))
        return false;
    if (bytes.size() != static_cast<int>(VirtualCP::kSize)) {
        error = bytes.size() > static_cast<int>(VirtualCP::kSize)
                    ? LoadString(msg::CliImageTooLong).arg(path).arg(VirtualCP::kSize)
                    : LoadString(msg::CliNotAnImage).arg(path).arg(bytes.size()).arg(VirtualCP::kSize);
        return false;
    }
    std::memcpy(cp.bytes.data(), bytes.constData(), VirtualCP::kSize);
    return true;
}

bool WriteImageFile(const QString &path, const VirtualCP &cp, QString &error)
{
    return WriteOutputFile(path, QByteArray(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize), error);
}

bool ReadProfileInput(const QString &path, ProfileFile &file, QString &error)
{
    if (!IsStream(path))
        return tavo::ReadProfileFile(path, file, error);
    file = ProfileFile();
    file.path = path;
    file.stream = true;
    QByteArray bytes;
    if (!ReadInputFile(path, bytes, error))
        return false;
    file.text = DecodeProfileBytes(bytes, &file.form);
    return true;
}

bool ReadProfileInputText(const QString &path, QString &xml, QString &error)
{
    ProfileFile file;
    if (!ReadProfileInput(path, file, error))
        return false;
    xml = file.text;
    return true;
}


bool OpenProfileDocument(const QString &path, CTavoCPSDoc &doc)
{
    ProfileFile file;
    QString error;
    if (!ReadProfileInput(path, file, error)) {
        Fail(error);
        return false;
    }
    if (!doc.OpenProfileFile(file)) {
        Fail(LoadString(msg::CliProfileNotLoaded).arg(path));
        return false;
    }
    return true;
}

int SaveProfileDocument(CTavoCPSDoc &doc)
{
    if (!doc.ReadFromStream())
        return doc.OnSaveDocument(doc.GetPathName()) ? ExitOk : ExitFailed;
    // Read from a stream: the changed profile, in the form it came in, on
    // standard output.
    QByteArray bytes;
    QString error;
    if (!doc.SavedBytes(bytes, error))
        return Fail(LoadString(msg::ProfileNotSaved).arg(error));
    WriteOutputFile(QString::fromLatin1(kStandardStream), bytes, error);
    return ExitOk;
}

} // namespace tavo::cli
