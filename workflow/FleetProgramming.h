#pragma once
// Fleet programming: one profile written to one radio after another, on
// one port or on several at once (a programming station). Each port runs
// its own road on its own thread: it waits for a radio to answer, writes it
// by the whole write road (checks, password, conversion question, backup,
// write, verify, reset), logs one line for it, then waits for that radio to
// go and the next one to come. A radio is new when it answers with a serial
// number that has not been written well in this run on any port (one set of
// serials per run), so the radio left on a cable is never written twice; a
// radio with a blank serial is a radio of its own each time it comes. A
// failing radio never stops or slows another port; a log that cannot take
// a line stops every port before its next radio. Stop ends each port after
// its current radio.
//
// The run has no window: the command line's --batch and the GUI's station
// drive the same road through IFleetHost, whose calls come from the ports'
// threads (questions one at a time).

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
#include <memory>
#include <mutex>
#include <vector>

namespace tavo {

class CRadioDataModel;

// How often a waiting port asks whether a radio answers.
constexpr int kFleetPollMs = 100;

// The log's first line: the columns of every radio's line.
extern const char *const kFleetLogHeader;

// One radio of a run, as its row and its log line show it.
struct FleetRadioResult {
    int number = 0;            // 1, 2, ... in this run, over every port
    int port = 0;              // the port's index in the run
    QString portName;          // the port as the log and the window name it
    QString serial;            // as the radio answered, or the "serial unknown" text
    QString model;             // "OUD11602", empty when not identified
    QString firmware;          // "R02.01"
    QDateTime time;            // when it was done
    RadioCommandResult result = RadioCommandResult::Failed;
    QString message;           // "Written and verified", or what happened and what to do
    QString backupPath;        // the radio's image saved before the write
    QString profileFile;       // the profile written, as the log names it
    QString writtenHash;       // SHA-256 of the image sent, when one was sent
    bool memoryWarning = false;   // that notification was a memory warning

    bool Ok() const { return result == RadioCommandResult::Done; }
    // The log line: the columns of kFleetLogHeader, one line, no control
    // characters.
    QByteArray LogLine() const;
};

struct FleetSummary {
    int written = 0;
    int failed = 0;
    qint64 elapsedMs = 0;      // the time the run was running (not stopped)
    // Radios written per hour of running time (0 before the first).
    double RadiosPerHour() const;
    // "Written: 2, failed: 1, elapsed 0:03:12, 56.3 radios per hour"
    QString Text() const;
};

class IFleetHost {
public:
    virtual ~IFleetHost() = default;
    // Progress and failures of the link on `port`, as a transfer dialog
    // receives them (null: none). The run keeps the failure for the row.
    virtual IRadioNotificationSink *Notifications(int /*port*/) { return nullptr; }
    // A radio answers on `port` with `serial` (empty: blank) and its write
    // begins (`number` in this run).
    virtual void RadioFound(int /*port*/, int /*number*/, const QString & /*serial*/) {}
    // A new stage of the radio in work on `port` (its status text id).
    virtual void Stage(int /*port*/, int /*textId*/) {}
    virtual void BackedUp(int /*port*/, const QString & /*path*/) {}
    // The password dialog for the radio `radio` on `port`: false when the
    // user cancels (the questions of the ports come one at a time).
    virtual bool AskPassword(int port, const QString &radio, const QString &expected, QString &entered) = 0;
    // A radio is done and can be unplugged (its row), and the run so far.
    virtual void RadioFinished(const FleetRadioResult &result, const FleetSummary &summary) = 0;
    // `port` waits for a radio (`next`: for the one written to go first).
    virtual void Waiting(int /*port*/, bool /*next*/) {}
    // A radio written in this run (`number`) was connected again to `port`:
    // it is left alone.
    virtual void AlreadyWritten(int /*port*/, const QString & /*serial*/, int /*number*/) {}
    // `port` has ended (stopped, or the log failed).
    virtual void PortEnded(int /*port*/) {}
    // A question of the write road for the radio in work on `port`: true
    // with the `answer`, and `forAll` set to give it to every radio of the
    // run; false passes it to the message sink the run found.
    virtual bool Ask(int /*port*/, const QString & /*text*/, unsigned /*style*/, int & /*answer*/, bool & /*forAll*/) { return false; }
    // A message of the write road for the radio in work on `port` (its row
    // will carry it): true when the host has dealt with it.
    virtual bool Tell(int /*port*/, const QString & /*text*/, unsigned /*style*/) { return false; }
};

struct FleetOptions {
    QString logPath;                 // the CSV log, appended
    // One road per port; empty: every programming cable plugged in (the
    // cable found by the search when none is).
    std::vector<CableConfig> ports;
    // The profile written, as the log names it (its file, or marked unsaved).
    QString profileFile;
    int pollMs = kFleetPollMs;
};

// The ports of a station with no port named: every programming cable
// plugged in, each as `base` with its device path; `base` itself (the cable
// search) when none is.
std::vector<CableConfig> FleetCablePorts(const CableConfig &base);
// A port as the rows and the log name it: its path, or the cable search's name.
QString FleetPortName(const CableConfig &port);

class CFleetRun {
public:
    // `stop` ends every port after its current radio (it may be set from a
    // signal handler or another thread).
    CFleetRun(CRadioDataModel &profile, IFleetHost &host, FleetOptions options, const std::atomic<bool> &stop);
    ~CFleetRun();
    CFleetRun(const CFleetRun &) = delete;
    CFleetRun &operator=(const CFleetRun &) = delete;

    // Opens the log, writing the header into a new one: false with `error`.
    bool OpenLog(QString &error);
    // The run, one thread per port, until stopped: false with `error` when
    // the log could not take a line (every port stops before its next
    // radio). Run again, it goes on where it stopped: the numbers, the
    // radios written, the answers given for every radio and the running
    // time carry on.
    bool Run(QString &error);

    FleetSummary Summary() const;
    int PortCount() const { return static_cast<int>(m_options.ports.size()); }
    QString PortName(int port) const;

    // The serial number of the radio that answers on `cable`, read quietly:
    // false when none answers; true with its serial (empty: blank).
    static bool AnsweringSerial(const CableConfig &cable, QString &serial);

private:
    struct Road;
    class Sink;
    class Notifications;
    class RoadHost;
    friend class Sink;
    friend class RoadHost;

    void RunRoad(Road &road);
    FleetRadioResult WriteOne(Road &road, int number, const QString &serial);
    // Waits until a radio not yet written answers on the road's port and
    // claims its serial (`serial`); false when stopped.
    bool WaitForNewRadio(Road &road, QString &serial);
    // Waits until the radio that answered with `serial` has gone.
    bool WaitUntilGone(Road &road, const QString &serial);
    bool Pause() const;
    bool Going() const;
    int Answer(Road &road, const QString &text, unsigned style);
    QString RowMessage(Road &road, const FleetRadioResult &row, const RadioWriteReport &report, const CRadioOperation &op, int failType, int failValue) const;

    CRadioDataModel &m_profile;
    IFleetHost &m_host;
    FleetOptions m_options;
    const std::atomic<bool> &m_stop;
    std::vector<std::unique_ptr<Road>> m_roads;

    mutable std::mutex m_mutex;     // everything below that the ports share
    LineLog m_log;
    QString m_strLogError;          // the line that did not reach the log
    std::atomic<bool> m_bLogFailed{false};
    QString m_strRadioPassword;     // the last password entered for a radio
    QMap<QString, int> m_written;   // serials written well in this run, and their numbers
    QSet<QString> m_inWork;         // serials being written on a port
    FleetSummary m_summary;
    int m_nNumber = 0;              // the radios taken so far
    qint64 m_nRanMs = 0;            // the running time of the runs before this one
    QElapsedTimer m_clock;          // this run's
    std::mutex m_questionMutex;     // one question at a time, and the answers
    QMap<QString, int> m_answers;   // questions answered for every radio
    std::mutex m_profileMutex;      // the profile, one port at a time
};

} // namespace tavo
