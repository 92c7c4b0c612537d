// The shell's edges around other copies and the display: a path with a
// line break arrives whole, files handed over while a modal dialog is
// open wait for it to close, a copy that did not take hand-overs takes
// them once the first copy has ended, and a start without a display says
// so and ends with status 1; help collections of copies that have ended
// are cleared away; the main title names the active profile once; the
// frequency table shows a licensed model's power modes whole.

#include "PagesFixture.h"

#include "views/CFrequencyView.h"
#include "views/LayoutTables.h"

#include "resources/MessageIds.h"
#include "views/CHelpView.h"

#include <QDialog>
#include <QLocalServer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTableWidget>

#include <csignal>
#include <sys/types.h>

using namespace tavo;
using namespace tavo::test;

TEST_F(GuiTest, AHandedOverPathWithALineBreakArrivesWhole)
{
    const QStringList paths{QStringLiteral("/tmp/dir/nl\nh4.kp2"), QStringLiteral("/tmp/a%20b.kp2"), QStringLiteral("/tmp/plain.kp2")};
    const QByteArray request = CTavoCPSApp::HandOverRequest(paths);
    EXPECT_TRUE(request.endsWith("\n\n"));
    EXPECT_EQ(request.count('\n'), 4); // one a path and the end
    EXPECT_EQ(CTavoCPSApp::HandOverPaths(request), paths);

    // Through the socket: the file in a folder whose name holds a line
    // break opens, and nothing else.
    const QString server = m_dir.filePath(QStringLiteral("hand-over"));
    CTavoCPSApp::SetInstanceServerName(server);
    ASSERT_TRUE(Start());
    m_app->ListenForOtherInstances();
    ASSERT_TRUE(m_app->IsListening());
    const QString folder = m_dir.filePath(QStringLiteral("dir/nl"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("dir"))));
    const QString odd = m_dir.filePath(QStringLiteral("dir/nl\nh4.kp2"));
    ASSERT_TRUE(QFile::copy(ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("h4.kp2")), odd));
    ASSERT_TRUE(CTavoCPSApp::HandToRunningInstance({odd}));
    ASSERT_TRUE(WaitFor([&] { return !Frame()->Children().isEmpty(); }, 5000));
    WaitFor([] { return false; }, 200);
    ASSERT_EQ(Frame()->Children().size(), 1);
    EXPECT_EQ(Frame()->Children().first()->Document()->GetPathName(), QFileInfo(odd).absoluteFilePath());
    CTavoCPSApp::SetInstanceServerName(QString());
}

TEST_F(GuiTest, FilesHandedOverDuringAModalDialogWaitUntilItCloses)
{
    ASSERT_TRUE(Start());
    Frame()->show();
    const QString first = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("first.kp2"));
    const QString second = ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("second.kp2"));
    QDialog dialog(Frame());
    dialog.setModal(true);
    dialog.show();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    m_app->OpenHandedOverFiles({first});
    m_app->OpenHandedOverFiles({second});
    WaitFor([] { return false; }, 600);
    EXPECT_TRUE(Frame()->Children().isEmpty());
    dialog.accept();
    ASSERT_TRUE(WaitFor([&] { return Frame()->Children().size() == 2; }, 3000));
    EXPECT_EQ(Frame()->Children().at(0)->Document()->GetPathName(), QFileInfo(first).absoluteFilePath());
    EXPECT_EQ(Frame()->Children().at(1)->Document()->GetPathName(), QFileInfo(second).absoluteFilePath());
}

TEST_F(GuiTest, TheRemainingCopyTakesTheHandOverOnceTheFirstHasEnded)
{
    const QString server = m_dir.filePath(QStringLiteral("hand-over"));
    CTavoCPSApp::SetInstanceServerName(server);
    // The first copy holds the name.
    auto firstCopy = std::make_unique<QLocalServer>();
    ASSERT_TRUE(firstCopy->listen(server));
    ASSERT_TRUE(Start());
    m_app->ListenForOtherInstances();
    EXPECT_FALSE(m_app->IsListening());
    firstCopy.reset(); // it ends
    ASSERT_TRUE(WaitFor([&] { return m_app->IsListening(); }, 6000));
    const QString path = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("later.kp2"));
    ASSERT_TRUE(CTavoCPSApp::HandToRunningInstance({path}));
    ASSERT_TRUE(WaitFor([&] { return Frame()->Children().size() == 1; }, 5000));
    CTavoCPSApp::SetInstanceServerName(QString());
}

// No display named, and one named that nobody answers (a display number no
// server listens on): both say so and end with 1, never with an abort.
TEST(NoDisplay, TheProgramSaysThatNoDisplayWasFoundAndEndsWithOne)
{
    const QString program = QStringLiteral(TAVO_BIN_DIR "/tavocps");
    if (!QFileInfo(program).isExecutable())
        GTEST_SKIP() << "tavocps is not built";
    for (const char *display : {"", ":8471", "nohost.invalid:3"}) {
        SCOPED_TRACE(display);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"})
            env.remove(QLatin1String(name));
        if (*display)
            env.insert(QStringLiteral("DISPLAY"), QLatin1String(display));
        QTemporaryDir home;
        env.insert(QStringLiteral("HOME"), home.path());
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, {});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1);
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_TRUE(err.contains(LoadString(msg::NoDisplay))) << err.toStdString();
        EXPECT_FALSE(err.contains(QLatin1String("Reinstalling"))) << err.toStdString();
    }
}

TEST(HelpCollections, FoldersOfCopiesThatHaveEndedAreRemovedOthersStay)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    // A process that has ended: its number names nobody now.
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForFinished(10000));
    const qint64 gone = ended.processId() > 0 ? ended.processId() : 0;
    const QString mine = QStringLiteral("tavocps-help-%1-aaaaaa").arg(QCoreApplication::applicationPid());
    const QString stale = QStringLiteral("tavocps-help-%1-bbbbbb").arg(gone);
    const QString other = QStringLiteral("someone-else-%1").arg(gone);
    for (const QString &name : {mine, stale, other}) {
        ASSERT_TRUE(QDir(temp.path()).mkpath(name + QStringLiteral("/window-x")));
        QFile f(temp.filePath(name + QStringLiteral("/help.qhc")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1000, 'x'));
    }
    // (The ended process's number is free unless the system gave it out
    // again meanwhile; then its folder must stay.)
    const bool reused = ::kill(pid_t(gone), 0) == 0;
    EXPECT_EQ(RemoveStaleHelpCollections(temp.path()), reused ? 0 : 1);
    EXPECT_TRUE(QFileInfo::exists(temp.filePath(mine)));
    EXPECT_EQ(QFileInfo::exists(temp.filePath(stale)), reused);
    EXPECT_TRUE(QFileInfo::exists(temp.filePath(other)));
    // The process's own folder is of that name and exists.
    const QString own = HelpCollectionFolder();
    ASSERT_FALSE(own.isEmpty());
    EXPECT_TRUE(QFileInfo(own).fileName().startsWith(QStringLiteral("tavocps-help-%1-").arg(QCoreApplication::applicationPid())));
    EXPECT_TRUE(QFileInfo(own).isDir());
}

// The main title names the active profile once, follows Save As and shows
// the profile's modified mark; a read into the open profile keeps it whole.
TEST_F(GuiTest, TheMainTitleNamesTheActiveProfileOnceAndItsModifiedMark)
{
    ASSERT_TRUE(Start());
    Frame()->show();
    const QString product = QStringLiteral("Olvan Series CPS");
    CChildFrame *child = Frame()->NewDocumentFromTemplate(SourceInstall() + QStringLiteral("/profiletemplate/OUD11602.kp2"));
    ASSERT_NE(child, nullptr);
    WaitFor([] { return false; }, 100);
    const QString name = child->Document()->GetTitle();
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("%1 - [%2[*]]").arg(product, name));
    EXPECT_EQ(Frame()->windowTitle().count(name), 1);
    EXPECT_FALSE(Frame()->isWindowModified());

    // Modified: the main title carries the mark as the window's does.
    CDataItem setting = child->Document()->Root().ChildByName(QStringLiteral("setting"));
    ASSERT_EQ(child->Document()->SetAttribute(setting, QStringLiteral("powerupString"), QStringLiteral("HELLO")).code,
              RuleResult::Done);
    WaitFor([] { return false; }, 100);
    EXPECT_TRUE(Frame()->isWindowModified());

    // Save As: the new name, not the old one, and no mark.
    const QString path = m_dir.filePath(QStringLiteral("named.kp2"));
    CFileDialogs::SetNextAnswer(path);
    ASSERT_TRUE(Frame()->RunCommand(cmd::FileSaveAs));
    WaitFor([] { return false; }, 100);
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("%1 - [named.kp2[*]]").arg(product));
    EXPECT_FALSE(Frame()->isWindowModified());

    // A second profile, then the first again: one name each time.
    CChildFrame *second = Frame()->NewDocumentFromTemplate(SourceInstall() + QStringLiteral("/profiletemplate/SUR41622.kp2"));
    ASSERT_NE(second, nullptr);
    WaitFor([] { return false; }, 100);
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("%1 - [%2[*]]").arg(product, second->Document()->GetTitle()));
    Frame()->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(child->parentWidget()));
    WaitFor([] { return false; }, 100);
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("%1 - [named.kp2[*]]").arg(product));
    // None left: the product alone.
    second->Document()->SetModifiedFlag(false);
    for (QMdiSubWindow *sub : Frame()->MdiArea()->subWindowList())
        sub->close();
    WaitFor([] { return false; }, 100);
    EXPECT_EQ(Frame()->windowTitle(), product);
}

TEST_F(FormPageTest, TheFrequencyTableShowsEveryTextWhole)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenEdited(QStringLiteral("SUR41622")); // long power modes
    ASSERT_NE(child, nullptr);
    auto *page = Show<CFrequencyView>(child, PageFrequency);
    ASSERT_NE(page, nullptr);
    auto *table = qobject_cast<QTableWidget *>(page->Control(1067));
    ASSERT_NE(table, nullptr);
    ASSERT_GT(table->rowCount(), 0);
    int total = 0;
    const QFontMetrics metrics(table->font());
    for (int column = 0; column < table->columnCount(); ++column) {
        for (int row = 0; row < table->rowCount(); ++row)
            EXPECT_LT(metrics.horizontalAdvance(table->item(row, column)->text()), table->columnWidth(column))
                << "row " << row << " column " << column;
        total += table->columnWidth(column);
    }
    EXPECT_LE(total, table->viewport()->width()) << "no sideways scrolling";
}
