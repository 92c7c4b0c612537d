#include "cli/CliFiles.h"
#include "base/CodePage.h"
#include "base/XmlDom.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavo::cli {

namespace {

// The XML declaration at the start of a text ("<?xml" and a blank, up to
// "?>"), or empty. A processing instruction whose target merely starts with
// "xml" ("<?xmll ...?>") is not one: it is a node of the document.
QString DeclarationOf(const QString &text)
{
    if (!text.startsWith(QLatin1String("<?xml")) || text.size() < 6 || !text.at(5).isSpace())
        return QString();
    const int end = text.indexOf(QLatin1String("?>"));
    return end > 0 ? text.left(end + 2) : QString();
}

// `xml` laid out as `original` was: its declaration, its line break (none,
// LF or CR LF) and its indentation.
bool LayOutLike(const QString &xml, const QString &original, QString &out, QString &error)
{
    XmlParseError parseError;
    XmlDocPtr doc = ParseSettingText(xml, &parseError);
    if (!doc) {
        error = parseError.reason;
        return false;
    }
    const int nl = original.indexOf(QLatin1Char('\n'));
    QByteArray bytes;
    if (nl < 0) {
        bytes = SerializeXml(doc.get());
        bytes.replace("\n", "");
    } else {
        const QByteArray lineBreak = nl > 0 && original.at(nl - 1) == QLatin1Char('\r') ? "\r\n" : "\n";
        const bool tabs = !original.contains(QLatin1String("\n ")) || original.contains(QLatin1String("\n\t"));
        bytes = SerializeXmlIndented(doc.get(), tabs ? "\t" : "  ", lineBreak);
    }
    out = QString::fromUtf8(bytes);
    // The file keeps its own declaration, or none: the serializer's names
    // UTF-8 whatever character set the file is stored in.
    const QString declaration = DeclarationOf(original);
    const QString written = DeclarationOf(out);
    if (!written.isEmpty()) {
        int length = written.size();
        if (declaration.isEmpty())
            while (length < out.size() && (out.at(length) == QLatin1Char('\r') || out.at(length) == QLatin1Char('\n')))
                ++length;
        out.replace(0, length, declaration);
    }
    return true;
}

} // namespace

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

bool ReadProfileFile(const QString &path, ProfileFile &file, QString &error)
{
    file = ProfileFile();
    file.path = path;
    QByteArray bytes;
    QString reason;
    if (IsStandardStream(path)) {
        if (!ReadInputFile(path, bytes, error))
            return false;
        file.text = DecodeProfileBytes(bytes, &file.form);
        return true;
    }
    switch (ReadSmallFile(path, bytes, &reason)) {
    case FileReadFailure::None:
        break;
    case FileReadFailure::CannotOpen:
        error = QStringLiteral("Cannot open the profile %1: %2").arg(path, reason);
        return false;
    case FileReadFailure::TooLarge:
        error = QStringLiteral("%1 is not a profile: %2 (a profile is a few kilobytes).").arg(path, reason);
        return false;
    case FileReadFailure::ReadError:
        error = QStringLiteral("Cannot read the profile %1: %2").arg(path, reason);
        return false;
    }
    file.text = DecodeProfileBytes(bytes, &file.form);
    return true;
}

bool ReadProfileText(const QString &path, QString &xml, QString &error)
{
    ProfileFile file;
    if (!ReadProfileFile(path, file, error))
        return false;
    xml = file.text;
    return true;
}

bool CheckXmlDocument(const ProfileFile &file, QString &error)
{
    XmlParseError parseError;
    if (ParseSettingText(file.text, &parseError))
        return true;
    const QString loading = QString::asprintf(LoadString(msg::ProfileLoadingError).toUtf8().constData(),
                                              file.path.toUtf8().constData(), parseError.reason.toUtf8().constData(),
                                              parseError.line, parseError.column, parseError.sourceLine.toUtf8().constData());
    error = LoadString(msg::InvalidProfile) + QLatin1Char('\n') + loading;
    return false;
}

bool SaveProfileFile(const ProfileFile &file, const QString &xml, QString &error)
{
    QString text;
    QString why;
    if (!LayOutLike(xml, file.text, text, why)) {
        error = QStringLiteral("Cannot write %1: %2").arg(file.path, why);
        return false;
    }
    QByteArray bytes;
    if (!EncodeProfileText(text, file.form, bytes)) {
        error = QStringLiteral("Cannot write %1: the profile holds characters that its character set (%2) cannot store.")
                    .arg(file.path, file.form.charset.isEmpty() ? QString::fromLatin1(AnsiCodePage()) : QString::fromLatin1(file.form.charset));
        return false;
    }
    return WriteFileAtomically(file.path, bytes, error);
}

} // namespace tavo::cli
