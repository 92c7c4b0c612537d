#pragma once
// The radio-wide settings: codeplug password (entered twice), power-up
// text, LEDs, factory-reset lock, programming mode, battery save,
// backlight, transmit time-out, reverse burst, battery type and the
// repeater options. Lists and check boxes are written at once; the six text
// entries when the focus moves to another control of the page, and in any
// case by CommitChanges before the page is left.

#include "views/CBaseView.h"

#include "config/PageRows.h"

#include <memory>
#include <vector>

class QLineEdit;

namespace Ui {
class CSettingView;
}

namespace tavo {

class CSettingView : public CBaseView {
    Q_OBJECT
public:
    explicit CSettingView(QWidget *parent = nullptr);
    ~CSettingView() override;

    void LoadRes() override;
    void LoadData() override;
    bool CommitChanges() override;
    bool RevertRefused() override;
    bool HoldsRefused() const override;
    void OnRefocusRequest(int ctrlId, int reason) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The text entries, also the refocus codes minus one.
    enum Entry { Password, Confirm, PowerUp, StationId, HangTime, LowBattery, EntryCount };

    QLineEdit *EntryEdit(int entry) const;
    CDataItem Element(const char *name) const;
    int ShowPageMessage(int msgId);
    // `ruleMsgId`, when given, receives the message id a refusing rule named.
    bool Write(const char *element, const char *attribute, const QVariant &value, int *ruleMsgId = nullptr,
               bool typed = false);
    // The stored value of a text entry, as the entry shows it.
    QString StoredEntryText(int entry) const;
    void WriteChoice(QWidget *control, const char *element, const char *attribute, const QVariant &value);
    void ShowStored(QWidget *control);
    void OnBacklight(int position);
    void OnEntryChanged(int entry);
    void OnEntryLeft(int entry, QWidget *to);
    void LeavePasswordPair(bool fromPassword, QWidget *to);
    bool WritePassword(const QString &password);
    bool CommitEntry(int entry);
    void Refocus(int entry);

    std::unique_ptr<Ui::CSettingView> m_ui;
    std::vector<PageRow> m_choices; // the check boxes and lists, fixed for the page's life
    bool m_changed[EntryCount] = {};
    bool m_refused[EntryCount] = {}; // holds a value the rules refused
    bool m_bPairChanged = false;
    bool m_bCheckArmed = true;
    bool m_bLoaded = false;
    int m_nRefocus = 0;
};

} // namespace tavo
