#include "profile/ProfileDocument.h"
#include "base/ProfileNamespaces.h"

#include <algorithm>
#include <utility>

namespace tavo {

ProfileDocument::ProfileDocument(XmlDocPtr doc, SchemaIndexPtr schema)
    : m_doc(std::move(doc)), m_schema(std::move(schema))
{
}

ProfileDocument::~ProfileDocument()
{
    // Free only the loose nodes that are still roots of their own subtree:
    // one that was put back into the tree, or into another loose subtree,
    // goes with its new parent. Decide for all before freeing any, and free
    // them before the document, whose dictionary holds their names.
    std::sort(m_loose.begin(), m_loose.end());
    m_loose.erase(std::unique(m_loose.begin(), m_loose.end()), m_loose.end());
    std::vector<xmlNode *> roots;
    for (xmlNode *n : m_loose)
        if (!n->parent)
            roots.push_back(n);
    for (xmlNode *n : roots)
        xmlFreeNode(n);
}

void ProfileDocument::Detach(xmlNode *node)
{
    if (!node)
        return;
    xmlUnlinkNode(node);
    m_loose.push_back(node);
}

void ProfileDocument::Adopt(xmlNode *node)
{
    if (node)
        m_loose.push_back(node);
}

xmlNs *ProfileDocument::ProfileNs() const
{
    xmlNode *r = root();
    if (!r)
        return nullptr;
    return xmlSearchNsByHref(m_doc.get(), r, reinterpret_cast<const xmlChar *>(kProfileNamespace));
}

} // namespace tavo
