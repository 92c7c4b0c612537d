// A profile written to a radio and read back is the same profile: for
// every template, through tavo-radio-sim of that model and the command
// line's write and read (the frequency table included, whose unused slots
// are not frequencies of the profile).

#include "RadioTestSupport.h"

#include "support/CliRunner.h"

#include <QDir>
#include <QMap>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

using namespace tavo;
using tavo::test::SimProcess;

namespace {

struct Element {
    QString name;
    QMap<QString, QString> attributes;
};

// The elements of a profile text in document order with their attributes.
QList<Element> Elements(const QString &xml)
{
    QList<Element> list;
    static const QRegularExpression element(QStringLiteral("<([A-Za-z_][\\w]*)((?:\\s+[\\w:]+\\s*=\\s*\"[^\"]*\")*)\\s*/?>"));
    static const QRegularExpression attribute(QStringLiteral("([\\w:]+)\\s*=\\s*\"([^\"]*)\""));
    for (auto it = element.globalMatch(xml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        Element e;
        e.name = m.captured(1);
        for (auto a = attribute.globalMatch(m.captured(2)); a.hasNext();) {
            const QRegularExpressionMatch am = a.next();
            if (am.captured(1) != QLatin1String("xmlns"))
                e.attributes.insert(am.captured(1), am.captured(2));
        }
        list << e;
    }
    return list;
}

QList<Element> Only(const QList<Element> &all, const QString &name)
{
    QList<Element> list;
    for (const Element &e : all)
        if (e.name == name)
            list << e;
    return list;
}

std::string Describe(const Element &e)
{
    QString text = e.name;
    for (auto it = e.attributes.cbegin(); it != e.attributes.cend(); ++it)
        text += QStringLiteral(" %1=%2").arg(it.key(), it.value());
    return text.toStdString();
}

class WriteReadRoundTrip : public ::testing::Test {
protected:
    QTemporaryDir dir;

    test::CliResult Cli(const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        p.setProcessEnvironment(env);
        p.setProgram(QStringLiteral(TAVO_BIN_DIR "/tavocps-cli"));
        p.setArguments(args);
        return test::StartAndCollect(p);
    }
};

} // namespace

TEST_F(WriteReadRoundTrip, EveryTemplateReadsBackAsWritten)
{
    const QString templates = QStringLiteral(TAVO_SOURCE_DIR "/install/profiletemplate");
    const QStringList files = QDir(templates).entryList({QStringLiteral("*.kp2")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 13);
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        const QString profile = templates + QLatin1Char('/') + file;
        // A radio of the template's own model, holding another profile's
        // values: the radio image of the template with its channels and
        // frequencies cleared.
        const QString image = dir.filePath(file + QStringLiteral(".img"));
        test::CliResult r = Cli({QStringLiteral("profile2image"), profile, image});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        {
            QFile f(image);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            QByteArray bytes = f.readAll();
            ASSERT_EQ(bytes.size(), int(VirtualCP::kSize));
            VirtualCP cp;
            std::memcpy(cp.bytes.data(), bytes.constData(), VirtualCP::kSize);
            for (size_t i = 0; i < VirtualCP::kFrequencyCount; ++i)
                cp.SetFrequency(i, FrequencySlot());
            f.seek(0);
            f.write(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize);
        }
        SimProcess sim({QStringLiteral("--image"), image, QStringLiteral("--baud"), QStringLiteral("0")});
        ASSERT_FALSE(sim.Port().isEmpty());
        r = Cli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), profile});
        ASSERT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
        const QString back = dir.filePath(file + QStringLiteral(".back.kp2"));
        r = Cli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--profile"), back});
        ASSERT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
        sim.Stop();

        const test::CliResult written = Cli({QStringLiteral("decode"), profile});
        const test::CliResult read = Cli({QStringLiteral("decode"), back});
        ASSERT_EQ(written.exitCode, 0);
        ASSERT_EQ(read.exitCode, 0);
        const QList<Element> a = Elements(QString::fromUtf8(written.out)), b = Elements(QString::fromUtf8(read.out));
        for (const QString &name : {QStringLiteral("factory_setting"), QStringLiteral("limit"), QStringLiteral("setting"),
                                    QStringLiteral("preset"), QStringLiteral("channel"), QStringLiteral("frequency")}) {
            const QList<Element> was = Only(a, name), is = Only(b, name);
            EXPECT_EQ(is.size(), was.size()) << name.toStdString();
            // Every value the radio holds reads back as written. (The
            // repeater options and the separate receive and transmit
            // ranges of a template have no place in the radio's image.)
            for (int i = 0; i < std::min(was.size(), is.size()); ++i)
                for (auto it = was.at(i).attributes.cbegin(); it != was.at(i).attributes.cend(); ++it)
                    if (is.at(i).attributes.contains(it.key()))
                        EXPECT_EQ(is.at(i).attributes.value(it.key()), it.value())
                            << name.toStdString() << " " << i << " " << it.key().toStdString() << "\n written "
                            << Describe(was.at(i)) << "\n read    " << Describe(is.at(i));
        }
    }
}
