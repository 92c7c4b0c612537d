// The node objects the rules work with: reading, creating, moving and
// removing nodes, XPath with the dfns prefix, and misuse refused as a
// script error rather than a crash.

#include "model_fixture.h"
#include "base/XmlDom.h"

#include <libxml/tree.h>

using namespace tavo;
using namespace tavo::test;

namespace {

class Nodes : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        LoadTemplate(QStringLiteral("OUR10802"));
    }
    // Runs `body` as a function of the root node; true when it ran to the end.
    bool RunWithRoot(const char *body)
    {
        const QString code = QStringLiteral("function NodeTest(root)\n%1\nend").arg(QLatin1String(body));
        if (m_model.m_spScriptEngine->Start(code, "nodetest") != ScriptHost::StartResult::Ok)
            return false;
        std::vector<ScriptValue> results;
        return m_model.m_spScriptEngine->Call(QStringLiteral("NodeTest"), {ScriptValue::FromNode(m_model.m_rootItem.m_spNode)}, 1, results);
    }
};

TEST_F(Nodes, ReadingTheTree)
{
    EXPECT_TRUE(RunWithRoot(R"lua(
        assert(root:Name() == "TavoProfile" and root:NodeType() == "element")
        assert(root:ChildCount() == 5 and #root:Children() == 5)
        local setting = root:Child(2)
        assert(setting:Name() == "setting" and setting:Index() == 2 and setting:Parent() == root)
        assert(root:Child(5) == nil and root:Child(-1) == nil)
        assert(setting:GetAttribute("numberChannels") == "8" and setting:GetAttribute("nosuch") == nil)
        assert(setting:HasAttribute("password") and not setting:HasAttribute("nosuch"))
        local attr = setting:AttributeNode("timeoutTimer")
        assert(attr:NodeType() == "attribute" and attr:Value() == "60" and attr:Parent() == setting)
        local doc = setting:OwnerDocument()
        assert(doc:NodeType() == "document" and doc:DocumentElement() == root and root:Parent() == doc)
        assert(#root:SelectNodes("//dfns:channel") == 8)
        assert(root:SelectSingleNode("dfns:channels/dfns:channel[3]"):GetAttribute("name") == "PMR 3")
        assert(#root:SelectNodes("//channel") == 0) -- unprefixed names are not in the profile namespace
        assert(#root:SelectNodes("((") == 0)
        assert(tostring(setting) == "node<setting>")
    )lua")) << m_sink.last().toStdString();
}

TEST_F(Nodes, CreatingMovingAndRemoving)
{
    ASSERT_TRUE(RunWithRoot(R"lua(
        local channels = root:SelectSingleNode("dfns:channels")
        local first, second = channels:Child(0), channels:Child(1)
        local copy = first:CloneNode(true)
        copy:SetAttribute("name", "COPY")
        channels:InsertBefore(copy, second)
        assert(channels:Child(1) == copy and copy:Index() == 1 and channels:ChildCount() == 9)
        channels:InsertBefore(first, nil) -- moves to the end
        assert(channels:Child(8) == first and channels:Child(0) == copy)
        local extra = root:CreateElement("channel")
        extra:SetAttribute("name", true)
        extra:SetAttribute("rx_code", 12.0)
        assert(extra:GetAttribute("name") == "1" and extra:GetAttribute("rx_code") == "12")
        channels:AppendChild(extra)
        local removed = channels:RemoveChild(extra)
        assert(removed == extra and extra:Parent() == nil and extra:Index() == -1)
        extra:SetAttribute("name", "DETACHED")
        second:RemoveAttribute("in_scanlist")
        assert(not second:HasAttribute("in_scanlist"))
        local p = root:SelectSingleNode("//dfns:preset")
        local a = p:AttributeNode("channel")
        a:SetValue(3)
        assert(p:GetAttribute("channel") == "3")
    )lua")) << m_sink.last().toStdString();
    const QString xml = m_model.GetXmlText();
    EXPECT_TRUE(xml.contains(QStringLiteral("name=\"COPY\"")));
    EXPECT_FALSE(xml.contains(QStringLiteral("DETACHED")));
    EXPECT_EQ(Item(QStringLiteral("channels")).GetChildCount(), 9);
    EXPECT_EQ(Text("channels/channel[9]", "name"), QStringLiteral("PMR 1"));
    // Created elements are in the profile namespace: dfns finds them.
    EXPECT_EQ(Text("setting/preset[1]", "channel"), QStringLiteral("3"));
}

TEST_F(Nodes, MisuseIsAScriptErrorNotACrash)
{
    const char *misuses[] = {
        "root:SelectSingleNode('dfns:setting'):AppendChild(root)",
        "root:RemoveChild(root:SelectSingleNode('//dfns:channel'))",
        "root:AppendChild(root:SelectSingleNode('//dfns:setting'):AttributeNode('password'))",
        "root:CreateElement('bad name')",
        "root:SetAttribute('x', {})",
        "root:OwnerDocument():GetAttribute('x')",
        "root.GetAttribute(42, 'x')",
        "getmetatable(root).__index = nil",
        "root:InsertBefore(root:CreateElement('a'), root:SelectSingleNode('//dfns:channel'))",
    };
    const QString before = m_model.GetXmlText();
    for (const char *misuse : misuses) {
        SCOPED_TRACE(misuse);
        m_sink.clear();
        EXPECT_FALSE(RunWithRoot(misuse));
        ASSERT_EQ(m_sink.shown().size(), 1u);
        EXPECT_TRUE(m_sink.last().startsWith(QStringLiteral("IActiveScriptSite::OnScriptError()\nLine: 2\n"))) << m_sink.last().toStdString();
    }
    EXPECT_EQ(m_model.GetXmlText(), before);
}

} // namespace
