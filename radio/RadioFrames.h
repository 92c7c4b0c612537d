#pragma once
// The programming protocol's frames as small pure functions:
// checksums, the request frames the program sends, the reply parser the
// program runs byte by byte, and the request parser and reply builders the
// simulated radio uses. Nothing here touches a transport.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavo::frames {

using Bytes = std::vector<uint8_t>;

// Protocol bytes (hexadecimal values).
enum : uint8_t {
    kAck = 0x50,            // 'P'
    kLongStart = 0xFF,
    kShortBase = 0xF0,      // F0 + n
    kCmdReset = 0x10,
    kCmdReadMemory = 0x11,
    kCmdWriteMemory = 0x17,
    kCmdLinkStart = 0x22,
    kCmdQuery = 0x23,
    kCmdControl = 0x38,
    kCmdFrequency = 0x9A,
    kReplyMemory = 0x80,    // addressed reply to a read
    kReplyWritten = 0x84,   // addressed reply to an accepted write
    kReplyRefused = 0x85,   // addressed reply to a refused write
    kQueryFirmware = 0x03,
    kQueryMemoryStatus = 0x09,
    kLinkStartArg = 0x16,
    kFrequencySlotTag = 0x04,
    kFrequencyCloseTag = 0x05,
};

constexpr size_t kMaxChunk = 32;       // data bytes per memory request
constexpr size_t kFrequencyRecordSize = 6;

// One's complement of the 8-bit sum: 255 - (sum mod 256).
uint8_t Checksum(const uint8_t *data, size_t n);
inline uint8_t Checksum(const Bytes &b) { return Checksum(b.data(), b.size()); }

// FF, command, 00, N, payload (N - 1 bytes), checksum over all before it.
Bytes LongRequest(uint8_t command, const Bytes &payload);
// F0 + n, command, n - 1 data bytes, checksum over all before it.
Bytes ShortRequest(uint8_t command, const Bytes &data);

// The program's requests.
Bytes ResetRequest();                                              // FF 10 00 01 EF
Bytes LinkStartRequest();                                          // F2 22 16 D5
Bytes FirmwareVersionRequest();                                    // F2 23 03 E7
Bytes MemoryStatusRequest();                                       // F2 23 09 E1
Bytes ReadMemoryRequest(uint32_t address, uint8_t n);              // FF 11 00 05 n A2 A1 A0 cs
Bytes WriteMemoryRequest(uint32_t address, const uint8_t *data, size_t n); // FF 17 00 n+4 A2 A1 A0 d.. cs
Bytes ControlRequest(uint8_t a, uint8_t b, uint8_t c);             // FF 38 00 05 a b c 00 cs
Bytes FrequencySlotRequest(uint8_t slot, const uint8_t record[kFrequencyRecordSize]); // FF 9A 00 09 04 s f0-f5 cs
Bytes CloseFrequencyTableRequest(uint8_t count, uint8_t flag);     // F4 9A 05 k p cs

inline bool IsResetRequest(const uint8_t *frame, size_t n) { return n >= 2 && frame[0] == kLongStart && frame[1] == kCmdReset; }

// Commands whose long replies carry a 24-bit address.
inline bool IsAddressedReply(uint8_t command)
{
    return command == kReplyMemory || command == kReplyWritten || command == kReplyRefused;
}

// Error codes of the protocol object.
enum : int { kErrNoAck = -10, kErrChecksum = -11, kErrRefused = -12 };

// The reply state machine, fed one byte at a time.
class ReplyParser {
public:
    enum class State { Ack, Start, LongCommand, LengthHigh, LengthLow, ShortCommand, Address1, Address2, Address3, Data, Checksum, Done, Failed };
    enum class Result { More, Done, Error };

    // expectAck: the reply begins with the acknowledgement P.
    explicit ReplyParser(bool expectAck = true);
    void Reset(bool expectAck = true);

    Result Feed(uint8_t byte);

    State state() const { return m_state; }
    // Still waiting for the radio to begin (the reply retries apply): the
    // acknowledgement, or the frame start before any noise byte.
    bool WaitingForReplyStart() const { return m_state == State::Ack || (m_state == State::Start && !m_bNoiseSeen); }
    int errorCode() const { return m_nError; }     // -10 or -11 after Error
    uint32_t address() const { return m_nAddress; }
    uint8_t command() const { return m_nCommand; }
    const Bytes &data() const { return m_data; }
    bool longFrame() const { return m_bLong; }

private:
    void afterAddress();
    void enterDataOrChecksum();

    State m_state = State::Ack;
    bool m_bNoiseSeen = false;
    bool m_bLong = false;
    unsigned m_nSum = 0;
    unsigned m_nCount = 0;
    uint32_t m_nAddress = 0;
    uint8_t m_nCommand = 0;
    int m_nError = 0;
    Bytes m_data;
};

// Builders of the radio's replies (the simulated radio).
Bytes LongReply(uint8_t command, const Bytes &data, bool withAddress, uint32_t address, bool ack = true);
Bytes ShortReply(uint8_t command, const Bytes &data, bool ack = true);

// A request as the radio receives it.
struct Request {
    bool longFrame = false;
    uint8_t command = 0;
    Bytes payload;          // long: N - 1 payload bytes; short: n - 1 data bytes
    bool checksumOk = false;
    Bytes raw;              // every byte of the frame
};

// The radio's side: splits the incoming byte stream into request frames.
// Bytes outside a frame are skipped.
class RequestParser {
public:
    // Feeds one byte; true when a request is complete (in `out`).
    bool Feed(uint8_t byte, Request &out);
    void Reset();
    bool InFrame() const { return m_state != State::Idle; }

private:
    enum class State { Idle, LongCommand, LongZero, LongCount, Payload, Checksum, ShortCommand };
    State m_state = State::Idle;
    Request m_req;
    unsigned m_nRemaining = 0;
};

} // namespace tavo::frames
