#include "config/PageRows.h"
#include "base/ProfileNames.h"

namespace tavo {

namespace {

// The strings of the level lists.
const std::vector<int> kLevelItems{181, 182, 183};
const std::vector<int> kVoxItems{181, 182, 183, 193}; // VOX alone can be off

} // namespace

const std::vector<PageRow> &SettingsPageRows()
{
    static const std::vector<PageRow> rows{
        {1050, 1059, 199, names::kSetting, names::kPassword, RowKind::Text, {}, 0, {}, false},
        {1051, 1002, 200, names::kSetting, names::kPassword, RowKind::Text, {}, 0, {}, false},
        {1052, 1003, 201, names::kSetting, names::kPowerupString, RowKind::Text, {}, 0, {}, true},
        {1054, 1004, 484, names::kSetting, names::kStationID, RowKind::Text, {}, 0, {}, true},
        {1058, 1061, 485, names::kSetting, names::kRepIdMode, RowKind::List, {414, 493, 494, 495}, 1, {}, true},
        {1053, 1037, 202, names::kSetting, names::kDisableLED, RowKind::CheckOne, {}, 0, {names::kDisableBusyLedMode}, true},
        {1055, 1039, 204, names::kSetting, names::kDisableRestoreFactoryDefault, RowKind::CheckOne, {}, 0, {names::kFactoryResetDisable}, true},
        {1057, 1041, 240, names::kLimit, names::kProgrammingModeEnabled, RowKind::CheckOne, {}, 0, {}, true},
        {1024, 1040, 211, names::kSetting, names::kDisableBatterySave, RowKind::CheckOne, {}, 0, {names::kDisableBatterySaveFeature}, true},
        {1056, 1060, 205, names::kSetting, names::kBacklightTimeout, RowKind::Backlight, {214, 215, 216}, 5, {}, true},
        {1062, 1005, 486, names::kSetting, names::kRepHangtime, RowKind::Number, {}, 0, {}, true},
        {1066, 1006, 505, names::kSetting, names::kLowBatteryTx, RowKind::Number, {}, 0, {}, true},
        {1064, 1063, 487, names::kSetting, names::kOnbattAlert, RowKind::List, {414, 496, 497, 498, 499}, 1, {}, true},
        {1065, 1038, 488, names::kSetting, names::kCourtesyOver, RowKind::CheckOne, {}, 0, {}, true},
        {1016, 1026, 206, names::kSetting, names::kTimeoutTimer, RowKind::List, {220, 217, 218, 219}, 60, {names::kDisableTimeOutTimer}, true},
        {1018, 1028, 208, names::kSetting, names::kReverseBurst, RowKind::List, {224, 225}, -1, {names::kEnableReverseBurst, true}, true},
        {1019, 1029, 210, names::kSetting, names::kBatteryType, RowKind::List, {226, 227}, -1, {}, true},
    };
    return rows;
}

const std::vector<PageRow> &AudioSettingsPageRows()
{
    static const std::vector<PageRow> rows{
        {1020, 1025, 173, names::kSetting, names::kMicrophoneGain, RowKind::List, kLevelItems, 0, {}, true},
        {1021, 1026, 174, names::kSetting, names::kAccessoryMicrophoneGain, RowKind::List, kLevelItems, 0, {}, true},
        {1022, 1027, 175, names::kSetting, names::kVoxLevel, RowKind::List, kVoxItems, 0, {names::kDisableVoxFeature}, true},
        {1023, 1028, 176, names::kSetting, names::kIvolLevel, RowKind::List, kLevelItems, 0, {names::kDisableIvoxFeature}, true},
        {1024, 1017, 177, names::kSetting, names::kRogerBeepTone, RowKind::Check, {}, 0, {names::kDisableRogerBeepFeature}, true},
        {1014, 1018, 178, names::kSetting, names::kKeypadBeep, RowKind::Check, {}, 0, {names::kDisableKeypadBeepFeature}, true},
    };
    return rows;
}

const std::vector<PageRow> &ButtonsPageRows()
{
    static const std::vector<PageRow> rows{
        {1054, 1038, 203, names::kSetting, names::kKeypadLock, RowKind::Check, {}, 0, {names::kDisableKeypadLockFeature}, true},
    };
    return rows;
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

bool IsButtonShown(int button, bool display)
{
    if (button < 0 || button >= kButtonRowCount)
        return false;
    return AppSettingDocuments()
        .GetVisibleControls(QLatin1String(kButtonsPage), display)
        .value(kButtonRows[button].listId, false);
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
