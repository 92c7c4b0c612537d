#include "reports/ReportPdf.h"

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

bool WriteReportPdf(const QString &html, const QString &folder, const QString &pdfPath)
{
    QFile probe(pdfPath);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    probe.close();

    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QDir(folder).absolutePath() + QLatin1Char('/')));
    document.setHtml(html);
    QPdfWriter writer(pdfPath);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    PrintReport(document, writer);
    return QFile(pdfPath).size() > 0;
}

} // namespace tavo
