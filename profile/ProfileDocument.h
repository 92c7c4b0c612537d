#pragma once
// Shared ownership of one profile DOM. Every holder of a node (data items,
// rule-script node objects) holds the document with it, so a node never
// outlives its document. Nodes taken out of the tree (by a rule or by a data
// item) are unlinked, never freed while the document lives: a handle on a
// removed node stays a handle on a detached, intact subtree. They are freed
// together with the document.

#include "profile/SchemaIndex.h"
#include "base/XmlDom.h"

#include <QByteArray>

#include <memory>
#include <vector>

namespace tavo {

class ProfileDocument {
public:
    ProfileDocument(XmlDocPtr doc, SchemaIndexPtr schema);
    ~ProfileDocument();
    ProfileDocument(const ProfileDocument &) = delete;
    ProfileDocument &operator=(const ProfileDocument &) = delete;

    xmlDoc *doc() const { return m_doc.get(); }
    const SchemaIndex *schema() const { return m_schema.get(); }
    xmlNode *root() const { return m_doc ? xmlDocGetRootElement(m_doc.get()) : nullptr; }

    // Takes `node` (element or attribute of this document) out of the tree
    // and keeps it until the document dies.
    void Detach(xmlNode *node);

    // Keeps a node created for this document that is not in the tree yet.
    void Adopt(xmlNode *node);

    // The document's text as the XML library writes it (UTF-8).
    QByteArray Text() const { return m_doc ? SerializeXml(m_doc.get()) : QByteArray(); }

    // The profile namespace of this document (declared on the root), or null.
    xmlNs *ProfileNs() const;

    // Steps of the program itself (not a user's edit) under way; see ProgramStep.
    int ProgramSteps() const { return m_programSteps; }
    void BeginProgramStep() { ++m_programSteps; }
    void EndProgramStep() { --m_programSteps; }

private:
    XmlDocPtr m_doc;
    SchemaIndexPtr m_schema;
    std::vector<xmlNode *> m_loose; // unlinked or never-linked nodes
    int m_programSteps = 0;
};

using ProfileDocumentPtr = std::shared_ptr<ProfileDocument>;

// A counted handle on one node: the node and the document that owns it.
struct NodeRef {
    ProfileDocumentPtr owner;
    xmlNode *node = nullptr;

    NodeRef() = default;
    NodeRef(ProfileDocumentPtr o, xmlNode *n) : owner(std::move(o)), node(n) {}
    explicit operator bool() const { return node != nullptr; }
    bool operator==(const NodeRef &other) const { return node == other.node; }
    void reset() { owner.reset(); node = nullptr; }
};

} // namespace tavo
