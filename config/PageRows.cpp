#include "config/PageRows.h"
#include "base/ProfileNames.h"

namespace tavo {

namespace {

std::vector<PageRow> RowsOf(FieldPage page)
{
    std::vector<PageRow> rows;
    for (const RadioField *f : PageFields(page)) {
        const FieldRow &r = f->row;
        rows.push_back({r.labelId, r.ctrlId, r.textId, f->element, f->attribute, r.kind, r.items, r.scale, r.hide, r.reported});
    }
    return rows;
}

} // namespace

std::vector<PageRow> SettingsPageRows()
{
    return RowsOf(FieldPage::Settings);
}

std::vector<PageRow> AudioSettingsPageRows()
{
    return RowsOf(FieldPage::AudioSettings);
}

std::vector<PageRow> ButtonsPageRows()
{
    return RowsOf(FieldPage::Buttons);
}

int ListPosition(const PageRow &row, int value, int backlightEnabled)
{
    int position = value;
    if (row.kind == RowKind::Backlight)
        position = backlightEnabled ? value / row.scale : 0;
    else if (row.scale > 0)
        position = value / row.scale;
    else if (row.scale < 0)
        position = value != 0 ? 1 : 0;
    return position >= 0 && position < int(row.items.size()) ? position : -1;
}

int ListValue(const PageRow &row, int position)
{
    return row.scale > 0 ? position * row.scale : position;
}

const ButtonRow kButtonRows[kButtonRowCount] = {
    {1009, 1001, 160, names::kSide1But, 7, false},
    {1010, 1002, 161, names::kSide2But, 4, false},
    {1011, 1003, 162, names::kUpperRightBut, 3, true},
    {1012, 1005, 163, names::kLowerLeftBut, 9, true},
    {1013, 1006, 164, names::kLowerRightBut, 10, true},
};

const ButtonDependentRow kButtonDependentRows[kButtonDependentRowCount] = {
    {kScrambleModeFeature, 1016, 1017, 339},
    {kCallToneFeature, 1029, 1030, 207},
    {kPreset1Feature, 1014, 1007, 165},
    {kPreset2Feature, 1015, 1008, 166},
};

std::vector<ButtonFeature> OfferedButtonFeatures(const std::vector<ButtonFeature> &common,
                                                 const std::vector<ButtonFeature> &displayGroup,
                                                 const std::vector<ButtonFeature> &preButton, bool allGroups,
                                                 const LimitReader &limit)
{
    std::vector<ButtonFeature> offered;
    const int maxCallTones = limit(names::kMaxCallTones);
    auto addGroup = [&](const std::vector<ButtonFeature> &group, int most) {
        int taken = 0;
        for (const ButtonFeature &f : group) {
            if (taken++ >= most)
                break;
            if (f.m_nValue == 0)
                continue;
            if (f.m_nValue == kCallToneFeature && maxCallTones <= 0)
                continue;
            if (f.m_strDependName != QLatin1String("none")) {
                const int flag = limit(f.m_strDependName.toLatin1().constData());
                if (!((flag == 0 && f.m_nDependType == 0) || (flag != 0 && f.m_nDependType == 1)))
                    continue;
            }
            offered.push_back(f);
        }
    };
    const int all = int(common.size() + displayGroup.size() + preButton.size());
    addGroup(common, all);
    if (allGroups) {
        addGroup(displayGroup, all);
        addGroup(preButton, std::max(0, limit(names::kMaxPresetButtons)));
    }
    if (!common.empty())
        offered.push_back(common.back());
    return offered;
}

std::vector<bool> ShownButtonRows(bool display)
{
    const auto visible = AppSettingDocuments().GetVisibleControls(QLatin1String(kButtonsPage), display);
    std::vector<bool> shown(kButtonRowCount);
    for (int button = 0; button < kButtonRowCount; ++button)
        shown[button] = visible.value(kButtonRows[button].listId, false);
    return shown;
}

const ButtonFeature *FindButtonFeature(int code, const std::vector<ButtonFeature> &common,
                                       const std::vector<ButtonFeature> &displayGroup,
                                       const std::vector<ButtonFeature> &preButton)
{
    for (const auto *group : {&common, &displayGroup, &preButton})
        for (const ButtonFeature &f : *group)
            if (f.m_nValue == code)
                return &f;
    return nullptr;
}

const ButtonFeature *ShownButtonFeature(int code, const std::vector<ButtonFeature> &common,
                                        const std::vector<ButtonFeature> &displayGroup,
                                        const std::vector<ButtonFeature> &preButton,
                                        const std::vector<ButtonFeature> &offered)
{
    const ButtonFeature *found = FindButtonFeature(code, common, displayGroup, preButton);
    if (!found)
        return nullptr;
    for (const ButtonFeature &f : offered)
        if (f.m_strName == found->m_strName)
            return &f;
    return nullptr;
}

QString FormatVersion(const QString &phase, int version, int revision)
{
    return phase + QString::asprintf("%02d.%02d", version, revision);
}

ChannelFeatures ChannelPageFeatures(const LimitReader &limit)
{
    ChannelFeatures f;
    f.power = limit(names::kPowerCntrlEnabled) != 0;
    f.scramble = limit(names::kDisableScrambleFeature) == 0;
    f.repeater = limit(names::kDisableRepeaterFeature) == 0;
    f.scan = limit(names::kDisableScanMode) == 0;
    return f;
}

QString FormatFrequencyRange(quint32 startHz, quint32 endHz, const QString &decimalSeparator)
{
    QString text = QString::asprintf("%.6f - %.6f", startHz * 1e-6, endHz * 1e-6);
    return text.replace(QLatin1Char('.'), decimalSeparator);
}

} // namespace tavo
