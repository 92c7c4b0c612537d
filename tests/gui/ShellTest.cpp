// The shell: fatal start-up failures, the two menu bars and their pruning,
// the language switch and the recent-file list.

#include "GuiFixture.h"

#include "config/InterfaceLanguage.h"

#include <QMdiArea>
#include <QMdiSubWindow>

using namespace tavo;
using namespace tavo::test;

namespace {

void ReplaceInFile(const QString &path, const QByteArray &from, const QByteArray &to)
{
    QByteArray bytes = ReadFileBytes(path);
    ASSERT_TRUE(bytes.contains(from)) << from.constData();
    bytes.replace(from, to);
    ASSERT_TRUE(WriteFileBytes(path, bytes));
}

} // namespace

TEST_F(GuiTest, FatalStartupFailuresEndWithTheirMessage)
{
    struct Case {
        const char *what;
        std::function<void(const QString &install)> damage;
        int msgId;
    };
    const Case cases[] = {
        {"missing setting document", [](const QString &i) { QFile::remove(i + "/lib/HelpPanMap.stv"); }, 315},
        {"missing rule file", [](const QString &i) { QFile::remove(i + "/profiletemplate/DataProfile.lua"); }, 315},
        {"missing schema", [](const QString &i) { QFile::remove(i + "/profiletemplate/DataProfile.xsd"); }, 315},
        {"edition mismatch",
         [](const QString &i) { ReplaceInFile(i + "/lib/Region.stv", "<Region name=\"EMEA\"/>", "<Region name=\"Asia\"/>"); },
         315},
        {"rule file that does not load",
         [](const QString &i) { WriteFileBytes(i + "/profiletemplate/DataProfile.lua", "-- rules\nfunction ("); }, 381},
        {"registry",
         [this](const QString &) {
             // the user's settings can not be created
             WriteFileBytes(m_dir.filePath(QStringLiteral("blocked")), "x");
             SetUserSettingsFile(m_dir.filePath(QStringLiteral("blocked/sub/user.ini")));
         },
         130},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SetUserSettingsFile(m_dir.filePath(QStringLiteral("user/settings.ini")));
        QDir(m_dir.filePath(QStringLiteral("install"))).removeRecursively();
        c.damage(ScratchInstall());
        m_sink.clear();
        EXPECT_FALSE(Start());
        EXPECT_EQ(Frame(), nullptr);
        ASSERT_FALSE(m_sink.empty());
        EXPECT_EQ(m_sink.last(), LoadString(c.msgId).replace(QLatin1String("%s"), QLatin1String(kProductTitle)));
        m_app.reset();
    }
}

TEST_F(GuiTest, MenusFollowTheOpenProfileAndThePruningRules)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("Olvan Series CPS"));
    EXPECT_EQ(MenuTitles(), (QStringList{"File", "Edit", "View", "Device", "Help"}));
    // Factory Reset is never shown, but its command exists.
    QMenu *device = TopMenu(346);
    ASSERT_NE(device, nullptr);
    EXPECT_FALSE(device->actions().contains(Frame()->Command(cmd::DeviceFactoryReset)));
    EXPECT_NE(Frame()->Command(cmd::DeviceFactoryReset), nullptr);
    // The Language popup holds the region's languages that the installation
    // ships a translation for, English always: the region lists nine, the
    // build ships German and French.
    auto languageIds = [this] {
        QStringList ids;
        QMenu *language = TopMenu(344)->actions().last()->menu();
        for (QAction *a : language ? language->actions() : QList<QAction *>())
            ids << a->property("ctrlId").toString();
        return ids;
    };
    EXPECT_EQ(languageIds(), (QStringList{"32789", "32799", "32788"})); // English, French, German
    EXPECT_FALSE(Frame()->Command(cmd::FileSave)->isEnabled());

    // With a profile: Report as a plain command at position 4, and Window.
    CChildFrame *child = Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("a.kp2")));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(MenuTitles(), (QStringList{"File", "Edit", "View", "Device", "Report", "Window", "Help"}));
    QAction *report = Frame()->menuBar()->actions().at(4);
    EXPECT_EQ(report->menu(), nullptr);
    EXPECT_EQ(report, Frame()->Command(cmd::Report));
    EXPECT_TRUE(report->isEnabled());
    EXPECT_TRUE(TopMenu(345)->actions().contains(Frame()->Command(cmd::ViewHelpPane)));

    // Closing the profile brings the first menu bar back.
    Frame()->RunCommand(cmd::FileClose);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(MenuTitles(), (QStringList{"File", "Edit", "View", "Device", "Help"}));
    m_app.reset();

    // A translation that is not installed takes its language off the menu.
    const QString install = ScratchInstall();
    ASSERT_TRUE(QFile::remove(install + QStringLiteral("/lang/tavocps_de.qm")));
    ASSERT_TRUE(Start());
    EXPECT_EQ(languageIds(), (QStringList{"32789", "32799"}));
    m_app.reset();

    // A region that lists English only: no Language popup at all.
    QByteArray region = ReadFileBytes(install + QStringLiteral("/lib/Region.stv"));
    const int from = region.indexOf("<SupportLanguages>"), to = region.indexOf("</SupportLanguages>");
    region.replace(from, to - from, "<SupportLanguages><language name=\"English\" displayName=\"English\"/>");
    WriteFileBytes(install + QStringLiteral("/lib/Region.stv"), region);
    ASSERT_TRUE(Start());
    for (QAction *a : TopMenu(344)->actions())
        EXPECT_EQ(a->menu(), nullptr) << a->text().toStdString();
}

TEST_F(GuiTest, LanguageSwitchAsksForARestartOnlyWhenItChanges)
{
    ASSERT_TRUE(Start());
    const QString before = Frame()->Command(cmd::FileOpen)->text();
    m_sink.clear();
    Frame()->Command(32789)->trigger(); // English, the language in use
    EXPECT_TRUE(m_sink.empty());
    Frame()->Command(32788)->trigger(); // German
    ASSERT_EQ(m_sink.shown().size(), 1u);
    EXPECT_EQ(m_sink.last(), LoadString(330));
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("German"));
    Frame()->UpdateCommandUI();
    EXPECT_TRUE(Frame()->Command(32788)->isChecked());
    EXPECT_FALSE(Frame()->Command(32789)->isChecked());
    EXPECT_EQ(Frame()->Command(cmd::FileOpen)->text(), before); // nothing changes before a restart
}

TEST_F(GuiTest, RecentFilesReopenAndDropAVanishedFile)
{
    ASSERT_TRUE(Start());
    const QString a = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("a.kp2"));
    const QString b = ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("b.kp2"));
    ASSERT_NE(Frame()->OpenDocumentFile(a), nullptr);
    ASSERT_NE(Frame()->OpenDocumentFile(b), nullptr);
    EXPECT_EQ(GetRecentFiles(), (QStringList{b, a}));
    for (QMdiSubWindow *sub : Frame()->MdiArea()->subWindowList())
        sub->close();
    QApplication::processEvents();
    EXPECT_TRUE(Frame()->Children().isEmpty());

    // The second entry (a) reopens through the guarded open.
    QMenu *file = TopMenu(343);
    QAction *second = nullptr;
    for (QAction *act : file->actions())
        if (act->property("ctrlId").toInt() == cmd::FileMruFirst + 1)
            second = act;
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
    second->trigger();
    ASSERT_EQ(Frame()->Children().size(), 1);
    EXPECT_EQ(Frame()->Children().first()->Document()->GetPathName(), a);
    EXPECT_EQ(GetRecentFiles().first(), a);

    // A vanished file is removed from the list when chosen.
    QFile::remove(b);
    m_sink.clear();
    second->trigger(); // b is second now
    EXPECT_FALSE(m_sink.empty());
    EXPECT_EQ(GetRecentFiles(), (QStringList{a}));
    EXPECT_FALSE(second->isVisible());
}

TEST_F(GuiTest, ACommandLineProfileOpensOnlyWhenItsPreCheckPasses)
{
    const QString good = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("good.kp2"));
    ASSERT_TRUE(Start(good));
    ASSERT_EQ(Frame()->Children().size(), 1);
    m_app.reset();

    // A profile of another region fails the pre-check: it stays closed,
    // and the program starts as a plain start would.
    QByteArray text = ReadFileBytes(good);
    text.replace("model=\"OUR10802\"", "model=\"OUR10801\"");
    const QString foreign = m_dir.filePath(QStringLiteral("foreign.kp2"));
    WriteFileBytes(foreign, text);
    m_sink.clear();
    EXPECT_TRUE(Start(foreign));
    EXPECT_TRUE(m_sink.last().startsWith(LoadString(310)));
    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Frame()->Children().isEmpty());
}
