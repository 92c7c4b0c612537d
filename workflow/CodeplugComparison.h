#pragma once
// What a write would change: two codeplug images compared field by field in
// the profile's terms (settings, buttons, presets, customised tones,
// channels, frequencies), each difference one line such as
// "Channel 3 name: OLD3 → NEW3", with values written as the pages show them
// (tone labels, bandwidth and power texts, the decimal separator).
//
// What identifies a radio rather than configures it (serial number,
// firmware, model, codeplug versions, synthesizer base, the radio's limits)
// is not compared: a write never changes it; of the limits only the user's
// programming-mode setting is. A profile is compared through the image it
// converts to; frequencies in hertz as each side's synthesizer base decodes
// them, channels as the radio uses them (a channel that transmits with its
// receive settings shows no change of its stored transmit values).
//
// One module for every front end: the change list before a GUI write,
// `write --dry-run` and `diff` of the command line.

#include "codeplug/VirtualCP.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tavo {

struct CodeplugChange {
    QString field;  // "Channel 3 name"
    QString before; // as shown, empty for a line without values
    QString after;
    QString line;   // the whole line for the user
};

struct CodeplugComparisonOptions {
    // Replaces the "." of every number with a fraction; empty: the
    // application language's separator.
    QString decimalSeparator;
    // The name of a button function code for a model; empty: the code's
    // number is shown. Unset: the installed button list is asked.
    std::function<QString(const QString &model, uint32_t code)> buttonName;
};

// Every difference from `before` (the radio's image now) to `after` (what
// a write would hold), in the order of the pages: general settings, audio
// settings, buttons, presets, customised tones, channels, frequencies.
std::vector<CodeplugChange> CompareCodeplugs(const VirtualCP &before, const VirtualCP &after,
                                             const CodeplugComparisonOptions &options = {});

// The lines of CompareCodeplugs alone.
QStringList CodeplugChangeLines(const VirtualCP &before, const VirtualCP &after, const CodeplugComparisonOptions &options = {});

// The image of a profile text, for a comparison; false with the message's
// text in `error` when the text is not a profile the converter reads.
bool ProfileTextToImage(const QString &xml, VirtualCP &image, QString &error);

} // namespace tavo
