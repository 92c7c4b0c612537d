#include "workflow/TransmitPower.h"

#include "base/TemplateFile.h"
#include "base/CTavoCPSException.h"
#include "config/Registry.h"

#include <QList>
#include <QMutex>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cmath>

namespace tavo {

namespace {

// Used when the installation has no table or no entry for the model.
constexpr PowerLevels kUnlistedModel{1.0, 2.0, true};
// Below this a watts figure is written with one decimal.
constexpr double kWholeWattsFrom = 10.0;

struct Entry {
    QRegularExpression pattern;
    PowerLevels levels;
};

QList<Entry> ReadTable(const QString &path)
{
    QList<Entry> entries;
    QString text;
    try {
        if (!LoadTemplateFile(path, text))
            return entries;
    } catch (const CTavoCPSException &) {
        return entries;
    }
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("Model"))
            continue;
        const auto a = xml.attributes();
        bool lowOk = false, highOk = false;
        PowerLevels levels;
        levels.lowWatts = a.value(QLatin1String("low")).toDouble(&lowOk);
        levels.highWatts = a.value(QLatin1String("high")).toDouble(&highOk);
        levels.nominal = a.value(QLatin1String("nominal")) != QLatin1String("0");
        const QString match = a.value(QLatin1String("match")).toString();
        if (!lowOk || !highOk || match.isEmpty() || levels.lowWatts <= 0.0 || levels.highWatts < levels.lowWatts)
            continue; // a broken entry is no entry
        entries.append({QRegularExpression(QRegularExpression::wildcardToRegularExpression(match),
                                           QRegularExpression::CaseInsensitiveOption),
                        levels});
    }
    return entries;
}

} // namespace

PowerLevels PowerLevelsOf(const QString &model)
{
    // Read once per installation folder (tests switch folders).
    static QMutex mutex;
    static QString loadedFrom;
    static QList<Entry> table;
    const QString path = InstallFilePath(QStringLiteral("lib"), QLatin1String(kPowerLevelsFile));
    QMutexLocker lock(&mutex);
    if (path != loadedFrom) {
        table = ReadTable(path);
        loadedFrom = path;
    }
    for (const Entry &e : table)
        if (e.pattern.match(model).hasMatch())
            return e.levels;
    return kUnlistedModel;
}

QString WattsText(double watts)
{
    if (watts >= kWholeWattsFrom)
        return QString::number(std::lround(watts)) + QLatin1Char('W');
    return QString::number(watts, 'f', 1) + QLatin1Char('W');
}

bool ParseWatts(const QString &text, double &watts)
{
    static const QRegularExpression form(QStringLiteral("\\A\\s*(\\d+(?:\\.\\d*)?|\\.\\d+)\\s*(m?)W\\s*\\z"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    watts = m.captured(1).toDouble();
    if (!m.captured(2).isEmpty())
        watts /= 1000.0;
    return std::isfinite(watts);
}

} // namespace tavo
