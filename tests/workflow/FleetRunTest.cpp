// The fleet run without a window, against tavo-radio-sim radios swapped on
// one port path: two radios smaller than the profile, then the first one
// again. The conversion question is asked once and its answer, given for
// every radio, serves the second; a radio written in the run is not written
// again when it comes back.

#include "radio/RadioTestSupport.h"

#include "profile/CDataAdaptor.h"
#include "profile/CRadioDataModel.h"
#include "resources/MessageIds.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"
#include "support/RecordingSink.h"
#include "workflow/FleetProgramming.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

using namespace tavo;
using tavo::test::SimProcess;

namespace {

class RecordingHost : public IFleetHost {
public:
    bool AskPassword(const QString &, QString &) override { return false; }
    bool Ask(const QString &text, unsigned, int &answer, bool &forAll) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        questions << text;
        answer = IDYES;
        forAll = true;
        return true;
    }
    bool Tell(const QString &, unsigned) override { return true; }
    void RadioFinished(const FleetRadioResult &row, const FleetSummary &summary) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        rows.push_back(row);
        last = summary;
    }
    size_t Rows()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return rows.size();
    }
    std::mutex m_mutex;
    QStringList questions;
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

} // namespace

TEST(FleetRun, AnswersForEveryRadioServeTheNextAndAWrittenRadioIsNotWrittenAgain)
{
    ScopedProcessContext context;
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    test::RecordingSink sink;
    VirtualCP sample = test::SampleImage();
    QString xml;
    CRadioDataModel profile;
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(sample, xml));
    ASSERT_TRUE(profile.LoadProfile(xml, 0));
    ASSERT_TRUE(EnsureSettingDocuments());

    // Radios of eight channels for the profile of sixteen.
    auto radio = [&](const char *serial) {
        VirtualCP cp = sample;
        std::memcpy(cp.At(6), "OUD", 3);
        const uint8_t digits[] = {1, 0, 8, 0, 2};
        std::memcpy(cp.At(9), digits, sizeof digits);
        std::memcpy(cp.SerialBytes(), serial, VirtualCP::kSerialWidth);
        const QString path = dir.filePath(QLatin1String(serial) + QStringLiteral(".img"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize);
        return path;
    };
    const QString port = dir.filePath(QStringLiteral("radio-port"));
    FleetOptions options;
    options.logPath = dir.filePath(QStringLiteral("fleet.csv"));
    options.cable.portPath = port;
    RecordingHost host;
    std::atomic<bool> stop{false};
    CFleetRun run(profile, host, options, stop);
    QString error;
    ASSERT_TRUE(run.OpenLog(error)) << error.toStdString();
    bool ran = false;
    std::thread worker([&] { ran = run.Run(error); });

    const char *serials[] = {"SMALL00001", "SMALL00002", "SMALL00001"};
    for (size_t n = 0; n < 3; ++n) {
        SimProcess sim({QStringLiteral("--image"), radio(serials[n]), QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--link"), port});
        ASSERT_FALSE(sim.Port().isEmpty());
        if (n < 2) {
            EXPECT_TRUE(WaitFor([&] { return host.Rows() == n + 1; }, 60000)) << n;
        } else {
            // Back on the cable: it answers, and is left alone.
            EXPECT_FALSE(WaitFor([&] { return host.Rows() > 2; }, 1500));
            sim.Stop();
            EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 0) << "no transfer started";
        }
    }
    stop = true;
    worker.join();
    EXPECT_TRUE(ran);

    ASSERT_EQ(host.rows.size(), 2u);
    for (size_t n = 0; n < 2; ++n) {
        EXPECT_TRUE(host.rows[n].Ok()) << host.rows[n].message.toStdString();
        EXPECT_EQ(host.rows[n].serial, QLatin1String(serials[n]));
        EXPECT_EQ(host.rows[n].model, QStringLiteral("OUD10802"));
        EXPECT_EQ(host.rows[n].number, static_cast<int>(n + 1));
    }
    ASSERT_EQ(host.questions.size(), 1) << "asked once, for every radio";
    EXPECT_EQ(host.questions.first(), LoadString(msg::HighToLowTierConversion));
    EXPECT_EQ(host.last.written, 2);
    EXPECT_EQ(host.last.failed, 0);
    EXPECT_TRUE(sink.empty()) << sink.last().toStdString();
    QFile log(options.logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 3);
}
