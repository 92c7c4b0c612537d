#pragma once
// What the program needs from the profile schema, read from the schema
// document itself: for every declared element and attribute, the built-in
// type its declared type rests on (following restrictions down to the XML
// Schema namespace) and the rule functions named in its SchemaExtension
// annotation.

#include <QHash>
#include <QList>
#include <QStringList>
#include <QString>
#include <memory>

#include <libxml/tree.h>

namespace tavo {

// The constraining facets of a simple type, gathered along its chain of
// restrictions (every level's facets hold at once).
struct SchemaFacets {
    bool hasMin = false, hasMax = false;
    long double min = 0, max = 0;      // minInclusive / maxInclusive
    int minLength = -1, maxLength = -1; // characters; -1 none
    QList<QStringList> patterns;        // one list per level: the value matches one of each
    QList<QStringList> enumerations;    // likewise
};

struct SchemaDecl {
    QString builtinType;              // "long", "boolean", "string", ... (empty: unknown)
    QHash<QString, QString> handlers; // event key -> rule function name
    SchemaFacets facets;

    // Whether `text` is a value of the declared type: the lexical form of
    // the built-in type, its range, and the facets. Numbers and flags are
    // read with surrounding white space collapsed, texts as they stand; a
    // text must consist of characters an XML document can hold.
    bool Accepts(const QString &text) const;
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
