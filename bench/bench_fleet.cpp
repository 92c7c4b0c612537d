// The programming station against tavo-radio-sim radios at the cable's
// line rate (16406 baud): first one port, then eight ports at once, each
// port taking its radios one after another (each simulator links its
// port's path, the next one started as soon as the radio before is done).
// Reported for both, on the same run:
//   - radios per hour: the radios over the time from the first radio's
//     link appearing to the last one done (the swaps included);
//   - the program's CPU time per radio (this process alone: user + system);
//   - for each radio, the time from its link appearing to its row being
//     done beyond what the wire needs for its bytes plus the radio's
//     mandated wait (the reset's 2000 ms): the program's overhead, the
//     waiting loop included. The bytes of a radio are counted on the
//     single port (the ports share one counter); every radio moves the same.
// Targets: eight ports reach at least 0.9 x eight times one port's radios
// per hour; no radio's overhead exceeds 0.5 s.
//
//     build/bin/bench_fleet [--radios N] [--ports P]

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
#include <memory>
#include <mutex>
#include <sys/resource.h>
#include <vector>

using namespace tavo;

namespace {

constexpr double kBaud = 16406.0;
constexpr double kBitsPerByte = 10.0; // start, 8 data, stop
constexpr double kTargetOverheadMs = 500.0;
constexpr double kTargetScaling = 0.9;
constexpr int kRadioTimeoutMs = 180000;
using Clock = std::chrono::steady_clock;

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

class BenchHost : public IFleetHost {
public:
    explicit BenchHost(int ports) : m_done(static_cast<size_t>(ports)) {}
    bool AskPassword(int, const QString &, const QString &, QString &) override { return false; }
    void RadioFinished(const FleetRadioResult &row, const FleetSummary &) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done[static_cast<size_t>(row.port)].push_back({Clock::now(), row.Ok()});
        if (!row.Ok())
            std::fprintf(stderr, "bench_fleet: radio %d on %s failed: %s\n", row.number, row.portName.toLocal8Bit().constData(),
                         row.message.toLocal8Bit().constData());
    }
    size_t Count(int port)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_done[static_cast<size_t>(port)].size();
    }
    std::pair<Clock::time_point, bool> At(int port, size_t i)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_done[static_cast<size_t>(port)].at(i);
    }

private:
    std::mutex m_mutex;
    std::vector<std::vector<std::pair<Clock::time_point, bool>>> m_done;
};

struct Figures {
    double radiosPerHour = 0;
    double cpuPerRadioMs = 0;
    double worstOverheadMs = 0;
    double meanOverheadMs = 0;
    bool ok = true;
};

// One phase: `ports` ports, `radios` radios each, started at once.
Figures RunStation(CRadioDataModel &profile, const VirtualCP &sample, QTemporaryDir &dir, int ports, int radios, double &bytesPerRadio)
{
    Figures f;
    FleetOptions options;
    options.logPath = dir.filePath(QStringLiteral("fleet-%1.csv").arg(ports));
    options.profileFile = QStringLiteral("bench.kp2");
    std::vector<QString> links;
    for (int p = 0; p < ports; ++p) {
        links.push_back(dir.filePath(QStringLiteral("port%1-%2").arg(ports).arg(p)));
        CableConfig cable;
        cable.portPath = links.back();
        options.ports.push_back(cable);
    }
    BenchHost host(ports);
    std::atomic<bool> stop{false};
    CFleetRun run(profile, host, options, stop);
    QString error;
    if (!run.OpenLog(error)) {
        std::fprintf(stderr, "bench_fleet: %s\n", error.toLocal8Bit().constData());
        f.ok = false;
        return f;
    }
    std::thread worker([&] {
        if (!run.Run(error))
            std::fprintf(stderr, "bench_fleet: %s\n", error.toLocal8Bit().constData());
    });

    struct PortState {
        std::unique_ptr<QProcess> sim;
        int next = 0;                  // the radio to plug in next
        Clock::time_point appeared;
    };
    std::vector<PortState> state(static_cast<size_t>(ports));
    std::vector<double> overheads;
    auto plug = [&](int p) {
        PortState &s = state[static_cast<size_t>(p)];
        VirtualCP cp = sample;
        const QByteArray serial = QStringLiteral("B%1P%2R%3").arg(ports).arg(p, 2, 10, QLatin1Char('0')).arg(s.next, 4, 10, QLatin1Char('0')).toLatin1();
        std::memcpy(cp.SerialBytes(), serial.constData(), VirtualCP::kSerialWidth);
        const QString image = dir.filePath(QStringLiteral("radio-%1.img").arg(QLatin1String(serial)));
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize) != VirtualCP::kSize)
            return false;
        file.close();
        s.sim = std::make_unique<QProcess>();
        s.sim->setProgram(QStringLiteral(TAVO_BIN_DIR "/tavo-radio-sim"));
        s.sim->setArguments({QStringLiteral("--image"), image, QStringLiteral("--baud"), QString::number(static_cast<int>(kBaud)), QStringLiteral("--link"),
                             links[static_cast<size_t>(p)], QStringLiteral("--quiet")});
        s.sim->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        s.sim->start();
        if (!s.sim->waitForStarted(10000) || !s.sim->waitForReadyRead(10000))
            return false;
        while (!QFileInfo::exists(links[static_cast<size_t>(p)]))
            QThread::msleep(1);
        s.appeared = Clock::now();
        ++s.next;
        return true;
    };

    CUsbCable::ResetByteCounters();
    const double cpuBefore = CpuSeconds();
    Clock::time_point first = Clock::now();
    for (int p = 0; p < ports; ++p)
        if (!plug(p))
            f.ok = false;
    Clock::time_point last = first;
    const Clock::time_point limit = Clock::now() + std::chrono::milliseconds(kRadioTimeoutMs * radios);
    int finished = 0;
    while (f.ok && finished < ports * radios && Clock::now() < limit) {
        for (int p = 0; p < ports; ++p) {
            PortState &s = state[static_cast<size_t>(p)];
            if (!s.sim || host.Count(p) < static_cast<size_t>(s.next))
                continue;
            const auto done = host.At(p, static_cast<size_t>(s.next - 1));
            ++finished;
            last = std::max(last, done.first);
            if (ports == 1 && finished == 1)
                bytesPerRadio = static_cast<double>(CUsbCable::TotalBytesRead());
            const double elapsedMs = std::chrono::duration<double, std::milli>(done.first - s.appeared).count();
            const double wireMs = 1000.0 * kBitsPerByte * bytesPerRadio / kBaud;
            overheads.push_back(elapsedMs - wireMs - CRadioOperation::kResetWaitMs);
            f.ok = f.ok && done.second;
            s.sim->terminate();
            s.sim->waitForFinished(10000);
            s.sim.reset();
            if (s.next < radios && !plug(p))
                f.ok = false;
        }
        QThread::msleep(2);
    }
    const double cpu = CpuSeconds() - cpuBefore;
    stop = true;
    worker.join();
    for (PortState &s : state)
        if (s.sim) {
            s.sim->terminate();
            s.sim->waitForFinished(10000);
        }
    if (finished < ports * radios) {
        std::fprintf(stderr, "bench_fleet: %d of %d radios done on %d ports\n", finished, ports * radios, ports);
        f.ok = false;
        return f;
    }
    const double spanMs = std::chrono::duration<double, std::milli>(last - first).count();
    f.radiosPerHour = finished * 3600.0 * 1000.0 / spanMs;
    f.cpuPerRadioMs = 1000.0 * cpu / finished;
    f.worstOverheadMs = *std::max_element(overheads.begin(), overheads.end());
    double sum = 0;
    for (double o : overheads)
        sum += o;
    f.meanOverheadMs = sum / static_cast<double>(overheads.size());
    std::printf("%d port%s, %d radios each: %d radios in %.1f s = %.0f radios per hour; CPU %.0f ms per radio; overhead per radio mean %+.3f s, worst %+.3f s\n",
                ports, ports == 1 ? "" : "s", radios, finished, spanMs / 1000.0, f.radiosPerHour, f.cpuPerRadioMs, f.meanOverheadMs / 1000.0,
                f.worstOverheadMs / 1000.0);
    std::fflush(stdout);
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int radios = 5;
    int ports = 8;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--radios") == 0)
            radios = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--ports") == 0)
            ports = std::max(2, std::atoi(argv[++i]));
    }
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());

    VirtualCP sample;
    CRadioDataModel profile;
    if (!bench::LoadSampleProfile(profile, sample, "bench_fleet"))
        return 1;
    if (!EnsureSettingDocuments())
        return 1;

    std::printf("Programming station at %.0f baud, %d radios per port, poll every %d ms\n", kBaud, radios, kFleetPollMs);
    double bytesPerRadio = 0;
    const Figures one = RunStation(profile, sample, dir, 1, radios, bytesPerRadio);
    if (!one.ok)
        return 1;
    std::printf("wire per radio: %.0f bytes = %.1f ms; mandated wait %d ms\n", bytesPerRadio, 1000.0 * kBitsPerByte * bytesPerRadio / kBaud,
                CRadioOperation::kResetWaitMs);
    const Figures many = RunStation(profile, sample, dir, ports, radios, bytesPerRadio);
    if (!many.ok)
        return 1;
    const double scaling = many.radiosPerHour / (ports * one.radiosPerHour);
    const double worst = std::max(one.worstOverheadMs, many.worstOverheadMs);
    std::printf("%d ports against one: %.0f against %.0f radios per hour = %.2f x %d times one port (target at least %.1f): %s\n", ports, many.radiosPerHour,
                one.radiosPerHour, scaling, ports, kTargetScaling, scaling >= kTargetScaling ? "met" : "NOT met");
    std::printf("overhead per radio beyond the wire and the mandated wait: worst %.3f s (target at most %.1f s): %s\n", worst / 1000.0,
                kTargetOverheadMs / 1000.0, worst <= kTargetOverheadMs ? "met" : "NOT met");
    return 0;
}
