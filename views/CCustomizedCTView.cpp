#include "views/CCustomizedCTView.h"

#include "base/ProfileNames.h"
#include "ui_CCustomizedCTView.h"

#include "workflow/CTavoCPSDoc.h"
#include "views/DecimalFilter.h"
#include "base/CTavoCPSException.h"
#include "config/Registry.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <algorithm>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

namespace tavo {

namespace {

constexpr int kSlots = 6;
constexpr int kFirstLabel = 1078;
constexpr int kFirstEdit = 1084;
constexpr int kFirstLabelText = 472;
constexpr int kRangeMessage = 478;
constexpr int kMaxChars = 5;

QString SlotAttribute(int slot) { return QStringLiteral("CTcode%1").arg(124 + slot); }

} // namespace

bool FilterDecimalEdit(QLineEdit *edit, bool allowFraction, const QString &separator)
{
    const QString old = edit->text();
    const QString filtered = FilterDecimalText(old, allowFraction, separator);
    if (filtered.size() >= old.size())
        return false;
    const int selectionEnd = edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
    edit->selectAll();
    edit->insert(filtered); // one step of the edit's undo
    edit->setCursorPosition(qBound(0, selectionEnd - 1, int(filtered.size())));
    return true;
}

CCustomizedCTView::CCustomizedCTView(QWidget *parent)
    : CBaseView(PageCustomizedCT, parent), m_ui(new Ui::CCustomizedCTView)
{
    auto *form = new QWidget;
    m_ui->setupUi(form);
    SetForm(form);
    for (int slot = 0; slot < kSlots; ++slot) {
        QLineEdit *edit = Edit(slot);
        connect(edit, &QLineEdit::textChanged, this, [this, slot] { OnTextChanged(slot); });
    }
}

CCustomizedCTView::~CCustomizedCTView() = default;

QLineEdit *CCustomizedCTView::Edit(int slot) const { return qobject_cast<QLineEdit *>(Control(kFirstEdit + slot)); }

void CCustomizedCTView::LoadRes()
{
    Control(1077)->setProperty("text", LoadString(msg::CodeLabelCustomized));
    for (int slot = 0; slot < kSlots; ++slot) {
        const QString caption = LoadString(kFirstLabelText + slot);
        if (auto *label = qobject_cast<QLabel *>(Control(kFirstLabel + slot)))
            label->setText(caption);
        Edit(slot)->setAccessibleName(caption);
        Edit(slot)->setMaxLength(kMaxChars);
    }
}

void CCustomizedCTView::LoadData()
{
    m_strSeparator = GetDecimalSeparator();
    try {
        for (int slot = 0; slot < kSlots; ++slot)
            ShowStored(slot);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CCustomizedCTView::LoadData", __LINE__);
        CTavoCPSDoc::ShowFailure(e);
    }
    ApplyVisibility(QStringLiteral("CustomizedCT"));
}

void CCustomizedCTView::ShowStored(int slot)
{
    const int tenths = m_rootItem.ChildByName(names::kSetting).GetInt(SlotAttribute(slot));
    QString text = QString::asprintf("%.1f", tenths * 0.1);
    Edit(slot)->setText(text.replace(QLatin1Char('.'), m_strSeparator));
    m_refused[slot] = false;
}

int CCustomizedCTView::TenthsOfText(const QString &text, const QString &separator)
{
    QString plain = text;
    if (!separator.isEmpty())
        plain.replace(separator.at(0), QLatin1Char('.'));
    // Counted in whole tenths from the digits themselves, so that 67.3 is
    // 673 and not the 672 a binary product would truncate to.
    qint64 tenths = 0;
    bool fraction = false;
    for (const QChar c : plain) {
        if (c == QLatin1Char('.')) {
            if (fraction)
                break;
            fraction = true;
            continue;
        }
        if (!c.isDigit())
            break;
        tenths = tenths * 10 + c.digitValue();
        if (fraction)
            return int(qMin<qint64>(tenths, INT_MAX));
        if (tenths > INT_MAX / 100)
            return INT_MAX;
    }
    return int(qMin<qint64>(tenths * 10, INT_MAX));
}

bool CCustomizedCTView::CommitEdit(int slot)
{
    QLineEdit *edit = Edit(slot);
    FilterDecimalEdit(edit, true, m_strSeparator);
    const int tenths = TenthsOfText(edit->text(), m_strSeparator);
    if (!m_pDoc)
        return false;
    try {
        CDataItem setting = m_rootItem.ChildByName(names::kSetting);
        if (!ChangeAttribute(setting, SlotAttribute(slot), tenths, kCallerShowsRefusal, true)) {
            m_refused[slot] = true;
            return false;
        }
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
        return false;
    }
    edit->setModified(false);
    m_refused[slot] = false;
    return true;
}

bool CCustomizedCTView::HoldsRefused() const
{
    return std::find(std::begin(m_refused), std::end(m_refused), true) != std::end(m_refused);
}

bool CCustomizedCTView::RevertRefused()
{
    int first = -1;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!m_refused[slot])
            continue;
        try {
            ShowStored(slot);
        } catch (const CTavoCPSException &e) {
            CTavoCPSDoc::ShowFailure(e);
        }
        Edit(slot)->setModified(false);
        if (first < 0)
            first = slot;
    }
    if (first >= 0)
        Edit(first)->setFocus(Qt::OtherFocusReason);
    return first >= 0;
}

bool CCustomizedCTView::CommitChanges()
{
    for (int slot = 0; slot < kSlots; ++slot) {
        QLineEdit *edit = Edit(slot);
        if (!edit->isModified() || CommitEdit(slot))
            continue;
        ShowMessage(kRangeMessage, MB_OK | MB_ICONWARNING);
        const int id = kFirstEdit + slot;
        QTimer::singleShot(0, this, [this, id] { OnRefocusRequest(id, 0); });
        return false;
    }
    return true;
}

void CCustomizedCTView::OnRefocusRequest(int ctrlId, int reason)
{
    if (ctrlId < kFirstEdit || ctrlId >= kFirstEdit + kSlots)
        return;
    // Bring this page's window forward first.
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(w)) {
            if (QMdiArea *area = sub->mdiArea())
                area->setActiveSubWindow(sub);
            break;
        }
    }
    CBaseView::OnRefocusRequest(ctrlId, reason);
    if (auto *edit = qobject_cast<QLineEdit *>(Control(ctrlId)))
        ensureWidgetVisible(edit);
}

void CCustomizedCTView::OnTextChanged(int slot)
{
    // Marked modified once committed (the save question commits first).
    if (!m_bNotInHandler)
        return;
    m_bNotInHandler = false;
    QLineEdit *edit = Edit(slot);
    FilterDecimalEdit(edit, true, m_strSeparator);
    QString text = edit->text();
    const QChar sep = m_strSeparator.isEmpty() ? QLatin1Char('.') : m_strSeparator.at(0);
    text.replace(sep, QLatin1Char('.'));
    if (!text.isEmpty()) {
        const int dot = text.indexOf(QLatin1Char('.'));
        if (dot >= 0 && text.size() - dot - 1 > 1) {
            const int cursor = edit->cursorPosition();
            text.truncate(dot + 2);
            text.replace(QLatin1Char('.'), sep);
            edit->setText(text);
            edit->setModified(true);
            edit->setCursorPosition(qMin(cursor, int(text.size())));
        }
    }
    m_bNotInHandler = true;
}

bool CCustomizedCTView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        const int id = edit ? edit->property("ctrlId").toInt() : 0;
        QWidget *next = QApplication::focusWidget();
        // Only a move within the page commits here; the rest is caught by
        // CommitChanges before the page is left.
        if (id >= kFirstEdit && id < kFirstEdit + kSlots && next && next != edit
            && (next == this || isAncestorOf(next)) && edit->isModified()) {
            const int slot = id - kFirstEdit;
            QPointer<QLineEdit> guard(edit);
            // After the edit's own focus-out handling, which would undo the
            // selection given back to it.
            QTimer::singleShot(0, this, [this, slot, guard] {
                if (!guard || !guard->isModified() || CommitEdit(slot))
                    return;
                ShowMessage(kRangeMessage, MB_OK | MB_ICONWARNING);
                guard->setFocus(Qt::OtherFocusReason);
                guard->selectAll();
                ensureWidgetVisible(guard);
            });
        }
    }
    return CBaseView::eventFilter(watched, event);
}

} // namespace tavo
