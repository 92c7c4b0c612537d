// The installed rules for attribute changes, each accepted and refused
// through the data items: ranges, texts, buttons, presets, codes and the
// values the radio fixes.

#include "model_fixture.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

using namespace tavo;
using namespace tavo::test;

namespace {

struct Change {
    const char *path;
    const char *attribute;
    QVariant value;
    int result;    // 0 accepted, 1 refused
    int msgId;     // the refusal's message
    const char *stored; // the attribute afterwards (null: not checked)
};

class SettingRules : public ModelTest {
protected:
    void Run(const std::vector<Change> &changes)
    {
        for (const Change &c : changes) {
            SCOPED_TRACE(std::string(c.path) + " " + c.attribute + "=" + c.value.toString().toStdString());
            const QString before = Text(QLatin1String(c.path), c.attribute);
            const Outcome o = Set(QLatin1String(c.path), c.attribute, c.value);
            EXPECT_EQ(o.result, c.result);
            EXPECT_EQ(o.msgId, c.result == 0 ? 0 : c.msgId);
            EXPECT_EQ(o.msgStyle, c.result == 0 ? 0 : 0x30);
            if (c.result != 0) {
                EXPECT_EQ(Text(QLatin1String(c.path), c.attribute), before);
            }
            if (c.stored) {
                EXPECT_EQ(Text(QLatin1String(c.path), c.attribute), QLatin1String(c.stored));
            }
        }
        EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    }
};

TEST_F(SettingRules, TextsAndNumbersOfTheSettings)
{
    LoadTemplate(QStringLiteral("OUR40822")); // a licensed business radio with the repeater options
    Run({
        {"setting", "password", QStringLiteral("0123"), 0, 0, "0123"},
        {"setting", "password", QString(), 0, 0, ""},
        {"setting", "password", QStringLiteral("123"), 1, 212, nullptr},
        {"setting", "password", QStringLiteral("12a4"), 1, 212, nullptr},
        {"setting", "powerupString", QStringLiteral("HELLO 1!"), 0, 0, "HELLO 1!"},
        {"setting", "powerupString", QStringLiteral("NINE CHAR"), 1, 280, nullptr},
        {"setting", "powerupString", QStringLiteral("CAF\u00c9"), 1, 9311, nullptr}, // a character, not the length
        {"setting", "powerupString", QStringLiteral("\u00c9\u00c9\u00c9\u00c9\u00c9"), 1, 9311, nullptr},
        {"setting", "stationID", QStringLiteral("DL1ABC/P"), 0, 0, "DL1ABC/P"},
        {"setting", "stationID", QStringLiteral("DL1ABC/P12"), 1, 491, nullptr},  // the schema's length check,
        {"setting", "stationID", QStringLiteral("DL-1"), 1, 9965, nullptr},
        {"setting", "rep_hangtime", 30, 0, 0, "30"},
        {"setting", "rep_hangtime", 60, 1, 9966, nullptr},
        {"setting", "low_battery_tx", 120, 0, 0, "120"},
        {"setting", "low_battery_tx", 121, 1, 9967, nullptr},
        {"setting", "vox_level", 0, 0, 0, "0"},
        {"setting", "vox_level", 4, 1, 261, nullptr},
        {"setting", "vox_level", QStringLiteral("x"), 1, 261, nullptr},
        {"setting", "timeoutTimer", 180, 0, 0, "180"},
        {"setting", "timeoutTimer", 256, 1, 261, nullptr},
        {"setting", "callTone", 3, 0, 0, "3"},
        {"setting", "callTone", 4, 1, 261, nullptr},    // max_call_tones is 3
        {"setting", "keypadLock", true, 0, 0, "1"},
        {"setting", "keypadLock", false, 0, 0, "0"},
        {"setting", "keypadLock", 2, 1, 261, nullptr},
        {"setting", "reverseBurst", 1, 0, 0, "1"},      // enable_reverse_burst is set
        {"setting", "rep_id_mode", 3, 0, 0, "3"},
        {"setting", "onbatt_alert", 5, 1, 261, nullptr},
        {"limit", "programming_mode_enabled", false, 0, 0, "0"}, // a user setting kept on limit
        {"limit", "programming_mode_enabled", true, 0, 0, "1"},
        {"limit", "programming_mode_enabled", 2, 1, 261, nullptr},
        {"limit", "maxChannels", 8, 0, 0, "8"},          // fixed values: no change is accepted
        {"limit", "maxChannels", 12, 1, 9305, nullptr},
        {"setting", "numberChannels", 3, 1, 9305, nullptr},
        {"factory_setting", "serial", QStringLiteral("123ABC4567"), 1, 9305, nullptr},
    });
}

TEST_F(SettingRules, CustomisedTonesButtonsPresetsAndCodes)
{
    LoadTemplate(QStringLiteral("OUD11602")); // maxCodes 213, presets on channels 1 and 2
    Run({
        {"setting", "CTcode124", 670, 0, 0, "670"},
        {"setting", "CTcode125", 2550, 0, 0, "2550"},
        {"setting", "CTcode126", 669, 1, 478, nullptr},
        {"setting", "CTcode127", 2551, 1, 478, nullptr},
        {"setting", "CTcode128", 0, 1, 478, nullptr},
        {"setting", "lower_right_but", 3, 1, 281, nullptr},  // call tone is on upper_right_but
        {"setting", "upper_right_but", 0, 0, 0, "0"},
        {"setting", "lower_right_but", 3, 0, 0, "3"},
        {"setting", "side1_but", 0, 0, 0, "0"},              // no feature may be on several buttons
        {"setting", "side2_but", 0, 0, 0, "0"},
        {"setting", "side2_but", 16, 1, 261, nullptr},
        {"setting/preset[1]", "channel", 15, 0, 0, "15"},
        {"setting/preset[2]", "channel", 16, 1, 282, nullptr},
        {"channels/channel[1]", "rx_code", 213, 0, 0, "213"},
        {"channels/channel[1]", "tx_code", 214, 1, 9304, nullptr},
        {"channels/channel[1]", "scramble_code", 3, 0, 0, "3"},
        {"channels/channel[1]", "repeater", 1, 1, 9306, nullptr}, // PMR446: no repeater
        {"channels/channel[1]", "in_scanlist", 0, 0, 0, "0"},
        {"channels/channel[1]", "rx_bw", true, 0, 0, "1"},
    });
    LoadTemplate(QStringLiteral("TUR10802")); // maxCodes 122, scan disabled
    Run({
        {"channels/channel[1]", "rx_code", 122, 0, 0, "122"},
        {"channels/channel[1]", "rx_code", 123, 1, 9304, nullptr},
        {"channels/channel[1]", "autoScan", 1, 1, 9306, nullptr},
        {"channels/channel[1]", "in_scanlist", 1, 1, 9306, nullptr},
        {"channels/channel[1]", "in_scanlist", 0, 0, 0, "0"},
    });
}

TEST_F(SettingRules, ChannelNamesAndFrequencyChoices)
{
    LoadTemplate(QStringLiteral("SUR41622")); // receive 400-470 MHz, transmit 403-470 MHz
    int id = 0, style = 0;
    ASSERT_TRUE(Item(QStringLiteral("frequencies")).AddFrequency(401000000, 0, 2, id, style));
    Run({
        {"channels/channel[1]", "name", QStringLiteral(" Base 1 "), 0, 0, "Base 1"},
        {"channels/channel[2]", "name", QStringLiteral("base 1"), 1, 298, nullptr},  // similar name
        {"channels/channel[2]", "name", QStringLiteral("CH 3"), 1, 298, nullptr},
        {"channels/channel[2]", "name", QStringLiteral("A&B"), 1, msg::NameCharactersAllowed, nullptr},
        {"channels/channel[2]", "name", QStringLiteral("TOO LONG9"), 1, 9310, nullptr}, // the length, not the characters
        {"channels/channel[2]", "name", QStringLiteral("   "), 1, msg::NameCharactersAllowed, nullptr},
        {"channels/channel[2]", "name", QStringLiteral("Yard-2"), 0, 0, "Yard-2"},
        {"channels/channel[1]", "rx_freq_ndx", 16, 0, 0, "16"},                   // 401 MHz: receive only
        {"channels/channel[1]", "tx_freq_ndx", 16, 1, 269, nullptr},
        {"channels/channel[1]", "tx_freq_ndx", 15, 0, 0, "15"},
        {"channels/channel[1]", "tx_freq_ndx", 17, 1, 269, nullptr},              // no such entry
        {"channels/channel[1]", "repeater", 1, 0, 0, "1"},                        // business radio
        {"channels/channel[1]", "talkaround_power", 1, 0, 0, "1"},
    });
}

// The refusal names the characters a name may hold; the rule and its message
// are kept apart (the script and the string table), so every printable
// character is tried against what the message says.
TEST_F(SettingRules, RefusedNameListsExactlyTheCharactersTheRuleTakes)
{
    LoadTemplate(QStringLiteral("SUR41622"));
    const QString message = LoadString(msg::NameCharactersAllowed);
    const int from = message.indexOf(QLatin1String("the signs ")), to = message.indexOf(QLatin1String(" (no"));
    ASSERT_GT(from, 0);
    ASSERT_GT(to, from);
    const QString signs = message.mid(from + 10, to - from - 10).remove(QLatin1Char(' '));
    for (char16_t c = 0x21; c < 0x7F; ++c) {
        const QChar ch(c);
        const QString name = QStringLiteral("N") + ch + QStringLiteral("1");
        SCOPED_TRACE(name.toStdString());
        const bool listed = ch.isLetterOrNumber() || signs.contains(ch);
        const Outcome o = Set(QStringLiteral("channels/channel[2]"), "name", name);
        EXPECT_EQ(o.result, listed ? 0 : 1);
        EXPECT_EQ(o.msgId, listed ? 0 : msg::NameCharactersAllowed);
    }
    for (const QString &accented : {QStringLiteral("CAF\u00c9"), QStringLiteral("\u00dcBER")}) // "no accented letters"
        EXPECT_EQ(Set(QStringLiteral("channels/channel[2]"), "name", accented).msgId, msg::NameCharactersAllowed);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
}

} // namespace
