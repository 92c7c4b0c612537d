#pragma once
// Profile nodes as Lua objects for the rule script. A node object holds a
// counted handle (NodeRef), so it stays valid whatever a rule removes: a
// removed node is a detached subtree kept alive by its document.
//
// Methods (called with ':'), positions counted from 0:
//   Name() NodeType() Value() SetValue(v)
//   GetAttribute(n) HasAttribute(n) SetAttribute(n, v) RemoveAttribute(n) AttributeNode(n)
//   ChildCount() Child(i) Children() Parent() Index() OwnerDocument() DocumentElement()
//   CreateElement(name) CloneNode(deep) AppendChild(c) InsertBefore(c, ref) RemoveChild(c)
//   SelectNodes(xpath) SelectSingleNode(xpath)   (prefix dfns bound to the profile namespace)
// Values written are text; true/false are written "1"/"0". Nodes compare
// equal with == when they are the same node.

#include "profile/ProfileDocument.h"

struct lua_State;

namespace tavo::lua {

void RegisterNodeType(lua_State *L);
// Pushes a node object for `node` of `owner`'s document, or nil for null.
void PushNode(lua_State *L, const ProfileDocumentPtr &owner, xmlNode *node);
// The handle of the node object at `index`, or null when it is not one.
const NodeRef *ToNode(lua_State *L, int index);

} // namespace tavo::lua
