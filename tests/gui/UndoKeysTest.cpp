// Undo and Redo as the user presses them: Ctrl+Z and Ctrl+Y with the focus
// in a text field, one step per user action, pages that only look, the
// channel that no longer exists, and the smaller rules of the history
// (separate choices, no-op edits, the page's caption, a refused value).

#include "PagesFixture.h"

#include "views/CChannelView.h"
#include "views/LayoutTables.h"
#include "resources/MessageIds.h"

#include <QMdiSubWindow>
#include <QPushButton>

using namespace tavo;
using namespace tavo::test;

namespace {

QString UndoCaption(int stepId) { return LoadString(msg::UndoMenuStep).arg(LoadString(stepId)); }

class UndoKeysTest : public FormPageTest {
protected:
    static void Press(QWidget *w, Qt::Key key)
    {
        QTest::keyClick(w, key, Qt::ControlModifier);
        QApplication::processEvents();
    }
    QString UndoText()
    {
        Frame()->UpdateCommandUI();
        return Frame()->Command(cmd::EditUndo)->text();
    }
};

} // namespace

TEST_F(UndoKeysTest, CtrlZAndCtrlYInATextFieldReachTheProfileUnlessTheFieldHasTypingToUndo)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenShown(QStringLiteral("SUR41622"));
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();
    auto *page = Show<CChannelView>(child, PageChannel, 1);
    ASSERT_NE(page, nullptr);
    auto *scramble = qobject_cast<QComboBox *>(page->Control(1023));
    auto *name = qobject_cast<QLineEdit *>(page->Control(1085));
    ASSERT_NE(scramble, nullptr);
    ASSERT_NE(name, nullptr);
    const int stored = Stored(child, QStringLiteral("channels"), 1, "scramble_code");
    scramble->setFocus(Qt::OtherFocusReason);
    Choose(scramble, stored == 0 ? 1 : 0);
    ASSERT_NE(Stored(child, QStringLiteral("channels"), 1, "scramble_code"), stored);

    // The name field has no typing of its own: Ctrl+Z undoes the choice.
    name->setFocus(Qt::OtherFocusReason);
    Press(name, Qt::Key_Z);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 1, "scramble_code"), stored);
    EXPECT_FALSE(doc->IsModified());
    // The Undo put the focus back into the list; in the (reloaded) name
    // field Ctrl+Y brings the choice again.
    page = qobject_cast<CChannelView *>(child->Page());
    name = qobject_cast<QLineEdit *>(page->Control(1085));
    name->setFocus(Qt::OtherFocusReason);
    Press(name, Qt::Key_Y);
    EXPECT_NE(Stored(child, QStringLiteral("channels"), 1, "scramble_code"), stored);

    // Typing in the field: Ctrl+Z takes back the typing first, the profile
    // keeps the choice; the next Ctrl+Z reaches the profile.
    page = qobject_cast<CChannelView *>(child->Page());
    name = qobject_cast<QLineEdit *>(page->Control(1085));
    const QString oldName = name->text();
    name->setFocus(Qt::OtherFocusReason);
    name->end(false);
    QTest::keyClicks(name, QStringLiteral("X"));
    Press(name, Qt::Key_Z);
    EXPECT_EQ(name->text(), oldName);
    EXPECT_NE(Stored(child, QStringLiteral("channels"), 1, "scramble_code"), stored);
    Press(name, Qt::Key_Z);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 1, "scramble_code"), stored);

    // A field on the settings page (the station ID) likewise.
    Show<CBaseView>(child, PageSettings);
    auto *station = qobject_cast<QLineEdit *>(child->Page()->Control(1004));
    ASSERT_NE(station, nullptr);
    ASSERT_TRUE(station->isVisibleTo(child->Page()));
    station->setFocus(Qt::OtherFocusReason);
    Press(station, Qt::Key_Y);
    EXPECT_NE(Stored(child, QStringLiteral("channels"), 1, "scramble_code"), stored);
}

TEST_F(UndoKeysTest, OneChoiceIsOneStepOnAModelWithoutTransmitColumn)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenShown(QStringLiteral("OUD11602"));
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();
    ASSERT_EQ(Stored(child, QStringLiteral("limit"), -1, "disable_repeater_feature"), 1);
    auto *page = Show<CChannelView>(child, PageChannel, 0);
    ASSERT_NE(page, nullptr);
    auto *code = qobject_cast<QComboBox *>(page->Control(1019));
    ASSERT_NE(code, nullptr);
    code->setFocus(Qt::OtherFocusReason);
    Choose(code, 5);
    ASSERT_EQ(Stored(child, QStringLiteral("channels"), 0, "rx_code"), 5);
    ASSERT_EQ(Stored(child, QStringLiteral("channels"), 0, "tx_code"), 5);
    EXPECT_EQ(UndoText(), UndoCaption(msg::StepChangeChannel));
    Press(code, Qt::Key_Z);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "rx_code"), 0);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "tx_code"), 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_FALSE(child->isWindowModified()); // the title's mark

    // The receive frequency with its twin: one step too.
    page = Show<CChannelView>(child, PageChannel, 0);
    auto *rx = qobject_cast<QComboBox *>(page->Control(1016));
    ASSERT_NE(rx, nullptr);
    Choose(rx, 3);
    ASSERT_EQ(Stored(child, QStringLiteral("channels"), 0, "rx_freq_ndx"), 3);
    ASSERT_EQ(Stored(child, QStringLiteral("channels"), 0, "tx_freq_ndx"), 3);
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "tx_freq_ndx"), 0);
    EXPECT_FALSE(doc->CanUndo());

    // The back light list: two attributes, one step.
    Show<CBaseView>(child, PageSettings);
    auto *backlight = qobject_cast<QComboBox *>(child->Page()->Control(1060));
    ASSERT_NE(backlight, nullptr);
    if (!backlight->isHidden()) {
        const int position = backlight->currentIndex() == 2 ? 1 : 2;
        Choose(backlight, position);
        ASSERT_EQ(Stored(child, QStringLiteral("setting"), -1, "backlight_timeout"), position * 5);
        ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
        EXPECT_FALSE(doc->CanUndo());
        EXPECT_FALSE(doc->IsModified());
    }
}

TEST_F(UndoKeysTest, APageThatCorrectedAValueAtLoadIsOnlyLookedAtAndUndoEnds)
{
    ASSERT_TRUE(Start());
    // Channel 1 says it repeats, on one frequency.
    CChildFrame *child = OpenShown(QStringLiteral("SUR41622"), [](QString &xml) {
        xml.replace(QStringLiteral("tx_freq_ndx=\"0\" tx_code=\"0\" rx_bw=\"0\" tx_bw=\"0\" talkaround_power=\"0\" repeater_power=\"0\" repeater=\"0\""),
                    QStringLiteral("tx_freq_ndx=\"0\" tx_code=\"0\" rx_bw=\"0\" tx_bw=\"0\" talkaround_power=\"0\" repeater_power=\"0\" repeater=\"1\""));
    });
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();
    // Corrected once, at load: modified, and no step.
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "repeater"), 0);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(doc->CanUndo());
    // Looking at the page and the buttons page writes nothing.
    Show<CChannelView>(child, PageChannel, 0);
    Show<CBaseView>(child, PageButtons);
    Show<CChannelView>(child, PageChannel, 0);
    EXPECT_FALSE(doc->CanUndo());

    // Two edits, then five Undos: both are undone, the rest do nothing.
    auto *page = qobject_cast<CChannelView *>(child->Page());
    Choose(page->Control(1023), 1);
    auto *name = qobject_cast<QLineEdit *>(page->Control(1085));
    name->setFocus(Qt::OtherFocusReason);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("ROOF"));
    ASSERT_TRUE(child->CommitChanges());
    const QString original = QStringLiteral("CH 1");
    for (int i = 0; i < 5; ++i) {
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : child->Tree();
        Press(focus, Qt::Key_Z);
    }
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "scramble_code"), 0);
    EXPECT_EQ(Item(child, QStringLiteral("channels"), 0).GetText(QStringLiteral("name")), original);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "repeater"), 0);
    // Still not the file's contents: the correction is unsaved.
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->CanRedo());
}

TEST_F(UndoKeysTest, UndoAndRedoOfDeletingTheLastChannelShowTheNearestChannel)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenShown(QStringLiteral("SUR41622"));
    ASSERT_NE(child, nullptr);
    const int count = Stored(child, QStringLiteral("setting"), -1, "numberChannels");
    CTavoCPSTreeView *tree = child->Tree();
    tree->setFocus(Qt::OtherFocusReason);
    tree->setCurrentItem(tree->ChannelItem(count - 1));
    QApplication::processEvents();
    ASSERT_EQ(child->PageIndex(), int(PageChannel));
    m_sink.Answer(IDYES);
    QTest::keyClick(tree, Qt::Key_Delete);
    QApplication::processEvents();
    ASSERT_EQ(Stored(child, QStringLiteral("setting"), -1, "numberChannels"), count - 1);
    m_sink.clear();
    Press(tree, Qt::Key_Z);
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "numberChannels"), count);
    EXPECT_EQ(child->PageIndex(), int(PageChannel));
    EXPECT_EQ(tree->currentItem(), tree->ChannelItem(count - 1));
    QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : tree;
    Press(focus, Qt::Key_Y);
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "numberChannels"), count - 1);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    EXPECT_EQ(child->PageIndex(), int(PageChannel));
    EXPECT_EQ(tree->currentItem(), tree->ChannelItem(count - 2));
    auto *page = qobject_cast<CChannelView *>(child->Page());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->ChannelIndex(), count - 2);
    EXPECT_EQ(qobject_cast<QLineEdit *>(page->Control(1085))->text(),
              Item(child, QStringLiteral("channels"), count - 2).GetText(QStringLiteral("name")));
}

TEST_F(UndoKeysTest, ChoicesAreStepsOfTheirOwnNamedByThePageAndNoOpEditsAreNone)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenShown(QStringLiteral("SUR41622"));
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();
    Show<CBaseView>(child, PageAudioSettings);
    auto *gain = qobject_cast<QComboBox *>(child->Page()->Control(1025));
    ASSERT_NE(gain, nullptr);
    ASSERT_GE(gain->count(), 3);
    const int stored = Stored(child, QStringLiteral("setting"), -1, "microphoneGain");
    // The value already stored: no step, not modified.
    gain->setFocus(Qt::OtherFocusReason);
    Choose(gain, gain->currentIndex());
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_FALSE(doc->IsModified());
    // Two choices in one list: two steps, named for the audio page.
    const int a = stored == 0 ? 1 : 0, b = stored == 2 ? 1 : 2;
    Choose(gain, a);
    Choose(gain, b);
    EXPECT_EQ(UndoText(), UndoCaption(msg::StepChangeAudio));
    // The step brings back the list, from another page.
    Show<CBaseView>(child, PageChannels);
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "microphoneGain"), a);
    EXPECT_EQ(QApplication::focusWidget(), child->Page()->Control(1025));
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "microphoneGain"), stored);
    EXPECT_FALSE(doc->IsModified());

    // A text field committed by Tab: the step brings back that field, not
    // the one the Tab went to.
    Show<CBaseView>(child, PageSettings);
    auto *station = qobject_cast<QLineEdit *>(child->Page()->Control(1004));
    ASSERT_NE(station, nullptr);
    ASSERT_TRUE(station->isVisibleTo(child->Page()));
    station->setFocus(Qt::OtherFocusReason);
    station->selectAll();
    QTest::keyClicks(station, QStringLiteral("AB1"));
    QTest::keyClick(station, Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_EQ(Item(child, QStringLiteral("setting")).GetText(QStringLiteral("stationID")), QStringLiteral("AB1"));
    EXPECT_NE(QApplication::focusWidget(), station);
    EXPECT_EQ(UndoText(), UndoCaption(msg::StepChangeSetting));
    Show<CBaseView>(child, PageChannels);
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(QApplication::focusWidget(), child->Page()->Control(1004));

    // A refused value left in its field: Undo first puts the stored one back.
    auto *hang = qobject_cast<QLineEdit *>(child->Page()->Control(1005));
    ASSERT_NE(hang, nullptr);
    if (!hang->isHidden()) {
        const QString storedHang = hang->text();
        hang->setFocus(Qt::OtherFocusReason);
        hang->selectAll();
        QTest::keyClicks(hang, QStringLiteral("99"));
        m_sink.clear();
        QTest::keyClick(hang, Qt::Key_Tab);
        QApplication::processEvents();
        ASSERT_EQ(m_sink.shown().size(), 1u) << "the hang time is refused";
        ASSERT_EQ(hang->text(), QStringLiteral("99"));
        EXPECT_FALSE(doc->CanUndo());
        m_sink.clear();
        ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo)); // offered for the field
        EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
        EXPECT_EQ(hang->text(), storedHang);
        EXPECT_EQ(QApplication::focusWidget(), hang);
        EXPECT_FALSE(doc->IsModified());
        Frame()->UpdateCommandUI();
        EXPECT_FALSE(Frame()->Command(cmd::EditUndo)->isEnabled());
    }
}
