#pragma once
// Device > Program Several Radios: the programming station. The active
// profile is written to one radio after another on every port at once
// (workflow/FleetProgramming, one thread per port). Each port has a tile
// large enough to read across the room: its name, its state (waiting,
// writing with a progress bar, done with the serial, failed with what to
// do) on grey, green or red, and a sound of its own for done and for
// failed. Below, the table of the radios with their port, the newest row
// always in view. The ports' questions (the password, the conversion to a
// smaller radio) are asked on this thread while their port waits. Start
// begins a run, Stop ends each port after its current radio; the window
// closes only while no run goes.

#include "radio/ICableTransport.h"

#include <QDialog>
#include <QFrame>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace tavo {

class CRadioDataModel;
class CFleetRun;
class CFleetSound;
struct FleetRadioResult;
struct FleetSummary;

// One port's tile.
class CFleetTile : public QFrame {
    Q_OBJECT
public:
    enum State { Waiting, Writing, Done, Failed, Stopped };
    CFleetTile(const QString &portName, QWidget *parent = nullptr);
    // `headline`: the state in a word or two, large; `detail`: what to do.
    void SetState(State state, const QString &headline, const QString &detail = QString());
    void SetProgress(int percent);
    State TileState() const { return m_eState; }
    QLabel *PortLabel() const { return m_pPort; }
    QLabel *StateLabel() const { return m_pState; }
    QLabel *DetailLabel() const { return m_pDetail; }
    QProgressBar *Progress() const { return m_pProgress; }

private:
    State m_eState = Waiting;
    QLabel *m_pPort;
    QLabel *m_pState;
    QLabel *m_pDetail;
    QProgressBar *m_pProgress;
};

class CFleetDialog : public QDialog {
    Q_OBJECT
public:
    // The table's columns.
    enum Column : int { ColNumber, ColPort, ColSerial, ColModel, ColFirmware, ColTime, ColResult, ColBackup, ColumnCount };

    // `profileFile`: the profile as the log names it (its file, or marked
    // unsaved); `ports`: one road each (empty: every cable plugged in).
    CFleetDialog(CRadioDataModel &profile, const QString &profileName, const QString &profileFile, const QString &logPath,
                 std::vector<CableConfig> ports, QWidget *parent = nullptr);
    ~CFleetDialog() override;

    void Start();
    void Stop();
    bool Running() const { return m_bRunning; }

    QTableWidget *Table() const { return m_pTable; }
    QLabel *Status() const { return m_pStatus; }
    QLabel *SummaryLabel() const { return m_pSummary; }
    QPushButton *StartButton() const { return m_pStart; }
    QPushButton *StopButton() const { return m_pStop; }
    QPushButton *CloseButton() const { return m_pClose; }
    int TileCount() const { return static_cast<int>(m_tiles.size()); }
    CFleetTile *Tile(int port) const { return m_tiles.at(static_cast<size_t>(port)); }
    CFleetSound *Sound() const { return m_pSound; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    class Host;
    void addRow(const FleetRadioResult &row, const FleetSummary &summary);
    void onRunEnded(bool ok, const QString &error);
    void updateButtons();
    void join();

    CRadioDataModel &m_profile;
    QString m_strLogPath;
    QString m_strProfileFile;
    std::vector<CableConfig> m_ports;
    std::unique_ptr<Host> m_pHost;
    std::shared_ptr<CFleetRun> m_pRun; // one run, gone on with after a Stop
    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_workerEnded{true};
    bool m_bRunning = false;
    std::vector<CFleetTile *> m_tiles;
    CFleetSound *m_pSound;
    QLabel *m_pStatus;
    QLabel *m_pSummary;
    QTableWidget *m_pTable;
    QPushButton *m_pStart;
    QPushButton *m_pStop;
    QPushButton *m_pClose;
};

// A question of a fleet run with "Apply this answer to every radio in this
// run": the answer (IDYES, IDNO, IDOK, IDCANCEL) and `forAll`.
int AskFleetQuestion(QWidget *parent, const QString &text, unsigned style, bool &forAll);

} // namespace tavo
