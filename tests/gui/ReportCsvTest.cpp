// The Report command on the open profile (its pending page edit committed
// first, a refused edit stopping it) and the CHIRP CSV entries of the File
// menu, driven through the frame's actions with the modal dialogs answered
// by a timer.

#include "GuiFixture.h"

#include "views/CBaseView.h"
#include "config/Registry.h"
#include "reports/window/CReportDlg.h"
#include "reports/window/CReportOptionDlg.h"
#include "resources/MessageIds.h"
#include "workflow/ChirpCsv.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

using namespace tavo;
using namespace tavo::test;

namespace {

// The action of the toolbar button for command `id`.
QAction *ToolButton(CMainFrame *frame, int id)
{
    for (QAction *a : frame->ToolBar()->actions())
        if (a->property("ctrlId").toInt() == id)
            return a;
    return nullptr;
}

QString ChannelName(CTavoCPSDoc *doc, int index)
{
    CDataItem channels, channel;
    doc->Root().GetChildByName(QStringLiteral("channels"), channels);
    channels.GetChildByIndex(index, channel);
    return channel.GetText(QStringLiteral("name"));
}

// Answers the report dialogs: picks row `row` of the option dialog, keeps
// what the report window shows and closes it.
struct ReportDriver {
    int row = 0;
    int optionDialogs = 0;
    QString shownTitle, shownText;
    QString saveAs; // when set, the window's Save As is answered with it first
    QTimer timer;

    ReportDriver()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *options = qobject_cast<CReportOptionDlg *>(modal)) {
                ++optionDialogs;
                options->List()->clearSelection();
                options->List()->item(row)->setSelected(true);
                options->OkButton()->click();
            } else if (auto *window = qobject_cast<CReportDlg *>(modal)) {
                shownTitle = window->windowTitle();
                shownText = window->Browser()->toPlainText();
                if (!saveAs.isEmpty()) {
                    CFileDialogs::SetNextAnswer(saveAs);
                    window->Button(IDC_REPORT_SAVEAS)->click();
                    saveAs.clear();
                }
                window->Button(IDC_REPORT_CLOSE)->click();
            }
        });
        timer.start();
    }
};

} // namespace

TEST_F(GuiTest, ReportCommandShowsTheOpenProfileWithItsPendingEdit)
{
    ASSERT_TRUE(Start());
    ASSERT_FALSE(Frame()->RunCommand(cmd::Report)); // no profile, no report
    SetDealerInfo(QStringLiteral("Radio Shop"), QString(), QStringLiteral("+44 1234"));
    CChildFrame *child = Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("r.kp2")));
    ASSERT_NE(child, nullptr);
    Frame()->show();
    child->SwitchPage(6, 1);
    QApplication::processEvents();
    auto *name = qobject_cast<QLineEdit *>(child->Page()->Control(1085));
    ASSERT_NE(name, nullptr);
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("DEPOT")); // typed, not yet committed

    // The toolbar's Report: the name is committed, the detailed report shows it.
    ReportDriver driver;
    driver.row = 1;
    driver.saveAs = m_dir.filePath(QStringLiteral("detailed.pdf")); // Save As asks the file-dialog helper
    ToolButton(Frame(), cmd::Report)->trigger();
    EXPECT_EQ(driver.optionDialogs, 1);
    EXPECT_EQ(ChannelName(child->Document(), 1), QStringLiteral("DEPOT"));
    EXPECT_TRUE(child->Document()->IsModified());
    EXPECT_EQ(driver.shownTitle, LoadString(326));
    EXPECT_TRUE(driver.shownText.contains(LoadString(322))) << driver.shownText.left(300).toStdString();
    EXPECT_TRUE(driver.shownText.contains(QStringLiteral("DEPOT")));
    EXPECT_TRUE(ReadFileBytes(m_dir.filePath(QStringLiteral("detailed.pdf"))).startsWith("%PDF"));
    EXPECT_FALSE(CFileDialogs::HasNextAnswer());

    // The menu's Report, the handout: the dealer's texts and the channel.
    driver.row = 0;
    driver.shownText.clear();
    ASSERT_TRUE(Frame()->RunCommand(cmd::Report));
    EXPECT_TRUE(driver.shownText.contains(QStringLiteral("Radio Shop")));
    EXPECT_TRUE(driver.shownText.contains(QStringLiteral("DEPOT")));
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();

    // A pending name the rules refuse (a duplicate) stops the command.
    name->setFocus();
    name->setText(ChannelName(child->Document(), 0));
    driver.optionDialogs = 0;
    ASSERT_TRUE(Frame()->RunCommand(cmd::Report));
    EXPECT_EQ(m_sink.last(), LoadString(298));
    EXPECT_EQ(driver.optionDialogs, 0);
}

TEST_F(GuiTest, CsvExportThenImportIntoAFreshProfileGivesTheSameChannels)
{
    ASSERT_TRUE(Start());
    // Both entries live in the File menu while a profile is open.
    CChildFrame *source = Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("src.kp2")));
    ASSERT_NE(source, nullptr);
    QMenu *file = TopMenu(343);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->actions().contains(Frame()->Command(cmd::FileImportCsv)));
    EXPECT_TRUE(file->actions().contains(Frame()->Command(cmd::FileExportCsv)));

    // The source's channels differ from the template's.
    CDataItem channels, channel;
    source->Document()->Root().GetChildByName(QStringLiteral("channels"), channels);
    for (int i = 0; i < 2; ++i) {
        channels.GetChildByIndex(i, channel);
        ASSERT_EQ(source->Document()->SetAttribute(channel, QStringLiteral("name"), QStringLiteral("SITE %1").arg(i)).code,
                  RuleResult::Done);
    }
    const QString csvPath = m_dir.filePath(QStringLiteral("plan.csv"));
    CFileDialogs::SetNextAnswer(csvPath);
    ASSERT_TRUE(Frame()->RunCommand(cmd::FileExportCsv));
    const QByteArray csv = ReadFileBytes(csvPath);
    EXPECT_EQ(csv, ExportChirpCsv(source->Document()->Model()));

    // A fresh profile takes the plan, with one row it cannot hold.
    CChildFrame *fresh = Frame()->NewDocumentFromTemplate(SourceInstall() + QStringLiteral("/profiletemplate/OUR10802.kp2"));
    ASSERT_NE(fresh, nullptr);
    ASSERT_NE(ExportChirpCsv(fresh->Document()->Model()), csv);
    const int rows = csv.count('\n') - 1;
    WriteFileBytes(csvPath, csv + "99,FAR,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,Low,,,,,\r\n");
    const QByteArray before = ExportChirpCsv(fresh->Document()->Model());
    m_sink.clear();
    m_sink.Answer(IDNO); // the file order is offered; kept by location
    CFileDialogs::SetNextAnswer(csvPath);
    ASSERT_TRUE(Frame()->RunCommand(cmd::FileImportCsv));
    EXPECT_EQ(ExportChirpCsv(fresh->Document()->Model()), csv);
    EXPECT_TRUE(fresh->Document()->IsModified());
    EXPECT_EQ(fresh->Tree()->ChannelItem(1)->text(0), QStringLiteral("SITE 1"));
    ASSERT_EQ(m_sink.shown().size(), 1u);
    // The row beyond the channels in one line, and the offer of the file order.
    QStringList lines = m_sink.last().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.at(0), LoadString(msg::CsvRowsImported).arg(rows).arg(rows + 1));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("Rows left out because their locations lie beyond"))) << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(1).endsWith(QStringLiteral(": 1 (locations 99 to 99).")));
    EXPECT_EQ(lines.at(3), LoadString(msg::CsvAskFileOrder));
    EXPECT_EQ(m_sink.shown().back().style & MB_ICONMASK, unsigned(MB_ICONWARNING));
    EXPECT_EQ(m_sink.shown().back().style & MB_BUTTONMASK, unsigned(MB_YESNO));

    // Yes: the import by location is taken back and the file imported in
    // file order, one step to undo.
    ASSERT_TRUE(fresh->Document()->Undo());
    m_sink.clear();
    m_sink.Answer(IDYES);
    CFileDialogs::SetNextAnswer(csvPath);
    ASSERT_TRUE(Frame()->RunCommand(cmd::FileImportCsv));
    ASSERT_EQ(m_sink.shown().size(), 2u);
    lines = m_sink.last().split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.at(0).endsWith(LoadString(msg::CsvRowsImported).arg(QString()).arg(rows + 1).mid(1))) << lines.at(0).toStdString();
    EXPECT_FALSE(m_sink.last().contains(QStringLiteral("beyond")));
    EXPECT_EQ(m_sink.shown().back().style & MB_BUTTONMASK, unsigned(MB_OK));
    ASSERT_TRUE(fresh->Document()->Undo());
    EXPECT_EQ(ExportChirpCsv(fresh->Document()->Model()), before);
    ASSERT_TRUE(fresh->Document()->Redo());

    // A file that is not a channel plan changes nothing.
    WriteFileBytes(csvPath, "Name,Value\r\nx,1\r\n");
    fresh->Document()->SetModifiedFlag(false);
    m_sink.clear();
    CFileDialogs::SetNextAnswer(csvPath);
    ASSERT_TRUE(Frame()->RunCommand(cmd::FileImportCsv));
    EXPECT_EQ(m_sink.last(), LoadString(msg::CsvHeaderFound).arg(QStringLiteral("Name,Value")));
    EXPECT_FALSE(fresh->Document()->IsModified());
}
