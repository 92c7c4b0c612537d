// The channel pages: the frequency lists within the range with their
// out-of-range entry, the repeater and its message, the modes a frequency
// forces, the single-column model writing the transmit twins, the name
// commit, and the add button of the channel list.

#include "PagesFixture.h"

#include "views/CChannelView.h"
#include "views/CChannelsView.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace tavo;
using namespace tavo::test;

TEST_F(FormPageTest, ChannelFrequencyListsRepeaterAndFrequencyModes)
{
    ASSERT_TRUE(Start());
    // Entry 16 outside the model's range; entry 4 fixed to 25 kHz.
    CChildFrame *child = OpenEdited(QStringLiteral("SUR41622"), [](QString &xml) {
        xml.replace(QStringLiteral("freq=\"461387500\""), QStringLiteral("freq=\"480000000\""));
        xml.replace(QStringLiteral("freq=\"461087500\" bandwidth=\"2\""), QStringLiteral("freq=\"461087500\" bandwidth=\"1\""));
    });
    ASSERT_NE(child, nullptr);
    auto *page = Show<CChannelView>(child, PageChannel, 15);
    ASSERT_NE(page, nullptr);
    auto *rx = qobject_cast<QComboBox *>(page->Control(1016));
    auto *tx = qobject_cast<QComboBox *>(page->Control(1017));
    EXPECT_EQ(page->FrequencyMap(0)[15], -1);
    ASSERT_EQ(rx->count(), 16);
    EXPECT_EQ(rx->itemText(15), LoadString(510));
    EXPECT_EQ(rx->currentIndex(), 15);
    EXPECT_EQ(rx->itemText(0), QStringLiteral("1 - 461.012500"));
    EXPECT_EQ(qobject_cast<QLabel *>(page->Control(1058))->text(), QStringLiteral("CH 16 (16)"));
    Choose(rx, 0); // a real entry: the out-of-range entry goes
    EXPECT_EQ(rx->count(), 15);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 15, "rx_freq_ndx"), 0);
    EXPECT_EQ(tx->itemText(tx->count() - 1), LoadString(510)); // the other direction keeps its own

    // Repeater on with equal frequencies: the transmit side moves on.
    page = Show<CChannelView>(child, PageChannel, 0);
    rx = qobject_cast<QComboBox *>(page->Control(1016));
    tx = qobject_cast<QComboBox *>(page->Control(1017));
    auto *repeater = qobject_cast<QCheckBox *>(page->Control(1024));
    EXPECT_FALSE(page->Control(1017)->isEnabled());
    EXPECT_FALSE(page->Control(1076)->isHidden());
    repeater->click();
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "repeater"), 1);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "tx_freq_ndx"), 1);
    EXPECT_TRUE(page->Control(1017)->isEnabled());
    EXPECT_TRUE(page->Control(1076)->isHidden());
    m_sink.clear();
    Choose(tx, 0); // equal to the receive frequency: 514 and the next entry
    EXPECT_EQ(m_sink.last(), LoadString(514));
    EXPECT_EQ(tx->currentIndex(), 1);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "tx_freq_ndx"), 1);
    // Receive chosen equal to transmit with the repeater on: the same.
    m_sink.clear();
    Choose(rx, 1);
    EXPECT_EQ(m_sink.last(), LoadString(514));
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "tx_freq_ndx"), 2);
    // Repeater off: equal frequencies are taken and the repeater stays off.
    repeater->click();
    m_sink.clear();
    Choose(tx, 1);
    EXPECT_TRUE(m_sink.empty());
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "tx_freq_ndx"), 1);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "repeater"), 0);
    EXPECT_FALSE(repeater->isChecked());

    // A frequency fixed to 25 kHz forces and greys the bandwidth list.
    Choose(rx, 3);
    auto *bw = qobject_cast<QComboBox *>(page->Control(1018));
    EXPECT_EQ(bw->currentIndex(), 1);
    EXPECT_FALSE(bw->isEnabled());
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "rx_bw"), 1);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "rx_freq_ndx"), 3);
    Choose(rx, 2); // selectable again, default 12.5
    EXPECT_TRUE(bw->isEnabled());
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "rx_bw"), 0);
    // Power: position 0 is high, as the rules store it.
    auto *power = qobject_cast<QComboBox *>(page->Control(1028));
    EXPECT_EQ(power->itemText(0), LoadString(192));
    Choose(power, 1);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "talkaround_power"), 1);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 0, "repeater_power"), 0);
}

TEST_F(FormPageTest, SingleColumnChannelWritesTransmitTwinsAndCommitsItsName)
{
    ASSERT_TRUE(Start());
    SetApplicationLanguage(QStringLiteral("German")); // a comma separator
    CChildFrame *child = OpenEdited(QStringLiteral("OUR10802"));
    ASSERT_NE(child, nullptr);
    auto *page = Show<CChannelView>(child, PageChannel, 1);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->Control(1115)->isHidden());
    EXPECT_TRUE(page->Control(1017)->isHidden());
    EXPECT_TRUE(page->Control(1024)->isHidden());
    EXPECT_EQ(qobject_cast<QLabel *>(page->Control(1111))->text(), LoadString(232) + QLatin1Char('/') + LoadString(236));
    auto *rx = qobject_cast<QComboBox *>(page->Control(1016));
    EXPECT_TRUE(rx->itemText(0).contains(QStringLiteral("446,006250"))) << rx->itemText(0).toStdString();
    EXPECT_EQ(qobject_cast<QComboBox *>(page->Control(1018))->itemText(0), QStringLiteral("12,5"));
    auto *code = qobject_cast<QComboBox *>(page->Control(1019));
    EXPECT_EQ(code->count(), 123);
    EXPECT_EQ(code->itemText(1), QStringLiteral("1 - 67,0 Hz"));
    // Receive choices also set the hidden transmit side.
    Choose(code, 5);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 1, "rx_code"), 5);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 1, "tx_code"), 5);
    Choose(rx, 4);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 1, "rx_freq_ndx"), 4);
    EXPECT_EQ(Stored(child, QStringLiteral("channels"), 1, "tx_freq_ndx"), 4);

    // A name of spaces is refused silently; the old name keeps the focus.
    auto *name = qobject_cast<QLineEdit *>(page->Control(1085));
    const QString old = name->text();
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("   "));
    m_sink.clear();
    EXPECT_FALSE(page->CommitChanges());
    QApplication::processEvents();
    EXPECT_TRUE(m_sink.empty());
    EXPECT_EQ(name->text(), old);
    EXPECT_EQ(name->selectedText(), old);
    // A duplicate is refused with the rules' message.
    name->setText(Item(child, QStringLiteral("channels"), 0).GetText(QStringLiteral("name")));
    EXPECT_FALSE(page->CommitChanges());
    EXPECT_EQ(m_sink.last(), LoadString(298));
    name->setText(QStringLiteral("DEPOT"));
    EXPECT_TRUE(page->CommitChanges());
    EXPECT_EQ(qobject_cast<QLabel *>(page->Control(1058))->text(), QStringLiteral("DEPOT (2)"));
    EXPECT_EQ(child->Tree()->ChannelItem(1)->text(0), QStringLiteral("DEPOT"));
}

TEST_F(FormPageTest, ChannelListAddsUntilTheProfileIsFull)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenEdited(QStringLiteral("SUR41622"), [](QString &xml) {
        xml.replace(QStringLiteral("maxChannels=\"16\""), QStringLiteral("maxChannels=\"17\""));
    });
    ASSERT_NE(child, nullptr);
    auto *page = Show<CChannelsView>(child, PageChannels);
    ASSERT_NE(page, nullptr);
    auto *add = qobject_cast<QPushButton *>(page->Control(1041));
    EXPECT_TRUE(add->isEnabled());
    QTest::mouseClick(add, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(Item(child, QStringLiteral("setting")).GetInt(QStringLiteral("numberChannels")), 17);
    // The tree shows the new channel; back on the list the button is off.
    EXPECT_NE(qobject_cast<CChannelView *>(child->Page()), nullptr);
    page = Show<CChannelsView>(child, PageChannels);
    EXPECT_FALSE(page->Control(1041)->isEnabled());
}
