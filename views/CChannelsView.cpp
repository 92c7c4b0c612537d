#include "views/CChannelsView.h"
#include "views/StyleIcons.h"

#include "base/ProfileNames.h"
#include "ui_CChannelsView.h"

#include "workflow/CTavoCPSDoc.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QPushButton>
#include <QStyle>

namespace tavo {

CChannelsView::CChannelsView(QWidget *parent) : CBaseView(PageChannels, parent), m_ui(new Ui::CChannelsView)
{
    auto *form = new QWidget;
    m_ui->setupUi(form);
    SetForm(form);
    connect(m_ui->addChannelButton, &QPushButton::clicked, this, &CChannelsView::OnAddChannel);
}

CChannelsView::~CChannelsView() = default;

void CChannelsView::LoadRes()
{
    m_ui->titleLabel->setText(LoadString(msg::ChannelsTitle));
    m_ui->addChannelLabel->setText(LoadString(msg::ChannelsAddChannel));
    m_ui->addChannelButton->setAccessibleName(LoadString(msg::ChannelsAddChannel));
    m_ui->addChannelButton->setIcon(StyleIcon(QStyle::SP_FileDialogNewFolder));
    m_ui->addChannelButton->setIconSize(QSize(32, 32));
    m_ui->addChannelButton->setFixedSize(48, 48);
}

void CChannelsView::LoadData()
{
    try {
        ApplyVisibility(QStringLiteral("Channels"));
        CDataItem channels = m_rootItem.ChildByName(names::kChannels);
        m_ui->addChannelButton->setEnabled(channels.CanAddChild());
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CChannelsView::LoadData", __LINE__);
        ShowMessage(msg::PageLoadFailed, MB_OK | MB_ICONERROR);
    }
}

void CChannelsView::OnAddChannel()
{
    ShowHelpTopic(1041);
    if (!m_pDoc)
        return;
    // The tree adds the channel and shows it.
    m_pDoc->UpdateAllViews(this, 1 | (5 << 8));
    if (!m_rootItem.IsEmpty()) {
        CDataItem channels = m_rootItem.ChildByName(names::kChannels);
        m_ui->addChannelButton->setEnabled(channels.CanAddChild());
    }
}

void CChannelsView::mousePressEvent(QMouseEvent *event)
{
    m_ui->titleLabel->setFocus(Qt::MouseFocusReason);
    CBaseView::mousePressEvent(event);
}

} // namespace tavo
