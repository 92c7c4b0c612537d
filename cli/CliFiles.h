#pragma once
// File helpers shared by the commands: codeplug images (profile files:
// workflow/ProfileFiles.h, shared with the GUI).

#include "base/AtomicFile.h"
#include "codeplug/VirtualCP.h"
#include "workflow/CTavoCPSDoc.h"
#include "workflow/ProfileFiles.h"

#include <QString>

namespace tavo::cli {

// "-" in place of a file read or written as a whole: standard input or
// standard output.
inline constexpr const char kStandardStream[] = "-";
bool IsStandardStream(const QString &path);
// A descriptor the caller opened and names by path (/dev/stdin,
// /dev/fd/N, as a shell's <(...) gives): read as a stream too. Any other
// FIFO, a device or a folder is refused at once, never waited on.
bool IsOpenDescriptor(const QString &path);
bool IsStream(const QString &path);

// The whole of `path` (standard input for "-"), at most `limit` bytes;
// false with `error` set when it cannot be read or is larger.
bool ReadInputFile(const QString &path, QByteArray &bytes, QString &error, qint64 limit = kMaxTextFileBytes);
// `bytes` as the whole of `path` (WriteFileAtomically), or on standard
// output for "-" (checked when the program ends).
bool WriteOutputFile(const QString &path, const QByteArray &bytes, QString &error);

// A line of the run's result on standard output; a failure is reported
// when the run ends, as for WriteOutputFile.
void PrintOutputLine(const QString &text);
void FlushStandardOutput();
// What the run has done for good (a profile saved): said after a failure
// of standard output, so that the user knows which part succeeded.
void RecordDone(const QString &text);

// At the end of a run: false with the system's message when anything
// written to standard output was not taken (a full disk, a closed pipe).
bool StandardOutputWritten(QString &error);

// Reads a raw 2089-byte image ("-": standard input); anything else is
// refused with a message.
bool ReadImageFile(const QString &path, VirtualCP &cp, QString &error);
// Writes an image (WriteOutputFile).
bool WriteImageFile(const QString &path, const VirtualCP &cp, QString &error);

// A profile file as the shared reader reads it, or standard input for "-".
bool ReadProfileInput(const QString &path, ProfileFile &file, QString &error);
// The text of PROFILE alone.
bool ReadProfileInputText(const QString &path, QString &xml, QString &error);

// Opens PROFILE (a stored profile file in any form, or plain XML) in the
// document every command edits it through; false with the reason printed.
// An invalid profile raises CTavoCPSException (printed by main).
bool OpenProfileDocument(const QString &path, CTavoCPSDoc &doc);

// Saves the document back to its file, in the form the file had, through
// the document's output step; the refusal or write error goes to stderr. A
// profile read from a stream goes to standard output.
int SaveProfileDocument(CTavoCPSDoc &doc);

} // namespace tavo::cli
