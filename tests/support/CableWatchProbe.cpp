// One instance's cable watch for the two-process tests: the shared map
// named on the command line and a short period. Prints
// "poller=<0|1> usable=<0|1> count=<n>" once a period, and once
// "problem=<text>" when the map is not shared.
//   --busy        runs a radio operation that never ends
//   --cables N    the USB cable search finds N cables (default 1)
//   --port PATH   the instance has its own port: one cable when PATH exists

#include "workflow/CableWatch.h"

#include <QCoreApplication>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString key = QString::fromLocal8Bit(argv[1]);
    bool busy = false;
    int cables = 1;
    QByteArray port;
    for (int i = 2; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--busy")
            busy = true;
        else if (a == "--cables" && i + 1 < argc)
            cables = QByteArray(argv[++i]).toInt();
        else if (a == "--port" && i + 1 < argc)
            port = argv[++i];
    }
    tavo::CableWatch *watch = nullptr;
    tavo::CableWatch w(
        key, [cables] { return cables; },
        [&watch](bool usable, int count) {
            static bool problemSaid = false;
            if (watch && !problemSaid && !watch->MapProblem().isEmpty()) {
                problemSaid = true;
                std::printf("problem=%s\n", watch->MapProblem().toUtf8().constData());
            }
            std::printf("poller=%d usable=%d count=%d\n", watch && watch->PollerRunsHere() ? 1 : 0, usable ? 1 : 0, count);
            std::fflush(stdout);
        },
        200,
        [port]() -> std::optional<int> {
            if (port.isEmpty())
                return std::nullopt;
            return ::access(port.constData(), F_OK) == 0 ? 1 : 0;
        });
    watch = &w;
    w.Start();
    if (busy) {
        // Busy once polling runs, so the map holds our claim.
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        w.BeginOperation();
        std::printf("busy\n");
        std::fflush(stdout);
    }
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}
