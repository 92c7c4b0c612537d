#include "resources/ProcessContext.h"

#include <algorithm>

namespace tavo {

ProcessContext &ProcessContext::Instance()
{
    static ProcessContext context;
    return context;
}

void ProcessContext::Register(Part *part)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_parts.push_back(part);
}

void ProcessContext::Unregister(Part *part)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_parts.erase(std::remove(m_parts.begin(), m_parts.end(), part), m_parts.end());
}

ProcessContext::Snapshot ProcessContext::SaveAll() const
{
    std::vector<Part *> parts;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        parts = m_parts;
    }
    Snapshot snapshot;
    snapshot.reserve(parts.size());
    for (Part *part : parts)
        snapshot.emplace_back(part, part->Save());
    return snapshot;
}

void ProcessContext::RestoreAll(const Snapshot &snapshot)
{
    std::vector<Part *> parts;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        parts = m_parts;
    }
    // Restored in reverse order of saving, so that a part that depends on
    // another registered before it (a translator on the language) comes back
    // after it.
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
        if (std::find(parts.begin(), parts.end(), it->first) != parts.end())
            it->first->Restore(it->second);
    for (Part *part : parts) {
        const bool saved = std::any_of(snapshot.begin(), snapshot.end(), [part](const auto &s) { return s.first == part; });
        if (!saved)
            part->Reset();
    }
}

} // namespace tavo
