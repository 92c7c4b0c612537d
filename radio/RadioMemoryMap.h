#pragma once
// The radio's memory map and record layouts as data tables, and
// the small pure functions that pack and unpack the radio's records into
// and out of the codeplug image. Radio numbers are most
// significant byte first; image numbers little-endian.

#include "codeplug/VirtualCP.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tavo::radiomap {

// ---- memory map (addresses)
enum : uint32_t {
    kSettingsAddress = 0x10000,
    kPasswordAddress = 0x10009,
    kFrequencyAddress = 0x10800,
    kFrequencyLimitsAddress = 0x10A80,
    kLimitsAddress = 0x10A8C,
    kLimitsByte5Address = 0x10A91,
    kFrequencySlotsAddress = 0x10A92,
    kLimitsByte13Address = 0x10A99,
    kLimitsByte18Address = 0x10A9E,
    kCloneCompatibilityAddress = 0x10C01,
    kParameterBlockAddress = 0x10C9C,
    kSynthBaseAddress = 0x10D80,
    kHeaderAddress = 0x10E18,
    kModelAddress = 0x10E22,
    kFirmwareStepByteAddress = 0x20466,
};

constexpr size_t kSettingsBlockShort = 386;   // 0x182
constexpr size_t kSettingsBlockLong = 398;    // 0x18E
constexpr size_t kSettingsRecordSize = 32;
constexpr size_t kChannelRecordOffset = 36;
constexpr size_t kChannelRecordSize = 14;
constexpr size_t kCustomToneBlockOffset = 302;
constexpr size_t kFrequencyRecordSize = 6;
constexpr size_t kFrequencyLimitsSize = 8;
constexpr size_t kLimitsSize = 20;
constexpr size_t kHeaderSize = 32;
constexpr size_t kModelReadSize = 10;
constexpr size_t kParameterBlockSize = 196;   // 0xC4
constexpr uint32_t kCustomToneThreshold = 122; // above: the six customised tones exist
constexpr uint8_t kChannelChecksumBase = 0x5A;
constexpr uint8_t kScrambleButtonFunction = 0x0C;

// ---- layout tables

// A bit field of a radio record and the image byte it maps to.
struct BitField {
    uint8_t recordByte;
    uint8_t shift;        // lowest bit
    uint8_t width;        // bits
    uint16_t imageOffset; // byte of the image (or of the channel slot)
    bool inverted;        // 1-bit field whose 0 means image value 1
};

// A run of bytes copied as they are.
struct ByteRun {
    uint8_t recordByte;
    uint16_t imageOffset;
    uint8_t length;
};

// Settings record (bytes 0-31 of the settings block); the bit fields all
// change on a write. Byte 3 bit 4 (scramble button present) and bit 7, byte
// 2 bits 6-0 and the button table are handled by the write rules.
extern const BitField kSettingsFields[];
extern const size_t kSettingsFieldCount;
extern const ByteRun kSettingsRuns[];        // password, scan list, power-up text
extern const size_t kSettingsRunCount;
constexpr size_t kButtonTableRecordByte = 13; // 8 bytes, entries 0-15, low nibble first
constexpr size_t kButtonTableSize = 8;
// The five programmable button entries that a write changes.
extern const std::array<uint8_t, 5> kProgrammableButtons;

// Channel record (14 bytes): bytes 0-3 and the name copied, byte 4 bit
// fields into the channel slot of the image.
extern const BitField kChannelFields[];
extern const size_t kChannelFieldCount;
extern const ByteRun kChannelRuns[];
extern const size_t kChannelRunCount;
constexpr size_t kChannelChecksumByte = 13;

// Limits record (20 bytes at 10A8C), read only.
extern const BitField kLimitsFields[];
extern const size_t kLimitsFieldCount;
constexpr BitField kMaxCodesOlder{5, 0, 7, VirtualCP::kMaxCodesOffset, false};
constexpr BitField kMaxCodesNewer{18, 0, 8, VirtualCP::kMaxCodesOffset, false};

// Reference tables A and B of the firmware-specific write step.
extern const std::array<uint8_t, kParameterBlockSize> kReferenceTableB;
std::array<uint8_t, kParameterBlockSize> ReferenceTableA();

// ---- generic field helpers

uint8_t ExtractField(const uint8_t *record, const BitField &f);
void InsertField(uint8_t *record, const BitField &f, uint32_t value);

// ---- layout rules

// The newer squelch-code layout (limits byte 18) applies on a read when the
// firmware phase is R and the version above 1, or 1 with revision 7 or
// above, or phase D with version 7 or above.
bool UsesNewerLayoutForRead(char phase, char version, char revision);
// For the identification: phase R, version 1, revision 7 or above; or
// phase D, version exactly 7.
bool UsesNewerLayoutForIdent(char phase, char version, char revision);

// ---- records <-> image

// Header at 10E18: serial (0-9), model (10-17), codeplug phase, version,
// development version (18-20).
void UnpackHeader(const uint8_t header[kHeaderSize], VirtualCP &cp);
void PackHeader(const VirtualCP &cp, uint8_t header[kHeaderSize]);

// Limits record; then the repeater rule of the read (model digit 4 or 5,
// third letter not D: the disable-repeater flag is 0).
void UnpackLimits(const uint8_t limits[kLimitsSize], bool newerLayout, VirtualCP &cp);
// Both squelch-code forms are packed (the older one limited to 7 bits).
void PackLimits(const VirtualCP &cp, uint8_t limits[kLimitsSize]);
void ApplyRepeaterRule(VirtualCP &cp);

// Settings record, bytes 0-31.
void UnpackSettingsRecord(const uint8_t *record, VirtualCP &cp);
// The write rules: only the listed bytes and bits change, the five
// programmable button entries, byte 3 bit 4 by the scramble-button rule.
void PackSettingsRecordForWrite(const VirtualCP &cp, uint8_t *record);
// Every field of the image, all 16 button entries (a radio made from an
// image: the simulated radio).
void PackSettingsRecordFull(const VirtualCP &cp, uint8_t *record);
// Byte 3 bit 4 on a write: kept as read when selectable scramble is
// disabled and a looked-at button holds function 12, else cleared.
bool KeepScrambleButtonBit(const VirtualCP &cp);

// Channel record of slot j (14 bytes).
void UnpackChannelRecord(const uint8_t *record, ChannelSlot &slot);
void PackChannelRecord(const ChannelSlot &slot, uint8_t *record);
uint8_t ChannelRecordChecksum(const uint8_t *record);

// Frequency record (6 bytes).
void UnpackFrequencyRecord(const uint8_t *record, FrequencySlot &slot);
void PackFrequencyRecord(const FrequencySlot &slot, uint8_t *record);

// Settings block: the length a write sends (386, or 398 with the tones).
bool HasCustomTones(const VirtualCP &cp);
size_t SettingsBlockLength(const VirtualCP &cp);
void UnpackSettingsBlock(const uint8_t *block, VirtualCP &cp);
// The write: record by the write rules, channel records 0 to slots - 1
// with checksums, the tones when they exist. Every other byte of `block`
// stays as read from the radio.
void PackSettingsBlockForWrite(const VirtualCP &cp, uint8_t *block);

// Frequency limits (8 bytes at 10A80).
void UnpackFrequencyLimits(const uint8_t *bytes, VirtualCP &cp);
void PackFrequencyLimits(const VirtualCP &cp, uint8_t *bytes);

// Model helpers on the image (digits are values 0-9).
inline uint8_t FirstModelDigit(const VirtualCP &cp) { return cp.bytes[9]; }
inline uint8_t SecondModelLetter(const VirtualCP &cp) { return cp.bytes[7]; }
inline uint8_t ThirdModelLetter(const VirtualCP &cp) { return cp.bytes[8]; }

// The firmware-specific write step applies (model digit 4 or 5, third
// letter not D, firmware exactly R 1 6); and which reference table then
// (A: second letter V and digit 5; B: second letter not V and digit 4;
// none otherwise).
bool NeedsFirmwareStep(const VirtualCP &cp);
enum class ReferenceTable { None, A, B };
ReferenceTable ReferenceTableFor(const VirtualCP &cp);

} // namespace tavo::radiomap
