// Programming several radios: three tavo-radio-sim radios at the cable's
// line rate (16406 baud), one after another on one port path (each
// simulator links the same path), written by the fleet run with its
// waiting, backup, write, verify and log. For each radio the time from its
// link appearing to its row being done is compared with the time its bytes
// need on the wire plus the radio's mandated wait (the reset's 2000 ms);
// what remains is the program's, the waiting loop included. Target: at
// most 0.5 s per radio.
//
//     build/bin/bench_fleet [--radios N]

#include "bench/BenchSample.h"
#include "profile/CDataAdaptor.h"
#include "profile/CRadioDataModel.h"
#include "radio/CRadioOperation.h"
#include "radio/CUsbCable.h"
#include "workflow/CRadioCommands.h"
#include "workflow/FleetProgramming.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

using namespace tavo;

namespace {

constexpr double kBaud = 16406.0;
constexpr double kBitsPerByte = 10.0; // start, 8 data, stop
constexpr double kTargetOverheadMs = 500.0;
constexpr int kRadioTimeoutMs = 120000;
using Clock = std::chrono::steady_clock;

struct Done {
    Clock::time_point at;
    uint64_t bytes;
    bool ok;
};

class BenchHost : public IFleetHost {
public:
    bool AskPassword(const QString &, QString &) override { return false; }
    void RadioFinished(const FleetRadioResult &row, const FleetSummary &) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done.push_back({Clock::now(), CUsbCable::TotalBytesRead(), row.Ok()});
        if (!row.Ok())
            std::fprintf(stderr, "bench_fleet: radio %d failed: %s\n", row.number, row.message.toLocal8Bit().constData());
    }
    size_t Count()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_done.size();
    }
    Done At(size_t i)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_done.at(i);
    }

private:
    std::mutex m_mutex;
    std::vector<Done> m_done;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int radios = 3;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--radios") == 0)
            radios = std::max(1, std::atoi(argv[++i]));
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());

    VirtualCP sample;
    CRadioDataModel profile;
    if (!bench::LoadSampleProfile(profile, sample, "bench_fleet"))
        return 1;

    const QString link = dir.filePath(QStringLiteral("radio-port"));
    FleetOptions options;
    options.logPath = dir.filePath(QStringLiteral("fleet.csv"));
    options.cable.portPath = link;
    BenchHost host;
    std::atomic<bool> stop{false};
    CFleetRun run(profile, host, options, stop);
    QString error;
    if (!run.OpenLog(error)) {
        std::fprintf(stderr, "bench_fleet: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    std::thread worker([&] {
        if (!run.Run(error))
            std::fprintf(stderr, "bench_fleet: %s\n", error.toLocal8Bit().constData());
    });

    std::printf("Programming %d radios at %.0f baud, swapped on one port path (poll every %d ms)\n", radios, kBaud, kFleetPollMs);
    std::vector<double> overheads;
    for (int n = 0; n < radios; ++n) {
        VirtualCP cp = sample;
        const QByteArray serial = QStringLiteral("BEN%1").arg(n + 1, 7, 10, QLatin1Char('0')).toLatin1();
        std::memcpy(cp.SerialBytes(), serial.constData(), VirtualCP::kSerialWidth);
        const QString image = dir.filePath(QStringLiteral("radio%1.img").arg(n));
        QFile f(image);
        if (!f.open(QIODevice::WriteOnly) || f.write(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize) != VirtualCP::kSize)
            return 1;
        f.close();
        CUsbCable::ResetByteCounters();
        QProcess sim;
        sim.setProgram(QStringLiteral(TAVO_BIN_DIR "/tavo-radio-sim"));
        sim.setArguments({QStringLiteral("--image"), image, QStringLiteral("--baud"), QString::number(static_cast<int>(kBaud)), QStringLiteral("--link"), link,
                          QStringLiteral("--quiet")});
        sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sim.start();
        if (!sim.waitForStarted(10000) || !sim.waitForReadyRead(10000))
            return 1;
        while (!QFileInfo::exists(link))
            QThread::msleep(1);
        const Clock::time_point appeared = Clock::now();
        const Clock::time_point limit = appeared + std::chrono::milliseconds(kRadioTimeoutMs);
        while (host.Count() < static_cast<size_t>(n + 1) && Clock::now() < limit)
            QThread::msleep(5);
        if (host.Count() < static_cast<size_t>(n + 1)) {
            std::fprintf(stderr, "bench_fleet: radio %d was not done\n", n + 1);
            return 1;
        }
        const Done done = host.At(static_cast<size_t>(n));
        const double elapsedMs = std::chrono::duration<double, std::milli>(done.at - appeared).count();
        const double wireMs = 1000.0 * kBitsPerByte * static_cast<double>(done.bytes) / kBaud;
        const double mandatedMs = CRadioOperation::kResetWaitMs;
        const double overheadMs = elapsedMs - wireMs - mandatedMs;
        overheads.push_back(overheadMs);
        std::printf("radio %d %s: elapsed %8.1f ms  wire %7.1f ms (%5llu bytes)  mandated %6.0f ms  overhead %+7.1f ms\n", n + 1, serial.constData(), elapsedMs,
                    wireMs, static_cast<unsigned long long>(done.bytes), mandatedMs, overheadMs);
        sim.terminate();
        sim.waitForFinished(10000);
        if (!done.ok)
            return 1;
    }
    stop = true;
    worker.join();
    const double worst = *std::max_element(overheads.begin(), overheads.end());
    double sum = 0;
    for (double o : overheads)
        sum += o;
    std::printf("overhead per radio beyond the wire and the mandated waits: mean %.3f s, worst %.3f s (target at most %.1f s): %s\n",
                sum / static_cast<double>(overheads.size()) / 1000.0, worst / 1000.0, kTargetOverheadMs / 1000.0, worst <= kTargetOverheadMs ? "met" : "NOT met");
    return 0;
}
