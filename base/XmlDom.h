#pragma once
// Thin RAII layer over libxml2: parsing text with the safe options every
// part of the program uses (no network, no entity expansion, whitespace-only
// text dropped), parse errors with their position, and XPath selection with
// the dfns binding.

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include <libxml/tree.h>
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

// Parses UTF-8 (or self-declared) XML text. On failure returns null and,
// when `error` is given, fills it.
XmlDocPtr ParseXml(const QByteArray &text, XmlParseError *error = nullptr);

// Parses a decoded text read by the text-file reader (its XML declaration may name
// any encoding: the text is already decoded). Null on a parse error.
XmlDocPtr ParseSettingText(const QString &text, XmlParseError *error = nullptr);

// Line `line` (1-based) of `text`, without its line break.
QString SourceLineOf(const QByteArray &text, int line);

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

} // namespace tavo
