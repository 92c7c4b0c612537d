#include "app/CFleetDialog.h"
#include "app/CHelpWindow.h"

#include "app/FleetSound.h"
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
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include <vector>

namespace tavo {

namespace {

// The colours of a finished row, and of the tiles.
const QColor kWrittenColour(200, 240, 200);
const QColor kFailedColour(246, 200, 200);
const QColor kTileDone(46, 160, 67);
const QColor kTileFailed(200, 40, 40);
const QColor kTileWaiting(110, 110, 110);
constexpr int kJoinNapMs = 10;
constexpr int kTableWidth = 1000;
constexpr int kTableHeight = 200;
// A tile's texts, readable from three metres (in points).
constexpr int kTilePortPoints = 18;
constexpr int kTileStatePoints = 16;
constexpr int kTileDetailPoints = 11;
constexpr int kTileProgressHeight = 26;
// Room for a failed radio's four lines of what to do.
constexpr int kTileMinWidth = 460;
constexpr int kTileMinHeight = 190;
// A station of more ports: narrower tiles, more to a row.
constexpr int kManyPorts = 4;
constexpr int kManyTileMinWidth = 320;
constexpr int kManyTilesPerRow = 4;
// Tiles side by side before the next row.
constexpr int kTilesPerRow = 2;

struct ColumnEntry {
    CFleetDialog::Column column;
    int captionId;
};
constexpr ColumnEntry kColumns[] = {
    {CFleetDialog::ColNumber, msg::FleetColumnNumber},     {CFleetDialog::ColPort, msg::FleetColumnPort},
    {CFleetDialog::ColSerial, msg::FleetColumnSerial},
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

CFleetTile::CFleetTile(const QString &portName, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("fleetTile"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setMinimumSize(kTileMinWidth, kTileMinHeight);
    setAccessibleName(portName);
    setToolTip(portName);
    auto *layout = new QVBoxLayout(this);
    // The device's own name ("ttyUSB0", "tavocps-cable-A1B2") is what
    // tells the cables apart; the whole path is the tooltip, and the log's.
    const QString shortName = portName.startsWith(QLatin1Char('/')) ? QFileInfo(portName).fileName() : portName;
    m_pPort = new QLabel(shortName, this);
    QFont portFont = m_pPort->font();
    portFont.setPointSize(kTilePortPoints);
    portFont.setBold(true);
    m_pPort->setFont(portFont);
    m_pState = new QLabel(this);
    QFont stateFont = m_pState->font();
    stateFont.setPointSize(kTileStatePoints);
    stateFont.setBold(true);
    m_pState->setFont(stateFont);
    m_pState->setWordWrap(true);
    m_pDetail = new QLabel(this);
    QFont detailFont = m_pDetail->font();
    detailFont.setPointSize(kTileDetailPoints);
    m_pDetail->setFont(detailFont);
    m_pDetail->setWordWrap(true);
    m_pDetail->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pProgress = new QProgressBar(this);
    m_pProgress->setRange(0, 100);
    m_pProgress->setMinimumHeight(kTileProgressHeight);
    m_pProgress->setAccessibleName(portName);
    layout->addWidget(m_pPort);
    layout->addWidget(m_pState);
    layout->addWidget(m_pDetail, 1);
    layout->addWidget(m_pProgress);
    SetState(Waiting, LoadString(msg::FleetTileWaiting));
}

void CFleetTile::SetState(State state, const QString &headline, const QString &detail)
{
    m_eState = state;
    m_pState->setText(headline);
    m_pDetail->setText(detail);
    m_pProgress->setVisible(state == Writing);
    if (state != Writing)
        m_pProgress->setValue(0);
    // Green done, red failed, grey otherwise; white text on each.
    const QColor back = state == Done ? kTileDone : state == Failed ? kTileFailed : kTileWaiting;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    setAccessibleDescription(detail.isEmpty() ? headline : headline + QLatin1Char(' ') + detail);
}

void CFleetTile::SetProgress(int percent)
{
    m_pProgress->setValue(std::clamp(percent, 0, 100));
}

// The run's host: everything it reports goes to the window queued; its
// questions are asked on the window's thread while the port waits.
class CFleetDialog::Host : public IFleetHost {
public:
    explicit Host(CFleetDialog *dialog) : m_pDialog(dialog)
    {
        for (size_t i = 0; i < dialog->m_ports.size(); ++i)
            m_progress.push_back(std::make_unique<Progress>(this, static_cast<int>(i)));
        m_numbers.resize(dialog->m_ports.size());
    }

    IRadioNotificationSink *Notifications(int port) override { return m_progress.at(static_cast<size_t>(port)).get(); }
    bool AskPassword(int port, const QString &radio, const QString &expected, QString &entered) override
    {
        bool ok = false;
        OnGuiThread(m_pDialog, [&] {
            QString remembered;
            CAskPwdDlg ask(expected, remembered, m_pDialog);
            ask.setWindowTitle(LoadString(msg::FleetPasswordTitle).arg(radio, m_pDialog->Tile(port)->toolTip()));
            ok = ask.exec() == QDialog::Accepted;
            entered = remembered;
        });
        return ok;
    }
    bool Ask(int, const QString &text, unsigned style, int &answer, bool &forAll) override
    {
        OnGuiThread(m_pDialog, [&] { answer = AskFleetQuestion(m_pDialog, text, style, forAll); });
        return true;
    }
    // The row carries the road's messages: nothing stops the run to show one.
    bool Tell(int, const QString &, unsigned) override { return true; }
    void RadioFound(int port, int number, const QString &) override
    {
        m_numbers[static_cast<size_t>(port)] = number;
        tile(port, CFleetTile::Writing, LoadString(msg::FleetTileWriting).arg(number).arg(LoadString(msg::IdentifyingRadio)));
    }
    void Stage(int port, int textId) override
    {
        const int number = m_numbers[static_cast<size_t>(port)];
        tile(port, CFleetTile::Writing, LoadString(msg::FleetTileWriting).arg(number).arg(LoadString(textId)));
        // One port: the status line follows it too (several have their tiles).
        if (m_numbers.size() == 1)
            status(LoadString(msg::FleetRadioStage).arg(number).arg(LoadString(textId)));
    }
    void Waiting(int port, bool next) override
    {
        if (m_numbers.size() == 1)
            status(next ? LoadString(msg::FleetWaitingNext).arg(m_numbers[0]) : LoadString(msg::FleetWaiting).arg(m_pDialog->Tile(0)->toolTip()));
        // A tile keeps its last radio's green or red until the next radio
        // comes; one that has had none says it waits.
        if (!next)
            tile(port, CFleetTile::Waiting, LoadString(msg::FleetTileWaiting), true);
    }
    void AlreadyWritten(int port, const QString &serial, int number) override
    {
        tile(port, CFleetTile::Waiting, LoadString(msg::FleetTileWaiting), false, LoadString(msg::FleetAlreadyWritten).arg(serial).arg(number));
    }
    void PortEnded(int port) override { tile(port, CFleetTile::Stopped, LoadString(msg::FleetTileStopped), true); }
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
    // A port's progress: to its tile.
    class Progress : public IRadioNotificationSink {
    public:
        Progress(Host *host, int port) : m_pHost(host), m_nPort(port) {}
        void Notify(int type, int value) override
        {
            if (type != RadioProgress)
                return;
            QPointer<CFleetDialog> dialog(m_pHost->m_pDialog);
            const int port = m_nPort;
            QMetaObject::invokeMethod(
                dialog, [dialog, port, value] {
                    if (dialog)
                        dialog->Tile(port)->SetProgress(value);
                },
                Qt::QueuedConnection);
        }

    private:
        Host *m_pHost;
        int m_nPort;
    };

    // `idle`: only a tile that shows no radio's result takes the text.
    void tile(int port, CFleetTile::State state, const QString &text, bool idle = false, const QString &detail = QString())
    {
        QPointer<CFleetDialog> dialog(m_pDialog);
        QMetaObject::invokeMethod(
            m_pDialog, [dialog, port, state, text, idle, detail] {
                if (!dialog)
                    return;
                CFleetTile *t = dialog->Tile(port);
                if (!idle || (t->TileState() != CFleetTile::Done && t->TileState() != CFleetTile::Failed))
                    t->SetState(state, text, detail);
            },
            Qt::QueuedConnection);
    }
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
    std::vector<std::unique_ptr<Progress>> m_progress;
    std::vector<int> m_numbers; // the radio in work on each port (its thread's)
};

CFleetDialog::CFleetDialog(CRadioDataModel &profile, const QString &profileName, const QString &profileFile, const QString &logPath,
                           std::vector<CableConfig> ports, QWidget *parent)
    : QDialog(parent), m_profile(profile), m_strLogPath(logPath), m_strProfileFile(profileFile),
      m_ports(ports.empty() ? FleetCablePorts(DefaultCableConfig()) : std::move(ports))
{
    m_pHost = std::make_unique<Host>(this);
    m_pSound = new CFleetSound(this);
    setWindowTitle(LoadString(msg::FleetTitle));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(LoadString(msg::FleetIntro).arg(profileName, QDir::toNativeSeparators(logPath)), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    // The ports' tiles, two side by side (four for a larger station).
    const bool many = m_ports.size() > static_cast<size_t>(kManyPorts);
    const int perRow = many ? kManyTilesPerRow : kTilesPerRow;
    auto *tileArea = new QWidget(this);
    tileArea->setObjectName(QStringLiteral("fleetPorts"));
    tileArea->setAccessibleName(LoadString(msg::FleetTilesLabel));
    auto *tiles = new QGridLayout(tileArea);
    tiles->setContentsMargins(0, 0, 0, 0);
    for (size_t i = 0; i < m_ports.size(); ++i) {
        auto *tile = new CFleetTile(FleetPortName(m_ports[i]), tileArea);
        if (many)
            tile->setMinimumWidth(kManyTileMinWidth);
        tiles->addWidget(tile, static_cast<int>(i) / perRow, static_cast<int>(i) % perRow);
        m_tiles.push_back(tile);
    }
    layout->addWidget(tileArea);

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
        FleetOptions options;
        options.logPath = m_strLogPath;
        options.ports = m_ports;
        options.profileFile = m_strProfileFile;
        auto run = std::make_shared<CFleetRun>(m_profile, *m_pHost, options, m_stop);
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
    QStringList names;
    for (const CFleetTile *tile : m_tiles)
        names << tile->PortLabel()->text();
    m_pStatus->setText(LoadString(msg::FleetWaiting).arg(names.join(QStringLiteral(", "))));
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
        QString::number(row.number), row.port >= 0 && row.port < TileCount() ? Tile(row.port)->PortLabel()->text() : row.portName, row.serial, row.model, row.firmware, QLocale().toString(row.time.time(), QLocale::ShortFormat),
        row.message, QFileInfo(row.backupPath).fileName(),
    };
    for (int c = 0; c < ColumnCount; ++c) {
        auto *item = new QTableWidgetItem(texts[c]);
        item->setBackground(row.Ok() ? kWrittenColour : kFailedColour);
        // The backup's and the port's whole paths (the log has them too).
        item->setToolTip(c == ColBackup ? QDir::toNativeSeparators(row.backupPath) : c == ColPort ? row.portName : texts[c]);
        m_pTable->setItem(r, c, item);
    }
    m_pTable->resizeRowToContents(r);
    // The newest row is always in view.
    m_pTable->scrollToBottom();
    m_pSummary->setText(summary.Text());
    if (row.port >= 0 && row.port < TileCount()) {
        CFleetTile *tile = Tile(row.port);
        if (row.Ok())
            tile->SetState(CFleetTile::Done, LoadString(msg::FleetTileDone).arg(row.serial), LoadString(msg::FleetTileNext));
        else
            tile->SetState(CFleetTile::Failed, LoadString(msg::FleetTileFailed).arg(row.serial), row.message);
    }
    // The radio can be unplugged: done and failed sound unlike each other.
    m_pSound->Play(row.Ok());
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
