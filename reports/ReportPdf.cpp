#include "reports/ReportPdf.h"

#include "base/AtomicFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

namespace tavo {

void ApplyReportMargins(QPagedPaintDevice &device)
{
    const qreal mm = 25.4;
    device.setPageMargins(QMarginsF(kReportMarginLeftRight * mm, kReportMarginTopBottom * mm,
                                    kReportMarginLeftRight * mm, kReportMarginTopBottom * mm),
                          QPageLayout::Millimeter);
}

void PrintReport(const QTextDocument &document, QPagedPaintDevice &device)
{
    ApplyReportMargins(device);
    document.print(&device);
}

bool WriteReportPdf(const QString &html, const QString &folder, const QString &pdfPath, QString *error, QString *cause)
{
    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QDir(folder).absolutePath() + QLatin1Char('/')));
    document.setHtml(html);
    // Laid out in memory; the file is replaced only once all of it is written.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        PrintReport(document, writer);
    }
    QString why;
    const bool ok = WriteFileAtomically(pdfPath, pdf.data(), why, cause);
    if (error)
        *error = why;
    return ok;
}

} // namespace tavo
