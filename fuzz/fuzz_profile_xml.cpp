// Profile XML into the data model: any text is loaded (schema-validated,
// rules ready) or refused with the program's exception; what loads can be
// read through the data items and checked without a crash.

#include "support/QuietSink.h"

#include "config/Registry.h"
#include "profile/CRadioDataModel.h"
#include "base/CTavoCPSException.h"
#include "profile/ProfileChecks.h"

using namespace tavo;

namespace {

void ReadEverything(const CDataItem &item, int depth)
{
    if (depth > 4 || !item.m_spNode || item.m_spNode.node->type != XML_ELEMENT_NODE)
        return;
    for (xmlAttr *a = item.m_spNode.node->properties; a; a = a->next) {
        QVariant v;
        try {
            item.GetAttributeValue(v, QString::fromUtf8(reinterpret_cast<const char *>(a->name)));
        } catch (const CTavoCPSException &) {
        }
    }
    for (int i = 0, n = item.GetChildCount(); i < n; ++i) {
        CDataItem child;
        item.GetChildByIndex(i, child);
        ReadEverything(child, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    tavo::fuzz::InstallQuietSink();
    static bool installed = (tavo::SetInstallPathOverride(QStringLiteral(TAVO_SOURCE_DIR "/install")), true);
    (void)installed;
    static CRadioDataModel model;
    QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<int>(size));
    try {
        QString named = text;
        CDataItem::ProcessChannelName(named);
    } catch (const CTavoCPSException &) {
    }
    try {
        if (model.LoadProfile(text, 0) != 1)
            return 0;
        ReadEverything(model.m_rootItem, 0);
        tavo::CheckFrequencies(model.m_rootItem);
        tavo::ChannelCodesInRange(model.m_rootItem);
    } catch (const CTavoCPSException &) {
    }
    return 0;
}
