#include "reports/window/CReportOptionDlg.h"

#include "base/ProfileNames.h"
#include "profile/CRadioDataModel.h"
#include "reports/window/CReportDlg.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavo {

namespace {

// The list's icon: a report page, 25 by 20.
QIcon ReportIcon()
{
    QPixmap pixmap(25, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x1f, 0x4e, 0x79));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 1.5, 12, 17));
    for (int y = 5; y <= 15; y += 3)
        p.drawLine(QPointF(9, y + 0.5), QPointF(16, y + 0.5));
    return QIcon(pixmap);
}

} // namespace

CReportOptionDlg::CReportOptionDlg(CRadioDataModel &model, QWidget *parent) : QDialog(parent), m_model(model)
{
    setObjectName(QStringLiteral("CReportOptionDlg"));
    m_rootItem = model.m_rootItem;
    if (!m_rootItem.IsEmpty()) {
        CDataItem limit = m_rootItem.ChildByName(names::kLimit);
        m_nMaxCodes = limit.GetInt(names::kMaxCodes);
    }

    setWindowTitle(LoadString(msg::Reports));
    m_pPrompt = new QLabel(LoadString(msg::ReportChooseTemplate), this);
    m_pPrompt->setProperty("ctrlId", int(IDC_REPORT_PROMPT));
    m_pList = new QListWidget(this);
    m_pList->setProperty("ctrlId", int(IDC_REPORT_LIST));
    m_pList->setIconSize(QSize(25, 20));
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pPrompt->setBuddy(m_pList);
    const QIcon icon = ReportIcon();
    m_pList->addItem(new QListWidgetItem(icon, LoadString(msg::CustomerHandout)));
    m_pList->addItem(new QListWidgetItem(icon, LoadString(msg::DetailedReport)));
    m_pList->setCurrentRow(0);

    m_pOk = new QPushButton(LoadString(msg::ButtonOk), this);
    m_pOk->setProperty("ctrlId", int(IDC_REPORT_OK));
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(LoadString(msg::ButtonCancel), this);
    m_pCancel->setProperty("ctrlId", int(IDC_REPORT_CANCEL));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pPrompt);
    layout->addWidget(m_pList);
    layout->addLayout(buttons);
    resize(340, 220);

    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CReportOptionDlg::UpdateOk);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, [this] {
        ReportKind kind;
        if (SelectedKind(kind))
            accept();
    });
    connect(m_pOk, &QPushButton::clicked, this, [this] {
        ReportKind kind;
        if (SelectedKind(kind))
            accept();
    });
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdateOk();
}

bool CReportOptionDlg::SelectedKind(ReportKind &kind) const
{
    const QList<QListWidgetItem *> selected = m_pList->selectedItems();
    if (selected.isEmpty())
        return false;
    kind = m_pList->row(selected.first()) == 0 ? ReportKind::Handout : ReportKind::Detailed;
    return true;
}

void CReportOptionDlg::UpdateOk()
{
    ReportKind kind;
    m_pOk->setEnabled(SelectedKind(kind));
}

bool CReportOptionDlg::GenerateSelected(ReportOutput &out)
{
    ReportKind kind;
    if (!SelectedKind(kind))
        return false;
    return MakeReport(kind, m_model.GetEffectiveXmlText(), out);
}

void ShowReportWindow(const ReportOutput &report, QWidget *parent)
{
    CReportDlg window(parent);
    window.SetReportKind(report.kind == ReportKind::Handout);
    window.SetDisplayModel(report.displayModel);
    window.SetReport(report.folder, report.path);
    window.exec();
}

void CReportOptionDlg::RunReportCommand(CRadioDataModel &model, QWidget *parent)
{
    CReportOptionDlg dialog(model, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ReportOutput report;
    if (dialog.GenerateSelected(report))
        ShowReportWindow(report, parent);
}

} // namespace tavo
