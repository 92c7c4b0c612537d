#pragma once
// The page of one channel: its name, receive and transmit frequency (picked
// from the profile's frequency table), bandwidths, powers, squelch codes,
// scramble, repeater/talkaround and auto scan. Every change is written at
// once through the channel's data item; a refused change puts the stored
// value back. A model without repeater shows a single receive/transmit
// column and writes the transmit twin of every receive change.

#include "views/CBaseView.h"

#include <memory>
#include <vector>

class QComboBox;

namespace Ui {
class CChannelView;
}

namespace tavo {

class CChannelView : public CBaseView {
    Q_OBJECT
public:
    explicit CChannelView(QWidget *parent = nullptr);
    ~CChannelView() override;

    void LoadRes() override;
    void LoadData() override;
    bool CommitChanges() override;
    void OnRefocusRequest(int ctrlId, int reason) override;

    // The frequency-table index behind each list entry (-1: outside the
    // range), by direction: 0 receive, 1 transmit.
    const std::vector<int> &FrequencyMap(int direction) const { return m_maps[direction]; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    enum Direction { Rx = 0, Tx = 1 };

    void OnInitialUpdateDone();
    void SetDefaultValue();
    void SetRXandTXData();
    void SetEnableDisable();
    void AddComboListFreq(QComboBox *list, Direction direction);
    void AddComboListDCSCode(QComboBox *list);
    void ShowNameAndTitle();
    void SelectFrequency(Direction direction, int tableIndex);

    CDataItem Channel() const;
    int GetAttribute(const QString &element, const QString &attribute);
    int FrequencyMode(int tableIndex, const char *attribute) const;
    int Stored(const char *attribute) const;
    bool WriteChannel(const QString &attribute, int value);

    void OnFrequencyChosen(Direction direction, int position);
    void OnDropDown(Direction direction);
    bool ApplyFrequency(Direction direction, int tableIndex);
    int NextTransmitPosition() const;
    void EqualityCheck();
    void RepeaterToggle(bool on);
    void UpdateTransmitColumn(bool on);
    void OnListChosen(QComboBox *list, const char *attribute, QComboBox *twin, const char *twinAttribute);
    bool CommitName(bool forced);

    std::unique_ptr<Ui::CChannelView> m_ui;
    int m_nStartFreq = 0;
    int m_nEndFreq = 0;
    std::vector<int> m_maps[2];
    bool m_bLoaded = false;
};

} // namespace tavo
