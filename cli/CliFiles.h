#pragma once
// File helpers shared by the commands: codeplug images (profile files:
// workflow/ProfileFiles.h, shared with the GUI).

#include "base/AtomicFile.h"
#include "codeplug/VirtualCP.h"
#include "workflow/CTavoCPSDoc.h"
#include "workflow/ProfileFiles.h"

#include <QString>

namespace tavo::cli {

// Reads a raw 2089-byte image; anything else is refused with a message.
bool ReadImageFile(const QString &path, VirtualCP &cp, QString &error);
// Writes an image (WriteFileAtomically).
bool WriteImageFile(const QString &path, const VirtualCP &cp, QString &error);

// Opens PROFILE (a stored profile file in any form, or plain XML) in the
// document every command edits it through; false with the reason printed.
// An invalid profile raises CTavoCPSException (printed by main).
bool OpenProfileDocument(const QString &path, CTavoCPSDoc &doc);

// Saves the document back to its file, in the form the file had, through
// the document's output step; the refusal or write error goes to stderr.
int SaveProfileDocument(CTavoCPSDoc &doc);

} // namespace tavo::cli
