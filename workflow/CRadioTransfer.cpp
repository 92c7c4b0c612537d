#include "workflow/CRadioTransfer.h"

namespace tavo {

bool RunTransfer(CRadioOperation &op, TransferKind kind, VirtualCP &image, const std::atomic<bool> &continueFlag)
{
    std::lock_guard<std::mutex> lock(op.Lock());
    op.SetQuiet(0, false);
    op.SetQuiet(1, false);
    op.ClearFailure();
    if (!op.StartLink() || !continueFlag.load())
        return false;
    const bool done = kind == TransferKind::Read ? op.ReadRadio(image) : op.WriteRadio(image);
    // The reset follows the read or the write whatever its outcome, so a
    // refused write or a memory warning never leaves the radio in
    // programming mode. It is best effort after a failure: the first
    // failure stays the one reported (the sink keeps the first, and the
    // operation keeps its detail).
    const bool reset = op.Reset();
    return done && continueFlag.load() && reset;
}

} // namespace tavo
