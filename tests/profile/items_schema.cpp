// The schema index: declared types followed down to the built-in type on
// which they rest, through named and inline types, attribute groups and
// extensions, and the SchemaExtension handlers of elements and attributes.

#include "base/ProfileNamespaces.h"
#include "profile/SchemaIndex.h"
#include "base/XmlDom.h"

#include <gtest/gtest.h>

using namespace tavo;

namespace {

const char kSchema[] = R"(<?xml version="1.0"?>
<s:schema xmlns:s="http://www.w3.org/2001/XMLSchema" xmlns:e="urn:vantrel:tavo:schema-extension:1"
          xmlns:t="urn:test" targetNamespace="urn:test">
  <s:simpleType name="level"><s:restriction base="t:byte"><s:maxInclusive value="3"/></s:restriction></s:simpleType>
  <s:simpleType name="byte"><s:restriction base="s:long"><s:maxInclusive value="255"/></s:restriction></s:simpleType>
  <s:simpleType name="loop"><s:restriction base="t:loop"/></s:simpleType>
  <s:attributeGroup name="common"><s:attribute name="shared" type="s:boolean"/></s:attributeGroup>
  <s:complexType name="base">
    <s:attribute name="inherited" type="s:unsignedLong"/>
  </s:complexType>
  <s:complexType name="named">
    <s:complexContent><s:extension base="t:base">
      <s:attribute name="level" type="t:level">
        <s:annotation><s:appinfo><e:SchemaExtension SetVal="SetLevel" OnDelete="Ignored"/></s:appinfo></s:annotation>
      </s:attribute>
    </s:extension></s:complexContent>
  </s:complexType>
  <s:element name="root">
    <s:annotation><s:documentation>no handlers here</s:documentation><s:appinfo><other CanAddChild="X"/></s:appinfo></s:annotation>
    <s:complexType>
      <s:sequence>
        <s:element name="child" type="t:named">
          <s:annotation><s:appinfo><e:SchemaExtension CanAddChild="CanAdd" OnAddNew="AddOne"/></s:appinfo></s:annotation>
        </s:element>
      </s:sequence>
      <s:attributeGroup ref="t:common"/>
      <s:attribute name="inline"><s:simpleType><s:restriction base="t:level"/></s:simpleType></s:attribute>
      <s:attribute name="text" type="s:string"/>
      <s:attribute name="circular" type="t:loop"/>
      <s:attribute name="listed"><s:simpleType><s:list itemType="s:long"/></s:simpleType></s:attribute>
    </s:complexType>
  </s:element>
</s:schema>)";

TEST(SchemaIndexTest, TypesRestOnTheirBuiltinTypeAndHandlersAreRead)
{
    XmlDocPtr doc = ParseXml(QByteArray(kSchema));
    ASSERT_TRUE(doc);
    const SchemaIndex index(doc.get());
    EXPECT_EQ(index.ElementCount(), 2);
    struct Case {
        const char *element;
        const char *attribute;
        const char *builtin;
    };
    const Case cases[] = {
        {"root", "shared", "boolean"}, {"root", "inline", "long"}, {"root", "text", "string"},
        {"root", "circular", ""},      {"root", "listed", ""},     {"child", "level", "long"},
        {"child", "inherited", "unsignedLong"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.attribute);
        const SchemaDecl *d = index.Attribute(QLatin1String(c.element), QLatin1String(c.attribute));
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->builtinType, QLatin1String(c.builtin));
    }
    EXPECT_EQ(index.Attribute(QStringLiteral("root"), QStringLiteral("nosuch")), nullptr);
    EXPECT_EQ(index.Element(QStringLiteral("nosuch")), nullptr);

    const SchemaDecl *level = index.Attribute(QStringLiteral("child"), QStringLiteral("level"));
    EXPECT_EQ(level->handlers.value(QStringLiteral("SetVal")), QStringLiteral("SetLevel"));
    EXPECT_EQ(index.Element(QStringLiteral("child"))->decl.handlers.value(QStringLiteral("OnAddNew")), QStringLiteral("AddOne"));
    EXPECT_TRUE(index.Element(QStringLiteral("root"))->decl.handlers.isEmpty()); // other namespace, not ours

    // Declarations of document nodes: an element, an attribute of it.
    XmlDocPtr profile = ParseXml("<root xmlns='urn:test' text='a'><child level='1'/></root>");
    xmlNode *root = xmlDocGetRootElement(profile.get());
    EXPECT_EQ(index.DeclarationOf(root), &index.Element(QStringLiteral("root"))->decl);
    xmlAttr *attr = xmlHasNsProp(root->children, reinterpret_cast<const xmlChar *>("level"), nullptr);
    EXPECT_EQ(index.DeclarationOf(reinterpret_cast<xmlNode *>(attr)), level);
    EXPECT_EQ(index.DeclarationOf(nullptr), nullptr);
}

TEST(SchemaIndexTest, AnUnusableDocumentGivesAnEmptyIndex)
{
    XmlDocPtr doc = ParseXml("<notaschema/>");
    EXPECT_EQ(SchemaIndex(doc.get()).ElementCount(), 0);
    EXPECT_EQ(SchemaIndex(nullptr).ElementCount(), 0);
}

} // namespace
