// Frequency arithmetic and the image's packed fields.

#include "codeplug/VirtualCP.h"

#include <gtest/gtest.h>
#include <random>

using namespace tavo;

TEST(FrequencyArithmetic, PmrChannelOneWithBase400)
{
    FrequencySlot slot;
    HzToSynth(446006250, slot, 400);
    EXPECT_EQ(slot.RefDivider(), 7u);
    EXPECT_EQ(slot.DividerOffset(), 24u); // N = 424
    EXPECT_EQ(slot.SynthMode(), 4u);
    EXPECT_EQ(slot.Fraction(), 806250u);
    EXPECT_EQ(slot.FracHigh(), 806250u / 65536u);
    EXPECT_EQ(slot.FracLow(), 806250u % 65536u);
    EXPECT_EQ(SynthToHz(slot, 400), 446006250u);
}

TEST(FrequencyArithmetic, LeavesPowerCompanderAndBandwidthAlone)
{
    FrequencySlot slot;
    slot.SetPowerLevel(3);
    slot.SetCompanderMode(2);
    slot.SetBandwidth(1);
    slot.bytes[6] = 0xAA; // reserved bytes are not touched either
    slot.bytes[7] = 0x55;
    HzToSynth(446100000, slot, 400);
    EXPECT_EQ(slot.PowerLevel(), 3u);
    EXPECT_EQ(slot.CompanderMode(), 2u);
    EXPECT_EQ(slot.Bandwidth(), 1u);
    EXPECT_EQ(slot.bytes[6], 0xAA);
    EXPECT_EQ(slot.bytes[7], 0x55);
}

TEST(FrequencyArithmetic, Bounds)
{
    FrequencySlot slot;
    // Zero hertz: N = 0, the offset wraps to the low byte of -base.
    HzToSynth(0, slot, 400);
    EXPECT_EQ(slot.DividerOffset(), static_cast<uint32_t>((0u - 400u) & 0xFF));
    EXPECT_EQ(slot.Fraction(), 0u);

    // Only the low byte of the base takes part in n.
    FrequencySlot a, b;
    HzToSynth(446006250, a, 400);
    HzToSynth(446006250, b, 400 + 0x10000);
    EXPECT_EQ(a.DividerOffset(), b.DividerOffset());

    // The largest frequency keeps F below one step and survives the 32-bit
    // arithmetic of the conversion.
    HzToSynth(0xFFFFFFFFu, slot, 0);
    EXPECT_EQ(slot.Fraction(), 0xFFFFFFFFu % 1050000u);
    EXPECT_LT(slot.Fraction(), 1050000u);

    // Another reference divider: step = 16.8 MHz / (R + 1).
    FrequencySlot r0;
    r0.SetRefDivider(0);
    r0.SetDividerOffset(10);
    r0.SetFracLow(100);
    EXPECT_EQ(SynthToHz(r0, 0), (16800000u * 10u + 200u) >> 1);
    FrequencySlot r255;
    r255.SetRefDivider(255);
    r255.SetDividerOffset(1);
    EXPECT_EQ(SynthToHz(r255, 0), (16800000u / 256u) >> 1);
}

TEST(FrequencyArithmetic, RoundTripsAcrossTheOffsetWindow)
{
    std::mt19937 rng(1234);
    for (uint32_t base : {0u, 1u, 400u, 424u, 1790u}) {
        const uint64_t low = uint64_t(base) * 1050000u;
        const uint64_t high = std::min<uint64_t>(uint64_t(base + 256) * 1050000u, 0x80000000u);
        std::uniform_int_distribution<uint64_t> dist(low, high - 1);
        for (int i = 0; i < 500; ++i) {
            const uint32_t hz = static_cast<uint32_t>(dist(rng));
            FrequencySlot slot;
            HzToSynth(hz, slot, base);
            ASSERT_EQ(SynthToHz(slot, base), hz) << "base " << base;
        }
    }
}

TEST(ImageFields, ButtonTableNibbles)
{
    VirtualCP cp;
    for (size_t e = 0; e < 16; ++e)
        cp.SetButtonEntry(e, e);
    for (size_t e = 0; e < 16; ++e)
        EXPECT_EQ(cp.ButtonEntry(e), e);
    EXPECT_EQ(cp.bytes[83], 0x10); // entry 0 low, entry 1 high
    EXPECT_EQ(cp.bytes[90], 0xFE);

    cp.SetButtonEntry(5, 0x1F); // only four bits are kept
    EXPECT_EQ(cp.ButtonEntry(5), 0xFu);
    EXPECT_EQ(cp.ButtonEntry(4), 4u);

    const VirtualCP before = cp;
    cp.SetButtonEntry(16, 7); // past the table: nothing changes
    cp.SetButtonEntry(1000, 7);
    EXPECT_EQ(cp, before);
    EXPECT_EQ(cp.ButtonEntry(16), 0u);
}

TEST(ImageFields, ScanListBits)
{
    VirtualCP cp;
    cp.SetScanListBit(18, 1);
    EXPECT_EQ(cp.bytes[93], 0x04); // slot 18 is bit 2 of byte 93
    EXPECT_TRUE(cp.ScanListBit(18));

    cp.SetScanListBit(0, 42); // any non-zero value sets the bit
    cp.SetScanListBit(9, 1);
    EXPECT_EQ(cp.bytes[91], 0x01);
    EXPECT_EQ(cp.bytes[92], 0x02);

    const VirtualCP before = cp;
    cp.SetScanListBit(19, 1);
    EXPECT_EQ(cp, before);
    EXPECT_FALSE(cp.ScanListBit(19));

    cp.SetScanListBit(18, 0);
    EXPECT_EQ(cp.bytes[93], 0x00);
}

TEST(ImageFields, LayoutIsLittleEndianAtTheDocumentedOffsets)
{
    VirtualCP cp;
    cp.SetSynthBase(0x01020304);
    EXPECT_EQ(cp.bytes[24], 0x04);
    EXPECT_EQ(cp.bytes[27], 0x01);
    cp.SetMaxCodes(213);
    EXPECT_EQ(cp.bytes[56], 213);
    cp.SetCustomTone(5, 0xABCD);
    EXPECT_EQ(cp.bytes[502], 0xCD);
    EXPECT_EQ(cp.bytes[503], 0xAB);
    cp.SetCloneCompatibility(9);
    EXPECT_EQ(cp.bytes[2088], 9);

    ChannelSlot ch;
    ch.SetScrambleCode(3);
    ch.SetChecksum(0x77);
    cp.SetChannel(18, ch);
    EXPECT_EQ(cp.bytes[111 + 18 * 20 + 10], 3);
    EXPECT_EQ(cp.bytes[111 + 18 * 20 + 19], 0x77);
    EXPECT_EQ(cp.bytes[492], 0); // the last slot ends where the tones begin

    FrequencySlot f;
    f.SetFracHigh(0x0C);
    cp.SetFrequency(98, f);
    EXPECT_EQ(cp.bytes[504 + 98 * 16 + 8], 0x0C);
    EXPECT_EQ(cp.bytes[2088], 9); // the last slot ends before the clone byte
}
