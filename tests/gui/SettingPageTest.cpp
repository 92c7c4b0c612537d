// The general settings page: the password pair and its messages, the text
// entries committed on leaving and before the page is left (a refusal puts
// the focus back), the backlight's two writes, the time-out conversion,
// and the rows a model's limits hide.

#include "PagesFixture.h"

#include "views/CSettingView.h"

#include <QCheckBox>

using namespace tavo;
using namespace tavo::test;

TEST_F(FormPageTest, SettingPasswordPairChecksOnLeavingAndBeforeThePageIsLeft)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenEdited(QStringLiteral("SUR41622"));
    ASSERT_NE(child, nullptr);
    Frame()->activateWindow();
    auto *page = Show<CSettingView>(child, PageSettings);
    ASSERT_NE(page, nullptr);
    auto *password = qobject_cast<QLineEdit *>(page->Control(1059));
    auto *confirm = qobject_cast<QLineEdit *>(page->Control(1002));
    auto *other = qobject_cast<QLineEdit *>(page->Control(1005)); // the hang time
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);

    // Two digits then Tab: 212, back on the password with its text selected.
    password->setFocus();
    QTest::keyClicks(password, QStringLiteral("1a2"));
    EXPECT_EQ(password->text(), QStringLiteral("12"));
    m_sink.clear();
    QTest::keyClick(password, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(m_sink.last(), LoadString(212));
    EXPECT_EQ(password->selectedText(), QStringLiteral("12"));
    // 1234 confirmed as 1243: 228 and both cleared.
    password->setText(QStringLiteral("1234"));
    confirm->setFocus();
    QTest::keyClicks(confirm, QStringLiteral("1243"));
    m_sink.clear();
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(m_sink.last(), LoadString(228));
    EXPECT_TRUE(password->text().isEmpty());
    EXPECT_TRUE(confirm->text().isEmpty());
    // Equal four digits are written when the confirmation is left.
    password->setText(QStringLiteral("0123"));
    confirm->setFocus();
    QTest::keyClicks(confirm, QStringLiteral("0123"));
    other->setFocus();
    EXPECT_EQ(Item(child, QStringLiteral("setting")).GetText(QStringLiteral("password")), QStringLiteral("0123"));
    // Both cleared and the page left: the empty password is written.
    password->clear();
    confirm->clear();
    EXPECT_TRUE(page->CommitChanges());
    EXPECT_EQ(Item(child, QStringLiteral("setting")).GetText(QStringLiteral("password")), QString());
    // A pending mismatch stops the page from being left.
    password->setText(QStringLiteral("5555"));
    m_sink.clear();
    EXPECT_FALSE(page->CommitChanges());
    EXPECT_EQ(m_sink.last(), LoadString(228));
}

TEST_F(FormPageTest, SettingEntriesListsAndHiddenRows)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenEdited(QStringLiteral("SUR41622"));
    ASSERT_NE(child, nullptr);
    Frame()->activateWindow();
    auto *page = Show<CSettingView>(child, PageSettings);
    ASSERT_NE(page, nullptr);
    auto *hang = qobject_cast<QLineEdit *>(page->Control(1005));
    auto *lowBattery = qobject_cast<QLineEdit *>(page->Control(1006));
    auto *station = qobject_cast<QLineEdit *>(page->Control(1004));
    EXPECT_TRUE(page->Control(1003)->isHidden()); // no power-up text without a display
    EXPECT_EQ(hang->text(), QStringLiteral("5"));
    EXPECT_FALSE(page->Control(1028)->isHidden()); // this model has the reverse burst

    // A refused hang time: its message, the focus back, the text selected.
    hang->setFocus();
    hang->selectAll();
    QTest::keyClicks(hang, QStringLiteral("6x0"));
    EXPECT_EQ(hang->text(), QStringLiteral("60"));
    m_sink.clear();
    lowBattery->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(m_sink.last(), LoadString(9966)); // the rule's own, with its range
    EXPECT_EQ(hang->selectedText(), QStringLiteral("60"));
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "rep_hangtime"), 5);
    EXPECT_FALSE(page->CommitChanges());
    hang->setText(QStringLiteral("9"));
    // The station ID goes in before the page is left.
    station->setText(QStringLiteral("WX1ABC"));
    EXPECT_TRUE(page->CommitChanges());
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "rep_hangtime"), 9);
    EXPECT_EQ(Item(child, QStringLiteral("setting")).GetText(QStringLiteral("stationID")), QStringLiteral("WX1ABC"));

    // Backlight "10" writes 1 and 10; "OFF" 0 and 0. Time-out "180" is 180.
    Choose(page->Control(1060), 2);
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "backlight_enabled"), 1);
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "backlight_timeout"), 10);
    Choose(page->Control(1060), 0);
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "backlight_enabled"), 0);
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "backlight_timeout"), 0);
    Choose(page->Control(1026), 3);
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "timeoutTimer"), 180);
    Choose(page->Control(1026), 0);
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "timeoutTimer"), 0);
    qobject_cast<QCheckBox *>(page->Control(1038))->click();
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "courtesy_over"), 1);

    // Without the reverse burst in the limits its row is hidden.
    child = OpenEdited(QStringLiteral("SUR41622"), [](QString &xml) {
        xml.replace(QStringLiteral("enable_reverse_burst=\"1\""), QStringLiteral("enable_reverse_burst=\"0\""));
    });
    page = Show<CSettingView>(child, PageSettings);
    EXPECT_TRUE(page->Control(1028)->isHidden());
    EXPECT_TRUE(page->Control(1018)->isHidden());
    EXPECT_FALSE(page->Control(1029)->isHidden());

    // A display profile without the repeater options: those rows are
    // hidden and the others show their stored values, without an error.
    child = OpenEdited(QStringLiteral("OUD11602"));
    m_sink.clear();
    page = Show<CSettingView>(child, PageSettings);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    EXPECT_TRUE(page->Control(1005)->isHidden());
    EXPECT_EQ(qobject_cast<QComboBox *>(page->Control(1026))->currentIndex(), 1); // 60 s
    EXPECT_EQ(qobject_cast<QComboBox *>(page->Control(1060))->currentIndex(), 1); // 5 s
    EXPECT_EQ(qobject_cast<QLineEdit *>(page->Control(1003))->text(), QStringLiteral("WELCOME"));
}

// A radio's stored value that is none of a list's entries (a 6 s time-out
// where the list steps by 60 s) shows as itself, changes nothing by being
// shown or chosen again, and goes only when the dealer picks an entry.
TEST_F(FormPageTest, SettingListShowsAStoredValueOutsideItAndKeepsIt)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenEdited(QStringLiteral("OUD11602"), [](QString &xml) {
        xml.replace(QStringLiteral("timeoutTimer=\"60\""), QStringLiteral("timeoutTimer=\"6\""));
    });
    ASSERT_NE(child, nullptr);
    Frame()->activateWindow();
    auto *page = Show<CSettingView>(child, PageSettings);
    ASSERT_NE(page, nullptr);
    auto *timeout = qobject_cast<QComboBox *>(page->Control(1026));
    EXPECT_EQ(timeout->currentText(), QStringLiteral("6 (not in the list)"));
    EXPECT_FALSE(child->Document()->IsModified());
    Choose(timeout, timeout->currentIndex());
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "timeoutTimer"), 6);
    EXPECT_FALSE(child->Document()->IsModified());

    // The dealer picks an entry with the keyboard: that one is written.
    timeout->setFocus();
    QTest::keyClick(timeout, Qt::Key_Home);
    QApplication::processEvents();
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "timeoutTimer"), 0);
    EXPECT_TRUE(child->Document()->IsModified());
}
