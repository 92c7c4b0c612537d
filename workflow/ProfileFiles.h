#pragma once
// Profile files as every front end reads and writes them: a stored profile
// file in any form, or plain XML; saved back in the form it was read in.

#include "base/TemplateFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace tavo {

// What a file on disk was when a profile was read from it or saved to it:
// its size, its time and a hash of its bytes. Another program (another
// copy of this one, the command line) that saved over it since shows as a
// different size or hash.
struct FileStamp {
    bool known = false; // false: no such file (or it could not be read)
    qint64 size = -1;
    QDateTime modified;
    QByteArray hash;

    static FileStamp Of(const QString &path);
    // The stamp of `bytes` just read from the file at `path`.
    static FileStamp OfRead(const QString &path, const QByteArray &bytes);
    // Whether the file now (`now`) holds something else than when this
    // stamp was taken. A file that has gone is not a change: saving puts
    // it back.
    bool ChangedIn(const FileStamp &now) const;
};

// A profile file as read: its text, decoded once, the form it was stored
// in and the stamp of the bytes read.
struct ProfileFile {
    QString path;
    QString text;
    ProfileFileForm form;
    FileStamp stamp;
    bool stream = false; // read from a stream (standard input): no file to load again or save back to
};

// The one reader of profile files: a stored profile file in any form, or
// plain XML; refused above kMaxTextFileBytes.
bool ReadProfileFile(const QString &path, ProfileFile &file, QString &error);
// The text of PROFILE alone.
bool ReadProfileText(const QString &path, QString &xml, QString &error);

// False, with the load error text (message 135 and the loading error of
// message 223), when the text is not an XML document.
bool CheckXmlDocument(const ProfileFile &file, QString &error);

// Writes `xml` (a profile text as the data model gives it) back to the
// file it was read from, in the form it was stored in: its character set,
// byte-order mark and scrambling, its XML declaration, its line breaks and
// indentation (one element a line), and its permissions and links. Written
// through WriteFileAtomically.
bool SaveProfileFile(const ProfileFile &file, const QString &xml, QString &error);
// The bytes SaveProfileFile would write.
bool ProfileBytesLike(const ProfileFile &file, const QString &xml, QByteArray &bytes, QString &error);

} // namespace tavo
