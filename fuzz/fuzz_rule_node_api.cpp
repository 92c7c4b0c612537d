// The node API the rules see: a straight sequence of node calls (method,
// node slots and text arguments drawn from the input) on a loaded profile.
// Every call returns or raises a Lua error; none reaches freed or foreign
// memory, whatever was removed, cloned or moved before it.

#include "support/TemplateModel.h"

#include "profile/ScriptHost.h"

using namespace tavo;

namespace {

const char *const kCalls[] = {
    "v[A]:Name()", "v[A]:NodeType()", "v[A]:Value()", "v[A]:SetValue(S)", "v[A]:GetAttribute(S)",
    "v[A]:HasAttribute(S)", "v[A]:SetAttribute(S, T)", "v[A]:RemoveAttribute(S)", "v[B] = v[A]:AttributeNode(S)",
    "v[A]:ChildCount()", "v[B] = v[A]:Child(N)", "v[A]:Children()", "v[B] = v[A]:Parent()", "v[A]:Index()",
    "v[B] = v[A]:OwnerDocument()", "v[B] = v[A]:DocumentElement()", "v[B] = v[A]:CreateElement(S)",
    "v[B] = v[A]:CloneNode(N % 2 == 0)", "v[A]:AppendChild(v[B])", "v[A]:InsertBefore(v[B], v[C])",
    "v[A]:RemoveChild(v[B])", "v[A]:SelectNodes(S)", "v[B] = v[A]:SelectSingleNode(S)", "v[A]:SetAttribute(S, N)",
};

QByteArray LuaString(const QByteArray &bytes)
{
    QByteArray out = "\"";
    for (char c : bytes)
        out += "\\" + QByteArray::number(static_cast<unsigned char>(c));
    return out + "\"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CRadioDataModel *model = fuzz::FreshTemplateModel();
    if (!model)
        return 0;
    QByteArray script = "function F(root)\n local v = {root, root, root, root}\n";
    size_t i = 0;
    for (int calls = 0; i + 4 <= size && calls < 64; ++calls) {
        QByteArray call = kCalls[data[i] % (sizeof kCalls / sizeof *kCalls)];
        call.replace("A", QByteArray::number(data[i + 1] % 4 + 1));
        call.replace("B", QByteArray::number((data[i + 1] >> 2) % 4 + 1));
        call.replace("C", QByteArray::number((data[i + 1] >> 4) % 4 + 1));
        call.replace("N", QByteArray::number(static_cast<int>(data[i + 2]) - 8));
        const size_t length = std::min<size_t>(data[i + 3] % 24, size - i - 4);
        const QByteArray text(reinterpret_cast<const char *>(data + i + 4), static_cast<int>(length));
        i += 4 + length;
        const int cut = text.indexOf('|');
        call.replace("S", LuaString(cut < 0 ? text : text.left(cut)));
        call.replace("T", LuaString(cut < 0 ? QByteArray() : text.mid(cut + 1)));
        script += " pcall(function() " + call + " end)\n";
    }
    script += " return 0\nend\n";
    ScriptHost host;
    if (host.Start(QString::fromUtf8(script), "fuzz") != ScriptHost::StartResult::Ok)
        return 0;
    std::vector<ScriptValue> results;
    host.Call(QStringLiteral("F"), {ScriptValue::FromNode(model->m_rootItem.m_spNode)}, 1, results);
    model->GetXmlText();
    return 0;
}
