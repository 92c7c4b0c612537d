#include "codeplug/RadioFields.h"

#include "base/ByteLayout.h"
#include "base/ProfileNames.h"
#include "codeplug/VirtualCP.h"
#include "resources/MessageIds.h"

#include <algorithm>
#include <cstring>

namespace tavo {

namespace {

using V = VirtualCP;
using C = ChannelSlot;
using F = FrequencySlot;
using S = FieldStore;
using Show = FieldShow;
using Page = FieldPage;
namespace n = names;

constexpr FieldRange kByte{0, 255};
constexpr FieldRange kFourBits{0, 15};
constexpr FieldRange kTwoBits{0, 3};
constexpr FieldRange kWord{0, 65535};
constexpr FieldRange kLong{0, 4294967295LL};
constexpr FieldRange kUnchecked{};

// The strings of the level lists.
const std::vector<int> kLevelItems{181, 182, 183};
const std::vector<int> kVoxItems{181, 182, 183, 193}; // VOX alone can be off

// One row per field. Within an element the rows stand in the order the
// profile text writes the attributes (stored profiles keep it); `shownAt`
// orders the pages and the change list.
// One row per field, laid out by hand so that each row reads as one line.
// clang-format off
const RadioField kRows[] = {
    // ---- factory_setting: what identifies the radio (never a change)
    {n::kFactorySetting, n::kSerialCloneCompatibility, {S::Number, V::kCloneCompatibilityOffset, 1}, kByte},
    {n::kFactorySetting, n::kFirmwarePhase, {S::Char, V::kFirmwarePhaseOffset, 1}, kUnchecked},
    {n::kFactorySetting, n::kFirmwareVersion, {S::Char, V::kFirmwareVersionOffset, 1}, kUnchecked},
    {n::kFactorySetting, n::kFirmwareRevision, {S::Char, V::kFirmwareRevisionOffset, 1}, kUnchecked},
    {n::kFactorySetting, n::kCodeplugPhase, {S::Char, V::kCodeplugPhaseOffset, 1}, kUnchecked},
    {n::kFactorySetting, n::kCodeplugVersion, {S::Number, V::kCodeplugVersionOffset, 1}, kByte},
    {n::kFactorySetting, n::kCodeplugDevVersion, {S::Number, V::kCodeplugDevVersionOffset, 1}, kByte},
    {n::kFactorySetting, n::kModel, {S::Model, V::kModelLettersOffset, 8}, kUnchecked},
    {n::kFactorySetting, n::kSerial, {S::Text, V::kSerialOffset, V::kSerialWidth}, kUnchecked},
    {n::kFactorySetting, n::kSynthBaseIntPart, {S::Long, V::kSynthBaseOffset, 4}, kWord},
    {n::kFactorySetting, n::kSubRegion, {S::Zero, 0, 0}, kUnchecked},

    // ---- limit: the model's sizes and feature flags
    {n::kLimit, n::kMaxChannels, {S::Number, V::kChannelSlotsOffset, 1}, {0, 19}},
    {n::kLimit, n::kMaxValidFreqs, {S::Number, V::kFrequencySlotsOffset, 1}, {0, 99}},
    {n::kLimit, n::kStartFreq, {S::Number, V::kStartFreqOffset, 4}, kLong},
    {n::kLimit, n::kEndFreq, {S::Number, V::kEndFreqOffset, 4}, kLong},
    {n::kLimit, n::kDisableTimeOutTimer, {S::Flag, V::kDisableTimeOutTimerOffset, 1}, kUnchecked},
    {n::kLimit, n::kDisableKeypadBeepFeature, {S::Flag, V::kDisableKeypadBeepFeatureOffset, 1}, kUnchecked},
    {n::kLimit, n::kDisableRogerBeepFeature, {S::Flag, V::kDisableRogerBeepFeatureOffset, 1}, kUnchecked},
    {n::kLimit, n::kDisableBusyLedMode, {S::Flag, V::kDisableBusyLedModeOffset, 1}, kUnchecked},
    {n::kLimit, n::kEnableReverseBurst, {S::Flag, V::kEnableReverseBurstOffset, 1}, kUnchecked},
    {n::kLimit, n::kDisableVoxFeature, {S::Flag, V::kDisableVoxFeatureOffset, 1}, kUnchecked},
    {n::kLimit, n::kDisableIvoxFeature, {S::Flag, V::kDisableIvoxFeatureOffset, 1}, kUnchecked},
    {n::kLimit, n::kDisableScrambleFeature, {S::Flag, V::kDisableScrambleFeatureOffset, 1}, kUnchecked},
    {n::kLimit, n::kDisableBatterySaveFeature, {S::Flag, V::kDisableBatterySaveFeatureOffset, 1}, kUnchecked},
    {n::kLimit, n::kFactoryResetDisable, {S::Flag, V::kFactoryResetDisableOffset, 1}, kUnchecked},
    {n::kLimit, n::kDisableScanMode, {S::Flag, V::kDisableScanModeOffset, 1}, kUnchecked},
    {n::kLimit, n::kMaxCallTones, {S::Number, V::kMaxCallTonesOffset, 1}, {0, 7}},
    {n::kLimit, n::kMaxPresetButtons, {S::Number, V::kMaxPresetButtonsOffset, 1}, {0, 3}},
    {n::kLimit, n::kMaxCodes, {S::Long, V::kMaxCodesOffset, 4}, kByte},
    {n::kLimit, n::kPowerCntrlEnabled, {S::Flag, V::kPowerCntrlEnabledOffset, 1}, kUnchecked},
    {n::kLimit, n::kBacklightButtonEnabled, {S::Flag, V::kBacklightButtonEnabledOffset, 1}, kUnchecked},
    // The one user setting the profile keeps on its limits.
    {n::kLimit, n::kProgrammingModeEnabled, {S::Flag, V::kProgrammingModeEnabledOffset, 1}, kUnchecked, 70,
     {msg::ChangeProgrammingMode, Show::Flag}, {Page::Settings, 1057, 1041, 240, RowKind::CheckOne}},
    {n::kLimit, n::kCallFeatureDisable, {S::Flag, V::kCallFeatureDisableOffset, 1}, kUnchecked},
    {n::kLimit, n::kMonitorFeatureDisable, {S::Flag, V::kMonitorFeatureDisableOffset, 1}, kUnchecked},
    {n::kLimit, n::kDisableKeypadLockFeature, {S::Flag, V::kDisableKeypadLockFeatureOffset, 1}, kUnchecked},
    {n::kLimit, n::kDisableRepeaterFeature, {S::Flag, V::kDisableRepeaterFeatureOffset, 1}, kUnchecked},

    // ---- setting: the user's settings
    {n::kSetting, n::kPassword, {S::Text, V::kPasswordOffset, V::kPasswordWidth}, kUnchecked, 10,
     {msg::ChangePassword, Show::Secret}, {Page::Settings, 1050, 1059, 199, RowKind::Text, {}, 0, {}, false}},
    {n::kSetting, n::kDisableLED, {S::Flag, V::kDisableLEDOffset, 1}, kUnchecked, 50,
     {msg::ChangeDisableLed, Show::Flag}, {Page::Settings, 1053, 1037, 202, RowKind::CheckOne, {}, 0, {n::kDisableBusyLedMode}}},
    {n::kSetting, n::kDisableRestoreFactoryDefault, {S::Flag, V::kDisableRestoreFactoryDefaultOffset, 1}, kUnchecked, 60,
     {msg::ChangeDisableRestoreDefault, Show::Flag},
     {Page::Settings, 1055, 1039, 204, RowKind::CheckOne, {}, 0, {n::kFactoryResetDisable}}},
    {n::kSetting, n::kBacklightEnabled, {S::Flag, V::kBacklightEnabledOffset, 1}, kUnchecked, 85,
     {msg::ChangeBacklight, Show::Flag}},
    {n::kSetting, n::kTimeoutTimer, {S::Number, V::kTimeoutTimerOffset, 1}, kByte, 140,
     {msg::ChangeTimeoutTimer, Show::PageList},
     {Page::Settings, 1016, 1026, 206, RowKind::List, {220, 217, 218, 219}, 60, {n::kDisableTimeOutTimer}}},
    {n::kSetting, n::kReverseBurst, {S::Flag, V::kReverseBurstOffset, 1}, kUnchecked, 150,
     {msg::ChangeReverseBurst, Show::Flag},
     {Page::Settings, 1018, 1028, 208, RowKind::List, {224, 225}, -1, {n::kEnableReverseBurst, true}}},
    {n::kSetting, n::kVoxLevel, {S::Number, V::kVoxLevelOffset, 1}, kTwoBits, 230,
     {msg::ChangeVoxLevel, Show::PageList},
     {Page::AudioSettings, 1022, 1027, 175, RowKind::List, kVoxItems, 0, {n::kDisableVoxFeature}}},
    {n::kSetting, n::kIvolLevel, {S::Number, V::kIvolLevelOffset, 1}, kTwoBits, 240,
     {msg::ChangeIvoxLevel, Show::PageList},
     {Page::AudioSettings, 1023, 1028, 176, RowKind::List, kLevelItems, 0, {n::kDisableIvoxFeature}}},
    {n::kSetting, n::kMicrophoneGain, {S::Number, V::kMicrophoneGainOffset, 1}, kTwoBits, 210,
     {msg::ChangeMicrophoneGain, Show::PageList}, {Page::AudioSettings, 1020, 1025, 173, RowKind::List, kLevelItems}},
    {n::kSetting, n::kAccessoryMicrophoneGain, {S::Number, V::kAccessoryMicrophoneGainOffset, 1}, kFourBits, 220,
     {msg::ChangeAccessoryMicrophoneGain, Show::PageList},
     {Page::AudioSettings, 1021, 1026, 174, RowKind::List, kLevelItems}},
    {n::kSetting, n::kBatteryType, {S::Flag, V::kBatteryTypeOffset, 1}, kUnchecked, 160,
     {msg::ChangeBatteryType, Show::Battery}, {Page::Settings, 1019, 1029, 210, RowKind::List, {226, 227}, -1}},
    {n::kSetting, n::kDisableBatterySave, {S::Flag, V::kDisableBatterySaveOffset, 1}, kUnchecked, 80,
     {msg::ChangeDisableBatterySave, Show::Flag},
     {Page::Settings, 1024, 1040, 211, RowKind::CheckOne, {}, 0, {n::kDisableBatterySaveFeature}}},
    // The five programmable buttons by their entries of the function table.
    {n::kSetting, n::kSide1But, {S::Button, 6, 0}, kFourBits, 320, {msg::LabelSideButton1, Show::Button}},
    {n::kSetting, n::kSide2But, {S::Button, 11, 0}, kFourBits, 330, {msg::LabelSideButton2, Show::Button}},
    {n::kSetting, n::kUpperRightBut, {S::Button, 5, 0}, kFourBits, 340, {msg::LabelButtonA, Show::Button}},
    {n::kSetting, n::kLowerLeftBut, {S::Button, 8, 0}, kFourBits, 350, {msg::LabelButtonB, Show::Button}},
    {n::kSetting, n::kLowerRightBut, {S::Button, 9, 0}, kFourBits, 360, {msg::LabelButtonC, Show::Button}},
    {n::kSetting, n::kNumberChannels, {S::Number, V::kNumberChannelsOffset, 1}, {0, 127}, 25,
     {msg::ChangeChannelsInUse, Show::Number}},
    {n::kSetting, n::kCTcode124, {S::CustomTone, 0, 2}, kWord, 410, {msg::ChangeCustomTone, Show::Tenths}},
    {n::kSetting, n::kCTcode125, {S::CustomTone, 1, 2}, kWord, 411, {msg::ChangeCustomTone, Show::Tenths}},
    {n::kSetting, n::kCTcode126, {S::CustomTone, 2, 2}, kWord, 412, {msg::ChangeCustomTone, Show::Tenths}},
    {n::kSetting, n::kCTcode127, {S::CustomTone, 3, 2}, kWord, 413, {msg::ChangeCustomTone, Show::Tenths}},
    {n::kSetting, n::kCTcode128, {S::CustomTone, 4, 2}, kWord, 414, {msg::ChangeCustomTone, Show::Tenths}},
    {n::kSetting, n::kCTcode129, {S::CustomTone, 5, 2}, kWord, 415, {msg::ChangeCustomTone, Show::Tenths}},
    {n::kSetting, n::kPowerupString, {S::Text, V::kPowerupTextOffset, V::kPowerupTextWidth}, kUnchecked, 20,
     {msg::ChangePowerUpText, Show::Text}, {Page::Settings, 1052, 1003, 201, RowKind::Text}},
    {n::kSetting, n::kRogerBeepTone, {S::Flag, V::kRogerBeepToneOffset, 1}, kUnchecked, 250,
     {msg::ChangeRogerBeepTone, Show::Flag},
     {Page::AudioSettings, 1024, 1017, 177, RowKind::Check, {}, 0, {n::kDisableRogerBeepFeature}}},
    {n::kSetting, n::kDisableSelectableScramble, {S::Flag, V::kDisableSelectableScrambleOffset, 1}, kUnchecked, 370,
     {msg::ChangeDisableSelectableScramble, Show::Flag}},
    {n::kSetting, n::kBacklightTimeout, {S::Number, V::kBacklightTimeoutOffset, 1}, kByte, 90,
     {msg::ChangeBacklightTimeout, Show::Number},
     {Page::Settings, 1056, 1060, 205, RowKind::Backlight, {214, 215, 216}, 5}},
    {n::kSetting, n::kCallTone, {S::Number, V::kCallToneOffset, 1}, kFourBits, 380, {msg::ChangeCallTone, Show::Number}},
    {n::kSetting, n::kKeypadLock, {S::Flag, V::kKeypadLockOffset, 1}, kUnchecked, 310,
     {msg::ChangeKeypadLock, Show::Flag},
     {Page::Buttons, 1054, 1038, 203, RowKind::Check, {}, 0, {n::kDisableKeypadLockFeature}}},
    {n::kSetting, n::kKeypadBeep, {S::Flag, V::kKeypadBeepOffset, 1}, kUnchecked, 260,
     {msg::ChangeKeypadBeep, Show::Flag},
     {Page::AudioSettings, 1014, 1018, 178, RowKind::Check, {}, 0, {n::kDisableKeypadBeepFeature}}},
    // Rows of the General Settings page that the image does not carry: the
    // password's confirmation and the repeater options of other models.
    {n::kSetting, n::kPassword, {}, kUnchecked, 11, {}, {Page::Settings, 1051, 1002, 200, RowKind::Text, {}, 0, {}, false}},
    {n::kSetting, n::kStationID, {}, kUnchecked, 30, {}, {Page::Settings, 1054, 1004, 484, RowKind::Text}},
    {n::kSetting, n::kRepIdMode, {}, kUnchecked, 40, {}, {Page::Settings, 1058, 1061, 485, RowKind::List, {414, 493, 494, 495}, 1}},
    {n::kSetting, n::kRepHangtime, {}, kUnchecked, 100, {}, {Page::Settings, 1062, 1005, 486, RowKind::Number}},
    {n::kSetting, n::kLowBatteryTx, {}, kUnchecked, 110, {}, {Page::Settings, 1066, 1006, 505, RowKind::Number}},
    {n::kSetting, n::kOnbattAlert, {}, kUnchecked, 120, {},
     {Page::Settings, 1064, 1063, 487, RowKind::List, {414, 496, 497, 498, 499}, 1}},
    {n::kSetting, n::kCourtesyOver, {}, kUnchecked, 130, {}, {Page::Settings, 1065, 1038, 488, RowKind::CheckOne}},

    // ---- the two preset elements under setting, in their order
    {n::kPreset, n::kChannel, {S::Number, V::kPreset1ChannelOffset, 1}, kByte, 390, {msg::LabelPreset1Channel, Show::ChannelRef}},
    {n::kPreset, n::kChannel, {S::Number, V::kPreset2ChannelOffset, 1}, kByte, 400, {msg::LabelPreset2Channel, Show::ChannelRef}},

    // ---- one channel slot
    {n::kChannel, n::kRxFreqNdx, {S::Number, C::kRxFreqNdxOffset, 1}, kByte, 20, {msg::ChangeChannelRxFrequency, Show::FrequencyRef}},
    {n::kChannel, n::kRxCode, {S::Number, C::kRxCodeOffset, 1}, kByte, 30, {msg::ChangeChannelRxTone, Show::Code}},
    {n::kChannel, n::kTxFreqNdx, {S::Number, C::kTxFreqNdxOffset, 1}, kByte, 60, {msg::ChangeChannelTxFrequency, Show::FrequencyRef}},
    {n::kChannel, n::kTxCode, {S::Number, C::kTxCodeOffset, 1}, kByte, 70, {msg::ChangeChannelTxTone, Show::Code}},
    {n::kChannel, n::kRxBw, {S::Flag, C::kRxBwOffset, 1}, kUnchecked, 40, {msg::ChangeChannelRxBandwidth, Show::Bandwidth}},
    {n::kChannel, n::kTxBw, {S::Flag, C::kTxBwOffset, 1}, kUnchecked, 80, {msg::ChangeChannelTxBandwidth, Show::Bandwidth}},
    {n::kChannel, n::kTalkaroundPower, {S::Flag, C::kTalkaroundPowerOffset, 1}, kUnchecked, 50,
     {msg::ChangeChannelTalkaroundPower, Show::HighLow}},
    {n::kChannel, n::kRepeaterPower, {S::Flag, C::kRepeaterPowerOffset, 1}, kUnchecked, 90,
     {msg::ChangeChannelRepeaterPower, Show::HighLow}},
    {n::kChannel, n::kRepeater, {S::Flag, C::kRepeaterOffset, 1}, kUnchecked, 100, {msg::ChangeChannelRepeater, Show::Flag}},
    {n::kChannel, n::kAutoScan, {S::Flag, C::kAutoScanOffset, 1}, kUnchecked, 110, {msg::ChangeChannelAutoScan, Show::Flag}},
    {n::kChannel, n::kScrambleCode, {S::Number, C::kScrambleCodeOffset, 1}, {0, 3}, 120, {msg::ChangeChannelScramble, Show::Scramble}},
    {n::kChannel, n::kName, {S::Text, C::kNameOffset, C::kNameWidth}, kUnchecked, 10, {msg::ChangeChannelName, Show::Text}},
    {n::kChannel, n::kInScanList, {S::ScanBit, 0, 0}, {0, 1}, 130, {msg::ChangeChannelScanList, Show::Flag}},

    // ---- one frequency slot
    {n::kFrequency, n::kFreq, {S::Frequency, 0, 0}, kLong},
    {n::kFrequency, n::kBandwidth, {S::TwoBits, F::kBandwidthOffset, 1}, kTwoBits, 10,
     {msg::ChangeFrequencyBandwidth, Show::BandwidthMode}},
    {n::kFrequency, n::kPowerLevel, {S::TwoBits, F::kPowerLevelOffset, 1}, kTwoBits, 20, {msg::ChangeFrequencyPower, Show::PowerMode}},
    {n::kFrequency, n::kCompanderLleMode, {S::Number, F::kCompanderModeOffset, 1}, kTwoBits, 30,
     {msg::ChangeFrequencyCompander, Show::Flag}},
};
// clang-format on

std::vector<RadioField> &Table()
{
    static std::vector<RadioField> table(std::begin(kRows), std::end(kRows));
    return table;
}

bool IsRadioWide(const char *element)
{
    for (const char *e : {n::kFactorySetting, n::kLimit, n::kSetting, n::kPreset})
        if (std::strcmp(e, element) == 0)
            return true;
    return false;
}

template <typename Keep>
std::vector<const RadioField *> Select(Keep keep, bool shownOrder)
{
    std::vector<const RadioField *> fields;
    for (const RadioField &f : Table())
        if (keep(f))
            fields.push_back(&f);
    if (shownOrder)
        std::stable_sort(fields.begin(), fields.end(), [](const RadioField *a, const RadioField *b) { return a->shownAt < b->shownAt; });
    return fields;
}

} // namespace

const std::vector<RadioField> &RadioFields()
{
    return Table();
}

std::vector<const RadioField *> FieldsOf(const char *element)
{
    return Select([element](const RadioField &f) { return std::strcmp(f.element, element) == 0; }, false);
}

std::vector<const RadioField *> ShownRadioWideFields()
{
    return Select([](const RadioField &f) { return IsRadioWide(f.element); }, true);
}

std::vector<const RadioField *> ShownFieldsOf(const char *element)
{
    return Select([element](const RadioField &f) { return std::strcmp(f.element, element) == 0; }, true);
}

std::vector<const RadioField *> PageFields(FieldPage page)
{
    return Select([page](const RadioField &f) { return page != FieldPage::None && f.row.page == page; }, true);
}

uint32_t StoredNumber(const RadioField &field, const VirtualCP &cp, const uint8_t *record, size_t slot)
{
    switch (field.image.store) {
    case S::Button:
        return cp.ButtonEntry(field.image.offset);
    case S::CustomTone:
        return cp.CustomTone(field.image.offset);
    case S::ScanBit:
        return cp.ScanListBit(slot) ? 1 : 0;
    case S::Char:
        return record[field.image.offset];
    case S::Number:
    case S::Long:
    case S::Flag:
    case S::TwoBits:
        return GetLE(record + field.image.offset, field.image.width);
    case S::None:
    case S::Text:
    case S::Model:
    case S::Zero:
    case S::Frequency:
        break;
    }
    return 0;
}

void StoreNumber(const RadioField &field, VirtualCP &cp, uint8_t *record, size_t slot, uint32_t value)
{
    switch (field.image.store) {
    case S::Button:
        cp.SetButtonEntry(field.image.offset, value);
        break;
    case S::CustomTone:
        cp.SetCustomTone(field.image.offset, value & 0xFFFF);
        break;
    case S::ScanBit:
        cp.SetScanListBit(slot, value);
        break;
    case S::Char:
        record[field.image.offset] = static_cast<uint8_t>(value);
        break;
    case S::Number:
    case S::Long:
    case S::Flag:
    case S::TwoBits:
        SetLE(record + field.image.offset, field.image.width, value);
        break;
    case S::None:
    case S::Text:
    case S::Model:
    case S::Zero:
    case S::Frequency:
        break;
    }
}

ScopedExtraRadioField::ScopedExtraRadioField(RadioField field)
{
    Table().push_back(std::move(field));
}

ScopedExtraRadioField::~ScopedExtraRadioField()
{
    Table().pop_back();
}

} // namespace tavo
