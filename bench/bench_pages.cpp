// Switching a profile window to each editing page with a full profile (19
// channels, 99 frequencies) open: the old page destroyed, the new one built,
// set up (LoadRes, LoadData) and shown. A timing harness that prints the
// median of each page; with TAVO_PAGE_SHOTS=DIR it also saves a picture of
// each page as it was measured, to look at.

#include "bench/BenchSupport.h"
#include "bench/BenchWindow.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTavoCPSApp.h"
#include "workflow/CTavoCPSDoc.h"
#include "views/LayoutTables.h"
#include "base/TemplateFile.h"
#include "config/Registry.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tavo;
using namespace tavo::bench;

int main(int argc, char **argv)
{
    DefaultToOffscreen();
    QApplication qtApp(argc, argv);
    const HarnessSetUp setUp;
    const QString path = setUp.WriteFile(QStringLiteral("full.kp2"), ProfileFileBytes(FullProfile()));
    struct Page {
        int index;
        int channel;
        const char *name;
    };
    const Page pages[] = {{PageChannels, 0, "channel list"}, {PageChannel, 18, "channel (19th)"},
                          {PageFrequency, 0, "frequency table (99 rows)"}, {PageSettings, 0, "general settings"}};
    std::vector<double> figures[4];
    {
        CTavoCPSApp app;
        if (!StartWithoutSplash(app))
            return 1;
        CChildFrame *child = OpenProfileWindow(app, path);
        if (!child)
            return 1;
        QApplication::processEvents();
        const QString shots = qEnvironmentVariable("TAVO_PAGE_SHOTS");
        for (int round = 0; round < 15; ++round) {
            for (int p = 0; p < 4; ++p) {
                child->SwitchPage(PageRadioInfo, 0);
                QApplication::processEvents();
                QElapsedTimer t;
                t.start();
                child->SwitchPage(pages[p].index, pages[p].channel);
                QApplication::processEvents(); // the old page goes, the new one is laid out
                figures[p].push_back(t.nsecsElapsed() / 1e6);
                if (round == 0 && !shots.isEmpty())
                    child->grab().save(QStringLiteral("%1/page-%2.png").arg(shots).arg(pages[p].index));
            }
        }
        child->Document()->SetModifiedFlag(false);
    }
    for (int p = 0; p < 4; ++p)
        std::printf("switch to the %s page, full profile: %.1f ms median of %zu (limit 50 ms)\n", pages[p].name, Median(figures[p]),
                    figures[p].size());
    return 0;
}
