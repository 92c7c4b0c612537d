#pragma once
// The dialog in which a read or a write runs: a progress bar (1009), a
// status text (1010) and OK (1), disabled until the transfer has ended
// well. The transfer itself runs on the main frame's radio worker; the
// frame hands the dialog the notifications, the stage texts and the end
// of the worker, all on this thread. A failure shows one message and ends
// the dialog with Cancel; Escape and the close button do nothing while the
// transfer runs.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tavo {

class CReadWriteDialog : public QDialog {
    Q_OBJECT
public:
    // read: a read (true) or a write (false).
    explicit CReadWriteDialog(bool read, QWidget *parent = nullptr);

    // A radio notification of the transfer (types 1-4).
    void OnNotify(int type, int value);
    // A new stage of the transfer (its status text).
    void SetStage(int textId);
    // The worker has ended: ok, or stopped with `stopText` to show (empty:
    // the failure was a notification, or nothing more is known). With
    // `show` false the dialog ends without a message (the caller shows it).
    void OnWorkerDone(bool ok, const QString &stopText, bool show = true);
    // A failure notification is kept, not shown, until the worker has
    // ended, so that the caller can add what it knows then (a write: the
    // partly written codeplug, the backup).
    void HoldFailureUntilDone() { m_bHoldFailure = true; }
    // The failure notification's text kept so far (empty: none).
    QString Failure() const { return m_strFailure; }

    bool IsRead() const { return m_bRead; }
    bool ErrorShown() const { return m_bErrorShown; }
    QProgressBar *Progress() const { return m_pProgress; }
    QLabel *Status() const { return m_pStatus; }
    QPushButton *OkButton() const { return m_pOk; }

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void fail(const QString &text, bool show = true);

    bool m_bRead;
    bool m_bHoldFailure = false;
    QString m_strFailure;
    bool m_bErrorShown = false;
    bool m_bEnded = false;
    // The share of the bar the current stage fills (a write's backup,
    // write and verify each run their own 10-100).
    int m_nStageStart = 0;
    int m_nStageSpan = 100;
    QProgressBar *m_pProgress;
    QLabel *m_pStatus;
    QPushButton *m_pOk;
};

// A radio's failure as the GUI says it: the radio layer's text, and after
// a communication error with no answer at all, what to check.
QString RadioFailureMessage(int type, int value);

} // namespace tavo
