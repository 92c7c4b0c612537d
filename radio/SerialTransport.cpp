#include "radio/SerialTransport.h"

#include "radio/PortDiagnostics.h"
#include "radio/SerialDevice.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

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

QString PermissionAdvice(const QString &device, unsigned mode, const QString &group, bool inGroup)
{
    const bool groupMayUse = (mode & 040u) && (mode & 020u);
    if (!groupMayUse)
        return fillArgs(LoadString(msg::SerialModeDenied), device, QStringLiteral("%1").arg(mode, 4, 8, QLatin1Char('0')));
    if (inGroup)
        return fillArgs(LoadString(msg::SerialDeniedInGroup), device, group);
    return PermissionHint(device, group);
}

SerialTransport::SerialTransport(const QString &portPath) : m_strPort(portPath) {}

SerialTransport::~SerialTransport()
{
    serial::CloseDevice(m_fd);
}

namespace {

// ttyUSB2 before ttyUSB10.
bool naturalLess(const QString &a, const QString &b)
{
    auto split = [](const QString &s) {
        int i = s.size();
        while (i > 0 && s.at(i - 1).isDigit())
            --i;
        return std::make_pair(s.left(i), i < s.size() ? s.mid(i).toLongLong() : -1LL);
    };
    return split(a) < split(b);
}

// The product string of the USB device above `deviceDir`: the first parent
// that is a USB device (it has idVendor) holds it in `product`.
std::optional<QString> usbProduct(const QString &sysfsRoot, const QString &deviceDir)
{
    const QString root = QFileInfo(sysfsRoot).canonicalFilePath();
    QString dir = QFileInfo(deviceDir).canonicalFilePath();
    while (!dir.isEmpty() && dir.startsWith(root) && dir.size() > root.size()) {
        if (QFileInfo::exists(dir + QStringLiteral("/idVendor"))) {
            QFile f(dir + QStringLiteral("/product"));
            if (!f.open(QIODevice::ReadOnly))
                return std::nullopt;
            QByteArray bytes = f.read(256);
            if (bytes.endsWith('\n'))
                bytes.chop(1);
            return QString::fromUtf8(bytes);
        }
        dir = QFileInfo(dir).path();
    }
    return std::nullopt;
}

} // namespace

std::vector<SerialTransport::PortEntry> SerialTransport::SystemPorts(const QString &sysfsRoot)
{
    // The USB description is read from sysfs byte for byte: the serial
    // port listing of the framework normalises whitespace and would count
    // "Zerva Series CPS Cable " as a programming cable.
    QDir ttyDir(sysfsRoot + QStringLiteral("/class/tty"));
    QStringList names = ttyDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    std::sort(names.begin(), names.end(), naturalLess);
    std::vector<PortEntry> ports;
    for (const QString &name : names) {
        const QString device = ttyDir.filePath(name + QStringLiteral("/device"));
        if (!QFileInfo(device).exists())
            continue; // a virtual terminal, not a port
        ports.push_back({QStringLiteral("/dev/") + name, usbProduct(sysfsRoot, device)});
    }
    return ports;
}

FtStatus SerialTransport::fail(FtStatus status, int err, const char *what)
{
    m_strError = QStringLiteral("%1 %2: %3").arg(QLatin1String(what), m_strDevice, QString::fromLocal8Bit(std::strerror(err)));
    return status;
}

FtStatus SerialTransport::Open(int index)
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
            unsigned mode = 0, gid = 0;
            const QString group = QString::fromStdString(serial::DeviceGroup(path.constData()));
            if (serial::DeviceModeAndGroup(path.constData(), mode, gid))
                m_strError = PermissionAdvice(m_strDevice, mode, group, serial::ProcessInGroup(gid));
            else
                m_strError = PermissionHint(m_strDevice, group);
            return FT_DEVICE_NOT_OPENED;
        }
        if (err == ENOENT || err == ENODEV || err == ENXIO) {
            fail(FT_DEVICE_NOT_FOUND, err, "Cannot open");
            if (m_strPort.isEmpty()) // the cable's port, listed a moment ago
                m_strError = LoadString(msg::PortVanished).arg(m_strDevice);
            return FT_DEVICE_NOT_FOUND;
        }
        if (err == EBUSY) {
            // Named when /proc tells who holds it.
            PortAccess busy;
            busy.kind = PortAccess::Busy;
            busy.holders = PortHolders(m_strDevice);
            m_strError = busy.holders.isEmpty() ? fillArgs(LoadString(msg::SerialPortBusy), m_strDevice)
                                                : PortAccessText(m_strDevice, busy);
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

FtStatus SerialTransport::Close()
{
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    serial::CloseDevice(m_fd);
    m_fd = -1;
    return FT_OK;
}

FtStatus SerialTransport::SetBaudRate(uint32_t baud)
{
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    const int e = serial::SetBaudRate(m_fd, baud);
    // A pseudo-terminal has no line rate: a refusal there means nothing.
    if (e != 0 && !m_bPty)
        return fail(FT_INVALID_BAUD_RATE, e, "Cannot set the baud rate of");
    return FT_OK;
}

FtStatus SerialTransport::SetDataCharacteristics(uint8_t wordLength, uint8_t stopBits, uint8_t parity)
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

FtStatus SerialTransport::SetFlowControl(uint16_t mode, uint8_t, uint8_t)
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

FtStatus SerialTransport::SetTimeouts(uint32_t readMs, uint32_t writeMs)
{
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    m_nReadTimeoutMs = static_cast<int>(readMs);
    m_nWriteTimeoutMs = static_cast<int>(writeMs);
    return FT_OK;
}

FtStatus SerialTransport::Purge(uint32_t mask)
{
    if (m_fd < 0)
        return FT_INVALID_HANDLE;
    if (int e = serial::Flush(m_fd, mask & FT_PURGE_RX, mask & FT_PURGE_TX))
        return fail(FT_IO_ERROR, e, "Cannot purge");
    return FT_OK;
}

FtStatus SerialTransport::Read(uint8_t *buffer, uint32_t n, uint32_t *count)
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

FtStatus SerialTransport::Write(const uint8_t *buffer, uint32_t n, uint32_t *count)
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

QStringList SerialTransport::CablePorts(const QString &sysfsRoot)
{
    QStringList paths;
    for (const PortEntry &p : SystemPorts(sysfsRoot))
        if (p.description && *p.description == QLatin1String(kCableDescription))
            paths << p.path;
    return paths;
}

FtStatus SerialTransport::ListDevices(std::vector<std::optional<QString>> &descriptions)
{
    descriptions.clear();
    for (const PortEntry &p : SystemPorts())
        descriptions.push_back(p.description);
    return FT_OK;
}

} // namespace tavo
