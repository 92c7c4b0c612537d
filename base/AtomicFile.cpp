#include "base/AtomicFile.h"

#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace tavo {

QString SystemErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool WriteAllTo(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC; // a write that takes nothing: the device is full
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

namespace {


// A device or FIFO: written as it is, never replaced. A FIFO without a
// reader is refused rather than waited for.
bool WriteDirectly(const QByteArray &path, const QByteArray &bytes, bool fifo, QString &error)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC | (fifo ? O_NONBLOCK : 0));
    if (fd < 0) {
        error = SystemErrorText(errno == ENXIO ? EPIPE : errno);
        return false;
    }
    if (fifo)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool ok = WriteAllTo(fd, bytes);
    const int writeErrno = errno;
    if (::close(fd) != 0 || !ok) {
        error = SystemErrorText(ok ? errno : writeErrno);
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
        error = SystemErrorText(errno);
        return false;
    }
    // The blocks for the new size are reserved first, so a full disk fails
    // here, before a byte of the old content is overwritten.
    int err = bytes.isEmpty() ? 0 : ::posix_fallocate(fd, 0, bytes.size());
    bool ok = err == 0 || err == EOPNOTSUPP || err == EINVAL;
    if (ok) {
        ok = WriteAllTo(fd, bytes) && ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0;
        err = errno;
    }
    if (::close(fd) != 0 && ok) {
        err = errno;
        ok = false;
    }
    if (!ok)
        error = SystemErrorText(err);
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
        error = SystemErrorText(errno);
        return false;
    }
    bool ok = WriteAllTo(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int err = errno;
    if (ok && owner && (owner->st_uid != ::geteuid() || owner->st_gid != ::getegid()))
        (void)!::fchown(fd, owner->st_uid, owner->st_gid); // kept when allowed
    if (::close(fd) != 0 && ok) {
        err = errno;
        ok = false;
    }
    if (ok && ::rename(temp.constData(), path.constData()) != 0) {
        err = errno;
        ok = false;
    }
    if (ok) {
        // The new name itself reaches the disk with its folder.
        const int dir = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    if (!ok) {
        ::unlink(temp.constData());
        error = SystemErrorText(err);
    }
    return ok;
}

// A symbolic link that another user planted in a shared sticky folder
// (world-writable, sticky bit set): following it would write where that
// user chose. The kernel follows such a link only for its owner or the
// folder's owner; so do we, whatever the system's own setting.
bool IsForeignLinkInSharedFolder(const QByteArray &path)
{
    struct stat link {};
    if (::lstat(path.constData(), &link) != 0 || !S_ISLNK(link.st_mode))
        return false;
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(path)).absolutePath());
    struct stat dir {};
    if (::stat(folder.constData(), &dir) != 0)
        return false;
    const bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
    return shared && link.st_uid != ::geteuid() && link.st_uid != dir.st_uid;
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString &error, QString *cause)
{
    QString why;
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    bool ok = false;
    if (IsForeignLinkInSharedFolder(name)) {
        why = LoadString(msg::ForeignLinkRefused);
    } else if (::stat(name.constData(), &st) == 0) {
        if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) {
            ok = WriteDirectly(name, bytes, S_ISFIFO(st.st_mode), why);
        } else if (!S_ISREG(st.st_mode)) {
            why = LoadString(S_ISDIR(st.st_mode) ? msg::FileIsFolder : msg::FileNotRegular);
        } else if (::access(name.constData(), W_OK) != 0) {
            why = SystemErrorText(errno);
        } else {
            // A symbolic link stays: its target is what gets rewritten.
            const QByteArray target = QFile::encodeName(QFileInfo(path).canonicalFilePath());
            ok = st.st_nlink > 1 ? RewriteInPlace(target, bytes, why)
                                 : ReplaceByRename(target, bytes, st.st_mode & 07777, &st, why);
        }
    } else if (errno == ENOENT) {
        ok = ReplaceByRename(name, bytes, NewFileMode(), nullptr, why);
    } else {
        why = SystemErrorText(errno);
    }
    if (!ok) {
        error = LoadString(msg::CannotWriteFile).arg(path, why);
        if (cause)
            *cause = why;
    }
    return ok;
}

bool CopyFileAtomically(const QString &source, const QString &target, QString &error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(source, in.errorString());
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        error = QStringLiteral("%1: %2").arg(source, in.errorString());
        return false;
    }
    return WriteFileAtomically(target, bytes, error);
}

namespace {
bool IsLogKind(mode_t mode)
{
    return S_ISREG(mode) || S_ISCHR(mode);
}

QString NotLogText(const QString &path)
{
    return LoadString(msg::NotATraceOrLogFile).arg(path);
}
} // namespace

namespace {
// The program's own standard output or error named on purpose: whatever it
// is (a terminal, a pipe, a file), the trace goes where that stream goes.
int StandardStreamNamed(const QString &path)
{
    if (path == QLatin1String("/dev/stderr") || path == QLatin1String("/dev/fd/2") || path == QLatin1String("/proc/self/fd/2"))
        return STDERR_FILENO;
    if (path == QLatin1String("/dev/stdout") || path == QLatin1String("/dev/fd/1") || path == QLatin1String("/proc/self/fd/1"))
        return STDOUT_FILENO;
    return -1;
}
} // namespace

int OpenForAppend(const QString &path, QString &error, bool *device)
{
    if (const int stream = StandardStreamNamed(path); stream >= 0) {
        const int fd = ::fcntl(stream, F_DUPFD_CLOEXEC, 3);
        if (fd < 0) {
            error = LoadString(msg::CannotWriteFile).arg(path, SystemErrorText(errno));
            return -1;
        }
        if (device)
            *device = true;
        return fd;
    }
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    // The type first: a FIFO is never opened, so nothing waits for a reader.
    if (::stat(name.constData(), &st) == 0 && !IsLogKind(st.st_mode)) {
        error = NotLogText(path);
        return -1;
    }
    // Should the name have become a FIFO since, O_NONBLOCK still keeps the
    // open from waiting, and the check below refuses it.
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno == ENXIO ? NotLogText(path) : LoadString(msg::CannotWriteFile).arg(path, SystemErrorText(errno));
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !IsLogKind(st.st_mode)) {
        ::close(fd);
        error = NotLogText(path);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (device)
        *device = S_ISCHR(st.st_mode);
    return fd;
}

LineLog::~LineLog()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int LineLog::openLocked(QString &error, qint64 &size) const
{
    const QByteArray name = QFile::encodeName(m_strPath);
    // Opened anew for every line: a log renamed or removed by a person
    // meanwhile is created again rather than written into where nobody sees.
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno == ENXIO ? NotLogText(m_strPath) : LoadString(msg::CannotWriteFile).arg(m_strPath, SystemErrorText(errno));
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error = NotLogText(m_strPath);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // Another run appending to the same log waits for our line to be whole.
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    // The lock was taken on what the name was at the open; a file replaced
    // meanwhile (an editor saving) is the one to write.
    struct stat now;
    if (::stat(name.constData(), &now) == 0 && (now.st_ino != st.st_ino || now.st_dev != st.st_dev)) {
        ::close(fd);
        return openLocked(error, size);
    }
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        error = LoadString(msg::CannotWriteFile).arg(m_strPath, SystemErrorText(errno));
        return -1;
    }
    size = st.st_size;
    return fd;
}

bool LineLog::Open(const QString &path, QString &error, bool *fresh, const QByteArray &header)
{
    m_strPath = path;
    m_header = header;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    const bool exists = ::stat(name.constData(), &st) == 0;
    if (exists && !IsLogKind(st.st_mode) && StandardStreamNamed(path) < 0) {
        error = NotLogText(path);
        return false;
    }
    if ((exists && S_ISCHR(st.st_mode)) || StandardStreamNamed(path) >= 0) {
        m_fd = OpenForAppend(path, error);
        if (fresh)
            *fresh = true;
        return m_fd >= 0 && (header.isEmpty() || Append(header, error));
    }
    qint64 size = 0;
    const int fd = openLocked(error, size);
    if (fd < 0)
        return false;
    if (fresh)
        *fresh = size == 0;
    bool ok = true;
    if (size == 0 && !header.isEmpty()) {
        if (!WriteAllTo(fd, header + '\n') || ::fsync(fd) != 0) {
            error = LoadString(msg::CannotWriteFile).arg(path, SystemErrorText(errno));
            if (::ftruncate(fd, 0) != 0) {
                // The error said is the write's.
            }
            ok = false;
        }
    }
    ::close(fd);
    return ok;
}

bool LineLog::Check(QString &error)
{
    if (m_fd >= 0)
        return true;
    qint64 size = 0;
    const int fd = openLocked(error, size);
    if (fd < 0)
        return false;
    // A disk with no room left takes no line: said before the radio is
    // written rather than after.
    struct statvfs fs;
    bool ok = true;
    if (::fstatvfs(fd, &fs) == 0 && (::geteuid() == 0 ? fs.f_bfree : fs.f_bavail) == 0) {
        error = LoadString(msg::CannotWriteFile).arg(m_strPath, SystemErrorText(ENOSPC));
        ok = false;
    }
    ::close(fd);
    return ok;
}

bool LineLog::Append(const QByteArray &line, QString &error)
{
    if (m_fd >= 0) {
        std::lock_guard<std::mutex> lock(m_deviceMutex);
        if (WriteAllTo(m_fd, line + '\n'))
            return true;
        error = LoadString(msg::CannotWriteFile).arg(m_strPath, SystemErrorText(errno));
        return false;
    }
    qint64 size = 0;
    const int fd = openLocked(error, size);
    if (fd < 0)
        return false;
    // A log emptied or removed meanwhile gets its header back first, in the
    // same write.
    QByteArray bytes = size == 0 && !m_header.isEmpty() ? m_header + '\n' : QByteArray();
    bytes += line + '\n';
    // One write: a reader (or another run) sees the line whole or not at all.
    bool ok = WriteAllTo(fd, bytes) && ::fsync(fd) == 0;
    if (!ok) {
        const int cause = errno;
        error = LoadString(msg::CannotWriteFile).arg(m_strPath, SystemErrorText(cause));
        // A part of the line that did get in is taken back, under the lock,
        // so the log never ends in half a line.
        if (::ftruncate(fd, size) != 0) {
            // The error said is the write's.
        }
    }
    ::close(fd);
    return ok;
}

} // namespace tavo
