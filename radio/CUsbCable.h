#pragma once
// The programming cable: a thin wrapper around one open device
// that opens it by device index, configures the line, moves bytes and
// remembers the last failing status. Everything above reaches the radio only
// through it. Underneath is a byte transport (ICableTransport): the serial
// device of the kernel's FTDI driver, an explicit port, or the simulated
// radio in process.

#include "radio/ICableTransport.h"

#include <atomic>
#include <memory>

namespace tavo {

class CUsbCable {
public:
    explicit CUsbCable(const CableConfig &config = DefaultCableConfig());
    virtual ~CUsbCable();
    CUsbCable(const CUsbCable &) = delete;
    CUsbCable &operator=(const CUsbCable &) = delete;

    // Library-call wrappers: each returns false at once when no device is
    // open (Open excepted) and stores any failing status.
    bool Open(int index);
    bool Close();
    bool SetBaudRate(uint32_t value);
    bool SetDataCharacteristics(uint8_t wordLength, uint8_t stopBits, uint8_t parity);
    bool SetFlowControl(uint16_t mode, uint8_t xon, uint8_t xoff);
    bool SetTimeouts(uint32_t readMs, uint32_t writeMs);
    bool Purge(uint32_t mask);

    // The byte slots: the count actually moved (a read below n is a
    // time-out and leaves the status alone); 0 when no device is open.
    virtual uint32_t Read(uint8_t *buffer, uint32_t n);
    virtual uint32_t Write(const uint8_t *buffer, uint32_t n);

    // Open with retries after 500 ms and 1000 ms, then the line settings of
    // every connection in their order (16406 baud, 8N1, no flow control,
    // 120/120 ms). False when the open fails three times or a setting
    // fails (the device then stays open).
    bool OpenConfigured(int index);

    // Number of devices whose description is exactly "Zerva Series CPS
    // Cable"; `firstIndex` receives the device index of the first.
    int CountCables(int &firstIndex);

    bool IsOpen() const { return m_bOpen; }
    FtStatus Status() const { return m_nStatus; }
    // Open, and nothing has failed: the protocol may use it.
    bool IsSound() const { return m_bOpen && m_nStatus == FT_OK; }
    // What the transport said about the last failure, for the user.
    QString LastErrorText() const;

    // The serial trace of the configuration, or nullptr.
    LinkTrace *Trace() const { return m_config.trace.get(); }

    // Set by the cable monitor from the last count (count > 0).
    int m_bConnected = 0;

    // Bytes moved by every cable of the process (the benchmark's wire time).
    static uint64_t TotalBytesRead() { return s_nBytesRead.load(); }
    static uint64_t TotalBytesWritten() { return s_nBytesWritten.load(); }
    static void ResetByteCounters();

private:
    bool check(FtStatus status);

    CableConfig m_config;
    std::unique_ptr<ICableTransport> m_pTransport;
    bool m_bOpen = false;
    FtStatus m_nStatus = FT_OK;

    static std::atomic<uint64_t> s_nBytesRead;
    static std::atomic<uint64_t> s_nBytesWritten;
};

// The cable count over a device list (pure): exact description matches,
// entries that could not be listed skipped.
int CountMatchingCables(const std::vector<std::optional<QString>> &descriptions, int &firstIndex);

} // namespace tavo
