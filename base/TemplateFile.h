#pragma once
// Reader of the installed text files (setting documents, schema, rule file,
// report style sheets) and of profile files. A file is stored either as
// UTF-16 little-endian with a byte-order mark or as 8-bit text, and either
// plain or scrambled with a one-byte key:
//
//  - 8-bit layout: every byte of the file is combined (exclusive or) with
//    the key;
//  - UTF-16 layout: every 16-bit code unit is combined with the key, except
//    a code unit equal to the key itself, which is stored unchanged (so no
//    code unit ever becomes zero). The byte-order mark is never scrambled.
//
// A text is plain when it starts with "<?xml", "Option Explicit" or (the Lua
// rule file) "--", compared without regard to letter case.
//
// Every text is decoded once, here: a plain 8-bit text in the character set
// its XML declaration names when that set decodes it, else as UTF-8 when it
// is valid UTF-8 (a UTF-8 byte-order mark is dropped), else in the ANSI code
// page; a scrambled 8-bit text in the ANSI code page. The XML parsers take
// the result as already decoded.

#include <QByteArray>
#include <QString>

class QIODevice;

namespace tavo {

// The one scrambling key of every stored file, used alike for reading and
// writing.
inline constexpr unsigned char kScrambleKey = 0xA5;

// The largest stored text file the program reads: a full profile is about
// 12 KB, the largest installed file a few hundred. A larger file is refused
// before it is read.
inline constexpr qint64 kMaxTextFileBytes = 1024 * 1024;

// Bytes read at a time: 2046 in the UTF-16 layout, 1023 in the 8-bit one.
inline constexpr int kUtf16ChunkBytes = 2046;
inline constexpr int kAnsiChunkBytes = 1023;

// Reads the whole text of an open file from its current position. Returns 0
// when done, 1 when no file is given. The text is emptied first. A read
// error, or more than kMaxTextFileBytes, raises CTavoCPSException (id 131)
// and leaves the text empty.
int ReadTemplateText(QIODevice *file, QString &text);

// Opens `path` as raw bytes and reads its text with ReadTemplateText.
// False when the file cannot be opened (the text is then empty); a read
// error raises CTavoCPSException (id 131).
bool LoadTemplateFile(const QString &path, QString &text);

// Decodes a whole stored file held in memory (same rules as above).
QString DecodeTemplateBytes(const QByteArray &bytes);

// How a profile file was stored, so that a save writes back the same form.
struct ProfileFileForm {
    enum Layout { Utf16, EightBit };
    Layout layout = Utf16;
    bool scrambled = true;
    // Plain 8-bit text: the character set it was decoded with ("UTF-8", the
    // one its XML declaration names, or empty for the ANSI code page), and
    // whether it started with a UTF-8 byte-order mark.
    QByteArray charset;
    bool utf8Bom = false;
};

// A profile file in any of its four stored forms (UTF-16 or 8-bit, plain
// or scrambled), decoded as DecodeTemplateBytes does; `form`, when given,
// receives the stored form. More than kMaxTextFileBytes raises id 131.
QString DecodeProfileBytes(const QByteArray &bytes, ProfileFileForm *form = nullptr);

// The bytes of `text` stored in `form`. False (and `bytes` empty) when a
// character of the text cannot be stored in that form's character set.
bool EncodeProfileText(const QString &text, const ProfileFileForm &form, QByteArray &bytes);

// The whole content of a file of at most kMaxTextFileBytes. False with
// `reason` set when it cannot be opened or read, or is larger.
enum class FileReadFailure { None, CannotOpen, TooLarge, ReadError };
FileReadFailure ReadSmallFile(const QString &path, QByteArray &bytes, QString *reason = nullptr);

// Opens `path` and reads it as a profile file (DecodeProfileBytes). False
// when it cannot be opened or read, or is larger than kMaxTextFileBytes
// (the text is then empty).
bool LoadProfileFile(const QString &path, QString &text, ProfileFileForm *form = nullptr);

// The UTF-16 rule applied in place to a text in memory: scrambling and
// unscrambling are the same operation.
void ScrambleText(QString &text);

// True when `text` starts with one of the plain markers.
bool IsPlainTemplateText(const QString &text);

// The bytes of a scrambled profile file: BOM FF FE, then the scrambled text
// as UTF-16 little-endian.
QByteArray EncodeScrambledUtf16(const QString &text);

} // namespace tavo
