#include "radio/LinkTrace.h"

#include "base/AtomicFile.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QDateTime>

#include <cerrno>
#include <unistd.h>

namespace tavo {

namespace {
constexpr int kMemoryLines = 20000;   // lines kept in memory; the file keeps all
constexpr int kBytesPerLine = 48;

QString stamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz "));
}
} // namespace

LinkTrace::~LinkTrace()
{
    Flush();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool LinkTrace::OpenFile(const QString &path, QString &error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const int fd = OpenForAppend(path, error);
    if (fd < 0)
        return false;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
    m_strPath = path;
    m_bWriteFailed = false;
    return true;
}

bool LinkTrace::WriteFailed() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bWriteFailed;
}

QStringList LinkTrace::Lines() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    flushLocked();
    return m_lines;
}

void LinkTrace::Flush()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    flushLocked();
}

void LinkTrace::appendLocked(const QString &stamped) const
{
    if (m_lines.size() >= kMemoryLines)
        m_lines.removeFirst();
    m_lines.append(stamped);
    if (m_fd < 0 || m_bWriteFailed)
        return;
    if (WriteAllTo(m_fd, stamped.toUtf8() + '\n'))
        return;
    // Said once; the transfer itself goes on.
    m_bWriteFailed = true;
    const QString text = LoadString(msg::TraceNotWritten).arg(QStringLiteral("%1: %2").arg(m_strPath, SystemErrorText(errno)));
    if (m_report)
        m_report(text);
}

void LinkTrace::flushLocked() const
{
    if (!m_pPendingDir)
        return;
    appendLocked(m_strPending);
    m_strPending.clear();
    m_pPendingDir = nullptr;
    m_nPendingBytes = 0;
}

void LinkTrace::bytes(const char *direction, const uint8_t *data, size_t n)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (size_t i = 0; i < n; ++i) {
        if (m_pPendingDir != direction || m_nPendingBytes >= kBytesPerLine) {
            flushLocked();
            m_pPendingDir = direction;
            m_strPending = stamp() + QLatin1String(direction);
        }
        m_strPending += QStringLiteral(" %1").arg(data[i], 2, 16, QLatin1Char('0')).toUpper();
        ++m_nPendingBytes;
    }
}

void LinkTrace::line(const QString &text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    flushLocked();
    appendLocked(stamp() + text);
}

} // namespace tavo
