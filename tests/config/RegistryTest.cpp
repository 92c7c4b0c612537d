// The settings store: both scopes point at temporary files; the user's
// real settings are never touched.

#include "config/Registry.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"
#include "support/LocaleEnvironment.h"
#include "support/RecordingSink.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavo;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_machine = m_dir.filePath(QStringLiteral("machine.ini"));
        m_user = m_dir.filePath(QStringLiteral("user/Tavo EMEA CPS.ini"));
        SetMachineSettingsFile(m_machine);
        SetUserSettingsFile(m_user);
        SetInstallPathOverride(QString());
        SetApplicationLanguage(QString());
    }
    void TearDown() override
    {
        SetMachineSettingsFile(QString());
        SetUserSettingsFile(QString());
        SetInstallPathOverride(QString());
        SetApplicationLanguage(QString());
    }
    void WriteMachine(const QByteArray &ini)
    {
        QFile f(m_machine);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(ini);
    }
    QVariant UserValue(const QString &key) const { return QSettings(m_user, QSettings::IniFormat).value(key); }
    bool UserHas(const QString &key) const { return QSettings(m_user, QSettings::IniFormat).contains(key); }
    void SetUser(const QString &key, const QVariant &v)
    {
        QSettings s(m_user, QSettings::IniFormat);
        s.setValue(key, v);
    }

    test::LocaleEnvironment m_locale; // no system language unless a test sets one
    QTemporaryDir m_dir;
    QString m_machine;
    QString m_user;
};

const QByteArray kMachine = "[General]\nInstallPath=/opt/tavo\nDefaultLanguage=German\nShowContextHelp=1\n"
                            "[Language]\nGerman\\GUIResource=lang/de.qm\nGerman\\HelpFileName=help/de.qch\n"
                            "German\\DealerInfoLeft=\"Dealer, Inc.\", \"Street 1\"\n"
                            "German\\DealerInfoMiddle=\"Phone\"\n"
                            "German\\DealerInfoRight=\"Web\", \"\", \"Mail\"\n";

} // namespace

TEST_F(RegistryTest, FirstStartCreatesUserValuesFromMachineDefaults)
{
    WriteMachine(kMachine);
    test::RecordingSink sink;
    EXPECT_EQ(InitRegistry(), 1);
    EXPECT_TRUE(sink.empty());
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("German"));
    EXPECT_EQ(GetShowContextHelp(), 1);
    EXPECT_TRUE(IsContextHelpShown());
    // Dealer defaults: the strings of each list joined with CR LF.
    SetApplicationLanguage(QStringLiteral("German"));
    QString left, right, middle;
    EXPECT_EQ(GetDealerInfo(left, right, middle), 1);
    EXPECT_EQ(left, QStringLiteral("Dealer, Inc.\r\nStreet 1"));
    EXPECT_EQ(middle, QStringLiteral("Phone"));
    EXPECT_EQ(right, QStringLiteral("Web\r\n\r\nMail"));
    // A second start changes nothing.
    EXPECT_EQ(InitRegistry(), 1);
    EXPECT_EQ(GetDealerInfo(left, right, middle), 1);
    EXPECT_EQ(left, QStringLiteral("Dealer, Inc.\r\nStreet 1"));
}

TEST_F(RegistryTest, HelpPaneDefaultOnlyOneStaysOne)
{
    for (const auto &c : {std::pair<const char *, int>{"1", 1}, {"2", 0}, {"0", 0}, {"7", 0}}) {
        QFile::remove(m_user);
        WriteMachine(QByteArray("[General]\nDefaultLanguage=English\nShowContextHelp=") + c.first + "\n");
        EXPECT_EQ(InitRegistry(), 1);
        EXPECT_EQ(GetShowContextHelp(), c.second) << c.first;
    }
    // A user value wins over the machine default.
    SetShowContextHelp(true);
    WriteMachine("[General]\nDefaultLanguage=English\nShowContextHelp=0\n");
    EXPECT_EQ(InitRegistry(), 1);
    EXPECT_EQ(GetShowContextHelp(), 1);
    EXPECT_EQ(SetShowContextHelp(false), 1);
    EXPECT_FALSE(IsContextHelpShown());
    EXPECT_EQ(GetDefaultShowContextHelp(), 0);
}

TEST_F(RegistryTest, MissingMachineValuesStopStartWithMessage130)
{
    test::RecordingSink sink;
    const QString fatal = LoadString(130);
    // No default language.
    WriteMachine("[General]\nShowContextHelp=1\n");
    EXPECT_EQ(InitRegistry(), 0);
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.last(), fatal);
    // No help pane default (and no user value).
    sink.clear();
    WriteMachine("[General]\nDefaultLanguage=English\n");
    EXPECT_EQ(InitRegistry(), 0);
    EXPECT_EQ(sink.last(), fatal);
    // A language already chosen needs no default.
    sink.clear();
    QFile::remove(m_user);
    SetCurrentLanguage(QStringLiteral("French"));
    WriteMachine("[General]\nShowContextHelp=1\n");
    EXPECT_EQ(InitRegistry(), 1);
    EXPECT_TRUE(sink.empty());
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("French"));
    // A user scope that cannot be created.
    QFile blocker(m_dir.filePath(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SetUserSettingsFile(m_dir.filePath(QStringLiteral("blocked/sub/user.ini")));
    EXPECT_EQ(EnsureUserKeys(), 0);
    EXPECT_EQ(InitRegistry(), 0);
    EXPECT_EQ(sink.last(), fatal);
}

TEST_F(RegistryTest, DealerSeedingNeverOverwritesAUserValueEvenEmpty)
{
    WriteMachine(kMachine);
    SetUser(QStringLiteral("CurrentLanguage"), QStringLiteral("German"));
    SetUser(QStringLiteral("Language/German/DealerInfoLeft"), QString());
    SetUser(QStringLiteral("Language/German/DealerInfoRight"), QStringLiteral("Mine"));
    EXPECT_EQ(InitRegistry(), 1);
    EXPECT_EQ(UserValue(QStringLiteral("Language/German/DealerInfoLeft")).toString(), QString());
    EXPECT_EQ(UserValue(QStringLiteral("Language/German/DealerInfoRight")).toString(), QStringLiteral("Mine"));
    EXPECT_EQ(UserValue(QStringLiteral("Language/German/DealerInfoMiddle")).toString(), QStringLiteral("Phone"));

    // A language without machine dealer defaults seeds empty values.
    SetUser(QStringLiteral("CurrentLanguage"), QStringLiteral("French"));
    EXPECT_EQ(InitRegistry(), 1);
    EXPECT_TRUE(UserHas(QStringLiteral("Language/French/DealerInfoLeft")));
    EXPECT_EQ(UserValue(QStringLiteral("Language/French/DealerInfoLeft")).toString(), QString());
}

TEST_F(RegistryTest, DealerInfoReadsAllThreeOrNothing)
{
    SetApplicationLanguage(QStringLiteral("English"));
    QString left = QStringLiteral("x"), right = QStringLiteral("y"), middle = QStringLiteral("z");
    SetUser(QStringLiteral("Language/English/DealerInfoLeft"), QStringLiteral("L"));
    SetUser(QStringLiteral("Language/English/DealerInfoMiddle"), QStringLiteral("M"));
    EXPECT_EQ(GetDealerInfo(left, right, middle), 0);
    EXPECT_TRUE(left.isEmpty() && right.isEmpty() && middle.isEmpty());

    EXPECT_EQ(SetDealerInfo(QStringLiteral("A\r\nB"), QStringLiteral("R"), QStringLiteral("M")), 1);
    EXPECT_EQ(GetDealerInfo(left, right, middle), 1);
    EXPECT_EQ(left, QStringLiteral("A\r\nB"));
    EXPECT_EQ(right, QStringLiteral("R"));
    EXPECT_EQ(middle, QStringLiteral("M"));

    // A value is read up to its first terminator.
    SetUser(QStringLiteral("Language/English/DealerInfoRight"), QString::fromUtf16(u"front\0back", 10));
    EXPECT_EQ(GetDealerInfo(left, right, middle), 1);
    EXPECT_EQ(right, QStringLiteral("front"));
}

TEST_F(RegistryTest, InstallPathAndFilesBelowIt)
{
    // Empty InstallPath: the installation beside the executable.
    WriteMachine("[General]\nInstallPath=\nDefaultLanguage=English\n");
    EXPECT_EQ(GetInstallPath(), DefaultInstallFolder());
    EXPECT_TRUE(DefaultInstallFolder().endsWith(QStringLiteral("/install")));
    WriteMachine(kMachine);
    EXPECT_EQ(GetInstallPath(), QStringLiteral("/opt/tavo"));
    EXPECT_EQ(InstallFilePath(QStringLiteral("lib"), QStringLiteral("Region.stv")), QStringLiteral("/opt/tavo/lib/Region.stv"));
    EXPECT_EQ(InstallFilePath(QString(), QStringLiteral("machine.ini")), QStringLiteral("/opt/tavo/machine.ini"));
    SetInstallPathOverride(QStringLiteral("/elsewhere"));
    EXPECT_EQ(GetInstallPath(), QStringLiteral("/elsewhere"));

    SetCurrentLanguage(QStringLiteral("German"));
    SetApplicationLanguage(QStringLiteral("German"));
    EXPECT_EQ(GetResourceLibraryPath(), QStringLiteral("/elsewhere/lang/de.qm"));
    EXPECT_EQ(GetHelpFilePath(), QStringLiteral("/elsewhere/help/de.qch"));
    SetCurrentLanguage(QStringLiteral("Polish"));
    SetApplicationLanguage(QStringLiteral("Polish"));
    EXPECT_EQ(GetResourceLibraryPath(), QString());
    EXPECT_EQ(GetHelpFilePath(), QString());
    SetCurrentLanguage(QString());
    EXPECT_EQ(GetResourceLibraryPath(), QString());
}

TEST_F(RegistryTest, MissingValuesReadEmptyOrMinusOne)
{
    EXPECT_EQ(GetDefaultLanguage(), QString());
    EXPECT_EQ(GetCurrentLanguage(), QString());
    EXPECT_EQ(GetShowContextHelp(), -1);
    EXPECT_EQ(GetDefaultShowContextHelp(), -1);
    EXPECT_FALSE(IsContextHelpShown());
    EXPECT_EQ(SetCurrentLanguage(QStringLiteral("Dutch")), 1);
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("Dutch"));
    // The machine scope is never written by the program.
    EXPECT_FALSE(QFile::exists(m_machine));
}

TEST(Languages, TableSeparatorsAndMenuRule)
{
    const struct {
        const char *key;
        int lcid;
        int command;
    } expected[] = {
        {"English", 1033, 32789}, {"French", 1036, 32799},    {"CaFrench", 3084, 32797}, {"German", 1031, 32788},
        {"Dutch", 1043, 32791},   {"Italian", 1040, 32793},   {"Spanish", 1034, 32802},  {"LaSpanish", 3082, 32782},
        {"Portuguese", 2070, 32784}, {"LaPortuguese", 1046, 32795}, {"Polish", 1045, 32783}, {"Russian", 1049, 32785},
    };
    EXPECT_EQ(LanguageTableEnd() - LanguageTableBegin(), 12);
    for (const auto &e : expected) {
        const LanguageInfo *info = FindLanguageInfo(QLatin1String(e.key));
        ASSERT_NE(info, nullptr) << e.key;
        EXPECT_EQ(info->localeId, e.lcid);
        EXPECT_EQ(info->menuCommand, e.command);
    }
    EXPECT_EQ(FindLanguageInfo(QStringLiteral("english")), nullptr);

    EXPECT_EQ(GetDecimalSeparator(QStringLiteral("English")), QStringLiteral("."));
    EXPECT_EQ(GetDecimalSeparator(QStringLiteral("Polish")), QStringLiteral(","));
    EXPECT_EQ(GetDecimalSeparator(QStringLiteral("German")), QStringLiteral(","));
    const QString userDefault = QLocale::system().decimalPoint();
    EXPECT_EQ(GetDecimalSeparator(QStringLiteral("Klingon")), userDefault.isEmpty() ? QStringLiteral(".") : userDefault);

    EXPECT_EQ(FindLanguage({QStringLiteral("English")}, QStringLiteral("English")), -1);
    EXPECT_EQ(FindLanguage({QStringLiteral("English"), QStringLiteral("German")}, QStringLiteral("German")), 1);
    EXPECT_EQ(FindLanguage({QStringLiteral("English"), QStringLiteral("German")}, QStringLiteral("French")), 0);
    EXPECT_EQ(FindLanguage({}, QStringLiteral("English")), 0);
}

TEST(InstalledMachineSettings, HoldWhatTheInstallerLeaves)
{
    SetMachineSettingsFile(QStringLiteral(TAVO_SOURCE_DIR "/install/machine.ini"));
    QTemporaryDir dir;
    SetUserSettingsFile(dir.filePath(QStringLiteral("user.ini")));
    EXPECT_EQ(GetDefaultLanguage(), QStringLiteral("English"));
    EXPECT_EQ(GetDefaultShowContextHelp(), 1);
    EXPECT_EQ(GetInstallPath(), DefaultInstallFolder());
    EXPECT_EQ(InitRegistry(), 1);
    SetApplicationLanguage(QStringLiteral("English"));
    QString left, right, middle;
    EXPECT_EQ(GetDealerInfo(left, right, middle), 1);
    EXPECT_EQ(left, QStringLiteral("Vantrel Radio Dealer\r\nAddress"));
    EXPECT_TRUE(GetHelpFilePath().endsWith(QStringLiteral("/install/help/tavocps_en.qch")));
    SetCurrentLanguage(QStringLiteral("German"));
    EXPECT_TRUE(GetResourceLibraryPath().endsWith(QStringLiteral("/install/lang/tavocps_de.qm")));
    QSettings machine(QStringLiteral(TAVO_SOURCE_DIR "/install/machine.ini"), QSettings::IniFormat);
    EXPECT_EQ(machine.value(QStringLiteral("Language/German/DealerInfoLeft")).toStringList().value(0),
              QStringLiteral("Vantrel Fachh\u00e4ndler"));
    SetMachineSettingsFile(QString());
    SetUserSettingsFile(QString());
    SetApplicationLanguage(QString());
}

TEST_F(RegistryTest, RecentFilesKeepFourMostRecentFirstWithoutDuplicates)
{
    const QString a = m_dir.filePath(QStringLiteral("a.kp2")), b = m_dir.filePath(QStringLiteral("b.kp2"));
    EXPECT_TRUE(GetRecentFiles().isEmpty());
    for (const char *name : {"1.kp2", "2.kp2", "3.kp2"})
        ASSERT_EQ(AddRecentFile(m_dir.filePath(QLatin1String(name))), 1);
    AddRecentFile(a);
    AddRecentFile(b);
    EXPECT_EQ(GetRecentFiles().size(), kRecentFileCount);
    EXPECT_EQ(GetRecentFiles().first(), b);
    AddRecentFile(a); // moves up, no second entry
    EXPECT_EQ(GetRecentFiles().mid(0, 2), (QStringList{a, b}));
    EXPECT_EQ(GetRecentFiles().count(a), 1);
    RemoveRecentFile(a);
    EXPECT_EQ(GetRecentFiles().first(), b);
    EXPECT_EQ(GetRecentFiles().size(), kRecentFileCount - 1);
}

TEST_F(RegistryTest, FirstStartFollowsTheSystemLanguageWhenTheInstallationShipsIt)
{
    // Locale names as the environment gives them.
    const std::pair<const char *, const char *> locales[] = {
        {"de_DE.UTF-8", "German"}, {"de_AT.UTF-8@euro", "German"}, {"de", "German"},
        {"fr_FR.UTF-8", "French"}, {"fr_BE", "French"}, {"fr_CA.UTF-8", "CaFrench"},
        {"pt_BR", "LaPortuguese"}, {"en_GB.UTF-8", "English"}, {"C.UTF-8", ""},
        {"POSIX", ""}, {"sv_SE.UTF-8", ""}, {"", ""},
    };
    for (const auto &l : locales)
        EXPECT_EQ(LanguageOfLocale(QLatin1String(l.first)), QLatin1String(l.second)) << l.first;

    // An installation that ships German only; French is listed without its file.
    const QString install = m_dir.filePath(QStringLiteral("install"));
    ASSERT_TRUE(QDir().mkpath(install + QStringLiteral("/lang")));
    QFile qm(install + QStringLiteral("/lang/de.qm"));
    ASSERT_TRUE(qm.open(QIODevice::WriteOnly));
    qm.close();
    WriteMachine("[General]\nInstallPath=" + install.toUtf8() +
                 "\nDefaultLanguage=English\nShowContextHelp=1\n"
                 "[Language]\nGerman\\GUIResource=lang/de.qm\nFrench\\GUIResource=lang/fr.qm\n");
    struct Case {
        const char *lcAll, *lcMessages, *lang;
        const char *expected;
    };
    const Case cases[] = {
        {"", "", "de_DE.UTF-8", "German"},
        {"", "", "fr_FR.UTF-8", "English"},      // not shipped
        {"", "", "it_IT.UTF-8", "English"},      // not in the installation at all
        {"", "", "C.UTF-8", "English"},
        {"", "", "", "English"},
        {"", "de_DE.UTF-8", "fr_FR.UTF-8", "German"}, // the messages' locale decides
        {"", "fr_FR.UTF-8", "de_DE.UTF-8", "English"},
        {"de_CH.UTF-8", "fr_FR.UTF-8", "fr_FR.UTF-8", "German"}, // LC_ALL wins
        {"C", "de_DE.UTF-8", "de_DE.UTF-8", "English"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.lcAll) + "|" + c.lcMessages + "|" + c.lang);
        QFile::remove(m_user);
        test::LocaleEnvironment::Set(c.lcAll, c.lcMessages, c.lang);
        EXPECT_EQ(InitRegistry(), 1);
        EXPECT_EQ(GetCurrentLanguage(), QLatin1String(c.expected));
    }
    // Afterwards the user's choice stays, whatever the system says.
    QFile::remove(m_user);
    test::LocaleEnvironment::Set("", "", "C.UTF-8");
    EXPECT_EQ(InitRegistry(), 1);
    EXPECT_EQ(SetCurrentLanguage(QStringLiteral("French")), 1);
    test::LocaleEnvironment::Set("", "", "de_DE.UTF-8");
    EXPECT_EQ(InitRegistry(), 1);
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("French"));
}

// ---- the machine scope in layers: an administrator's file over the
// installation's defaults, key by key

class MachineLayersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_share = m_dir.filePath(QStringLiteral("share/tavocps"));
        m_etc = m_dir.filePath(QStringLiteral("etc/xdg"));
        m_admin = m_etc + QStringLiteral("/Vantrel/Tavo EMEA CPS.ini");
        ASSERT_TRUE(QDir().mkpath(m_share));
        ASSERT_TRUE(QDir().mkpath(m_etc + QStringLiteral("/Vantrel")));
        SetSystemConfigFolder(m_etc);
        SetInstallPathOverride(m_share);
        SetUserSettingsFile(m_dir.filePath(QStringLiteral("user.ini")));
        // The release's defaults; the new key of a later release is German's
        // help file.
        Write(m_share + QStringLiteral("/machine.ini"),
              "[General]\nInstallPath=\nDefaultLanguage=English\nShowContextHelp=1\n"
              "[Language]\nEnglish\\HelpFileName=help/en.qch\nGerman\\HelpFileName=help/de.qch\n"
              "English\\DealerInfoLeft=\"Shipped\", \"Left\"\n");
    }
    static void Write(const QString &path, const QByteArray &ini)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(ini);
    }

    ScopedProcessContext m_context; // every location set here goes back
    test::LocaleEnvironment m_locale;
    QTemporaryDir m_dir;
    QString m_share, m_etc, m_admin;
};

TEST_F(MachineLayersTest, DefaultsAloneWithoutAnAdministratorsFile)
{
    EXPECT_EQ(MachineSettingsFiles(), QStringList{m_share + QStringLiteral("/machine.ini")});
    EXPECT_EQ(GetDefaultLanguage(), QStringLiteral("English"));
    EXPECT_EQ(GetDefaultShowContextHelp(), 1);
    SetApplicationLanguage(QStringLiteral("German"));
    EXPECT_EQ(GetHelpFilePath(), m_share + QStringLiteral("/help/de.qch"));
}

TEST_F(MachineLayersTest, AdministratorWinsKeyByKeyAndNewDefaultsStillApply)
{
    // The administrator sets two values, one of them to an empty text and
    // one a multi-string; everything else comes from the defaults,
    // including a key the administrator's file never had.
    Write(m_admin, "[General]\nShowContextHelp=0\n[Language]\nEnglish\\HelpFileName=\n"
                   "English\\DealerInfoLeft=\"Our shop\", \"High Street 1\"\n");
    EXPECT_EQ(MachineSettingsFiles(), (QStringList{m_admin, m_share + QStringLiteral("/machine.ini")}));
    EXPECT_EQ(GetDefaultShowContextHelp(), 0);
    EXPECT_EQ(GetDefaultLanguage(), QStringLiteral("English"));
    SetApplicationLanguage(QStringLiteral("English"));
    EXPECT_EQ(GetHelpFilePath(), QString()) << "an administrator's empty value is a value";
    SetApplicationLanguage(QStringLiteral("German"));
    EXPECT_EQ(GetHelpFilePath(), m_share + QStringLiteral("/help/de.qch"));

    // Start-up seeds the user from the merged scope.
    SetApplicationLanguage(QString());
    ASSERT_EQ(InitRegistry(), 1);
    EXPECT_FALSE(IsContextHelpShown());
    SetApplicationLanguage(QStringLiteral("English"));
    QString left, right, middle;
    ASSERT_EQ(GetDealerInfo(left, right, middle), 1);
    EXPECT_EQ(left, QStringLiteral("Our shop\r\nHigh Street 1"));

    // A later release changes a default the administrator did not set.
    Write(m_share + QStringLiteral("/machine.ini"),
          "[General]\nInstallPath=\nDefaultLanguage=French\nShowContextHelp=1\n");
    EXPECT_EQ(GetDefaultLanguage(), QStringLiteral("French"));
    EXPECT_EQ(GetDefaultShowContextHelp(), 0);
}

TEST_F(MachineLayersTest, AnInstallationTheAdministratorNamesBringsItsOwnDefaults)
{
    const QString moved = m_dir.filePath(QStringLiteral("moved"));
    ASSERT_TRUE(QDir().mkpath(moved));
    Write(moved + QStringLiteral("/machine.ini"), "[General]\nDefaultLanguage=German\nShowContextHelp=1\n");
    Write(m_admin, QByteArray("[General]\nInstallPath=") + moved.toUtf8() + "\n");
    SetInstallPathOverride(QString());
    EXPECT_EQ(MachineSettingsFiles().value(1), moved + QStringLiteral("/machine.ini"));
    EXPECT_EQ(GetInstallPath(), moved);
    EXPECT_EQ(GetDefaultLanguage(), QStringLiteral("German"));
    // The command line's installation comes before the administrator's.
    SetInstallPathOverride(m_share);
    EXPECT_EQ(GetDefaultLanguage(), QStringLiteral("English"));
}

TEST_F(MachineLayersTest, ConfigurationFoldersOfTheDesktopComeFirst)
{
    SetSystemConfigFolder(QString());
    const QByteArray saved = qgetenv("XDG_CONFIG_DIRS");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_DIRS");
    const QString other = m_dir.filePath(QStringLiteral("desktop-xdg"));
    ASSERT_TRUE(QDir().mkpath(other + QStringLiteral("/Vantrel")));
    Write(other + QStringLiteral("/Vantrel/Tavo EMEA CPS.ini"), "[General]\nDefaultLanguage=German\n");
    Write(m_admin, "[General]\nDefaultLanguage=French\nShowContextHelp=0\n");
    // A relative folder is no configuration folder.
    qputenv("XDG_CONFIG_DIRS", (QStringLiteral("relative:") + other + QLatin1Char(':') + m_etc).toUtf8());
    const QStringList files = MachineSettingsFiles();
    EXPECT_EQ(GetDefaultLanguage(), QStringLiteral("German"));
    EXPECT_EQ(GetDefaultShowContextHelp(), 0);
    if (wasSet)
        qputenv("XDG_CONFIG_DIRS", saved);
    else
        qunsetenv("XDG_CONFIG_DIRS");
    ASSERT_GE(files.size(), 3);
    EXPECT_EQ(files.at(0), other + QStringLiteral("/Vantrel/Tavo EMEA CPS.ini"));
    EXPECT_EQ(files.at(1), m_admin);
    EXPECT_EQ(files.last(), m_share + QStringLiteral("/machine.ini"));
}
