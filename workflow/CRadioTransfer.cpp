#include "workflow/CRadioTransfer.h"

namespace tavo {

bool RunTransfer(CRadioOperation &op, TransferKind kind, VirtualCP &image, const std::atomic<bool> &continueFlag)
{
    std::lock_guard<std::mutex> lock(RadioLock());
    op.SetQuiet(0, false);
    op.SetQuiet(1, false);
    if (!op.StartLink() || !continueFlag.load())
        return false;
    const bool done = kind == TransferKind::Read ? op.ReadRadio(image) : op.WriteRadio(image);
    if (!done || !continueFlag.load())
        return false;
    return op.Reset();
}

} // namespace tavo
