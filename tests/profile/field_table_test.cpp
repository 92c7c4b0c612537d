// The field table's own consistency, the faults a new row could bring in:
// a field outside its record or on top of another field or table of the
// image, an attribute written twice, a page row sharing a control with
// another, a list without entries, a change or caption without its text.

#include "base/ProfileNames.h"
#include "codeplug/RadioFields.h"
#include "codeplug/VirtualCP.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

using namespace tavo;

namespace {

bool IsByteField(FieldStore store)
{
    switch (store) {
    case FieldStore::Number:
    case FieldStore::Long:
    case FieldStore::Flag:
    case FieldStore::Char:
    case FieldStore::Text:
    case FieldStore::Model:
    case FieldStore::TwoBits:
        return true;
    default:
        return false;
    }
}

size_t RecordSize(const char *element)
{
    if (std::strcmp(element, names::kChannel) == 0)
        return ChannelSlot::kSize;
    if (std::strcmp(element, names::kFrequency) == 0)
        return FrequencySlot::kSize;
    return VirtualCP::kSize;
}

struct Span {
    size_t begin, end;
    std::string what;
};

} // namespace

TEST(FieldTable, EveryImageFieldHasItsOwnBytesInsideItsRecord)
{
    using V = VirtualCP;
    std::map<size_t, std::vector<Span>> spans; // record size -> what lies in it
    // The image's tables that no single field describes.
    spans[V::kSize] = {{V::kButtonTableOffset, V::kButtonTableOffset + V::kButtonEntryCount / 2, "button table"},
                       {V::kScanListOffset, V::kScanListOffset + 3, "scan list"},
                       {V::kChannelOffset, V::kChannelOffset + V::kChannelCount * ChannelSlot::kSize, "channels"},
                       {V::kCustomToneOffset, V::kCustomToneOffset + 2 * V::kCustomToneCount, "custom tones"},
                       {V::kFrequencyOffset, V::kFrequencyOffset + V::kFrequencyCount * FrequencySlot::kSize, "frequencies"}};
    spans[ChannelSlot::kSize] = {{19, 20, "checksum"}};
    for (const RadioField &f : RadioFields()) {
        const std::string what = std::string(f.element) + "/" + f.attribute;
        if (f.image.store == FieldStore::Button)
            EXPECT_LT(f.image.offset, V::kButtonEntryCount) << what;
        if (f.image.store == FieldStore::CustomTone)
            EXPECT_LT(f.image.offset, V::kCustomToneCount) << what;
        if (!IsByteField(f.image.store))
            continue;
        const size_t size = RecordSize(f.element);
        ASSERT_GT(f.image.width, 0u) << what;
        ASSERT_LE(f.image.offset + f.image.width, size) << what;
        for (const Span &s : spans[size])
            EXPECT_TRUE(f.image.offset + f.image.width <= s.begin || f.image.offset >= s.end) << what << " lies on " << s.what;
        spans[size].push_back({f.image.offset, f.image.offset + f.image.width, what});
    }
}

TEST(FieldTable, EachAttributeIsWrittenOnceAndEachPageControlBoundOnce)
{
    std::set<std::string> written;
    std::map<FieldPage, std::set<int>> controls;
    for (const RadioField &f : RadioFields()) {
        const std::string what = std::string(f.element) + "/" + f.attribute;
        // The two presets are two elements of one attribute each.
        if (f.image.store != FieldStore::None && std::strcmp(f.element, names::kPreset) != 0)
            EXPECT_TRUE(written.insert(what).second) << what << " written twice";
        if (f.change.nameId != 0)
            EXPECT_TRUE(HasString(f.change.nameId)) << what;
        if (f.change.show == FieldShow::PageList)
            EXPECT_FALSE(f.row.items.empty()) << what << " names its values by a list it lacks";
        if (f.row.page == FieldPage::None)
            continue;
        EXPECT_TRUE(HasString(f.row.textId)) << what;
        EXPECT_TRUE(controls[f.row.page].insert(f.row.ctrlId).second) << what << ": control " << f.row.ctrlId << " bound twice";
        EXPECT_TRUE(controls[f.row.page].insert(f.row.labelId).second) << what << ": label " << f.row.labelId << " used twice";
        if (f.row.kind == RowKind::List || f.row.kind == RowKind::Backlight) {
            EXPECT_FALSE(f.row.items.empty()) << what;
            for (int item : f.row.items)
                EXPECT_TRUE(HasString(item)) << what << " entry " << item;
        }
    }
}

// Each reader takes its rows in its own order: the profile text's within
// an element, the pages' by their place.
TEST(FieldTable, PagesAndTheChangeListFollowThePlacesNotTheTableOrder)
{
    std::vector<std::string> audio;
    for (const RadioField *f : PageFields(FieldPage::AudioSettings))
        audio.push_back(f->attribute);
    EXPECT_EQ(audio,
              (std::vector<std::string>{names::kMicrophoneGain, names::kAccessoryMicrophoneGain, names::kVoxLevel, names::kIvolLevel,
                                        names::kRogerBeepTone, names::kKeypadBeep}));
    const std::vector<const RadioField *> setting = FieldsOf(names::kSetting);
    ASSERT_FALSE(setting.empty());
    EXPECT_STREQ(setting.front()->attribute, names::kPassword);
    const std::vector<const RadioField *> shown = ShownRadioWideFields();
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_LE(shown[i - 1]->shownAt, shown[i]->shownAt);
}
