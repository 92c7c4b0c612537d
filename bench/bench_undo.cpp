// Undo and Redo of one change on a full profile (19 channels, 99
// frequencies) with the profile window open: the profile reloaded, the
// tree and the page rebuilt where the change was made. And one edit with
// its Undo step recorded against the same edit without, twice: through the
// document alone, and as the user makes it on the channel page, timed
// until the program waits again (so the profile text its next step starts
// from, taken then, is counted). The program waits between edits, as it
// does between a user's keystrokes. A timing harness that prints medians.

#include "bench/BenchSupport.h"
#include "bench/BenchWindow.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTavoCPSApp.h"
#include "workflow/CTavoCPSDoc.h"
#include "views/CBaseView.h"
#include "views/LayoutTables.h"
#include "base/ProfileNames.h"
#include "base/TemplateFile.h"
#include "config/Registry.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QComboBox>
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

constexpr int kReceiveCodeList = 1019; // the channel page's receive code

// The program waits for the user once: what is queued is handled, the
// event loop is about to block (the document, heard first, takes the text
// its next Undo step starts from then), and the wait ends at once.
void Idle()
{
    QEventLoop loop;
    const QMetaObject::Connection waiting =
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(waiting);
}

// One accepted edit of a channel's receive code, alternating its value.
double TimedEdit(CTavoCPSDoc &doc, int round)
{
    CDataItem channels = doc.Root().ChildByName(names::kChannels);
    CDataItem channel;
    channels.GetChildByIndex(round % 19, channel);
    Idle();
    QElapsedTimer t;
    t.start();
    const RuleResult r = doc.SetAttribute(channel, names::kRxCode, 1 + round % 2);
    const double ms = t.nsecsElapsed() / 1e6;
    return r.code == RuleResult::Done ? ms : -1;
}

// The same choice as the user makes it: a receive code picked in the
// channel page's list, until the program waits again.
double TimedChoice(QComboBox *list, int round)
{
    Idle();
    const int position = 1 + round % 7;
    QElapsedTimer t;
    t.start();
    list->setCurrentIndex(position);
    emit list->activated(position);
    Idle();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    DefaultToOffscreen();
    QApplication qtApp(argc, argv);
    const HarnessSetUp setUp;
    const QString path = setUp.WriteFile(QStringLiteral("full.kp2"), ProfileFileBytes(FullProfile()));
    std::vector<double> undo, redo, reload, recorded, plain, chosenRecorded, chosenPlain, wholeText;
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
        // The edit alone, with its step recorded and without, in turn.
        for (int round = 0; round < 60; ++round) {
            doc->SetUndoEnabled(round % 2 == 0);
            const double ms = TimedEdit(*doc, round);
            if (ms < 0)
                return 1;
            (round % 2 == 0 ? recorded : plain).push_back(ms);
        }
        // The user's choice in the page, with its step recorded and without.
        auto *code = qobject_cast<QComboBox *>(child->Page()->Control(kReceiveCodeList));
        if (!code)
            return 1;
        for (int round = 0; round < 60; ++round) {
            doc->SetUndoEnabled(round % 2 == 0);
            (round % 2 == 0 ? chosenRecorded : chosenPlain).push_back(TimedChoice(code, round));
        }
        doc->SetUndoEnabled(true);
        // What taking the profile text costs (the library's serializer over
        // the whole tree), which the program does once it waits after an edit.
        for (int round = 0; round < 30; ++round) {
            if (TimedEdit(*doc, round) < 0)
                return 1;
            QElapsedTimer t;
            t.start();
            const QByteArray text = doc->Model().GetXmlBytes();
            wholeText.push_back(t.nsecsElapsed() / 1e6);
            if (text.isEmpty())
                return 1;
        }
        doc->SetModifiedFlag(false);
    }
    std::printf("undo of one change, full profile, page and tree shown: %.1f ms median of %zu (limit 16 ms, one frame)\n",
                Median(undo), undo.size());
    std::printf("redo of one change, full profile, page and tree shown: %.1f ms median of %zu (limit 16 ms, one frame)\n",
                Median(redo), redo.size());
    std::printf("of which the profile reloaded alone (rules restarted, schema check): %.1f ms median of %zu\n", Median(reload),
                reload.size());
    const double with = Median(recorded), without = Median(plain);
    std::printf("one edit through the document with its undo step recorded: %.3f ms, without: %.3f ms median of %zu\n", with,
                without, plain.size());
    const double chosenWith = Median(chosenRecorded), chosenWithout = Median(chosenPlain);
    std::printf("one edit as the user makes it, until the program waits again: %.3f ms with its undo step, %.3f ms without, "
                "median of %zu (limit 1 ms)\n",
                chosenWith, chosenWithout, chosenPlain.size());
    std::printf("the profile text taken for the next undo step (the whole tree serialised): %.3f ms median of %zu\n",
                Median(wholeText), wholeText.size());
    return 0;
}
