#include "reports/window/CReportDlg.h"
#include "reports/window/ReportAccessible.h"
#include "base/AtomicFile.h"

#include "reports/HandoutPicture.h"
#include "reports/ReportGenerator.h"
#include "reports/ReportMail.h"
#include "reports/ReportPdf.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

namespace tavo {

namespace {

constexpr int kBrowserGap = 50; // client area left below the browser
constexpr int kButtonWidth = 104;
constexpr int kButtonHeight = 28;
constexpr int kButtonSpacing = 8;
constexpr int kEdge = 11;
constexpr int kNegligibleOverflow = 2; // pixels
constexpr int kMinimumBrowserHeight = 150;

// Until the shell gives its file dialog helper: the suggested path, edited.
QString BuiltInPrompt(QWidget *parent, const QString &suggested)
{
    bool ok = false;
    const QString path = QInputDialog::getText(parent, LoadString(msg::ReportSaveAs), QString(), QLineEdit::Normal,
                                               suggested, &ok);
    return ok ? path.trimmed() : QString();
}

// The report file is UTF-16 with a terminating zero; the zero is not part
// of the page.
class ReportBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl &name) override
    {
        // The handout's radio travels inside the report.
        if (type == QTextDocument::ImageResource && name.scheme() == QLatin1String("data"))
            return DataAddressImage(name);
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type == QTextDocument::HtmlResource && resource.typeId() == QMetaType::QByteArray) {
            const QByteArray bytes = resource.toByteArray();
            if (bytes.startsWith("\xFF\xFE")) {
                QString html = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2),
                                                  (bytes.size() - 2) / 2);
                while (html.endsWith(QChar(0)))
                    html.chop(1);
                return html;
            }
        }
        return resource;
    }
};

ContextValue<ReportSaveAsPrompt> &Prompt()
{
    static ContextValue<ReportSaveAsPrompt> prompt(&BuiltInPrompt);
    return prompt;
}

} // namespace

ReportSaveAsPrompt SetReportSaveAsPrompt(ReportSaveAsPrompt prompt)
{
    return Prompt().Set(prompt ? std::move(prompt) : ReportSaveAsPrompt(&BuiltInPrompt));
}

CReportDlg::CReportDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CReportDlg"));
    setSizeGripEnabled(true);
    // A screen reader meets the report as a document, not a label.
    InstallReportAccessibility();
    m_pBrowser = new ReportBrowser(this);
    m_pBrowser->setObjectName(QLatin1String(kReportDocumentObjectName));
    m_pBrowser->setProperty("ctrlId", int(IDC_REPORT_BROWSER));
    m_pBrowser->setAccessibleName(LoadString(msg::Reports));
    m_pBrowser->setOpenLinks(false); // blank until the report is set
    // A table of the full width can come out a pixel or two wider than the
    // browser; a horizontal scroll bar for that would hide nothing.
    QScrollBar *horizontal = m_pBrowser->horizontalScrollBar();
    connect(horizontal, &QScrollBar::rangeChanged, m_pBrowser, [this](int, int max) {
        m_pBrowser->setHorizontalScrollBarPolicy(max <= kNegligibleOverflow ? Qt::ScrollBarAlwaysOff
                                                                             : Qt::ScrollBarAsNeeded);
    });

    const struct {
        int id;
        int caption;
        void (CReportDlg::*slot)();
    } buttons[] = {
        {IDC_REPORT_PREVIEW, msg::ReportPrintPreview, &CReportDlg::OnPrintPreview},
        {IDC_REPORT_PRINT, msg::ReportPrint, &CReportDlg::OnPrint},
        {IDC_REPORT_SAVEAS, msg::ReportSaveAs, &CReportDlg::OnSaveAs},
        {IDC_REPORT_EMAIL, msg::ReportEmail, &CReportDlg::OnEmail},
        {IDC_REPORT_CLOSE, msg::ReportClose, nullptr},
    };
    for (const auto &b : buttons) {
        auto *button = new QPushButton(this);
        button->setProperty("ctrlId", b.id);
        button->setAutoDefault(false);
        if (b.slot)
            connect(button, &QPushButton::clicked, this, b.slot);
        else
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
        m_buttons << button;
    }
    // The paper of a printout, a PDF saved or e-mailed: the locale's at
    // first.
    m_pPaperLabel = new QLabel(this);
    m_pPaper = new QComboBox(this);
    m_pPaper->setObjectName(QStringLiteral("paper"));
    m_pPaperLabel->setBuddy(m_pPaper);
    // Ctrl++ and Ctrl+- make the report's type larger and smaller.
    for (const QKeySequence &keys : {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)})
        connect(new QShortcut(keys, this), &QShortcut::activated, m_pBrowser, [this] { m_pBrowser->zoomIn(); });
    connect(new QShortcut(QKeySequence(QKeySequence::ZoomOut), this), &QShortcut::activated, m_pBrowser,
            [this] { m_pBrowser->zoomOut(); });
    // Wide enough for the detailed report's channel table without a
    // horizontal scroll bar, but never larger than the screen.
    QSize size(980, 700);
    if (const QScreen *s = screen())
        size = size.boundedTo(s->availableGeometry().size() - QSize(40, 60));
    resize(size);
}

void CReportDlg::PlaceButtons()
{
    // Buttons in a row at the bottom right, each as wide as its caption
    // needs (never narrower than the dialog resource's); the paper choice
    // at the bottom left. The window never gets so small that a button
    // leaves it.
    int x = width() - kEdge;
    int row = 0;
    for (int i = int(m_buttons.size()) - 1; i >= 0; --i) {
        QPushButton *b = m_buttons[i];
        const int w = std::max(kButtonWidth, b->sizeHint().width());
        x -= w;
        b->setGeometry(x, height() - kEdge - kButtonHeight, w, kButtonHeight);
        x -= kButtonSpacing;
        row += w + kButtonSpacing;
    }
    m_pPaperLabel->adjustSize();
    const int paperWidth = m_pPaperLabel->width() + 4 + m_pPaper->sizeHint().width();
    setMinimumSize(2 * kEdge + row + paperWidth + kButtonSpacing, kMinimumBrowserHeight + kBrowserGap);
    resize(size().expandedTo(minimumSize()));
}

QPushButton *CReportDlg::Button(int ctrlId) const
{
    for (QPushButton *b : m_buttons)
        if (b->property("ctrlId").toInt() == ctrlId)
            return b;
    return nullptr;
}

void CReportDlg::SetReport(const QString &folder, const QString &path)
{
    m_strFolder = folder;
    m_strURL = path;
    if (m_bInitialised) {
        m_pBrowser->setSource(QUrl::fromLocalFile(m_strURL));
        FitBanners();
    }
}

void CReportDlg::FitBanners()
{
    // The handout's banners span the page, whatever the window's width.
    QTextDocument *document = m_pBrowser->document();
    FitBannersToWidth(*document, m_pBrowser->viewport()->width() - 2 * document->documentMargin());
}

void CReportDlg::showEvent(QShowEvent *event)
{
    if (!m_bInitialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

void CReportDlg::OnInitDialog()
{
    m_bInitialised = true;
    if (!m_strURL.isEmpty()) {
        m_pBrowser->setSearchPaths({m_strFolder});
        m_pBrowser->setSource(QUrl::fromLocalFile(m_strURL));
    }
    setWindowTitle(LoadString(msg::Reports));
    const int captions[] = {msg::ReportPrintPreview, msg::ReportPrint, msg::ReportSaveAs, msg::ReportEmail,
                            msg::ReportClose};
    for (int i = 0; i < int(m_buttons.size()); ++i)
        m_buttons[i]->setText(LoadString(captions[i]));
    m_pPaperLabel->setText(LoadString(msg::ReportPaperLabel));
    m_pPaper->setAccessibleName(m_pPaperLabel->text().remove(QLatin1Char('&')));
    m_pPaper->addItem(LoadString(msg::ReportPaperA4), int(ReportPaper::A4));
    m_pPaper->addItem(LoadString(msg::ReportPaperLetter), int(ReportPaper::Letter));
    m_pPaper->setCurrentIndex(DefaultReportPaper() == ReportPaper::Letter ? 1 : 0);
    PlaceButtons();

    if (m_bHandout) {
        m_images = FindHandoutImages(m_strFolder, m_bDisplayModel);
        if (m_images.isEmpty())
            ShowMessage(msg::FilesNotAvailable, MB_OK | MB_ICONWARNING);
    }

    m_offsets.clear();
    for (QPushButton *b : m_buttons)
        m_offsets << QPoint(width() - b->geometry().right() - 1, height() - b->geometry().bottom() - 1);
    ApplyLayout();
}

void CReportDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_bInitialised)
        ApplyLayout();
}

void CReportDlg::ApplyLayout()
{
    m_pBrowser->setGeometry(0, 0, width(), std::max(0, height() - kBrowserGap));
    const int top = height() - kEdge - kButtonHeight;
    m_pPaperLabel->move(kEdge, top + (kButtonHeight - m_pPaperLabel->height()) / 2);
    m_pPaper->setGeometry(kEdge + m_pPaperLabel->width() + 4, top, m_pPaper->sizeHint().width(), kButtonHeight);
    for (int i = 0; i < int(m_buttons.size()) && i < int(m_offsets.size()); ++i) {
        QPushButton *b = m_buttons[i];
        b->move(width() - m_offsets[i].x() - b->width(), height() - m_offsets[i].y() - b->height());
    }
    FitBanners();
}

QString CReportDlg::ReportHtml() const
{
    QFile file(m_strURL);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    QString html = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    if (html.endsWith(QChar(0)))
        html.chop(1);
    return html;
}

ReportPaper CReportDlg::Paper() const
{
    return m_pPaper->currentData().toInt() == int(ReportPaper::Letter) ? ReportPaper::Letter : ReportPaper::A4;
}

void CReportDlg::OnPrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout(Paper()));
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(LoadString(msg::ReportPrintPreview));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *p) { PrintReport(*m_pBrowser->document(), *p, ReportPaperInfoOf(ReportHtml())); });
    preview.resize(900, 800);
    preview.exec();
}

void CReportDlg::OnPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout(Paper()));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintReport(*m_pBrowser->document(), printer, ReportPaperInfoOf(ReportHtml()));
}

void CReportDlg::OnSaveAs()
{
    const QString suggested = QDir(QDir::homePath()).filePath(QFileInfo(m_strURL).fileName());
    const QString target = Prompt().Get()(this, suggested);
    if (target.isEmpty())
        return;
    bool saved = false;
    QString cause;
    if (target.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        // The pictures come from the report's folder; one that cannot be
        // loaded is said, not left out.
        QString error;
        saved = WriteReportPdf(ReportHtml(), m_strFolder, target, &error, &cause, Paper());
        if (!saved && cause.isEmpty() && !error.isEmpty()) {
            ShowMessageText(error, MB_OK | MB_ICONERROR);
            return;
        }
    } else {
        QFile source(m_strURL);
        QString error;
        if (!source.open(QIODevice::ReadOnly))
            cause = source.errorString();
        else
            saved = WriteFileAtomically(target, source.readAll(), error, &cause);
        // The handout's pictures go along, never over files already there.
        const QString folder = QFileInfo(target).absolutePath();
        if (saved && m_bHandout && QDir(folder) != QDir(m_strFolder))
            for (const QString &image : m_images)
                if (!QFile::exists(QDir(folder).filePath(image))) {
                    QString ignored; // a picture left behind leaves the report saved
                    CopyFileAtomically(QDir(m_strFolder).filePath(image), QDir(folder).filePath(image), ignored);
                }
    }
    if (!saved)
        ShowMessageText(LoadString(msg::ReportSaveFailed).arg(target) + QLatin1Char('\n') + cause, MB_OK | MB_ICONERROR);
}

void CReportDlg::OnEmail()
{
    if (MailTool().isEmpty()) {
        ShowMessage(msg::ReportMailToolMissing, MB_OK | MB_ICONERROR);
        return;
    }
    // The report goes as one PDF, laid out as it prints, beside the report.
    const QString pdf = ReportMailAttachment(m_strURL);
    QString error, cause;
    if (!WriteReportPdf(ReportHtml(), m_strFolder, pdf, &error, &cause, Paper())) {
        ShowMessageText(cause.isEmpty() && !error.isEmpty()
                            ? error
                            : LoadString(msg::ReportSaveFailed).arg(pdf) + QLatin1Char('\n') + cause,
                        MB_OK | MB_ICONERROR);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setEnabled(false);
    int exitStatus = 0;
    const MailResult result = SendReportMail({pdf}, &exitStatus);
    setEnabled(true);
    QApplication::restoreOverrideCursor();
    activateWindow();
    raise();
    // A mail program without a mail client sends nothing: say so, and
    // offer to keep the report as a file instead.
    if (result == MailResult::Failed
        && ShowMessageText(MailFailedText(MailTool(), exitStatus), MB_YESNO | MB_ICONWARNING) == IDYES)
        OnSaveAs();
}

} // namespace tavo
