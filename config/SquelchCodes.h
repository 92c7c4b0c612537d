#pragma once
// The squelch code space of a channel direction: 0 no squelch, 1-38 CT
// tones, 39-121 DCS codes, 122 and 123 two late additions, 124-129 the six
// customised tones of the profile, 130 up to maxCodes the inverted DCS
// codes. A code is what the radio stores.

#include <QString>
#include <QStringList>
#include <functional>

namespace tavo {

struct SquelchCodeEntry {
    int code;          // equal to the entry's position
    const char *label; // built-in label in the base language
};

inline constexpr int kSquelchTableSize = 124;
inline constexpr int kFirstCustomCode = 124;
inline constexpr int kLastCustomCode = 129;
inline constexpr int kFirstInvertedCode = 130;

// The built-in table, indexed by code (0-123).
const SquelchCodeEntry *SquelchCodeTable();

// Reads an attribute of the profile's setting element as text (for the
// customised tones "CTcode124" to "CTcode129", in units of 0.1 Hz).
using SettingAttributeReader = std::function<QString(const QString &attribute)>;

// The text shown for `code` in lists and reports, numbers written with
// `decimalSeparator`. Code 0 is "No CT/DCS code" alone; others read
// "<code> - <label>".
QString FormatCodeLabel(int code, int maxCodes, const SettingAttributeReader &setting, const QString &decimalSeparator);
// The same with the decimal separator of the application's language.
QString FormatCodeLabel(int code, int maxCodes, const SettingAttributeReader &setting);
// The label alone, without the code's number in front ("67.0 Hz",
// "DCS 023"), as the change list and the messages name a code.
QString CodeLabelText(int code, int maxCodes, const SettingAttributeReader &setting, const QString &decimalSeparator);

// The list entries for codes 0 up to and including maxCodes: position in
// the list equals code.
QStringList SquelchCodeList(int maxCodes, const SettingAttributeReader &setting, const QString &decimalSeparator);

// The code a customised or inverted code refers to: for an inverted code
// the table code of its non-inverted twin (maxCodes itself inverts 123).
int InvertedTwin(int code, int maxCodes);

} // namespace tavo
