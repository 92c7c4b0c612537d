#pragma once
// Number entry helpers shared by the pages: the filter that keeps only what
// a number field may hold, and the frequency field's conversions. Pure
// functions of their texts, so every page filters the same way.

#include <QString>

namespace tavo {

// Removes, one at a time, every character that is not a digit and not (when
// `allowFraction`) the first character of `separator`, and every separator
// after the first one.
QString FilterDecimalText(const QString &text, bool allowFraction, const QString &separator);

// The largest frequency a field accepts: 4294.967295 MHz (2^32 - 1 Hz).
inline constexpr quint32 kMaxFrequencyHz = 4294967295u;

// The value of a frequency field in MHz, `separator` taken as the point.
double FrequencyFieldValue(const QString &text, const QString &separator);
// The text cut to at most `decimals` digits after the separator.
QString CutFraction(const QString &text, const QString &separator, int decimals);
// A frequency field's text in Hz, rounded to whole Hz (0 for no number).
quint32 FrequencyTextToHz(const QString &text, const QString &separator);
// "%.6f" of `hz` in MHz with `separator` as the point.
QString FrequencyHzToText(quint32 hz, const QString &separator);

} // namespace tavo
