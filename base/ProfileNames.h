#pragma once
// The element and attribute names of the profile, one place for each. The
// names are those of the profile document as it is stored (mixed camel case
// and underscores as they stand); code spells them through these constants.
// They are plain character arrays, so they go wherever a literal went: the
// XML layer's `const char *`, a QString parameter, a comparison. They sit in
// base/ so that every layer that reads a profile (settings rows included) can
// name them.

namespace tavo::names {

// ---- elements, from the root down (the root's own name is kProfileRootName,
// base/ProfileNamespaces.h)
inline constexpr char kFactorySetting[] = "factory_setting";
inline constexpr char kLimit[] = "limit";
inline constexpr char kSetting[] = "setting";
inline constexpr char kPreset[] = "preset";
inline constexpr char kChannels[] = "channels";
inline constexpr char kChannel[] = "channel";
inline constexpr char kFrequencies[] = "frequencies";
inline constexpr char kFrequency[] = "frequency";

// ---- factory_setting
inline constexpr char kSerialCloneCompatibility[] = "serial_clone_compatibility";
inline constexpr char kFirmwarePhase[] = "firmware_phase";
inline constexpr char kFirmwareVersion[] = "firmware_version";
inline constexpr char kFirmwareRevision[] = "firmware_revision";
inline constexpr char kCodeplugPhase[] = "codeplug_phase";
inline constexpr char kCodeplugVersion[] = "codeplug_version";
inline constexpr char kCodeplugDevVersion[] = "codeplug_dev_version";
inline constexpr char kModel[] = "model";
inline constexpr char kSerial[] = "serial";
inline constexpr char kSynthBaseIntPart[] = "synth_base_int_part";
inline constexpr char kSubRegion[] = "sub_region";
inline constexpr char kSpecificInfo[] = "Specific_Info";

// ---- limit
inline constexpr char kMaxChannels[] = "maxChannels";
inline constexpr char kMaxValidFreqs[] = "max_valid_freqs";
inline constexpr char kStartFreq[] = "start_freq";
inline constexpr char kEndFreq[] = "end_freq";
inline constexpr char kDisableTimeOutTimer[] = "disable_time_out_timer";
inline constexpr char kDisableKeypadBeepFeature[] = "disable_keypad_beep_feature";
inline constexpr char kDisableRogerBeepFeature[] = "disable_roger_beep_feature";
inline constexpr char kDisableBusyLedMode[] = "disable_busy_led_mode";
inline constexpr char kEnableReverseBurst[] = "enable_reverse_burst";
inline constexpr char kDisableVoxFeature[] = "disable_vox_feature";
inline constexpr char kDisableIvoxFeature[] = "disable_ivox_feature";
inline constexpr char kDisableScrambleFeature[] = "disable_scramble_feature";
inline constexpr char kDisableBatterySaveFeature[] = "disable_battery_save_feature";
inline constexpr char kFactoryResetDisable[] = "factory_reset_disable";
inline constexpr char kDisableScanMode[] = "disable_scan_mode";
inline constexpr char kMaxCallTones[] = "max_call_tones";
inline constexpr char kMaxPresetButtons[] = "maxPresetButtons";
inline constexpr char kMaxCodes[] = "maxCodes";
inline constexpr char kPowerCntrlEnabled[] = "power_cntrl_enabled";
inline constexpr char kBacklightButtonEnabled[] = "backlight_button_enabled";
inline constexpr char kProgrammingModeEnabled[] = "programming_mode_enabled";
inline constexpr char kCallFeatureDisable[] = "call_feature_disable";
inline constexpr char kMonitorFeatureDisable[] = "monitor_feature_disable";
inline constexpr char kDisableKeypadLockFeature[] = "disable_keypad_lock_feature";
inline constexpr char kDisableRepeaterFeature[] = "disable_repeater_feature";
inline constexpr char kRxStartFreq[] = "rx_start_freq";
inline constexpr char kRxEndFreq[] = "rx_end_freq";
inline constexpr char kTxStartFreq[] = "tx_start_freq";
inline constexpr char kTxEndFreq[] = "tx_end_freq";

// ---- preset
inline constexpr char kPassword[] = "password";
inline constexpr char kDisableLED[] = "disableLED";
inline constexpr char kDisableRestoreFactoryDefault[] = "disableRestoreFactoryDefault";
inline constexpr char kBacklightEnabled[] = "backlight_enabled";
inline constexpr char kTimeoutTimer[] = "timeoutTimer";
inline constexpr char kReverseBurst[] = "reverseBurst";
inline constexpr char kVoxLevel[] = "vox_level";
inline constexpr char kIvolLevel[] = "ivol_level";
inline constexpr char kMicrophoneGain[] = "microphoneGain";
inline constexpr char kAccessoryMicrophoneGain[] = "accessoryMicrophoneGain";
inline constexpr char kBatteryType[] = "batteryType";
inline constexpr char kDisableBatterySave[] = "disableBatterySave";
inline constexpr char kSide1But[] = "side1_but";
inline constexpr char kSide2But[] = "side2_but";
inline constexpr char kUpperRightBut[] = "upper_right_but";
inline constexpr char kLowerLeftBut[] = "lower_left_but";
inline constexpr char kLowerRightBut[] = "lower_right_but";
inline constexpr char kNumberChannels[] = "numberChannels";
inline constexpr char kCTcode124[] = "CTcode124";
inline constexpr char kCTcode125[] = "CTcode125";
inline constexpr char kCTcode126[] = "CTcode126";
inline constexpr char kCTcode127[] = "CTcode127";
inline constexpr char kCTcode128[] = "CTcode128";
inline constexpr char kCTcode129[] = "CTcode129";
inline constexpr char kPowerupString[] = "powerupString";
inline constexpr char kRogerBeepTone[] = "rogerBeepTone";
inline constexpr char kDisableSelectableScramble[] = "disableSelectableScramble";
inline constexpr char kBacklightTimeout[] = "backlight_timeout";
inline constexpr char kCallTone[] = "callTone";
inline constexpr char kKeypadLock[] = "keypadLock";
inline constexpr char kKeypadBeep[] = "keypadBeep";
inline constexpr char kStationID[] = "stationID";
inline constexpr char kRepIdMode[] = "rep_id_mode";
inline constexpr char kRepHangtime[] = "rep_hangtime";
inline constexpr char kLowBatteryTx[] = "low_battery_tx";
inline constexpr char kOnbattAlert[] = "onbatt_alert";
inline constexpr char kCourtesyOver[] = "courtesy_over";

// ---- channel
inline constexpr char kRxFreqNdx[] = "rx_freq_ndx";
inline constexpr char kRxCode[] = "rx_code";
inline constexpr char kTxFreqNdx[] = "tx_freq_ndx";
inline constexpr char kTxCode[] = "tx_code";
inline constexpr char kRxBw[] = "rx_bw";
inline constexpr char kTxBw[] = "tx_bw";
inline constexpr char kTalkaroundPower[] = "talkaround_power";
inline constexpr char kRepeaterPower[] = "repeater_power";
inline constexpr char kRepeater[] = "repeater";
inline constexpr char kAutoScan[] = "autoScan";
inline constexpr char kScrambleCode[] = "scramble_code";
inline constexpr char kName[] = "name";
inline constexpr char kInScanList[] = "in_scanlist";

// ---- frequency
inline constexpr char kFreq[] = "freq";
inline constexpr char kBandwidth[] = "bandwidth";
inline constexpr char kPowerLevel[] = "power_level";
inline constexpr char kCompanderLleMode[] = "compander_lle_mode";

} // namespace tavo::names
