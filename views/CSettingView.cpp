#include "views/CSettingView.h"
#include "views/StoredValueList.h"

#include "base/ProfileNames.h"
#include "ui_CSettingView.h"

#include "workflow/CTavoCPSDoc.h"
#include "views/DecimalFilter.h"
#include "config/PageRows.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <algorithm>
#include <QEvent>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace tavo {

namespace {

struct EntryInfo {
    const char *attribute;
    int refusalMsgId;
    bool integer;
};
// Indexed by CSettingView's Entry; the password pair has its own rules.
constexpr EntryInfo kEntries[] = {
    {names::kPassword, 327, false}, {names::kPassword, 327, false}, {names::kPowerupString, 280, false},
    {names::kStationID, 491, false}, {names::kRepHangtime, 492, true}, {names::kLowBatteryTx, 506, true},
};

// The rows written at once: the check boxes and lists (the text entries
// and the backlight list have their own handling).
bool IsChoice(const PageRow &row)
{
    return row.kind == RowKind::List || row.kind == RowKind::Check || row.kind == RowKind::CheckOne;
}

} // namespace

CSettingView::CSettingView(QWidget *parent) : CBaseView(PageSettings, parent), m_ui(new Ui::CSettingView)
{
    auto *form = new QWidget;
    m_ui->setupUi(form);
    for (const PageRow &row : SettingsPageRows())
        if (IsChoice(row))
            m_choices.push_back(row);
    // A text entry is written when it is left and checked by its own rules
    // (CSettingView::Entry); only lists and check boxes come from the rows alone.
    AddMissingRows(form, m_choices);
    SetForm(form);
    const QRegularExpression digits(QStringLiteral("\\d*"));
    for (QLineEdit *edit : {m_ui->passwordEdit, m_ui->confirmPasswordEdit})
        edit->setValidator(new QRegularExpressionValidator(digits, edit));
    m_ui->passwordEdit->setMaxLength(4);
    m_ui->confirmPasswordEdit->setMaxLength(4);
    m_ui->powerUpTextEdit->setMaxLength(8);
    m_ui->stationIdEdit->setMaxLength(9);
    m_ui->hangTimeEdit->setMaxLength(2);
    m_ui->lowBatteryTimeEdit->setMaxLength(3);
    for (int entry = 0; entry < EntryCount; ++entry)
        connect(EntryEdit(entry), &QLineEdit::textChanged, this, [this, entry] { OnEntryChanged(entry); });
    for (const PageRow &c : m_choices) {
        QWidget *control = Control(c.ctrlId);
        if (auto *box = qobject_cast<QCheckBox *>(control)) {
            connect(box, &QCheckBox::clicked, this, [this, box, &c](bool on) { WriteChoice(box, c.element, c.attribute, on ? 1 : 0); });
        } else if (auto *list = qobject_cast<QComboBox *>(control)) {
            connect(list, &QComboBox::activated, this, [this, list, &c](int position) {
                if (IsStoredValueEntry(list, position))
                    return; // the stored value stays as it is
                WriteChoice(list, c.element, c.attribute, ListValue(c, position));
            });
        }
    }
    connect(m_ui->backlightList, &QComboBox::activated, this, &CSettingView::OnBacklight);
}

CSettingView::~CSettingView() = default;

QLineEdit *CSettingView::EntryEdit(int entry) const
{
    QLineEdit *const edits[] = {m_ui->passwordEdit, m_ui->confirmPasswordEdit, m_ui->powerUpTextEdit, m_ui->stationIdEdit, m_ui->hangTimeEdit, m_ui->lowBatteryTimeEdit};
    return edits[entry];
}

CDataItem CSettingView::Element(const char *name) const
{
    return m_rootItem.ChildByName(QLatin1String(name));
}

void CSettingView::LoadRes()
{
    m_ui->titleLabel->setText(LoadString(msg::SettingTitle));
    m_ui->batteryCaption->setText(LoadString(msg::SettingAlternateBattery));
    for (const PageRow &row : SettingsPageRows()) {
        auto *label = qobject_cast<QLabel *>(Control(row.labelId));
        if (!label)
            continue;
        label->setText(LoadString(row.textId));
        if (label->buddy())
            label->buddy()->setAccessibleName(label->text());
    }
    // The lists' entries come from the rows the reports share.
    for (const PageRow &row : SettingsPageRows()) {
        auto *list = qobject_cast<QComboBox *>(Control(row.ctrlId));
        if (!list || row.items.empty())
            continue;
        list->clear();
        for (int id : row.items)
            list->addItem(LoadString(id));
    }
}

void CSettingView::ShowStored(QWidget *control)
{
    const int id = control->property("ctrlId").toInt();
    if (id == 1060) {
        const CDataItem setting = Element(names::kSetting);
        const int position = setting.GetInt(names::kBacklightEnabled) ? setting.GetInt(names::kBacklightTimeout) / 5 : 0;
        m_ui->backlightList->setCurrentIndex(position);
        return;
    }
    const auto c = std::find_if(m_choices.cbegin(), m_choices.cend(), [id](const PageRow &row) { return row.ctrlId == id; });
    if (c == m_choices.cend())
        return;
    const int value = Element(c->element).GetInt(QLatin1String(c->attribute));
    if (auto *box = qobject_cast<QCheckBox *>(control))
        box->setChecked(c->kind == RowKind::Check ? value != 0 : value == 1);
    else if (auto *list = qobject_cast<QComboBox *>(control)) {
        // A stored value that is none of the list's entries shows as itself.
        int position = value;
        if (c->scale > 0)
            position = value % c->scale == 0 ? value / c->scale : -1;
        else if (c->scale < 0)
            position = value == 0 || value == 1 ? value : -1;
        ShowStoredPosition(list, position, value);
    }
}

void CSettingView::LoadData()
{
    m_bLoaded = false;
    try {
        const CDataItem limit = Element(names::kLimit);
        for (const PageRow &row : SettingsPageRows())
            if (row.hide.name && (limit.GetInt(QLatin1String(row.hide.name)) != 0) != row.hide.hideWhenClear) {
                Control(row.labelId)->hide();
                Control(row.ctrlId)->hide();
            }
        ApplyVisibility(QStringLiteral("Settings"));
        // A row whose value the profile does not carry (the repeater options
        // of a model without them) is hidden rather than failing the page.
        for (const PageRow &row : SettingsPageRows()) {
            if (Control(row.ctrlId)->isHidden())
                continue;
            try {
                QVariant value;
                Element(row.element).GetAttributeValue(value, QLatin1String(row.attribute));
            } catch (const CTavoCPSException &) {
                Control(row.labelId)->hide();
                Control(row.ctrlId)->hide();
            }
        }

        // Only the rows shown are read.
        for (int entry = 0; entry < EntryCount; ++entry)
            if (!EntryEdit(entry)->isHidden())
                EntryEdit(entry)->setText(StoredEntryText(entry));
        for (const PageRow &c : m_choices)
            if (!Control(c.ctrlId)->isHidden())
                ShowStored(Control(c.ctrlId));
        if (!m_ui->backlightList->isHidden())
            ShowStored(m_ui->backlightList);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CSettingView::LoadData", __LINE__);
        ShowMessage(msg::PageLoadFailed, MB_OK | MB_ICONERROR);
    }
    std::fill(std::begin(m_changed), std::end(m_changed), false);
    std::fill(std::begin(m_refused), std::end(m_refused), false);
    m_bPairChanged = false;
    m_bLoaded = true;
}

int CSettingView::ShowPageMessage(int msgId)
{
    // The focus changes a message box causes must not start a second check.
    const bool armed = m_bCheckArmed;
    m_bCheckArmed = false;
    const int answer = ShowMessage(msgId, MB_OK | MB_ICONWARNING);
    m_bCheckArmed = armed;
    return answer;
}

QString CSettingView::StoredEntryText(int entry) const
{
    const EntryInfo &info = kEntries[entry];
    const CDataItem setting = Element(names::kSetting);
    return info.integer ? QString::number(setting.GetInt(QLatin1String(info.attribute)))
                        : setting.GetText(QLatin1String(info.attribute));
}

bool CSettingView::Write(const char *element, const char *attribute, const QVariant &value, int *ruleMsgId, bool typed)
{
    if (!m_pDoc || IsSettingUp())
        return false;
    try {
        CDataItem item = Element(element);
        const RuleResult r = m_pDoc->SetAttribute(item, QLatin1String(attribute), value, this, Step(typed));
        if (ruleMsgId)
            *ruleMsgId = r.code == RuleResult::Done ? 0 : r.msgId;
        return r.code == RuleResult::Done;
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
        return false;
    }
}

void CSettingView::WriteChoice(QWidget *control, const char *element, const char *attribute, const QVariant &value)
{
    if (Write(element, attribute, value))
        return;
    ShowPageMessage(msg::InvalidValue);
    ShowStored(control);
}

void CSettingView::OnBacklight(int position)
{
    // One choice, two attributes: one step.
    const CEditStep step(m_pDoc, msg::StepChangeSetting);
    if (!Write(names::kSetting, names::kBacklightEnabled, position != 0 ? 1 : 0)) {
        ShowPageMessage(msg::InvalidValue);
        m_ui->backlightList->setCurrentIndex(Element(names::kSetting).GetInt(names::kBacklightEnabled));
        return;
    }
    if (!Write(names::kSetting, names::kBacklightTimeout, position * 5)) {
        ShowPageMessage(msg::InvalidValue);
        m_ui->backlightList->setCurrentIndex(Element(names::kSetting).GetInt(names::kBacklightTimeout) / 5);
    }
}

void CSettingView::OnEntryChanged(int entry)
{
    if (!m_bLoaded)
        return;
    QLineEdit *edit = EntryEdit(entry);
    if (entry == HangTime || entry == LowBattery) {
        const QString filtered = FilterDecimalText(edit->text(), false, QString());
        if (filtered.size() < edit->text().size()) {
            const int caret = std::max(0, edit->cursorPosition() - 1);
            edit->setText(filtered); // comes back here once
            edit->setCursorPosition(std::min(caret, int(filtered.size())));
            return;
        }
    }
    // Marked modified once committed (the save question commits first).
    m_changed[entry] = true;
    if (entry == Password || entry == Confirm)
        m_bPairChanged = true;
}

bool CSettingView::WritePassword(const QString &password)
{
    if (Write(names::kSetting, names::kPassword, password)) {
        m_changed[Password] = m_changed[Confirm] = false;
        m_bPairChanged = false;
        return true;
    }
    ShowPageMessage(msg::PageInvalidValue);
    m_ui->passwordEdit->clear();
    m_ui->confirmPasswordEdit->clear();
    Refocus(Password);
    return false;
}

void CSettingView::LeavePasswordPair(bool fromPassword, QWidget *to)
{
    if (!m_bCheckArmed || !m_bPairChanged)
        return;
    const QString mine = (fromPassword ? m_ui->passwordEdit : m_ui->confirmPasswordEdit)->text();
    const QString other = (fromPassword ? m_ui->confirmPasswordEdit : m_ui->passwordEdit)->text();
    QLineEdit *otherEdit = fromPassword ? m_ui->confirmPasswordEdit : m_ui->passwordEdit;
    if (mine.isEmpty() && other.isEmpty()) {
        WritePassword(QString());
        return;
    }
    if (!mine.isEmpty() && mine.size() < 4) {
        ShowPageMessage(msg::PasswordFourDigits);
        Refocus(fromPassword ? Password : Confirm);
        return;
    }
    if (mine != other) {
        if (to == otherEdit || other.isEmpty())
            return;
        ShowPageMessage(msg::PasswordsDoNotMatch);
        m_ui->passwordEdit->clear();
        m_ui->confirmPasswordEdit->clear();
        Refocus(Password);
        return;
    }
    if (m_changed[fromPassword ? Password : Confirm] || m_bPairChanged)
        WritePassword(mine);
}

bool CSettingView::CommitEntry(int entry)
{
    if (!m_changed[entry])
        return true;
    const EntryInfo &info = kEntries[entry];
    const QString text = EntryEdit(entry)->text();
    const QVariant value = info.integer ? QVariant(text.isEmpty() ? 0 : text.toInt()) : QVariant(text);
    int ruleMsgId = 0;
    if (Write(names::kSetting, info.attribute, value, &ruleMsgId, true)) {
        m_changed[entry] = false;
        m_refused[entry] = false;
        return true;
    }
    m_refused[entry] = true;
    // The rule's own message names what it applied (the range, the
    // characters); the page's is for a rule that named none.
    ShowPageMessage(ruleMsgId != 0 && HasString(ruleMsgId) ? ruleMsgId : info.refusalMsgId);
    Refocus(entry);
    return false;
}

bool CSettingView::HoldsRefused() const
{
    return std::find(std::begin(m_refused), std::end(m_refused), true) != std::end(m_refused);
}

bool CSettingView::RevertRefused()
{
    bool reverted = false;
    for (int entry : {PowerUp, StationId, HangTime, LowBattery}) {
        if (!m_refused[entry])
            continue;
        try {
            const QSignalBlocker quiet(EntryEdit(entry));
            EntryEdit(entry)->setText(StoredEntryText(entry));
        } catch (const CTavoCPSException &e) {
            CTavoCPSDoc::ShowFailure(e);
        }
        m_changed[entry] = m_refused[entry] = false;
        if (!reverted)
            EntryEdit(entry)->setFocus(Qt::OtherFocusReason);
        reverted = true;
    }
    return reverted;
}

void CSettingView::Refocus(int entry)
{
    m_nRefocus = entry + 1;
    QTimer::singleShot(0, this, [this] { OnRefocusRequest(0, 10); });
}

void CSettingView::OnRefocusRequest(int ctrlId, int reason)
{
    if (ctrlId == 0 && m_nRefocus > 0)
        ctrlId = EntryEdit(m_nRefocus - 1)->property("ctrlId").toInt();
    CBaseView::OnRefocusRequest(ctrlId, reason);
}

void CSettingView::OnEntryLeft(int entry, QWidget *to)
{
    // Only a move to another control of this page commits; leaving the
    // window is left to CommitChanges.
    if (!to || to == EntryEdit(entry) || !isAncestorOf(to))
        return;
    if (entry == Password || entry == Confirm)
        LeavePasswordPair(entry == Password, to);
    else
        CommitEntry(entry);
}

bool CSettingView::CommitChanges()
{
    if (!m_pDoc)
        return true;
    if (!m_bPairChanged) {
        for (int entry : {PowerUp, StationId, HangTime, LowBattery})
            if (!CommitEntry(entry))
                return false;
        return true;
    }
    const QString password = m_ui->passwordEdit->text(), confirm = m_ui->confirmPasswordEdit->text();
    if (password.isEmpty() && confirm.isEmpty())
        return WritePassword(QString());
    if (password.size() < 4) {
        ShowPageMessage(msg::PasswordFourDigits);
        Refocus(Password);
        return false;
    }
    if (confirm.size() < 4 && !confirm.isEmpty()) {
        ShowPageMessage(msg::PasswordFourDigits);
        Refocus(Confirm);
        return false;
    }
    if (password != confirm) {
        ShowPageMessage(msg::PasswordsDoNotMatch);
        m_ui->passwordEdit->clear();
        m_ui->confirmPasswordEdit->clear();
        Refocus(Password);
        return false;
    }
    return WritePassword(password);
}

bool CSettingView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && m_bLoaded) {
        for (int entry = 0; entry < EntryCount; ++entry)
            if (watched == EntryEdit(entry)) {
                OnEntryLeft(entry, QApplication::focusWidget());
                break;
            }
    }
    return CBaseView::eventFilter(watched, event);
}

void CSettingView::mousePressEvent(QMouseEvent *event)
{
    m_ui->titleLabel->setFocus(Qt::MouseFocusReason);
    CBaseView::mousePressEvent(event);
}

} // namespace tavo
