#pragma once
// A radio that speaks the programming protocol: the protocol engine of
// tavo-radio-sim and of the in-process test transport. It echoes every byte
// it receives (the cable is half-duplex), answers requests from its memory,
// and can be told to misbehave: a memory status, refused writes, a wrong
// acknowledgement or checksum once at the N-th reply, noise before reply
// frames, silence. It logs each request it saw.
//
// Memory: two 4 KiB pages, 0x10000-0x10FFF (settings, frequencies, limits,
// parameters, header) and 0x20000-0x20FFF. A memory dump is those two pages
// one after the other (8192 bytes); a 4096-byte dump is the first page.

#include "codeplug/VirtualCP.h"
#include "radio/RadioFrames.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace tavo {

class SimulatedRadio {
public:
    struct Faults {
        uint8_t memoryStatus = 0;     // reported by the memory-status query
        bool refuseWrites = false;    // every memory write answered with 85
        int badAckAtReply = 0;        // the N-th reply (from 1) is one wrong byte instead of P...
        int badChecksumAtReply = 0;   // the N-th reply carries a wrong checksum
        bool silent = false;          // never answers (the cable still echoes)
        int silentAfterReplies = -1;  // answers that many replies, then is silent
        bool noise = false;           // bytes that are not a frame start between P and the frame
        int replyDelayMs = 0;         // the radio's turnaround (used by the pty wrapper)
        int wrongAddressAtReply = 0;  // the N-th reply, a memory reply, is for another address (0x20 further), once
        bool endlessNoise = false;    // from the first reply on: the acknowledgement, then noise for ever
        int shortReplyAtReply = 0;    // the N-th reply carries half its data bytes (none of one), once
        std::vector<uint32_t> stuckBytes; // memory bytes that keep their value when written
        int lateReplyAtReply = 0;     // the N-th reply is held back and sent after the next request's echo, once
        int wrongEchoAtRequest = 0;   // the echo of the N-th request comes back with its last byte altered, once
    };

    static constexpr uint32_t kPage1 = 0x10000;
    static constexpr uint32_t kPage2 = 0x20000;
    static constexpr size_t kPageSize = 0x1000;
    static constexpr size_t kDumpSize = 2 * kPageSize;
    static constexpr uint8_t kWrongAck = 0x15;
    static constexpr uint32_t kWrongAddressOffset = 0x20;

    SimulatedRadio();

    // Memory packed from a codeplug image the way a radio holds it; the
    // firmware version answered is the image's (bytes 0-2).
    void LoadImage(const VirtualCP &cp);
    // A raw memory dump (4096 or 8192 bytes).
    bool LoadDump(const QByteArray &dump, QString *error = nullptr);
    QByteArray Dump() const;
    void SetFirmware(char phase, char version, char revision);
    // The memory as loaded: what a factory reset restores.
    void MarkFactoryState();

    Faults &faults() { return m_faults; }
    const Faults &faults() const { return m_faults; }

    bool IsMapped(uint32_t address) const;
    uint8_t Peek(uint32_t address) const;
    void Poke(uint32_t address, uint8_t value);
    void ReadRange(uint32_t address, size_t n, uint8_t *out) const;
    void WriteRange(uint32_t address, const uint8_t *data, size_t n);
    const std::vector<uint8_t> &Memory() const { return m_memory; }

    struct Output {
        frames::Bytes bytes;
        bool reply;   // false: the echo of received bytes
    };
    // Feeds bytes from the program; returns what comes back, in order.
    std::vector<Output> Receive(const uint8_t *data, size_t n);
    // Forgets a half-received request (a pause on the line).
    void ResetParser() { m_parser.Reset(); }
    bool InRequest() const { return m_parser.InFrame(); }

    // Endless noise has begun: the line carries noise bytes whenever it
    // carries nothing else.
    bool StreamingNoise() const { return m_bStreamingNoise; }
    frames::Bytes NoiseBytes(size_t n);

    int RepliesSent() const { return m_nReplies; }
    int RequestsSeen() const { return m_nRequests; }
    int ResetCount() const { return m_nResets; }

    // Each request seen, one line: "READ 010E18 32", "WRITE 010000 32",
    // "STATUS 0", "FIRMWARE R21", "LINK", "CONTROL 1F 03 00", "FREQ 3 ...",
    // "CLOSEFREQ 16 0", "RESET"; faults applied are logged too.
    const std::vector<QString> &Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }
    std::function<void(const QString &)> onLog;

private:
    frames::Bytes handle(const frames::Request &req);
    frames::Bytes applyFaults(frames::Bytes reply, bool framed);
    // The reply about to be sent is the N-th (from 1).
    bool nextReplyIs(int n) const { return n > 0 && m_nReplies + 1 == n; }
    // A memory write as the radio stores it (stuck bytes keep their value).
    void store(uint32_t address, const uint8_t *data, size_t n);
    void log(const QString &line);
    int index(uint32_t address) const;

    std::vector<uint8_t> m_memory;
    std::vector<uint8_t> m_factory;
    char m_firmware[3] = {'R', '2', '1'};
    Faults m_faults;
    frames::RequestParser m_parser;
    int m_nReplies = 0;
    int m_nRequests = 0;
    int m_nResets = 0;
    bool m_bChecksumFaultPending = false;
    bool m_bStreamingNoise = false;
    frames::Bytes m_heldReply;    // a late reply, out before the next echo
    size_t m_nNoisePhase = 0;
    std::vector<QString> m_log;
};

// The radio memory of an image, as LoadImage lays it out (two pages).
std::vector<uint8_t> PackImageToRadioMemory(const VirtualCP &cp);

} // namespace tavo
