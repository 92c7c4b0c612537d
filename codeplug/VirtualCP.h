#pragma once
// The codeplug image: one radio's configuration in the fixed 2089-byte form
// closest to the radio's memory. Multi-byte integers are little-endian
// inside the image. A plain value type without pointers; unlisted bytes are
// reserved and kept as they are.

#include "base/ByteLayout.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace tavo {

// Scalar fields: name, offset, width in bytes.
#define TAVO_VCP_SCALAR_FIELDS(X)              \
    X(FirmwarePhase, 0, 1)                     \
    X(FirmwareVersion, 1, 1)                   \
    X(FirmwareRevision, 2, 1)                  \
    X(CodeplugPhase, 3, 1)                     \
    X(CodeplugVersion, 4, 1)                   \
    X(CodeplugDevVersion, 5, 1)                \
    X(SynthBase, 24, 4)                        \
    X(ChannelSlots, 28, 1)                     \
    X(FrequencySlots, 29, 1)                   \
    X(StartFreq, 32, 4)                        \
    X(EndFreq, 36, 4)                          \
    X(DisableTimeOutTimer, 40, 1)              \
    X(RadioOnlyFlag41, 41, 1)                  \
    X(DisableKeypadBeepFeature, 42, 1)         \
    X(DisableRogerBeepFeature, 43, 1)          \
    X(DisableBusyLedMode, 44, 1)               \
    X(EnableReverseBurst, 45, 1)               \
    X(DisableVoxFeature, 46, 1)                \
    X(DisableIvoxFeature, 47, 1)               \
    X(DisableScrambleFeature, 48, 1)           \
    X(DisableBatterySaveFeature, 49, 1)        \
    X(FactoryResetDisable, 50, 1)              \
    X(DisableScanMode, 51, 1)                  \
    X(MaxCallTones, 52, 1)                     \
    X(MaxPresetButtons, 53, 1)                 \
    X(MaxCodes, 56, 4)                         \
    X(PowerCntrlEnabled, 60, 1)                \
    X(BacklightButtonEnabled, 61, 1)           \
    X(ProgrammingModeEnabled, 62, 1)           \
    X(CallFeatureDisable, 63, 1)               \
    X(MonitorFeatureDisable, 64, 1)            \
    X(DisableKeypadLockFeature, 65, 1)         \
    X(DisableRepeaterFeature, 66, 1)           \
    X(DisableLED, 72, 1)                       \
    X(DisableRestoreFactoryDefault, 73, 1)     \
    X(BacklightEnabled, 74, 1)                 \
    X(TimeoutTimer, 75, 1)                     \
    X(ReverseBurst, 76, 1)                     \
    X(VoxLevel, 77, 1)                         \
    X(IvolLevel, 78, 1)                        \
    X(MicrophoneGain, 79, 1)                   \
    X(AccessoryMicrophoneGain, 80, 1)          \
    X(BatteryType, 81, 1)                      \
    X(DisableBatterySave, 82, 1)               \
    X(NumberChannels, 94, 1)                   \
    X(DisableSelectableScramble, 103, 1)       \
    X(RogerBeepTone, 104, 1)                   \
    X(KeypadLock, 105, 1)                      \
    X(KeypadBeep, 106, 1)                      \
    X(CallTone, 107, 1)                        \
    X(Preset1Channel, 108, 1)                  \
    X(Preset2Channel, 109, 1)                  \
    X(BacklightTimeout, 110, 1)                \
    X(CloneCompatibility, 2088, 1)

// Fixed-width character fields: name, offset, width. Zero-padded, no
// terminator when full.
#define TAVO_VCP_TEXT_FIELDS(X)                \
    X(ModelLetters, 6, 3)                      \
    X(ModelDigits, 9, 5)                       \
    X(Serial, 14, 10)                          \
    X(Password, 68, 4)                         \
    X(PowerupText, 95, 8)

// One channel slot (20 bytes): name, offset, width.
#define TAVO_CHANNEL_SCALAR_FIELDS(X)          \
    X(RxFreqNdx, 0, 1)                         \
    X(RxCode, 1, 1)                            \
    X(TxFreqNdx, 2, 1)                         \
    X(TxCode, 3, 1)                            \
    X(RxBw, 4, 1)                              \
    X(TxBw, 5, 1)                              \
    X(TalkaroundPower, 6, 1)                   \
    X(RepeaterPower, 7, 1)                     \
    X(Repeater, 8, 1)                          \
    X(AutoScan, 9, 1)                          \
    X(ScrambleCode, 10, 1)                     \
    X(Checksum, 19, 1)

// One frequency slot (16 bytes): name, offset, width.
#define TAVO_FREQUENCY_SCALAR_FIELDS(X)        \
    X(RefDivider, 0, 1)                        \
    X(DividerOffset, 1, 1)                     \
    X(PowerLevel, 2, 1)                        \
    X(CompanderMode, 3, 1)                     \
    X(Bandwidth, 4, 1)                         \
    X(SynthMode, 5, 1)                         \
    X(FracHigh, 8, 4)                          \
    X(FracLow, 12, 4)

// A view of `Size` bytes with named little-endian fields, shared by the
// whole image and by its slots.
template <size_t Size>
struct ByteRecord {
    static constexpr size_t kSize = Size;
    std::array<uint8_t, Size> bytes{};

    uint32_t Get(size_t offset, size_t width) const { return GetLE(bytes.data() + offset, width); }
    void Set(size_t offset, size_t width, uint32_t v) { SetLE(bytes.data() + offset, width, v); }
    uint8_t *At(size_t offset) { return bytes.data() + offset; }
    const uint8_t *At(size_t offset) const { return bytes.data() + offset; }
    bool operator==(const ByteRecord &o) const { return bytes == o.bytes; }
    bool operator!=(const ByteRecord &o) const { return bytes != o.bytes; }
};

#define TAVO_SCALAR_ACCESSORS(Name, Off, Wid)                                    \
    static constexpr size_t k##Name##Offset = Off;                               \
    static constexpr size_t k##Name##Width = Wid;                                \
    uint32_t Name() const { return Get(Off, Wid); }                              \
    void Set##Name(uint32_t v) { Set(Off, Wid, v); }

#define TAVO_TEXT_ACCESSORS(Name, Off, Wid)                                      \
    static constexpr size_t k##Name##Offset = Off;                               \
    static constexpr size_t k##Name##Width = Wid;                                \
    uint8_t *Name##Bytes() { return At(Off); }                                   \
    const uint8_t *Name##Bytes() const { return At(Off); }                       \
    void Clear##Name() { std::memset(At(Off), 0, Wid); }

// One channel slot of the image.
struct ChannelSlot : ByteRecord<20> {
    TAVO_CHANNEL_SCALAR_FIELDS(TAVO_SCALAR_ACCESSORS)
    TAVO_TEXT_ACCESSORS(Name, 11, 8)
};

// One frequency slot: the radio's synthesizer setting for one frequency.
struct FrequencySlot : ByteRecord<16> {
    TAVO_FREQUENCY_SCALAR_FIELDS(TAVO_SCALAR_ACCESSORS)
    // Fractional part F = high part * 65536 | low part.
    uint32_t Fraction() const { return (FracHigh() << 16) | FracLow(); }
    // A slot that holds no frequency: the synthesizer setting (R, n, mode
    // and F) is all zero, as the program leaves a slot the profile does not
    // fill and a radio keeps it. A frequency the program sets always has
    // R 7 and mode 4.
    bool IsUnused() const { return RefDivider() == 0 && DividerOffset() == 0 && SynthMode() == 0 && Fraction() == 0; }
};

struct VirtualCP : ByteRecord<2089> {
    static constexpr size_t kChannelCount = 19;
    static constexpr size_t kFrequencyCount = 99;
    static constexpr size_t kCustomToneCount = 6;
    static constexpr size_t kButtonEntryCount = 16;
    static constexpr size_t kChannelOffset = 111;
    static constexpr size_t kCustomToneOffset = 492;
    static constexpr size_t kFrequencyOffset = 504;
    static constexpr size_t kButtonTableOffset = 83;
    static constexpr size_t kScanListOffset = 91;
    static constexpr uint32_t kFirstCustomCode = 124; // CTcode124 .. CTcode129
    static constexpr uint32_t kCustomTonesFromMaxCodes = 123;

    TAVO_VCP_SCALAR_FIELDS(TAVO_SCALAR_ACCESSORS)
    TAVO_VCP_TEXT_FIELDS(TAVO_TEXT_ACCESSORS)

    // Slots are copied in and out; a slot index outside the table is a
    // programming error and is clamped away by the callers.
    ChannelSlot Channel(size_t i) const;
    void SetChannel(size_t i, const ChannelSlot &slot);
    FrequencySlot Frequency(size_t i) const;
    void SetFrequency(size_t i, const FrequencySlot &slot);

    // Customised CT tones 124-129 (index 0-5), tenths of a hertz.
    uint32_t CustomTone(size_t i) const { return Get(kCustomToneOffset + 2 * i, 2); }
    void SetCustomTone(size_t i, uint32_t v) { Set(kCustomToneOffset + 2 * i, 2, v); }

    // Button function table: 16 four-bit entries; setting an entry above 15
    // does nothing.
    uint32_t ButtonEntry(size_t entry) const;
    void SetButtonEntry(size_t entry, uint32_t value);

    // Scan-list bit of a channel slot; setting a slot above 18 does nothing,
    // a non-zero value sets the bit.
    bool ScanListBit(size_t slot) const;
    void SetScanListBit(size_t slot, uint32_t value);

    // Slot counts of the image, limited to the tables' sizes.
    size_t UsedChannelSlots() const;
    size_t UsedFrequencySlots() const;
    // The frequency slots up to the last one that holds a frequency: the
    // frequency table of the profile (unused slots in between keep their
    // place, the channels count on it).
    size_t FilledFrequencySlots() const;
};

static_assert(sizeof(VirtualCP) == 2089, "the codeplug image is exactly 2089 bytes");

// ---- what the radio does with a channel

// A channel transmits with its receive frequency, code and bandwidth on a
// radio with one code per channel (the repeater feature disabled) and
// whenever its repeater is off. Its stored transmit values stay as they
// are: turning the repeater on brings them back.
constexpr bool TransmitsWithReceive(bool repeaterFeatureDisabled, bool repeaterOn)
{
    return repeaterFeatureDisabled || !repeaterOn;
}

// The transmit fields that take their receive twins' values then: the
// profile's attribute names and the channel slot's offsets, one row each.
struct FollowedTransmitField {
    const char *rxAttribute;
    const char *txAttribute;
    size_t rxOffset;
    size_t txOffset;
};
extern const std::array<FollowedTransmitField, 3> kTransmitFollowsReceive;

// Whether channel slot `slot` of `image` transmits with its receive settings.
bool TransmitsWithReceive(const VirtualCP &image, const ChannelSlot &slot);
// Channel slot `i` of `image` as the radio uses it: where it transmits with
// its receive settings, its transmit fields hold the receive ones.
ChannelSlot EffectiveChannel(const VirtualCP &image, size_t i);

// Frequency of a slot in hertz, in 32-bit unsigned arithmetic.
uint32_t SynthToHz(const FrequencySlot &slot, uint32_t base);
// Sets R, n, the mode and F of a slot for frequency `hz`; bytes 2 to 4 are
// left alone.
void HzToSynth(uint32_t hz, FrequencySlot &slot, uint32_t base);
// Whether HzToSynth can hold `hz` with integer base `base`: the divider
// N = hz / 1 050 000 lies within base .. base + 255 (one byte of offset)
// and the 32-bit sum of SynthToHz does not overflow, so that the slot reads
// back as exactly `hz`.
bool HzRepresentable(uint32_t hz, uint32_t base);

} // namespace tavo
