#pragma once
// Reports on paper and as PDF: the page margins of a printed report and
// the rendering of a report's HTML with Qt's text layout. Qt Gui only (a
// QGuiApplication must exist; the offscreen platform will do), no widgets.
//
// A printed page is laid out by the report itself, not by
// QTextDocument::print (which adds 2 cm of its own to the device's
// margins): the text starts exactly at the report's margins, the report is
// cut into pages only between table rows and never between a heading and
// what follows it, table header rows repeat on every page, and words are
// wrapped only between words. A report may ask (in its head) for a line
// on top of every page with "Page N of M", and for one page only (the
// handout: the dealer texts and the picture shrink before anything
// spills).

#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <QTextDocument>

#include <memory>

class QPagedPaintDevice;

namespace tavo {

// Left and right 0.23667 in, top and bottom 0.16667 in.
inline constexpr double kReportMarginLeftRight = 0.23667;
inline constexpr double kReportMarginTopBottom = 0.16667;
// The smallest type of a printed report.
inline constexpr double kReportMinimumPointSize = 7.0;
// The names of the meta elements a report's head may carry, and the anchor
// names of the dealer texts (the prefix, then the text's place).
inline constexpr const char *kPageHeaderMeta = "tavo-page-header";
inline constexpr const char *kOnePageMeta = "tavo-one-page";
inline constexpr const char *kDealerAnchorPrefix = "dealer-";

// Gives a printer or PDF writer the report's page margins.
void ApplyReportMargins(QPagedPaintDevice &device);

// ---- paper

enum class ReportPaper { A4, Letter };

// The paper of a locale name ("en_US.UTF-8", "fr_CA"): Letter where the
// locale's country uses it, A4 everywhere else.
ReportPaper PaperForLocale(const QString &localeName);
// The user's paper: the locale of LC_ALL, LC_PAPER or LANG (the first set).
ReportPaper DefaultReportPaper();
// "a4" or "letter" (any case); false for anything else.
bool ParseReportPaper(const QString &text, ReportPaper &paper);
// The page of a report on that paper with the report's margins.
QPageLayout ReportPageLayout(ReportPaper paper);

// What a report asks of its printed pages, read from the meta elements
// of its head: "tavo-page-header" (the text on top of every page, beside
// "Page N of M"), "tavo-one-page" (everything on one page), and its title.
struct ReportPaperInfo {
    QString title;
    QString pageHeader;
    bool onePage = false;
};
ReportPaperInfo ReportPaperInfoOf(const QString &html);
// The meta elements that ask for those (escaped for HTML).
QString PageHeaderMeta(const QString &text);
QString OnePageMeta();

// A report's HTML as a text document whose pictures are read from the
// report's folder (the installation's "Report" folder or the cache
// folder), never from the working directory.
class ReportDocument : public QTextDocument {
public:
    ReportDocument(const QString &html, const QString &folder, QObject *parent = nullptr);

protected:
    QVariant loadResource(int type, const QUrl &name) override;

private:
    QString m_folder;
};

// The pictures `document` names that cannot be loaded, by name.
QStringList MissingReportImages(QTextDocument &document);

// The message for pictures of `folder` that cannot be loaded: each named
// with its path, then message 315.
QString MissingPicturesText(const QString &folder, const QStringList &missing);

// The banner pictures (HandoutHeader.jpg, HandoutFooter.jpg) as wide as
// `width` (layout units), their height in proportion.
void FitBannersToWidth(QTextDocument &document, qreal width);

// Prints `document` onto `device` with the report's margins, page by page.
void PrintReport(const QTextDocument &document, QPagedPaintDevice &device, const ReportPaperInfo &info = {});

// The pages `document` takes on that paper with the report's margins.
int ReportPageCount(const QTextDocument &document, ReportPaper paper = ReportPaper::A4,
                    const ReportPaperInfo &info = {});

// The PDF's creator: the program's name and version.
QString ReportPdfCreator();

// Lays out the report `html` (its pictures read from `folder`) and writes
// it as a PDF file through the atomic writer. False, with `error` saying
// why (a picture that cannot be loaded is named; "Cannot write PATH: CAUSE")
// and `cause` (the system's words alone, when the write failed), when
// nothing was written.
// The PDF carries the report's title and the program as its creator.
bool WriteReportPdf(const QString &html, const QString &folder, const QString &pdfPath, QString *error = nullptr,
                    QString *cause = nullptr, ReportPaper paper = DefaultReportPaper());

} // namespace tavo
