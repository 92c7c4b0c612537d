#include "sim/PtyRadio.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tavo::sim {

namespace {
// A request that stops half-way for this long is forgotten.
constexpr auto kPartialRequestTimeout = std::chrono::milliseconds(200);
constexpr uint32_t kCableNoiseBaud = 16406;
}

PtyRadio::PtyRadio(SimulatedRadio &radio) : m_radio(radio) {}

PtyRadio::~PtyRadio()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyRadio::Open(QString &error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        error = QStringLiteral("cannot create a pseudo-terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    char name[128] = {};
    if (ptsname_r(m_master, name, sizeof name) != 0) {
        error = QStringLiteral("cannot name the pseudo-terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_strSlave = QString::fromLocal8Bit(name);
    // Our own hold on the far end: the program opens and closes it for
    // every operation, and the line must not hang up in between.
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        error = QStringLiteral("cannot open %1: %2").arg(m_strSlave, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    struct termios tio{};
    if (tcgetattr(m_slave, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(m_slave, TCSANOW, &tio);
    }
    const int flags = fcntl(m_master, F_GETFL);
    fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
    return true;
}

void PtyRadio::schedule(const SimulatedRadio::Output &out, Clock::time_point now)
{
    const auto byteTime = baud ? std::chrono::nanoseconds(10'000'000'000LL / baud) : std::chrono::nanoseconds(0);
    Clock::time_point t = std::max(now, m_wireFree);
    if (out.reply && m_radio.faults().replyDelayMs > 0)
        t += std::chrono::milliseconds(m_radio.faults().replyDelayMs);
    for (uint8_t b : out.bytes) {
        t += byteTime;
        m_queue.push_back({t, b});
    }
    m_wireFree = t;
}

void PtyRadio::flushDue(Clock::time_point now)
{
    uint8_t buf[512];
    while (!m_queue.empty() && m_queue.front().at <= now) {
        size_t n = 0;
        while (n < sizeof buf && !m_queue.empty() && m_queue.front().at <= now) {
            buf[n++] = m_queue.front().byte;
            m_queue.pop_front();
        }
        size_t off = 0;
        while (off < n) {
            const ssize_t w = ::write(m_master, buf + off, n - off);
            if (w > 0) {
                off += static_cast<size_t>(w);
                m_nOut += w;
            } else if (w < 0 && errno == EAGAIN) {
                struct pollfd p{m_master, POLLOUT, 0};
                ::poll(&p, 1, 10);
            } else if (w < 0 && errno == EINTR) {
                continue;
            } else {
                return; // nobody there: the bytes are lost, as on a wire
            }
        }
    }
}

bool PtyRadio::Run(int stopFd)
{
    uint8_t buf[4096];
    for (;;) {
        const Clock::time_point now = Clock::now();
        flushDue(now);
        if (unplugAfterReplies >= 0 && m_radio.RepliesSent() >= unplugAfterReplies && m_queue.empty()) {
            ::close(m_slave);
            ::close(m_master);
            m_slave = m_master = -1;
            return true;
        }
        // A radio streaming noise keeps the line busy at the line rate
        // (at the cable's rate when unpaced, so it never floods the line).
        // The noise waits while the line is full (nobody reads), so the
        // radio still hears requests and Ctrl-C.
        bool lineFull = false;
        if (m_queue.empty() && m_radio.StreamingNoise()) {
            struct pollfd out{m_master, POLLOUT, 0};
            lineFull = ::poll(&out, 1, 0) <= 0 || !(out.revents & POLLOUT);
        }
        if (m_queue.empty() && m_radio.StreamingNoise() && !lineFull) {
            const uint32_t rate = baud ? baud : kCableNoiseBaud;
            const auto byteTime = std::chrono::nanoseconds(10'000'000'000LL / rate);
            Clock::time_point t = std::max(now, m_wireFree);
            for (uint8_t b : m_radio.NoiseBytes(16)) {
                t += byteTime;
                m_queue.push_back({t, b});
            }
            m_wireFree = t;
            continue;
        }
        // Wait for the next due byte, for input, or to forget a stalled
        // half request.
        long long timeoutNs = lineFull ? 50'000'000LL : -1;
        if (!m_queue.empty()) {
            timeoutNs = std::max<long long>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(m_queue.front().at - now).count());
        } else if (m_radio.InRequest()) {
            const long long left = std::chrono::duration_cast<std::chrono::nanoseconds>(m_lastInput + kPartialRequestTimeout - now).count();
            if (left <= 0) {
                m_radio.ResetParser();
                continue;
            }
            timeoutNs = left;
        }
        struct pollfd fds[2] = {{m_master, POLLIN, 0}, {stopFd, POLLIN, 0}};
        struct timespec ts{};
        struct timespec *tsp = nullptr;
        if (timeoutNs >= 0) {
            ts.tv_sec = timeoutNs / 1'000'000'000;
            ts.tv_nsec = timeoutNs % 1'000'000'000;
            tsp = &ts;
        }
        const int pr = ::ppoll(fds, 2, tsp, nullptr);
        if (pr < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (fds[1].revents & POLLIN)
            return false;
        if (fds[0].revents & POLLIN) {
            const ssize_t r = ::read(m_master, buf, sizeof buf);
            if (r > 0) {
                m_nIn += r;
                const Clock::time_point t = Clock::now();
                m_lastInput = t;
                for (const SimulatedRadio::Output &o : m_radio.Receive(buf, static_cast<size_t>(r)))
                    schedule(o, t);
            }
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Cannot happen while we hold the far end; do not spin.
            struct timespec pause{0, 10'000'000};
            nanosleep(&pause, nullptr);
        }
    }
}

} // namespace tavo::sim
