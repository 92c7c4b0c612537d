#pragma once
// The command ids of the menus, the toolbar and the accelerators.

namespace tavo::cmd {

enum : int {
    FileNew = 57600,
    FileOpen = 57601,
    FileClose = 57602,
    FileSave = 57603,
    FileSaveAs = 57604,
    FileImportCsv = 32806,
    FileExportCsv = 32807,
    FileMruFirst = 57616,
    FileMruLast = 57631,
    AppExit = 57665,
    AppAbout = 57664,
    EditUndo = 57643,
    EditRedo = 57644,
    EditAdd = 32771,
    EditDelete = 32772,
    EditRename = 32773,
    EditCut = 57635,
    EditCopy = 57634,
    EditPaste = 57637,
    DealerInfo = 32774,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    ViewHelpPane = 32781,
    DeviceRead = 32776,
    DeviceWrite = 32777,
    DeviceReset = 32778,
    DeviceFactoryReset = 32804,
    DevicePortSettings = 32805,
    DeviceRestoreBackup = 32808,
    DeviceProgramSeveral = 32809,
    Report = 32779,
    WindowCascade = 57650,
    WindowTile = 57651,
    HelpContents = 32780,
};

} // namespace tavo::cmd
