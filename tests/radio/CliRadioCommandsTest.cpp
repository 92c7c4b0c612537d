// The radio commands of the main frame on the command line against
// tavo-radio-sim over a pseudo-terminal: read into a profile, write a
// profile with its checks and questions, passwords, a smaller radio,
// backups, verify, the serial trace and a batch of radios.

#include "RadioTestSupport.h"

#include "support/CliRunner.h"
#include "support/SmallDisk.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "workflow/CRadioCommands.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>

using namespace tavo;
using tavo::test::SimProcess;

namespace {

// A radio image file: the sample with `change` applied.
QString RadioImage(const QTemporaryDir &dir, const QString &name, const std::function<void(VirtualCP &)> &change)
{
    VirtualCP cp = test::SampleImage();
    change(cp);
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize);
    return path;
}

void SetModel(VirtualCP &cp, const char letters[3], std::initializer_list<uint8_t> digits)
{
    std::memcpy(cp.At(6), letters, 3);
    size_t i = 9;
    for (uint8_t d : digits)
        cp.bytes[i++] = d;
}

struct RadioCommands : ::testing::Test {
    QTemporaryDir dir;
    QString profile;

    void SetUp() override
    {
        // The sample radio's profile, plain XML.
        const test::CliResult r = test::RunCli({QStringLiteral("image2profile"), test::SampleImagePath()});
        ASSERT_EQ(r.exitCode, 0);
        profile = dir.filePath(QStringLiteral("sample.xml"));
        QFile f(profile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(r.out);
    }

    // tavocps-cli with the backups in our folder (or in `dataHome`).
    test::CliResult Cli(const QStringList &args, const QString &dataHome = QString(), int timeoutMs = 120000)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.isEmpty() ? dir.filePath(QStringLiteral("data")) : dataHome);
        p.setProcessEnvironment(env);
        p.setProgram(QStringLiteral(TAVO_BIN_DIR "/tavocps-cli"));
        p.setArguments(args);
        return test::StartAndCollect(p, QByteArray(), timeoutMs);
    }
    QStringList Backups() const { return QDir(dir.filePath(QStringLiteral("data/tavocps/backups"))).entryList(QDir::Files, QDir::Name); }
};

QString Text(const QByteArray &b)
{
    return QString::fromUtf8(b);
}

} // namespace

// A read into a profile file, a write of it with a backup first and a
// verify after; the trace records the bytes.
TEST_F(RadioCommands, ReadIntoAProfileThenWriteItBackWithBackupAndVerify)
{
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Port().isEmpty());
    const QString kp2 = dir.filePath(QStringLiteral("radio.kp2"));
    test::CliResult r = Cli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--profile"), kp2});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = Cli({QStringLiteral("decode"), kp2});
    EXPECT_TRUE(Text(r.out).contains(QLatin1String("model=\"OUD11602\""))) << "a stored profile file of the radio";

    const QString trace = dir.filePath(QStringLiteral("trace.txt"));
    r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), kp2, QStringLiteral("--verify"), QStringLiteral("--trace"), trace});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("Write Succeeded!\nVerify Succeeded!")));
    const QStringList backups = Backups();
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^123ABC4567-\\d{8}-\\d{6}\\.img$")).match(backups.first()).hasMatch()) << backups.first().toStdString();
    QFile backup(dir.filePath(QStringLiteral("data/tavocps/backups/")) + backups.first());
    QFile sample(test::SampleImagePath());
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly) && sample.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), sample.readAll()) << "the backup is what the radio held";
    QFile t(trace);
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    const QString traced = QString::fromUtf8(t.readAll());
    EXPECT_TRUE(traced.contains(QLatin1String(" TX FF 17 00 24 01 00 00"))) << "the first write chunk is in the trace";

    // The backup puts back what the radio held.
    r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), backup.fileName()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
}

// A radio with a password: missing or wrong ends with 279 and nothing is
// read or written; the right one opens it.
TEST_F(RadioCommands, APasswordIsAskedForAndChecked)
{
    const QString image = RadioImage(dir, QStringLiteral("pwd.img"), [](VirtualCP &cp) { std::memcpy(cp.PasswordBytes(), "1234", 4); });
    SimProcess sim({QStringLiteral("--image"), image, QStringLiteral("--baud"), QStringLiteral("0")});
    const QString kp2 = dir.filePath(QStringLiteral("radio.kp2"));
    for (const QStringList &extra : {QStringList{}, QStringList{QStringLiteral("--password"), QStringLiteral("9999")}}) {
        const test::CliResult r = Cli(QStringList{QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--profile"), kp2} + extra);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("The password is not correct. Please check it!"))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(kp2));
    }
    test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--password"), QStringLiteral("9999")});
    EXPECT_EQ(r.exitCode, 1);
    r = Cli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--profile"), kp2, QStringLiteral("--password"), QStringLiteral("1234")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(kp2));
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("WRITE")), 0) << "nothing written without the password";
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 1) << "only the read with the password started a transfer";
}

// The checks of a read and a write: a radio of another region (read: 403
// naming the edition), another clone class (write: 462), another band
// (269), a channel frequency out of range (511), codes the radio lacks
// (483), an unknown codeplug (402); a smaller radio asks 319: No leaves the
// radio untouched, --yes converts.
TEST_F(RadioCommands, ChecksAfterTheIdentificationAndTheSmallerRadio)
{
    struct Case {
        const char *name;
        std::function<void(VirtualCP &)> change;
        bool read;
        const char *message;
    };
    const Case cases[] = {
        {"americas", [](VirtualCP &cp) { SetModel(cp, "OUD", {1, 1, 6, 0, 1}); }, true,
         "The CPS does not support this radio's region. Please use the \"Tavo Americas CPS\"."},
        {"clone", [](VirtualCP &cp) { cp.SetCloneCompatibility(21); }, false, "The CPS does not support this radio model."},
        {"band", [](VirtualCP &cp) { SetModel(cp, "OVD", {1, 1, 6, 0, 2}); }, false, "Invalid frequency: This frequency is not supported by this radio."},
    };
    for (const Case &c : cases) {
        SimProcess sim({QStringLiteral("--image"), RadioImage(dir, QLatin1String(c.name) + QStringLiteral(".img"), c.change), QStringLiteral("--baud"), QStringLiteral("0")});
        const test::CliResult r = c.read ? Cli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--profile"), dir.filePath(QStringLiteral("x.kp2"))})
                                         : Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile});
        EXPECT_EQ(r.exitCode, 1) << c.name;
        EXPECT_TRUE(Text(r.err).contains(QLatin1String(c.message))) << c.name << ": " << r.err.toStdString();
        sim.Stop();
        EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 0) << c.name << ": no transfer started";
    }

    // The profile's own checks: a channel frequency outside its range (511,
    // before anything is asked of the radio); a code above 122 for a radio
    // that has no more (483); a radio codeplug this installation does not
    // handle (402).
    auto edited = [&](const QString &name, const QString &from, const QString &to) {
        QFile in(profile);
        in.open(QIODevice::ReadOnly);
        const QString path = dir.filePath(name);
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(QString::fromUtf8(in.readAll()).replace(from, to).toUtf8());
        return path;
    };
    {
        SimProcess sim({QStringLiteral("--image"), RadioImage(dir, QStringLiteral("122.img"), [](VirtualCP &cp) { cp.SetMaxCodes(122); }),
                        QStringLiteral("--baud"), QStringLiteral("0")});
        test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(),
                                 edited(QStringLiteral("range.xml"), QStringLiteral("start_freq=\"446000000\""), QStringLiteral("start_freq=\"446100000\""))});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("At least one channel frequency is out of the valid frequency range."))) << r.err.toStdString();
        r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(),
                 edited(QStringLiteral("code.xml"), QStringLiteral("rx_code=\"1\""), QStringLiteral("rx_code=\"200\""))});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("(CT/DCS Code). Its range is 0 - 122."))) << r.err.toStdString();
        sim.Stop();
        EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 0);
        EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("STATUS")), 1) << "511 asks nothing of the radio";
    }
    {
        SimProcess sim({QStringLiteral("--image"), RadioImage(dir, QStringLiteral("cp.img"), [](VirtualCP &cp) {
                            cp.SetCodeplugPhase('R');
                            cp.SetCodeplugVersion(19);
                        }),
                        QStringLiteral("--baud"), QStringLiteral("0")});
        const test::CliResult r = Cli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--profile"), dir.filePath(QStringLiteral("x.kp2"))});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("Codeplug version of CPS and radio are incompatible! Please update your CPS."))) << r.err.toStdString();
    }

    const QString small = RadioImage(dir, QStringLiteral("small.img"), [](VirtualCP &cp) { SetModel(cp, "OUD", {1, 0, 8, 0, 2}); });
    SimProcess sim({QStringLiteral("--image"), small, QStringLiteral("--baud"), QStringLiteral("0")});
    test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("When converting from high-tier radio to low-tier radio"))) << r.err.toStdString();
    r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--yes"), QStringLiteral("--verify")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 1) << "the No wrote nothing";
}

// --verify catches a radio that did not keep a byte it was sent.
TEST_F(RadioCommands, VerifyNamesTheFieldARadioDidNotKeep)
{
    // The radio says HELLO at power-up; the profile WELCOME; byte 24 of the
    // settings record (the first power-up character) is stuck: named as the
    // change list names that field.
    const QString image = RadioImage(dir, QStringLiteral("hello.img"), [](VirtualCP &cp) { std::memcpy(cp.PowerupTextBytes(), "HELLO\0\0\0", 8); });
    SimProcess sim({QStringLiteral("--image"), image, QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--stuck-byte"), QStringLiteral("10018")});
    const test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--verify")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("Verify Failed! The radio does not hold what was written: the first difference is in Power-up text.")))
        << r.err.toStdString();
}

// Three radios one after another on one port (each simulator links the
// same path): each written and verified, one log line each, each radio
// keeping its own serial number.
TEST_F(RadioCommands, ABatchProgramsOneRadioAfterAnother)
{
    const QString port = dir.filePath(QStringLiteral("radio-port"));
    const QString log = dir.filePath(QStringLiteral("batch.csv"));
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(TAVO_BIN_DIR "/tavocps-cli"), {QStringLiteral("write"), QStringLiteral("--port"), port, profile, QStringLiteral("--batch"), log});
    ASSERT_TRUE(cli.waitForStarted());
    auto lines = [&] {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList();
    };
    const char *serials[] = {"SER0000001", "SER0000002", "SER0000003"};
    for (int n = 0; n < 3; ++n) {
        const QString image = RadioImage(dir, QStringLiteral("r%1.img").arg(n), [&](VirtualCP &cp) { std::memcpy(cp.SerialBytes(), serials[n], 10); });
        SimProcess sim({QStringLiteral("--image"), image, QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--link"), port});
        ASSERT_FALSE(sim.Port().isEmpty());
        for (int wait = 0; wait < 300 && lines().size() < n + 2; ++wait)
            QThread::msleep(100);
        ASSERT_EQ(lines().size(), n + 2) << cli.readAllStandardError().toStdString();
    }
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
    ASSERT_TRUE(cli.waitForFinished(20000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QStringList l = lines();
    ASSERT_EQ(l.size(), 4);
    EXPECT_EQ(l[0], QStringLiteral("serial,model,firmware,time,result,message,port,backup,profile,sha256"));
    for (int n = 0; n < 3; ++n) {
        EXPECT_TRUE(l[n + 1].startsWith(QStringLiteral("%1,OUD11602,R02.01,").arg(QLatin1String(serials[n])))) << l[n + 1].toStdString();
        EXPECT_TRUE(l[n + 1].contains(QStringLiteral(",OK,Verify Succeeded!,%1,").arg(port))) << l[n + 1].toStdString();
        EXPECT_TRUE(l[n + 1].contains(QStringLiteral(",%1,").arg(QFileInfo(profile).absoluteFilePath()))) << l[n + 1].toStdString();
    }
    EXPECT_EQ(Backups().size(), 3);
}

// Verify compares every byte the write sent: a channel record's checksum
// byte that did not take is named, though every field of the channel did.
TEST_F(RadioCommands, VerifyNamesAChannelChecksumThatDidNotTake)
{
    // The radio's channel 1 differs from the profile's, so its checksum
    // byte (10031) must change; it is stuck.
    const QString image = RadioImage(dir, QStringLiteral("other.img"), [](VirtualCP &cp) {
        ChannelSlot c = cp.Channel(0);
        c.SetTxCode(c.TxCode() + 1);
        cp.SetChannel(0, c);
    });
    SimProcess sim({QStringLiteral("--image"), image, QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--stuck-byte"), QStringLiteral("10031")});
    const test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--verify")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("Verify Failed! The radio does not hold what was written: the first difference is in channel 1 checksum.")))
        << r.err.toStdString();
}

// A backup that cannot be written (its folder on a full disk) ends the
// write before a byte goes to the radio, naming the backup and the cause.
TEST_F(RadioCommands, ABackupOnAFullDiskStopsTheWriteBeforeTheRadio)
{
    test::SmallDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why();
    const QString backups = disk.FilePath(QStringLiteral("data/tavocps/backups"));
    ASSERT_TRUE(QDir().mkpath(backups));
    disk.Fill();
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    const test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--verify")}, disk.FilePath(QStringLiteral("data")));
    EXPECT_EQ(r.exitCode, 1);
    const QString err = Text(r.err);
    EXPECT_TRUE(err.contains(QStringLiteral("The radio's current image could not be backed up (Cannot write %1/").arg(backups))) << r.err.toStdString();
    EXPECT_TRUE(err.contains(QLatin1String(".img: No space left on device), so nothing was written."))) << r.err.toStdString();
    EXPECT_FALSE(err.contains(QLatin1String("previous image was saved"))) << r.err.toStdString();
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("WRITE")), 0);
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("FREQ")), 0);
    EXPECT_EQ(QDir(backups).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// A batch log that is a pipe, a full device or on a full disk stops the
// batch with a message before a radio is written; nothing waits.
TEST_F(RadioCommands, ABatchLogThatCannotBeWrittenStopsTheBatch)
{
    const QString fifo = dir.filePath(QStringLiteral("log.fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QStringList logs{QStringLiteral("/dev/full"), fifo};
    test::SmallDisk disk;
    if (disk.Mounted()) {
        disk.Fill();
        logs << disk.FilePath(QStringLiteral("batch.csv"));
    } else {
        std::fprintf(stderr, "%s\n", disk.Why().c_str());
    }
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    for (const QString &log : logs) {
        const test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--batch"), log}, QString(), 20000);
        EXPECT_EQ(r.exitCode, 1) << log.toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("The batch log cannot be written ("))) << r.err.toStdString();
        EXPECT_TRUE(Text(r.err).contains(log)) << r.err.toStdString();
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("The batch stops here, before the next radio."))) << r.err.toStdString();
    }
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 0) << "no radio was written";
}

// A radio that fails in its identification is logged by the serial it
// answered with when it came, never with a blank one.
TEST_F(RadioCommands, ABatchLogsAFailedRadioByTheSerialItAnswered)
{
    const QString log = dir.filePath(QStringLiteral("batch.csv"));
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--memory-status"), QStringLiteral("8")});
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(TAVO_BIN_DIR "/tavocps-cli"), {QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--batch"), log});
    ASSERT_TRUE(cli.waitForStarted());
    QStringList lines;
    for (int wait = 0; wait < 300 && lines.size() < 2; ++wait) {
        QThread::msleep(100);
        QFile f(log);
        if (f.open(QIODevice::ReadOnly))
            lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
    ASSERT_TRUE(cli.waitForFinished(20000));
    ASSERT_EQ(lines.size(), 2) << cli.readAllStandardError().toStdString();
    const QStringList fields = lines[1].split(QLatin1Char(','));
    EXPECT_EQ(fields[0], ImageSerial(test::SampleImage())) << lines[1].toStdString();
    EXPECT_FALSE(fields[0].isEmpty());
    EXPECT_TRUE(QDateTime::fromString(fields[3], Qt::ISODate).isValid()) << lines[1].toStdString();
    EXPECT_EQ(fields[4], QStringLiteral("FAILED"));
}

// A trace that is a pipe is refused at once; one that cannot be written is
// said once on stderr and the command goes on.
TEST_F(RadioCommands, ATraceThatIsAPipeOrCannotBeWritten)
{
    const QString fifo = dir.filePath(QStringLiteral("trace.fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    test::CliResult r = Cli({QStringLiteral("identify"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--trace"), fifo}, QString(), 20000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Text(r.err).contains(fifo + QStringLiteral(" is neither a regular file nor a device"))) << r.err.toStdString();

    r = Cli({QStringLiteral("identify"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--trace"), QStringLiteral("/dev/full")}, QString(), 20000);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(Text(r.err).count(QStringLiteral("The trace cannot be written (/dev/full: No space left on device). The transfer goes on without it.")), 1)
        << r.err.toStdString();
    EXPECT_TRUE(Text(r.out).contains(QLatin1String("OUD11602"))) << r.out.toStdString();
}

// A profile holding a value no radio can take is refused before anything
// goes to the radio: the message names the attribute, value and range,
// the radio hears nothing, and no backup is made.
TEST_F(RadioCommands, AWriteRefusesValuesOutsideTheFormatBeforeTheRadio)
{
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Port().isEmpty());
    QFile f(profile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    f.close();
    const std::pair<QByteArray, QByteArray> changes[] = {
        {"<preset channel=\"0\"", "<preset channel=\"200\""},
        {"maxChannels=\"16\"", "maxChannels=\"255\""},
    };
    for (const auto &[from, to] : changes) {
        SCOPED_TRACE(to.toStdString());
        QByteArray changed = text;
        ASSERT_GE(changed.indexOf(from), 0);
        changed.replace(changed.indexOf(from), from.size(), to);
        const QString path = dir.filePath(QStringLiteral("bad.xml"));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(changed);
        out.close();
        const test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), path, QStringLiteral("--yes")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("is outside its range"))) << r.err.toStdString();
        EXPECT_FALSE(Text(r.err).contains(QLatin1String("Write Succeeded!")));
    }
    sim.Stop();
    EXPECT_TRUE(sim.Log().filter(QRegularExpression(QStringLiteral("^(LINK|STATUS|READ|WRITE)"))).isEmpty()) << sim.Log().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(Backups().isEmpty());
}

// write --image takes the road of a profile write: a backup of what the
// radio holds first, --verify (a stuck byte named as the change list names
// its field), the profile checks (a channel outside the image's frequency
// range: 511 before the radio is asked anything), and an image of another
// radio said plainly and written only when answered yes.
TEST_F(RadioCommands, WriteImageTakesTheWholeRoadOfAProfileWrite)
{
    const QString renamed = RadioImage(dir, QStringLiteral("newname.img"), [](VirtualCP &cp) {
        ChannelSlot c = cp.Channel(1);
        std::memcpy(c.NameBytes(), "NEWNAME\0", 8);
        cp.SetChannel(1, c);
    });
    {
        SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--stuck-byte"), QStringLiteral("10037")});
        const test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), renamed, QStringLiteral("--verify")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("Verify Failed! The radio does not hold what was written: the first difference is in Channel 2 name.")))
            << r.err.toStdString();
        EXPECT_FALSE(Text(r.err).contains(QLatin1String("Write Succeeded!")));
        EXPECT_EQ(Backups().size(), 1) << "what the radio held was saved first";
    }
    const QString other = RadioImage(dir, QStringLiteral("other.img"), [](VirtualCP &cp) { std::memcpy(cp.SerialBytes(), "999ZZZ9999", 10); });
    {
        SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
        test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), other});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("This image was read from another radio (serial number 999ZZZ9999); the radio connected is 123ABC4567.")))
            << r.err.toStdString();
        EXPECT_FALSE(Text(r.err).contains(QLatin1String("Write Succeeded!")));
        r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), other, QStringLiteral("--yes"), QStringLiteral("--verify")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("Write Succeeded!\nVerify Succeeded!")));
        sim.Stop();
        EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 1) << "the No wrote nothing";
    }
    const QString outside = RadioImage(dir, QStringLiteral("outside.img"), [](VirtualCP &cp) {
        std::memcpy(cp.SerialBytes(), "999ZZZ9999", 10);
        FrequencySlot f = cp.Frequency(cp.Channel(0).RxFreqNdx());
        HzToSynth(470006250, f, cp.SynthBase());
        cp.SetFrequency(cp.Channel(0).RxFreqNdx(), f);
    });
    {
        SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
        const test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), outside, QStringLiteral("--yes")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("At least one channel frequency is out of the valid frequency range."))) << r.err.toStdString();
        sim.Stop();
        EXPECT_TRUE(sim.Log().filter(QRegularExpression(QStringLiteral("^(LINK|STATUS|READ|WRITE)"))).isEmpty()) << sim.Log().join(QLatin1Char('\n')).toStdString();
    }
}

// A read-back that fails after the write went through whole: the radio
// holds the new codeplug, unverified; not a partly written radio.
TEST_F(RadioCommands, AReadBackThatFailsAfterAWholeWriteSaysTheWriteIsUnverified)
{
    // The replies up to the write's reset, counted on a run that succeeds.
    int replies = 0;
    {
        SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
        const test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--verify")});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        sim.Stop();
        for (const QString &line : sim.Log()) {
            if (line.startsWith(QLatin1String("FAULT")) || line.startsWith(QLatin1String("END")))
                continue;
            ++replies;
            if (line == QLatin1String("RESET"))
                break;
        }
    }
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--silent-after"), QString::number(replies)});
    const test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--verify")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("The radio now holds the new codeplug, but it could not be read back: the write is unverified.")))
        << r.err.toStdString();
    EXPECT_FALSE(Text(r.err).contains(QLatin1String("partly written")));
    EXPECT_FALSE(Text(r.err).contains(QLatin1String("Verify Succeeded!")));
}

// Two ports in one batch: each radio written on its own port at once, one
// line each with its port; several ports without --batch are refused.
TEST_F(RadioCommands, ABatchTakesSeveralPortsAtOnce)
{
    const QString log = dir.filePath(QStringLiteral("station.csv"));
    const QString portA = dir.filePath(QStringLiteral("port-a"));
    const QString portB = dir.filePath(QStringLiteral("port-b"));
    test::CliResult usage = Cli({QStringLiteral("identify"), QStringLiteral("--port"), portA, QStringLiteral("--port"), portB});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(Text(usage.err).contains(LoadString(msg::CliPortsNeedBatch))) << usage.err.toStdString();

    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(TAVO_BIN_DIR "/tavocps-cli"),
              {QStringLiteral("write"), profile, QStringLiteral("--batch"), log, QStringLiteral("--port"), portA, QStringLiteral("--port"), portB});
    ASSERT_TRUE(cli.waitForStarted());
    const QString imageA = RadioImage(dir, QStringLiteral("a.img"), [](VirtualCP &cp) { std::memcpy(cp.SerialBytes(), "TWOPORTS01", 10); });
    const QString imageB = RadioImage(dir, QStringLiteral("b.img"), [](VirtualCP &cp) { std::memcpy(cp.SerialBytes(), "TWOPORTS02", 10); });
    SimProcess simA({QStringLiteral("--image"), imageA, QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--link"), portA});
    SimProcess simB({QStringLiteral("--image"), imageB, QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--link"), portB});
    auto lines = [&] {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList();
    };
    for (int wait = 0; wait < 600 && lines().size() < 3; ++wait)
        QThread::msleep(100);
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
    ASSERT_TRUE(cli.waitForFinished(20000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QStringList l = lines();
    ASSERT_EQ(l.size(), 3) << l.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(l.filter(QStringLiteral("TWOPORTS01,")).first().contains(QStringLiteral(",OK,Verify Succeeded!,%1,").arg(portA)), true) << l.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(l.filter(QStringLiteral("TWOPORTS02,")).first().contains(QStringLiteral(",OK,Verify Succeeded!,%1,").arg(portB)), true) << l.join(QLatin1Char('\n')).toStdString();
}
