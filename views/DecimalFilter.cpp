#include "views/DecimalFilter.h"

namespace tavo {

QString FilterDecimalText(const QString &text, bool allowFraction, const QString &separator)
{
    // Removing the first offending character and scanning again until a
    // pass removes nothing leaves exactly the digits and the first
    // separator: one pass gives the same text.
    const QChar sep = separator.isEmpty() ? QChar() : separator.at(0);
    QString out;
    out.reserve(text.size());
    bool seenSeparator = false;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            out.append(c);
        } else if (allowFraction && !sep.isNull() && c == sep && !seenSeparator) {
            seenSeparator = true;
            out.append(c);
        }
    }
    return out;
}

} // namespace tavo
