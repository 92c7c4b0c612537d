// The cable wrapper's count and status rules, its open retries,
// and the serial-device transport on a real pseudo-terminal.

#include "support/TestPty.h"
#include "radio/SerialTransport.h"
#include "radio/SimTransport.h"
#include "radio/CUsbCable.h"
#include "radio/SerialDevice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

using namespace tavo;

namespace {

CableConfig PortConfig(const QString &path)
{
    CableConfig c;
    c.portPath = path;
    return c;
}

} // namespace

TEST(CableCount, CountsExactDescriptionsAndStoresTheFirstIndex)
{
    int first = -1;
    const std::vector<std::optional<QString>> two = {QStringLiteral("USB Serial"), QStringLiteral("Zerva Series CPS Cable"),
                                                     std::nullopt, QStringLiteral("Zerva Series CPS Cable")};
    EXPECT_EQ(CountMatchingCables(two, first), 2);
    EXPECT_EQ(first, 1);

    first = -1;
    const std::vector<std::optional<QString>> longer = {QStringLiteral("Zerva Series CPS Cable 2"), QStringLiteral("Zerva Series CPS Cabl"),
                                                        QStringLiteral("zerva series cps cable")};
    EXPECT_EQ(CountMatchingCables(longer, first), 0);
    EXPECT_EQ(first, -1) << "no match leaves the index alone";
}

TEST(CableCount, ThroughTheCable)
{
    auto link = std::make_shared<SimLink>();
    link->devices = {std::nullopt, QStringLiteral("Zerva Series CPS Cable"), QStringLiteral("Zerva Series CPS Cable")};
    CUsbCable cable(link->Config());
    int first = 0;
    EXPECT_EQ(cable.CountCables(first), 2);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(cable.Status(), FT_OK);
}

TEST(CableOpen, SucceedsOnTheThirdAttemptAfterOneAndAHalfSecondsThenConfigures)
{
    auto link = std::make_shared<SimLink>();
    link->failOpens = 2;
    CUsbCable cable(link->Config());
    EXPECT_TRUE(cable.OpenConfigured(0));
    EXPECT_EQ(link->sleeps, (std::vector<int>{500, 1000}));
    EXPECT_EQ(link->elapsedMs, 1500);
    EXPECT_EQ(link->baudRate, 16406u);
    EXPECT_EQ(link->wordLength, FT_BITS_8);
    EXPECT_EQ(link->stopBits, FT_STOP_BITS_1);
    EXPECT_EQ(link->parity, FT_PARITY_NONE);
    EXPECT_EQ(link->flowMode, FT_FLOW_NONE);
    EXPECT_EQ(link->readTimeoutMs, 120u);
    EXPECT_EQ(link->writeTimeoutMs, 120u);
    EXPECT_TRUE(cable.IsSound()) << "the failed attempts do not condemn the open device";
}

TEST(CableOpen, GivesUpAfterThreeAttempts)
{
    auto link = std::make_shared<SimLink>();
    link->failOpens = 3;
    CUsbCable cable(link->Config());
    EXPECT_FALSE(cable.OpenConfigured(0));
    EXPECT_EQ(link->sleeps, (std::vector<int>{500, 1000}));
    EXPECT_FALSE(cable.IsOpen());
    EXPECT_EQ(cable.Status(), FT_DEVICE_NOT_FOUND);
}

TEST(CableIo, EverythingRefusesWhileClosed)
{
    auto link = std::make_shared<SimLink>();
    CUsbCable cable(link->Config());
    uint8_t b[4] = {};
    EXPECT_EQ(cable.Read(b, 4), 0u);
    EXPECT_EQ(cable.Write(b, 4), 0u);
    EXPECT_FALSE(cable.SetBaudRate(16406));
    EXPECT_FALSE(cable.Purge(3));
    EXPECT_FALSE(cable.Close());
    EXPECT_EQ(cable.Status(), FT_OK);
    EXPECT_EQ(link->opens, 0);
}

TEST(CableIo, ATimedOutReadReturnsFewerBytesAndLeavesTheStatus)
{
    auto link = std::make_shared<SimLink>();
    CUsbCable cable(link->Config());
    ASSERT_TRUE(cable.OpenConfigured(0));
    uint8_t b[8] = {};
    EXPECT_EQ(cable.Read(b, 8), 0u);
    EXPECT_EQ(cable.Status(), FT_OK);
    EXPECT_EQ(link->elapsedMs, 120);
}

TEST(CableIo, AFailingCallStoresItsStatus)
{
    auto link = std::make_shared<SimLink>();
    link->unplugAfterBytes = 2;
    CUsbCable cable(link->Config());
    ASSERT_TRUE(cable.OpenConfigured(0));
    const uint8_t frame[4] = {0xF2, 0x23, 0x09, 0xE1};
    EXPECT_EQ(cable.Write(frame, 4), 2u);
    EXPECT_EQ(cable.Status(), FT_IO_ERROR);
    EXPECT_FALSE(cable.IsSound());
    EXPECT_TRUE(cable.Close()) << "closing an unplugged device still works";
}

// ---- the serial-device transport on a pseudo-terminal

TEST(SerialTransport, OpensAndConfiguresAPseudoTerminal)
{
    test::TestPty pty;
    ASSERT_GE(pty.master, 0);
    CUsbCable cable(PortConfig(pty.slave));
    ASSERT_TRUE(cable.OpenConfigured(0)) << cable.LastErrorText().toStdString();
    EXPECT_TRUE(cable.Purge(kCablePurgeBoth));

    const uint8_t out[4] = {0xF2, 0x23, 0x03, 0xE7};
    EXPECT_EQ(cable.Write(out, 4), 4u);
    uint8_t seen[4] = {};
    ASSERT_EQ(::read(pty.master, seen, 4), 4);
    EXPECT_EQ(std::memcmp(seen, out, 4), 0) << "raw mode: bytes pass untouched";

    const uint8_t in[3] = {0x50, 0x0D, 0x0A};
    ASSERT_EQ(::write(pty.master, in, 3), 3);
    uint8_t got[3] = {};
    EXPECT_EQ(cable.Read(got, 3), 3u);
    EXPECT_EQ(std::memcmp(got, in, 3), 0) << "no CR/LF translation";
    EXPECT_TRUE(cable.Close());
}

TEST(SerialTransport, AReadTimesOutAfter120Ms)
{
    test::TestPty pty;
    CUsbCable cable(PortConfig(pty.slave));
    ASSERT_TRUE(cable.OpenConfigured(0));
    ASSERT_EQ(::write(pty.master, "P", 1), 1);
    uint8_t got[4] = {};
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(cable.Read(got, 4), 1u);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_GE(ms, 110);
    EXPECT_LT(ms, 400);
    EXPECT_EQ(cable.Status(), FT_OK);
}

TEST(SerialTransport, TheFarEndGoingAwayIsAnIoError)
{
    auto pty = std::make_unique<test::TestPty>();
    CUsbCable cable(PortConfig(pty->slave));
    ASSERT_TRUE(cable.OpenConfigured(0));
    pty.reset(); // the cable is pulled
    uint8_t got[1] = {};
    EXPECT_EQ(cable.Read(got, 1), 0u);
    EXPECT_EQ(cable.Status(), FT_IO_ERROR);
}

TEST(SerialTransport, AMissingDeviceIsNotFound)
{
    SerialTransport t(QStringLiteral("/dev/ttyUSB-not-there"));
    EXPECT_EQ(t.Open(0), FT_DEVICE_NOT_FOUND);
    EXPECT_FALSE(t.LastErrorText().isEmpty());
}

TEST(SerialTransport, AFileThatIsNoTerminalIsRefused)
{
    SerialTransport t(QStringLiteral("/dev/null"));
    EXPECT_EQ(t.Open(0), FT_DEVICE_NOT_OPENED);
}

TEST(SerialTransport, AnIndexOutsideThePortListIsNotFound)
{
    SerialTransport t;
    EXPECT_EQ(t.Open(100000), FT_DEVICE_NOT_FOUND);
}

TEST(SerialTransport, TheTransportLocksTheDeviceAgainstASecondOpen)
{
    test::TestPty pty;
    SerialTransport a(pty.slave), b(pty.slave);
    ASSERT_EQ(a.Open(0), FT_OK);
    EXPECT_EQ(b.Open(0), FT_DEVICE_NOT_OPENED);
    EXPECT_TRUE(b.LastErrorText().contains(QLatin1String("in use")));
    a.Close();
    EXPECT_EQ(b.Open(0), FT_OK);
}

TEST(SerialTransport, PermissionHintNamesTheGroupAndTheNewLogin)
{
    const QString hint = PermissionHint(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("dialout"));
    EXPECT_TRUE(hint.contains(QLatin1String("/dev/ttyUSB0")));
    EXPECT_TRUE(hint.contains(QLatin1String("\"dialout\"")));
    EXPECT_TRUE(hint.contains(QLatin1String("usermod -aG dialout")));
    EXPECT_TRUE(hint.contains(QLatin1String("log in again")));
    EXPECT_EQ(serial::DeviceGroup("/dev/null"), std::string("root"));
}

// The group hint only where joining the group would help: a device whose
// group may read and write it. A device of mode 0600 gets a message naming
// its mode; a refusal while already in the group names another cause.
TEST(SerialTransport, PermissionDeniedNamesTheRealCause)
{
    EXPECT_TRUE(PermissionAdvice(QStringLiteral("/dev/ttyUSB0"), 0660, QStringLiteral("dialout"), false).contains(QLatin1String("usermod -aG dialout")));
    const QString mode = PermissionAdvice(QStringLiteral("/dev/ttyUSB0"), 0600, QStringLiteral("dialout"), false);
    EXPECT_TRUE(mode.contains(QLatin1String("mode (0600)"))) << mode.toStdString();
    EXPECT_FALSE(mode.contains(QLatin1String("usermod")));
    const QString inGroup = PermissionAdvice(QStringLiteral("/dev/ttyUSB0"), 0660, QStringLiteral("dialout"), true);
    EXPECT_TRUE(inGroup.contains(QLatin1String("already runs in its group \"dialout\""))) << inGroup.toStdString();
    EXPECT_FALSE(inGroup.contains(QLatin1String("usermod")));

    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to open the device as another user";
    for (const mode_t deviceMode : {mode_t(0660), mode_t(0600)}) {
        test::TestPty pty;
        ASSERT_EQ(::chmod(pty.slave.toLocal8Bit().constData(), deviceMode), 0);
        const std::string group = serial::DeviceGroup(pty.slave.toLocal8Bit().constData());
        ASSERT_FALSE(group.empty());
        // A child without rights on the device (nobody) tries to open it.
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
                _exit(10);
            SerialTransport t(pty.slave);
            if (t.Open(0) != FT_DEVICE_NOT_OPENED)
                _exit(11);
            const QString text = t.LastErrorText();
            const bool hint = text.contains(QStringLiteral("\"%1\"").arg(QString::fromStdString(group))) && text.contains(QLatin1String("log in again"));
            if (deviceMode == 0660 && !hint)
                _exit(12);
            if (deviceMode == 0600 && (hint || !text.contains(QLatin1String("mode (0600)"))))
                _exit(13);
            _exit(0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "mode " << std::oct << deviceMode
                                          << ": 10 could not drop rights, 11 wrong status, 12 no group hint, 13 group hint for a mode refusal";
    }
}

// The cable is the port whose USB product string is exactly "Zerva Series
// CPS Cable", read from sysfs byte for byte: a trailing blank, a doubled
// blank or underscores are other devices.
TEST(SerialTransport, TheCableDescriptionIsTheExactUsbProductString)
{
    QTemporaryDir sys;
    ASSERT_TRUE(sys.isValid());
    const QString root = sys.path();
    auto port = [&](const QString &tty, const QString &usbDevice, const std::optional<QByteArray> &product) {
        const QString dev = root + QStringLiteral("/devices/pci0/") + usbDevice;
        const QString portDir = dev + QStringLiteral("/") + usbDevice + QStringLiteral(":1.0/") + tty;
        ASSERT_TRUE(QDir().mkpath(portDir));
        if (product) {
            QFile v(dev + QStringLiteral("/idVendor"));
            ASSERT_TRUE(v.open(QIODevice::WriteOnly));
            v.write("0403\n");
            QFile p(dev + QStringLiteral("/product"));
            ASSERT_TRUE(p.open(QIODevice::WriteOnly));
            p.write(*product + "\n");
        }
        const QString cls = root + QStringLiteral("/class/tty/") + tty;
        ASSERT_TRUE(QDir().mkpath(cls));
        ASSERT_TRUE(QFile::link(portDir, cls + QStringLiteral("/device")));
    };
    port(QStringLiteral("ttyUSB0"), QStringLiteral("1-1"), QByteArray("Zerva Series CPS Cable "));
    port(QStringLiteral("ttyUSB1"), QStringLiteral("1-2"), QByteArray("Zerva  Series CPS Cable"));
    port(QStringLiteral("ttyUSB2"), QStringLiteral("1-3"), QByteArray("Zerva_Series_CPS_Cable"));
    port(QStringLiteral("ttyUSB10"), QStringLiteral("1-5"), QByteArray("Zerva Series CPS Cable"));
    port(QStringLiteral("ttyUSB3"), QStringLiteral("1-4"), QByteArray("Zerva Series CPS Cable"));
    port(QStringLiteral("ttyS0"), QStringLiteral("serial8250"), std::nullopt);
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/class/tty/tty1"))); // no device: not a port

    const std::vector<SerialTransport::PortEntry> ports = SerialTransport::SystemPorts(root);
    QStringList paths;
    std::vector<std::optional<QString>> descriptions;
    for (const auto &p : ports) {
        paths << p.path;
        descriptions.push_back(p.description);
    }
    EXPECT_EQ(paths, (QStringList{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB1"), QStringLiteral("/dev/ttyUSB2"),
                                  QStringLiteral("/dev/ttyUSB3"), QStringLiteral("/dev/ttyUSB10")}));
    int first = -1;
    EXPECT_EQ(CountMatchingCables(descriptions, first), 2);
    EXPECT_EQ(first, 4);
    EXPECT_EQ(*descriptions[1], QStringLiteral("Zerva Series CPS Cable ")) << "whitespace kept as the device reports it";
    // A programming station takes every cable, and only the cables.
    EXPECT_EQ(SerialTransport::CablePorts(root), (QStringList{QStringLiteral("/dev/ttyUSB3"), QStringLiteral("/dev/ttyUSB10")}));
}
