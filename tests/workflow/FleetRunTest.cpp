// The fleet run without a window, against tavo-radio-sim radios on one or
// several port paths (each simulator links its port's path): answers given
// for every radio, several ports at once with failures of their own, the
// log as an audit trail, radios with blank serials, and a failed radio
// swapped quickly for the next.

#include "radio/RadioTestSupport.h"

#include "profile/CDataAdaptor.h"
#include "profile/CRadioDataModel.h"
#include "resources/MessageIds.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"
#include "support/RecordingSink.h"
#include "support/TestFiles.h"
#include "workflow/FleetProgramming.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <cstring>
#include <thread>

using namespace tavo;
using tavo::test::SimProcess;

namespace {

class RecordingHost : public IFleetHost {
public:
    bool AskPassword(int, const QString &, const QString &, QString &) override { return false; }
    bool Ask(int, const QString &text, unsigned, int &answer, bool &forAll) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        questions << text;
        answer = reply;
        forAll = true;
        return true;
    }
    bool Tell(int, const QString &, unsigned) override { return true; }
    void RadioFinished(const FleetRadioResult &row, const FleetSummary &summary) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        rows.push_back(row);
        last = summary;
    }
    void AlreadyWritten(int port, const QString &serial, int number) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        again << QStringLiteral("%1:%2:%3").arg(port).arg(serial).arg(number);
    }
    size_t Rows()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return rows.size();
    }
    const FleetRadioResult *RowOf(const QString &serial)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const FleetRadioResult &r : rows)
            if (r.serial == serial)
                return &r;
        return nullptr;
    }
    std::mutex m_mutex;
    int reply = IDYES;
    QStringList questions;
    QStringList again;
    std::vector<FleetRadioResult> rows;
    FleetSummary last;
};

bool WaitFor(const std::function<bool()> &done, int ms)
{
    for (int waited = 0; !done(); waited += 20) {
        if (waited > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

QStringList Lines(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList();
}

// A profile from the sample radio, radios as image files, and runs on
// port paths in a temporary folder.
class FleetRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
        m_sample = test::SampleImage();
        QString xml;
        ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(m_sample, xml));
        ASSERT_TRUE(m_profile.LoadProfile(xml, 0));
        ASSERT_TRUE(EnsureSettingDocuments());
        m_log = m_dir.filePath(QStringLiteral("fleet.csv"));
    }

    // The sample radio with `serial` (ten bytes as given), changed by `edit`.
    QString Radio(const QByteArray &serial, const std::function<void(VirtualCP &)> &edit = {})
    {
        VirtualCP cp = m_sample;
        std::memcpy(cp.SerialBytes(), serial.constData(), VirtualCP::kSerialWidth);
        if (edit)
            edit(cp);
        const QString path = m_dir.filePath(QStringLiteral("radio%1.img").arg(++m_nImages));
        EXPECT_TRUE(test::WriteFileBytes(path, QByteArray(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize)));
        return path;
    }
    QString Port(int n) const { return m_dir.filePath(QStringLiteral("port%1").arg(n)); }
    // A radio plugged into port `n`, with more simulator options.
    std::unique_ptr<SimProcess> Plug(int n, const QString &image, const QStringList &more = {})
    {
        QStringList args{QStringLiteral("--image"), image, QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--link"), Port(n)};
        auto sim = std::make_unique<SimProcess>(args + more);
        EXPECT_FALSE(sim->Port().isEmpty());
        return sim;
    }
    FleetOptions Options(int ports) const
    {
        FleetOptions options;
        options.logPath = m_log;
        options.profileFile = QStringLiteral("/profiles/event.kp2");
        for (int n = 0; n < ports; ++n) {
            CableConfig cable;
            cable.portPath = Port(n);
            options.ports.push_back(cable);
        }
        return options;
    }

    ScopedProcessContext m_context;
    QTemporaryDir m_dir;
    test::RecordingSink m_sink;
    VirtualCP m_sample;
    CRadioDataModel m_profile;
    QString m_log;
    int m_nImages = 0;
};

// A run in a thread of its own, stopped and joined at the end.
struct Running {
    Running(CRadioDataModel &profile, IFleetHost &host, const FleetOptions &options) : run(profile, host, options, stop)
    {
        QString error;
        opened = run.OpenLog(error);
        EXPECT_TRUE(opened) << error.toStdString();
        if (opened)
            worker = std::thread([this] { ok = run.Run(failure); });
    }
    ~Running() { End(); }
    void End()
    {
        stop = true;
        if (worker.joinable())
            worker.join();
    }
    std::atomic<bool> stop{false};
    CFleetRun run;
    bool opened = false;
    bool ok = false;
    QString failure;
    std::thread worker;
};

} // namespace

TEST_F(FleetRun, AnswersForEveryRadioServeTheNextAndAWrittenRadioIsNotWrittenAgain)
{
    // Radios of eight channels for the profile of sixteen.
    auto small = [](VirtualCP &cp) {
        std::memcpy(cp.At(6), "OUD", 3);
        const uint8_t digits[] = {1, 0, 8, 0, 2};
        std::memcpy(cp.At(9), digits, sizeof digits);
    };
    RecordingHost host;
    Running r(m_profile, host, Options(1));
    const char *serials[] = {"SMALL00001", "SMALL00002", "SMALL00001"};
    for (size_t n = 0; n < 3; ++n) {
        auto sim = Plug(0, Radio(serials[n], small));
        if (n < 2) {
            EXPECT_TRUE(WaitFor([&] { return host.Rows() == n + 1; }, 60000)) << n;
        } else {
            // Back on the cable: it answers, is left alone, and is said to be.
            EXPECT_TRUE(WaitFor([&] { std::lock_guard<std::mutex> l(host.m_mutex); return !host.again.isEmpty(); }, 5000));
            EXPECT_FALSE(WaitFor([&] { return host.Rows() > 2; }, 1000));
            sim->Stop();
            EXPECT_EQ(test::CountLines(sim->Log(), QStringLiteral("LINK")), 0) << "no transfer started";
        }
    }
    r.End();
    EXPECT_TRUE(r.ok);

    ASSERT_EQ(host.rows.size(), 2u);
    for (size_t n = 0; n < 2; ++n) {
        EXPECT_TRUE(host.rows[n].Ok()) << host.rows[n].message.toStdString();
        EXPECT_EQ(host.rows[n].serial, QLatin1String(serials[n]));
        EXPECT_EQ(host.rows[n].model, QStringLiteral("OUD10802"));
        EXPECT_EQ(host.rows[n].number, static_cast<int>(n + 1));
    }
    EXPECT_EQ(host.again, QStringList{QStringLiteral("0:SMALL00001:1")});
    ASSERT_EQ(host.questions.size(), 1) << "asked once, for every radio";
    EXPECT_EQ(host.questions.first(), LoadString(msg::HighToLowTierConversion));
    EXPECT_EQ(host.last.written, 2);
    EXPECT_EQ(host.last.failed, 0);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    EXPECT_EQ(Lines(m_log).size(), 3);
}

// Three ports at once: one radio written, one refusing the write, one
// pulled out in the middle; then the written radio moved to another port.
// Each gets its row and its log line with the port; the failures say what
// happened and what to do; nothing is written twice.
TEST_F(FleetRun, ThreePortsAtOnceFailIndependentlyAndNeverWriteARadioTwice)
{
    RecordingHost host;
    Running r(m_profile, host, Options(3));
    auto good = Plug(0, Radio("PORT000001"));
    auto refusing = Plug(1, Radio("PORT000002"), {QStringLiteral("--refuse-write")});
    auto pulled = Plug(2, Radio("PORT000003"), {QStringLiteral("--unplug-after"), QStringLiteral("40")});
    ASSERT_TRUE(WaitFor([&] { return host.Rows() == 3; }, 90000)) << host.Rows();
    // The written radio plugged into the refusing radio's port: left alone.
    refusing->Stop();
    good->Stop();
    const int writes = test::CountLines(good->Log(), QStringLiteral("WRITE"));
    auto moved = Plug(1, Radio("PORT000001"));
    EXPECT_TRUE(WaitFor([&] { std::lock_guard<std::mutex> l(host.m_mutex); return !host.again.isEmpty(); }, 10000));
    r.End();
    moved->Stop();
    EXPECT_TRUE(r.ok) << r.failure.toStdString();
    EXPECT_GT(writes, 0);
    EXPECT_EQ(test::CountLines(moved->Log(), QStringLiteral("WRITE")), 0) << "a radio is written once in a run";

    ASSERT_EQ(host.rows.size(), 3u);
    const FleetRadioResult *ok = host.RowOf(QStringLiteral("PORT000001"));
    const FleetRadioResult *refused = host.RowOf(QStringLiteral("PORT000002"));
    const FleetRadioResult *gone = host.RowOf(QStringLiteral("PORT000003"));
    ASSERT_TRUE(ok && refused && gone);
    EXPECT_TRUE(ok->Ok());
    EXPECT_EQ(ok->portName, Port(0));
    EXPECT_EQ(ok->writtenHash.size(), 64);
    // Refused at the first block: the memory is unchanged, not "partly written".
    EXPECT_FALSE(refused->Ok());
    EXPECT_EQ(refused->port, 1);
    EXPECT_TRUE(refused->message.contains(LoadString(msg::RadioWriteRefused))) << refused->message.toStdString();
    EXPECT_TRUE(refused->message.contains(LoadString(msg::FleetRefusedUnchanged))) << refused->message.toStdString();
    EXPECT_FALSE(refused->message.contains(LoadString(msg::PartlyWrittenCodeplug))) << refused->message.toStdString();
    // Pulled out: told by the serial it answered with, and what to do.
    EXPECT_FALSE(gone->Ok());
    EXPECT_EQ(gone->port, 2);
    EXPECT_TRUE(gone->message.contains(LoadString(msg::FleetNotWrittenCheckRadio)) || gone->message.contains(LoadString(msg::PartlyWrittenCodeplug))
                || gone->message.contains(LoadString(msg::FleetUnverifiedAdvice)))
        << gone->message.toStdString();
    EXPECT_EQ(host.again, QStringList{QStringLiteral("1:PORT000001:%1").arg(ok->number)});

    const QStringList lines = Lines(m_log);
    ASSERT_EQ(lines.size(), 4) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines[0], QLatin1String(kFleetLogHeader));
    QStringList serials;
    for (int n = 1; n < 4; ++n) {
        serials << lines[n].section(QLatin1Char(','), 0, 0);
        EXPECT_TRUE(lines[n].contains(QLatin1Char(',') + m_dir.filePath(QStringLiteral("port")))) << lines[n].toStdString();
        EXPECT_TRUE(lines[n].contains(QLatin1String(",/profiles/event.kp2,"))) << lines[n].toStdString();
    }
    serials.sort();
    EXPECT_EQ(serials, (QStringList{QStringLiteral("PORT000001"), QStringLiteral("PORT000002"), QStringLiteral("PORT000003")}));
    EXPECT_TRUE(lines.filter(QStringLiteral("PORT000001,")).first().endsWith(QLatin1Char(',') + ok->writtenHash));
}

// Two runs sharing one log, and a line a person adds to it during the
// runs: every line stays, none is doubled or cut, one header.
TEST_F(FleetRun, TwoRunsOnOneLogAndAPersonsLineKeepEveryLine)
{
    RecordingHost first, second;
    FleetOptions a = Options(1);
    FleetOptions b = Options(2);
    b.ports.erase(b.ports.begin());
    Running one(m_profile, first, a);
    auto radioA = Plug(0, Radio("LOGA000001"));
    ASSERT_TRUE(WaitFor([&] { return first.Rows() == 1; }, 60000));
    {
        // The person's note, as an editor that appends would leave it.
        QFile f(m_log);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("note: radios from box 7\n");
    }
    CRadioDataModel other;
    QString xml;
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(m_sample, xml));
    ASSERT_TRUE(other.LoadProfile(xml, 0));
    Running two(other, second, b);
    auto radioB = Plug(1, Radio("LOGB000001"));
    ASSERT_TRUE(WaitFor([&] { return second.Rows() == 1; }, 60000));
    radioA->Stop();
    auto radioA2 = Plug(0, Radio("LOGA000002"));
    ASSERT_TRUE(WaitFor([&] { return first.Rows() == 2; }, 60000));
    one.End();
    two.End();
    EXPECT_TRUE(one.ok && two.ok);

    const QStringList lines = Lines(m_log);
    ASSERT_EQ(lines.size(), 5) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines.count(QLatin1String(kFleetLogHeader)), 1);
    EXPECT_EQ(lines[0], QLatin1String(kFleetLogHeader));
    EXPECT_EQ(lines[2], QStringLiteral("note: radios from box 7"));
    for (const char *serial : {"LOGA000001", "LOGB000001", "LOGA000002"})
        EXPECT_EQ(lines.filter(QLatin1String(serial) + QLatin1Char(',')).size(), 1) << serial;
}

// The log cannot take a line: the run stops before the next radio is
// touched, and says why.
TEST_F(FleetRun, ALogThatCannotTakeALineStopsBeforeTheNextRadio)
{
    RecordingHost host;
    Running r(m_profile, host, Options(1));
    ASSERT_TRUE(r.opened);
    // The log's name now a folder: nothing can append to it.
    ASSERT_TRUE(QFile::remove(m_log));
    ASSERT_TRUE(QDir().mkdir(m_log));
    auto sim = Plug(0, Radio("LOCK000001"));
    // The run ends by itself: its port stopped before the radio.
    r.worker.join();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.failure.contains(m_log)) << r.failure.toStdString();
    EXPECT_EQ(host.Rows(), 0u);
    sim->Stop();
    EXPECT_EQ(test::CountLines(sim->Log(), QStringLiteral("LINK")), 0) << "the radio was not written";
}

// Radios with a blank serial (zero bytes, or blanks) are each a radio of
// their own: each gets its row, logged as "serial unknown" with the port
// and the time, never a NUL byte.
TEST_F(FleetRun, EachRadioWithABlankSerialIsARadioOfItsOwn)
{
    RecordingHost host;
    Running r(m_profile, host, Options(1));
    const QByteArray blanks[] = {QByteArray(10, '\0'), QByteArray(10, ' ')};
    for (size_t n = 0; n < 2; ++n) {
        auto sim = Plug(0, Radio(blanks[n]));
        ASSERT_TRUE(WaitFor([&] { return host.Rows() == n + 1; }, 60000)) << n;
        sim->Stop();
        // Nothing tells one blank radio from the next but the port falling
        // silent between them, as it does while hands swap radios.
        QThread::msleep(3 * kFleetPollMs);
    }
    r.End();
    ASSERT_EQ(host.rows.size(), 2u);
    for (const FleetRadioResult &row : host.rows) {
        EXPECT_TRUE(row.Ok()) << row.message.toStdString();
        EXPECT_TRUE(row.serial.startsWith(QStringLiteral("serial unknown (port %1, ").arg(Port(0)))) << row.serial.toStdString();
    }
    QFile f(m_log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_FALSE(bytes.contains('\0'));
    EXPECT_EQ(bytes.count('\n'), 3);
}

// Blank radios on several ports are backed up under one name in the same
// second: each gets a file of its own, holding its own image.
TEST_F(FleetRun, BlankRadiosBackedUpAtOnceOnSeveralPortsEachKeepTheirBackup)
{
    constexpr int kThreads = 4, kEach = 6;
    std::vector<std::thread> threads;
    std::mutex lock;
    std::vector<std::pair<QString, QByteArray>> made;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                VirtualCP cp = m_sample;
                std::memset(cp.SerialBytes(), 0, VirtualCP::kSerialWidth);
                cp.bytes[VirtualCP::kSize - 1] = static_cast<unsigned char>(t * kEach + i);
                QString error;
                const QString path = BackupRadioImage(cp, error);
                std::lock_guard<std::mutex> hold(lock);
                made.emplace_back(path, QByteArray(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize));
            }
        });
    for (std::thread &t : threads)
        t.join();
    ASSERT_EQ(made.size(), size_t(kThreads * kEach));
    QSet<QString> paths;
    for (const auto &[path, bytes] : made) {
        ASSERT_FALSE(path.isEmpty());
        paths.insert(path);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_EQ(f.readAll(), bytes) << path.toStdString();
    }
    EXPECT_EQ(paths.size(), kThreads * kEach);
    EXPECT_EQ(ListRadioBackups(QString()).size(), kThreads * kEach);
}

// A radio that fails at once, pulled and replaced quickly by the next: the
// failed radio is known by what it answered, so the next is written.
TEST_F(FleetRun, AFastFailureFollowedByAQuickSwapLosesNoRadio)
{
    RecordingHost host;
    Running r(m_profile, host, Options(1));
    {
        auto failing = Plug(0, Radio("FAST000001"), {QStringLiteral("--memory-status"), QStringLiteral("8")});
        ASSERT_TRUE(WaitFor([&] { return host.Rows() == 1; }, 60000));
    }
    auto next = Plug(0, Radio("FAST000002"));
    ASSERT_TRUE(WaitFor([&] { return host.Rows() == 2; }, 60000)) << "the radio swapped in is written";
    r.End();
    EXPECT_EQ(host.rows[0].serial, QStringLiteral("FAST000001")) << "the failed radio by the serial it answered";
    EXPECT_FALSE(host.rows[0].Ok());
    EXPECT_TRUE(host.rows[0].memoryWarning);
    EXPECT_EQ(host.rows[1].serial, QStringLiteral("FAST000002"));
    EXPECT_TRUE(host.rows[1].Ok()) << host.rows[1].message.toStdString();
}

// Radios stopped before the write each say why and what to do: a radio of
// the other band, a conversion answered No, a password not entered.
TEST_F(FleetRun, StoppedRadiosSayWhyAndWhatToDo)
{
    RecordingHost host;
    host.reply = IDNO;
    Running r(m_profile, host, Options(3));
    auto vhf = Plug(0, Radio("BAND000001", [](VirtualCP &cp) { std::memcpy(cp.At(6), "OVD", 3); }));
    auto small = Plug(1, Radio("CONV000001", [](VirtualCP &cp) {
        std::memcpy(cp.At(6), "OUD", 3);
        const uint8_t digits[] = {1, 0, 8, 0, 2};
        std::memcpy(cp.At(9), digits, sizeof digits);
    }));
    auto locked = Plug(2, Radio("PASS000001", [](VirtualCP &cp) { std::memcpy(cp.PasswordBytes(), "1234", 4); }));
    ASSERT_TRUE(WaitFor([&] { return host.Rows() == 3; }, 60000)) << host.Rows();
    r.End();
    const FleetRadioResult *band = host.RowOf(QStringLiteral("BAND000001"));
    const FleetRadioResult *conv = host.RowOf(QStringLiteral("CONV000001"));
    const FleetRadioResult *pass = host.RowOf(QStringLiteral("PASS000001"));
    ASSERT_TRUE(band && conv && pass);
    EXPECT_EQ(band->message, LoadString(msg::FleetWrongBand).arg(band->model));
    EXPECT_EQ(conv->message, LoadString(msg::FleetQuestionDeclined).arg(LoadString(msg::HighToLowTierConversion), LoadString(msg::FleetAnswerNo)));
    EXPECT_EQ(pass->message, LoadString(msg::FleetPasswordCancelled));
    for (const auto &sim : {vhf.get(), small.get(), locked.get()}) {
        sim->Stop();
        EXPECT_EQ(test::CountLines(sim->Log(), QStringLiteral("WRITE")), 0);
    }
}

// The summary counts written radios over the time the run ran.
TEST(FleetSummary, RadiosPerHourCountsOnlyWrittenRadios)
{
    FleetSummary s;
    s.written = 3;
    s.failed = 5;
    s.elapsedMs = 60 * 60 * 1000;
    EXPECT_DOUBLE_EQ(s.RadiosPerHour(), 3.0);
    s.written = 0;
    EXPECT_DOUBLE_EQ(s.RadiosPerHour(), 0.0);
}
