// The main frame's profile windows: what each sub-window takes from the
// frame when it is added, the Window menu's list of open profiles, the
// main title that names the active profile, the status bar's passing notes
// and the offer of a factory reset after a radio asked for one.

#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CommandIds.h"
#include "views/CFileDialogs.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

#include <memory>

namespace tavo {

namespace {

// How long a passing note stays in the status bar.
constexpr int kStatusNoteMs = 4000;
// Waiting for the failed operation to end before Factory Reset runs.
constexpr int kFactoryResetPollMs = 100;
constexpr int kFactoryResetWaitMs = 15000;

} // namespace

void CMainFrame::PrepareSubWindow(QMdiSubWindow *sub)
{
    // Ctrl+W is Write: the sub-window's own Close keeps Ctrl+F4 only.
    const QKeySequence write(Qt::CTRL | Qt::Key_W);
    const QKeySequence close(Qt::CTRL | Qt::Key_F4);
    if (QMenu *menu = sub->systemMenu())
        for (QAction *a : menu->actions())
            if (a->shortcuts().contains(write))
                a->setShortcuts({close});
    for (QAction *a : sub->actions())
        if (a->shortcuts().contains(write))
            a->setShortcuts({close});
    connect(sub, &QMdiSubWindow::windowStateChanged, this, [this] { UpdateMainTitle(); });
    connect(sub, &QWidget::windowTitleChanged, this, [this] { UpdateMainTitle(); });
}

bool CMainFrame::ActivateSubWindow(QMdiSubWindow *sub)
{
    QMdiSubWindow *active = m_pMdi->activeSubWindow();
    if (!sub || sub == active)
        return true;
    // Committed before anything moves, so that a refusal's message shows
    // over the window that holds the refused value, arranged as it was.
    if (auto *child = active ? qobject_cast<CChildFrame *>(active->widget()) : nullptr)
        if (!child->CommitChanges())
            return false;
    m_pMdi->setActiveSubWindow(sub);
    return true;
}

bool CMainFrame::AcceptActivation(QMdiSubWindow *sub)
{
    if (!sub || m_bDestroying)
        return true; // the frame itself lost the focus: nothing was left
    QPointer<QMdiSubWindow> previous = m_pLastActive;
    if (m_bRevertingSwitch || !previous || previous == sub || !m_pMdi->subWindowList().contains(previous)) {
        m_pLastActive = sub;
        return true;
    }
    auto *child = qobject_cast<CChildFrame *>(previous->widget());
    if (!child || child->CommitChanges()) {
        m_pLastActive = sub;
        return true;
    }
    // Refused: the window with the refused value comes back, maximised
    // when the others are.
    if (!previous)
        return true;
    const bool maximised = sub->isMaximized();
    m_bRevertingSwitch = true;
    m_pMdi->setActiveSubWindow(previous);
    if (maximised && !previous->isMaximized())
        previous->showMaximized();
    m_bRevertingSwitch = false;
    m_pLastActive = previous;
    return false;
}

void CMainFrame::FillWindowMenu(QMenu *menu)
{
    // The fixed entries stay; the list of open profiles follows them.
    for (QAction *a : menu->actions())
        if (a->property("profileWindow").toBool())
            delete a;
    qDeleteAll(menu->findChildren<QActionGroup *>(QString(), Qt::FindDirectChildrenOnly));
    const QList<QMdiSubWindow *> windows = m_pMdi->subWindowList();
    if (windows.isEmpty())
        return;
    QAction *separator = menu->addSeparator();
    separator->setProperty("profileWindow", true);
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *sub = windows.at(i);
        QString title = sub->windowTitle();
        title.remove(QStringLiteral("[*]"));
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        auto *a = menu->addAction(QStringLiteral("%1 %2").arg(number, title.replace(QLatin1Char('&'), QStringLiteral("&&"))));
        a->setProperty("profileWindow", true);
        a->setCheckable(true);
        a->setChecked(sub == m_pMdi->activeSubWindow());
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, sub] { ActivateSubWindow(sub); });
    }
}

void CMainFrame::UpdateMainTitle()
{
    if (m_bDestroying || m_bTitlePending)
        return;
    // Once the MDI area has done its own: a maximised sub-window appends
    // its title to whatever the frame's title was when it was maximised
    // (which may already name a profile), so the frame always sets its
    // whole title itself, last.
    m_bTitlePending = true;
    QTimer::singleShot(0, this, [this] {
        m_bTitlePending = false;
        if (m_bDestroying)
            return;
        const QString product = QLatin1String(kProductTitle);
        CChildFrame *child = ActiveChild();
        if (!child) {
            setWindowModified(false);
            setWindowTitle(product);
            return;
        }
        QString name = child->Document()->GetTitle();
        name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")); // a "[*]" of the name stays text
        setWindowTitle(QStringLiteral("%1 - [%2[*]]").arg(product, name));
        setWindowModified(child->Document()->IsModified());
    });
}

void CMainFrame::ShowStatusNote(int textId)
{
    statusBar()->showMessage(LoadString(textId), kStatusNoteMs);
}

void CMainFrame::OfferFactoryReset()
{
    if (ShowMessage(msg::FactoryResetOffer, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The operation that met the radio's status ends first; the cable
    // watch then gives the commands back.
    auto *timer = new QTimer(this);
    timer->setInterval(kFactoryResetPollMs);
    auto waited = std::make_shared<int>(0);
    connect(timer, &QTimer::timeout, this, [this, timer, waited] {
        if (!m_bDestroying && !RadioBusy() && ReadFlag()) {
            timer->stop();
            timer->deleteLater();
            OnRadioFactoryReset();
            return;
        }
        *waited += kFactoryResetPollMs;
        if (m_bDestroying || *waited >= kFactoryResetWaitMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

} // namespace tavo
