#include "views/CScanView.h"

#include "base/ProfileNames.h"
#include "ui_CScanView.h"

#include "resources/MessageIds.h"
#include "workflow/CTavoCPSDoc.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tavo {

namespace {

const QString kNoNext = QStringLiteral("NONEXT");
constexpr int kInvalidValue = 261;

} // namespace

CScanView::CScanView(QWidget *parent) : CBaseView(PageScanList, parent), m_ui(new Ui::CScanView)
{
    auto *form = new QWidget;
    m_ui->setupUi(form);
    SetForm(form);
    ArrangeColumns();
    for (QTreeWidget *list : {AvailableList(), MembersList()}) {
        const bool available = list == AvailableList();
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setRootIsDecorated(false);
        list->setMinimumSize(180, 300); // 19 channels without scrolling
        connect(list, &QTreeWidget::itemSelectionChanged, this, [this, available] { OnSelectionChanged(available); });
        // A click in one list (on an item or not) leaves the other unselected.
        connect(list, &QTreeWidget::itemPressed, this, [this, available] {
            QTreeWidget *other = available ? MembersList() : AvailableList();
            other->clearSelection();
            UpdateButtons();
        });
        connect(list, &QTreeWidget::itemDoubleClicked, this, [this, list, available] {
            if (!list->selectedItems().isEmpty())
                MoveSelected(available);
        });
    }
    connect(m_ui->addButton, &QPushButton::clicked, this, [this] { MoveSelected(true); });
    connect(m_ui->removeButton, &QPushButton::clicked, this, [this] { MoveSelected(false); });
}

CScanView::~CScanView() = default;

QTreeWidget *CScanView::AvailableList() const { return m_ui->availableList; }
QTreeWidget *CScanView::MembersList() const { return m_ui->membersList; }

void CScanView::ArrangeColumns()
{
    // Three columns under the title: available channels, the two buttons
    // between the lists, and the members.
    QWidget *form = Form();
    auto *page = qobject_cast<QVBoxLayout *>(form->layout());
    if (!page)
        return;
    QWidget *title = Control(1035);
    QList<QWidget *> boxes;
    for (int id : {1036, 1047, 1033, 1034, 1037, 1048}) {
        QWidget *w = Control(id);
        if (w->parentWidget() != form && !boxes.contains(w->parentWidget()))
            boxes << w->parentWidget();
        w->setParent(form);
    }
    title->setParent(form);
    delete form->layout();
    qDeleteAll(boxes);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);
    grid->addWidget(Control(1036), 0, 0);
    grid->addWidget(Control(1047), 1, 0);
    auto *buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Control(1033));
    buttons->addSpacing(12);
    buttons->addWidget(Control(1034));
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(Control(1037), 0, 2);
    grid->addWidget(Control(1048), 1, 2);

    auto *layout = new QVBoxLayout(form);
    layout->setContentsMargins(15, 15, 15, 15);
    layout->setSpacing(12);
    layout->addWidget(title);
    auto *centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(grid, 0);
    centred->addStretch(1);
    layout->addLayout(centred);
    layout->addStretch(1);
    for (QWidget *w : {title, Control(1036), Control(1047), Control(1033), Control(1034), Control(1037), Control(1048)})
        w->show();
}

void CScanView::LoadRes()
{
    Control(1035)->setProperty("text", LoadString(msg::ScanTitle));
    m_ui->availableCaption->setText(LoadString(msg::ScanAvailableChannels));
    m_ui->membersCaption->setText(LoadString(msg::ScanMembers));
    AvailableList()->setAccessibleName(LoadString(msg::ScanAvailableChannels));
    MembersList()->setAccessibleName(LoadString(msg::ScanMembers));
    m_ui->addButton->setText(LoadString(msg::ScanAddButton));
    m_ui->removeButton->setText(LoadString(msg::ScanRemoveButton));
    for (QTreeWidget *list : {AvailableList(), MembersList()})
        list->setHeaderLabels({LoadString(msg::ScanChannels)});
}

void CScanView::ReadChannels()
{
    CDataItem setting = m_rootItem.ChildByName(names::kSetting);
    CDataItem channels = m_rootItem.ChildByName(names::kChannels);
    m_nChannels = setting.GetInt(names::kNumberChannels);
    m_stored.clear();
    for (int i = 0; i < m_nChannels; ++i) {
        CDataItem channel;
        channels.GetChildByIndex(i, channel);
        if (channel.IsEmpty())
            break;
        m_stored.push_back({channel.GetText(names::kName), channel.GetInt(names::kInScanList) != 0});
    }
    m_working = m_stored;
}

void CScanView::LoadData()
{
    try {
        ReadChannels();
        BuildLists();
        ApplyVisibility(QStringLiteral("ScanList"));
        if (AvailableList()->topLevelItemCount() > 0)
            SelectOnly(AvailableList(), AvailableList()->topLevelItem(0));
        else if (MembersList()->topLevelItemCount() > 0)
            SelectOnly(MembersList(), MembersList()->topLevelItem(0));
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
    }
    UpdateButtons();
}

void CScanView::BuildLists()
{
    m_bBuilding = true;
    AvailableList()->clear();
    MembersList()->clear();
    for (const Entry &e : m_stored)
        new QTreeWidgetItem(e.inList ? MembersList() : AvailableList(), {e.name});
    m_bBuilding = false;
    UpdateButtons();
}

void CScanView::UpdateButtons()
{
    m_ui->addButton->setEnabled(!AvailableList()->selectedItems().isEmpty());
    m_ui->removeButton->setEnabled(!MembersList()->selectedItems().isEmpty());
}

void CScanView::SelectOnly(QTreeWidget *list, QTreeWidgetItem *item)
{
    list->clearSelection();
    if (!item)
        return;
    list->setCurrentItem(item);
    item->setSelected(true);
}

void CScanView::OnSelectionChanged(bool available)
{
    if (m_bBuilding)
        return;
    bool &mine = available ? m_bInAvailableHandler : m_bInMembersHandler;
    const bool otherRunning = available ? m_bInMembersHandler : m_bInAvailableHandler;
    if (!otherRunning) {
        mine = true;
        QTreeWidget *list = available ? AvailableList() : MembersList();
        if (!list->selectedItems().isEmpty())
            (available ? MembersList() : AvailableList())->clearSelection();
        mine = false;
    }
    UpdateButtons();
}

bool CScanView::WriteFlags()
{
    if (!m_pDoc)
        return false;
    CDataItem channels = m_rootItem.ChildByName(names::kChannels);
    for (int i = 0; i < m_nChannels; ++i) {
        CDataItem channel;
        channels.GetChildByIndex(i, channel);
        if (channel.IsEmpty())
            break;
        const QString name = channel.GetText(names::kName);
        bool written = false, accepted = true;
        for (const Entry &e : std::as_const(m_working)) {
            if (e.name != name)
                continue;
            written = true;
            accepted = ChangeAttribute(channel, names::kInScanList, e.inList ? 1 : 0, kCallerShowsRefusal);
        }
        if (written && !accepted)
            return false;
    }
    return true;
}

void CScanView::MoveSelected(bool add)
{
    QTreeWidget *from = add ? AvailableList() : MembersList();
    QTreeWidget *to = add ? MembersList() : AvailableList();
    m_working = m_stored;
    m_strNextName = kNoNext;
    int last = -1;
    for (int row = 0; row < from->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = from->topLevelItem(row);
        if (!item->isSelected())
            continue;
        last = row;
        for (Entry &e : m_working)
            if (e.name == item->text(0))
                e.inList = add;
    }
    if (last < 0)
        return;
    if (last + 1 < from->topLevelItemCount())
        m_strNextName = from->topLevelItem(last + 1)->text(0);

    bool ok = false;
    try {
        CEditStep step(m_pDoc, msg::StepChangeScanList);
        ok = WriteFlags();
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
    }
    if (ok) {
        m_stored = m_working;
        BuildLists();
        QTreeWidgetItem *next = nullptr;
        if (m_strNextName != kNoNext) {
            const QList<QTreeWidgetItem *> found = from->findItems(m_strNextName, Qt::MatchExactly);
            next = found.isEmpty() ? nullptr : found.first();
        }
        if (!next)
            next = from->topLevelItem(0);
        SelectOnly(from, next);
        UpdateButtons();
        from->setFocus(Qt::OtherFocusReason);
    } else {
        ShowMessage(kInvalidValue, MB_OK | MB_ICONWARNING);
        // Writes before the refused one may have gone through: show what
        // the profile now holds rather than the lists of before.
        try {
            ReadChannels();
            BuildLists();
        } catch (const CTavoCPSException &e) {
            CTavoCPSDoc::ShowFailure(e);
        }
    }
    if (from->topLevelItemCount() == 0 && to->topLevelItemCount() > 0) {
        SelectOnly(to, to->topLevelItem(0));
        to->setFocus(Qt::OtherFocusReason);
        UpdateButtons();
    }
}

} // namespace tavo
