#pragma once
// Every field of the profile, described once: its element and attribute,
// where the codeplug image keeps it, the range the radio holds, how the
// change list names it and its values, and the page row that edits it
// (caption, control, list entries, the model flag that hides it).
//
// The image conversion, the profile's range check, the change list, the
// pages' row tables and the reports all read this one table. Adding a field
// is adding its row to kRows in RadioFields.cpp (and, for a new caption, its
// text to the string table); the installation's schema, rule script and
// visibility document declare it for the profiles and the pages. A page
// whose form lacks the row's control builds one below its rows (the Audio
// Settings page for any row, General Settings for lists and check boxes;
// its text entries have their own handling). For the radio to keep a new
// image byte, the radio's record layout (radio/RadioMemoryMap) maps it.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavo {

struct VirtualCP;

// How a field sits in the codeplug image.
enum class FieldStore {
    None,       // not in the image: a value only the profile and its page carry
    Number,     // unsigned little-endian number of `width` bytes
    Long,       // the same for a schema long: written at most 2147483647
    Flag,       // written "1" for a stored 1 and "0" for anything else
    Char,       // one character of one byte
    Text,       // fixed-width characters, zero-padded
    Model,      // three letters and five digit bytes
    Button,     // entry `offset` of the four-bit button function table
    CustomTone, // customised CT tone `offset` (only with maxCodes >= 123)
    ScanBit,    // the channel's bit of the scan-list bit map
    Zero,       // written as "0", never read back
    Frequency,  // a frequency slot's synthesizer setting, as hertz
    TwoBits,    // written as its low two bits, read back whole
};

// How the change list names a field's values.
enum class FieldShow {
    None,          // not in the change list
    Number,        // the number as it stands
    Flag,          // ON / OFF (only 1 is on)
    Text,          // the characters in the code page
    Secret,        // characters compared but shown as stars
    HighLow,       // 0 high, 1 low (as the channel page lists them)
    Bandwidth,     // 12.5 / 25 (kHz)
    Scramble,      // off, scramble codes 1-3
    Battery,       // alkaline, nickel / lithium-ion
    Code,          // a squelch code, labelled as in the channel lists
    FrequencyRef,  // a position in the frequency table, shown as its MHz
    ChannelRef,    // a channel slot, shown as the channel's number
    Button,        // a button function code, named by the button list
    Tenths,        // a customised tone in 0.1 Hz
    BandwidthMode, // a frequency's bandwidth mode (only / selectable)
    PowerMode,     // a frequency's power mode
    PageList,      // the entry of the field's own page list
};

// The pages that edit radio-wide fields row by row.
enum class FieldPage { None, Settings, AudioSettings, Buttons };

enum class RowKind {
    List,     // a drop-down list; the stored value selects an entry
    Check,    // a check box, checked when the value is not 0
    CheckOne, // a check box, checked when the value is 1
    Number,   // an entry showing the value as a whole number
    Text,     // an entry showing the stored text
    Backlight // the backlight list: off, or the time-out in 5 s steps
};

// A model flag of `limit` that hides a row: the row is hidden when the
// flag is non-zero, or, with `hideWhenClear`, when it is 0.
struct HideFlag {
    const char *name = nullptr;
    bool hideWhenClear = false;
};

struct FieldImage {
    FieldStore store = FieldStore::None;
    size_t offset = 0; // into the image or its slot, or the entry / tone index
    size_t width = 0;
};

// The values the radio holds where the schema allows more; `high` below
// `low`: not checked.
struct FieldRange {
    int64_t low = 0;
    int64_t high = -1;
    bool Checked() const { return high >= low; }
};

struct FieldChange {
    int nameId = 0; // the change list's name of the field; 0: not listed
    FieldShow show = FieldShow::None;
};

struct FieldRow {
    FieldPage page = FieldPage::None;
    int labelId = 0;
    int ctrlId = 0;
    int textId = 0; // the caption's string
    RowKind kind = RowKind::Number;
    std::vector<int> items; // a list's entries (string ids), in list order
    // A list's position from the stored value: 0 as it is, n > 0 the value
    // divided by n, -1 position 1 for any non-zero value.
    int scale = 0;
    HideFlag hide;
    bool reported = true; // false for rows a report never prints (the password)
};

struct RadioField {
    const char *element; // names::kSetting, names::kChannel ...
    const char *attribute;
    FieldImage image;
    FieldRange range;
    // Where the pages and the change list show the field among the others
    // of its record (radio-wide, channel, frequency): lowest first.
    int shownAt = 0;
    FieldChange change;
    FieldRow row;
};

// The whole table, in the order the profile text writes the attributes of
// each element.
const std::vector<RadioField> &RadioFields();

// The fields of `element`, in the profile text's order.
std::vector<const RadioField *> FieldsOf(const char *element);
// The radio-wide fields (factory_setting, limit, setting, preset), or those
// of `element`, in the order the pages and the change list show them.
std::vector<const RadioField *> ShownRadioWideFields();
std::vector<const RadioField *> ShownFieldsOf(const char *element);
// The rows of `page`, in the page's order.
std::vector<const RadioField *> PageFields(FieldPage page);

// The number a field holds in `record` (the image's bytes or one slot's);
// `slot` is the channel slot for the scan-list bit. Flags and two-bit
// fields are read as stored. Not for Text, Model, Char's text, None, Zero
// and Frequency.
uint32_t StoredNumber(const RadioField &field, const VirtualCP &cp, const uint8_t *record, size_t slot = 0);
// Stores `value` into the field; the same kinds.
void StoreNumber(const RadioField &field, VirtualCP &cp, uint8_t *record, size_t slot, uint32_t value);

// Adds a row to the table for the life of the object (the test that adds a
// field in one row). Not for use while other threads read the table.
class ScopedExtraRadioField {
public:
    explicit ScopedExtraRadioField(RadioField field);
    ~ScopedExtraRadioField();
    ScopedExtraRadioField(const ScopedExtraRadioField &) = delete;
    ScopedExtraRadioField &operator=(const ScopedExtraRadioField &) = delete;
};

} // namespace tavo
