#include "reports/ReportPdf.h"
#include "reports/HandoutPicture.h"

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
#include <QFontMetricsF>
#include <QLocale>
#include <QPen>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <limits>
#include <map>

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

// Gives every fragment from `from` to `to` (document positions) a format
// built from its own.
template <typename Change>
void ChangeFragments(QTextDocument &document, int from, int to, Change change)
{
    struct Piece {
        int position, length;
        QTextCharFormat format;
    };
    std::vector<Piece> pieces;
    ForEachFragment(document, [&](const QTextBlock &, const QTextFragment &fragment) {
        if (fragment.position() < from || fragment.position() >= to)
            return;
        QTextCharFormat format = fragment.charFormat();
        if (change(format))
            pieces.push_back({fragment.position(), fragment.length(), format});
    });
    for (const Piece &p : pieces) {
        QTextCursor range(&document);
        range.setPosition(p.position);
        range.setPosition(p.position + p.length, QTextCursor::KeepAnchor);
        range.setCharFormat(p.format);
    }
}

// A printed page: words never cut, no type below the minimum, and no
// ligature glyphs, so that the text taken out of a PDF is the text of the
// report ("fi" stays two letters a search finds). The text shaper joins
// no letters of a font with letter spacing; a 64th of a pixel is never seen.
void PrepareForPaper(QTextDocument &document)
{
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(option);
    ChangeFragments(document, 0, std::numeric_limits<int>::max(), [](QTextCharFormat &format) {
        if (format.isImageFormat() || !format.hasProperty(QTextFormat::FontPointSize)
            || format.fontPointSize() >= kReportMinimumPointSize)
            return false;
        format.setFontPointSize(kReportMinimumPointSize);
        return true;
    });
    QTextCharFormat spaced;
    spaced.setFontLetterSpacingType(QFont::AbsoluteSpacing);
    spaced.setFontLetterSpacing(1.0 / 64);
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    all.mergeCharFormat(spaced);
}

// The layout of `source` for a page body `width` wide: a copy laid out at
// the layout resolution in one long page, no margins of its own.
std::unique_ptr<QTextDocument> PaperCopy(const QTextDocument &source, qreal width)
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
    // Every change before the first layout: a change to a laid-out
    // document lays its tables out again.
    PrepareForPaper(*copy);
    QTextFrameFormat root = copy->rootFrame()->frameFormat();
    root.setMargin(0);
    root.setPadding(0);
    copy->rootFrame()->setFrameFormat(root);
    FitBannersToWidth(*copy, width);
    copy->documentLayout()->setPaintDevice(&LayoutDevice());
    copy->setTextWidth(width);
    return copy;
}

qreal LaidOutHeight(QTextDocument &document)
{
    return document.documentLayout()->documentSize().height();
}

// ---- where a page may end

// A stretch no page may end inside (a table row, a line, a heading with
// what follows it).
struct Keep {
    qreal top, bottom;
};
// A table whose header rows start every page that continues it.
struct RepeatedHeader {
    qreal top, headerBottom, bottom;
};
struct PaperStructure {
    std::vector<Keep> keeps;
    std::vector<RepeatedHeader> headers;
};

QRectF BlockRect(QAbstractTextDocumentLayout *layout, const QTextBlock &block)
{
    return layout->blockBoundingRect(block);
}

void CollectFrame(QTextFrame *frame, QAbstractTextDocumentLayout *layout, qreal pageHeight, PaperStructure &out);

// Where each row of `table` starts, and where the last one ends (rows + 1
// values).
std::vector<qreal> RowEdges(QTextTable *table, QAbstractTextDocumentLayout *layout)
{
    const int rows = table->rows(), columns = table->columns();
    const QRectF frame = layout->frameBoundingRect(table);
    std::vector<qreal> top(size_t(rows), std::numeric_limits<qreal>::max());
    std::vector<qreal> bottom(size_t(rows), std::numeric_limits<qreal>::lowest());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (!cell.isValid() || cell.column() != c)
                continue;
            if (cell.row() == r)
                top[size_t(r)] = std::min(top[size_t(r)], BlockRect(layout, cell.firstCursorPosition().block()).top());
            if (cell.row() + cell.rowSpan() - 1 == r)
                bottom[size_t(r)] = std::max(bottom[size_t(r)], BlockRect(layout, cell.lastCursorPosition().block()).bottom());
        }
    std::vector<qreal> edges(size_t(rows) + 1);
    edges.front() = frame.top();
    edges.back() = frame.bottom();
    for (int r = 1; r < rows; ++r) {
        const qreal above = bottom[size_t(r - 1)], below = top[size_t(r)];
        edges[size_t(r)] = above > std::numeric_limits<qreal>::lowest() && below < std::numeric_limits<qreal>::max()
            ? (above + below) / 2
            : edges[size_t(r - 1)];
    }
    return edges;
}

void CollectTable(QTextTable *table, QAbstractTextDocumentLayout *layout, qreal pageHeight, PaperStructure &out)
{
    const std::vector<qreal> edges = RowEdges(table, layout);
    const int rows = table->rows();
    for (int r = 0; r < rows; ++r) {
        // A row spanned by a cell of an earlier row goes with it.
        int last = r;
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.isValid())
                last = std::max(last, cell.row() + cell.rowSpan() - 1);
        }
        const qreal top = edges[size_t(r)], bottom = edges[size_t(last) + 1];
        if (bottom - top <= pageHeight) {
            out.keeps.push_back({top, bottom});
            continue;
        }
        // A row taller than a page (the handout's frame around its parts)
        // may end a page between the rows of what it holds.
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (!cell.isValid() || cell.row() != r || cell.column() != c)
                continue;
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (auto *inner = qobject_cast<QTextTable *>(it.currentFrame()))
                    CollectTable(inner, layout, pageHeight, out);
                else if (QTextFrame *child = it.currentFrame())
                    CollectFrame(child, layout, pageHeight, out);
                else {
                    const QRectF rect = BlockRect(layout, it.currentBlock());
                    out.keeps.push_back({rect.top(), rect.bottom()});
                }
            }
        }
    }
    const int headerRows = std::min(table->format().headerRowCount(), rows);
    if (headerRows > 0 && headerRows < rows) {
        // The header goes with the first row under it, and starts every
        // page the table continues on.
        out.keeps.push_back({edges.front(), edges[size_t(headerRows) + 1]});
        out.headers.push_back({edges.front(), edges[size_t(headerRows)], edges.back()});
    }
}

// Where the first piece of what starts at `it` ends: a block's first
// line, a table's first row (under its header).
qreal FirstPieceBottom(const QTextFrame::iterator &it, QAbstractTextDocumentLayout *layout)
{
    if (auto *table = qobject_cast<QTextTable *>(it.currentFrame())) {
        const std::vector<qreal> edges = RowEdges(table, layout);
        const int first = std::min(table->format().headerRowCount() + 1, table->rows());
        return edges[size_t(first)];
    }
    if (QTextFrame *frame = it.currentFrame())
        return layout->frameBoundingRect(frame).bottom();
    const QTextBlock block = it.currentBlock();
    const QRectF rect = BlockRect(layout, block);
    const QTextLayout *lines = block.layout();
    if (lines && lines->lineCount() > 0)
        return rect.top() + lines->lineAt(0).rect().bottom();
    return rect.bottom();
}

void CollectFrame(QTextFrame *frame, QAbstractTextDocumentLayout *layout, qreal pageHeight, PaperStructure &out)
{
    qreal headingTop = -1;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (headingTop >= 0) {
            // A heading never ends a page: it goes with what follows.
            const bool empty = !it.currentFrame() && it.currentBlock().length() <= 1;
            if (!empty) {
                out.keeps.push_back({headingTop, FirstPieceBottom(it, layout)});
                headingTop = -1;
            }
        }
        if (auto *table = qobject_cast<QTextTable *>(it.currentFrame())) {
            CollectTable(table, layout, pageHeight, out);
        } else if (QTextFrame *child = it.currentFrame()) {
            CollectFrame(child, layout, pageHeight, out);
        } else {
            const QTextBlock block = it.currentBlock();
            const QRectF rect = BlockRect(layout, block);
            // A block's lines stay whole; a paragraph shorter than a page
            // stays whole.
            if (rect.height() <= pageHeight) {
                out.keeps.push_back({rect.top(), rect.bottom()});
            } else if (const QTextLayout *lines = block.layout()) {
                for (int i = 0; i < lines->lineCount(); ++i) {
                    const QRectF line = lines->lineAt(i).rect();
                    out.keeps.push_back({rect.top() + line.top(), rect.top() + line.bottom()});
                }
            }
            if (block.blockFormat().headingLevel() > 0)
                headingTop = rect.top();
        }
    }
}

struct PageCut {
    qreal top, bottom;
    int header; // index into the repeated headers, -1 for none
};

constexpr qreal kTolerance = 0.5;

// Cuts the laid-out report into pages of `pageHeight`: each page ends at
// the lowest place above its bottom that cuts nothing kept whole; only
// what is taller than a page is cut where the page ends.
std::vector<PageCut> CutIntoPages(const PaperStructure &structure, qreal height, qreal pageHeight)
{
    std::vector<PageCut> pages;
    qreal y = 0;
    while (pages.size() < 10000) {
        int header = -1;
        qreal headerHeight = 0;
        for (size_t i = 0; i < structure.headers.size(); ++i) {
            const RepeatedHeader &h = structure.headers[i];
            if (y > h.headerBottom + kTolerance && y < h.bottom - kTolerance
                && (header < 0 || h.top > structure.headers[size_t(header)].top)) {
                header = int(i);
                headerHeight = h.headerBottom - h.top;
            }
        }
        const qreal end = y + std::max<qreal>(pageHeight - headerHeight, pageHeight / 4);
        if (end >= height - kTolerance) {
            pages.push_back({y, height, header});
            break;
        }
        qreal cut = end;
        for (bool moved = true; moved;) {
            moved = false;
            for (const Keep &k : structure.keeps)
                if (k.top > y + kTolerance && k.top < cut - kTolerance / 8 && k.bottom > cut + kTolerance / 8) {
                    cut = k.top;
                    moved = true;
                }
        }
        if (cut <= y + kTolerance)
            cut = end; // nothing whole fits: cut where the page ends
        pages.push_back({y, cut, header});
        y = cut;
    }
    return pages;
}

// ---- one page for the handout

// The table holding the dealer texts (their anchor names it).
QTextTable *DealerTable(QTextDocument &document)
{
    QTextTable *found = nullptr;
    ForEachFragment(document, [&](const QTextBlock &block, const QTextFragment &fragment) {
        if (found)
            return;
        for (const QString &name : fragment.charFormat().anchorNames())
            if (name.startsWith(QLatin1String(kDealerAnchorPrefix))) {
                found = QTextCursor(block).currentTable();
                return;
            }
    });
    return found;
}

// The largest picture that is not a banner: the radio.
void ScalePicture(QTextDocument &document, qreal factor, std::map<int, QSizeF> &original)
{
    if (original.empty()) {
        qreal largest = 0;
        ForEachFragment(document, [&](const QTextBlock &, const QTextFragment &fragment) {
            if (!fragment.charFormat().isImageFormat())
                return;
            const QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QString file = QFileInfo(image.name()).fileName();
            if (std::any_of(std::begin(kBannerImages), std::end(kBannerImages),
                            [&](const char *banner) { return file == QLatin1String(banner); }))
                return;
            const qreal area = image.width() * image.height();
            if (area > largest) {
                largest = area;
                original.clear();
                original[fragment.position()] = QSizeF(image.width(), image.height());
            }
        });
    }
    for (const auto &picture : original) {
        // Named copies: a lambda may not capture a structured binding.
        const int position = picture.first;
        const QSizeF size = picture.second;
        ChangeFragments(document, position, position + 1, [&](QTextCharFormat &format) {
            QTextImageFormat image = format.toImageFormat();
            image.setWidth(size.width() * factor);
            image.setHeight(size.height() * factor);
            format = image;
            return true;
        });
    }
}

// Makes the handout fit one page: first the dealer texts' type shrinks (not
// below the minimum), then the picture (to half its size). Returns the
// scale the page is painted with when even that is not enough.
qreal FitOnOnePage(QTextDocument &document, qreal pageHeight)
{
    if (LaidOutHeight(document) <= pageHeight)
        return 1;
    if (QTextTable *dealer = DealerTable(document)) {
        const int from = dealer->firstPosition(), to = dealer->lastPosition();
        for (qreal size = 8.5; size >= kReportMinimumPointSize && LaidOutHeight(document) > pageHeight; size -= 0.5) {
            QTextCharFormat smaller;
            smaller.setFontPointSize(size);
            QTextCursor block(&document);
            block.setPosition(from);
            block.setPosition(to, QTextCursor::KeepAnchor);
            block.mergeCharFormat(smaller);
        }
    }
    std::map<int, QSizeF> picture;
    for (qreal factor = 0.95; factor >= 0.5 && LaidOutHeight(document) > pageHeight; factor -= 0.05)
        ScalePicture(document, factor, picture);
    const qreal height = LaidOutHeight(document);
    return height > pageHeight ? pageHeight / height : 1;
}

// ---- painting

// The band on top of a page that carries the page header.
constexpr qreal kHeaderBand = 18;
constexpr double kHeaderPointSize = 7.5;

void PaintStretch(QPainter &painter, QTextDocument &paper, qreal top, qreal bottom, qreal at, qreal width)
{
    painter.save();
    painter.translate(0, at - top);
    const QRectF stretch(0, top, width + 1, bottom - top);
    painter.setClipRect(stretch);
    QAbstractTextDocumentLayout::PaintContext context;
    // What only touches the stretch's edges belongs to the page before or
    // after; drawn here its text would be in this page's text too.
    context.clip = stretch.adjusted(0, kTolerance, 0, -kTolerance);
    paper.documentLayout()->draw(&painter, context);
    painter.restore();
}

void PaintPageHeader(QPainter &painter, const QString &text, int page, int pages, qreal width)
{
    painter.save();
    // The painter works in layout units: the type is sized in them.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(kHeaderPointSize * kLayoutDpi / 72));
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0 / 64);
    painter.setFont(font);
    painter.setPen(QColor(0x1f, 0x4e, 0x79));
    const QRectF line(0, 0, width, kHeaderBand - 5);
    const QString number = LoadString(msg::ReportPageNumber).arg(page).arg(pages);
    const qreal numberWidth = QFontMetricsF(font, &LayoutDevice()).horizontalAdvance(number) + 8;
    painter.drawText(line.adjusted(0, 0, -numberWidth, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, number);
    painter.setPen(QPen(QColor(0x9f, 0xb3, 0xc8), 0.75));
    painter.drawLine(QPointF(0, kHeaderBand - 4), QPointF(width, kHeaderBand - 4));
    painter.restore();
}

// The laid-out report cut into pages for one page body.
struct Paper {
    std::unique_ptr<QTextDocument> document;
    PaperStructure structure;
    std::vector<PageCut> pages;
    qreal scale = 1; // below 1 when a one-page report is painted smaller
    qreal band = 0;
};

Paper LayOut(const QTextDocument &document, const QSizeF &body, const ReportPaperInfo &info)
{
    Paper paper;
    paper.document = PaperCopy(document, body.width());
    paper.band = info.pageHeader.isEmpty() ? 0 : kHeaderBand;
    const qreal pageHeight = body.height() - paper.band;
    if (info.onePage) {
        paper.scale = FitOnOnePage(*paper.document, pageHeight);
        paper.pages.push_back({0, LaidOutHeight(*paper.document), -1});
        return paper;
    }
    CollectFrame(paper.document->rootFrame(), paper.document->documentLayout(), pageHeight, paper.structure);
    paper.pages = CutIntoPages(paper.structure, LaidOutHeight(*paper.document), pageHeight);
    return paper;
}

// The area of a page inside the margins, in layout units.
QSizeF PageBody(const QPageLayout &layout)
{
    const QRectF inches = layout.paintRect(QPageLayout::Inch);
    return QSizeF(inches.width() * kLayoutDpi, inches.height() * kLayoutDpi);
}

QString UnescapeAttribute(QString text)
{
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

QString MetaContent(const QString &html, const char *name)
{
    const QRegularExpression meta(QStringLiteral("<meta name=\"%1\" content=\"([^\"]*)\"").arg(QLatin1String(name)),
                                  QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = meta.match(html);
    return m.hasMatch() ? UnescapeAttribute(m.captured(1)) : QString();
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
    // The handout's radio travels inside the report.
    if (type == QTextDocument::ImageResource && name.scheme() == QLatin1String("data"))
        return DataAddressImage(name);
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

ReportPaper PaperForLocale(const QString &localeName)
{
    // Countries of the Americas and the Philippines print on Letter.
    static const QLocale::Territory letter[] = {
        QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,     QLocale::Philippines, QLocale::Chile,
        QLocale::Colombia,     QLocale::Venezuela, QLocale::CostaRica,  QLocale::Guatemala,   QLocale::Panama,
        QLocale::PuertoRico,   QLocale::ElSalvador, QLocale::Nicaragua, QLocale::DominicanRepublic};
    QString name = localeName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return ReportPaper::A4;
    const QLocale locale(name);
    if (!name.contains(QLatin1Char('_')))
        return ReportPaper::A4; // a language alone names no country
    return std::find(std::begin(letter), std::end(letter), locale.territory()) != std::end(letter) ? ReportPaper::Letter
                                                                                                   : ReportPaper::A4;
}

ReportPaper DefaultReportPaper()
{
    for (const char *variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const QString value = QString::fromLocal8Bit(qgetenv(variable));
        if (!value.isEmpty())
            return PaperForLocale(value);
    }
    return ReportPaper::A4;
}

bool ParseReportPaper(const QString &text, ReportPaper &paper)
{
    if (text.compare(QLatin1String("a4"), Qt::CaseInsensitive) == 0)
        paper = ReportPaper::A4;
    else if (text.compare(QLatin1String("letter"), Qt::CaseInsensitive) == 0)
        paper = ReportPaper::Letter;
    else
        return false;
    return true;
}

QPageLayout ReportPageLayout(ReportPaper paper)
{
    const double mm = kMillimetresPerInch;
    return QPageLayout(QPageSize(paper == ReportPaper::Letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kReportMarginLeftRight * mm, kReportMarginTopBottom * mm, kReportMarginLeftRight * mm,
                                 kReportMarginTopBottom * mm),
                       QPageLayout::Millimeter);
}

ReportPaperInfo ReportPaperInfoOf(const QString &html)
{
    ReportPaperInfo info;
    info.pageHeader = MetaContent(html, kPageHeaderMeta);
    info.onePage = MetaContent(html, kOnePageMeta) == QLatin1String("1");
    static const QRegularExpression title(QStringLiteral("<title>([^<]*)</title>"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = title.match(html);
    if (m.hasMatch())
        info.title = UnescapeAttribute(m.captured(1)).simplified();
    return info;
}

QString PageHeaderMeta(const QString &text)
{
    return QStringLiteral("<meta name=\"%1\" content=\"%2\">").arg(QLatin1String(kPageHeaderMeta), text.toHtmlEscaped());
}

QString OnePageMeta()
{
    return QStringLiteral("<meta name=\"%1\" content=\"1\">").arg(QLatin1String(kOnePageMeta));
}

void PrintReport(const QTextDocument &document, QPagedPaintDevice &device, const ReportPaperInfo &info)
{
    ApplyReportMargins(device);
    const QSizeF body = PageBody(device.pageLayout());
    Paper paper = LayOut(document, body, info);
    QPainter painter(&device);
    if (!painter.isActive())
        return;
    // The painter's origin is the top left corner inside the margins.
    const qreal scale = qreal(device.logicalDpiX()) / kLayoutDpi;
    const int pages = int(paper.pages.size());
    for (int n = 0; n < pages; ++n) {
        const PageCut &page = paper.pages[size_t(n)];
        if (n > 0)
            device.newPage();
        painter.save();
        painter.scale(scale, scale);
        if (paper.band > 0)
            PaintPageHeader(painter, info.pageHeader, n + 1, pages, body.width());
        painter.translate(0, paper.band);
        painter.scale(paper.scale, paper.scale);
        qreal at = 0;
        if (page.header >= 0) {
            const RepeatedHeader &h = paper.structure.headers[size_t(page.header)];
            PaintStretch(painter, *paper.document, h.top, h.headerBottom, 0, body.width());
            at = h.headerBottom - h.top;
        }
        PaintStretch(painter, *paper.document, page.top, page.bottom, at, body.width() / paper.scale);
        painter.restore();
    }
}

int ReportPageCount(const QTextDocument &document, ReportPaper paper, const ReportPaperInfo &info)
{
    return int(LayOut(document, PageBody(ReportPageLayout(paper)), info).pages.size());
}

QString ReportPdfCreator()
{
    return QStringLiteral("Tavo EMEA CPS %1").arg(QLatin1String(TAVO_REPORT_PROGRAM_VERSION));
}

bool WriteReportPdf(const QString &html, const QString &folder, const QString &pdfPath, QString *error, QString *cause,
                    ReportPaper paper)
{
    ReportDocument document(html, folder);
    const QStringList missing = MissingReportImages(document);
    if (!missing.isEmpty()) {
        if (error)
            *error = MissingPicturesText(folder, missing);
        return false;
    }
    const ReportPaperInfo info = ReportPaperInfoOf(html);
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(ReportPageLayout(paper));
        writer.setResolution(kPdfResolution);
        writer.setTitle(info.title.isEmpty() ? document.metaInformation(QTextDocument::DocumentTitle) : info.title);
        writer.setCreator(ReportPdfCreator());
        PrintReport(document, writer, info);
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
