#pragma once
// The change list on the command line: `diff A B` and what
// `write PROFILE --dry-run` prints instead of writing.

#include "codeplug/VirtualCP.h"

#include <QStringList>

namespace tavo::cli {

// Prints the changes from the radio's image to the one a write would send,
// one line each on stdout (or that there are none), and declines the write.
bool PrintChangesInsteadOfWriting(const VirtualCP &radio, const VirtualCP &toWrite, const QStringList &notes);

} // namespace tavo::cli
