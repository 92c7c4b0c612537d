#pragma once
// A read or write as the read/write dialog runs it, without any
// window: under the radio lock, the link start, then (while the continue
// flag stands) the read or the write, then the reset, which runs after a
// failed read or write too (only a failed link start skips it). The notification sink clears the continue flag when it receives a
// failure (type 3) or a memory warning (type 4); the flag is read between
// stages. Shared by the CLI and, later, the dialog's worker thread.

#include "radio/CRadioOperation.h"

#include <atomic>

namespace tavo {

enum class TransferKind { Read, Write };

// True when every stage ran and succeeded (the reset included).
bool RunTransfer(CRadioOperation &op, TransferKind kind, VirtualCP &image, const std::atomic<bool> &continueFlag);

} // namespace tavo
