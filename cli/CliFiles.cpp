#include "cli/CliFiles.h"
#include "base/CodePage.h"
#include "base/XmlDom.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavo::cli {

namespace {

QString SystemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool WriteAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

// A device or FIFO: written as it is, never replaced. A FIFO without a
// reader is refused rather than waited for.
bool WriteDirectly(const QByteArray &path, const QByteArray &bytes, bool fifo, QString &error)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC | (fifo ? O_NONBLOCK : 0));
    if (fd < 0) {
        error = SystemError(errno == ENXIO ? EPIPE : errno);
        return false;
    }
    if (fifo)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool ok = WriteAll(fd, bytes);
    const int writeErrno = errno;
    if (::close(fd) != 0 || !ok) {
        error = SystemError(ok ? errno : writeErrno);
        return false;
    }
    return true;
}

// A file with more than one hard link: rewritten in place, so every name
// keeps seeing it. The new content is checked to fit before the old one is
// cut.
bool RewriteInPlace(const QByteArray &path, const QByteArray &bytes, QString &error)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        error = SystemError(errno);
        return false;
    }
    bool ok = WriteAll(fd, bytes) && ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0;
    const int err = errno;
    ok = ::close(fd) == 0 && ok;
    if (!ok)
        error = SystemError(err);
    return ok;
}

// A new file beside `path`, filled, synced, given `mode` (and the owner
// when known), then renamed over `path`.
bool ReplaceByRename(const QByteArray &path, const QByteArray &bytes, mode_t mode, const struct stat *owner, QString &error)
{
    const QFileInfo info(QFile::decodeName(path));
    QByteArray temp = QFile::encodeName(info.absolutePath()) + "/." + QFile::encodeName(info.fileName()) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = SystemError(errno);
        return false;
    }
    bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int err = errno;
    if (ok && owner && (owner->st_uid != ::geteuid() || owner->st_gid != ::getegid()))
        (void)!::fchown(fd, owner->st_uid, owner->st_gid); // kept when allowed
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temp.constData(), path.constData()) != 0) {
        err = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.constData());
        error = SystemError(err);
    }
    return ok;
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

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

bool ReadImageFile(const QString &path, VirtualCP &cp, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
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

bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString &error)
{
    QString why;
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    bool ok = false;
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) {
            ok = WriteDirectly(name, bytes, S_ISFIFO(st.st_mode), why);
        } else if (!S_ISREG(st.st_mode)) {
            why = S_ISDIR(st.st_mode) ? QStringLiteral("it is a folder") : QStringLiteral("it is not a regular file");
        } else if (::access(name.constData(), W_OK) != 0) {
            why = SystemError(errno);
        } else {
            // A symbolic link stays: its target is what gets rewritten.
            const QByteArray target = QFile::encodeName(QFileInfo(path).canonicalFilePath());
            ok = st.st_nlink > 1 ? RewriteInPlace(target, bytes, why)
                                 : ReplaceByRename(target, bytes, st.st_mode & 07777, &st, why);
        }
    } else if (errno == ENOENT) {
        ok = ReplaceByRename(name, bytes, NewFileMode(), nullptr, why);
    } else {
        why = SystemError(errno);
    }
    if (!ok)
        error = QStringLiteral("Cannot write %1: %2").arg(path, why);
    return ok;
}

bool WriteImageFile(const QString &path, const VirtualCP &cp, QString &error)
{
    return WriteFileAtomically(path, QByteArray(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize), error);
}

bool ReadProfileFile(const QString &path, ProfileFile &file, QString &error)
{
    file = ProfileFile();
    file.path = path;
    QByteArray bytes;
    QString reason;
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
