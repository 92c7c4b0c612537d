#pragma once
// The radio's programmable buttons: which feature each carries (the
// features a model offers come from the button-list document), and the
// settings some features bring with them (scramble button mode, call tone,
// the channels of the two preset buttons), shown on the line of the button
// that carries the feature. Also the keypad lock, a picture of the radio and
// the reset of every button to its default.

#include "views/CBaseView.h"
#include "config/SettingDocuments.h"

#include <QImage>
#include <array>
#include <memory>
#include <vector>

class QComboBox;
class QGridLayout;

namespace Ui {
class CButtonsView;
}

namespace tavo {

class CButtonsView : public CBaseView {
    Q_OBJECT
public:
    explicit CButtonsView(QWidget *parent = nullptr);
    ~CButtonsView() override;

    void LoadRes() override;
    void LoadData() override;

    // The five buttons in page order: side 1, side 2, A, B, C.
    static constexpr int kButtonCount = 5;
    QComboBox *ButtonList(int button) const;
    // The dependent row a button shows (index into the row table), -1 none.
    int ShownRow(int button) const { return m_shownRow[button]; }
    // The picture drawn into the frame; null when it could not be loaded.
    const QImage &Picture() const { return m_picture; }

    // Resets every button and its settings to the defaults (after asking).
    void OnReset();

private:
    void LoadFeatureGroups();
    void LoadPicture();
    void FillButtonList(int button);
    // Selects the button's stored feature; an assignment the list does not
    // offer is written as 0 (no feature).
    void ShowButtonFeature(int button);
    void UpdateDependentRow(int button);
    void OnButtonChanged(int button);
    void OnPresetChanged(int preset);
    void OnCallToneChanged();
    void OnKeypadLockChanged();
    void OnScrambleModeChanged();
    void SelectPreset(int preset);
    void SelectCallTone();
    void SelectScrambleMode();
    void SetKeypadLockBox();
    void ArrangeButtonRows();
    // Puts the shown buttons on consecutive grid lines (m_line).
    void PlaceButtonRows();

    int GetSettingInt(const char *attribute) const;
    int GetLimitInt(const char *attribute) const;
    // Writes an integer attribute of "setting" through the rules; false
    // when refused (the caller words the refusal).
    bool SetDataValue(const char *attribute, int value);
    // Writes "channel" of preset entry `preset` (0 or 1).
    bool SetPreButtonValue(int preset, int channel);
    int GetPresetChannel(int preset) const;
    int ButtonCode(int button) const;
    // The code of feature `name` for `button`; -1 when no group has it.
    int FindCode(int button, const QString &name) const;

    std::unique_ptr<Ui::CButtonsView> m_ui;
    QGridLayout *m_pRows = nullptr;
    std::vector<ButtonFeature> m_common, m_displayGroup, m_preButton;
    ButtonFeature m_noFeature;
    bool m_bHaveNoFeature = false;
    int m_nMaxCallTones = 0;
    std::array<std::vector<ButtonFeature>, kButtonCount> m_offered;
    std::array<int, kButtonCount> m_shownRow{{-1, -1, -1, -1, -1}};
    // The grid line of each button, -1 while the model does not show it.
    std::array<int, kButtonCount> m_line{{0, 1, 2, 3, 4}};
    QImage m_picture;
    bool m_bLoading = false;
};

} // namespace tavo
