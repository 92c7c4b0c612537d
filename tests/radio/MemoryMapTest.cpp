// Record layouts and write rules, as pure pack/unpack functions.

#include "radio/RadioMemoryMap.h"

#include <gtest/gtest.h>

#include <random>

using namespace tavo;
using namespace tavo::radiomap;

namespace {

VirtualCP RandomImage(std::mt19937 &rng)
{
    VirtualCP cp;
    for (uint8_t &b : cp.bytes)
        b = static_cast<uint8_t>(rng());
    return cp;
}

// The bits of the settings record that a write may change.
std::array<uint8_t, 32> WritableSettingsBits()
{
    std::array<uint8_t, 32> m{};
    m[0] = 0xFF;
    m[1] = 0xFF;
    m[2] = 0x80;
    m[3] = 0x7F;
    for (int b = 4; b <= 12; ++b)
        m[b] = 0xFF;
    m[13 + 5 / 2] |= 0xF0;  // entry 5
    m[13 + 6 / 2] |= 0x0F;  // entry 6
    m[13 + 8 / 2] |= 0x0F;  // entry 8
    m[13 + 9 / 2] |= 0xF0;  // entry 9
    m[13 + 11 / 2] |= 0xF0; // entry 11
    for (int b = 21; b <= 31; ++b)
        m[b] = 0xFF;
    return m;
}

} // namespace

TEST(MemoryMap, SquelchCodeLayoutRules)
{
    // Read: R above 1, or R 1 with revision 7+, or D 7+.
    EXPECT_TRUE(UsesNewerLayoutForRead('R', '2', '0'));
    EXPECT_TRUE(UsesNewerLayoutForRead('R', '1', '7'));
    EXPECT_TRUE(UsesNewerLayoutForRead('R', '1', '9'));
    EXPECT_FALSE(UsesNewerLayoutForRead('R', '1', '6'));
    EXPECT_FALSE(UsesNewerLayoutForRead('R', '0', '9'));
    EXPECT_TRUE(UsesNewerLayoutForRead('D', '7', '0'));
    EXPECT_TRUE(UsesNewerLayoutForRead('D', '8', '0'));
    EXPECT_FALSE(UsesNewerLayoutForRead('D', '6', '9'));
    // Identification: R 1 7+, or D exactly 7.
    EXPECT_FALSE(UsesNewerLayoutForIdent('R', '2', '0')) << "R 2 0 reads byte 18 but identifies by byte 5";
    EXPECT_TRUE(UsesNewerLayoutForIdent('R', '1', '7'));
    EXPECT_FALSE(UsesNewerLayoutForIdent('R', '1', '6'));
    EXPECT_TRUE(UsesNewerLayoutForIdent('D', '7', '0'));
    EXPECT_FALSE(UsesNewerLayoutForIdent('D', '8', '0'));
}

TEST(MemoryMap, ChannelChecksumIs5APlusTheSum)
{
    uint8_t rec[14] = {};
    EXPECT_EQ(ChannelRecordChecksum(rec), 0x5A);
    ChannelSlot zero;
    PackChannelRecord(zero, rec);
    EXPECT_EQ(rec[13], 0x5A) << "name bytes all zero and codes 0";
    for (int i = 0; i < 13; ++i)
        rec[i] = 0x10;
    EXPECT_EQ(ChannelRecordChecksum(rec), (0x5A + 13 * 0x10) & 0xFF);
}

TEST(MemoryMap, ChannelRecordBitsAndRoundTrip)
{
    ChannelSlot s;
    s.SetRxFreqNdx(3);
    s.SetRxCode(0x7F);
    s.SetTxFreqNdx(4);
    s.SetTxCode(129);
    s.SetTxBw(1);
    s.SetTalkaroundPower(0);
    s.SetAutoScan(1);
    s.SetScrambleCode(2);
    s.SetRepeater(1);
    s.SetRxBw(0);
    s.SetRepeaterPower(1);
    std::memcpy(s.NameBytes(), "CHAN 01\0", 8);
    uint8_t rec[14] = {};
    PackChannelRecord(s, rec);
    EXPECT_EQ(rec[4], 0x80 | 0x20 | (2 << 3) | 0x04 | 0x01);
    EXPECT_EQ(std::memcmp(rec + 5, "CHAN 01", 7), 0);
    ChannelSlot back;
    UnpackChannelRecord(rec, back);
    s.SetChecksum(rec[13]);
    EXPECT_EQ(back, s);
}

TEST(MemoryMap, SettingsRecordRoundTrip)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        uint8_t rec[32];
        for (uint8_t &b : rec)
            b = static_cast<uint8_t>(rng());
        VirtualCP cp;
        UnpackSettingsRecord(rec, cp);
        uint8_t again[32];
        std::memcpy(again, rec, 32);
        PackSettingsRecordFull(cp, again);
        for (int b = 0; b < 32; ++b) {
            if (b != 3) {
                EXPECT_EQ(again[b], rec[b]) << "byte " << b;
            }
        }
        EXPECT_EQ(again[3] & 0xEF, rec[3] & 0xEF);
    }
}

TEST(MemoryMap, KeypadBeepIsStoredInverted)
{
    VirtualCP cp;
    cp.SetKeypadBeep(1);
    uint8_t rec[32] = {};
    PackSettingsRecordForWrite(cp, rec);
    EXPECT_EQ(rec[1] & 0x08, 0);
    cp.SetKeypadBeep(0);
    PackSettingsRecordForWrite(cp, rec);
    EXPECT_EQ(rec[1] & 0x08, 0x08);
    VirtualCP back;
    UnpackSettingsRecord(rec, back);
    EXPECT_EQ(back.KeypadBeep(), 0u);
}

TEST(MemoryMap, AWriteChangesOnlyTheListedBytesAndBits)
{
    std::mt19937 rng(11);
    const std::array<uint8_t, 32> writable = WritableSettingsBits();
    for (int round = 0; round < 200; ++round) {
        uint8_t radio[32];
        for (uint8_t &b : radio)
            b = static_cast<uint8_t>(rng());
        const VirtualCP cp = RandomImage(rng);
        uint8_t rec[32];
        std::memcpy(rec, radio, 32);
        PackSettingsRecordForWrite(cp, rec);
        for (int b = 0; b < 32; ++b)
            EXPECT_EQ((rec[b] ^ radio[b]) & ~writable[b], 0) << "byte " << b << " round " << round;
        // The programmable entries carry the image's values.
        for (uint8_t entry : kProgrammableButtons) {
            const uint8_t byte = rec[13 + entry / 2];
            EXPECT_EQ(entry % 2 ? byte >> 4 : byte & 0x0F, cp.ButtonEntry(entry));
        }
    }
}

TEST(MemoryMap, ScrambleButtonBitRule)
{
    VirtualCP cp;
    std::memcpy(cp.At(6), "OUR", 3); // third letter not D: entries 6 and 11 only
    uint8_t rec[32] = {};
    rec[3] = 0x90; // bit 7 and bit 4 as read

    cp.SetDisableSelectableScramble(1);
    cp.SetButtonEntry(6, 12);
    PackSettingsRecordForWrite(cp, rec);
    EXPECT_EQ(rec[3] & 0x10, 0x10) << "kept: scramble disabled and entry 6 holds 12";
    EXPECT_EQ(rec[3] & 0x80, 0x80) << "bit 7 as read";
    EXPECT_EQ(rec[3] & 0x20, 0x20) << "bit 5 is the disable flag";

    cp.SetButtonEntry(6, 3);
    cp.SetButtonEntry(5, 12); // not looked at on this model
    PackSettingsRecordForWrite(cp, rec);
    EXPECT_EQ(rec[3] & 0x10, 0);

    rec[3] = 0x90;
    std::memcpy(cp.At(6), "OUD", 3); // D: entries 5, 8 and 9 count too
    PackSettingsRecordForWrite(cp, rec);
    EXPECT_EQ(rec[3] & 0x10, 0x10);

    rec[3] = 0x90;
    cp.SetDisableSelectableScramble(0);
    PackSettingsRecordForWrite(cp, rec);
    EXPECT_EQ(rec[3] & 0x10, 0) << "cleared when selectable scramble is not disabled";
}

TEST(MemoryMap, SettingsBlockLengthAndTones)
{
    VirtualCP cp;
    cp.SetMaxCodes(122);
    EXPECT_EQ(SettingsBlockLength(cp), 386u);
    cp.SetMaxCodes(127);
    EXPECT_EQ(SettingsBlockLength(cp), 398u);
    for (size_t i = 0; i < 6; ++i)
        cp.SetCustomTone(i, 0x0100 + static_cast<uint32_t>(i));
    uint8_t block[398] = {};
    PackSettingsBlockForWrite(cp, block);
    EXPECT_EQ(block[302], 0x01);
    EXPECT_EQ(block[303], 0x00);
    EXPECT_EQ(block[313], 0x05);
    VirtualCP back;
    back.SetMaxCodes(127);
    UnpackSettingsBlock(block, back);
    EXPECT_EQ(back.CustomTone(5), 0x0105u);
}

TEST(MemoryMap, ChannelRecordsOnlyForTheChannelSlots)
{
    VirtualCP cp;
    cp.SetChannelSlots(2);
    ChannelSlot c;
    c.SetRxCode(9);
    for (size_t j = 0; j < 19; ++j)
        cp.SetChannel(j, c);
    uint8_t block[398];
    std::memset(block, 0xEE, sizeof block);
    PackSettingsBlockForWrite(cp, block);
    EXPECT_EQ(block[36 + 1], 9);
    EXPECT_EQ(block[36 + 14 + 1], 9);
    EXPECT_EQ(block[36 + 28 + 1], 0xEE) << "slot 2 is not the image's";
    EXPECT_EQ(block[32], 0xEE) << "bytes 32-35 are left alone";
    EXPECT_EQ(block[385], 0xEE);
}

TEST(MemoryMap, FrequencyRecordPackingAndRoundTrip)
{
    FrequencySlot s;
    HzToSynth(446006250, s, 400);
    s.SetPowerLevel(1);
    s.SetCompanderMode(2);
    s.SetBandwidth(3);
    uint8_t rec[6];
    PackFrequencyRecord(s, rec);
    // R 7, n 24, power 1, compander 2, bandwidth 3, mode 4, F 806250 (0x0C4D6A).
    EXPECT_EQ(rec[0], (7 << 3) | (24 >> 4));
    EXPECT_EQ(rec[1], ((24 & 0x0F) << 4) | (1 << 2) | 2);
    EXPECT_EQ(rec[2], (3 << 6) | (4 << 3) | 0x00);
    EXPECT_EQ(rec[3], 0x0C);
    EXPECT_EQ(rec[4], 0x4D);
    EXPECT_EQ(rec[5], 0x6A);
    FrequencySlot back;
    UnpackFrequencyRecord(rec, back);
    EXPECT_EQ(back, s);
    EXPECT_EQ(SynthToHz(back, 400), 446006250u);
}

TEST(MemoryMap, LimitsRecordBits)
{
    uint8_t lim[20] = {};
    lim[4] = 0xF0 | 19;   // bits 7-5 are not the slot count
    lim[5] = 0x80 | 122;  // bit 7 dropped
    lim[6] = 16;
    lim[7] = 0x20 | 0x10; // programming mode, 2 preset buttons
    lim[8] = 0xF8 | 5;
    lim[10] = 0x80 | 0x01;
    lim[11] = 0x80 | 0x04;
    lim[13] = 0x80 | 0x20;
    lim[16] = 0x08;
    lim[18] = 213;
    VirtualCP cp;
    UnpackLimits(lim, false, cp);
    EXPECT_EQ(cp.ChannelSlots(), 19u);
    EXPECT_EQ(cp.MaxCodes(), 122u);
    EXPECT_EQ(cp.FrequencySlots(), 16u);
    EXPECT_EQ(cp.ProgrammingModeEnabled(), 1u);
    EXPECT_EQ(cp.MaxPresetButtons(), 2u);
    EXPECT_EQ(cp.MaxCallTones(), 5u);
    EXPECT_EQ(cp.DisableTimeOutTimer(), 1u);
    EXPECT_EQ(cp.DisableIvoxFeature(), 1u);
    EXPECT_EQ(cp.DisableKeypadBeepFeature(), 0u);
    EXPECT_EQ(cp.DisableScrambleFeature(), 1u);
    EXPECT_EQ(cp.PowerCntrlEnabled(), 1u);
    EXPECT_EQ(cp.DisableRepeaterFeature(), 1u);
    EXPECT_EQ(cp.MonitorFeatureDisable(), 1u);
    EXPECT_EQ(cp.CallFeatureDisable(), 0u);
    EXPECT_EQ(cp.DisableKeypadLockFeature(), 1u);
    UnpackLimits(lim, true, cp);
    EXPECT_EQ(cp.MaxCodes(), 213u);

    // Model digit 4 or 5 and third letter not D: no repeater restriction.
    std::memcpy(cp.At(6), "ZUR", 3);
    cp.bytes[9] = 4;
    ApplyRepeaterRule(cp);
    EXPECT_EQ(cp.DisableRepeaterFeature(), 0u);
    cp.SetDisableRepeaterFeature(1);
    cp.bytes[8] = 'D';
    ApplyRepeaterRule(cp);
    EXPECT_EQ(cp.DisableRepeaterFeature(), 1u);
}

TEST(MemoryMap, LimitsPackUnpackRoundTrip)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 50; ++round) {
        uint8_t lim[20];
        for (uint8_t &b : lim)
            b = static_cast<uint8_t>(rng());
        VirtualCP cp;
        UnpackLimits(lim, true, cp);
        uint8_t again[20];
        std::memcpy(again, lim, 20);
        PackLimits(cp, again);
        VirtualCP back;
        UnpackLimits(again, true, back);
        EXPECT_EQ(back, cp);
    }
}

TEST(MemoryMap, FirmwareStepAndReferenceTables)
{
    VirtualCP cp;
    std::memcpy(cp.At(6), "ZUR", 3);
    cp.bytes[9] = 4;
    cp.SetFirmwarePhase('R');
    cp.SetFirmwareVersion('1');
    cp.SetFirmwareRevision('6');
    EXPECT_TRUE(NeedsFirmwareStep(cp));
    EXPECT_EQ(ReferenceTableFor(cp), ReferenceTable::B);
    cp.bytes[7] = 'V';
    EXPECT_EQ(ReferenceTableFor(cp), ReferenceTable::None) << "V with digit 4";
    cp.bytes[9] = 5;
    EXPECT_EQ(ReferenceTableFor(cp), ReferenceTable::A);
    cp.SetFirmwareRevision('7');
    EXPECT_FALSE(NeedsFirmwareStep(cp));
    cp.SetFirmwareRevision('6');
    cp.bytes[8] = 'D';
    EXPECT_FALSE(NeedsFirmwareStep(cp));

    const auto a = ReferenceTableA();
    int differ = 0;
    for (size_t i = 0; i < kParameterBlockSize; ++i)
        differ += a[i] != kReferenceTableB[i];
    EXPECT_EQ(differ, 1);
    EXPECT_EQ(kReferenceTableB[89], 0x33);
    EXPECT_EQ(a[89], 0x43);
    EXPECT_EQ(kReferenceTableB[0], 0x25);
    EXPECT_EQ(kReferenceTableB[195], 0x86);
}

TEST(MemoryMap, HeaderRoundTrip)
{
    uint8_t h[32] = {};
    std::memcpy(h, "123ABC4567", 10);
    const uint8_t model[8] = {'O', 'U', 'D', 1, 1, 6, 0, 2};
    std::memcpy(h + 10, model, 8);
    h[18] = 'D';
    h[19] = 18;
    h[20] = 3;
    VirtualCP cp;
    UnpackHeader(h, cp);
    EXPECT_EQ(std::memcmp(cp.SerialBytes(), "123ABC4567", 10), 0);
    EXPECT_EQ(cp.bytes[6], 'O');
    EXPECT_EQ(cp.bytes[13], 2);
    EXPECT_EQ(cp.CodeplugVersion(), 18u);
    uint8_t back[32];
    PackHeader(cp, back);
    EXPECT_EQ(std::memcmp(back, h, 32), 0);
}
