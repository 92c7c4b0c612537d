#include "app/CTavoCPSApp.h"

#include "app/CRadioSettings.h"

#include "app/GuiMessageSink.h"
#include "app/CMainFrame.h"
#include "app/DesktopIdentity.h"
#include "app/ShellDialogs.h"
#include "views/CFileDialogs.h"
#include "base/TemplateFile.h"
#include "config/SettingDocuments.h"
#include "config/InterfaceLanguage.h"
#include "config/Registry.h"
#include "profile/CRadioDataModel.h"
#include "profile/ScriptHost.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QScreen>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tavo {

namespace {

constexpr const char *kEditionName = "Tavo EMEA CPS";

// The rule engine can be created, and the rule file, when present, loads.
bool CheckRuleEngine()
{
    ScriptHost host;
    if (!host.valid())
        return false;
    QString text;
    if (!QFileInfo::exists(RuleFilePath()))
        return true; // a missing file is the installation check's to report
    if (!LoadTemplateFile(RuleFilePath(), text))
        return false;
    return host.Start(text) == ScriptHost::StartResult::Ok;
}

} // namespace

CTavoCPSApp::CTavoCPSApp(QObject *parent) : QObject(parent)
{
    m_strInstallDir = QCoreApplication::applicationDirPath();
}

CTavoCPSApp::~CTavoCPSApp() { ExitInstance(); }

CMainFrame *CTavoCPSApp::MainFrame() const { return m_pMainFrame; }

bool CTavoCPSApp::InitInstance(const Options &options)
{
    // 1-2: the framework and its platform services are Qt's own.
    QCoreApplication::setApplicationName(QLatin1String(kProductTitle));

    // 3: the rule engine.
    if (!CheckRuleEngine()) {
        ShowMessageText(LoadString(381).replace(QLatin1String("%s"), QLatin1String(kProductTitle)),
                        MB_OK | MB_ICONERROR);
        return false;
    }
    // 5: the registry (130 shown by the check).
    if (!InitRegistry())
        return false;
    // 6: the four setting documents (the loader shows the failure).
    SettingDocuments &docs = AppSettingDocuments();
    if (!docs.LoadAll())
        return false;
    // 7: the rule file and the schema.
    if (!QFileInfo::exists(RuleFilePath()) || !QFileInfo::exists(SchemaFilePath())) {
        ShowMessage(315, MB_OK | MB_ICONERROR);
        return false;
    }
    // 8-10: the edition, the sub-regions and the region maps.
    if (!docs.InitRegionData(QLatin1String(kEditionName)))
        return false;
    m_strRegionName = docs.m_strRegionName;
    m_listSubRegions = docs.m_listSubRegions;
    // 11: the language (325 and English when its file is missing).
    m_strLanguage = LoadInterfaceLanguage();
    m_strDecimalSeparator = GetDecimalSeparator();
    // 12-14: the main window, its menus, toolbar and recent files.
    m_pMainFrame = new CMainFrame;
    m_pMainFrame->setAttribute(Qt::WA_DeleteOnClose);
    // 15: a profile named on the command line opens through the guarded
    // open; a plain start opens nothing.
    if (!options.profilePath.isEmpty() && !m_pMainFrame->OpenDocumentFile(options.profilePath)) {
        delete m_pMainFrame;
        return false;
    }
    // 18: the splash, then the main window maximised.
    m_bExitWhenShown = options.exitWhenShown;
    if (m_bExitWhenShown)
        m_pMainFrame->installEventFilter(this);
    if (options.showMainWindow) {
        if (options.splash) {
            auto *splash = new SplashWnd(kSplashMs);
            splash->show();
            QTimer::singleShot(kSplashMs, this, &CTavoCPSApp::ShowMainWindow);
        } else {
            ShowMainWindow();
        }
    }
    return true;
}

void CTavoCPSApp::ShowMainWindow()
{
    if (!m_pMainFrame)
        return;
    // Maximised; without a window manager the size is set by hand.
    if (QScreen *screen = m_pMainFrame->screen())
        m_pMainFrame->setGeometry(screen->availableGeometry());
    m_pMainFrame->showMaximized();
    m_pMainFrame->raise();
    m_pMainFrame->activateWindow();
}

bool CTavoCPSApp::eventFilter(QObject *watched, QEvent *event)
{
    // The first paint of the main window ends a start-up measurement.
    if (m_bExitWhenShown && watched == m_pMainFrame && event->type() == QEvent::Paint) {
        m_bExitWhenShown = false;
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
}

void CTavoCPSApp::ExitInstance()
{
    if (m_pServer) {
        m_pServer->close();
        m_pServer = nullptr;
    }
    delete m_pMainFrame;
    UnloadInterfaceLanguage();
}

CTavoCPSApp::Options CTavoCPSApp::ParseCommandLine(const QStringList &arguments)
{
    Options o;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--no-splash"))
            o.splash = false;
        else if (a == QLatin1String("--exit-when-shown"))
            o.exitWhenShown = true;
        else if (a == QLatin1String("--install-dir") && i + 1 < arguments.size())
            SetInstallPathOverride(arguments.at(++i));
        else if (a == QLatin1String("--port") && i + 1 < arguments.size())
            SetPortOverride(arguments.at(++i));
        else if (!a.startsWith(QLatin1String("--")))
            o.profilePath = a;
    }
    return o;
}

namespace {
// The options ParseCommandLine takes, for the usage text.
constexpr struct {
    const char *option;
    const char *text;
} kGuiOptions[] = {
    {"--install-dir DIR", "use the installation in DIR instead of the installed one"},
    {"--port DEV", "talk to the radio on the serial device DEV instead of searching for the cable"},
    {"--no-splash", "start without the splash screen"},
    {"--exit-when-shown", "print \"shown\" and quit once the main window is shown (start-up timing)"},
    {"--help, -h", "print this text and exit"},
    {"--version", "print the program's name and version and exit"},
};
constexpr const char kGuiProgram[] = "tavocps";
} // namespace

int CTavoCPSApp::AnswerHelpAndVersion(int argc, char **argv, const char *version)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--version") {
            std::printf("%s %s\n", kGuiProgram, version);
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            std::printf("usage: %s [OPTION ...] [PROFILE]\n\noptions:\n", kGuiProgram);
            for (const auto &o : kGuiOptions)
                std::printf("  %-18s %s\n", o.option, o.text);
            errno = 0;
            if (std::fflush(stdout) == 0 && !std::ferror(stdout))
                return 0;
            std::fprintf(stderr, "%s: cannot write to the standard output: %s\n", kGuiProgram,
                         std::strerror(errno != 0 ? errno : EIO));
            return 1;
        }
        if (arg == "--install-dir" || arg == "--port")
            ++i; // a value, not an option
    }
    return -1;
}

namespace {
ContextValue<QString> &ServerNameOverride()
{
    static ContextValue<QString> value;
    return value;
}
} // namespace

void CTavoCPSApp::SetInstanceServerName(const QString &name) { ServerNameOverride().Set(name); }

QString CTavoCPSApp::InstanceServerName()
{
    if (!ServerNameOverride().Get().isEmpty())
        return ServerNameOverride().Get();
    const QString user = qEnvironmentVariable("USER", QStringLiteral("user"));
    return QStringLiteral("TavoCPS-%1").arg(user);
}

bool CTavoCPSApp::HandToRunningInstance(const QString &path)
{
    QLocalSocket socket;
    socket.connectToServer(InstanceServerName());
    if (!socket.waitForConnected(500))
        return false;
    socket.write(QFileInfo(path).absoluteFilePath().toUtf8() + '\n');
    socket.flush();
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

void CTavoCPSApp::ListenForOtherInstances()
{
    {
        // Another instance already listening keeps the name.
        QLocalSocket probe;
        probe.connectToServer(InstanceServerName());
        if (probe.waitForConnected(200))
            return;
    }
    m_pServer = new QLocalServer(this);
    QLocalServer::removeServer(InstanceServerName()); // a crashed instance's leftover
    if (!m_pServer->listen(InstanceServerName()))
        return;
    connect(m_pServer, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_pServer->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                while (socket->canReadLine()) {
                    const QString path = QString::fromUtf8(socket->readLine()).trimmed();
                    if (!path.isEmpty() && m_pMainFrame && m_pMainFrame->isEnabled())
                        m_pMainFrame->OpenDocumentFile(path);
                }
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

int CTavoCPSApp::Main(int argc, char **argv)
{
    QApplication qtApp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationName(QLatin1String(kProductTitle));
    SetUpDesktopIdentity();
    GuiMessageSink sink;
    SetMessageSink(&sink);
    const Options options = ParseCommandLine(QApplication::arguments());
    // A later launch with a file hands it to the running instance.
    if (!options.profilePath.isEmpty() && HandToRunningInstance(options.profilePath)) {
        SetMessageSink(nullptr);
        return 0;
    }
    int rc = 1;
    {
        CTavoCPSApp app;
        if (app.InitInstance(options)) {
            app.ListenForOtherInstances();
            QApplication::setQuitOnLastWindowClosed(true);
            rc = QApplication::exec();
        }
    }
    SetMessageSink(nullptr);
    return rc;
}

} // namespace tavo
