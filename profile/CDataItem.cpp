#include "profile/CDataItem.h"
#include "base/CTavoCPSException.h"
#include "base/ProfileNames.h"
#include "base/ProfileNamespaces.h"
#include "codeplug/VirtualCP.h"
#include "config/SettingDocuments.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"

#include <QByteArray>

#include <cstring>

namespace tavo {

namespace {

constexpr const char *kSetVal = "SetVal";
constexpr const char *kCanAddChild = "CanAddChild";
constexpr const char *kOnAddNew = "OnAddNew";
constexpr const char *kOnDelete = "OnDelete";
constexpr const char *kCanDeleteChild = "CanDeleteChild";
constexpr const char *kOnAddNewFrequency = "OnAddNewFrequency";
constexpr const char *kSetFreqAttr = "SetFreqAttr";
// Not an event: the message id a declaration gives to values of another type.
constexpr const char *kTypeMsg = "TypeMsg";

// The limit element (the radio's capabilities), a child of the root.
bool IsLimitElement(const xmlNode *element)
{
    return element && element->type == XML_ELEMENT_NODE && element->name
        && std::strcmp(reinterpret_cast<const char *>(element->name), names::kLimit) == 0 && element->parent
        && element->parent->type == XML_ELEMENT_NODE && element->parent->parent
        && element->parent->parent->type == XML_DOCUMENT_NODE;
}

// The attributes of the limit element that are the user's settings, not the
// radio's capabilities: the pages write them like any other setting.
constexpr const char *kUserSettingsOnLimit[] = {
    names::kProgrammingModeEnabled, // General Settings, "Enable Programming Mode"
};

bool IsCapability(const xmlNode *element, const QString &attribute)
{
    if (!IsLimitElement(element))
        return false;
    for (const char *name : kUserSettingsOnLimit)
        if (attribute == QLatin1String(name))
            return false;
    return true;
}

const xmlChar *X(const char *s) { return reinterpret_cast<const xmlChar *>(s); }

QString NameOf(const xmlNode *n)
{
    return n && n->name ? QString::fromUtf8(reinterpret_cast<const char *>(n->name)) : QString();
}

[[noreturn]] void ThrowLibraryError(const QString &msg, const QString &desc, const char *function, int line)
{
    ThrowCPSException(tavo::msg::UnknownError, FormatLibraryError(msg, desc, QString::fromLatin1(function)), function, line);
}

xmlAttr *FindAttribute(xmlNode *element, const QString &name)
{
    const QByteArray n = name.toUtf8();
    return element && element->type == XML_ELEMENT_NODE ? xmlHasNsProp(element, X(n.constData()), nullptr) : nullptr;
}

QString AttributeText(xmlAttr *a)
{
    xmlChar *v = xmlNodeGetContent(reinterpret_cast<xmlNode *>(a));
    QString s = v ? QString::fromUtf8(reinterpret_cast<const char *>(v)) : QString();
    xmlFree(v);
    return s;
}

ScriptValue FromVariant(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return ScriptValue::FromBool(v.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
        return ScriptValue::FromInt(v.toInt());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return ScriptValue::FromUInt(v.toUInt());
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        ScriptValue s;
        s.kind = ScriptValue::Int;
        s.number = v.toLongLong();
        return s;
    }
    default:
        return ScriptValue::FromText(v.toString());
    }
}

// How a value is stored without a rule: booleans "1"/"0", others as text.
QString StoredText(const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return v.toString();
}

void WriteAttribute(xmlNode *element, const QString &name, const QString &value)
{
    const QByteArray n = name.toUtf8();
    const QByteArray v = value.toUtf8();
    xmlSetProp(element, X(n.constData()), X(v.constData()));
}

// Converts the text of an attribute to the result type of its schema type.
QVariant TypedValue(const QString &text, const QString &builtin, const char *function, int line)
{
    bool ok = true;
    if (builtin == QLatin1String("long")) {
        const qlonglong n = text.trimmed().toLongLong(&ok);
        if (ok && n >= INT32_MIN && n <= INT32_MAX)
            return QVariant(static_cast<qint32>(n));
    } else if (builtin == QLatin1String("unsignedLong")) {
        const qulonglong n = text.trimmed().toULongLong(&ok);
        if (ok && n <= UINT32_MAX)
            return QVariant(static_cast<quint32>(n));
    } else if (builtin == QLatin1String("boolean")) {
        const QString t = text.trimmed();
        if (t == QLatin1String("1") || t == QLatin1String("true"))
            return QVariant(true);
        if (t == QLatin1String("0") || t == QLatin1String("false"))
            return QVariant(false);
    } else {
        return QVariant(text);
    }
    ThrowLibraryError(QStringLiteral("Type mismatch"),
                      QStringLiteral("'%1' cannot be read as %2").arg(text, builtin), function, line);
}

// A rule's result code; anything but the integer 0, 1 or 2 is a script
// error, never taken as "done".
int ResultCode(const ScriptValue &v, const QString &function, const char *operation, int line)
{
    if (v.IsResultCode())
        return static_cast<int>(v.number);
    QString what;
    switch (v.kind) {
    case ScriptValue::Int:
    case ScriptValue::UInt:
        what = QString::number(v.number);
        break;
    case ScriptValue::Bool:
        what = v.flag ? QStringLiteral("true") : QStringLiteral("false");
        break;
    case ScriptValue::Text:
        what = QStringLiteral("the text '%1'").arg(v.text.left(40));
        break;
    case ScriptValue::Node:
        what = QStringLiteral("a node");
        break;
    default:
        what = QStringLiteral("no whole number");
        break;
    }
    ThrowCPSException(tavo::msg::FatalScriptEngine,
                      QStringLiteral("The rule function %1 returned %2, not a result code (0, 1 or 2)").arg(function, what),
                      operation, line);
}

} // namespace

QString CDataItem::CallFailure() const
{
    const QString why = m_spScript ? m_spScript->LastError() : QStringLiteral("No rule script is running.");
    return why.isEmpty() ? QString() : QStringLiteral("\n") + why;
}

xmlNode *CDataItem::RequireNode(const char *function, int line) const
{
    if (!m_spNode)
        ThrowLibraryError(QStringLiteral("Invalid pointer"), QStringLiteral("The item holds no node"), function, line);
    return m_spNode.node;
}

QString CDataItem::NodeName() const
{
    return NameOf(m_spNode.node);
}

bool CDataItem::Invoke(const QString &function, const std::vector<ScriptValue> &args, int resultCount,
                       std::vector<ScriptValue> &results) const
{
    return m_spScript && m_spScript->Call(function, args, resultCount, results);
}

int CDataItem::GetScriptHandler(const NodeRef &node, const QString &eventKey, QString &functionName)
{
    if (!node || !node.owner || !node.owner->schema())
        return 0;
    const tavo::SchemaDecl *decl = node.owner->schema()->DeclarationOf(node.node);
    if (!decl)
        return 0;
    auto it = decl->handlers.constFind(eventKey);
    if (it == decl->handlers.constEnd() || it.value().isEmpty())
        return 0;
    functionName = it.value();
    return 1;
}

bool CDataItem::FindChildByName(const QString &name, CDataItem &out) const
{
    xmlNode *n = RequireNode("CDataItem::GetChildByName", __LINE__);
    tavo::XmlXPath xpath(n->doc);
    const QByteArray expr = (QStringLiteral("dfns:") + name).toUtf8();
    std::vector<xmlNode *> elements;
    if (!xpath.SelectElements(expr.constData(), n, elements) || elements.empty())
        return false;
    out = CDataItem(NodeRef(m_spNode.owner, elements.front()), m_spScript);
    return true;
}

void CDataItem::GetChildByName(const QString &name, CDataItem &out) const
{
    if (!FindChildByName(name, out))
        ThrowCPSException(tavo::msg::ProgrammingError107, QStringLiteral("Name='%1'").arg(name), "CDataItem::GetChildByName", __LINE__);
}

CDataItem CDataItem::ChildByName(const QString &name) const
{
    CDataItem child;
    GetChildByName(name, child);
    return child;
}

int CDataItem::GetChildCount() const
{
    xmlNode *n = RequireNode("CDataItem::GetChildCount", __LINE__);
    int count = 0;
    if (n->type == XML_ELEMENT_NODE || n->type == XML_DOCUMENT_NODE)
        for (xmlNode *c = n->children; c; c = c->next)
            ++count;
    return count;
}

void CDataItem::GetChildByIndex(int index, CDataItem &out) const
{
    xmlNode *n = RequireNode("CDataItem::GetChildByIndex", __LINE__);
    xmlNode *c = index >= 0 && (n->type == XML_ELEMENT_NODE || n->type == XML_DOCUMENT_NODE) ? n->children : nullptr;
    for (int i = 0; c && i < index; ++i)
        c = c->next;
    out = CDataItem(NodeRef(c ? m_spNode.owner : nullptr, c), m_spScript);
}

void CDataItem::GetAttributeValue(QVariant &out, const QString &name) const
{
    xmlNode *n = RequireNode("CDataItem::GetAttributeValue", __LINE__);
    xmlAttr *a = FindAttribute(n, name);
    if (!a)
        ThrowCPSException(tavo::msg::ProgrammingError108, QStringLiteral("Name='%1'").arg(name), "CDataItem::GetAttributeValue", __LINE__);
    const QString text = AttributeText(a);
    const tavo::SchemaDecl *decl = m_spNode.owner && m_spNode.owner->schema()
        ? m_spNode.owner->schema()->DeclarationOf(reinterpret_cast<xmlNode *>(a)) : nullptr;
    out = decl ? TypedValue(text, decl->builtinType, "CDataItem::GetAttributeValue", __LINE__) : QVariant(text);
}

int CDataItem::GetInt(const QString &name) const
{
    QVariant v;
    GetAttributeValue(v, name);
    return v.typeId() == QMetaType::QString ? v.toString().trimmed().toInt() : v.toInt();
}

QString CDataItem::GetText(const QString &name) const
{
    QVariant v;
    GetAttributeValue(v, name);
    return StoredText(v);
}

int CDataItem::SetAttributeValue(const QString &name, const QVariant &value, int &msgId, int answer, int &msgStyle)
{
    msgId = 0;
    msgStyle = 0;
    xmlNode *n = RequireNode("CDataItem::SetAttributeValue", __LINE__);
    xmlAttr *a = FindAttribute(n, name);
    if (!a)
        ThrowCPSException(tavo::msg::ProgrammingError108, QStringLiteral("Name='%1'").arg(name), "CDataItem::SetAttributeValue", __LINE__);
    const NodeRef attrNode(m_spNode.owner, reinterpret_cast<xmlNode *>(a));
    const tavo::SchemaDecl *decl = m_spNode.owner && m_spNode.owner->schema()
        ? m_spNode.owner->schema()->DeclarationOf(attrNode.node) : nullptr;
    if (decl && !decl->Accepts(StoredText(value))) {
        const int typeMsg = decl->handlers.value(QLatin1String(kTypeMsg)).toInt();
        msgId = typeMsg > 0 ? typeMsg : tavo::msg::InvalidValue;
        msgStyle = MB_OK | MB_ICONWARNING;
        return 1;
    }
    if (IsCapability(n, name) && (!m_spNode.owner || m_spNode.owner->ProgramSteps() == 0)
        && StoredText(value) != AttributeText(a)) {
        msgId = tavo::msg::RuleReadOnly;
        msgStyle = MB_OK | MB_ICONWARNING;
        return 1;
    }
    QString function;
    if (!GetScriptHandler(attrNode, QLatin1String(kSetVal), function)) {
        WriteAttribute(n, name, StoredText(value));
        return 0;
    }
    std::vector<ScriptValue> results;
    if (!Invoke(function, {ScriptValue::FromNode(m_spNode), ScriptValue::FromNode(attrNode), FromVariant(value),
                           ScriptValue::FromInt(0), ScriptValue::FromInt(answer), ScriptValue::FromInt(0)},
                3, results))
        ThrowCPSException(tavo::msg::UnknownError,
                          QStringLiteral("Invoke script function failed\nfunction name=SetAttributeValue,Node=%1 Attribute=%2 Value=%3")
                              .arg(NameOf(n), name, StoredText(value)) + CallFailure(),
                          "CDataItem::SetAttributeValue", __LINE__);
    msgId = results[1].ToInt32();
    msgStyle = results[2].ToInt32();
    return ResultCode(results[0], function, "CDataItem::SetAttributeValue", __LINE__);
}

bool CDataItem::CanAddChild() const
{
    xmlNode *n = RequireNode("CDataItem::CanAddChild", __LINE__);
    QString function;
    if (!GetScriptHandler(m_spNode, QLatin1String(kCanAddChild), function))
        return false;
    std::vector<ScriptValue> results;
    if (!Invoke(function, {ScriptValue::FromNode(m_spNode)}, 1, results))
        ThrowCPSException(tavo::msg::UnknownError,
                          QStringLiteral("Invoke script function failed\nfunction name=CanAddChild,Node=%1").arg(NameOf(n)) + CallFailure(),
                          "CDataItem::CanAddChild", __LINE__);
    return results[0].ToBool();
}

bool CDataItem::AddNewChild(CDataItem &out)
{
    out = CDataItem();
    xmlNode *n = RequireNode("CDataItem::AddNewChild", __LINE__);
    QString function;
    if (!GetScriptHandler(m_spNode, QLatin1String(kOnAddNew), function))
        return false;
    std::vector<ScriptValue> results;
    if (!Invoke(function, {ScriptValue::FromNode(m_spNode)}, 1, results))
        ThrowCPSException(tavo::msg::UnknownError,
                          QStringLiteral("Invoke script function failed\nfunction name=OnAddNew,Node=%1").arg(NameOf(n)) + CallFailure(),
                          "CDataItem::AddNewChild", __LINE__);
    if (results[0].kind != ScriptValue::Node)
        return false;
    out = CDataItem(results[0].node, m_spScript);
    return true;
}

int CDataItem::RemoveChildByIndex(int index, int &msgId, int answer, int &msgStyle)
{
    msgId = 0;
    msgStyle = 0;
    RequireNode("CDataItem::RemoveChildByIndex", __LINE__);
    CDataItem child;
    GetChildByIndex(index, child);
    if (child.IsEmpty())
        ThrowCPSException(tavo::msg::ProgrammingError108, QStringLiteral("Index='%1'").arg(index), "CDataItem::RemoveChildByIndex", __LINE__);
    QString function;
    if (!GetScriptHandler(child.m_spNode, QLatin1String(kOnDelete), function)) {
        if (m_spNode.owner)
            m_spNode.owner->Detach(child.m_spNode.node);
        return 0;
    }
    std::vector<ScriptValue> results;
    if (!Invoke(function, {ScriptValue::FromNode(child.m_spNode), ScriptValue::FromInt(index), ScriptValue::FromInt(0),
                           ScriptValue::FromInt(answer), ScriptValue::FromInt(0)},
                3, results))
        ThrowCPSException(tavo::msg::UnknownError,
                          QStringLiteral("Invoke script function failed\nfunction name=OnDelete,Node=%1").arg(child.NodeName()) + CallFailure(),
                          "CDataItem::RemoveChildByIndex", __LINE__);
    msgId = results[1].ToInt32();
    msgStyle = results[2].ToInt32();
    return ResultCode(results[0], function, "CDataItem::RemoveChildByIndex", __LINE__);
}

bool CDataItem::CanDeleteChild() const
{
    xmlNode *n = RequireNode("CDataItem::CanDeleteChild", __LINE__);
    QString function;
    if (!GetScriptHandler(m_spNode, QLatin1String(kCanDeleteChild), function))
        return false;
    std::vector<ScriptValue> results;
    if (!Invoke(function, {ScriptValue::FromNode(m_spNode)}, 1, results))
        ThrowCPSException(tavo::msg::UnknownError,
                          QStringLiteral("Invoke script function failed\nfunction name=CanDeleteChild,Node=%1").arg(NameOf(n)) + CallFailure(),
                          "CDataItem::CanDeleteChild", __LINE__);
    return results[0].ToBool();
}

bool CDataItem::CanDeleteFrequency(unsigned position) const
{
    xmlNode *n = RequireNode("CDataItem::CanDeleteFrequency", __LINE__);
    QString function;
    if (!GetScriptHandler(m_spNode, QLatin1String(kCanDeleteChild), function))
        return false;
    std::vector<ScriptValue> results;
    if (!Invoke(function, {ScriptValue::FromNode(m_spNode), ScriptValue::FromUInt(position)}, 1, results))
        ThrowCPSException(tavo::msg::UnknownError,
                          QStringLiteral("Invoke script function failed\nfunction name=CanDeleteChild,Node=%1").arg(NameOf(n)) + CallFailure(),
                          "CDataItem::CanDeleteFrequency", __LINE__);
    return results[0].ToBool();
}

bool CDataItem::AddFrequency(quint32 hz, unsigned bandwidth, unsigned power, int &msgId, int &msgStyle)
{
    RequireNode("CDataItem::AddFrequency", __LINE__);
    QString function;
    if (!GetScriptHandler(m_spNode, QLatin1String(kOnAddNewFrequency), function))
        return false;
    std::vector<ScriptValue> results;
    if (!Invoke(function, {ScriptValue::FromNode(m_spNode), ScriptValue::FromUInt(hz), ScriptValue::FromUInt(bandwidth),
                           ScriptValue::FromUInt(power), ScriptValue::FromInt(0), ScriptValue::FromInt(0)},
                3, results))
        ThrowCPSException(tavo::msg::UnknownError, QStringLiteral("Error: AddFrequency") + CallFailure(), "CDataItem::AddFrequency", __LINE__);
    msgId = results[1].ToInt32();
    msgStyle = results[2].ToInt32();
    return ResultCode(results[0], function, "CDataItem::AddFrequency", __LINE__) == 0;
}

int CDataItem::SetFreqAttributeValue(const QVariant &v1, const QVariant &v2, const QVariant &v3, const QVariant &v4,
                                     const QVariant &v5, int &msgId, int &msgStyle, int answer)
{
    msgId = 0;
    msgStyle = 0;
    xmlNode *n = RequireNode("CDataItem::SetFreqAttributeValue", __LINE__);
    QString function;
    if (!GetScriptHandler(m_spNode, QLatin1String(kSetFreqAttr), function))
        return 1;
    std::vector<ScriptValue> results;
    if (!Invoke(function, {ScriptValue::FromNode(m_spNode), FromVariant(v1), FromVariant(v2), FromVariant(v3),
                           FromVariant(v4), FromVariant(v5), ScriptValue::FromInt(0), ScriptValue::FromInt(0),
                           ScriptValue::FromInt(answer)},
                3, results))
        ThrowCPSException(tavo::msg::UnknownError,
                          QStringLiteral("Invoke script function failed\nfunction name=SetFreqAttributeValue,Node=%1").arg(NameOf(n)) + CallFailure(),
                          "CDataItem::SetFreqAttributeValue", __LINE__);
    msgId = results[1].ToInt32();
    msgStyle = results[2].ToInt32();
    return ResultCode(results[0], function, "CDataItem::SetFreqAttributeValue", __LINE__);
}

int CDataItem::ProcessChannelName(QString &profileText)
{
    tavo::XmlParseError error;
    tavo::XmlDocPtr doc = tavo::ParseSettingText(profileText, &error);
    if (!doc)
        ThrowCPSException(tavo::msg::InvalidProfile, error.reason, "CDataItem::ProcessChannelName", __LINE__);
    tavo::XmlXPath xpath(doc.get());
    if (!xpath.valid())
        ThrowCPSException(tavo::msg::FatalXmlComponent, QStringLiteral("create Msxml2.DOMDocument.4.0 failed"),
                          "CDataItem::ProcessChannelName", __LINE__);
    xmlNode *channels = xpath.SelectFirst("//dfns:channels", xmlDocGetRootElement(doc.get()));
    if (channels) {
        std::vector<xmlNode *> list;
        for (xmlNode *c = channels->children; c; c = c->next)
            list.push_back(c);
        unsigned counter = 1;
        for (xmlNode *child : list) {
            if (child->type != XML_ELEMENT_NODE || !tavo::XmlAttribute(child, names::kName).isEmpty())
                continue;
            QString candidate = QStringLiteral("CHAN %1").arg(counter);
            for (size_t i = 0; i < list.size();) {
                if (list[i]->type == XML_ELEMENT_NODE && tavo::XmlAttribute(list[i], names::kName) == candidate) {
                    candidate = QStringLiteral("CHAN %1").arg(++counter);
                    i = 0;
                    continue;
                }
                ++i;
            }
            tavo::SetXmlAttribute(child, names::kName, candidate);
            ++counter;
        }
    }
    profileText = QString::fromUtf8(tavo::SerializeXml(doc.get()));
    return 1;
}

void CDataItem::CopyReceiveToTransmit(bool onlyTransmittingWithReceive)
{
    xmlNode *n = RequireNode("CDataItem::CopyReceiveToTransmit", __LINE__);
    tavo::XmlXPath xpath(n->doc);
    bool noRepeaterFeature = false;
    if (onlyTransmittingWithReceive) {
        xmlNode *limit = xpath.SelectFirst("//dfns:limit", n);
        noRepeaterFeature = limit && tavo::XmlAttribute(limit, names::kDisableRepeaterFeature) == QLatin1String("1");
    }
    for (xmlNode *channel : xpath.Select("//dfns:channels/*", n)) {
        if (onlyTransmittingWithReceive
            && !TransmitsWithReceive(noRepeaterFeature, tavo::XmlAttribute(channel, names::kRepeater) == QLatin1String("1")))
            continue;
        CDataItem item(NodeRef(m_spNode.owner, channel), m_spScript);
        for (const FollowedTransmitField &p : kTransmitFollowsReceive) {
            QVariant v;
            item.GetAttributeValue(v, QLatin1String(p.rxAttribute));
            if (!FindAttribute(channel, QLatin1String(p.txAttribute)))
                ThrowCPSException(tavo::msg::ProgrammingError108, QStringLiteral("Name='%1'").arg(QLatin1String(p.txAttribute)),
                                  "CDataItem::CopyReceiveToTransmit", __LINE__);
            WriteAttribute(channel, QLatin1String(p.txAttribute), StoredText(v));
        }
    }
}

ProgramStep::ProgramStep(const CDataItem &anyItemOfTheProfile) : m_owner(anyItemOfTheProfile.m_spNode.owner)
{
    if (m_owner)
        m_owner->BeginProgramStep();
}

ProgramStep::~ProgramStep()
{
    if (m_owner)
        m_owner->EndProgramStep();
}

} // namespace tavo
