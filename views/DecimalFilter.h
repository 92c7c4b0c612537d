#pragma once
// The input filter of the numeric entries: digits, and, where a fraction
// is allowed, one decimal separator.

#include <QString>

namespace tavo {

// `text` without every character that is not a digit 0-9 and not (when
// `allowFraction`) the first character of `separator`, and without every
// separator after the first one.
QString FilterDecimalText(const QString &text, bool allowFraction, const QString &separator);

} // namespace tavo
