#include "base/XmlDom.h"
#include "base/ProfileNamespaces.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlschemas.h>
#include <libxml/xpathInternals.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <mutex>

namespace tavo {

namespace {
constexpr int kSafeParseOptions =
    XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;

// The largest file the loader below hands to libxml2.
constexpr qint64 kMaxLoadedFileBytes = 1024 * 1024;

const xmlChar *X(const char *s) { return reinterpret_cast<const xmlChar *>(s); }

// An invalid expression simply selects nothing; the library's report of it
// must not reach the user's terminal.
void IgnoreXPathError(void *, xmlErrorPtr) {}

// Library reports that no caller asked for go nowhere: they would reach
// the user's terminal as raw library lines.
void IgnoreGenericError(void *, const char *, ...) {}

std::mutex g_trustedMutex;
QString g_trustedFolder; // canonical, without a trailing separator

QString TrustedFolder()
{
    std::lock_guard<std::mutex> lock(g_trustedMutex);
    return g_trustedFolder;
}

// The local file a URL names, or empty when it names anything else (a
// network scheme, a path relative to the current folder).
QString LocalFileOf(const char *url)
{
    if (!url || !*url)
        return QString();
    const QString text = QString::fromUtf8(url);
    if (text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl u(text);
        return u.isLocalFile() && u.host().isEmpty() ? u.toLocalFile() : QString();
    }
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (scheme.match(text).hasMatch() || !text.startsWith(QLatin1Char('/')))
        return QString();
    // A path the libraries built from a base and a relative reference (a
    // style sheet's include) comes percent-encoded: "/opt/My%20Folder/x".
    // A file of that very name is taken first.
    if (text.contains(QLatin1Char('%')) && !QFileInfo::exists(text))
        return QUrl::fromPercentEncoding(QByteArray(url));
    return text;
}

// The one external entity loader of the process: a file inside the trusted
// folder (after following links) and of a sane size, or nothing.
xmlParserInputPtr GuardedEntityLoader(const char *url, const char *, xmlParserCtxtPtr ctxt)
{
    const QString folder = TrustedFolder();
    const QString path = LocalFileOf(url);
    if (!folder.isEmpty() && !path.isEmpty()) {
        const QFileInfo info(path);
        const QString canonical = info.canonicalFilePath();
        if (!canonical.isEmpty() && canonical.startsWith(folder + QLatin1Char('/')) && info.isFile()
            && info.size() <= kMaxLoadedFileBytes)
            return xmlNewInputFromFile(ctxt, QFile::encodeName(canonical).constData());
    }
    return nullptr;
}

void InstallLibraryGuards()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(&GuardedEntityLoader);
    });
    // Per thread in libxml2.
    xmlSetGenericErrorFunc(nullptr, &IgnoreGenericError);
}

// Installed with the first use of this file, so that parsers outside it
// (schemas, style sheets) never run without the loader.
[[maybe_unused]] const bool g_guardsInstalled = (InstallLibraryGuards(), true);

struct ParseState {
    xmlError first;
    bool doctype = false;
    int doctypeLine = 0;
};

// A document type declaration stops the parse before its subset is read:
// no entity of it is ever declared or expanded.
void RefuseDoctype(void *userData, const xmlChar *, const xmlChar *, const xmlChar *)
{
    auto *ctxt = static_cast<xmlParserCtxt *>(userData);
    auto *state = ctxt ? static_cast<ParseState *>(ctxt->_private) : nullptr;
    if (!state)
        return;
    state->doctype = true;
    state->doctypeLine = ctxt->input ? ctxt->input->line : 0;
    xmlStopParser(ctxt);
}

} // namespace

void SetXmlTrustedFolder(const QString &folder)
{
    static QString named; // as last given, so that an unchanged name costs no lookup
    std::lock_guard<std::mutex> lock(g_trustedMutex);
    if (folder == named && !g_trustedFolder.isEmpty())
        return;
    named = folder;
    g_trustedFolder = folder.isEmpty() ? QString() : QFileInfo(folder).canonicalFilePath();
    while (g_trustedFolder.size() > 1 && g_trustedFolder.endsWith(QLatin1Char('/')))
        g_trustedFolder.chop(1);
}

QString QuotedForMessage(const QString &text)
{
    return text.size() <= kMaxQuotedChars ? text : text.left(kMaxQuotedChars) + QStringLiteral("...");
}

// The byte range [start, end) of line `line` (1-based) of `text`, without
// its line break; false when the text has no such line.
static bool FindLine(const QByteArray &text, int line, int &start, int &end)
{
    if (line < 1)
        return false;
    start = 0;
    for (int i = 1; i < line; ++i) {
        const int nl = text.indexOf('\n', start);
        if (nl < 0)
            return false;
        start = nl + 1;
    }
    end = text.indexOf('\n', start);
    if (end < 0)
        end = text.size();
    return true;
}

QString WholeSourceLineOf(const QByteArray &text, int line)
{
    int start = 0, end = 0;
    if (!FindLine(text, line, start, end))
        return QString();
    QByteArray l = text.mid(start, end - start);
    if (l.endsWith('\r'))
        l.chop(1);
    return QString::fromUtf8(l);
}

QString SourceLineOf(const QByteArray &text, int line, int column)
{
    int start = 0, end = 0;
    if (!FindLine(text, line, start, end))
        return QString();
    // Only what can be quoted is decoded: a line may be the whole file.
    const int length = end - start;
    if (length <= kMaxQuotedChars * 4) {
        QByteArray l = text.mid(start, length);
        if (l.endsWith('\r'))
            l.chop(1);
        const QString whole = QString::fromUtf8(l);
        if (whole.size() <= kMaxQuotedChars)
            return whole;
    }
    const int from = column > kMaxQuotedChars / 2 ? std::min(column - 1 - kMaxQuotedChars / 2, length - 1) : 0;
    QString cut = QString::fromUtf8(text.mid(start + from, kMaxQuotedChars * 2)).left(kMaxQuotedChars);
    if (cut.endsWith(QLatin1Char('\r')))
        cut.chop(1);
    return (from > 0 ? QStringLiteral("...") : QString()) + cut + QStringLiteral("...");
}

// Keeps the first error of a parse: the one that made the text unusable
// (later ones, such as "premature end of data", follow from it).
void KeepFirstError(void *userData, xmlErrorPtr e)
{
    auto *ctxt = static_cast<xmlParserCtxt *>(userData);
    auto *state = ctxt ? static_cast<ParseState *>(ctxt->_private) : nullptr;
    if (state && !state->doctype && e && e->level >= XML_ERR_ERROR && state->first.code == XML_ERR_OK)
        xmlCopyError(e, &state->first);
}

XmlDocPtr ParseXml(const QByteArray &text, XmlParseError *error, const QString &url)
{
    InstallLibraryGuards();
    xmlParserCtxt *ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        if (error)
            error->reason = QStringLiteral("out of memory");
        return nullptr;
    }
    ParseState state;
    std::memset(&state.first, 0, sizeof state.first);
    ctxt->_private = &state;
    ctxt->sax->serror = KeepFirstError;
    ctxt->sax->internalSubset = RefuseDoctype;
    const QByteArray urlBytes = url.isEmpty() ? QByteArray() : QFile::encodeName(QFileInfo(url).absoluteFilePath());
    xmlDoc *doc = xmlCtxtReadMemory(ctxt, text.constData(), text.size(), urlBytes.isEmpty() ? nullptr : urlBytes.constData(),
                                    "UTF-8", kSafeParseOptions);
    const bool failed = !doc || !ctxt->wellFormed || state.doctype;
    if (failed && error) {
        if (state.doctype) {
            error->reason = QStringLiteral("A document type declaration is not allowed in this document.");
            error->line = state.doctypeLine;
            error->column = 0;
        } else {
            const xmlError *e = state.first.code != XML_ERR_OK ? &state.first : xmlCtxtGetLastError(ctxt);
            error->reason = e && e->message ? QuotedForMessage(QString::fromUtf8(e->message).trimmed())
                                            : QStringLiteral("The document is empty.");
            error->line = e ? e->line : 0;
            error->column = e ? e->int2 : 0;
        }
        error->sourceLine = SourceLineOf(text, error->line, error->column);
    }
    if (doc && failed) {
        xmlFreeDoc(doc);
        doc = nullptr;
    }
    xmlResetError(&state.first);
    xmlFreeParserCtxt(ctxt);
    return XmlDocPtr(doc);
}

void XmlSchemaDeleter::operator()(xmlSchema *schema) const
{
    xmlSchemaFree(schema);
}

namespace {

struct SchemaErrors {
    XmlParseError first;
    bool any = false;
};

void CollectSchemaError(void *userData, xmlErrorPtr e)
{
    auto *errors = static_cast<SchemaErrors *>(userData);
    if (!errors || !e || e->level == XML_ERR_NONE || errors->any)
        return;
    errors->any = true;
    errors->first.reason = QuotedForMessage(QString::fromUtf8(e->message ? e->message : "").trimmed());
    errors->first.line = e->line;
    errors->first.column = e->int2;
}

} // namespace

XmlSchemaPtr CompileXmlSchema(xmlDoc *schemaDoc, XmlParseError *error)
{
    InstallLibraryGuards();
    SchemaErrors errors;
    xmlSchemaParserCtxt *parser = schemaDoc ? xmlSchemaNewDocParserCtxt(schemaDoc) : nullptr;
    if (!parser) {
        if (error)
            error->reason = QStringLiteral("The schema compiler could not be created.");
        return nullptr;
    }
    xmlSchemaSetParserStructuredErrors(parser, &CollectSchemaError, &errors);
    // Documents the compiler reads on its own report here too.
    xmlSetStructuredErrorFunc(&errors, &CollectSchemaError);
    XmlSchemaPtr schema(xmlSchemaParse(parser));
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    xmlSchemaFreeParserCtxt(parser);
    if (!schema || errors.any) {
        if (error) {
            *error = errors.first;
            if (error->reason.isEmpty())
                error->reason = QStringLiteral("The schema cannot be compiled.");
        }
        return nullptr;
    }
    return schema;
}

XmlXPath::XmlXPath(xmlDoc *doc)
{
    InstallLibraryGuards();
    if (!doc)
        return;
    m_ctx = xmlXPathNewContext(doc);
    if (!m_ctx)
        return;
    m_ctx->error = &IgnoreXPathError;
    xmlXPathRegisterNs(m_ctx, X(kDfnsPrefix), X(kProfileNamespace));
    xmlXPathRegisterNs(m_ctx, X(kMsPrefix), X(kMsNamespace));
}

XmlXPath::~XmlXPath()
{
    if (m_ctx)
        xmlXPathFreeContext(m_ctx);
}

std::vector<xmlNode *> XmlXPath::Select(const char *expr, xmlNode *context) const
{
    std::vector<xmlNode *> nodes;
    if (!m_ctx)
        return nodes;
    m_ctx->node = context ? context : reinterpret_cast<xmlNode *>(m_ctx->doc);
    xmlXPathObject *result = xmlXPathEvalExpression(X(expr), m_ctx);
    if (result && result->type == XPATH_NODESET && result->nodesetval) {
        const xmlNodeSet *set = result->nodesetval;
        nodes.reserve(static_cast<size_t>(set->nodeNr));
        // A namespace node is a copy that dies with the result: only nodes
        // of the document itself are handed out.
        for (int i = 0; i < set->nodeNr; ++i)
            if (set->nodeTab[i] && set->nodeTab[i]->type != XML_NAMESPACE_DECL)
                nodes.push_back(set->nodeTab[i]);
    }
    xmlXPathFreeObject(result);
    return nodes;
}

bool XmlXPath::SelectElements(const char *expr, xmlNode *context, std::vector<xmlNode *> &elements) const
{
    elements.clear();
    if (!m_ctx)
        return false;
    m_ctx->node = context ? context : reinterpret_cast<xmlNode *>(m_ctx->doc);
    xmlXPathObject *result = xmlXPathEvalExpression(X(expr), m_ctx);
    bool ok = !result || result->type == XPATH_NODESET;
    if (ok && result && result->nodesetval) {
        const xmlNodeSet *set = result->nodesetval;
        for (int i = 0; ok && i < set->nodeNr; ++i) {
            ok = set->nodeTab[i]->type == XML_ELEMENT_NODE;
            if (ok)
                elements.push_back(set->nodeTab[i]);
        }
    }
    xmlXPathFreeObject(result);
    if (!ok)
        elements.clear();
    return ok;
}

xmlNode *XmlXPath::SelectFirst(const char *expr, xmlNode *context) const
{
    const std::vector<xmlNode *> nodes = Select(expr, context);
    return nodes.empty() ? nullptr : nodes.front();
}

QString XmlAttribute(const xmlNode *node, const char *name, bool *present)
{
    xmlChar *value = node ? xmlGetNoNsProp(node, X(name)) : nullptr;
    if (present)
        *present = value != nullptr;
    if (!value)
        return QString();
    QString result = QString::fromUtf8(reinterpret_cast<const char *>(value));
    xmlFree(value);
    return result;
}

void SetXmlAttribute(xmlNode *node, const char *name, const QString &value)
{
    xmlSetProp(node, X(name), X(value.toUtf8().constData()));
}

xmlNode *NextElementSibling(xmlNode *node)
{
    for (xmlNode *n = node ? node->next : nullptr; n; n = n->next)
        if (n->type == XML_ELEMENT_NODE)
            return n;
    return nullptr;
}

QString XmlNodeName(const xmlNode *node)
{
    return node && node->name ? QString::fromUtf8(reinterpret_cast<const char *>(node->name)) : QString();
}

QByteArray SerializeXmlIndented(xmlDoc *doc, const char *indent, const QByteArray &lineBreak)
{
    const char *savedIndent = xmlTreeIndentString;
    const int savedIndentOutput = xmlIndentTreeOutput;
    xmlTreeIndentString = indent;
    xmlIndentTreeOutput = 1;
    xmlChar *buffer = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc, &buffer, &size, "UTF-8", 1);
    xmlTreeIndentString = savedIndent;
    xmlIndentTreeOutput = savedIndentOutput;
    QByteArray out(reinterpret_cast<const char *>(buffer), size);
    xmlFree(buffer);
    // Line breaks inside values are written as character references, so
    // every raw one is a break between elements.
    if (lineBreak != "\n")
        out.replace("\n", lineBreak);
    return out;
}

QByteArray SerializeXml(xmlDoc *doc)
{
    xmlChar *buffer = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(doc, &buffer, &size, "UTF-8");
    QByteArray out(reinterpret_cast<const char *>(buffer), size);
    xmlFree(buffer);
    return out;
}

XmlDocPtr ParseSettingText(const QString &text, XmlParseError *error, const QString &url)
{
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    // The text is already decoded: an encoding named in the declaration
    // would make the parser decode it a second time.
    if (body.startsWith(QLatin1String("<?xml"), Qt::CaseInsensitive)) {
        const int end = body.indexOf(QLatin1String("?>"));
        if (end > 0) {
            static const QRegularExpression encoding(QStringLiteral("\\s+encoding\\s*=\\s*(\"[^\"]*\"|'[^']*')"));
            QString decl = body.left(end);
            decl.remove(encoding);
            body = decl + body.mid(end);
        }
    }
    return ParseXml(body.toUtf8(), error, url);
}

} // namespace tavo
