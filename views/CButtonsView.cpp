#include "views/CButtonsView.h"

#include "base/ProfileNames.h"
#include "ui_CButtonsView.h"

#include "resources/MessageIds.h"
#include "workflow/CTavoCPSDoc.h"
#include "base/CTavoCPSException.h"
#include "config/PageRows.h"
#include "config/Registry.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavo {

namespace {

// The page's buttons and the rows their features bring (shared with the
// reports).
const ButtonRow (&kButtons)[kButtonRowCount] = kButtonRows;
const ButtonDependentRow (&kRows)[kButtonDependentRowCount] = kButtonDependentRows;
using DependentRow = ButtonDependentRow;
static_assert(kButtonRowCount == CButtonsView::kButtonCount);
constexpr int kRowCount = int(std::size(kRows));

constexpr int kInvalidValue = 261;
constexpr int kFeatureOnce = 281;
constexpr int kPresetChannel = 282;
constexpr int kMissingFiles = 315;
constexpr int kResetQuestion = 213;

int RowOfCode(int code)
{
    for (int i = 0; i < kRowCount; ++i)
        if (kRows[i].code == code)
            return i;
    return -1;
}

} // namespace

CButtonsView::CButtonsView(QWidget *parent) : CBaseView(PageButtons, parent), m_ui(new Ui::CButtonsView)
{
    auto *form = new QWidget;
    m_ui->setupUi(form);
    SetForm(form);
    ArrangeButtonRows();
    for (int b = 0; b < kButtonCount; ++b)
        connect(ButtonList(b), &QComboBox::currentIndexChanged, this, [this, b] { OnButtonChanged(b); });
    connect(m_ui->preset1List, &QComboBox::currentIndexChanged, this, [this] { OnPresetChanged(0); });
    connect(m_ui->preset2List, &QComboBox::currentIndexChanged, this, [this] { OnPresetChanged(1); });
    connect(m_ui->callToneList, &QComboBox::currentIndexChanged, this, [this] { OnCallToneChanged(); });
    connect(m_ui->scrambleButtonList, &QComboBox::currentIndexChanged, this, [this] { OnScrambleModeChanged(); });
    connect(m_ui->keypadLockCheck, &QCheckBox::toggled, this, [this] { OnKeypadLockChanged(); });
    connect(m_ui->resetButton, &QPushButton::clicked, this, &CButtonsView::OnReset);
}

CButtonsView::~CButtonsView() = default;

QComboBox *CButtonsView::ButtonList(int button) const
{
    return qobject_cast<QComboBox *>(Control(kButtons[button].listId));
}

void CButtonsView::ArrangeButtonRows()
{
    // Title; keypad lock; the picture; the "Feature" bar; one line per
    // button with room on its right for the row its feature brings; Reset.
    QWidget *form = Form();
    QList<QWidget *> boxes;
    QList<QWidget *> all;
    for (const LayoutRecord *r = PageInfo()->table; r->nCtrlId != 0; ++r)
        if (QWidget *w = Control(r->nCtrlId); w && !all.contains(w))
            all << w;
    for (QWidget *w : all) {
        if (w->parentWidget() != form && !boxes.contains(w->parentWidget()))
            boxes << w->parentWidget();
        w->setParent(form);
    }
    delete form->layout();
    qDeleteAll(boxes);

    auto *layout = new QVBoxLayout(form);
    layout->setContentsMargins(15, 15, 15, 15);
    layout->setSpacing(12);
    QWidget *title = Control(1075);
    layout->addWidget(title);

    auto *top = new QGridLayout;
    top->setHorizontalSpacing(16);
    top->setVerticalSpacing(8);
    top->addWidget(Control(1054), 0, 0);
    top->addWidget(Control(1038), 0, 1);
    top->addWidget(Control(1058), 1, 0, 1, 2, Qt::AlignHCenter);
    auto *topCentred = new QHBoxLayout;
    topCentred->addStretch(1);
    topCentred->addLayout(top);
    topCentred->addStretch(1);
    layout->addLayout(topCentred);

    QWidget *feature = Control(1004);
    feature->setFixedHeight(28);
    layout->addWidget(feature);

    m_pRows = new QGridLayout;
    m_pRows->setHorizontalSpacing(10);
    m_pRows->setVerticalSpacing(8);
    for (int b = 0; b < kButtonCount; ++b)
        Control(kButtons[b].listId)->setMinimumWidth(220);
    m_pRows->setColumnMinimumWidth(2, 110);
    m_pRows->setColumnMinimumWidth(3, 160);
    PlaceButtonRows();
    auto *rowsCentred = new QHBoxLayout;
    rowsCentred->addStretch(1);
    rowsCentred->addLayout(m_pRows);
    rowsCentred->addStretch(1);
    layout->addLayout(rowsCentred);
    layout->addStretch(1);
    for (QWidget *w : all)
        w->show();
    // The dependent rows wait hidden until a button's feature shows one.
    for (const DependentRow &row : kRows) {
        Control(row.labelId)->hide();
        Control(row.ctrlId)->hide();
    }
}

void CButtonsView::PlaceButtonRows()
{
    // One grid line per shown button, Reset right under the last: a button
    // the model does not show leaves no gap.
    int line = 0;
    for (int b = 0; b < kButtonCount; ++b) {
        QWidget *label = Control(kButtons[b].labelId);
        QWidget *list = Control(kButtons[b].listId);
        m_pRows->removeWidget(label);
        m_pRows->removeWidget(list);
        m_line[b] = list->isHidden() ? -1 : line++;
        if (m_line[b] >= 0) {
            m_pRows->addWidget(label, m_line[b], 0);
            m_pRows->addWidget(list, m_line[b], 1);
        }
    }
    m_pRows->removeWidget(Control(1041));
    m_pRows->addWidget(Control(1041), line, 0, 1, 2, Qt::AlignLeft);
}

void CButtonsView::LoadRes()
{
    m_bLoading = true;
    Control(1075)->setProperty("text", LoadString(msg::ButtonsTitle));
    Control(1004)->setProperty("text", LoadString(msg::ButtonsFeature));
    auto caption = [this](int labelId, int ctrlId, int textId) {
        const QString text = LoadString(textId);
        if (auto *label = qobject_cast<QLabel *>(Control(labelId)))
            label->setText(text);
        Control(ctrlId)->setAccessibleName(text);
    };
    caption(1054, 1038, msg::ButtonsKeypadLock);
    for (const ButtonRow &b : kButtons)
        caption(b.labelId, b.listId, b.textId);
    caption(1016, 1017, msg::ButtonsScramble);
    caption(1029, 1030, msg::ButtonsCallToneLabel);
    caption(1014, 1007, msg::LabelPreset1Channel);
    caption(1015, 1008, msg::LabelPreset2Channel);
    m_ui->resetButton->setText(LoadString(msg::ButtonsResetButton));
    m_ui->scrambleButtonList->clear();
    m_ui->scrambleButtonList->addItems({LoadString(msg::ButtonsSelectable), LoadString(msg::ButtonsOnOff)});
    m_ui->callToneList->clear();
    m_ui->callToneList->addItem(LoadString(msg::ButtonsOff));
    m_bLoading = false;
}

int CButtonsView::GetSettingInt(const char *attribute) const
{
    return m_rootItem.ChildByName(names::kSetting).GetInt(QLatin1String(attribute));
}

int CButtonsView::GetLimitInt(const char *attribute) const
{
    return m_rootItem.ChildByName(names::kLimit).GetInt(QLatin1String(attribute));
}

int CButtonsView::GetPresetChannel(int preset) const
{
    CDataItem entry;
    m_rootItem.ChildByName(names::kSetting).GetChildByIndex(preset, entry);
    return entry.GetInt(names::kChannel);
}

bool CButtonsView::SetDataValue(const char *attribute, int value)
{
    if (!m_pDoc)
        return false;
    try {
        CDataItem setting = m_rootItem.ChildByName(names::kSetting);
        return ChangeAttribute(setting, QLatin1String(attribute), value, kCallerShowsRefusal);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CButtonsView::SetDataValue", __LINE__);
        CTavoCPSDoc::ShowFailure(e);
        return false;
    }
}

bool CButtonsView::SetPreButtonValue(int preset, int channel)
{
    if (!m_pDoc)
        return false;
    try {
        CDataItem entry;
        m_rootItem.ChildByName(names::kSetting).GetChildByIndex(preset, entry);
        return ChangeAttribute(entry, names::kChannel, channel, kCallerShowsRefusal);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CButtonsView::SetPreButtonValue", __LINE__);
        CTavoCPSDoc::ShowFailure(e);
        return false;
    }
}

void CButtonsView::LoadFeatureGroups()
{
    SettingDocuments &docs = AppSettingDocuments();
    m_common.clear();
    m_displayGroup.clear();
    m_preButton.clear();
    m_bHaveNoFeature = false;
    if (!docs.GetDocument(SettingDocuments::ButtonList)) {
        ShowMessage(kMissingFiles, MB_OK | MB_ICONERROR);
        return;
    }
    docs.LocalizeButtonFeatureNames();
    const QString model = m_rootItem.ChildByName(names::kFactorySetting).GetText(names::kModel);
    m_common = docs.GetButtonFeatures(model, QLatin1String(kGroupCommon));
    m_displayGroup = docs.GetButtonFeatures(model, SettingDocuments::DisplayGroupName(model));
    m_preButton = docs.GetButtonFeatures(model, QLatin1String(kGroupPreButton));
    const int maxPreset = qMax(0, GetLimitInt(names::kMaxPresetButtons));
    if (int(m_preButton.size()) > maxPreset)
        m_preButton.resize(maxPreset);
    if (m_common.empty()) {
        ShowMessage(kMissingFiles, MB_OK | MB_ICONERROR);
        return;
    }
    m_noFeature = m_common.back();
    m_bHaveNoFeature = true;
}

void CButtonsView::LoadPicture()
{
    m_picture = QImage();
    const QString model = m_rootItem.ChildByName(names::kFactorySetting).GetText(names::kModel);
    const QString file = AppSettingDocuments().GetButtonImageFile(model);
    const QString path = file.isEmpty() ? QString() : InstallFilePath(QStringLiteral("lib"), file);
    if (path.isEmpty() || !QFile::exists(path) || !m_picture.load(path)) {
        m_picture = QImage();
        ShowMessage(kMissingFiles, MB_OK | MB_ICONERROR);
    }
    // Drawn stretched into the frame.
    m_ui->radioPicture->setScaledContents(true);
    m_ui->radioPicture->setPixmap(m_picture.isNull() ? QPixmap() : QPixmap::fromImage(m_picture));
}

void CButtonsView::FillButtonList(int button)
{
    std::vector<ButtonFeature> &offered = m_offered[button];
    offered = OfferedButtonFeatures(m_common, m_displayGroup, m_preButton, kButtons[button].allGroups,
                                    [this](const char *name) { return GetLimitInt(name); });
    QComboBox *list = ButtonList(button);
    list->clear();
    for (const ButtonFeature &f : offered)
        list->addItem(f.m_strName, f.m_nValue);
}

int CButtonsView::ButtonCode(int button) const { return GetSettingInt(kButtons[button].attribute); }

void CButtonsView::ShowButtonFeature(int button)
{
    const bool wasLoading = m_bLoading;
    m_bLoading = true;
    QComboBox *list = ButtonList(button);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int code = ButtonCode(button);
        const ButtonFeature *found = FindButtonFeature(code, m_common, m_displayGroup, m_preButton);
        const int index = found ? list->findText(found->m_strName, Qt::MatchExactly) : -1;
        if (index >= 0) {
            list->setCurrentIndex(index);
            break;
        }
        list->setCurrentIndex(-1);
        // Not offered on this button (or by this model): no feature.
        if (code == 0 || !SetDataValue(kButtons[button].attribute, 0))
            break;
    }
    m_bLoading = wasLoading;
}

void CButtonsView::UpdateDependentRow(int button)
{
    const int row = RowOfCode(ButtonCode(button));
    if (row >= 0 && m_shownRow[button] == row)
        return;
    if (m_shownRow[button] >= 0) {
        Control(kRows[m_shownRow[button]].labelId)->hide();
        Control(kRows[m_shownRow[button]].ctrlId)->hide();
        m_shownRow[button] = -1;
    }
    // A button the model's page does not show brings no row either (a
    // rotary model's buttons B and C keep their presets out of sight).
    if (row < 0 || m_line[button] < 0)
        return;
    // A row shows on one line only.
    for (int other = 0; other < kButtonCount; ++other)
        if (m_shownRow[other] == row)
            m_shownRow[other] = -1;
    QWidget *label = Control(kRows[row].labelId);
    QWidget *ctrl = Control(kRows[row].ctrlId);
    m_pRows->removeWidget(label);
    m_pRows->removeWidget(ctrl);
    m_pRows->addWidget(label, m_line[button], 2);
    m_pRows->addWidget(ctrl, m_line[button], 3);
    label->show();
    ctrl->show();
    QWidget::setTabOrder(ButtonList(button), ctrl);
    m_shownRow[button] = row;
}

int CButtonsView::FindCode(int button, const QString &name) const
{
    std::vector<const std::vector<ButtonFeature> *> groups{&m_common};
    if (kButtons[button].allGroups) {
        groups.push_back(&m_displayGroup);
        groups.push_back(&m_preButton);
    }
    for (const auto *group : groups)
        for (const ButtonFeature &f : *group)
            if (f.m_strName == name)
                return f.m_nValue;
    return -1;
}

void CButtonsView::OnButtonChanged(int button)
{
    if (m_bLoading)
        return;
    QComboBox *list = ButtonList(button);
    if (list->currentIndex() < 0)
        return;
    const int code = FindCode(button, list->currentText());
    if (code < 0) {
        ShowMessage(kMissingFiles, MB_OK | MB_ICONERROR);
        return;
    }
    try {
        if (!SetDataValue(kButtons[button].attribute, code)) {
            ShowMessage(kFeatureOnce, MB_OK | MB_ICONWARNING);
            ShowButtonFeature(button);
        }
        UpdateDependentRow(button);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CButtonsView::GetAttribute", __LINE__);
        CTavoCPSDoc::ShowFailure(e);
    }
}

void CButtonsView::SelectPreset(int preset)
{
    const bool wasLoading = m_bLoading;
    m_bLoading = true;
    QComboBox *list = preset == 0 ? m_ui->preset1List : m_ui->preset2List;
    try {
        const int channel = GetPresetChannel(preset);
        list->setCurrentIndex(channel >= 0 && channel < list->count() ? channel : -1);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CButtonsView::SetPreComboSel", __LINE__);
        CTavoCPSDoc::ShowFailure(e);
    }
    m_bLoading = wasLoading;
}

void CButtonsView::OnPresetChanged(int preset)
{
    if (m_bLoading)
        return;
    QComboBox *list = preset == 0 ? m_ui->preset1List : m_ui->preset2List;
    if (list->currentIndex() < 0)
        return;
    if (!SetPreButtonValue(preset, list->currentIndex())) {
        ShowMessage(kPresetChannel, MB_OK | MB_ICONWARNING);
        SelectPreset(preset);
    }
}

void CButtonsView::SelectCallTone()
{
    const bool wasLoading = m_bLoading;
    m_bLoading = true;
    const int tone = GetSettingInt(names::kCallTone);
    m_ui->callToneList->setCurrentIndex(tone >= 0 && tone < m_ui->callToneList->count() ? tone : -1);
    m_bLoading = wasLoading;
}

void CButtonsView::OnCallToneChanged()
{
    if (m_bLoading || m_ui->callToneList->currentIndex() < 0)
        return;
    if (!SetDataValue(names::kCallTone, m_ui->callToneList->currentIndex())) {
        ShowMessage(kInvalidValue, MB_OK | MB_ICONWARNING);
        SelectCallTone();
    }
}

void CButtonsView::SetKeypadLockBox()
{
    const bool wasLoading = m_bLoading;
    m_bLoading = true;
    m_ui->keypadLockCheck->setChecked(GetSettingInt(names::kKeypadLock) != 0);
    m_bLoading = wasLoading;
}

void CButtonsView::OnKeypadLockChanged()
{
    if (m_bLoading)
        return;
    if (!SetDataValue(names::kKeypadLock, m_ui->keypadLockCheck->isChecked() ? 1 : 0)) {
        ShowMessage(kInvalidValue, MB_OK | MB_ICONWARNING);
        SetKeypadLockBox();
    }
}

void CButtonsView::SelectScrambleMode()
{
    const bool wasLoading = m_bLoading;
    m_bLoading = true;
    m_ui->scrambleButtonList->setCurrentIndex(GetSettingInt(names::kDisableSelectableScramble) != 0 ? 1 : 0);
    m_bLoading = wasLoading;
}

void CButtonsView::OnScrambleModeChanged()
{
    if (m_bLoading || m_ui->scrambleButtonList->currentIndex() < 0)
        return;
    if (!SetDataValue(names::kDisableSelectableScramble, m_ui->scrambleButtonList->currentIndex())) {
        ShowMessage(kInvalidValue, MB_OK | MB_ICONWARNING);
        const bool wasLoading = m_bLoading;
        m_bLoading = true;
        m_ui->scrambleButtonList->setCurrentIndex(-1);
        m_bLoading = wasLoading;
    }
}

void CButtonsView::LoadData()
{
    m_bLoading = true;
    try {
        m_nMaxCallTones = GetLimitInt(names::kMaxCallTones);
        LoadFeatureGroups();
        LoadPicture();
        for (int b = 0; b < kButtonCount; ++b)
            FillButtonList(b);
        // The preset lists: every channel's name, in channel order.
        try {
            const CDataItem setting = m_rootItem.ChildByName(names::kSetting);
            const CDataItem channels = m_rootItem.ChildByName(names::kChannels);
            const int count = setting.GetInt(names::kNumberChannels);
            QStringList names;
            for (int i = 0; i < count; ++i) {
                CDataItem channel;
                channels.GetChildByIndex(i, channel);
                names << (channel.IsEmpty() ? QString() : channel.GetText(names::kName));
            }
            for (QComboBox *list : {m_ui->preset1List, m_ui->preset2List}) {
                list->clear();
                list->addItems(names);
            }
        } catch (CTavoCPSException &e) {
            e.AddTrace(QStringLiteral("Exception Catched"), "CButtonsView::AddPreComboList", __LINE__);
            throw;
        }
        ApplyVisibility(QLatin1String(kButtonsPage));
        for (const DependentRow &row : kRows) {
            Control(row.labelId)->hide();
            Control(row.ctrlId)->hide();
        }
        m_shownRow.fill(-1);
        PlaceButtonRows();
        for (int b = 0; b < kButtonCount; ++b) {
            ShowButtonFeature(b);
            UpdateDependentRow(b);
        }
        SelectPreset(0);
        SelectPreset(1);
        SetKeypadLockBox();
        if (GetLimitInt(names::kDisableKeypadLockFeature) != 0) {
            Control(1054)->hide();
            Control(1038)->hide();
        }
        SelectScrambleMode();
        while (m_ui->callToneList->count() > 1)
            m_ui->callToneList->removeItem(1);
        for (int n = 1; n <= m_nMaxCallTones; ++n)
            m_ui->callToneList->addItem(QString::asprintf("%s %d", qPrintable(LoadString(msg::ButtonsCallTone)), n));
        SelectCallTone();
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
    }
    m_bLoading = false;
}

void CButtonsView::OnReset()
{
    if (ShowMessage(kResetQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // Writes during the reset report no refusals; together one Undo step.
    CEditStep step(m_pDoc, msg::StepResetButtons);
    try {
        // A button the model does not show defaults to no feature, so that
        // its feature stays free for a shown one.
        const auto defaultCode = [this](int b) { return m_line[b] >= 0 ? kButtons[b].defaultCode : 0; };
        bool differs = false;
        for (int b = 0; b < kButtonCount; ++b)
            differs = differs || ButtonCode(b) != defaultCode(b);
        auto refresh = [this] {
            for (int b = 0; b < kButtonCount; ++b) {
                ShowButtonFeature(b);
                UpdateDependentRow(b);
            }
        };
        if (differs) {
            // All cleared first, so that no default meets its feature still
            // on another button.
            for (const ButtonRow &b : kButtons)
                SetDataValue(b.attribute, 0);
            refresh();
            for (int b = 0; b < kButtonCount; ++b)
                SetDataValue(kButtons[b].attribute, defaultCode(b));
            refresh();
        }
        if (GetSettingInt(names::kCallTone) != 0)
            SetDataValue(names::kCallTone, 0);
        SelectCallTone();
        if (GetSettingInt(names::kDisableSelectableScramble) != 0)
            SetDataValue(names::kDisableSelectableScramble, 0);
        SelectScrambleMode();
        if (GetPresetChannel(0) != 0)
            SetPreButtonValue(0, 0);
        SelectPreset(0);
        const int second = GetSettingInt(names::kNumberChannels) > 1 ? 1 : 0;
        if (GetPresetChannel(1) != second)
            SetPreButtonValue(1, second);
        SelectPreset(1);
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
    }
}

} // namespace tavo
