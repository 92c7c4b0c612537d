#pragma once
// The program's string table: every text shown to the user, addressed by a
// stable numeric id. The rule script returns ids of this same table, so an id
// is an interface: never renumber one.

#include <QString>

namespace tavo {

struct StringEntry {
    int id;
    const char *text; // English text, the fallback of every translation
};

// Text of message `id`. A translation loaded through Qt's id-based
// translations (key "IDS_<id>") wins over the English text; an unknown id
// yields an empty string.
QString LoadString(int id);

// True when the table holds `id`.
bool HasString(int id);

// The key under which `id` is looked up in an id-based translation.
QString TranslationKey(int id);

// The whole table, sorted by id (for tests and translation export).
const StringEntry *StringTableBegin();
const StringEntry *StringTableEnd();

} // namespace tavo
