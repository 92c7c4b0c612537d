#pragma once
// The window of one open profile: the navigation tree (200 px) on the
// left, the editing page on the right, and the help pane (150 px, height
// remembered) below the page while it is switched on.

#include "views/CBaseView.h"
#include "workflow/CUndoStack.h"

#include <QPointer>
#include <QWidget>

class QSplitter;

namespace tavo {

class CBaseView;
class CHelpView;
class CTavoCPSDoc;
class CTavoCPSTreeView;

class CChildFrame : public QWidget {
    Q_OBJECT
public:
    // Takes ownership of `doc`.
    CChildFrame(CTavoCPSDoc *doc, bool helpPane, QWidget *parent = nullptr);
    ~CChildFrame() override;

    CTavoCPSDoc *Document() const { return m_pDoc; }
    CTavoCPSTreeView *Tree() const { return m_pTree; }
    CBaseView *Page() const { return m_pPage; }
    CHelpView *HelpView() const { return m_pHelp; }
    int PageIndex() const { return m_nPageIndex; }

    // Replaces the editing page by the page of `index` (0..8; another index
    // does nothing); the help pane goes blank.
    void SwitchPage(int index, int channel = 0);
    // Rebuilds the tree and shows the page, channel and control of
    // `where` (page -1: the page shown now). The document asks for it
    // whenever it replaced the whole profile (a read into the open
    // profile, Undo, Redo, an import).
    void ShowReloaded(const EditLocation &where);
    // Where the user is editing: page, channel, focused control.
    EditLocation Location() const;

    bool IsHelpPaneShown() const { return m_bHelpPane; }
    void SetHelpPane(bool shown);
    int HelpPaneHeight() const { return m_nHelpHeight; }

    // The page's pending edits and the tree's label edit: false stops the
    // caller (save, write, report, leaving the page).
    bool CommitChanges();

    void UpdateTitle();

signals:
    void helpPaneToggled(bool shown);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void PlaceHelpPane();

    CTavoCPSDoc *m_pDoc;
    QSplitter *m_pOuter;
    QSplitter *m_pRight;
    CTavoCPSTreeView *m_pTree;
    QPointer<CBaseView> m_pPage;
    CHelpView *m_pHelp;
    int m_nPageIndex = 0;
    int m_nChannel = 0;
    bool m_bHelpPane;
    int m_nHelpHeight = 150;
    // The control name Location() gave for the focus widget it last saw;
    // worked out again when the focus or the page changes, so that an
    // edit's Undo step does not walk the widget tree each time.
    QPointer<QWidget> m_pFocus; // where the last focus move went
    mutable const QWidget *m_pFocusSeen = nullptr;
    mutable QString m_strFocusControl;
    mutable bool m_bFocusKnown = false;
};

} // namespace tavo
