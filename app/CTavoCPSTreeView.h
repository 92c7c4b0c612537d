#pragma once
// The left pane of a profile window: the pages of the profile and its
// channels. Selecting an item shows its page; the tree adds, deletes and
// renames channels through the document and keeps the Add, Delete and
// Rename commands enabled or disabled.

#include "profile/CDataItem.h"

#include <QIcon>
#include <QPointer>
#include <QTreeWidget>
#include <functional>
#include <vector>

#include <QLineEdit>

namespace tavo {

class CTavoCPSDoc;

// The item value of a tree item: page index in the low 16 bits, channel
// index in the high 16 bits.
inline int TreeItemValue(int page, int channel = 0) { return page + 65536 * channel; }

class CTavoCPSTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit CTavoCPSTreeView(CTavoCPSDoc *doc, QWidget *parent = nullptr);

    // Fills the tree, selects the root (its page is shown), runs the
    // post-load adjustments (511 when a channel frequency is out of range)
    // and expands every item.
    void OnInitialUpdate();
    // The width that shows every item's text whole, frame and scroll bar
    // included.
    int PreferredWidth() const;
    // Asked before the selection moves (the page being left must commit).
    void SetCommitHandler(std::function<bool()> commit) { m_commit = std::move(commit); }
    // Whether the selection may move off the page shown: the page commits
    // (its refusal shown once); false keeps the user on it.
    bool MayLeavePage();
    // Makes `item` current without asking the page and without showing a
    // page (the frame shows the one it rebuilt).
    void SelectQuietly(QTreeWidgetItem *item);

    // Commands.
    void OnAdd();
    void OnDelete();
    void OnRename();
    // A label being edited is applied as the channel's new name first; false
    // when that fails (Save, Write and Report then do nothing).
    bool CommitPendingEdit();

    QTreeWidgetItem *ChannelsItem() const { return m_pChannels; }
    QTreeWidgetItem *ChannelItem(int index) const;
    int ItemValue(const QTreeWidgetItem *item) const;
    bool IsReady() const { return m_bReady; }
    // Works out again what Add, Delete and Rename may do on the current item.
    void RefreshCommandFlags() { UpdateFlags(); }

    // The process-wide enable flags of Add, Delete and Rename.
    static bool s_bAdd, s_bDelete, s_bRename;
    // Set unless a failed rename's message box is being answered.
    static bool g_bAcceptEndEdit;

    // Called by the label editor when editing ends.
    void OnEndLabelEdit(QTreeWidgetItem *item, const QString &text, bool fromCommand);
    void SetEditor(QLineEdit *editor) { m_pEditor = editor; }

    // The tree's image list: cells of 25 by 20 pixels.
    static QIcon TreeImage(int index);

signals:
    // Show page `page` (channel `channel` for the one-channel page).
    void pageRequested(int page, int channel);
    void flagsChanged();
    // A channel was added and its page is shown: the page puts the focus
    // on the new channel's name.
    void channelAdded();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void OnCurrentChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void UpdateFlags();
    void RefreshChannelItems();
    QTreeWidgetItem *AppendChannelItem(const QString &name, int index);
    void OnViewsUpdated(QObject *origin, int hint);

    CTavoCPSDoc *m_pDoc;
    QTreeWidgetItem *m_pRoot = nullptr;
    QTreeWidgetItem *m_pChannels = nullptr;
    bool m_bReady = false;
    bool m_bQuiet = false;
    bool m_bRefusing = false;
    std::function<bool()> m_commit;
    QPointer<QLineEdit> m_pEditor;
    bool m_bLastRenameOk = false;
};

} // namespace tavo
