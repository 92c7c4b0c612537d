#include "radio/LinkTrace.h"

#include <QDateTime>

#include <cerrno>
#include <cstring>

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
    if (m_file)
        std::fclose(m_file);
}

bool LinkTrace::OpenFile(const QString &path, QString &error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::FILE *f = std::fopen(path.toLocal8Bit().constData(), "a");
    if (!f) {
        error = QStringLiteral("cannot write the trace %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (m_file)
        std::fclose(m_file);
    m_file = f;
    return true;
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
    if (m_file) {
        const QByteArray utf8 = stamped.toUtf8();
        std::fprintf(m_file, "%s\n", utf8.constData());
        std::fflush(m_file);
    }
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
