#include "resources/StringTable.h"

#include <QCoreApplication>
#include <algorithm>

namespace tavo {

namespace {
#include "resources/StringTableData.inc"

const StringEntry *findEntry(int id)
{
    const StringEntry *begin = std::begin(kStringTable);
    const StringEntry *end = std::end(kStringTable);
    const StringEntry *it = std::lower_bound(begin, end, id,
        [](const StringEntry &e, int key) { return e.id < key; });
    return (it != end && it->id == id) ? it : nullptr;
}
} // namespace

QString TranslationKey(int id)
{
    return QStringLiteral("IDS_%1").arg(id);
}

QString LoadString(int id)
{
    const StringEntry *e = findEntry(id);
    if (!e)
        return QString();
    const QByteArray key = TranslationKey(id).toLatin1();
    const QString translated = qtTrId(key.constData());
    if (!translated.isEmpty() && translated != QLatin1String(key))
        return translated;
    return QString::fromUtf8(e->text);
}

bool HasString(int id)
{
    return findEntry(id) != nullptr;
}

const StringEntry *StringTableBegin() { return std::begin(kStringTable); }
const StringEntry *StringTableEnd() { return std::end(kStringTable); }

} // namespace tavo
