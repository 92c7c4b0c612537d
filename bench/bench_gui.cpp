// The GUI's two figures: start-up from process start to the main window
// shown (the splash wait left out), and opening a full profile (19
// channels, 99 frequencies) into a profile window with its tree and first
// page. A timing harness, not a test: it prints the figures.

#include "bench/BenchSupport.h"
#include "bench/BenchWindow.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTavoCPSApp.h"
#include "workflow/CTavoCPSDoc.h"
#include "base/TemplateFile.h"
#include "config/Registry.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tavo;
using namespace tavo::bench;

namespace {

// Process start to the first paint of the main window, in milliseconds.
double StartupOnce(const QString &userSettings)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), userSettings);
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral(TAVO_BIN_DIR "/tavocps"), {QStringLiteral("--no-splash"), QStringLiteral("--exit-when-shown")});
    while (p.waitForReadyRead(10000))
        if (p.readAll().contains("shown"))
            break;
    const double ms = t.nsecsElapsed() / 1e6;
    p.waitForFinished(10000);
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    DefaultToOffscreen();
    QApplication qtApp(argc, argv);
    const HarnessSetUp setUp;

    std::vector<double> startup;
    StartupOnce(setUp.Dir()); // warm the file cache
    for (int i = 0; i < 7; ++i)
        startup.push_back(StartupOnce(setUp.Dir()));

    const QString path = setUp.WriteFile(QStringLiteral("full.kp2"), EncodeScrambledUtf16(FullProfile()));
    std::vector<double> open;
    {
        CTavoCPSApp app;
        if (!StartWithoutSplash(app))
            return 1;
        QApplication::processEvents();
        for (int i = 0; i < 11; ++i) {
            QElapsedTimer t;
            t.start();
            CChildFrame *child = app.MainFrame()->OpenDocumentFile(path);
            QApplication::processEvents();
            open.push_back(t.nsecsElapsed() / 1e6);
            if (!child)
                return 1;
            child->Document()->SetModifiedFlag(false);
            app.MainFrame()->MdiArea()->closeAllSubWindows();
            QApplication::processEvents();
        }
    }
    std::printf("start-up to main window shown (splash excluded): %.1f ms median of %zu (limit 500 ms)\n",
                Median(startup), startup.size());
    std::printf("open a full profile (19 channels, 99 frequencies) into a window: %.1f ms median of %zu (limit 100 ms)\n",
                Median(open), open.size());
    return 0;
}
