#include "radio/CRadioProtocol.h"

#include "radio/LinkTrace.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace tavo {

using namespace frames;

namespace {
constexpr int kReplyCapacity = 256;

QString hexAddress(uint32_t a)
{
    return QStringLiteral("%1").arg(a, 6, 16, QLatin1Char('0')).toUpper();
}

QString hexByte(uint8_t b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

// Bytes one read of the drain asks for.
constexpr int kDrainPiece = 64;
} // namespace

const char *LinkFailureName(LinkFailure failure)
{
    switch (failure) {
    case LinkFailure::None: return "none";
    case LinkFailure::NoAnswer: return "no answer";
    case LinkFailure::ShortAnswer: return "short answer";
    case LinkFailure::BadChecksum: return "bad checksum";
    case LinkFailure::UnexpectedReply: return "unexpected reply";
    case LinkFailure::NoAcknowledgement: return "no acknowledgement";
    case LinkFailure::Refused: return "write refused";
    case LinkFailure::Cable: return "cable failure";
    case LinkFailure::WrongEcho: return "wrong echo";
    }
    return "none";
}

int CRadioProtocol::ReplyWaitLimitMs() const
{
    const int allowed = kLargestReply + kMaxSkippedBytes;
    const int wireMs = static_cast<int>((allowed * 10LL * 1000 + kCableBaudRate - 1) / kCableBaudRate);
    return m_nReplyRetries * static_cast<int>(kCableReadTimeoutMs) + 2 * wireMs + static_cast<int>(kCableReadTimeoutMs);
}

void CRadioProtocol::beginRequest(const QString &name)
{
    m_strRequest = name;
    m_eFailure = LinkFailure::None;
}

void CRadioProtocol::failed(LinkFailure kind, const QString &detail)
{
    if (!usable() && kind != LinkFailure::Refused)
        kind = LinkFailure::Cable;
    // The first failed attempt of a request says most (after endless noise
    // the retry meets noise where the acknowledgement belongs); a failed
    // cable always wins. The trace gets every attempt.
    if (m_eFailure == LinkFailure::None || kind == LinkFailure::Cable)
        m_eFailure = kind;
    m_strFailedRequest = m_strRequest;
    if (LinkTrace *trace = m_pCable->Trace()) {
        QString line = m_strRequest + QStringLiteral(": ") + QLatin1String(LinkFailureName(kind));
        if (!detail.isEmpty())
            line += QStringLiteral(" (") + detail + QLatin1Char(')');
        trace->Failure(line);
    }
}

CRadioProtocol::CRadioProtocol(const CableConfig &config) : m_pCable(std::make_unique<CUsbCable>(config))
{
    m_scratch.resize(512);
    m_nReadAttempts = m_nRetries;
}

CRadioProtocol::~CRadioProtocol() = default;

int CRadioProtocol::OpenDevice(int index)
{
    return m_pCable->OpenConfigured(index) ? 1 : -1;
}

int CRadioProtocol::CloseDevice()
{
    return m_pCable->Close() ? 1 : -1;
}

int CRadioProtocol::Send(const uint8_t *frame, int length)
{
    m_bEchoFailed = false;
    for (int attempt = 0; attempt < m_nRetries; ++attempt) {
        if (!usable())
            return -1;
        const uint32_t written = m_pCable->Write(frame, static_cast<uint32_t>(length));
        if (written != static_cast<uint32_t>(length)) {
            if (!usable())
                return -1;
            m_nErrorFlag = 0;
            m_nErrorCode = 0;
            continue;
        }
        if (!m_bEcho)
            return length;
        // The frame went out whole: from here on it is never sent again in
        // this attempt. The echo gets the reads a reply byte gets; what
        // came back must be the frame itself.
        if (m_scratch.size() < static_cast<size_t>(length))
            m_scratch.resize(static_cast<size_t>(length));
        int got = 0;
        for (int read = 0; read < m_nRetries && got < length; ++read) {
            if (!usable())
                return -1;
            got += static_cast<int>(m_pCable->Read(m_scratch.data() + got, static_cast<uint32_t>(length - got)));
        }
        if (!usable())
            return -1;
        const int differs = static_cast<int>(std::mismatch(frame, frame + got, m_scratch.data()).first - frame);
        m_bEchoFailed = differs < got || got < length;
        if (differs < got) {
            failed(LinkFailure::WrongEcho, QStringLiteral("byte %1 came back as %2, %3 was sent").arg(differs + 1).arg(hexByte(m_scratch[static_cast<size_t>(differs)]), hexByte(frame[differs])));
            return -1;
        }
        if (got < length) {
            failed(LinkFailure::NoAnswer, QStringLiteral("%1 of %2 echo bytes").arg(got).arg(length));
            return -1;
        }
        return length;
    }
    failed(LinkFailure::NoAnswer, QStringLiteral("the request did not go out whole"));
    return -1;
}

bool CRadioProtocol::DrainLine()
{
    if (!usable() || !m_pCable->Purge(kCablePurgeBoth))
        return false;
    uint8_t piece[kDrainPiece];
    int drained = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ReplyWaitLimitMs());
    while (drained <= kLargestReply + kMaxSkippedBytes && std::chrono::steady_clock::now() <= deadline) {
        const uint32_t n = m_pCable->Read(piece, sizeof piece);
        if (!usable())
            return false;
        if (n == 0)
            break; // quiet for a whole read time-out
        drained += static_cast<int>(n);
    }
    return m_pCable->Purge(kCablePurgeBoth);
}

int CRadioProtocol::ReadBytes(uint8_t *buffer, int n)
{
    for (int attempt = 0; attempt < m_nReadAttempts; ++attempt) {
        if (!usable())
            return -1;
        if (m_pCable->Read(buffer, static_cast<uint32_t>(n)) == static_cast<uint32_t>(n))
            return n;
    }
    return -1;
}

int CRadioProtocol::Receive(uint32_t &address, uint8_t &command, uint8_t *data, int capacity)
{
    address = 0;
    ReplyParser parser(true);
    m_nReadAttempts = m_nReplyRetries;
    int result = -1;
    // The whole wait is bounded: a radio that streams noise (or a frame
    // longer than any reply) ends the attempt, by bytes and by time.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ReplyWaitLimitMs());
    int bytesRead = 0;
    for (;;) {
        m_nReadAttempts = parser.WaitingForReplyStart() ? m_nReplyRetries : m_nRetries;
        uint8_t byte = 0;
        if (ReadBytes(&byte, 1) != 1) {
            failed(bytesRead == 0 ? LinkFailure::NoAnswer : LinkFailure::ShortAnswer,
                   bytesRead == 0 ? QString() : QStringLiteral("%1 bytes, then nothing").arg(bytesRead));
            break;
        }
        ++bytesRead;
        const ReplyParser::Result r = parser.Feed(byte);
        if (r == ReplyParser::Result::More) {
            if (bytesRead > kLargestReply + kMaxSkippedBytes || std::chrono::steady_clock::now() > deadline) {
                failed(LinkFailure::UnexpectedReply, QStringLiteral("%1 bytes and no complete reply: noise").arg(bytesRead));
                break;
            }
            continue;
        }
        if (r == ReplyParser::Result::Error) {
            setError(parser.errorCode());
            failed(parser.errorCode() == kErrNoAck ? LinkFailure::NoAcknowledgement : LinkFailure::BadChecksum,
                   parser.errorCode() == kErrNoAck ? QStringLiteral("first byte %1").arg(QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper()) : QString());
            break;
        }
        address = parser.address();
        command = parser.command();
        const Bytes &d = parser.data();
        if (data && capacity > 0 && !d.empty())
            std::memcpy(data, d.data(), std::min(d.size(), static_cast<size_t>(capacity)));
        result = static_cast<int>(d.size());
        break;
    }
    m_nReadAttempts = m_nRetries;
    return result;
}

int CRadioProtocol::ReceiveAck()
{
    m_nReadAttempts = m_nReplyRetries;
    uint8_t byte = 0;
    const int got = ReadBytes(&byte, 1);
    m_nReadAttempts = m_nRetries;
    if (got != 1) {
        failed(LinkFailure::NoAnswer);
        return -1;
    }
    if (byte != kAck) {
        setError(kErrNoAck);
        failed(LinkFailure::NoAcknowledgement, QStringLiteral("first byte %1").arg(QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper()));
        return -1;
    }
    return 1;
}

int CRadioProtocol::Transact(const uint8_t *frame, int length, uint32_t &address, uint8_t &command, uint8_t *data, int capacity)
{
    if (Send(frame, length) != length)
        return -1;
    if (IsResetRequest(frame, static_cast<size_t>(length)))
        return ReceiveAck();
    return Receive(address, command, data, capacity);
}

int CRadioProtocol::command(const Bytes &frame, const char *name, const Expected &expected, uint32_t &address, uint8_t &cmd, uint8_t *data, int capacity)
{
    int result = -1;
    beginRequest(QLatin1String(name));
    const bool reset = IsResetRequest(frame.data(), frame.size());
    for (int attempt = 0; attempt < m_nRetries; ++attempt) {
        if (!usable())
            return -1;
        // A retry starts on an empty line: what is still coming for the
        // failed attempt (a late echo or reply) must not answer this one.
        if (attempt > 0 ? !DrainLine() : !m_pCable->Purge(kCablePurgeBoth))
            return -1;
        cmd = 0;
        result = Transact(frame.data(), static_cast<int>(frame.size()), address, cmd, data, capacity);
        if (result < 0)
            continue;
        if (reset) {
            m_eFailure = LinkFailure::None;
            return result;
        }
        // Both queries answer with command 23 and three bytes: a version is
        // characters, which tells a late status reply from it.
        const bool characters = !expected.characters || std::all_of(data, data + std::min(result, capacity), [](uint8_t b) { return b >= 0x20 && b < 0x7F; });
        if (cmd != expected.command || result > expected.maxData || !characters) {
            // The answer to some other request (a late one): never taken
            // for this one's.
            failed(LinkFailure::UnexpectedReply, QStringLiteral("command %1 with %2 data bytes, command %3 expected").arg(hexByte(cmd)).arg(result).arg(hexByte(expected.command)));
            result = -1;
            continue;
        }
        if (result < expected.minData) {
            // A reply without the data the request needs is no answer
            // either: a failed attempt like a short memory reply.
            failed(LinkFailure::ShortAnswer, QStringLiteral("%1 data bytes, %2 needed").arg(result).arg(expected.minData));
            result = -1;
            continue;
        }
        m_eFailure = LinkFailure::None;
        return result;
    }
    return result;
}

int CRadioProtocol::ResetRadio()
{
    uint32_t a = 0;
    uint8_t c = 0;
    return command(ResetRequest(), "reset", {0, 0, 0}, a, c, nullptr, 0);
}

int CRadioProtocol::StartLink()
{
    uint32_t a = 0;
    uint8_t c = 0;
    uint8_t data[kReplyCapacity];
    // Its reply carries the link start's argument: a reply cut short is a
    // short answer, retried.
    return command(LinkStartRequest(), "link start", {kCmdLinkStart, 1, kReplyCapacity}, a, c, data, kReplyCapacity);
}

int CRadioProtocol::ReadFirmwareVersion(char version[3])
{
    uint32_t a = 0;
    uint8_t c = 0;
    uint8_t data[kReplyCapacity] = {};
    const int r = command(FirmwareVersionRequest(), "firmware query", {kCmdQuery, 3, 3, true}, a, c, data, kReplyCapacity);
    if (r < 3)
        return -1;
    for (int i = 0; i < 3; ++i)
        version[i] = static_cast<char>(data[i]);
    return r;
}

int CRadioProtocol::ReadMemoryStatus(uint8_t &status)
{
    uint32_t a = 0;
    uint8_t c = 0;
    uint8_t data[kReplyCapacity] = {};
    const int r = command(MemoryStatusRequest(), "memory status query", {kCmdQuery, 3, 3}, a, c, data, kReplyCapacity);
    if (r < 3)
        return -1;
    status = data[2] & 0x1F;
    return r;
}

int CRadioProtocol::SendControl(uint8_t a, uint8_t b, uint8_t c)
{
    uint32_t addr = 0;
    uint8_t cmd = 0;
    uint8_t data[kReplyCapacity];
    const QByteArray name = (QStringLiteral("control ") + QStringLiteral("%1 %2 %3").arg(a, 2, 16, QLatin1Char('0')).arg(b, 2, 16, QLatin1Char('0')).arg(c, 2, 16, QLatin1Char('0')).toUpper()).toLatin1();
    return command(ControlRequest(a, b, c), name.constData(), {kCmdControl, 0, kReplyCapacity}, addr, cmd, data, kReplyCapacity);
}

int CRadioProtocol::WriteFrequencySlot(uint8_t slot, const uint8_t record[kFrequencyRecordSize])
{
    uint32_t addr = 0;
    uint8_t cmd = 0;
    uint8_t data[kReplyCapacity];
    const QByteArray name = QStringLiteral("frequency slot %1").arg(slot).toLatin1();
    return command(FrequencySlotRequest(slot, record), name.constData(), {kCmdFrequency, 0, kReplyCapacity}, addr, cmd, data, kReplyCapacity);
}

int CRadioProtocol::CloseFrequencyTable(uint8_t count, uint8_t flag)
{
    uint32_t addr = 0;
    uint8_t cmd = 0;
    uint8_t data[kReplyCapacity];
    return command(CloseFrequencyTableRequest(count, flag), "close frequency table", {kCmdFrequency, 0, kReplyCapacity}, addr, cmd, data, kReplyCapacity);
}

int CRadioProtocol::ReadChunk(uint32_t address, int n, uint8_t *data, uint32_t *replyAddress)
{
    if (n <= 0 || n > static_cast<int>(kMaxChunk))
        return -1;
    const Bytes frame = ReadMemoryRequest(address, static_cast<uint8_t>(n));
    uint8_t reply[kReplyCapacity];
    beginRequest(QStringLiteral("read %1 %2").arg(hexAddress(address)).arg(n));
    for (int attempt = 0; attempt < m_nRetries; ++attempt) {
        if (!usable())
            return -1;
        if (attempt > 0 ? !DrainLine() : !m_pCable->Purge(kCablePurgeBoth))
            return -1;
        if (Send(frame.data(), static_cast<int>(frame.size())) != static_cast<int>(frame.size())) {
            // An echo late or otherwise than sent is a failed attempt; a
            // request that did not go out ends the chunk.
            if (m_bEchoFailed)
                continue;
            return -1;
        }
        uint32_t a = 0;
        uint8_t cmd = 0;
        const int r = Receive(a, cmd, reply, kReplyCapacity);
        if (r < 0)
            continue;
        // Only the memory reply for exactly this address and length is an
        // answer; anything else is a failed attempt, never data.
        if (cmd != kReplyMemory || a != address || r > n) {
            failed(LinkFailure::UnexpectedReply, QStringLiteral("command %1, address %2, %3 data bytes").arg(hexByte(cmd), hexAddress(a)).arg(r));
            continue;
        }
        if (r < n) {
            failed(LinkFailure::ShortAnswer, QStringLiteral("%1 data bytes, %2 asked").arg(r).arg(n));
            continue;
        }
        std::memcpy(data, reply, static_cast<size_t>(n));
        if (replyAddress)
            *replyAddress = a;
        m_eFailure = LinkFailure::None;
        return r;
    }
    return -1;
}

int CRadioProtocol::WriteChunk(uint32_t address, int n, const uint8_t *data, uint32_t *replyAddress)
{
    if (n <= 0 || n > static_cast<int>(kMaxChunk) || !usable())
        return -1;
    beginRequest(QStringLiteral("write %1 %2").arg(hexAddress(address)).arg(n));
    const Bytes frame = WriteMemoryRequest(address, data, static_cast<size_t>(n));
    uint32_t a = 0;
    uint8_t cmd = 0;
    uint8_t reply[kReplyCapacity];
    int r = -1;
    // Only an echo that came back late or otherwise than sent is retried
    // (the same bytes to the same address, after the line is drained); a
    // reply that does not answer the write fails it at once.
    for (int attempt = 0; attempt < m_nRetries; ++attempt) {
        if (attempt > 0 ? !DrainLine() : !m_pCable->Purge(kCablePurgeBoth))
            return -1;
        cmd = 0;
        r = Transact(frame.data(), static_cast<int>(frame.size()), a, cmd, reply, kReplyCapacity);
        if (r >= 0 || !m_bEchoFailed)
            break;
    }
    if (r < 0)
        return -1;
    if (cmd == kReplyRefused && a == address) {
        setError(kErrRefused);
        failed(LinkFailure::Refused);
        return -1;
    }
    // An accepted write names exactly the address written; a reply for
    // another address (or another command) fails the write: the next chunk
    // never goes anywhere but where it belongs.
    if (cmd != kReplyWritten || a != address) {
        failed(LinkFailure::UnexpectedReply, QStringLiteral("command %1, address %2").arg(hexByte(cmd), hexAddress(a)));
        return -1;
    }
    if (replyAddress)
        *replyAddress = a;
    m_eFailure = LinkFailure::None;
    return r;
}

int CRadioProtocol::ReadMemory(uint32_t address, int length, uint8_t *destination)
{
    int remaining = length;
    int total = 0;
    while (remaining > 0) {
        const int n = std::min(static_cast<int>(kMaxChunk), remaining);
        uint32_t replyAddress = 0;
        if (ReadChunk(address, n, destination + total, &replyAddress) <= 0)
            return -1;
        address += static_cast<uint32_t>(n);
        total += n;
        remaining -= n;
    }
    return total;
}

int CRadioProtocol::WriteMemory(const uint8_t *source, int length, uint32_t address)
{
    int remaining = length;
    int offset = 0;
    int total = 0;
    while (remaining > 0) {
        const int n = std::min(static_cast<int>(kMaxChunk), remaining);
        uint32_t replyAddress = 0;
        const int r = WriteChunk(address, n, source + offset, &replyAddress);
        if (r < 0)
            return -1;
        total += r;
        address += static_cast<uint32_t>(n);
        offset += n;
        remaining -= n;
    }
    return total;
}

} // namespace tavo
