#include "cli/CliFiles.h"
#include "cli/CliCommand.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tavo::cli {

bool IsStandardStream(const QString &path)
{
    return path == QLatin1String(kStandardStream);
}

bool ReadInputFile(const QString &path, QByteArray &bytes, QString &error, qint64 limit)
{
    bytes.clear();
    if (!IsStandardStream(path)) {
        QString reason;
        switch (ReadSmallFile(path, bytes, &reason)) {
        case FileReadFailure::None:
            if (bytes.size() <= limit)
                return true;
            reason = QStringLiteral("it is larger than %1 bytes").arg(limit);
            break;
        case FileReadFailure::CannotOpen:
            error = QStringLiteral("Cannot open %1: %2").arg(path, reason);
            return false;
        case FileReadFailure::TooLarge:
        case FileReadFailure::ReadError:
            break;
        }
        error = QStringLiteral("Cannot read %1: %2").arg(path, reason);
        return false;
    }
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot read the standard input: %1").arg(in.errorString());
        return false;
    }
    // Read to the end (a pipe gives its data in pieces), one byte past the limit.
    while (bytes.size() <= limit) {
        const QByteArray piece = in.read(limit + 1 - bytes.size());
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (in.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot read the standard input: %1").arg(in.errorString());
        return false;
    }
    if (bytes.size() > limit) {
        error = QStringLiteral("Cannot read the standard input: it is larger than %1 bytes").arg(limit);
        return false;
    }
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

bool StandardOutputWritten(QString &error)
{
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    if (!flushed && g_standardOutputErrno == 0)
        g_standardOutputErrno = errno != 0 ? errno : EIO;
    if (flushed && !std::ferror(stdout))
        return true;
    const int code = g_standardOutputErrno != 0 ? g_standardOutputErrno : EIO;
    error = QStringLiteral("Cannot write to the standard output: %1").arg(QString::fromLocal8Bit(std::strerror(code)));
    return false;
}

bool ReadImageFile(const QString &path, VirtualCP &cp, QString &error)
{
    QFile file(IsStandardStream(path) ? QString() : path);
    const bool opened = IsStandardStream(path) ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!opened) {
        error = QStringLiteral("Cannot open the codeplug image %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(VirtualCP::kSize + 1);
    if (bytes.size() != static_cast<int>(VirtualCP::kSize)) {
        error = QStringLiteral("%1 is not a codeplug image: it holds %2 bytes, an image holds %3.")
                    .arg(path).arg(bytes.size()).arg(VirtualCP::kSize);
        if (bytes.size() > static_cast<int>(VirtualCP::kSize))
            error = QStringLiteral("%1 is not a codeplug image: it is longer than %2 bytes.").arg(path).arg(VirtualCP::kSize);
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
    if (!IsStandardStream(path))
        return tavo::ReadProfileFile(path, file, error);
    file = ProfileFile();
    file.path = path;
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
        Fail(QStringLiteral("The profile %1 was not loaded.").arg(path));
        return false;
    }
    return true;
}

int SaveProfileDocument(CTavoCPSDoc &doc)
{
    return doc.OnSaveDocument(doc.GetPathName()) ? ExitOk : ExitFailed;
}

} // namespace tavo::cli
