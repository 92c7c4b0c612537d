#pragma once
// The style's standard icons, made once per application: the style decodes
// each of an icon's picture files whenever it is asked, which would cost a
// page as much as all its widgets.

#include <QIcon>
#include <QStyle>

namespace tavo {

QIcon StyleIcon(QStyle::StandardPixmap which);

} // namespace tavo
