#include "views/CBaseView.h"

#include "base/ProfileNames.h"
#include "views/AccessibleComboBox.h"
#include "views/CHelpView.h"
#include "views/CChannelView.h"
#include "views/CChannelsView.h"
#include "views/CFrequencyView.h"
#include "views/CRadioInfoView.h"
#include "views/CSettingView.h"
#include "views/CCustomizedCTView.h"
#include "views/CAudioSettingView.h"
#include "views/CScanView.h"
#include "views/CButtonsView.h"
#include "workflow/CTavoCPSDoc.h"
#include "base/CTavoCPSException.h"
#include "config/PageRows.h"
#include "config/SettingDocuments.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QVBoxLayout>

namespace tavo {

namespace {

const QColor kBarColour(192, 192, 255);
constexpr int kMargin = 15;
constexpr int kTitleHeight = 28;

void PaintBar(QWidget *w, const QFont &font)
{
    w->setFont(font);
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, kBarColour);
    pal.setColor(QPalette::WindowText, Qt::white);
    w->setPalette(pal);
    if (auto *label = qobject_cast<QLabel *>(w)) {
        label->setIndent(6);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

bool IsRecordUsed(const LayoutRecord &r) { return r.nStyle != StyleEndOfRun; }

} // namespace

CBaseView::CBaseView(int pageIndex, QWidget *parent)
    : QScrollArea(parent), m_nPageIndex(pageIndex), m_pPageInfo(FindPageInfo(pageIndex))
{
    setObjectName(QLatin1String(m_pPageInfo ? m_pPageInfo->className : "CBaseView"));
    // The pages' drop-down lists carry their labels' names for assistive
    // technology.
    InstallAccessibleComboBoxes();
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);
    viewport()->setAutoFillBackground(true);
    viewport()->setPalette(pal);
}

CBaseView::~CBaseView() = default;

void CBaseView::SetHelpPane(CHelpView *pane) { m_pHelpPane = pane; }

QFont CBaseView::TitleFont()
{
    QFont f;
    f.setPointSizeF(12);
    f.setWeight(QFont::Bold);
    return f;
}

QFont CBaseView::CaptionFont()
{
    QFont f;
    f.setPointSizeF(12.0 * 72.0 / 80.0);
    f.setWeight(QFont::DemiBold);
    return f;
}

void CBaseView::OnInitialUpdate(CTavoCPSDoc *doc, int channelIndex)
{
    m_pDoc = doc;
    m_nChannelIndex = channelIndex;
    if (doc)
        m_rootItem = doc->Root();
    m_bInitialised = true;
    m_bSettingUp = true;
    InitLayout();
    m_bSettingUp = false;
}

int CBaseView::StepCaption() const
{
    switch (m_nPageIndex) {
    case PageAudioSettings: return msg::StepChangeAudio;
    case PageButtons: return msg::StepChangeButton;
    case PageCustomizedCT: return msg::StepChangeTone;
    default: return 0;
    }
}

void CBaseView::InitLayout()
{
    if (m_pPageInfo) {
        for (const LayoutRecord *r = m_pPageInfo->table; r->nCtrlId != 0; ++r) {
            QWidget *w = Control(r->nCtrlId);
            if (!w)
                continue;
            if (r->nStyle == StyleTitle)
                PaintBar(w, TitleFont());
            else if (r->nStyle == StyleCaption)
                PaintBar(w, CaptionFont());
        }
    }
    LoadRes();
    LoadData();
}

void CBaseView::OnRefocusRequest(int ctrlId, int)
{
    QWidget *w = Control(ctrlId);
    if (!w)
        return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->selectAll();
}

QString CBaseView::DisplayType() const
{
    if (m_rootItem.IsEmpty())
        return QStringLiteral("NonDisplay");
    return DisplayTypeName(m_rootItem.ChildByName(names::kFactorySetting).GetText(names::kModel));
}

void CBaseView::ApplyVisibility(const QString &pageName)
{
    const bool display = DisplayType() == QLatin1String("Display");
    const QHash<int, bool> shown = AppSettingDocuments().GetVisibleControls(pageName, display);
    // Entries only ever hide: a control not listed, or listed as not
    // visible, is hidden; a listed one keeps the state the page gave it.
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it)
        if (!shown.value(it.key(), false))
            it.value()->hide();
}

bool CBaseView::ShowHelpTopic(int ctrlId)
{
    if (!m_pHelpPane || !m_pHelpPane->isVisible() || !m_pPageInfo)
        return false;
    QString page;
    AppSettingDocuments().GetHelpPageName(QLatin1String(m_pPageInfo->helpName), QString::number(ctrlId), page);
    if (page.isEmpty())
        m_pHelpPane->ShowBlank();
    else
        m_pHelpPane->ShowPage(page);
    return true;
}

bool CBaseView::ShowPageHelp()
{
    if (!m_pHelpPane || !m_pPageInfo)
        return false;
    const QString page = AppSettingDocuments().GetPageHelpName(QLatin1String(m_pPageInfo->helpName));
    if (page.isEmpty())
        m_pHelpPane->ShowBlank();
    else
        m_pHelpPane->ShowPage(page);
    return true;
}

bool CBaseView::ChangeAttribute(CDataItem &item, const QString &attribute, const QVariant &value, int refusedMsgId,
                                bool typed)
{
    if (!m_pDoc || m_bSettingUp)
        return false;
    try {
        const RuleResult r = m_pDoc->SetAttribute(item, attribute, value, this, Step(typed));
        if (r.code == RuleResult::Done)
            return true;
        if (r.code == RuleResult::Refused && refusedMsgId > 0)
            CTavoCPSDoc::ShowRefusal(r, refusedMsgId);
        else if (r.code == RuleResult::Refused && refusedMsgId == kRulesMessageOnly && r.msgId != 0)
            CTavoCPSDoc::ShowRefusal(r, r.msgId);
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
    }
    return false;
}

void CBaseView::SetForm(QWidget *form)
{
    m_pForm = form;
    m_controls.clear();
    for (QWidget *w : form->findChildren<QWidget *>()) {
        const QVariant id = w->property("ctrlId");
        if (!id.isValid())
            continue;
        m_controls.insert(id.toInt(), w);
        w->installEventFilter(this);
    }
    BuildLayout();
    form->setAutoFillBackground(true);
    form->setPalette(palette());
    setWidget(form);
}

void CBaseView::AddMissingRows(QWidget *form, const std::vector<PageRow> &rows)
{
    QSet<int> present;
    for (QWidget *w : form->findChildren<QWidget *>()) {
        const QVariant id = w->property("ctrlId");
        if (id.isValid())
            present.insert(id.toInt());
    }
    for (const PageRow &row : rows) {
        if (present.contains(row.ctrlId))
            continue;
        const QString name = QString::fromLatin1(row.attribute);
        QWidget *control = nullptr;
        switch (row.kind) {
        case RowKind::List:
        case RowKind::Backlight:
            control = new QComboBox(form);
            break;
        case RowKind::Check:
        case RowKind::CheckOne:
            control = new QCheckBox(form);
            break;
        case RowKind::Number:
        case RowKind::Text:
            control = new QLineEdit(form);
            break;
        }
        control->setObjectName(name);
        control->setProperty("ctrlId", row.ctrlId);
        auto *label = new QLabel(form);
        label->setObjectName(name + QStringLiteral("Label"));
        label->setProperty("ctrlId", row.labelId);
        label->setBuddy(control);
        present.insert(row.ctrlId);
        present.insert(row.labelId);
        m_addedRows.emplace_back(row.labelId, row.ctrlId);
    }
}

void CBaseView::AddRun(QGridLayout *grid, const LayoutRecord *begin, const LayoutRecord *end, int &row)
{
    for (const LayoutRecord *r = begin; r != end; ++r) {
        if (!IsRecordUsed(*r) || r->nStyle == StyleFrame)
            continue;
        QWidget *w = Control(r->nCtrlId);
        if (!w)
            continue;
        // A label followed by the control it names makes one row.
        const LayoutRecord *next = r + 1;
        while (next != end && (!IsRecordUsed(*next) || next->nStyle == StyleFrame))
            ++next;
        QWidget *partner = next != end ? Control(next->nCtrlId) : nullptr;
        const bool isLabel = qobject_cast<QLabel *>(w) && r->nStyle == StylePlain;
        if (isLabel && partner && next->nStyle == StylePlain && !qobject_cast<QLabel *>(partner)) {
            grid->addWidget(w, row, 0);
            grid->addWidget(partner, row, 1);
            r = next;
        } else {
            grid->addWidget(w, row, 0, 1, 2);
            if (r->nStyle == StyleCaption || r->nStyle == StyleTitle)
                w->setMinimumHeight(kTitleHeight);
        }
        ++row;
    }
}

void CBaseView::BuildLayout()
{
    if (!m_pForm)
        return;
    auto *page = new QVBoxLayout;
    page->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    page->setSpacing(12);

    auto *content = new QVBoxLayout;
    content->setSpacing(10);
    QGridLayout *lastGrid = nullptr; // the last run's, where added rows go
    int lastRow = 0;
    if (m_pPageInfo) {
        const LayoutRecord *r = m_pPageInfo->table;
        // The first record is the page title: a bar across the whole page.
        if (r->nCtrlId != 0 && r->nStyle == StyleTitle) {
            if (QWidget *title = Control(r->nCtrlId)) {
                title->setFixedHeight(kTitleHeight);
                title->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
                page->addWidget(title);
            }
            ++r;
        }
        while (r->nCtrlId != 0) {
            if (!IsRecordUsed(*r)) {
                ++r;
                continue;
            }
            const int column = r->nColumn;
            const LayoutRecord *runEnd = r;
            while (runEnd->nCtrlId != 0 && runEnd->nColumn == column && IsRecordUsed(*runEnd))
                ++runEnd;
            auto makeColumn = [this, &lastGrid, &lastRow](const LayoutRecord *b, const LayoutRecord *e) -> QWidget * {
                QWidget *box = nullptr;
                for (const LayoutRecord *x = b; x != e; ++x)
                    if (x->nStyle == StyleFrame)
                        box = qobject_cast<QGroupBox *>(Control(x->nCtrlId));
                if (!box)
                    box = new QWidget(m_pForm);
                auto *grid = new QGridLayout(box);
                const int inner = box->inherits("QGroupBox") ? 9 : 0;
                grid->setContentsMargins(inner, inner, inner, inner);
                grid->setHorizontalSpacing(16);
                grid->setVerticalSpacing(8);
                int row = 0;
                AddRun(grid, b, e, row);
                grid->setRowStretch(row, 1);
                lastGrid = grid;
                lastRow = row;
                return box;
            };
            if (column == 1) {
                // A left run and the right run after it sit side by side;
                // the rows below follow the taller of the two.
                const LayoutRecord *right = runEnd;
                while (right->nCtrlId != 0 && !IsRecordUsed(*right))
                    ++right;
                const LayoutRecord *rightEnd = right;
                while (rightEnd->nCtrlId != 0 && rightEnd->nColumn == 2 && IsRecordUsed(*rightEnd))
                    ++rightEnd;
                auto *pair = new QHBoxLayout;
                pair->setSpacing(16);
                pair->addWidget(makeColumn(r, runEnd), 1, Qt::AlignTop);
                if (rightEnd != right)
                    pair->addWidget(makeColumn(right, rightEnd), 1, Qt::AlignTop);
                content->addLayout(pair);
                r = rightEnd;
            } else {
                content->addWidget(makeColumn(r, runEnd));
                r = runEnd;
            }
        }
    }
    if (!m_addedRows.empty()) {
        // Rows of fields the form was not drawn with, below the others and
        // in their columns.
        if (!lastGrid) {
            auto *box = new QWidget(m_pForm);
            lastGrid = new QGridLayout(box);
            lastGrid->setContentsMargins(0, 0, 0, 0);
            lastGrid->setHorizontalSpacing(16);
            lastGrid->setVerticalSpacing(8);
            content->addWidget(box);
        }
        lastGrid->setRowStretch(lastRow, 0);
        for (const auto &[labelId, ctrlId] : m_addedRows) {
            lastGrid->addWidget(Control(labelId), lastRow, 0);
            lastGrid->addWidget(Control(ctrlId), lastRow, 1);
            ++lastRow;
        }
        lastGrid->setRowStretch(lastRow, 1);
    }
    auto *centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(content, 0);
    centred->addStretch(1);
    page->addLayout(centred);
    page->addStretch(1);
    delete m_pForm->layout();
    m_pForm->setLayout(page);
}

bool CBaseView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto *w = qobject_cast<QWidget *>(watched)) {
            const QVariant id = w->property("ctrlId");
            if (id.isValid())
                ShowHelpTopic(id.toInt());
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

CEmptyView::CEmptyView(int pageIndex, QWidget *parent) : CBaseView(pageIndex, parent)
{
    auto *form = new QWidget;
    SetForm(form);
}

CBaseView *CreatePageView(int pageIndex, QWidget *parent)
{
    if (!FindPageInfo(pageIndex))
        return nullptr;
    if (pageIndex == PageRadioInfo)
        return new CRadioInfoView(parent);
    if (pageIndex == PageSettings)
        return new CSettingView(parent);
    if (pageIndex == PageFrequency)
        return new CFrequencyView(parent);
    if (pageIndex == PageChannels)
        return new CChannelsView(parent);
    if (pageIndex == PageChannel)
        return new CChannelView(parent);
    if (pageIndex == PageAudioSettings)
        return new CAudioSettingView(parent);
    if (pageIndex == PageButtons)
        return new CButtonsView(parent);
    if (pageIndex == PageScanList)
        return new CScanView(parent);
    if (pageIndex == PageCustomizedCT)
        return new CCustomizedCTView(parent);
    return new CEmptyView(pageIndex, parent);
}

} // namespace tavo
