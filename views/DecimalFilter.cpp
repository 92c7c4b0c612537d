#include "views/DecimalFilter.h"

#include <cmath>

namespace tavo {

QString FilterDecimalText(const QString &text, bool allowFraction, const QString &separator)
{
    // Removing the first offending character and scanning again until a
    // pass removes nothing leaves exactly the digits and the first
    // separator: one pass gives the same text.
    const QChar sep = separator.isEmpty() ? QLatin1Char('.') : separator.at(0);
    QString out;
    out.reserve(text.size());
    bool seenSeparator = false;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            out.append(c);
        } else if (allowFraction && c == sep && !seenSeparator) {
            seenSeparator = true;
            out.append(c);
        }
    }
    return out;
}

static QString WithPoint(const QString &text, const QString &separator)
{
    QString t = text;
    if (!separator.isEmpty() && separator != QLatin1String("."))
        t.replace(separator, QStringLiteral("."));
    return t;
}

double FrequencyFieldValue(const QString &text, const QString &separator)
{
    const QString t = WithPoint(text, separator);
    if (t.isEmpty() || t == QLatin1String("."))
        return 0.0;
    return t.toDouble();
}

QString CutFraction(const QString &text, const QString &separator, int decimals)
{
    const int at = text.indexOf(separator.isEmpty() ? QStringLiteral(".") : separator);
    if (at < 0 || text.size() - at - 1 <= decimals)
        return text;
    return text.left(at + 1 + decimals);
}

quint32 FrequencyTextToHz(const QString &text, const QString &separator)
{
    const double hz = std::round(FrequencyFieldValue(text, separator) * 1e6);
    if (!(hz > 0))
        return 0;
    if (hz >= double(kMaxFrequencyHz))
        return kMaxFrequencyHz;
    return quint32(hz);
}

QString FrequencyHzToText(quint32 hz, const QString &separator)
{
    QString text = QString::asprintf("%.6f", hz * 1e-6);
    if (!separator.isEmpty())
        text.replace(QLatin1Char('.'), separator);
    return text;
}

} // namespace tavo
