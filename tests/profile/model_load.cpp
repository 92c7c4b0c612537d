// Loading profiles: schema validation at load time, the loading-error text,
// the state a failed load leaves, the rule engine kept across loads, and
// the failures of the installation files.

#include "model_fixture.h"

#include "base/TemplateFile.h"
#include "profile/CDataAdaptor.h"
#include "profile/ProfileChecks.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QDirIterator>

using namespace tavo;
using namespace tavo::test;

namespace {

class ModelLoad : public ModelTest {};

QStringList TemplateFiles()
{
    QStringList files;
    QDirIterator it(SourceInstall() + QStringLiteral("/profiletemplate"), {QStringLiteral("*.kp2")}, QDir::Files);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

TEST_F(ModelLoad, EveryTemplateLoadsValidatesAndPassesTheChecks)
{
    SettingDocuments &settings = AppSettingDocuments();
    ASSERT_TRUE(settings.LoadAll());
    ASSERT_TRUE(settings.InitRegionData(QStringLiteral("Tavo EMEA CPS")));
    const QStringList files = TemplateFiles();
    ASSERT_EQ(files.size(), 13);
    for (const QString &path : files) {
        SCOPED_TRACE(path.toStdString());
        CRadioDataModel model;
        ASSERT_EQ(model.LoadProfile(path, 1), 1);
        EXPECT_EQ(model.m_rootItem.NodeName(), QStringLiteral("TavoProfile"));
        EXPECT_EQ(model.m_rootItem.GetChildCount(), 5); // no whitespace text kept
        const QString code = QFileInfo(path).completeBaseName();
        CDataItem factory;
        model.m_rootItem.GetChildByName(QStringLiteral("factory_setting"), factory);
        EXPECT_EQ(factory.GetText(QStringLiteral("model")), code);
        EXPECT_TRUE(CheckFrequencies(model.m_rootItem));
        EXPECT_TRUE(ChannelCodesInRange(model.m_rootItem));
        EXPECT_TRUE(CheckProfile(path));
    }
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
}

TEST_F(ModelLoad, ProfileConvertedFromTheSampleImageLoads)
{
    QFile image(SourceInstall() + QStringLiteral("/samples/demo-OUD11602.img"));
    ASSERT_TRUE(image.open(QIODevice::ReadOnly));
    VirtualCP cp;
    const QByteArray bytes = image.readAll();
    ASSERT_EQ(bytes.size(), static_cast<int>(VirtualCP::kSize));
    std::memcpy(cp.bytes.data(), bytes.constData(), VirtualCP::kSize);
    QString xml;
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(cp, xml));
    ASSERT_EQ(CDataItem::ProcessChannelName(xml), 1);
    Load(m_model, xml);
    EXPECT_EQ(Text("factory_setting", "model"), QStringLiteral("OUD11602"));
    EXPECT_EQ(Text("factory_setting", "serial"), QStringLiteral("123ABC4567"));
    EXPECT_EQ(Item("limit").GetInt(QStringLiteral("maxCodes")), 213);
    EXPECT_EQ(Item("channels").GetChildCount(), 16);
    EXPECT_EQ(Item("frequencies").GetChildCount(), 16);
}

TEST_F(ModelLoad, SchemaViolationsAreRefusedAtLoadAndKeepThePreviousProfile)
{
    LoadTemplate(QStringLiteral("OUD11602"));
    const xmlNode *before = m_model.m_rootItem.m_spNode.node;
    const QString textBefore = m_model.GetXmlText();
    const std::vector<std::pair<QString, QString>> violations = {
        {QStringLiteral("maxChannels=\"16\""), QStringLiteral("maxChannels=\"256\"")},      // above a byte
        {QStringLiteral("scramble_code=\"0\""), QStringLiteral("scramble_code=\"-1\"")},    // below the range
        {QStringLiteral("rx_bw=\"0\""), QStringLiteral("rx_bw=\"true\"")},                  // flags are 0 or 1
        {QStringLiteral("name=\"PMR 1\""), QStringLiteral("name=\"NINECHARS\"")},          // text(8)
        {QStringLiteral(" sub_region=\"0\""), QString()},                                  // required attribute
        {QStringLiteral("<channels>"), QStringLiteral("<channels><bogus/>")},             // unknown element
        {QStringLiteral("model=\"OUD11602\""), QStringLiteral("model=\"OUD1160X\"")},       // model code form
    };
    for (const auto &v : violations) {
        SCOPED_TRACE(v.first.toStdString());
        const QString text = TemplateText(QStringLiteral("OUD11602"), {v});
        const CTavoCPSException e = Raised([&] { m_model.LoadProfile(text, 0); });
        EXPECT_EQ(e.m_nMsgID, msg::InvalidProfile);
        EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("Profile Loading Error.\r\nFile: ")));
        EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("\r\nLine: ")));
        EXPECT_TRUE(e.m_strMessage.endsWith(QStringLiteral(") Exception Catched")));
        EXPECT_EQ(m_model.m_rootItem.m_spNode.node, before);
        EXPECT_EQ(m_model.GetXmlText(), textBefore);
    }
}

TEST_F(ModelLoad, NotWellFormedTextNamesTheTextLineAndPosition)
{
    const QString text = QStringLiteral("<?xml version=\"1.0\"?>\n<TavoProfile xmlns=\"urn:vantrel:tavo:profile:1\">\n<limit>\n</TavoProfile>\n");
    const CTavoCPSException e = Raised([&] { m_model.LoadProfile(text, 0); });
    EXPECT_EQ(e.m_nMsgID, msg::InvalidProfile);
    EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("File: ") + text)) << e.m_strMessage.toStdString();
    EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("Line: 4, Pos: ")));
    EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("SRC: </TavoProfile>")));
    EXPECT_TRUE(m_model.m_rootItem.IsEmpty()); // nothing was loaded before
    // An unreadable profile file: not loaded, nothing shown.
    EXPECT_EQ(m_model.LoadProfile(QStringLiteral("/nonexistent/profile.kp2"), 1), 0);
    EXPECT_TRUE(m_sink.empty());
}

TEST_F(ModelLoad, ExternalEntitiesAreNeitherFetchedNorExpanded)
{
    QTemporaryDir dir;
    const QString secret = dir.path() + QStringLiteral("/secret.txt");
    WriteAll(secret, "TOPSECRET");
    QString text = TemplateText(QStringLiteral("OUD11602"), {{QStringLiteral("name=\"PMR 1\""), QStringLiteral("name=\"&ext;\"")}});
    text.replace(QStringLiteral("<TavoProfile"), QStringLiteral("<!DOCTYPE TavoProfile [<!ENTITY ext SYSTEM \"file://%1\">]>\n<TavoProfile").arg(secret));
    try {
        m_model.LoadProfile(text, 0);
    } catch (const CTavoCPSException &) {
    }
    EXPECT_FALSE(m_model.GetXmlText().contains(QStringLiteral("TOPSECRET")));
}

TEST_F(ModelLoad, TheRuleEngineStartsOnceAndKeepsItsGlobals)
{
    ScratchInstall install;
    install.SetRules(ReadAll(install.File("DataProfile.lua")).toUtf8() + "\nStarts = (Starts or 0) + 1\n");
    SetInstallPathOverride(install.path());
    LoadTemplate(QStringLiteral("OUD11602"));
    ASSERT_EQ(m_model.m_bScriptReady, 1);
    const auto engine = m_model.m_spScriptEngine;
    ASSERT_EQ(engine->Start(QStringLiteral("Marker = 42"), "test"), ScriptHost::StartResult::Ok);
    LoadTemplate(QStringLiteral("TVR50822"));
    EXPECT_EQ(m_model.m_spScriptEngine, engine);
    EXPECT_EQ(engine->Start(QStringLiteral("assert(Marker == 42 and Starts == 1)"), "test"), ScriptHost::StartResult::Ok);
    EXPECT_EQ(Text("factory_setting", "model"), QStringLiteral("TVR50822"));
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
}

TEST_F(ModelLoad, MissingOrEmptyInstallationFilesShow315AndLoadNothing)
{
    const QString text = TemplateText(QStringLiteral("OUD11602"));
    {
        ScratchInstall install;
        install.SetRules(QByteArray());
        SetInstallPathOverride(install.path());
        CRadioDataModel model;
        EXPECT_EQ(model.LoadProfile(text, 0), 0);
        EXPECT_EQ(model.m_bScriptReady, 0);
        ASSERT_EQ(m_sink.shown().size(), 1u);
        EXPECT_EQ(m_sink.last(), LoadString(msg::FilesNotAvailable));
    }
    m_sink.clear();
    {
        ScratchInstall install;
        install.Remove("DataProfile.xsd");
        SetInstallPathOverride(install.path());
        CRadioDataModel model;
        EXPECT_EQ(model.LoadProfile(text, 0), 0);
        EXPECT_EQ(model.m_bScriptReady, 1); // the engine did start
        EXPECT_EQ(m_sink.last(), LoadString(msg::FilesNotAvailable));
        EXPECT_TRUE(model.m_rootItem.IsEmpty());
    }
}

TEST_F(ModelLoad, ScrambledSchemaAndRulesLoadLikePlainOnes)
{
    ScratchInstall install;
    install.SetSchema(EncodeScrambledUtf16(ReadAll(install.File("DataProfile.xsd"))));
    install.SetRules(EncodeScrambledUtf16(ReadAll(install.File("DataProfile.lua"))));
    SetInstallPathOverride(install.path());
    LoadTemplate(QStringLiteral("OUD11602"));
    EXPECT_EQ(Set(QStringLiteral("channels/channel[2]"), "name", QStringLiteral("PMR 1")).msgId, 298);
    const QString bad = TemplateText(QStringLiteral("OUD11602"), {{QStringLiteral("maxCodes=\"213\""), QStringLiteral("maxCodes=\"2147483648\"")}});
    EXPECT_EQ(Raised([&] { m_model.LoadProfile(bad, 0); }).m_nMsgID, msg::InvalidProfile);
}

TEST_F(ModelLoad, RuleFileErrorsAreShownAndFailInitialize)
{
    struct Case {
        QByteArray rules;
        const char *trace;
        const char *shown;
    };
    const Case cases[] = {
        {"-- rules\nlocal x = 1\nfunction Broken(\n", "ParseScriptText failed", "Line: 4\n"},
        {"-- rules\n\nerror('no rules today')\n", "SetScriptState failed", "Line: 3\nno rules today"},
        {"-- rules\nwhile true do end\n", "SetScriptState failed", "instruction budget"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.trace);
        ScratchInstall install;
        install.SetRules(c.rules);
        SetInstallPathOverride(install.path());
        m_sink.clear();
        CRadioDataModel model;
        const CTavoCPSException e = Raised([&] { model.LoadProfile(TemplateText(QStringLiteral("OUD11602")), 0); });
        EXPECT_EQ(e.m_nMsgID, msg::FatalScriptEngine);
        EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("(CRadioDataModel::Initialize:")));
        EXPECT_TRUE(e.m_strMessage.contains(QLatin1String(c.trace)));
        EXPECT_TRUE(e.m_strMessage.endsWith(QStringLiteral("Exception Catched")));
        ASSERT_EQ(m_sink.shown().size(), 1u);
        EXPECT_TRUE(m_sink.last().startsWith(QStringLiteral("IActiveScriptSite::OnScriptError()\nLine: ")));
        EXPECT_TRUE(m_sink.last().contains(QLatin1String(c.shown))) << m_sink.last().toStdString();
        EXPECT_EQ(model.m_bScriptReady, 0);
    }
}

TEST_F(ModelLoad, TheSandboxOffersNoFilesProcessesOrBinaryChunks)
{
    LoadTemplate(QStringLiteral("OUD11602"));
    const auto engine = m_model.m_spScriptEngine;
    EXPECT_EQ(engine->Start(QStringLiteral(
                  "assert(io == nil and os == nil and package == nil and debug == nil)\n"
                  "assert(dofile == nil and loadfile == nil and require == nil and string.dump == nil)\n"
                  "local f, err = load('\\27Lua')\n assert(f == nil)\n"
                  "assert(load('return 1 + 1')() == 2)"), "test"),
              ScriptHost::StartResult::Ok);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    // Memory is bounded too.
    engine->SetMemoryLimit(8u * 1024u * 1024u);
    EXPECT_EQ(engine->Start(QStringLiteral("local t = {} for i = 1, 1e9 do t[i] = i end"), "test"),
              ScriptHost::StartResult::RunFailed);
    EXPECT_TRUE(m_sink.last().contains(QStringLiteral("not enough memory")));
}

TEST_F(ModelLoad, AScriptStartedAgainRunsAsItsTextAndFailsWithTheSameMessage)
{
    // Every start of the same text after the first runs its kept
    // compilation: the same globals, the same error, chunk and line.
    const QString good = QStringLiteral("Starts = (Starts or 0) + 1\nfunction Twice(n) return 2 * n end");
    const QString bad = QStringLiteral("local x = 1\nlocal function f() error('boom') end\nf()");
    QStringList messages;
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        ScriptHost host;
        ASSERT_TRUE(host.valid());
        ASSERT_EQ(host.Start(good, "kept"), ScriptHost::StartResult::Ok);
        std::vector<ScriptValue> results;
        ASSERT_TRUE(host.Call(QStringLiteral("Twice"), {ScriptValue::FromInt(21)}, 1, results));
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].ToInt32(), 42);
        m_sink.clear();
        EXPECT_EQ(host.Start(bad, "kept"), ScriptHost::StartResult::RunFailed);
        ASSERT_EQ(m_sink.shown().size(), 1u);
        messages << m_sink.last();
        EXPECT_TRUE(m_sink.last().contains(QStringLiteral("Line: 2"))) << m_sink.last().toStdString();
        EXPECT_TRUE(m_sink.last().contains(QStringLiteral("boom"))) << m_sink.last().toStdString();
    }
    EXPECT_EQ(messages.at(1), messages.at(0));
    EXPECT_EQ(messages.at(2), messages.at(0));
    // Another text under the same name is that text, not the kept one.
    ScriptHost host;
    ASSERT_EQ(host.Start(QStringLiteral("function Twice(n) return 3 * n end"), "kept"), ScriptHost::StartResult::Ok);
    std::vector<ScriptValue> results;
    ASSERT_TRUE(host.Call(QStringLiteral("Twice"), {ScriptValue::FromInt(2)}, 1, results));
    EXPECT_EQ(results.at(0).ToInt32(), 6);
    // A text that does not compile is refused on every start.
    for (int run = 0; run < 2; ++run) {
        ScriptHost broken;
        EXPECT_EQ(broken.Start(QStringLiteral("function ("), "kept"), ScriptHost::StartResult::ParseFailed);
    }
}

} // namespace

