#include "workflow/CUndoStack.h"

namespace tavo {

void CUndoStack::Push(UndoStep step)
{
    if (m_index < static_cast<int>(m_steps.size())) {
        m_steps.erase(m_steps.begin() + m_index, m_steps.end());
        if (m_clean > m_index)
            m_clean = -1; // the saved state was among the undone steps
        m_mergeable = false;
    }
    if (Merges(step.mergeKey)) {
        m_steps.back().after.clear();
        return;
    }
    m_steps.push_back(std::move(step));
    m_index = static_cast<int>(m_steps.size());
    m_mergeable = true;
}

bool CUndoStack::Merges(const MergeKey &key) const
{
    return m_mergeable && m_index > 0 && m_index == static_cast<int>(m_steps.size()) && m_clean != m_index
           && !key.IsEmpty() && m_steps.back().mergeKey == key;
}

void CUndoStack::MoveBack()
{
    if (CanUndo())
        --m_index;
    m_mergeable = false;
}

void CUndoStack::MoveForward()
{
    if (CanRedo())
        ++m_index;
    m_mergeable = false;
}

void CUndoStack::SetClean()
{
    m_clean = m_index;
    m_mergeable = false;
}

void CUndoStack::Clear()
{
    m_steps.clear();
    m_index = m_clean = 0;
    m_mergeable = false;
}

} // namespace tavo
