// One instance's cable watch for the two-process tests: the shared map
// named on the command line, a cable count of 1, a short period. Prints
// "poller=<0|1> usable=<0|1> count=<n>" once a period; with --busy it runs
// a radio operation that never ends.

#include "workflow/CableWatch.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <thread>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString key = QString::fromLocal8Bit(argv[1]);
    const bool busy = argc > 2 && QByteArray(argv[2]) == "--busy";
    tavo::CableWatch *watch = nullptr;
    tavo::CableWatch w(
        key, [] { return 1; },
        [&watch](bool usable, int count) {
            std::printf("poller=%d usable=%d count=%d\n", watch && watch->PollerRunsHere() ? 1 : 0, usable ? 1 : 0, count);
            std::fflush(stdout);
        },
        200);
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
