#include "app/CTavoCPSTreeView.h"

#include "base/ProfileNames.h"
#include "workflow/CTavoCPSDoc.h"
#include "base/CTavoCPSException.h"
#include "profile/ProfileChecks.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QContextMenuEvent>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>

namespace tavo {

bool CTavoCPSTreeView::s_bAdd = false;
bool CTavoCPSTreeView::s_bDelete = false;
bool CTavoCPSTreeView::s_bRename = false;
bool CTavoCPSTreeView::g_bAcceptEndEdit = true;

namespace {

constexpr int kValueRole = Qt::UserRole;
constexpr int kFirstChannelImage = 6;
constexpr int kMaxNameLength = 8;

void ShowException(const CTavoCPSException &e) { CTavoCPSDoc::ShowFailure(e); }

// The label editor: at most 8 characters; ending the edit renames through
// the tree, which decides what the caption becomes.
class LabelDelegate : public QStyledItemDelegate {
public:
    explicit LabelDelegate(CTavoCPSTreeView *tree) : QStyledItemDelegate(tree), m_pTree(tree) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *edit = new QLineEdit(parent);
        edit->setMaxLength(kMaxNameLength);
        edit->setAccessibleName(LoadString(msg::TreeMenuRename).section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')));
        m_pTree->SetEditor(edit);
        return edit;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        static_cast<QLineEdit *>(editor)->setText(index.data(Qt::DisplayRole).toString());
    }
    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        QTreeWidgetItem *item = m_pTree->itemFromIndex(index);
        const QString text = static_cast<QLineEdit *>(editor)->text();
        m_pTree->SetEditor(nullptr);
        if (item)
            m_pTree->OnEndLabelEdit(item, text, false);
    }

private:
    CTavoCPSTreeView *m_pTree;
};

// The tree's selection: every way of moving it (a click, the keyboard,
// assistive technology, a call) asks the tree first, so that a page holding
// a refused value keeps its item, highlight included, and says so once.
class GuardedSelection : public QItemSelectionModel {
public:
    GuardedSelection(QAbstractItemModel *model, CTavoCPSTreeView *tree) : QItemSelectionModel(model, tree), m_pTree(tree) {}

    void setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command) override
    {
        if (index != currentIndex() && !m_pTree->MayLeavePage()) {
            KeepCurrentSelected();
            return;
        }
        m_bMoving = true;
        QItemSelectionModel::setCurrentIndex(index, command);
        m_bMoving = false;
    }
    void select(const QItemSelection &selection, QItemSelectionModel::SelectionFlags command) override
    {
        if (!m_bMoving && (command & QItemSelectionModel::Select) && SelectsAnother(selection)
            && !m_pTree->MayLeavePage()) {
            KeepCurrentSelected();
            return;
        }
        QItemSelectionModel::select(selection, command);
    }
    using QItemSelectionModel::select;

private:
    // Whether `selection` holds an item other than the current one (the
    // current row's other columns do not count).
    bool SelectsAnother(const QItemSelection &selection) const
    {
        for (const QModelIndex &index : selection.indexes())
            if (index.row() != currentIndex().row() || index.parent() != currentIndex().parent())
                return true;
        return false;
    }
    // A refused move may have cleared the selection first (assistive
    // technology does): the current item is highlighted again.
    void KeepCurrentSelected()
    {
        const QModelIndex current = currentIndex();
        if (!current.isValid() || (isSelected(current) && selectedIndexes().size() == 1))
            return;
        m_bMoving = true;
        QItemSelectionModel::select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_bMoving = false;
    }

    CTavoCPSTreeView *m_pTree;
    bool m_bMoving = false;
};

} // namespace

QIcon CTavoCPSTreeView::TreeImage(int index)
{
    static QHash<int, QIcon> cache;
    if (cache.contains(index))
        return cache.value(index);
    QPixmap pm(25, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const auto glyph = [&](const QColor &colour, const QString &text) {
        p.setBrush(colour);
        p.setPen(colour.darker(140));
        p.drawRoundedRect(QRectF(3.5, 1.5, 18, 17), 3, 3);
        p.setPen(Qt::white);
        QFont f;
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(3, 1, 19, 18), Qt::AlignCenter, text);
    };
    if (index >= kFirstChannelImage && index < kFirstChannelImage + 19) {
        // A channel: a small handset with its number 1 to 19.
        p.setBrush(QColor(60, 120, 60));
        p.setPen(QColor(30, 70, 30));
        p.drawRoundedRect(QRectF(0.5, 1.5, 17, 17), 2, 2);
        p.setPen(Qt::white);
        QFont f;
        f.setPixelSize(12);
        f.setWeight(QFont::Medium);
        p.setFont(f);
        p.drawText(QRectF(0, 3, 16, 15), Qt::AlignRight | Qt::AlignTop, QString::number(index - kFirstChannelImage + 1));
    } else {
        switch (index) {
        case 0: glyph(QColor(40, 60, 150), QStringLiteral("R")); break;
        case 1: glyph(QColor(90, 90, 90), QStringLiteral("G")); break;
        case 2: glyph(QColor(170, 90, 20), QStringLiteral("A")); break;
        case 3: glyph(QColor(120, 40, 140), QStringLiteral("B")); break;
        case 4: glyph(QColor(20, 120, 140), QStringLiteral("F")); break;
        case 5: glyph(QColor(40, 110, 40), QStringLiteral("C")); break;
        case 25: glyph(QColor(150, 40, 40), QStringLiteral("S")); break;
        default: glyph(QColor(140, 120, 20), QStringLiteral("T")); break;
        }
    }
    p.end();
    cache.insert(index, QIcon(pm));
    return cache.value(index);
}

CTavoCPSTreeView::CTavoCPSTreeView(CTavoCPSDoc *doc, QWidget *parent) : QTreeWidget(parent), m_pDoc(doc)
{
    setObjectName(QStringLiteral("CTavoCPSTreeView"));
    setAccessibleName(LoadString(msg::ProfileTreeName));
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(25, 20));
    setRootIsDecorated(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true); // hot tracking
    setItemDelegate(new LabelDelegate(this));
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);
    setStyleSheet(QStringLiteral("QTreeView::item { min-height: %1px; }").arg(22));
    // Single column: an item, not its row, is what assistive technology
    // selects (a row number would be counted from the top of the tree).
    setSelectionBehavior(QAbstractItemView::SelectItems);
    QItemSelectionModel *standard = selectionModel();
    auto *guarded = new GuardedSelection(model(), this);
    setSelectionModel(guarded);
    delete standard;
    // The tree widget made these connections to the model it started with;
    // they carry over to the guarded one (its item signals and the items'
    // own selected state).
    connect(guarded, SIGNAL(currentChanged(QModelIndex, QModelIndex)), this,
            SLOT(_q_emitCurrentItemChanged(QModelIndex, QModelIndex)));
    connect(guarded, SIGNAL(selectionChanged(QItemSelection, QItemSelection)), this,
            SLOT(_q_selectionChanged(QItemSelection, QItemSelection)));
    connect(guarded, &QItemSelectionModel::selectionChanged, this, &QTreeWidget::itemSelectionChanged);
    connect(this, &QTreeWidget::currentItemChanged, this, &CTavoCPSTreeView::OnCurrentChanged);
    // Assistive technology selects an item without making it current; the
    // page follows the selection all the same.
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem *> items = selectedItems();
        if (items.size() == 1 && items.first() != currentItem())
            setCurrentItem(items.first());
    });
    connect(doc, &CTavoCPSDoc::viewsUpdated, this, &CTavoCPSTreeView::OnViewsUpdated);
    // A channel renamed or a channel list changed elsewhere shows here too.
    connect(doc, &CTavoCPSDoc::attributeChanged, this, [this](QObject *origin, const QString &element, const QString &attribute) {
        if (origin != this && m_pChannels && element == names::kChannel && attribute == names::kName)
            RefreshChannelItems();
    });
    connect(doc, &CTavoCPSDoc::childrenChanged, this, [this](QObject *origin, const QString &element) {
        if (origin != this && m_pChannels && element == names::kChannels)
            RefreshChannelItems();
    });
}

int CTavoCPSTreeView::ItemValue(const QTreeWidgetItem *item) const
{
    return item ? item->data(0, kValueRole).toInt() : -1;
}

QTreeWidgetItem *CTavoCPSTreeView::ChannelItem(int index) const
{
    return m_pChannels && index >= 0 && index < m_pChannels->childCount() ? m_pChannels->child(index) : nullptr;
}

QTreeWidgetItem *CTavoCPSTreeView::AppendChannelItem(const QString &name, int index)
{
    auto *item = new QTreeWidgetItem(m_pChannels, {name});
    item->setIcon(0, TreeImage(kFirstChannelImage + index));
    item->setData(0, kValueRole, TreeItemValue(6, index));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

void CTavoCPSTreeView::OnInitialUpdate()
{
    m_bReady = false;
    clear();
    try {
        const CDataItem root = m_pDoc->Root();
        const CDataItem setting = root.ChildByName(names::kSetting);
        const CDataItem limit = root.ChildByName(names::kLimit);
        const CDataItem channels = root.ChildByName(names::kChannels);

        auto add = [](QTreeWidgetItem *parent, const QString &text, int image, int value) {
            auto *item = new QTreeWidgetItem(parent, {text});
            item->setIcon(0, TreeImage(image));
            item->setData(0, kValueRole, value);
            return item;
        };
        m_pRoot = new QTreeWidgetItem(this, {QStringLiteral("Olvan Series")});
        m_pRoot->setIcon(0, TreeImage(0));
        m_pRoot->setData(0, kValueRole, 0);
        add(m_pRoot, LoadString(msg::TreeGeneralSettings), 1, 1);
        add(m_pRoot, LoadString(msg::AudioSettingsTitle), 2, 2);
        add(m_pRoot, LoadString(msg::TreeButtons), 3, 3);
        // The frequency table: every model has it; the rules decide what
        // may change on it.
        add(m_pRoot, LoadString(msg::FrequencyTitle), 4, 4);
        m_pChannels = add(m_pRoot, LoadString(msg::TreeChannels), 5, 5);
        const int count = setting.GetInt(names::kNumberChannels);
        for (int i = 0; i < count; ++i) {
            CDataItem channel;
            channels.GetChildByIndex(i, channel);
            AppendChannelItem(channel.IsEmpty() ? QString() : channel.GetText(names::kName), i);
        }
        if (limit.GetInt(names::kDisableScanMode) == 0)
            add(m_pRoot, LoadString(msg::TreeScanList), 25, 7);
        if (limit.GetInt(names::kMaxCodes) > 122)
            add(m_pRoot, LoadString(msg::TreeCustomizedCt), 26, 8);
    } catch (const CTavoCPSException &e) {
        ShowException(e);
    }
    if (m_pRoot) {
        setCurrentItem(m_pRoot);
        emit pageRequested(0, 0);
    }
    m_bReady = true;
    try {
        m_pDoc->ApplyModelAdjustments();
        if (!CheckFrequencies(m_pDoc->Root()))
            ShowMessage(msg::ChannelFrequencyOutOfRange, MB_OK | MB_ICONWARNING);
    } catch (const CTavoCPSException &e) {
        ShowException(e);
    }
    expandAll();
    if (m_pRoot)
        scrollToItem(m_pRoot);
    UpdateFlags();
}

bool CTavoCPSTreeView::MayLeavePage()
{
    if (!m_bReady || m_bQuiet || !m_commit)
        return true;
    // A refusal holds for the rest of the event that asked (a click moves
    // the current item and then the selection): one message.
    if (m_bRefusing)
        return false;
    bool committed = false;
    try {
        committed = m_commit();
    } catch (const CTavoCPSException &e) {
        ShowException(e);
    }
    if (!committed) {
        m_bRefusing = true;
        QTimer::singleShot(0, this, [this] { m_bRefusing = false; });
    }
    return committed;
}

void CTavoCPSTreeView::SelectQuietly(QTreeWidgetItem *item)
{
    const bool was = m_bQuiet;
    m_bQuiet = true;
    setCurrentItem(item);
    m_bQuiet = was;
}

void CTavoCPSTreeView::OnCurrentChanged(QTreeWidgetItem *current, QTreeWidgetItem *)
{
    // The page being left has committed (MayLeavePage) before the move.
    if (!m_bReady || m_bQuiet || !current)
        return;
    const int value = ItemValue(current);
    emit pageRequested(value & 0xFFFF, value >> 16);
    UpdateFlags();
}

void CTavoCPSTreeView::UpdateFlags()
{
    s_bAdd = s_bDelete = s_bRename = false;
    QTreeWidgetItem *item = currentItem();
    try {
        const CDataItem channels = m_pDoc->Root().ChildByName(names::kChannels);
        if (item && item == m_pChannels) {
            s_bAdd = channels.CanAddChild();
        } else if (item && item->parent() == m_pChannels && m_pChannels) {
            s_bRename = true;
            s_bDelete = channels.CanDeleteChild();
        }
    } catch (const CTavoCPSException &) {
        s_bAdd = s_bDelete = s_bRename = false;
    }
    emit flagsChanged();
}

void CTavoCPSTreeView::focusInEvent(QFocusEvent *event)
{
    QTreeWidget::focusInEvent(event);
    UpdateFlags();
}

void CTavoCPSTreeView::focusOutEvent(QFocusEvent *event)
{
    QTreeWidget::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return; // a menu or another window: the tree is still the one the commands act on
    s_bAdd = s_bDelete = s_bRename = false;
    emit flagsChanged();
}

void CTavoCPSTreeView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState) {
        OnDelete();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CTavoCPSTreeView::contextMenuEvent(QContextMenuEvent *event)
{
    QTreeWidgetItem *item = itemAt(event->pos());
    if (!item)
        return;
    setCurrentItem(item);
    UpdateFlags();
    QMenu menu(this);
    auto entry = [&](int id, bool enabled, void (CTavoCPSTreeView::*slot)()) {
        QAction *a = menu.addAction(LoadString(id).section(QLatin1Char('\t'), 0, 0));
        a->setShortcut(QKeySequence(LoadString(id).section(QLatin1Char('\t'), 1)));
        a->setEnabled(enabled);
        connect(a, &QAction::triggered, this, slot);
    };
    entry(msg::TreeMenuAdd, s_bAdd, &CTavoCPSTreeView::OnAdd);
    entry(msg::TreeMenuDelete, s_bDelete, &CTavoCPSTreeView::OnDelete);
    entry(msg::TreeMenuRename, s_bRename, &CTavoCPSTreeView::OnRename);
    menu.exec(event->globalPos());
}

void CTavoCPSTreeView::OnAdd()
{
    if (currentItem() != m_pChannels || !m_pChannels)
        return;
    try {
        CDataItem channels = m_pDoc->Root().ChildByName(names::kChannels);
        const CDataItem setting = m_pDoc->Root().ChildByName(names::kSetting);
        CDataItem added;
        if (!channels.CanAddChild())
            return;
        if (!m_pDoc->AddChild(channels, added, this))
            return;
        const int count = setting.GetInt(names::kNumberChannels);
        QTreeWidgetItem *item = AppendChannelItem(added.GetText(names::kName), count - 1);
        UpdateFlags();
        setCurrentItem(item);
        emit channelAdded();
    } catch (CTavoCPSException &e) {
        e.AddTrace(QLatin1String(kExceptionCatched), "CTavoCPSTreeView::AddNewItem", __LINE__);
        ShowException(e);
    }
}

void CTavoCPSTreeView::OnDelete()
{
    QTreeWidgetItem *item = currentItem();
    if (!item || !m_pChannels || item->parent() != m_pChannels)
        return;
    try {
        CDataItem channels = m_pDoc->Root().ChildByName(names::kChannels);
        const CDataItem setting = m_pDoc->Root().ChildByName(names::kSetting);
        if (!channels.CanDeleteChild()) {
            ShowMessage(msg::CannotDeleteLastChannel, MB_OK | MB_ICONWARNING);
            return;
        }
        const RuleResult r = m_pDoc->RemoveChild(channels, ItemValue(item) >> 16, this);
        if (r.code == RuleResult::Done) {
            RefreshChannelItems();
            const int value = ItemValue(currentItem());
            emit pageRequested(value & 0xFFFF, value >> 16);
        }
        UpdateFlags();
    } catch (CTavoCPSException &e) {
        e.AddTrace(QLatin1String(kExceptionCatched), "CTavoCPSTreeView::DelItem", __LINE__);
        ShowException(e);
    }
}

void CTavoCPSTreeView::RefreshChannelItems()
{
    m_bReady = false;
    try {
        const CDataItem channels = m_pDoc->Root().ChildByName(names::kChannels);
        const CDataItem setting = m_pDoc->Root().ChildByName(names::kSetting);
        const int count = setting.GetInt(names::kNumberChannels);
        for (int i = m_pChannels->childCount() - 1; i >= count; --i)
            delete m_pChannels->takeChild(i);
        for (int i = m_pChannels->childCount(); i < count; ++i) // added elsewhere
            AppendChannelItem(QString(), i);
        for (int i = 0; i < m_pChannels->childCount(); ++i) {
            CDataItem channel;
            channels.GetChildByIndex(i, channel);
            const QString name = channel.IsEmpty() ? QString() : channel.GetText(names::kName);
            QTreeWidgetItem *item = m_pChannels->child(i);
            if (item->text(0) != name)
                item->setText(0, name);
            item->setData(0, kValueRole, TreeItemValue(6, i));
            item->setIcon(0, TreeImage(kFirstChannelImage + i));
        }
    } catch (CTavoCPSException &e) {
        e.AddTrace(QLatin1String(kExceptionCatched), "CTavoCPSTreeView::RefreshTreeNode", __LINE__);
        ShowException(e);
    }
    m_bReady = true;
}

void CTavoCPSTreeView::OnRename()
{
    QTreeWidgetItem *item = currentItem();
    if (item && m_pChannels && item->parent() == m_pChannels)
        editItem(item);
}

void CTavoCPSTreeView::OnEndLabelEdit(QTreeWidgetItem *item, const QString &textIn, bool fromCommand)
{
    if (!fromCommand && !g_bAcceptEndEdit) {
        // The end of editing that follows a failed rename's message box.
        g_bAcceptEndEdit = true;
        return;
    }
    const QString text = textIn.trimmed();
    if (text.isEmpty() || !item || item->parent() != m_pChannels)
        return;
    const int index = ItemValue(item) >> 16;
    RuleResult r;
    try {
        const CDataItem channels = m_pDoc->Root().ChildByName(names::kChannels);
        CDataItem channel;
        channels.GetChildByIndex(index, channel);
        if (channel.IsEmpty())
            return;
        r = m_pDoc->SetAttribute(channel, names::kName, text, this);
    } catch (const CTavoCPSException &e) {
        ShowException(e);
        return;
    }
    if (r.code == RuleResult::Done) {
        item->setText(0, text);
        m_pDoc->UpdateAllViews(this, 3 | (6 << 8) | (index << 16));
        m_bLastRenameOk = true;
        return;
    }
    m_bLastRenameOk = false;
    if (fromCommand)
        g_bAcceptEndEdit = false;
    CTavoCPSDoc::ShowRefusal(r, 222);
}

bool CTavoCPSTreeView::CommitPendingEdit()
{
    if (!m_pEditor || state() != QAbstractItemView::EditingState)
        return true;
    QLineEdit *editor = m_pEditor;
    QTreeWidgetItem *item = currentItem();
    m_bLastRenameOk = false;
    const QString text = editor->text().trimmed();
    if (text.isEmpty() || text == (item ? item->text(0) : QString())) {
        m_pEditor = nullptr;
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        return true;
    }
    OnEndLabelEdit(item, text, true);
    if (!m_bLastRenameOk)
        return false;
    m_pEditor = nullptr;
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void CTavoCPSTreeView::OnViewsUpdated(QObject *origin, int hint)
{
    if (origin == this)
        return;
    if ((hint & 0xFF) == 1 && ((hint >> 8) & 0xFF) == 5) {
        if (m_pChannels)
            setCurrentItem(m_pChannels);
        OnAdd();
    }
    // hint 3 (a changed channel name) needs nothing here
}

int CTavoCPSTreeView::PreferredWidth() const
{
    return sizeHintForColumn(0) + 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
}

} // namespace tavo
