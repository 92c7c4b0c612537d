#include "views/StyleIcons.h"

#include <QApplication>
#include <QHash>

namespace tavo {

namespace {

QHash<int, QIcon> &KeptIcons()
{
    static QHash<int, QIcon> icons;
    return icons;
}

// Dropped with the application object: no picture may outlive it.
void DropKeptIcons()
{
    KeptIcons().clear();
}

} // namespace

QIcon StyleIcon(QStyle::StandardPixmap which)
{
    QHash<int, QIcon> &icons = KeptIcons();
    const auto kept = icons.constFind(int(which));
    if (kept != icons.constEnd())
        return *kept;
    if (icons.isEmpty())
        qAddPostRoutine(&DropKeptIcons);
    const QIcon icon = QApplication::style()->standardIcon(which);
    icons.insert(int(which), icon);
    return icon;
}

} // namespace tavo
