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
    CommunicationError = 309,        // "Error: Communication Error."
    OperationFailed = 329,           // "Error: Operation Failed (%d)."
    UsbCableConnected = 334,
    UnknownWarning = 335,            // "Unknown warning!"
    UsbCableNotConnected = 336,
    MemoryCorruptFactoryReset = 390, // memory status 8
    UsbConnections = 397,            // "There are %d USB connections. ..."
    Warning = 409,                   // "Warning"
    MemoryCorruptReturn = 410,       // memory status 1-31 but 8
    FactoryResetConfirm = 508,
    SerialPermissionDenied = 9100,
    SerialPortBusy = 9101,
    NoCableFound = 9102,
    RadioNoAnswer = 9103,
    RadioNoAck = 9104,
    RadioBadChecksum = 9105,
    RadioWriteRefused = 9106,
    CableFailed = 9107,
    ConnectionLost = 9108,
    ReadingFromRadio = 9110,         // "Reading from the radio ..."
    WritingToRadio = 9111,
    ReadSucceeded = 9112,
    WriteSucceeded = 9113,
    ReadFailed = 9114,
    WriteFailed = 9115,
    Transferring = 9116,
    IdentifyingRadio = 9117,
    ResettingRadio = 9118,
    FactoryResettingRadio = 9119,
    FactoryResetNotConfirmed = 9120,
    RadioShortAnswer = 9121,
    RadioUnexpectedReply = 9122,
    PartlyWrittenCodeplug = 9123,
    SerialModeDenied = 9124,
    SerialDeniedInGroup = 9125,
    FieldSettingByte = 9126,         // "setting byte %1"
    FieldChannel = 9127,
    FieldCustomTone = 9128,
    FieldFrequencySlot = 9129,
    VerifyFailed = 9130,
    BackupFailed = 9131,
    BackingUpRadio = 9132,
    VerifyingRadio = 9133,
    VerifySucceeded = 9134,
    BackupSaved = 9135,
    TransferStillRunning = 9136,
    PortSettingsMenu = 9137,
    PortSettingsTitle = 9138,
    PortSettingsPort = 9139,
    PortSettingsVerify = 9140,
    PortSettingsTrace = 9141,

    // ---- radio commands (the main frame's checks and questions)
    FrequencyNotSupportedByRadio = 269,
    CreateOrOverwriteProfile = 271,
    PasswordIncorrect = 279,
    HighToLowTierConversion = 319,
    ProfileNotCompatibleWithRadio = 396,
    RadioCodeplugIncompatible = 402,
    RadioRegionNotSupported = 403,
    RadioDoesNotMatchProfile = 440,
    RadioModelNotSupported = 462,
    CodesNotSupportedByRadio = 483,
    UseEditionForRadio = 504,
    ChannelFrequencyOutOfRange = 511,

    // ---- product configuration
    RegistryFatal = 130,        // "Fatal registry Error, ..."
    LanguageFileMissing = 325,  // "The language resource file is missing. ..."
    LanguageRestartNeeded = 330, // "You have to restart the CPS for this change ..."
    CodeLabelNoCode = 435,      // "No CT/DCS code"
    CodeLabelCustomized = 471,  // "Customized CT"
    CodeLabelDcs = 479,         // "DCS"
    CodeLabelInverted = 480,    // "Inverted DCS"
    CodeLabelHz = 482,          // "Hz"

    // ---- data model and rules
    ProgrammingError107 = 132,   // child by name not found
    ProgrammingError108 = 133,   // attribute by name, child by index not found
    RegionNotSupported = 310,
    CodeplugIncompatible = 342,
    UseEdition = 503,            // "Please use the \"%s\"."
    RuleDuplicateFrequency = 9301,
    RuleFrequencyTableFull = 9302,
    RuleFrequencyInUseConfirm = 9303,
    RuleCodeNotSupported = 9304,
    RuleReadOnly = 9305,
    RuleFeatureDisabled = 9306,
    RuleRepeaterMarket = 9307,
    RuleModelRegion = 9308,
    RuleChannelTableFull = 9309,
    InvalidValue = 261,          // "Invalid Value.": a value of another type
    RuleNameTooLong = 9310,
    RulePowerupCharacters = 9311,

    // ---- reports
    DealerInfoLoadFailed = 263, // "Error: Load dealer information failed."
    ReportChooseTemplate = 320, // "Choose a report template."
    DetailedReport = 322,
    CustomerHandout = 323,
    Reports = 326,
    ReportPrint = 328,
    ReportPrintPreview = 382,
    ReportSaveAs = 383,
    ReportClose = 384,
    ReportEmail = 392,
    MailNotInstalled = 393,     // "The MAPI is not installed, ..."
    ReportPermission = 418,     // "You don't have permission to save %s in %s\%s\. ..."
    ReportFailed = 420,         // "Failed to generate report."
    ReportDefaultSuffix = 459,  // "(default)"
    ReportSaveFailed = 9440,
    ReportHtmlFiles = 9441,     // "HTML Files", the Save As filter
    ReportPdfFiles = 9442,      // "PDF Files"

    // ---- the application shell (ids of ours from 9460; the reports hold 9400-9449)
    CannotOpenFile = 9460,        // "Cannot open the file %1."
    HelpContentsTab = 9461,       // "Contents"
    HelpPageName = 9462,
    ProfileTreeName = 9463,
    ButtonYes = 9464,             // message box buttons ("&OK" and "&Cancel" are 140 and 141)
    ButtonNo = 9465,
    IndicatorCaps = 59137,        // the status bar's key indicators
    IndicatorNum = 59138,
    IndicatorScroll = 59139,

    // ---- channel plan files (CHIRP CSV)
    CsvNotChirpFile = 9700,
    CsvLine = 9701,               // "Line %1: %2"
    CsvBadLocation = 9702,
    CsvTooManyChannels = 9703,
    CsvBadFrequency = 9704,
    CsvUnknownToneMode = 9705,
    CsvNoToneSlot = 9706,
    CsvUnknownDcsCode = 9707,
    CsvUnsupportedMode = 9708,
    CsvUnsupportedDuplex = 9709,
    CsvUnknownPower = 9710,
    CsvReceiveFrequency = 9711,   // "Receive frequency %1 MHz: %2"
    CsvTransmitFrequency = 9712,
    CsvBandwidthFixed = 9713,
    CsvPowerFixed = 9714,
    CsvNameNotTaken = 9715,
    CsvRowsImported = 9716,       // "%1 of %2 rows imported."
    CsvNothingImported = 9717,
    CsvColumnProblem = 9718,      // "%1: %2", a column name and the rules' message
    CsvImportMenu = 9720,         // "&Import CHIRP CSV..."
    CsvExportMenu = 9721,         // "&Export CHIRP CSV..."
    CsvFiles = 9722,              // "CHIRP CSV Files", the dialogs' filter
    CsvImportCaption = 9723,
    CsvExportCaption = 9724,
    CsvWriteFailed = 9725,        // "The file %1 could not be written.\n%2"
    CsvMoreLines = 9726,          // "... and %1 more lines."

    // ---- serial-port diagnostics
    PortHolder = 9750,            // "%1 (process %2)"
    PortHeldBy = 9751,            // "%1 is in use by %2. ..."
    PortVanished = 9752,
    CablesNoUsbPort = 9753,
    CablesIsCable = 9754,
    CablesNotCable = 9755,
    CablesCanOpen = 9756,
    CablesCannotOpen = 9757,      // "this user cannot open it: %1"
    CablesPortLine = 9758,        // "%1: \"%2\", %3, %4"
    FactoryResetOffer = 9960,     // asked after message 390
    ResetSucceeded = 9961,        // the status bar after a reset
    StageBackup = 9962,           // the write dialog's stages
    StageWrite = 9963,
    StageVerify = 9964,
    RuleStationId = 9965,         // the rules' refusals that name their range
    RuleHangTime = 9966,
    RuleLowBatteryTime = 9967,
    NewProfileEntry = 9968,       // a template in the New Profile list
};

} // namespace tavo::msg
