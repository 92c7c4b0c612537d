#pragma once
// Named ids of the string table entries that the code refers to directly.
// The texts live in StringTableData.inc; the numbers are an interface shared
// with the rule script and translations.

namespace tavo::msg {

enum : int {
    UnknownError = 131,
    FatalXmlComponent = 134,  // "Fatal error: 102. ..."
    InvalidProfile = 135,
    FailedToLoadProfile = 136,
    FatalScriptEngine = 137,  // "Fatal error: 101."
    ProfileLoadingError = 223,
    FilesNotAvailable = 315,

    // Texts that are quoted without an id; the ids are ours.
    InvalidSerialNumber = 9001,
    CodeplugCorrupted = 9002,

    // ---- radio link

    // ---- product configuration
    RegistryFatal = 130,        // "Fatal registry Error, ..."
    CodeLabelNoCode = 435,      // "No CT/DCS code"
    CodeLabelCustomized = 471,  // "Customized CT"
    CodeLabelDcs = 479,         // "DCS"
    CodeLabelInverted = 480,    // "Inverted DCS"
    CodeLabelHz = 482,          // "Hz"

    // ---- data model and rules
};

} // namespace tavo::msg
