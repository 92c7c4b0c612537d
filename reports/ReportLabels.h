#pragma once
// The label keys of the report style sheets: language-neutral labels
// written as "$#" followed by the English label text, replaced after the
// transformation by texts of the string table in the current language.

#include <QString>
#include <vector>

namespace tavo {

enum class ReportKind { Handout, Detailed };

enum class LabelKeyKind {
    Plain,   // the string `textId`
    Default, // the button function's string `textId`, a blank and "(default)"
    Number,  // format string `textId` filled with the number string `numberId`
    Time,    // the time string `textId`
};

struct LabelKey {
    const char *key;
    int textId;
    LabelKeyKind kind;
    int numberId; // Number keys only
};

// The key table, in its order: the captions of the pages' rows (from the
// field table), then the listed keys.
std::vector<LabelKey> LabelKeyTable();

// The keys a report applies: the handout's own keys (the " (default)"
// keys, the button functions, the radio parts and models), the detailed
// report all the others and the button functions.
std::vector<LabelKey> LabelKeysOf(ReportKind kind);

// The text that replaces `key`; numbers written with `decimalSeparator`.
QString LabelKeyText(const LabelKey &key, const QString &decimalSeparator);

// Replaces every key of `kind` in `html`. At each "$#" the longest key that
// starts there is taken, so a key that begins with a shorter key ("$#Disable
// All LEDs", "$#Disable") never leaves a fragment, whatever the table order.
// Inserted texts are not escaped: they come from the string table.
void ReplaceLabelKeys(QString &html, ReportKind kind, const QString &decimalSeparator);

} // namespace tavo
