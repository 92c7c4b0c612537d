#pragma once
// The program's registry vocabulary, kept in two INI settings stores:
//
//  - the machine scope (read only), read key by key from layers: the files
//    an administrator keeps in the system's configuration folders
//    (XDG_CONFIG_DIRS, then /etc/xdg, then the prefix's etc/xdg; the first
//    holding a key wins), then the defaults the installation ships,
//    "machine.ini" of the installation folder. A new release's defaults thus
//    reach an upgraded system, and an administrator's values stay on top;
//  - the user scope (read and write): the per-user values.
//
// Both roots stand for the product key; the language values live in the
// group "Language/<key>". Everything is read through small stateless
// functions; nothing is cached here.

#include <QString>
#include <QStringList>

namespace tavo {

// ---- where the two scopes and the installation are

// Overrides the installation folder (the command line's --install-dir).
// An empty path removes the override.
void SetInstallPathOverride(const QString &dir);
// Points the machine and user scopes at explicit files (tests, tools); the
// machine scope is then that one file alone, with no layers. An empty path
// restores the default location of that scope.
void SetMachineSettingsFile(const QString &path);
void SetUserSettingsFile(const QString &path);
// The one configuration folder (standing in for /etc/xdg and
// XDG_CONFIG_DIRS) whose Vantrel/Tavo EMEA CPS.ini holds the
// administrator's machine settings (tests). Empty: the system's folders.
void SetSystemConfigFolder(const QString &dir);
// The files the machine scope reads, the one that wins first: the
// administrator's that exist, then the installation's defaults (whether
// it exists or not).
QStringList MachineSettingsFiles();
// The file the user scope reads and writes.
QString UserSettingsFile();
// The installation laid out beside the executable, <exe dir>/install, or
// for an installed program <exe dir>/../share/tavocps when only that exists.
QString DefaultInstallFolder();

// ---- the values

// The installation folder: the override when set, otherwise the machine's
// InstallPath, otherwise the installation beside the executable.
QString GetInstallPath();
// <install folder>/<subfolder>/<file>; an empty subfolder is left out.
QString InstallFilePath(const QString &subfolder, const QString &file);

QString GetDefaultLanguage();
QString GetCurrentLanguage();
int SetCurrentLanguage(const QString &key); // 1 = written

// -1 when the value is missing.
int GetShowContextHelp();        // user scope
int GetDefaultShowContextHelp(); // machine scope
int SetShowContextHelp(bool shown); // 1 = written
bool IsContextHelpShown();

// Makes sure the user scope can be created and written; 0 when it cannot.
int EnsureUserKeys();
// The start-up sequence: user keys, current language, help pane flag and
// the dealer information seeded from the machine defaults (never
// overwriting a user value, even an empty one). 0 stops start-up.
int InitRegistry();
// A run that keeps the stored interface language as it is (the command
// line): the user's settings made ready and the dealer texts of the run's
// language (ApplicationLanguage) seeded from the machine defaults where the
// user has none; the current language is neither set nor changed. 0 when
// the user's settings cannot be written.
int PrepareUserSettingsForRun();

// <install folder>/<GUIResource of the current language>; empty when the
// language or the value is missing.
QString GetResourceLibraryPath();
// The same for the language `languageKey`.
QString GetResourceLibraryPath(const QString &languageKey);
// <install folder>/<HelpFileName of the application's language>.
QString GetHelpFilePath();

// The user's dealer information of the application's language. 1 when all
// three were read, else 0 with all three empty.
int GetDealerInfo(QString &left, QString &right, QString &middle);
// Writes one of the user's dealer values ("\r\n" between lines); 1 = written.
int SetDealerInfo(const QString &left, const QString &right, const QString &middle);

// ---- the recent-file list (user scope, most recent first)

inline constexpr int kRecentFileCount = 4;
// The stored entries, at most kRecentFileCount, empty ones left out.
QStringList GetRecentFiles();
// Puts `path` first (an entry of the same file moves up); the oldest entry
// beyond kRecentFileCount drops out. 1 = written.
int AddRecentFile(const QString &path);
// Removes every entry naming `path`. 1 = written.
int RemoveRecentFile(const QString &path);

// ---- languages

struct LanguageInfo {
    const char *key;
    int localeId;   // Windows locale id of the language
    int menuCommand; // Language menu entry
    const char *localeName; // the same locale as Qt names it
};
// The language table, and the entry of `key` (null when unknown).
const LanguageInfo *LanguageTableBegin();
const LanguageInfo *LanguageTableEnd();
const LanguageInfo *FindLanguageInfo(const QString &key);
// The language of a locale name as the environment gives it
// ("de_DE.UTF-8"): the table's entry of that locale, else the first of its
// language; empty for "C", "POSIX" and languages the table lacks.
QString LanguageOfLocale(const QString &localeName);
// The language of the system's messages: the first of LC_ALL, LC_MESSAGES
// and LANG that is set; empty when none is or it names no known language.
QString SystemLanguage();
// The language of a first start (no language chosen yet): the system's when
// the installation ships it, else the machine default.
QString FirstStartLanguage(const QString &machineDefault);

// The language the application runs in for this process (copied from the
// current language at start-up). Empty until set: the user's current
// language is used then.
void SetApplicationLanguage(const QString &key);
QString ApplicationLanguage();

// The decimal separator of the locale of `languageKey` (an unknown key
// uses the user default locale; an empty answer gives ".").
QString GetDecimalSeparator(const QString &languageKey);
// ... of the application's language.
QString GetDecimalSeparator();

// -1 when `keys` is exactly {"English"}; 1 when `key` is in `keys`; else 0.
int FindLanguage(const QStringList &keys, const QString &key);

} // namespace tavo
