#include "radio/RadioFrames.h"

#include <algorithm>

namespace tavo::frames {

uint8_t Checksum(const uint8_t *data, size_t n)
{
    unsigned sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += data[i];
    return static_cast<uint8_t>(255u - (sum % 256u));
}

Bytes LongRequest(uint8_t command, const Bytes &payload)
{
    Bytes f;
    f.reserve(payload.size() + 5);
    f.push_back(kLongStart);
    f.push_back(command);
    f.push_back(0x00);
    f.push_back(static_cast<uint8_t>(payload.size() + 1));
    f.insert(f.end(), payload.begin(), payload.end());
    f.push_back(Checksum(f));
    return f;
}

Bytes ShortRequest(uint8_t command, const Bytes &data)
{
    Bytes f;
    f.reserve(data.size() + 3);
    f.push_back(static_cast<uint8_t>(kShortBase + ((data.size() + 1) & 0x0F)));
    f.push_back(command);
    f.insert(f.end(), data.begin(), data.end());
    f.push_back(Checksum(f));
    return f;
}

namespace {
void pushAddress(Bytes &b, uint32_t address)
{
    b.push_back(static_cast<uint8_t>((address >> 16) & 0xFF));
    b.push_back(static_cast<uint8_t>((address >> 8) & 0xFF));
    b.push_back(static_cast<uint8_t>(address & 0xFF));
}
} // namespace

Bytes ResetRequest() { return LongRequest(kCmdReset, {}); }
Bytes LinkStartRequest() { return ShortRequest(kCmdLinkStart, {kLinkStartArg}); }
Bytes FirmwareVersionRequest() { return ShortRequest(kCmdQuery, {kQueryFirmware}); }
Bytes MemoryStatusRequest() { return ShortRequest(kCmdQuery, {kQueryMemoryStatus}); }

Bytes ReadMemoryRequest(uint32_t address, uint8_t n)
{
    Bytes p{n};
    pushAddress(p, address);
    return LongRequest(kCmdReadMemory, p);
}

Bytes WriteMemoryRequest(uint32_t address, const uint8_t *data, size_t n)
{
    Bytes p;
    pushAddress(p, address);
    p.insert(p.end(), data, data + n);
    return LongRequest(kCmdWriteMemory, p);
}

Bytes ControlRequest(uint8_t a, uint8_t b, uint8_t c)
{
    return LongRequest(kCmdControl, {a, b, c, 0x00});
}

Bytes FrequencySlotRequest(uint8_t slot, const uint8_t record[kFrequencyRecordSize])
{
    // Sized once and filled in place: growing a two-byte vector by the
    // record made GCC 12 (-O2, inlined reallocation) warn of a copy past the
    // old buffer, which no run ever does.
    Bytes p(2 + kFrequencyRecordSize);
    p[0] = kFrequencySlotTag;
    p[1] = slot;
    std::copy(record, record + kFrequencyRecordSize, p.begin() + 2);
    return LongRequest(kCmdFrequency, p);
}

Bytes CloseFrequencyTableRequest(uint8_t count, uint8_t flag)
{
    return ShortRequest(kCmdFrequency, {kFrequencyCloseTag, count, flag});
}

// ---- reply parser

ReplyParser::ReplyParser(bool expectAck)
{
    Reset(expectAck);
}

void ReplyParser::Reset(bool expectAck)
{
    m_state = expectAck ? State::Ack : State::Start;
    m_bNoiseSeen = false;
    m_bLong = false;
    m_nSum = 0;
    m_nCount = 0;
    m_nAddress = 0;
    m_nCommand = 0;
    m_nError = 0;
    m_data.clear();
}

void ReplyParser::enterDataOrChecksum()
{
    // A count that leaves no room for data (the checksum only) goes
    // straight to the checksum.
    m_state = m_nCount <= 1 ? State::Checksum : State::Data;
}

void ReplyParser::afterAddress()
{
    if (m_nCount > 0)
        --m_nCount;
}

ReplyParser::Result ReplyParser::Feed(uint8_t byte)
{
    bool summed = true;
    switch (m_state) {
    case State::Ack:
        if (byte != kAck) {
            m_nError = kErrNoAck;
            m_state = State::Failed;
            return Result::Error;
        }
        m_state = State::Start;
        return Result::More;
    case State::Start:
        if (byte == kLongStart) {
            m_nSum = 0;
            m_bLong = true;
            m_state = State::LongCommand;
        } else if (byte >= 0xF0 && byte <= 0xFE) {
            m_nSum = 0;
            m_bLong = false;
            m_nCount = byte & 0x0F;
            m_state = State::ShortCommand;
        } else {
            m_bNoiseSeen = true;
            summed = false;
        }
        break;
    case State::LongCommand:
        m_nCommand = byte;
        m_state = State::LengthHigh;
        break;
    case State::LengthHigh:
        m_nCount = static_cast<unsigned>(byte) * 256u;
        m_state = State::LengthLow;
        break;
    case State::LengthLow:
        m_nCount += byte;
        if (m_nCount == 0)
            m_state = State::Checksum;
        else if (IsAddressedReply(m_nCommand))
            m_state = State::Address1;
        else
            enterDataOrChecksum();
        break;
    case State::ShortCommand:
        m_nCommand = byte;
        enterDataOrChecksum();
        break;
    case State::Address1:
        m_nAddress |= static_cast<uint32_t>(byte) << 16;
        afterAddress();
        m_state = State::Address2;
        break;
    case State::Address2:
        m_nAddress |= static_cast<uint32_t>(byte) << 8;
        afterAddress();
        m_state = State::Address3;
        break;
    case State::Address3:
        m_nAddress |= byte;
        afterAddress();
        enterDataOrChecksum();
        break;
    case State::Data:
        m_data.push_back(byte);
        --m_nCount;
        if (m_nCount <= 1)
            m_state = State::Checksum;
        break;
    case State::Checksum: {
        const uint8_t expected = static_cast<uint8_t>(255u - (m_nSum % 256u));
        if (byte != expected) {
            m_nError = kErrChecksum;
            m_state = State::Failed;
            return Result::Error;
        }
        m_state = State::Done;
        return Result::Done;
    }
    case State::Done:
        return Result::Done;
    case State::Failed:
        return Result::Error;
    }
    if (summed)
        m_nSum += byte;
    return Result::More;
}

// ---- reply builders

Bytes LongReply(uint8_t command, const Bytes &data, bool withAddress, uint32_t address, bool ack)
{
    Bytes f;
    if (ack)
        f.push_back(kAck);
    const size_t start = f.size();
    const size_t length = data.size() + 1 + (withAddress ? 3 : 0);
    f.push_back(kLongStart);
    f.push_back(command);
    f.push_back(static_cast<uint8_t>((length >> 8) & 0xFF));
    f.push_back(static_cast<uint8_t>(length & 0xFF));
    if (withAddress)
        pushAddress(f, address);
    f.insert(f.end(), data.begin(), data.end());
    f.push_back(Checksum(f.data() + start, f.size() - start));
    return f;
}

Bytes ShortReply(uint8_t command, const Bytes &data, bool ack)
{
    Bytes f;
    if (ack)
        f.push_back(kAck);
    const size_t start = f.size();
    f.push_back(static_cast<uint8_t>(kShortBase + ((data.size() + 1) & 0x0F)));
    f.push_back(command);
    f.insert(f.end(), data.begin(), data.end());
    f.push_back(Checksum(f.data() + start, f.size() - start));
    return f;
}

// ---- request parser (the radio's side)

void RequestParser::Reset()
{
    m_state = State::Idle;
    m_req = Request();
    m_nRemaining = 0;
}

bool RequestParser::Feed(uint8_t byte, Request &out)
{
    if (m_state != State::Idle)
        m_req.raw.push_back(byte);
    switch (m_state) {
    case State::Idle:
        if (byte == kLongStart) {
            m_req = Request();
            m_req.longFrame = true;
            m_req.raw.push_back(byte);
            m_state = State::LongCommand;
        } else if (byte >= 0xF0 && byte <= 0xFE) {
            m_req = Request();
            m_req.raw.push_back(byte);
            m_nRemaining = byte & 0x0F; // command + data bytes
            m_state = State::ShortCommand;
        }
        return false;
    case State::LongCommand:
        m_req.command = byte;
        m_state = State::LongZero;
        return false;
    case State::LongZero:
        m_nRemaining = static_cast<unsigned>(byte) * 256u;
        m_state = State::LongCount;
        return false;
    case State::LongCount:
        m_nRemaining += byte; // payload + checksum
        if (m_nRemaining == 0) {
            Reset();
            return false;
        }
        m_state = m_nRemaining == 1 ? State::Checksum : State::Payload;
        return false;
    case State::ShortCommand:
        m_req.command = byte;
        m_nRemaining = m_nRemaining == 0 ? 1 : m_nRemaining; // then data + checksum
        m_state = m_nRemaining <= 1 ? State::Checksum : State::Payload;
        return false;
    case State::Payload:
        m_req.payload.push_back(byte);
        if (--m_nRemaining <= 1)
            m_state = State::Checksum;
        return false;
    case State::Checksum:
        m_req.checksumOk = byte == Checksum(m_req.raw.data(), m_req.raw.size() - 1);
        out = m_req;
        Reset();
        return true;
    }
    return false;
}

} // namespace tavo::frames
