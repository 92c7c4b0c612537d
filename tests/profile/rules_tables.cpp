// The installed rules for the channel and frequency tables: adding up to
// the radio's sizes, deleting with its confirmations and refusals, and the
// frequency table's range, duplicate and power checks.

#include "model_fixture.h"

#include "profile/ProfileChecks.h"

using namespace tavo;
using namespace tavo::test;

namespace {

class TableRules : public ModelTest {
protected:
    QString ChannelName(int index) const { return Text(QStringLiteral("channels/channel[%1]").arg(index + 1), "name"); }
};

TEST_F(TableRules, ChannelsAreAddedUpToTheRadiosSlotsWithValidValues)
{
    LoadTemplate(QStringLiteral("SUR41622"), {{QStringLiteral("maxChannels=\"16\""), QStringLiteral("maxChannels=\"18\"")}});
    CDataItem channels = Item(QStringLiteral("channels"));
    for (int n = 17; n <= 18; ++n) {
        ASSERT_TRUE(channels.CanAddChild());
        CDataItem added;
        ASSERT_TRUE(channels.AddNewChild(added));
        EXPECT_EQ(added.NodeName(), QStringLiteral("channel"));
        EXPECT_EQ(added.GetText(QStringLiteral("name")), n == 17 ? QStringLiteral("CHAN 01") : QStringLiteral("CHAN 02"));
        EXPECT_EQ(Text("setting", "numberChannels"), QString::number(n));
        EXPECT_EQ(channels.GetChildCount(), n);
        EXPECT_EQ(added.GetInt(QStringLiteral("rx_code")), 0);
        EXPECT_TRUE(CheckFrequencies(m_model.m_rootItem));
        // The new channel is a channel like the others: the rules apply to it.
        int id = 0, style = 0;
        EXPECT_EQ(added.SetAttributeValue(QStringLiteral("name"), QStringLiteral("CH 1"), id, 0, style), 1);
        EXPECT_EQ(id, 298);
    }
    EXPECT_FALSE(channels.CanAddChild());
    CDataItem none = channels;
    EXPECT_FALSE(channels.AddNewChild(none));
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(channels.GetChildCount(), 18);

    // A radio's unused slot is taken over by the next channel added.
    LoadTemplate(QStringLiteral("OUR10802"), {{QStringLiteral("numberChannels=\"8\""), QStringLiteral("numberChannels=\"6\"")}});
    CDataItem slotted = Item(QStringLiteral("channels"));
    CDataItem added;
    ASSERT_TRUE(slotted.AddNewChild(added));
    EXPECT_EQ(slotted.GetChildCount(), 8);
    EXPECT_EQ(ChannelName(6), QStringLiteral("CHAN 01"));
    EXPECT_EQ(Text("setting", "numberChannels"), QStringLiteral("7"));
}

TEST_F(TableRules, DeletingAPresetChannelAsksAndMovesThePreset)
{
    LoadTemplate(QStringLiteral("OUR10802"), {{QStringLiteral("<preset channel=\"1\"/>"), QStringLiteral("<preset channel=\"4\"/>")}});
    CDataItem channels = Item(QStringLiteral("channels"));
    int id = -1, style = -1;
    // Channel 5 is on preset 2: confirmation first, nothing removed yet.
    EXPECT_EQ(channels.RemoveChildByIndex(4, id, 0, style), 2);
    EXPECT_EQ(id, 401);
    EXPECT_EQ(style, 0x24); // Yes/No, question
    EXPECT_EQ(channels.GetChildCount(), 8);
    EXPECT_EQ(ChannelName(4), QStringLiteral("PMR 5"));
    // Yes: removed, the preset moves to the channel before it.
    EXPECT_EQ(channels.RemoveChildByIndex(4, id, 6, style), 0);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(style, 0);
    EXPECT_EQ(channels.GetChildCount(), 7);
    EXPECT_EQ(ChannelName(4), QStringLiteral("PMR 6"));
    EXPECT_EQ(Text("setting", "numberChannels"), QStringLiteral("7"));
    EXPECT_EQ(Text("setting/preset[2]", "channel"), QStringLiteral("3"));
    // A channel below the presets: they move down with their channels.
    EXPECT_EQ(channels.RemoveChildByIndex(6, id, 0, style), 0);
    EXPECT_EQ(channels.RemoveChildByIndex(1, id, 0, style), 0);
    EXPECT_EQ(Text("setting/preset[1]", "channel"), QStringLiteral("0"));
    EXPECT_EQ(Text("setting/preset[2]", "channel"), QStringLiteral("2"));
    // Never the last channel.
    while (channels.GetChildCount() > 1) {
        EXPECT_TRUE(channels.CanDeleteChild());
        ASSERT_EQ(channels.RemoveChildByIndex(channels.GetChildCount() - 1, id, 6, style), 0);
    }
    CDataItem last;
    channels.GetChildByIndex(0, last);
    EXPECT_FALSE(channels.CanDeleteChild());
    EXPECT_FALSE(last.CanDeleteChild());
    EXPECT_EQ(channels.RemoveChildByIndex(0, id, 6, style), 1);
    EXPECT_EQ(id, 338);
    EXPECT_EQ(channels.GetChildCount(), 1);
    // Structural children are never removed.
    EXPECT_EQ(m_model.m_rootItem.RemoveChildByIndex(0, id, 6, style), 1);
    EXPECT_EQ(m_model.m_rootItem.GetChildCount(), 5);
}

TEST_F(TableRules, FrequenciesStayInsideTheRangeUniqueAndWithinTheTable)
{
    LoadTemplate(QStringLiteral("OUR40822")); // 400-470 MHz, 8 of 99 entries
    CDataItem table = Item(QStringLiteral("frequencies"));
    int id = -1, style = -1;
    EXPECT_TRUE(table.CanAddChild());
    EXPECT_TRUE(table.AddFrequency(470000000, 1, 0, id, style));
    EXPECT_EQ(id, 0);
    EXPECT_EQ(table.GetChildCount(), 9);
    EXPECT_EQ(Text("frequencies/frequency[9]", "freq"), QStringLiteral("470000000"));
    EXPECT_EQ(Text("frequencies/frequency[9]", "power_level"), QStringLiteral("0"));
    EXPECT_FALSE(table.AddFrequency(470000001, 1, 0, id, style));
    EXPECT_EQ(id, 269);
    EXPECT_EQ(style, 0x30);
    EXPECT_FALSE(table.AddFrequency(461012500, 1, 0, id, style));
    EXPECT_EQ(id, 9301);
    EXPECT_FALSE(table.AddFrequency(450000000, 4, 0, id, style));
    EXPECT_EQ(id, 261);
    EXPECT_EQ(table.GetChildCount(), 9);

    // Changing an entry that channels use asks first; on Yes it changes.
    EXPECT_EQ(table.SetFreqAttributeValue(quint32(462000000), 2, 2, 2, 0, id, style, 0), 2);
    EXPECT_EQ(id, 9303);
    EXPECT_EQ(style, 0x24);
    EXPECT_EQ(Text("frequencies/frequency[1]", "freq"), QStringLiteral("461012500"));
    EXPECT_EQ(table.SetFreqAttributeValue(quint32(462000000), 2, 2, 2, 0, id, style, 6), 0);
    EXPECT_EQ(Text("frequencies/frequency[1]", "freq"), QStringLiteral("462000000"));
    EXPECT_EQ(Text("frequencies/frequency[1]", "compander_lle_mode"), QStringLiteral("2"));
    // A change that leaves the frequency needs no question; a duplicate is refused.
    EXPECT_EQ(table.SetFreqAttributeValue(quint32(462000000), 0, 3, 3, 0, id, style, 0), 0);
    EXPECT_EQ(table.SetFreqAttributeValue(quint32(470000000), 0, 3, 3, 0, id, style, 0), 1);
    EXPECT_EQ(id, 9301);
    EXPECT_EQ(table.SetFreqAttributeValue(quint32(399999999), 0, 3, 3, 8, id, style, 6), 1);
    EXPECT_EQ(id, 269);
    EXPECT_EQ(table.SetFreqAttributeValue(quint32(450000000), 0, 3, 3, 99, id, style, 6), 1);
    EXPECT_EQ(id, 261);

    // Entries that channels use cannot be deleted; the others can, and the
    // channels' positions follow.
    EXPECT_FALSE(table.CanDeleteFrequency(0));
    CDataItem used;
    table.GetChildByIndex(0, used);
    EXPECT_FALSE(used.CanDeleteFrequency(0));
    EXPECT_EQ(table.RemoveChildByIndex(0, id, 6, style), 1);
    EXPECT_EQ(id, 288);
    ASSERT_EQ(Set(QStringLiteral("channels/channel[8]"), "rx_freq_ndx", 8).result, 0);
    ASSERT_EQ(Set(QStringLiteral("channels/channel[8]"), "tx_freq_ndx", 8).result, 0);
    EXPECT_TRUE(table.CanDeleteFrequency(7));
    EXPECT_EQ(table.RemoveChildByIndex(7, id, 0, style), 0);
    EXPECT_EQ(table.GetChildCount(), 8);
    EXPECT_EQ(Text("channels/channel[8]", "rx_freq_ndx"), QStringLiteral("7"));
    EXPECT_EQ(Text("frequencies/frequency[8]", "freq"), QStringLiteral("470000000"));
    EXPECT_TRUE(CheckFrequencies(m_model.m_rootItem));
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
}

TEST_F(TableRules, APmr446TableIsFullAtSixteenLowPowerEntries)
{
    LoadTemplate(QStringLiteral("PUD11602"));
    CDataItem table = Item(QStringLiteral("frequencies"));
    int id = 0, style = 0;
    EXPECT_FALSE(table.CanAddChild());
    EXPECT_FALSE(table.AddFrequency(446100000, 0, 1, id, style));
    EXPECT_EQ(id, 9302);
    // Free one entry: no channel may use the last one.
    ASSERT_EQ(Item(QStringLiteral("channels")).RemoveChildByIndex(15, id, 6, style), 0);
    ASSERT_EQ(table.RemoveChildByIndex(15, id, 0, style), 0);
    EXPECT_TRUE(table.CanAddChild());
    EXPECT_FALSE(table.AddFrequency(446193750, 0, 0, id, style)); // high power
    EXPECT_EQ(id, 515);
    EXPECT_FALSE(table.AddFrequency(446193750, 0, 2, id, style));
    EXPECT_EQ(id, 515);
    EXPECT_FALSE(table.AddFrequency(446193750, 0, 3, id, style)); // no selectable power here
    EXPECT_EQ(id, 9306);
    EXPECT_TRUE(table.AddFrequency(446193750, 0, 1, id, style));
    EXPECT_EQ(table.SetFreqAttributeValue(quint32(446193750), 0, 0, 0, 15, id, style, 0), 1);
    EXPECT_EQ(id, 515);
    EXPECT_EQ(Set(QStringLiteral("frequencies/frequency[1]"), "power_level", 0).msgId, 515);
    EXPECT_EQ(Set(QStringLiteral("frequencies/frequency[1]"), "freq", 445990000).msgId, 269);
    EXPECT_EQ(Set(QStringLiteral("frequencies/frequency[1]"), "freq", 446018750).msgId, 9301);
    const Outcome ask = Set(QStringLiteral("frequencies/frequency[1]"), "freq", 446200000);
    EXPECT_EQ(ask.result, 2);
    EXPECT_EQ(ask.msgId, 9303);
    EXPECT_EQ(Set(QStringLiteral("frequencies/frequency[1]"), "freq", 446200000, 6).result, 0);
    EXPECT_EQ(Text("frequencies/frequency[1]", "freq"), QStringLiteral("446200000"));
}

} // namespace
