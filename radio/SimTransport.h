#pragma once
// The simulated radio in process: a cable transport for unit tests that
// talks to a SimulatedRadio with no real time passing. A read that cannot
// be satisfied returns what there is and adds its time-out to a virtual
// clock, so a silent radio fails after its bounded retries at once, and the
// waits of the cable (open retries, the reset's 2000 ms) are recorded
// instead of slept.
//
//     auto link = std::make_shared<SimLink>();
//     link->radio().LoadImage(image);
//     CRadioOperation op(&recorder, link->Config());

#include "radio/SimulatedRadio.h"
#include "radio/ICableTransport.h"

#include <deque>
#include <memory>
#include <mutex>

namespace tavo {

class SimLink : public std::enable_shared_from_this<SimLink> {
public:
    SimLink();

    SimulatedRadio &radio() { return m_radio; }

    // A cable configuration whose transports reach this radio.
    CableConfig Config();

    // Faults of the cable itself.
    int failOpens = 0;             // so many opens fail first (device not found)
    long unplugAfterBytes = -1;    // after so many bytes moved, the cable is gone
    // The device list of the cable count.
    std::vector<std::optional<QString>> devices{QStringLiteral("Zerva Series CPS Cable")};

    // What happened.
    long elapsedMs = 0;            // read time-outs and waits
    std::vector<int> sleeps;       // every wait asked for, in ms
    int opens = 0;
    int closes = 0;
    int purges = 0;
    long bytesWritten = 0;
    long bytesRead = 0;
    uint32_t baudRate = 0;
    uint8_t wordLength = 0, stopBits = 0xFF, parity = 0xFF;
    uint16_t flowMode = 0xFFFF;
    uint32_t readTimeoutMs = 0, writeTimeoutMs = 0;
    bool unplugged = false;

    std::mutex mutex;              // transports of one link may live on several threads
    std::deque<uint8_t> pending;   // bytes on their way to the program

    bool moved(long n);            // counts bytes; true while still plugged in

private:
    SimulatedRadio m_radio;
};

class SimTransport : public ICableTransport {
public:
    explicit SimTransport(std::shared_ptr<SimLink> link);

    FtStatus Open(int index) override;
    FtStatus Close() override;
    FtStatus SetBaudRate(uint32_t baud) override;
    FtStatus SetDataCharacteristics(uint8_t wordLength, uint8_t stopBits, uint8_t parity) override;
    FtStatus SetFlowControl(uint16_t mode, uint8_t xon, uint8_t xoff) override;
    FtStatus SetTimeouts(uint32_t readMs, uint32_t writeMs) override;
    FtStatus Purge(uint32_t mask) override;
    FtStatus Read(uint8_t *buffer, uint32_t n, uint32_t *count) override;
    FtStatus Write(const uint8_t *buffer, uint32_t n, uint32_t *count) override;
    FtStatus ListDevices(std::vector<std::optional<QString>> &descriptions) override;
    QString LastErrorText() const override { return m_strError; }

private:
    std::shared_ptr<SimLink> m_link;
    bool m_bOpen = false;
    uint32_t m_nReadTimeoutMs = 0;
    QString m_strError;
};

} // namespace tavo
