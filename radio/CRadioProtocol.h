#pragma once
// The radio's programming protocol over the cable:
// request frames with their checksums, the echo read off after every send,
// the reply state machine, retries, and the commands the radio operations
// are made of. Every operation returns a byte count (or 1) on success and
// -1 on failure; a protocol error is kept in the object (-10 no
// acknowledgement, -11 checksum, -12 write refused), a cable failure in the
// cable's status. Not thread-safe: one worker thread at a time.

#include "radio/CUsbCable.h"
#include "radio/RadioFrames.h"

#include <memory>

namespace tavo {

// What went wrong in the last failed attempt, for the serial trace and the
// line beside "Error: Communication Error.".
enum class LinkFailure {
    None,
    NoAnswer,          // the radio sent nothing (or not all) in time
    ShortAnswer,       // a reply with fewer data bytes than the request needs
    BadChecksum,       // -11
    UnexpectedReply,   // another command, address or length; endless noise
    NoAcknowledgement, // -10
    Refused,           // -12
    Cable,             // the cable failed (its status says how)
    WrongEcho,         // the echo of a request came back otherwise than sent
};
const char *LinkFailureName(LinkFailure failure);

class CRadioProtocol {
public:
    explicit CRadioProtocol(const CableConfig &config = DefaultCableConfig());
    ~CRadioProtocol();

    int OpenDevice(int index);
    int CloseDevice();

    // Writes a frame (up to `retries` attempts while it does not go out
    // whole) and reads its echo back, which must be the frame byte for
    // byte; an echo that is late past its reads or differs fails the send
    // (the frame is never sent twice here: the caller drains and retries).
    int Send(const uint8_t *frame, int length);
    // Empties the line before a retry: both buffers purged, then whatever
    // is still on its way (a late echo or reply) read off until the line
    // stays quiet for one read time-out, bounded by the largest reply wait.
    // False when the cable failed.
    bool DrainLine();
    // Up to the current attempt count of cable reads of n bytes.
    int ReadBytes(uint8_t *buffer, int n);
    // Parses one reply; returns the number of data bytes (at most
    // `capacity` are copied to `data`).
    int Receive(uint32_t &address, uint8_t &command, uint8_t *data, int capacity);
    // One byte that must be the acknowledgement P.
    int ReceiveAck();
    // Send, then ReceiveAck for the reset request, else Receive.
    int Transact(const uint8_t *frame, int length, uint32_t &address, uint8_t &command, uint8_t *data, int capacity);

    // Commands: purge both buffers and one Transact, up to `retries` times
    // while the cable stays sound.
    int ResetRadio();
    int StartLink();
    int ReadFirmwareVersion(char version[3]);   // phase, version, revision
    int ReadMemoryStatus(uint8_t &status);      // low 5 bits of data byte 2
    int SendControl(uint8_t a, uint8_t b, uint8_t c);
    int WriteFrequencySlot(uint8_t slot, const uint8_t record[frames::kFrequencyRecordSize]);
    int CloseFrequencyTable(uint8_t count, uint8_t flag);

    // At most 32 bytes.
    int ReadChunk(uint32_t address, int n, uint8_t *data, uint32_t *replyAddress = nullptr);
    int WriteChunk(uint32_t address, int n, const uint8_t *data, uint32_t *replyAddress = nullptr);
    // Any length, in chunks of 32 bytes in increasing address order.
    int ReadMemory(uint32_t address, int length, uint8_t *destination);
    int WriteMemory(const uint8_t *source, int length, uint32_t address);

    // The kind of the last failed attempt (cleared when a request starts)
    // and what was asked then, e.g. "read 010E18 32".
    LinkFailure LastFailure() const { return m_eFailure; }
    QString LastFailedRequest() const { return m_strFailedRequest; }

    // Bounds of one reply wait: bytes that are no part of a reply frame
    // skipped after the acknowledgement, and the bytes of the largest
    // reply to any request (P, FF, command, length, address, 32 data bytes,
    // checksum). A reply wait that reads more is endless noise.
    static constexpr int kLargestReply = 1 + 4 + 3 + static_cast<int>(frames::kMaxChunk) + 1;
    static constexpr int kMaxSkippedBytes = kLargestReply;
    // The longest one reply wait may take: the reply retries' time-outs to
    // begin answering, then twice the wire time of every byte allowed at
    // the line rate, then one more read time-out.
    int ReplyWaitLimitMs() const;

    int ErrorCode() const { return m_nErrorCode; }
    int ErrorFlag() const { return m_nErrorFlag; }
    void ClearError() { m_nErrorCode = 0; m_nErrorFlag = 0; }
    CUsbCable &Cable() { return *m_pCable; }
    const CUsbCable &Cable() const { return *m_pCable; }

    int m_nRetries = 2;
    int m_nReplyRetries = 20;
    int m_bEcho = 1;

private:
    bool usable() const { return m_pCable->IsSound(); }
    void setError(int code) { m_nErrorCode = code; m_nErrorFlag = 1; }
    // What answers a command: the reply's command byte and its number of
    // data bytes (fewer: a short answer; more than maxData: another reply).
    struct Expected {
        uint8_t command;
        int minData;
        int maxData;
        bool characters = false; // the data are printable characters (a version)
    };
    // One command: purge + Transact, repeated while the cable is sound,
    // the line drained before each retry. Only the reply the request
    // expects is an answer; any other is a failed attempt.
    int command(const frames::Bytes &frame, const char *name, const Expected &expected, uint32_t &address, uint8_t &cmd, uint8_t *data, int capacity);
    void beginRequest(const QString &name);
    void failed(LinkFailure kind, const QString &detail = QString());

    std::unique_ptr<CUsbCable> m_pCable;
    int m_nErrorFlag = 0;
    int m_nErrorCode = 0;
    int m_nReadAttempts = 2;   // attempts per byte read right now
    bool m_bEchoFailed = false; // the last Send's frame went out, its echo did not come back as sent
    LinkFailure m_eFailure = LinkFailure::None;
    QString m_strRequest;       // the request under way
    QString m_strFailedRequest;
    frames::Bytes m_scratch;
};

} // namespace tavo
