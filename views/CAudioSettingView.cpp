#include "views/CAudioSettingView.h"
#include "views/StoredValueList.h"

#include "base/ProfileNames.h"
#include "ui_CAudioSettingView.h"

#include "workflow/CTavoCPSDoc.h"
#include "config/PageRows.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace tavo {

// The rows of the page, shared with the reports.
struct CAudioSettingView::Binding : PageRow {};

namespace {

constexpr int kInvalidValue = 261;

} // namespace

CAudioSettingView::CAudioSettingView(QWidget *parent)
    : CBaseView(PageAudioSettings, parent), m_ui(new Ui::CAudioSettingView)
{
    auto *form = new QWidget;
    m_ui->setupUi(form);
    const std::vector<PageRow> rows = AudioSettingsPageRows();
    for (const PageRow &row : rows)
        m_bindings.push_back({row});
    AddMissingRows(form, rows);
    SetForm(form);
    for (const Binding &b : m_bindings) {
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
    Control(1019)->setProperty("text", LoadString(msg::AudioSettingsTitle));
    for (const Binding &b : m_bindings) {
        const QString caption = LoadString(b.textId);
        if (auto *label = qobject_cast<QLabel *>(Control(b.labelId)))
            label->setText(caption);
        Control(b.ctrlId)->setAccessibleName(caption);
        if (auto *list = qobject_cast<QComboBox *>(Control(b.ctrlId))) {
            list->clear();
            for (int item : b.items)
                list->addItem(LoadString(item));
        }
    }
    m_bLoading = false;
}

void CAudioSettingView::LoadControl(const Binding &b)
{
    const bool wasLoading = m_bLoading;
    m_bLoading = true;
    try {
        CDataItem setting = m_rootItem.ChildByName(names::kSetting);
        const int value = setting.GetInt(QLatin1String(b.attribute));
        if (auto *list = qobject_cast<QComboBox *>(Control(b.ctrlId)))
            // A value the list does not hold shows as itself.
            ShowStoredPosition(list, value, value);
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
    for (const Binding &b : m_bindings)
        LoadControl(b);
    try {
        CDataItem limit = m_rootItem.ChildByName(names::kLimit);
        for (const Binding &row : m_bindings) {
            if (row.hide.name && (limit.GetInt(QLatin1String(row.hide.name)) != 0) != row.hide.hideWhenClear) {
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
    if (auto *list = qobject_cast<QComboBox *>(Control(b.ctrlId))) {
        value = list->currentIndex();
        if (IsStoredValueEntry(list, value))
            return; // the stored value stays as it is
    }
    else if (auto *box = qobject_cast<QCheckBox *>(Control(b.ctrlId)))
        value = box->isChecked() ? 1 : 0;
    if (value < 0)
        return;
    bool written = false;
    try {
        CDataItem setting = m_rootItem.ChildByName(names::kSetting);
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
