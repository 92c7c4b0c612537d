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
    ReportMailFailed = 9880,    // "The e-mail program %1 could not start a message ..."
    ReportPictureMissing = 9881, // "The report picture %1 cannot be loaded."

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
    CsvLocationsFromZero = 9727,
    CsvBandwidthAndPowerSet = 9728, // "%1: bandwidth set to %2, power to %3, ...", %1 a number of rows
    CsvBandwidthSet = 9729,
    CsvPowerSet = 9730,
    CsvLeftForLackOfChannels = 9731, // "%1 rows were left out: the radio has only %2 channels."
    CsvPlacementLabel = 9732,     // the import dialog's choice
    CsvByLocation = 9733,
    CsvInFileOrder = 9734,
    CsvRows = 9735,               // "%1 rows"
    CsvOneRow = 9736,             // "1 row"
    CsvOneLeftForLackOfChannels = 9737,

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

    // ---- files that hold under faults
    CannotWriteFile = 9800,       // "Cannot write %1: %2"
    FileIsFolder = 9801,
    FileNotRegular = 9802,
    NotATraceOrLogFile = 9803,    // "%1 is neither a regular file nor a device ..."
    TraceNotWritten = 9804,       // "The trace cannot be written (%1). ..."
    BatchLogNotWritten = 9805,    // "The batch log cannot be written (%1). ..."
    BatchSerialUnknown = 9806,    // "serial unknown (port %1)"
    FieldChannelChecksum = 9807,  // "channel %1 checksum"
    FieldMemoryByte = 9808,       // "memory byte %1"
    BackupReadsBackOtherwise = 9809, // "%1 does not read back as it was written"
    // ---- what a write will change
    ChangeLine = 10000,           // "%1: %2 → %3"
    ChangeChannelField = 10001,   // "Channel %1 %2"
    ChangeFrequencyLine = 10002,  // "Frequency %1: %2 → %3 MHz"
    ChangeFrequencyField = 10003, // "Frequency %1 %2"
    ChangeCustomTone = 10004,     // "Customized tone %1"
    ChangeChannelAdded = 10005,   // "Channel %1 added: %2"
    ChangeChannelRemoved = 10006, // "Channel %1 removed: %2"
    ChangeFrequencyAdded = 10007, // "Frequency %1 added: %2 MHz"
    ChangeFrequencyRemoved = 10008,
    ChangeChannelName = 10009,    // the channel fields, 10009-10021
    ChangeChannelRxFrequency = 10010,
    ChangeChannelRxTone = 10011,
    ChangeChannelTxFrequency = 10012,
    ChangeChannelTxTone = 10013,
    ChangeChannelRxBandwidth = 10014,
    ChangeChannelTxBandwidth = 10015,
    ChangeChannelTalkaroundPower = 10016,
    ChangeChannelRepeaterPower = 10017,
    ChangeChannelRepeater = 10018,
    ChangeChannelAutoScan = 10019,
    ChangeChannelScramble = 10020,
    ChangeChannelScanList = 10021,
    ChangeFrequencyBandwidth = 10022, // the frequency fields, 10022-10024
    ChangeFrequencyPower = 10023,
    ChangeFrequencyCompander = 10024,
    ChangePassword = 10025,       // the settings, 10025-10044
    ChangeDisableLed = 10026,
    ChangeDisableRestoreDefault = 10027,
    ChangeBacklight = 10028,
    ChangeTimeoutTimer = 10029,
    ChangeReverseBurst = 10030,
    ChangeVoxLevel = 10031,
    ChangeIvoxLevel = 10032,
    ChangeMicrophoneGain = 10033,
    ChangeAccessoryMicrophoneGain = 10034,
    ChangeBatteryType = 10035,
    ChangeDisableBatterySave = 10036,
    ChangeChannelsInUse = 10037,
    ChangePowerUpText = 10038,
    ChangeRogerBeepTone = 10039,
    ChangeDisableSelectableScramble = 10040,
    ChangeBacklightTimeout = 10041,
    ChangeCallTone = 10042,
    ChangeKeypadLock = 10043,
    ChangeKeypadBeep = 10044,
    ShowChangesBeforeWrite = 10045, // "Show the changes before each write"
    ChangesTitle = 10046,         // "Changes to the Radio"
    ChangesIntro = 10047,         // "The write will change %1 fields of the radio %2:"
    NoChangesToWrite = 10048,     // "No changes: the radio already holds this profile."
    SkipTheWrite = 10049,         // "Skip the write?"

    // page labels and list texts the change list shows as the pages do
    LabelSideButton1 = 160,       // 160-164: the five programmable buttons
    LabelSideButton2 = 161,
    LabelButtonA = 162,
    LabelButtonB = 163,
    LabelButtonC = 164,
    LabelPreset1Channel = 165,
    LabelPreset2Channel = 166,
    TextLow = 191,
    TextHigh = 192,
    TextBandwidthNarrow = 189,    // "12.5"
    TextBandwidthWide = 190,      // "25"
    TextScrambleOff = 193,        // 193-196: off, scramble codes 1-3
    TextAlkaline = 226,
    TextNickelLiIon = 227,
    TextOn = 465,
    TextOff = 466,
    TextWrite = 258,
    // ---- Undo and Redo: the Edit menu and the names of the changes
    UndoMenu = 9920,              // "&Undo", nothing to undo
    RedoMenu = 9921,
    UndoMenuStep = 9922,          // "&Undo %1", %1 a change's name
    RedoMenuStep = 9923,
    StepChangeSetting = 9924,
    StepRenameChannel = 9925,
    StepChangeChannel = 9926,
    StepAddChannel = 9927,
    StepDeleteChannel = 9928,
    StepAddFrequency = 9929,
    StepChangeFrequency = 9930,
    StepDeleteFrequency = 9931,
    StepChangeButton = 9932,
    StepResetButtons = 9933,
    StepChangeScanList = 9934,
    StepImportCsv = 9935,
    StepChangeTone = 9936,
    StepChangeAudio = 9937,
    // ---- desktop integration: Port and Transfer's trace file
    TraceFiles = 9900,            // "Trace Files", the dialog's filter
    TraceFileCaption = 9901,      // "Serial Trace File"
    TraceBrowse = 9902,           // "&Browse..."
    // ---- profiles that cannot be opened, restoring a radio's backup (9840-9879)
    ProfileCannotOpen = 9840,     // "The profile %1 cannot be opened: %2"
    ProfileNotFound = 9841,
    ProfileIsFolder = 9842,
    ProfileNotRegular = 9843,
    ProfilePermissionDenied = 9844,
    ProfileTooLarge = 9845,       // "it is larger than %1 bytes."
    OfferBackupWrite = 9847,
    RestoreBackupMenu = 9848,     // "Restore &Backup..."
    RestoreBackupTitle = 9849,
    RestoreBackupList = 9850,     // "&Backups of radio %1 (newest first):"
    RestoreNoRadio = 9851,
    RestoreNoBackup = 9852,       // "There is no backup of radio %1 in %2."
    RestoreUnreadable = 9853,     // "The backup %1 cannot be read: %2"
    RestoreBackupItem = 9855,     // "%1 (%2)", a backup's file name and its time
    RestoreWrongSize = 9856,      // "it holds %1 bytes; a codeplug image holds %2."
    FactoryResetOffer = 9960,     // asked after message 390
    ResetSucceeded = 9961,        // the status bar after a reset
    StageBackup = 9962,           // the write dialog's stages
    StageWrite = 9963,
    StageVerify = 9964,
    RuleStationId = 9965,         // the rules' refusals that name their range
    RuleHangTime = 9966,
    RuleLowBatteryTime = 9967,
    NewProfileEntry = 9968,       // a template in the New Profile list
    ProfileNotSaved = 10080,      // "The profile was not saved.\n%1", the writer's reason
    CharsetCannotStore = 10081,   // why a profile cannot be written in its own character set
    // ---- programming several radios (10050-10079)
    FleetMenu = 10050,
    FleetTitle = 10051,
    FleetWrittenAndVerified = 10052,
    FleetSummaryLine = 10053,
    FleetNothingWritten = 10054,
    FleetWaiting = 10055,
    FleetWaitingNext = 10056,
    FleetRadioStage = 10057,
    FleetStopping = 10058,
    FleetStopped = 10059,
    FleetApplyToAll = 10060,
    FleetColumnNumber = 10061,
    FleetColumnSerial = 10062,
    FleetColumnModel = 10063,
    FleetColumnFirmware = 10064,
    FleetColumnTime = 10065,
    FleetColumnResult = 10066,
    FleetColumnBackup = 10067,
    FleetStart = 10068,
    FleetStop = 10069,
    FleetClose = 10070,
    FleetLogCaption = 10071,
    FleetIntro = 10072,
    FleetTableLabel = 10073,
    FleetReady = 10074,
    // ---- what the radio will hold (10100-10149)
    RadioFrequencyOutsideRange = 10100, // "Channel %1: %2 MHz is outside this radio's range (%3 MHz) ..."
    RadioFrequencyNotHeld = 10101,      // "Frequency %1 (%2 MHz) cannot be held by this radio ..."
    CodeNotHeld = 10102,                // "%1: %2 cannot be held by this radio (codes up to %3): written as %4"
    CustomTonesNotHeld = 10103,         // "Customized tones: this radio has none ..."
    CodesNotHeldQuestion = 10104,       // "This radio cannot hold every code of the profile:\n%1\n..."
    VerifyFrequencyDiffers = 10105,     // "frequency %1 (%2 MHz written, the radio uses %3 MHz)"
    CsvTransmitReceiveCodes = 10106,    // "transmit %1, receive %2"
    CsvOneCodeBothWays = 10107,         // "this channel transmits with its receive settings: ..."
    ValueNotInList = 10109,             // "%1 (not in the list)"
    ChangeProgrammingMode = 10110,      // "Enable programming mode"
    RadioTooFewChannels = 10111,        // "The profile uses %1 channels; this radio has %2 ..."
    // ---- every road to the radio guarded, ids of ours 10150-10199
    RadioWrongEcho = 10150,
    ProfileValueOutOfRange = 10151,
    ProfileIndexIntoEmptyTable = 10152,
    CableMapNoPrivateFolder = 10153,
    CableMapRefused = 10154,
    HandOverNoPrivateFolder = 10155,
    ImageFromOtherRadio = 10156,
    SerialUnknown = 10157,
    WrittenUnverified = 10158,
    // ---- edits kept, files changed elsewhere, the shell (10200-10249)
    FileChangedOnDisk = 10200, // %1 the profile's file: overwrite, save as, cancel
    NoDisplay = 10201,         // the GUI started without a display
    ResetDone = 10202,         // after Device > Reset
    FactoryResetDone = 10203,  // after Device > Factory Reset
    UntitledProfile = 10204,   // %1 a number: the name of a profile without a file
    CheckCable = 10205,        // after a communication error: what to check
    // ---- the command line's contract, channel plans' reasons (10250-10299)
    CliUnknownCommand = 10250,     // "unknown command %1"
    CliWrongArgumentCount = 10251,
    CliOptionNotOfCommand = 10252, // "the option %1 does not belong to the command %2"
    CliOptionNeedsValue = 10253,
    CliOptionTakesNoValue = 10254,
    CliNoCommand = 10255,
    CliOptionsExclude = 10256,     // "the options %1 and %2 exclude each other"
    CliUnknownOption = 10257,
    CliLargerThan = 10258,
    CliCannotOpen = 10259,
    CliCannotRead = 10260,
    CliCannotReadInput = 10261,
    CliCannotWriteOutput = 10262,
    CliNotAnImage = 10263,
    CliImageTooLong = 10264,
    CliProfileNotLoaded = 10265,
    CannotOpenProfile = 10266,
    NotAProfileFile = 10267,
    CannotReadProfile = 10268,
    CliValid = 10269,
    CliNoElement = 10270,
    CliNoAttribute = 10271,
    CliNoNewChildren = 10272,
    CliNoFurtherChild = 10273,
    CliNoChildAdded = 10274,
    CliNoSuchChild = 10275,
    CliIndexNotNumber = 10276,
    CliReadNeedsOutput = 10277,
    CliOptionNeedsOption = 10278,
    CliWriteImageAlone = 10279,
    CliWriteNeedsProfile = 10280,
    CliDryRunAlone = 10281,
    CliRadioProfileNotLoaded = 10282,
    CliOneStandardInput = 10283,
    CliReportKind = 10284,
    CliReportForm = 10285,
    CliProfileSaved = 10286,
    ForeignLinkRefused = 10287,
    CsvBeyondChannels = 10288,
    CsvTryFileOrder = 10289,
    CsvAskFileOrder = 10290,
    CsvReverseToneMode = 10291,
    CsvDcsNotOnRadio = 10292,
    CsvNoInvertedCodes = 10293,
    CsvOffsetMissing = 10294,
    CsvNotPmr446Channel = 10295,
    CsvHeaderFound = 10296,
    CsvDuplicateLocation = 10297,
    CsvNameCut = 10298,
    CsvBandwidthNotKept = 10299,

    // Reports on paper, the report window and e-mail.
    ReportPageNumber = 10300,
    ReportPaperLabel = 10301,
    ReportPaperA4 = 10302,
    ReportPaperLetter = 10303,
    ReportMailToolMissing = 10304,
    ReportDate = 10305,
    ReportAlkalineBatteries = 10306,
    ChangesIntroOne = 10206,   // ChangesIntro for a single change (%2 the serial)
};

} // namespace tavo::msg
