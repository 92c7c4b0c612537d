// Device > Program Several Radios against three tavo-radio-sim radios, one
// after another on one port path (each simulator links the same path), the
// second refusing every memory write: one row per radio, green or red, the
// failed one saying why and what to do, the run going on after it, the
// radio left on the cable not written twice, and the CSV log.

#include "GuiFixture.h"
#include "radio/RadioTestSupport.h"

#include "app/CFleetDialog.h"
#include "app/CRadioSettings.h"
#include "app/ShellDialogs.h"
#include "base/TemplateFile.h"
#include "profile/CDataAdaptor.h"
#include "profile/CRadioDataModel.h"
#include "resources/MessageIds.h"
#include "app/FleetSound.h"
#include "workflow/FleetProgramming.h"

#include <QProgressBar>
#include <QScrollBar>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <cstring>

using namespace tavo;
using tavo::test::WaitFor;
using tavo::test::SimProcess;

namespace {

class FleetGui : public test::RadioGuiTest {
protected:
    // The sample radio with serial number `serial`, as an image file.
    QString RadioImage(int n, const char *serial)
    {
        VirtualCP cp = test::SampleImage();
        std::memcpy(cp.SerialBytes(), serial, VirtualCP::kSerialWidth);
        const QString path = m_dir.filePath(QStringLiteral("radio%1.img").arg(n));
        EXPECT_TRUE(test::WriteFileBytes(path, QByteArray(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize)));
        return path;
    }

    // The sample radio's profile, loaded as the station writes it.
    static void LoadSample(CRadioDataModel &profile)
    {
        VirtualCP sample = test::SampleImage();
        QString xml;
        ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(sample, xml));
        ASSERT_TRUE(profile.LoadProfile(xml, 0));
    }

    QStringList LogLines(const QString &log) const
    {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList();
    }
};

} // namespace

TEST_F(FleetGui, ThreeRadiosOneRefusingEachGetsItsRowAndLogLine)
{
    VirtualCP sample = test::SampleImage();
    QString xml;
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(sample, xml));
    const QString profile = m_dir.filePath(QStringLiteral("sample.kp2"));
    ASSERT_TRUE(test::WriteFileBytes(profile, EncodeScrambledUtf16(xml)));
    const QString port = m_dir.filePath(QStringLiteral("radio-port"));
    const QString log = m_dir.filePath(QStringLiteral("fleet.csv"));
    SetPortOverride(port);
    ASSERT_TRUE(Start());
    ASSERT_NE(Frame()->OpenDocumentFile(profile), nullptr);

    const char *serials[] = {"FLT0000001", "FLT0000002", "FLT0000003"};
    QStringList rows, colours;
    QString summary;
    bool sawWindow = false;
    QTimer::singleShot(0, [&] {
        auto *fleet = qobject_cast<CFleetDialog *>(QApplication::activeModalWidget());
        if (!fleet)
            return;
        sawWindow = true;
        fleet->StartButton()->click();
        QTableWidget *table = fleet->Table();
        EXPECT_EQ(table->accessibleName(), LoadString(msg::FleetTableLabel).remove(QLatin1Char('&')));
        for (int n = 0; n < 3; ++n) {
            QStringList args{QStringLiteral("--image"), RadioImage(n, serials[n]), QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--link"), port};
            if (n == 1)
                args << QStringLiteral("--refuse-write");
            SimProcess sim(args);
            if (sim.Port().isEmpty() || !WaitFor([&] { return table->rowCount() == n + 1; }, 60000))
                break;
            if (n == 0) // left on the cable, the radio is not written again
                WaitFor([&] { return table->rowCount() > 1; }, 700);
        }
        fleet->StopButton()->click();
        WaitFor([&] { return !fleet->Running(); }, 10000);
        for (int r = 0; r < table->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < CFleetDialog::ColumnCount; ++c)
                cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
            rows << cells.join(QLatin1Char('|'));
            colours << table->item(r, 0)->background().color().name();
        }
        summary = fleet->SummaryLabel()->text();
        const QString shot = qEnvironmentVariable("TAVO_FLEET_SHOT");
        if (!shot.isEmpty())
            fleet->grab().save(shot);
        fleet->CloseButton()->click();
    });
    // The profile's unnamed channels were named as it opened: it is offered
    // to be saved first, so the log names the file the radios hold.
    const bool modified = Frame()->ActiveChild()->Document()->IsModified();
    if (modified)
        m_sink.Answer(IDYES);
    CFileDialogs::SetNextAnswer(log);
    ASSERT_TRUE(Frame()->RunCommand(cmd::DeviceProgramSeveral));
    if (modified) {
        ASSERT_EQ(m_sink.shown().size(), 1u);
        EXPECT_TRUE(m_sink.last().startsWith(LoadString(msg::FleetSaveFirst).arg(profile).left(40))) << m_sink.last().toStdString();
        EXPECT_FALSE(Frame()->ActiveChild()->Document()->IsModified()) << "saved before the radios";
        m_sink.clear();
    }
    ASSERT_TRUE(sawWindow);
    EXPECT_FALSE(Frame()->RadioBusy());

    ASSERT_EQ(rows.size(), 3) << rows.join(QLatin1Char('\n')).toStdString();
    const QString written = LoadString(msg::FleetWrittenAndVerified);
    for (int n : {0, 2}) {
        const QStringList cells = rows[n].split(QLatin1Char('|'));
        EXPECT_EQ(cells[CFleetDialog::ColNumber], QString::number(n + 1));
        EXPECT_EQ(cells[CFleetDialog::ColSerial], QLatin1String(serials[n]));
        EXPECT_EQ(cells[CFleetDialog::ColModel], QStringLiteral("OUD11602"));
        EXPECT_EQ(cells[CFleetDialog::ColFirmware], QStringLiteral("R02.01"));
        EXPECT_EQ(cells[CFleetDialog::ColResult], written);
        EXPECT_TRUE(cells[CFleetDialog::ColBackup].startsWith(QLatin1String(serials[n]))) << rows[n].toStdString();
    }
    EXPECT_EQ(colours[0], colours[2]);
    EXPECT_NE(colours[0], colours[1]);
    // The refusing radio: why, that its memory is unchanged (it refused the
    // first block), what to do; its backup was saved before the write.
    const QStringList failed = rows[1].split(QLatin1Char('|'));
    EXPECT_EQ(failed[CFleetDialog::ColSerial], QLatin1String(serials[1]));
    EXPECT_EQ(failed[CFleetDialog::ColPort], QFileInfo(port).fileName());
    EXPECT_TRUE(failed[CFleetDialog::ColResult].contains(QLatin1String("(protocol error -12)"))) << rows[1].toStdString();
    EXPECT_TRUE(failed[CFleetDialog::ColResult].contains(LoadString(msg::FleetRefusedUnchanged))) << rows[1].toStdString();
    EXPECT_FALSE(failed[CFleetDialog::ColResult].contains(LoadString(msg::PartlyWrittenCodeplug))) << rows[1].toStdString();
    EXPECT_FALSE(failed[CFleetDialog::ColBackup].isEmpty());
    EXPECT_TRUE(summary.startsWith(QStringLiteral("Written: 2, failed: 1, elapsed "))) << summary.toStdString();
    EXPECT_TRUE(m_sink.empty()) << "no message stopped the run: " << m_sink.last().toStdString();

    const QStringList lines = LogLines(log);
    ASSERT_EQ(lines.size(), 4) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines[0], QLatin1String(kFleetLogHeader));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("FLT0000001,OUD11602,R02.01,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",OK,Verify Succeeded!,%1,").arg(port))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",%1,").arg(profile))) << "the saved profile's file: " << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("FLT0000002,OUD11602,R02.01,"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(QLatin1String(",FAILED,"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("FLT0000003,"))) << lines[3].toStdString();
    EXPECT_TRUE(lines[3].contains(QLatin1String(",OK,Verify Succeeded!,"))) << lines[3].toStdString();
}

// The station with four ports at once, driven through its buttons: a tile
// per port (green done, red failed with what to do, grey waiting), a
// progress bar on the port that writes, the table with a Port column and
// its newest row in view, and a sound for each radio done or failed.
TEST_F(FleetGui, FourPortsAtOnceEachHaveTheirTile)
{
    ASSERT_TRUE(Start());
    CRadioDataModel profile;
    ASSERT_NO_FATAL_FAILURE(LoadSample(profile));
    std::vector<CableConfig> ports(4);
    for (int n = 0; n < 4; ++n)
        ports[static_cast<size_t>(n)].portPath = m_dir.filePath(QStringLiteral("ttyPort%1").arg(n));
    const QString log = m_dir.filePath(QStringLiteral("station.csv"));
    CFleetDialog fleet(profile, QStringLiteral("event"), QStringLiteral("/profiles/event.kp2"), log, ports);
    fleet.show();
    ASSERT_EQ(fleet.TileCount(), 4);
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ(fleet.Tile(n)->PortLabel()->text(), QStringLiteral("ttyPort%1").arg(n));
        EXPECT_EQ(fleet.Tile(n)->toolTip(), ports[static_cast<size_t>(n)].portPath);
        EXPECT_GE(fleet.Tile(n)->StateLabel()->font().pointSize(), 16) << "readable across the room";
    }
    EXPECT_EQ(fleet.Table()->horizontalHeaderItem(CFleetDialog::ColPort)->text(), LoadString(msg::FleetColumnPort));
    fleet.StartButton()->click();

    // Two quick radios, one refusing, one at the cable's own pace.
    const char *serials[] = {"STA0000001", "STA0000002", "STA0000003", "STA0000004"};
    std::vector<std::unique_ptr<SimProcess>> sims;
    for (int n = 0; n < 4; ++n) {
        QStringList args{QStringLiteral("--image"), RadioImage(n, serials[n]), QStringLiteral("--baud"), n == 2 ? QStringLiteral("16406") : QStringLiteral("0"),
                         QStringLiteral("--link"), ports[static_cast<size_t>(n)].portPath};
        if (n == 1)
            args << QStringLiteral("--refuse-write");
        sims.push_back(std::make_unique<SimProcess>(args));
    }
    ASSERT_TRUE(WaitFor([&] { return fleet.Table()->rowCount() >= 3; }, 90000));
    // Mid-run: the slow port writes with its progress bar, the others show
    // their results.
    const bool slowStillWriting = fleet.Tile(2)->TileState() == CFleetTile::Writing;
    if (slowStillWriting)
        EXPECT_TRUE(fleet.Tile(2)->Progress()->isVisible());
    const QString shots = qEnvironmentVariable("TAVO_FLEET_SHOTS");
    if (!shots.isEmpty())
        fleet.grab().save(shots + QStringLiteral("/station-mid-run.png"));
    ASSERT_TRUE(WaitFor([&] { return fleet.Table()->rowCount() == 4; }, 120000));
    QApplication::processEvents();
    EXPECT_EQ(fleet.Tile(0)->TileState(), CFleetTile::Done);
    EXPECT_EQ(fleet.Tile(1)->TileState(), CFleetTile::Failed);
    EXPECT_EQ(fleet.Tile(2)->TileState(), CFleetTile::Done);
    EXPECT_EQ(fleet.Tile(3)->TileState(), CFleetTile::Done);
    EXPECT_TRUE(fleet.Tile(0)->StateLabel()->text().contains(QLatin1String(serials[0])));
    EXPECT_TRUE(fleet.Tile(1)->StateLabel()->text().contains(QLatin1String(serials[1])));
    EXPECT_TRUE(fleet.Tile(1)->DetailLabel()->text().contains(LoadString(msg::FleetRefusedUnchanged))) << fleet.Tile(1)->DetailLabel()->text().toStdString();
    EXPECT_NE(fleet.Tile(0)->palette().color(QPalette::Window), fleet.Tile(1)->palette().color(QPalette::Window));
    EXPECT_EQ(fleet.Sound()->Played(true), 3);
    EXPECT_EQ(fleet.Sound()->Played(false), 1);
    for (int r = 0; r < 4; ++r) {
        const QString serial = fleet.Table()->item(r, CFleetDialog::ColSerial)->text();
        const int n = serial.right(1).toInt() - 1;
        EXPECT_EQ(fleet.Table()->item(r, CFleetDialog::ColPort)->text(), QStringLiteral("ttyPort%1").arg(n));
        EXPECT_EQ(fleet.Table()->item(r, CFleetDialog::ColPort)->toolTip(), ports[static_cast<size_t>(n)].portPath);
    }
    // The newest row is in view.
    QTableWidget *table = fleet.Table();
    const QRect newest = table->visualItemRect(table->item(3, 0));
    EXPECT_TRUE(table->viewport()->rect().intersects(newest));
    if (!shots.isEmpty())
        fleet.grab().save(shots + QStringLiteral("/station-end.png"));

    fleet.StopButton()->click();
    ASSERT_TRUE(WaitFor([&] { return !fleet.Running(); }, 20000));
    EXPECT_EQ(LogLines(log).size(), 5);
}

// The two sounds are short waves of their own.
TEST(FleetSounds, DoneAndFailedAreDifferentShortWaves)
{
    const QByteArray done = FleetSoundWave(true), failed = FleetSoundWave(false);
    for (const QByteArray &w : {done, failed}) {
        ASSERT_GT(w.size(), 44);
        EXPECT_TRUE(w.startsWith("RIFF"));
        EXPECT_EQ(w.mid(8, 8), QByteArray("WAVEfmt "));
        const auto le32 = [&](int at) { return static_cast<uint32_t>(static_cast<uint8_t>(w[at])) | static_cast<uint32_t>(static_cast<uint8_t>(w[at + 1])) << 8
                                                  | static_cast<uint32_t>(static_cast<uint8_t>(w[at + 2])) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(w[at + 3])) << 24; };
        EXPECT_EQ(le32(4), static_cast<uint32_t>(w.size() - 8));
        EXPECT_EQ(le32(40), static_cast<uint32_t>(w.size() - 44));
        const double seconds = (w.size() - 44) / 2.0 / le32(24);
        EXPECT_GT(seconds, 0.2);
        EXPECT_LT(seconds, 1.5) << "short";
    }
    EXPECT_NE(done, failed);
}

// The log dialog: a name typed without extension gets ".csv" unless a file
// of that very name is there to append to (a device such as /dev/full is
// never turned into /dev/full.csv).
TEST_F(FleetGui, TheLogNameKeepsAnExistingFileAsItIs)
{
    ASSERT_TRUE(Start());
    CFileDialogs::SetNextAnswer(QStringLiteral("/dev/full"));
    EXPECT_EQ(CFileDialogs::GetFleetLogName(nullptr, QString()), QStringLiteral("/dev/full"));
    const QString log = m_dir.filePath(QStringLiteral("radios"));
    CFileDialogs::SetNextAnswer(log);
    EXPECT_EQ(CFileDialogs::GetFleetLogName(nullptr, QString()), log + QStringLiteral(".csv"));
    ASSERT_TRUE(test::WriteFileBytes(log, "serial\n"));
    CFileDialogs::SetNextAnswer(log);
    EXPECT_EQ(CFileDialogs::GetFleetLogName(nullptr, QString()), log);
}

// A radio with a password: the dialog's title names the radio and its
// port; cancelled, the row says why nothing was written and what to do.
TEST_F(FleetGui, ThePasswordDialogNamesTheRadioAndItsPort)
{
    ASSERT_TRUE(Start());
    CRadioDataModel profile;
    ASSERT_NO_FATAL_FAILURE(LoadSample(profile));
    std::vector<CableConfig> ports(1);
    ports[0].portPath = m_dir.filePath(QStringLiteral("ttyLocked"));
    CFleetDialog fleet(profile, QStringLiteral("event"), QStringLiteral("event.kp2"), m_dir.filePath(QStringLiteral("locked.csv")), ports);
    fleet.show();
    VirtualCP locked = test::SampleImage();
    std::memcpy(locked.SerialBytes(), "LOCK000001", VirtualCP::kSerialWidth);
    std::memcpy(locked.PasswordBytes(), "1234", 4);
    const QString image = m_dir.filePath(QStringLiteral("locked.img"));
    ASSERT_TRUE(test::WriteFileBytes(image, QByteArray(reinterpret_cast<const char *>(locked.bytes.data()), VirtualCP::kSize)));
    QString title;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *ask = qobject_cast<CAskPwdDlg *>(QApplication::activeModalWidget())) {
            title = ask->windowTitle();
            ask->reject();
        }
    });
    poll.start(50);
    fleet.StartButton()->click();
    SimProcess sim({QStringLiteral("--image"), image, QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--link"), ports[0].portPath});
    ASSERT_TRUE(WaitFor([&] { return fleet.Table()->rowCount() == 1; }, 60000));
    poll.stop();
    EXPECT_EQ(title, LoadString(msg::FleetPasswordTitle).arg(QStringLiteral("LOCK000001"), ports[0].portPath));
    EXPECT_EQ(fleet.Table()->item(0, CFleetDialog::ColResult)->text(), LoadString(msg::FleetPasswordCancelled));
    EXPECT_EQ(fleet.Tile(0)->TileState(), CFleetTile::Failed);
    fleet.StopButton()->click();
    ASSERT_TRUE(WaitFor([&] { return !fleet.Running(); }, 20000));
}
