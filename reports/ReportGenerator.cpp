#include "reports/ReportGenerator.h"
#include "base/ProfileNames.h"
#include "reports/ReportPageValues.h"
#include "reports/ReportPdf.h"

#include "base/AtomicFile.h"
#include "base/CTavoCPSException.h"
#include "base/CodePage.h"
#include "base/ProfileNamespaces.h"
#include "base/TemplateFile.h"
#include "base/XmlDom.h"
#include "config/SettingDocuments.h"
#include "config/Registry.h"
#include "config/SquelchCodes.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <vector>

namespace tavo {

namespace {

// Stand-ins that keep texts of a profile or of the dealer settings from
// being read as a label key ("$#...") or a placeholder ("ABCDEFG..."):
// they are put in before the texts enter the report and turned back after
// every key and placeholder has been replaced.
constexpr char16_t kHashStandIn = 0xE000;
constexpr int kModelText = 9421;              // "Model"
constexpr int kSerialNumberText = 153;        // "Serial Number"
constexpr int kDealerInformationText = 265;   // "Dealer Information"
constexpr char16_t kPlaceholderStandIn = 0xE001;

QString ProtectText(QString text)
{
    text.replace(QLatin1Char('#'), QChar(kHashStandIn));
    text.replace(QLatin1String("ABCDEFG"), QStringLiteral("ABCDEF") + QChar(kPlaceholderStandIn));
    return text;
}

void RestoreProtected(QString &html)
{
    html.replace(QChar(kHashStandIn), QLatin1Char('#'));
    html.replace(QChar(kPlaceholderStandIn), QLatin1Char('G'));
}

struct StyleDeleter {
    void operator()(xsltStylesheet *s) const { xsltFreeStylesheet(s); }
};
struct ContextDeleter {
    void operator()(xsltTransformContext *c) const { xsltFreeTransformContext(c); }
};
struct PrefsDeleter {
    void operator()(xsltSecurityPrefs *p) const { xsltFreeSecurityPrefs(p); }
};

// Library messages of one transformation, for the trace of a failure.
void CollectError(void *ctx, const char *format, ...)
{
    auto *text = static_cast<QString *>(ctx);
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (text && text->size() < 4000)
        *text += QString::fromUtf8(buffer);
}

[[noreturn]] void FilesMissing(const QString &why, const char *function)
{
    ThrowCPSException(msg::FilesNotAvailable, why, function, __LINE__);
}

// Reads an installed style sheet of the "Report" folder as text.
QString LoadStyleSheetText(const char *name, const char *function)
{
    const QString path = InstallFilePath(QLatin1String(kReportFolder), QLatin1String(name));
    QString text;
    if (!LoadTemplateFile(path, text) || text.isEmpty())
        FilesMissing(QStringLiteral("cannot read %1").arg(path), function);
    return text;
}

// Transforms `profile` with the style sheet `text` (its includes resolved
// beside the installed file) into HTML text.
QString Transform(const QString &styleText, const char *name, xmlDoc *profile, const char *function)
{
    const QString path = InstallFilePath(QLatin1String(kReportFolder), QLatin1String(name));
    // The libraries' messages go into the failure's trace, not the
    // terminal; whatever handlers were set before come back afterwards.
    QString errors;
    struct CollectErrors {
        xmlGenericErrorFunc xml = xmlGenericError, xslt = xsltGenericError;
        void *xmlContext = xmlGenericErrorContext, *xsltContext = xsltGenericErrorContext;
        explicit CollectErrors(QString *text)
        {
            xsltSetGenericErrorFunc(text, &CollectError);
            xmlSetGenericErrorFunc(text, &CollectError);
        }
        ~CollectErrors()
        {
            xsltSetGenericErrorFunc(xsltContext, xslt);
            xmlSetGenericErrorFunc(xmlContext, xml);
        }
    } collect(&errors);

    const QByteArray bytes = styleText.toUtf8();
    const QByteArray url = QFile::encodeName(path);
    xmlDoc *styleDoc = xmlReadMemory(bytes.constData(), int(bytes.size()), url.constData(), "UTF-8", XML_PARSE_NONET);
    if (!styleDoc)
        FilesMissing(QStringLiteral("%1 is not well formed: %2").arg(path, errors.trimmed()), function);
    std::unique_ptr<xsltStylesheet, StyleDeleter> style(xsltParseStylesheetDoc(styleDoc));
    if (!style) {
        xmlFreeDoc(styleDoc);
        FilesMissing(QStringLiteral("%1 is not a style sheet: %2").arg(path, errors.trimmed()), function);
    }

    std::unique_ptr<xsltSecurityPrefs, PrefsDeleter> prefs(xsltNewSecurityPrefs());
    std::unique_ptr<xsltTransformContext, ContextDeleter> ctxt(xsltNewTransformContext(style.get(), profile));
    if (!prefs || !ctxt)
        ThrowCPSException(msg::FatalXmlComponent, QStringLiteral("create MSXML2::DOMDocument40 failed"), function, __LINE__);
    // A report reads the installation; it never writes or goes on the network.
    xsltSetSecurityPrefs(prefs.get(), XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
    xsltSetSecurityPrefs(prefs.get(), XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
    xsltSetSecurityPrefs(prefs.get(), XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
    xsltSetSecurityPrefs(prefs.get(), XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
    xsltSetCtxtSecurityPrefs(prefs.get(), ctxt.get());
    xsltSetTransformErrorFunc(ctxt.get(), &errors, &CollectError);

    XmlDocPtr result(xsltApplyStylesheetUser(style.get(), profile, nullptr, nullptr, nullptr, ctxt.get()));
    if (!result || ctxt->state != XSLT_STATE_OK)
        FilesMissing(QStringLiteral("%1 failed: %2").arg(path, errors.trimmed()), function);
    xmlChar *out = nullptr;
    int length = 0;
    if (xsltSaveResultToString(&out, &length, result.get(), style.get()) != 0)
        FilesMissing(QStringLiteral("%1 gave no text").arg(path), function);
    QString html = QString::fromUtf8(reinterpret_cast<const char *>(out), length);
    xmlFree(out);
    // The file is written as UTF-16; the serialiser names its own encoding.
    html.replace(QLatin1String("charset=UTF-8"), QLatin1String("charset=UTF-16"), Qt::CaseInsensitive);
    return html;
}

// Drops the namespaces of every element and attribute (a profile whose
// declaration was not written the usual way keeps it through the text
// edit). Declarations are freed after the whole tree has let go of them.
void DropNamespaces(xmlNode *node, std::vector<xmlNs *> &declarations)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        node->ns = nullptr;
        for (xmlAttr *a = node->properties; a; a = a->next)
            a->ns = nullptr;
        if (node->nsDef) {
            declarations.push_back(node->nsDef);
            node->nsDef = nullptr;
        }
        DropNamespaces(node->children, declarations);
    }
}

// Every attribute value of the profile protected against key and
// placeholder replacement.
void ProtectAttributes(xmlNode *node)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        for (xmlAttr *a = node->properties; a; a = a->next) {
            const QString value = XmlAttribute(node, reinterpret_cast<const char *>(a->name));
            const QString safe = ProtectText(value);
            if (safe != value)
                SetXmlAttribute(node, reinterpret_cast<const char *>(a->name), safe);
        }
        ProtectAttributes(node->children);
    }
}

// The prepared profile as a document the style sheets can address.
XmlDocPtr LoadPreparedProfile(const QString &profileXml, const QString &decimalSeparator, const char *function)
{
    XmlParseError error;
    XmlDocPtr doc = ParseSettingText(PrepareProfileText(profileXml), &error);
    if (!doc)
        ThrowCPSException(msg::InvalidProfile, QStringLiteral("%1 (line %2)").arg(error.reason).arg(error.line), function,
                          __LINE__);
    xmlNode *root = xmlDocGetRootElement(doc.get());
    if (root && root->ns) {
        std::vector<xmlNs *> declarations;
        DropNamespaces(root, declarations);
        for (xmlNs *list : declarations)
            xmlFreeNsList(list);
    }
    AddPageValues(doc.get(), decimalSeparator);
    ProtectAttributes(root);
    return doc;
}

QString ModelOf(xmlDoc *doc)
{
    XmlXPath xpath(doc);
    return XmlAttribute(xpath.SelectFirst("/TavoProfile/factory_setting"), names::kModel);
}

// Fills each "%s" of `format` with the next value, in one pass: a value
// is inserted as text and never read as a format itself (a dealer text
// holding "%s" stays as it is).
QString FillPercentS(const QString &format, const QStringList &values)
{
    QString out;
    qsizetype from = 0;
    for (const QString &v : values) {
        const qsizetype at = format.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        out += QStringView(format).mid(from, at - from);
        out += v;
        from = at + 2;
    }
    out += QStringView(format).mid(from);
    return out;
}

// The model and serial number of the prepared profile.
struct Identity {
    QString model, serial;
};

Identity IdentityOf(xmlDoc *doc)
{
    XmlXPath xpath(doc);
    xmlNode *factory = xpath.SelectFirst("/TavoProfile/factory_setting");
    return {XmlAttribute(factory, names::kModel), XmlAttribute(factory, names::kSerial)};
}

// What names the report on paper: its kind, the model and the serial
// number; the report's title and the line on top of each printed page.
QString ReportHeading(ReportKind kind, const Identity &id)
{
    return QStringList{LoadString(kind == ReportKind::Handout ? msg::CustomerHandout : msg::DetailedReport),
                       LoadString(kModelText) + QLatin1Char(' ') + id.model,
                       LoadString(kSerialNumberText) + QLatin1Char(' ') + id.serial}
        .join(QStringLiteral(" \u2013 "));
}

// The report's title becomes its heading; a detailed report asks for the
// heading on every printed page, a handout for one page.
void PutHeading(QString &html, ReportKind kind, const Identity &id)
{
    const QString heading = ReportHeading(kind, id);
    static const QRegularExpression title(QStringLiteral("<title>[^<]*</title>"), QRegularExpression::CaseInsensitiveOption);
    html.replace(title, QStringLiteral("<title>%1</title>").arg(ProtectText(heading.toHtmlEscaped())));
    const QString meta = kind == ReportKind::Detailed ? PageHeaderMeta(heading) : OnePageMeta();
    const qsizetype head = html.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive);
    if (head >= 0)
        html.insert(head, ProtectText(meta));
}

struct BuiltReport {
    QString html;
    QString model;
};

BuiltReport BuildHandout(const QString &profileXml, const DealerTexts &dealer, const QString &decimalSeparator)
{
    static const char *const function = "CReportOptionDlg::GenOverviewReport";
    const QString styleText = LoadStyleSheetText(kHandoutStyleSheet, function);
    XmlDocPtr profile = LoadPreparedProfile(profileXml, decimalSeparator, function);
    BuiltReport report;
    report.model = ModelOf(profile.get());
    report.html = Transform(styleText, kHandoutStyleSheet, profile.get(), function);
    report.html.replace(QLatin1String(kFooterPlaceholder),
                        ProtectText(DealerFooter(dealer.left, dealer.middle, dealer.right)));
    PutHeading(report.html, ReportKind::Handout, IdentityOf(profile.get()));
    ReplaceLabelKeys(report.html, ReportKind::Handout, decimalSeparator);
    RestoreProtected(report.html);
    return report;
}

BuiltReport BuildDetailed(const QString &profileXml, const DealerTexts &dealer, const QString &decimalSeparator)
{
    static const char *const function = "CReportOptionDlg::GenSpecReport";
    QString styleText = LoadStyleSheetText(kDetailedStyleSheet, function);
    XmlDocPtr profile = LoadPreparedProfile(profileXml, decimalSeparator, function);

    styleText.replace(QLatin1String("$#SPLITTER"), decimalSeparator);
    styleText.replace(QLatin1String("#."), QStringLiteral("#") + decimalSeparator);
    for (const char *range : {"rx_freq_start|rx_start_freq|start_freq", "rx_freq_end|rx_end_freq|end_freq",
                              "tx_freq_start|tx_start_freq|start_freq", "tx_freq_end|tx_end_freq|end_freq"}) {
        const QStringList p = QString::fromLatin1(range).split(QLatin1Char('|'));
        const QString line = QStringLiteral("<xsl:variable name=\"%1\" select=\"/TavoProfile/limit/@%2\"/>");
        styleText.replace(line.arg(p[0], p[1]), line.arg(p[0], p[2]));
    }

    BuiltReport report;
    report.model = ModelOf(profile.get());
    report.html = Transform(styleText, kDetailedStyleSheet, profile.get(), function);
    report.html.replace(QLatin1String(kRowPlaceholder), QLatin1String("<tr>"));
    // The dealer who hands the report over, under its own heading.
    const QString dealerBlock = dealer.left.isEmpty() && dealer.middle.isEmpty() && dealer.right.isEmpty()
        ? QString()
        : QStringLiteral("<h2>%1</h2>").arg(LoadString(kDealerInformationText).toHtmlEscaped())
            + DealerFooter(dealer.left, dealer.middle, dealer.right);
    report.html.replace(QLatin1String(kFooterPlaceholder), ProtectText(dealerBlock));
    PutHeading(report.html, ReportKind::Detailed, IdentityOf(profile.get()));
    ReplaceLabelKeys(report.html, ReportKind::Detailed, decimalSeparator);
    RestoreProtected(report.html);
    return report;
}

// Builds a report for the application's language; false (nothing shown)
// when a handout lacks its dealer texts. Exceptions pass.
bool Build(ReportKind kind, const QString &profileXml, BuiltReport &report)
{
    const QString separator = GetDecimalSeparator();
    DealerTexts dealer;
    const bool haveDealer = GetDealerInfo(dealer.left, dealer.right, dealer.middle);
    if (kind == ReportKind::Detailed) {
        // Without the dealer texts the detailed report still states the radio.
        if (!haveDealer)
            dealer = DealerTexts();
        report = BuildDetailed(profileXml, dealer, separator);
        return true;
    }
    if (!haveDealer)
        return false;
    report = BuildHandout(profileXml, dealer, separator);
    return true;
}

bool BuildShown(ReportKind kind, const QString &profileXml, BuiltReport &report)
{
    try {
        if (!Build(kind, profileXml, report)) {
            // No handout without the dealer texts; say why instead of
            // doing nothing.
            ShowMessage(msg::DealerInfoLoadFailed, MB_OK | MB_ICONERROR);
            return false;
        }
        return true;
    } catch (const CTavoCPSException &e) {
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
    } catch (...) {
        ShowMessage(msg::FilesNotAvailable, MB_OK | MB_ICONERROR);
    }
    return false;
}

int CodePageNumber(const QByteArray &name)
{
    static const QRegularExpression digits(QStringLiteral("(\\d+)$"));
    const QRegularExpressionMatch m = digits.match(QString::fromLatin1(name));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace

bool UsesLocalisedFileNames(const QString &language, const QByteArray &ansiCodePage)
{
    if (language.isEmpty())
        return false;
    if (language == QLatin1String("English"))
        return true;
    int languagePage = 0;
    if (language == QLatin1String("Polish"))
        languagePage = 1250;
    else if (language == QLatin1String("Russian"))
        languagePage = 1251;
    else if (QStringList{QStringLiteral("CaFrench"), QStringLiteral("Dutch"), QStringLiteral("French"),
                         QStringLiteral("German"), QStringLiteral("Italian"), QStringLiteral("LaPortuguese"),
                         QStringLiteral("LaSpanish"), QStringLiteral("Portuguese"), QStringLiteral("Spanish")}
                 .contains(language))
        languagePage = 1252;
    return languagePage != 0 && CodePageNumber(ansiCodePage) == languagePage;
}

QString ReportFileName(ReportKind kind, const QString &language, const QByteArray &ansiCodePage)
{
    if (!UsesLocalisedFileNames(language, ansiCodePage))
        return kind == ReportKind::Handout ? QStringLiteral("Customer Handout.htm") : QStringLiteral("Detailed Report.htm");
    QString name = LoadString(kind == ReportKind::Handout ? msg::CustomerHandout : msg::DetailedReport);
    for (QChar c : QStringLiteral("\\/:*?\"<>|"))
        name.replace(c, QLatin1Char(' '));
    return name + QStringLiteral(".htm");
}

QString ReportFileName(ReportKind kind)
{
    return ReportFileName(kind, ApplicationLanguage(), AnsiCodePage());
}

QString PrepareProfileText(const QString &profileXml)
{
    QString text = profileXml;
    const QString declaration = QStringLiteral(" xmlns=\"%1\"").arg(QLatin1String(kProfileNamespace));
    const qsizetype at = text.indexOf(declaration);
    if (at >= 0)
        text.remove(at, declaration.size());
    return text;
}

QString EscapeDealerText(const QString &text)
{
    QString html = text.toHtmlEscaped(); // & < > and the double quote
    html.replace(QLatin1String("\r\n"), QLatin1String("<BR>"));
    if (!html.endsWith(QLatin1String("<BR>")))
        html += QLatin1String("<BR>");
    return html;
}

QString DealerFooter(const QString &left, const QString &middle, const QString &right)
{
    // The outer table spans the page: the report window's renderer would
    // otherwise shrink it around the inner table's percentage widths.
    static const char *const table =
        "<table class='std' width=\"100%\"><tr><td><table width=\"100%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">"
        "               <tr>               <td width=\"33%\" class=\"ItemVal\" align=\"left\" valign=\"top\">%s</td>"
        "               <td width=\"33%\" class=\"ItemVal\" align=\"center\" valign=\"top\">%s</td>"
        "               <td width=\"33%\" class=\"ItemVal\" align=\"right\" valign=\"top\">%s</td>"
        "               </tr>               </table></td></tr></table>";
    // Each text carries an anchor name, so that a page that must hold the
    // whole handout finds the dealer's block to shrink.
    auto text = [](const QString &value, const char *place) {
        return QStringLiteral("<a name=\"%1%2\">%3</a>")
            .arg(QLatin1String(kDealerAnchorPrefix), QLatin1String(place), EscapeDealerText(value));
    };
    return FillPercentS(QString::fromLatin1(table), {text(left, "left"), text(middle, "middle"), text(right, "right")});
}

QString GenerateHandoutHtml(const QString &profileXml, const DealerTexts &dealer, const QString &decimalSeparator)
{
    return BuildHandout(profileXml, dealer, decimalSeparator).html;
}

QString GenerateDetailedHtml(const QString &profileXml, const QString &decimalSeparator, const DealerTexts &dealer)
{
    return BuildDetailed(profileXml, dealer, decimalSeparator).html;
}

QByteArray EncodeReportFile(const QString &html)
{
    QByteArray bytes;
    bytes.reserve(2 + 2 * (html.size() + 1));
    bytes.append(char(0xFF)).append(char(0xFE));
    for (QChar c : html) {
        const char16_t u = c.unicode();
        bytes.append(char(u & 0xFF)).append(char(u >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

QString InstallReportFolder()
{
    return InstallFilePath(QLatin1String(kReportFolder), QString());
}

QString ReportCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

bool WriteReportFile(const QString &fileName, const QString &html, ReportOutput &out)
{
    const QByteArray bytes = EncodeReportFile(html);
    const QString installFolder = InstallReportFolder();
    QString folder = installFolder;
    QString error;
    // An installation folder this user cannot write (a packaged program)
    // is no question to ask: the report goes to the user's cache folder.
    if (!WriteFileAtomically(QDir(folder).filePath(fileName), bytes, error)) {
        folder = ReportCacheFolder();
        QDir().mkpath(folder);
        if (folder.isEmpty() || !WriteFileAtomically(QDir(folder).filePath(fileName), bytes, error)) {
            ShowMessage(msg::ReportFailed, MB_OK | MB_ICONERROR);
            return false;
        }
        const QDir images(installFolder);
        for (const QString &image : images.entryList({QStringLiteral("*.jpg")}, QDir::Files)) {
            QString ignored; // a failed copy is no failure of the report
            CopyFileAtomically(images.filePath(image), QDir(folder).filePath(image), ignored);
        }
    }
    out.folder = folder;
    out.path = QDir(folder).filePath(fileName);
    return true;
}

bool BuildReportHtml(ReportKind kind, const QString &profileXml, QString &html, bool *displayModel)
{
    BuiltReport report;
    if (!BuildShown(kind, profileXml, report))
        return false;
    html = report.html;
    if (displayModel)
        *displayModel = IsDisplayModel(report.model);
    return true;
}

bool MakeReport(ReportKind kind, const QString &profileXml, ReportOutput &out)
{
    BuiltReport report;
    if (!BuildShown(kind, profileXml, report))
        return false;
    if (!WriteReportFile(ReportFileName(kind), report.html, out))
        return false;
    out.kind = kind;
    out.displayModel = IsDisplayModel(report.model);
    return true;
}

} // namespace tavo
