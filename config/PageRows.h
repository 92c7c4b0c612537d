#pragma once
// The value rows of the pages that edit radio-wide settings (General
// Settings, Audio Settings, Buttons): which control shows which attribute
// under which caption, the entries of each list and the model flags that
// hide a row, taken from the field table. The pages bind their controls
// with these rows and the reports read the profile through them, so a
// report says what the page that edits the value shows, under the same
// caption.

#include "codeplug/RadioFields.h"
#include "config/SettingDocuments.h"

#include <QString>
#include <functional>
#include <vector>

namespace tavo {

// Page names of the visibility document.
inline constexpr const char *kSettingsPage = "Settings";
inline constexpr const char *kAudioSettingsPage = "AudioSettings";
inline constexpr const char *kButtonsPage = "Buttons";

struct PageRow {
    int labelId;
    int ctrlId;
    int textId;            // the caption's string
    const char *element;   // "setting" or "limit"
    const char *attribute;
    RowKind kind;
    std::vector<int> items; // a list's entries (string ids), in list order
    // A list's position from the stored value: 0 as it is, n > 0 the value
    // divided by n, -1 position 1 for any non-zero value.
    int scale;
    HideFlag hide;
    bool reported; // false for rows a report never prints (the password)
};

// The rows of each page, in the page's order, as the field table
// (codeplug/RadioFields.cpp) describes them.
std::vector<PageRow> SettingsPageRows();
std::vector<PageRow> AudioSettingsPageRows();
// The Buttons page's own rows that are not buttons: the keypad lock.
std::vector<PageRow> ButtonsPageRows();

// The list position a stored value selects, -1 for none.
int ListPosition(const PageRow &row, int value, int backlightEnabled = 0);
// The stored value of a list position (the inverse of ListPosition).
int ListValue(const PageRow &row, int position);

// ---- buttons

struct ButtonRow {
    int labelId;
    int listId;
    int textId; // "Side Button 1 (SB1)" ... "Button C"
    const char *attribute;
    int defaultCode;
    bool allGroups; // buttons A, B and C offer every group; side buttons COMMON only
};
inline constexpr int kButtonRowCount = 5;
extern const ButtonRow kButtonRows[kButtonRowCount];

// The row a feature brings onto the line of its button.
struct ButtonDependentRow {
    int code;
    int labelId;
    int ctrlId;
    int textId;
};
inline constexpr int kButtonDependentRowCount = 4;
extern const ButtonDependentRow kButtonDependentRows[kButtonDependentRowCount];
inline constexpr int kCallToneFeature = 3;
inline constexpr int kScrambleModeFeature = 12;
inline constexpr int kPreset1Feature = 9;
inline constexpr int kPreset2Feature = 10;
// The entries of the scramble mode list and the call tone list's first.
inline constexpr int kScrambleModeItems[] = {340, 341};
inline constexpr int kCallToneOffText = 220;
inline constexpr int kCallToneText = 221; // "Call Tone" of "Call Tone %d"

// Which button rows (by index into kButtonRows) the Buttons page shows on
// a model of that display type: the visibility document decides.
std::vector<bool> ShownButtonRows(bool display);

// The entry of the first group (COMMON, the display group, PREBUTTON) that
// carries feature `code`; null when none does.
const ButtonFeature *FindButtonFeature(int code, const std::vector<ButtonFeature> &common,
                                       const std::vector<ButtonFeature> &displayGroup,
                                       const std::vector<ButtonFeature> &preButton);

// Reads a `limit` attribute as an integer.
using LimitReader = std::function<int(const char *)>;

// The features a button's list offers, in list order: each group's entries
// without code 0, without those their dependency or a "max_call_tones" of
// 0 leaves out, the PREBUTTON group cut to "maxPresetButtons"; side
// buttons COMMON only; the no-feature entry (COMMON's last) at the end.
std::vector<ButtonFeature> OfferedButtonFeatures(const std::vector<ButtonFeature> &common,
                                                 const std::vector<ButtonFeature> &displayGroup,
                                                 const std::vector<ButtonFeature> &preButton, bool allGroups,
                                                 const LimitReader &limit);
// The entry the page selects for a stored code: the first entry with the
// code in COMMON, the display group, PREBUTTON; null when there is none
// or the entry is not offered (the page then shows the no-feature entry).
const ButtonFeature *ShownButtonFeature(int code, const std::vector<ButtonFeature> &common,
                                        const std::vector<ButtonFeature> &displayGroup,
                                        const std::vector<ButtonFeature> &preButton,
                                        const std::vector<ButtonFeature> &offered);

// ---- the channel page

inline constexpr const char *kChannelPage = "Channel";

// The rows of the channel page that the model's feature flags (of `limit`)
// keep: a power choice (Talkaround Power and Repeater Power), the scramble
// code, the repeater (and with it the separate Transmit column), the scan.
// The page hides the others; the detailed report prints only the columns
// the page shows.
struct ChannelFeatures {
    bool power = false;
    bool scramble = false;
    bool repeater = false;
    bool scan = false;
};
ChannelFeatures ChannelPageFeatures(const LimitReader &limit);

// The channel page's controls and captions.
inline constexpr int kChannelReceiveCaption = 232;  // "Receive"
inline constexpr int kChannelTransmitCaption = 236; // "Transmit"
inline constexpr int kChannelNameCaption = 429;
inline constexpr int kChannelFrequencyCaption = 233;
inline constexpr int kChannelBandwidthCaption = 234;
inline constexpr int kChannelCodeCaption = 235;
inline constexpr int kChannelTalkaroundPowerCaption = 398;
inline constexpr int kChannelTransmitPowerCaption = 447; // the one power of a page without repeater
inline constexpr int kChannelRepeaterPowerCaption = 241;
inline constexpr int kChannelScrambleCaption = 237;
inline constexpr int kChannelRepeaterCaption = 238;
inline constexpr int kChannelAutoScanCaption = 239;
inline constexpr int kChannelOutOfRange = 510; // a frequency the list cannot show
inline constexpr int kChannelPowerItems[] = {192, 191}; // as stored: 0 high, 1 low
inline constexpr int kChannelBandwidthItems[] = {189, 190};
inline constexpr int kChannelScrambleItems[] = {193, 194, 195, 196};

// ---- radio information

// A version as the Radio Information page shows it: the phase, then
// "%02d.%02d" (always a ".").
QString FormatVersion(const QString &phase, int version, int revision);

// A frequency range as the Radio Information page shows it, in MHz with
// six decimals and the language's separator: "446.000000 - 446.200000".
QString FormatFrequencyRange(quint32 startHz, quint32 endHz, const QString &decimalSeparator);

} // namespace tavo
