#include "views/StoredValueList.h"

#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace tavo {

namespace {
constexpr int kStoredValueRole = Qt::UserRole + 41;
} // namespace

bool IsStoredValueEntry(const QComboBox *list, int index)
{
    return list && index >= 0 && index < list->count() && list->itemData(index, kStoredValueRole).toBool();
}

void ShowStoredPosition(QComboBox *list, int position, int storedValue)
{
    if (!list)
        return;
    const QSignalBlocker quiet(list);
    const int last = list->count() - 1;
    const bool marked = IsStoredValueEntry(list, last);
    const int entries = marked ? last : list->count();
    if (position >= 0 && position < entries) {
        if (marked)
            list->removeItem(last);
        list->setCurrentIndex(position);
        return;
    }
    const QString text = LoadString(msg::ValueNotInList).arg(storedValue);
    if (marked) {
        list->setItemText(last, text);
    } else {
        list->addItem(text);
        list->setItemData(list->count() - 1, true, kStoredValueRole);
    }
    list->setCurrentIndex(list->count() - 1);
}

} // namespace tavo
