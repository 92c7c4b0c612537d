// Image -> profile text: the exact text, the serial check, the renaming of
// duplicate channel names, and the golden files.

#include "converter_support.h"
#include "support/RecordingSink.h"
#include "support/TestFiles.h"

#include "profile/CDataAdaptor.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tavo;
using namespace tavo::test;

namespace {

QByteArray ReadFile(const QString &path)
{
    EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    return ReadFileBytes(path);
}

// Compares with a golden file; TAVO_UPDATE_GOLDEN=1 rewrites it instead.
void ExpectGolden(const QByteArray &actual, const QString &path)
{
    if (qEnvironmentVariableIsSet("TAVO_UPDATE_GOLDEN")) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(actual);
        return;
    }
    EXPECT_EQ(actual, ReadFile(path)) << path.toStdString();
}

QString ToXml(VirtualCP cp)
{
    QString xml;
    EXPECT_TRUE(CDataAdaptor::VirtualCP2XML(cp, xml));
    return xml;
}

} // namespace

TEST(ProfileText, MatchesTheGoldenFilesByteForByte)
{
    RecordingSink sink;
    const QByteArray small = ToXml(MakeSmallImage()).toUtf8();
    ExpectGolden(small, QStringLiteral(TAVO_TEST_DATA_DIR "/small-ZUN20822.xml"));

    VirtualCP demo;
    const QByteArray bytes = ReadFile(QStringLiteral(TAVO_SOURCE_DIR "/install/samples/demo-OUD11602.img"));
    ASSERT_EQ(bytes.size(), 2089);
    std::memcpy(demo.bytes.data(), bytes.constData(), 2089);
    ExpectGolden(ToXml(demo).toUtf8(), QStringLiteral(TAVO_TEST_DATA_DIR "/demo-OUD11602.xml"));
    EXPECT_TRUE(sink.empty());
}

TEST(ProfileText, LayoutRules)
{
    const QString xml = ToXml(MakeSmallImage());
    // Every line ends in CR LF; no bare LF anywhere.
    EXPECT_EQ(xml.count(QStringLiteral("\r\n")), xml.count(QLatin1Char('\n')));
    EXPECT_TRUE(xml.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<TavoProfile xmlns=\"")));
    EXPECT_TRUE(xml.endsWith(QStringLiteral("</TavoProfile>\r\n")));
    // Trailing space after every attribute, none before the presets' "/>".
    EXPECT_TRUE(xml.contains(QStringLiteral("sub_region=\"0\" />\r\n\t<limit maxChannels=\"2\" ")));
    EXPECT_TRUE(xml.contains(QStringLiteral("keypadBeep=\"0\" >\r\n\t\t<preset channel=\"0\"/>\r\n\t\t<preset channel=\"1\"/>\r\n\t</setting>")));
    // Button entries 6, 11, 5, 8, 9 in that order.
    EXPECT_TRUE(xml.contains(QStringLiteral("side1_but=\"3\" side2_but=\"10\" upper_right_but=\"9\" lower_left_but=\"12\" lower_right_but=\"0\" numberChannels=\"2\" powerupString=\"HELLO\" ")));
    // Below 123 codes there are no customised tones.
    EXPECT_FALSE(xml.contains(QStringLiteral("CTcode")));
    // Escaped names; the scan-list bit per channel.
    EXPECT_TRUE(xml.contains(QStringLiteral("name=\"A&amp;B\" in_scanlist=\"0\" />")));
    EXPECT_TRUE(xml.contains(QStringLiteral("name=\"&lt;&quot;Q&quot;&gt;\" in_scanlist=\"1\" />")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<frequency freq=\"446006250\" bandwidth=\"0\" power_level=\"1\" compander_lle_mode=\"0\" />")));
}

TEST(ProfileText, WritesEverySlotUpToTheTableSizes)
{
    VirtualCP cp = MakeSmallImage();
    cp.SetChannelSlots(19);
    cp.SetFrequencySlots(99);
    cp.SetNumberChannels(1);
    for (size_t i = 2; i < 19; ++i)
        SetChannelName(cp, i, QStringLiteral("N%1").arg(i).toLatin1().constData());
    // Slots that hold no frequency after the last used one are not
    // frequencies of the profile.
    EXPECT_EQ(ToXml(cp).count(QStringLiteral("<frequency ")), 2);
    for (size_t i = 0; i < VirtualCP::kFrequencyCount; ++i) {
        FrequencySlot f = cp.Frequency(i);
        HzToSynth(446006250, f, cp.SynthBase());
        cp.SetFrequency(i, f);
    }
    const QString xml = ToXml(cp);
    EXPECT_EQ(xml.count(QStringLiteral("<channel ")), 19);
    EXPECT_EQ(xml.count(QStringLiteral("<frequency ")), 99);

    // A slot count beyond the tables is limited to them: nothing is read past the image.
    cp.SetChannelSlots(200);
    cp.SetFrequencySlots(255);
    const QString clamped = ToXml(cp);
    EXPECT_EQ(clamped.count(QStringLiteral("<channel ")), 19);
    EXPECT_EQ(clamped.count(QStringLiteral("<frequency ")), 99);
}

TEST(ProfileText, CustomTonesFromCode123On)
{
    VirtualCP cp = MakeSmallImage();
    for (size_t i = 0; i < 6; ++i)
        cp.SetCustomTone(i, 670 + i);
    cp.SetMaxCodes(123);
    const QString xml = ToXml(cp);
    EXPECT_TRUE(xml.contains(QStringLiteral("numberChannels=\"2\" CTcode124=\"670\" CTcode125=\"671\" CTcode126=\"672\" "
                                            "CTcode127=\"673\" CTcode128=\"674\" CTcode129=\"675\" powerupString=")));
}

TEST(ProfileText, ModelVersionsAndFieldTexts)
{
    VirtualCP cp = MakeSmallImage();
    const uint8_t digits[5] = {1, 2, 3, 4, 5};
    std::memcpy(cp.ModelDigitsBytes(), digits, 5);
    SetText(cp.PowerupTextBytes(), 8, "  HI  ");  // trimmed at both ends
    SetText(cp.PasswordBytes(), 4, "12345");      // a full field has no terminator
    cp.SetFirmwarePhase(0);                       // no character: empty value
    const QString xml = ToXml(cp);
    EXPECT_TRUE(xml.contains(QStringLiteral("model=\"ZUN12345\" ")));
    EXPECT_TRUE(xml.contains(QStringLiteral("codeplug_version=\"18\" ")));
    EXPECT_TRUE(xml.contains(QStringLiteral("powerupString=\"HI\" ")));
    EXPECT_TRUE(xml.contains(QStringLiteral("password=\"1234\" ")));
    EXPECT_TRUE(xml.contains(QStringLiteral("firmware_phase=\"\" ")));

    EXPECT_EQ(CDataAdaptor::EscapeAttribute(QStringLiteral("&lt;")), QStringLiteral("&amp;lt;"));
    const uint8_t field[8] = {'A', 0, 'B', 'C', 'D', 'E', 'F', 'G'};
    EXPECT_EQ(CDataAdaptor::FieldToAttributeText(field, 8), QStringLiteral("A"));
    const uint8_t latin[3] = {0xE9, 0x80, 'x'}; // é and € in the ANSI code page
    EXPECT_EQ(CDataAdaptor::FieldToAttributeText(latin, 3), QString::fromUtf8("é€x"));
}

TEST(SerialNumber, Format)
{
    struct Case {
        const char *serial;
        bool valid;
    };
    const Case cases[] = {
        {"123ABC4567", true},  {"000ZZZ9999", true},  {"123AHCZ8ZZ", true},
        {"123OBC4567", false}, // O in position 4
        {"123ABC45O7", false}, // O in position 9
        {"123AIC4567", false}, // I in position 5
        {"123ABI4567", false}, {"123ABC4A67", false}, // position 8 must be a digit
        {"123ABC456I", false}, {"12XABC4567", false}, {"123aBC4567", false},
        {"123ABC456", false},  // nine characters and a zero
        {"123ABCa567", false},
    };
    for (const Case &c : cases) {
        uint8_t s[10] = {};
        std::memcpy(s, c.serial, std::min<size_t>(10, std::strlen(c.serial)));
        EXPECT_EQ(CDataAdaptor::IsValidSerialNumber(s), c.valid) << c.serial;
    }
}

TEST(SerialNumber, InvalidSerialStopsTheConversion)
{
    RecordingSink sink;
    VirtualCP cp = MakeSmallImage();
    SetText(cp.SerialBytes(), 10, "123OBC4567");
    SetChannelName(cp, 1, "A&B"); // a duplicate that must not be renamed
    const VirtualCP before = cp;
    QString xml = QStringLiteral("untouched");
    EXPECT_FALSE(CDataAdaptor::VirtualCP2XML(cp, xml));
    EXPECT_EQ(xml, QStringLiteral("untouched"));
    EXPECT_EQ(cp, before);
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.last(), QStringLiteral("Invalid serial number"));
}

TEST(ProfileText, TextThatDoesNotParseIsReportedAsCorrupted)
{
    RecordingSink sink;
    VirtualCP cp = MakeSmallImage();
    SetChannelName(cp, 0, "BAD\x01"); // a control character cannot stand in XML
    QString xml;
    EXPECT_FALSE(CDataAdaptor::VirtualCP2XML(cp, xml));
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.last(), QStringLiteral("Codeplug is corrupted"));
}

TEST(ChannelNames, DuplicatesAreRenamedWithOneCounter)
{
    {
        VirtualCP cp = MakeSmallImage();
        cp.SetChannelSlots(3);
        SetChannelName(cp, 0, "CHAN 01");
        SetChannelName(cp, 1, "CHAN 01");
        SetChannelName(cp, 2, "A");
        CDataAdaptor::MakeChannelNamesUnique(cp);
        EXPECT_EQ(ChannelName(cp, 0), QStringLiteral("CHAN 01"));
        EXPECT_EQ(ChannelName(cp, 1), QStringLiteral("CHAN 02"));
        EXPECT_EQ(ChannelName(cp, 2), QStringLiteral("A"));
    }
    {
        VirtualCP cp = MakeSmallImage();
        cp.SetChannelSlots(3);
        for (size_t i = 0; i < 3; ++i)
            SetChannelName(cp, i, "X");
        CDataAdaptor::MakeChannelNamesUnique(cp);
        EXPECT_EQ(ChannelName(cp, 0), QStringLiteral("X"));
        EXPECT_EQ(ChannelName(cp, 1), QStringLiteral("CHAN 01"));
        EXPECT_EQ(ChannelName(cp, 2), QStringLiteral("CHAN 02"));
    }
    {
        // Empty names are equal too; a candidate taken by a later slot is
        // skipped; the counter passes 9 into two digits.
        VirtualCP cp = MakeSmallImage();
        cp.SetChannelSlots(12);
        for (size_t i = 0; i < 12; ++i)
            SetChannelName(cp, i, "");
        SetChannelName(cp, 11, "CHAN 03");
        CDataAdaptor::MakeChannelNamesUnique(cp);
        const char *expected[] = {"", "CHAN 01", "CHAN 02", "CHAN 04", "CHAN 05", "CHAN 06",
                                  "CHAN 07", "CHAN 08", "CHAN 09", "CHAN 10", "CHAN 11", "CHAN 03"};
        for (size_t i = 0; i < 12; ++i)
            EXPECT_EQ(ChannelName(cp, i), QLatin1String(expected[i])) << i;
        // The new names are zero-filled to eight bytes.
        EXPECT_EQ(cp.Channel(1).NameBytes()[7], 0);
    }
    {
        // Only the used slots take part.
        VirtualCP cp = MakeSmallImage();
        cp.SetChannelSlots(2);
        SetChannelName(cp, 0, "A");
        SetChannelName(cp, 1, "B");
        SetChannelName(cp, 2, "A");
        CDataAdaptor::MakeChannelNamesUnique(cp);
        EXPECT_EQ(ChannelName(cp, 2), QStringLiteral("A"));
    }
}

TEST(ChannelNames, RenamingHappensInTheImageDuringConversion)
{
    VirtualCP cp = MakeSmallImage();
    SetChannelName(cp, 1, "A&B");
    QString xml;
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(cp, xml));
    EXPECT_EQ(ChannelName(cp, 1), QStringLiteral("CHAN 01"));
    EXPECT_TRUE(xml.contains(QStringLiteral("name=\"CHAN 01\"")));
}
