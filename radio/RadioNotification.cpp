#include "radio/RadioNotification.h"

#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <chrono>

namespace tavo {

void RadioNotificationRecorder::Notify(int type, int value)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_list.push_back({type, value});
    }
    m_cv.notify_all();
}

std::vector<RadioNotification> RadioNotificationRecorder::All() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_list;
}

std::vector<RadioNotification> RadioNotificationRecorder::Finals() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<RadioNotification> f;
    for (const RadioNotification &n : m_list)
        if (IsFinalNotification(n.type))
            f.push_back(n);
    return f;
}

void RadioNotificationRecorder::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_list.clear();
}

bool RadioNotificationRecorder::WaitForFinals(size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        size_t n = 0;
        for (const RadioNotification &r : m_list)
            n += IsFinalNotification(r.type) ? 1 : 0;
        return n >= count;
    });
}

QString MemoryWarningText(int status)
{
    if (status >= 1 && status <= 31)
        return LoadString(status == kMemoryStatusNeedsFactoryReset ? msg::MemoryCorruptFactoryReset : msg::MemoryCorruptReturn);
    return LoadString(msg::UnknownWarning);
}

QString RadioFailureText(int type, int value)
{
    if (type == RadioCommFailure) {
        if (value == -1)
            return LoadString(msg::CommunicationError);
        QString text = LoadString(msg::OperationFailed);
        text.replace(QLatin1String("%d"), QString::number(value));
        return text;
    }
    if (type == RadioMemoryWarning)
        return QStringLiteral("%1: %2").arg(LoadString(msg::Warning), MemoryWarningText(value));
    return QString();
}

} // namespace tavo
