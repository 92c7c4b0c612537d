// What the desktop sees of the program: the launcher's name and the window
// icon, the launcher file agreeing with the running window, the Quit key,
// the Open dialog's folder and the Port and Transfer dialog's path fields.

#include "GuiFixture.h"

#include "app/CRadioSettings.h"
#include "app/DesktopIdentity.h"
#include "resources/MessageIds.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

using namespace tavo;
using namespace tavo::test;

namespace {

// The application's desktop state, put back after a test.
class DesktopState {
public:
    DesktopState() : m_name(QGuiApplication::desktopFileName()), m_icon(QApplication::windowIcon()) {}
    ~DesktopState()
    {
        QGuiApplication::setDesktopFileName(m_name);
        QApplication::setWindowIcon(m_icon);
    }

private:
    QString m_name;
    QIcon m_icon;
};

QString LauncherPath() { return QStringLiteral(TAVO_SOURCE_DIR "/packaging/%1.desktop").arg(QLatin1String(kDesktopFileName)); }

} // namespace

TEST_F(GuiTest, TheWindowCarriesTheLaunchersNameClassAndIcon)
{
    DesktopState restore;
    SetUpDesktopIdentity();
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("com.vantrel.tavocps"));
    // The icon comes from the hicolor folder beside the program, every size.
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32, 48, 256})
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    // A bitmap is read when its size is asked for: a shipped size is its
    // own bitmap, another one the next larger scaled down, a larger one
    // the largest there is.
    EXPECT_EQ(icon.pixmap(QSize(48, 48)).size(), QSize(48, 48));
    EXPECT_EQ(icon.pixmap(QSize(20, 20)).size(), QSize(20, 20));
    EXPECT_EQ(icon.pixmap(QSize(512, 512)).size(), QSize(256, 256));
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Frame()->windowIcon().isNull());
    EXPECT_TRUE(Frame()->windowIcon().availableSizes().contains(QSize(48, 48)));

    // The launcher names the same icon, and its window class is the class
    // X11 gives the window: the application's name.
    const QSettings launcher(LauncherPath(), QSettings::IniFormat);
    ASSERT_EQ(launcher.status(), QSettings::NoError);
    EXPECT_EQ(launcher.value(QStringLiteral("Desktop Entry/Icon")).toString(), QLatin1String(kIconName));
    EXPECT_EQ(launcher.value(QStringLiteral("Desktop Entry/StartupWMClass")).toString(),
              QCoreApplication::applicationName());
    EXPECT_EQ(QCoreApplication::applicationName(), QLatin1String(kProductTitle));
}

TEST_F(GuiTest, CtrlQQuitsAndExitKeepsItsMnemonic)
{
    ASSERT_TRUE(Start());
    QAction *exit = Frame()->Command(cmd::AppExit);
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(exit->text(), LoadString(355));
    EXPECT_TRUE(exit->text().contains(QLatin1String("&x")));
    // No other command takes the key.
    for (QAction *a : Frame()->actions()) {
        if (a != exit)
            EXPECT_NE(a->shortcut(), exit->shortcut()) << a->text().toStdString();
    }
    Frame()->show();
    exit->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(Frame() && Frame()->isVisible());
}

TEST_F(GuiTest, TheOpenDialogStartsInTheFolderLastUsed)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(CFileDialogs::LastOpenFolder().isEmpty());
    const QString folder = m_dir.filePath(QStringLiteral("profiles"));
    ASSERT_TRUE(QDir().mkpath(folder));
    CFileDialogs::SetNextAnswer(folder + QStringLiteral("/a.kp2"));
    EXPECT_EQ(CFileDialogs::GetOpenProfileName(Frame()), folder + QStringLiteral("/a.kp2"));
    EXPECT_EQ(CFileDialogs::LastOpenFolder(), folder);
    // A cancelled dialog keeps the folder; a folder that is gone is forgotten.
    CFileDialogs::SetNextAnswer(QString());
    EXPECT_TRUE(CFileDialogs::GetOpenProfileName(Frame()).isEmpty());
    EXPECT_EQ(CFileDialogs::LastOpenFolder(), folder);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_TRUE(CFileDialogs::LastOpenFolder().isEmpty());
}

TEST_F(GuiTest, PortAndTransferShowsWholePathsAndBrowsesForTheTraceFile)
{
    ASSERT_TRUE(Start());
    CPortSettingsDialog dialog(Frame());
    dialog.show();
    QApplication::processEvents();
    const QString longPath = QStringLiteral("/dev/serial/by-id/usb-Zerva_Series_CPS_Cable_0001-if00-port0");
    const int needed = dialog.fontMetrics().horizontalAdvance(longPath);
    EXPECT_GE(dialog.Port()->width(), needed);
    EXPECT_GE(dialog.Trace()->width(), needed);

    ASSERT_NE(dialog.BrowseTrace(), nullptr);
    EXPECT_EQ(dialog.BrowseTrace()->text(), LoadString(msg::TraceBrowse));
    const QString trace = m_dir.filePath(QStringLiteral("link"));
    CFileDialogs::SetNextAnswer(trace);
    dialog.BrowseTrace()->click();
    EXPECT_EQ(dialog.Trace()->text(), trace + QStringLiteral(".txt"));
    // Cancelling the dialog keeps the field.
    CFileDialogs::SetNextAnswer(QString());
    dialog.BrowseTrace()->click();
    EXPECT_EQ(dialog.Trace()->text(), trace + QStringLiteral(".txt"));
    dialog.accept();
    EXPECT_EQ(GetTraceFile(), trace + QStringLiteral(".txt"));
}
