// Codeplug images from a radio: any 2089 bytes must convert or be refused,
// and whatever text comes out must convert back.

#include "support/QuietSink.h"

#include "profile/CDataAdaptor.h"
#include "base/CTavoCPSException.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    tavo::fuzz::InstallQuietSink();
    tavo::VirtualCP cp;
    std::memcpy(cp.bytes.data(), data, std::min(size, cp.bytes.size()));
    // Give most inputs a valid serial number so that the conversion runs on.
    if (size > 0 && (data[0] & 1))
        std::memcpy(cp.SerialBytes(), "123ABC4567", 10);
    QString xml;
    if (tavo::CDataAdaptor::VirtualCP2XML(cp, xml)) {
        tavo::VirtualCP back;
        try {
            tavo::CDataAdaptor::XML2VirtualCP(xml, back);
        } catch (const tavo::CTavoCPSException &e) {
            // Our own text converts back, but for a frequency slot the radio
            // set up in a way the program's synthesizer setting cannot
            // express: that is refused, never wrapped.
            if (!e.m_strMessage.contains(QLatin1String("synthesizer")))
                throw;
        }
    }
    return 0;
}
