// The shell's dialogs and the commands around them: New Profile, the
// dealer information, the password, the clipboard commands, Content and
// Index, and a second launch handing its file to the running program.

#include "GuiFixture.h"
#include "app/CChangeListDialog.h"
#include "app/CRadioSettings.h"

#include "app/CHelpWindow.h"
#include "resources/MessageIds.h"
#include "app/ShellDialogs.h"
#include "views/CBaseView.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QHelpEngine>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTextBrowser>
#include <QTest>

using namespace tavo;
using namespace tavo::test;

TEST_F(GuiTest, NewProfileListsTheTemplatesAndOpensAnUntitledProfile)
{
    ASSERT_TRUE(Start());
    CNewProfileDlg dialog;
    ASSERT_TRUE(dialog.HasTemplates());
    EXPECT_EQ(dialog.List()->count(), 13);
    EXPECT_EQ(dialog.List()->currentRow(), 0);
    // The code, then the model's family, band and channels from the template.
    EXPECT_EQ(dialog.List()->item(0)->text(), QStringLiteral("OUD11602   Olvan, 446.0-446.2 MHz, 16 channels"));
    EXPECT_EQ(dialog.SelectedPath(), BuiltInstall() + QStringLiteral("/profiletemplate/OUD11602.kp2"));

    CChildFrame *child = Frame()->NewDocumentFromTemplate(dialog.SelectedPath());
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->Document()->GetPathName().isEmpty());
    EXPECT_FALSE(child->Document()->IsModified());
    // Save of an untitled profile asks for a name.
    const QString saved = m_dir.filePath(QStringLiteral("new.kp2"));
    CFileDialogs::SetNextAnswer(saved);
    ASSERT_TRUE(Frame()->RunCommand(cmd::FileSave));
    EXPECT_EQ(child->Document()->GetPathName(), saved);
    EXPECT_TRUE(QFile::exists(saved));

    // A template folder without templates: message 296, nothing opens.
    const QString install = ScratchInstall();
    for (const QString &f : QDir(install + QStringLiteral("/profiletemplate")).entryList({QStringLiteral("*.kp2")}))
        QFile::remove(install + QStringLiteral("/profiletemplate/") + f);
    CNewProfileDlg empty;
    m_sink.clear();
    EXPECT_TRUE(empty.Choose().isEmpty());
    EXPECT_EQ(m_sink.last(), LoadString(296));
}

TEST_F(GuiTest, DealerTextsKeepTheirLineBreaksAndTooLongOnesAreRefused)
{
    ASSERT_TRUE(Start());
    {
        CDealerInfoDialog dialog;
        dialog.SetTexts(QStringLiteral("Radio Shop\r\nHigh Street 1"), QStringLiteral("+44 1234\r\nshop@example.org"), QString());
        EXPECT_EQ(dialog.Edit(1001)->toPlainText(), QStringLiteral("Radio Shop\nHigh Street 1"));
        dialog.Edit(1002)->setPlainText(QString(300, QLatin1Char('x'))); // at most 250 characters
        EXPECT_EQ(dialog.Edit(1002)->toPlainText().size(), 250);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    QString left, right, middle;
    ASSERT_EQ(GetDealerInfo(left, right, middle), 1);
    EXPECT_EQ(left, QStringLiteral("Radio Shop\r\nHigh Street 1"));
    EXPECT_EQ(middle, QStringLiteral("+44 1234\r\nshop@example.org"));
    EXPECT_EQ(right.size(), 250);

    // A stored text longer than the dialog takes blocks it with 375.
    SetDealerInfo(QString(260, QLatin1Char('y')), right, middle);
    m_sink.clear();
    EXPECT_EQ(RunDealerInfoCommand(Frame()), -1);
    EXPECT_EQ(m_sink.last(), LoadString(375));
}

TEST_F(GuiTest, PasswordDialogAcceptsOnlyTheRadiosPassword)
{
    QString remembered;
    CAskPwdDlg wrong(QStringLiteral("1234"), remembered);
    EXPECT_EQ(wrong.Entry()->maxLength(), 4);
    EXPECT_EQ(wrong.Entry()->echoMode(), QLineEdit::Password);
    wrong.Entry()->setText(QStringLiteral("1243"));
    wrong.accept();
    EXPECT_EQ(m_sink.last(), LoadString(279));
    EXPECT_TRUE(remembered.isEmpty());
    CAskPwdDlg right(QStringLiteral("1234"), remembered);
    right.Entry()->setText(QStringLiteral("1234"));
    m_sink.clear();
    right.accept();
    EXPECT_TRUE(m_sink.empty());
    EXPECT_EQ(remembered, QStringLiteral("1234"));
}

TEST_F(GuiTest, ClipboardCommandsFollowTheFocusedFieldButNeverAPasswordField)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("c.kp2")));
    ASSERT_NE(child, nullptr);
    Frame()->activateWindow();
    auto *serial = qobject_cast<QLineEdit *>(child->Page()->Control(1011));
    serial->setFocus();
    QApplication::processEvents();
    if (QApplication::focusWidget() != serial)
        GTEST_SKIP() << "the platform gives no keyboard focus";
    serial->selectAll();
    Frame()->UpdateCommandUI();
    EXPECT_TRUE(Frame()->Command(cmd::EditCopy)->isEnabled());
    EXPECT_FALSE(Frame()->Command(cmd::EditCut)->isEnabled()); // read only
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditCopy));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("000AAA0000"));

    QLineEdit password(child->Page()->Form());
    password.setEchoMode(QLineEdit::Password);
    password.setText(QStringLiteral("1234"));
    password.show();
    password.setFocus();
    password.selectAll();
    QApplication::processEvents();
    Frame()->UpdateCommandUI();
    EXPECT_FALSE(Frame()->Command(cmd::EditCopy)->isEnabled());
    EXPECT_FALSE(Frame()->Command(cmd::EditCut)->isEnabled());
    EXPECT_FALSE(Frame()->Command(cmd::EditPaste)->isEnabled());
    EXPECT_TRUE(Frame()->Command(cmd::EditDelete)->isEnabled()); // clearing is no clipboard use
}

TEST_F(GuiTest, ContentAndIndexOpensTheHelpFileOrSaysWhyNot)
{
    ASSERT_TRUE(Start());
    Frame()->RunCommand(cmd::HelpContents);
    auto *window = Frame()->findChild<CHelpWindow *>();
    ASSERT_NE(window, nullptr) << m_sink.last().toStdString();
    EXPECT_TRUE(window->Browser()->toPlainText().contains(QStringLiteral("Olvan Series CPS Help")));
    delete window;

    // No help file named, or one that is not there.
    QByteArray machine = ReadFileBytes(SourceInstall() + QStringLiteral("/machine.ini"));
    const QString ini = m_dir.filePath(QStringLiteral("machine.ini"));
    WriteFileBytes(ini, QByteArray(machine).replace("English\\HelpFileName=help/tavocps_en.qch", "English\\HelpFileName=help/none.qch"));
    SetMachineSettingsFile(ini);
    m_sink.clear();
    Frame()->RunCommand(cmd::HelpContents);
    EXPECT_EQ(m_sink.last(), LoadString(148));
    WriteFileBytes(ini, QByteArray(machine).replace("English\\HelpFileName=help/tavocps_en.qch", "English\\HelpFileName="));
    Frame()->RunCommand(cmd::HelpContents);
    EXPECT_EQ(m_sink.last(), LoadString(146));
    // A file that is not a help file.
    WriteFileBytes(m_dir.filePath(QStringLiteral("bad.qch")), "not a help file");
    WriteFileBytes(ini, QByteArray(machine).replace("English\\HelpFileName=help/tavocps_en.qch",
                                                    "English\\HelpFileName=" + m_dir.filePath(QStringLiteral("bad.qch")).toUtf8()));
    SetInstallPathOverride(QStringLiteral("/"));
    Frame()->RunCommand(cmd::HelpContents);
    EXPECT_EQ(m_sink.last(), LoadString(147));
}

// The help of working with radios: its topics in the contents and the
// index, and each radio dialog's Help button (clicked) opening its own.
TEST_F(GuiTest, EachRadioDialogsHelpOpensItsTopic)
{
    ASSERT_TRUE(Start());
    Frame()->RunCommand(cmd::HelpContents);
    auto *window = Frame()->findChild<CHelpWindow *>();
    ASSERT_NE(window, nullptr) << m_sink.last().toStdString();
    delete window;

    CPortSettingsDialog port(Frame());
    auto *help = port.findChild<QPushButton *>(QStringLiteral("help"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text(), LoadString(msg::MenuHelp));
    QTest::mouseClick(help, Qt::LeftButton);
    window = port.findChild<CHelpWindow *>();
    ASSERT_NE(window, nullptr) << m_sink.last().toStdString();
    EXPECT_TRUE(window->Browser()->source().toString().endsWith(QStringLiteral("radio_commands.htm#port_transfer")))
        << window->Browser()->source().toString().toStdString();
    EXPECT_TRUE(window->Browser()->toPlainText().contains(QStringLiteral("Port and Transfer")));
    for (const char *topic : {"Read and Write", "Backups and Restore Backup", "Program Several Radios", "The Change List", "CHIRP CSV",
                              "Undo and Redo"})
        EXPECT_TRUE(window->Browser()->toPlainText().contains(QLatin1String(topic))) << topic;
    delete window;

    CChangeListDialog changes({QStringLiteral("a")}, QStringLiteral("SER1"));
    ASSERT_NE(changes.findChild<QPushButton *>(QStringLiteral("help")), nullptr);
}

TEST_F(GuiTest, ASecondLaunchHandsItsFileToTheRunningProgram)
{
    CTavoCPSApp::SetInstanceServerName(m_dir.filePath(QStringLiteral("hand-over")));
    ASSERT_TRUE(Start());
    m_app->ListenForOtherInstances();
    const QString path = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("handed.kp2"));
    ASSERT_TRUE(CTavoCPSApp::HandToRunningInstance({path}));
    for (int i = 0; i < 50 && Frame()->Children().isEmpty(); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(Frame()->Children().size(), 1);
    EXPECT_EQ(Frame()->Children().first()->Document()->GetPathName(), path);
}

TEST_F(GuiTest, AProfileDroppedOnTheMainWindowOpens)
{
    ASSERT_TRUE(Start());
    const QString path = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("dropped.kp2"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Frame(), &drop);
    ASSERT_EQ(Frame()->Children().size(), 1);
    EXPECT_EQ(Frame()->Children().first()->Document()->GetPathName(), path);
}
