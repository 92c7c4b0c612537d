#pragma once
// The radio's audio options: microphone gains, VOX and iVOX levels, roger
// beep and keypad beep. Every change is written at once through the rules;
// rows of features the radio lacks (the profile's limit flags) are hidden.

#include "views/CBaseView.h"

#include <memory>
#include <vector>

namespace Ui {
class CAudioSettingView;
}

namespace tavo {

class CAudioSettingView : public CBaseView {
    Q_OBJECT
public:
    explicit CAudioSettingView(QWidget *parent = nullptr);
    ~CAudioSettingView() override;

    void LoadRes() override;
    void LoadData() override;

    // One control and the attribute of "setting" it shows.
    struct Binding;

private:
    // Fills one control from its attribute (a list position or a check).
    void LoadControl(const Binding &b);
    // Writes one control's value; a refusal shows 261 and reloads it.
    void WriteControl(const Binding &b);

    std::unique_ptr<Ui::CAudioSettingView> m_ui;
    std::vector<Binding> m_bindings; // the page's rows, fixed for the page's life
    bool m_bLoading = false;
};

} // namespace tavo
