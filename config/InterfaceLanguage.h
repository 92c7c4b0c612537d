#pragma once
// The user-interface language of a run: loading the current language's
// translation at start-up (English is built in) and the language switch of
// the Language menu.

#include <QString>

namespace tavo {

inline constexpr const char *kBuiltInLanguage = "English";

// Loads the translation of the current language and makes it the source of
// every string-table text. When it cannot be loaded, "English" becomes the
// current language and message 325 is shown; the run goes on in English.
// Afterwards the application's language (and so its decimal separator) is
// the current language. Returns the language the run uses.
QString LoadInterfaceLanguage();

// The language of a run that never changes the stored one (the command
// line): the language of its environment (LC_ALL, LC_MESSAGES, LANG) when
// the installation ships it, else the machine default, else English. Its
// translation is loaded and it becomes the application's language for the
// run; nothing is written. Returns the language the run uses.
QString LoadRunLanguage();

// Qt's own translations (the "qtbase_*.qm" files of the system): the
// folder, and whether the system has the file for `language`. A loaded
// interface language brings Qt's texts of that language with it, so the
// standard dialogs (Save As, Print) speak it too.
QString QtTranslationsFolder();
bool HasQtTranslation(const QString &language);

// True when the installation ships `key`: English is built in, any other
// language needs its translation file (GUIResource) present.
bool IsLanguageShipped(const QString &key);

// Removes a translation installed by LoadInterfaceLanguage (tests, exit).
void UnloadInterfaceLanguage();

// The Language menu: writes `key` as the current language at once; when it
// differs from the previous value, message 330 (restart needed) is shown.
// Nothing is reloaded before the next start. 1 = written.
int ChangeCurrentLanguage(const QString &key);

} // namespace tavo
