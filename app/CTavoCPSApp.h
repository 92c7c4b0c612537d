#pragma once
// The application object: the start-up sequence in its order (rule engine,
// registry, setting documents, rule and schema files, edition, regions,
// language, main window, command line, splash), the hand-over of a file to
// a running instance, and a clean exit.

#include <QObject>
#include <QPointer>
#include <QStringList>

class QLocalServer;

namespace tavo {

class CMainFrame;

class CTavoCPSApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        bool splash = true;          // the 2500 ms splash before the main window
        bool showMainWindow = true;  // tests may keep it hidden
        QString profilePath;         // a profile named on the command line
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
    // [--exit-when-shown] [PROFILE].
    static Options ParseCommandLine(const QStringList &arguments);
    // --help, -h and --version, answered on standard output before any
    // application object exists (no display needed): the exit status, or
    // -1 when the program starts.
    static int AnswerHelpAndVersion(int argc, char **argv, const char *version);
    // The whole program: the Qt application, the message boxes, a running
    // instance taking the file, the start-up sequence and the event loop.
    static int Main(int argc, char **argv);

    // The name the running instance listens under for files from later
    // launches.
    static QString InstanceServerName();
    // Another name (tests; empty: the user's own).
    static void SetInstanceServerName(const QString &name);
    // Hands `path` to a running instance; false when none answers.
    static bool HandToRunningInstance(const QString &path);
    // Starts listening for files from later launches.
    void ListenForOtherInstances();

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

    QPointer<CMainFrame> m_pMainFrame;
    QLocalServer *m_pServer = nullptr;
    bool m_bExitWhenShown = false;
};

} // namespace tavo
