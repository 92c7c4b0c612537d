// What a dealer meets first in the profile window: the frequency table has
// its own tree item on every model, the programming-mode box takes the
// user's choice, and Ctrl+W is Write only (the profile window stays).

#include "PagesFixture.h"

#include "views/CFrequencyView.h"
#include "views/CHelpView.h"
#include "views/CSettingView.h"

#include <QCheckBox>
#include <QMdiSubWindow>
#include <QPointer>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

using namespace tavo;
using namespace tavo::test;

namespace {

// The captions of the root's children, in order.
QStringList PageCaptions(CTavoCPSTreeView *tree)
{
    QStringList captions;
    QTreeWidgetItem *root = tree->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i)
        captions << root->child(i)->text(0);
    return captions;
}

QTreeWidgetItem *PageItem(CTavoCPSTreeView *tree, int value)
{
    QTreeWidgetItem *root = tree->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i)
        if (tree->ItemValue(root->child(i)) == value)
            return root->child(i);
    return nullptr;
}

} // namespace

TEST_F(FormPageTest, TheFrequencyTableHasItsTreeItemOnEveryModel)
{
    ASSERT_TRUE(Start());
    for (const QString model : {QStringLiteral("SUR41622"), QStringLiteral("OUD11602"), QStringLiteral("OUR10802")}) {
        SCOPED_TRACE(model.toStdString());
        CChildFrame *child = OpenEdited(model);
        ASSERT_NE(child, nullptr);
        CTavoCPSTreeView *tree = child->Tree();
        const QStringList captions = PageCaptions(tree);
        // Between Buttons and Channels, with its own icon.
        ASSERT_GE(captions.size(), 5);
        EXPECT_EQ(captions.mid(0, 5), (QStringList{LoadString(167), LoadString(172), LoadString(168), LoadString(242), LoadString(169)}));
        QTreeWidgetItem *item = PageItem(tree, PageFrequency);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->icon(0).cacheKey(), CTavoCPSTreeView::TreeImage(4).cacheKey());
        // Selecting it shows the frequency page with the profile's table.
        tree->setCurrentItem(item);
        QApplication::processEvents();
        auto *page = qobject_cast<CFrequencyView *>(child->Page());
        ASSERT_NE(page, nullptr);
        auto *table = qobject_cast<QTableWidget *>(page->Control(1067));
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->rowCount(), Item(child, QStringLiteral("frequencies")).GetChildCount());
        EXPECT_EQ(tree->currentItem(), item);
    }

    // A licensed radio: the customer's frequency goes in through the page
    // reached from the tree, and a channel can then take it.
    CChildFrame *child = OpenEdited(QStringLiteral("SUR41622"));
    ASSERT_NE(child, nullptr);
    child->Tree()->setCurrentItem(PageItem(child->Tree(), PageFrequency));
    QApplication::processEvents();
    auto *page = qobject_cast<CFrequencyView *>(child->Page());
    ASSERT_NE(page, nullptr);
    auto *add = qobject_cast<QPushButton *>(page->Control(1041));
    auto *entry = qobject_cast<QLineEdit *>(page->Control(1073));
    auto *table = qobject_cast<QTableWidget *>(page->Control(1067));
    const int rows = table->rowCount();
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::keyClicks(entry, QStringLiteral("462.5625"));
    m_sink.clear();
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    EXPECT_EQ(table->rowCount(), rows + 1);
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), rows, "freq"), 462562500);
    EXPECT_TRUE(child->Document()->IsModified());
}

TEST_F(FormPageTest, EnableProgrammingModeTakesTheUsersChoice)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenEdited(QStringLiteral("SUR41622"));
    ASSERT_NE(child, nullptr);
    auto *page = Show<CSettingView>(child, PageSettings);
    ASSERT_NE(page, nullptr);
    auto *box = qobject_cast<QCheckBox *>(page->Control(1041));
    ASSERT_NE(box, nullptr);
    const bool was = box->isChecked();
    m_sink.clear();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    EXPECT_TRUE(m_sink.empty()) << "refused: " << m_sink.last().toStdString();
    EXPECT_NE(box->isChecked(), was);
    EXPECT_EQ(Item(child, QStringLiteral("limit")).GetInt(QStringLiteral("programming_mode_enabled")), was ? 0 : 1);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    EXPECT_EQ(Item(child, QStringLiteral("limit")).GetInt(QStringLiteral("programming_mode_enabled")), was ? 1 : 0);
    // The radio's capabilities beside it stay fixed.
    CDataItem limit = Item(child, QStringLiteral("limit"));
    int msgId = 0, style = 0;
    EXPECT_EQ(limit.SetAttributeValue(QStringLiteral("maxChannels"), 3, msgId, 0, style), 1);
    EXPECT_EQ(msgId, 9305);
}

TEST_F(FormPageTest, CtrlWIsWriteAndLeavesTheProfileWindowOpen)
{
    ASSERT_TRUE(Start());
    Frame()->show();
    Frame()->activateWindow();
    CChildFrame *child = OpenEdited(QStringLiteral("OUD11602"));
    ASSERT_NE(child, nullptr);
    auto *sub = qobject_cast<QMdiSubWindow *>(child->parentWidget());
    ASSERT_NE(sub, nullptr);
    const QKeySequence ctrlW(Qt::CTRL | Qt::Key_W);
    const QKeySequence ctrlF4(Qt::CTRL | Qt::Key_F4);
    bool closeKeptCtrlF4 = false;
    for (QAction *a : sub->systemMenu()->actions()) {
        EXPECT_FALSE(a->shortcuts().contains(ctrlW)) << a->text().toStdString();
        closeKeptCtrlF4 = closeKeptCtrlF4 || a->shortcuts().contains(ctrlF4);
    }
    EXPECT_TRUE(closeKeptCtrlF4);
    EXPECT_EQ(Frame()->Command(cmd::DeviceWrite)->shortcut(), ctrlW);
    // No cable: Write is off, and the key closes nothing.
    QPointer<CChildFrame> alive(child);
    child->Tree()->setFocus();
    QTest::keyClick(child->Tree(), Qt::Key_W, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_FALSE(alive.isNull());
    EXPECT_EQ(Frame()->Children().size(), 1);
}

TEST_F(FormPageTest, TemplatesFillTheAudioListsAndThePowerNoteFollowsThePowerChoice)
{
    ASSERT_TRUE(Start());
    const QStringList models = QDir(SourceInstall() + QStringLiteral("/profiletemplate")).entryList({QStringLiteral("*.kp2")});
    ASSERT_GE(models.size(), 13);
    for (const QString &file : models) {
        const QString model = file.chopped(4);
        SCOPED_TRACE(model.toStdString());
        CChildFrame *child = OpenEdited(model);
        ASSERT_NE(child, nullptr);
        QWidget *audio = Show<QWidget>(child, PageAudioSettings);
        ASSERT_NE(audio, nullptr);
        auto *base = qobject_cast<CBaseView *>(audio);
        for (int id : {1025, 1026}) {
            auto *list = qobject_cast<QComboBox *>(base->Control(id));
            ASSERT_NE(list, nullptr);
            EXPECT_GE(list->currentIndex(), 0) << "list " << id << " blank";
        }
        auto *channel = qobject_cast<CBaseView *>(Show<QWidget>(child, PageChannel, 0));
        ASSERT_NE(channel, nullptr);
        const bool power = Item(child, QStringLiteral("limit")).GetInt(QStringLiteral("power_cntrl_enabled")) != 0;
        EXPECT_EQ(channel->Control(1086)->isVisibleTo(channel), power);
        child->Document()->SetModifiedFlag(false);
        child->parentWidget()->close();
        QApplication::processEvents();
    }
}

TEST_F(FormPageTest, TheWindowMenuListsTheOpenProfilesAndTheTitleNamesTheActiveOne)
{
    ASSERT_TRUE(Start());
    Frame()->show();
    Frame()->activateWindow();
    QList<CChildFrame *> children;
    for (const QString model : {QStringLiteral("OUD11602"), QStringLiteral("SUR41622"), QStringLiteral("OUR10802")}) {
        children << OpenEdited(model);
        ASSERT_NE(children.last(), nullptr);
    }
    QMenu *window = TopMenu(348);
    ASSERT_NE(window, nullptr);
    auto profileEntries = [&] {
        emit window->aboutToShow();
        QList<QAction *> entries;
        for (QAction *a : window->actions())
            if (a->property("profileWindow").toBool() && !a->isSeparator())
                entries << a;
        return entries;
    };
    QList<QAction *> entries = profileEntries();
    ASSERT_EQ(entries.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(entries.at(i)->text().startsWith(QStringLiteral("&%1 ").arg(i + 1))) << entries.at(i)->text().toStdString();
        EXPECT_TRUE(entries.at(i)->text().contains(children.at(i)->Document()->GetTitle()));
        EXPECT_EQ(entries.at(i)->isChecked(), children.at(i) == Frame()->ActiveChild()) << i;
    }
    // Choosing an entry activates its profile; the menu shows it checked
    // the next time, and only it.
    entries.at(0)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(Frame()->ActiveChild(), children.at(0));
    entries = profileEntries();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_TRUE(entries.at(0)->isChecked());
    EXPECT_FALSE(entries.at(2)->isChecked());

    // Tiled, the main title still names the active profile, and follows it.
    ASSERT_TRUE(Frame()->RunCommand(cmd::WindowTile));
    QApplication::processEvents();
    EXPECT_TRUE(Frame()->windowTitle().contains(children.at(0)->Document()->GetTitle())) << Frame()->windowTitle().toStdString();
    Frame()->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(children.at(1)->parentWidget()));
    QApplication::processEvents();
    EXPECT_TRUE(Frame()->windowTitle().contains(children.at(1)->Document()->GetTitle())) << Frame()->windowTitle().toStdString();
    EXPECT_FALSE(Frame()->windowTitle().contains(children.at(0)->Document()->GetTitle()));

    // Ctrl+Tab goes to the next profile window.
    CChildFrame *before = Frame()->ActiveChild();
    before->Tree()->setFocus();
    QTest::keyClick(before->Tree(), Qt::Key_Tab, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_NE(Frame()->ActiveChild(), before);
    for (CChildFrame *child : children)
        child->Document()->SetModifiedFlag(false);
}

TEST_F(FormPageTest, TheHelpPaneStartsAt150PixelsWithThePagesOwnTopic)
{
    ASSERT_TRUE(Start());
    Frame()->resize(1100, 800);
    Frame()->show();
    CChildFrame *child = OpenEdited(QStringLiteral("OUD11602"));
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(child->IsHelpPaneShown());
    CHelpView *help = child->HelpView();
    EXPECT_EQ(help->height(), 150);
    // The page's own topic until a control takes the focus.
    EXPECT_TRUE(help->CurrentAddress().contains(QStringLiteral("radio_information.htm"))) << help->CurrentAddress().toStdString();
    EXPECT_FALSE(help->PlainText().trimmed().isEmpty());
    child->SwitchPage(PageSettings);
    QApplication::processEvents();
    EXPECT_TRUE(help->CurrentAddress().contains(QStringLiteral("general_settings.htm"))) << help->CurrentAddress().toStdString();
    EXPECT_EQ(help->height(), 150);
    // A larger window gives the page the room; the pane keeps its height.
    child->resize(child->width(), child->height() + 120);
    QApplication::processEvents();
    EXPECT_EQ(help->height(), 150);
}

TEST_F(FormPageTest, ARefusedTextNamesTheRangeOrCharactersTheRuleApplied)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenEdited(QStringLiteral("OUR40822"));
    ASSERT_NE(child, nullptr);
    Frame()->activateWindow();
    auto *page = Show<CSettingView>(child, PageSettings);
    ASSERT_NE(page, nullptr);
    const struct {
        int ctrlId;
        QString text;
        int msgId;
    } cases[] = {
        {1003, QStringLiteral("CAF\u00c9"), 9311},      // the rule's own message, not the length one
        {1004, QStringLiteral("DL-1"), 9965},          // letters, digits and "/"
        {1005, QStringLiteral("60"), 9966},            // 0 to 30 seconds
        {1006, QStringLiteral("121"), 9967},           // 0 to 120 seconds
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        auto *edit = qobject_cast<QLineEdit *>(page->Control(c.ctrlId));
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        edit->setText(c.text);
        emit edit->textEdited(c.text);
        m_sink.clear();
        EXPECT_FALSE(page->CommitChanges());
        ASSERT_FALSE(m_sink.empty());
        EXPECT_EQ(m_sink.last(), LoadString(c.msgId));
        edit->setText(QString());
        emit edit->textEdited(QString());
        QApplication::processEvents();
    }
    EXPECT_TRUE(LoadString(9966).contains(QStringLiteral("30")));
}

TEST_F(FormPageTest, AnOpenTakesNoUntitledNumberAndTheFiltersNameAllFiles)
{
    ASSERT_TRUE(Start());
    const QString templates = BuiltInstall() + QStringLiteral("/profiletemplate/");
    CChildFrame *first = Frame()->NewDocumentFromTemplate(templates + QStringLiteral("OUD11602.kp2"));
    ASSERT_NE(first, nullptr);
    const int n = first->Document()->GetTitle().mid(7).toInt();
    EXPECT_TRUE(first->Document()->GetTitle().startsWith(QStringLiteral("Profile"))) << first->Document()->GetTitle().toStdString();
    ASSERT_NE(OpenEdited(QStringLiteral("SUR41622")), nullptr);
    CChildFrame *second = Frame()->NewDocumentFromTemplate(templates + QStringLiteral("OUR10802.kp2"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Document()->GetTitle(), QStringLiteral("Profile%1").arg(n + 1));
    EXPECT_TRUE(CFileDialogs::ProfileFilter().endsWith(LoadString(337) + QStringLiteral(" (*.*)"))) << CFileDialogs::ProfileFilter().toStdString();
}
