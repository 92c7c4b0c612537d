#pragma once
// Drop-down lists as assistive technology sees them: the list's name is
// its label's (the accessible name set on it, else its label buddy's
// text), its value is the entry shown. Qt's own interface for a read-only
// list answers the entry shown as the name, so a screen reader would hear
// "OFF" and never what is off.

class QAccessibleInterface;
class QObject;
class QString;

namespace tavo {

// Installs the interface for every QComboBox of the process (once; later
// calls do nothing).
void InstallAccessibleComboBoxes();

// The factory itself (for tests): an interface for a QComboBox, else null.
QAccessibleInterface *AccessibleComboBoxFactory(const QString &className, QObject *object);

} // namespace tavo
