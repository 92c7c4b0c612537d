// The scan list page: the two lists built from the channels' flags, Add and
// Remove with the next-name selection, the selection when a list empties,
// double clicks, channels matched by name, and a refused write.

#include "PageTestSupport.h"

#include "views/CScanView.h"

#include <QPushButton>
#include <QTreeWidget>

using namespace tavo;
using namespace tavo::test;

namespace {
QStringList Names(QTreeWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names << list->topLevelItem(i)->text(0);
    return names;
}
QStringList Selected(QTreeWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->isSelected())
            names << list->topLevelItem(i)->text(0);
    return names;
}
} // namespace

TEST_F(PageTest, ScanListMovesChannelsByNameAndKeepsASelection)
{
    // Nothing in the scan list: every channel available, the first selected,
    // Remove disabled.
    const QString path = ProfileWith(QStringLiteral("OUR10802"), QStringLiteral("scan.kp2"),
                                     {{QStringLiteral("in_scanlist=\"1\""), QStringLiteral("in_scanlist=\"0\"")},
                                      {QStringLiteral("name=\"PMR 8\""), QStringLiteral("name=\"PMR 7\"")}});
    auto *page = OpenPage<CScanView>(path, PageScanList);
    ASSERT_NE(page, nullptr);
    QTreeWidget *available = page->AvailableList(), *members = page->MembersList();
    auto *add = qobject_cast<QPushButton *>(page->Control(1033));
    auto *remove = qobject_cast<QPushButton *>(page->Control(1034));
    EXPECT_EQ(Names(available).size(), 8);
    EXPECT_TRUE(Names(members).isEmpty());
    EXPECT_EQ(Selected(available), QStringList{QStringLiteral("PMR 1")});
    EXPECT_TRUE(add->isEnabled());
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_EQ(available->headerItem()->text(0), LoadString(197));

    // Add PMR 2 and PMR 3: the item after the last selected one is selected.
    available->clearSelection();
    available->topLevelItem(1)->setSelected(true);
    available->topLevelItem(2)->setSelected(true);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(Names(members), (QStringList{QStringLiteral("PMR 2"), QStringLiteral("PMR 3")}));
    EXPECT_EQ(Selected(available), QStringList{QStringLiteral("PMR 4")});
    EXPECT_EQ(QApplication::focusWidget(), available);
    CDataItem channels, channel;
    Doc()->Root().GetChildByName(QStringLiteral("channels"), channels);
    channels.GetChildByIndex(1, channel);
    EXPECT_EQ(channel.GetInt(QStringLiteral("in_scanlist")), 1);
    EXPECT_TRUE(Doc()->IsModified());

    // Selecting in one list clears the other.
    members->topLevelItem(0)->setSelected(true);
    EXPECT_TRUE(Selected(available).isEmpty());
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_FALSE(add->isEnabled());

    // The last item added: no next name, the first available is selected.
    // The two channels called PMR 7 move together.
    available->clearSelection();
    available->topLevelItem(available->topLevelItemCount() - 1)->setSelected(true);
    ASSERT_EQ(Selected(available), QStringList{QStringLiteral("PMR 7")});
    add->setFocus(Qt::TabFocusReason);
    QTest::keyClick(add, Qt::Key_Space);
    EXPECT_EQ(Names(members).count(QStringLiteral("PMR 7")), 2);
    EXPECT_EQ(Selected(available), QStringList{QStringLiteral("PMR 1")});

    // A double click adds the channel clicked.
    available->clearSelection();
    const QRect rect = available->visualItemRect(available->topLevelItem(0));
    QTest::mouseClick(available->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    emit available->itemDoubleClicked(available->topLevelItem(0), 0);
    EXPECT_TRUE(Names(members).contains(QStringLiteral("PMR 1")));
    EXPECT_FALSE(Names(available).contains(QStringLiteral("PMR 1")));

    // Adding the last available channels empties the list: the first member
    // is selected and focused.
    available->selectAll();
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_TRUE(Names(available).isEmpty());
    EXPECT_EQ(Names(members).size(), 8);
    EXPECT_EQ(Selected(members), QStringList{QStringLiteral("PMR 1")});
    EXPECT_EQ(QApplication::focusWidget(), members);
    EXPECT_FALSE(add->isEnabled());

    // Remove with the scan feature disabled meanwhile still clears flags;
    // adding back is refused with 261 and the lists show the profile.
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(Names(available), QStringList{QStringLiteral("PMR 1")});
    EXPECT_EQ(Selected(members), QStringList{QStringLiteral("PMR 2")});
    SetRaw("limit", "disable_scan_mode", "1");
    m_sink.clear();
    available->topLevelItem(0)->setSelected(true);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(m_sink.last(), LoadString(261));
    EXPECT_EQ(Names(available), QStringList{QStringLiteral("PMR 1")});
    channels.GetChildByIndex(0, channel);
    EXPECT_EQ(channel.GetInt(QStringLiteral("in_scanlist")), 0);
}
