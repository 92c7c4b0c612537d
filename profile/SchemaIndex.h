#pragma once
// What the program needs from the profile schema, read from the schema
// document itself: for every declared element and attribute, the built-in
// type its declared type rests on (following restrictions down to the XML
// Schema namespace) and the rule functions named in its SchemaExtension
// annotation.

#include <QHash>
#include <QString>
#include <memory>

#include <libxml/tree.h>

namespace tavo {

struct SchemaDecl {
    QString builtinType;              // "long", "boolean", "string", ... (empty: unknown)
    QHash<QString, QString> handlers; // event key -> rule function name
};

struct SchemaElementDecl {
    SchemaDecl decl;
    QHash<QString, SchemaDecl> attributes;
};

class SchemaIndex {
public:
    // Indexes a parsed schema document; an unusable document gives an empty index.
    explicit SchemaIndex(xmlDoc *schemaDoc);

    // Declaration of an element by its local name, or null.
    const SchemaElementDecl *Element(const QString &name) const;
    // Declaration of attribute `name` on element `element`, or null.
    const SchemaDecl *Attribute(const QString &element, const QString &name) const;
    // The declaration of a profile node: an element, or an attribute of one.
    const SchemaDecl *DeclarationOf(const xmlNode *node) const;

    int ElementCount() const { return m_elements.size(); }

private:
    QHash<QString, SchemaElementDecl> m_elements;
};

using SchemaIndexPtr = std::shared_ptr<const SchemaIndex>;

} // namespace tavo
