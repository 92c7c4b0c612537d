#include "radio/SimTransport.h"

namespace tavo {

using frames::Bytes;

SimLink::SimLink() = default;

CableConfig SimLink::Config()
{
    CableConfig config;
    config.portPath = QStringLiteral("sim:");
    std::weak_ptr<SimLink> weak = shared_from_this();
    config.transportFactory = [weak]() -> std::unique_ptr<ICableTransport> {
        return std::make_unique<SimTransport>(weak.lock());
    };
    config.sleep = [weak](int ms) {
        if (auto link = weak.lock()) {
            std::lock_guard<std::mutex> lock(link->mutex);
            link->sleeps.push_back(ms);
            link->elapsedMs += ms;
        }
    };
    return config;
}

bool SimLink::moved(long n)
{
    if (unplugAfterBytes >= 0 && bytesWritten + bytesRead + n > unplugAfterBytes)
        unplugged = true;
    return !unplugged;
}

SimTransport::SimTransport(std::shared_ptr<SimLink> link) : m_link(std::move(link)) {}

FtStatus SimTransport::Open(int)
{
    if (!m_link)
        return FT_DEVICE_NOT_FOUND;
    std::lock_guard<std::mutex> lock(m_link->mutex);
    if (m_link->failOpens > 0) {
        --m_link->failOpens;
        m_strError = QStringLiteral("simulated cable: open refused");
        return FT_DEVICE_NOT_FOUND;
    }
    if (m_link->unplugged) {
        m_strError = QStringLiteral("simulated cable: unplugged");
        return FT_DEVICE_NOT_FOUND;
    }
    ++m_link->opens;
    m_link->pending.clear();
    m_link->radio().ResetParser();
    m_bOpen = true;
    return FT_OK;
}

FtStatus SimTransport::Close()
{
    if (!m_bOpen)
        return FT_INVALID_HANDLE;
    std::lock_guard<std::mutex> lock(m_link->mutex);
    ++m_link->closes;
    m_bOpen = false;
    return FT_OK;
}

FtStatus SimTransport::SetBaudRate(uint32_t baud)
{
    std::lock_guard<std::mutex> lock(m_link->mutex);
    m_link->baudRate = baud;
    return m_link->unplugged ? FT_IO_ERROR : FT_OK;
}

FtStatus SimTransport::SetDataCharacteristics(uint8_t wordLength, uint8_t stopBits, uint8_t parity)
{
    std::lock_guard<std::mutex> lock(m_link->mutex);
    m_link->wordLength = wordLength;
    m_link->stopBits = stopBits;
    m_link->parity = parity;
    return m_link->unplugged ? FT_IO_ERROR : FT_OK;
}

FtStatus SimTransport::SetFlowControl(uint16_t mode, uint8_t, uint8_t)
{
    std::lock_guard<std::mutex> lock(m_link->mutex);
    m_link->flowMode = mode;
    return m_link->unplugged ? FT_IO_ERROR : FT_OK;
}

FtStatus SimTransport::SetTimeouts(uint32_t readMs, uint32_t writeMs)
{
    std::lock_guard<std::mutex> lock(m_link->mutex);
    m_link->readTimeoutMs = readMs;
    m_link->writeTimeoutMs = writeMs;
    m_nReadTimeoutMs = readMs;
    return m_link->unplugged ? FT_IO_ERROR : FT_OK;
}

FtStatus SimTransport::Purge(uint32_t mask)
{
    std::lock_guard<std::mutex> lock(m_link->mutex);
    if (m_link->unplugged)
        return FT_IO_ERROR;
    ++m_link->purges;
    if (mask & FT_PURGE_RX)
        m_link->pending.clear();
    return FT_OK;
}

FtStatus SimTransport::Read(uint8_t *buffer, uint32_t n, uint32_t *count)
{
    *count = 0;
    std::lock_guard<std::mutex> lock(m_link->mutex);
    SimLink &l = *m_link;
    uint32_t got = 0;
    // A radio streaming noise fills every read.
    if (l.radio().StreamingNoise() && l.pending.size() < n) {
        const Bytes noise = l.radio().NoiseBytes(n - l.pending.size());
        l.pending.insert(l.pending.end(), noise.begin(), noise.end());
    }
    while (got < n && !l.pending.empty()) {
        if (!l.moved(1)) {
            *count = got;
            m_strError = QStringLiteral("simulated cable: unplugged");
            return FT_IO_ERROR;
        }
        buffer[got++] = l.pending.front();
        l.pending.pop_front();
        ++l.bytesRead;
    }
    *count = got;
    if (l.unplugged) {
        m_strError = QStringLiteral("simulated cable: unplugged");
        return FT_IO_ERROR;
    }
    if (got < n)
        l.elapsedMs += m_nReadTimeoutMs; // the read waited its time-out
    return FT_OK;
}

FtStatus SimTransport::Write(const uint8_t *buffer, uint32_t n, uint32_t *count)
{
    *count = 0;
    std::lock_guard<std::mutex> lock(m_link->mutex);
    SimLink &l = *m_link;
    uint32_t put = 0;
    while (put < n) {
        if (!l.moved(1)) {
            *count = put;
            m_strError = QStringLiteral("simulated cable: unplugged");
            return FT_IO_ERROR;
        }
        for (SimulatedRadio::Output &o : l.radio().Receive(buffer + put, 1))
            l.pending.insert(l.pending.end(), o.bytes.begin(), o.bytes.end());
        ++put;
        ++l.bytesWritten;
    }
    *count = put;
    return FT_OK;
}

FtStatus SimTransport::ListDevices(std::vector<std::optional<QString>> &descriptions)
{
    std::lock_guard<std::mutex> lock(m_link->mutex);
    descriptions = m_link->devices;
    return FT_OK;
}

} // namespace tavo
