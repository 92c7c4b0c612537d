// The simulated radio's memory from outside: a codeplug image (2089 bytes)
// or a raw memory dump, then the requests the program sends to read it.
// Loading refuses what it cannot take; reading answers from memory only.

#include "radio/SimulatedRadio.h"

#include <cstring>

using namespace tavo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SimulatedRadio radio;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    if (size == VirtualCP::kSize) {
        VirtualCP cp;
        std::memcpy(cp.bytes.data(), data, VirtualCP::kSize);
        radio.LoadImage(cp);
    } else {
        QString error;
        if (!radio.LoadDump(bytes, &error))
            return 0;
    }
    const QByteArray dump = radio.Dump();
    if (static_cast<size_t>(dump.size()) != SimulatedRadio::kDumpSize)
        __builtin_trap();
    for (uint32_t address : {SimulatedRadio::kPage1, SimulatedRadio::kPage1 + 0xFE0u, SimulatedRadio::kPage2 + 0xFF0u}) {
        uint8_t out[32];
        radio.ReadRange(address, sizeof out, out);
    }
    // The programming requests as bytes on the line, answered from memory.
    radio.Receive(data, std::min<size_t>(size, 512));
    return 0;
}
