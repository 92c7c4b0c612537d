#include "radio/RadioMemoryMap.h"

#include <cstring>

namespace tavo::radiomap {

// ---- tables

const BitField kSettingsFields[] = {
    {0, 4, 4, 80, false},  // accessory microphone gain
    {0, 2, 2, 79, false},  // microphone gain
    {0, 0, 2, 77, false},  // VOX level
    {1, 6, 2, 78, false},  // ivol level
    {1, 5, 1, 74, false},  // backlight enabled
    {1, 4, 1, 76, false},  // reverse burst
    {1, 3, 1, 106, true},  // keypad beep, inverted
    {1, 2, 1, 105, false}, // keypad lock
    {1, 1, 1, 104, false}, // roger beep tone
    {1, 0, 1, 81, false},  // battery type
    {2, 7, 1, 73, false},  // disable restore factory default
    {3, 6, 1, 82, false},  // disable battery save
    {3, 5, 1, 103, false}, // disable selectable scramble
    {3, 0, 4, 107, false}, // call tone
    {4, 0, 8, 108, false}, // Preset 1 channel
    {5, 0, 8, 109, false}, // Preset 2 channel
    {6, 7, 1, 72, false},  // disable LED
    {6, 0, 7, 94, false},  // channels in use
    {7, 0, 8, 110, false}, // backlight time-out
    {8, 0, 8, 75, false},  // time-out timer
};
const size_t kSettingsFieldCount = sizeof(kSettingsFields) / sizeof(kSettingsFields[0]);

const ByteRun kSettingsRuns[] = {
    {9, 68, 4},   // password
    {21, 91, 3},  // scan-list bit map
    {24, 95, 8},  // power-up text
};
const size_t kSettingsRunCount = sizeof(kSettingsRuns) / sizeof(kSettingsRuns[0]);

const std::array<uint8_t, 5> kProgrammableButtons = {5, 6, 8, 9, 11};

const BitField kChannelFields[] = {
    {4, 7, 1, 5, false},  // transmit bandwidth
    {4, 6, 1, 6, false},  // talkaround power
    {4, 5, 1, 9, false},  // auto scan
    {4, 3, 2, 10, false}, // scramble code
    {4, 2, 1, 8, false},  // repeater
    {4, 1, 1, 4, false},  // receive bandwidth
    {4, 0, 1, 7, false},  // repeater power
};
const size_t kChannelFieldCount = sizeof(kChannelFields) / sizeof(kChannelFields[0]);

const ByteRun kChannelRuns[] = {
    {0, 0, 4},   // receive index and code, transmit index and code
    {5, 11, 8},  // name
};
const size_t kChannelRunCount = sizeof(kChannelRuns) / sizeof(kChannelRuns[0]);

const BitField kLimitsFields[] = {
    {4, 0, 5, 28, false},  // channel slots
    {6, 0, 8, 29, false},  // frequency slots
    {7, 5, 1, 62, false},  // programming mode enabled
    {7, 3, 2, 53, false},  // number of preset buttons
    {8, 0, 3, 52, false},  // number of call tones
    {10, 7, 1, 40, false}, // disable time-out timer
    {10, 6, 1, 41, false}, // image byte 41
    {10, 5, 1, 42, false}, // disable keypad beep
    {10, 4, 1, 43, false}, // disable roger beep
    {10, 3, 1, 44, false}, // disable busy LED
    {10, 2, 1, 45, false}, // enable reverse burst
    {10, 1, 1, 46, false}, // disable VOX
    {10, 0, 1, 47, false}, // disable iVOX
    {11, 7, 1, 48, false}, // disable scramble
    {11, 6, 1, 49, false}, // disable battery save
    {11, 5, 1, 50, false}, // factory reset disable
    {11, 4, 1, 51, false}, // disable scan mode
    {11, 3, 1, 61, false}, // backlight button enabled
    {11, 2, 1, 60, false}, // power control enabled
    {13, 7, 1, 66, false}, // disable repeater
    {13, 6, 1, 63, false}, // call feature disable
    {13, 5, 1, 64, false}, // monitor feature disable
    {16, 3, 1, 65, false}, // disable keypad lock
};
const size_t kLimitsFieldCount = sizeof(kLimitsFields) / sizeof(kLimitsFields[0]);

const std::array<uint8_t, kParameterBlockSize> kReferenceTableB = {
    0x25, 0xF0, 0x00, 0x78, 0x7A, 0x27, 0x36, 0x52, 0xE0, 0x0B, 0x36, 0x62, 0xE0, 0x37,
    0x36, 0xA2, 0xE0, 0x20, 0x36, 0xC2, 0xE0, 0x1E, 0x36, 0x92, 0xE0, 0x1C, 0x36, 0xE2,
    0xE0, 0x25, 0xF0, 0x3C, 0x2A, 0x1D, 0xE0, 0x3A, 0x77, 0x20, 0xA6, 0x07, 0x36, 0x26,
    0xE8, 0x36, 0x75, 0x1F, 0xA4, 0x05, 0x36, 0x34, 0xE0, 0x0B, 0xA3, 0x0A, 0x22, 0x13,
    0xE0, 0x2F, 0x22, 0x33, 0xE8, 0x2D, 0x30, 0x26, 0xB6, 0x07, 0x7E, 0x1A, 0x60, 0x12,
    0x00, 0xDE, 0xF0, 0x27, 0xA3, 0x0A, 0x2A, 0x33, 0xE0, 0x24, 0xF7, 0xF6, 0x78, 0x17,
    0x79, 0x18, 0xA3, 0x08, 0x22, 0x33, 0xE0, 0x03, 0x62, 0x02, 0x34, 0x72, 0xF0, 0x01,
    0x60, 0x02, 0xB2, 0x09, 0xF0, 0x18, 0x2A, 0x2E, 0xE0, 0x16, 0x7B, 0x13, 0xA5, 0x0B,
    0x2A, 0x35, 0xE0, 0x12, 0x66, 0x32, 0x34, 0xAB, 0xB2, 0x7B, 0xF0, 0x0E, 0x72, 0x10,
    0xA3, 0x02, 0x2A, 0x23, 0xE0, 0x0A, 0x78, 0x0F, 0xC5, 0x08, 0x36, 0x85, 0xE8, 0x06,
    0x20, 0x98, 0xC5, 0x78, 0x30, 0x35, 0x34, 0x05, 0x34, 0x15, 0xD5, 0x78, 0x00, 0x68,
    0x21, 0xF0, 0x00, 0xCF, 0x00, 0x00, 0x00, 0x02, 0x04, 0x88, 0x00, 0x02, 0x04, 0x70,
    0x00, 0x02, 0x02, 0x96, 0x00, 0x00, 0x72, 0xCE, 0x00, 0x02, 0x00, 0x69, 0x00, 0x02,
    0x01, 0x27, 0x00, 0x02, 0x00, 0x17, 0x00, 0x02, 0x00, 0x09, 0x00, 0x05, 0x32, 0x86,
};

std::array<uint8_t, kParameterBlockSize> ReferenceTableA()
{
    std::array<uint8_t, kParameterBlockSize> a = kReferenceTableB;
    a[89] = 0x43; // table A differs from B in byte 89 only
    return a;
}

// ---- field helpers

uint8_t ExtractField(const uint8_t *record, const BitField &f)
{
    const unsigned mask = (1u << f.width) - 1u;
    const unsigned v = (record[f.recordByte] >> f.shift) & mask;
    if (f.inverted)
        return v ? 0 : 1;
    return static_cast<uint8_t>(v);
}

void InsertField(uint8_t *record, const BitField &f, uint32_t value)
{
    const unsigned mask = (1u << f.width) - 1u;
    unsigned v;
    if (f.width == 1)
        v = (value != 0) ? 1u : 0u;
    else
        v = value & mask;
    if (f.inverted)
        v ^= 1u;
    uint8_t &b = record[f.recordByte];
    b = static_cast<uint8_t>((b & ~(mask << f.shift)) | (v << f.shift));
}

namespace {

void unpackFields(const uint8_t *record, const BitField *fields, size_t count, uint8_t *image)
{
    for (size_t i = 0; i < count; ++i)
        image[fields[i].imageOffset] = ExtractField(record, fields[i]);
}

void packFields(const uint8_t *image, const BitField *fields, size_t count, uint8_t *record)
{
    for (size_t i = 0; i < count; ++i)
        InsertField(record, fields[i], image[fields[i].imageOffset]);
}

void unpackRuns(const uint8_t *record, const ByteRun *runs, size_t count, uint8_t *image)
{
    for (size_t i = 0; i < count; ++i)
        std::memcpy(image + runs[i].imageOffset, record + runs[i].recordByte, runs[i].length);
}

void packRuns(const uint8_t *image, const ByteRun *runs, size_t count, uint8_t *record)
{
    for (size_t i = 0; i < count; ++i)
        std::memcpy(record + runs[i].recordByte, image + runs[i].imageOffset, runs[i].length);
}

uint32_t buttonEntry(const uint8_t *table, size_t entry)
{
    const uint8_t b = table[entry / 2];
    return (entry % 2 == 0) ? (b & 0x0F) : (b >> 4);
}

void setButtonEntry(uint8_t *table, size_t entry, uint32_t value)
{
    uint8_t &b = table[entry / 2];
    const uint8_t nib = static_cast<uint8_t>(value & 0x0F);
    b = (entry % 2 == 0) ? static_cast<uint8_t>((b & 0xF0) | nib) : static_cast<uint8_t>((b & 0x0F) | (nib << 4));
}

constexpr unsigned kScrambleButtonBit = 4;

} // namespace

// ---- layout rules

bool UsesNewerLayoutForRead(char phase, char version, char revision)
{
    if (phase == 'R')
        return version > '1' || (version == '1' && revision >= '7');
    if (phase == 'D')
        return version >= '7';
    return false;
}

bool UsesNewerLayoutForIdent(char phase, char version, char revision)
{
    return (phase == 'R' && version == '1' && revision >= '7') || (phase == 'D' && version == '7');
}

// ---- header

void UnpackHeader(const uint8_t header[kHeaderSize], VirtualCP &cp)
{
    std::memcpy(cp.SerialBytes(), header, VirtualCP::kSerialWidth);
    std::memcpy(cp.At(VirtualCP::kModelLettersOffset), header + 10, 8);
    cp.SetCodeplugPhase(header[18]);
    cp.SetCodeplugVersion(header[19]);
    cp.SetCodeplugDevVersion(header[20]);
}

void PackHeader(const VirtualCP &cp, uint8_t header[kHeaderSize])
{
    std::memset(header, 0, kHeaderSize);
    std::memcpy(header, cp.SerialBytes(), VirtualCP::kSerialWidth);
    std::memcpy(header + 10, cp.At(VirtualCP::kModelLettersOffset), 8);
    header[18] = static_cast<uint8_t>(cp.CodeplugPhase());
    header[19] = static_cast<uint8_t>(cp.CodeplugVersion());
    header[20] = static_cast<uint8_t>(cp.CodeplugDevVersion());
}

// ---- limits

void UnpackLimits(const uint8_t limits[kLimitsSize], bool newerLayout, VirtualCP &cp)
{
    unpackFields(limits, kLimitsFields, kLimitsFieldCount, cp.bytes.data());
    cp.SetMaxCodes(ExtractField(limits, newerLayout ? kMaxCodesNewer : kMaxCodesOlder));
}

void PackLimits(const VirtualCP &cp, uint8_t limits[kLimitsSize])
{
    packFields(cp.bytes.data(), kLimitsFields, kLimitsFieldCount, limits);
    const uint32_t codes = cp.MaxCodes();
    InsertField(limits, kMaxCodesOlder, codes > 127 ? 127 : codes);
    InsertField(limits, kMaxCodesNewer, codes > 255 ? 255 : codes);
}

void ApplyRepeaterRule(VirtualCP &cp)
{
    const uint8_t digit = FirstModelDigit(cp);
    if ((digit == 4 || digit == 5) && ThirdModelLetter(cp) != 'D')
        cp.SetDisableRepeaterFeature(0);
}

// ---- settings record

void UnpackSettingsRecord(const uint8_t *record, VirtualCP &cp)
{
    unpackFields(record, kSettingsFields, kSettingsFieldCount, cp.bytes.data());
    unpackRuns(record, kSettingsRuns, kSettingsRunCount, cp.bytes.data());
    std::memcpy(cp.At(VirtualCP::kButtonTableOffset), record + kButtonTableRecordByte, kButtonTableSize);
}

bool KeepScrambleButtonBit(const VirtualCP &cp)
{
    if (cp.DisableSelectableScramble() == 0)
        return false;
    const bool allFive = ThirdModelLetter(cp) == 'D';
    for (uint8_t entry : kProgrammableButtons) {
        const bool lookedAt = entry == 6 || entry == 11 || allFive;
        if (lookedAt && cp.ButtonEntry(entry) == kScrambleButtonFunction)
            return true;
    }
    return false;
}

void PackSettingsRecordForWrite(const VirtualCP &cp, uint8_t *record)
{
    packFields(cp.bytes.data(), kSettingsFields, kSettingsFieldCount, record);
    packRuns(cp.bytes.data(), kSettingsRuns, kSettingsRunCount, record);
    if (!KeepScrambleButtonBit(cp))
        record[3] = static_cast<uint8_t>(record[3] & ~(1u << kScrambleButtonBit));
    uint8_t *table = record + kButtonTableRecordByte;
    for (uint8_t entry : kProgrammableButtons)
        setButtonEntry(table, entry, cp.ButtonEntry(entry));
}

void PackSettingsRecordFull(const VirtualCP &cp, uint8_t *record)
{
    packFields(cp.bytes.data(), kSettingsFields, kSettingsFieldCount, record);
    packRuns(cp.bytes.data(), kSettingsRuns, kSettingsRunCount, record);
    std::memcpy(record + kButtonTableRecordByte, cp.At(VirtualCP::kButtonTableOffset), kButtonTableSize);
    bool scrambleButton = false;
    for (uint8_t entry : kProgrammableButtons)
        scrambleButton = scrambleButton || buttonEntry(record + kButtonTableRecordByte, entry) == kScrambleButtonFunction;
    record[3] = static_cast<uint8_t>(scrambleButton ? (record[3] | (1u << kScrambleButtonBit)) : (record[3] & ~(1u << kScrambleButtonBit)));
}

// ---- channel record

uint8_t ChannelRecordChecksum(const uint8_t *record)
{
    unsigned sum = kChannelChecksumBase;
    for (size_t i = 0; i < kChannelChecksumByte; ++i)
        sum += record[i];
    return static_cast<uint8_t>(sum & 0xFF);
}

void UnpackChannelRecord(const uint8_t *record, ChannelSlot &slot)
{
    unpackFields(record, kChannelFields, kChannelFieldCount, slot.bytes.data());
    unpackRuns(record, kChannelRuns, kChannelRunCount, slot.bytes.data());
    slot.SetChecksum(record[kChannelChecksumByte]);
}

void PackChannelRecord(const ChannelSlot &slot, uint8_t *record)
{
    record[4] = 0;
    packFields(slot.bytes.data(), kChannelFields, kChannelFieldCount, record);
    packRuns(slot.bytes.data(), kChannelRuns, kChannelRunCount, record);
    record[kChannelChecksumByte] = ChannelRecordChecksum(record);
}

// ---- frequency record

void UnpackFrequencyRecord(const uint8_t *r, FrequencySlot &slot)
{
    slot.SetRefDivider((r[0] >> 3) & 0x0F);
    slot.SetDividerOffset(static_cast<uint32_t>(((r[0] & 0x07) << 4) | (r[1] >> 4)));
    slot.SetPowerLevel((r[1] >> 2) & 0x03);
    slot.SetCompanderMode(r[1] & 0x03);
    slot.SetBandwidth((r[2] >> 6) & 0x03);
    slot.SetSynthMode((r[2] >> 3) & 0x07);
    const uint32_t f = (static_cast<uint32_t>(r[2] & 0x07) << 24) | (static_cast<uint32_t>(r[3]) << 16)
        | (static_cast<uint32_t>(r[4]) << 8) | r[5];
    slot.SetFracHigh(f >> 16);
    slot.SetFracLow(f & 0xFFFF);
}

void PackFrequencyRecord(const FrequencySlot &slot, uint8_t *r)
{
    const uint32_t n = slot.DividerOffset() & 0x7F;
    const uint32_t f = ((slot.FracHigh() & 0x7FF) << 16) | (slot.FracLow() & 0xFFFF);
    r[0] = static_cast<uint8_t>(((slot.RefDivider() & 0x0F) << 3) | (n >> 4));
    r[1] = static_cast<uint8_t>(((n & 0x0F) << 4) | ((slot.PowerLevel() & 0x03) << 2) | (slot.CompanderMode() & 0x03));
    r[2] = static_cast<uint8_t>(((slot.Bandwidth() & 0x03) << 6) | ((slot.SynthMode() & 0x07) << 3) | ((f >> 24) & 0x07));
    r[3] = static_cast<uint8_t>((f >> 16) & 0xFF);
    r[4] = static_cast<uint8_t>((f >> 8) & 0xFF);
    r[5] = static_cast<uint8_t>(f & 0xFF);
}

// ---- settings block

bool HasCustomTones(const VirtualCP &cp)
{
    return cp.MaxCodes() > kCustomToneThreshold;
}

size_t SettingsBlockLength(const VirtualCP &cp)
{
    return HasCustomTones(cp) ? kSettingsBlockLong : kSettingsBlockShort;
}

void UnpackSettingsBlock(const uint8_t *block, VirtualCP &cp)
{
    UnpackSettingsRecord(block, cp);
    for (size_t j = 0; j < cp.UsedChannelSlots(); ++j) {
        ChannelSlot slot;
        UnpackChannelRecord(block + kChannelRecordOffset + kChannelRecordSize * j, slot);
        cp.SetChannel(j, slot);
    }
    if (HasCustomTones(cp)) {
        for (size_t i = 0; i < VirtualCP::kCustomToneCount; ++i)
            cp.SetCustomTone(i, GetBE(block + kCustomToneBlockOffset + 2 * i, 2));
    }
}

void PackSettingsBlockForWrite(const VirtualCP &cp, uint8_t *block)
{
    PackSettingsRecordForWrite(cp, block);
    for (size_t j = 0; j < cp.UsedChannelSlots(); ++j)
        PackChannelRecord(cp.Channel(j), block + kChannelRecordOffset + kChannelRecordSize * j);
    if (HasCustomTones(cp)) {
        for (size_t i = 0; i < VirtualCP::kCustomToneCount; ++i)
            SetBE(block + kCustomToneBlockOffset + 2 * i, 2, cp.CustomTone(i));
    }
}

// ---- frequency limits

void UnpackFrequencyLimits(const uint8_t *bytes, VirtualCP &cp)
{
    cp.SetStartFreq(GetBE(bytes, 4));
    cp.SetEndFreq(GetBE(bytes + 4, 4));
}

void PackFrequencyLimits(const VirtualCP &cp, uint8_t *bytes)
{
    SetBE(bytes, 4, cp.StartFreq());
    SetBE(bytes + 4, 4, cp.EndFreq());
}

// ---- firmware-specific step

bool NeedsFirmwareStep(const VirtualCP &cp)
{
    const uint8_t digit = FirstModelDigit(cp);
    return (digit == 4 || digit == 5) && ThirdModelLetter(cp) != 'D' && cp.FirmwarePhase() == 'R'
        && cp.FirmwareVersion() == '1' && cp.FirmwareRevision() == '6';
}

ReferenceTable ReferenceTableFor(const VirtualCP &cp)
{
    const uint8_t digit = FirstModelDigit(cp);
    const bool v = SecondModelLetter(cp) == 'V';
    if (v && digit == 5)
        return ReferenceTable::A;
    if (!v && digit == 4)
        return ReferenceTable::B;
    return ReferenceTable::None;
}

} // namespace tavo::radiomap
