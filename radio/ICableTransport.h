#pragma once
// The byte transport under CUsbCable. Each call mirrors one call
// of the cable library and answers with its status; CUsbCable stores the
// status and applies the count rules. Implementations:
//   - SerialTransport: the kernel's serial device (/dev/ttyUSB*, or the
//     simulated radio's pseudo-terminal) through termios2 and poll;
//   - SimTransport: the simulated radio in process, for unit tests.

#include "radio/FtStatus.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tavo {

class LinkTrace;

class ICableTransport {
public:
    virtual ~ICableTransport() = default;

    // Opens device number `index` of the device list (or the explicit port
    // the transport was made for, which ignores the index).
    virtual FtStatus Open(int index) = 0;
    virtual FtStatus Close() = 0;
    virtual FtStatus SetBaudRate(uint32_t baud) = 0;
    virtual FtStatus SetDataCharacteristics(uint8_t wordLength, uint8_t stopBits, uint8_t parity) = 0;
    virtual FtStatus SetFlowControl(uint16_t mode, uint8_t xon, uint8_t xoff) = 0;
    virtual FtStatus SetTimeouts(uint32_t readMs, uint32_t writeMs) = 0;
    virtual FtStatus Purge(uint32_t mask) = 0;
    // Reads up to n bytes, waiting at most the read time-out; `count`
    // receives the bytes read (fewer than n with FT_OK on a time-out).
    virtual FtStatus Read(uint8_t *buffer, uint32_t n, uint32_t *count) = 0;
    virtual FtStatus Write(const uint8_t *buffer, uint32_t n, uint32_t *count) = 0;

    // The device list of the cable count: one entry per device index, the
    // device's description, or nothing when it cannot be had.
    virtual FtStatus ListDevices(std::vector<std::optional<QString>> &descriptions) = 0;

    // A sentence for the user about the last failing call (the device, what
    // went wrong, what to do), empty when there is nothing to add.
    virtual QString LastErrorText() const = 0;
};

using CableTransportFactory = std::function<std::unique_ptr<ICableTransport>()>;
using SleepFunction = std::function<void(int ms)>;

// How the radio link reaches the radio. Each radio operation builds its
// cable from one of these; the process-wide default is what the program
// configured (the CLI's --port, later the GUI's port setting).
struct CableConfig {
    // An explicit serial device; empty: the programming cable found by the
    // cable count, by device index.
    QString portPath;
    // Makes the transport; empty: the serial-device transport.
    CableTransportFactory transportFactory;
    // Waits (open retries, the reset's 2000 ms); empty: real sleeping.
    SleepFunction sleep;
    // Records every byte moved and every failed attempt; none: no trace.
    std::shared_ptr<LinkTrace> trace;

    std::unique_ptr<ICableTransport> MakeTransport() const;
    void Sleep(int ms) const;
};

CableConfig DefaultCableConfig();
void SetDefaultCableConfig(const CableConfig &config);

} // namespace tavo
