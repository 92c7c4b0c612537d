// The radio on the command line: cables, identify, read --image, write
// --image, reset, factory-reset. Each runs the radio operations
// as the read/write dialog runs them (link start, read or write, reset),
// with progress on stderr and the program's own messages on failure.
//
// The profile paths (read --profile, write PROFILE, --password) run the
// identification checks and the password loop of the main frame; they come
// with the radio orchestration and are refused here with a usage message.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "profile/CDataAdaptor.h"
#include "radio/CLinkTrace.h"
#include "radio/CRadioOperation.h"
#include "workflow/CRadioTransfer.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <cstdio>
#include <mutex>
#include <unistd.h>

namespace tavo::cli {

namespace {

// Prints progress and remembers the first failure; clears the continue
// flag on a failure or a memory warning, as the dialog's handler does.
class CliRadioSink : public IRadioNotificationSink {
public:
    explicit CliRadioSink(int stageTextId) : m_nStageText(stageTextId), m_bTty(isatty(STDERR_FILENO)) {}

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
            const QByteArray text = LoadString(m_nStageText).toUtf8();
            if (m_bTty) {
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
    bool m_bTty;
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
    CCableConfig config = DefaultCableConfig();
    if (ctx.Has("--trace")) {
        auto trace = std::make_shared<CLinkTrace>();
        QString error;
        if (ctx.Option("--trace").isEmpty())
            return UsageError(ctx.command, QStringLiteral("--trace needs a file name"));
        if (!trace->OpenFile(ctx.Option("--trace"), error))
            return Fail(error);
        config.trace = trace;
    }
    if (ctx.Has("--port")) {
        // An empty name is no port: it must never fall back to some device.
        if (ctx.Option("--port").isEmpty())
            return UsageError(ctx.command, QStringLiteral("--port needs a device name"));
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
    if (count > 1) {
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
    std::printf("firmware: %c%c%c\n", ident.m_cFirmwarePhase, ident.m_cFirmwareVersion, ident.m_cFirmwareRevision);
    std::printf("codeplug: %c %u\n", ident.m_cCodeplugPhase, ident.m_nCodeplugVersion);
    std::printf("frequency slots: %u\n", ident.m_nFrequencySlots);
    std::printf("highest squelch code: %u\n", ident.m_nMaxCodes);
    std::printf("clone compatibility: %u (%s)\n", ident.m_nCloneCompatibility,
                CRadioOperation::IsCloneCompatible(ident.m_nCloneCompatibility) ? "supported" : "not supported");
    std::printf("password: %s\n", ident.HasPassword() ? "set" : "none");
    return ExitOk;
}

int RunRead(CliContext &ctx)
{
    if (ctx.Has("--profile") || ctx.Has("--password"))
        return UsageError(ctx.command, QStringLiteral("reading into a profile (--profile, --password) is not available yet; use --image OUT"));
    if (!ctx.Has("--image"))
        return UsageError(ctx.command, QStringLiteral("read needs --image OUT"));
    if (int rc = SelectPort(ctx))
        return rc;
    CliRadioSink sink(msg::ReadingFromRadio);
    CRadioOperation op(&sink);
    VirtualCP image;
    const bool ok = RunTransfer(op, TransferKind::Read, image, sink.continueFlag);
    sink.Finish();
    if (!ok)
        return ReportFailure(op, sink, msg::ReadFailed);
    QString error;
    if (!WriteImageFile(ctx.Option("--image"), image, error))
        return Fail(error);
    std::fprintf(stderr, "%s\n", LoadString(msg::ReadSucceeded).toUtf8().constData());
    return ExitOk;
}

int RunWrite(CliContext &ctx)
{
    if (!ctx.args.isEmpty() || ctx.Has("--password"))
        return UsageError(ctx.command, QStringLiteral("writing a profile (PROFILE, --password) is not available yet; use --image IMG"));
    if (!ctx.Has("--image"))
        return UsageError(ctx.command, QStringLiteral("write needs --image IMG"));
    VirtualCP image;
    QString error;
    if (!ReadImageFile(ctx.Option("--image"), image, error))
        return Fail(error);
    // An image that does not convert to a profile (image2profile refuses
    // it with its message) would leave a radio that reads back as
    // corrupted: it is refused before the link starts.
    {
        VirtualCP check = image;
        QString xml;
        if (!CDataAdaptor::VirtualCP2XML(check, xml))
            return ExitFailed;
    }
    if (int rc = SelectPort(ctx))
        return rc;
    CliRadioSink sink(msg::WritingToRadio);
    CRadioOperation op(&sink);
    const bool ok = RunTransfer(op, TransferKind::Write, image, sink.continueFlag);
    sink.Finish();
    if (!ok)
        return ReportFailure(op, sink, msg::WriteFailed);
    std::fprintf(stderr, "%s\n", LoadString(msg::WriteSucceeded).toUtf8().constData());
    return ExitOk;
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

const CliCommandRegistrar kCables({"cables", "", 0, 0, &RunCables});
const CliCommandRegistrar kIdentify({"identify", "[--port DEV] [--trace FILE]", 0, 0, &RunIdentify});
const CliCommandRegistrar kRead({"read", "[--port DEV] [--trace FILE] --image OUT", 0, 0, &RunRead});
const CliCommandRegistrar kWrite({"write", "[--port DEV] [--trace FILE] --image IMG", 0, 1, &RunWrite});
const CliCommandRegistrar kReset({"reset", "[--port DEV] [--trace FILE]", 0, 0, &RunReset});
const CliCommandRegistrar kFactoryReset({"factory-reset", "[--port DEV] [--trace FILE] --yes", 0, 0, &RunFactoryReset});

} // namespace

} // namespace tavo::cli
