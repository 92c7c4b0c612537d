// The report window and the Report command's dialog, offscreen: captions
// and layout, the handout images, Save As through its prompt, e-mail
// attachments handed to a stand-in mail program, and the print preview.
// With TAVO_SHOT_DIR set, the windows are saved there as pictures.

#include "ReportFixture.h"

#include "reports/ReportGenerator.h"
#include "reports/ReportMail.h"
#include "reports/window/CReportDlg.h"
#include "reports/window/CReportOptionDlg.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "support/SmallDisk.h"
#include "support/TestFiles.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>

using namespace tavo;
using namespace tavo::test;

namespace {

void Shot(QWidget *w, const char *name)
{
    const QString dir = qEnvironmentVariable("TAVO_SHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        w->grab().save(QDir(dir).filePath(QLatin1String(name)));
    }
}

// A stand-in mail program that records its arguments, one per line.
QString FakeMailTool(const QString &folder, const QString &log)
{
    const QString path = QDir(folder).filePath(QStringLiteral("fake-mail"));
    WriteFileBytes(path, QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\" >> '%1'; done\n").arg(log).toUtf8());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}


} // namespace

// Which pictures a handout looks for, the PDF a report is e-mailed as, and
// how it reaches the mail program.
TEST_F(ReportTest, AttachmentLists)
{
    const QString folder = m_install + QStringLiteral("/Report");
    EXPECT_EQ(HandoutImageNames(true).size(), 13);
    EXPECT_EQ(HandoutImageNames(false).size(), 14);
    EXPECT_TRUE(FindHandoutImages(folder, true).contains(QStringLiteral("Display.jpg")));
    EXPECT_FALSE(FindHandoutImages(folder, true).contains(QStringLiteral("Rotary.jpg")));

    EXPECT_EQ(ReportMailAttachment(folder + "/Customer Handout.htm"), folder + "/Customer Handout.pdf");
    EXPECT_EQ(ReportMailAttachment(folder + "/Rapport v1.2.htm"), folder + "/Rapport v1.2.pdf");
    EXPECT_EQ(MailToolArguments({"a b.pdf"}), (QStringList{"--attach", "a b.pdf"}));
}

// The window on a handout: captions, layout on resize, Save As as HTML and
// PDF, e-mail of the report as one PDF through a stand-in mail program
// (and without one a message naming xdg-email and xdg-utils), the print
// preview; the detailed report's window sends exactly one file.
TEST_F(ReportTest, ReportWindow)
{
    // The Report command's dialog: the handout is selected; OK needs a row.
    const QString xml = LoadedProfile(QStringLiteral("OUD11602"),
                                      {{QStringLiteral("name=\"PMR 2\""), QStringLiteral("name=\"&lt;b&gt;&amp;\"")}});
    CReportOptionDlg options(*m_model);
    options.show();
    EXPECT_EQ(options.windowTitle(), LoadString(326));
    EXPECT_EQ(options.m_nMaxCodes, 213);
    ASSERT_EQ(options.List()->count(), 2);
    EXPECT_EQ(options.List()->item(1)->text(), LoadString(322));
    EXPECT_TRUE(options.OkButton()->isEnabled());
    Shot(&options, "report-options.png");
    options.List()->clearSelection();
    EXPECT_FALSE(options.OkButton()->isEnabled());
    options.List()->item(0)->setSelected(true);
    ReportOutput report;
    ASSERT_TRUE(options.GenerateSelected(report));
    EXPECT_TRUE(report.displayModel);

    CReportDlg window;
    window.SetReportKind(true);
    window.SetDisplayModel(report.displayModel);
    window.SetReport(report.folder, report.path);
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), LoadString(326));
    EXPECT_EQ(window.Button(IDC_REPORT_PREVIEW)->text(), LoadString(382));
    EXPECT_EQ(window.Button(IDC_REPORT_EMAIL)->text(), LoadString(392));
    EXPECT_EQ(window.HandoutImages().size(), 13);
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("<b>&")));
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    Shot(&window, "handout-window.png");

    const QRect close = window.Button(IDC_REPORT_CLOSE)->geometry();
    const QPoint corner(window.width() - close.right(), window.height() - close.bottom());
    window.resize(window.width() - 150, window.height() + 90);
    QApplication::processEvents();
    const QRect moved = window.Button(IDC_REPORT_CLOSE)->geometry();
    EXPECT_EQ(QPoint(window.width() - moved.right(), window.height() - moved.bottom()), corner);
    EXPECT_EQ(window.Browser()->geometry().bottom() + 1, window.height() - 50);

    // Save As: the report file itself, or a PDF.
    const QString saved = m_dir.filePath(QStringLiteral("out/copy.htm"));
    QDir().mkpath(m_dir.filePath(QStringLiteral("out")));
    QString suggested;
    SetReportSaveAsPrompt([&](QWidget *, const QString &s) {
        suggested = s;
        return saved;
    });
    window.Button(IDC_REPORT_SAVEAS)->click();
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("/Customer Handout.htm")));
    EXPECT_EQ(ReadFileBytes(saved), ReadFileBytes(report.path));
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("out/Display.jpg"))));
    SetReportSaveAsPrompt([&](QWidget *, const QString &) { return m_dir.filePath(QStringLiteral("out/copy.pdf")); });
    window.Button(IDC_REPORT_SAVEAS)->click();
    EXPECT_TRUE(ReadFileBytes(m_dir.filePath(QStringLiteral("out/copy.pdf"))).startsWith("%PDF"));
    // On a full disk both forms say why and leave the files there as they were.
    test::SmallDisk disk;
    if (disk.Mounted()) {
        const QString targets[] = {disk.FilePath(QStringLiteral("copy.htm")), disk.FilePath(QStringLiteral("copy.pdf"))};
        for (const QString &target : targets)
            WriteFileBytes(target, "kept");
        disk.Fill();
        for (const QString &target : targets) {
            m_sink.clear();
            SetReportSaveAsPrompt([&](QWidget *, const QString &) { return target; });
            window.Button(IDC_REPORT_SAVEAS)->click();
            EXPECT_EQ(m_sink.last(), LoadString(9440).arg(target) + QStringLiteral("\nNo space left on device"));
            EXPECT_EQ(ReadFileBytes(target), QByteArray("kept"));
        }
        EXPECT_EQ(disk.Names(), (QStringList{QStringLiteral("copy.htm"), QStringLiteral("copy.pdf")}));
    } else {
        std::fprintf(stderr, "%s\n", disk.Why().c_str());
    }

    // E-mail: without a mail program the message names the tool and its
    // package; with one, the report as one PDF.
    SetMailToolOverride(m_dir.filePath(QStringLiteral("no-such-mail")));
    window.Button(IDC_REPORT_EMAIL)->click();
    EXPECT_EQ(m_sink.last(), LoadString(msg::ReportMailToolMissing));
    EXPECT_TRUE(m_sink.last().contains(QStringLiteral("xdg-email")));
    EXPECT_TRUE(m_sink.last().contains(QStringLiteral("xdg-utils")));
    const QString log = m_dir.filePath(QStringLiteral("mail.log"));
    SetMailToolOverride(FakeMailTool(m_dir.path(), log));
    window.Button(IDC_REPORT_EMAIL)->click();
    const QStringList args = QString::fromUtf8(ReadFileBytes(log)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(args, (QStringList{QStringLiteral("--attach"), ReportMailAttachment(report.path)}));
    EXPECT_TRUE(ReadFileBytes(args.value(1)).startsWith("%PDF"));
    EXPECT_TRUE(window.isEnabled());

    // Print preview: pages laid out with the report's margins.
    bool previewed = false;
    QTimer::singleShot(300, [&] {
        if (auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
            previewed = true;
            preview->resize(900, 900);
            QApplication::processEvents();
            Shot(preview, "handout-print-preview.png");
            preview->reject();
        }
    });
    window.Button(IDC_REPORT_PREVIEW)->click();
    EXPECT_TRUE(previewed);

    // The detailed report: no images looked for, one attachment.
    ASSERT_TRUE(MakeReport(ReportKind::Detailed, xml, report));
    CReportDlg detailed;
    detailed.SetReportKind(false);
    detailed.SetReport(report.folder, report.path);
    detailed.show();
    QApplication::processEvents();
    Shot(&detailed, "detailed-window.png");
    detailed.Browser()->find(LoadString(169)); // the channel table at the top
    detailed.Browser()->verticalScrollBar()->setValue(detailed.Browser()->verticalScrollBar()->value() + 540);
    Shot(&detailed, "detailed-window-channels.png");
    QFile::remove(log);
    detailed.Button(IDC_REPORT_EMAIL)->click();
    EXPECT_EQ(QString::fromUtf8(ReadFileBytes(log)).split('\n', Qt::SkipEmptyParts),
              (QStringList{"--attach", ReportMailAttachment(report.path)}));
    QTimer::singleShot(300, [&] {
        if (auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
            preview->resize(900, 900);
            QApplication::processEvents();
            Shot(preview, "detailed-print-preview.png");
            preview->reject();
        }
    });
    detailed.Button(IDC_REPORT_PREVIEW)->click();

    if (!qEnvironmentVariableIsEmpty("TAVO_SHOT_DIR")) {
        ASSERT_TRUE(MakeReport(ReportKind::Handout, LoadedProfile(QStringLiteral("ZUR10802")), report));
        CReportDlg rotary;
        rotary.SetReport(report.folder, report.path);
        rotary.show();
        QApplication::processEvents();
        Shot(&rotary, "handout-rotary-window.png");
    }

    // A handout window whose images are gone says so and still opens.
    QDir(report.folder).removeRecursively();
    m_sink.clear();
    CReportDlg bare;
    bare.SetReport(report.folder, report.path);
    bare.show();
    EXPECT_EQ(m_sink.last(), LoadString(315));
}

// In French every button shows its whole caption ("Aperçu avant
// impression" is long), the paper list has a label, the report is a
// document to a screen reader, and Ctrl++ and Ctrl+- zoom it.
TEST_F(ReportTest, WindowButtonsFitTheirCaptionsAndZoom)
{
    UseLanguage(QStringLiteral("French"));
    ASSERT_EQ(SetDealerInfo(QStringLiteral("Revendeur"), QString(), QString()), 1);
    const std::unique_ptr<CReportDlg> shown = ShowReport(ReportKind::Detailed, QStringLiteral("OUR10802"));
    CReportDlg &window = *shown;
    for (int id : {IDC_REPORT_PREVIEW, IDC_REPORT_PRINT, IDC_REPORT_SAVEAS, IDC_REPORT_EMAIL, IDC_REPORT_CLOSE}) {
        QPushButton *b = window.Button(id);
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
        EXPECT_TRUE(window.rect().contains(b->geometry())) << id;
    }
    EXPECT_FALSE(window.Button(IDC_REPORT_PREVIEW)->geometry().intersects(window.PaperList()->geometry()));
    EXPECT_FALSE(window.PaperList()->accessibleName().isEmpty());
    EXPECT_EQ(window.PaperList()->count(), 2);
    Shot(&window, "detailed-window-french.png");

    // A screen reader meets a document holding the report's text, tables
    // included.
    QAccessibleInterface *document = QAccessible::queryAccessibleInterface(window.Browser());
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->role(), QAccessible::Document);
    ASSERT_NE(document->textInterface(), nullptr);
    const QString spoken = document->textInterface()->text(0, document->textInterface()->characterCount());
    EXPECT_TRUE(spoken.contains(LoadString(322))) << "the heading";
    EXPECT_TRUE(spoken.contains(QStringLiteral("PMR 8"))) << "the channel table";
    EXPECT_TRUE(document->state().readOnly);

    const qreal size = window.Browser()->font().pointSizeF();
    QApplication::setActiveWindow(&window);
    window.Browser()->setFocus();
    QTest::keyClick(window.Browser(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(window.Browser()->font().pointSizeF(), size);
    QTest::keyClick(window.Browser(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(window.Browser(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(window.Browser()->font().pointSizeF(), size);
}
