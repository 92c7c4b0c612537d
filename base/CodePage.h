#pragma once
// The system ANSI code page of the original platform: the codeplug's 8-bit
// texts and the 8-bit installed files are in it. One configured code page
// for the whole process, converted with iconv.

#include <QByteArray>
#include <QString>

namespace tavo {

// The code page used when nothing else is configured.
inline constexpr const char *kDefaultAnsiCodePage = "CP1252";

// Selects the iconv name of the ANSI code page; false (and no change) when
// iconv does not know it.
bool SetAnsiCodePage(const QByteArray &iconvName);
QByteArray AnsiCodePage();

// 8-bit text -> Unicode. A byte that the code page does not define becomes
// the code point of the same value, so no byte is ever lost.
QString FromAnsi(const char *bytes, int length);
inline QString FromAnsi(const QByteArray &bytes) { return FromAnsi(bytes.constData(), bytes.size()); }

// Unicode -> 8-bit text. A character that the code page cannot hold becomes
// its own value when below 256, otherwise '?'.
QByteArray ToAnsi(const QString &text);

// Strict conversions through a named character set (an XML encoding label
// such as "ISO-8859-1"): false when iconv does not know the name or a
// character does not convert.
bool DecodeCharset(const QByteArray &charset, const QByteArray &bytes, QString &text);
bool EncodeCharset(const QByteArray &charset, const QString &text, QByteArray &bytes);

} // namespace tavo
