#include "app/CChildFrame.h"

#include "app/CTavoCPSTreeView.h"
#include "views/CBaseView.h"
#include "views/CHelpView.h"
#include "workflow/CTavoCPSDoc.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTreeWidgetItemIterator>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>

namespace tavo {

namespace {
constexpr int kTreeWidth = 200;
}

CChildFrame::CChildFrame(CTavoCPSDoc *doc, bool helpPane, QWidget *parent)
    : QWidget(parent), m_pDoc(doc), m_bHelpPane(helpPane)
{
    setObjectName(QStringLiteral("CChildFrame"));
    doc->setParent(this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pOuter = new QSplitter(Qt::Horizontal, this);
    m_pOuter->setChildrenCollapsible(false);
    layout->addWidget(m_pOuter);
    m_pTree = new CTavoCPSTreeView(doc, m_pOuter);
    m_pRight = new QSplitter(Qt::Vertical, m_pOuter);
    m_pRight->setChildrenCollapsible(true);
    m_pHelp = new CHelpView(m_pRight);
    m_pHelp->setVisible(m_bHelpPane);
    m_pOuter->setStretchFactor(0, 0);
    m_pOuter->setStretchFactor(1, 1);
    connect(m_pRight, &QSplitter::splitterMoved, this, [this] {
        if (m_bHelpPane && m_pRight->sizes().size() == 2)
            m_nHelpHeight = m_pRight->sizes().at(1);
    });
    connect(m_pTree, &CTavoCPSTreeView::pageRequested, this, &CChildFrame::SwitchPage);
    connect(m_pTree, &CTavoCPSTreeView::channelAdded, this, [this] {
        // once the page is up, it focuses the new channel's name
        QTimer::singleShot(0, this, [this] {
            if (m_pPage)
                m_pPage->OnRefocusRequest(0, 5);
        });
    });
    connect(m_pHelp, &CHelpView::gotFocus, this, [] {
        CTavoCPSTreeView::s_bAdd = CTavoCPSTreeView::s_bDelete = CTavoCPSTreeView::s_bRename = false;
    });
    m_pTree->SetCommitHandler([this] { return !m_pPage || m_pPage->CommitChanges(); });
    doc->SetCommitHandler([this] { return CommitChanges(); });
    connect(doc, &CTavoCPSDoc::modifiedChanged, this, &CChildFrame::UpdateTitle);
    connect(doc, &CTavoCPSDoc::pathChanged, this, &CChildFrame::UpdateTitle);
    connect(doc, &CTavoCPSDoc::profileReloaded, this, &CChildFrame::ShowReloaded);
    doc->SetLocator([this] { return Location(); });
    // The focus as the last completed move left it: while a field commits
    // on losing the focus, the step it records names that field, not the
    // control the focus is moving to.
    m_pFocus = QApplication::focusWidget();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        m_pFocus = now;
        m_bFocusKnown = false;
    });
    m_pTree->OnInitialUpdate();
    // Wide enough for the longest page name of the interface language.
    m_pOuter->setSizes({qMax(kTreeWidth, m_pTree->PreferredWidth()), 800});
    if (!m_pPage)
        SwitchPage(0, 0);
    UpdateTitle();
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::SwitchPage(int index, int channel)
{
    CBaseView *page = CreatePageView(index);
    if (!page)
        return;
    // The new page takes the old one's place and size, so the help pane
    // below keeps its size (and its text its layout); the old one is out
    // of the splitter at once and destroyed when control returns.
    const int place = m_pPage ? m_pRight->indexOf(m_pPage) : -1;
    if (place >= 0)
        m_pRight->replaceWidget(place, page);
    else
        m_pRight->insertWidget(0, page);
    if (m_pPage) {
        m_pPage->hide();
        m_pPage->setParent(nullptr);
        m_pPage->deleteLater();
    }
    m_nPageIndex = index;
    m_nChannel = channel;
    m_pPage = page;
    m_bFocusKnown = false;
    // The page takes what the frame gains or loses; the pane keeps its height.
    m_pRight->setStretchFactor(0, 1);
    m_pRight->setStretchFactor(1, 0);
    page->SetHelpPane(m_pHelp);
    page->OnInitialUpdate(m_pDoc, channel);
    if (m_bHelpPane)
        page->ShowPageHelp();
    PlaceHelpPane();
    UpdateTitle();
}

void CChildFrame::ShowReloaded(const EditLocation &where)
{
    int index = where.page >= 0 ? where.page : m_nPageIndex;
    int channel = where.page >= 0 ? where.channel : m_nChannel;
    QTreeWidgetItem *item = nullptr;
    {
        // The tree is rebuilt quietly: the page is built once, below, not
        // first the tree's first page and then the change's; the page of
        // the old profile is not asked to commit.
        const QSignalBlocker quiet(m_pTree);
        m_pTree->OnInitialUpdate();
        // A channel the profile no longer has (its deletion redone, a read
        // of a radio with fewer channels): the nearest one that exists, or
        // the channel list when none is left.
        const int channels = m_pTree->ChannelsItem() ? m_pTree->ChannelsItem()->childCount() : 0;
        if (index == PageChannel && channel >= channels) {
            channel = channels - 1;
            if (channel < 0) {
                index = PageChannels;
                channel = 0;
            }
        }
        item = index == PageChannel ? m_pTree->ChannelItem(channel) : nullptr;
        for (QTreeWidgetItemIterator it(m_pTree); !item && *it; ++it)
            if (m_pTree->ItemValue(*it) == TreeItemValue(index, 0))
                item = *it;
        if (item)
            m_pTree->SelectQuietly(item);
    }
    // A page the tree has no item of (the frequency table) is shown all the same.
    SwitchPage(index, channel);
    if (!m_pPage || m_nPageIndex != index)
        SwitchPage(0, 0);
    m_pTree->RefreshCommandFlags();
    if (m_pPage && !where.control.isEmpty())
        if (QWidget *control = m_pPage->findChild<QWidget *>(where.control)) {
            m_pPage->ensureWidgetVisible(control);
            control->setFocus(Qt::OtherFocusReason);
        }
}

EditLocation CChildFrame::Location() const
{
    EditLocation where;
    where.page = m_nPageIndex;
    where.channel = m_nChannel;
    const QWidget *focus = m_pFocus;
    if (!m_bFocusKnown || focus != m_pFocusSeen) {
        m_pFocusSeen = focus;
        m_strFocusControl = m_pPage && focus && m_pPage->isAncestorOf(focus) ? focus->objectName() : QString();
        m_bFocusKnown = true;
    }
    where.control = m_strFocusControl;
    return where;
}

void CChildFrame::SetHelpPane(bool shown)
{
    if (m_bHelpPane == shown)
        return;
    m_bHelpPane = shown;
    m_pHelp->setVisible(shown);
    if (shown && m_pPage)
        m_pPage->ShowPageHelp();
    PlaceHelpPane();
    emit helpPaneToggled(shown);
}

void CChildFrame::PlaceHelpPane()
{
    if (!m_bHelpPane)
        return;
    // The help pane keeps its remembered height; the page takes the rest
    // (less the handle between them, which the splitter takes first).
    const int total = m_pRight->height() - m_pRight->handleWidth();
    if (total <= 0)
        return; // not laid out yet: the first resize places it
    const int help = qMin(m_nHelpHeight, total);
    m_pRight->setSizes({qMax(0, total - help), help});
}

void CChildFrame::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    PlaceHelpPane();
}

bool CChildFrame::CommitChanges()
{
    if (!m_pTree->CommitPendingEdit())
        return false;
    return !m_pPage || m_pPage->CommitChanges();
}

void CChildFrame::UpdateTitle()
{
    setWindowTitle(m_pDoc->GetTitle() + QStringLiteral("[*]"));
    setWindowModified(m_pDoc->IsModified());
    if (parentWidget()) {
        parentWidget()->setWindowTitle(windowTitle());
        parentWidget()->setWindowModified(m_pDoc->IsModified());
    }
}

void CChildFrame::closeEvent(QCloseEvent *event)
{
    if (!m_pDoc->SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace tavo
