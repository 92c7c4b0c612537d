#pragma once
// Thin RAII layer over libxml2: parsing text with the safe options every
// part of the program uses (no network, no entity expansion, whitespace-only
// text dropped, no document type declaration, the text taken as already
// decoded), parse errors with their position, and XPath selection with the
// dfns binding.
//
// Every file libxml2 itself would open (a schema's include, import or
// redefine, a style sheet's import, an external entity) goes through one
// loader that refuses anything outside the trusted folder: the
// installation's own folder.

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include <libxml/tree.h>
#include <libxml/xmlschemas.h>
#include <libxml/xpath.h>

namespace tavo {

struct XmlDocDeleter {
    void operator()(xmlDoc *doc) const { xmlFreeDoc(doc); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocDeleter>;

struct XmlParseError {
    QString reason;
    int line = 0;
    int column = 0;
    QString sourceLine; // the text of the offending line
};

// Parses UTF-8 XML text; an encoding named in its declaration is ignored
// (the text has been decoded once already). A document type declaration is
// refused. `url`, when given, is the document's own location: relative
// references in it resolve against it. On failure returns null and, when
// `error` is given, fills it.
XmlDocPtr ParseXml(const QByteArray &text, XmlParseError *error = nullptr, const QString &url = QString());

// Parses a decoded text read by the text-file reader (its XML declaration
// may name any encoding: the text is already decoded). Null on a parse
// error.
XmlDocPtr ParseSettingText(const QString &text, XmlParseError *error = nullptr, const QString &url = QString());

// Line `line` (1-based) of `text`, without its line break. A line longer
// than kMaxQuotedChars is cut to that many characters around `column`
// (1-based, 0 when unknown), the cuts marked with "...".
inline constexpr int kMaxQuotedChars = 160;
QString SourceLineOf(const QByteArray &text, int line, int column = 0);
// The same line whole, for finding a position on it.
QString WholeSourceLineOf(const QByteArray &text, int line);
// A text quoted in a message, cut to kMaxQuotedChars.
QString QuotedForMessage(const QString &text);

// The folder whose files libxml2 may open on its own (schema includes and
// imports, style sheet imports). Empty: none.
void SetXmlTrustedFolder(const QString &folder);

// Compiles a schema document. Every error or warning of the schema
// compiler (an include, import or redefine that cannot be loaded among
// them) makes it fail: null, with the first one in `error`.
struct XmlSchemaDeleter {
    void operator()(xmlSchema *schema) const;
};
using XmlSchemaPtr = std::unique_ptr<xmlSchema, XmlSchemaDeleter>;
XmlSchemaPtr CompileXmlSchema(xmlDoc *schemaDoc, XmlParseError *error = nullptr);

// XPath evaluation on one document with the dfns and ms prefixes bound.
class XmlXPath {
public:
    explicit XmlXPath(xmlDoc *doc);
    ~XmlXPath();
    XmlXPath(const XmlXPath &) = delete;
    XmlXPath &operator=(const XmlXPath &) = delete;

    bool valid() const { return m_ctx != nullptr; }
    // Nodes of `expr` in document order, evaluated from `context` (the
    // document when null). An invalid expression yields no nodes.
    std::vector<xmlNode *> Select(const char *expr, xmlNode *context = nullptr) const;
    xmlNode *SelectFirst(const char *expr, xmlNode *context = nullptr) const;
    // Element paths: the elements `expr` selects, in document order (none
    // for an invalid expression). False, and no elements, when its result
    // holds anything but elements (namespace, attribute or text nodes, a
    // number or a text).
    bool SelectElements(const char *expr, xmlNode *context, std::vector<xmlNode *> &elements) const;

private:
    xmlXPathContext *m_ctx = nullptr;
};

// Attribute value (no namespace) as text; `present` tells whether it exists.
QString XmlAttribute(const xmlNode *node, const char *name, bool *present = nullptr);
void SetXmlAttribute(xmlNode *node, const char *name, const QString &value);

// The next sibling that is an element, or null.
xmlNode *NextElementSibling(xmlNode *node);
QString XmlNodeName(const xmlNode *node);

// Serialises a whole document as UTF-8 text.
QByteArray SerializeXml(xmlDoc *doc);

// The same text with one element a line, indented by `indent`, lines ended by
// `lineBreak`.
QByteArray SerializeXmlIndented(xmlDoc *doc, const char *indent, const QByteArray &lineBreak);

} // namespace tavo
