// The customised tone page: tones shown in hertz, the typing filter, the
// commit when the focus moves on within the page and before the page is
// left, and the refusal that keeps the focus on the tone.

#include "PageTestSupport.h"

#include "views/CCustomizedCTView.h"
#include "views/DecimalFilter.h"

using namespace tavo;
using namespace tavo::test;

TEST_F(PageTest, DecimalFilterKeepsDigitsAndTheFirstSeparator)
{
    EXPECT_EQ(FilterDecimalText(QStringLiteral("8a8.5.5x"), true, QStringLiteral(".")), QStringLiteral("88.55"));
    EXPECT_EQ(FilterDecimalText(QStringLiteral("1,2.3,4"), true, QStringLiteral(",")), QStringLiteral("1,234"));
    EXPECT_EQ(FilterDecimalText(QStringLiteral("-12.5"), false, QStringLiteral(".")), QStringLiteral("125"));
    EXPECT_EQ(CCustomizedCTView::TenthsOfText(QStringLiteral("67,3"), QStringLiteral(",")), 673);
    EXPECT_EQ(CCustomizedCTView::TenthsOfText(QStringLiteral("100"), QStringLiteral(".")), 1000);
    EXPECT_EQ(CCustomizedCTView::TenthsOfText(QString(), QStringLiteral(".")), 0);
}

TEST_F(PageTest, CustomizedTonesFilterTypingAndKeepTheFocusOnARefusedTone)
{
    auto *page = OpenPage<CCustomizedCTView>(ProfileWith(QStringLiteral("OUD11602"), QStringLiteral("ct.kp2"),
                                                         {{QStringLiteral("CTcode125=\"719\""), QStringLiteral("CTcode125=\"885\"")}}),
                                             PageCustomizedCT);
    ASSERT_NE(page, nullptr);
    auto edit = [&](int id) { return qobject_cast<QLineEdit *>(page->Control(id)); };
    auto stored = [&](int slot) { return Setting().GetInt(QStringLiteral("CTcode%1").arg(slot)); };
    EXPECT_EQ(edit(1084)->text(), QStringLiteral("67.0"));
    EXPECT_EQ(edit(1085)->text(), QStringLiteral("88.5"));
    EXPECT_EQ(edit(1089)->maxLength(), 5);
    EXPECT_FALSE(Doc()->IsModified());

    // Typing: a second decimal is cut, letters and a second separator dropped.
    Type(edit(1084), QStringLiteral("88.55"));
    EXPECT_EQ(edit(1084)->text(), QStringLiteral("88.5"));
    EXPECT_FALSE(Doc()->IsModified()); // marked once committed, not by typing
    Type(edit(1085), QStringLiteral("1a0.b.0"));
    EXPECT_EQ(edit(1085)->text(), QStringLiteral("10.0"));
    Type(edit(1085), QStringLiteral("100"));

    // Moving on within the page commits; 66.9 is refused with the range
    // message and the tone keeps the focus, all selected.
    m_sink.clear();
    Type(edit(1086), QStringLiteral("66.9"));
    edit(1087)->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(m_sink.last(), LoadString(478));
    EXPECT_EQ(QApplication::focusWidget(), edit(1086));
    EXPECT_EQ(edit(1086)->selectedText(), QStringLiteral("66.9"));
    EXPECT_EQ(stored(126), 744);
    EXPECT_EQ(stored(124), 885); // committed when the focus left it
    EXPECT_EQ(stored(125), 1000);
    EXPECT_TRUE(Doc()->IsModified());

    // Leaving the page with 255.1 in 1086 and a change in 1087: 1086 is
    // refused and refocused, 1087 waits for the next attempt.
    Type(edit(1086), QStringLiteral("255.1"));
    edit(1087)->setText(QStringLiteral("99.9"));
    edit(1087)->setModified(true);
    m_sink.clear();
    EXPECT_FALSE(page->CommitChanges());
    QApplication::processEvents();
    EXPECT_EQ(m_sink.last(), LoadString(478));
    EXPECT_EQ(QApplication::focusWidget(), edit(1086));
    EXPECT_EQ(stored(126), 744);
    EXPECT_EQ(stored(127), 770);
    // An empty tone commits 0, which the rules refuse.
    edit(1086)->clear();
    edit(1086)->setModified(true);
    EXPECT_FALSE(page->CommitChanges());
    QApplication::processEvents();
    edit(1086)->setText(QStringLiteral("123.4"));
    edit(1086)->setModified(true);
    EXPECT_TRUE(page->CommitChanges());
    EXPECT_EQ(stored(126), 1234);
    EXPECT_EQ(stored(127), 999);
}
