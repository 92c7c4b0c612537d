#pragma once
// The one writer of whole files: profiles, exports, backups, reports,
// logs. A reader of the file sees the old content or the new one, never a
// mix, and a failure anywhere (a short write, a full disk, a failed flush
// or sync) leaves the old file byte for byte as it was.

#include <QByteArray>
#include <QString>

#include <mutex>

namespace tavo {

// Writes `bytes` as the whole content of `path`. A new file (or the
// replacement of a regular file) is written to a temporary file in the
// same folder, synced and renamed over the target only once every step has
// succeeded; the temporary file is removed on any failure. An existing
// regular file keeps its permissions and owner; a file with several hard
// links is rewritten in place (after its new size has been reserved on the
// disk) so that every link keeps seeing it; a symbolic link stays a link
// to the rewritten file. A character device or a FIFO is written directly
// (never replaced; a FIFO without a reader is refused at once); any other
// file that is not a regular file is refused. A symbolic link in a folder
// that everybody may write to and that has the sticky bit (/tmp) is
// followed only when it belongs to this user or to the folder's owner, as
// the kernel's own link protection does: a link planted there by another
// user never makes us overwrite what it points to.
//
// On failure `error` reads "Cannot write PATH: CAUSE", CAUSE being the
// system's own words ("No space left on device"); `cause`, when given,
// receives CAUSE alone.
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString &error, QString *cause = nullptr);

// ---- traces and logs

// Opens `path` for appending a trace or a log without ever waiting: it must
// be a regular file (created when missing), a character device, or the
// program's own standard error or output named on purpose (/dev/stderr,
// /dev/stdout: taken whatever they are, a pipe too); any other FIFO, a
// socket, a folder or anything else is refused at once. The descriptor is blocking once open; -1 with `error`
// ("Cannot write PATH: CAUSE", or the refusal) on failure. `device` tells a character device.
int OpenForAppend(const QString &path, QString &error, bool *device = nullptr);

// A log that grows a line at a time (the batch and fleet logs): an audit
// trail that is only ever appended to, never rewritten. Each line of a
// regular file is one write to the file opened for appending (a line from
// another run, another port or a person's editor is never overwritten),
// under an exclusive lock that every log of this program takes, and synced
// before Append returns; a line that does not reach the disk whole is taken
// back, so the lines before stay as they were. A character device gets each
// line as it comes. Any other kind of file is refused by Open.
class LineLog {
public:
    LineLog() = default;
    ~LineLog();
    LineLog(const LineLog &) = delete;
    LineLog &operator=(const LineLog &) = delete;

    // False with `error` when the file cannot be a log or cannot be
    // written. `fresh` tells a missing or empty file; a non-empty `header`
    // is written into such a file as its first line.
    bool Open(const QString &path, QString &error, bool *fresh = nullptr, const QByteArray &header = QByteArray());
    // Whether the log can take a line now (it may have been removed, made
    // read-only or its disk filled since it was opened): false with `error`.
    bool Check(QString &error);
    // Appends `line` and a line feed (the header first, should the file
    // have been emptied or removed meanwhile); false with `error` ("Cannot
    // write PATH: CAUSE") when it did not reach the file.
    bool Append(const QByteArray &line, QString &error);

    QString Path() const { return m_strPath; }

private:
    // The regular file opened for appending and locked, and its `size`:
    // -1 with `error`.
    int openLocked(QString &error, qint64 &size) const;

    QString m_strPath;
    QByteArray m_header;
    int m_fd = -1;         // a device
    std::mutex m_deviceMutex;  // its lines, one at a time
};

// Copies the file `source` to `target` through WriteFileAtomically.
bool CopyFileAtomically(const QString &source, const QString &target, QString &error);

// Writes every byte of `bytes` to the descriptor; false with errno set
// (ENOSPC for a write that takes nothing) when it could not.
bool WriteAllTo(int fd, const QByteArray &bytes);

// The system's message for an errno value.
QString SystemErrorText(int error);

} // namespace tavo
