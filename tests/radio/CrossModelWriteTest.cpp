// Profiles written into radios of other models through tavocps-cli against
// tavo-radio-sim over a pseudo-terminal: what the radio holds afterwards is
// what the profile says (frequencies for the radio's own synthesizer base),
// or nothing is written at all; codes the radio cannot hold and the
// programming-mode setting are named before the write.

#include "RadioTestSupport.h"

#include "support/CliRunner.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace tavo;
using tavo::test::SimProcess;

namespace {

struct CrossModel : ::testing::Test {
    QTemporaryDir dir;

    // tavocps-cli with the backups in our folder.
    test::CliResult Cli(const QStringList &args)
    {
        const bool had = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        const QByteArray before = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
        const test::CliResult r = test::RunCli(args);
        had ? qputenv("XDG_DATA_HOME", before) : qunsetenv("XDG_DATA_HOME");
        return r;
    }

    QString Template(const char *model) const { return QStringLiteral(TAVO_SOURCE_DIR "/install/profiletemplate/%1.kp2").arg(QLatin1String(model)); }

    // The profile text of an image file or profile.
    QString ProfileText(const QString &path)
    {
        const bool image = path.endsWith(QLatin1String(".img"));
        const test::CliResult r = Cli({image ? QStringLiteral("image2profile") : QStringLiteral("decode"), path});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QString::fromUtf8(r.out);
    }

    QString Save(const QString &name, const QString &text)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
        return path;
    }

    // The radio of a template: its image, as the radio holds it.
    QString RadioImage(const char *model)
    {
        const QString path = dir.filePath(QStringLiteral("%1.img").arg(QLatin1String(model)));
        const test::CliResult r = Cli({QStringLiteral("profile2image"), Template(model), path});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return path;
    }

    bool NoBackups() { return QDir(dir.filePath(QStringLiteral("data/tavocps/backups"))).entryList(QDir::Files).isEmpty(); }
};

// Every frequency of a profile text, in order.
QStringList Frequencies(const QString &xml)
{
    QStringList out;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("<frequency [^>]*freq=\"(\\d+)\"")).globalMatch(xml);
    while (it.hasNext())
        out << it.next().captured(1);
    return out;
}

QString Text(const QByteArray &b)
{
    return QString::fromUtf8(b);
}

} // namespace

// A licensed profile (461 MHz) into the PMR446 demonstration radio: refused
// before anything is written, the radio's range named; the radio's memory
// as it was, no backup of a write that did not happen.
TEST_F(CrossModel, ALicensedProfileIsRefusedByAPmr446Radio)
{
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Port().isEmpty());
    for (const QString &extra : {QStringLiteral("--dry-run"), QStringLiteral("--verify")}) {
        const test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), Template("OUR40822"), QStringLiteral("--yes"), extra});
        EXPECT_EQ(r.exitCode, 1) << extra.toStdString() << r.err.toStdString();
        EXPECT_TRUE(Text(r.err).contains(QStringLiteral("MHz is outside this radio's range (446.0-446.2 MHz). Nothing was written.")))
            << r.err.toStdString();
        EXPECT_FALSE(Text(r.err).contains(QLatin1String("Write Succeeded!")));
    }
    const QByteArray before = sim.Dump();
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("WRITE")), 0) << sim.Log().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(NoBackups());
}

// The demonstration profile (PMR446, base 400) into a licensed radio (base
// 380): the radio then holds exactly the profile's frequencies, verified.
TEST_F(CrossModel, APmr446ProfileLandsOnItsFrequenciesInALicensedRadio)
{
    const QString profile = Save(QStringLiteral("demo.xml"), ProfileText(test::SampleImagePath()));
    SimProcess sim({QStringLiteral("--image"), RadioImage("SUR41622"), QStringLiteral("--baud"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Port().isEmpty());
    test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--yes"), QStringLiteral("--verify")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("Verify Succeeded!"))) << r.err.toStdString();

    const QString back = dir.filePath(QStringLiteral("back.img"));
    r = Cli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), back});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString held = ProfileText(back);
    EXPECT_TRUE(held.contains(QLatin1String("synth_base_int_part=\"380\""))) << "the radio keeps its own base";
    const QStringList meant = Frequencies(ProfileText(profile));
    ASSERT_FALSE(meant.isEmpty());
    EXPECT_EQ(Frequencies(held).mid(0, meant.size()), meant);
    EXPECT_TRUE(Frequencies(held).contains(QStringLiteral("446006250")));
}

// A profile with codes the radio cannot hold (the demonstration radio
// identifies with 127 codes): the dry run names each one and what is
// written instead; without --yes the write asks and stops; the
// programming-mode setting is a change like any other and reads back.
TEST_F(CrossModel, CodesTheRadioCannotHoldAndTheProgrammingModeAreNamed)
{
    QString xml = ProfileText(test::SampleImagePath());
    const QRegularExpression firstChannel(QStringLiteral("(<channel [^>]*rx_code=\")(\\d+)(\")"));
    const QRegularExpressionMatch m = firstChannel.match(xml);
    ASSERT_TRUE(m.hasMatch());
    xml.replace(m.capturedStart(2), m.capturedLength(2), QStringLiteral("200")); // an inverted DCS code
    xml.replace(QStringLiteral("programming_mode_enabled=\"1\""), QStringLiteral("programming_mode_enabled=\"0\""));
    const QString profile = Save(QStringLiteral("codes.xml"), xml);

    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Port().isEmpty());
    test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--dry-run")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = Text(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2) << r.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("Channel 1 receive tone: Inverted DCS"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QLatin1String("cannot be held by this radio (codes up to 127): written as 67.0 Hz"))) << lines[0].toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Enable programming mode: ON → OFF"))) << r.out.toStdString();

    // Not silent without a change list either: asked, and No stops.
    r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("This radio cannot hold every code of the profile:"))) << r.err.toStdString();
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("Channel 1 receive tone: "))) << r.err.toStdString();

    r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile, QStringLiteral("--yes"), QStringLiteral("--verify")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString back = dir.filePath(QStringLiteral("back.img"));
    r = Cli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), back});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString held = ProfileText(back);
    EXPECT_TRUE(held.contains(QLatin1String("programming_mode_enabled=\"0\""))) << "the radio keeps what the close command carried";
    EXPECT_TRUE(firstChannel.match(held).captured(2) == QLatin1String("1")) << held.toStdString();
}
