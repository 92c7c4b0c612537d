// The model conversion before a write to a smaller radio, and the verify
// comparison: what changes in the image, when question 319 is asked, and
// which field a read-back names.

#include "workflow/CRadioCommands.h"

#include "support/RecordingSink.h"
#include "radio/RadioMemoryMap.h"
#include "radio/RadioTestSupport.h"

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

// Verify compares the bytes the write sent with those read back and names
// the field of the first that differs: a checksum byte as well.
TEST(Verify, NamesTheFieldOfTheFirstByteThatDidNotReadBack)
{
    const std::vector<MemoryRun> sent{{0x10000, std::vector<uint8_t>(398, 0x11)}, {0x10800, std::vector<uint8_t>(24, 0x22)}, {0x10A99, {0x33}}};
    std::vector<MemoryRun> held = sent;
    EXPECT_EQ(FirstUnwrittenField(sent, held), QString());
    const struct {
        uint32_t address;
        const char *field;
    } cases[] = {
        {0x10000, "setting byte 0"},     {0x10023, "setting byte 35"},     {0x10024, "channel 1"},
        {0x10031, "channel 1 checksum"}, {0x1003F, "channel 2 checksum"},  {0x1012D, "channel 19 checksum"},
        {0x1012E, "customised tone 124"}, {0x10139, "customised tone 129"}, {0x1013A, "setting byte 314"},
        {0x10800, "frequency slot 0"},   {0x10817, "frequency slot 3"},    {0x10A99, "memory byte 10A99"},
    };
    for (const auto &c : cases) {
        held = sent;
        for (MemoryRun &run : held)
            if (c.address >= run.address && c.address < run.address + run.bytes.size())
                run.bytes[c.address - run.address] ^= 0x01;
        EXPECT_EQ(FirstUnwrittenField(sent, held), QString::fromLatin1(c.field)) << std::hex << c.address;
    }
    // A run the radio did not give back at all counts as different.
    held = sent;
    held.pop_back();
    EXPECT_EQ(FirstUnwrittenField(sent, held), QStringLiteral("memory byte 10A99"));
}

// With the image written, a byte of a field the change list knows is named
// as the change list names it; a checksum or a byte it does not compare
// keeps its place in memory.
TEST(Verify, NamesAFieldOfTheChangeListByItsName)
{
    using namespace radiomap;
    const VirtualCP written = test::SampleImage();
    auto pack = [](const VirtualCP &cp) {
        std::vector<MemoryRun> runs{{kSettingsAddress, std::vector<uint8_t>(SettingsBlockLength(cp), 0)}};
        PackSettingsBlockForWrite(cp, runs[0].bytes.data());
        for (size_t s = 0; s < cp.UsedFrequencySlots(); ++s) {
            std::vector<uint8_t> record(kFrequencyRecordSize);
            PackFrequencyRecord(cp.Frequency(s), record.data());
            runs.push_back({static_cast<uint32_t>(kFrequencyAddress + kFrequencyRecordSize * s), record});
        }
        return runs;
    };
    const std::vector<MemoryRun> sent = pack(written);
    // What the radio holds instead: one field of the image otherwise.
    auto heldWith = [&](const std::function<void(VirtualCP &)> &change) {
        VirtualCP other = written;
        change(other);
        const std::vector<MemoryRun> otherRuns = pack(other);
        // Only the first byte that differs is held otherwise.
        std::vector<MemoryRun> held = sent;
        for (size_t r = 0; r < held.size(); ++r)
            for (size_t i = 0; i < held[r].bytes.size(); ++i)
                if (held[r].bytes[i] != otherRuns[r].bytes[i]) {
                    held[r].bytes[i] = otherRuns[r].bytes[i];
                    return held;
                }
        return held;
    };
    std::vector<MemoryRun> held = heldWith([](VirtualCP &cp) {
        ChannelSlot c = cp.Channel(2);
        c.NameBytes()[0] = 'Q';
        cp.SetChannel(2, c);
    });
    EXPECT_EQ(FirstUnwrittenField(sent, held, &written), QStringLiteral("Channel 3 name"));
    EXPECT_EQ(FirstUnwrittenField(sent, held), QStringLiteral("channel 3")) << "without the image: the place in memory";
    held = heldWith([](VirtualCP &cp) { std::memcpy(cp.PowerupTextBytes(), "QQ", 2); });
    EXPECT_EQ(FirstUnwrittenField(sent, held, &written), QStringLiteral("Power-up text"));
    held = heldWith([](VirtualCP &cp) {
        FrequencySlot f = cp.Frequency(1);
        f.SetFracLow(f.FracLow() ^ 0x10);
        cp.SetFrequency(1, f);
    });
    EXPECT_TRUE(FirstUnwrittenField(sent, held, &written).startsWith(QLatin1String("Frequency 2"))) << FirstUnwrittenField(sent, held, &written).toStdString();
    // A checksum byte is not a field of the change list.
    held = sent;
    held[0].bytes[kChannelRecordOffset + kChannelChecksumByte] ^= 0x01;
    EXPECT_EQ(FirstUnwrittenField(sent, held, &written), QStringLiteral("channel 1 checksum"));
}
