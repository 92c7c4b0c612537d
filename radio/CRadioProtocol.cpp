#include "radio/CRadioProtocol.h"

#include <algorithm>
#include <cstring>

namespace tavo {

using namespace frames;

namespace {
constexpr int kReplyCapacity = 256;
}

CRadioProtocol::CRadioProtocol(const CCableConfig &config) : m_pCable(std::make_unique<CUsbCable>(config))
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
        if (m_scratch.size() < static_cast<size_t>(length))
            m_scratch.resize(static_cast<size_t>(length));
        if (m_pCable->Read(m_scratch.data(), static_cast<uint32_t>(length)) == static_cast<uint32_t>(length))
            return length;
        if (!usable())
            return -1;
    }
    return -1;
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
    CReplyParser parser(true);
    m_nReadAttempts = m_nReplyRetries;
    int result = -1;
    for (;;) {
        m_nReadAttempts = parser.WaitingForReplyStart() ? m_nReplyRetries : m_nRetries;
        uint8_t byte = 0;
        if (ReadBytes(&byte, 1) != 1)
            break;
        const CReplyParser::Result r = parser.Feed(byte);
        if (r == CReplyParser::Result::More)
            continue;
        if (r == CReplyParser::Result::Error) {
            setError(parser.errorCode());
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
    if (got != 1)
        return -1;
    if (byte != kAck) {
        setError(kErrNoAck);
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

int CRadioProtocol::command(const Bytes &frame, uint32_t &address, uint8_t &cmd, uint8_t *data, int capacity)
{
    int result = -1;
    for (int attempt = 0; attempt < m_nRetries; ++attempt) {
        if (!usable())
            return -1;
        if (!m_pCable->Purge(kCablePurgeBoth))
            return -1;
        result = Transact(frame.data(), static_cast<int>(frame.size()), address, cmd, data, capacity);
        if (result >= 0)
            return result;
    }
    return result;
}

int CRadioProtocol::ResetRadio()
{
    uint32_t a = 0;
    uint8_t c = 0;
    return command(ResetRequest(), a, c, nullptr, 0);
}

int CRadioProtocol::StartLink()
{
    uint32_t a = 0;
    uint8_t c = 0;
    uint8_t data[kReplyCapacity];
    return command(LinkStartRequest(), a, c, data, kReplyCapacity);
}

int CRadioProtocol::ReadFirmwareVersion(char version[3])
{
    uint32_t a = 0;
    uint8_t c = 0;
    uint8_t data[kReplyCapacity] = {};
    const int r = command(FirmwareVersionRequest(), a, c, data, kReplyCapacity);
    if (r < 3)
        return -1; // a reply without the three characters is no answer
    for (int i = 0; i < 3; ++i)
        version[i] = static_cast<char>(data[i]);
    return r;
}

int CRadioProtocol::ReadMemoryStatus(uint8_t &status)
{
    uint32_t a = 0;
    uint8_t c = 0;
    uint8_t data[kReplyCapacity] = {};
    const int r = command(MemoryStatusRequest(), a, c, data, kReplyCapacity);
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
    return command(ControlRequest(a, b, c), addr, cmd, data, kReplyCapacity);
}

int CRadioProtocol::WriteFrequencySlot(uint8_t slot, const uint8_t record[kFrequencyRecordSize])
{
    uint32_t addr = 0;
    uint8_t cmd = 0;
    uint8_t data[kReplyCapacity];
    return command(FrequencySlotRequest(slot, record), addr, cmd, data, kReplyCapacity);
}

int CRadioProtocol::CloseFrequencyTable(uint8_t count, uint8_t flag)
{
    uint32_t addr = 0;
    uint8_t cmd = 0;
    uint8_t data[kReplyCapacity];
    return command(CloseFrequencyTableRequest(count, flag), addr, cmd, data, kReplyCapacity);
}

int CRadioProtocol::ReadChunk(uint32_t address, int n, uint8_t *data, uint32_t *replyAddress)
{
    if (n <= 0 || n > static_cast<int>(kMaxChunk))
        return -1;
    const Bytes frame = ReadMemoryRequest(address, static_cast<uint8_t>(n));
    uint8_t reply[kReplyCapacity];
    for (int attempt = 0; attempt < m_nRetries; ++attempt) {
        if (!usable())
            return -1;
        if (!m_pCable->Purge(kCablePurgeBoth))
            return -1;
        if (Send(frame.data(), static_cast<int>(frame.size())) != static_cast<int>(frame.size()))
            return -1;
        uint32_t a = 0;
        uint8_t cmd = 0;
        const int r = Receive(a, cmd, reply, kReplyCapacity);
        // A reply that carries fewer bytes than asked is no answer either.
        if (r >= n) {
            std::memcpy(data, reply, static_cast<size_t>(n));
            if (replyAddress)
                *replyAddress = a;
            return r;
        }
    }
    return -1;
}

int CRadioProtocol::WriteChunk(uint32_t address, int n, const uint8_t *data, uint32_t *replyAddress)
{
    if (n <= 0 || n > static_cast<int>(kMaxChunk) || !usable())
        return -1;
    const Bytes frame = WriteMemoryRequest(address, data, static_cast<size_t>(n));
    if (!m_pCable->Purge(kCablePurgeBoth))
        return -1;
    uint32_t a = 0;
    uint8_t cmd = 0;
    uint8_t reply[kReplyCapacity];
    const int r = Transact(frame.data(), static_cast<int>(frame.size()), a, cmd, reply, kReplyCapacity);
    if (r < 0)
        return -1;
    if (cmd == kReplyRefused) {
        setError(kErrRefused);
        return -1;
    }
    if (replyAddress)
        *replyAddress = a;
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
        address = replyAddress + static_cast<uint32_t>(n);
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
        address = replyAddress + static_cast<uint32_t>(n);
        offset += n;
        remaining -= n;
    }
    return total;
}

} // namespace tavo
