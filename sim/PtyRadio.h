#pragma once
// tavo-radio-sim's line: a pseudo-terminal whose far end is a
// SimulatedRadio. Bytes written by the program come back as the cable's
// echo and the radio's replies, paced at the line rate (10 bits per byte at
// the baud rate) so that a transfer takes the time it takes on the wire.

#include "radio/SimulatedRadio.h"

#include <QString>

#include <chrono>
#include <deque>

namespace tavo::sim {

class PtyRadio {
public:
    explicit PtyRadio(SimulatedRadio &radio);
    ~PtyRadio();

    // Opens the pseudo-terminal; false with `error` set on failure.
    bool Open(QString &error);
    QString SlavePath() const { return m_strSlave; }

    uint32_t baud = 16406;     // 0: no pacing
    int unplugAfterReplies = -1;

    // Serves until `stopFd` becomes readable, or the cable is "unplugged".
    // Returns true when ended by unplugging.
    bool Run(int stopFd);

    long BytesIn() const { return m_nIn; }
    long BytesOut() const { return m_nOut; }

private:
    using Clock = std::chrono::steady_clock;
    struct Due {
        Clock::time_point at;
        uint8_t byte;
    };
    void schedule(const SimulatedRadio::Output &out, Clock::time_point now);
    void flushDue(Clock::time_point now);

    SimulatedRadio &m_radio;
    int m_master = -1;
    int m_slave = -1;
    QString m_strSlave;
    std::deque<Due> m_queue;
    Clock::time_point m_wireFree{};
    Clock::time_point m_lastInput{};
    long m_nIn = 0;
    long m_nOut = 0;
};

} // namespace tavo::sim
