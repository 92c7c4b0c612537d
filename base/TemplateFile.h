#pragma once
// Reader of the installed text files (setting documents, schema, rule file,
// report style sheets) and of profile files. A file is stored either as
// UTF-16 little-endian with a byte-order mark or as 8-bit ANSI text, and
// either plain or scrambled with a one-byte key:
//
//  - 8-bit layout: every byte of the file is combined (exclusive or) with
//    the key;
//  - UTF-16 layout: every 16-bit code unit is combined with the key, except
//    a code unit equal to the key itself, which is stored unchanged (so no
//    code unit ever becomes zero). The byte-order mark is never scrambled.
//
// A text is plain when it starts with "<?xml", "Option Explicit" or (the Lua
// rule file) "--", compared without regard to letter case.

#include <QByteArray>
#include <QString>

class QIODevice;

namespace tavo {

// The one scrambling key of every stored file, used alike for reading and
// writing.
inline constexpr unsigned char kScrambleKey = 0xA5;

// Bytes read at a time: 2046 in the UTF-16 layout, 1023 in the 8-bit one.
inline constexpr int kUtf16ChunkBytes = 2046;
inline constexpr int kAnsiChunkBytes = 1023;

// Reads the whole text of an open file from its current position. Returns 0
// when done, 1 when no file is given. The text is emptied first. A read
// error raises CTavoCPSException (id 131) and leaves the text empty.
int ReadTemplateText(QIODevice *file, QString &text);

// Opens `path` as raw bytes and reads its text with ReadTemplateText.
// False when the file cannot be opened (the text is then empty); a read
// error raises CTavoCPSException (id 131).
bool LoadTemplateFile(const QString &path, QString &text);

// Decodes a whole stored file held in memory (same rules as above).
QString DecodeTemplateBytes(const QByteArray &bytes);

// A profile file in any of its four stored forms (UTF-16 or 8-bit, plain
// or scrambled). A plain 8-bit text that is valid UTF-8 is taken as UTF-8
// (the form the command line writes and text editors keep); any other
// 8-bit text is ANSI.
QString DecodeProfileBytes(const QByteArray &bytes);

// Opens `path` and reads it as a profile file (DecodeProfileBytes). False
// when it cannot be opened or read (the text is then empty).
bool LoadProfileFile(const QString &path, QString &text);

// The UTF-16 rule applied in place to a text in memory: scrambling and
// unscrambling are the same operation.
void ScrambleText(QString &text);

// True when `text` starts with one of the plain markers.
bool IsPlainTemplateText(const QString &text);

// The bytes of a scrambled profile file: BOM FF FE, then the scrambled text
// as UTF-16 little-endian.
QByteArray EncodeScrambledUtf16(const QString &text);

} // namespace tavo
