// Planted faults for the layering test's own test: every line below but the
// last breaks a rule of cmake/CheckLayers.cmake.
#include "app/CMainFrame.h"

void Planted(bool narrow)
{
    ShowMessage(511, MB_OK);
    LoadString(narrow ? 189 : 190);
    ShowMessage(msg::ChannelFrequencyOutOfRange, MB_OK);
}
