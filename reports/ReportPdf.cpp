#include "reports/ReportPdf.h"

#include "base/AtomicFile.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

namespace tavo {

namespace {

// The report is laid out at this resolution (a picture's pixels are layout
// units, as in the report window) and scaled onto the device.
constexpr int kLayoutDpi = 96;
constexpr double kMillimetresPerInch = 25.4;
constexpr int kPdfResolution = 300;
const char *const kBannerImages[] = {"HandoutHeader.jpg", "HandoutFooter.jpg"};

// A paint device for the layout: only its resolution is used.
QImage &LayoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = qRound(kLayoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

// Every fragment of the document, tables included.
template <typename Visit>
void ForEachFragment(QTextDocument &document, Visit visit)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            visit(block, it.fragment());
}

// A printed page: rows whole, header rows on every page, words never cut,
// no type below the minimum.
void PrepareForPaper(QTextDocument &document)
{
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(option);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() < kReportMinimumPointSize) {
                format.setFontPointSize(kReportMinimumPointSize);
                QTextCursor range(&document);
                range.setPosition(fragment.position());
                range.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
                range.setCharFormat(format);
            }
        }
    }
}

// The layout of `source` for one page size: a copy laid out at the layout
// resolution, no margins of its own.
std::unique_ptr<QTextDocument> PaperCopy(const QTextDocument &source, const QSizeF &pageSize)
{
    auto &original = const_cast<QTextDocument &>(source);
    std::unique_ptr<QTextDocument> copy(source.clone());
    // The copy has the pictures the original loads (from its folder, or
    // through the report window).
    ForEachFragment(original, [&](const QTextBlock &, const QTextFragment &fragment) {
        if (!fragment.charFormat().isImageFormat())
            return;
        const QUrl name(fragment.charFormat().toImageFormat().name());
        const QVariant image = original.resource(QTextDocument::ImageResource, name);
        if (image.isValid())
            copy->addResource(QTextDocument::ImageResource, name, image);
    });
    copy->documentLayout()->setPaintDevice(&LayoutDevice());
    PrepareForPaper(*copy);
    QTextFrameFormat root = copy->rootFrame()->frameFormat();
    root.setMargin(0);
    root.setPadding(0);
    copy->rootFrame()->setFrameFormat(root);
    copy->setPageSize(pageSize);
    FitBannersToWidth(*copy, pageSize.width());
    return copy;
}

// The area of a page inside the margins, in layout units.
QSizeF PageBody(const QPageLayout &layout)
{
    const QRectF inches = layout.paintRect(QPageLayout::Inch);
    return QSizeF(inches.width() * kLayoutDpi, inches.height() * kLayoutDpi);
}

QPageLayout A4ReportLayout()
{
    const double mm = kMillimetresPerInch;
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kReportMarginLeftRight * mm, kReportMarginTopBottom * mm, kReportMarginLeftRight * mm,
                                 kReportMarginTopBottom * mm),
                       QPageLayout::Millimeter);
}

} // namespace

void ApplyReportMargins(QPagedPaintDevice &device)
{
    const qreal mm = kMillimetresPerInch;
    device.setPageMargins(QMarginsF(kReportMarginLeftRight * mm, kReportMarginTopBottom * mm,
                                    kReportMarginLeftRight * mm, kReportMarginTopBottom * mm),
                          QPageLayout::Millimeter);
}

ReportDocument::ReportDocument(const QString &html, const QString &folder, QObject *parent)
    : QTextDocument(parent), m_folder(QDir(folder).absolutePath())
{
    setBaseUrl(QUrl::fromLocalFile(m_folder + QLatin1Char('/')));
    setHtml(html);
}

QVariant ReportDocument::loadResource(int type, const QUrl &name)
{
    if (type == QTextDocument::ImageResource && name.isRelative()) {
        QImage image;
        // Only a file of the report's folder: a name never leaves it.
        const QString file = QFileInfo(name.path()).fileName();
        if (!file.isEmpty() && image.load(QDir(m_folder).filePath(file)))
            return image;
        return QVariant();
    }
    return QTextDocument::loadResource(type, name);
}

QString MissingPicturesText(const QString &folder, const QStringList &missing)
{
    QStringList paths;
    for (const QString &name : missing)
        paths << QDir(QDir(folder).absolutePath()).filePath(name);
    return LoadString(msg::ReportPictureMissing).arg(paths.join(QStringLiteral(", "))) + QLatin1Char('\n')
        + LoadString(msg::FilesNotAvailable);
}

QStringList MissingReportImages(QTextDocument &document)
{
    QStringList missing;
    ForEachFragment(document, [&](const QTextBlock &, const QTextFragment &fragment) {
        const QTextCharFormat format = fragment.charFormat();
        if (!format.isImageFormat())
            return;
        const QString name = format.toImageFormat().name();
        const QVariant image = document.resource(QTextDocument::ImageResource, QUrl(name));
        const bool loaded = image.isValid()
            && !(image.typeId() == QMetaType::QImage && image.value<QImage>().isNull());
        if (!loaded && !missing.contains(name))
            missing << name;
    });
    return missing;
}

void FitBannersToWidth(QTextDocument &document, qreal width)
{
    struct Change {
        int position;
        QTextImageFormat format;
    };
    std::vector<Change> changes;
    ForEachFragment(document, [&](const QTextBlock &, const QTextFragment &fragment) {
        const QTextCharFormat format = fragment.charFormat();
        if (!format.isImageFormat())
            return;
        QTextImageFormat image = format.toImageFormat();
        const QString file = QFileInfo(image.name()).fileName();
        if (std::none_of(std::begin(kBannerImages), std::end(kBannerImages),
                         [&](const char *banner) { return file == QLatin1String(banner); }))
            return;
        const QImage picture = document.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
        if (picture.isNull() || picture.width() <= 0)
            return;
        // A pixel less than the width, so the line never wraps.
        const qreal w = std::max<qreal>(1, width - 1);
        image.setWidth(w);
        image.setHeight(w * picture.height() / picture.width());
        changes.push_back({fragment.position(), image});
    });
    for (const Change &c : changes) {
        QTextCursor cursor(&document);
        cursor.setPosition(c.position);
        cursor.setPosition(c.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(c.format);
    }
}

void PrintReport(const QTextDocument &document, QPagedPaintDevice &device)
{
    ApplyReportMargins(device);
    const QPageLayout layout = device.pageLayout();
    const QSizeF body = PageBody(layout);
    std::unique_ptr<QTextDocument> paper = PaperCopy(document, body);
    QPainter painter(&device);
    if (!painter.isActive())
        return;
    // The painter's origin is the top left corner inside the margins.
    const qreal scale = qreal(device.logicalDpiX()) / kLayoutDpi;
    const int pages = paper->pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        painter.save();
        painter.scale(scale, scale);
        const QRectF view(0, page * body.height(), body.width(), body.height());
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        paper->documentLayout()->draw(&painter, context);
        painter.restore();
    }
}

int ReportPageCount(const QTextDocument &document)
{
    return PaperCopy(document, PageBody(A4ReportLayout()))->pageCount();
}

bool WriteReportPdf(const QString &html, const QString &folder, const QString &pdfPath, QString *error, QString *cause)
{
    ReportDocument document(html, folder);
    const QStringList missing = MissingReportImages(document);
    if (!missing.isEmpty()) {
        if (error)
            *error = MissingPicturesText(folder, missing);
        return false;
    }
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(A4ReportLayout());
        writer.setResolution(kPdfResolution);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        PrintReport(document, writer);
    }
    QString writeError;
    if (bytes.isEmpty() || !WriteFileAtomically(pdfPath, bytes, writeError, cause)) {
        if (error)
            *error = writeError;
        return false;
    }
    return true;
}

} // namespace tavo
