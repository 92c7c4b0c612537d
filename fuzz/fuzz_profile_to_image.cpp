// Profile text into an image: any text is converted or refused with the
// program's exception, never a crash or a write past a field.

#include "support/QuietSink.h"

#include "profile/CDataAdaptor.h"
#include "base/CTavoCPSException.h"

using namespace tavo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    tavo::fuzz::InstallQuietSink();
    const QString xml = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<int>(size));
    tavo::VirtualCP cp;
    try {
        tavo::CDataAdaptor::XML2VirtualCP(xml, cp);
    } catch (const CTavoCPSException &) {
    }
    return 0;
}
