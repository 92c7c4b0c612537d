// The main frame's radio side: the cable watch (the monitor here, the
// poller shared with the other instances), the command flags and the cable
// pane, Read, Write, Reset and Factory Reset, and writing a backup image
// back (after a write that failed part way, or Restore Backup). The checks, the password
// loop and the write stages are the core's (workflow/CRadioCommands), run
// step by step: radio work on one worker thread, every question, message
// and document change here on the window's thread.

#include "app/CMainFrame.h"

#include "app/CChangeListDialog.h"
#include "app/CChildFrame.h"
#include "app/CFleetDialog.h"
#include "app/CRadioSettings.h"
#include "app/CReadWriteDialog.h"
#include "app/CRestoreBackupDialog.h"
#include "app/CTavoCPSTreeView.h"
#include "app/CommandIds.h"
#include "app/ShellDialogs.h"
#include "views/CDocumentHost.h"
#include "views/CFileDialogs.h"
#include "workflow/CTavoCPSDoc.h"
#include "base/CTavoCPSException.h"
#include "base/TemplateFile.h"
#include "profile/CRadioDataModel.h"
#include "radio/CRadioOperation.h"
#include "radio/CRadioProtocol.h"
#include "radio/RadioMemoryMap.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"
#include "workflow/CableWatch.h"
#include "workflow/CRadioCommands.h"
#include "workflow/CRadioTransfer.h"
#include "workflow/FleetProgramming.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

namespace tavo {

namespace {

constexpr int kCablePeriodMs = 1000;

enum RadioOperationKind : int { OpNone = 0, OpRead = 2, OpWrite = 3, OpReset = 4, OpFactoryReset = 6, OpSeveral = 7 };

ContextValue<QString> &CableMapKey()
{
    static ContextValue<QString> value(SharedCableMap::DefaultKey());
    return value;
}

// Notifications of the radio worker, queued to the frame's thread; a
// failure clears the continue flag at once, so the worker stops between
// stages.
class QueuedRadioSink : public IRadioNotificationSink {
public:
    QueuedRadioSink(QObject *target, std::function<void(int, int)> handler, std::atomic<bool> &continueFlag)
        : m_pTarget(target), m_handler(std::move(handler)), m_continue(continueFlag)
    {
    }
    void Notify(int type, int value) override
    {
        if (type == RadioCommFailure || type == RadioMemoryWarning)
            m_continue = false;
        auto handler = m_handler;
        QMetaObject::invokeMethod(m_pTarget, [handler, type, value] { handler(type, value); }, Qt::QueuedConnection);
    }

private:
    QObject *m_pTarget;
    std::function<void(int, int)> m_handler;
    std::atomic<bool> &m_continue;
};

} // namespace

struct CMainFrame::RadioState {
    std::unique_ptr<CableWatch> watch;
    std::unique_ptr<CRadioOperation> op;
    std::unique_ptr<QueuedRadioSink> sink;
    std::atomic<bool> continueFlag{true};
    std::thread worker;
    bool workerRunning = false;
    int operation = OpNone;
    int progress = 0;
    CRadioIdent ident;
    VirtualCP image;
    QStringList notHeld; // what the radio cannot hold, for the change list
    QString password;
    QPointer<CReadWriteDialog> dialog;
    bool identified = false;
    // A restore under way: the image's profile (written instead of the
    // active document's), its serial number and whether the change list is
    // asked about whatever the setting.
    std::unique_ptr<CRadioDataModel> restoreProfile;
    QString restoreSerial;
    bool restoreReview = false;
};

void CMainFrame::SetCableMapKey(const QString &key)
{
    CableMapKey().Set(key);
}

void CMainFrame::InitRadio()
{
    m_pRadio = new RadioState;
    m_pRadio->sink = std::make_unique<QueuedRadioSink>(this, [this](int t, int v) { OnRadioNotify(t, v); }, m_pRadio->continueFlag);
    m_pRadio->watch = std::make_unique<CableWatch>(
        CableMapKey().Get(), &CountRadioCables,
        [this](bool usable, int count) {
            QMetaObject::invokeMethod(this, [this, usable, count] { OnCableState(usable, count); }, Qt::QueuedConnection);
        },
        kCablePeriodMs, &CountOwnPort);
    m_pRadio->watch->Start();
}

void CMainFrame::ShutdownRadio()
{
    if (!m_pRadio)
        return;
    // The worker ends by itself after its last stage; it is waited for
    // before the objects it uses go.
    if (m_pRadio->worker.joinable())
        m_pRadio->worker.join();
    if (m_pRadio->operation != OpNone)
        m_pRadio->watch->EndOperation();
    m_pRadio->watch->Stop();
    delete m_pRadio;
    m_pRadio = nullptr;
}

bool CMainFrame::RadioBusy() const
{
    return m_pRadio && (m_pRadio->operation != OpNone || m_pRadio->workerRunning);
}

QString CMainFrame::AcceptedPassword() const
{
    return m_pRadio ? m_pRadio->password : QString();
}

// ---- the cable state

void CMainFrame::OnCableState(bool usable, int deviceCount)
{
    if (m_bDestroying || !m_pRadio)
        return;
    // Said once: the cable state is not shared with the other instances.
    static bool s_bMapProblemSaid = false;
    const QString mapProblem = m_pRadio->watch->MapProblem();
    if (!mapProblem.isEmpty() && !s_bMapProblemSaid) {
        s_bMapProblemSaid = true;
        ShowMessageText(mapProblem, MB_OK | MB_ICONWARNING);
    }
    if (deviceCount > 1 && !m_bCountMessageOpen) {
        m_bCountMessageOpen = true;
        QString text = LoadString(msg::UsbConnections);
        text.replace(QLatin1String("%d"), QString::number(deviceCount));
        ShowMessageText(text, MB_OK | MB_ICONWARNING);
        m_bCountMessageOpen = false;
    }
    const bool busy = RadioBusy();
    const bool flag = usable && !busy;
    if (!usable && !busy)
        CablePane()->setText(LoadString(msg::UsbCableNotConnected));
    else if (flag)
        CablePane()->setText(LoadString(msg::UsbCableConnected));
    if (flag != m_bReadFlag) {
        m_bReadFlag = flag;
        UpdateCommandUI();
    }
}

// ---- starting and finishing

bool CMainFrame::StartRadioOperation(int operation)
{
    if (RadioBusy())
        return false;
    m_pRadio->watch->BeginOperation();
    m_pRadio->op = std::make_unique<CRadioOperation>(m_pRadio->sink.get(), RadioCableConfig());
    m_pRadio->operation = operation;
    m_pRadio->progress = 0;
    m_pRadio->continueFlag = true;
    m_bReadFlag = false;
    UpdateCommandUI();
    return true;
}

void CMainFrame::FinishRadioOperation()
{
    if (m_pRadio->operation == OpNone)
        return;
    m_pRadio->operation = OpNone;
    m_pRadio->restoreProfile.reset();
    m_pRadio->restoreSerial.clear();
    m_pRadio->restoreReview = false;
    m_pRadio->watch->EndOperation();
    m_pMessagePane->setText(LoadString(msg::StatusReady));
}

void CMainFrame::StartRadioWorker(std::function<bool()> body, std::function<void(bool)> done)
{
    if (m_pRadio->worker.joinable())
        m_pRadio->worker.join(); // the previous worker has posted its end
    m_pRadio->workerRunning = true;
    m_pRadio->worker = std::thread([this, body = std::move(body), done = std::move(done)] {
        const bool ok = body();
        QMetaObject::invokeMethod(
            this,
            [this, done, ok] {
                if (m_pRadio->worker.joinable())
                    m_pRadio->worker.join();
                m_pRadio->workerRunning = false;
                done(ok);
            },
            Qt::QueuedConnection);
    });
}

// ---- the notification handler

void CMainFrame::OnRadioNotify(int type, int value)
{
    if (!m_pRadio)
        return;
    if (m_pRadio->dialog) {
        m_pRadio->dialog->OnNotify(type, value);
        return;
    }
    if (type == RadioProgress) {
        m_pRadio->progress = value;
    } else if (type == RadioCommFailure || type == RadioMemoryWarning) {
        // The worker's end finishes the operation.
        ShowMessageText(RadioFailureMessage(type, value), MB_OK | (type == RadioMemoryWarning ? MB_ICONWARNING : MB_ICONERROR));
        if (type == RadioMemoryWarning && value == kMemoryStatusNeedsFactoryReset)
            OfferFactoryReset();
    }
}

// ---- the commands

// Read and Write both begin by identifying the radio on a worker thread.
void CMainFrame::StartIdentification()
{
    CRadioOperation *op = m_pRadio->op.get();
    CRadioIdent *ident = &m_pRadio->ident;
    *ident = CRadioIdent();
    StartRadioWorker(
        [op, ident] {
            std::lock_guard<std::mutex> lock(RadioLock());
            op->ClearFailure();
            return op->Identify(*ident);
        },
        [this](bool ok) { OnIdentified(ok); });
}

void CMainFrame::OnRadioRead()
{
    if (!m_bReadFlag || !StartRadioOperation(OpRead))
        return;
    StartIdentification();
}

void CMainFrame::OnRadioWrite()
{
    CChildFrame *child = ActiveChild();
    if (!child || !m_bReadFlag)
        return;
    if (!child->Tree()->CommitPendingEdit() || !child->Document()->CommitChanges())
        return;
    if (!EnsureSettingDocuments() || !CheckWriteStart(child->Document()->Model()))
        return;
    if (!StartRadioOperation(OpWrite))
        return;
    StartIdentification();
}

void CMainFrame::StartResetWorker(bool afterFactoryReset)
{
    CRadioOperation *op = m_pRadio->op.get();
    m_pRadio->operation = OpReset;
    StartRadioWorker(
        [op] {
            std::lock_guard<std::mutex> lock(RadioLock());
            op->ClearFailure();
            return op->Reset();
        },
        [this, afterFactoryReset](bool ok) {
            FinishRadioOperation();
            if (!ok)
                return;
            // Said in a box that names which of the two was done, not only
            // in a passing note.
            const int done = afterFactoryReset ? msg::FactoryResetDone : msg::ResetDone;
            ShowStatusNote(done);
            ShowMessage(done, MB_OK | MB_ICONINFORMATION);
        });
}

void CMainFrame::OnRadioReset()
{
    if (!m_bReadFlag || !StartRadioOperation(OpReset))
        return;
    StartResetWorker();
}

void CMainFrame::OnRadioFactoryReset()
{
    if (!m_bReadFlag)
        return;
    if (ShowMessage(msg::FactoryResetConfirm, MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    if (!StartRadioOperation(OpFactoryReset))
        return;
    CRadioOperation *op = m_pRadio->op.get();
    StartRadioWorker(
        [op] {
            std::lock_guard<std::mutex> lock(RadioLock());
            op->ClearFailure();
            return op->FactoryReset();
        },
        [this](bool ok) {
            // A factory reset is always followed by a reset; the operation
            // stays busy.
            if (ok && m_pRadio->operation == OpFactoryReset)
                StartResetWorker(true);
            else
                FinishRadioOperation();
        });
}

// The active profile to one radio after another, in the fleet window. The
// log is chosen first; the cable watch rests while the window is open (the
// run asks the port itself).
void CMainFrame::OnProgramSeveralRadios()
{
    CChildFrame *child = ActiveChild();
    if (!child || RadioBusy())
        return;
    if (!child->Tree()->CommitPendingEdit() || !child->Document()->CommitChanges())
        return;
    if (!EnsureSettingDocuments() || !CheckWriteStart(child->Document()->Model()))
        return;
    // The log names the profile file the radios hold: a profile with
    // changes not saved is offered to be saved first, or logged as unsaved.
    CTavoCPSDoc *doc = child->Document();
    bool unsaved = doc->IsModified() || doc->GetPathName().isEmpty();
    if (unsaved) {
        const QString name = doc->GetPathName().isEmpty() ? doc->GetTitle() : QDir::toNativeSeparators(doc->GetPathName());
        const int answer = ShowMessageText(LoadString(msg::FleetSaveFirst).arg(name), MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL || (answer == IDYES && !doc->DoSave(doc->GetPathName())))
            return;
        unsaved = answer != IDYES;
    }
    const QString path = child->Document()->GetPathName();
    const QFileInfo profileFile(path.isEmpty() ? child->Document()->GetTitle() : path);
    const QString folder = path.isEmpty() ? CFileDialogs::LastOpenFolder() : profileFile.absolutePath();
    const QString proposed = QDir(folder).filePath(profileFile.completeBaseName() + QStringLiteral("-radios.csv"));
    const QString log = CFileDialogs::GetFleetLogName(this, proposed);
    if (log.isEmpty() || !StartRadioOperation(OpSeveral))
        return;
    {
        const QString profileFile = path.isEmpty() ? doc->GetTitle() : QDir::toNativeSeparators(path);
        // An explicit port is the station's one port; else every cable
        // plugged in is one.
        const CableConfig cable = RadioCableConfig();
        CFleetDialog dialog(doc->Model(), doc->GetTitle(), unsaved ? LoadString(msg::FleetProfileUnsaved).arg(profileFile) : profileFile, log,
                            cable.portPath.isEmpty() ? FleetCablePorts(cable) : std::vector<CableConfig>{cable}, this);
        dialog.exec();
    }
    FinishRadioOperation();
    UpdateCommandUI();
}

void CMainFrame::OnPortSettings()
{
    CPortSettingsDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        m_pRadio->watch->Wake();
}

// ---- after the identification

namespace {
// The password dialog of the GUI: a wrong entry is refused by the dialog
// itself (message 279) and asked again by the loop.
class GuiRadioHost : public IRadioCommandHost {
public:
    explicit GuiRadioHost(QWidget *parent) : m_pParent(parent) {}
    bool AskPassword(const QString &expected, QString &entered) override
    {
        QString remembered;
        CAskPwdDlg dialog(expected, remembered, m_pParent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        entered = remembered;
        return true;
    }

private:
    QWidget *m_pParent;
};
} // namespace

void CMainFrame::OnIdentified(bool ok)
{
    if (!ok || m_pRadio->operation == OpNone) {
        FinishRadioOperation();
        return;
    }
    const bool write = m_pRadio->operation == OpWrite;
    GuiRadioHost host(this);
    if (!EnsureSettingDocuments() || !CheckIdentification(m_pRadio->ident, write)) {
        FinishRadioOperation();
        return;
    }
    if (!write) {
        if (!RunPasswordLoop(m_pRadio->ident, m_pRadio->password, host)) {
            FinishRadioOperation();
            return;
        }
        RunReadTransfer();
        return;
    }
    // A restore writes the image's profile; a write the active document's.
    CChildFrame *child = ActiveChild();
    CRadioDataModel *profile = m_pRadio->restoreProfile ? m_pRadio->restoreProfile.get() : child ? &child->Document()->Model() : nullptr;
    m_pRadio->image = VirtualCP();
    m_pRadio->notHeld.clear();
    // What the radio cannot hold is named in the change list when it is
    // shown (always for a restore), else asked about now.
    QStringList *notHeld = GetShowChangesBeforeWrite() || m_pRadio->restoreReview ? &m_pRadio->notHeld : nullptr;
    if (!profile || !PrepareWrite(*profile, m_pRadio->ident, m_pRadio->password, host, m_pRadio->image, notHeld)) {
        FinishRadioOperation();
        return;
    }
    RunWriteTransfer();
}

void CMainFrame::RunReadTransfer()
{
    CReadWriteDialog dialog(true, this);
    m_pRadio->dialog = &dialog;
    m_pMessagePane->setText(LoadString(msg::Transferring));
    m_pRadio->image = VirtualCP();
    CRadioOperation *op = m_pRadio->op.get();
    VirtualCP *image = &m_pRadio->image;
    std::atomic<bool> *cont = &m_pRadio->continueFlag;
    *cont = true;
    StartRadioWorker([op, image, cont] { return RunTransfer(*op, TransferKind::Read, *image, *cont); },
                     [this](bool ok) {
                         if (m_pRadio->dialog)
                             m_pRadio->dialog->OnWorkerDone(ok, QString());
                         FinishRadioOperation();
                     });
    const int result = dialog.exec();
    m_pRadio->dialog = nullptr;
    if (result == QDialog::Accepted)
        TakeReadImage();
}

void CMainFrame::TakeReadImage()
{
    CChildFrame *child = ActiveChild();
    int answer = IDYES;
    if (child)
        answer = ShowMessage(msg::CreateOrOverwriteProfile, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) {
        auto *doc = new CTavoCPSDoc(GuiDocumentHost());
        if (!doc->OnNewDocumentFromRadio(m_pRadio->image)) {
            delete doc;
            return;
        }
        AddChild(doc);
    } else if (answer == IDNO) {
        // What is typed on the open profile's page is committed (or
        // refused, and the read is not taken) before the profile is replaced.
        if (!child->CommitChanges())
            return;
        try {
            if (!child->Document()->SetVirtualCPData(m_pRadio->image))
                return;
        } catch (const CTavoCPSException &e) {
            CTavoCPSDoc::ShowFailure(e, msg::CommunicationError);
            return;
        }
        // The document marks itself modified and has the panes rebuilt.
    }
}

namespace {
// The stage texts of a write, from the worker to the dialog.
class QueuedStageHost : public IRadioCommandHost {
public:
    explicit QueuedStageHost(QObject *target, std::function<void(int)> stage) : m_pTarget(target), m_stage(std::move(stage)) {}
    bool AskPassword(const QString &, QString &) override { return false; }
    void Stage(int textId) override
    {
        auto stage = m_stage;
        QMetaObject::invokeMethod(m_pTarget, [stage, textId] { stage(textId); }, Qt::QueuedConnection);
    }

private:
    QObject *m_pTarget;
    std::function<void(int)> m_stage;
};

struct WriteOutcome {
    RadioCommandResult result = RadioCommandResult::Failed;
    QString stopText;
    QString accepted;
    RadioWriteReport report;
};

// The question whether to write another radio's image, asked from the
// worker on the window's thread.
std::function<bool(const QString &)> ConfirmOnGuiThread(QWidget *owner)
{
    QPointer<QWidget> target(owner);
    return [target](const QString &text) {
        bool goOn = false;
        if (!target)
            return goOn;
        QMetaObject::invokeMethod(
            target.data(), [&] { goOn = ShowMessageText(text, MB_YESNO | MB_ICONWARNING) == IDYES; }, Qt::BlockingQueuedConnection);
        return goOn;
    };
}
} // namespace

void CMainFrame::RunWriteTransfer()
{
    CReadWriteDialog dialog(false, this);
    m_pRadio->dialog = &dialog;
    m_pMessagePane->setText(LoadString(msg::Transferring));
    auto host = std::make_shared<QueuedStageHost>(this, [this](int textId) {
        if (m_pRadio->dialog)
            m_pRadio->dialog->SetStage(textId);
    });
    auto outcome = std::make_shared<WriteOutcome>();
    auto offer = std::make_shared<QString>(); // the failure to show with the offer of the backup
    // A backup being written back is not offered again: it is the backup.
    const bool restoring = m_pRadio->restoreProfile != nullptr;
    dialog.HoldFailureUntilDone();
    outcome->accepted = m_pRadio->password;
    RadioWriteOptions options;
    options.verify = GetVerifyAfterWrite();
    if (GetShowChangesBeforeWrite() || m_pRadio->restoreReview) {
        options.review = ReviewOnGuiThread(this);
        options.notes = m_pRadio->notHeld;
    }
    if (!m_pRadio->restoreSerial.isEmpty()) {
        options.imageSerial = m_pRadio->restoreSerial;
        options.confirmOtherRadio = ConfirmOnGuiThread(this);
    }
    CRadioOperation *op = m_pRadio->op.get();
    VirtualCP *image = &m_pRadio->image;
    std::atomic<bool> *cont = &m_pRadio->continueFlag;
    *cont = true;
    StartRadioWorker(
        [op, image, cont, host, outcome, options] {
            outcome->result = RunWriteStages(*op, *cont, *image, outcome->accepted, *host, options, outcome->report, outcome->stopText);
            return outcome->result == RadioCommandResult::Done;
        },
        [this, outcome, offer, restoring](bool ok) {
            // The password the radio now has is the one last accepted.
            m_pRadio->password = outcome->accepted;
            if (m_pRadio->dialog && outcome->report.skipped) {
                m_pRadio->dialog->done(QDialog::Rejected); // the user chose not to write
            } else if (m_pRadio->dialog) {
                CReadWriteDialog *d = m_pRadio->dialog;
                const RadioWriteReport &report = outcome->report;
                if (outcome->result == RadioCommandResult::Stopped && !report.verifyDifference.isEmpty() && !report.backupPath.isEmpty()) {
                    // A field that did not read back: the backup is named
                    // and offered, as after a failed write.
                    const QString text = outcome->stopText + QLatin1Char('\n')
                        + LoadString(msg::BackupSaved).replace(QLatin1String("%1"), QDir::toNativeSeparators(report.backupPath));
                    if (!restoring)
                        *offer = text;
                    d->OnWorkerDone(false, text, restoring);
                } else if (ok || outcome->result == RadioCommandResult::Stopped) {
                    d->OnWorkerDone(ok, outcome->stopText);
                } else if (report.writtenUnverified) {
                    // Written whole; only the read-back failed.
                    d->OnWorkerDone(false, (d->Failure().isEmpty() ? LoadString(msg::CommunicationError) : d->Failure()) + QLatin1Char('\n')
                                               + LoadString(msg::WrittenUnverified));
                } else {
                    const QString text = WriteFailureText(d->Failure(), outcome->report.backupPath);
                    // A radio left partly written: the message waits for the
                    // dialog to close and offers its backup at once.
                    if (!restoring && m_pRadio->op->WriteStarted() && !outcome->report.backupPath.isEmpty()) {
                        *offer = text;
                        d->OnWorkerDone(false, text, false);
                    } else {
                        d->OnWorkerDone(false, text);
                    }
                }
            }
            FinishRadioOperation();
        });
    dialog.exec();
    m_pRadio->dialog = nullptr;
    if (!offer->isEmpty()
        && ShowMessageText(*offer + QStringLiteral("\n\n") + LoadString(msg::OfferBackupWrite), MB_YESNO | MB_ICONERROR) == IDYES)
        WriteBackupToRadio(outcome->report.backupPath, false);
}

QString CMainFrame::WriteFailureText(const QString &failure, const QString &backupPath) const
{
    QString text = failure.isEmpty() ? LoadString(msg::CommunicationError) : failure;
    // A radio that answered that it refuses the write is no fault of the
    // cable: what it said is the message.
    if (m_pRadio->op && m_pRadio->op->FirstFailure() == LinkFailure::Refused)
        text = LoadString(msg::RadioWriteRefused);
    if (m_pRadio->op && m_pRadio->op->WriteStarted())
        text += QLatin1Char('\n') + LoadString(msg::PartlyWrittenCodeplug);
    if (!backupPath.isEmpty())
        text += QLatin1Char('\n') + LoadString(msg::BackupSaved).replace(QLatin1String("%1"), QDir::toNativeSeparators(backupPath));
    return text;
}

// ---- writing a backup back


void CMainFrame::OnRestoreBackup()
{
    if (!m_bReadFlag || !StartRadioOperation(OpRead))
        return;
    CRadioOperation *op = m_pRadio->op.get();
    auto serial = std::make_shared<QString>();
    StartRadioWorker([op, serial] { return ReadAnsweringSerial(*op, *serial); },
                     [this, serial](bool ok) {
                         FinishRadioOperation();
                         if (!ok) {
                             ShowMessage(msg::RestoreNoRadio, MB_OK | MB_ICONERROR);
                             return;
                         }
                         ChooseAndWriteBackup(*serial);
                     });
}

void CMainFrame::ChooseAndWriteBackup(const QString &serial)
{
    const QStringList backups = ListRadioBackups(serial);
    const QString name = BackupSerialName(serial);
    if (backups.isEmpty()) {
        ShowMessageText(LoadString(msg::RestoreNoBackup).arg(name, QDir::toNativeSeparators(BackupFolder())), MB_OK | MB_ICONINFORMATION);
        return;
    }
    CRestoreBackupDialog dialog(name, backups, this);
    if (dialog.exec() == QDialog::Accepted && !dialog.SelectedPath().isEmpty())
        WriteBackupToRadio(dialog.SelectedPath(), true);
}

void CMainFrame::WriteBackupToRadio(const QString &path, bool review)
{
    // The restore road: a whole image, loaded as the profile it converts to
    // (else the radio would read back as corrupted), then the write road of
    // a profile with all its checks.
    QByteArray bytes;
    QString reason;
    if (ReadSmallFile(path, bytes, &reason) != FileReadFailure::None || bytes.size() != static_cast<int>(VirtualCP::kSize)) {
        if (reason.isEmpty())
            reason = LoadString(msg::RestoreWrongSize).arg(bytes.size()).arg(VirtualCP::kSize);
        ShowMessageText(LoadString(msg::RestoreUnreadable).arg(QDir::toNativeSeparators(path), reason), MB_OK | MB_ICONERROR);
        return;
    }
    VirtualCP image;
    std::memcpy(image.bytes.data(), bytes.constData(), VirtualCP::kSize);
    auto profile = std::make_unique<CRadioDataModel>();
    if (!LoadImageAsProfile(image, *profile) || !EnsureSettingDocuments() || !CheckWriteStart(*profile))
        return;
    if (!StartRadioOperation(OpWrite))
        return;
    m_pRadio->restoreProfile = std::move(profile);
    m_pRadio->restoreSerial = ImageSerial(image);
    m_pRadio->restoreReview = review;
    StartIdentification();
}

} // namespace tavo
