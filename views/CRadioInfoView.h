#pragma once
// The first page of a profile: what the profile records about its radio
// (regional code, serial number, firmware and codeplug versions, frequency
// ranges, channel capacity), read only.

#include "views/CBaseView.h"

#include <memory>

namespace Ui {
class CRadioInfoView;
}

namespace tavo {

class CRadioInfoView : public CBaseView {
    Q_OBJECT
public:
    explicit CRadioInfoView(QWidget *parent = nullptr);
    ~CRadioInfoView() override;

    void LoadRes() override;
    void LoadData() override;

    // "%.6f - %.6f" of two frequencies in Hz, with the decimal separator.
    static QString FormatRange(quint32 startHz, quint32 endHz, const QString &separator);

private:
    std::unique_ptr<Ui::CRadioInfoView> m_ui;
};

} // namespace tavo
