// Device > Program Several Radios against three tavo-radio-sim radios, one
// after another on one port path (each simulator links the same path), the
// second refusing every memory write: one row per radio, green or red, the
// failed one saying why and what to do, the run going on after it, the
// radio left on the cable not written twice, and the CSV log.

#include "GuiFixture.h"
#include "radio/RadioTestSupport.h"

#include "app/CFleetDialog.h"
#include "app/CRadioSettings.h"
#include "base/TemplateFile.h"
#include "profile/CDataAdaptor.h"
#include "resources/MessageIds.h"

#include <QElapsedTimer>
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
    CFileDialogs::SetNextAnswer(log);
    ASSERT_TRUE(Frame()->RunCommand(cmd::DeviceProgramSeveral));
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
    // The refusing radio: why, that it may be partly written, and its backup.
    const QStringList failed = rows[1].split(QLatin1Char('|'));
    EXPECT_EQ(failed[CFleetDialog::ColSerial], QLatin1String(serials[1]));
    EXPECT_TRUE(failed[CFleetDialog::ColResult].contains(QLatin1String("(protocol error -12)"))) << rows[1].toStdString();
    EXPECT_TRUE(failed[CFleetDialog::ColResult].contains(LoadString(msg::PartlyWrittenCodeplug))) << rows[1].toStdString();
    EXPECT_FALSE(failed[CFleetDialog::ColBackup].isEmpty());
    EXPECT_TRUE(failed[CFleetDialog::ColResult].contains(QStringLiteral("/data/tavocps/backups/") + failed[CFleetDialog::ColBackup])) << rows[1].toStdString();
    EXPECT_TRUE(summary.startsWith(QStringLiteral("Written: 2, failed: 1, elapsed "))) << summary.toStdString();
    EXPECT_TRUE(m_sink.empty()) << "no message stopped the run: " << m_sink.last().toStdString();

    const QStringList lines = LogLines(log);
    ASSERT_EQ(lines.size(), 4) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("serial,model,firmware,time,result,message"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("FLT0000001,OUD11602,R02.01,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QLatin1String(",OK,Verify Succeeded!"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("FLT0000002,OUD11602,R02.01,"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(QLatin1String(",FAILED,"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("FLT0000003,"))) << lines[3].toStdString();
    EXPECT_TRUE(lines[3].endsWith(QLatin1String(",OK,Verify Succeeded!"))) << lines[3].toStdString();
}
