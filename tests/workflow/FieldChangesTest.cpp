// Every field the change list names, changed alone, is one line under its
// own name: the comparison takes its fields from the field table, so a row
// whose place in the image or whose name is wrong shows here.

#include "workflow/CodeplugComparison.h"

#include "base/ProfileNames.h"
#include "codeplug/RadioFields.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace tavo;

namespace {

void SetText(uint8_t *field, size_t width, const char *text)
{
    std::memset(field, 0, width);
    std::memcpy(field, text, std::min(width, std::strlen(text)));
}

// Three channels on two frequencies, each transmitting with its own
// settings (equal to its receive ones), customised tones on.
VirtualCP Base()
{
    VirtualCP cp;
    SetText(cp.SerialBytes(), VirtualCP::kSerialWidth, "123ABC4567");
    SetText(cp.ModelLettersBytes(), 3, "OUD");
    cp.SetSynthBase(400);
    cp.SetChannelSlots(16);
    cp.SetNumberChannels(3);
    cp.SetFrequencySlots(2);
    cp.SetMaxCodes(127);
    SetText(cp.PowerupTextBytes(), VirtualCP::kPowerupTextWidth, "HELLO");
    SetText(cp.PasswordBytes(), VirtualCP::kPasswordWidth, "1234");
    for (size_t i = 0; i < 2; ++i) {
        FrequencySlot f = cp.Frequency(i);
        HzToSynth(446006250 + 12500 * uint32_t(i), f, cp.SynthBase());
        cp.SetFrequency(i, f);
    }
    for (size_t j = 0; j < 3; ++j) {
        ChannelSlot c;
        SetText(c.NameBytes(), 8, ("OLD" + std::to_string(j + 1)).c_str());
        c.SetRepeater(1);
        cp.SetChannel(j, c);
    }
    return cp;
}

// Another value of `field` in `record`: other characters for a text, the
// next value within the field's range (or its stored width) for a number.
void ChangeField(const RadioField &field, VirtualCP &cp, uint8_t *record, size_t slot)
{
    if (field.image.store == FieldStore::Text) {
        const bool isX = record[field.image.offset] == 'X';
        SetText(record + field.image.offset, field.image.width, isX ? "Y" : "X");
        return;
    }
    const uint32_t value = StoredNumber(field, cp, record, slot);
    const uint32_t high = field.image.store == FieldStore::Flag || field.image.store == FieldStore::ScanBit ? 1
        : field.range.Checked()                                                                             ? uint32_t(field.range.high)
                                                                                                            : 255;
    StoreNumber(field, cp, record, slot, value < high ? value + 1 : 0);
}

QString FieldName(const RadioField &field)
{
    if (field.image.store == FieldStore::CustomTone)
        return LoadString(field.change.nameId)
            .replace(QStringLiteral("%1"), QString::number(VirtualCP::kFirstCustomCode + field.image.offset));
    return LoadString(field.change.nameId);
}

CodeplugComparisonOptions Dotted()
{
    CodeplugComparisonOptions options;
    options.decimalSeparator = QStringLiteral(".");
    options.buttonName = [](const QString &, uint32_t) { return QString(); };
    return options;
}

} // namespace

TEST(FieldChanges, EachRadioWideFieldChangedAloneIsOneLineUnderItsName)
{
    const VirtualCP before = Base();
    int named = 0;
    for (const RadioField *field : ShownRadioWideFields()) {
        if (field->change.nameId == 0)
            continue;
        ++named;
        VirtualCP after = before;
        ChangeField(*field, after, after.bytes.data(), 0);
        const QStringList lines = CodeplugChangeLines(before, after, Dotted());
        ASSERT_FALSE(lines.isEmpty()) << field->attribute;
        EXPECT_TRUE(lines.first().startsWith(FieldName(*field) + QStringLiteral(": "))) << lines.first().toStdString();
        // Fewer channels in use remove the last: that line follows.
        if (std::strcmp(field->attribute, names::kNumberChannels) != 0)
            EXPECT_EQ(lines.size(), 1) << lines.join(QLatin1Char('\n')).toStdString();
    }
    EXPECT_GE(named, 20);
}

// The fields of one slot (`Slot` of the image, read and written by `get`
// and `set`), each changed alone in slot 1: one line named by `lineId`.
template <typename Get, typename Set>
void ExpectOneLineForEachField(const char *element, int lineId, Get get, Set set)
{
    const VirtualCP before = Base();
    for (const RadioField *field : ShownFieldsOf(element)) {
        if (field->change.nameId == 0)
            continue;
        VirtualCP after = before;
        auto slot = get(after);
        ChangeField(*field, after, slot.bytes.data(), 1);
        set(after, slot);
        const QStringList lines = CodeplugChangeLines(before, after, Dotted());
        ASSERT_EQ(lines.size(), 1) << field->attribute << "\n" << lines.join(QLatin1Char('\n')).toStdString();
        const QString name = LoadString(lineId)
                                 .replace(QStringLiteral("%1"), QStringLiteral("2"))
                                 .replace(QStringLiteral("%2"), LoadString(field->change.nameId));
        EXPECT_TRUE(lines.first().startsWith(name + QStringLiteral(": "))) << lines.first().toStdString();
    }
}

TEST(FieldChanges, EachChannelAndFrequencyFieldChangedAloneIsOneLineUnderItsName)
{
    ExpectOneLineForEachField(
        names::kChannel, msg::ChangeChannelField, [](const VirtualCP &cp) { return cp.Channel(1); },
        [](VirtualCP &cp, const ChannelSlot &slot) { cp.SetChannel(1, slot); });
    ExpectOneLineForEachField(
        names::kFrequency, msg::ChangeFrequencyField, [](const VirtualCP &cp) { return cp.Frequency(1); },
        [](VirtualCP &cp, const FrequencySlot &slot) { cp.SetFrequency(1, slot); });
}
