#pragma once
// The serial-device transport: the programming cable as the kernel's FTDI
// driver presents it (/dev/ttyUSB*), or an explicit port such as the
// simulated radio's pseudo-terminal. termios2 raw mode, the 16406 baud,
// poll-bounded read and write time-outs, tcflush for purge. It runs on the
// radio worker thread and needs no event loop.

#include "radio/ICableTransport.h"

#include <QStringList>

namespace tavo {

class SerialTransport : public ICableTransport {
public:
    // portPath empty: devices are found by index in the system's list of
    // serial ports; else that device is opened whatever the index.
    explicit SerialTransport(const QString &portPath = QString());
    ~SerialTransport() override;

    FtStatus Open(int index) override;
    FtStatus Close() override;
    FtStatus SetBaudRate(uint32_t baud) override;
    FtStatus SetDataCharacteristics(uint8_t wordLength, uint8_t stopBits, uint8_t parity) override;
    FtStatus SetFlowControl(uint16_t mode, uint8_t xon, uint8_t xoff) override;
    FtStatus SetTimeouts(uint32_t readMs, uint32_t writeMs) override;
    FtStatus Purge(uint32_t mask) override;
    FtStatus Read(uint8_t *buffer, uint32_t n, uint32_t *count) override;
    FtStatus Write(const uint8_t *buffer, uint32_t n, uint32_t *count) override;
    FtStatus ListDevices(std::vector<std::optional<QString>> &descriptions) override;
    QString LastErrorText() const override { return m_strError; }

    bool IsPseudoTerminal() const { return m_bPty; }
    QString DevicePath() const { return m_strDevice; }

    // The system's serial ports, in device-index order: every tty of
    // `sysfsRoot`/class/tty that is backed by a device, in natural name
    // order, with the USB product string of the USB device it belongs to,
    // exactly as the device reports it (only the line end sysfs adds is
    // dropped; no other whitespace is touched), or nothing for a port that
    // is not on USB.
    struct PortEntry {
        QString path;
        std::optional<QString> description;
    };
    static std::vector<PortEntry> SystemPorts(const QString &sysfsRoot = QStringLiteral("/sys"));
    // Every programming cable plugged in: the device paths of the ports
    // whose description is exactly the cable's, in device-index order.
    static QStringList CablePorts(const QString &sysfsRoot = QStringLiteral("/sys"));

private:
    FtStatus fail(FtStatus status, int err, const char *what);

    QString m_strPort;
    QString m_strDevice;
    QString m_strError;
    int m_fd = -1;
    bool m_bPty = false;
    int m_nReadTimeoutMs = 0;
    int m_nWriteTimeoutMs = 0;
};

// The sentence shown when a serial device cannot be opened for lack of
// permission: which group to join and that a new login is needed.
QString PermissionHint(const QString &device, const QString &group);
// What to say when opening `device` was refused for lack of permission:
// the hint to join its group only when that would help (the group may read
// and write it and this program does not already run in the group);
// otherwise the real cause, the device's mode or something beyond the
// group.
QString PermissionAdvice(const QString &device, unsigned mode, const QString &group, bool inGroup);

} // namespace tavo
