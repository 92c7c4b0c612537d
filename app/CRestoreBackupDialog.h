#pragma once
// Device > Restore Backup...: the images saved from one radio before each
// write, newest first, one of them to be written back.

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace tavo {

class CRestoreBackupDialog : public QDialog {
    Q_OBJECT
public:
    // `serial`: the radio's, as its backups are named; `backups`: their
    // paths, newest first.
    CRestoreBackupDialog(const QString &serial, const QStringList &backups, QWidget *parent = nullptr);
    QListWidget *List() const { return m_pList; }
    // The backup chosen; empty when none is selected.
    QString SelectedPath() const;

private:
    QListWidget *m_pList;
    QStringList m_backups;
};

} // namespace tavo
