#include "radio/SerialDevice.h"

// termios2 lives in the kernel headers; glibc's <termios.h> must not be
// included here.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace tavo::serial {

namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
    if (left <= 0)
        return 0;
    return static_cast<int>((left + 999) / 1000);
}

int getTermios(int fd, struct termios2 &tio)
{
    return ioctl(fd, TCGETS2, &tio) == 0 ? 0 : errno;
}

int setTermios(int fd, const struct termios2 &tio)
{
    return ioctl(fd, TCSETS2, &tio) == 0 ? 0 : errno;
}

} // namespace

int OpenDevice(const char *path, int &err)
{
    int fd = ::open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        err = errno;
        return -1;
    }
    if (!isatty(fd)) {
        err = ENOTTY;
        ::close(fd);
        return -1;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        err = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return -1;
    }
    err = 0;
    return fd;
}

void CloseDevice(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

bool IsPseudoTerminal(int fd)
{
    struct stat st{};
    if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    const unsigned maj = major(st.st_rdev);
    // UNIX98 pty slaves use majors 136-143.
    return maj >= 136 && maj <= 143;
}

int SetRawMode(int fd)
{
    struct termios2 tio{};
    if (int e = getTermios(fd, tio))
        return e;
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return setTermios(fd, tio);
}

int SetBaudRate(int fd, uint32_t baud)
{
    struct termios2 tio{};
    if (int e = getTermios(fd, tio))
        return e;
    tio.c_cflag &= ~CBAUD;
    tio.c_cflag |= BOTHER;
    tio.c_cflag &= ~(CBAUD << IBSHIFT);
    tio.c_cflag |= BOTHER << IBSHIFT;
    tio.c_ospeed = baud;
    tio.c_ispeed = baud;
    return setTermios(fd, tio);
}

int SetDataCharacteristics(int fd, int wordLength, int stopBits, int parity)
{
    struct termios2 tio{};
    if (int e = getTermios(fd, tio))
        return e;
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD);
    switch (wordLength) {
    case 5: tio.c_cflag |= CS5; break;
    case 6: tio.c_cflag |= CS6; break;
    case 7: tio.c_cflag |= CS7; break;
    case 8: tio.c_cflag |= CS8; break;
    default: return EINVAL;
    }
    if (stopBits == 2)
        tio.c_cflag |= CSTOPB;
    else if (stopBits != 0)
        return EINVAL;
    if (parity == 1)
        tio.c_cflag |= PARENB | PARODD;
    else if (parity == 2)
        tio.c_cflag |= PARENB;
    else if (parity != 0)
        return EINVAL;
    return setTermios(fd, tio);
}

int SetNoFlowControl(int fd)
{
    struct termios2 tio{};
    if (int e = getTermios(fd, tio))
        return e;
    tio.c_cflag &= ~CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VSTART] = 0;
    tio.c_cc[VSTOP] = 0;
    return setTermios(fd, tio);
}

int Flush(int fd, bool rx, bool tx)
{
    const int what = rx && tx ? TCIOFLUSH : rx ? TCIFLUSH : TCOFLUSH;
    if (!rx && !tx)
        return 0;
    return ioctl(fd, TCFLSH, what) == 0 ? 0 : errno;
}

size_t ReadWithTimeout(int fd, uint8_t *buffer, size_t n, int timeoutMs, int &err)
{
    err = 0;
    size_t got = 0;
    bool ready = false; // poll said the device had something to say
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got < n) {
        const ssize_t r = ::read(fd, buffer + got, n - got);
        if (r > 0) {
            got += static_cast<size_t>(r);
            ready = false;
            continue;
        }
        if (r == 0) {
            // End of file after poll reported the device readable: the far
            // end hung up (the cable was pulled, the radio's terminal closed).
            if (ready) {
                err = EIO;
                return got;
            }
        } else if (errno == EINTR) {
            continue;
        } else if (errno != EAGAIN) {
            err = errno;
            return got;
        }
        const int wait = remainingMs(deadline);
        if (wait <= 0)
            return got;
        struct pollfd p{fd, POLLIN, 0};
        const int pr = ::poll(&p, 1, wait);
        if (pr < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return got;
        }
        if (pr == 0)
            return got;
        if ((p.revents & (POLLHUP | POLLERR | POLLNVAL)) && !(p.revents & POLLIN)) {
            err = EIO;
            return got;
        }
        ready = true;
    }
    return got;
}

size_t WriteWithTimeout(int fd, const uint8_t *buffer, size_t n, int timeoutMs, int &err)
{
    err = 0;
    size_t put = 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (put < n) {
        const ssize_t w = ::write(fd, buffer + put, n - put);
        if (w > 0) {
            put += static_cast<size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0 && errno != EAGAIN) {
            err = errno;
            return put;
        }
        const int wait = remainingMs(deadline);
        if (wait <= 0)
            return put;
        struct pollfd p{fd, POLLOUT, 0};
        const int pr = ::poll(&p, 1, wait);
        if (pr < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return put;
        }
        if (pr == 0)
            return put;
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            err = EIO;
            return put;
        }
    }
    return put;
}

std::string DeviceGroup(const char *path)
{
    struct stat st{};
    if (::stat(path, &st) != 0)
        return std::string();
    std::vector<char> buf(4096);
    struct group gr{};
    struct group *result = nullptr;
    if (getgrgid_r(st.st_gid, &gr, buf.data(), buf.size(), &result) != 0 || !result)
        return std::string();
    return std::string(result->gr_name);
}

bool DeviceModeAndGroup(const char *path, unsigned &mode, unsigned &gid)
{
    struct stat st{};
    if (::stat(path, &st) != 0)
        return false;
    mode = static_cast<unsigned>(st.st_mode) & 07777u;
    gid = static_cast<unsigned>(st.st_gid);
    return true;
}

bool ProcessInGroup(unsigned gid)
{
    if (static_cast<unsigned>(getegid()) == gid)
        return true;
    const int n = getgroups(0, nullptr);
    if (n <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(n));
    const int got = getgroups(n, groups.data());
    for (int i = 0; i < got; ++i)
        if (static_cast<unsigned>(groups[static_cast<size_t>(i)]) == gid)
            return true;
    return false;
}

} // namespace tavo::serial
