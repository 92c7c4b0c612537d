#pragma once
// The steps of one document that Undo and Redo walk. A step keeps the
// profile text before the change (and, once undone, the text after it), so
// a change that a rule spread over many nodes comes back whole.

#include <QByteArray>
#include <QString>
#include <vector>

namespace tavo {

// Where a change was made: the page (page index), the channel shown there
// and the control that had the focus (its object name). Filled by the
// front end; the document only keeps it.
struct EditLocation {
    int page = -1;
    int channel = 0;
    QString control;
};

// What makes consecutive changes one step: the same attribute of the same
// node from the same window. Empty (no node): never merged.
struct MergeKey {
    const void *node = nullptr;
    QString attribute;
    const void *origin = nullptr;
    bool IsEmpty() const { return node == nullptr; }
    bool operator==(const MergeKey &o) const { return node == o.node && origin == o.origin && attribute == o.attribute; }
};

struct UndoStep {
    int captionId = 0;  // string-table id naming the change ("Rename Channel")
    QByteArray before; // the profile text (UTF-8) before the change
    QByteArray after;  // the text after it, kept once the step is undone
    EditLocation where;
    MergeKey mergeKey;  // consecutive steps with the same key become one
};

class CUndoStack {
public:
    // Adds a step after the current one (the steps that were undone go).
    // A step whose merge key equals that of the step before it, which is
    // still the last one pushed and not the saved state, joins it: the
    // earlier "before" is kept.
    void Push(UndoStep step);
    // Whether a step with this key would join the last one.
    bool Merges(const MergeKey &key) const;
    bool CanUndo() const { return m_index > 0; }
    bool CanRedo() const { return m_index < static_cast<int>(m_steps.size()); }
    // The caption id of the step Undo or Redo would take back, 0 for none.
    int UndoCaption() const { return CanUndo() ? m_steps[m_index - 1].captionId : 0; }
    int RedoCaption() const { return CanRedo() ? m_steps[m_index].captionId : 0; }
    // The step Undo (Redo) would take; null when there is none. Moving
    // over it is a separate step, once the profile has been reloaded.
    UndoStep *NextUndo() { return CanUndo() ? &m_steps[m_index - 1] : nullptr; }
    UndoStep *NextRedo() { return CanRedo() ? &m_steps[m_index] : nullptr; }
    void MoveBack();
    void MoveForward();

    // The saved state is the current one.
    void SetClean();
    bool IsClean() const { return m_clean == m_index; }
    // No state is the saved one (a profile that has no file yet).
    void LoseCleanState() { m_clean = -1; }
    // Drops every step (a new or reopened profile); clean again.
    void Clear();
    int Count() const { return static_cast<int>(m_steps.size()); }

private:
    std::vector<UndoStep> m_steps;
    int m_index = 0;     // steps before it are done, from it on undone
    int m_clean = 0;     // the index of the saved state, -1 when lost
    bool m_mergeable = false;
};

} // namespace tavo
