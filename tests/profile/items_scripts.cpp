// Rule calls that fail (run-time errors, endless loops, misuse of nodes)
// and nodes that rules remove: reported without a crash or hang, and never
// a dangling reference in Lua, in a data item or in the DOM.

#include "model_fixture.h"

#include "resources/MessageIds.h"

using namespace tavo;
using namespace tavo::test;

namespace {

// Rules appended to the installed ones for these tests; SetValue handles
// vox_level, ivol_level and the other generic attributes of "setting".
const char kExtraRules[] = R"lua(
local InstalledSetValue = SetValue
function SetValue(elem, attr, value, msgId, answer, msgStyle)
    local name = attr:Name()
    if name == "vox_level" then
        local missing = nil
        return missing.field
    elseif name == "ivol_level" then
        while true do end
    elseif name == "batteryType" then
        local t = {}
        for i = 1, 1e9 do t[i] = ("x"):rep(64) .. i end
    elseif name == "disableLED" then
        return 0 / 0, 1e300, -1e300
    elseif name == "microphoneGain" then
        elem:AppendChild(elem:Parent())
    elseif name == "accessoryMicrophoneGain" then
        elem:RemoveAttribute(name)
        attr:SetValue(value)
        Kept = attr
        return 0, 0, 0
    end
    return InstalledSetValue(elem, attr, value, msgId, answer, msgStyle)
end
local InstalledDeleteChannel = DeleteChannel
function DeleteChannel(child, index, msgId, answer, msgStyle)
    KeptChannel = child
    return InstalledDeleteChannel(child, index, msgId, answer, msgStyle)
end
function UseKept()
    local parent = KeptChannel:Parent()
    KeptChannel:SetAttribute("name", "GONE")
    local doc = KeptChannel:OwnerDocument()
    local limit = KeptChannel:SelectSingleNode("//dfns:limit")
    return KeptChannel:GetAttribute("name"), parent == nil, Kept:Value(), limit ~= nil and doc ~= nil
end
function ForeignInsert(element)
    return pcall(function() element:AppendChild(KeptChannel) end)
end
)lua";

class ItemScripts : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        const QByteArray rules = ReadAll(m_install.File("DataProfile.lua")).toUtf8();
        m_firstExtraLine = rules.count('\n') + 1;
        m_install.SetRules(rules + kExtraRules);
        SetInstallPathOverride(m_install.path());
        LoadTemplate(QStringLiteral("OUD11602"));
    }
    ScratchInstall m_install;
    int m_firstExtraLine = 0;
};

TEST_F(ItemScripts, ARunTimeErrorIsShownWithItsLineAndTheCallFailsWith131)
{
    const CTavoCPSException e = Raised([&] { Set(QStringLiteral("setting"), "vox_level", 2); });
    EXPECT_EQ(e.m_nMsgID, msg::UnknownError);
    EXPECT_TRUE(e.m_strMessage.endsWith(QStringLiteral(
        "Invoke script function failed\nfunction name=SetAttributeValue,Node=setting Attribute=vox_level Value=2")))
        << e.m_strMessage.toStdString();
    ASSERT_EQ(m_sink.shown().size(), 1u);
    EXPECT_EQ(m_sink.last(), QStringLiteral("IActiveScriptSite::OnScriptError()\nLine: %1\nattempt to index a nil value (local 'missing')")
                                 .arg(m_firstExtraLine + 6));
    EXPECT_EQ(Text("setting", "vox_level"), QStringLiteral("3")); // unchanged
    // The engine goes on serving calls.
    EXPECT_EQ(Set(QStringLiteral("setting"), "timeoutTimer", 120).result, 0);
}

TEST_F(ItemScripts, AnEndlessLoopIsStoppedByTheInstructionBudget)
{
    m_model.m_spScriptEngine->SetInstructionLimit(2'000'000);
    const CTavoCPSException e = Raised([&] { Set(QStringLiteral("setting"), "ivol_level", 1); });
    EXPECT_EQ(e.m_nMsgID, msg::UnknownError);
    ASSERT_EQ(m_sink.shown().size(), 1u);
    EXPECT_TRUE(m_sink.last().contains(QStringLiteral("instruction budget"))) << m_sink.last().toStdString();
    EXPECT_TRUE(m_sink.last().contains(QStringLiteral("Line: %1\n").arg(m_firstExtraLine + 8))) << m_sink.last().toStdString();
    EXPECT_EQ(Set(QStringLiteral("setting"), "timeoutTimer", 120).result, 0);
}

TEST_F(ItemScripts, ExhaustedMemoryAndOddResultsAreSafe)
{
    m_model.m_spScriptEngine->SetMemoryLimit(16u * 1024u * 1024u);
    const CTavoCPSException e = Raised([&] { Set(QStringLiteral("setting"), "batteryType", 1); });
    EXPECT_EQ(e.m_nMsgID, msg::UnknownError);
    EXPECT_TRUE(m_sink.last().contains(QStringLiteral("not enough memory"))) << m_sink.last().toStdString();
    // NaN as a result code is no "done": a script error, nothing saved.
    EXPECT_EQ(Raised([&] { Set(QStringLiteral("setting"), "disableLED", 1); }).m_nMsgID, msg::FatalScriptEngine);
    EXPECT_EQ(Set(QStringLiteral("setting"), "timeoutTimer", 120).result, 0);
}

TEST_F(ItemScripts, ANodeCannotBeInsertedBelowItselfOrIntoAnotherDocument)
{
    const QString before = m_model.GetXmlText();
    const CTavoCPSException e = Raised([&] { Set(QStringLiteral("setting"), "microphoneGain", 1); });
    EXPECT_EQ(e.m_nMsgID, msg::UnknownError);
    EXPECT_TRUE(m_sink.last().contains(QStringLiteral("a node cannot be inserted below itself")));
    EXPECT_EQ(m_model.GetXmlText(), before);

    // A channel removed from this profile, then a new profile loaded: the
    // old node cannot be moved into the new document.
    int id = 0, style = 0;
    ASSERT_EQ(Item(QStringLiteral("channels")).RemoveChildByIndex(5, id, 0, style), 0);
    LoadTemplate(QStringLiteral("TVR50822"));
    std::vector<ScriptValue> results;
    ASSERT_TRUE(m_model.m_spScriptEngine->Call(QStringLiteral("ForeignInsert"), {ScriptValue::FromNode(Item(QStringLiteral("channels")).m_spNode)}, 2, results));
    EXPECT_FALSE(results[0].ToBool());
    EXPECT_TRUE(results[1].ToText().contains(QStringLiteral("another document")));
}

TEST_F(ItemScripts, RemovedNodesStayValidForEveryHolder)
{
    // A data item on channel 6, the rule keeps the removed node in a global,
    // and a removed attribute node is kept as well.
    CDataItem channel = Item(QStringLiteral("channels/channel[6]"));
    int id = 0, style = 0;
    ASSERT_EQ(Item(QStringLiteral("channels")).RemoveChildByIndex(5, id, 0, style), 0);
    EXPECT_EQ(Item(QStringLiteral("channels")).GetChildCount(), 15);
    EXPECT_EQ(Text("setting", "numberChannels"), QStringLiteral("15"));
    ASSERT_EQ(Set(QStringLiteral("setting"), "accessoryMicrophoneGain", 4).result, 0);
    EXPECT_EQ(Raised([&] { Text("setting", "accessoryMicrophoneGain"); }).m_nMsgID, msg::ProgrammingError108);

    // The item still reads and changes its (detached) node.
    EXPECT_EQ(channel.GetText(QStringLiteral("name")), QStringLiteral("PMR 6"));
    EXPECT_EQ(channel.SetAttributeValue(QStringLiteral("rx_code"), 7, id, 0, style), 0);
    EXPECT_EQ(channel.GetInt(QStringLiteral("rx_code")), 7);

    // A new profile replaces the document; the old nodes live on for their holders.
    LoadTemplate(QStringLiteral("TVR50822"));
    std::vector<ScriptValue> results;
    ASSERT_TRUE(m_model.m_spScriptEngine->Call(QStringLiteral("UseKept"), {}, 4, results));
    EXPECT_EQ(results[0].ToText(), QStringLiteral("GONE"));
    EXPECT_TRUE(results[1].ToBool());
    EXPECT_EQ(results[2].ToText(), QStringLiteral("4"));
    EXPECT_TRUE(results[3].ToBool());
    EXPECT_EQ(channel.GetText(QStringLiteral("name")), QStringLiteral("GONE"));
    EXPECT_FALSE(m_model.GetXmlText().contains(QStringLiteral("GONE")));
}

TEST_F(ItemScripts, ItemsMayOutliveTheirModel)
{
    CDataItem survivor;
    {
        CRadioDataModel model;
        Load(model, TemplateText(QStringLiteral("OUR40822")));
        model.m_rootItem.GetChildByName(QStringLiteral("setting"), survivor);
    }
    int id = 0, style = 0;
    EXPECT_EQ(survivor.SetAttributeValue(QStringLiteral("rep_hangtime"), 60, id, 0, style), 1);
    EXPECT_EQ(id, 9966);
    EXPECT_EQ(survivor.SetAttributeValue(QStringLiteral("rep_hangtime"), 20, id, 0, style), 0);
    EXPECT_EQ(survivor.GetInt(QStringLiteral("rep_hangtime")), 20);
}

} // namespace
