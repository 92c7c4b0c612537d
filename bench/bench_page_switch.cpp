// Switching the profile window to the audio settings, buttons, scan list
// and customised tone pages with a full profile open (19 channels, 99
// frequencies), for a display and a non-display model. A timing harness,
// not a test: it prints the median of each page.

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
#include <QMdiArea>
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

    struct Profile {
        const char *model;
        quint32 firstHz, stepHz;
        std::vector<int> pages;
    };
    const Profile profiles[] = {
        {"OUD11602", 446000000, 2000, {PageAudioSettings, PageButtons, PageScanList, PageCustomizedCT}},
        {"SUR41622", 461012500, 25000, {PageAudioSettings, PageButtons, PageScanList}},
    };
    const char *names[PageCount] = {"", "", "audio settings", "buttons", "", "", "", "scan list", "customised tones"};

    CTavoCPSApp app;
    if (!StartWithoutSplash(app))
        return 1;
    app.MainFrame()->resize(1100, 760);
    app.MainFrame()->show();
    QApplication::processEvents();
    constexpr int kRuns = 21;
    std::vector<QString> lines;
    for (const Profile &p : profiles) {
        const QString path = setUp.WriteFile(QLatin1String(p.model) + QStringLiteral("-full.kp2"),
                                             EncodeScrambledUtf16(FullProfile(QLatin1String(p.model), {p.firstHz, p.stepHz, 1, true})));
        CChildFrame *child = app.MainFrame()->OpenDocumentFile(path);
        if (!child)
            return 1;
        child->showMaximized();
        QApplication::processEvents();
        for (int page : p.pages) {
            std::vector<double> times;
            for (int i = 0; i < kRuns; ++i) {
                child->SwitchPage(0); // from the first page each time
                QApplication::processEvents();
                QElapsedTimer t;
                t.start();
                child->SwitchPage(page);
                QApplication::processEvents(); // laid out and painted
                times.push_back(t.nsecsElapsed() / 1e6);
            }
            lines.push_back(QString::asprintf("%s (%s, full profile): switch to %s page: %.1f ms median of %d, worst %.1f ms (limit 50 ms)",
                                              p.model, p.model[2] == 'D' ? "display" : "no display", names[page], Median(times), kRuns,
                                              *std::max_element(times.begin(), times.end())));
        }
        child->Document()->SetModifiedFlag(false);
        app.MainFrame()->MdiArea()->closeAllSubWindows();
        QApplication::processEvents();
    }
    for (const QString &line : lines)
        std::printf("%s\n", qPrintable(line));
    return 0;
}
