#include "radio/CSerialTransport.h"

#include "radio/SerialDevice.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QSerialPortInfo>

#include <cerrno>
#include <cstring>

namespace tavo {

namespace {
QString fillArgs(QString text, const QString &a, const QString &b = QString())
{
    text.replace(QLatin1String("%1"), a);
    text.replace(QLatin1String("%2"), b);
    return text;
}
} // namespace

QString PermissionHint(const QString &device, const QString &group)
{
    const QString g = group.isEmpty() ? QStringLiteral("dialout") : group;
    return fillArgs(LoadString(msg::SerialPermissionDenied), device, g);
}

CSerialTransport::CSerialTransport(const QString &portPath) : m_strPort(portPath) {}

CSerialTransport::~CSerialTransport()
{
    serial::CloseDevice(m_fd);
}

std::vector<CSerialTransport::PortEntry> CSerialTransport::SystemPorts()
{
    std::vector<PortEntry> ports;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos)
        ports.push_back({info.systemLocation(), info.description()});
    return ports;
}

FtStatus CSerialTransport::fail(FtStatus status, int err, const char *what)
{
    m_strError = QStringLiteral("%1 %2: %3").arg(QLatin1String(what), m_strDevice, QString::fromLocal8Bit(std::strerror(err)));
    return status;
}

FtStatus CSerialTransport::Open(int index)
{
    if (m_fd >= 0)
        Close();
    m_strError.clear();
    m_strDevice = m_strPort;
    if (m_strDevice.isEmpty()) {
        const std::vector<PortEntry> ports = SystemPorts();
        if (index < 0 || static_cast<size_t>(index) >= ports.size()) {
            m_strError = LoadString(msg::NoCableFound);
            return FT_DEVICE_NOT_FOUND;
        }
        m_strDevice = ports[static_cast<size_t>(index)].path;
    }
    const QByteArray path = m_strDevice.toLocal8Bit();
    int err = 0;
    const int fd = serial::OpenDevice(path.constData(), err);
    if (fd < 0) {
        if (err == EACCES || err == EPERM) {
            m_strError = PermissionHint(m_strDevice, QString::fromStdString(serial::DeviceGroup(path.constData())));
            return FT_DEVICE_NOT_OPENED;
        }
        if (err == ENOENT || err == ENODEV || err == ENXIO) {
            fail(FT_DEVICE_NOT_FOUND, err, "Cannot open");
            return FT_DEVICE_NOT_FOUND;
        }
        if (err == EBUSY) {
            m_strError = fillArgs(LoadString(msg::SerialPortBusy), m_strDevice);
            return FT_DEVICE_NOT_OPENED;
        }
        return fail(FT_DEVICE_NOT_OPENED, err, "Cannot open");
    }
    m_fd = fd;
    m_bPty = serial::IsPseudoTerminal(fd);
    if (int e = serial::SetRawMode(fd)) {
        const FtStatus s = fail(FT_IO_ERROR, e, "Cannot set raw mode on");
        Close();
        return s;
    }
    return FT_OK;
}

FtStatus CSerialTransport::Close()
{
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    serial::CloseDevice(m_fd);
    m_fd = -1;
    return FT_OK;
}

FtStatus CSerialTransport::SetBaudRate(uint32_t baud)
{
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    const int e = serial::SetBaudRate(m_fd, baud);
    // A pseudo-terminal has no line rate: a refusal there means nothing.
    if (e != 0 && !m_bPty)
        return fail(FT_INVALID_BAUD_RATE, e, "Cannot set the baud rate of");
    return FT_OK;
}

FtStatus CSerialTransport::SetDataCharacteristics(uint8_t wordLength, uint8_t stopBits, uint8_t parity)
{
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    const int e = serial::SetDataCharacteristics(m_fd, wordLength, stopBits, parity);
    if (e == EINVAL)
        return FT_INVALID_PARAMETER;
    if (e != 0 && !m_bPty)
        return fail(FT_IO_ERROR, e, "Cannot set the data format of");
    return FT_OK;
}

FtStatus CSerialTransport::SetFlowControl(uint16_t mode, uint8_t, uint8_t)
{
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    if (mode != FT_FLOW_NONE)
        return FT_INVALID_PARAMETER; // the program only ever asks for none
    const int e = serial::SetNoFlowControl(m_fd);
    if (e != 0 && !m_bPty)
        return fail(FT_IO_ERROR, e, "Cannot set the flow control of");
    return FT_OK;
}

FtStatus CSerialTransport::SetTimeouts(uint32_t readMs, uint32_t writeMs)
{
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    m_nReadTimeoutMs = static_cast<int>(readMs);
    m_nWriteTimeoutMs = static_cast<int>(writeMs);
    return FT_OK;
}

FtStatus CSerialTransport::Purge(uint32_t mask)
{
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    if (int e = serial::Flush(m_fd, mask & FT_PURGE_RX, mask & FT_PURGE_TX))
        return fail(FT_IO_ERROR, e, "Cannot purge");
    return FT_OK;
}

FtStatus CSerialTransport::Read(uint8_t *buffer, uint32_t n, uint32_t *count)
{
    *count = 0;
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    int err = 0;
    *count = static_cast<uint32_t>(serial::ReadWithTimeout(m_fd, buffer, n, m_nReadTimeoutMs, err));
    if (err != 0)
        return fail(FT_IO_ERROR, err, "Cannot read from");
    return FT_OK;
}

FtStatus CSerialTransport::Write(const uint8_t *buffer, uint32_t n, uint32_t *count)
{
    *count = 0;
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    int err = 0;
    *count = static_cast<uint32_t>(serial::WriteWithTimeout(m_fd, buffer, n, m_nWriteTimeoutMs, err));
    if (err != 0)
        return fail(FT_IO_ERROR, err, "Cannot write to");
    return FT_OK;
}

FtStatus CSerialTransport::ListDevices(std::vector<std::optional<QString>> &descriptions)
{
    descriptions.clear();
    for (const PortEntry &p : SystemPorts())
        descriptions.emplace_back(p.description);
    return FT_OK;
}

} // namespace tavo
