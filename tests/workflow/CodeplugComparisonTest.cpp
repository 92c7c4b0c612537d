// The change list between two codeplug images: one line per changed field
// in the profile's terms, values as the pages show them, identity never a
// change.

#include "workflow/CodeplugComparison.h"

#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace tavo;

namespace {

constexpr uint32_t kSynthBase = 400;

void SetText(uint8_t *field, size_t width, const char *text)
{
    std::memset(field, 0, width);
    std::memcpy(field, text, std::min(width, std::strlen(text)));
}

void SetFrequency(VirtualCP &cp, size_t slot, uint32_t hz, uint32_t bandwidthMode = 0)
{
    FrequencySlot f = cp.Frequency(slot);
    HzToSynth(hz, f, cp.SynthBase());
    f.SetBandwidth(bandwidthMode);
    cp.SetFrequency(slot, f);
}

// Three channels on two frequencies, customised tones on.
VirtualCP Base()
{
    VirtualCP cp;
    SetText(cp.SerialBytes(), VirtualCP::kSerialWidth, "123ABC4567");
    SetText(cp.ModelLettersBytes(), 3, "OUD");
    cp.SetSynthBase(kSynthBase);
    cp.SetChannelSlots(16);
    cp.SetNumberChannels(3);
    cp.SetFrequencySlots(2);
    cp.SetMaxCodes(127);
    SetText(cp.PowerupTextBytes(), VirtualCP::kPowerupTextWidth, "HELLO");
    SetText(cp.PasswordBytes(), VirtualCP::kPasswordWidth, "1234");
    SetFrequency(cp, 0, 446006250);
    SetFrequency(cp, 1, 446018750);
    for (size_t j = 0; j < 3; ++j) {
        ChannelSlot c;
        const std::string name = "OLD" + std::to_string(j + 1);
        SetText(c.NameBytes(), 8, name.c_str());
        c.SetRxFreqNdx(j % 2);
        c.SetTxFreqNdx(j % 2);
        c.SetRxCode(1);
        c.SetTxCode(1);
        c.SetRepeater(1); // each transmits with its own settings
        cp.SetChannel(j, c);
    }
    for (size_t i = 0; i < VirtualCP::kCustomToneCount; ++i)
        cp.SetCustomTone(i, 1000);
    return cp;
}

CodeplugComparisonOptions Dotted()
{
    CodeplugComparisonOptions options;
    options.decimalSeparator = QStringLiteral(".");
    options.buttonName = [](const QString &, uint32_t code) { return code == 3 ? QStringLiteral("Monitor") : QString(); };
    return options;
}

template <typename Change>
void EditChannel(VirtualCP &cp, size_t j, Change change)
{
    ChannelSlot c = cp.Channel(j);
    change(c);
    cp.SetChannel(j, c);
}

} // namespace

TEST(CodeplugComparison, EqualImagesAndIdentityFieldsGiveNoChange)
{
    const VirtualCP radio = Base();
    EXPECT_TRUE(CompareCodeplugs(radio, radio, Dotted()).empty());

    // What the radio is rather than what it holds: never a change.
    VirtualCP other = Base();
    SetText(other.SerialBytes(), VirtualCP::kSerialWidth, "999XYZ0000");
    other.SetFirmwarePhase('R');
    other.SetFirmwareVersion('2');
    other.SetFirmwareRevision('1');
    other.SetCodeplugVersion(18);
    other.SetCloneCompatibility(20);
    other.SetStartFreq(446000000);
    other.SetEndFreq(446200000);
    other.ModelDigitsBytes()[4] = 5;
    // A channel record's checksum is the radio's, and slots past the
    // channels in use are not part of the profile.
    EditChannel(other, 1, [](ChannelSlot &c) { c.SetChecksum(0x77); });
    EditChannel(other, 7, [](ChannelSlot &c) { SetText(c.NameBytes(), 8, "JUNK"); });
    EXPECT_TRUE(CodeplugChangeLines(radio, other, Dotted()).isEmpty()) << CodeplugChangeLines(radio, other, Dotted()).join(QLatin1Char('\n')).toStdString();
}

TEST(CodeplugComparison, EveryKindOfFieldIsOneLineShownAsThePagesShowIt)
{
    const VirtualCP radio = Base();
    VirtualCP profile = Base();
    SetText(profile.PowerupTextBytes(), VirtualCP::kPowerupTextWidth, "SHOP 1");                 // text
    SetText(profile.PasswordBytes(), VirtualCP::kPasswordWidth, "9999");                         // secret
    profile.SetKeypadLock(1);                                                                    // flag
    profile.SetBatteryType(1);                                                                   // value list
    profile.SetTimeoutTimer(60);                                                                 // a page list's entry
    profile.SetVoxLevel(1);                                                                      // a level by its name
    profile.SetButtonEntry(6, 3);                                                                // button
    profile.SetPreset2Channel(2);                                                                // channel reference
    profile.SetCustomTone(0, 1234);                                                              // customised tone
    EditChannel(profile, 2, [](ChannelSlot &c) { SetText(c.NameBytes(), 8, "NEW3"); });          // channel name
    EditChannel(profile, 1, [](ChannelSlot &c) {
        c.SetRxCode(39);          // tone -> DCS
        c.SetTxCode(124);         // a customised tone
        c.SetRxFreqNdx(0);        // frequency reference
        c.SetTxBw(1);             // bandwidth
        c.SetScrambleCode(2);     // scramble code
        c.SetTalkaroundPower(1);  // power
    });
    profile.SetScanListBit(0, 1);                                                                // scan list
    SetFrequency(profile, 1, 446031250, 2);                                                      // frequency and its mode

    const QStringList lines = CodeplugChangeLines(radio, profile, Dotted());
    const QStringList expected = {
        QStringLiteral("Codeplug password: **** → ****"),
        QStringLiteral("Power-up text: HELLO → SHOP 1"),
        QStringLiteral("Keypad lock: OFF → ON"),
        QStringLiteral("Transmit time-out timer: OFF → 60"), // as the page's list names them
        QStringLiteral("Battery type: Alkaline → Nickel/LiIon"),
        QStringLiteral("VOX level: %1 → %2").arg(LoadString(181), LoadString(182)),
        QStringLiteral("Side Button 1 (SB1): 0 → Monitor"),
        QStringLiteral("Preset 2 Channel: 1 → 3"),
        QStringLiteral("Customized tone 124: 100.0 Hz → 123.4 Hz"),
        QStringLiteral("Channel 2 receive frequency: 446.018750 → 446.006250"),
        QStringLiteral("Channel 2 receive tone: 67.0 Hz → DCS 023"),
        QStringLiteral("Channel 2 talkaround power: High → Low"), // 0 is High, as on the channel page
        QStringLiteral("Channel 2 transmit tone: 67.0 Hz → Customized CT (123.4 Hz)"),
        QStringLiteral("Channel 2 transmit bandwidth: 12.5 → 25"),
        QStringLiteral("Channel 2 scramble: OFF → Scramble Code 2"),
        QStringLiteral("Channel 3 name: OLD3 → NEW3"),
        QStringLiteral("Channel 1 in the scan list: OFF → ON"),
        QStringLiteral("Frequency 2: 446.018750 → 446.031250 MHz"),
        QStringLiteral("Frequency 2 bandwidth: 12.5 KHz only → User selectable with 12.5 KHz as default"),
    };
    for (const QString &line : expected)
        EXPECT_TRUE(lines.contains(line)) << "missing: " << line.toStdString() << "\nin:\n" << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines.size(), expected.size()) << lines.join(QLatin1Char('\n')).toStdString();

    // A radio without a password: said so, not shown as nothing.
    VirtualCP open = Base();
    SetText(open.PasswordBytes(), VirtualCP::kPasswordWidth, "");
    EXPECT_EQ(CodeplugChangeLines(open, radio, Dotted()), QStringList{QStringLiteral("Codeplug password: None → ****")});
}

TEST(CodeplugComparison, AddedAndRemovedRowsAndTheDecimalSeparator)
{
    const VirtualCP radio = Base();
    VirtualCP profile = Base();
    profile.SetNumberChannels(4);
    EditChannel(profile, 3, [](ChannelSlot &c) { SetText(c.NameBytes(), 8, "NEW4"); });
    profile.SetFrequencySlots(1);

    CodeplugComparisonOptions comma = Dotted();
    comma.decimalSeparator = QStringLiteral(",");
    const QStringList lines = CodeplugChangeLines(radio, profile, comma);
    EXPECT_EQ(lines, QStringList({QStringLiteral("Channels in use: 3 → 4"), QStringLiteral("Channel 4 added: NEW4"),
                                  QStringLiteral("Frequency 2 removed: 446,018750 MHz")}));

    // The other way round, the same rows go.
    const QStringList back = CodeplugChangeLines(profile, radio, comma);
    EXPECT_TRUE(back.contains(QStringLiteral("Channel 4 removed: NEW4")));
    EXPECT_TRUE(back.contains(QStringLiteral("Frequency 2 added: 446,018750 MHz")));
}
