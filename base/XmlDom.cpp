#include "base/XmlDom.h"
#include "base/ProfileNamespaces.h"

#include <libxml/parser.h>
#include <libxml/xpathInternals.h>

#include <cstring>
#include <QRegularExpression>

namespace tavo {

namespace {
constexpr int kSafeParseOptions = XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

const xmlChar *X(const char *s) { return reinterpret_cast<const xmlChar *>(s); }

// An invalid expression simply selects nothing; the library's report of it
// must not reach the user's terminal.
void IgnoreXPathError(void *, xmlErrorPtr) {}
} // namespace

QString SourceLineOf(const QByteArray &text, int line)
{
    if (line < 1)
        return QString();
    int start = 0;
    for (int i = 1; i < line; ++i) {
        const int nl = text.indexOf('\n', start);
        if (nl < 0)
            return QString();
        start = nl + 1;
    }
    int end = text.indexOf('\n', start);
    if (end < 0)
        end = text.size();
    QByteArray l = text.mid(start, end - start);
    if (l.endsWith('\r'))
        l.chop(1);
    return QString::fromUtf8(l);
}

// Keeps the first error of a parse: the one that made the text unusable
// (later ones, such as "premature end of data", follow from it).
void KeepFirstError(void *userData, xmlErrorPtr e)
{
    auto *ctxt = static_cast<xmlParserCtxt *>(userData);
    auto *first = ctxt ? static_cast<xmlError *>(ctxt->_private) : nullptr;
    if (first && e && e->level >= XML_ERR_ERROR && first->code == XML_ERR_OK)
        xmlCopyError(e, first);
}

XmlDocPtr ParseXml(const QByteArray &text, XmlParseError *error)
{
    xmlParserCtxt *ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        if (error)
            error->reason = QStringLiteral("out of memory");
        return nullptr;
    }
    xmlError first;
    std::memset(&first, 0, sizeof first);
    ctxt->_private = &first;
    ctxt->sax->serror = KeepFirstError;
    xmlDoc *doc = xmlCtxtReadMemory(ctxt, text.constData(), text.size(), nullptr, nullptr, kSafeParseOptions);
    if ((!doc || !ctxt->wellFormed) && error) {
        const xmlError *e = first.code != XML_ERR_OK ? &first : xmlCtxtGetLastError(ctxt);
        error->reason = e && e->message ? QString::fromUtf8(e->message).trimmed() : QStringLiteral("The document is empty.");
        error->line = e ? e->line : 0;
        error->column = e ? e->int2 : 0;
        error->sourceLine = SourceLineOf(text, error->line);
    }
    if (doc && !ctxt->wellFormed) {
        xmlFreeDoc(doc);
        doc = nullptr;
    }
    xmlResetError(&first);
    xmlFreeParserCtxt(ctxt);
    return XmlDocPtr(doc);
}

XmlXPath::XmlXPath(xmlDoc *doc)
{
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
        for (int i = 0; i < set->nodeNr; ++i)
            if (set->nodeTab[i]->type != XML_NAMESPACE_DECL) // copies freed with the result
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

QByteArray SerializeXml(xmlDoc *doc)
{
    xmlChar *buffer = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(doc, &buffer, &size, "UTF-8");
    QByteArray out(reinterpret_cast<const char *>(buffer), size);
    xmlFree(buffer);
    return out;
}

XmlDocPtr ParseSettingText(const QString &text, XmlParseError *error)
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
    return ParseXml(body.toUtf8(), error);
}

} // namespace tavo
