#include "app/CReadWriteDialog.h"

#include "radio/RadioNotification.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tavo {

CReadWriteDialog::CReadWriteDialog(bool read, QWidget *parent) : QDialog(parent), m_bRead(read)
{
    setProperty("ctrlId", 140);
    setModal(true);
    // No close button: the dialog ends with OK or after a failure.
    setWindowFlag(Qt::CustomizeWindowHint, true);
    setWindowFlag(Qt::WindowTitleHint, true);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(LoadString(read ? msg::TextRead : msg::TextWrite));
    auto *layout = new QVBoxLayout(this);
    m_pStatus = new QLabel(LoadString(read ? msg::ReadingFromRadio : msg::WritingToRadio), this);
    m_pStatus->setProperty("ctrlId", 1010);
    m_pStatus->setMinimumWidth(320);
    m_pProgress = new QProgressBar(this);
    m_pProgress->setProperty("ctrlId", 1009);
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);
    m_pProgress->setAccessibleName(m_pStatus->text());
    m_pOk = new QPushButton(LoadString(msg::ButtonOk), this);
    m_pOk->setProperty("ctrlId", 1);
    m_pOk->setEnabled(false);
    m_pOk->setAutoDefault(false);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(m_pStatus);
    layout->addWidget(m_pProgress);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_pOk);
    layout->addLayout(row);
}

namespace {

// A write's stages: the dialog's own text and the part of the one bar each
// fills, so that the bar only goes forward.
struct StageEntry {
    int stageId;  // the stage as the radio commands name it
    int textId;   // what the dialog shows
    int start;    // per cent of the bar
    int span;
};
constexpr StageEntry kStages[] = {
    {msg::BackingUpRadio, msg::StageBackup, 0, 30},
    {msg::WritingToRadio, msg::StageWrite, 30, 55},
    {msg::VerifyingRadio, msg::StageVerify, 85, 15},
};

} // namespace

void CReadWriteDialog::SetStage(int textId)
{
    if (m_bEnded)
        return;
    for (const StageEntry &stage : kStages)
        if (stage.stageId == textId) {
            m_nStageStart = stage.start;
            m_nStageSpan = stage.span;
            m_pProgress->setValue(std::max(m_pProgress->value(), stage.start));
            m_pStatus->setText(LoadString(stage.textId));
            m_pProgress->setAccessibleName(m_pStatus->text()); // a screen reader names the stage
            return;
        }
    m_pStatus->setText(LoadString(textId));
    m_pProgress->setAccessibleName(m_pStatus->text());
}

void CReadWriteDialog::OnNotify(int type, int value)
{
    if (m_bEnded)
        return;
    switch (type) {
    case RadioProgress: {
        const int overall = m_nStageStart + m_nStageSpan * std::clamp(value, 0, 100) / 100;
        m_pProgress->setValue(std::max(m_pProgress->value(), overall));
        break;
    }
    case RadioCommFailure:
    case RadioMemoryWarning:
        if (!m_bHoldFailure)
            fail(RadioFailureMessage(type, value));
        else if (m_strFailure.isEmpty())
            m_strFailure = RadioFailureMessage(type, value);
        break;
    default: break; // the end of a stage: success waits for the last one
    }
}

void CReadWriteDialog::OnWorkerDone(bool ok, const QString &stopText, bool show)
{
    if (m_bEnded)
        return;
    if (!ok) {
        fail(!stopText.isEmpty() ? stopText : !m_strFailure.isEmpty() ? m_strFailure : LoadString(msg::CommunicationError), show);
        return;
    }
    m_bEnded = true;
    m_pProgress->setValue(100);
    m_pStatus->setText(LoadString(m_bRead ? msg::ReadSucceeded : msg::WriteSucceeded));
    m_pProgress->setAccessibleName(m_pStatus->text());
    m_pOk->setEnabled(true);
    m_pOk->setDefault(true);
    m_pOk->setFocus();
}

void CReadWriteDialog::fail(const QString &text, bool show)
{
    m_bEnded = true;
    m_pStatus->setText(LoadString(m_bRead ? msg::ReadFailed : msg::WriteFailed));
    m_pProgress->setAccessibleName(m_pStatus->text());
    if (show && !m_bErrorShown) {
        m_bErrorShown = true;
        ShowMessageText(text, MB_OK | MB_ICONERROR);
    }
    done(QDialog::Rejected);
}

void CReadWriteDialog::reject()
{
    // Escape and the window's close do not cancel a transfer.
}

void CReadWriteDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CReadWriteDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

QString RadioFailureMessage(int type, int value)
{
    QString text = RadioFailureText(type, value);
    if (type == RadioCommFailure && value == -1)
        text += QLatin1Char('\n') + LoadString(msg::CheckCable);
    return text;
}

} // namespace tavo
