#include "radio/CUsbCable.h"

#include "radio/LinkTrace.h"
#include "radio/SerialTransport.h"
#include "resources/ProcessContext.h"

#include <mutex>
#include <thread>

namespace tavo {

namespace {
ContextValue<CableConfig> &defaultConfig()
{
    static ContextValue<CableConfig> value;
    return value;
}
} // namespace

std::unique_ptr<ICableTransport> CableConfig::MakeTransport() const
{
    if (transportFactory)
        return transportFactory();
    return std::make_unique<SerialTransport>(portPath);
}

void CableConfig::Sleep(int ms) const
{
    if (sleep)
        sleep(ms);
    else if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

CableConfig DefaultCableConfig()
{
    return defaultConfig().Get();
}

void SetDefaultCableConfig(const CableConfig &config)
{
    defaultConfig().Set(config);
}

const char *FtStatusName(FtStatus status)
{
    switch (status) {
    case FT_OK: return "FT_OK";
    case FT_INVALID_HANDLE: return "FT_INVALID_HANDLE";
    case FT_DEVICE_NOT_FOUND: return "FT_DEVICE_NOT_FOUND";
    case FT_DEVICE_NOT_OPENED: return "FT_DEVICE_NOT_OPENED";
    case FT_IO_ERROR: return "FT_IO_ERROR";
    case FT_INSUFFICIENT_RESOURCES: return "FT_INSUFFICIENT_RESOURCES";
    case FT_INVALID_PARAMETER: return "FT_INVALID_PARAMETER";
    case FT_INVALID_BAUD_RATE: return "FT_INVALID_BAUD_RATE";
    default: return "FT_OTHER_ERROR";
    }
}

std::atomic<uint64_t> CUsbCable::s_nBytesRead{0};
std::atomic<uint64_t> CUsbCable::s_nBytesWritten{0};

void CUsbCable::ResetByteCounters()
{
    s_nBytesRead = 0;
    s_nBytesWritten = 0;
}

CUsbCable::CUsbCable(const CableConfig &config) : m_config(config), m_pTransport(config.MakeTransport()) {}

CUsbCable::~CUsbCable()
{
    if (m_bOpen)
        m_pTransport->Close();
}

bool CUsbCable::check(FtStatus status)
{
    if (status == FT_OK)
        return true;
    m_nStatus = status;
    return false;
}

QString CUsbCable::LastErrorText() const
{
    return m_pTransport->LastErrorText();
}

bool CUsbCable::Open(int index)
{
    if (m_bOpen) {
        if (check(m_pTransport->Close()))
            m_bOpen = false;
    }
    if (!check(m_pTransport->Open(index)))
        return false;
    m_bOpen = true;
    // A fresh device starts sound: the failures of earlier attempts
    // (OpenConfigured's retries) do not condemn it.
    m_nStatus = FT_OK;
    return true;
}

bool CUsbCable::Close()
{
    if (!m_bOpen)
        return false;
    if (!check(m_pTransport->Close()))
        return false;
    m_bOpen = false;
    return true;
}

bool CUsbCable::SetBaudRate(uint32_t value)
{
    return m_bOpen && check(m_pTransport->SetBaudRate(value));
}

bool CUsbCable::SetDataCharacteristics(uint8_t wordLength, uint8_t stopBits, uint8_t parity)
{
    return m_bOpen && check(m_pTransport->SetDataCharacteristics(wordLength, stopBits, parity));
}

bool CUsbCable::SetFlowControl(uint16_t mode, uint8_t xon, uint8_t xoff)
{
    return m_bOpen && check(m_pTransport->SetFlowControl(mode, xon, xoff));
}

bool CUsbCable::SetTimeouts(uint32_t readMs, uint32_t writeMs)
{
    return m_bOpen && check(m_pTransport->SetTimeouts(readMs, writeMs));
}

bool CUsbCable::Purge(uint32_t mask)
{
    return m_bOpen && check(m_pTransport->Purge(mask));
}

uint32_t CUsbCable::Read(uint8_t *buffer, uint32_t n)
{
    if (!m_bOpen)
        return 0;
    uint32_t count = 0;
    check(m_pTransport->Read(buffer, n, &count));
    s_nBytesRead += count;
    if (m_config.trace)
        m_config.trace->Received(buffer, count);
    return count;
}

uint32_t CUsbCable::Write(const uint8_t *buffer, uint32_t n)
{
    if (!m_bOpen)
        return 0;
    uint32_t count = 0;
    check(m_pTransport->Write(buffer, n, &count));
    s_nBytesWritten += count;
    if (m_config.trace)
        m_config.trace->Sent(buffer, count);
    return count;
}

bool CUsbCable::OpenConfigured(int index)
{
    if (!Open(index)) {
        m_config.Sleep(500);
        if (!Open(index)) {
            m_config.Sleep(1000);
            if (!Open(index))
                return false;
        }
    }
    return SetBaudRate(kCableBaudRate)
        && SetDataCharacteristics(FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE)
        && SetFlowControl(FT_FLOW_NONE, 0, 0)
        && SetTimeouts(kCableReadTimeoutMs, kCableWriteTimeoutMs);
}

int CountMatchingCables(const std::vector<std::optional<QString>> &descriptions, int &firstIndex)
{
    int count = 0;
    for (size_t i = 0; i < descriptions.size(); ++i) {
        if (!descriptions[i] || *descriptions[i] != QLatin1String(kCableDescription))
            continue;
        if (count == 0)
            firstIndex = static_cast<int>(i);
        ++count;
    }
    return count;
}

int CUsbCable::CountCables(int &firstIndex)
{
    std::vector<std::optional<QString>> descriptions;
    if (!check(m_pTransport->ListDevices(descriptions)))
        return 0;
    return CountMatchingCables(descriptions, firstIndex);
}

} // namespace tavo
