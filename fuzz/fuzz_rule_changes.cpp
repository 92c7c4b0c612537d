// Changes through the rules: an element path, an attribute name and a
// value (fields split at NUL bytes), put as a change, an added child, a
// removed child or a new frequency. Every answer is done, refused or
// confirm, or the program's own error; the profile stays usable.

#include "support/TemplateModel.h"

#include "workflow/RuleChange.h"

using namespace tavo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    CRadioDataModel *model = fuzz::FreshTemplateModel();
    if (!model)
        return 0;
    const int op = data[0] % 5;
    const QList<QByteArray> f = fuzz::Fields(data + 1, size - 1);
    const QString path = QString::fromUtf8(f.value(0));
    const QString attribute = QString::fromUtf8(f.value(1));
    const QString value = QString::fromUtf8(f.value(2));
    try {
        CDataItem item;
        if (!FindProfileElement(*model, path, item))
            return 0;
        int msgId = 0;
        int style = 0;
        switch (op) {
        case 0:
        case 1: {
            const QVariant typed = TypedAttributeValue(item, attribute, value);
            for (int answer : {0, 6}) {
                const int r = item.SetAttributeValue(attribute, op == 0 ? typed : QVariant(value), msgId, answer, style);
                if (r != 2)
                    break;
            }
            break;
        }
        case 2: {
            CDataItem added;
            if (item.CanAddChild())
                item.AddNewChild(added);
            break;
        }
        case 3:
            for (int answer : {0, 6})
                if (item.RemoveChildByIndex(value.toInt(), msgId, answer, style) != 2)
                    break;
            break;
        case 4:
            item.AddFrequency(value.toUInt(), attribute.toUInt() & 3, static_cast<unsigned>(path.size()) & 3, msgId, style);
            break;
        }
        // What was changed still reads and serialises.
        model->GetXmlText();
    } catch (const CTavoCPSException &) {
    }
    return 0;
}
