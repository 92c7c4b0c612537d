#pragma once
// File helpers shared by the commands: codeplug images and profile files.

#include "base/AtomicFile.h"
#include "base/TemplateFile.h"
#include "codeplug/VirtualCP.h"

#include <QString>

namespace tavo::cli {

// "-" in place of a file read or written as a whole: standard input or
// standard output.
inline constexpr const char kStandardStream[] = "-";
bool IsStandardStream(const QString &path);

// The whole of `path` (standard input for "-"), at most `limit` bytes;
// false with `error` set when it cannot be read or is larger.
bool ReadInputFile(const QString &path, QByteArray &bytes, QString &error, qint64 limit = kMaxTextFileBytes);
// `bytes` as the whole of `path` (WriteFileAtomically), or on standard
// output for "-" (checked when the program ends).
bool WriteOutputFile(const QString &path, const QByteArray &bytes, QString &error);

// At the end of a run: false with the system's message when anything
// written to standard output was not taken (a full disk, a closed pipe).
bool StandardOutputWritten(QString &error);

// Reads a raw 2089-byte image ("-": standard input); anything else is
// refused with a message.
bool ReadImageFile(const QString &path, VirtualCP &cp, QString &error);
// Writes an image (WriteOutputFile).
bool WriteImageFile(const QString &path, const VirtualCP &cp, QString &error);

// A profile file as read: its text, decoded once, and the form it was
// stored in.
struct ProfileFile {
    QString path;
    QString text;
    ProfileFileForm form;
};

// The one reader of profile files for every command: a stored profile file
// in any form, or plain XML ("-": standard input); refused above
// kMaxTextFileBytes.
bool ReadProfileFile(const QString &path, ProfileFile &file, QString &error);
// The text of PROFILE alone.
bool ReadProfileText(const QString &path, QString &xml, QString &error);

// False, with the load error text (message 135 and the loading error of
// message 223), when the text is not an XML document.
bool CheckXmlDocument(const ProfileFile &file, QString &error);

// Writes `xml` (a profile text as the data model gives it) back to the
// file it was read from, in the form it was stored in: its character set,
// byte-order mark and scrambling, its XML declaration, its line breaks and
// indentation (one element a line), and its permissions and links.
bool SaveProfileFile(const ProfileFile &file, const QString &xml, QString &error);

} // namespace tavo::cli
