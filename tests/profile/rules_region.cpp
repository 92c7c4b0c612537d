// The model-dependent adjustments and checks with the installed rules: the
// region rules decide which requests are accepted; the pre-check of profile
// files with its messages.

#include "model_fixture.h"

#include "profile/ProfileChecks.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

using namespace tavo;
using namespace tavo::test;

namespace {

class RegionRules : public ModelTest {
protected:
    void AdjustAfterLoad()
    {
        ClearRepeaterDisableForVariant(m_model.m_rootItem);
        SetNonDisplaySpecificInfo(m_model.m_rootItem);
        ApplyModelVariantDefaults(m_model.m_rootItem);
    }
};

TEST_F(RegionRules, RotaryFourFiveWattVariantsGetTheirRepeaterAndMarker)
{
    EXPECT_TRUE(IsRotaryFourFiveWattVariant(QStringLiteral("OUR40822")));
    EXPECT_TRUE(IsRotaryFourFiveWattVariant(QStringLiteral("TVR50822")));
    EXPECT_FALSE(IsRotaryFourFiveWattVariant(QStringLiteral("OUD41622")));
    EXPECT_FALSE(IsRotaryFourFiveWattVariant(QStringLiteral("OUR30822")));
    EXPECT_TRUE(IsFourFiveWattVariant(QStringLiteral("OUD41622")));

    LoadTemplate(QStringLiteral("OUR40822"), {{QStringLiteral("disable_repeater_feature=\"0\""), QStringLiteral("disable_repeater_feature=\"1\"")}});
    AdjustAfterLoad();
    EXPECT_EQ(Text("limit", "disable_repeater_feature"), QStringLiteral("0"));
    EXPECT_EQ(Text("factory_setting", "Specific_Info"), QStringLiteral("4_5WNondisplay"));
    // A licensed business radio keeps its region code and its settings.
    EXPECT_EQ(Text("factory_setting", "model"), QStringLiteral("OUR40822"));
    EXPECT_EQ(Text("frequencies/frequency[1]", "power_level"), QStringLiteral("2"));
    EXPECT_EQ(Text("channels/channel[1]", "talkaround_power"), QStringLiteral("0"));

    // Rotary with power class 3: neither adjustment applies.
    LoadTemplate(QStringLiteral("OUR10802"), {{QStringLiteral("model=\"OUR10802\""), QStringLiteral("model=\"OUR30802\"")}});
    const QString before = m_model.GetXmlText();
    ClearRepeaterDisableForVariant(m_model.m_rootItem);
    SetNonDisplaySpecificInfo(m_model.m_rootItem);
    EXPECT_EQ(m_model.GetXmlText(), before);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
}

TEST_F(RegionRules, RepeaterOperationIsRefusedOnPmr446Radios)
{
    // The limit is the radio's: a user's edit never changes it, the
    // program's own steps go to the rules.
    LoadTemplate(QStringLiteral("OUD11602"));
    EXPECT_EQ(Set(QStringLiteral("limit"), "disable_repeater_feature", 0).msgId, 9305);
    const ProgramStep step(m_model.m_rootItem);
    EXPECT_EQ(Set(QStringLiteral("limit"), "disable_repeater_feature", 0).msgId, 9307);
    EXPECT_EQ(Text("limit", "disable_repeater_feature"), QStringLiteral("1"));
    LoadTemplate(QStringLiteral("ZVR51622"));
    const ProgramStep stepOfTheNewProfile(m_model.m_rootItem);
    ASSERT_EQ(Set(QStringLiteral("channels/channel[3]"), "repeater", 1).result, 0);
    ASSERT_EQ(Set(QStringLiteral("limit"), "disable_repeater_feature", 1).result, 0);
    EXPECT_EQ(Text("channels/channel[3]", "repeater"), QStringLiteral("0")); // channels follow
    EXPECT_EQ(Set(QStringLiteral("limit"), "disable_repeater_feature", 0).result, 0);
}

TEST_F(RegionRules, VariantDefaultsApplyOnlyWhenAPmr446RadioIsConvertedToItsRegion)
{
    // A 0.5 W radio carrying another region code: converted to 02, with
    // the PMR446 defaults (no backlight button, low power).
    LoadTemplate(QStringLiteral("OUD11602"), {
        {QStringLiteral("model=\"OUD11602\""), QStringLiteral("model=\"OUD11622\"")},
        {QStringLiteral("lower_left_but=\"9\""), QStringLiteral("lower_left_but=\"11\"")},
        {QStringLiteral("power_level=\"1\""), QStringLiteral("power_level=\"0\"")},
        {QStringLiteral("power_level=\"1\""), QStringLiteral("power_level=\"2\"")},
        {QStringLiteral("talkaround_power=\"1\""), QStringLiteral("talkaround_power=\"0\"")},
    });
    ApplyModelVariantDefaults(m_model.m_rootItem);
    EXPECT_EQ(Text("factory_setting", "model"), QStringLiteral("OUD11602"));
    EXPECT_EQ(Text("setting", "lower_left_but"), QStringLiteral("0"));
    EXPECT_EQ(Text("frequencies/frequency[1]", "power_level"), QStringLiteral("1"));
    EXPECT_EQ(Text("frequencies/frequency[2]", "power_level"), QStringLiteral("3"));
    EXPECT_EQ(Text("channels/channel[1]", "talkaround_power"), QStringLiteral("1"));

    // Already of its region: a user's backlight button survives every load.
    LoadTemplate(QStringLiteral("OUD11602"), {{QStringLiteral("lower_left_but=\"9\""), QStringLiteral("lower_left_but=\"11\"")}});
    const QString before = m_model.GetXmlText();
    AdjustAfterLoad();
    EXPECT_EQ(m_model.GetXmlText(), before);

    // A 4 W radio is never moved to the PMR446 region.
    LoadTemplate(QStringLiteral("SUR41622"), {{QStringLiteral("power_level=\"2\""), QStringLiteral("power_level=\"0\"")}});
    const QString business = m_model.GetXmlText();
    ApplyModelVariantDefaults(m_model.m_rootItem);
    EXPECT_EQ(m_model.GetXmlText(), business);
    EXPECT_EQ(Set(QStringLiteral("factory_setting"), "model", QStringLiteral("SUR41602")).msgId, 9308);
    EXPECT_EQ(Set(QStringLiteral("factory_setting"), "model", QStringLiteral("SUD41622")).msgId, 9308);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
}

TEST_F(RegionRules, ChannelPowerFollowsTheMarket)
{
    LoadTemplate(QStringLiteral("ZUD11602"));
    EXPECT_EQ(Set(QStringLiteral("channels/channel[1]"), "repeater_power", 0).msgId, 515);
    EXPECT_EQ(Set(QStringLiteral("channels/channel[1]"), "repeater_power", 1).result, 0);
    LoadTemplate(QStringLiteral("TVR50822"));
    EXPECT_EQ(Set(QStringLiteral("channels/channel[1]"), "repeater_power", 1).result, 0);
    EXPECT_EQ(Set(QStringLiteral("channels/channel[1]"), "repeater_power", 0).result, 0);
    LoadTemplate(QStringLiteral("TVR50822"), {{QStringLiteral("power_cntrl_enabled=\"1\""), QStringLiteral("power_cntrl_enabled=\"0\"")}});
    EXPECT_EQ(Set(QStringLiteral("channels/channel[1]"), "repeater_power", 1).msgId, 9306);
}

TEST_F(RegionRules, FrequencyAndCodeChecksOfTheChannelsInUse)
{
    LoadTemplate(QStringLiteral("TUR10802"), {
        {QStringLiteral("rx_code=\"0\""), QStringLiteral("rx_code=\"122\"")},
        {QStringLiteral("<channel rx_freq_ndx=\"7\" rx_code=\"0\""), QStringLiteral("<channel rx_freq_ndx=\"7\" rx_code=\"123\"")},
    });
    EXPECT_FALSE(ChannelCodesInRange(m_model.m_rootItem));
    EXPECT_TRUE(CheckFrequencies(m_model.m_rootItem));
    int id = 0, style = 0;
    // The last channel is out of use: its code no longer counts.
    ASSERT_EQ(Item(QStringLiteral("channels")).RemoveChildByIndex(7, id, 0, style), 0);
    EXPECT_TRUE(ChannelCodesInRange(m_model.m_rootItem));

    // A frequency outside the limits, stored by a radio: the check finds it.
    LoadTemplate(QStringLiteral("PUR10802"), {{QStringLiteral("freq=\"446093750\""), QStringLiteral("freq=\"446200001\"")}});
    EXPECT_FALSE(CheckFrequencies(m_model.m_rootItem));
    LoadTemplate(QStringLiteral("PUR10802"), {{QStringLiteral("freq=\"446093750\""), QStringLiteral("freq=\"446200000\"")}});
    EXPECT_TRUE(CheckFrequencies(m_model.m_rootItem));
    // A channel pointing past the table counts as out of range.
    LoadTemplate(QStringLiteral("PUR10802"), {{QStringLiteral("tx_freq_ndx=\"2\""), QStringLiteral("tx_freq_ndx=\"40\"")}});
    EXPECT_FALSE(CheckFrequencies(m_model.m_rootItem));
}

TEST_F(RegionRules, ThePreCheckNamesTheEditionOfAForeignRegion)
{
    SettingDocuments &settings = AppSettingDocuments();
    ASSERT_TRUE(settings.LoadAll());
    ASSERT_TRUE(settings.InitRegionData(QStringLiteral("Tavo EMEA CPS")));
    QTemporaryDir dir;
    struct Case {
        std::vector<std::pair<QString, QString>> edits;
        bool passes;
        QString shown;
    };
    const QString region = LoadString(msg::RegionNotSupported);
    const Case cases[] = {
        {{}, true, QString()},
        {{{QStringLiteral("model=\"OUD11602\""), QStringLiteral("model=\"OUD11601\"")}}, false,
         region + QStringLiteral(" Please use the \"Tavo Americas CPS\".")},
        {{{QStringLiteral("sub_region=\"0\""), QStringLiteral("sub_region=\"2\"")}}, false,
         region + QStringLiteral(" Please use the \"Tavo Russia CPS\".")},
        {{{QStringLiteral("model=\"OUD11602\""), QStringLiteral("model=\"OUD11609\"")}}, false, region},
        {{{QStringLiteral("serial_clone_compatibility=\"20\""), QStringLiteral("serial_clone_compatibility=\"2\"")}}, false,
         region + QStringLiteral(" Please use the \"Tavo EMEA CPS\".")},
        {{{QStringLiteral("codeplug_version=\"18\""), QStringLiteral("codeplug_version=\"19\"")}}, false,
         LoadString(msg::CodeplugIncompatible)},
        {{{QStringLiteral("codeplug_phase=\"R\" codeplug_version=\"18\""), QStringLiteral("codeplug_phase=\"D\" codeplug_version=\"19\"")}}, true, QString()},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(n);
        const QString path = dir.path() + QStringLiteral("/p%1.kp2").arg(n++);
        WriteAll(path, TemplateText(QStringLiteral("OUD11602"), c.edits).toUtf8());
        m_sink.clear();
        EXPECT_EQ(CheckProfile(path), c.passes);
        if (c.shown.isEmpty()) {
            EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
        } else {
            EXPECT_EQ(m_sink.last(), c.shown);
        }
    }
    // Unreadable: refused silently; invalid: refused with the load error,
    // which names the file.
    m_sink.clear();
    EXPECT_FALSE(CheckProfile(dir.path() + QStringLiteral("/missing.kp2")));
    EXPECT_TRUE(m_sink.empty());
    const QString invalid = dir.path() + QStringLiteral("/invalid.kp2");
    WriteAll(invalid, "<?xml version=\"1.0\"?><TavoProfile xmlns=\"urn:vantrel:tavo:profile:1\"/>");
    EXPECT_FALSE(CheckProfile(invalid));
    EXPECT_TRUE(m_sink.last().startsWith(LoadString(msg::InvalidProfile) + QLatin1Char('\n'))) << m_sink.last().toStdString();
    EXPECT_TRUE(m_sink.last().contains(invalid)) << m_sink.last().toStdString();
}

} // namespace
