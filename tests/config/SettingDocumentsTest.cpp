// The setting documents: loading, every query against the installed
// documents, and the edge cases of the queries on small documents.

#include "config/SettingDocuments.h"
#include "config/Registry.h"
#include "base/TemplateFile.h"
#include "base/CTavoCPSException.h"
#include "base/ProfileNamespaces.h"
#include "resources/StringTable.h"
#include "support/RecordingSink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavo;

namespace {

const QString kInstall = QStringLiteral(TAVO_SOURCE_DIR "/install");

XmlDocPtr Doc(const QString &body)
{
    const QString text = QStringLiteral("<?xml version=\"1.0\"?><Root xmlns=\"%1\">%2</Root>")
                             .arg(QLatin1String(kProfileNamespace), body);
    XmlDocPtr doc = ParseSettingText(text);
    EXPECT_TRUE(doc) << text.toStdString();
    return doc;
}

// The installed documents, loaded once through the normal path.
class InstalledDocuments : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        SetInstallPathOverride(kInstall);
        test::RecordingSink sink;
        s_docs = new SettingDocuments;
        s_loaded = s_docs->LoadAll() && sink.empty();
        s_init = s_loaded && s_docs->InitRegionData(QStringLiteral("Tavo EMEA CPS"));
        SetInstallPathOverride(QString());
    }
    static void TearDownTestSuite()
    {
        delete s_docs;
        s_docs = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_loaded);
        ASSERT_TRUE(s_init);
    }
    static SettingDocuments *s_docs;
    static bool s_loaded;
    static bool s_init;
};
SettingDocuments *InstalledDocuments::s_docs = nullptr;
bool InstalledDocuments::s_loaded = false;
bool InstalledDocuments::s_init = false;

// Page name -> control ids every page of the program shows somewhere.
struct PageControls {
    const char *page;
    std::vector<int> ids;
};
const PageControls kPages[] = {
    {"RadioProfile", {1013, 1001, 1066, 1002, 1011, 1003, 1012, 1004, 1014, 1005, 1015, 1008, 1018, 1007, 1017, 1006, 1016}},
    {"Settings", {1048, 1059, 1050, 1002, 1051, 1003, 1052, 1004, 1054, 1061, 1058, 1037, 1053, 1039, 1055, 1041, 1057,
                  1040, 1024, 1060, 1056, 1005, 1062, 1006, 1066, 1063, 1064, 1038, 1065, 1026, 1016, 1028, 1018, 1049,
                  1029, 1019}},
    {"AudioSettings", {1019, 1020, 1025, 1021, 1026, 1022, 1027, 1023, 1028, 1024, 1017, 1014, 1018}},
    {"Buttons", {1075, 1038, 1054, 1058, 1004, 1001, 1009, 1002, 1010, 1003, 1011, 1005, 1012, 1006, 1013, 1017, 1016,
                 1030, 1029, 1007, 1014, 1008, 1015, 1041}},
    {"Frequency", {1069, 1067, 1041, 1065, 1066, 1073, 1070, 1063, 1071, 1064, 1072, 1068, 1074}},
    {"Channels", {1061, 1041, 1068}},
    {"Channel", {1058, 1085, 1009, 1114, 1111, 1016, 1003, 1018, 1004, 1028, 1031, 1019, 1008, 1086, 1113, 1115, 1017, 1025,
                 1020, 1026, 1021, 1030, 1022, 1029, 1087, 1023, 1005, 1024, 1006, 1076, 1027, 1007}},
    {"ScanList", {1035, 1036, 1037, 1047, 1048, 1033, 1034}},
    {"CustomizedCT", {1077, 1078, 1079, 1080, 1081, 1082, 1083, 1084, 1085, 1086, 1087, 1088, 1089}},
};

// Help page name -> the editable controls that ask for help.
struct HelpControls {
    const char *page;
    std::vector<int> ids;
};
const HelpControls kHelp[] = {
    {"RadioInfo", {1066, 1011, 1012, 1014, 1015, 1018, 1017, 1016}},
    {"GeneralSettings", {1059, 1002, 1003, 1004, 1061, 1037, 1039, 1041, 1040, 1060, 1005, 1006, 1063, 1038, 1026, 1028, 1029}},
    {"AudioSettings", {1025, 1026, 1027, 1028, 1017, 1018}},
    {"Buttons", {1038, 1001, 1002, 1003, 1005, 1006, 1017, 1030, 1007, 1008, 1041}},
    {"RFFrequency", {1073, 1063, 1064, 1068, 1041, 1065, 1066}},
    {"Channels", {1041}},
    {"Channel", {1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023, 1024, 1027, 1028, 1085}},
    {"ScanList", {1047, 1048, 1033, 1034}},
    {"CustomizedCT", {1084, 1085, 1086, 1087, 1088, 1089}},
};

} // namespace

TEST_F(InstalledDocuments, RegionDocumentAnswersEveryQuery)
{
    SettingDocuments &d = *s_docs;
    EXPECT_EQ(d.GetRegionName(), QStringLiteral("EMEA"));
    EXPECT_EQ(d.m_strRegionName, QStringLiteral("EMEA"));
    EXPECT_FALSE(d.GetProductVersion().isEmpty());
    EXPECT_GE(d.GetCPVersion(), 18);
    for (const char *code : {"02", "22"})
        EXPECT_EQ(d.IsSupported(QLatin1String(code)), 1) << code;
    for (const char *code : {"2", "01", "03", " 02", ""})
        EXPECT_EQ(d.IsSupported(QLatin1String(code)), 0) << code;

    EXPECT_TRUE(d.IsCodeplugSupported(QStringLiteral("R"), 18)); // the sample image's version
    EXPECT_FALSE(d.IsCodeplugSupported(QStringLiteral("R"), d.GetCPVersion() + 1));
    EXPECT_TRUE(d.IsCodeplugSupported(QStringLiteral("D"), 255));

    EXPECT_TRUE(d.m_listSubRegions.contains(QStringLiteral("0")));
    EXPECT_EQ(d.IsSubRegionSupported(QStringLiteral("0")), 1);
    EXPECT_EQ(d.IsSubRegionSupported(QStringLiteral("9")), 0);

    EXPECT_EQ(d.m_mapModelRegions.value(2), QStringLiteral("Tavo EMEA CPS"));
    EXPECT_EQ(d.m_mapModelRegions.value(22), QStringLiteral("Tavo EMEA CPS"));
    EXPECT_GE(d.m_mapModelRegions.size(), 4); // other editions too, for messages 503/504
    EXPECT_FALSE(d.m_mapSubModelRegions.isEmpty());
    for (const QString &name : d.m_mapModelRegions)
        EXPECT_TRUE(name.endsWith(QStringLiteral(" CPS"))) << name.toStdString();

    const QStringList languages = d.GetSupportLanguages();
    for (const char *key : {"English", "German", "French"})
        EXPECT_TRUE(languages.contains(QLatin1String(key))) << key;
    for (const QString &key : languages) {
        EXPECT_NE(FindLanguageInfo(key), nullptr) << key.toStdString();
        EXPECT_NE(d.GetLanguageDisplayName(key).trimmed(), QString()) << key.toStdString();
    }
    EXPECT_EQ(d.GetLanguageDisplayName(QStringLiteral("French")), QStringLiteral("Fran\u00e7ais"));
    EXPECT_EQ(d.GetLanguageDisplayName(QStringLiteral("Klingon")), QStringLiteral(" "));
}

TEST_F(InstalledDocuments, EveryPageListsItsControlsForBothDisplayTypes)
{
    for (const PageControls &p : kPages) {
        const QString page = QLatin1String(p.page);
        EXPECT_FALSE(s_docs->GetVisibleSettingEntries(page).empty()) << p.page;
        const QHash<int, bool> display = s_docs->GetVisibleControls(page, true);
        const QHash<int, bool> nonDisplay = s_docs->GetVisibleControls(page, false);
        // Every control of the page is listed for at least one display type.
        for (int id : p.ids)
            EXPECT_TRUE(display.contains(id) || nonDisplay.contains(id)) << p.page << " " << id;
        // ... and nothing else is.
        const QSet<int> known(p.ids.begin(), p.ids.end());
        for (auto it = display.begin(); it != display.end(); ++it)
            EXPECT_TRUE(known.contains(it.key())) << p.page << " " << it.key();
    }
    // Separate receive and transmit ranges on display models, one range
    // on the others.
    const QHash<int, bool> d = s_docs->GetVisibleControls(QStringLiteral("RadioProfile"), true);
    const QHash<int, bool> n = s_docs->GetVisibleControls(QStringLiteral("RadioProfile"), false);
    EXPECT_TRUE(d.contains(1017) && d.contains(1018) && !d.contains(1015));
    EXPECT_TRUE(n.contains(1015) && !n.contains(1017) && !n.contains(1018));
    EXPECT_TRUE(s_docs->GetVisibleSettingEntries(QStringLiteral("NoSuchPage")).empty());
}

TEST_F(InstalledDocuments, EveryEditableControlHasAHelpPage)
{
    for (const HelpControls &h : kHelp) {
        for (int id : h.ids) {
            QString page;
            s_docs->GetHelpPageName(QLatin1String(h.page), QString::number(id), page);
            EXPECT_FALSE(page.isEmpty()) << h.page << " " << id;
        }
    }
    QString page = QStringLiteral("unchanged");
    s_docs->GetHelpPageName(QStringLiteral("Channel"), QStringLiteral("9999"), page);
    EXPECT_EQ(page, QStringLiteral("unchanged"));
    s_docs->GetHelpPageName(QStringLiteral("Channel"), QStringLiteral("1016' or '1'='1"), page);
    EXPECT_EQ(page, QStringLiteral("unchanged"));
}

TEST_F(InstalledDocuments, EveryModelHasItsButtonFeaturesAndPictures)
{
    const std::vector<ModelEntry> models = s_docs->GetModelList();
    ASSERT_FALSE(models.empty());
    QSet<QString> families;
    bool sample = false;
    bool rotaryVariant = false;
    static const QRegularExpression codeForm(QStringLiteral("^[A-Z]{3}[0-9]{5}$"));
    for (const ModelEntry &m : models) {
        SCOPED_TRACE(m.m_strCode.toStdString());
        families.insert(m.m_strFamily);
        sample |= m.m_strCode == QStringLiteral("OUD11602");
        rotaryVariant |= m.m_strCode.at(2) == u'R' && (m.m_strCode.at(3) == u'4' || m.m_strCode.at(3) == u'5');
        EXPECT_TRUE(codeForm.match(m.m_strCode).hasMatch());
        EXPECT_EQ(s_docs->IsSupported(m.m_strCode.right(2)), 1);

        const auto common = s_docs->GetButtonFeatures(m.m_strCode, QLatin1String(kGroupCommon));
        ASSERT_FALSE(common.empty());
        EXPECT_EQ(common.back().m_nValue, 0);
        const auto typed = s_docs->GetButtonFeatures(m.m_strCode, SettingDocuments::DisplayGroupName(m.m_strCode));
        const auto preset = s_docs->GetButtonFeatures(m.m_strCode, QLatin1String(kGroupPreButton));
        QSet<int> codes;
        QSet<QString> names;
        for (const auto *group : {&common, &typed, &preset})
            for (const ButtonFeature &f : *group) {
                codes.insert(f.m_nValue);
                names.insert(f.m_strName);
                EXPECT_FALSE(f.m_strDependName.isEmpty());
                EXPECT_TRUE(f.m_nDependType == 0 || f.m_nDependType == 1);
            }
        for (int code : {0, 3, 4, 7, 9, 10, 12}) // includes the reset defaults 7, 4, 3, 9, 10
            EXPECT_TRUE(codes.contains(code)) << code;
        EXPECT_EQ(preset.size(), 2u);
        EXPECT_EQ(preset.front().m_nValue, 9);
        for (const char *name : {"Monitor", "Scan/Nuisance Channel Delete", "Call Tone", "Scramble",
                                 "Repeater/Talkaround", "No Operation", "Tx Power Selection", "Preset 1", "Preset 2"})
            EXPECT_TRUE(names.contains(QLatin1String(name))) << name;

        const QString picture = s_docs->GetButtonImageFile(m.m_strCode);
        ASSERT_FALSE(picture.isEmpty());
        EXPECT_TRUE(QFileInfo::exists(kInstall + QStringLiteral("/lib/") + picture)) << picture.toStdString();
    }
    EXPECT_TRUE(sample);
    EXPECT_TRUE(rotaryVariant);
    EXPECT_EQ(families, (QSet<QString>{QStringLiteral("Olvan"), QStringLiteral("Zerva"), QStringLiteral("Pemba"),
                                       QStringLiteral("Sorra"), QStringLiteral("Tulka")}));
    // A model whose region code was replaced keeps its section.
    EXPECT_EQ(s_docs->GetButtonFeatures(QStringLiteral("OUR40802"), QLatin1String(kGroupCommon)).size(),
              s_docs->GetButtonFeatures(QStringLiteral("OUR40822"), QLatin1String(kGroupCommon)).size());
    EXPECT_TRUE(s_docs->GetButtonFeatures(QStringLiteral("XXD11602"), QLatin1String(kGroupCommon)).empty());
    EXPECT_TRUE(s_docs->GetButtonImageFile(QStringLiteral("XXD11602")).isEmpty());
}

TEST(SettingDocuments, DisplayTypeFromTheThirdCharacter)
{
    EXPECT_TRUE(IsDisplayModel(QStringLiteral("OUD11602")));
    EXPECT_TRUE(IsDisplayModel(QStringLiteral("oud11602")));
    EXPECT_FALSE(IsDisplayModel(QStringLiteral("OUR10802")));
    EXPECT_FALSE(IsDisplayModel(QStringLiteral("OU")));
    EXPECT_EQ(DisplayTypeName(QStringLiteral("ZUd")), QStringLiteral("Display"));
    EXPECT_EQ(DisplayTypeName(QStringLiteral("ZUR")), QStringLiteral("NonDisplay"));
    EXPECT_EQ(SettingDocuments::DisplayGroupName(QStringLiteral("ZUR")), QStringLiteral("NONDISPLAY"));
}

TEST(SettingDocuments, ListQueriesSkipCommentsAndReadCodesAsLeadingDigits)
{
    SettingDocuments d;
    d.SetDocument(SettingDocuments::Region,
                  Doc(QStringLiteral("<Region name='EMEA'/><ProductVersion value='1.2'/><CPVersion> 19x </CPVersion>"
                                     "<Support><Item num='02'/><!-- 03 --><Item num='22'/></Support>"
                                     "<ModelRegions><Item code='02' name='A'/><!-- c --><Item code='7abc' name='B'/>"
                                     "<Item code='abc' name='Z'/><Item code='02' name='C'/></ModelRegions>"
                                     "<SubModelRegions/>"
                                     "<SupportLanguages><language name='English' displayName='English'/><!-- x -->"
                                     "<language name='German'/><language name='French' displayName=''/></SupportLanguages>"
                                     "<SubRegion><Item num='0'/><!-- 5 --><Item num='3'/></SubRegion>")));
    EXPECT_EQ(d.IsSupported(QStringLiteral("02")), 1);
    EXPECT_EQ(d.IsSupported(QStringLiteral("03")), 0);
    EXPECT_EQ(d.GetCPVersion(), 19);
    QHash<int, QString> map;
    EXPECT_TRUE(d.LoadModelRegions(map));
    EXPECT_EQ(map.size(), 3);
    EXPECT_EQ(map.value(2), QStringLiteral("C")); // a later code replaces an earlier one
    EXPECT_EQ(map.value(7), QStringLiteral("B"));
    EXPECT_EQ(map.value(0), QStringLiteral("Z"));
    QHash<int, QString> sub;
    EXPECT_TRUE(d.LoadSubModelRegions(sub));
    EXPECT_TRUE(sub.isEmpty());
    EXPECT_EQ(d.GetSupportLanguages(), (QStringList{QStringLiteral("English"), QStringLiteral("German"), QStringLiteral("French")}));
    EXPECT_EQ(d.GetLanguageDisplayName(QStringLiteral("German")), QStringLiteral(" "));
    EXPECT_EQ(d.GetLanguageDisplayName(QStringLiteral("French")), QStringLiteral(" "));
    EXPECT_EQ(d.GetLanguageDisplayName(QStringLiteral("Eng'lish")), QStringLiteral(" "));
    EXPECT_EQ(d.LoadSubRegions(), (QStringList{QStringLiteral("0"), QStringLiteral("3")}));
    // Before the sub-region list is kept, every value is accepted.
    EXPECT_EQ(d.IsSubRegionSupported(QStringLiteral("8")), 1);
    EXPECT_TRUE(d.InitRegionData(QStringLiteral("Tavo EMEA CPS")));
    EXPECT_EQ(d.IsSubRegionSupported(QStringLiteral("8")), 0);
    EXPECT_EQ(d.IsSubRegionSupported(QStringLiteral("3")), 1);
}

TEST(SettingDocuments, MissingElementsFailAsTheQueriesSay)
{
    SettingDocuments d;
    d.SetDocument(SettingDocuments::Region, Doc(QStringLiteral("<Other/>")));
    EXPECT_EQ(d.GetCPVersion(), 1);
    EXPECT_EQ(d.GetLanguageDisplayName(QStringLiteral("English")), QStringLiteral(" "));
    EXPECT_TRUE(d.LoadSubRegions().isEmpty());
    const std::function<void()> raising[] = {
        [&] { d.GetRegionName(); },
        [&] { d.GetProductVersion(); },
        [&] { d.IsSupported(QStringLiteral("02")); },
        [&] { QHash<int, QString> m; d.LoadModelRegions(m); },
        [&] { QHash<int, QString> m; d.LoadSubModelRegions(m); },
        [&] { d.GetSupportLanguages(); },
    };
    for (const auto &query : raising) {
        try {
            query();
            ADD_FAILURE() << "a missing element must raise";
        } catch (const CTavoCPSException &e) {
            EXPECT_EQ(e.m_nMsgID, 131);
            EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("ErrorMsg: ")));
        }
    }
    // The edition check reports a missing Region element and stops.
    test::RecordingSink sink;
    EXPECT_FALSE(d.InitRegionData(QStringLiteral("Tavo EMEA CPS")));
    EXPECT_FALSE(sink.empty());
    // Nothing loaded at all: queries that may fail quietly do so.
    SettingDocuments empty;
    QString page = QStringLiteral("kept");
    empty.GetHelpPageName(QStringLiteral("Channel"), QStringLiteral("1016"), page);
    EXPECT_EQ(page, QStringLiteral("kept"));
    EXPECT_TRUE(empty.GetButtonFeatures(QStringLiteral("OUD11602"), QLatin1String(kGroupCommon)).empty());
    EXPECT_FALSE(empty.IsLoaded());
}

TEST(SettingDocuments, EditionMustMatch)
{
    test::RecordingSink sink;
    SettingDocuments d;
    const QString regions = QStringLiteral("<Support/><ModelRegions/><SubModelRegions/>");
    for (const auto &c : {std::pair<const char *, bool>{"EMEA", true}, {"Tavo EMEA CPS", true}, {"EMEACPS", true},
                          {"APAC", false}, {"Americas CPS", false}}) {
        sink.clear();
        d.SetDocument(SettingDocuments::Region, Doc(QStringLiteral("<Region name='%1'/>").arg(QLatin1String(c.first)) + regions));
        EXPECT_EQ(d.InitRegionData(QStringLiteral("Tavo EMEA CPS")), c.second) << c.first;
        EXPECT_EQ(sink.empty(), c.second) << c.first;
        if (!c.second)
            EXPECT_EQ(sink.last(), LoadString(315));
    }
}

TEST(SettingDocuments, VisibilityEntriesBySectionAndHidingWins)
{
    SettingDocuments d;
    d.SetDocument(SettingDocuments::Region, Doc(QStringLiteral("<Region name='EMEA'/>")));
    d.SetDocument(SettingDocuments::VisibleSetting,
                  Doc(QStringLiteral("<EMEA><Channel><Control id='1'/><Control id='2' isVisible='0'/>"
                                     "<!-- a note --><Control id='3' isVisible='1'/>"
                                     "<Display><Control id='10'/><Other id='11'/></Display>"
                                     "<NonDisplay><Control id='20' isVisible='0'/><Control id='1' isVisible='0'/></NonDisplay>"
                                     "</Channel></EMEA><APAC><Channel><Control id='99'/></Channel></APAC>")));
    EXPECT_EQ(d.GetVisibleSettingEntries(QStringLiteral("Channel")).size(), 5u); // comment skipped
    const QHash<int, bool> display = d.GetVisibleControls(QStringLiteral("Channel"), true);
    EXPECT_EQ(display, (QHash<int, bool>{{1, true}, {2, false}, {3, true}, {10, true}}));
    const QHash<int, bool> other = d.GetVisibleControls(QStringLiteral("Channel"), false);
    EXPECT_EQ(other, (QHash<int, bool>{{1, false}, {2, false}, {3, true}, {20, false}}));
    EXPECT_TRUE(d.GetVisibleSettingEntries(QStringLiteral("Chan nel")).empty());
}

TEST(SettingDocuments, LoadingMissingUnparsableAndStoredForms)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("lib")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Report")));
    SetInstallPathOverride(dir.path());
    auto write = [&](const QString &rel, const QByteArray &bytes) {
        QFile f(dir.filePath(rel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<R xmlns=\"%1\"><Region name=\"EMEA\"/>"
                                        "<ProductVersion value=\"\u00e9\u00a5\"/></R>")
                             .arg(QLatin1String(kProfileNamespace));
    write(QStringLiteral("lib/Region.stv"), EncodeScrambledUtf16(text));
    write(QStringLiteral("lib/Broken.stv"), "<?xml version=\"1.0\"?><R><unclosed></R>");
    write(QStringLiteral("lib/Empty.stv"), "");
    write(QStringLiteral("Report/Handout.xsl"), "<?xml version=\"1.0\" encoding=\"windows-1252\"?><x a=\"\xE9\"/>");

    test::RecordingSink sink;
    SettingDocuments d;
    XmlDocPtr region = LoadSettingDoc(QStringLiteral("Region.stv"), true);
    ASSERT_TRUE(region);
    d.SetDocument(SettingDocuments::Region, std::move(region));
    EXPECT_EQ(d.GetProductVersion(), QStringLiteral("\u00e9\u00a5"));
    XmlDocPtr sheet = LoadSettingDoc(QStringLiteral("Handout.xsl"), false);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(XmlAttribute(xmlDocGetRootElement(sheet.get()), "a"), QStringLiteral("\u00e9"));
    EXPECT_TRUE(sink.empty());

    for (const char *file : {"Broken.stv", "Empty.stv", "Missing.stv"}) {
        sink.clear();
        EXPECT_FALSE(LoadSettingDoc(QLatin1String(file), true)) << file;
        ASSERT_EQ(sink.shown().size(), 1u) << file;
        EXPECT_EQ(sink.last(), LoadString(315));
    }
    // The four documents load in order; the first missing one stops.
    sink.clear();
    EXPECT_FALSE(d.LoadAll());
    EXPECT_EQ(sink.shown().size(), 1u);
    SetInstallPathOverride(QString());
}

TEST(SettingDocuments, FeatureNamesComeFromTheStringTableOnce)
{
    SettingDocuments d;
    d.SetDocument(SettingDocuments::ButtonList,
                  Doc(QStringLiteral("<ZUD116><COMMON><Feature Name='Monitor' Value='7'/><Feature Name='Custom' Value='6'/>"
                                     "<Feature Name='No Operation' Value='0'/></COMMON></ZUD116>")));
    d.LocalizeButtonFeatureNames();
    const auto features = d.GetButtonFeatures(QStringLiteral("ZUD11602"), QLatin1String(kGroupCommon));
    ASSERT_EQ(features.size(), 3u);
    EXPECT_EQ(features[0].m_strName, LoadString(416));
    EXPECT_EQ(features[1].m_strName, QStringLiteral("Custom"));
    EXPECT_EQ(features[2].m_strName, LoadString(422));
    EXPECT_EQ(features[2].m_nValue, 0);
    EXPECT_EQ(features[0].m_strDependName, QString()); // attribute absent
}

TEST_F(InstalledDocuments, EveryModelTemplateIsAcceptedByTheRegionDocument)
{
    for (const ModelEntry &m : s_docs->GetModelList()) {
        SCOPED_TRACE(m.m_strCode.toStdString());
        QString text;
        ASSERT_TRUE(LoadProfileFile(kInstall + QStringLiteral("/profiletemplate/") + m.m_strCode + QStringLiteral(".kp2"), text));
        XmlDocPtr doc = ParseSettingText(text);
        ASSERT_TRUE(doc);
        XmlXPath x(doc.get());
        xmlNode *factory = x.SelectFirst("//dfns:factory_setting");
        ASSERT_NE(factory, nullptr);
        const QString model = XmlAttribute(factory, "model");
        EXPECT_EQ(model, m.m_strCode);
        EXPECT_EQ(s_docs->IsSupported(model.right(2)), 1);
        EXPECT_EQ(s_docs->IsSubRegionSupported(XmlAttribute(factory, "sub_region")), 1);
        EXPECT_TRUE(s_docs->IsCodeplugSupported(XmlAttribute(factory, "codeplug_phase"),
                                                XmlAttribute(factory, "codeplug_version").toInt()));
        xmlNode *limit = x.SelectFirst("//dfns:limit");
        ASSERT_NE(limit, nullptr);
        EXPECT_EQ(XmlAttribute(limit, "maxChannels").toInt(), model.mid(4, 2).toInt());
    }
}
