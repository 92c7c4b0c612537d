// The radio on the command line: cables, identify, read, write, reset,
// factory-reset. read --image moves the raw image with the radio operations
// alone (link start, read, reset); read --profile, write PROFILE and write
// --image (the image written as the profile it converts to) run the main
// frame's whole road (identification checks,
// password, model conversion, backup, verify) from workflow/, answering its
// questions with --yes and --password. Progress goes to stderr, the
// program's own messages on failure.

#include "cli/ChangeList.h"
#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "base/AtomicFile.h"
#include "radio/LinkTrace.h"
#include "radio/SerialTransport.h"
#include "radio/PortDiagnostics.h"
#include "radio/CRadioOperation.h"
#include "radio/RadioMemoryMap.h"
#include "base/TemplateFile.h"
#include "profile/CDataItem.h"
#include "profile/CRadioDataModel.h"
#include "workflow/CRadioCommands.h"
#include "workflow/CRadioTransfer.h"
#include "workflow/FleetProgramming.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <atomic>
#include <csignal>
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <cstdio>
#include <mutex>
#include <unistd.h>

namespace tavo::cli {

namespace {

// Where progress goes: a terminal on stderr sees it on one line; anything
// else sees it only with --progress (a line a step), and --quiet leaves it
// out. Set once per run from the command's options.
struct ProgressMode {
    bool shown = false;
    bool terminal = false;
};
ProgressMode g_progress{static_cast<bool>(isatty(STDERR_FILENO)), static_cast<bool>(isatty(STDERR_FILENO))};

// Prints progress and remembers the first failure; clears the continue
// flag on a failure or a memory warning, as the dialog's handler does.
class CliRadioSink : public IRadioNotificationSink {
public:
    explicit CliRadioSink(int stageTextId) : m_nStageText(stageTextId), m_progress(g_progress) {}

    void SetStage(int stageTextId)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        endLine();
        m_nStageText = stageTextId;
    }

    void Notify(int type, int value) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (type == RadioProgress) {
            if (!m_progress.shown)
                return;
            const QByteArray text = LoadString(m_nStageText).toUtf8();
            if (m_progress.terminal) {
                std::fprintf(stderr, "\r%s %3d%%", text.constData(), value);
                m_bOpenLine = true;
            } else {
                std::fprintf(stderr, "%s %d%%\n", text.constData(), value);
            }
            std::fflush(stderr);
        } else if ((type == RadioCommFailure || type == RadioMemoryWarning) && m_nFailType == 0) {
            m_nFailType = type;
            m_nFailValue = value;
            continueFlag = false;
        }
    }

    void Finish()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        endLine();
    }

    bool Failed() const { return m_nFailType != 0; }
    int FailType() const { return m_nFailType; }
    int FailValue() const { return m_nFailValue; }

    std::atomic<bool> continueFlag{true};

private:
    void endLine()
    {
        if (m_bOpenLine) {
            std::fputc('\n', stderr);
            m_bOpenLine = false;
        }
    }

    std::mutex m_mutex;
    int m_nStageText;
    ProgressMode m_progress;
    bool m_bOpenLine = false;
    int m_nFailType = 0;
    int m_nFailValue = 0;
};

QString withNumber(int id, int value)
{
    QString text = LoadString(id);
    text.replace(QLatin1String("%d"), QString::number(value));
    return text;
}

// --port DEV, or the one programming cable found by the cable count;
// --trace FILE records the link.
int SelectPort(CliContext &ctx)
{
    if (ctx.Has("--quiet") && ctx.Has("--progress"))
        return UsageError(ctx.command, LoadString(msg::CliOptionsExclude).arg(QStringLiteral("--quiet"), QStringLiteral("--progress")));
    if (ctx.Has("--quiet"))
        g_progress.shown = false;
    else if (ctx.Has("--progress"))
        g_progress.shown = true;
    CableConfig config = DefaultCableConfig();
    if (ctx.Has("--trace")) {
        auto trace = std::make_shared<LinkTrace>();
        QString error;
        if (ctx.Option("--trace").isEmpty())
            return UsageError(ctx.command, LoadString(msg::CliOptionNeedsValue).arg(QStringLiteral("--trace")));
        if (!trace->OpenFile(ctx.Option("--trace"), error))
            return Fail(error);
        trace->SetWriteFailureReport([](const QString &text) { std::fprintf(stderr, "%s\n", text.toUtf8().constData()); });
        config.trace = trace;
    }
    // Several ports are a programming station: only a batch runs one.
    const bool batch = ctx.command == QLatin1String("write") && ctx.Has("--batch");
    if (ctx.Values("--port").size() > 1 && !batch)
        return UsageError(ctx.command, LoadString(msg::CliPortsNeedBatch));
    if (ctx.Has("--port")) {
        // An empty name is no port: it must never fall back to some device.
        if (ctx.Values("--port").contains(QString()))
            return UsageError(ctx.command, LoadString(msg::CliOptionNeedsValue).arg(QStringLiteral("--port")));
        config.portPath = ctx.Option("--port");
        SetDefaultCableConfig(config);
        return ExitOk;
    }
    config.portPath.clear();
    SetDefaultCableConfig(config);
    int count = 0;
    {
        std::lock_guard<std::mutex> lock(RadioLock());
        CRadioOperation op;
        count = op.CountCables();
    }
    if (count == 0)
        return Fail(LoadString(msg::NoCableFound));
    // A batch takes every cable plugged in, each a port of its own.
    if (count > 1 && !batch) {
        ShowMessageText(withNumber(msg::UsbConnections, count), MB_OK | MB_ICONWARNING);
        return ExitFailed;
    }
    return ExitOk;
}

// The failure as the dialog shows it, then what else is known. A write
// that failed after it began to change the radio says that the radio may
// hold a partly written codeplug and how to put it right.
int ReportFailure(const CRadioOperation &op, const CliRadioSink &sink, int failedTextId)
{
    // The dialog's status text after a communication failure.
    if (failedTextId && sink.FailType() != RadioMemoryWarning)
        std::fprintf(stderr, "%s\n", LoadString(failedTextId).toUtf8().constData());
    QString text = sink.Failed() ? RadioFailureText(sink.FailType(), sink.FailValue()) : LoadString(msg::CommunicationError);
    if (op.WriteStarted())
        text += QLatin1Char('\n') + LoadString(msg::PartlyWrittenCodeplug);
    if (!sink.Failed())
        return Fail(text);
    ShowMessageText(text, MB_OK | (sink.FailType() == RadioMemoryWarning ? MB_ICONWARNING : MB_ICONERROR));
    if (sink.FailType() == RadioCommFailure) {
        const QString detail = op.FailureDetail();
        if (!detail.isEmpty())
            std::fprintf(stderr, "%s\n", detail.toUtf8().constData());
    }
    return ExitFailed;
}

int RunCables(CliContext &)
{
    int count = 0;
    {
        std::lock_guard<std::mutex> lock(RadioLock());
        CRadioOperation op;
        count = op.CountCables();
    }
    std::printf("%d\n", count);
    // Then every serial port on USB: its description, whether it is the
    // programming cable, and whether this user can open it (and if not, why).
    const std::vector<CandidatePort> ports = CandidatePorts(SerialTransport::SystemPorts());
    if (ports.empty())
        std::printf("%s\n", LoadString(msg::CablesNoUsbPort).toUtf8().constData());
    for (const CandidatePort &p : ports) {
        const QString why = PortAccessText(p.path, p.access);
        const QString line = LoadString(msg::CablesPortLine)
                                 .arg(p.path, p.description,
                                      LoadString(p.isCable ? msg::CablesIsCable : msg::CablesNotCable),
                                      why.isEmpty() ? LoadString(msg::CablesCanOpen) : LoadString(msg::CablesCannotOpen).arg(why));
        std::printf("%s\n", line.toUtf8().constData());
    }
    return ExitOk;
}

QString chars(const char *p, size_t n)
{
    QString s;
    for (size_t i = 0; i < n && p[i]; ++i)
        s += QLatin1Char(p[i]);
    return s;
}

int RunIdentify(CliContext &ctx)
{
    if (int rc = SelectPort(ctx))
        return rc;
    CliRadioSink sink(msg::IdentifyingRadio);
    CRadioOperation op(&sink);
    CRadioIdent ident;
    bool ok;
    {
        std::lock_guard<std::mutex> lock(RadioLock());
        ok = op.Identify(ident);
    }
    sink.Finish();
    if (!ok)
        return ReportFailure(op, sink, 0);
    QString model = chars(ident.m_szModel, 3);
    for (size_t i = 3; i < 8; ++i)
        model += QString::number(static_cast<uint8_t>(ident.m_szModel[i]));
    std::printf("model: %s\n", model.toUtf8().constData());
    std::printf("firmware: %s\n", RadioFirmwareText(ident).toUtf8().constData());
    std::printf("codeplug: %c %u\n", ident.m_cCodeplugPhase, ident.m_nCodeplugVersion);
    std::printf("frequency slots: %u\n", ident.m_nFrequencySlots);
    std::printf("highest squelch code: %u\n", ident.m_nMaxCodes);
    std::printf("clone compatibility: %u (%s)\n", ident.m_nCloneCompatibility,
                CRadioOperation::IsCloneCompatible(ident.m_nCloneCompatibility) ? "supported" : "not supported");
    std::printf("password: %s\n", ident.HasPassword() ? "set" : "none");
    return ExitOk;
}

// The password dialog of the command line: --password once; a wrong or
// missing one ends the command with message 279.
class CliRadioHost : public IRadioCommandHost {
public:
    CliRadioHost(CliRadioSink &sink, const CliContext &ctx) : m_sink(sink), m_bGiven(ctx.Has("--password")), m_strPassword(ctx.Option("--password")) {}
    bool AskPassword(const QString &, QString &entered) override
    {
        if (m_bGiven && !m_bAsked) {
            m_bAsked = true;
            entered = m_strPassword;
            return true;
        }
        ShowMessage(msg::PasswordIncorrect, MB_OK | MB_ICONERROR);
        return false;
    }
    void Stage(int textId) override { m_sink.SetStage(textId); }
    void BackedUp(const QString &path) override
    {
        m_sink.Finish();
        QString saved = LoadString(msg::BackupSaved);
        saved.replace(QLatin1String("%1"), path);
        std::fprintf(stderr, "%s\n", saved.toUtf8().constData());
    }

private:
    CliRadioSink &m_sink;
    bool m_bGiven;
    QString m_strPassword;
    bool m_bAsked = false;
};

// The profile of an image read from a radio, through the document: converted,
// unnamed channels named, loaded with its schema and rules, stored as a
// profile file by the document's save.
int SaveReadProfile(VirtualCP &image, const QString &path)
{
    CTavoCPSDoc doc;
    if (!doc.SetVirtualCPData(image))
        return Fail(LoadString(msg::CliRadioProfileNotLoaded));
    return doc.OnSaveDocument(path) ? ExitOk : ExitFailed;
}

int RunRead(CliContext &ctx)
{
    if (!ctx.Has("--image") && !ctx.Has("--profile"))
        return UsageError(ctx.command, LoadString(msg::CliReadNeedsOutput));
    if (ctx.Has("--password") && !ctx.Has("--profile"))
        return UsageError(ctx.command, LoadString(msg::CliOptionNeedsOption).arg(QStringLiteral("--password"), QStringLiteral("--profile")));
    if (int rc = SelectPort(ctx))
        return rc;
    CliRadioSink sink(msg::ReadingFromRadio);
    CRadioOperation op(&sink);
    VirtualCP image;
    if (ctx.Has("--profile")) {
        CliRadioHost host(sink, ctx);
        QString accepted;
        const RadioCommandResult result = ReadFromRadio(op, sink.continueFlag, accepted, host, image);
        sink.Finish();
        if (result == RadioCommandResult::Failed)
            return ReportFailure(op, sink, msg::ReadFailed);
        if (result == RadioCommandResult::Stopped)
            return ExitFailed;
    } else {
        const bool ok = RunTransfer(op, TransferKind::Read, image, sink.continueFlag);
        sink.Finish();
        if (!ok)
            return ReportFailure(op, sink, msg::ReadFailed);
    }
    QString error;
    if (ctx.Has("--image") && !WriteImageFile(ctx.Option("--image"), image, error))
        return Fail(error);
    if (ctx.Has("--profile")) {
        if (int rc = SaveReadProfile(image, ctx.Option("--profile")))
            return rc;
    }
    std::fprintf(stderr, "%s\n", LoadString(msg::ReadSucceeded).toUtf8().constData());
    return ExitOk;
}

// One write of `profile` to the radio on the port, reported on stderr. A
// restore (`imageSerial` set: the serial its image carries) writes the
// profile its image converts to with the same checks, backup and verify.
int WriteOnce(CliContext &ctx, CRadioDataModel &profile, const QString &imageSerial, bool verify)
{
    CliRadioSink sink(msg::IdentifyingRadio);
    CRadioOperation op(&sink);
    CliRadioHost host(sink, ctx);
    QString accepted;
    RadioWriteOptions options;
    options.verify = verify;
    options.imageSerial = imageSerial;
    if (ctx.Has("--dry-run"))
        options.review = PrintChangesInsteadOfWriting;
    RadioWriteReport report;
    const RadioCommandResult result = WriteToRadio(op, sink.continueFlag, profile, accepted, host, options, report);
    sink.Finish();
    if (report.skipped)
        return ctx.Has("--dry-run") ? ExitOk : ExitFailed; // a dry run printed the changes; else the user said no
    if (result == RadioCommandResult::Failed && report.writtenUnverified) {
        // Written whole, but the read-back failed: not a partly written radio.
        std::fprintf(stderr, "%s\n", LoadString(msg::WriteSucceeded).toUtf8().constData());
        QString text = LoadString(msg::WrittenUnverified);
        const QString detail = op.FailureDetail();
        if (!detail.isEmpty())
            text += QLatin1Char('\n') + detail;
        return Fail(text);
    }
    if (result == RadioCommandResult::Failed)
        return ReportFailure(op, sink, msg::WriteFailed);
    if (result == RadioCommandResult::Stopped)
        return ExitFailed;
    std::fprintf(stderr, "%s\n", LoadString(msg::WriteSucceeded).toUtf8().constData());
    if (verify)
        std::fprintf(stderr, "%s\n", LoadString(msg::VerifySucceeded).toUtf8().constData());
    return ExitOk;
}

int RunWriteImage(CliContext &ctx)
{
    VirtualCP image;
    QString error;
    if (!ReadImageFile(ctx.Option("--image"), image, error))
        return Fail(error);
    // An image that does not convert to a profile is refused before the
    // port is even looked for.
    CRadioDataModel profile;
    if (!LoadImageAsProfile(image, profile))
        return ExitFailed;
    if (int rc = SelectPort(ctx))
        return rc;
    return WriteOnce(ctx, profile, ImageSerial(image), ctx.Has("--verify"));
}

std::atomic<bool> g_bStopBatch{false};

void onBatchSignal(int)
{
    g_bStopBatch = true;
}

// The batch on the terminal. On one port: progress and messages on stderr
// as a single write prints them, then the radio's log line. On several:
// one log line per radio as it is done (progress bars of several ports
// would only garble each other).
class CliFleetHost : public IFleetHost {
public:
    CliFleetHost(const CliContext &ctx, bool several) : m_bSeveral(several), m_bGiven(ctx.Has("--password")), m_strPassword(ctx.Option("--password")) {}
    IRadioNotificationSink *Notifications(int) override { return m_bSeveral ? nullptr : m_sink.get(); }
    void RadioFound(int port, int, const QString &) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // Each radio as a write of its own: its progress, --password once.
        m_tried.remove(port);
        if (!m_bSeveral)
            m_sink = std::make_unique<CliRadioSink>(msg::IdentifyingRadio);
    }
    bool AskPassword(int port, const QString &, const QString &, QString &entered) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_bGiven && !m_tried.contains(port)) {
                m_tried.insert(port);
                entered = m_strPassword;
                return true;
            }
        }
        ShowMessage(msg::PasswordIncorrect, MB_OK | MB_ICONERROR);
        return false;
    }
    void Stage(int, int textId) override
    {
        if (!m_bSeveral)
            m_sink->SetStage(textId);
    }
    void BackedUp(int, const QString &path) override
    {
        if (m_bSeveral)
            return;
        m_sink->Finish();
        std::fprintf(stderr, "%s\n", LoadString(msg::BackupSaved).replace(QLatin1String("%1"), path).toUtf8().constData());
    }
    void AlreadyWritten(int, const QString &serial, int number) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::fprintf(stderr, "%s\n", LoadString(msg::FleetAlreadyWritten).arg(serial).arg(number).toUtf8().constData());
    }
    void RadioFinished(const FleetRadioResult &row, const FleetSummary &) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bSeveral) {
            m_sink->Finish();
            if (row.result == RadioCommandResult::Failed) {
                if (!row.memoryWarning)
                    std::fprintf(stderr, "%s\n", LoadString(msg::WriteFailed).toUtf8().constData());
                std::fprintf(stderr, "%s\n", row.message.toUtf8().constData());
            } else if (row.Ok()) {
                std::fprintf(stderr, "%s\n%s\n", LoadString(msg::WriteSucceeded).toUtf8().constData(), LoadString(msg::VerifySucceeded).toUtf8().constData());
            }
        }
        std::fprintf(stderr, "%s\n", row.LogLine().constData());
        std::fflush(stderr);
        failures += row.Ok() ? 0 : 1;
    }
    int failures = 0;

private:
    std::mutex m_mutex;
    const bool m_bSeveral;
    const bool m_bGiven;
    const QString m_strPassword;
    QSet<int> m_tried; // the ports whose radio was given --password
    std::unique_ptr<CliRadioSink> m_sink = std::make_unique<CliRadioSink>(msg::IdentifyingRadio);
};

// One radio after another from one profile, on every port given (or every
// cable plugged in) at once: each written and verified, one log line each;
// Ctrl-C ends each port after its current radio.
int RunBatch(CliContext &ctx, CRadioDataModel &profile, const QString &profilePath)
{
    FleetOptions options;
    options.logPath = ctx.Option("--batch");
    options.profileFile = profilePath == QLatin1String("-") ? profilePath : QFileInfo(profilePath).absoluteFilePath();
    for (const QString &port : ctx.Values("--port")) {
        CableConfig config = DefaultCableConfig();
        config.portPath = port;
        options.ports.push_back(config);
    }
    if (options.ports.empty())
        options.ports = FleetCablePorts(DefaultCableConfig());
    CliFleetHost host(ctx, options.ports.size() > 1);
    CFleetRun run(profile, host, options, g_bStopBatch);
    QString error;
    if (!run.OpenLog(error))
        return Fail(LoadString(msg::BatchLogNotWritten).arg(error));
    struct sigaction sa{};
    sa.sa_handler = onBatchSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    if (!run.Run(error))
        return Fail(LoadString(msg::BatchLogNotWritten).arg(error));
    return host.failures ? ExitFailed : ExitOk;
}

int RunWrite(CliContext &ctx)
{
    if (ctx.Has("--dry-run") && (ctx.Has("--batch") || ctx.Has("--verify")))
        return UsageError(ctx.command, LoadString(msg::CliDryRunAlone));
    if (ctx.Has("--image")) {
        if (!ctx.args.isEmpty() || ctx.Has("--batch"))
            return UsageError(ctx.command, LoadString(msg::CliWriteImageAlone));
        return RunWriteImage(ctx);
    }
    if (ctx.args.size() != 1)
        return UsageError(ctx.command, LoadString(msg::CliWriteNeedsProfile));
    const QString path = ctx.args.at(0);
    CTavoCPSDoc doc;
    if (!OpenProfileDocument(path, doc))
        return ExitFailed;
    if (int rc = SelectPort(ctx))
        return rc;
    if (ctx.Has("--batch"))
        return RunBatch(ctx, doc.Model(), path);
    return WriteOnce(ctx, doc.Model(), QString(), ctx.Has("--verify"));
}

int RunReset(CliContext &ctx)
{
    if (int rc = SelectPort(ctx))
        return rc;
    CliRadioSink sink(msg::ResettingRadio);
    CRadioOperation op(&sink);
    bool ok;
    {
        std::lock_guard<std::mutex> lock(RadioLock());
        ok = op.Reset();
    }
    sink.Finish();
    return ok ? ExitOk : ReportFailure(op, sink, 0);
}

int RunFactoryReset(CliContext &ctx)
{
    if (!ctx.Has("--yes")) {
        std::fprintf(stderr, "%s\n%s\n", LoadString(msg::FactoryResetConfirm).toUtf8().constData(),
                     LoadString(msg::FactoryResetNotConfirmed).toUtf8().constData());
        return ExitUsage;
    }
    if (ShowMessage(msg::FactoryResetConfirm, MB_YESNO | MB_ICONWARNING) != IDYES)
        return ExitFailed;
    if (int rc = SelectPort(ctx))
        return rc;
    CliRadioSink sink(msg::FactoryResettingRadio);
    CRadioOperation op(&sink);
    bool ok;
    {
        std::lock_guard<std::mutex> lock(RadioLock());
        // A factory reset is always followed by a reset.
        ok = op.FactoryReset();
        if (ok) {
            sink.SetStage(msg::ResettingRadio);
            ok = op.Reset();
        }
    }
    sink.Finish();
    return ok ? ExitOk : ReportFailure(op, sink, 0);
}

const CliCommandRegistrar kCables({"cables", "", "", 0, 0, &RunCables});
const CliCommandRegistrar kIdentify({"identify", "[--port DEV] [--trace FILE] [--quiet|--progress]", "--port --trace --quiet --progress", 0, 0, &RunIdentify});
const CliCommandRegistrar kRead({"read", "[--port DEV] [--trace FILE] [--quiet|--progress] [--image OUT] [--profile OUT.kp2 [--password PWD]]", "--port --trace --image --profile --password --quiet --progress", 0, 0, &RunRead});
const CliCommandRegistrar kWrite({"write", "[--port DEV] [--trace FILE] [--quiet|--progress] (--image IMG | PROFILE [--batch LOG.csv [--port DEV]...]) [--password PWD] [--yes] [--verify] [--dry-run]", "--port --trace --image --password --yes --verify --batch --dry-run --quiet --progress", 0, 1, &RunWrite});
const CliCommandRegistrar kReset({"reset", "[--port DEV] [--trace FILE] [--quiet|--progress]", "--port --trace --quiet --progress", 0, 0, &RunReset});
const CliCommandRegistrar kFactoryReset({"factory-reset", "[--port DEV] [--trace FILE] [--quiet|--progress] --yes", "--port --trace --yes --quiet --progress", 0, 0, &RunFactoryReset});

} // namespace

} // namespace tavo::cli
