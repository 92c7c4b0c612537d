#pragma once
// The frequency table of the profile: a four-column list (index, frequency,
// bandwidth mode, power mode) with Add, Edit and Delete, which turn into
// Save and Cancel while an entry is being added or edited in the fields
// below the list. Channels pick their frequencies from this table by index.

#include "views/CBaseView.h"

#include <memory>

namespace Ui {
class CFrequencyView;
}

namespace tavo {

class CFrequencyView : public CBaseView {
    Q_OBJECT
public:
    explicit CFrequencyView(QWidget *parent = nullptr);
    ~CFrequencyView() override;

    void LoadRes() override;
    void LoadData() override;
    // An entry being added or edited is saved as its Save button would
    // save it (an add with nothing typed is dropped); a refusal is shown
    // and keeps the page in its mode with the entry focused.
    bool CommitChanges() override;

    // The texts of a bandwidth mode and of a power mode ("N/A" outside 0-3).
    static QString BandwidthText(int mode, const QString &separator);
    static QString PowerText(int mode);

    bool IsFull() const { return m_bFull; }
    bool IsEmpty() const { return m_bEmpty; }

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    enum Mode { Browsing, Adding, Editing };

    CDataItem Frequencies() const;
    void FillRows();
    void SetRow(int row, quint32 hz, int bandwidthMode, int powerMode);
    void SetColumnWidths();
    void SelectRow(int row);
    void OnSelectionChanged();
    void ShowStored(int row);
    void LeaveEditMode();
    void EnterMode(Mode mode);
    void OnFilterEntry();
    void OnAddSave();
    void OnEditSave();
    // The second click of Add / Edit: true when the table took the entry.
    bool SaveAdded();
    bool SaveEdited();
    // Whether the entry fields still show the selected row as stored.
    bool EntryShowsStored() const;
    void OnDeleteCancel();
    void Remember();
    int SelectedRow() const;

    std::unique_ptr<Ui::CFrequencyView> m_ui;
    Mode m_mode = Browsing;
    bool m_bSaving = false;
    bool m_bFull = false;
    bool m_bEmpty = false;
    bool m_bFiltering = false;
    int m_nScroll = 0;
    QString m_strAddStart; // the entry as Add found it: nothing typed yet
};

} // namespace tavo
