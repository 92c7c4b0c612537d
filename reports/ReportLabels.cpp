#include "reports/ReportLabels.h"

#include "codeplug/RadioFields.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QHash>
#include <algorithm>
#include <mutex>
#include <set>
#include <string>

namespace tavo {

namespace {

using K = LabelKeyKind;

// Texts of ours for labels the string table had no entry for (9400-9430).
// The captions of the pages' rows are not listed: each row's caption is a
// key of its own (FieldCaptionKeys).
const LabelKey kTable[] = {
    {"$#45 min", 498, K::Time, 0},
    {"$#30", 494, K::Time, 0},
    {"$#30 min", 497, K::Time, 0},
    {"$#25KHz", 434, K::Number, 190},
    {"$#25 KHz only", 387, K::Number, 190},
    {"$#15", 493, K::Time, 0},
    {"$#15 min", 496, K::Time, 0},
    {"$#12.5KHz", 433, K::Number, 189},
    {"$#12.5 KHz only", 386, K::Number, 189},
    {"$#User selectable with low power as default", 294, K::Plain, 0},
    {"$#User Selectable with high power as default", 295, K::Plain, 0},
    {"$#User selectable with 25 KHz as default", 290, K::Number, 190},
    {"$#User selectable with 12.5 KHz as default", 289, K::Number, 189},
    {"$#Tx Power Selection", 419, K::Plain, 0},
    {"$#Tx Frequency Range (MHz)", 489, K::Plain, 0},
    {"$#Transmit", 236, K::Plain, 0},
    {"$#Transmit Power", 447, K::Plain, 0},
    {"$#Talkaround Power", 398, K::Plain, 0},
    {"$#Side Button 2", 161, K::Plain, 0},
    {"$#Side Button 1", 160, K::Plain, 0},
    {"$#Serial Number", 153, K::Plain, 0},
    {"$#Selectable", 340, K::Plain, 0},
    {"$#Scramble", 237, K::Plain, 0},
    {"$#Scramble code 3", 196, K::Plain, 0},
    {"$#Scramble code 2", 195, K::Plain, 0},
    {"$#Scramble code 1", 194, K::Plain, 0},
    {"$#Scramble Button", 339, K::Plain, 0},
    {"$#Scan/Nuisance Channel Delete", 417, K::Plain, 0},
    {"$#Scan List", 171, K::Plain, 0},
    {"$#Scan List Member", 188, K::Plain, 0},
    {"$#Rx Frequency Range (MHz)", 490, K::Plain, 0},
    {"$#Repeater", 238, K::Plain, 0},
    {"$#Repeater/Talkaround", 421, K::Plain, 0},
    {"$#Repeater Power", 241, K::Plain, 0},
    {"$#Regional Code", 152, K::Plain, 0},
    {"$#Receive", 232, K::Plain, 0},
    {"$#Receive/Transmit", 9400, K::Plain, 0},
    {"$#Radio Information", 151, K::Plain, 0},
    {"$#Prog 3 (LRB)", 9403, K::Plain, 0},
    {"$#Prog 2 (LLB)", 9402, K::Plain, 0},
    {"$#Prog 1 (URB)", 9401, K::Plain, 0},
    {"$#Preset 2", 425, K::Plain, 0},
    {"$#Preset 2 Channel", 166, K::Plain, 0},
    {"$#Preset 1", 424, K::Plain, 0},
    {"$#Preset 1 Channel", 165, K::Plain, 0},
    {"$#Power Level", 245, K::Plain, 0},
    {"$#CT/DCS Code", 235, K::Plain, 0},
    {"$#CT Code 129 (Hz)", 477, K::Plain, 0},
    {"$#CT Code 128 (Hz)", 476, K::Plain, 0},
    {"$#CT Code 127 (Hz)", 475, K::Plain, 0},
    {"$#CT Code 126 (Hz)", 474, K::Plain, 0},
    {"$#CT Code 125 (Hz)", 473, K::Plain, 0},
    {"$#CT Code 124 (Hz)", 472, K::Plain, 0},
    {"$#Out of range", 510, K::Plain, 0},
    {"$#OFF", 193, K::Plain, 0},
    {"$#ON/OFF", 341, K::Plain, 0},
    {"$#None", 9404, K::Plain, 0},
    {"$#No CT/DCS code", 435, K::Plain, 0},
    {"$#No Operation", 422, K::Plain, 0},
    {"$#Nickel/LiIon", 227, K::Plain, 0},
    {"$#Name", 429, K::Plain, 0},
    {"$#Monitor", 416, K::Plain, 0},
    {"$#MHz", 9405, K::Plain, 0},
    {"$#Medium", 182, K::Plain, 0},
    {"$#Maximum Channel", 157, K::Plain, 0},
    {"$#Low", 181, K::Plain, 0},
    {"$#Low power only", 388, K::Plain, 0},
    {"$#Index", 293, K::Plain, 0},
    {"$#High", 183, K::Plain, 0},
    {"$#High Power only", 389, K::Plain, 0},
    {"$#General Settings", 167, K::Plain, 0},
    {"$#Frequency", 9406, K::Plain, 0},
    {"$#Frequency(Index)", 9407, K::Plain, 0},
    {"$#Frequency Range (MHz)", 156, K::Plain, 0},
    {"$#Firmware Version", 154, K::Plain, 0},
    {"$#Enable", 9408, K::Plain, 0},
    {"$#Disable", 414, K::Plain, 0},
    {"$#Detailed Report", 322, K::Plain, 0},
    {"$#Customized CT", 470, K::Plain, 0},
    {"$#Codeplug Version", 155, K::Plain, 0},
    {"$#Channels", 169, K::Plain, 0},
    {"$#Channel #", 9409, K::Plain, 0},
    {"$#Call Tone", 207, K::Plain, 0},
    {"$#Buttons", 158, K::Plain, 0},
    {"$#Bandwidth", 244, K::Plain, 0},
    {"$#Backlight", 423, K::Plain, 0},
    {"$#Available Channels", 187, K::Plain, 0},
    {"$#Auto Scan", 239, K::Plain, 0},
    {"$#Audio Settings", 172, K::Plain, 0},
    {"$#Alternate Battery Selection", 209, K::Plain, 0},
    {"$#Alkaline", 226, K::Plain, 0},
    {"$#After conversation", 495, K::Plain, 0},
    // radio parts and models (the handout's last group)
    {"$#Tulka", 9410, K::Plain, 0},
    {"$#Olvan", 9411, K::Plain, 0},
    {"$#Up Button:", 9412, K::Plain, 0},
    {"$#Tri-Color LED", 9413, K::Plain, 0},
    {"$#Spring Action Belt Clip", 9414, K::Plain, 0},
    {"$#Side Button 2 (SB2)", 161, K::Plain, 0},
    {"$#Side Button 1 (SB1)", 160, K::Plain, 0},
    {"$#Sorra", 9415, K::Plain, 0},
    {"$#Scroll up the menu items/change channel", 9416, K::Plain, 0},
    {"$#Scroll down the menu items/change channel", 9417, K::Plain, 0},
    {"$#Zerva", 9418, K::Plain, 0},
    {"$#Push-to-Talk (PTT)", 9419, K::Plain, 0},
    {"$#Power/Volume Knob", 9420, K::Plain, 0},
    {"$#Model", 9421, K::Plain, 0},
    {"$#Model Number", 9422, K::Plain, 0},
    {"$#Microphone", 9423, K::Plain, 0},
    {"$#Menu Mode", 9424, K::Plain, 0},
    {"$#Menu Button:", 9425, K::Plain, 0},
    {"$#Li-Ion Battery Pack", 9426, K::Plain, 0},
    {"$#Down Button:", 9427, K::Plain, 0},
    {"$#Customer Handout", 323, K::Plain, 0},
    {"$#Pemba", 9428, K::Plain, 0},
    {"$#Channel Selector", 9429, K::Plain, 0},
    {"$#Accessory Jack", 9430, K::Plain, 0},
    // button functions marked as the button's default
    {"$#Tx Power Selection (default)", 419, K::Default, 0},
    {"$#No Operation (default)", 422, K::Default, 0},
    {"$#Scan/Nuisance Channel Delete (default)", 417, K::Default, 0},
    {"$#Preset 2 (default)", 425, K::Default, 0},
    {"$#Preset 1 (default)", 424, K::Default, 0},
    {"$#Monitor (default)", 416, K::Default, 0},
    {"$#Call Tone (default)", 221, K::Default, 0},
};

// The button functions the handout names, after its " (default)" keys.
const char *const kHandoutFunctionKeys[] = {
    "$#Call Tone", "$#Monitor", "$#Preset 1", "$#Preset 2", "$#Scan/Nuisance Channel Delete",
    "$#No Operation", "$#Tx Power Selection", "$#Backlight", "$#Repeater/Talkaround", "$#Scramble",
};

// The English text of string `id`; null when the table has none.
const char *EnglishText(int id)
{
    const StringEntry *end = StringTableEnd();
    const StringEntry *e = std::lower_bound(StringTableBegin(), end, id, [](const StringEntry &x, int v) { return x.id < v; });
    return e != end && e->id == id ? e->text : nullptr;
}

// A key text kept for the life of the process.
const char *KeptKey(const std::string &key)
{
    static std::mutex lock;
    static std::set<std::string> keys;
    const std::lock_guard<std::mutex> hold(lock);
    return keys.insert(key).first->c_str();
}

// The style sheets name a page row by "$#" and its English caption: one key
// for each caption of a row a report prints, unless the listed keys hold it.
std::vector<LabelKey> FieldCaptionKeys()
{
    std::vector<LabelKey> keys;
    auto listed = [&keys](const std::string &key) {
        const auto same = [&key](const LabelKey &k) { return key == k.key; };
        return std::any_of(std::begin(kTable), std::end(kTable), same) || std::any_of(keys.begin(), keys.end(), same);
    };
    for (const RadioField &f : RadioFields()) {
        const char *english = f.row.page != FieldPage::None && f.row.reported ? EnglishText(f.row.textId) : nullptr;
        if (!english)
            continue;
        const std::string key = std::string("$#") + english;
        if (!listed(key))
            keys.push_back({KeptKey(key), f.row.textId, K::Plain, 0});
    }
    return keys;
}

bool IsHandoutKey(const std::vector<LabelKey> &table, int position, const LabelKey &key)
{
    int firstPart = 0;
    while (firstPart < int(table.size()) && QLatin1String(table[size_t(firstPart)].key) != QLatin1String("$#Tulka"))
        ++firstPart;
    if (key.kind == K::Default || position >= firstPart)
        return true;
    return std::any_of(std::begin(kHandoutFunctionKeys), std::end(kHandoutFunctionKeys),
                       [&](const char *k) { return QLatin1String(k) == QLatin1String(key.key); });
}

// Replacement texts of one report for one separator, built once per call.
struct KeyIndex {
    QHash<QString, QString> text;   // key -> replacement
    int longest = 0;
};

} // namespace

std::vector<LabelKey> LabelKeyTable()
{
    std::vector<LabelKey> table = FieldCaptionKeys();
    table.insert(table.end(), std::begin(kTable), std::end(kTable));
    return table;
}

std::vector<LabelKey> LabelKeysOf(ReportKind kind)
{
    std::vector<LabelKey> keys;
    const std::vector<LabelKey> table = LabelKeyTable();
    if (kind == ReportKind::Handout) {
        // " (default)" keys first, then the functions, then parts and models.
        for (const LabelKey &k : table)
            if (k.kind == K::Default)
                keys.push_back(k);
        for (const char *name : kHandoutFunctionKeys)
            for (const LabelKey &k : table)
                if (QLatin1String(k.key) == QLatin1String(name))
                    keys.push_back(k);
        for (int i = 0; i < int(table.size()); ++i)
            if (table[i].kind != K::Default && IsHandoutKey(table, i, table[i])
                && std::none_of(std::begin(kHandoutFunctionKeys), std::end(kHandoutFunctionKeys),
                                [&](const char *n) { return QLatin1String(n) == QLatin1String(table[i].key); }))
                keys.push_back(table[i]);
        return keys;
    }
    for (int i = 0; i < int(table.size()); ++i)
        if (!IsHandoutKey(table, i, table[i]))
            keys.push_back(table[i]);
    // The detailed report names the button functions too, so that they are
    // in the report's language as well.
    for (const char *name : kHandoutFunctionKeys)
        for (const LabelKey &k : table)
            if (QLatin1String(k.key) == QLatin1String(name))
                keys.push_back(k);
    return keys;
}

QString LabelKeyText(const LabelKey &key, const QString &decimalSeparator)
{
    switch (key.kind) {
    case K::Default:
        return LoadString(key.textId) + QLatin1Char(' ') + LoadString(msg::ReportDefaultSuffix);
    case K::Number: {
        QString number = LoadString(key.numberId);
        number.replace(QLatin1Char('.'), decimalSeparator);
        QString format = LoadString(key.textId);
        format.replace(QLatin1String("%s"), number);
        return format;
    }
    case K::Plain:
    case K::Time:
        break;
    }
    return LoadString(key.textId);
}

void ReplaceLabelKeys(QString &html, ReportKind kind, const QString &decimalSeparator)
{
    KeyIndex index;
    for (const LabelKey &k : LabelKeysOf(kind)) {
        const QString key = QLatin1String(k.key);
        index.text.insert(key, LabelKeyText(k, decimalSeparator));
        index.longest = std::max(index.longest, int(key.size()));
    }
    const QString marker = QStringLiteral("$#");
    QString out;
    out.reserve(html.size());
    qsizetype from = 0;
    for (qsizetype at = html.indexOf(marker); at >= 0; at = html.indexOf(marker, at)) {
        int match = 0;
        const int most = int(std::min<qsizetype>(index.longest, html.size() - at));
        for (int len = most; len > 2; --len) {
            if (index.text.contains(QStringView(html).mid(at, len).toString())) {
                match = len;
                break;
            }
        }
        if (!match) {
            at += marker.size();
            continue;
        }
        out += QStringView(html).mid(from, at - from);
        out += index.text.value(html.mid(at, match));
        at += match;
        from = at;
    }
    out += QStringView(html).mid(from);
    html = out;
}

} // namespace tavo
