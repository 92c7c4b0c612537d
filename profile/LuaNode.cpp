#include "profile/LuaNode.h"
#include "base/ProfileNamespaces.h"
#include "base/XmlDom.h"

#include <lua.hpp>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

// Note for every function here: Lua reports errors with longjmp, so no C++
// object with a destructor may be alive when luaL_error / luaL_check* runs.

namespace tavo::lua {

namespace {

constexpr const char *kNodeMeta = "tavo.Node";

const xmlChar *X(const char *s) { return reinterpret_cast<const xmlChar *>(s); }

NodeRef *Self(lua_State *L, int index = 1)
{
    return static_cast<NodeRef *>(luaL_checkudata(L, index, kNodeMeta));
}

xmlNode *Element(lua_State *L, int index = 1)
{
    NodeRef *r = Self(L, index);
    if (!r->node || r->node->type != XML_ELEMENT_NODE)
        luaL_error(L, "element node expected");
    return r->node;
}

void PushXmlString(lua_State *L, xmlChar *s)
{
    if (!s) {
        lua_pushnil(L);
        return;
    }
    lua_pushstring(L, reinterpret_cast<const char *>(s));
    xmlFree(s);
}

// Text form of a value a rule writes: booleans "1"/"0", integral numbers
// without a fraction. Writes into `buf`; returns null for other types.
const char *ValueText(lua_State *L, int index, char *buf, size_t size)
{
    switch (lua_type(L, index)) {
    case LUA_TBOOLEAN:
        return lua_toboolean(L, index) ? "1" : "0";
    case LUA_TNUMBER:
        if (lua_isinteger(L, index)) {
            std::snprintf(buf, size, "%lld", static_cast<long long>(lua_tointeger(L, index)));
        } else {
            const lua_Number n = lua_tonumber(L, index);
            if (std::isfinite(n) && std::fabs(n) < 9.0e18 && n == static_cast<lua_Number>(static_cast<long long>(n)))
                std::snprintf(buf, size, "%lld", static_cast<long long>(n));
            else
                std::snprintf(buf, size, "%.14g", static_cast<double>(n));
        }
        return buf;
    case LUA_TSTRING:
        return lua_tostring(L, index);
    default:
        return nullptr;
    }
}

const char *CheckValue(lua_State *L, int index, char *buf, size_t size)
{
    const char *v = ValueText(L, index, buf, size);
    if (!v)
        luaL_argerror(L, index, "text, number or boolean expected");
    return v;
}

int Name(lua_State *L)
{
    NodeRef *r = Self(L);
    if (!r->node || !r->node->name)
        lua_pushstring(L, r->node && r->node->type == XML_DOCUMENT_NODE ? "#document" : "");
    else
        lua_pushstring(L, reinterpret_cast<const char *>(r->node->name));
    return 1;
}

int NodeType(lua_State *L)
{
    NodeRef *r = Self(L);
    const char *t = "other";
    switch (r->node ? r->node->type : XML_NOTATION_NODE) {
    case XML_ELEMENT_NODE: t = "element"; break;
    case XML_ATTRIBUTE_NODE: t = "attribute"; break;
    case XML_TEXT_NODE: t = "text"; break;
    case XML_COMMENT_NODE: t = "comment"; break;
    case XML_DOCUMENT_NODE: t = "document"; break;
    default: break;
    }
    lua_pushstring(L, t);
    return 1;
}

int Value(lua_State *L)
{
    NodeRef *r = Self(L);
    if (!r->node || r->node->type == XML_DOCUMENT_NODE) {
        lua_pushnil(L);
        return 1;
    }
    PushXmlString(L, xmlNodeGetContent(r->node));
    return 1;
}

int SetValue(lua_State *L)
{
    NodeRef *r = Self(L);
    char buf[64];
    const char *v = CheckValue(L, 2, buf, sizeof buf);
    if (!r->node || r->node->type != XML_ATTRIBUTE_NODE)
        return luaL_error(L, "SetValue: attribute node expected");
    xmlAttr *a = reinterpret_cast<xmlAttr *>(r->node);
    if (a->parent) {
        // Through the element, which keeps the attribute node itself.
        xmlSetProp(a->parent, a->name, X(v));
    } else {
        // A detached attribute: replace its text child by hand.
        xmlNode *text = xmlNewDocText(a->doc, X(v));
        if (!text)
            return luaL_error(L, "SetValue: out of memory");
        xmlFreeNodeList(a->children);
        text->parent = r->node;
        a->children = a->last = text;
    }
    return 0;
}

int GetAttribute(lua_State *L)
{
    xmlNode *e = Element(L);
    const char *name = luaL_checkstring(L, 2);
    PushXmlString(L, xmlGetNoNsProp(e, X(name)));
    return 1;
}

int HasAttribute(lua_State *L)
{
    xmlNode *e = Element(L);
    const char *name = luaL_checkstring(L, 2);
    lua_pushboolean(L, xmlHasNsProp(e, X(name), nullptr) != nullptr);
    return 1;
}

int SetAttribute(lua_State *L)
{
    xmlNode *e = Element(L);
    const char *name = luaL_checkstring(L, 2);
    char buf[64];
    const char *v = CheckValue(L, 3, buf, sizeof buf);
    if (!*name)
        return luaL_error(L, "SetAttribute: empty name");
    xmlSetProp(e, X(name), X(v));
    return 0;
}

int RemoveAttribute(lua_State *L)
{
    NodeRef *r = Self(L);
    xmlNode *e = Element(L);
    const char *name = luaL_checkstring(L, 2);
    xmlAttr *a = xmlHasNsProp(e, X(name), nullptr);
    if (a && r->owner)
        r->owner->Detach(reinterpret_cast<xmlNode *>(a));
    return 0;
}

int AttributeNode(lua_State *L)
{
    NodeRef *r = Self(L);
    xmlNode *e = Element(L);
    const char *name = luaL_checkstring(L, 2);
    xmlAttr *a = xmlHasNsProp(e, X(name), nullptr);
    PushNode(L, r->owner, reinterpret_cast<xmlNode *>(a));
    return 1;
}

bool HasChildList(const xmlNode *n)
{
    return n && (n->type == XML_ELEMENT_NODE || n->type == XML_DOCUMENT_NODE);
}

int ChildCount(lua_State *L)
{
    NodeRef *r = Self(L);
    lua_Integer count = 0;
    if (HasChildList(r->node))
        for (xmlNode *c = r->node->children; c; c = c->next)
            ++count;
    lua_pushinteger(L, count);
    return 1;
}

int Child(lua_State *L)
{
    NodeRef *r = Self(L);
    lua_Integer index = luaL_checkinteger(L, 2);
    xmlNode *c = HasChildList(r->node) ? r->node->children : nullptr;
    for (; c && index > 0; c = c->next)
        --index;
    PushNode(L, r->owner, index == 0 ? c : nullptr);
    return 1;
}

int Children(lua_State *L)
{
    NodeRef *r = Self(L);
    lua_newtable(L);
    lua_Integer i = 1;
    if (HasChildList(r->node))
        for (xmlNode *c = r->node->children; c; c = c->next) {
            PushNode(L, r->owner, c);
            lua_rawseti(L, -2, i++);
        }
    return 1;
}

int Parent(lua_State *L)
{
    NodeRef *r = Self(L);
    xmlNode *p = r->node ? r->node->parent : nullptr;
    if (p && p->type == XML_DOCUMENT_NODE && r->node->type == XML_ELEMENT_NODE)
        p = reinterpret_cast<xmlNode *>(r->node->doc);
    PushNode(L, r->owner, p);
    return 1;
}

int Index(lua_State *L)
{
    NodeRef *r = Self(L);
    lua_Integer index = -1;
    if (r->node && r->node->parent && r->node->type != XML_ATTRIBUTE_NODE) {
        index = 0;
        for (xmlNode *c = r->node->parent->children; c && c != r->node; c = c->next)
            ++index;
    }
    lua_pushinteger(L, index);
    return 1;
}

int OwnerDocument(lua_State *L)
{
    NodeRef *r = Self(L);
    PushNode(L, r->owner, r->node ? reinterpret_cast<xmlNode *>(r->node->doc) : nullptr);
    return 1;
}

int DocumentElement(lua_State *L)
{
    NodeRef *r = Self(L);
    PushNode(L, r->owner, r->node && r->node->doc ? xmlDocGetRootElement(r->node->doc) : nullptr);
    return 1;
}

int CreateElement(lua_State *L)
{
    NodeRef *r = Self(L);
    const char *name = luaL_checkstring(L, 2);
    if (!r->node || !r->node->doc || !r->owner || r->owner->doc() != r->node->doc)
        return luaL_error(L, "CreateElement: the node has no live document");
    if (xmlValidateNCName(X(name), 0) != 0)
        return luaL_error(L, "CreateElement: invalid element name");
    xmlNs *ns = r->owner->ProfileNs();
    xmlNode *e = xmlNewDocNode(r->node->doc, ns, X(name), nullptr);
    if (!e)
        return luaL_error(L, "CreateElement: out of memory");
    r->owner->Adopt(e);
    PushNode(L, r->owner, e);
    return 1;
}

int CloneNode(lua_State *L)
{
    NodeRef *r = Self(L);
    xmlNode *e = Element(L);
    const int deep = lua_toboolean(L, 2);
    if (!r->owner || r->owner->doc() != e->doc)
        return luaL_error(L, "CloneNode: the node has no live document");
    xmlNode *copy = xmlDocCopyNode(e, e->doc, deep ? 1 : 2);
    if (!copy)
        return luaL_error(L, "CloneNode: out of memory");
    r->owner->Adopt(copy);
    PushNode(L, r->owner, copy);
    return 1;
}

// Why `child` may not go below `parent`, or null when it may.
const char *InsertProblem(const NodeRef *parent, const NodeRef *child)
{
    if (!parent->node || parent->node->type != XML_ELEMENT_NODE)
        return "the parent is not an element";
    if (!child->node || child->node->type != XML_ELEMENT_NODE)
        return "only elements can be inserted";
    if (child->node->doc != parent->node->doc || child->owner != parent->owner)
        return "the node belongs to another document";
    for (xmlNode *p = parent->node; p; p = p->parent)
        if (p == child->node)
            return "a node cannot be inserted below itself";
    return nullptr;
}

const NodeRef *CheckNodeArg(lua_State *L, int index)
{
    return static_cast<NodeRef *>(luaL_checkudata(L, index, kNodeMeta));
}

int AppendChild(lua_State *L)
{
    NodeRef *self = Self(L);
    const NodeRef *child = CheckNodeArg(L, 2);
    if (const char *why = InsertProblem(self, child))
        return luaL_error(L, "AppendChild: %s", why);
    xmlNode *c = child->node;
    if (c->parent)
        self->owner->Detach(c); // stays kept until it is linked again below
    else
        xmlUnlinkNode(c);
    xmlAddChild(self->node, c);
    lua_pushvalue(L, 2);
    return 1;
}

int InsertBefore(lua_State *L)
{
    NodeRef *self = Self(L);
    const NodeRef *child = CheckNodeArg(L, 2);
    if (lua_isnoneornil(L, 3)) {
        lua_settop(L, 2);
        return AppendChild(L);
    }
    const NodeRef *ref = CheckNodeArg(L, 3);
    if (const char *why = InsertProblem(self, child))
        return luaL_error(L, "InsertBefore: %s", why);
    if (!ref->node || ref->node->parent != self->node)
        return luaL_error(L, "InsertBefore: the reference node is not a child of this node");
    if (ref->node == child->node) {
        lua_pushvalue(L, 2);
        return 1;
    }
    xmlNode *c = child->node;
    if (c->parent)
        self->owner->Detach(c);
    xmlAddPrevSibling(ref->node, c);
    lua_pushvalue(L, 2);
    return 1;
}

int RemoveChild(lua_State *L)
{
    NodeRef *self = Self(L);
    const NodeRef *child = CheckNodeArg(L, 2);
    if (!self->node || !child->node || child->node->parent != self->node || child->node->type == XML_ATTRIBUTE_NODE)
        return luaL_error(L, "RemoveChild: the node is not a child of this node");
    if (!self->owner)
        return luaL_error(L, "RemoveChild: the node has no live document");
    self->owner->Detach(child->node);
    lua_pushvalue(L, 2);
    return 1;
}

int Select(lua_State *L, bool firstOnly)
{
    NodeRef *self = Self(L);
    const char *expr = luaL_checkstring(L, 2);
    if (!self->node || !self->node->doc)
        return luaL_error(L, "Select: the node has no document");
    xmlNode **found = nullptr;
    int count = 0;
    bool elementsOnly = false;
    {
        XmlXPath xpath(self->node->doc);
        std::vector<xmlNode *> nodes;
        elementsOnly = xpath.SelectElements(expr, self->node, nodes);
        count = static_cast<int>(nodes.size());
        if (count > 0) {
            found = static_cast<xmlNode **>(std::malloc(sizeof(xmlNode *) * static_cast<size_t>(count)));
            if (found)
                std::memcpy(found, nodes.data(), sizeof(xmlNode *) * static_cast<size_t>(count));
            else
                count = 0;
        }
    }
    if (!elementsOnly)
        return luaL_error(L, "%s: '%s' is not a path to elements", firstOnly ? "SelectSingleNode" : "SelectNodes", expr);
    if (firstOnly) {
        xmlNode *first = count > 0 ? found[0] : nullptr;
        std::free(found);
        PushNode(L, self->owner, first);
        return 1;
    }
    // `found` is anchored in Lua memory first, so an allocation error below
    // cannot leak it.
    void **holder = static_cast<void **>(lua_newuserdatauv(L, sizeof(void *), 0));
    *holder = found;
    lua_createtable(L, count, 0);
    for (int i = 0; i < count; ++i) {
        PushNode(L, self->owner, found[i]);
        lua_rawseti(L, -2, i + 1);
    }
    std::free(found);
    *holder = nullptr;
    lua_remove(L, -2);
    return 1;
}

int SelectNodes(lua_State *L) { return Select(L, false); }
int SelectSingleNode(lua_State *L) { return Select(L, true); }

int Gc(lua_State *L)
{
    NodeRef *r = static_cast<NodeRef *>(luaL_checkudata(L, 1, kNodeMeta));
    r->~NodeRef();
    return 0;
}

int Eq(lua_State *L)
{
    const NodeRef *a = ToNode(L, 1);
    const NodeRef *b = ToNode(L, 2);
    lua_pushboolean(L, a && b && a->node == b->node);
    return 1;
}

int ToString(lua_State *L)
{
    NodeRef *r = Self(L);
    lua_pushfstring(L, "node<%s>", r->node && r->node->name ? reinterpret_cast<const char *>(r->node->name) : "#document");
    return 1;
}

const luaL_Reg kMethods[] = {
    {"Name", Name}, {"NodeType", NodeType}, {"Value", Value}, {"SetValue", SetValue},
    {"GetAttribute", GetAttribute}, {"HasAttribute", HasAttribute}, {"SetAttribute", SetAttribute},
    {"RemoveAttribute", RemoveAttribute}, {"AttributeNode", AttributeNode},
    {"ChildCount", ChildCount}, {"Child", Child}, {"Children", Children}, {"Parent", Parent},
    {"Index", Index}, {"OwnerDocument", OwnerDocument}, {"DocumentElement", DocumentElement},
    {"CreateElement", CreateElement}, {"CloneNode", CloneNode}, {"AppendChild", AppendChild},
    {"InsertBefore", InsertBefore}, {"RemoveChild", RemoveChild},
    {"SelectNodes", SelectNodes}, {"SelectSingleNode", SelectSingleNode},
    {nullptr, nullptr},
};

} // namespace

void RegisterNodeType(lua_State *L)
{
    luaL_newmetatable(L, kNodeMeta);
    lua_newtable(L);
    luaL_setfuncs(L, kMethods, 0);
    lua_setfield(L, -2, "__index");
    lua_pushcfunction(L, Gc);
    lua_setfield(L, -2, "__gc");
    lua_pushcfunction(L, Eq);
    lua_setfield(L, -2, "__eq");
    lua_pushcfunction(L, ToString);
    lua_setfield(L, -2, "__tostring");
    lua_pushboolean(L, 0);
    lua_setfield(L, -2, "__metatable"); // rules cannot replace the methods
    lua_pop(L, 1);
}

void PushNode(lua_State *L, const ProfileDocumentPtr &owner, xmlNode *node)
{
    if (!node) {
        lua_pushnil(L);
        return;
    }
    // Allocate first: a failing allocation unwinds before any handle exists.
    void *mem = lua_newuserdatauv(L, sizeof(NodeRef), 0);
    new (mem) NodeRef(owner, node);
    luaL_setmetatable(L, kNodeMeta);
}

const NodeRef *ToNode(lua_State *L, int index)
{
    return static_cast<const NodeRef *>(luaL_testudata(L, index, kNodeMeta));
}

} // namespace tavo::lua
