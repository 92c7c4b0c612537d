#pragma once
// The handle through which every other part reads and changes a profile:
// one node of the validated profile DOM and the rule script that each
// change is put to. Which rule handles which event of a node is named in
// the schema (SchemaExtension annotations); a node without one gets the
// plain behaviour each operation describes.
//
// Result codes of the changing operations: 0 done, 1 refused (the out
// message id names the reason), 2 the rule asks for confirmation (repeat the
// call with answer 6 = Yes). Failures raise CTavoCPSException: 132 child by
// name, 133 attribute by name or child by index, 134 XML component, 135
// unparsable text, 131 a failed rule call or any other library error, 137
// a rule whose result is not one of the codes 0, 1 and 2.

#include "profile/ScriptHost.h"
#include "profile/ProfileDocument.h"

#include <QString>
#include <QVariant>
#include <memory>

namespace tavo {

using ScriptHostPtr = std::shared_ptr<ScriptHost>;

class CDataItem {
public:
    CDataItem() = default;
    CDataItem(tavo::NodeRef node, tavo::ScriptHostPtr script)
        : m_spNode(std::move(node)), m_spScript(std::move(script)) {}

    // Sets `out` to the first child element called `name`.
    void GetChildByName(const QString &name, CDataItem &out) const;
    // The same without raising: false when `name` selects no element, or
    // selects anything that is not an element (element paths only).
    bool FindChildByName(const QString &name, CDataItem &out) const;
    // The first child element called `name`, raising as GetChildByName:
    // the walk from the root to a section (`root.ChildByName(names::kChannels)`).
    CDataItem ChildByName(const QString &name) const;
    int GetChildCount() const;
    // Sets `out` to child `index` (from 0); an empty item when out of range.
    void GetChildByIndex(int index, CDataItem &out) const;
    // The attribute's value typed by its schema type: qint32 (long),
    // bool (boolean), quint32 (unsignedLong), else the text as read.
    void GetAttributeValue(QVariant &out, const QString &name) const;
    // The value is first checked against the attribute's schema type: a
    // value of another form is refused (1) with the type message (the
    // declaration's "TypeMsg", else 261) and nothing changes. So is a
    // change of the limit element's capabilities outside a ProgramStep
    // (9305); the user settings kept on it (programming mode) take edits.
    int SetAttributeValue(const QString &name, const QVariant &value, int &msgId, int answer, int &msgStyle);
    bool CanAddChild() const;
    // True and `out` set when the rule added a child; otherwise `out` is emptied.
    bool AddNewChild(CDataItem &out);
    int RemoveChildByIndex(int index, int &msgId, int answer, int &msgStyle);
    bool CanDeleteChild() const;
    bool CanDeleteFrequency(unsigned position) const;
    bool AddFrequency(quint32 hz, unsigned bandwidth, unsigned power, int &msgId, int &msgStyle);
    int SetFreqAttributeValue(const QVariant &v1, const QVariant &v2, const QVariant &v3, const QVariant &v4,
                              const QVariant &v5, int &msgId, int &msgStyle, int answer);
    // 1 with `functionName` set when the node's declaration names a handler for `eventKey`.
    static int GetScriptHandler(const tavo::NodeRef &node, const QString &eventKey, QString &functionName);
    // Names every channel whose name is empty "CHAN <n>", n = 1, 2, ...,
    // never equal to a name present; `profileText` becomes the whole XML.
    static int ProcessChannelName(QString &profileText);
    // Every channel's transmit code, frequency index and bandwidth take the
    // receive values; with `onlyTransmittingWithReceive`, only those of the
    // channels that transmit with their receive settings (repeater off, or
    // no repeater feature), as the radio uses them.
    void CopyReceiveToTransmit(bool onlyTransmittingWithReceive = false);

    bool IsEmpty() const { return !m_spNode; }
    QString NodeName() const;
    // Typed read helpers for callers in the data layer.
    int GetInt(const QString &name) const;
    QString GetText(const QString &name) const;

    tavo::NodeRef m_spNode;
    tavo::ScriptHostPtr m_spScript;

private:
    xmlNode *RequireNode(const char *function, int line) const;
    // "\n" and why the last rule call failed, for the trace of a 131.
    QString CallFailure() const;
    bool Invoke(const QString &function, const std::vector<tavo::ScriptValue> &args, int resultCount,
                std::vector<tavo::ScriptValue> &results) const;
};

// Marks a step of the program itself (the variant adjustments after a
// load, the model conversion) for as long as it lives: only then may the
// limit element (the radio's capabilities) be changed through
// SetAttributeValue. A user's edit of it is refused with message 9305.
class ProgramStep {
public:
    explicit ProgramStep(const CDataItem &anyItemOfTheProfile);
    ~ProgramStep();
    ProgramStep(const ProgramStep &) = delete;
    ProgramStep &operator=(const ProgramStep &) = delete;

private:
    tavo::ProfileDocumentPtr m_owner;
};

} // namespace tavo
