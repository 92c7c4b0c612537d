// The model conversion before a write to a smaller radio, and the verify
// comparison: what changes in the image, when question 319 is asked, and
// which field a read-back names.

#include "workflow/CRadioCommands.h"

#include "support/RecordingSink.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace tavo;

namespace {

CRadioIdent Radio(const char letters[3], std::initializer_list<uint8_t> digits, uint32_t maxCodes)
{
    CRadioIdent ident;
    std::memcpy(ident.m_szModel, letters, 3);
    size_t i = 3;
    for (uint8_t d : digits)
        ident.m_szModel[i++] = static_cast<char>(d);
    ident.m_nMaxCodes = maxCodes;
    return ident;
}

VirtualCP SixteenChannels()
{
    VirtualCP cp;
    cp.SetChannelSlots(16);
    cp.SetNumberChannels(16);
    for (size_t j = 0; j < 16; ++j) {
        cp.SetScanListBit(j, 1);
        ChannelSlot c;
        c.SetRxCode(static_cast<uint32_t>(100 + j));
        c.SetTxCode(j == 5 ? 200u : static_cast<uint32_t>(j));
        c.SetRxFreqNdx(static_cast<uint32_t>(j));
        cp.SetChannel(j, c);
    }
    cp.SetPreset1Channel(12);
    cp.SetPreset2Channel(3);
    for (size_t e = 0; e < VirtualCP::kButtonEntryCount; ++e)
        cp.SetButtonEntry(e, 7);
    return cp;
}

} // namespace

TEST(ModelConversion, ASmallerRadioAsksOnceAndConvertsOnYes)
{
    const QString profileModel = QStringLiteral("OUD11602");
    {
        // Fewer channels, No: the command ends.
        test::RecordingSink sink;
        sink.Answer(IDNO);
        VirtualCP cp = SixteenChannels();
        EXPECT_FALSE(ConvertModelForRadio(cp, profileModel, Radio("OUD", {1, 0, 8, 0, 2}, 213)));
        ASSERT_EQ(sink.shown().size(), 1u);
        EXPECT_TRUE(sink.last().startsWith(QLatin1String("When converting from high-tier radio to low-tier radio")));
    }
    {
        // Fewer channels and a rotary radio, Yes: asked once; channel limit
        // 8, channels 8-15 cleared, preset 1 (12) to 0, preset 2 (3) kept,
        // buttons 8, 5, 9 cleared; codes above the radio's 122 become 1.
        test::RecordingSink sink;
        sink.Answer(IDYES);
        VirtualCP cp = SixteenChannels();
        ASSERT_TRUE(ConvertModelForRadio(cp, profileModel, Radio("OUR", {1, 0, 8, 0, 2}, 110)));
        EXPECT_EQ(sink.shown().size(), 1u);
        EXPECT_EQ(cp.ChannelSlots(), 8u);
        EXPECT_EQ(cp.NumberChannels(), 8u) << "no more channels in use than the radio has";
        EXPECT_TRUE(cp.ScanListBit(7));
        EXPECT_FALSE(cp.ScanListBit(8)) << "the scan list stays within the radio's channels";
        EXPECT_FALSE(cp.ScanListBit(15));
        EXPECT_EQ(cp.Channel(7).RxFreqNdx(), 7u);
        EXPECT_EQ(cp.Channel(8), ChannelSlot());
        EXPECT_EQ(cp.Channel(15), ChannelSlot());
        EXPECT_EQ(cp.Preset1Channel(), 0u);
        EXPECT_EQ(cp.Preset2Channel(), 3u);
        for (size_t e : {size_t(5), size_t(8), size_t(9)})
            EXPECT_EQ(cp.ButtonEntry(e), 0u) << e;
        EXPECT_EQ(cp.ButtonEntry(6), 7u);
        EXPECT_EQ(cp.Channel(0).RxCode(), 100u);
        EXPECT_EQ(cp.Channel(7).RxCode(), 107u);
        EXPECT_EQ(cp.Channel(5).TxCode(), 1u) << "above the radio's highest code";
    }
    {
        // The same model: nothing asked, nothing changed.
        test::RecordingSink sink;
        VirtualCP cp = SixteenChannels();
        const VirtualCP before = cp;
        ASSERT_TRUE(ConvertModelForRadio(cp, profileModel, Radio("OUD", {1, 1, 6, 0, 2}, 213)));
        EXPECT_TRUE(sink.empty());
        EXPECT_EQ(cp, before);
    }
}

TEST(Verify, NamesTheFirstFieldThatDidNotReadBack)
{
    VirtualCP written = SixteenChannels();
    written.SetFrequencySlots(4);
    VirtualCP back = written;
    EXPECT_EQ(FirstUnwrittenField(written, back), QString());
    // The channel checksum is the radio's own: no difference.
    ChannelSlot c = back.Channel(2);
    c.SetChecksum(c.Checksum() ^ 0xFF);
    back.SetChannel(2, c);
    EXPECT_EQ(FirstUnwrittenField(written, back), QString());
    c.SetTxCode(c.TxCode() + 1);
    back.SetChannel(2, c);
    EXPECT_EQ(FirstUnwrittenField(written, back), QStringLiteral("channel 3"));
    FrequencySlot f = back.Frequency(3);
    f.SetFracLow(f.FracLow() ^ 1);
    back.SetFrequency(3, f);
    back.SetChannel(2, written.Channel(2));
    EXPECT_EQ(FirstUnwrittenField(written, back), QStringLiteral("frequency slot 3"));
    back.SetVoxLevel(written.VoxLevel() ^ 1);
    EXPECT_EQ(FirstUnwrittenField(written, back), QStringLiteral("setting byte 0"));
}
