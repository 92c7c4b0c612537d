#pragma once
// Checks and adjustments of a loaded profile that depend on its model code
// (the factory_setting "model": three characters, five digits; a 4/5 W
// variant has "4" or "5" as its fourth character, a rotary one "R" as its
// third). Each takes the profile's root item. Apart from
// SetNonDisplaySpecificInfo every change is a request through the rules,
// which may refuse it.

#include "profile/CDataItem.h"

#include <QString>

namespace tavo {

bool IsFourFiveWattVariant(const QString &model);
bool IsRotaryFourFiveWattVariant(const QString &model);

// Rotary 4/5 W variant: factory_setting Specific_Info = "4_5WNondisplay".
void SetNonDisplaySpecificInfo(CDataItem &root);
// Rotary 4/5 W variant: requests limit disable_repeater_feature = 0.
void ClearRepeaterDisableForVariant(CDataItem &root);
// Requests the variant defaults: the model's region code becomes "02"; then,
// only when that request was accepted and changed the model, buttons with
// feature 11 lose it, frequency power modes 0/2 become 1/3 and channel
// powers that are 0 become 1.
void ApplyModelVariantDefaults(CDataItem &root);
// The buttons a model's Buttons page does not show give their features
// back (0, through the rules), so that a shown button can take them (a
// rotary radio's hidden buttons holding the presets). True when one
// changed.
bool ReleaseHiddenButtonFeatures(CDataItem &root);
// A button holding a feature its list does not offer (a call tone on a
// model without call tones, a preset beyond the model's preset buttons)
// gives it back (0, through the rules), as the Buttons page would show it.
// Needs the button list document; true when one changed.
bool ReleaseUnofferedButtonFeatures(CDataItem &root);
// A channel cannot repeat on one frequency, nor on a radio without the
// repeater feature: such a channel's repeater flag goes to 0 (through the
// rules). True when one changed.
bool ClearImpossibleRepeaters(CDataItem &root);
// On a radio without the repeater feature (limit disable_repeater_feature
// true) every channel transmits with its receive settings: runs
// CopyReceiveToTransmit. Every save and conversion of a profile runs it.
void CopyReceiveToTransmitWithoutRepeater(CDataItem &root);
// Whether `channel` of the profile `root` transmits with its receive
// frequency, code and bandwidth: on a radio without the repeater feature and
// whenever the channel's repeater is off.
bool TransmitsWithReceive(const CDataItem &root, const CDataItem &channel);
// A transmit attribute of `channel` (tx_freq_ndx, tx_code, tx_bw) as the
// radio transmits with it: its receive twin's value where the channel
// transmits with its receive settings, its own otherwise.
int EffectiveTransmitValue(const CDataItem &root, const CDataItem &channel, const char *txAttribute);
// True when the transmit and receive frequency of each channel in use lie
// within the limit's start_freq..end_freq (a missing entry counts as out).
bool CheckFrequencies(const CDataItem &root);
// True when every channel in use has rx_code and tx_code of at most 122.
bool ChannelCodesInRange(const CDataItem &root);

// The first value of the profile that no radio can take, as a sentence
// naming its element, attribute, value and range; empty when every value
// fits. Checked: every number against the range its attribute has in the
// profile format (narrower than the schema's types where the radio holds
// fewer bits), and every index against the table it points into: a
// preset's channel against the channel table, the channels in use against
// it, and each channel in use's frequency indexes against the frequency
// table. The conversion to an image and every write ask it first.
QString ProfileValueProblem(const CDataItem &root);

// The pre-check of a profile file before it is opened or used as a
// template: readable, loadable, of a supported region and sub-region, clone
// compatible and of a supported codeplug. Shows 342, or 310 (with 503
// naming the edition for the region) and fails otherwise.
bool CheckProfile(const QString &path);
// The same checks of a profile that is loaded already (a window opens it
// once, then asks).
bool CheckLoadedProfile(const CDataItem &root);

} // namespace tavo
