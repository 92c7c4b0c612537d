#pragma once
// The radio operations: identification, read, write, reset,
// factory reset, the link start, the cable count and the link close, each a
// complete exchange over the protocol (open, commands, close) that ends with
// exactly one final notification (type 2, 3 or 4) to the notification sink.
// Runs on a worker thread; the caller holds the program's radio lock
// (RadioLock()); each operation but the link start also holds the radio
// critical section.

#include "codeplug/VirtualCP.h"
#include "radio/CRadioIdent.h"
#include "radio/CRadioProtocol.h"
#include "radio/RadioNotification.h"

#include <atomic>
#include <memory>
#include <vector>
#include <mutex>

namespace tavo {

// The program's radio lock: held around every call into a radio
// operation and the cable count, so the cable monitor never lists devices
// while an operation uses the cable.
std::mutex &RadioLock();
// The lock of the port `config` names: the program's radio lock for the
// cable found by the search, one of its own for each explicit port, so
// that radios on several ports are talked to at once while each port
// carries one exchange at a time.
std::mutex &RadioLockFor(const CableConfig &config);

// Device index of the first programming cable found by the last cable
// count; every open uses it (initially 0).
int CableDeviceIndex();
void SetCableDeviceIndex(int index);

// A run of the radio's memory: its first address and its bytes.
struct MemoryRun {
    uint32_t address = 0;
    std::vector<uint8_t> bytes;
};

class CRadioOperation {
public:
    // sink: receives the notifications (not owned); nullptr: none is posted.
    explicit CRadioOperation(IRadioNotificationSink *sink = nullptr, const CableConfig &config = DefaultCableConfig());
    ~CRadioOperation();

    void SetNotificationSink(IRadioNotificationSink *sink) { m_pSink.store(sink); }
    // While either quiet flag is set, progress (type 1) is not posted; both
    // are cleared when an operation starts.
    void SetQuiet(int which, bool quiet) { m_bQuiet[which & 1].store(quiet ? 1 : 0); }

    bool Identify(CRadioIdent &ident);
    bool ReadRadio(VirtualCP &cp);
    bool WriteRadio(const VirtualCP &cp);
    // Every memory byte the last WriteRadio sent (checksums and the bytes
    // returned as the radio held them included), by address; a frequency
    // record at its place in the memory map.
    const std::vector<MemoryRun> &LastWrite() const { return m_lastWrite; }
    // Reads the radio's memory at the addresses of `runs` into `held` (the
    // same runs with the radio's bytes), with the memory check first; ends
    // like ReadRadio.
    bool ReadMemoryRuns(const std::vector<MemoryRun> &runs, std::vector<MemoryRun> &held);
    bool Reset();
    bool FactoryReset();
    bool StartLink();
    // The cable count through the protocol's cable; also stored
    // as the cable's connected flag and, with a count, the device index.
    int CountCables();
    // Closes the cable; a failure posts type 3 with -1.
    bool CloseLink();

    // Checks.
    static bool IsCloneCompatible(int value);
    // supportedVersion: the codeplug version this installation supports
    // (from the setting documents).
    static bool IsCodeplugSupported(char phase, int version, int supportedVersion);

    // What went wrong last, for a message beside "Error: Communication
    // Error.": the protocol error (-10, -11, -12, or 0), the cable status
    // and the transport's sentence.
    int LastProtocolError() const { return m_pProtocol->ErrorCode(); }
    FtStatus CableStatus() const { return m_pProtocol->Cable().Status(); }
    QString CableErrorText() const { return m_pProtocol->Cable().LastErrorText(); }
    // A sentence for the user about the first failure since the last
    // ClearFailure() (empty when nothing more is known than the
    // notification says). A later failure (the reset that follows a failed
    // write) does not replace it.
    QString FailureDetail() const;
    // The kind of that first failure and the request that failed.
    LinkFailure FirstFailure() const { return m_eFirstFailure; }
    QString FirstFailedRequest() const { return m_strFirstFailedRequest; }
    void ClearFailure();

    // True once WriteRadio has sent a memory write or a frequency slot to
    // the radio since the last ClearFailure(): a write that fails after that
    // may have left the radio with a partly written codeplug.
    bool WriteStarted() const { return m_bWriteStarted; }

    CRadioProtocol &Protocol() { return *m_pProtocol; }
    // The lock of this operation's port (RadioLockFor).
    std::mutex &Lock() const { return RadioLockFor(m_config); }

    // The reset's wait for the radio to restart.
    static constexpr int kResetWaitMs = 2000;

private:
    void post(int type, int value);
    void progress(int percent);
    bool open();                       // common start's open; posts 3/-1
    void failAndClose(int result);     // posts 3 with result, closes
    bool closeAndPostDone();           // closes the link; on success posts 2
    // Memory check: true when the radio reports status 0.
    bool memoryCheck();
    bool readBlock(uint32_t address, int length, uint8_t *dest);
    QString failureDetailNow() const;

    std::unique_ptr<CRadioProtocol> m_pProtocol;
    CableConfig m_config;
    std::recursive_mutex &m_section;   // the radio critical section of the port
    std::atomic<IRadioNotificationSink *> m_pSink;
    std::atomic<int> m_bQuiet[2];
    QString m_strFirstFailure;
    LinkFailure m_eFirstFailure = LinkFailure::None;
    QString m_strFirstFailedRequest;
    bool m_bFailureKept = false;
    bool m_bWriteStarted = false;
    std::vector<MemoryRun> m_lastWrite;
    void recordWrite(uint32_t address, const uint8_t *data, size_t length);
};

} // namespace tavo
