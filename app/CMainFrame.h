#pragma once
// The main window: the menus (one bar while no profile is open, another
// while one is), the toolbar, the status bar, one child window per open
// profile in the MDI area, and the command handlers that hand each command
// to the part that carries it out.

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace tavo {

class CChildFrame;
class CTavoCPSDoc;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget *parent = nullptr);
    ~CMainFrame() override;

    // The command's action (menus, toolbar, accelerators); null when unknown.
    QAction *Command(int id) const { return m_actions.value(id); }
    // Runs a command as its menu entry would (when enabled).
    bool RunCommand(int id);
    // Recomputes which commands are enabled and checked.
    void UpdateCommandUI();

    // The guarded open: the profile pre-check, then the document. Returns
    // the new profile window, or null (the reason has been shown).
    CChildFrame *OpenDocumentFile(const QString &path);
    // A new profile from a template (after the pre-check).
    CChildFrame *NewDocumentFromTemplate(const QString &templatePath);

    CChildFrame *ActiveChild() const;
    QList<CChildFrame *> Children() const;
    QMdiArea *MdiArea() const { return m_pMdi; }
    QToolBar *ToolBar() const { return m_pToolBar; }
    bool HelpPaneFlag() const { return m_bHelpPane; }
    QString CurrentLanguage() const { return m_strCurrentLanguage; }
    QLabel *CablePane() const { return m_pCablePane; }

    // ---- the radio commands and the cable watch (CMainFrameRadio.cpp)
    // A radio operation runs in this instance (its worker may still end).
    bool RadioBusy() const;
    // The Read, Reset and Factory Reset flags the cable watch sets.
    bool ReadFlag() const { return m_bReadFlag; }
    // The password last accepted for a radio.
    QString AcceptedPassword() const;
    // The shared map's name (tests use their own); set before the frame.
    static void SetCableMapKey(const QString &key);

public slots:
    // The radio commands (their work arrives with the radio commands).
    void OnRadioRead();
    void OnRadioWrite();
    void OnRadioReset();
    void OnRadioFactoryReset();
    // Device > Port and Transfer.
    void OnPortSettings();
    // Device > Restore Backup...: the connected radio's serial, one of its
    // backups chosen (newest first), then that image written back.
    void OnRestoreBackup();
    void OnProgramSeveralRadios();
    // Report: the pending edits are committed, then the report option
    // dialog on the active profile and the report window. The other two
    // make one report at once, without the dialog.
    void OnReport();
    void OnReportHandout();
    void OnReportDetailed();
    // File > Import / Export CHIRP CSV on the active profile
    // (CMainFrameCsv.cpp).
    void OnImportCsv();
    void OnExportCsv();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void CreateActions();
    QAction *AddCommand(int id, int captionId, const QKeySequence &key, void (CMainFrame::*slot)());
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void UpdateRecentFiles();
    CChildFrame *AddChild(CTavoCPSDoc *doc);
    void RunReport(bool handout);

    void OnFileNew();
    void OnFileOpen();
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
    void OnRecentFile(int index);
    void OnEditUndo();
    void OnEditRedo();
    void OnEditAdd();
    void OnEditDelete();
    void OnEditRename();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnDealerInfo();
    void OnLanguage(const QString &key);
    void OnViewHelpPane();
    void OnHelpContents();
    void OnAbout();

    // The radio side of the frame.
    struct RadioState;
    void InitRadio();
    void ShutdownRadio();
    void OnRadioNotify(int type, int value);
    void OnCableState(bool usable, int deviceCount);
    bool StartRadioOperation(int operation);
    void FinishRadioOperation();
    void StartRadioWorker(std::function<bool()> body, std::function<void(bool)> done);
    void OnIdentified(bool ok);
    void RunReadTransfer();
    void RunWriteTransfer();
    void TakeReadImage();
    void StartIdentification();
    // The reset that ends a Reset or a Factory Reset; its success is said.
    void StartResetWorker(bool afterFactoryReset = false);
    // Writes the backup image at `path` to the radio by the restore road:
    // the file must be a whole image that converts to a profile, which is
    // then written as a profile write is (the start checks, identification
    // and its checks, a backup of what the radio holds, verify when set),
    // saying when the image is another radio's; with `review` the change
    // list is shown and asked about before anything is written.
    void WriteBackupToRadio(const QString &path, bool review);
    void ChooseAndWriteBackup(const QString &serial);
    // A failed write as the command line reports it: the failure, then,
    // when the write had begun to change the radio, that it may hold a
    // partly written codeplug, and where its previous image was saved.
    QString WriteFailureText(const QString &failure, const QString &backupPath) const;

    // Profile windows, the Window menu and the status notes
    // (CMainFrameWindows.cpp).
    void PrepareSubWindow(QMdiSubWindow *sub);
    // Makes `sub` the active profile window once the window being left has
    // committed what is typed on its page; false when that was refused.
    bool ActivateSubWindow(QMdiSubWindow *sub);
    // A switch made by the MDI area itself (a click, Ctrl+Tab): the window
    // left commits afterwards, and a refusal brings it back. False then.
    bool AcceptActivation(QMdiSubWindow *sub);
    void FillWindowMenu(QMenu *menu);
    void UpdateMainTitle();
    void ShowStatusNote(int textId);
    // After message 390: Factory Reset now (Yes), with its own confirmation
    // once the failed operation has ended.
    void OfferFactoryReset();

    RadioState *m_pRadio = nullptr;
    bool m_bReadFlag = false;
    bool m_bCountMessageOpen = false;

    QMdiArea *m_pMdi;
    QToolBar *m_pToolBar = nullptr;
    QLabel *m_pMessagePane = nullptr;
    QLabel *m_pCablePane = nullptr;
    QHash<int, QAction *> m_actions;
    QList<QAction *> m_recentActions;
    QHash<QString, QAction *> m_languageActions;
    QMenu *m_pLanguageMenu = nullptr;
    QPointer<QMdiSubWindow> m_pLastActive; // the window the last switch went to
    bool m_bRevertingSwitch = false;
    bool m_bTitlePending = false; // UpdateMainTitle waits for the event loop
    bool m_bMenusForProfile = false;
    bool m_bMenusBuilt = false;
    bool m_bDestroying = false;
    bool m_bHelpPane = true;
    QString m_strCurrentLanguage;
};

} // namespace tavo
