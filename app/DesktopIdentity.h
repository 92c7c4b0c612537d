#pragma once
// How the desktop recognises the running program: the launcher's name
// (docks and taskbars group the windows under it; on Wayland it is the
// application id) and the window icon, taken from the installed icons.

#include <QIcon>
#include <QString>

namespace tavo {

// The launcher com.vantrel.tavocps.desktop without its extension; also the
// AppStream id.
inline constexpr const char *kDesktopFileName = "com.vantrel.tavocps";
// The icon's name in the hicolor theme.
inline constexpr const char *kIconName = "tavocps";

// The program's icon: the sizes installed beside the program
// (<bin>/../share/icons/hicolor/<size>/apps), else the icon theme's; null
// when neither has it.
QIcon ApplicationIcon();

// Names the launcher and sets the icon of every window.
void SetUpDesktopIdentity();

} // namespace tavo
