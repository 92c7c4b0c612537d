#include "workflow/FleetProgramming.h"

#include "config/PageRows.h"
#include "profile/CRadioDataModel.h"
#include "radio/CRadioOperation.h"
#include "radio/CRadioProtocol.h"
#include "radio/RadioMemoryMap.h"
#include "radio/SerialTransport.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QRegularExpression>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <mutex>
#include <thread>

namespace tavo {

const char *const kFleetLogHeader = "serial,model,firmware,time,result,message,port,backup,profile,sha256";

namespace {

constexpr double kMsPerHour = 3600.0 * 1000.0;
// The longest nap of a waiting port between two looks at the stop flag.
constexpr int kStopCheckMs = 100;

// The run and the port whose road this thread runs (the message sink tells
// the ports' messages by them).
thread_local const CFleetRun *t_run = nullptr;
thread_local int t_roadIndex = -1;

// One field of a log line: one line, no control characters (a radio's
// blank serial never puts NUL bytes into the log), quoted when it holds a
// comma or a quote.
QString csvField(QString text)
{
    text.remove(QChar(0));
    // A line break between two sentences ends the first where it has no
    // stop of its own ("... Input/output error. The radio may ...").
    static const QRegularExpression unstopped(QStringLiteral("(\\w)\\s*\\n"));
    text.replace(unstopped, QStringLiteral("\\1.\n"));
    for (QChar &c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))) {
        text.replace(QLatin1String("\""), QLatin1String("\"\""));
        text = QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

QString backupText(const QString &path)
{
    return path.isEmpty() ? QString() : QLatin1Char('\n') + LoadString(msg::BackupSaved).replace(QLatin1String("%1"), QDir::toNativeSeparators(path));
}

} // namespace

QByteArray FleetRadioResult::LogLine() const
{
    // A radio written well logs what the verify said, as the command line
    // always has.
    const QString said = Ok() ? LoadString(msg::VerifySucceeded) : message;
    return QStringList{csvField(serial),
                       csvField(model),
                       csvField(firmware),
                       time.toString(Qt::ISODate),
                       Ok() ? QStringLiteral("OK") : QStringLiteral("FAILED"),
                       csvField(said),
                       csvField(portName),
                       csvField(QDir::toNativeSeparators(backupPath)),
                       csvField(profileFile),
                       writtenHash}
        .join(QLatin1Char(','))
        .toUtf8();
}

double FleetSummary::RadiosPerHour() const
{
    return written && elapsedMs > 0 ? written * kMsPerHour / static_cast<double>(elapsedMs) : 0.0;
}

QString FleetSummary::Text() const
{
    const qint64 seconds = elapsedMs / 1000;
    const QString elapsed = QStringLiteral("%1:%2:%3")
                                .arg(seconds / 3600)
                                .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
                                .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return LoadString(msg::FleetSummaryLine).arg(written).arg(failed).arg(elapsed, QLocale().toString(RadiosPerHour(), 'f', 1));
}

std::vector<CableConfig> FleetCablePorts(const CableConfig &base)
{
    std::vector<CableConfig> ports;
    for (const QString &path : SerialTransport::CablePorts()) {
        CableConfig port = base;
        port.portPath = path;
        ports.push_back(port);
    }
    if (ports.empty())
        ports.push_back(base);
    return ports;
}

QString FleetPortName(const CableConfig &port)
{
    return port.portPath.isEmpty() ? LoadString(msg::CablesIsCable) : QDir::toNativeSeparators(port.portPath);
}

// A port's road and what it knows of the radio in work.
struct CFleetRun::Road {
    int index = 0;
    CableConfig cable;
    QString name;
    QString lastMessage;        // the last message of the write road
    QString declinedQuestion;   // a question answered otherwise than Yes or OK
    int declinedAnswer = 0;
    bool passwordCancelled = false;
};

// The message sink while the run goes: on a port's thread the write
// road's questions get the answers given for every radio (or the host's),
// its other messages become the radio's row; any other thread's messages
// go where they went before.
class CFleetRun::Sink : public IMessageSink {
public:
    explicit Sink(CFleetRun &run) : m_run(run), m_pNext(SetMessageSink(this)) {}
    ~Sink() override { SetMessageSink(m_pNext); }
    int Show(const QString &text, unsigned style) override
    {
        if (t_run != &m_run || t_roadIndex < 0)
            return forward(text, style);
        Road &road = *m_run.m_roads[static_cast<size_t>(t_roadIndex)];
        if ((style & MB_BUTTONMASK) != MB_OK) {
            int answer = m_run.Answer(road, text, style);
            if (!answer)
                answer = forward(text, style);
            if (answer != IDYES && answer != IDOK) {
                road.declinedQuestion = text;
                road.declinedAnswer = answer;
            }
            return answer;
        }
        road.lastMessage = text;
        return m_run.m_host.Tell(road.index, text, style) ? IDOK : forward(text, style);
    }
    int forward(const QString &text, unsigned style) { return m_pNext ? m_pNext->Show(text, style) : DefaultAnswer(style); }

private:
    CFleetRun &m_run;
    IMessageSink *m_pNext;
};

// The link's notifications: the first failure is kept for the row and
// stops the radio's stages; everything goes on to the host.
class CFleetRun::Notifications : public IRadioNotificationSink {
public:
    explicit Notifications(IRadioNotificationSink *next) : m_pNext(next) {}
    void Notify(int type, int value) override
    {
        if ((type == RadioCommFailure || type == RadioMemoryWarning) && !m_nFailType) {
            m_nFailType = type;
            m_nFailValue = value;
            continueFlag = false;
        }
        if (m_pNext)
            m_pNext->Notify(type, value);
    }
    std::atomic<bool> continueFlag{true};
    std::atomic<int> m_nFailType{0};
    std::atomic<int> m_nFailValue{0};

private:
    IRadioNotificationSink *m_pNext;
};

// The host of one radio's road: its stages go to its port; the password
// entered is kept for the radios after it on every port (asked again only
// for a radio with another one).
class CFleetRun::RoadHost : public IRadioCommandHost {
public:
    RoadHost(CFleetRun &run, Road &road, QString radio) : m_run(run), m_road(road), m_strRadio(std::move(radio)) {}
    bool AskPassword(const QString &expected, QString &entered) override
    {
        std::lock_guard<std::mutex> question(m_run.m_questionMutex);
        if (!m_run.m_host.AskPassword(m_road.index, m_strRadio, expected, entered)) {
            m_road.passwordCancelled = true;
            return false;
        }
        std::lock_guard<std::mutex> lock(m_run.m_mutex);
        m_run.m_strRadioPassword = entered;
        return true;
    }
    void Stage(int textId) override { m_run.m_host.Stage(m_road.index, textId); }
    void BackedUp(const QString &path) override { m_run.m_host.BackedUp(m_road.index, path); }

private:
    CFleetRun &m_run;
    Road &m_road;
    QString m_strRadio;
};

CFleetRun::CFleetRun(CRadioDataModel &profile, IFleetHost &host, FleetOptions options, const std::atomic<bool> &stop)
    : m_profile(profile), m_host(host), m_options(std::move(options)), m_stop(stop)
{
    if (m_options.ports.empty())
        m_options.ports = FleetCablePorts(DefaultCableConfig());
    for (size_t i = 0; i < m_options.ports.size(); ++i) {
        auto road = std::make_unique<Road>();
        road->index = static_cast<int>(i);
        road->cable = m_options.ports[i];
        road->name = FleetPortName(road->cable);
        m_roads.push_back(std::move(road));
    }
}

CFleetRun::~CFleetRun() = default;

QString CFleetRun::PortName(int port) const
{
    return port >= 0 && port < PortCount() ? m_roads[static_cast<size_t>(port)]->name : QString();
}

bool CFleetRun::OpenLog(QString &error)
{
    return m_log.Open(m_options.logPath, error, nullptr, kFleetLogHeader);
}

FleetSummary CFleetRun::Summary() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    FleetSummary s = m_summary;
    s.elapsedMs = m_nRanMs + (m_clock.isValid() ? m_clock.elapsed() : 0);
    return s;
}

int CFleetRun::Answer(Road &road, const QString &text, unsigned style)
{
    std::lock_guard<std::mutex> question(m_questionMutex);
    const QString key = QString::number(style) + QLatin1Char(':') + text;
    const auto given = m_answers.constFind(key);
    if (given != m_answers.cend())
        return *given;
    int answer = 0;
    bool forAll = false;
    if (!m_host.Ask(road.index, text, style, answer, forAll))
        return 0;
    if (forAll)
        m_answers.insert(key, answer);
    return answer;
}

bool CFleetRun::AnsweringSerial(const CableConfig &cable, QString &serial)
{
    // An explicit port that is not there (a radio's link not made yet) is
    // no radio, without a failed open in the trace.
    if (!cable.portPath.isEmpty() && !QFileInfo::exists(cable.portPath))
        return false;
    CRadioOperation op(nullptr, cable);
    return ReadAnsweringSerial(op, serial);
}

bool CFleetRun::Going() const
{
    return !m_stop && !m_bLogFailed;
}

bool CFleetRun::Pause() const
{
    for (int slept = 0; slept < m_options.pollMs && Going(); slept += kStopCheckMs)
        QThread::msleep(static_cast<unsigned long>(std::min(kStopCheckMs, m_options.pollMs - slept)));
    return Going();
}

bool CFleetRun::WaitForNewRadio(Road &road, QString &serial)
{
    QString noticed; // the written radio last said to be back
    while (Going()) {
        QString answered;
        if (AnsweringSerial(road.cable, answered)) {
            // A blank serial tells no radio from another: each is its own.
            if (answered.isEmpty()) {
                serial.clear();
                return true;
            }
            std::unique_lock<std::mutex> lock(m_mutex);
            const auto written = m_written.constFind(answered);
            if (written == m_written.cend() && !m_inWork.contains(answered)) {
                m_inWork.insert(answered);
                serial = answered;
                return true;
            }
            if (written != m_written.cend() && noticed != answered) {
                const int number = *written;
                lock.unlock();
                noticed = answered;
                m_host.AlreadyWritten(road.index, answered, number);
            }
        } else if (!noticed.isEmpty()) {
            noticed.clear();
            m_host.Waiting(road.index, false);
        }
        if (!Pause())
            break;
    }
    return false;
}

bool CFleetRun::WaitUntilGone(Road &road, const QString &serial)
{
    while (Going()) {
        // The radio that was written (or failed) answering again is still
        // the same radio; a blank one has gone when the port falls silent
        // or another radio answers.
        QString answered;
        if (!AnsweringSerial(road.cable, answered) || answered != serial)
            return true;
        if (!Pause())
            break;
    }
    return false;
}

QString CFleetRun::RowMessage(Road &road, const FleetRadioResult &row, const RadioWriteReport &report, const CRadioOperation &op, int failType,
                              int failValue) const
{
    switch (row.result) {
    case RadioCommandResult::Done:
        return LoadString(msg::FleetWrittenAndVerified);
    case RadioCommandResult::Stopped:
        // A check refused, the user said No or cancelled, the backup or the
        // verify failed: said with why and what to do.
        if (road.passwordCancelled)
            return LoadString(msg::FleetPasswordCancelled);
        if (!road.declinedQuestion.isEmpty())
            return LoadString(msg::FleetQuestionDeclined)
                .arg(road.declinedQuestion.simplified(), LoadString(road.declinedAnswer == IDCANCEL ? msg::FleetAnswerCancel : msg::FleetAnswerNo));
        if (!report.verifyDifference.isEmpty())
            return road.lastMessage + QLatin1Char('\n') + LoadString(msg::FleetVerifyAdvice) + backupText(row.backupPath);
        if (road.lastMessage == LoadString(msg::FrequencyNotSupportedByRadio))
            return LoadString(msg::FleetWrongBand).arg(row.model);
        return road.lastMessage.isEmpty() ? LoadString(msg::FleetNothingWritten) : road.lastMessage;
    case RadioCommandResult::Failed:
        break;
    }
    QString text = failType ? RadioFailureText(failType, failValue) : LoadString(msg::CommunicationError);
    // The link's own account: which request failed, and how.
    const QString detail = failType == RadioCommFailure ? op.FailureDetail() : QString();
    if (op.FirstFailure() == LinkFailure::Refused) {
        // A radio that refuses the write is no fault of the cable; one that
        // refused its very first block holds what it held before.
        text = LoadString(msg::RadioWriteRefused);
        if (op.LastWrite().empty())
            return text + QLatin1Char('\n') + LoadString(msg::FleetRefusedUnchanged);
    } else if (!detail.isEmpty()) {
        text += QLatin1Char('\n') + detail;
    }
    // A radio written whole whose read-back failed holds the new codeplug,
    // unverified; one left partly written is told what to do: its backup.
    if (report.writtenUnverified)
        return text + QLatin1Char('\n') + LoadString(msg::WrittenUnverified) + QLatin1Char('\n') + LoadString(msg::FleetUnverifiedAdvice);
    if (op.WriteStarted())
        return text + QLatin1Char('\n') + LoadString(msg::PartlyWrittenCodeplug) + backupText(row.backupPath);
    if (failType == RadioMemoryWarning)
        return text;
    return text + QLatin1Char('\n') + LoadString(msg::FleetNotWrittenCheckRadio);
}

FleetRadioResult CFleetRun::WriteOne(Road &road, int number, const QString &serial)
{
    FleetRadioResult row;
    row.number = number;
    row.port = road.index;
    row.portName = road.name;
    row.profileFile = m_options.profileFile;
    road.lastMessage.clear();
    road.declinedQuestion.clear();
    road.declinedAnswer = 0;
    road.passwordCancelled = false;
    Notifications notifications(m_host.Notifications(road.index));
    CRadioOperation op(&notifications, road.cable);
    const QDateTime found = QDateTime::currentDateTime();
    // A radio with a blank serial is told by its port and the time it came.
    const QString unknown = LoadString(msg::FleetSerialUnknown).arg(road.name, found.toString(Qt::ISODate));
    RoadHost host(*this, road, serial.isEmpty() ? unknown : serial);
    QString accepted;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        accepted = m_strRadioPassword;
    }
    RadioWriteOptions options;
    options.verify = true;
    options.profileLock = &m_profileMutex;
    RadioWriteReport report;
    row.result = WriteToRadio(op, notifications.continueFlag, m_profile, accepted, host, options, report);
    row.time = QDateTime::currentDateTime();
    const CRadioIdent &id = report.ident;
    // The radio as it answered when it came (a radio that fails before its
    // backup was read still said its serial then).
    row.serial = !report.serial.isEmpty() ? report.serial : !serial.isEmpty() ? serial : unknown;
    row.model = id.m_szModel[0] ? RadioModelText(id) : QString();
    row.firmware = RadioFirmwareText(id);
    row.backupPath = report.backupPath;
    if (row.Ok() || op.WriteStarted())
        row.writtenHash = report.writtenHash;
    row.memoryWarning = notifications.m_nFailType == RadioMemoryWarning;
    row.message = RowMessage(road, row, report, op, notifications.m_nFailType, notifications.m_nFailValue);
    return row;
}

void CFleetRun::RunRoad(Road &road)
{
    t_run = this;
    t_roadIndex = road.index;
    while (Going()) {
        m_host.Waiting(road.index, false);
        QString serial;
        if (!WaitForNewRadio(road, serial))
            break;
        // The log must be able to take this radio's line before the radio
        // is touched.
        QString error;
        if (!m_log.Check(error)) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_inWork.remove(serial);
            if (!m_bLogFailed.exchange(true))
                m_strLogError = error;
            break;
        }
        int number;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            number = ++m_nNumber;
        }
        m_host.RadioFound(road.index, number, serial);
        const FleetRadioResult row = WriteOne(road, number, serial);
        FleetSummary summary;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++(row.Ok() ? m_summary.written : m_summary.failed);
            if (row.Ok() && !serial.isEmpty())
                m_written.insert(serial, number);
            m_inWork.remove(serial);
            summary = m_summary;
            summary.elapsedMs = m_nRanMs + (m_clock.isValid() ? m_clock.elapsed() : 0);
        }
        m_host.RadioFinished(row, summary);
        // Every line reaches the log before the port takes its next radio.
        if (!m_log.Append(row.LogLine(), error)) {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_bLogFailed.exchange(true))
                m_strLogError = error;
            break;
        }
        m_host.Waiting(road.index, true);
        // The radio that was in work is known by what it answered when it
        // came, so a radio swapped in meanwhile is the next one.
        if (!WaitUntilGone(road, serial))
            break;
    }
    m_host.PortEnded(road.index);
    t_run = nullptr;
    t_roadIndex = -1;
}

bool CFleetRun::Run(QString &error)
{
    // The setting documents are loaded once, before the ports share them.
    if (!EnsureSettingDocuments())
        return true;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bLogFailed = false;
        m_strLogError.clear();
        m_clock.start();
    }
    {
        Sink sink(*this);
        std::vector<std::thread> threads;
        threads.reserve(m_roads.size());
        for (const std::unique_ptr<Road> &road : m_roads)
            threads.emplace_back([this, r = road.get()] { RunRoad(*r); });
        for (std::thread &t : threads)
            t.join();
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nRanMs += m_clock.elapsed();
    m_clock.invalidate();
    if (m_bLogFailed) {
        error = m_strLogError;
        return false;
    }
    return true;
}

} // namespace tavo
