#pragma once
// Reports on paper and as PDF: the page margins of a printed report and
// the rendering of a report's HTML with Qt's text layout. Qt Gui only (a
// QGuiApplication must exist; the offscreen platform will do), no widgets.
//
// A printed page is laid out by the report itself, not by
// QTextDocument::print (which adds 2 cm of its own to the device's
// margins): the text starts exactly at the report's margins, table header
// rows repeat on every page, table rows are kept whole, and words are
// wrapped only between words.

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

// Gives a printer or PDF writer the report's page margins.
void ApplyReportMargins(QPagedPaintDevice &device);

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
void PrintReport(const QTextDocument &document, QPagedPaintDevice &device);

// The pages `document` takes on an A4 page with the report's margins.
int ReportPageCount(const QTextDocument &document);

// Lays out the report `html` (its pictures read from `folder`) and writes
// it as a PDF file through the atomic writer. False, with `error` saying
// why (a picture that cannot be loaded is named; "Cannot write PATH: CAUSE")
// and `cause` (the system's words alone, when the write failed), when
// nothing was written.
bool WriteReportPdf(const QString &html, const QString &folder, const QString &pdfPath, QString *error = nullptr, QString *cause = nullptr);

} // namespace tavo
