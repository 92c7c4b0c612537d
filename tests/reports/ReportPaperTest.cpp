// Reports as PDF and on paper: the pictures of every template's reports
// found from any working directory (and a missing one reported), the page
// margins of a printed page, table rows kept whole across pages, and the
// 19-channel handout on one page; a mail program that cannot start a
// message; the values of the detailed report that the pages do not edit
// (versions, frequency slots, codes the channel page cannot show, scramble
// codes).

#include "ReportFixture.h"

#include "config/InterfaceLanguage.h"
#include "reports/ReportGenerator.h"
#include "reports/ReportMail.h"
#include "reports/ReportPdf.h"
#include "reports/window/CReportDlg.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace tavo;
using namespace tavo::test;

namespace {

// The distinct pictures a PDF holds.
int PdfImageCount(const QByteArray &pdf)
{
    return int(pdf.count("/Subtype /Image"));
}

QStringList TemplateModels()
{
    QStringList models;
    for (const QString &file : QDir(SourceInstall() + QStringLiteral("/profiletemplate")).entryList({QStringLiteral("*.kp2")}))
        models << QFileInfo(file).completeBaseName();
    return models;
}

// The text of one PDF page, through pdftotext; false without the tool.
bool PdfPageText(const QString &pdf, int page, QString &text)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return false;
    QProcess p;
    p.start(tool, {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    text = QString::fromUtf8(p.readAllStandardOutput());
    return true;
}

// OUD11602 with 19 channels (three more like the last).
std::vector<std::pair<QString, QString>> NineteenChannels()
{
    QFile f(SourceInstall() + QStringLiteral("/profiletemplate/OUD11602.kp2"));
    f.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(f.readAll());
    static const QRegularExpression channel(QStringLiteral("<channel [^>]*name=\"PMR 16\"[^>]*/>"));
    const QString last = channel.match(text).captured(0);
    QString more = last;
    for (int n = 17; n <= 19; ++n)
        more += QString(last).replace(QStringLiteral("PMR 16"), QStringLiteral("PMR %1").arg(n));
    return {{QStringLiteral("maxChannels=\"16\""), QStringLiteral("maxChannels=\"19\"")},
            {QStringLiteral("numberChannels=\"16\""), QStringLiteral("numberChannels=\"19\"")},
            {last, more}};
}

} // namespace

// Every template's two reports as PDF from a working directory without the
// pictures: each picture of the handout is in the PDF; a picture missing
// from the report folder is an error that names it, and no file is left.
TEST_F(ReportTest, PdfPicturesComeFromTheReportFolder)
{
    const QString elsewhere = m_dir.filePath(QStringLiteral("elsewhere"));
    QDir().mkpath(elsewhere);
    const QString before = QDir::currentPath();
    QDir::setCurrent(elsewhere);
    for (const QString &model : TemplateModels()) {
        SCOPED_TRACE(model.toStdString());
        const QString xml = LoadedProfile(model);
        // The detailed report has no pictures: one model shows it stays so.
        for (ReportKind kind : {ReportKind::Handout, ReportKind::Detailed}) {
            if (kind == ReportKind::Detailed && model != QLatin1String("OUD11602"))
                continue;
            QString html;
            bool display = false;
            ASSERT_TRUE(BuildReportHtml(kind, xml, html, &display));
            const QString pdf = m_dir.filePath(model + QStringLiteral(".pdf"));
            QString error;
            ASSERT_TRUE(WriteReportPdf(html, InstallReportFolder(), pdf, &error)) << error.toStdString();
            // The handout: its two banners and the radio.
            const int expected = kind == ReportKind::Handout ? 3 : 0;
            EXPECT_EQ(PdfImageCount(ReadFileBytes(pdf)), expected);
        }
    }
    // A banner gone: the error names it.
    const QString xml = LoadedProfile(QStringLiteral("OUD11602"));
    QString html;
    ASSERT_TRUE(BuildReportHtml(ReportKind::Handout, xml, html));
    ASSERT_TRUE(QFile::remove(QDir(InstallReportFolder()).filePath(QStringLiteral("HandoutHeader.jpg"))));
    const QString pdf = m_dir.filePath(QStringLiteral("missing.pdf"));
    QString error;
    EXPECT_FALSE(WriteReportPdf(html, InstallReportFolder(), pdf, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("HandoutHeader.jpg"))) << error.toStdString();
    EXPECT_TRUE(error.contains(LoadString(msg::FilesNotAvailable)));
    EXPECT_FALSE(QFile::exists(pdf));
    QDir::setCurrent(before);
}

// A printed page starts exactly at the report's margins (no 2 cm of the
// text printing on top), the 19-channel handout fits one page, and the
// 19-channel detailed report keeps every channel row on one page with the
// table header repeated.
TEST_F(ReportTest, PrintedPagesUseTheMarginsAndKeepRowsWhole)
{
    const QString xml = LoadedProfile(QStringLiteral("OUD11602"), NineteenChannels());
    QString handout, detailed;
    ASSERT_TRUE(BuildReportHtml(ReportKind::Handout, xml, handout));
    ASSERT_TRUE(BuildReportHtml(ReportKind::Detailed, xml, detailed));
    ASSERT_TRUE(handout.contains(QStringLiteral("PMR 19")));
    ReportDocument handoutDocument(handout, InstallReportFolder());
    EXPECT_EQ(ReportPageCount(handoutDocument), 1);

    const QString handoutPdf = m_dir.filePath(QStringLiteral("handout.pdf"));
    const QString detailedPdf = m_dir.filePath(QStringLiteral("detailed.pdf"));
    ASSERT_TRUE(WriteReportPdf(handout, InstallReportFolder(), handoutPdf));
    ASSERT_TRUE(WriteReportPdf(detailed, InstallReportFolder(), detailedPdf));

    // The banner's top left corner is the first thing on the page.
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed: page images not checked";
    constexpr int dpi = 200;
    QProcess p;
    p.start(pdftoppm, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                       QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), handoutPdf,
                       m_dir.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QImage page(m_dir.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());
    int left = page.width(), top = page.height();
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200) {
                left = std::min(left, x);
                top = std::min(top, y);
            }
    EXPECT_NEAR(left, kReportMarginLeftRight * dpi, 2.0);
    EXPECT_NEAR(top, kReportMarginTopBottom * dpi, 2.0);

    // Each row's cell holds a frequency line and a bandwidth line (a
    // display model's channel page has one column for both directions): a
    // row cut by a page break leaves a page with more of one than of the
    // other.
    static const QRegularExpression frequency(QStringLiteral("^\\d+\\.\\d+ \\(\\d+\\)$"), QRegularExpression::MultilineOption);
    const QString bandwidth = LoadString(189);
    int rows = 0;
    for (int n = 1; n <= 4; ++n) {
        QString text;
        if (!PdfPageText(detailedPdf, n, text))
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        const int frequencies = int(text.count(frequency));
        EXPECT_EQ(frequencies, int(text.split(QLatin1Char('\n')).count(bandwidth))) << "page " << n;
        if (frequencies > 0) {
            EXPECT_TRUE(text.contains(LoadString(233))) << "no header on page " << n;
        }
        rows += frequencies;
    }
    EXPECT_EQ(rows, 19);
}

// A mail program that runs but cannot start a message (xdg-email without a
// mail client ends with 3): the window says so, naming the program and its
// status, and offers Save As.
TEST_F(ReportTest, MailProgramThatCannotMailIsReported)
{
    const QString tool = m_dir.filePath(QStringLiteral("no-client-mail"));
    WriteFileBytes(tool, "#!/bin/sh\nexit 3\n");
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    SetMailToolOverride(tool);
    int status = 0;
    EXPECT_EQ(SendReportMail({m_dir.filePath(QStringLiteral("x.htm"))}, &status), MailResult::Failed);
    EXPECT_EQ(status, 3);
    EXPECT_TRUE(m_sink.empty());

    const std::unique_ptr<CReportDlg> shown = ShowReport(ReportKind::Detailed, QStringLiteral("OUR10802"));
    CReportDlg &window = *shown;
    QString offered;
    SetReportSaveAsPrompt([&](QWidget *, const QString &suggested) {
        offered = suggested;
        return QString();
    });
    m_sink.Answer(IDYES);
    window.Button(IDC_REPORT_EMAIL)->click();
    ASSERT_EQ(m_sink.shown().size(), 1u);
    EXPECT_EQ(m_sink.last(), MailFailedText(tool, 3));
    EXPECT_TRUE(m_sink.last().contains(QStringLiteral("no-client-mail")));
    EXPECT_TRUE(m_sink.last().contains(QStringLiteral("3")));
    EXPECT_FALSE(offered.isEmpty()); // Save As followed the Yes
    EXPECT_TRUE(window.isEnabled());
    SetReportSaveAsPrompt(nullptr);
}

// The report window never gets so small that a button leaves it.
TEST_F(ReportTest, ReportWindowKeepsEveryButtonVisible)
{
    ReportOutput report;
    ASSERT_TRUE(MakeReport(ReportKind::Handout, LoadedProfile(QStringLiteral("OUD11602")), report));
    CReportDlg window;
    window.SetReport(report.folder, report.path);
    window.show();
    window.resize(300, 200);
    QApplication::processEvents();
    for (int id : {IDC_REPORT_PREVIEW, IDC_REPORT_PRINT, IDC_REPORT_SAVEAS, IDC_REPORT_EMAIL, IDC_REPORT_CLOSE}) {
        const QRect button = window.Button(id)->geometry();
        EXPECT_TRUE(window.rect().contains(button)) << id;
    }
}

// What the detailed report states beyond the settings pages: versions with
// "." in every language, every frequency slot under its own index (an
// empty slot as the frequency page shows it), a channel on an empty slot
// and a code above maxCodes left blank as the channel page shows them, and
// the scramble code per channel.
TEST_F(ReportTest, DetailedReportStatesVersionsSlotsCodesAndScramble)
{
    // Slot 3 emptied (channel 3 uses it); channel 2 with code 255, above
    // the model's 213, and scramble code 2.
    QString text = LoadedProfile(QStringLiteral("OUD11602"));
    text.replace(text.indexOf(QStringLiteral("freq=\"446031250\"")), 16, QStringLiteral("freq=\"0\""));
    const QRegularExpression second(QStringLiteral("<channel [^>]*name=\"PMR 2\"[^>]*/>"));
    QString channel2 = second.match(text).captured(0);
    ASSERT_FALSE(channel2.isEmpty());
    QString edited = channel2;
    edited.replace(QRegularExpression(QStringLiteral("rx_code=\"\\d+\"")), QStringLiteral("rx_code=\"255\""));
    edited.replace(QRegularExpression(QStringLiteral("scramble_code=\"\\d+\"")), QStringLiteral("scramble_code=\"2\""));
    text.replace(channel2, edited);

    for (const QString &separator : {QStringLiteral("."), QStringLiteral(",")}) {
        SCOPED_TRACE(separator.toStdString());
        const QString html = GenerateDetailedHtml(text, separator);
        EXPECT_TRUE(html.contains(QStringLiteral(">R02.01<"))) << "firmware";
        EXPECT_TRUE(html.contains(QStringLiteral(">R18.00<"))) << "codeplug";
        // Slot 3 is listed, empty, under index 3; slot 4 keeps index 4.
        const QString zero = QStringLiteral("0.000000").replace(QLatin1Char('.'), separator);
        EXPECT_TRUE(html.contains(QStringLiteral("<td align=\"center\">3</td><td>%1 ").arg(zero)));
        const QString slot4 = QStringLiteral("446.043750").replace(QLatin1Char('.'), separator);
        EXPECT_TRUE(html.contains(QStringLiteral("<td align=\"center\">4</td><td>%1 ").arg(slot4)));
        EXPECT_FALSE(html.contains(QStringLiteral("(3)"))) << "a channel cites the empty slot";
        EXPECT_FALSE(html.contains(QStringLiteral("255 -")));
        EXPECT_FALSE(html.contains(LoadString(msg::CodeLabelInverted)));
        EXPECT_TRUE(html.contains(QStringLiteral("<td>%1</td>").arg(LoadString(195)))) << "scramble code 2";
    }
}
