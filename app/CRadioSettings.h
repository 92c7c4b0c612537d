#pragma once
// The GUI's radio settings (user scope): the explicit port that stands in
// for the cable search, verify after write (on by default) and the serial
// trace file; the radio link configuration made from them.

#include "radio/ICableTransport.h"

#include <QDialog>
#include <QString>

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tavo {

QString GetRadioPort();       // the port for this session (--port wins)
void SetRadioPort(const QString &port);
void SetPortOverride(const QString &port); // --port on the command line
bool GetVerifyAfterWrite();
void SetVerifyAfterWrite(bool verify);
bool GetShowChangesBeforeWrite(); // on by default
void SetShowChangesBeforeWrite(bool show);
QString GetTraceFile();
void SetTraceFile(const QString &path);

// The link configuration of the next radio operation: the explicit port
// (empty: the cable search) and the trace file when one is set.
CableConfig RadioCableConfig();

// The USB cable search: the programming cables found (under the radio
// lock). The count the instances share; a port of our own plays no part.
int CountRadioCables();
// With an explicit port: 1 when it exists and this user may open it, else
// 0; nullopt without one (the instance takes the search).
std::optional<int> CountOwnPort();

// Device > Port and Transfer: the port, verify after write, the change
// list before each write, the trace file.
class CPortSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CPortSettingsDialog(QWidget *parent = nullptr);
    QComboBox *Port() const { return m_pPort; }
    QCheckBox *Verify() const { return m_pVerify; }
    QCheckBox *ShowChanges() const { return m_pShowChanges; }
    QLineEdit *Trace() const { return m_pTrace; }
    QPushButton *BrowseTrace() const { return m_pBrowse; }
    void accept() override;

    // The width of the port and trace fields, in characters of a path.
    static constexpr int kPathFieldChars = 60;

private:
    void SetPathFieldWidths();
    void OnBrowseTrace();

    QComboBox *m_pPort;
    QCheckBox *m_pVerify;
    QCheckBox *m_pShowChanges;
    QLineEdit *m_pTrace;
    QPushButton *m_pBrowse;
};

} // namespace tavo
