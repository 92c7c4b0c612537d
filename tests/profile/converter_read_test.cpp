// Profile text -> image: the reading rules, the failures, and round trips
// over many randomised images.

#include "converter_support.h"
#include "support/RecordingSink.h"

#include "profile/CDataAdaptor.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageIds.h"

#include <gtest/gtest.h>
#include <QRegularExpression>
#include <random>

using namespace tavo;
using namespace tavo::test;

namespace {

QString ToXml(VirtualCP cp)
{
    QString xml;
    EXPECT_TRUE(CDataAdaptor::VirtualCP2XML(cp, xml));
    return xml;
}

VirtualCP FromXml(const QString &xml, VirtualCP cp = VirtualCP())
{
    EXPECT_NO_THROW(CDataAdaptor::XML2VirtualCP(xml, cp));
    return cp;
}

// Runs XML2VirtualCP expecting a failure; returns the exception.
CTavoCPSException ExpectFailure(const QString &xml, VirtualCP &cp)
{
    try {
        CDataAdaptor::XML2VirtualCP(xml, cp);
    } catch (const CTavoCPSException &e) {
        return e;
    }
    ADD_FAILURE() << "no exception";
    return CTavoCPSException();
}

QString Replace(QString text, const char *from, const char *to)
{
    EXPECT_TRUE(text.contains(QLatin1String(from))) << from;
    return text.replace(QLatin1String(from), QLatin1String(to));
}

// The bytes of an image that a profile carries, everything else zeroed.
VirtualCP ProfileVisible(const VirtualCP &cp)
{
    VirtualCP v;
    auto copy = [&](size_t offset, size_t width) { std::memcpy(v.At(offset), cp.At(offset), width); };
    copy(0, 30);  // versions, model, serial, base, slot counts
    copy(32, 9);  // frequency limits, first flag
    copy(42, 12); // flags 42-51, call tones, presets
    copy(56, 11); // codes, flags 60-66
    copy(68, 15); // password, settings 72-82
    for (size_t e : {5, 6, 8, 9, 11})
        v.SetButtonEntry(e, cp.ButtonEntry(e));
    copy(94, 17); // channels in use, power-up text, 103-110
    for (size_t i = 0; i < cp.UsedChannelSlots(); ++i) {
        ChannelSlot ch = cp.Channel(i);
        ch.SetChecksum(0);
        v.SetChannel(i, ch);
        v.SetScanListBit(i, cp.ScanListBit(i));
    }
    if (cp.MaxCodes() > 122)
        copy(492, 12);
    for (size_t i = 0; i < cp.UsedFrequencySlots(); ++i) {
        FrequencySlot f = cp.Frequency(i);
        f.bytes[6] = f.bytes[7] = 0;
        v.SetFrequency(i, f);
    }
    copy(2088, 1);
    return v;
}

// A random radio whose every profile-visible field survives a round trip:
// flags 0/1, printable texts without outer blanks, distinct names,
// frequencies inside the synthesizer's offset window, R = 7 and mode 4.
VirtualCP RandomImage(std::mt19937 &rng)
{
    auto byte = [&](int lo = 0, int hi = 255) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto text = [&](uint8_t *field, size_t width, size_t minLen) {
        static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 &<>\"'-_.abcxyz\xE9\xFC\x80";
        std::memset(field, 0, width);
        const size_t len = static_cast<size_t>(byte(static_cast<int>(minLen), static_cast<int>(width)));
        for (size_t i = 0; i < len; ++i)
            field[i] = static_cast<uint8_t>(alphabet[byte(0, sizeof alphabet - 2)]);
        if (len > 0 && field[0] == ' ')
            field[0] = 'X';
        if (len > 0 && field[len - 1] == ' ')
            field[len - 1] = 'Y';
    };

    VirtualCP cp;
    for (size_t i = 0; i < VirtualCP::kSize; ++i)
        cp.bytes[i] = static_cast<uint8_t>(byte()); // garbage in what the profile does not carry
    for (size_t o : {0, 1, 2, 3})
        cp.bytes[o] = static_cast<uint8_t>(byte(0x21, 0x7E));
    for (size_t o : {6, 7, 8})
        cp.bytes[o] = static_cast<uint8_t>(byte('A', 'Z'));
    for (size_t o = 9; o < 14; ++o)
        cp.bytes[o] = static_cast<uint8_t>(byte(0, 9));
    SetText(cp.SerialBytes(), 10, "123ABC4567");
    cp.SerialBytes()[0] = static_cast<uint8_t>('0' + byte(0, 9));
    const uint32_t base = static_cast<uint32_t>(byte(0, 1700)); // frequencies stay below 2^31
    cp.SetSynthBase(base);
    cp.SetChannelSlots(byte(0, 19));
    cp.SetFrequencySlots(byte(0, 99));
    cp.SetStartFreq(static_cast<uint32_t>(rng()));
    cp.SetEndFreq(static_cast<uint32_t>(rng()));
    for (size_t o = 40; o <= 51; ++o)
        cp.bytes[o] = static_cast<uint8_t>(byte(0, 1));
    cp.SetMaxCodes(byte(0, 1) ? 213 : static_cast<uint32_t>(byte(0, 122)));
    for (size_t o = 60; o <= 65; ++o)
        cp.bytes[o] = static_cast<uint8_t>(byte(0, 1));
    cp.SetDisableRepeaterFeature(0); // without repeater the transmit settings follow (own test)
    text(cp.PasswordBytes(), 4, 0);
    for (size_t o : {72, 73, 74, 76, 81, 82, 103, 104, 105, 106})
        cp.bytes[o] = static_cast<uint8_t>(byte(0, 1));
    text(cp.PowerupTextBytes(), 8, 0);
    for (size_t i = 0; i < 19; ++i) {
        ChannelSlot ch = cp.Channel(i);
        for (size_t o = 4; o <= 9; ++o)
            ch.bytes[o] = static_cast<uint8_t>(byte(0, 1));
        text(ch.NameBytes(), 8, 3);
        ch.NameBytes()[0] = static_cast<uint8_t>('a' + i); // distinct names
        cp.SetChannel(i, ch);
    }
    for (size_t i = 0; i < 99; ++i) {
        FrequencySlot f = cp.Frequency(i);
        const uint32_t n = static_cast<uint32_t>(byte(0, 255));
        const uint32_t frac = std::uniform_int_distribution<uint32_t>(0, 1049999)(rng);
        HzToSynth((base + n) * 1050000u + frac, f, base);
        f.SetPowerLevel(byte(0, 3));
        f.SetBandwidth(byte(0, 3));
        cp.SetFrequency(i, f);
    }
    return cp;
}

} // namespace

TEST(ProfileRoundTrip, RandomImagesKeepEveryProfileField)
{
    RecordingSink sink;
    std::mt19937 rng(20261208);
    for (int round = 0; round < 300; ++round) {
        VirtualCP original = RandomImage(rng);
        const QString xml = ToXml(original);
        const VirtualCP back = FromXml(xml);
        const VirtualCP expected = ProfileVisible(original);
        const VirtualCP visible = ProfileVisible(back);
        for (size_t i = 0; i < VirtualCP::kSize; ++i)
            ASSERT_EQ(visible.bytes[i], expected.bytes[i]) << "round " << round << " offset " << i << "\n" << xml.toStdString();
        // A second pass gives the same text again.
        ASSERT_EQ(ToXml(back), xml) << "round " << round;
    }
    EXPECT_TRUE(sink.empty());
}

TEST(ProfileRoundTrip, KeepsWhatTheProfileDoesNotCarry)
{
    // Writing a profile into an image read from a radio leaves the radio's
    // own bytes alone: flag 41, the other button entries, channel checksums,
    // reserved bytes.
    VirtualCP radio = MakeSmallImage();
    radio.SetRadioOnlyFlag41(1);
    radio.SetButtonEntry(0, 7);
    radio.SetButtonEntry(15, 4);
    ChannelSlot ch = radio.Channel(0);
    ch.SetChecksum(0x99);
    radio.SetChannel(0, ch);
    radio.bytes[30] = 0xEE;
    radio.bytes[505 + 6] = 0x12;
    const VirtualCP before = radio;
    const VirtualCP after = FromXml(ToXml(radio), radio);
    EXPECT_EQ(after, before);
}

TEST(ProfileReading, EdgeCasesOfTheReadingRules)
{
    const QString xml = ToXml(MakeSmallImage());

    // Only "1" is true.
    VirtualCP cp = FromXml(Replace(xml, "power_cntrl_enabled=\"1\"", "power_cntrl_enabled=\"true\""));
    EXPECT_EQ(cp.PowerCntrlEnabled(), 0u);
    cp = FromXml(Replace(xml, "rx_bw=\"0\"", "rx_bw=\"1 \""));
    EXPECT_EQ(cp.Channel(0).RxBw(), 0u);

    // in_scanlist: any non-zero number sets the bit.
    cp = FromXml(Replace(xml, "in_scanlist=\"0\"", "in_scanlist=\"7\""));
    EXPECT_TRUE(cp.ScanListBit(0));

    // Numbers: trailing text ignored, cut to the field's width.
    cp = FromXml(Replace(xml, "timeoutTimer=\"6\"", "timeoutTimer=\"12 minutes\""));
    EXPECT_EQ(cp.TimeoutTimer(), 12u);
    cp = FromXml(Replace(xml, "timeoutTimer=\"6\"", "timeoutTimer=\"258\""));
    EXPECT_EQ(cp.TimeoutTimer(), 2u);
    EXPECT_EQ(cp.ReverseBurst(), 0u); // the neighbour is untouched

    // Texts cut at their widths; nothing written past a field.
    cp = FromXml(Replace(xml, "powerupString=\"HELLO\"", "powerupString=\"ABCDEFGHIJKLMNOP\""));
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(cp.PowerupTextBytes()), 8), "ABCDEFGH");
    EXPECT_EQ(cp.DisableSelectableScramble(), 0u);
    cp = FromXml(Replace(xml, "password=\"1234\"", "password=\"123456\""));
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(cp.PasswordBytes()), 4), "1234");
    EXPECT_EQ(cp.DisableLED(), 0u);
    cp = FromXml(Replace(xml, "serial=\"123ABC4567\"", "serial=\"123ABC4567890\""));
    EXPECT_EQ(cp.SynthBase(), 400u);
    cp = FromXml(Replace(xml, "name=\"A&amp;B\"", "name=\"ABCDEFGHIJK\""));
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(cp.Channel(0).NameBytes()), 8), "ABCDEFGH");
    EXPECT_EQ(cp.Channel(0).Checksum(), 0u);
    EXPECT_EQ(cp.Channel(1).RxFreqNdx(), 1u);

    // A shorter text clears the rest of the field.
    VirtualCP filled = MakeSmallImage();
    SetText(filled.PowerupTextBytes(), 8, "ZZZZZZZZ");
    cp = FromXml(xml, filled);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(cp.PowerupTextBytes()), 8), std::string("HELLO\0\0\0", 8));

    // Model: letters, then one digit per byte.
    cp = FromXml(Replace(xml, "model=\"ZUN20822\"", "model=\"ABC12345\""));
    const uint8_t digits[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(std::memcmp(cp.ModelDigitsBytes(), digits, 5), 0);
    EXPECT_EQ(std::memcmp(cp.ModelLettersBytes(), "ABC", 3), 0);
    cp = FromXml(Replace(xml, "model=\"ZUN20822\"", "model=\"AB\""));
    EXPECT_EQ(cp.ModelLettersBytes()[2], 0);
    EXPECT_EQ(cp.ModelDigitsBytes()[0], 0);

    // Versions as numbers; characters as one byte each.
    cp = FromXml(xml);
    EXPECT_EQ(cp.CodeplugVersion(), 18u);
    EXPECT_EQ(cp.FirmwarePhase(), static_cast<uint32_t>('R'));
    cp = FromXml(Replace(xml, "firmware_phase=\"R\"", "firmware_phase=\"\""));
    EXPECT_EQ(cp.FirmwarePhase(), 0u);

    // Names with markup characters and inner white space read back unchanged.
    cp = FromXml(Replace(xml, "name=\"A&amp;B\"", "name=\"&lt;A &amp; B\""));
    EXPECT_EQ(ChannelName(cp, 0), QStringLiteral("<A & B"));
    EXPECT_EQ(ChannelName(FromXml(xml), 1), QStringLiteral("<\"Q\">"));

    // sub_region is never read back.
    cp = FromXml(Replace(xml, "sub_region=\"0\"", "sub_region=\"77\""));
    EXPECT_EQ(ProfileVisible(cp), ProfileVisible(FromXml(xml)));
}

TEST(ProfileReading, CustomTonesOnlyAboveCode122)
{
    const QString xml = ToXml(MakeSmallImage()); // maxCodes 122: no CTcode attributes
    VirtualCP radio = MakeSmallImage();
    for (size_t i = 0; i < 6; ++i)
        radio.SetCustomTone(i, 1000 + i);
    VirtualCP cp = FromXml(xml, radio);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(cp.CustomTone(i), 1000 + i); // untouched

    // With more codes the tones are required.
    const QString more = Replace(xml, "maxCodes=\"122\"", "maxCodes=\"213\"");
    VirtualCP target = MakeSmallImage();
    const CTavoCPSException e = ExpectFailure(more, target);
    EXPECT_EQ(e.m_nMsgID, msg::UnknownError);
    EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("CTcode124")));

    VirtualCP withTones = MakeSmallImage();
    withTones.SetMaxCodes(213);
    withTones.SetCustomTone(3, 2550);
    cp = FromXml(ToXml(withTones));
    EXPECT_EQ(cp.CustomTone(3), 2550u);
}

TEST(ProfileReading, OnlyTheFirst19ChannelsAnd99Frequencies)
{
    VirtualCP big = MakeSmallImage();
    big.SetChannelSlots(19);
    big.SetFrequencySlots(99);
    for (size_t i = 0; i < 19; ++i)
        SetChannelName(big, i, QStringLiteral("C%1").arg(i).toLatin1().constData());
    for (size_t i = 0; i < 99; ++i) {
        FrequencySlot f;
        HzToSynth(446006250 + 12500 * static_cast<uint32_t>(i), f, 400);
        big.SetFrequency(i, f);
    }
    QString xml = ToXml(big);
    const QString extraChannel = QStringLiteral(
        "\t\t<channel rx_freq_ndx=\"9\" rx_code=\"9\" tx_freq_ndx=\"9\" tx_code=\"9\" rx_bw=\"1\" tx_bw=\"1\" "
        "talkaround_power=\"1\" repeater_power=\"1\" repeater=\"1\" autoScan=\"1\" scramble_code=\"3\" name=\"EXTRA\" in_scanlist=\"1\" />\r\n");
    const QString extraFrequency = QStringLiteral(
        "\t\t<frequency freq=\"999999999\" bandwidth=\"3\" power_level=\"3\" compander_lle_mode=\"255\" />\r\n");
    xml.replace(QStringLiteral("\t</channels>"), extraChannel + extraChannel + QStringLiteral("\t</channels>"));
    xml.replace(QStringLiteral("\t</frequencies>"), extraFrequency + QStringLiteral("\t</frequencies>"));

    VirtualCP sentinel;
    sentinel.SetCloneCompatibility(0x5A);
    sentinel.SetCustomTone(0, 0x1234);
    const VirtualCP cp = FromXml(xml, sentinel);
    EXPECT_EQ(ChannelName(cp, 18), QStringLiteral("C18"));
    EXPECT_EQ(cp.CustomTone(0), 0x1234u); // nothing spilled past the channel table
    EXPECT_EQ(cp.CloneCompatibility(), 2u);
    EXPECT_EQ(SynthToHz(cp.Frequency(98), cp.SynthBase()), SynthToHz(big.Frequency(98), 400));
}

TEST(ProfileReading, FailuresRaise131AndLeaveTheImageAlone)
{
    RecordingSink sink;
    const QString xml = ToXml(MakeSmallImage());
    struct Case {
        QString text;
        const char *traceContains;
    };
    QString noLimit = xml;
    noLimit.remove(QRegularExpression(QStringLiteral("\t<limit [^\n]*\n")));
    QString onePreset = xml;
    onePreset.remove(QRegularExpression(QStringLiteral("\t\t<preset channel=\"1\"/>\r\n")));
    const Case cases[] = {
        {noLimit, "Missing element"},
        {Replace(xml, "synth_base_int_part=\"400\" ", ""), "synth_base_int_part"},
        {Replace(xml, " name=\"A&amp;B\"", ""), "'name'"},
        {Replace(xml, "<frequency freq=\"446006250\"", "<frequency"), "'freq'"},
        {onePreset, "preset"},
        {xml.left(xml.size() / 2), "ErrorMsg: "},
        {QStringLiteral("not xml at all"), "ErrorMsg: "},
        {QString(), "ErrorMsg: "},
        {Replace(xml, "urn:vantrel:tavo:profile:1", "urn:somebody:else"), "factory_setting"},
    };
    for (const Case &c : cases) {
        VirtualCP cp = MakeSmallImage();
        cp.bytes[30] = 0x42;
        const VirtualCP before = cp;
        const CTavoCPSException e = ExpectFailure(c.text, cp);
        EXPECT_EQ(e.m_nMsgID, msg::UnknownError) << c.traceContains;
        EXPECT_TRUE(e.m_strMessage.contains(QLatin1String(c.traceContains))) << e.m_strMessage.toStdString();
        EXPECT_TRUE(e.m_strMessage.startsWith(QStringLiteral("\n(CDataAdaptor::XML2VirtualCP:"))) << e.m_strMessage.toStdString();
        EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("\nDesc: ")));
        EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("\nSource: ")));
        EXPECT_EQ(cp, before) << c.traceContains;
    }
    EXPECT_TRUE(sink.empty()); // failures are raised, not shown
}

TEST(ProfileReading, ParseNumberAcceptsWhatAnUnsignedParseAccepts)
{
    struct Case {
        const char *text;
        uint32_t value;
    };
    const Case cases[] = {
        {"0", 0}, {"18", 18}, {"  7", 7}, {"+5", 5}, {"12abc", 12}, {"", 0}, {"abc", 0},
        {"4294967295", 4294967295u}, {"4294967296", 4294967295u}, {"99999999999999999999", 4294967295u},
        {"-1", 4294967295u}, {"007", 7}, {"1e3", 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CDataAdaptor::ParseNumber(QLatin1String(c.text)), c.value) << c.text;
}
