// Starting with profiles on the command line and handing them to the
// running program: every file opens in order, one that cannot is named with
// its reason, a refused file never costs the running program its work, and
// the hand-over socket serves only its own user and display.

#include "GuiFixture.h"

#include "base/TemplateFile.h"
#include "resources/MessageIds.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocalSocket>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <cstring>
#include <functional>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavo;
using namespace tavo::test;

namespace {

// Runs an event loop for each message, as a message box does while it
// waits for its OK.
class ModalSink : public RecordingSink {
public:
    int Show(const QString &text, unsigned style) override
    {
        const int answer = RecordingSink::Show(text, style);
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        return answer;
    }
};

// Sets (or with nullopt removes) an environment variable for a scope.
class ScopedEnv {
public:
    ScopedEnv(const char *name, std::optional<QByteArray> value) : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

using test::WaitFor;

// Sends a raw request and leaves at once.
void SendRequest(const QString &server, const QByteArray &request)
{
    QLocalSocket client;
    client.connectToServer(server);
    ASSERT_TRUE(client.waitForConnected(1000)) << server.toStdString();
    client.write(request);
    client.flush();
    client.waitForBytesWritten(1000);
    client.disconnectFromServer();
}

QStringList OpenPaths(CMainFrame *frame)
{
    QStringList paths;
    for (CChildFrame *child : frame->Children())
        paths << child->Document()->GetPathName();
    return paths;
}

mode_t Mode(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 07777;
}

// Whether a user who is neither the owner nor in the group can pass
// through every folder from the root down to `dir`.
bool OthersCanEnter(const QString &dir)
{
    for (QString d = QFileInfo(dir).absoluteFilePath();; d = QFileInfo(d).path()) {
        struct stat st {};
        if (::stat(QFile::encodeName(d).constData(), &st) != 0 || (st.st_mode & S_IXOTH) == 0)
            return false;
        if (d == QLatin1String("/"))
            return true;
    }
}

QString Refusal(const QString &path, const QString &reason)
{
    return LoadString(msg::ProfileCannotOpen).arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

TEST_F(GuiTest, CommandLineProfilesOpenInOrderAndOnesThatCannotAreNamedWithTheirReason)
{
    const CTavoCPSApp::Options options =
        CTavoCPSApp::ParseCommandLine({QStringLiteral("tavocps"), QStringLiteral("a.kp2"), QStringLiteral("--no-splash"), QStringLiteral("b.kp2")});
    EXPECT_EQ(options.profilePaths, (QStringList{QStringLiteral("a.kp2"), QStringLiteral("b.kp2")}));

    const QString a = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("a.kp2"));
    const QString b = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("b.kp2"));
    ASSERT_TRUE(Start({a, b}));
    EXPECT_EQ(OpenPaths(Frame()), (QStringList{a, b}));
    m_app.reset();

    // Each file that cannot be a profile is named with the reason, and the
    // program starts as a plain start would.
    const QString folder = m_dir.filePath(QStringLiteral("folder.kp2"));
    QDir().mkpath(folder);
    const QString big = m_dir.filePath(QStringLiteral("big.kp2"));
    WriteFileBytes(big, QByteArray(kMaxTextFileBytes + 1, '<'));
    const QString locked = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("locked.kp2"));
    QFile::setPermissions(locked, QFileDevice::Permissions());
    struct Case {
        QString path;
        QString reason;
    };
    std::vector<Case> cases{
        {m_dir.filePath(QStringLiteral("missing.kp2")), LoadString(msg::ProfileNotFound)},
        {folder, LoadString(msg::ProfileIsFolder)},
        {big, LoadString(msg::ProfileTooLarge).arg(kMaxTextFileBytes)},
        {QStringLiteral("/dev/urandom"), LoadString(msg::ProfileNotRegular)},
    };
    if (::geteuid() != 0)
        cases.push_back({locked, LoadString(msg::ProfilePermissionDenied)});
    else
        std::fprintf(stderr, "note: running as root, the unreadable file is not tried\n");
    for (const Case &c : cases) {
        m_sink.clear();
        ASSERT_TRUE(Start(c.path)) << c.path.toStdString() << ": start-up stopped";
        ASSERT_NE(Frame(), nullptr);
        EXPECT_TRUE(Frame()->Children().isEmpty());
        EXPECT_EQ(m_sink.last(), Refusal(c.path, c.reason));
        m_app.reset();
    }
}

// A file that is readable but no valid profile: "Invalid profile." with the
// file, the reason, the line and the text there, for broken XML and for a
// document the schema refuses alike.
TEST_F(GuiTest, AnInvalidProfileIsNamedWithItsFileAndReason)
{
    ASSERT_TRUE(Start(QStringList{}));
    QByteArray valid = ReadFileBytes(ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("valid.kp2")));
    QByteArray misspelt = valid;
    misspelt.replace("<channels", "<chanels").replace("</channels", "</chanels");
    struct Case {
        const char *name;
        QByteArray bytes;
        const char *reasonPart;
    };
    for (const Case &c : {Case{"broken.kp2", QByteArrayLiteral("<?xml version=\"1.0\"?>\n<TavoProfile>\n  <setting oops\n"), "oops"},
                          Case{"misspelt.kp2", misspelt, "chanels"}}) {
        SCOPED_TRACE(c.name);
        const QString path = m_dir.filePath(QLatin1String(c.name));
        WriteFileBytes(path, c.bytes);
        m_sink.clear();
        EXPECT_EQ(Frame()->OpenDocumentFile(path), nullptr);
        ASSERT_EQ(m_sink.shown().size(), 1u);
        const QString shown = m_sink.last();
        EXPECT_TRUE(shown.startsWith(LoadString(msg::InvalidProfile) + QLatin1Char('\n'))) << shown.toStdString();
        EXPECT_TRUE(shown.contains(path)) << shown.toStdString();
        EXPECT_TRUE(shown.contains(QLatin1String(c.reasonPart))) << shown.toStdString();
        EXPECT_FALSE(shown.contains(QLatin1Char('\r'))) << shown.toStdString();
        EXPECT_TRUE(Frame()->Children().isEmpty());
    }
}

TEST_F(GuiTest, ARefusedHandedOverFileLeavesTheRunningProgramAndItsWorkIntact)
{
    const QString server = m_dir.filePath(QStringLiteral("hand-over"));
    CTavoCPSApp::SetInstanceServerName(server);
    const QString work = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("work.kp2"));
    ASSERT_TRUE(Start(work));
    m_app->ListenForOtherInstances();
    ASSERT_EQ(Frame()->Children().size(), 1);
    CTavoCPSDoc *doc = Frame()->Children().first()->Document();
    doc->SetModifiedFlag(true);

    // A profile of another region fails the pre-check; its message box
    // runs while the second start has already gone.
    QByteArray text = ReadFileBytes(work);
    text.replace("model=\"OUR10802\"", "model=\"OUR10801\"");
    const QString foreign = m_dir.filePath(QStringLiteral("foreign.kp2"));
    WriteFileBytes(foreign, text);
    ModalSink modal;
    SendRequest(server, foreign.toUtf8() + '\n');
    ASSERT_TRUE(WaitFor([&] { return !modal.empty(); }, 5000));
    WaitFor([] { return false; }, 800); // the box's loop and what follows it
    EXPECT_TRUE(modal.last().startsWith(LoadString(310))) << modal.last().toStdString();
    ASSERT_EQ(Frame()->Children().size(), 1);
    EXPECT_TRUE(doc->IsModified());

    // The program still takes files.
    const QString next = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("next.kp2"));
    SendRequest(server, next.toUtf8() + "\n\n");
    EXPECT_TRUE(WaitFor([&] { return Frame()->Children().size() == 2; }, 5000));
}

TEST_F(GuiTest, TheHandOverSocketIsPrivateToItsUserAndDisplayAndRefusesHostileRequests)
{
    const QString uid = QString::number(::getuid());
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    ::chmod(QFile::encodeName(runtime.path()).constData(), 0700);
    ScopedEnv xdg("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
    ScopedEnv display("DISPLAY", QByteArray(":7"));
    CTavoCPSApp::SetInstanceServerName(QString());
    const QString server = CTavoCPSApp::InstanceServerName();
    EXPECT_EQ(QFileInfo(server).path(), runtime.path());
    EXPECT_TRUE(QFileInfo(server).fileName().contains(uid)) << server.toStdString();
    {
        ScopedEnv other("DISPLAY", QByteArray(":8"));
        EXPECT_NE(CTavoCPSApp::InstanceServerName(), server) << "another display, another instance";
    }
    {
        // A runtime folder open to others is not used; then a folder of the
        // user's own under the temporary folder, 0700; when that one is
        // open to others (or somebody else's), one in the user's cache
        // folder; none when that one is open to others too.
        QTemporaryDir tmp, cache;
        ScopedEnv tmpdir("TMPDIR", tmp.path().toUtf8());
        ScopedEnv cacheHome("XDG_CACHE_HOME", cache.path().toUtf8());
        ::chmod(QFile::encodeName(runtime.path()).constData(), 0755);
        const QString fallback = CTavoCPSApp::InstanceServerName();
        const QString folder = QFileInfo(fallback).path();
        EXPECT_TRUE(fallback.startsWith(tmp.path() + QLatin1Char('/'))) << fallback.toStdString();
        EXPECT_EQ(Mode(folder), 0700u);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        const QString cached = CTavoCPSApp::InstanceServerName();
        EXPECT_TRUE(cached.startsWith(cache.path() + QStringLiteral("/tavocps-run/"))) << cached.toStdString();
        EXPECT_EQ(Mode(QFileInfo(cached).path()), 0700u);
        ::chmod(QFile::encodeName(QFileInfo(cached).path()).constData(), 0755);
        EXPECT_TRUE(CTavoCPSApp::InstanceServerName().isEmpty());
        ::chmod(QFile::encodeName(runtime.path()).constData(), 0700);
    }
    ASSERT_TRUE(Start());
    m_app->ListenForOtherInstances();
    EXPECT_EQ(Mode(server) & 077, 0u) << "the socket is the user's alone";

    // Endless bytes without a line end: the connection is closed at the
    // limit rather than the program growing.
    {
        QLocalSocket flood;
        flood.connectToServer(server);
        ASSERT_TRUE(flood.waitForConnected(1000));
        const QByteArray chunk(4096, 'a');
        qint64 sent = 0;
        QElapsedTimer t;
        t.start();
        while (flood.state() == QLocalSocket::ConnectedState && sent < 4 * 1024 * 1024 && t.elapsed() < 10000) {
            flood.write(chunk);
            sent += chunk.size();
            flood.waitForBytesWritten(20);
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        EXPECT_NE(flood.state(), QLocalSocket::ConnectedState) << sent << " bytes taken";
        EXPECT_LT(sent, 1024 * 1024);
    }

    // Several files in one request open in order; a folder and a device are
    // named and refused.
    const QString folder = m_dir.filePath(QStringLiteral("folder.kp2"));
    QDir().mkpath(folder);
    const QString a = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("a.kp2"));
    const QString b = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("b.kp2"));
    m_sink.clear();
    SendRequest(server, (folder + QStringLiteral("\n/dev/zero\n") + a + QLatin1Char('\n') + b + QStringLiteral("\n\n")).toUtf8());
    ASSERT_TRUE(WaitFor([&] { return Frame()->Children().size() == 2; }, 5000));
    EXPECT_EQ(OpenPaths(Frame()), (QStringList{a, b}));
    ASSERT_EQ(m_sink.shown().size(), 2u);
    EXPECT_EQ(m_sink.shown()[0].text, Refusal(folder, LoadString(msg::ProfileIsFolder)));
    EXPECT_EQ(m_sink.shown()[1].text, Refusal(QStringLiteral("/dev/zero"), LoadString(msg::ProfileNotRegular)));

    // A FIFO is refused at once instead of holding the program in open().
    const QString fifo = m_dir.filePath(QStringLiteral("fifo.kp2"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    m_sink.clear();
    SendRequest(server, fifo.toUtf8() + "\n\n");
    ASSERT_TRUE(WaitFor([&] { return !m_sink.empty(); }, 5000));
    EXPECT_EQ(m_sink.last(), Refusal(fifo, LoadString(msg::ProfileNotRegular)));

    // Another user is refused even where the socket can be reached.
    if (::geteuid() != 0) {
        std::fprintf(stderr, "note: not root, the other user's connection is not tried\n");
        return;
    }
    m_app.reset();
    // That user has to reach the socket's folder. TMPDIR may lie below a
    // folder closed to others (a home of mode 700, say); then /tmp stands in.
    std::optional<QTemporaryDir> open;
    for (const QString &base : {QDir::tempPath(), QStringLiteral("/tmp")}) {
        open.emplace(base + QStringLiteral("/tavocps-open-XXXXXX"));
        if (open->isValid() && OthersCanEnter(QFileInfo(open->path()).path()))
            break;
        open.reset();
    }
    if (!open)
        GTEST_SKIP() << "another user cannot reach " << QDir::tempPath().toStdString()
                     << " nor /tmp (a folder above is closed to others): the other user's connection is not tried";
    ::chmod(QFile::encodeName(open->path()).constData(), 0777);
    const QString shared = open->filePath(QStringLiteral("hand-over"));
    CTavoCPSApp::SetInstanceServerName(shared);
    ASSERT_TRUE(Start());
    m_app->ListenForOtherInstances();
    ::chmod(QFile::encodeName(shared).constData(), 0777);
    const QString c = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("c.kp2"));
    const QByteArray request = c.toUtf8() + "\n\n";
    const QByteArray socketPath = QFile::encodeName(shared);
    // The other user's side reports through a pipe: 'c' when the program
    // closed the connection on it, a digit for the step that failed.
    int report[2];
    ASSERT_EQ(::pipe2(report, O_NONBLOCK | O_CLOEXEC), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGPIPE, SIG_IGN);
        auto tell = [&](char what) {
            (void)::write(report[1], &what, 1);
            ::_exit(0);
        };
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            tell('1');
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, socketPath.constData(), sizeof addr.sun_path - 1);
        if (::connect(s, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0)
            tell('2');
        if (::write(s, request.constData(), static_cast<size_t>(request.size())) < 0)
            tell('c'); // closed before it could even send
        char byte;
        while (::read(s, &byte, 1) > 0) {
        }
        tell('c');
    }
    ASSERT_GT(child, 0);
    ::close(report[1]);
    char told = 0;
    WaitFor([&] { return ::read(report[0], &told, 1) == 1; }, 5000);
    ::close(report[0]);
    if (told == 0)
        ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    WaitFor([] { return false; }, 500);
    EXPECT_EQ(told, 'c') << "0: the connection of another user was left open; 1, 2: that user could not set up or reach the socket";
    EXPECT_TRUE(Frame()->Children().isEmpty()) << "a file of another user's request was opened";
    // The same request of this user opens the file.
    ASSERT_TRUE(CTavoCPSApp::HandToRunningInstance({c}));
    EXPECT_TRUE(WaitFor([&] { return Frame()->Children().size() == 1; }, 5000));
}
