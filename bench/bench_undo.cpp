// Undo and Redo of one change on a full profile (19 channels, 99
// frequencies) with the profile window open: the profile reloaded, the
// tree and the page rebuilt where the change was made. And one edit
// through the document with its Undo step recorded against the same edit
// without (the program idles between edits, as it does between a user's
// keystrokes). A timing harness that prints medians.

#include "bench/BenchSupport.h"
#include "bench/BenchWindow.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTavoCPSApp.h"
#include "workflow/CTavoCPSDoc.h"
#include "views/LayoutTables.h"
#include "base/ProfileNames.h"
#include "base/TemplateFile.h"
#include "config/Registry.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <vector>

using namespace tavo;
using namespace tavo::bench;

namespace {

// The program waits for the user once: what is queued is handled, then
// the event loop would block (the document takes the text its next Undo
// step starts from then).
void Idle()
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
}

// One accepted edit of a channel's receive code, alternating its value.
// `kept`: while idle, a copy of the profile text is kept there, as a
// recorded step keeps one (the memory the history holds, without the
// recording).
double TimedEdit(CTavoCPSDoc &doc, int round, std::vector<QString> *kept = nullptr)
{
    CDataItem channels = doc.Root().ChildByName(names::kChannels);
    CDataItem channel;
    channels.GetChildByIndex(round % 19, channel);
    Idle();
    if (kept)
        kept->push_back(doc.Model().GetXmlText());
    QElapsedTimer t;
    t.start();
    const RuleResult r = doc.SetAttribute(channel, names::kRxCode, 1 + round % 2);
    const double ms = t.nsecsElapsed() / 1e6;
    return r.code == RuleResult::Done ? ms : -1;
}

} // namespace

int main(int argc, char **argv)
{
    DefaultToOffscreen();
    QApplication qtApp(argc, argv);
    const HarnessSetUp setUp;
    const QString path = setUp.WriteFile(QStringLiteral("full.kp2"), ProfileFileBytes(FullProfile()));
    std::vector<double> undo, redo, reload, recorded, plain, plainKept;
    {
        CTavoCPSApp app;
        if (!StartWithoutSplash(app))
            return 1;
        CChildFrame *child = OpenProfileWindow(app, path);
        if (!child)
            return 1;
        child->SwitchPage(PageChannel, 18);
        QApplication::processEvents();
        CTavoCPSDoc *doc = child->Document();
        for (int round = 0; round < 15; ++round) {
            if (TimedEdit(*doc, round) < 0)
                return 1;
            QElapsedTimer t;
            t.start();
            doc->Undo();
            QApplication::processEvents(); // the old page goes, the new one is laid out
            undo.push_back(t.nsecsElapsed() / 1e6);
            t.restart();
            doc->Redo();
            QApplication::processEvents();
            redo.push_back(t.nsecsElapsed() / 1e6);
        }
        // The document's part alone: the profile reloaded, no window told.
        for (int round = 0; round < 15; ++round) {
            if (TimedEdit(*doc, round) < 0)
                return 1;
            const QSignalBlocker quiet(doc);
            QElapsedTimer t;
            t.start();
            doc->Undo();
            reload.push_back(t.nsecsElapsed() / 1e6);
            doc->Redo();
        }
        // The edit alone, with its step recorded, then without, then
        // without but with a text kept per edit. Each waits for the user
        // the same way before it.
        std::vector<QString> kept;
        for (int round = 0; round < 90; ++round) {
            doc->SetUndoEnabled(round < 30);
            const double ms = TimedEdit(*doc, round, round >= 60 ? &kept : nullptr);
            if (ms < 0)
                return 1;
            (round < 30 ? recorded : round < 60 ? plain : plainKept).push_back(ms);
        }
        doc->SetUndoEnabled(true);
        doc->SetModifiedFlag(false);
    }
    std::printf("undo of one change, full profile, page and tree rebuilt: %.1f ms median of %zu (limit 30 ms)\n", Median(undo),
                undo.size());
    std::printf("redo of one change, full profile, page and tree rebuilt: %.1f ms median of %zu (limit 30 ms)\n", Median(redo),
                redo.size());
    std::printf("of which the profile reloaded alone (rules restarted, schema check): %.1f ms median of %zu\n", Median(reload),
                reload.size());
    const double with = Median(recorded), without = Median(plain);
    std::printf("one edit with its undo step recorded: %.3f ms, without: %.3f ms median of %zu (%+.0f %%, limit +10 %%)\n", with,
                without, plain.size(), without > 0 ? (with / without - 1) * 100 : 0.0);
    const double withoutKept = Median(plainKept);
    std::printf("the same edit without its step, a profile text kept per edit: %.3f ms median of %zu (%+.0f %% above without)\n",
                withoutKept, plainKept.size(), without > 0 ? (withoutKept / without - 1) * 100 : 0.0);
    return 0;
}
