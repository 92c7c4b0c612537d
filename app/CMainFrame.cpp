#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CHelpWindow.h"
#include "app/CTavoCPSTreeView.h"
#include "app/CommandIds.h"
#include "app/ShellDialogs.h"
#include "views/AccessibleComboBox.h"
#include "views/CFileDialogs.h"
#include "views/CDocumentHost.h"
#include "views/StyleIcons.h"
#include "workflow/CTavoCPSDoc.h"
#include "config/SettingDocuments.h"
#include "config/InterfaceLanguage.h"
#include "config/Registry.h"
#include "base/CTavoCPSException.h"
#include "base/TemplateFile.h"
#include "profile/ProfileChecks.h"
#include "reports/ReportGenerator.h"
#include "reports/window/CReportDlg.h"
#include "reports/window/CReportOptionDlg.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavo {

namespace {

QString Caption(int id) { return LoadString(id).section(QLatin1Char('\t'), 0, 0); }

// The focused edit field the clipboard commands act on, or null.
struct EditField {
    QLineEdit *line = nullptr;
    QPlainTextEdit *plain = nullptr;
    QTextEdit *rich = nullptr;
    explicit operator bool() const { return line || plain || rich; }
    bool readOnly() const
    {
        return line ? line->isReadOnly() : plain ? plain->isReadOnly() : rich ? rich->isReadOnly() : true;
    }
    bool hasSelection() const
    {
        return line ? line->hasSelectedText()
               : plain ? plain->textCursor().hasSelection()
               : rich ? rich->textCursor().hasSelection() : false;
    }
    // The password fields never take part in the clipboard.
    bool isPassword() const { return line && line->echoMode() != QLineEdit::Normal; }
};

EditField FocusedEdit()
{
    EditField f;
    QWidget *w = QApplication::focusWidget();
    f.line = qobject_cast<QLineEdit *>(w);
    f.plain = qobject_cast<QPlainTextEdit *>(w);
    f.rich = qobject_cast<QTextEdit *>(w);
    if (f.rich && f.rich->inherits("QTextBrowser"))
        f.rich = nullptr; // the help pane is not an edit field
    return f;
}

struct LanguageEntry {
    int id;
    const char *key;
};
constexpr LanguageEntry kLanguageEntries[] = {
    {32797, "CaFrench"}, {32791, "Dutch"},   {32789, "English"},    {32799, "French"},
    {32788, "German"},   {32793, "Italian"}, {32795, "LaPortuguese"}, {32782, "LaSpanish"},
    {32783, "Polish"},   {32784, "Portuguese"}, {32785, "Russian"}, {32802, "Spanish"},
};

QIcon ToolIcon(int id)
{
    switch (id) {
    case cmd::FileNew: return StyleIcon(QStyle::SP_FileIcon);
    case cmd::FileOpen: return StyleIcon(QStyle::SP_DialogOpenButton);
    case cmd::FileSave: return StyleIcon(QStyle::SP_DialogSaveButton);
    case cmd::EditAdd: return StyleIcon(QStyle::SP_FileDialogNewFolder);
    case cmd::EditDelete: return StyleIcon(QStyle::SP_TrashIcon);
    case cmd::DeviceRead: return StyleIcon(QStyle::SP_ArrowDown);
    case cmd::DeviceWrite: return StyleIcon(QStyle::SP_ArrowUp);
    case cmd::Report: return StyleIcon(QStyle::SP_FileDialogDetailedView);
    case cmd::AppAbout: return StyleIcon(QStyle::SP_MessageBoxInformation);
    default: break;
    }
    // Cut, Copy, Paste: a small drawn picture.
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    if (id == cmd::EditCut) {
        p.drawEllipse(2, 10, 4, 4);
        p.drawEllipse(10, 10, 4, 4);
        p.drawLine(5, 10, 11, 1);
        p.drawLine(11, 10, 5, 1);
    } else {
        p.setBrush(Qt::white);
        p.drawRect(2, 1, 8, 10);
        p.drawRect(6, 5, 8, 10);
        if (id == cmd::EditPaste)
            p.fillRect(4, 0, 4, 2, QColor(160, 110, 40));
    }
    return QIcon(pm);
}

} // namespace

CMainFrame::CMainFrame(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(QLatin1String(kProductTitle));
    setAcceptDrops(true);
    m_bHelpPane = GetShowContextHelp() != 0;
    m_strCurrentLanguage = GetCurrentLanguage();
    m_pMdi = new QMdiArea(this);
    m_pMdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMdi);
    CreateActions();
    InstallAccessibleComboBoxes(); // the dialogs' lists as well as the pages'
    BuildToolBar();
    BuildStatusBar();
    BuildMenus();
    connect(m_pMdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *sub) {
        if (!AcceptActivation(sub))
            return;
        BuildMenus();
        UpdateCommandUI();
        UpdateMainTitle();
    });
    connect(qApp, &QApplication::focusChanged, this, [this] { UpdateCommandUI(); });
    // Ctrl+Z and Ctrl+Y in a text field: the field's own typing first.
    qApp->installEventFilter(this);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] { UpdateCommandUI(); });
    UpdateCommandUI();
    InitRadio();
    // The report window's Save As asks through the one file-dialog helper.
    SetReportSaveAsPrompt([](QWidget *parent, const QString &suggested) {
        return CFileDialogs::GetSaveReportName(parent, suggested);
    });
}

CMainFrame::~CMainFrame()
{
    // Nothing reaches the frame once it is going away.
    m_bDestroying = true;
    ShutdownRadio();
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    disconnect(m_pMdi, nullptr, this, nullptr);
    for (QMdiSubWindow *sub : m_pMdi->subWindowList())
        disconnect(sub, nullptr, this, nullptr);
    delete m_pMdi;
    SetShowContextHelp(m_bHelpPane);
}

QAction *CMainFrame::AddCommand(int id, int captionId, const QKeySequence &key, void (CMainFrame::*slot)())
{
    auto *a = new QAction(Caption(captionId), this);
    a->setProperty("ctrlId", id);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    if (slot)
        connect(a, &QAction::triggered, this, slot);
    m_actions.insert(id, a);
    addAction(a); // accelerators work whichever menu bar is shown
    return a;
}

void CMainFrame::CreateActions()
{
    AddCommand(cmd::FileNew, 350, QKeySequence(Qt::CTRL | Qt::Key_N), &CMainFrame::OnFileNew);
    AddCommand(cmd::FileOpen, 351, QKeySequence(Qt::CTRL | Qt::Key_O), &CMainFrame::OnFileOpen);
    AddCommand(cmd::FileClose, 352, {}, &CMainFrame::OnFileClose);
    AddCommand(cmd::FileSave, 353, QKeySequence(Qt::CTRL | Qt::Key_S), &CMainFrame::OnFileSave);
    AddCommand(cmd::FileSaveAs, 354, {}, &CMainFrame::OnFileSaveAs);
    AddCommand(cmd::FileImportCsv, msg::CsvImportMenu, {}, &CMainFrame::OnImportCsv);
    AddCommand(cmd::FileExportCsv, msg::CsvExportMenu, {}, &CMainFrame::OnExportCsv);
    // Ctrl+Q as on every desktop; the menu keeps the Alt mnemonic of "E&xit".
    AddCommand(cmd::AppExit, 355, QKeySequence(Qt::CTRL | Qt::Key_Q), nullptr);
    connect(m_actions.value(cmd::AppExit), &QAction::triggered, this, &QWidget::close);
    AddCommand(cmd::EditUndo, msg::UndoMenu, QKeySequence::Undo, &CMainFrame::OnEditUndo);
    AddCommand(cmd::EditRedo, msg::RedoMenu, QKeySequence(Qt::CTRL | Qt::Key_Y), &CMainFrame::OnEditRedo)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    AddCommand(cmd::EditAdd, 356, QKeySequence(Qt::CTRL | Qt::Key_A), &CMainFrame::OnEditAdd);
    AddCommand(cmd::EditCut, 357, QKeySequence(Qt::CTRL | Qt::Key_X), &CMainFrame::OnEditCut);
    AddCommand(cmd::EditCopy, 358, QKeySequence(Qt::CTRL | Qt::Key_C), &CMainFrame::OnEditCopy);
    AddCommand(cmd::EditPaste, 359, QKeySequence(Qt::CTRL | Qt::Key_V), &CMainFrame::OnEditPaste);
    AddCommand(cmd::EditDelete, 360, QKeySequence(Qt::Key_Delete), &CMainFrame::OnEditDelete);
    AddCommand(cmd::EditRename, 361, QKeySequence(Qt::Key_F2), &CMainFrame::OnEditRename);
    AddCommand(cmd::DealerInfo, 362, {}, &CMainFrame::OnDealerInfo);
    AddCommand(cmd::ViewToolbar, 363, {}, nullptr)->setCheckable(true);
    AddCommand(cmd::ViewStatusBar, 364, {}, nullptr)->setCheckable(true);
    AddCommand(cmd::ViewHelpPane, 399, {}, &CMainFrame::OnViewHelpPane)->setCheckable(true);
    AddCommand(cmd::DeviceRead, 365, QKeySequence(Qt::CTRL | Qt::Key_R), &CMainFrame::OnRadioRead);
    AddCommand(cmd::DeviceWrite, 366, QKeySequence(Qt::CTRL | Qt::Key_W), &CMainFrame::OnRadioWrite);
    AddCommand(cmd::DeviceReset, 367, QKeySequence(Qt::CTRL | Qt::Key_E), &CMainFrame::OnRadioReset);
    AddCommand(cmd::DeviceFactoryReset, 507, {}, &CMainFrame::OnRadioFactoryReset);
    AddCommand(cmd::DevicePortSettings, msg::PortSettingsMenu, {}, &CMainFrame::OnPortSettings);
    AddCommand(cmd::DeviceRestoreBackup, msg::RestoreBackupMenu, {}, &CMainFrame::OnRestoreBackup);
    AddCommand(cmd::DeviceProgramSeveral, msg::FleetMenu, {}, &CMainFrame::OnProgramSeveralRadios);
    AddCommand(cmd::Report, 347, {}, &CMainFrame::OnReport);
    AddCommand(cmd::WindowCascade, 370, {}, nullptr);
    AddCommand(cmd::WindowTile, 371, {}, nullptr);
    connect(m_actions.value(cmd::WindowCascade), &QAction::triggered, m_pMdi, &QMdiArea::cascadeSubWindows);
    connect(m_actions.value(cmd::WindowTile), &QAction::triggered, m_pMdi, &QMdiArea::tileSubWindows);
    AddCommand(cmd::HelpContents, 369, QKeySequence(Qt::Key_F1), &CMainFrame::OnHelpContents);
    AddCommand(cmd::AppAbout, 368, {}, &CMainFrame::OnAbout)
        ->setText(Caption(msg::MenuAbout) + QLatin1Char(' ') + QLatin1String(kProductTitle) + QStringLiteral("..."));
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto *a = new QAction(this);
        a->setProperty("ctrlId", cmd::FileMruFirst + i);
        connect(a, &QAction::triggered, this, [this, i] { OnRecentFile(i); });
        m_recentActions << a;
    }
    const QStringList supported = AppSettingDocuments().IsLoaded() ? AppSettingDocuments().GetSupportLanguages() : QStringList();
    const bool englishOnly = supported == QStringList{QStringLiteral("English")};
    for (const LanguageEntry &e : kLanguageEntries) {
        const QString key = QLatin1String(e.key);
        QString caption = key;
        if (!englishOnly && AppSettingDocuments().IsLoaded()) {
            const QString display = AppSettingDocuments().GetLanguageDisplayName(key).trimmed();
            if (!display.isEmpty())
                caption = display;
        }
        auto *a = new QAction(caption, this);
        a->setProperty("ctrlId", e.id);
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, key] { OnLanguage(key); });
        m_languageActions.insert(key, a);
        m_actions.insert(e.id, a);
    }
}

void CMainFrame::BuildMenus()
{
    if (m_bDestroying)
        return;
    const bool profile = !m_pMdi->subWindowList().isEmpty();
    if (m_bMenusBuilt && profile == m_bMenusForProfile)
        return;
    m_bMenusBuilt = true;
    m_bMenusForProfile = profile;
    QMenuBar *bar = menuBar();
    bar->clear();
    auto menu = [&](int captionId) {
        QMenu *m = bar->addMenu(Caption(captionId));
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
        return m;
    };
    auto add = [this](QMenu *m, int id) { m->addAction(m_actions.value(id)); };

    QMenu *file = menu(msg::MenuFile);
    add(file, cmd::FileNew);
    add(file, cmd::FileOpen);
    if (profile) {
        add(file, cmd::FileClose);
        add(file, cmd::FileSave);
        add(file, cmd::FileSaveAs);
        file->addSeparator();
        add(file, cmd::FileImportCsv);
        add(file, cmd::FileExportCsv);
    }
    file->addSeparator();
    for (QAction *a : m_recentActions)
        file->addAction(a);
    auto *placeholder = new QAction(Caption(msg::MenuRecentFile), file);
    placeholder->setEnabled(false);
    placeholder->setObjectName(QStringLiteral("recentPlaceholder"));
    file->addAction(placeholder);
    file->addSeparator();
    add(file, cmd::AppExit);

    QMenu *edit = menu(msg::MenuEdit);
    if (profile) {
        add(edit, cmd::EditUndo);
        add(edit, cmd::EditRedo);
        edit->addSeparator();
    }
    add(edit, cmd::EditAdd);
    add(edit, cmd::EditCut);
    add(edit, cmd::EditCopy);
    add(edit, cmd::EditPaste);
    add(edit, cmd::EditDelete);
    add(edit, cmd::EditRename);
    edit->addSeparator();
    add(edit, cmd::DealerInfo);
    // The Language popup: removed when the region lists English only,
    // otherwise pruned to the listed languages that this installation
    // ships a translation for (English, built in, always stays).
    const QStringList supported = AppSettingDocuments().IsLoaded() ? AppSettingDocuments().GetSupportLanguages() : QStringList();
    m_pLanguageMenu = nullptr;
    if (FindLanguage(supported, QStringLiteral("English")) != -1) {
        m_pLanguageMenu = edit->addMenu(Caption(msg::MenuLanguage));
        for (const LanguageEntry &e : kLanguageEntries) {
            const QString key = QLatin1String(e.key);
            if (key == QLatin1String("English") || (supported.contains(key) && IsLanguageShipped(key)))
                m_pLanguageMenu->addAction(m_languageActions.value(key));
        }
    }

    QMenu *view = menu(msg::MenuView);
    add(view, cmd::ViewToolbar);
    add(view, cmd::ViewStatusBar);
    if (profile)
        add(view, cmd::ViewHelpPane);

    // Device: Factory Reset is never shown; its command stays reachable.
    QMenu *device = menu(msg::MenuDevice);
    add(device, cmd::DeviceRead);
    add(device, cmd::DeviceWrite);
    add(device, cmd::DeviceProgramSeveral);
    add(device, cmd::DeviceReset);
    add(device, cmd::DeviceRestoreBackup);
    device->addSeparator();
    add(device, cmd::DevicePortSettings);

    if (profile) {
        bar->addAction(m_actions.value(cmd::Report)); // a plain command at position 4
        QMenu *window = menu(msg::MenuWindow);
        add(window, cmd::WindowCascade);
        add(window, cmd::WindowTile);
        connect(window, &QMenu::aboutToShow, this, [this, window] { FillWindowMenu(window); });
    }
    QMenu *help = menu(msg::MenuHelp);
    add(help, cmd::HelpContents);
    help->addSeparator();
    add(help, cmd::AppAbout);
    UpdateRecentFiles();
}

void CMainFrame::BuildToolBar()
{
    m_pToolBar = addToolBar(Caption(msg::MenuToolbar).remove(QLatin1Char('&')));
    m_pToolBar->setObjectName(QStringLiteral("toolbar128"));
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_pToolBar->setIconSize(QSize(16, 16));
    m_pToolBar->setMovable(true);
    const struct {
        int id;
        int textId;
    } buttons[] = {{cmd::FileNew, 249}, {cmd::FileOpen, 250}, {cmd::FileSave, 251}, {0, 0},
                   {cmd::EditAdd, 252}, {cmd::EditDelete, 253}, {0, 0}, {cmd::EditCut, 254},
                   {cmd::EditCopy, 255}, {cmd::EditPaste, 256}, {0, 0}, {cmd::DeviceRead, 257},
                   {cmd::DeviceWrite, 258}, {0, 0}, {cmd::Report, 259}, {cmd::AppAbout, 260}};
    for (const auto &b : buttons) {
        if (b.id == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        // The toolbar shows the short labels; the menus keep their captions.
        auto *a = new QAction(ToolIcon(b.id), LoadString(b.textId), m_pToolBar);
        a->setProperty("ctrlId", b.id);
        QAction *command = m_actions.value(b.id);
        connect(a, &QAction::triggered, command, &QAction::trigger);
        connect(command, &QAction::changed, a, [a, command] { a->setEnabled(command->isEnabled()); });
        m_pToolBar->addAction(a);
    }
    QAction *toggle = m_actions.value(cmd::ViewToolbar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, m_pToolBar, &QWidget::setVisible);
}

void CMainFrame::BuildStatusBar()
{
    QStatusBar *bar = statusBar();
    m_pMessagePane = new QLabel(LoadString(msg::StatusReady), bar);
    m_pCablePane = new QLabel(LoadString(msg::UsbCableNotConnected), bar);
    m_pCablePane->setObjectName(QStringLiteral("cablePane"));
    bar->addWidget(m_pMessagePane, 1);
    bar->addPermanentWidget(m_pCablePane);
    for (int indicator : {msg::IndicatorCaps, msg::IndicatorNum, msg::IndicatorScroll}) {
        auto *l = new QLabel(LoadString(indicator), bar);
        l->setEnabled(false);
        bar->addPermanentWidget(l);
    }
    QAction *toggle = m_actions.value(cmd::ViewStatusBar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
}

void CMainFrame::UpdateRecentFiles()
{
    const QStringList files = GetRecentFiles();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction *a = m_recentActions.at(i);
        const bool used = i < files.size();
        a->setVisible(used);
        if (used)
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files.at(i)).fileName()));
        a->setData(used ? files.at(i) : QString());
    }
    for (QAction *a : menuBar()->actions())
        if (QMenu *m = a->menu())
            if (QAction *placeholder = m->findChild<QAction *>(QStringLiteral("recentPlaceholder")))
                placeholder->setVisible(files.isEmpty());
}

CChildFrame *CMainFrame::ActiveChild() const
{
    if (m_bDestroying)
        return nullptr;
    QMdiSubWindow *sub = m_pMdi->activeSubWindow();
    if (!sub && !m_pMdi->subWindowList().isEmpty())
        sub = m_pMdi->subWindowList().last();
    return sub ? qobject_cast<CChildFrame *>(sub->widget()) : nullptr;
}

QList<CChildFrame *> CMainFrame::Children() const
{
    QList<CChildFrame *> list;
    for (QMdiSubWindow *sub : m_pMdi->subWindowList())
        if (auto *child = qobject_cast<CChildFrame *>(sub->widget()))
            list << child;
    return list;
}

void CMainFrame::UpdateCommandUI()
{
    if (m_bDestroying)
        return;
    CChildFrame *child = ActiveChild();
    const bool profile = child != nullptr;
    auto enable = [this](int id, bool on) {
        if (QAction *a = m_actions.value(id))
            a->setEnabled(on);
    };
    enable(cmd::FileClose, profile);
    enable(cmd::FileSave, profile);
    enable(cmd::FileSaveAs, profile);
    enable(cmd::FileImportCsv, profile);
    enable(cmd::FileExportCsv, profile);
    enable(cmd::Report, profile);
    enable(cmd::WindowCascade, profile);
    enable(cmd::WindowTile, profile);
    // Read, Write, Reset and Factory Reset follow the cable watch.
    enable(cmd::DeviceRead, m_bReadFlag);
    enable(cmd::DeviceWrite, m_bReadFlag && profile);
    enable(cmd::DeviceReset, m_bReadFlag);
    enable(cmd::DeviceFactoryReset, m_bReadFlag);
    enable(cmd::DeviceRestoreBackup, m_bReadFlag);
    // Several radios: the run waits for the cable itself.
    enable(cmd::DeviceProgramSeveral, profile && !RadioBusy());

    const EditField edit = FocusedEdit();
    const bool usable = edit && !edit.isPassword();
    enable(cmd::EditCopy, usable && edit.hasSelection());
    enable(cmd::EditCut, usable && edit.hasSelection() && !edit.readOnly());
    enable(cmd::EditPaste, usable && !edit.readOnly() && !QApplication::clipboard()->text().isEmpty());
    const bool editDelete = edit && !edit.readOnly() && edit.hasSelection();
    enable(cmd::EditDelete, editDelete || (profile && CTavoCPSTreeView::s_bDelete));
    enable(cmd::EditAdd, profile && CTavoCPSTreeView::s_bAdd);
    enable(cmd::EditRename, profile && CTavoCPSTreeView::s_bRename);
    // Undo and Redo name the change they take back or bring again.
    CTavoCPSDoc *doc = child ? child->Document() : nullptr;
    const bool refused = child && child->Page() && child->Page()->HoldsRefused();
    enable(cmd::EditUndo, doc && (doc->CanUndo() || refused));
    enable(cmd::EditRedo, doc && doc->CanRedo());
    m_actions.value(cmd::EditUndo)->setText(doc && !refused ? doc->UndoText() : Caption(msg::UndoMenu));
    m_actions.value(cmd::EditRedo)->setText(doc ? doc->RedoText() : Caption(msg::RedoMenu));

    QAction *helpPane = m_actions.value(cmd::ViewHelpPane);
    helpPane->setEnabled(profile);
    helpPane->setChecked(child ? child->IsHelpPaneShown() : m_bHelpPane);
    for (auto it = m_languageActions.cbegin(); it != m_languageActions.cend(); ++it)
        it.value()->setChecked(it.key() == m_strCurrentLanguage);
}

bool CMainFrame::RunCommand(int id)
{
    UpdateCommandUI();
    QAction *a = m_actions.value(id);
    if (!a || !a->isEnabled())
        return false;
    a->trigger();
    return true;
}

// ---- files

CChildFrame *CMainFrame::AddChild(CTavoCPSDoc *doc)
{
    auto *child = new CChildFrame(doc, m_bHelpPane);
    QMdiSubWindow *sub = m_pMdi->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(CTavoCPSTreeView::TreeImage(0));
    PrepareSubWindow(sub);
    connect(child, &CChildFrame::helpPaneToggled, this, [this](bool shown) {
        m_bHelpPane = shown;
        SetShowContextHelp(shown);
        UpdateCommandUI();
    });
    connect(child->Tree(), &CTavoCPSTreeView::flagsChanged, this, &CMainFrame::UpdateCommandUI);
    // Once the change is done (an edit does not wait for the menus).
    connect(doc, &CTavoCPSDoc::undoStateChanged, this, &CMainFrame::UpdateCommandUI, Qt::QueuedConnection);
    connect(sub, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, [this] {
            BuildMenus();
            UpdateCommandUI();
        });
    });
    connect(doc, &CTavoCPSDoc::modifiedChanged, this, [this] { UpdateMainTitle(); });
    connect(doc, &CTavoCPSDoc::pathChanged, this, [this](const QString &path) {
        UpdateMainTitle();
        AddRecentFile(path);
        UpdateRecentFiles();
    });
    child->UpdateTitle();
    sub->showMaximized();
    m_pMdi->setActiveSubWindow(sub);
    BuildMenus();
    UpdateCommandUI();
    return child;
}

namespace {
// Why the system cannot take `path` as a profile file, before anything
// reads it: a missing file, a folder, anything but a regular file (a FIFO
// or a device would block or never end), no permission, or more than the
// largest profile file. Empty when it may be read. Opened without
// blocking and then looked at, so a FIFO put in its place meanwhile cannot
// hold the program either.
struct OpenErrorText {
    int error;
    int textId;
};
constexpr OpenErrorText kOpenErrors[] = {
    {ENOENT, msg::ProfileNotFound},
    {ENOTDIR, msg::ProfileNotFound},
    {EACCES, msg::ProfilePermissionDenied},
    {EPERM, msg::ProfilePermissionDenied},
};

QString ProfileFileProblem(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        for (const OpenErrorText &e : kOpenErrors)
            if (e.error == error)
                return LoadString(e.textId);
        return QString::fromLocal8Bit(std::strerror(error)) + QLatin1Char('.');
    }
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    ::close(fd);
    if (!known)
        return QString::fromLocal8Bit(std::strerror(errno)) + QLatin1Char('.');
    if (S_ISDIR(st.st_mode))
        return LoadString(msg::ProfileIsFolder);
    if (!S_ISREG(st.st_mode))
        return LoadString(msg::ProfileNotRegular);
    if (st.st_size > kMaxTextFileBytes)
        return LoadString(msg::ProfileTooLarge).arg(kMaxTextFileBytes);
    return QString();
}
} // namespace

CChildFrame *CMainFrame::OpenDocumentFile(const QString &path)
{
    const QString problem = ProfileFileProblem(path);
    if (!problem.isEmpty()) {
        ShowMessageText(LoadString(msg::ProfileCannotOpen).arg(QDir::toNativeSeparators(path), problem), MB_OK | MB_ICONERROR);
        return nullptr;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CChildFrame *child : Children())
        if (child->Document()->GetPathName() == absolute) {
            m_pMdi->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(child->parentWidget()));
            return child;
        }
    // Read and loaded once, then checked before a window shows it.
    auto *doc = new CTavoCPSDoc(GuiDocumentHost());
    if (!doc->OnOpenDocument(path) || !CheckLoadedProfile(doc->Root())) {
        delete doc;
        return nullptr;
    }
    CChildFrame *child = AddChild(doc);
    AddRecentFile(absolute);
    UpdateRecentFiles();
    return child;
}

CChildFrame *CMainFrame::NewDocumentFromTemplate(const QString &templatePath)
{
    auto *doc = new CTavoCPSDoc(GuiDocumentHost());
    if (!doc->OnNewDocument(templatePath) || !CheckLoadedProfile(doc->Root())) {
        delete doc;
        return nullptr;
    }
    return AddChild(doc);
}

void CMainFrame::OnFileNew()
{
    CNewProfileDlg dialog(this);
    const QString path = dialog.Choose();
    if (!path.isEmpty())
        NewDocumentFromTemplate(path);
}

void CMainFrame::OnFileOpen()
{
    const QString path = CFileDialogs::GetOpenProfileName(this);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CMainFrame::OnFileClose()
{
    if (QMdiSubWindow *sub = m_pMdi->activeSubWindow())
        sub->close();
}

void CMainFrame::OnFileSave()
{
    if (CChildFrame *child = ActiveChild())
        if (child->Tree()->CommitPendingEdit())
            child->Document()->DoSave(child->Document()->GetPathName());
}

void CMainFrame::OnFileSaveAs()
{
    if (CChildFrame *child = ActiveChild())
        child->Document()->DoSave(QString());
}

void CMainFrame::OnRecentFile(int index)
{
    const QStringList files = GetRecentFiles();
    if (index < 0 || index >= files.size() || files.at(index).isEmpty())
        return;
    // The guarded open names a file that cannot be read, and why (opening
    // it here first would hang on a FIFO put in its place).
    const QString path = files.at(index);
    if (!OpenDocumentFile(path)) {
        RemoveRecentFile(path);
        UpdateRecentFiles();
    }
}

// ---- edit

void CMainFrame::OnEditUndo()
{
    CChildFrame *child = ActiveChild();
    // A field still holding a refused value gets the stored one back
    // first; a pending edit of the page is a change of its own: committed
    // first, then undone with the rest.
    if (child && child->Page() && child->Page()->RevertRefused()) {
        UpdateCommandUI();
        return;
    }
    if (child && child->CommitChanges())
        child->Document()->Undo();
    UpdateCommandUI();
}

void CMainFrame::OnEditRedo()
{
    CChildFrame *child = ActiveChild();
    if (child && child->CommitChanges())
        child->Document()->Redo();
    UpdateCommandUI();
}

void CMainFrame::OnEditAdd()
{
    if (CChildFrame *child = ActiveChild())
        child->Tree()->OnAdd();
}

void CMainFrame::OnEditDelete()
{
    const EditField edit = FocusedEdit();
    if (edit && !edit.readOnly() && edit.hasSelection()) {
        if (edit.line)
            edit.line->del();
        else if (edit.plain)
            edit.plain->textCursor().removeSelectedText();
        else if (edit.rich)
            edit.rich->textCursor().removeSelectedText();
        return;
    }
    if (CChildFrame *child = ActiveChild())
        child->Tree()->OnDelete();
}

void CMainFrame::OnEditRename()
{
    if (CChildFrame *child = ActiveChild())
        child->Tree()->OnRename();
}

void CMainFrame::OnEditCut()
{
    const EditField e = FocusedEdit();
    if (e.isPassword())
        return;
    if (e.line) e.line->cut();
    else if (e.plain) e.plain->cut();
    else if (e.rich) e.rich->cut();
}

void CMainFrame::OnEditCopy()
{
    const EditField e = FocusedEdit();
    if (e.isPassword())
        return;
    if (e.line) e.line->copy();
    else if (e.plain) e.plain->copy();
    else if (e.rich) e.rich->copy();
}

void CMainFrame::OnEditPaste()
{
    const EditField e = FocusedEdit();
    if (e.isPassword())
        return;
    if (e.line) e.line->paste();
    else if (e.plain) e.plain->paste();
    else if (e.rich) e.rich->paste();
}

void CMainFrame::OnDealerInfo() { RunDealerInfoCommand(this); }

void CMainFrame::OnLanguage(const QString &key)
{
    ChangeCurrentLanguage(key);
    m_strCurrentLanguage = key;
    UpdateCommandUI();
}

// ---- view and help

void CMainFrame::OnViewHelpPane()
{
    if (CChildFrame *child = ActiveChild())
        child->SetHelpPane(!child->IsHelpPaneShown());
    UpdateCommandUI();
}

void CMainFrame::OnHelpContents()
{
    OpenHelpTopic(this, QString());
}

void CMainFrame::OnAbout()
{
    QString version;
    if (AppSettingDocuments().IsLoaded())
        version = AppSettingDocuments().GetProductVersion();
    CAboutDialog dialog(version, this);
    dialog.exec();
}

// ---- reports

void CMainFrame::OnReport()
{
    CChildFrame *child = ActiveChild();
    if (!child || !child->CommitChanges())
        return;
    try {
        CReportOptionDlg::RunReportCommand(child->Document()->Model(), this);
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e, msg::FilesNotAvailable);
    }
    UpdateCommandUI();
}

void CMainFrame::RunReport(bool handout)
{
    CChildFrame *child = ActiveChild();
    if (!child || !child->CommitChanges())
        return;
    ReportOutput report;
    if (MakeReport(handout ? ReportKind::Handout : ReportKind::Detailed, child->Document()->Model().GetEffectiveXmlText(), report))
        ShowReportWindow(report, this);
    UpdateCommandUI();
}

void CMainFrame::OnReportHandout() { RunReport(true); }
void CMainFrame::OnReportDetailed() { RunReport(false); }

// ---- window events

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    // A text field takes Undo and Redo keys for its own typing, even when
    // it has none: then the keys go to the profile's Undo and Redo (Edit
    // menu), wherever in this window the field is.
    if (event->type() == QEvent::ShortcutOverride && !m_bDestroying) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        const auto bound = [&](int id) {
            QAction *a = m_actions.value(id);
            return a && a->shortcuts().contains(pressed);
        };
        const bool undo = bound(cmd::EditUndo), redo = !undo && bound(cmd::EditRedo);
        auto *widget = qobject_cast<QWidget *>(watched);
        if ((undo || redo) && widget && widget == QApplication::focusWidget() && isAncestorOf(widget)) {
            bool own = true;
            if (auto *line = qobject_cast<QLineEdit *>(widget))
                own = undo ? line->isUndoAvailable() : line->isRedoAvailable();
            else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
                own = undo ? plain->document()->isUndoAvailable() : plain->document()->isRedoAvailable();
            if (!own) {
                event->ignore();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    // A transfer in progress keeps the program open: its worker uses the
    // frame's radio objects until it ends.
    if (RadioBusy()) {
        ShowMessage(msg::TransferStillRunning, MB_OK | MB_ICONWARNING);
        event->ignore();
        return;
    }
    // Each modified profile is asked about; Cancel keeps the program open.
    for (QMdiSubWindow *sub : m_pMdi->subWindowList())
        if (!sub->close()) {
            event->ignore();
            return;
        }
    SetShowContextHelp(m_bHelpPane);
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        for (const QUrl &url : event->mimeData()->urls())
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            OpenDocumentFile(url.toLocalFile());
    event->acceptProposedAction();
}

} // namespace tavo
