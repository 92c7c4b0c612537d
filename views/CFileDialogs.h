#pragma once
// The one place that opens file dialogs. Tests set the next answer instead
// of a dialog being shown.

#include <QString>

class QWidget;

namespace tavo {

namespace CFileDialogs {

// The ".kp2" filter of the Open and Save As dialogs: "<product> Files
// (*.kp2)" and "All Files (*.*)".
QString ProfileFilter();

// A path to open; empty when cancelled. The dialog starts in the folder of
// the profile last opened, which the user's settings keep.
QString GetOpenProfileName(QWidget *parent);
// That folder; empty when none was kept or it is gone.
QString LastOpenFolder();
// A path to save to, proposing `proposed`; ".kp2" is added to a name
// without extension; empty when cancelled.
QString GetSaveProfileName(QWidget *parent, const QString &proposed);

// The "*.csv" filter of the channel plan files: "CHIRP CSV Files (*.csv)"
// and "All Files (*.*)".
QString CsvFilter();
// A channel plan to import; empty when cancelled. With `inFileOrder` the
// dialog also asks where the rows go ("By location" or "In file order from
// channel 1"), starting from and answering into *inFileOrder.
QString GetOpenCsvName(QWidget *parent, bool *inFileOrder = nullptr);
// A channel plan file to export to, proposing `proposed`; ".csv" is added
// to a name without extension; empty when cancelled.
QString GetSaveCsvName(QWidget *parent, const QString &proposed);

// Where to save a report (the report window's Save As): HTML, or PDF by
// the extension; `suggested` is a full path; empty when cancelled.
QString GetSaveReportName(QWidget *parent, const QString &suggested);

// The log of Device > Program Several Radios, proposing `proposed`; an
// existing file is appended to, so it is not offered for replacing; ".csv"
// is added to a name without extension; empty when cancelled.
QString GetFleetLogName(QWidget *parent, const QString &proposed);

// The serial trace file of Device > Port and Transfer, starting at
// `current`; ".txt" is added to a name without extension; empty when
// cancelled.
QString GetTraceFileName(QWidget *parent, const QString &current);

// The next dialog is not shown and answers `path` (empty: cancelled).
void SetNextAnswer(const QString &path);
// True while an answer set by SetNextAnswer is waiting.
bool HasNextAnswer();

} // namespace CFileDialogs

// The product title: application name, main window title, stem of the
// file-dialog filters.
inline constexpr const char *kProductTitle = "Olvan Series CPS";

} // namespace tavo
