#pragma once
// A list that shows what the profile stores, also when that is none of its
// entries: the radio keeps a value the list does not offer (a time-out of
// 6 seconds where the list steps by 60), and the page shows it as its own
// entry at the end, "6 (not in the list)". Choosing that entry writes
// nothing; the value stays as it is until the dealer picks another entry.

class QComboBox;

namespace tavo {

// Selects `position` when the list has it; otherwise an entry of its own
// for `storedValue` (added, or the one added before) is selected. An entry
// added before goes when the value fits the list again.
void ShowStoredPosition(QComboBox *list, int position, int storedValue);
// Whether entry `index` of `list` is the stored value's own entry.
bool IsStoredValueEntry(const QComboBox *list, int index);

} // namespace tavo
