// The change list on the command line: `write PROFILE --dry-run` against
// tavo-radio-sim over a pseudo-terminal (the changes printed, the radio's
// memory untouched), and `diff A B` over profiles and images in any mix
// with diff's exit codes.

#include "RadioTestSupport.h"

#include "support/CliRunner.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavo;
using tavo::test::SimProcess;

namespace {

struct ChangeList : ::testing::Test {
    QTemporaryDir dir;
    QString sampleXml;  // the sample radio's profile, plain XML
    QString changedXml; // the same with another power-up text and channel 3 name

    void SetUp() override
    {
        const test::CliResult r = test::RunCli({QStringLiteral("image2profile"), test::SampleImagePath()});
        ASSERT_EQ(r.exitCode, 0);
        sampleXml = Save(QStringLiteral("sample.xml"), r.out);
        QString text = QString::fromUtf8(r.out);
        text.replace(QRegularExpression(QStringLiteral("powerupString=\"[^\"]*\"")), QStringLiteral("powerupString=\"SHOP 1\""));
        const QRegularExpression channel(QStringLiteral("(<channel [^>]*name=\")([^\"]*)\""));
        QRegularExpressionMatchIterator it = channel.globalMatch(text);
        for (int i = 0; i < 2 && it.hasNext(); ++i)
            it.next();
        const QRegularExpressionMatch third = it.next();
        m_oldName = third.captured(2);
        text.replace(third.capturedStart(2), third.capturedLength(2), QStringLiteral("NEW3"));
        changedXml = Save(QStringLiteral("changed.xml"), text.toUtf8());
    }

    QString Save(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    // tavocps-cli with the backups in our folder.
    test::CliResult Cli(const QStringList &args) { return test::RunCliWithDataHome(dir.filePath(QStringLiteral("data")), args); }

    QString m_oldName;
};

QString Text(const QByteArray &b)
{
    return QString::fromUtf8(b);
}

} // namespace

// A dry run identifies, checks and reads the radio, prints what would
// change and leaves the radio's memory and the backup folder as they were.
TEST_F(ChangeList, ADryRunPrintsTheChangesAndWritesNothing)
{
    QByteArray untouched;
    {
        SimProcess idle({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
        ASSERT_FALSE(idle.Port().isEmpty());
        idle.Stop();
        untouched = idle.Dump();
    }
    ASSERT_FALSE(untouched.isEmpty());

    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Port().isEmpty());
    test::CliResult r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), changedXml, QStringLiteral("--dry-run")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = Text(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.contains(QStringLiteral("Channel 3 name: %1 → NEW3").arg(m_oldName))) << r.out.toStdString();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString &l) { return l.startsWith(QLatin1String("Power-up text: ")) && l.endsWith(QStringLiteral(" → SHOP 1")); }))
        << r.out.toStdString();
    EXPECT_FALSE(Text(r.err).contains(QLatin1String("Write Succeeded!")));

    // The profile the radio already holds: nothing to change.
    r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), sampleXml, QStringLiteral("--dry-run")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(Text(r.out).trimmed(), QStringLiteral("No changes: the radio already holds this profile."));
    // An image is written as the profile it converts to: its dry run too.
    r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--dry-run")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(Text(r.out).trimmed(), QStringLiteral("No changes: the radio already holds this profile."));

    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("WRITE")), 0) << sim.Log().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(sim.Dump(), untouched) << "the radio's memory is as it was";
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("data/tavocps/backups"))).entryList(QDir::Files).isEmpty()) << "no backup of a write that did not happen";

    // --dry-run with what would write or has nothing to review is a usage error.
    for (const QStringList &extra : {QStringList{QStringLiteral("--verify")}, QStringList{QStringLiteral("--batch"), dir.filePath(QStringLiteral("log.csv"))}})
        EXPECT_EQ(Cli(QStringList{QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), changedXml, QStringLiteral("--dry-run")} + extra).exitCode, 2);
}

// diff compares profiles (plain XML or stored .kp2) and images in any mix:
// 0 when equal, 1 with the lines when they differ, 2 for a usage error.
TEST_F(ChangeList, DiffComparesAnyMixWithDiffsExitCodes)
{
    const QString kp2 = dir.filePath(QStringLiteral("changed.kp2"));
    ASSERT_EQ(Cli({QStringLiteral("encode"), changedXml, kp2}).exitCode, 0);

    test::CliResult r = Cli({QStringLiteral("diff"), test::SampleImagePath(), sampleXml});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    r = Cli({QStringLiteral("diff"), test::SampleImagePath(), kp2});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_TRUE(Text(r.out).contains(QStringLiteral("Channel 3 name: %1 → NEW3\n").arg(m_oldName))) << r.out.toStdString();

    r = Cli({QStringLiteral("diff"), kp2, changedXml});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();

    // Neither a profile nor an image: the operation fails.
    const QString junk = Save(QStringLiteral("junk.txt"), "not a profile");
    r = Cli({QStringLiteral("diff"), junk, sampleXml});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_TRUE(r.out.isEmpty());

    // "-" reads the standard input, a profile or an image, for either side.
    QFile changed(kp2), image(test::SampleImagePath());
    ASSERT_TRUE(changed.open(QIODevice::ReadOnly) && image.open(QIODevice::ReadOnly));
    r = test::RunTool(QStringLiteral("tavocps-cli"), {QStringLiteral("diff"), test::SampleImagePath(), QStringLiteral("-")}, changed.readAll());
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_TRUE(Text(r.out).contains(QStringLiteral("Channel 3 name: %1 → NEW3\n").arg(m_oldName))) << r.out.toStdString();
    r = test::RunTool(QStringLiteral("tavocps-cli"), {QStringLiteral("diff"), QStringLiteral("-"), sampleXml}, image.readAll());
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    EXPECT_EQ(Cli({QStringLiteral("diff"), QStringLiteral("-"), QStringLiteral("-")}).exitCode, 2);

    EXPECT_EQ(Cli({QStringLiteral("diff"), sampleXml}).exitCode, 2);
    EXPECT_EQ(Cli({QStringLiteral("diff"), sampleXml, sampleXml, sampleXml}).exitCode, 2);
}
