// Data items against the installed schema: lookups and their failures,
// typed values through the type derivation, storing without a rule, the
// handler lookup, channel naming and copying receive to transmit.

#include "model_fixture.h"

#include "resources/MessageIds.h"

using namespace tavo;
using namespace tavo::test;

namespace {

class Items : public ModelTest {};

TEST_F(Items, LookupsThatFindNothingRaiseTheirIds)
{
    LoadTemplate(QStringLiteral("OUD11602"));
    CDataItem out;
    CTavoCPSException e = Raised([&] { m_model.m_rootItem.GetChildByName(QStringLiteral("nosuch"), out); });
    EXPECT_EQ(e.m_nMsgID, msg::ProgrammingError107);
    EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("(CDataItem::GetChildByName:")));
    EXPECT_TRUE(e.m_strMessage.endsWith(QStringLiteral("Name='nosuch'")));

    QVariant v;
    e = Raised([&] { Item(QStringLiteral("setting")).GetAttributeValue(v, QStringLiteral("nosuch")); });
    EXPECT_EQ(e.m_nMsgID, msg::ProgrammingError108);
    EXPECT_TRUE(e.m_strMessage.endsWith(QStringLiteral("Name='nosuch'")));
    int id = 5, style = 5;
    e = Raised([&] { Item(QStringLiteral("setting")).SetAttributeValue(QStringLiteral("nosuch"), 1, id, 0, style); });
    EXPECT_EQ(e.m_nMsgID, msg::ProgrammingError108);

    CDataItem channels = Item(QStringLiteral("channels"));
    const int count = channels.GetChildCount();
    EXPECT_EQ(count, 16);
    channels.GetChildByIndex(count, out);
    EXPECT_TRUE(out.IsEmpty());
    e = Raised([&] { channels.RemoveChildByIndex(count, id, 0, style); });
    EXPECT_EQ(e.m_nMsgID, msg::ProgrammingError108);
    EXPECT_TRUE(e.m_strMessage.endsWith(QStringLiteral("Index='16'")));
    EXPECT_EQ(channels.GetChildCount(), 16);

    // An empty item fails as an invalid pointer.
    e = Raised([] { CDataItem().GetChildCount(); });
    EXPECT_EQ(e.m_nMsgID, msg::UnknownError);
    EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("ErrorMsg: Invalid pointer")));
}

TEST_F(Items, AttributeValuesAreTypedByTheirSchemaType)
{
    LoadTemplate(QStringLiteral("OUD11602"), {{QStringLiteral("timeoutTimer=\"60\""), QStringLiteral("timeoutTimer=\"0060\"")}});
    struct Case {
        const char *path;
        const char *attribute;
        int type;
        QVariant value;
    };
    const Case cases[] = {
        {"setting", "timeoutTimer", QMetaType::Int, QVariant(qint32(60))},           // long, leading zeros
        {"limit", "maxCodes", QMetaType::Int, QVariant(qint32(213))},                 // long through two restrictions
        {"limit", "end_freq", QMetaType::UInt, QVariant(quint32(446200000))},         // unsignedLong
        {"frequencies/frequency[16]", "freq", QMetaType::UInt, QVariant(quint32(446193750))},
        {"limit", "disable_repeater_feature", QMetaType::Bool, QVariant(true)},      // boolean
        {"setting", "keypadLock", QMetaType::Bool, QVariant(false)},
        {"channels/channel[1]", "name", QMetaType::QString, QVariant(QStringLiteral("PMR 1"))},
        {"setting", "password", QMetaType::QString, QVariant(QString())},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.attribute);
        QVariant v;
        Item(QLatin1String(c.path)).GetAttributeValue(v, QLatin1String(c.attribute));
        EXPECT_EQ(v.typeId(), c.type);
        EXPECT_EQ(v, c.value);
    }
}

TEST_F(Items, WithoutARuleValuesAreStoredAsTextAndBooleansAsDigits)
{
    LoadTemplate(QStringLiteral("OUD11602"));
    // The limit's feature flags have no rule of their own.
    QString function;
    CDataItem limit = Item(QStringLiteral("limit"));
    xmlAttr *vox = xmlHasNsProp(limit.m_spNode.node, reinterpret_cast<const xmlChar *>("disable_vox_feature"), nullptr);
    ASSERT_EQ(CDataItem::GetScriptHandler(NodeRef(limit.m_spNode.owner, reinterpret_cast<xmlNode *>(vox)), QStringLiteral("SetVal"), function), 0);
    int id = 7, style = 7;
    // A capability of the radio: a user's edit is refused and changes nothing.
    EXPECT_EQ(limit.SetAttributeValue(QStringLiteral("power_cntrl_enabled"), 1, id, 0, style), 1);
    EXPECT_EQ(id, 9305);
    EXPECT_EQ(XmlAttribute(limit.m_spNode.node, "power_cntrl_enabled"), QStringLiteral("0"));
    const ProgramStep step(limit);
    // A value of another type is refused with the type message, even here.
    EXPECT_EQ(limit.SetAttributeValue(QStringLiteral("disable_vox_feature"), QStringLiteral("abc"), id, 0, style), 1);
    EXPECT_EQ(id, 261);
    EXPECT_EQ(style, 0x30);
    EXPECT_EQ(XmlAttribute(limit.m_spNode.node, "disable_vox_feature"), QStringLiteral("0"));
    EXPECT_EQ(limit.SetAttributeValue(QStringLiteral("disable_vox_feature"), true, id, 0, style), 0);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(style, 0);
    EXPECT_EQ(Text("limit", "disable_vox_feature"), QStringLiteral("1"));
    EXPECT_EQ(limit.SetAttributeValue(QStringLiteral("disable_vox_feature"), false, id, 0, style), 0);
    EXPECT_EQ(XmlAttribute(limit.m_spNode.node, "disable_vox_feature"), QStringLiteral("0"));
    EXPECT_EQ(limit.SetAttributeValue(QStringLiteral("power_cntrl_enabled"), 1, id, 0, style), 0);
    EXPECT_EQ(XmlAttribute(limit.m_spNode.node, "power_cntrl_enabled"), QStringLiteral("1"));
}

TEST_F(Items, HandlersAreFoundThroughTheDeclarationOfTheNode)
{
    LoadTemplate(QStringLiteral("OUD11602"));
    struct Case {
        const char *path;
        const char *attribute; // null: the element itself
        const char *event;
        const char *function;  // null: no handler
    };
    const Case cases[] = {
        {"channels", nullptr, "CanAddChild", "CanAddChannel"},
        {"channels", nullptr, "OnAddNew", "AddChannel"},
        {"channels/channel[1]", nullptr, "OnDelete", "DeleteChannel"},
        {"channels/channel[1]", "name", "SetVal", "SetChannelName"},
        {"channels/channel[1]", "name", "OnDelete", nullptr},
        {"frequencies", nullptr, "SetFreqAttr", "SetFrequency"},
        {"frequencies", nullptr, "OnAddNewFrequency", "AddFrequency"},
        {"setting", nullptr, "CanAddChild", nullptr},
        {"setting", "CTcode124", "SetVal", "SetCustomTone"},
        {"factory_setting", "serial", "SetVal", "SetReadOnly"},
        {"limit", "disable_scan_mode", "SetVal", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + (c.attribute ? c.attribute : "") + " " + c.event);
        CDataItem item = Item(QLatin1String(c.path));
        NodeRef node = item.m_spNode;
        if (c.attribute)
            node.node = reinterpret_cast<xmlNode *>(xmlHasNsProp(node.node, reinterpret_cast<const xmlChar *>(c.attribute), nullptr));
        QString function = QStringLiteral("unchanged");
        EXPECT_EQ(CDataItem::GetScriptHandler(node, QLatin1String(c.event), function), c.function ? 1 : 0);
        EXPECT_EQ(function, c.function ? QLatin1String(c.function) : QStringLiteral("unchanged"));
    }
    // No annotation: no child can be added or deleted.
    CDataItem setting = Item(QStringLiteral("setting"));
    EXPECT_FALSE(setting.CanAddChild());
    CDataItem out = Item(QStringLiteral("limit"));
    EXPECT_FALSE(setting.AddNewChild(out));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_FALSE(setting.CanDeleteChild());
}

TEST_F(Items, ProcessChannelNameNamesUnnamedChannelsAcrossTheList)
{
    QString text = TemplateText(QStringLiteral("OUR10802"), {
        {QStringLiteral("name=\"PMR 1\""), QStringLiteral("name=\"\"")},
        {QStringLiteral("name=\"PMR 2\""), QStringLiteral("name=\"CHAN 1\"")},
        {QStringLiteral("name=\"PMR 3\""), QStringLiteral("name=\"\"")},
        {QStringLiteral("name=\"PMR 5\""), QStringLiteral("name=\"CHAN 4\"")},
        {QStringLiteral("name=\"PMR 6\""), QStringLiteral("name=\"\"")},
    });
    ASSERT_EQ(CDataItem::ProcessChannelName(text), 1);
    Load(m_model, text);
    const char *expected[] = {"CHAN 2", "CHAN 1", "CHAN 3", "PMR 4", "CHAN 4", "CHAN 5", "PMR 7", "PMR 8"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Text(QStringLiteral("channels/channel[%1]").arg(i + 1), "name"), QLatin1String(expected[i])) << i;

    QString broken = QStringLiteral("<TavoProfile");
    const CTavoCPSException e = Raised([&] { CDataItem::ProcessChannelName(broken); });
    EXPECT_EQ(e.m_nMsgID, msg::InvalidProfile);
}

TEST_F(Items, CopyReceiveToTransmitCopiesCodeFrequencyAndBandwidth)
{
    LoadTemplate(QStringLiteral("OUR40822"), {
        {QStringLiteral("rx_freq_ndx=\"1\" rx_code=\"0\" tx_freq_ndx=\"1\" tx_code=\"0\" rx_bw=\"0\""),
         QStringLiteral("rx_freq_ndx=\"3\" rx_code=\"17\" tx_freq_ndx=\"1\" tx_code=\"0\" rx_bw=\"1\"")},
    });
    m_model.m_rootItem.CopyReceiveToTransmit();
    EXPECT_EQ(Text("channels/channel[2]", "tx_freq_ndx"), QStringLiteral("3"));
    EXPECT_EQ(Text("channels/channel[2]", "tx_code"), QStringLiteral("17"));
    EXPECT_EQ(Text("channels/channel[2]", "tx_bw"), QStringLiteral("1"));
    EXPECT_EQ(Text("channels/channel[3]", "tx_freq_ndx"), QStringLiteral("2"));
}

} // namespace
