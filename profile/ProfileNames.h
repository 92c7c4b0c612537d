#pragma once
// The element and attribute names of the profile, one place for each. The
// names are those of the profile document as it is stored (mixed camel case
// and underscores as they stand); code spells them through these constants.

#include <QLatin1String>

namespace tavo::names {

// ---- elements, from the root down
inline constexpr QLatin1String kFactorySetting("factory_setting");
inline constexpr QLatin1String kLimit("limit");
inline constexpr QLatin1String kSetting("setting");
inline constexpr QLatin1String kPreset("preset");
inline constexpr QLatin1String kChannels("channels");
inline constexpr QLatin1String kChannel("channel");
inline constexpr QLatin1String kFrequencies("frequencies");
inline constexpr QLatin1String kFrequency("frequency");

// ---- factory_setting
inline constexpr QLatin1String kModel("model");
inline constexpr QLatin1String kSerialCloneCompatibility("serial_clone_compatibility");

// ---- limit
inline constexpr QLatin1String kDisableRepeaterFeature("disable_repeater_feature");
inline constexpr QLatin1String kDisableScanMode("disable_scan_mode");
inline constexpr QLatin1String kMaxCodes("maxCodes");
inline constexpr QLatin1String kStartFreq("start_freq");
inline constexpr QLatin1String kEndFreq("end_freq");

// ---- setting
inline constexpr QLatin1String kNumberChannels("numberChannels");
inline constexpr QLatin1String kCallTone("callTone");

// ---- channel
inline constexpr QLatin1String kName("name");
inline constexpr QLatin1String kRxCode("rx_code");
inline constexpr QLatin1String kTxCode("tx_code");
inline constexpr QLatin1String kRxFreqNdx("rx_freq_ndx");
inline constexpr QLatin1String kTxFreqNdx("tx_freq_ndx");
inline constexpr QLatin1String kRxBw("rx_bw");
inline constexpr QLatin1String kTxBw("tx_bw");
inline constexpr QLatin1String kRepeater("repeater");
inline constexpr QLatin1String kInScanList("in_scanlist");

// ---- frequency
inline constexpr QLatin1String kFreq("freq");
inline constexpr QLatin1String kBandwidth("bandwidth");
inline constexpr QLatin1String kPowerLevel("power_level");
inline constexpr QLatin1String kCompanderLleMode("compander_lle_mode");

} // namespace tavo::names
