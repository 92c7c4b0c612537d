#include "views/CFrequencyView.h"

#include "base/ProfileNames.h"
#include "ui_CFrequencyView.h"

#include "workflow/CTavoCPSDoc.h"
#include "views/DecimalFilter.h"
#include "base/CTavoCPSException.h"
#include "config/Registry.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"
#include "workflow/RuleChange.h"

#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QLayout>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>

namespace tavo {

namespace {

// Where the document keeps the table's selection across page switches.
const char kRememberedRow[] = "frequencyRow";
const char kRememberedScroll[] = "frequencyScroll";

constexpr int kCompanderOn = 2;
constexpr int kTableWidth = 720; // the table's width unless its texts need more
constexpr int kCompanderOff = 3;

} // namespace

CFrequencyView::CFrequencyView(QWidget *parent) : CBaseView(PageFrequency, parent), m_ui(new Ui::CFrequencyView)
{
    auto *form = new QWidget;
    m_ui->setupUi(form);
    SetForm(form);
    QTableWidget *table = m_ui->frequencyTable;
    table->setColumnCount(4);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setShowGrid(true);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(20);
    table->setFixedSize(kTableWidth, 300);
    // The three buttons keep their own width at the left of their rows.
    for (QPushButton *button : {m_ui->addButton, m_ui->editButton, m_ui->deleteButton}) {
        button->setFixedWidth(110);
        if (QWidget *box = button->parentWidget(); box && box->layout())
            box->layout()->setAlignment(button, Qt::AlignLeft);
    }
    QPalette pal = table->palette();
    pal.setColor(QPalette::Base, Qt::white);
    table->setPalette(pal);
    m_ui->frequencyEdit->setMinimumWidth(200);
    for (QComboBox *list : {m_ui->bandwidthList, m_ui->powerList, m_ui->companderList})
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(table, &QTableWidget::itemSelectionChanged, this, &CFrequencyView::OnSelectionChanged);
    connect(m_ui->frequencyEdit, &QLineEdit::textChanged, this, &CFrequencyView::OnFilterEntry);
    connect(m_ui->addButton, &QPushButton::clicked, this, &CFrequencyView::OnAddSave);
    connect(m_ui->editButton, &QPushButton::clicked, this, &CFrequencyView::OnEditSave);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &CFrequencyView::OnDeleteCancel);
}

CFrequencyView::~CFrequencyView() = default;

QString CFrequencyView::BandwidthText(int mode, const QString &separator)
{
    static constexpr int kText[] = {386, 387, 289, 290};
    if (mode < 0 || mode > 3)
        return QStringLiteral("N/A");
    const QString width = LoadString(mode == 0 || mode == 2 ? msg::TextBandwidthNarrow : msg::TextBandwidthWide).replace(QLatin1Char('.'), separator);
    return LoadString(kText[mode]).replace(QStringLiteral("%s"), width);
}

QString CFrequencyView::PowerText(int mode)
{
    // As the rules store a frequency's power mode: 0 high only, 1 low
    // only, 2 selectable with high default, 3 selectable with low default.
    static constexpr int kText[] = {389, 388, 295, 294};
    return mode < 0 || mode > 3 ? QStringLiteral("N/A") : LoadString(kText[mode]);
}

CDataItem CFrequencyView::Frequencies() const
{
    CDataItem frequencies = m_rootItem.ChildByName(names::kFrequencies);
    return frequencies;
}

void CFrequencyView::LoadRes()
{
    m_ui->titleLabel->setText(LoadString(msg::FrequencyTitle));
    struct Caption {
        QLabel *label;
        int textId;
    };
    for (const Caption &c : {Caption{m_ui->frequencyLabel, 243}, Caption{m_ui->bandwidthLabel, 244}, Caption{m_ui->powerLabel, 245},
                             Caption{m_ui->companderLabel, 464}}) {
        c.label->setText(LoadString(c.textId));
        c.label->buddy()->setAccessibleName(c.label->text());
    }
    m_ui->frequencyTable->setAccessibleName(LoadString(msg::FrequencyTitle));
    const QString separator = GetDecimalSeparator();
    m_ui->bandwidthList->clear();
    for (int mode = 0; mode < 4; ++mode)
        m_ui->bandwidthList->addItem(BandwidthText(mode, separator), mode);
    m_ui->powerList->clear();
    for (int mode = 0; mode < 4; ++mode)
        m_ui->powerList->addItem(PowerText(mode), mode);
    m_ui->companderList->clear();
    m_ui->companderList->addItem(LoadString(msg::TextOn));
    m_ui->companderList->addItem(LoadString(msg::TextOff));
    m_ui->frequencyTable->setHorizontalHeaderLabels({LoadString(msg::TextIndex), LoadString(msg::FrequencyColumnMHz), LoadString(msg::FrequencyColumnBandwidth), LoadString(msg::FrequencyColumnPower)});
}

void CFrequencyView::SetColumnWidths()
{
    QTableWidget *table = m_ui->frequencyTable;
    const int frame = 2 * table->frameWidth();
    const int w = (kTableWidth - frame) / 3 - (table->rowCount() > 14 ? 6 : 0);
    const int planned[] = {40, w - 90, w + 25, w + 25};
    // A column is at least as wide as its longest text (the power modes of
    // a licensed model are long): the table widens rather than cut them.
    // The view would ask its delegate for every one of the 99 rows; the
    // widest text of a column decides, so only its row is asked (each
    // distinct text measured once), and the caption.
    const QFontMetrics metrics(table->font());
    const QHeaderView *header = table->horizontalHeader();
    int total = 0;
    for (int column = 0; column < 4; ++column) {
        QHash<QString, int> measured;
        int widestRow = -1, widest = -1;
        for (int row = 0; row < table->rowCount(); ++row) {
            const QTableWidgetItem *item = table->item(row, column);
            if (!item)
                continue;
            auto known = measured.constFind(item->text());
            if (known == measured.cend())
                known = measured.insert(item->text(), metrics.horizontalAdvance(item->text()));
            if (*known > widest) {
                widest = *known;
                widestRow = row;
            }
        }
        int content = 0;
        if (widestRow >= 0)
            content = table->sizeHintForIndex(table->model()->index(widestRow, column)).width() + (table->showGrid() ? 1 : 0);
        const int caption = header->isHidden() ? 0 : header->sectionSizeHint(column);
        const int width = std::max(planned[column], std::max(content, caption) + 8);
        table->setColumnWidth(column, width);
        total += width;
    }
    const int scrollBar = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    table->setFixedWidth(std::max(kTableWidth, total + frame + scrollBar + 2));
}

void CFrequencyView::SetRow(int row, quint32 hz, int bandwidthMode, int powerMode)
{
    const QString separator = GetDecimalSeparator();
    const QString texts[] = {QString::number(row + 1), FrequencyHzToText(hz, separator), BandwidthText(bandwidthMode, separator),
                             PowerText(powerMode)};
    for (int column = 0; column < 4; ++column) {
        auto *item = new QTableWidgetItem(texts[column]);
        item->setToolTip(texts[column]);
        m_ui->frequencyTable->setItem(row, column, item);
    }
}

void CFrequencyView::FillRows()
{
    const CDataItem frequencies = Frequencies();
    const int count = frequencies.GetChildCount();
    const QSignalBlocker block(m_ui->frequencyTable);
    m_ui->frequencyTable->clearContents();
    m_ui->frequencyTable->setRowCount(count);
    for (int i = 0; i < count; ++i) {
        CDataItem entry;
        frequencies.GetChildByIndex(i, entry);
        SetRow(i, entry.GetText(names::kFreq).toUInt(), entry.GetInt(names::kBandwidth),
               entry.GetInt(names::kPowerLevel));
    }
    m_bEmpty = count == 0;
    m_bFull = !frequencies.CanAddChild();
    SetColumnWidths();
}

void CFrequencyView::LoadData()
{
    try {
        ApplyVisibility(QStringLiteral("Frequency"));
        FillRows();
        m_nScroll = m_pDoc ? m_pDoc->property(kRememberedScroll).toInt() : 0;
        const int row = m_pDoc && m_pDoc->property(kRememberedRow).isValid() ? m_pDoc->property(kRememberedRow).toInt() : -1;
        m_ui->frequencyTable->verticalScrollBar()->setValue(m_nScroll);
        if (row >= 0 && row < m_ui->frequencyTable->rowCount())
            SelectRow(row);
        LeaveEditMode();
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CFrequencyView::LoadData", __LINE__);
        ShowMessage(msg::PageLoadFailed, MB_OK | MB_ICONERROR);
    }
}

int CFrequencyView::SelectedRow() const
{
    const QModelIndexList rows = m_ui->frequencyTable->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return -1;
    int row = rows.first().row();
    for (const QModelIndex &i : rows)
        row = std::min(row, i.row());
    return row;
}

void CFrequencyView::SelectRow(int row)
{
    QTableWidget *table = m_ui->frequencyTable;
    table->clearSelection();
    table->selectRow(row);
    table->setCurrentCell(row, 0, QItemSelectionModel::Rows | QItemSelectionModel::ClearAndSelect);
    table->scrollToItem(table->item(row, 0));
}

void CFrequencyView::Remember()
{
    m_nScroll = m_ui->frequencyTable->verticalScrollBar()->value();
    if (m_pDoc) {
        m_pDoc->setProperty(kRememberedRow, SelectedRow());
        m_pDoc->setProperty(kRememberedScroll, m_nScroll);
    }
}

void CFrequencyView::ShowStored(int row)
{
    const QSignalBlocker block(m_ui->frequencyEdit);
    if (row < 0) {
        m_ui->frequencyEdit->clear();
        return;
    }
    CDataItem entry;
    Frequencies().GetChildByIndex(row, entry);
    if (entry.IsEmpty())
        return;
    m_ui->frequencyEdit->setText(FrequencyHzToText(entry.GetText(names::kFreq).toUInt(), GetDecimalSeparator()));
    m_ui->bandwidthList->setCurrentIndex(m_ui->bandwidthList->findData(entry.GetInt(names::kBandwidth)));
    m_ui->powerList->setCurrentIndex(entry.GetInt(names::kPowerLevel));
}

void CFrequencyView::OnSelectionChanged()
{
    if (m_bSaving || m_mode != Browsing)
        return;
    Remember();
    const int row = SelectedRow();
    if (row >= 0) {
        // The row's texts name the list entries.
        const QSignalBlocker block(m_ui->frequencyEdit);
        m_ui->frequencyEdit->setText(m_ui->frequencyTable->item(row, 1)->text());
        m_ui->bandwidthList->setCurrentIndex(m_ui->bandwidthList->findText(m_ui->frequencyTable->item(row, 2)->text()));
        m_ui->powerList->setCurrentIndex(m_ui->powerList->findText(m_ui->frequencyTable->item(row, 3)->text()));
        m_ui->companderList->setCurrentIndex(-1);
    }
    m_ui->editButton->setEnabled(row >= 0);
    m_ui->deleteButton->setEnabled(row >= 0);
}

void CFrequencyView::LeaveEditMode()
{
    m_mode = Browsing;
    for (QWidget *w : std::initializer_list<QWidget *>{m_ui->frequencyEdit, m_ui->bandwidthList, m_ui->powerList, m_ui->companderList})
        w->setEnabled(false);
    m_ui->addButton->setText(LoadString(msg::FrequencyAddButton));
    m_ui->editButton->setText(LoadString(msg::FrequencyEditButton));
    m_ui->deleteButton->setText(LoadString(msg::FrequencyDeleteButton));
    m_ui->addButton->setEnabled(!m_bFull);
    const bool selected = SelectedRow() >= 0;
    m_ui->editButton->setEnabled(selected && !m_bEmpty);
    m_ui->deleteButton->setEnabled(selected && !m_bEmpty);
    m_ui->frequencyTable->setEnabled(true);
}

void CFrequencyView::EnterMode(Mode mode)
{
    m_mode = mode;
    m_ui->deleteButton->setText(LoadString(msg::FrequencyCancelButton));
    m_ui->deleteButton->setEnabled(true);
    m_ui->frequencyTable->setEnabled(false);
    m_ui->frequencyEdit->setEnabled(true);
    m_ui->bandwidthList->setEnabled(true);
    m_ui->powerList->setEnabled(true);
    if (mode == Adding) {
        m_ui->addButton->setText(LoadString(msg::FrequencySaveButton));
        m_ui->editButton->setEnabled(false);
    } else {
        m_ui->editButton->setText(LoadString(msg::FrequencySaveButton));
        m_ui->addButton->setEnabled(false);
        m_ui->companderList->setEnabled(true);
    }
    m_ui->frequencyEdit->setFocus(Qt::OtherFocusReason);
}

void CFrequencyView::OnFilterEntry()
{
    if (m_bFiltering)
        return;
    m_bFiltering = true;
    QLineEdit *edit = m_ui->frequencyEdit;
    const QString separator = GetDecimalSeparator();
    QString text = edit->text();
    int caret = edit->cursorPosition();
    const QString cleaned = FilterDecimalText(text, true, separator);
    if (cleaned.size() < text.size()) {
        caret = std::max(0, caret - int(text.size() - cleaned.size()));
        text = cleaned;
        edit->setText(text);
        edit->setCursorPosition(caret);
    }
    if (FrequencyFieldValue(text, separator) > kMaxFrequencyHz / 1e6 && caret > 0) {
        // The character just typed would pass the largest frequency.
        text.remove(caret - 1, 1);
        --caret;
        edit->setText(text);
        edit->setCursorPosition(caret);
    }
    const QString cut = CutFraction(text, separator, 6);
    if (cut.size() < text.size()) {
        edit->setText(cut);
        edit->setCursorPosition(std::min(caret, int(cut.size())));
    }
    m_bFiltering = false;
}

void CFrequencyView::OnAddSave()
{
    if (!m_pDoc)
        return;
    if (m_mode == Browsing) {
        EnterMode(Adding);
        m_strAddStart = m_ui->frequencyEdit->text();
        m_ui->bandwidthList->setCurrentIndex(0);
        m_ui->powerList->setCurrentIndex(1);
        m_nScroll = m_ui->frequencyTable->verticalScrollBar()->value();
        m_ui->frequencyTable->scrollToBottom();
        return;
    }
    if (m_mode == Adding)
        SaveAdded();
}

bool CFrequencyView::SaveAdded()
{
    const quint32 hz = FrequencyTextToHz(m_ui->frequencyEdit->text(), GetDecimalSeparator());
    const int bandwidth = m_ui->bandwidthList->currentData().toInt();
    const int power = m_ui->powerList->currentIndex();
    try {
        const RuleResult r = m_pDoc->AddFrequency(hz, bandwidth, power, this);
        if (r.code != RuleResult::Done) {
            CTavoCPSDoc::ShowRefusal(r, 261);
            return false;
        }
        m_bFull = !Frequencies().CanAddChild();
        m_bEmpty = false;
        const int row = m_ui->frequencyTable->rowCount();
        m_bSaving = true;
        m_ui->frequencyTable->setRowCount(row + 1);
        SetRow(row, hz, bandwidth, power);
        SetColumnWidths();
        m_bSaving = false;
        LeaveEditMode();
        m_ui->frequencyTable->scrollToBottom();
        SelectRow(row);
        m_ui->frequencyTable->setFocus(Qt::OtherFocusReason);
        return true;
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
        return false;
    }
}

void CFrequencyView::OnEditSave()
{
    if (!m_pDoc)
        return;
    if (m_mode == Browsing) {
        if (SelectedRow() >= 0)
            EnterMode(Editing);
        return;
    }
    if (m_mode == Editing)
        SaveEdited();
}

bool CFrequencyView::SaveEdited()
{
    const int row = SelectedRow();
    if (row < 0)
        return true;
    const int index = m_ui->frequencyTable->item(row, 0)->text().toInt() - 1;
    const quint32 hz = FrequencyTextToHz(m_ui->frequencyEdit->text(), GetDecimalSeparator());
    const int bandwidth = m_ui->bandwidthList->currentData().toInt();
    const int power = m_ui->powerList->currentIndex();
    // The compander list starts blank: untouched, the stored mode stays.
    int compander = m_ui->companderList->currentIndex() == 1 ? kCompanderOff : kCompanderOn;
    try {
        if (m_ui->companderList->currentIndex() < 0) {
            CDataItem entry;
            Frequencies().GetChildByIndex(index, entry);
            if (!entry.IsEmpty())
                compander = entry.GetInt(names::kCompanderLleMode);
        }
        const RuleResult r = m_pDoc->SetFrequency(index, hz, bandwidth, power, compander, this);
        if (r.code == RuleResult::Refused) {
            CTavoCPSDoc::ShowRefusal(r, 261);
            return false;
        }
        if (r.code != RuleResult::Done)
            return false; // not confirmed: still editing
        m_bSaving = true;
        SetRow(row, hz, bandwidth, power);
        m_bSaving = false;
        LeaveEditMode();
        SelectRow(row);
        m_ui->frequencyTable->setFocus(Qt::OtherFocusReason);
        return true;
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
        return false;
    }
}

bool CFrequencyView::EntryShowsStored() const
{
    const int row = SelectedRow();
    if (row < 0)
        return true;
    CDataItem entry;
    Frequencies().GetChildByIndex(row, entry);
    if (entry.IsEmpty())
        return true;
    return FrequencyTextToHz(m_ui->frequencyEdit->text(), GetDecimalSeparator()) == entry.GetText(names::kFreq).toUInt()
        && m_ui->bandwidthList->currentData().toInt() == entry.GetInt(names::kBandwidth)
        && m_ui->powerList->currentIndex() == entry.GetInt(names::kPowerLevel)
        && m_ui->companderList->currentIndex() < 0;
}

bool CFrequencyView::CommitChanges()
{
    if (!m_pDoc || m_mode == Browsing)
        return true;
    bool saved = false;
    try {
        if (m_mode == Adding && m_ui->frequencyEdit->text() == m_strAddStart) {
            // Nothing typed: the add is dropped as Cancel would drop it.
            OnDeleteCancel();
            return true;
        }
        if (m_mode == Editing && EntryShowsStored()) {
            OnDeleteCancel();
            return true;
        }
        saved = m_mode == Adding ? SaveAdded() : SaveEdited();
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
    }
    if (!saved)
        QTimer::singleShot(0, this, [this] {
            m_ui->frequencyEdit->setFocus(Qt::OtherFocusReason);
            m_ui->frequencyEdit->selectAll();
        });
    return saved;
}

void CFrequencyView::OnDeleteCancel()
{
    if (!m_pDoc)
        return;
    QTableWidget *table = m_ui->frequencyTable;
    if (m_mode != Browsing) {
        ShowStored(SelectedRow());
        table->scrollToTop();
        table->verticalScrollBar()->setValue(m_nScroll);
        LeaveEditMode();
        table->setFocus(Qt::OtherFocusReason);
        return;
    }
    try {
        std::vector<int> rows;
        for (const QModelIndex &i : table->selectionModel()->selectedRows())
            rows.push_back(i.row());
        std::sort(rows.begin(), rows.end());
        if (rows.empty())
            return;
        CDataItem frequencies = Frequencies();
        std::vector<bool> deletable;
        bool some = false, someNot = false;
        for (int row : rows) {
            deletable.push_back(frequencies.CanDeleteFrequency(unsigned(row)));
            (deletable.back() ? some : someNot) = true;
        }
        if (!some) {
            ShowMessage(msg::FrequencyInUseNotDeleted, MB_OK | MB_ICONWARNING);
            table->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (ShowMessage(msg::DeleteSelectedItems, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        if (someNot)
            ShowMessage(msg::FrequencyInUseNotDeleted, MB_OK | MB_ICONWARNING);
        std::vector<int> chosen;
        for (size_t k = 0; k < rows.size(); ++k)
            if (deletable[k])
                chosen.push_back(rows[k]);
        const int removed = m_pDoc->DeleteFrequencies(chosen, [](const RuleResult &r) {
            if (r.code == RuleResult::Refused && r.msgId != 0)
                CTavoCPSDoc::ShowRefusal(r, r.msgId);
        }, this);
        // The row after the last one deleted (now in its place).
        const int last = chosen.empty() ? rows.front() : std::max(0, chosen.back() - removed + 1);
        if (removed > 0) {
            m_bSaving = true;
            FillRows();
            m_bSaving = false;
            if (last < table->rowCount()) {
                table->verticalScrollBar()->setValue(m_nScroll);
                SelectRow(last);
            } else if (table->rowCount() > 0) {
                table->scrollToTop();
                SelectRow(0);
            }
            Remember();
            LeaveEditMode();
        }
        table->setFocus(Qt::OtherFocusReason);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CFrequencyView::OnBnClickedFreqDel", __LINE__);
        CTavoCPSDoc::ShowFailure(e);
    }
}

void CFrequencyView::mousePressEvent(QMouseEvent *event)
{
    m_ui->titleLabel->setFocus(Qt::MouseFocusReason);
    CBaseView::mousePressEvent(event);
}

} // namespace tavo
