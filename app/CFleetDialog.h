#pragma once
// Device > Program Several Radios: the active profile written to one radio
// after another. The run (workflow/FleetProgramming) goes on a worker
// thread; its rows, stage texts and the summary come here queued, and its
// questions (the password, the conversion to a smaller radio) are asked on
// this thread while the worker waits. A radio done rings the system bell
// and turns its row green or red. Start begins a run, Stop ends it after
// the current radio; the window closes only while no run goes.

#include "radio/ICableTransport.h"

#include <QDialog>

#include <atomic>
#include <memory>
#include <thread>

class QLabel;
class QPushButton;
class QTableWidget;

namespace tavo {

class CRadioDataModel;
class CFleetRun;
struct FleetRadioResult;
struct FleetSummary;

class CFleetDialog : public QDialog {
    Q_OBJECT
public:
    // The table's columns.
    enum Column : int { ColNumber, ColSerial, ColModel, ColFirmware, ColTime, ColResult, ColBackup, ColumnCount };

    CFleetDialog(CRadioDataModel &profile, const QString &profileName, const QString &logPath, const CableConfig &cable, QWidget *parent = nullptr);
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
    CableConfig m_cable;
    std::unique_ptr<Host> m_pHost;
    std::shared_ptr<CFleetRun> m_pRun; // one run, gone on with after a Stop
    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_workerEnded{true};
    bool m_bRunning = false;
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
