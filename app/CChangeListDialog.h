#pragma once
// What a write will change, shown before the write: the change list of the
// radio's current image against the one about to be written, with Write
// and Cancel. The write road calls the review on its worker thread once the
// radio has been read; the dialog runs on the user-interface thread while
// the worker waits for the answer.

#include "codeplug/VirtualCP.h"
#include "workflow/CRadioCommands.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace tavo {

class CChangeListDialog : public QDialog {
    Q_OBJECT
public:
    // `lines`: the changes; `serial`: the radio's serial number; `notes`:
    // what the radio cannot hold as the profile has it, shown above them.
    CChangeListDialog(const QStringList &lines, const QString &serial, const QStringList &notes = {}, QWidget *parent = nullptr);

    QListWidget *List() const { return m_pList; }
    // What the radio cannot hold; null without notes.
    QLabel *Notes() const { return m_pNotes; }
    QPushButton *WriteButton() const { return m_pWrite; }
    QPushButton *CancelButton() const { return m_pCancel; }

private:
    QLabel *m_pNotes = nullptr;
    QListWidget *m_pList;
    QPushButton *m_pWrite;
    QPushButton *m_pCancel;
};

// On the user-interface thread: true when the write should go on. With
// changes, the list (Write goes on, Cancel stops); without any, "No
// changes: the radio already holds this profile." asks whether to skip.
// `notes` (what the radio cannot hold as the profile has it) come first,
// also when nothing else changes.
bool ConfirmWriteChanges(QWidget *parent, const VirtualCP &radio, const VirtualCP &toWrite, const QStringList &notes = {});

// The review of RadioWriteOptions for a write whose stages run on a worker
// thread: ConfirmWriteChanges run on `owner`'s thread, the worker waiting.
// The dialog's parent is the modal window on top at that moment.
std::function<bool(const VirtualCP &, const VirtualCP &, const QStringList &)> ReviewOnGuiThread(QWidget *owner);

} // namespace tavo
