#pragma once
// What the GUI adds to a profile document: the Save As dialog (through the
// one file-dialog helper) and the wait cursor during a save.

#include "workflow/CTavoCPSDoc.h"

namespace tavo {

class CGuiDocumentHost : public IDocumentHost {
public:
    QString AskSavePath(const QString &proposed) override;
    void BeginBusy() override;
    void EndBusy() override;
};

// The host every document of the GUI uses.
IDocumentHost *GuiDocumentHost();

} // namespace tavo
