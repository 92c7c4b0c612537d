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
    Touch(node);
    xmlUnlinkNode(node);
    m_loose.push_back(node);
}

void ProfileDocument::Adopt(xmlNode *node)
{
    if (node)
        m_loose.push_back(node);
}

void ProfileDocument::Touch(const xmlNode *node)
{
    if (m_texts.empty())
        return;
    for (; node; node = node->parent)
        m_texts.erase(node);
}

namespace {
// Below the root, elements down to this depth keep their text: a section
// (a piece of the whole text) and the nodes in it.
constexpr int kKeptDepth = 2;
} // namespace

TextPieces ProfileDocument::Pieces() const
{
    xmlDoc *doc = m_doc.get();
    if (!doc)
        return {};
    TextPieces text;
    QByteArray between; // the tags and content since the last section
    // Depth first. An edit writes its own node anew, its section from the
    // kept texts of the nodes around it; the other sections are kept pieces.
    const auto write = [&](QByteArray &into, const xmlNode *node, int depth, const auto &self) -> bool {
        if (node->type != XML_ELEMENT_NODE)
            return AppendXmlNode(into, node);
        const bool keep = depth >= 1 && depth <= kKeptDepth;
        auto kept = keep ? m_texts.find(node) : m_texts.end();
        if (kept == m_texts.end()) {
            QByteArray own;
            QByteArray &to = keep ? own : into;
            if (!AppendXmlStartTag(to, node))
                return false;
            for (const xmlNode *c = node->children; c; c = c->next)
                if (!self(to, c, depth + 1, self))
                    return false;
            AppendXmlEndTag(to, node);
            if (!keep)
                return true;
            kept = m_texts.emplace(node, std::move(own)).first;
        }
        if (depth == 1) {
            text.Append(std::exchange(between, QByteArray()));
            text.Append(kept->second);
        } else {
            into.append(kept->second);
        }
        return true;
    };
    bool written = AppendXmlDeclaration(between, doc);
    for (const xmlNode *top = doc->children; written && top; top = top->next) {
        written = (top->type == XML_ELEMENT_NODE || top->type == XML_COMMENT_NODE) && write(between, top, 0, write);
        between.append('\n');
    }
    if (!written) {
        m_texts.clear();
        return TextPieces(SerializeXml(doc));
    }
    text.Append(std::move(between));
#ifndef QT_NO_DEBUG
    // A change that was not reported (or a piece written unlike the
    // library) would bring back a wrong text.
    Q_ASSERT_X(text.Joined() == SerializeXml(doc), "ProfileDocument::Pieces",
               "the kept text differs from the tree's (a change not reported through Touch?)");
#endif
    return text;
}

xmlNs *ProfileDocument::ProfileNs() const
{
    xmlNode *r = root();
    if (!r)
        return nullptr;
    return xmlSearchNsByHref(m_doc.get(), r, reinterpret_cast<const xmlChar *>(kProfileNamespace));
}

} // namespace tavo
