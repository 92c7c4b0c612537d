#pragma once
// The one writer of whole files: profiles, exports, backups, reports,
// logs. A reader of the file sees the old content or the new one, never a
// mix, and a failure anywhere (a short write, a full disk, a failed flush
// or sync) leaves the old file byte for byte as it was.

#include <QByteArray>
#include <QString>

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
// file that is not a regular file is refused.
//
// On failure `error` reads "Cannot write PATH: CAUSE", CAUSE being the
// system's own words ("No space left on device").
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString &error);

// The system's message for an errno value.
QString SystemErrorText(int error);

} // namespace tavo
