#pragma once
// Building blocks for the converter tests: small images with known content.

#include "profile/CDataAdaptor.h"
#include "codeplug/VirtualCP.h"

#include <QString>
#include <cstring>

namespace tavo::test {

inline void SetText(uint8_t *field, size_t width, const char *text)
{
    std::memset(field, 0, width);
    std::memcpy(field, text, std::min(width, std::strlen(text)));
}

inline void SetChannelName(VirtualCP &cp, size_t slot, const char *name)
{
    ChannelSlot ch = cp.Channel(slot);
    SetText(ch.NameBytes(), ChannelSlot::kNameWidth, name);
    cp.SetChannel(slot, ch);
}

inline QString ChannelName(const VirtualCP &cp, size_t slot)
{
    const ChannelSlot ch = cp.Channel(slot);
    return QString::fromLatin1(reinterpret_cast<const char *>(ch.NameBytes()),
                               static_cast<int>(strnlen(reinterpret_cast<const char *>(ch.NameBytes()), 8)));
}

// A small valid radio: two channels, two frequencies, no customised tones.
inline VirtualCP MakeSmallImage()
{
    VirtualCP cp;
    cp.SetFirmwarePhase('R');
    cp.SetFirmwareVersion('2');
    cp.SetFirmwareRevision('1');
    cp.SetCodeplugPhase('D');
    cp.SetCodeplugVersion(18);
    cp.SetCodeplugDevVersion(3);
    SetText(cp.ModelLettersBytes(), 3, "ZUN");
    const uint8_t digits[5] = {2, 0, 8, 2, 2};
    std::memcpy(cp.ModelDigitsBytes(), digits, 5);
    SetText(cp.SerialBytes(), 10, "123ABC4567");
    cp.SetSynthBase(400);
    cp.SetChannelSlots(2);
    cp.SetFrequencySlots(2);
    cp.SetStartFreq(446000000);
    cp.SetEndFreq(446200000);
    cp.SetMaxCallTones(5);
    cp.SetMaxPresetButtons(2);
    cp.SetMaxCodes(122);
    cp.SetPowerCntrlEnabled(1);
    SetText(cp.PasswordBytes(), 4, "1234");
    cp.SetTimeoutTimer(6);
    cp.SetVoxLevel(2);
    cp.SetButtonEntry(6, 3);
    cp.SetButtonEntry(11, 10);
    cp.SetButtonEntry(5, 9);
    cp.SetButtonEntry(8, 12);
    cp.SetButtonEntry(9, 0);
    cp.SetNumberChannels(2);
    SetText(cp.PowerupTextBytes(), 8, "HELLO");
    cp.SetCallTone(2);
    cp.SetPreset1Channel(0);
    cp.SetPreset2Channel(1);
    cp.SetBacklightTimeout(5);
    cp.SetCloneCompatibility(2);
    for (size_t i = 0; i < 2; ++i) {
        ChannelSlot ch = cp.Channel(i);
        ch.SetRxFreqNdx(i);
        ch.SetTxFreqNdx(i);
        ch.SetRxCode(i + 1);
        ch.SetTxCode(i + 1);
        ch.SetRepeater(i);
        cp.SetChannel(i, ch);
        FrequencySlot f = cp.Frequency(i);
        HzToSynth(446006250 + 12500 * static_cast<uint32_t>(i), f, 400);
        f.SetPowerLevel(1);
        f.SetBandwidth(i);
        cp.SetFrequency(i, f);
    }
    SetChannelName(cp, 0, "A&B");
    SetChannelName(cp, 1, "<\"Q\">");
    cp.SetScanListBit(1, 1);
    return cp;
}

} // namespace tavo::test
