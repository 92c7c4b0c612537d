// A rule that tries to escape its budget (catching the budget error, work
// inside C functions, finalizers) or answers with something that is not a
// result code: stopped, reported as a script error, nothing changed. Also
// element paths of rules: only elements, never namespace nodes (which the
// XPath library frees with its result).

#include "model_fixture.h"

#include "resources/MessageIds.h"

#include <chrono>

using namespace tavo;
using namespace tavo::test;

namespace {

// Appended to the installed rules; each setting attribute below misbehaves
// in its own way, every other one keeps its installed rule.
const char kHostileRules[] = R"lua(
local InstalledSetValue = SetValue
local results = {
    nothing = function() return end,
    nan = function() return 0 / 0, 0, 0 end,
    infinity = function() return math.huge, 0, 0 end,
    big = function() return 2 ^ 32, 0, 0 end,
    text = function() return "0", 0, 0 end,
    table = function() return {}, 0, 0 end,
    three = function() return 3, 0, 0 end,
}
Answer = nil
function SetValue(elem, attr, value, msgId, answer, msgStyle)
    local name = attr:Name()
    if name == "vox_level" then          -- catches the budget error for ever
        while true do pcall(function() while true do end end) end
    elseif name == "ivol_level" then     -- backtracking inside the C matcher
        return (("a"):rep(40)):find(("a*"):rep(30) .. "b") and 0 or 1, 0, 0
    elseif name == "microphoneGain" then -- a loop inside C
        local s = string.rep("", 2 ^ 60)
        return 0, 0, 0
    elseif name == "batteryType" then    -- a finalizer that never ends
        setmetatable({}, { __gc = function() while true do end end })
        return 0, 0, 0
    elseif name == "disableLED" then
        elem:SetAttribute("disableLED", 1)
        return results[Answer]()
    elseif name == "timeoutTimer" then   -- the namespace axis
        local ns = elem:SelectSingleNode("namespace::*")
        return ns and ns:Name() and 0 or 1, 0, 0
    elseif name == "backlight_timeout" then
        for _, n in ipairs(elem:SelectNodes("x|namespace::*|@*")) do n:Value() end
        return 0, 0, 0
    end
    return InstalledSetValue(elem, attr, value, msgId, answer, msgStyle)
end
)lua";

class Sandbox : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        m_install.SetRules(ReadAll(m_install.File("DataProfile.lua")).toUtf8() + kHostileRules);
        SetInstallPathOverride(m_install.path());
        LoadTemplate(QStringLiteral("OUD11602"));
    }
    // The change fails as a script error (131) shown with `shown`; the
    // profile is as it was and the engine goes on serving.
    void ExpectStopped(const char *attribute, const char *shown)
    {
        SCOPED_TRACE(attribute);
        m_sink.clear();
        const QString before = m_model.GetXmlText();
        const auto start = std::chrono::steady_clock::now();
        const CTavoCPSException e = Raised([&] { Set(QStringLiteral("setting"), attribute, 1); });
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
        EXPECT_EQ(e.m_nMsgID, msg::UnknownError);
        ASSERT_EQ(m_sink.shown().size(), 1u);
        EXPECT_TRUE(m_sink.last().contains(QLatin1String(shown))) << m_sink.last().toStdString();
        EXPECT_EQ(m_model.GetXmlText(), before);
        EXPECT_EQ(Set(QStringLiteral("setting"), "accessoryMicrophoneGain", 4).result, 0);
    }
    ScratchInstall m_install;
};

TEST_F(Sandbox, EscapesFromTheBudgetAreStopped)
{
    m_model.m_spScriptEngine->SetInstructionLimit(2'000'000);
    ExpectStopped("vox_level", "instruction budget");
    ExpectStopped("ivol_level", "pattern too complex");
    ExpectStopped("microphoneGain", "larger than a rule may build");
    ExpectStopped("batteryType", "finalizers (__gc) are not available");

    // The clock stops a call whose instructions are cheap but many.
    m_model.m_spScriptEngine->SetInstructionLimit(std::numeric_limits<qint64>::max());
    m_model.m_spScriptEngine->SetTimeLimit(300);
    ExpectStopped("vox_level", "time limit");
}

TEST_F(Sandbox, OnlyTheResultCodesZeroOneAndTwoCount)
{
    for (const char *answer : {"nothing", "nan", "infinity", "big", "text", "table", "three"}) {
        SCOPED_TRACE(answer);
        ASSERT_EQ(m_model.m_spScriptEngine->Start(QStringLiteral("Answer = '%1'").arg(QLatin1String(answer)), "answer"),
                  ScriptHost::StartResult::Ok);
        const CTavoCPSException e = Raised([&] { Set(QStringLiteral("setting"), "disableLED", 1); });
        EXPECT_EQ(e.m_nMsgID, msg::FatalScriptEngine);
        EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("not a result code"))) << e.m_strMessage.toStdString();
    }
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
}

TEST_F(Sandbox, ElementPathsOfRulesSelectElementsOnly)
{
    // Under the address sanitizer these read freed namespace nodes before.
    ExpectStopped("timeoutTimer", "is not a path to elements");
    ExpectStopped("backlight_timeout", "is not a path to elements");
}

TEST_F(Sandbox, AMissingRuleFunctionIsReportedWithoutAScriptErrorBox)
{
    ScratchInstall install;
    QByteArray schema = ReadAll(install.File("DataProfile.xsd")).toUtf8();
    schema.replace("SetVal=\"SetPassword\"", "SetVal=\"NoSuchFunction\"");
    install.SetSchema(schema);
    SetInstallPathOverride(install.path());
    LoadTemplate(QStringLiteral("OUD11602"));
    m_sink.clear();
    const CTavoCPSException e = Raised([&] { Set(QStringLiteral("setting"), "password", QStringLiteral("1234")); });
    EXPECT_EQ(e.m_nMsgID, msg::UnknownError);
    EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("The rule script has no function 'NoSuchFunction'."))) << e.m_strMessage.toStdString();
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
}

} // namespace
