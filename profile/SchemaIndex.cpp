#include "profile/SchemaIndex.h"
#include "base/ProfileNamespaces.h"

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

} // namespace

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
