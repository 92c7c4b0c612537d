// Moving between pages through the tree: a page that holds a refused value
// keeps the user (one message, the highlight stays on its item, what was
// typed is still there), whether the tree is clicked, driven by the keyboard
// or by assistive technology; assistive technology selects the item it
// names.

#include "PagesFixture.h"

#include "views/CChannelView.h"
#include "views/CCustomizedCTView.h"
#include "views/CSettingView.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTreeWidgetItemIterator>

using namespace tavo;
using namespace tavo::test;

namespace {

QTreeWidgetItem *ItemOfValue(CTavoCPSTreeView *tree, int value)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (tree->ItemValue(*it) == value)
            return *it;
    return nullptr;
}

void ClickItem(CTavoCPSTreeView *tree, QTreeWidgetItem *item)
{
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    QApplication::processEvents();
}

// The accessible object of the tree item captioned `name`, as a screen
// reader finds it.
QAccessibleInterface *AccessibleItem(CTavoCPSTreeView *tree, const QString &name)
{
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(tree);
    for (int i = 0; table && i < table->childCount(); ++i) {
        QAccessibleInterface *cell = table->child(i);
        if (cell && cell->text(QAccessible::Name) == name)
            return cell;
    }
    return nullptr;
}

// Presses the accessible item's first action, as a screen reader does.
bool PressAccessible(CTavoCPSTreeView *tree, const QString &name)
{
    QAccessibleInterface *cell = AccessibleItem(tree, name);
    QAccessibleActionInterface *actions = cell ? cell->actionInterface() : nullptr;
    if (!actions || actions->actionNames().isEmpty())
        return false;
    actions->doAction(actions->actionNames().first());
    QApplication::processEvents();
    return true;
}

// Types `text` over the whole content of `edit`, as a user does.
void Retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

class TreeSelection : public FormPageTest {
protected:
    // Opens a copy of template `model` and clicks the tree item of `value`.
    CChildFrame *OpenOn(const QString &model, int value)
    {
        if (!Start())
            return nullptr;
        Frame()->show();
        CChildFrame *child = OpenEdited(model);
        if (child)
            ClickItem(child->Tree(), ItemOfValue(child->Tree(), value));
        return child;
    }
    // The page of `value` stays shown and its item stays the tree's one
    // current and selected item.
    void ExpectStillOn(CChildFrame *child, int value)
    {
        CTavoCPSTreeView *tree = child->Tree();
        EXPECT_EQ(tree->ItemValue(tree->currentItem()), value);
        const QList<QTreeWidgetItem *> selected = tree->selectedItems();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(tree->ItemValue(selected.first()), value);
        EXPECT_EQ(child->PageIndex(), value & 0xFFFF);
        EXPECT_EQ(child->Page()->ChannelIndex(), value >> 16);
    }
    // Leaves the page by clicking `to`, by the arrow key and through
    // assistive technology; each is refused with `msgId` shown once.
    void ExpectEveryWayOutRefusedOnce(CChildFrame *child, int from, int to, int msgId,
                                      const std::function<void()> &retype)
    {
        CTavoCPSTreeView *tree = child->Tree();
        QTreeWidgetItem *target = ItemOfValue(tree, to);
        ASSERT_NE(target, nullptr);
        {
            SCOPED_TRACE("mouse");
            m_sink.clear();
            ClickItem(tree, target);
            ASSERT_EQ(m_sink.shown().size(), 1u);
            EXPECT_EQ(m_sink.last(), LoadString(msgId));
            ExpectStillOn(child, from);
        }
        retype();
        {
            SCOPED_TRACE("keyboard");
            tree->setFocus(Qt::MouseFocusReason);
            m_sink.clear();
            QTest::keyClick(tree, Qt::Key_Down);
            QApplication::processEvents();
            ASSERT_EQ(m_sink.shown().size(), 1u);
            EXPECT_EQ(m_sink.last(), LoadString(msgId));
            ExpectStillOn(child, from);
        }
        retype();
        {
            SCOPED_TRACE("assistive technology");
            m_sink.clear();
            ASSERT_TRUE(PressAccessible(tree, target->text(0)));
            ASSERT_EQ(m_sink.shown().size(), 1u);
            EXPECT_EQ(m_sink.last(), LoadString(msgId));
            ExpectStillOn(child, from);
        }
    }
};

} // namespace

TEST_F(TreeSelection, ARefusedValueKeepsThePageOnceWhicheverWayTheTreeIsUsed)
{
    CChildFrame *child = OpenOn(QStringLiteral("SUR41622"), PageSettings);
    ASSERT_NE(child, nullptr);
    CTavoCPSTreeView *tree = child->Tree();
    auto *settings = qobject_cast<CSettingView *>(child->Page());
    ASSERT_NE(settings, nullptr);

    // A password of two digits: 212, typed digits kept.
    auto *password = qobject_cast<QLineEdit *>(settings->Control(1059));
    auto typePassword = [&] { Retype(password, QStringLiteral("12")); };
    typePassword();
    ExpectEveryWayOutRefusedOnce(child, PageSettings, PageAudioSettings, 212, typePassword);
    EXPECT_EQ(password->text(), QStringLiteral("12"));
    password->clear();
    qobject_cast<QLineEdit *>(settings->Control(1002))->clear();

    // A hang time of 99 seconds: refused with the range, 99 kept.
    auto *hangTime = qobject_cast<QLineEdit *>(settings->Control(1005));
    Retype(hangTime, QStringLiteral("99"));
    m_sink.clear();
    ClickItem(tree, ItemOfValue(tree, PageButtons));
    ASSERT_EQ(m_sink.shown().size(), 1u);
    ExpectStillOn(child, PageSettings);
    EXPECT_EQ(hangTime->text(), QStringLiteral("99"));
    // Put right, the page lets go.
    Retype(hangTime, QStringLiteral("5"));
    m_sink.clear();
    ClickItem(tree, ItemOfValue(tree, PageButtons));
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    ExpectStillOn(child, PageButtons);
    EXPECT_EQ(Item(child, QStringLiteral("setting")).GetInt(QStringLiteral("rep_hangtime")), 5);

    // A duplicate channel name: 298 once, the page and its item stay.
    ClickItem(tree, tree->ChannelItem(1));
    auto *channel = qobject_cast<CChannelView *>(child->Page());
    ASSERT_NE(channel, nullptr);
    auto *name = qobject_cast<QLineEdit *>(channel->Control(1085));
    const QString first = Item(child, QStringLiteral("channels"), 0).GetText(QStringLiteral("name"));
    auto typeName = [&] { Retype(name, first); };
    typeName();
    ExpectEveryWayOutRefusedOnce(child, TreeItemValue(PageChannel, 1), TreeItemValue(PageChannel, 2), 298, typeName);
    EXPECT_NE(Item(child, QStringLiteral("channels"), 1).GetText(QStringLiteral("name")), first);
}

TEST_F(TreeSelection, ARefusedToneKeepsTheCustomizedTonePage)
{
    CChildFrame *child = OpenOn(QStringLiteral("OUD11602"), PageCustomizedCT);
    ASSERT_NE(child, nullptr);
    auto *page = qobject_cast<CCustomizedCTView *>(child->Page());
    ASSERT_NE(page, nullptr);
    auto *tone = qobject_cast<QLineEdit *>(page->Control(1084));
    Retype(tone, QStringLiteral("66.9"));
    m_sink.clear();
    ClickItem(child->Tree(), ItemOfValue(child->Tree(), PageSettings));
    ASSERT_EQ(m_sink.shown().size(), 1u);
    EXPECT_EQ(m_sink.last(), LoadString(478));
    ExpectStillOn(child, PageCustomizedCT);
    EXPECT_EQ(tone->text(), QStringLiteral("66.9"));
}

// Assistive technology lands on the page it names, not on another row's.
TEST_F(TreeSelection, AssistiveTechnologyOpensThePageOfTheItemItNames)
{
    CChildFrame *child = OpenOn(QStringLiteral("SUR41622"), 0);
    ASSERT_NE(child, nullptr);
    CTavoCPSTreeView *tree = child->Tree();
    const struct {
        int caption;
        int value;
    } items[] = {{172, PageAudioSettings}, {242, PageFrequency}, {167, PageSettings}, {171, PageScanList},
                 {169, PageChannels}, {168, PageButtons}};
    for (const auto &item : items) {
        SCOPED_TRACE(LoadString(item.caption).toStdString());
        ASSERT_TRUE(PressAccessible(tree, LoadString(item.caption)));
        ExpectStillOn(child, item.value);
    }
    const QString third = tree->ChannelItem(2)->text(0);
    ASSERT_TRUE(PressAccessible(tree, third));
    ExpectStillOn(child, TreeItemValue(PageChannel, 2));
}
