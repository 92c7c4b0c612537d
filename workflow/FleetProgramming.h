#pragma once
// Fleet programming: one profile written to one radio after another on the
// same cable (or port). The run waits for a radio to answer, writes it by
// the whole write road (checks, password, conversion question, backup,
// write, verify, reset), logs one line per radio, then waits for that radio
// to go and the next one to come. A radio is new when it answers with a
// serial number that has not been written well in this run, so the radio
// left on the cable is never written twice. A failing radio never stops the
// run; a log line that cannot be written does. Stop ends after the current
// radio.
//
// The run has no window: the command line's --batch and the GUI's fleet
// window drive the same road through IFleetHost. It runs on one thread (the
// GUI's worker); the host marshals what it shows.

#include "base/AtomicFile.h"
#include "radio/ICableTransport.h"
#include "radio/RadioNotification.h"
#include "workflow/CRadioCommands.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QMap>
#include <QSet>
#include <QString>

#include <atomic>
#include <thread>

namespace tavo {

class CRadioDataModel;

// How often a waiting run asks the port whether a radio answers.
constexpr int kFleetPollMs = 100;

// The log's first line: the columns of every radio's line.
extern const char *const kFleetLogHeader;

// One radio of a run, as its row and its log line show it.
struct FleetRadioResult {
    int number = 0;            // 1, 2, ... in this run
    QString serial;            // as the radio said it, or the "serial unknown" text
    QString model;             // "OUD11602", empty when not identified
    QString firmware;          // "R21"
    QDateTime time;            // when it was done
    RadioCommandResult result = RadioCommandResult::Failed;
    QString message;           // "Written and verified", or why not and what to do
    QString backupPath;        // the radio's image saved before the write
    bool memoryWarning = false;   // that notification was a memory warning

    bool Ok() const { return result == RadioCommandResult::Done; }
    // The log line: serial, model, firmware, time, OK or FAILED, message.
    QByteArray LogLine() const;
};

struct FleetSummary {
    int written = 0;
    int failed = 0;
    qint64 elapsedMs = 0;
    // Radios done per hour of the run so far (0 before the first).
    double RadiosPerHour() const;
    // "Written: 2, failed: 1, elapsed 0:03:12, 56.3 radios per hour"
    QString Text() const;
};

class IFleetHost : public IRadioCommandHost {
public:
    // Progress and failures of the link, as a transfer dialog receives
    // them (null: none). The run keeps the failure for the radio's row.
    virtual IRadioNotificationSink *Notifications() { return nullptr; }
    // A radio answers and its write begins (`number` in this run).
    virtual void RadioFound(int /*number*/) {}
    // A radio is done and can be unplugged (its row), and the run so far.
    virtual void RadioFinished(const FleetRadioResult &result, const FleetSummary &summary) = 0;
    // The run waits for a radio (`next`: for the one written to go first).
    virtual void Waiting(bool /*next*/) {}
    // A question of the write road for the radio in work: true with the
    // `answer`, and `forAll` set to give it to every radio of the run;
    // false passes it to the message sink the run found.
    virtual bool Ask(const QString & /*text*/, unsigned /*style*/, int & /*answer*/, bool & /*forAll*/) { return false; }
    // A message of the write road for the radio in work (its row will
    // carry it): true when the host has dealt with it; false passes it on.
    virtual bool Tell(const QString & /*text*/, unsigned /*style*/) { return false; }
};

struct FleetOptions {
    QString logPath;             // the CSV log, appended
    CableConfig cable;           // the cable or the explicit port
    int pollMs = kFleetPollMs;
};

class CFleetRun {
public:
    // `stop` ends the run after the current radio (it may be set from a
    // signal handler or another thread).
    CFleetRun(CRadioDataModel &profile, IFleetHost &host, FleetOptions options, const std::atomic<bool> &stop);
    ~CFleetRun();
    CFleetRun(const CFleetRun &) = delete;
    CFleetRun &operator=(const CFleetRun &) = delete;

    // Opens the log, writing the header into a new one: false with `error`.
    bool OpenLog(QString &error);
    // The run, until stopped: false with `error` when a log line could not
    // be written (the run stops before the next radio). Run again, it goes
    // on where it stopped: the numbers, the radios written, the answers
    // given for every radio and the elapsed time carry on.
    bool Run(QString &error);

    FleetSummary Summary() const;

    // The serial number of the radio that answers on the cable, read
    // quietly (no progress, no message); empty when none answers, "?" for
    // a radio with a blank one.
    static QString AnsweringSerial(const CableConfig &cable);

private:
    class Sink;
    class Notifications;
    class PasswordHost;
    FleetRadioResult WriteOne(int number);
    // Waits until a radio not yet written answers, or until the radio
    // `written` has gone; false when stopped.
    bool WaitForNewRadio();
    bool WaitUntilGone(const QString &written);
    bool Pause();
    friend class Sink;
    int Answer(const QString &text, unsigned style);

    CRadioDataModel &m_profile;
    IFleetHost &m_host;
    FleetOptions m_options;
    const std::atomic<bool> &m_stop;
    LineLog m_log;
    QString m_strUnknownSerial;
    QString m_strRadioPassword;     // the last password entered for a radio
    QSet<QString> m_written;        // serials written well in this run
    QMap<QString, int> m_answers;   // questions answered for every radio
    QString m_strLastMessage;       // the last message of the radio in work
    std::thread::id m_runThread;
    FleetSummary m_summary;
    int m_nNumber = 0;              // the radios taken so far
    QElapsedTimer m_clock;
};

} // namespace tavo
