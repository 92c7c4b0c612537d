#include "codeplug/CodeplugChecks.h"

namespace tavo {

bool IsCloneCompatible(int value)
{
    return value == kCloneCompatibleClass;
}

bool IsCodeplugSupported(char phase, int version, int supportedVersion)
{
    if (phase == 'D')
        return true;
    return supportedVersion >= version;
}

} // namespace tavo
