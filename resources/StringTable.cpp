#include "resources/StringTable.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace tavo {

namespace {
#include "resources/StringTableData.inc"

// The table sorted by id, built once; the data file is grouped by subsystem.
const std::vector<StringEntry> &sortedTable()
{
    static const std::vector<StringEntry> table = [] {
        std::vector<StringEntry> t(std::begin(kStringTable), std::end(kStringTable));
        std::stable_sort(t.begin(), t.end(), [](const StringEntry &a, const StringEntry &b) { return a.id < b.id; });
        return t;
    }();
    return table;
}

const StringEntry *findEntry(int id)
{
    const std::vector<StringEntry> &t = sortedTable();
    auto it = std::lower_bound(t.begin(), t.end(), id, [](const StringEntry &e, int key) { return e.id < key; });
    return (it != t.end() && it->id == id) ? &*it : nullptr;
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

const StringEntry *StringTableBegin() { return sortedTable().data(); }
const StringEntry *StringTableEnd() { return sortedTable().data() + sortedTable().size(); }

} // namespace tavo
