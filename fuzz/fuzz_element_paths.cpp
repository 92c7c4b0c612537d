// Element paths from the command line and the rules: any text names one
// element or none, and what it names can be read without harm.

#include "support/TemplateModel.h"

#include "base/XmlDom.h"
#include "workflow/RuleChange.h"

using namespace tavo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CRadioDataModel *model = fuzz::FreshTemplateModel(false);
    if (!model)
        return 0;
    const QString path = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<int>(size));
    try {
        CDataItem item;
        if (FindProfileElement(*model, path, item)) {
            for (int i = 0, n = item.GetChildCount(); i < n && i < 8; ++i) {
                CDataItem child;
                item.GetChildByIndex(i, child);
                child.NodeName();
            }
            if (item.m_spNode.node->type == XML_ELEMENT_NODE)
                for (xmlAttr *a = item.m_spNode.node->properties; a; a = a->next) {
                    QVariant v;
                    item.GetAttributeValue(v, QString::fromUtf8(reinterpret_cast<const char *>(a->name)));
                }
        }
    } catch (const CTavoCPSException &) {
    }
    // The same text as a raw expression on the document.
    XmlXPath xpath(model->m_rootItem.m_spNode.node->doc);
    const QByteArray expr = path.toUtf8();
    for (xmlNode *n : xpath.Select(expr.constData(), model->m_rootItem.m_spNode.node))
        XmlNodeName(n);
    return 0;
}
