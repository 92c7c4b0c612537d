#pragma once
// The scan list: the channels the radio scans. Channels outside the scan
// list are shown as available, the others as members; Add and Remove move
// the selected channels across and write every channel's flag. Channels are
// matched by name throughout.

#include "views/CBaseView.h"

#include <QVector>
#include <memory>

class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class CScanView;
}

namespace tavo {

class CScanView : public CBaseView {
    Q_OBJECT
public:
    explicit CScanView(QWidget *parent = nullptr);
    ~CScanView() override;

    void LoadRes() override;
    void LoadData() override;

    // Moves the selected channels into (true) or out of (false) the scan list.
    void MoveSelected(bool add);

    QTreeWidget *AvailableList() const;
    QTreeWidget *MembersList() const;

private:
    struct Entry {
        QString name;
        bool inList = false;
    };
    void ReadChannels();
    void BuildLists();
    void UpdateButtons();
    bool WriteFlags();
    void ArrangeColumns();
    void OnSelectionChanged(bool available);
    static void SelectOnly(QTreeWidget *list, QTreeWidgetItem *item);

    std::unique_ptr<Ui::CScanView> m_ui;
    int m_nChannels = 0;
    QVector<Entry> m_stored;  // what the profile holds
    QVector<Entry> m_working; // changed by a move before it is written
    QString m_strNextName;
    bool m_bInAvailableHandler = false;
    bool m_bInMembersHandler = false;
    bool m_bBuilding = false;
};

} // namespace tavo
