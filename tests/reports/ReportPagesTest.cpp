// Reports on paper, read back from the PDF: every table row of both
// reports of every template on one page (A4 and Letter, English, German
// and French, long dealer texts), nothing printed into the margins, the
// handout on one page, the header with Page N of M on every page of the
// detailed report, the PDF's title and creator, and text a search finds
// (no ligature glyphs).

#include "ReportFixture.h"

#include "reports/ReportGenerator.h"
#include "reports/ReportPdf.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "support/TestFiles.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextTable>

using namespace tavo;
using namespace tavo::test;

namespace {

struct PdfWord {
    int page;
    QString text;
    double yMin, yMax;
};

struct PdfText {
    std::vector<PdfWord> words;
    std::vector<double> pageHeights;
};

QString Tool(const char *name)
{
    return QStandardPaths::findExecutable(QLatin1String(name));
}

// The words of a PDF in the order they are drawn, with their pages.
PdfText ReadPdfWords(const QString &pdf)
{
    PdfText out;
    QProcess p;
    p.start(Tool("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    const QString xml = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression item(
        QStringLiteral("<page width=\"[\\d.]+\" height=\"([\\d.]+)\">|<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\" "
                       "xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = item.globalMatch(xml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            out.pageHeights.push_back(m.captured(1).toDouble());
            continue;
        }
        QString text = m.captured(4);
        text.replace(QLatin1String("&amp;"), QLatin1String("&")).replace(QLatin1String("&lt;"), QLatin1String("<"));
        text.replace(QLatin1String("&gt;"), QLatin1String(">")).replace(QLatin1String("&quot;"), QLatin1String("\""));
        text.replace(QLatin1String("&apos;"), QLatin1String("'"));
        out.words.push_back({int(out.pageHeights.size()), text, m.captured(2).toDouble(), m.captured(3).toDouble()});
    }
    return out;
}

QString Squeezed(QString text)
{
    static const QRegularExpression blank(QStringLiteral("[\\s\\x{00A0}\\x{2028}\\x{2029}\\x{FFFC}]"));
    return text.remove(blank);
}

// The text of each cell, row by row, of every table that holds no other
// table (the handout's frame around its parts is no row of its own).
std::vector<QStringList> TableRows(QTextDocument &document)
{
    std::vector<QStringList> rows;
    std::function<void(QTextFrame *)> walk = [&](QTextFrame *frame) {
        for (QTextFrame *child : frame->childFrames()) {
            auto *table = qobject_cast<QTextTable *>(child);
            if (!table || !child->childFrames().isEmpty()) {
                walk(child);
                continue;
            }
            for (int r = 0; r < table->rows(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    if (cell.row() != r || cell.column() != c)
                        continue;
                    QTextCursor text(cell.firstCursorPosition());
                    text.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                    const QString squeezed = Squeezed(text.selectedText());
                    if (!squeezed.isEmpty())
                        cells << squeezed;
                }
                if (!cells.isEmpty())
                    rows.push_back(cells);
            }
        }
    };
    walk(document.rootFrame());
    return rows;
}

// Finds each row's cells, in drawing order, in the PDF's text and says
// which row has cells on more than one page (or cannot be found whole).
QString RowsCutAcrossPages(const std::vector<QStringList> &rows, const PdfText &pdf)
{
    QString stream;
    std::vector<int> pageOf;
    for (const PdfWord &w : pdf.words) {
        stream += w.text;
        pageOf.insert(pageOf.end(), size_t(w.text.size()), w.page);
    }
    qsizetype at = 0;
    for (const QStringList &row : rows) {
        QSet<int> pages;
        qsizetype from = at;
        for (const QString &cell : row) {
            const qsizetype found = stream.indexOf(cell, from);
            if (found < 0)
                return QStringLiteral("cell \"%1\" of row \"%2\" not found whole").arg(cell, row.join(QLatin1Char('|')));
            pages.insert(pageOf[size_t(found)]);
            pages.insert(pageOf[size_t(found + cell.size() - 1)]);
            from = found + cell.size();
        }
        if (pages.size() != 1)
            return QStringLiteral("row \"%1\" is cut across pages").arg(row.join(QLatin1Char('|')));
        at = from;
    }
    return QString();
}

// Nothing of a page is printed into its top or bottom margin (text the
// page cut would be there).
QString TextInMargins(const PdfText &pdf)
{
    const double margin = kReportMarginTopBottom * 72 - 1;
    for (const PdfWord &w : pdf.words) {
        const double height = pdf.pageHeights[size_t(w.page - 1)];
        if (w.yMin < margin || w.yMax > height - margin)
            return QStringLiteral("\"%1\" on page %2 at %3").arg(w.text).arg(w.page).arg(w.yMin);
    }
    return QString();
}

QString PdfInfo(const QString &pdf)
{
    QProcess p;
    p.start(Tool("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class ReportPagesTest : public ReportTest {
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        if (Tool("pdftotext").isEmpty() || Tool("pdfinfo").isEmpty())
            GTEST_SKIP() << "poppler-utils is not installed (scripts/deps.sh installs it)";
    }
};

const char *const kLanguages[] = {"English", "German", "French"};

QStringList TemplateModels()
{
    QStringList models;
    for (const QString &file : QDir(SourceInstall() + QStringLiteral("/profiletemplate")).entryList({QStringLiteral("*.kp2")}))
        models << QFileInfo(file).completeBaseName();
    return models;
}

// Six lines in each dealer text, one of them longer than its column.
QString LongDealerText(const QString &first)
{
    QStringList lines{first};
    for (int n = 2; n <= 5; ++n)
        lines << QStringLiteral("Line %1 of the dealer's text").arg(n);
    lines << QStringLiteral("Opening hours Monday to Friday 8:00 to 18:00, Saturday 9:00 to 13:00, closed on holidays");
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

// Both reports of every template on both papers in three languages with
// long dealer texts: every row of every table whole on one page, nothing
// in the margins, the handout on one page, and each page of the detailed
// report headed with the report, model, serial number and "Page N of M".
TEST_F(ReportPagesTest, EveryRowOfEveryTemplateOnOnePage)
{
    const QStringList models = TemplateModels();
    ASSERT_EQ(models.size(), 13);
    for (const char *language : kLanguages) {
        UseLanguage(QLatin1String(language));
        // The dealer texts of the language.
        ASSERT_EQ(SetDealerInfo(LongDealerText(QStringLiteral("Radio Dealer Ltd")), LongDealerText(QStringLiteral("Service")),
                                LongDealerText(QStringLiteral("Tel 0123 456"))),
                  1);
        for (const QString &model : models) {
            const QString xml = LoadedProfile(model);
            for (ReportKind kind : {ReportKind::Handout, ReportKind::Detailed}) {
                QString html;
                ASSERT_TRUE(BuildReportHtml(kind, xml, html));
                ReportDocument document(html, InstallReportFolder());
                const std::vector<QStringList> rows = TableRows(document);
                for (ReportPaper paper : {ReportPaper::A4, ReportPaper::Letter}) {
                    const std::string where = std::string(language) + " " + model.toStdString()
                        + (kind == ReportKind::Handout ? " handout" : " detailed")
                        + (paper == ReportPaper::A4 ? " A4" : " Letter");
                    SCOPED_TRACE(where);
                    const QString pdf = m_dir.filePath(QStringLiteral("report.pdf"));
                    QString error;
                    ASSERT_TRUE(WriteReportPdf(html, InstallReportFolder(), pdf, &error, nullptr, paper))
                        << error.toStdString();
                    const PdfText text = ReadPdfWords(pdf);
                    const int pages = int(text.pageHeights.size());
                    EXPECT_EQ(RowsCutAcrossPages(rows, text).toStdString(), "");
                    EXPECT_EQ(TextInMargins(text).toStdString(), "");
                    if (kind == ReportKind::Handout) {
                        EXPECT_EQ(pages, 1);
                        continue;
                    }
                    // The line on top of each page: "Page N of M" after
                    // the model and serial number.
                    QString stream;
                    for (const PdfWord &w : text.words)
                        stream += w.text;
                    EXPECT_GE(int(stream.count(model)), pages);
                    for (int n = 1; n <= pages; ++n)
                        EXPECT_TRUE(stream.contains(
                            Squeezed(QStringLiteral("000AAA0000") + LoadString(msg::ReportPageNumber).arg(n).arg(pages))))
                            << "page " << n;
                }
            }
        }
    }
}

// The PDF names the report, the model and the serial number as its title
// and the program as its creator, lies on the chosen paper, and its text
// holds words with "fi" as letters a search finds.
TEST_F(ReportPagesTest, PdfMetadataPaperAndSearchableText)
{
    UseLanguage(QStringLiteral("French"));
    const QString xml = LoadedProfile(QStringLiteral("OUD11602"));
    QString html;
    ASSERT_TRUE(BuildReportHtml(ReportKind::Detailed, xml, html));
    // A French word with "fi" in every report: the repeater's station id
    // is hidden on this model, the end-of-transmission beep is shown.
    const QString pdf = m_dir.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(WriteReportPdf(html, InstallReportFolder(), pdf, nullptr, nullptr, ReportPaper::Letter));
    const QString info = PdfInfo(pdf);
    EXPECT_TRUE(info.contains(QStringLiteral("Creator:         Tavo EMEA CPS "))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("(letter)"))) << info.toStdString();
    const QRegularExpression title(QStringLiteral("Title: +(.*)\n"));
    const QString titleText = title.match(info).captured(1);
    EXPECT_TRUE(titleText.contains(LoadString(322))) << titleText.toStdString();
    EXPECT_TRUE(titleText.contains(QStringLiteral("OUD11602")));
    EXPECT_TRUE(titleText.contains(QStringLiteral("000AAA0000")));

    QString words;
    for (const PdfWord &w : ReadPdfWords(pdf).words)
        words += w.text + QLatin1Char(' ');
    EXPECT_FALSE(words.contains(QChar(0xFB01))) << "a ligature glyph";
    EXPECT_TRUE(words.contains(QStringLiteral(" fin "))) << words.toStdString();

    ASSERT_TRUE(WriteReportPdf(html, InstallReportFolder(), pdf, nullptr, nullptr, ReportPaper::A4));
    EXPECT_TRUE(PdfInfo(pdf).contains(QStringLiteral("(A4)")));
}

// The paper of a locale: Letter where the country prints on it.
TEST(ReportPaperSize, FollowsTheLocaleAndTheOption)
{
    EXPECT_EQ(PaperForLocale(QStringLiteral("en_US.UTF-8")), ReportPaper::Letter);
    EXPECT_EQ(PaperForLocale(QStringLiteral("fr_CA")), ReportPaper::Letter);
    EXPECT_EQ(PaperForLocale(QStringLiteral("es_MX.UTF-8@euro")), ReportPaper::Letter);
    EXPECT_EQ(PaperForLocale(QStringLiteral("en_GB.UTF-8")), ReportPaper::A4);
    EXPECT_EQ(PaperForLocale(QStringLiteral("de_DE")), ReportPaper::A4);
    EXPECT_EQ(PaperForLocale(QStringLiteral("C")), ReportPaper::A4);
    EXPECT_EQ(PaperForLocale(QStringLiteral("en")), ReportPaper::A4);
    EXPECT_EQ(PaperForLocale(QString()), ReportPaper::A4);
    ReportPaper paper = ReportPaper::A4;
    EXPECT_TRUE(ParseReportPaper(QStringLiteral("Letter"), paper));
    EXPECT_EQ(paper, ReportPaper::Letter);
    EXPECT_TRUE(ParseReportPaper(QStringLiteral("a4"), paper));
    EXPECT_EQ(paper, ReportPaper::A4);
    EXPECT_FALSE(ParseReportPaper(QStringLiteral("b5"), paper));
}
