#pragma once
// The six customised CT tones that squelch codes 124 to 129 stand for,
// shown and typed in hertz with one decimal (stored in tenths of a hertz).
// An edit is committed when the focus moves to another control of the page,
// or before the page is left; a refused tone keeps the focus.

#include "views/CBaseView.h"

#include <memory>

class QLineEdit;

namespace Ui {
class CCustomizedCTView;
}

namespace tavo {

class CCustomizedCTView : public CBaseView {
    Q_OBJECT
public:
    explicit CCustomizedCTView(QWidget *parent = nullptr);
    ~CCustomizedCTView() override;

    void LoadRes() override;
    void LoadData() override;
    bool CommitChanges() override;
    bool RevertRefused() override;
    bool HoldsRefused() const override;
    void OnRefocusRequest(int ctrlId, int reason) override;

    // The tenths of a hertz of a typed tone ("88.5" -> 885): the digits
    // before the separator and the first one after it; anything further is
    // cut off, and a text without digits is 0.
    static int TenthsOfText(const QString &text, const QString &separator);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Writes one edit's tone through the rules; false when refused.
    bool CommitEdit(int slot);
    void OnTextChanged(int slot);
    QLineEdit *Edit(int slot) const;
    // Shows the stored tone of one slot.
    void ShowStored(int slot);

    std::unique_ptr<Ui::CCustomizedCTView> m_ui;
    QString m_strSeparator;
    bool m_refused[6] = {}; // the slot holds a tone the rules refused
    bool m_bNotInHandler = true; // clear only while the change handler runs
};

// Passes an edit through the decimal input filter: when characters were
// taken out, the whole text is replaced as one undoable step and the caret
// put one position before the end of the old selection. True when the text
// changed.
bool FilterDecimalEdit(QLineEdit *edit, bool allowFraction, const QString &separator);

} // namespace tavo
