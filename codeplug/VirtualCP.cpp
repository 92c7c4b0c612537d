#include "codeplug/VirtualCP.h"

#include "base/ProfileNames.h"

#include <algorithm>

namespace tavo {

namespace {
constexpr uint32_t kReferenceHz = 16800000;
constexpr uint32_t kStepR7 = 1050000;          // half the step with R = 7
constexpr uint8_t kDefaultRefDivider = 7;
constexpr uint8_t kDefaultSynthMode = 4;
} // namespace

ChannelSlot VirtualCP::Channel(size_t i) const
{
    ChannelSlot slot;
    std::memcpy(slot.bytes.data(), At(kChannelOffset + i * ChannelSlot::kSize), ChannelSlot::kSize);
    return slot;
}

void VirtualCP::SetChannel(size_t i, const ChannelSlot &slot)
{
    std::memcpy(At(kChannelOffset + i * ChannelSlot::kSize), slot.bytes.data(), ChannelSlot::kSize);
}

FrequencySlot VirtualCP::Frequency(size_t i) const
{
    FrequencySlot slot;
    std::memcpy(slot.bytes.data(), At(kFrequencyOffset + i * FrequencySlot::kSize), FrequencySlot::kSize);
    return slot;
}

void VirtualCP::SetFrequency(size_t i, const FrequencySlot &slot)
{
    std::memcpy(At(kFrequencyOffset + i * FrequencySlot::kSize), slot.bytes.data(), FrequencySlot::kSize);
}

uint32_t VirtualCP::ButtonEntry(size_t entry) const
{
    if (entry >= kButtonEntryCount)
        return 0;
    const uint8_t byte = bytes[kButtonTableOffset + entry / 2];
    return (entry % 2 == 0) ? (byte & 0x0F) : (byte >> 4);
}

void VirtualCP::SetButtonEntry(size_t entry, uint32_t value)
{
    if (entry >= kButtonEntryCount)
        return;
    uint8_t &byte = bytes[kButtonTableOffset + entry / 2];
    const uint8_t nibble = static_cast<uint8_t>(value & 0x0F);
    byte = (entry % 2 == 0) ? static_cast<uint8_t>((byte & 0xF0) | nibble)
                            : static_cast<uint8_t>((byte & 0x0F) | (nibble << 4));
}

bool VirtualCP::ScanListBit(size_t slot) const
{
    if (slot >= kChannelCount)
        return false;
    return GetBit(bytes[kScanListOffset + slot / 8], slot % 8);
}

void VirtualCP::SetScanListBit(size_t slot, uint32_t value)
{
    if (slot >= kChannelCount)
        return;
    uint8_t &byte = bytes[kScanListOffset + slot / 8];
    byte = WithBit(byte, slot % 8, value != 0);
}

size_t VirtualCP::UsedChannelSlots() const
{
    return std::min<size_t>(ChannelSlots(), kChannelCount);
}

size_t VirtualCP::UsedFrequencySlots() const
{
    return std::min<size_t>(FrequencySlots(), kFrequencyCount);
}

size_t VirtualCP::FilledFrequencySlots() const
{
    size_t count = UsedFrequencySlots();
    while (count > 0 && Frequency(count - 1).IsUnused())
        --count;
    return count;
}

const std::array<FollowedTransmitField, 3> kTransmitFollowsReceive = {{
    {names::kRxFreqNdx, names::kTxFreqNdx, ChannelSlot::kRxFreqNdxOffset, ChannelSlot::kTxFreqNdxOffset},
    {names::kRxCode, names::kTxCode, ChannelSlot::kRxCodeOffset, ChannelSlot::kTxCodeOffset},
    {names::kRxBw, names::kTxBw, ChannelSlot::kRxBwOffset, ChannelSlot::kTxBwOffset},
}};

bool TransmitsWithReceive(const VirtualCP &image, const ChannelSlot &slot)
{
    // Flags of the image: only 1 is set.
    return TransmitsWithReceive(image.DisableRepeaterFeature() == 1, slot.Repeater() == 1);
}

ChannelSlot EffectiveChannel(const VirtualCP &image, size_t i)
{
    ChannelSlot slot = image.Channel(i);
    if (TransmitsWithReceive(image, slot))
        for (const FollowedTransmitField &f : kTransmitFollowsReceive)
            slot.bytes[f.txOffset] = slot.bytes[f.rxOffset];
    return slot;
}

uint32_t SynthToHz(const FrequencySlot &slot, uint32_t base)
{
    const uint32_t step = kReferenceHz / (slot.RefDivider() + 1u);
    const uint32_t n = base + slot.DividerOffset();
    const uint32_t f = slot.Fraction();
    return (step * n + 2u * f) >> 1;
}

void HzToSynth(uint32_t hz, FrequencySlot &slot, uint32_t base)
{
    const uint32_t n = hz / kStepR7;
    const uint32_t f = (2u * hz - 2u * kStepR7 * n) / 2u;
    slot.SetRefDivider(kDefaultRefDivider);
    slot.SetDividerOffset((n - base) & 0xFF);
    slot.SetSynthMode(kDefaultSynthMode);
    slot.SetFracHigh(f / 65536u);
    slot.SetFracLow(f % 65536u);
}

bool HzRepresentable(uint32_t hz, uint32_t base)
{
    const uint64_t n = hz / kStepR7;
    if (n < base || n - base > 0xFF)
        return false;
    const uint64_t f = hz - kStepR7 * n;
    return 2u * uint64_t(kStepR7) * n + 2u * f <= 0xFFFFFFFFu;
}

} // namespace tavo
