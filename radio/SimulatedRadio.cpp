#include "radio/SimulatedRadio.h"

#include "radio/RadioMemoryMap.h"

#include <cstring>

namespace tavo {

using namespace frames;
using namespace radiomap;

namespace {

QString hex(const uint8_t *p, size_t n)
{
    QString s;
    for (size_t i = 0; i < n; ++i) {
        if (i)
            s += QLatin1Char(' ');
        s += QStringLiteral("%1").arg(p[i], 2, 16, QLatin1Char('0')).toUpper();
    }
    return s;
}

QString hexAddress(uint32_t a)
{
    return QStringLiteral("%1").arg(a, 6, 16, QLatin1Char('0')).toUpper();
}

uint32_t address24(const Bytes &p, size_t at)
{
    return GetBE(p.data() + at, 3);
}

} // namespace

std::vector<uint8_t> PackImageToRadioMemory(const VirtualCP &cp)
{
    std::vector<uint8_t> mem(SimulatedRadio::kDumpSize, 0);
    auto at = [&](uint32_t address) { return mem.data() + (address - SimulatedRadio::kPage1); };

    uint8_t *block = at(kSettingsAddress);
    PackSettingsRecordFull(cp, block);
    for (size_t j = 0; j < cp.UsedChannelSlots(); ++j)
        PackChannelRecord(cp.Channel(j), block + kChannelRecordOffset + kChannelRecordSize * j);
    if (HasCustomTones(cp)) {
        for (size_t i = 0; i < VirtualCP::kCustomToneCount; ++i)
            SetBE(block + kCustomToneBlockOffset + 2 * i, 2, cp.CustomTone(i));
    }
    for (size_t s = 0; s < cp.UsedFrequencySlots(); ++s)
        PackFrequencyRecord(cp.Frequency(s), at(kFrequencyAddress) + s * radiomap::kFrequencyRecordSize);
    PackFrequencyLimits(cp, at(kFrequencyLimitsAddress));
    PackLimits(cp, at(kLimitsAddress));
    *at(kCloneCompatibilityAddress) = static_cast<uint8_t>(cp.CloneCompatibility());
    SetBE(at(kSynthBaseAddress), 2, cp.SynthBase() & 0xFFFF);
    PackHeader(cp, at(kHeaderAddress));
    return mem;
}

SimulatedRadio::SimulatedRadio() : m_memory(kDumpSize, 0), m_factory(kDumpSize, 0) {}

void SimulatedRadio::LoadImage(const VirtualCP &cp)
{
    m_memory = PackImageToRadioMemory(cp);
    SetFirmware(static_cast<char>(cp.FirmwarePhase()), static_cast<char>(cp.FirmwareVersion()), static_cast<char>(cp.FirmwareRevision()));
    MarkFactoryState();
}

bool SimulatedRadio::LoadDump(const QByteArray &dump, QString *error)
{
    if (dump.size() != static_cast<int>(kPageSize) && dump.size() != static_cast<int>(kDumpSize)) {
        if (error)
            *error = QStringLiteral("a memory dump holds %1 or %2 bytes, not %3").arg(kPageSize).arg(kDumpSize).arg(dump.size());
        return false;
    }
    m_memory.assign(kDumpSize, 0);
    std::memcpy(m_memory.data(), dump.constData(), static_cast<size_t>(dump.size()));
    MarkFactoryState();
    return true;
}

QByteArray SimulatedRadio::Dump() const
{
    return QByteArray(reinterpret_cast<const char *>(m_memory.data()), static_cast<int>(m_memory.size()));
}

void SimulatedRadio::SetFirmware(char phase, char version, char revision)
{
    m_firmware[0] = phase;
    m_firmware[1] = version;
    m_firmware[2] = revision;
}

void SimulatedRadio::MarkFactoryState()
{
    m_factory = m_memory;
}

int SimulatedRadio::index(uint32_t address) const
{
    if (address >= kPage1 && address < kPage1 + kPageSize)
        return static_cast<int>(address - kPage1);
    if (address >= kPage2 && address < kPage2 + kPageSize)
        return static_cast<int>(kPageSize + (address - kPage2));
    return -1;
}

bool SimulatedRadio::IsMapped(uint32_t address) const
{
    return index(address) >= 0;
}

uint8_t SimulatedRadio::Peek(uint32_t address) const
{
    const int i = index(address);
    return i < 0 ? 0xFF : m_memory[static_cast<size_t>(i)];
}

void SimulatedRadio::Poke(uint32_t address, uint8_t value)
{
    const int i = index(address);
    if (i >= 0)
        m_memory[static_cast<size_t>(i)] = value;
}

void SimulatedRadio::ReadRange(uint32_t address, size_t n, uint8_t *out) const
{
    for (size_t k = 0; k < n; ++k)
        out[k] = Peek(address + static_cast<uint32_t>(k));
}

void SimulatedRadio::WriteRange(uint32_t address, const uint8_t *data, size_t n)
{
    for (size_t k = 0; k < n; ++k)
        Poke(address + static_cast<uint32_t>(k), data[k]);
}

void SimulatedRadio::log(const QString &line)
{
    m_log.push_back(line);
    if (onLog)
        onLog(line);
}

std::vector<SimulatedRadio::Output> SimulatedRadio::Receive(const uint8_t *data, size_t n)
{
    std::vector<Output> out;
    Bytes echo;
    for (size_t i = 0; i < n; ++i) {
        echo.push_back(data[i]);
        Request req;
        if (!m_parser.Feed(data[i], req))
            continue;
        ++m_nRequests;
        if (m_faults.wrongEchoAtRequest == m_nRequests) {
            echo.back() = static_cast<uint8_t>(echo.back() ^ 0x01);
            log(QStringLiteral("FAULT wrong echo of request %1").arg(m_nRequests));
        }
        // A reply held back comes now: after the next request's echo,
        // where that request's own answer belongs.
        if (!m_heldReply.empty()) {
            out.push_back({std::move(echo), false});
            echo.clear();
            out.push_back({std::move(m_heldReply), true});
            m_heldReply.clear();
        }
        Bytes reply;
        if (!req.checksumOk)
            log(QStringLiteral("BAD-FRAME %1 (checksum), ignored").arg(hex(req.raw.data(), req.raw.size())));
        else
            reply = handle(req);
        if (!reply.empty()) {
            out.push_back({std::move(echo), false});
            echo.clear();
            out.push_back({std::move(reply), true});
        }
    }
    if (!echo.empty())
        out.push_back({std::move(echo), false});
    return out;
}

Bytes SimulatedRadio::NoiseBytes(size_t n)
{
    // Never P, never a frame start.
    static const uint8_t kNoise[] = {0x00, 0x55, 0x0D, 0x13, 0x7E};
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = kNoise[m_nNoisePhase++ % sizeof kNoise];
    return b;
}

void SimulatedRadio::store(uint32_t address, const uint8_t *data, size_t n)
{
    for (size_t k = 0; k < n; ++k) {
        const uint32_t a = address + static_cast<uint32_t>(k);
        bool stuck = false;
        for (uint32_t s : m_faults.stuckBytes)
            stuck = stuck || s == a;
        if (stuck)
            log(QStringLiteral("FAULT stuck byte %1 kept %2").arg(hexAddress(a)).arg(Peek(a), 2, 16, QLatin1Char('0')).toUpper());
        else
            Poke(a, data[k]);
    }
}

Bytes SimulatedRadio::applyFaults(Bytes reply, bool framed)
{
    if (m_bStreamingNoise)
        return Bytes(); // the noise goes on; no reply gets through
    if (m_faults.silent || (m_faults.silentAfterReplies >= 0 && m_nReplies >= m_faults.silentAfterReplies)) {
        log(QStringLiteral("FAULT silent: no reply"));
        return Bytes();
    }
    const int number = ++m_nReplies;
    if (m_faults.endlessNoise) {
        m_bStreamingNoise = true;
        log(QStringLiteral("FAULT endless noise from reply %1").arg(number));
        return Bytes{kAck};
    }
    if (m_faults.lateReplyAtReply == number) {
        log(QStringLiteral("FAULT late reply %1: held back until after the next request").arg(number));
        m_heldReply = std::move(reply);
        return Bytes();
    }
    if (m_faults.badAckAtReply == number) {
        log(QStringLiteral("FAULT wrong acknowledgement at reply %1").arg(number));
        return Bytes{kWrongAck};
    }
    if (m_faults.badChecksumAtReply == number)
        m_bChecksumFaultPending = true;
    if (framed && m_bChecksumFaultPending) {
        m_bChecksumFaultPending = false;
        reply.back() = static_cast<uint8_t>(reply.back() ^ 0xFF);
        log(QStringLiteral("FAULT wrong checksum at reply %1").arg(number));
    }
    if (framed && m_faults.shortReplyAtReply == number && reply.size() > 2) {
        // The frame rebuilt with half its data bytes (addressed memory
        // replies keep their address).
        const bool isLong = reply[1] == kLongStart;
        const uint8_t cmd = reply[2];
        const size_t head = isLong ? (IsAddressedReply(cmd) ? 8 : 5) : 3;
        if (reply.size() > head + 1) {
            Bytes data(reply.begin() + static_cast<long>(head), reply.end() - 1);
            data.resize(data.size() / 2);
            const uint32_t address = isLong && IsAddressedReply(cmd) ? GetBE(reply.data() + 5, 3) : 0;
            reply = isLong ? LongReply(cmd, data, IsAddressedReply(cmd), address) : ShortReply(cmd, data);
            log(QStringLiteral("FAULT short reply at reply %1").arg(number));
        }
    }
    if (framed && m_faults.noise && reply.size() > 1 && reply[0] == kAck)
        reply.insert(reply.begin() + 1, {0x00, 0x55, 0x0D});
    return reply;
}

Bytes SimulatedRadio::handle(const Request &req)
{
    const Bytes &p = req.payload;
    if (req.longFrame) {
        switch (req.command) {
        case kCmdReset:
            ++m_nResets;
            log(QStringLiteral("RESET"));
            return applyFaults(Bytes{kAck}, false);
        case kCmdReadMemory: {
            if (p.size() != 4 || p[0] == 0 || p[0] > kMaxChunk)
                break;
            uint32_t a = address24(p, 1);
            log(QStringLiteral("READ %1 %2").arg(hexAddress(a)).arg(p[0]));
            if (nextReplyIs(m_faults.wrongAddressAtReply) && !m_bStreamingNoise) {
                a += kWrongAddressOffset; // answered from another address
                log(QStringLiteral("FAULT wrong address at reply %1: %2").arg(m_nReplies + 1).arg(hexAddress(a)));
            }
            Bytes data(p[0]);
            ReadRange(a, data.size(), data.data());
            return applyFaults(LongReply(kReplyMemory, data, true, a), true);
        }
        case kCmdWriteMemory: {
            if (p.size() < 4 || p.size() > 3 + kMaxChunk)
                break;
            const uint32_t a = address24(p, 0);
            const size_t n = p.size() - 3;
            if (m_faults.refuseWrites) {
                log(QStringLiteral("WRITE %1 %2 refused").arg(hexAddress(a)).arg(n));
                return applyFaults(LongReply(kReplyRefused, {}, true, a), true);
            }
            store(a, p.data() + 3, n);
            log(QStringLiteral("WRITE %1 %2").arg(hexAddress(a)).arg(n));
            uint32_t replyAddress = a;
            if (nextReplyIs(m_faults.wrongAddressAtReply) && !m_bStreamingNoise) {
                replyAddress += kWrongAddressOffset;
                log(QStringLiteral("FAULT wrong address at reply %1: %2").arg(m_nReplies + 1).arg(hexAddress(replyAddress)));
            }
            return applyFaults(LongReply(kReplyWritten, {}, true, replyAddress), true);
        }
        case kCmdControl: {
            if (p.size() != 4)
                break;
            log(QStringLiteral("CONTROL %1").arg(hex(p.data(), 3)));
            if (p[0] == 0x1F && p[1] == 3 && p[2] == 1) {
                m_memory = m_factory;
                log(QStringLiteral("FACTORY-RESET memory restored"));
            }
            return applyFaults(ShortReply(kCmdControl, {0x00}), true);
        }
        case kCmdFrequency: {
            if (p.size() != 8 || p[0] != kFrequencySlotTag)
                break;
            const uint8_t slot = p[1];
            if (slot >= VirtualCP::kFrequencyCount) {
                log(QStringLiteral("FREQ %1 out of the table, ignored").arg(slot));
                break;
            }
            store(kFrequencyAddress + 6u * slot, p.data() + 2, 6);
            log(QStringLiteral("FREQ %1 %2").arg(slot).arg(hex(p.data() + 2, 6)));
            return applyFaults(ShortReply(kCmdFrequency, {0x00}), true);
        }
        default:
            break;
        }
    } else {
        switch (req.command) {
        case kCmdLinkStart:
            log(QStringLiteral("LINK"));
            return applyFaults(ShortReply(kCmdLinkStart, {kLinkStartArg}), true);
        case kCmdQuery:
            if (p.size() == 1 && p[0] == kQueryFirmware) {
                log(QStringLiteral("FIRMWARE %1%2%3").arg(QLatin1Char(m_firmware[0])).arg(QLatin1Char(m_firmware[1])).arg(QLatin1Char(m_firmware[2])));
                return applyFaults(ShortReply(kCmdQuery, {static_cast<uint8_t>(m_firmware[0]), static_cast<uint8_t>(m_firmware[1]), static_cast<uint8_t>(m_firmware[2])}), true);
            }
            if (p.size() == 1 && p[0] == kQueryMemoryStatus) {
                log(QStringLiteral("STATUS %1").arg(m_faults.memoryStatus));
                return applyFaults(ShortReply(kCmdQuery, {0x00, 0x00, static_cast<uint8_t>(m_faults.memoryStatus & 0x1F)}), true);
            }
            break;
        case kCmdFrequency:
            if (p.size() == 3 && p[0] == kFrequencyCloseTag) {
                log(QStringLiteral("CLOSEFREQ %1 %2").arg(p[1]).arg(p[2]));
                // The radio keeps the programming-mode flag the command
                // carries in its limits record, where a read
                // finds it again.
                for (size_t i = 0; i < kLimitsFieldCount; ++i) {
                    const BitField &f = kLimitsFields[i];
                    if (f.imageOffset != VirtualCP::kProgrammingModeEnabledOffset)
                        continue;
                    const uint32_t byte = kLimitsAddress + f.recordByte;
                    Poke(byte, WithBit(Peek(byte), f.shift, p[2] != 0));
                }
                return applyFaults(ShortReply(kCmdFrequency, {0x00}), true);
            }
            break;
        default:
            break;
        }
    }
    log(QStringLiteral("UNKNOWN %1, no reply").arg(hex(req.raw.data(), req.raw.size())));
    return Bytes();
}

} // namespace tavo
