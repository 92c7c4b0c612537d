// tavo-radio-sim: a simulated radio on a pseudo-terminal.
//
//     tavo-radio-sim --image install/samples/demo-OUD11602.img
//
// prints the pseudo-terminal's path on stdout (one line), then answers the
// programming protocol until Ctrl-C. Point the program at it with
// `tavocps-cli identify --port PATH`.

#include "base/AtomicFile.h"
#include "codeplug/VirtualCP.h"
#include "radio/SimulatedRadio.h"
#include "sim/PtyRadio.h"
#include "ProgramVersion.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavo;

namespace {

int g_stopPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(g_stopPipe[1], &c, 1);
}

// Exit status: 0 the radio ran and ended, 1 it could not run (a file that
// cannot be read, no terminal), 2 a usage error.
int usage(const QString &text)
{
    std::fprintf(stderr, "tavo-radio-sim: %s\n", text.toLocal8Bit().constData());
    std::fprintf(stderr, "usage: tavo-radio-sim [OPTION ...] (see --help)\n");
    return 2;
}

int failure(const QString &text)
{
    std::fprintf(stderr, "tavo-radio-sim: %s\n", text.toLocal8Bit().constData());
    return 1;
}

// --help and --version on standard output; output the system did not take
// (a full disk, a closed pipe) is a failure.
int printAndCheck(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    std::fprintf(stderr, "tavo-radio-sim: cannot write to the standard output: %s\n", std::strerror(errno != 0 ? errno : EIO));
    return 1;
}

// A whole number from `low` to `high`; anything else is refused, so a fault
// never quietly means something other than what was asked.
bool parseCount(const QCommandLineParser &p, const QString &name, int &out, QString &error, int low = 0, int high = 1000000)
{
    if (!p.isSet(name))
        return true;
    bool ok = false;
    const int value = p.value(name).toInt(&ok);
    if (!ok) {
        error = QStringLiteral("--%1 needs a number, not \"%2\"").arg(name, p.value(name));
        return false;
    }
    if (value < low || value > high) {
        error = QStringLiteral("--%1 takes %2 to %3, not %4").arg(name).arg(low).arg(high).arg(value);
        return false;
    }
    out = value;
    return true;
}

// --stuck-byte ADDR: a mapped memory address, hexadecimal (0x prefix
// optional).
bool parseAddress(const QString &text, const SimulatedRadio &radio, uint32_t &out, QString &error)
{
    QString t = text.trimmed();
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        t = t.mid(2);
    bool ok = false;
    const uint value = t.toUInt(&ok, 16);
    if (!ok || t.isEmpty() || !radio.IsMapped(value)) {
        error = QStringLiteral("--stuck-byte takes a radio memory address (hexadecimal, 10000-10FFF or 20000-20FFF), not \"%1\"").arg(text);
        return false;
    }
    out = value;
    return true;
}

QString modelText(const VirtualCP &cp)
{
    QString m;
    for (size_t i = 0; i < 3; ++i)
        m += QLatin1Char(static_cast<char>(cp.bytes[6 + i]));
    for (size_t i = 0; i < 5; ++i)
        m += QString::number(cp.bytes[9 + i]);
    return m;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavo-radio-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVO_PROGRAM_VERSION));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "A simulated radio on a pseudo-terminal. Prints the terminal's path on stdout; "
        "use it as the program's port (tavocps-cli --port PATH)."));
    p.addHelpOption();
    p.addVersionOption();
    p.addOptions({
        {QStringLiteral("image"), QStringLiteral("Radio memory packed from a codeplug image (2089 bytes); default: the installation's demonstration radio."), QStringLiteral("FILE")},
        {QStringLiteral("memory"), QStringLiteral("Radio memory from a raw dump (4096 or 8192 bytes, from 0x10000 and 0x20000)."), QStringLiteral("FILE")},
        {QStringLiteral("firmware"), QStringLiteral("Firmware phase, version, revision answered, e.g. R21 (default: the image's, or R21)."), QStringLiteral("PVR")},
        {QStringLiteral("baud"), QStringLiteral("Pace the radio's output at this line rate; 0: no pacing (default 16406)."), QStringLiteral("N"), QStringLiteral("16406")},
        {QStringLiteral("memory-status"), QStringLiteral("Memory status reported (0 sound; 8 factory reset needed; 1-31 corrupted)."), QStringLiteral("N")},
        {QStringLiteral("refuse-write"), QStringLiteral("Refuse every memory write (reply 85).")},
        {QStringLiteral("bad-ack"), QStringLiteral("Answer the N-th reply (from 1) with a wrong acknowledgement, once."), QStringLiteral("N")},
        {QStringLiteral("bad-checksum"), QStringLiteral("Send the N-th reply with a wrong checksum, once."), QStringLiteral("N")},
        {QStringLiteral("silent"), QStringLiteral("Never answer (the cable still echoes).")},
        {QStringLiteral("silent-after"), QStringLiteral("Answer N replies, then fall silent."), QStringLiteral("N")},
        {QStringLiteral("noise"), QStringLiteral("Put noise bytes between the acknowledgement and each reply frame.")},
        {QStringLiteral("endless-noise"), QStringLiteral("Answer the first request with the acknowledgement, then stream noise for ever.")},
        {QStringLiteral("wrong-address"), QStringLiteral("Answer the N-th reply (from 1), a memory reply, for another address (0x20 further), once."), QStringLiteral("N")},
        {QStringLiteral("short-reply"), QStringLiteral("Send the N-th reply (from 1) with half its data bytes, once."), QStringLiteral("N")},
        {QStringLiteral("late-reply"), QStringLiteral("Hold the N-th reply (from 1) back and send it after the echo of the next request, once."), QStringLiteral("N")},
        {QStringLiteral("wrong-echo"), QStringLiteral("Echo the N-th request (from 1) with its last byte altered, once."), QStringLiteral("N")},
        {QStringLiteral("stuck-byte"), QStringLiteral("A memory byte that keeps its value when written (hexadecimal address; may be repeated)."), QStringLiteral("ADDR")},
        {QStringLiteral("reply-delay"), QStringLiteral("The radio's turnaround before each reply, in ms."), QStringLiteral("MS")},
        {QStringLiteral("unplug-after"), QStringLiteral("Pull the cable (close the terminal and exit) after N replies."), QStringLiteral("N")},
        {QStringLiteral("log"), QStringLiteral("Write the command log to FILE (default: stderr)."), QStringLiteral("FILE")},
        {QStringLiteral("quiet"), QStringLiteral("No command log on stderr.")},
        {QStringLiteral("dump-memory"), QStringLiteral("Write the radio memory (8192 bytes) to FILE on exit."), QStringLiteral("FILE")},
        {QStringLiteral("link"), QStringLiteral("Also make a symbolic link PATH to the terminal."), QStringLiteral("PATH")},
    });
    if (!p.parse(QCoreApplication::arguments()))
        return usage(p.errorText());
    if (p.isSet(QStringLiteral("help")) || p.isSet(QStringLiteral("help-all")))
        return printAndCheck(p.helpText());
    if (p.isSet(QStringLiteral("version")))
        return printAndCheck(QStringLiteral("tavo-radio-sim %1\n").arg(QCoreApplication::applicationVersion()));
    if (!p.positionalArguments().isEmpty())
        return usage(QStringLiteral("unexpected argument %1 (see --help)").arg(p.positionalArguments().first()));

    SimulatedRadio radio;
    QString description = QStringLiteral("an empty radio");
    if (p.isSet(QStringLiteral("image")) && p.isSet(QStringLiteral("memory")))
        return usage(QStringLiteral("--image and --memory exclude each other"));
    QString imagePath = p.value(QStringLiteral("image"));
    if (imagePath.isEmpty() && !p.isSet(QStringLiteral("memory"))) {
        // No radio named: the demonstration radio of the installation.
        for (const QString &candidate : {QCoreApplication::applicationDirPath() + QStringLiteral("/install/samples/demo-OUD11602.img"),
                                         QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tavocps/samples/demo-OUD11602.img")}) {
            if (QFile::exists(candidate)) {
                imagePath = candidate;
                break;
            }
        }
    }
    if (!imagePath.isEmpty()) {
        QFile f(imagePath);
        if (!f.open(QIODevice::ReadOnly))
            return failure(QStringLiteral("cannot open %1: %2").arg(f.fileName(), f.errorString()));
        const QByteArray bytes = f.read(VirtualCP::kSize + 1);
        if (bytes.size() != static_cast<int>(VirtualCP::kSize))
            return failure(QStringLiteral("%1 is not a codeplug image (%2 bytes, an image holds %3)").arg(f.fileName()).arg(bytes.size()).arg(VirtualCP::kSize));
        VirtualCP cp;
        std::memcpy(cp.bytes.data(), bytes.constData(), VirtualCP::kSize);
        radio.LoadImage(cp);
        description = QStringLiteral("%1 serial %2").arg(modelText(cp), QString::fromLatin1(reinterpret_cast<const char *>(cp.SerialBytes()), 10).trimmed());
    } else if (p.isSet(QStringLiteral("memory"))) {
        QFile f(p.value(QStringLiteral("memory")));
        if (!f.open(QIODevice::ReadOnly))
            return failure(QStringLiteral("cannot open %1: %2").arg(f.fileName(), f.errorString()));
        QString error;
        if (!radio.LoadDump(f.readAll(), &error))
            return failure(QStringLiteral("%1: %2").arg(f.fileName(), error));
        description = QStringLiteral("the memory of %1").arg(f.fileName());
    }
    if (p.isSet(QStringLiteral("firmware"))) {
        const QString fw = p.value(QStringLiteral("firmware"));
        if (fw.size() != 3)
            return usage(QStringLiteral("--firmware takes three characters such as R21"));
        radio.SetFirmware(fw.at(0).toLatin1(), fw.at(1).toLatin1(), fw.at(2).toLatin1());
    }

    QString error;
    int baud = 16406, status = 0, badAck = 0, badChecksum = 0, silentAfter = -1, delay = 0, unplugAfter = -1;
    int wrongAddress = 0, shortReply = 0, lateReply = 0, wrongEcho = 0;
    // The memory status is five bits; reply numbers count from 1.
    if (!parseCount(p, QStringLiteral("baud"), baud, error, 0, 4000000) || !parseCount(p, QStringLiteral("memory-status"), status, error, 0, 31)
        || !parseCount(p, QStringLiteral("bad-ack"), badAck, error, 1) || !parseCount(p, QStringLiteral("bad-checksum"), badChecksum, error, 1)
        || !parseCount(p, QStringLiteral("wrong-address"), wrongAddress, error, 1) || !parseCount(p, QStringLiteral("short-reply"), shortReply, error, 1)
        || !parseCount(p, QStringLiteral("silent-after"), silentAfter, error) || !parseCount(p, QStringLiteral("reply-delay"), delay, error, 0, 60000)
        || !parseCount(p, QStringLiteral("unplug-after"), unplugAfter, error) || !parseCount(p, QStringLiteral("late-reply"), lateReply, error, 1)
        || !parseCount(p, QStringLiteral("wrong-echo"), wrongEcho, error, 1))
        return usage(error);
    if (baud > 0 && baud < 300)
        return usage(QStringLiteral("--baud takes 0 (no pacing) or 300 to 4000000, not %1").arg(baud));
    SimulatedRadio::Faults &faults = radio.faults();
    for (const QString &text : p.values(QStringLiteral("stuck-byte"))) {
        uint32_t address = 0;
        if (!parseAddress(text, radio, address, error))
            return usage(error);
        faults.stuckBytes.push_back(address);
    }
    faults.wrongAddressAtReply = wrongAddress;
    faults.shortReplyAtReply = shortReply;
    faults.lateReplyAtReply = lateReply;
    faults.wrongEchoAtRequest = wrongEcho;
    faults.endlessNoise = p.isSet(QStringLiteral("endless-noise"));
    faults.memoryStatus = static_cast<uint8_t>(status);
    faults.refuseWrites = p.isSet(QStringLiteral("refuse-write"));
    faults.badAckAtReply = badAck;
    faults.badChecksumAtReply = badChecksum;
    faults.silent = p.isSet(QStringLiteral("silent"));
    faults.silentAfterReplies = silentAfter;
    faults.noise = p.isSet(QStringLiteral("noise"));
    faults.replyDelayMs = delay;

    FILE *logFile = nullptr;
    if (p.isSet(QStringLiteral("log"))) {
        logFile = std::fopen(p.value(QStringLiteral("log")).toLocal8Bit().constData(), "w");
        if (!logFile)
            return failure(QStringLiteral("cannot write %1: %2").arg(p.value(QStringLiteral("log")), QString::fromLocal8Bit(std::strerror(errno))));
    } else if (!p.isSet(QStringLiteral("quiet"))) {
        logFile = stderr;
    }
    if (logFile) {
        radio.onLog = [logFile](const QString &line) {
            std::fprintf(logFile, "%s\n", line.toLocal8Bit().constData());
            std::fflush(logFile);
        };
    }

    sim::PtyRadio line(radio);
    line.baud = static_cast<uint32_t>(baud);
    line.unplugAfterReplies = unplugAfter;
    if (!line.Open(error))
        return failure(error);

    if (pipe2(g_stopPipe, O_CLOEXEC) != 0)
        return failure(QStringLiteral("cannot create a pipe"));
    struct sigaction sa{};
    sa.sa_handler = onSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    QString linkPath;
    if (p.isSet(QStringLiteral("link"))) {
        // Only an absent path or an old symbolic link is replaced: a file
        // or anything else at the path is never deleted.
        const QByteArray link = p.value(QStringLiteral("link")).toLocal8Bit();
        struct stat st{};
        if (link.isEmpty())
            return usage(QStringLiteral("--link needs a path"));
        if (::lstat(link.constData(), &st) == 0) {
            if (!S_ISLNK(st.st_mode))
                return failure(QStringLiteral("refusing to replace %1 by the link: it exists and is not a symbolic link").arg(QString::fromLocal8Bit(link)));
            if (::unlink(link.constData()) != 0)
                return failure(QStringLiteral("cannot replace the link %1: %2").arg(QString::fromLocal8Bit(link), QString::fromLocal8Bit(std::strerror(errno))));
        }
        if (::symlink(line.SlavePath().toLocal8Bit().constData(), link.constData()) != 0)
            return failure(QStringLiteral("cannot make the link %1: %2").arg(QString::fromLocal8Bit(link), QString::fromLocal8Bit(std::strerror(errno))));
        linkPath = QString::fromLocal8Bit(link);
    }

    std::printf("%s\n", line.SlavePath().toLocal8Bit().constData());
    std::fflush(stdout);
    std::fprintf(stderr, "tavo-radio-sim: %s on %s, %s. Try: tavocps-cli identify --port %s  (Ctrl-C ends)\n",
                 description.toLocal8Bit().constData(), line.SlavePath().toLocal8Bit().constData(),
                 baud ? QStringLiteral("%1 baud").arg(baud).toLocal8Bit().constData() : "no pacing",
                 line.SlavePath().toLocal8Bit().constData());
    std::fflush(stderr);

    const bool unplugged = line.Run(g_stopPipe[0]);
    if (unplugged && logFile)
        std::fprintf(logFile, "UNPLUGGED after %d replies\n", radio.RepliesSent());

    int rc = 0;
    if (p.isSet(QStringLiteral("dump-memory"))) {
        QString error;
        if (!WriteFileAtomically(p.value(QStringLiteral("dump-memory")), radio.Dump(), error)) {
            std::fprintf(stderr, "tavo-radio-sim: %s\n", error.toLocal8Bit().constData());
            rc = 1;
        }
    }
    if (!linkPath.isEmpty()) {
        // Removed only while it is still our link.
        char target[256] = {};
        const QByteArray link = linkPath.toLocal8Bit();
        const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
        if (n > 0 && QString::fromLocal8Bit(target, static_cast<int>(n)) == line.SlavePath())
            ::unlink(link.constData());
    }
    if (logFile) {
        std::fprintf(logFile, "END %d requests, %d replies, %ld bytes in, %ld bytes out\n", radio.RequestsSeen(), radio.RepliesSent(), line.BytesIn(), line.BytesOut());
        if (logFile != stderr)
            std::fclose(logFile);
    }
    return rc;
}
