#include "app/CFleetDialog.h"
#include "app/CHelpWindow.h"

#include "app/ShellDialogs.h"
#include "resources/MessageIds.h"
#include "views/CFileDialogs.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"
#include "workflow/FleetProgramming.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include <vector>

namespace tavo {

namespace {

// The colours of a finished row.
const QColor kWrittenColour(200, 240, 200);
const QColor kFailedColour(246, 200, 200);
constexpr int kJoinNapMs = 10;
constexpr int kTableWidth = 1000;
constexpr int kTableHeight = 240;

struct ColumnEntry {
    CFleetDialog::Column column;
    int captionId;
};
constexpr ColumnEntry kColumns[] = {
    {CFleetDialog::ColNumber, msg::FleetColumnNumber},     {CFleetDialog::ColSerial, msg::FleetColumnSerial},
    {CFleetDialog::ColModel, msg::FleetColumnModel},       {CFleetDialog::ColFirmware, msg::FleetColumnFirmware},
    {CFleetDialog::ColTime, msg::FleetColumnTime},         {CFleetDialog::ColResult, msg::FleetColumnResult},
    {CFleetDialog::ColBackup, msg::FleetColumnBackup},
};

// The buttons of a question by its style, as the message boxes have them.
struct ChoiceEntry {
    int answer;
    int captionId;
};
std::vector<ChoiceEntry> Choices(unsigned style)
{
    const ChoiceEntry ok{IDOK, 140}, cancel{IDCANCEL, 141}, yes{IDYES, msg::ButtonYes}, no{IDNO, msg::ButtonNo};
    switch (style & MB_BUTTONMASK) {
    case MB_OKCANCEL: return {ok, cancel};
    case MB_YESNOCANCEL: return {yes, no, cancel};
    case MB_YESNO: return {yes, no};
    default: return {ok};
    }
}

QString cableText(const CableConfig &cable)
{
    return cable.portPath.isEmpty() ? LoadString(msg::CablesIsCable) : QDir::toNativeSeparators(cable.portPath);
}

// Runs `body` on `target`'s thread and waits for it (the worker's questions).
template <typename F>
void OnGuiThread(QObject *target, F &&body)
{
    QMetaObject::invokeMethod(target, std::forward<F>(body), Qt::BlockingQueuedConnection);
}

} // namespace

int AskFleetQuestion(QWidget *parent, const QString &text, unsigned style, bool &forAll)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("fleetQuestion"));
    dialog.setWindowTitle(QLatin1String(kProductTitle));
    auto *layout = new QVBoxLayout(&dialog);
    auto *label = new QLabel(text, &dialog);
    label->setWordWrap(true);
    auto *all = new QCheckBox(LoadString(msg::FleetApplyToAll), &dialog);
    all->setChecked(true);
    layout->addWidget(label);
    layout->addWidget(all);
    auto *row = new QHBoxLayout;
    row->addStretch();
    const std::vector<ChoiceEntry> choices = Choices(style);
    // Escape or the close button: the last choice (No, Cancel), or OK.
    int answer = choices.back().answer;
    for (const ChoiceEntry &c : choices) {
        auto *button = new QPushButton(LoadString(c.captionId), &dialog);
        button->setAutoDefault(false);
        button->setDefault(&c == &choices.front());
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &answer, value = c.answer] {
            answer = value;
            dialog.accept();
        });
        row->addWidget(button);
    }
    layout->addLayout(row);
    dialog.exec();
    forAll = all->isChecked();
    return answer;
}

// The run's host: everything it reports goes to the window queued; its
// questions are asked on the window's thread while the worker waits.
class CFleetDialog::Host : public IFleetHost {
public:
    explicit Host(CFleetDialog *dialog) : m_pDialog(dialog) {}

    bool AskPassword(const QString &expected, QString &entered) override
    {
        bool ok = false;
        OnGuiThread(m_pDialog, [&] {
            QString remembered;
            CAskPwdDlg ask(expected, remembered, m_pDialog);
            ok = ask.exec() == QDialog::Accepted;
            entered = remembered;
        });
        return ok;
    }
    bool Ask(const QString &text, unsigned style, int &answer, bool &forAll) override
    {
        OnGuiThread(m_pDialog, [&] { answer = AskFleetQuestion(m_pDialog, text, style, forAll); });
        return true;
    }
    // The row carries the road's messages: nothing stops the run to show one.
    bool Tell(const QString &, unsigned) override { return true; }
    void Stage(int textId) override { status(LoadString(msg::FleetRadioStage).arg(m_nNumber).arg(LoadString(textId))); }
    void RadioFound(int number) override { m_nNumber = number; }
    void Waiting(bool next) override
    {
        status(next ? LoadString(msg::FleetWaitingNext).arg(m_nNumber) : LoadString(msg::FleetWaiting).arg(cableText(m_pDialog->m_cable)));
    }
    void RadioFinished(const FleetRadioResult &row, const FleetSummary &summary) override
    {
        QPointer<CFleetDialog> dialog(m_pDialog);
        QMetaObject::invokeMethod(
            m_pDialog, [dialog, row, summary] {
                if (dialog)
                    dialog->addRow(row, summary);
            },
            Qt::QueuedConnection);
    }

private:
    void status(const QString &text)
    {
        QPointer<QLabel> label(m_pDialog->m_pStatus);
        QMetaObject::invokeMethod(
            m_pDialog, [label, text] {
                if (label)
                    label->setText(text);
            },
            Qt::QueuedConnection);
    }

    CFleetDialog *m_pDialog;
    int m_nNumber = 0; // the radio in work (the worker's)
};

CFleetDialog::CFleetDialog(CRadioDataModel &profile, const QString &profileName, const QString &logPath, const CableConfig &cable, QWidget *parent)
    : QDialog(parent), m_profile(profile), m_strLogPath(logPath), m_cable(cable), m_pHost(std::make_unique<Host>(this))
{
    setWindowTitle(LoadString(msg::FleetTitle));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(LoadString(msg::FleetIntro).arg(profileName, QDir::toNativeSeparators(logPath)), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *tableLabel = new QLabel(LoadString(msg::FleetTableLabel), this);
    m_pTable = new QTableWidget(0, ColumnCount, this);
    tableLabel->setBuddy(m_pTable);
    m_pTable->setAccessibleName(tableLabel->text().remove(QLatin1Char('&')));
    for (const ColumnEntry &c : kColumns)
        m_pTable->setHorizontalHeaderItem(c.column, new QTableWidgetItem(LoadString(c.captionId)));
    m_pTable->verticalHeader()->setVisible(false);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setWordWrap(true);
    m_pTable->setTabKeyNavigation(false);
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pTable->horizontalHeader()->setSectionResizeMode(ColResult, QHeaderView::Stretch);
    m_pTable->setMinimumSize(kTableWidth, kTableHeight);
    layout->addWidget(tableLabel);
    layout->addWidget(m_pTable, 1);

    m_pStatus = new QLabel(LoadString(msg::FleetReady), this);
    m_pStatus->setWordWrap(true);
    m_pSummary = new QLabel(this);
    layout->addWidget(m_pStatus);
    layout->addWidget(m_pSummary);

    auto *row = new QHBoxLayout;
    row->addStretch();
    m_pStart = new QPushButton(LoadString(msg::FleetStart), this);
    m_pStop = new QPushButton(LoadString(msg::FleetStop), this);
    m_pClose = new QPushButton(LoadString(msg::FleetClose), this);
    for (QPushButton *b : {m_pStart, m_pStop, m_pClose}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    m_pStart->setDefault(true);
    layout->addLayout(row);
    connect(m_pStart, &QPushButton::clicked, this, &CFleetDialog::Start);
    connect(m_pStop, &QPushButton::clicked, this, &CFleetDialog::Stop);
    connect(m_pClose, &QPushButton::clicked, this, &CFleetDialog::reject);
    auto *help = new QPushButton(LoadString(msg::MenuHelp), this);
    help->setObjectName(QStringLiteral("help"));
    help->setAutoDefault(false);
    row->insertWidget(0, help);
    connect(help, &QPushButton::clicked, this, [this] { OpenHelpTopic(this, QStringLiteral("radio_commands.htm#several_radios")); });
    updateButtons();
}

CFleetDialog::~CFleetDialog()
{
    m_stop = true;
    join();
}

void CFleetDialog::join()
{
    // The worker may wait for a question on this thread: keep answering
    // events until it has ended.
    while (!m_workerEnded) {
        QApplication::processEvents(QEventLoop::AllEvents, kJoinNapMs);
        QThread::msleep(kJoinNapMs);
    }
    if (m_worker.joinable())
        m_worker.join();
}

void CFleetDialog::Start()
{
    if (m_bRunning)
        return;
    join();
    if (!m_pRun) {
        auto run = std::make_shared<CFleetRun>(m_profile, *m_pHost, FleetOptions{m_strLogPath, m_cable, kFleetPollMs}, m_stop);
        QString error;
        if (!run->OpenLog(error)) {
            ShowMessageText(LoadString(msg::BatchLogNotWritten).arg(error), MB_OK | MB_ICONERROR);
            return;
        }
        m_pRun = run;
    }
    std::shared_ptr<CFleetRun> run = m_pRun;
    m_stop = false;
    m_workerEnded = false;
    m_bRunning = true;
    updateButtons();
    QPointer<CFleetDialog> self(this);
    m_worker = std::thread([this, self, run] {
        QString failure;
        const bool ok = run->Run(failure);
        QMetaObject::invokeMethod(
            this, [self, ok, failure] {
                if (self)
                    self->onRunEnded(ok, failure);
            },
            Qt::QueuedConnection);
        m_workerEnded = true;
    });
}

void CFleetDialog::Stop()
{
    if (!m_bRunning)
        return;
    m_stop = true;
    m_pStatus->setText(LoadString(msg::FleetStopping));
    updateButtons();
}

void CFleetDialog::onRunEnded(bool ok, const QString &error)
{
    join();
    m_bRunning = false;
    m_pStatus->setText(LoadString(msg::FleetStopped));
    updateButtons();
    if (!ok)
        ShowMessageText(LoadString(msg::BatchLogNotWritten).arg(error), MB_OK | MB_ICONERROR);
}

void CFleetDialog::addRow(const FleetRadioResult &row, const FleetSummary &summary)
{
    const int r = m_pTable->rowCount();
    m_pTable->insertRow(r);
    const QString texts[ColumnCount] = {
        QString::number(row.number), row.serial, row.model, row.firmware, QLocale().toString(row.time.time(), QLocale::ShortFormat),
        row.message, QFileInfo(row.backupPath).fileName(),
    };
    for (int c = 0; c < ColumnCount; ++c) {
        auto *item = new QTableWidgetItem(texts[c]);
        item->setBackground(row.Ok() ? kWrittenColour : kFailedColour);
        // The backup's whole path, which its row's message also names.
        item->setToolTip(c == ColBackup ? QDir::toNativeSeparators(row.backupPath) : texts[c]);
        m_pTable->setItem(r, c, item);
    }
    m_pTable->resizeRowToContents(r);
    m_pTable->scrollToItem(m_pTable->item(r, 0));
    m_pSummary->setText(summary.Text());
    // The radio can be unplugged.
    QApplication::beep();
}

void CFleetDialog::updateButtons()
{
    m_pStart->setEnabled(!m_bRunning);
    m_pStop->setEnabled(m_bRunning && !m_stop);
    m_pClose->setEnabled(!m_bRunning);
}

void CFleetDialog::reject()
{
    // A run goes on until Stop has ended it.
    if (!m_bRunning)
        QDialog::reject();
}

void CFleetDialog::closeEvent(QCloseEvent *event)
{
    if (m_bRunning)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace tavo
