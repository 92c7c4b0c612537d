#pragma once
// A serial trace of the radio link, for diagnosing a radio in the field:
// every byte sent and received, with a millisecond time stamp and its
// direction, and a line for every failed attempt naming what went wrong
// ("no answer", "short answer", "bad checksum", "unexpected reply", ...).
// Bytes moving one way one after the other share a line, stamped with
// the time of its first byte. Lines go to a file when one is given and are kept in memory as well.
// Thread-safe; the cable and the protocol of every operation write to the
// trace of their cable configuration.
//
//     2026-12-08 09:12:01.250 TX FF 11 00 05 20 01 0E 18 A2
//     2026-12-08 09:12:01.291 RX 50 FF 80 00 24 01 0E 18 ...
//     2026-12-08 09:12:03.702 FAIL read 010E18 32: no answer

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <mutex>

namespace tavo {

class LinkTrace {
public:
    LinkTrace() = default;
    ~LinkTrace();
    LinkTrace(const LinkTrace &) = delete;
    LinkTrace &operator=(const LinkTrace &) = delete;

    // Appends the lines to `path` as well: a regular file (created when
    // missing) or a character device (/dev/stderr); anything else, a FIFO
    // above all, is refused at once. False with `error` set when the file
    // is refused or cannot be opened.
    bool OpenFile(const QString &path, QString &error);
    // Called once, from the thread that traced, with "The trace cannot be
    // written (PATH: CAUSE). ..." when a line does not reach the file; the
    // lines go on into memory. Set before the trace is used.
    void SetWriteFailureReport(std::function<void(const QString &)> report) { m_report = std::move(report); }
    bool WriteFailed() const;

    void Sent(const uint8_t *data, size_t n) { bytes("TX", data, n); }
    void Received(const uint8_t *data, size_t n) { bytes("RX", data, n); }
    // A failed attempt: what was asked and what went wrong.
    void Failure(const QString &what) { line(QStringLiteral("FAIL ") + what); }
    void Note(const QString &text) { line(QStringLiteral("NOTE ") + text); }

    // Every line so far (the bytes still gathering included).
    QStringList Lines() const;
    void Flush();

private:
    void bytes(const char *direction, const uint8_t *data, size_t n);
    void line(const QString &text);
    void flushLocked() const;
    void appendLocked(const QString &stamped) const;

    mutable std::mutex m_mutex;
    mutable QStringList m_lines;
    mutable QString m_strPending;        // the line of bytes gathering
    mutable const char *m_pPendingDir = nullptr;
    mutable int m_nPendingBytes = 0;
    int m_fd = -1;
    QString m_strPath;
    mutable bool m_bWriteFailed = false;
    std::function<void(const QString &)> m_report;
};

} // namespace tavo
