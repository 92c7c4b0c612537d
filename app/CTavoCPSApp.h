#pragma once
// The application object: the start-up sequence in its order (rule engine,
// registry, setting documents, rule and schema files, edition, regions,
// language, main window, command line, splash), the hand-over of a file to
// a running instance, and a clean exit.

#include <QObject>
#include <QPointer>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

class QTimer;

namespace tavo {

class CMainFrame;

class CTavoCPSApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        bool splash = true;          // the 2500 ms splash before the main window
        bool showMainWindow = true;  // tests may keep it hidden
        QStringList profilePaths;    // the profiles named on the command line, in order
        bool exitWhenShown = false;  // the start-up benchmark: print "shown" and quit
    };

    explicit CTavoCPSApp(QObject *parent = nullptr);
    ~CTavoCPSApp() override;

    // The start-up sequence. False: a fatal failure has been shown and the
    // program ends (no main window is left).
    bool InitInstance(const Options &options);
    // Shuts down what start-up set up.
    void ExitInstance();

    CMainFrame *MainFrame() const;

    // Parses the command line: [--install-dir DIR] [--no-splash]
    // [--exit-when-shown] [--port PORT] [PROFILE]...
    static Options ParseCommandLine(const QStringList &arguments);
    // --help, -h and --version, answered on standard output before any
    // application object exists (no display needed): the exit status, or
    // -1 when the program starts.
    static int AnswerHelpAndVersion(int argc, char **argv, const char *version);
    // The whole program: the Qt application, the message boxes, a running
    // instance taking the file, the start-up sequence and the event loop.
    static int Main(int argc, char **argv);
    // Whether the environment names a display to open windows on (or a
    // platform that needs none).
    static bool DisplayAvailable();

    // The socket the running instance listens on for files from later
    // launches: in the user's private folder (base/PrivateFolder:
    // XDG_RUNTIME_DIR, else one under the temporary folder, else one in
    // the user's cache folder, never one somebody else made); its
    // name holds the user id and the display (or session), so a start on
    // another display never reaches an instance the user cannot see.
    // Empty when no private folder can be had.
    static QString InstanceServerName();
    // Another name (tests; empty: the user's own).
    static void SetInstanceServerName(const QString &name);
    // Hands `paths` to a running instance of this user and display; false
    // when none answers.
    static bool HandToRunningInstance(const QStringList &paths);
    // Starts listening for files from later launches. While another copy
    // listens, this one tries again every few seconds, so that it takes the
    // hand-over when that copy ends.
    void ListenForOtherInstances();
    // Whether this copy is the one that takes files from later launches.
    bool IsListening() const;
    // A hand-over request: one path a line, each percent-encoded (a path
    // may hold a line break), ended by an empty line.
    static QByteArray HandOverRequest(const QStringList &absolutePaths);
    static QStringList HandOverPaths(const QByteArray &request);
    // Opens handed-over files once no modal dialog (a transfer, a
    // question) is open; until then they wait, in the order they came.
    void OpenHandedOverFiles(const QStringList &paths);

    // The longest hand-over request taken: a few paths. A longer one is
    // refused and its connection closed.
    static constexpr int kMaxHandOverBytes = 16 * 1024;
    // A connection that has not completed its request by then is closed.
    static constexpr int kHandOverTimeoutMs = 5000;

    static constexpr int kSplashMs = 2500;

    QString m_strInstallDir;
    QString m_strRegionName;
    QString m_strDecimalSeparator;
    QString m_strLanguage;
    QStringList m_listSubRegions;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowMainWindow();
    // A new connection on the hand-over socket: the peer must be this
    // user; its whole request is read, the connection closed, and only then
    // are the files opened.
    void AcceptHandOver(QLocalSocket *socket);
    bool TryListen();
    void OpenWaitingFiles();

    QPointer<CMainFrame> m_pMainFrame;
    QLocalServer *m_pServer = nullptr;
    QTimer *m_pListenRetry = nullptr;
    QTimer *m_pWaitingTimer = nullptr;
    QStringList m_waitingFiles; // handed over while a modal dialog was open
    bool m_bExitWhenShown = false;
};

} // namespace tavo
