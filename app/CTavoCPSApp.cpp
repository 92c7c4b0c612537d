#include "app/CTavoCPSApp.h"

#include "app/CRadioSettings.h"

#include "app/GuiMessageSink.h"
#include "app/CMainFrame.h"
#include "app/DesktopIdentity.h"
#include "app/ShellDialogs.h"
#include "views/CFileDialogs.h"
#include "base/PrivateFolder.h"
#include "base/TemplateFile.h"
#include "config/SettingDocuments.h"
#include "config/InterfaceLanguage.h"
#include "config/Registry.h"
#include "profile/CRadioDataModel.h"
#include "profile/ScriptHost.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QScreen>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

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
        ShowMessageText(LoadString(msg::ScriptEngineMissing).replace(QLatin1String("%s"), QLatin1String(kProductTitle)),
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
        ShowMessage(msg::FilesNotAvailable, MB_OK | MB_ICONERROR);
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
    // 15: each profile named on the command line opens, in order, through
    // the guarded open; one that cannot is named with its reason and the
    // program starts as a plain start would. A plain start opens nothing.
    for (const QString &path : options.profilePaths)
        m_pMainFrame->OpenDocumentFile(path);
    // 18: the splash, then the main window maximised.
    m_bExitWhenShown = options.exitWhenShown;
    if (m_bExitWhenShown)
        m_pMainFrame->installEventFilter(this);
    if (options.showMainWindow) {
        if (options.splash) {
            auto *splash = new CSplashWindow(kSplashMs);
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
    if (m_pListenRetry)
        m_pListenRetry->stop();
    if (m_pWaitingTimer)
        m_pWaitingTimer->stop();
    m_waitingFiles.clear();
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
        if (a == QLatin1String("--")) {
            o.profilePaths << arguments.mid(i + 1);
            break;
        }
        if (a == QLatin1String("--no-splash"))
            o.splash = false;
        else if (a == QLatin1String("--exit-when-shown"))
            o.exitWhenShown = true;
        else if (a == QLatin1String("--install-dir") && i + 1 < arguments.size())
            SetInstallPathOverride(arguments.at(++i));
        else if (a == QLatin1String("--port") && i + 1 < arguments.size())
            SetPortOverride(arguments.at(++i));
        else if (!a.startsWith(QLatin1String("--")))
            o.profilePaths << a;
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

void PrintGuiUsage(std::FILE *out)
{
    std::fprintf(out, "usage: %s [OPTION ...] [--] [PROFILE]\n\noptions:\n", kGuiProgram);
    for (const auto &o : kGuiOptions)
        std::fprintf(out, "  %-18s %s\n", o.option, o.text);
}

// The program's own options and the toolkit's (-platform offscreen,
// -style NAME, also written with two dashes); `i` steps over a value.
bool IsGuiOption(const QByteArray &arg, int &i, int argc)
{
    if (arg == "--no-splash" || arg == "--exit-when-shown")
        return true;
    static const char *const kToolkitWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                                    "qwindowgeometry", "geometry", "qwindowtitle", "title",
                                                    "qwindowicon", "icon", "session", "style", "stylesheet",
                                                    "display", "name", "im", "qmljsdebugger"};
    static const char *const kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "noxim", "testability"};
    QByteArray name = arg.mid(arg.startsWith("--") ? 2 : 1);
    const int equals = name.indexOf('=');
    const bool inlineValue = equals >= 0;
    if (inlineValue)
        name.truncate(equals);
    for (const char *o : kToolkitWithValue)
        if (name == o) {
            if (!inlineValue && i + 1 < argc)
                ++i;
            return true;
        }
    for (const char *o : kToolkitFlags)
        if (name == o && !inlineValue)
            return true;
    return false;
}
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
            PrintGuiUsage(stdout);
            errno = 0;
            if (std::fflush(stdout) == 0 && !std::ferror(stdout))
                return 0;
            std::fprintf(stderr, "%s: cannot write to the standard output: %s\n", kGuiProgram,
                         std::strerror(errno != 0 ? errno : EIO));
            return 1;
        }
        if (arg == "--")
            break; // every argument after it is a profile
        if (arg == "--install-dir" || arg == "--port") {
            ++i; // a value, not an option
            continue;
        }
        if (arg.startsWith('-') && arg != "-" && !IsGuiOption(arg, i, argc)) {
            std::fprintf(stderr, "%s: unknown option %s\n", kGuiProgram, arg.constData());
            PrintGuiUsage(stderr);
            return 2;
        }
    }
    return -1;
}

namespace {
ContextValue<QString> &ServerNameOverride()
{
    static ContextValue<QString> value;
    return value;
}

// Where this start shows its windows, fit for a file name: the first of
// these that is set, behind its letter.
struct DisplayVariable {
    const char *name;
    char tag;
};
constexpr DisplayVariable kDisplayVariables[] = {
    {"WAYLAND_DISPLAY", 'w'},
    {"DISPLAY", 'x'},
    {"XDG_SESSION_ID", 's'},
};

QString DisplayTag()
{
    for (const DisplayVariable &v : kDisplayVariables) {
        QString value = qEnvironmentVariable(v.name);
        if (value.isEmpty())
            continue;
        for (QChar &c : value)
            if (!c.isLetterOrNumber() && c != QLatin1Char('.'))
                c = QLatin1Char('_');
        return QLatin1Char(v.tag) + value;
    }
    return QStringLiteral("none");
}

// The peer of a hand-over connection runs as this user.
bool PeerIsThisUser(qintptr descriptor)
{
    struct ucred cred {};
    socklen_t size = sizeof cred;
    return descriptor >= 0 && ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0
        && size == sizeof cred && cred.uid == ::getuid();
}

// A request is one absolute path a line and ends with an empty line (or
// with the end of the connection).
constexpr char kRequestEnd[] = "\n\n";

// How often a copy that does not take hand-overs asks again, and how often
// waiting files look for the end of a modal dialog.
constexpr int kListenRetryMs = 2000;
constexpr int kWaitingFilesMs = 200;
} // namespace

QByteArray CTavoCPSApp::HandOverRequest(const QStringList &absolutePaths)
{
    QByteArray request;
    for (const QString &path : absolutePaths)
        request += path.toUtf8().toPercentEncoding("/") + '\n';
    return request + '\n';
}

QStringList CTavoCPSApp::HandOverPaths(const QByteArray &request)
{
    QStringList paths;
    for (const QByteArray &line : request.split('\n'))
        if (!line.isEmpty())
            paths << QString::fromUtf8(QByteArray::fromPercentEncoding(line));
    return paths;
}

void CTavoCPSApp::SetInstanceServerName(const QString &name) { ServerNameOverride().Set(name); }

QString CTavoCPSApp::InstanceServerName()
{
    if (!ServerNameOverride().Get().isEmpty())
        return ServerNameOverride().Get();
    const QString folder = PrivateRuntimeFolder();
    if (folder.isEmpty())
        return QString();
    return QStringLiteral("%1/tavocps-%2-%3").arg(folder).arg(::getuid()).arg(DisplayTag());
}

bool CTavoCPSApp::HandToRunningInstance(const QStringList &paths)
{
    const QString name = InstanceServerName();
    if (name.isEmpty() || paths.isEmpty())
        return false;
    // As many requests as the size limit asks for, each on its connection.
    QList<QByteArray> requests{QByteArray()};
    for (const QString &path : paths) {
        QByteArray line = HandOverRequest({QFileInfo(path).absoluteFilePath()});
        line.chop(1); // the request's end comes once
        if (requests.last().size() + line.size() + 1 > kMaxHandOverBytes)
            requests << QByteArray();
        requests.last() += line;
    }
    for (QByteArray &request : requests) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(500))
            return &request != &requests.first(); // nobody listens: this start runs itself
        request += '\n';
        socket.write(request);
        socket.waitForBytesWritten(1000);
        // The running instance closes the connection once it has the whole
        // request.
        if (socket.state() != QLocalSocket::UnconnectedState)
            socket.waitForDisconnected(2000);
    }
    return true;
}

void CTavoCPSApp::ListenForOtherInstances()
{
    if (InstanceServerName().isEmpty()) {
        // Said once, at the start: the hand-over stays off rather than
        // listen where another user could reach it.
        QStringList passedOver;
        if (ServerNameOverride().Get().isEmpty() && PrivateRuntimeFolder(&passedOver).isEmpty()) {
            QString text = LoadString(msg::HandOverNoPrivateFolder);
            text.replace(QLatin1String("%1"), passedOver.isEmpty() ? QDir::tempPath() : passedOver.join(QStringLiteral(", ")));
            ShowMessageText(text, MB_OK | MB_ICONWARNING);
        }
        return;
    }
    if (TryListen())
        return;
    // Another copy has the name: this one takes over once that one ends.
    if (!m_pListenRetry) {
        m_pListenRetry = new QTimer(this);
        m_pListenRetry->setInterval(kListenRetryMs);
        connect(m_pListenRetry, &QTimer::timeout, this, [this] {
            if (TryListen())
                m_pListenRetry->stop();
        });
    }
    m_pListenRetry->start();
}

bool CTavoCPSApp::IsListening() const { return m_pServer && m_pServer->isListening(); }

bool CTavoCPSApp::TryListen()
{
    const QString name = InstanceServerName();
    if (name.isEmpty() || IsListening())
        return IsListening();
    {
        // Another instance already listening keeps the name.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(200))
            return false;
    }
    if (!m_pServer) {
        m_pServer = new QLocalServer(this);
        m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_pServer, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *socket = m_pServer->nextPendingConnection())
                AcceptHandOver(socket);
        });
    }
    QLocalServer::removeServer(name); // a crashed or ended instance's leftover
    return m_pServer->listen(name);
}

void CTavoCPSApp::AcceptHandOver(QLocalSocket *socket)
{
    if (!PeerIsThisUser(socket->socketDescriptor())) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    socket->setReadBufferSize(kMaxHandOverBytes + 1);
    auto request = std::make_shared<QByteArray>();
    auto ended = std::make_shared<bool>(false);
    auto *timer = new QTimer(socket);
    timer->setSingleShot(true);
    // Once the request is whole (or refused) the connection is closed and
    // left; only then, from the event loop, are the files opened, so no
    // message box runs while the connection is still in use.
    auto end = [this, socket, request, ended](bool complete) {
        if (*ended)
            return;
        *ended = true;
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
        if (!complete)
            return;
        const QStringList paths = HandOverPaths(*request);
        QTimer::singleShot(0, this, [this, paths] { OpenHandedOverFiles(paths); });
    };
    auto take = [socket, request, end] {
        request->append(socket->read(kMaxHandOverBytes + 1 - request->size()));
        if (request->size() > kMaxHandOverBytes)
            end(false);
        else if (request->endsWith(kRequestEnd) || *request == "\n")
            end(true);
    };
    connect(socket, &QLocalSocket::readyRead, this, take);
    connect(socket, &QLocalSocket::disconnected, this, [take, end] {
        take();
        end(true);
    });
    connect(timer, &QTimer::timeout, this, [end] { end(false); });
    timer->start(kHandOverTimeoutMs);
    take(); // what came with the connection
}

void CTavoCPSApp::OpenHandedOverFiles(const QStringList &paths)
{
    m_waitingFiles += paths;
    OpenWaitingFiles();
}

void CTavoCPSApp::OpenWaitingFiles()
{
    // A modal dialog (a transfer, a question, a file dialog) holds the
    // program: the files wait until it has closed, so that its answer
    // still acts on what it asked about.
    if (m_pMainFrame && !m_waitingFiles.isEmpty()
        && (QApplication::activeModalWidget() || QApplication::activePopupWidget() || !m_pMainFrame->isEnabled())) {
        if (!m_pWaitingTimer) {
            m_pWaitingTimer = new QTimer(this);
            m_pWaitingTimer->setSingleShot(true);
            m_pWaitingTimer->setInterval(kWaitingFilesMs);
            connect(m_pWaitingTimer, &QTimer::timeout, this, &CTavoCPSApp::OpenWaitingFiles);
        }
        m_pWaitingTimer->start();
        return;
    }
    const QStringList paths = std::exchange(m_waitingFiles, QStringList());
    bool opened = false;
    for (const QString &path : paths) {
        // A message box of an earlier file may have closed the program.
        if (!m_pMainFrame)
            return;
        m_pMainFrame->OpenDocumentFile(path);
        opened = true;
    }
    if (m_pMainFrame && opened) {
        m_pMainFrame->raise();
        m_pMainFrame->activateWindow();
    }
}

bool CTavoCPSApp::DisplayAvailable()
{
    // A platform named on purpose (offscreen, a VNC server) needs no
    // display variable; the desktop ones do.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM").split(';').value(0).split(':').value(0);
    if (!platform.isEmpty() && platform != "xcb" && !platform.startsWith("wayland"))
        return true;
    if (platform == "xcb")
        return !qEnvironmentVariableIsEmpty("DISPLAY");
    if (platform.startsWith("wayland"))
        return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

namespace {

QtMessageHandler g_previousHandler = nullptr;

// While the windowing library starts: a display that is named but cannot be
// reached ends the start with the library's fatal message and an abort; say
// that no display was found and end with 1 instead. Other messages pass on.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        ShowMessage(msg::NoDisplay, MB_OK | MB_ICONERROR);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (g_previousHandler)
        g_previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

int CTavoCPSApp::Main(int argc, char **argv)
{
    // Without a display the windowing library would end the program with
    // an abort; say what is missing instead.
    if (!DisplayAvailable()) {
        ShowMessage(msg::NoDisplay, MB_OK | MB_ICONERROR);
        return 1;
    }
    g_previousHandler = qInstallMessageHandler(StartupMessageHandler);
    QApplication qtApp(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    QApplication::setOrganizationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationName(QLatin1String(kProductTitle));
    SetUpDesktopIdentity();
    GuiMessageSink sink;
    SetMessageSink(&sink);
    const Options options = ParseCommandLine(QApplication::arguments());
    // A later launch with a file hands it to the running instance.
    if (!options.profilePaths.isEmpty() && HandToRunningInstance(options.profilePaths)) {
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
