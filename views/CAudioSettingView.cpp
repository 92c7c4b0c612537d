#include "views/CAudioSettingView.h"

#include "ui_CAudioSettingView.h"

#include "workflow/CTavoCPSDoc.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace tavo {

struct CAudioSettingView::Binding {
    int labelId;
    int ctrlId;
    int textId;
    const char *attribute;
};

namespace {

struct LimitRow {
    const char *flag;
    int labelId;
    int ctrlId;
};

constexpr LimitRow kLimitRows[] = {
    {"disable_vox_feature", 1022, 1027},
    {"disable_ivox_feature", 1023, 1028},
    {"disable_roger_beep_feature", 1024, 1017},
    {"disable_keypad_beep_feature", 1014, 1018},
};

constexpr int kInvalidValue = 261;

} // namespace

static const CAudioSettingView::Binding kBindings[] = {
    {1020, 1025, 173, "microphoneGain"},
    {1021, 1026, 174, "accessoryMicrophoneGain"},
    {1022, 1027, 175, "vox_level"},
    {1023, 1028, 176, "ivol_level"},
    {1024, 1017, 177, "rogerBeepTone"},
    {1014, 1018, 178, "keypadBeep"},
};

CAudioSettingView::CAudioSettingView(QWidget *parent)
    : CBaseView(PageAudioSettings, parent), m_ui(new Ui::CAudioSettingView)
{
    auto *form = new QWidget;
    m_ui->setupUi(form);
    SetForm(form);
    for (const Binding &b : kBindings) {
        if (auto *list = qobject_cast<QComboBox *>(Control(b.ctrlId)))
            connect(list, &QComboBox::currentIndexChanged, this, [this, &b] { WriteControl(b); });
        else if (auto *box = qobject_cast<QCheckBox *>(Control(b.ctrlId)))
            connect(box, &QCheckBox::toggled, this, [this, &b] { WriteControl(b); });
    }
}

CAudioSettingView::~CAudioSettingView() = default;

void CAudioSettingView::LoadRes()
{
    m_bLoading = true;
    Control(1019)->setProperty("text", LoadString(172));
    for (const Binding &b : kBindings) {
        const QString caption = LoadString(b.textId);
        if (auto *label = qobject_cast<QLabel *>(Control(b.labelId)))
            label->setText(caption);
        Control(b.ctrlId)->setAccessibleName(caption);
        if (auto *list = qobject_cast<QComboBox *>(Control(b.ctrlId))) {
            list->clear();
            list->addItems({LoadString(181), LoadString(182), LoadString(183)});
            if (b.ctrlId == 1027)
                list->addItem(LoadString(193)); // VOX alone can be off
        }
    }
    m_bLoading = false;
}

void CAudioSettingView::LoadControl(const Binding &b)
{
    const bool wasLoading = m_bLoading;
    m_bLoading = true;
    try {
        CDataItem setting;
        m_rootItem.GetChildByName(QStringLiteral("setting"), setting);
        const int value = setting.GetInt(QLatin1String(b.attribute));
        if (auto *list = qobject_cast<QComboBox *>(Control(b.ctrlId)))
            // A value the list does not hold selects nothing.
            list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
        else if (auto *box = qobject_cast<QCheckBox *>(Control(b.ctrlId)))
            box->setChecked(value != 0);
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
        // Nothing stored that can be shown: no choice rather than a guess.
        if (auto *list = qobject_cast<QComboBox *>(Control(b.ctrlId)))
            list->setCurrentIndex(-1);
    }
    m_bLoading = wasLoading;
}

void CAudioSettingView::LoadData()
{
    m_bLoading = true;
    for (const Binding &b : kBindings)
        LoadControl(b);
    try {
        CDataItem limit;
        m_rootItem.GetChildByName(QStringLiteral("limit"), limit);
        for (const LimitRow &row : kLimitRows) {
            if (limit.GetInt(QLatin1String(row.flag)) != 0) {
                Control(row.labelId)->hide();
                Control(row.ctrlId)->hide();
            }
        }
        ApplyVisibility(QStringLiteral("AudioSettings"));
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
    }
    m_bLoading = false;
}

void CAudioSettingView::WriteControl(const Binding &b)
{
    if (m_bLoading || !m_pDoc)
        return;
    int value = 0;
    if (auto *list = qobject_cast<QComboBox *>(Control(b.ctrlId)))
        value = list->currentIndex();
    else if (auto *box = qobject_cast<QCheckBox *>(Control(b.ctrlId)))
        value = box->isChecked() ? 1 : 0;
    if (value < 0)
        return;
    bool written = false;
    try {
        CDataItem setting;
        m_rootItem.GetChildByName(QStringLiteral("setting"), setting);
        written = ChangeAttribute(setting, QLatin1String(b.attribute), value, kCallerShowsRefusal);
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
    }
    if (written)
        return;
    ShowMessage(kInvalidValue, MB_OK | MB_ICONWARNING);
    LoadControl(b);
}

} // namespace tavo
