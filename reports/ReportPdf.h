#pragma once
// Reports on paper and as PDF: the page margins of a printed report and
// the rendering of a report's HTML with Qt's text layout. Qt Gui only (a
// QGuiApplication must exist; the offscreen platform will do), no widgets.

#include <QString>

class QPagedPaintDevice;
class QTextDocument;

namespace tavo {

// Left and right 0.23667 in, top and bottom 0.16667 in.
inline constexpr double kReportMarginLeftRight = 0.23667;
inline constexpr double kReportMarginTopBottom = 0.16667;

// Gives a printer or PDF writer the report's page margins.
void ApplyReportMargins(QPagedPaintDevice &device);

// Prints `document` onto `device` with the report's margins.
void PrintReport(const QTextDocument &document, QPagedPaintDevice &device);

// Lays out the report `html` (its images and links resolved in `folder`)
// and writes it as a PDF file through the atomic writer. False when the
// file cannot be written, with `error` ("Cannot write PATH: CAUSE") and
// `cause` when given.
bool WriteReportPdf(const QString &html, const QString &folder, const QString &pdfPath, QString *error = nullptr, QString *cause = nullptr);

} // namespace tavo
