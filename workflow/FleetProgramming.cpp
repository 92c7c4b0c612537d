#include "workflow/FleetProgramming.h"

#include "config/PageRows.h"
#include "profile/CRadioDataModel.h"
#include "radio/CRadioOperation.h"
#include "radio/CRadioProtocol.h"
#include "radio/RadioMemoryMap.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <mutex>

namespace tavo {

const char *const kFleetLogHeader = "serial,model,firmware,time,result,message";

namespace {

constexpr double kMsPerHour = 3600.0 * 1000.0;
// The longest nap of a waiting run between two looks at the stop flag.
constexpr int kStopCheckMs = 100;

QString csvField(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))) {
        text.replace(QLatin1String("\""), QLatin1String("\"\""));
        text = QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

} // namespace

QByteArray FleetRadioResult::LogLine() const
{
    // A radio written well logs what the verify said, as the command line
    // always has.
    const QString said = Ok() ? LoadString(msg::VerifySucceeded) : message;
    return QStringList{csvField(serial), csvField(model), csvField(firmware), time.toString(Qt::ISODate),
                       Ok() ? QStringLiteral("OK") : QStringLiteral("FAILED"), csvField(said)}
        .join(QLatin1Char(','))
        .toUtf8();
}

double FleetSummary::RadiosPerHour() const
{
    const int done = written + failed;
    return done && elapsedMs > 0 ? done * kMsPerHour / static_cast<double>(elapsedMs) : 0.0;
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

// The message sink while the run goes: on the run's thread the write
// road's questions get the answers given for every radio (or the host's),
// its other messages become the radio's row; any other thread's messages
// go where they went before.
class CFleetRun::Sink : public IMessageSink {
public:
    explicit Sink(CFleetRun &run) : m_run(run), m_pNext(SetMessageSink(this)) {}
    ~Sink() override { SetMessageSink(m_pNext); }
    int Show(const QString &text, unsigned style) override
    {
        if (std::this_thread::get_id() != m_run.m_runThread)
            return forward(text, style);
        if ((style & MB_BUTTONMASK) != MB_OK) {
            const int answer = m_run.Answer(text, style);
            return answer ? answer : forward(text, style);
        }
        m_run.m_strLastMessage = text;
        return m_run.m_host.Tell(text, style) ? IDOK : forward(text, style);
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

// The host for one radio's road: the password entered is kept for the
// radios after it (asked again only for a radio with another one).
class CFleetRun::PasswordHost : public IRadioCommandHost {
public:
    explicit PasswordHost(CFleetRun &run) : m_run(run) {}
    bool AskPassword(const QString &expected, QString &entered) override
    {
        if (!m_run.m_host.AskPassword(expected, entered))
            return false;
        m_run.m_strRadioPassword = entered;
        return true;
    }
    void Stage(int textId) override { m_run.m_host.Stage(textId); }
    void BackedUp(const QString &path) override { m_run.m_host.BackedUp(path); }

private:
    CFleetRun &m_run;
};

CFleetRun::CFleetRun(CRadioDataModel &profile, IFleetHost &host, FleetOptions options, const std::atomic<bool> &stop)
    : m_profile(profile), m_host(host), m_options(std::move(options)), m_stop(stop)
{
    // A radio that did not say its serial number is told by the port.
    m_strUnknownSerial = LoadString(msg::BatchSerialUnknown)
                             .arg(m_options.cable.portPath.isEmpty() ? LoadString(msg::CablesIsCable) : m_options.cable.portPath);
}

CFleetRun::~CFleetRun() = default;

bool CFleetRun::OpenLog(QString &error)
{
    bool fresh = false;
    return m_log.Open(m_options.logPath, error, &fresh) && (!fresh || m_log.Append(kFleetLogHeader, error));
}

FleetSummary CFleetRun::Summary() const
{
    FleetSummary s = m_summary;
    s.elapsedMs = m_clock.isValid() ? m_clock.elapsed() : 0;
    return s;
}

int CFleetRun::Answer(const QString &text, unsigned style)
{
    const QString key = QString::number(style) + QLatin1Char(':') + text;
    const auto given = m_answers.constFind(key);
    if (given != m_answers.cend())
        return *given;
    int answer = 0;
    bool forAll = false;
    if (!m_host.Ask(text, style, answer, forAll))
        return 0;
    if (forAll)
        m_answers.insert(key, answer);
    return answer;
}

QString CFleetRun::AnsweringSerial(const CableConfig &cable)
{
    // An explicit port that is not there (a radio's link not made yet) is
    // no radio, without a failed open in the trace.
    if (!cable.portPath.isEmpty() && !QFileInfo::exists(cable.portPath))
        return QString();
    CRadioOperation op(nullptr, cable);
    CRadioProtocol &protocol = op.Protocol();
    uint8_t serial[VirtualCP::kSerialWidth] = {};
    std::lock_guard<std::mutex> lock(RadioLock());
    if (protocol.OpenDevice(CableDeviceIndex()) < 0)
        return QString();
    const bool ok = protocol.ReadMemory(radiomap::kHeaderAddress, static_cast<int>(sizeof serial), serial) == static_cast<int>(sizeof serial);
    protocol.CloseDevice();
    if (!ok)
        return QString();
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(serial), static_cast<int>(sizeof serial)).trimmed();
    return text.isEmpty() ? QStringLiteral("?") : text;
}

bool CFleetRun::Pause()
{
    for (int slept = 0; slept < m_options.pollMs && !m_stop; slept += kStopCheckMs)
        QThread::msleep(static_cast<unsigned long>(std::min(kStopCheckMs, m_options.pollMs - slept)));
    return !m_stop;
}

bool CFleetRun::WaitForNewRadio()
{
    m_host.Waiting(false);
    while (!m_stop) {
        const QString serial = AnsweringSerial(m_options.cable);
        if (!serial.isEmpty() && !m_written.contains(serial))
            return true;
        if (!Pause())
            break;
    }
    return false;
}

bool CFleetRun::WaitUntilGone(const QString &written)
{
    m_host.Waiting(true);
    while (!m_stop) {
        // The radio just written answering again is still the same radio.
        if (AnsweringSerial(m_options.cable) != written)
            return true;
        if (!Pause())
            break;
    }
    return false;
}

FleetRadioResult CFleetRun::WriteOne(int number)
{
    FleetRadioResult row;
    row.number = number;
    m_strLastMessage.clear();
    Notifications notifications(m_host.Notifications());
    CRadioOperation op(&notifications, m_options.cable);
    PasswordHost host(*this);
    QString accepted = m_strRadioPassword;
    RadioWriteOptions options;
    options.verify = true;
    RadioWriteReport report;
    row.result = WriteToRadio(op, notifications.continueFlag, m_profile, accepted, host, options, report);
    row.time = QDateTime::currentDateTime();
    const CRadioIdent &id = report.ident;
    row.serial = report.serial.isEmpty() ? m_strUnknownSerial : report.serial;
    row.model = id.m_szModel[0] ? RadioModelText(id) : QString();
    row.firmware = RadioFirmwareText(id);
    row.backupPath = report.backupPath;
    switch (row.result) {
    case RadioCommandResult::Done:
        row.message = LoadString(msg::FleetWrittenAndVerified);
        break;
    case RadioCommandResult::Stopped:
        // A check refused, the user said No, the backup or the verify
        // failed: the road has said why.
        row.message = m_strLastMessage.isEmpty() ? LoadString(msg::FleetNothingWritten) : m_strLastMessage;
        break;
    case RadioCommandResult::Failed: {
        const int type = notifications.m_nFailType;
        row.memoryWarning = type == RadioMemoryWarning;
        row.message = type ? RadioFailureText(type, notifications.m_nFailValue) : LoadString(msg::CommunicationError);
        // The link's own account: which request failed, and how.
        const QString detail = type == RadioCommFailure ? op.FailureDetail() : QString();
        if (!detail.isEmpty())
            row.message += QLatin1Char('\n') + detail;
        break;
    }
    }
    // A radio written whole whose read-back failed holds the new codeplug,
    // unverified; one left partly written is told what to do: its backup.
    if (!row.Ok() && report.writtenUnverified) {
        row.message += QLatin1Char('\n') + LoadString(msg::WrittenUnverified);
    } else if (!row.Ok() && op.WriteStarted()) {
        row.message += QLatin1Char('\n') + LoadString(msg::PartlyWrittenCodeplug);
        if (!row.backupPath.isEmpty())
            row.message += QLatin1Char('\n') + LoadString(msg::BackupSaved).replace(QLatin1String("%1"), QDir::toNativeSeparators(row.backupPath));
    }
    return row;
}

bool CFleetRun::Run(QString &error)
{
    m_runThread = std::this_thread::get_id();
    if (!m_clock.isValid())
        m_clock.start();
    Sink sink(*this);
    while (WaitForNewRadio()) {
        m_host.RadioFound(++m_nNumber);
        const FleetRadioResult row = WriteOne(m_nNumber);
        ++(row.Ok() ? m_summary.written : m_summary.failed);
        if (row.Ok())
            m_written.insert(row.serial);
        m_host.RadioFinished(row, Summary());
        // Every line reaches the log before the next radio is taken.
        if (!m_log.Append(row.LogLine(), error))
            return false;
        const QString serial = row.serial == m_strUnknownSerial ? AnsweringSerial(m_options.cable) : row.serial;
        if (!WaitUntilGone(serial.isEmpty() ? QStringLiteral("?") : serial))
            break;
    }
    return true;
}

} // namespace tavo
