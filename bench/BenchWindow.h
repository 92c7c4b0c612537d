#pragma once
// The program's windows for the GUI timing harnesses (with BenchSupport.h).

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTavoCPSApp.h"

#include <QString>

namespace tavo::bench {

// Starts `app` without its splash screen; false when it cannot start.
inline bool StartWithoutSplash(CTavoCPSApp &app)
{
    CTavoCPSApp::Options options;
    options.splash = false;
    return app.InitInstance(options);
}

// Opens the profile `path` in a profile window of 1000 x 760; null when it
// cannot be opened.
inline CChildFrame *OpenProfileWindow(CTavoCPSApp &app, const QString &path)
{
    CChildFrame *child = app.MainFrame()->OpenDocumentFile(path);
    if (child)
        child->resize(1000, 760);
    return child;
}

} // namespace tavo::bench
