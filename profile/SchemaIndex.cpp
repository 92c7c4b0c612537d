#include "profile/SchemaIndex.h"
#include "base/ProfileNamespaces.h"

#include <QRegularExpression>

#include <libxml/xmlregexp.h>

#include <cstring>

namespace tavo {

namespace {

constexpr const char *kXsdNamespace = "http://www.w3.org/2001/XMLSchema";

bool IsXsd(const xmlNode *n, const char *localName)
{
    return n && n->type == XML_ELEMENT_NODE && n->ns && n->ns->href
        && std::strcmp(reinterpret_cast<const char *>(n->ns->href), kXsdNamespace) == 0
        && std::strcmp(reinterpret_cast<const char *>(n->name), localName) == 0;
}

QString Attr(const xmlNode *n, const char *name)
{
    xmlChar *v = xmlGetNoNsProp(n, reinterpret_cast<const xmlChar *>(name));
    if (!v)
        return QString();
    QString s = QString::fromUtf8(reinterpret_cast<const char *>(v));
    xmlFree(v);
    return s;
}

template <typename F>
void ForChildren(const xmlNode *n, const char *localName, F f)
{
    for (xmlNode *c = n ? n->children : nullptr; c; c = c->next)
        if (IsXsd(c, localName))
            f(c);
}

const xmlNode *FirstChild(const xmlNode *n, const char *localName)
{
    for (xmlNode *c = n ? n->children : nullptr; c; c = c->next)
        if (IsXsd(c, localName))
            return c;
    return nullptr;
}

class Builder {
public:
    explicit Builder(xmlDoc *doc) : m_doc(doc), m_root(xmlDocGetRootElement(doc))
    {
        for (xmlNode *c = m_root ? m_root->children : nullptr; c; c = c->next) {
            if (IsXsd(c, "simpleType"))
                m_simpleTypes.insert(Attr(c, "name"), c);
            else if (IsXsd(c, "complexType"))
                m_complexTypes.insert(Attr(c, "name"), c);
            else if (IsXsd(c, "attributeGroup"))
                m_attributeGroups.insert(Attr(c, "name"), c);
        }
    }

    void Run(QHash<QString, SchemaElementDecl> &out)
    {
        if (IsXsd(m_root, "schema"))
            Walk(m_root, out);
    }

private:
    // Splits "prefix:local" and tells whether the prefix names the XML
    // Schema namespace (as declared in scope of `at`).
    bool IsBuiltin(const xmlNode *at, const QString &qname, QString &local) const
    {
        const int colon = qname.indexOf(QLatin1Char(':'));
        local = colon < 0 ? qname : qname.mid(colon + 1);
        const QByteArray prefix = colon < 0 ? QByteArray() : qname.left(colon).toUtf8();
        xmlNs *ns = xmlSearchNs(m_doc, const_cast<xmlNode *>(at),
                                colon < 0 ? nullptr : reinterpret_cast<const xmlChar *>(prefix.constData()));
        return ns && ns->href && std::strcmp(reinterpret_cast<const char *>(ns->href), kXsdNamespace) == 0;
    }

    // Follows restrictions down to the built-in type (first base each time).
    QString BuiltinOfSimpleType(const xmlNode *simpleType, int depth = 0) const
    {
        if (!simpleType || depth > 32)
            return QString();
        const xmlNode *restriction = FirstChild(simpleType, "restriction");
        if (!restriction)
            return QString(); // list or union: no single base
        const QString base = Attr(restriction, "base");
        if (base.isEmpty())
            return BuiltinOfSimpleType(FirstChild(restriction, "simpleType"), depth + 1);
        return BuiltinOfTypeName(restriction, base, depth + 1);
    }

    QString BuiltinOfTypeName(const xmlNode *at, const QString &qname, int depth) const
    {
        QString local;
        if (IsBuiltin(at, qname, local))
            return local;
        return BuiltinOfSimpleType(m_simpleTypes.value(local), depth);
    }

    // Gathers the facets of every restriction from `simpleType` down.
    void FacetsOfSimpleType(const xmlNode *simpleType, SchemaFacets &out, int depth = 0) const
    {
        if (!simpleType || depth > 32)
            return;
        const xmlNode *restriction = FirstChild(simpleType, "restriction");
        if (!restriction)
            return;
        QStringList patterns, enumerations;
        for (xmlNode *f = restriction->children; f; f = f->next) {
            if (f->type != XML_ELEMENT_NODE)
                continue;
            const QString value = Attr(f, "value");
            bool ok = false;
            if (IsXsd(f, "minInclusive")) {
                const long double v = value.trimmed().toDouble(&ok);
                if (ok && (!out.hasMin || v > out.min))
                    out.min = v, out.hasMin = true;
            } else if (IsXsd(f, "maxInclusive")) {
                const long double v = value.trimmed().toDouble(&ok);
                if (ok && (!out.hasMax || v < out.max))
                    out.max = v, out.hasMax = true;
            } else if (IsXsd(f, "minLength") || IsXsd(f, "length")) {
                const int v = value.trimmed().toInt(&ok);
                if (ok && v > out.minLength)
                    out.minLength = v;
                if (ok && IsXsd(f, "length") && (out.maxLength < 0 || v < out.maxLength))
                    out.maxLength = v;
            } else if (IsXsd(f, "maxLength")) {
                const int v = value.trimmed().toInt(&ok);
                if (ok && (out.maxLength < 0 || v < out.maxLength))
                    out.maxLength = v;
            } else if (IsXsd(f, "pattern")) {
                patterns << value;
            } else if (IsXsd(f, "enumeration")) {
                enumerations << value;
            }
        }
        if (!patterns.isEmpty())
            out.patterns << patterns;
        if (!enumerations.isEmpty())
            out.enumerations << enumerations;
        const QString base = Attr(restriction, "base");
        if (base.isEmpty()) {
            FacetsOfSimpleType(FirstChild(restriction, "simpleType"), out, depth + 1);
            return;
        }
        QString local;
        if (!IsBuiltin(restriction, base, local))
            FacetsOfSimpleType(m_simpleTypes.value(local), out, depth + 1);
    }

    void FacetsOfTypeName(const xmlNode *at, const QString &qname, SchemaFacets &out) const
    {
        QString local;
        if (!IsBuiltin(at, qname, local))
            FacetsOfSimpleType(m_simpleTypes.value(local), out);
    }

    static void ReadHandlers(const xmlNode *decl, SchemaDecl &out)
    {
        const xmlNode *annotation = FirstChild(decl, "annotation");
        ForChildren(annotation, "appinfo", [&](const xmlNode *appinfo) {
            for (xmlNode *e = appinfo->children; e; e = e->next) {
                if (e->type != XML_ELEMENT_NODE || !e->ns || !e->ns->href
                    || std::strcmp(reinterpret_cast<const char *>(e->ns->href), kSchemaExtensionNamespace) != 0
                    || std::strcmp(reinterpret_cast<const char *>(e->name), "SchemaExtension") != 0)
                    continue;
                for (xmlAttr *a = e->properties; a; a = a->next) {
                    xmlChar *v = xmlNodeGetContent(reinterpret_cast<xmlNode *>(a));
                    out.handlers.insert(QString::fromUtf8(reinterpret_cast<const char *>(a->name)),
                                        QString::fromUtf8(reinterpret_cast<const char *>(v)));
                    xmlFree(v);
                }
            }
        });
    }

    void ReadAttributes(const xmlNode *holder, SchemaElementDecl &element, int depth = 0)
    {
        if (!holder || depth > 16)
            return;
        for (xmlNode *c = holder->children; c; c = c->next) {
            if (IsXsd(c, "attribute")) {
                SchemaDecl decl;
                const QString type = Attr(c, "type");
                decl.builtinType = type.isEmpty() ? BuiltinOfSimpleType(FirstChild(c, "simpleType"))
                                                  : BuiltinOfTypeName(c, type, 0);
                if (type.isEmpty())
                    FacetsOfSimpleType(FirstChild(c, "simpleType"), decl.facets);
                else
                    FacetsOfTypeName(c, type, decl.facets);
                ReadHandlers(c, decl);
                const QString name = Attr(c, "name");
                if (!name.isEmpty() && !element.attributes.contains(name))
                    element.attributes.insert(name, decl);
            } else if (IsXsd(c, "attributeGroup")) {
                QString local;
                IsBuiltin(c, Attr(c, "ref"), local);
                ReadAttributes(m_attributeGroups.value(local), element, depth + 1);
            } else if (IsXsd(c, "complexContent") || IsXsd(c, "simpleContent")) {
                for (const char *derivation : {"extension", "restriction"}) {
                    const xmlNode *d = FirstChild(c, derivation);
                    if (!d)
                        continue;
                    ReadAttributes(d, element, depth + 1);
                    // Then the attributes the base type declares (the derived
                    // type's own declarations win, being read first).
                    QString local;
                    if (!IsBuiltin(d, Attr(d, "base"), local))
                        ReadAttributes(m_complexTypes.value(local), element, depth + 1);
                }
            }
        }
    }

    void Walk(const xmlNode *n, QHash<QString, SchemaElementDecl> &out)
    {
        for (xmlNode *c = n->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE)
                continue;
            if (IsXsd(c, "element") && !Attr(c, "name").isEmpty()) {
                const QString name = Attr(c, "name");
                if (!out.contains(name)) {
                    SchemaElementDecl element;
                    ReadHandlers(c, element.decl);
                    const xmlNode *complexType = FirstChild(c, "complexType");
                    const QString type = Attr(c, "type");
                    if (!complexType && !type.isEmpty()) {
                        QString local;
                        if (IsBuiltin(c, type, local))
                            element.decl.builtinType = local;
                        else
                            complexType = m_complexTypes.value(local);
                    }
                    ReadAttributes(complexType, element);
                    out.insert(name, element);
                }
            }
            Walk(c, out);
        }
    }

    xmlDoc *m_doc;
    xmlNode *m_root;
    QHash<QString, const xmlNode *> m_simpleTypes;
    QHash<QString, const xmlNode *> m_complexTypes;
    QHash<QString, const xmlNode *> m_attributeGroups;
};

// Characters an XML 1.0 document can hold.
bool IsXmlText(const QString &text)
{
    for (const uint c : text.toUcs4()) {
        const bool ok = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
            || (c >= 0x10000 && c <= 0x10FFFF);
        if (!ok)
            return false;
    }
    // Lone surrogates become U+FFFD in toUcs4(); a text holding them is
    // not what it claims to be.
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate()))
            return false;
        if (text.at(i).isLowSurrogate() && (i == 0 || !text.at(i - 1).isHighSurrogate()))
            return false;
    }
    return true;
}

bool MatchesXsdPattern(const QString &pattern, const QString &text)
{
    const QByteArray p = pattern.toUtf8();
    xmlRegexp *re = xmlRegexpCompile(reinterpret_cast<const xmlChar *>(p.constData()));
    if (!re)
        return true; // a pattern the schema compiler took but we cannot read: the save check decides
    const QByteArray t = text.toUtf8();
    const int rc = xmlRegexpExec(re, reinterpret_cast<const xmlChar *>(t.constData()));
    xmlRegFreeRegexp(re);
    return rc == 1;
}

bool IsIntegerType(const QString &builtin, long double &lo, long double &hi)
{
    static const struct {
        const char *name;
        long double lo, hi;
    } kTypes[] = {
        {"long", -9223372036854775808.0L, 9223372036854775807.0L},
        {"int", -2147483648.0L, 2147483647.0L},
        {"short", -32768.0L, 32767.0L},
        {"byte", -128.0L, 127.0L},
        {"unsignedLong", 0.0L, 18446744073709551615.0L},
        {"unsignedInt", 0.0L, 4294967295.0L},
        {"unsignedShort", 0.0L, 65535.0L},
        {"unsignedByte", 0.0L, 255.0L},
        {"integer", -1.0e30L, 1.0e30L},
        {"nonNegativeInteger", 0.0L, 1.0e30L},
        {"positiveInteger", 1.0L, 1.0e30L},
    };
    for (const auto &t : kTypes)
        if (builtin == QLatin1String(t.name)) {
            lo = t.lo;
            hi = t.hi;
            return true;
        }
    return false;
}

} // namespace

bool SchemaDecl::Accepts(const QString &text) const
{
    if (!IsXmlText(text))
        return false;
    QString lexical = text;
    long double lo = 0, hi = 0;
    if (IsIntegerType(builtinType, lo, hi)) {
        lexical = text.simplified();
        static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]+$"));
        if (!integer.match(lexical).hasMatch() || lexical.size() > 40)
            return false;
        const long double v = lexical.toDouble();
        if (v < lo || v > hi || (facets.hasMin && v < facets.min) || (facets.hasMax && v > facets.max))
            return false;
    } else if (builtinType == QLatin1String("boolean")) {
        lexical = text.simplified();
        if (lexical != QLatin1String("0") && lexical != QLatin1String("1") && lexical != QLatin1String("true")
            && lexical != QLatin1String("false"))
            return false;
    } else if (builtinType == QLatin1String("string")) {
        const int length = static_cast<int>(text.toUcs4().size());
        if ((facets.minLength >= 0 && length < facets.minLength) || (facets.maxLength >= 0 && length > facets.maxLength))
            return false;
    }
    for (const QStringList &level : facets.patterns) {
        bool any = false;
        for (const QString &p : level)
            any = any || MatchesXsdPattern(p, lexical);
        if (!any)
            return false;
    }
    for (const QStringList &level : facets.enumerations)
        if (!level.contains(lexical))
            return false;
    return true;
}

SchemaIndex::SchemaIndex(xmlDoc *schemaDoc)
{
    if (schemaDoc)
        Builder(schemaDoc).Run(m_elements);
}

const SchemaElementDecl *SchemaIndex::Element(const QString &name) const
{
    auto it = m_elements.constFind(name);
    return it == m_elements.constEnd() ? nullptr : &it.value();
}

const SchemaDecl *SchemaIndex::Attribute(const QString &element, const QString &name) const
{
    const SchemaElementDecl *e = Element(element);
    if (!e)
        return nullptr;
    auto it = e->attributes.constFind(name);
    return it == e->attributes.constEnd() ? nullptr : &it.value();
}

const SchemaDecl *SchemaIndex::DeclarationOf(const xmlNode *node) const
{
    if (!node || !node->name)
        return nullptr;
    const QString name = QString::fromUtf8(reinterpret_cast<const char *>(node->name));
    if (node->type == XML_ELEMENT_NODE) {
        const SchemaElementDecl *e = Element(name);
        return e ? &e->decl : nullptr;
    }
    if (node->type == XML_ATTRIBUTE_NODE && node->parent && node->parent->name)
        return Attribute(QString::fromUtf8(reinterpret_cast<const char *>(node->parent->name)), name);
    return nullptr;
}

} // namespace tavo
