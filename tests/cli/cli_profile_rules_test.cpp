// The profile commands under the rules, through the built command-line
// tool: element paths only, capabilities and typed values, a confirmation
// asked once, and what is saved or converted on a radio without repeater.

#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include "codeplug/VirtualCP.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

using namespace tavo;
using namespace tavo::test;

namespace {

const QString kTemplates = QStringLiteral(TAVO_SOURCE_DIR "/install/profiletemplate/");

class CliProfileRules : public ::testing::Test {
protected:
    // A plain copy of the template `model`, with `from` replaced by `to` once.
    QString Profile(const char *model, const QByteArray &from = QByteArray(), const QByteArray &to = QByteArray())
    {
        QByteArray text = ReadFileBytes(kTemplates + QLatin1String(model) + QStringLiteral(".kp2"));
        if (!from.isEmpty()) {
            const int at = text.indexOf(from);
            EXPECT_GE(at, 0) << from.toStdString();
            text.replace(at, from.size(), to);
        }
        const QString path = m_dir.filePath(QLatin1String(model) + QStringLiteral(".xml"));
        EXPECT_TRUE(WriteFileBytes(path, text));
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(CliProfileRules, PathsSelectElementsOnly)
{
    // Namespace nodes used to be read after the XPath result freed them.
    const QString path = Profile("OUD11602");
    const QByteArray before = ReadFileBytes(path);
    const QStringList cases[] = {
        {QStringLiteral("set"), path, QStringLiteral("x|namespace::*"), QStringLiteral("name"), QStringLiteral("ZZ")},
        {QStringLiteral("set"), path, QStringLiteral("setting/namespace::*"), QStringLiteral("name"), QStringLiteral("ZZ")},
        {QStringLiteral("add"), path, QStringLiteral("x|namespace::*")},
        {QStringLiteral("delete"), path, QStringLiteral("channels|namespace::*"), QStringLiteral("0")},
        {QStringLiteral("set"), path, QStringLiteral("setting/@vox_level"), QStringLiteral("vox_level"), QStringLiteral("1")},
    };
    for (const QStringList &args : cases) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("No element %1 in the profile.").arg(args.at(2)).toUtf8())) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("AddressSanitizer")) << r.err.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(path), before);
}

TEST_F(CliProfileRules, CapabilitiesAndValuesOfAnotherTypeAreRefused)
{
    const QString path = Profile("OUD11602");
    const QByteArray before = ReadFileBytes(path);
    const CliResult typed = RunCli({QStringLiteral("set"), path, QStringLiteral("limit"), QStringLiteral("disable_vox_feature"), QStringLiteral("abc")});
    EXPECT_EQ(typed.exitCode, 1);
    EXPECT_EQ(typed.out, QByteArray("result 1, message 261: Invalid Value.\n"));
    const CliResult capability = RunCli({QStringLiteral("set"), path, QStringLiteral("limit"), QStringLiteral("power_cntrl_enabled"), QStringLiteral("1")});
    EXPECT_EQ(capability.exitCode, 1);
    EXPECT_TRUE(capability.out.startsWith("result 1, message 9305: ")) << capability.out.toStdString();
    const CliResult name = RunCli({QStringLiteral("set"), path, QStringLiteral("channels/channel[1]"), QStringLiteral("name"), QStringLiteral("NINECHARS")});
    EXPECT_TRUE(name.out.startsWith("result 1, message 9310: ")) << name.out.toStdString();
    EXPECT_EQ(ReadFileBytes(path), before);
    // The programming mode is a user setting kept on limit: the same edit
    // the General Settings page makes is taken here too.
    const CliResult mode = RunCli({QStringLiteral("set"), path, QStringLiteral("limit"), QStringLiteral("programming_mode_enabled"), QStringLiteral("0")});
    EXPECT_EQ(mode.exitCode, 0) << mode.out.toStdString() << mode.err.toStdString();
    EXPECT_NE(ReadFileBytes(path), before);
}

TEST_F(CliProfileRules, AConfirmationIsAskedOnce)
{
    // Channel 1 is Preset 1's channel: deleting it asks first.
    const QString path = Profile("OUD11602");
    const CliResult r = RunCli({QStringLiteral("delete"), path, QStringLiteral("channels"), QStringLiteral("0"), QStringLiteral("--answer"), QStringLiteral("no")});
    EXPECT_EQ(r.exitCode, 1);
    const QByteArray question = "This channel is assigned to a Preset Channel button.";
    EXPECT_EQ((r.out + r.err).count(question), 1) << r.out.toStdString() << r.err.toStdString();
}

TEST_F(CliProfileRules, WithoutRepeaterTransmitFollowsReceiveWhenSavedOrConverted)
{
    const QByteArray channel2 = "rx_freq_ndx=\"1\" rx_code=\"0\" tx_freq_ndx=\"1\" tx_code=\"0\"";
    const QByteArray split = "rx_freq_ndx=\"1\" rx_code=\"0\" tx_freq_ndx=\"4\" tx_code=\"7\"";
    const QString path = Profile("OUD11602", channel2, split);

    const QString image = m_dir.filePath(QStringLiteral("p.img"));
    const CliResult converted = RunCli({QStringLiteral("profile2image"), path, image});
    ASSERT_EQ(converted.exitCode, 0) << converted.err.toStdString();
    const QByteArray bytes = ReadFileBytes(image);
    ASSERT_EQ(bytes.size(), 2089);
    VirtualCP cp;
    std::memcpy(cp.bytes.data(), bytes.constData(), VirtualCP::kSize);
    EXPECT_EQ(cp.Channel(1).TxFreqNdx(), 1u);
    EXPECT_EQ(cp.Channel(1).TxCode(), 0u);

    const CliResult saved = RunCli({QStringLiteral("set"), path, QStringLiteral("setting"), QStringLiteral("vox_level"), QStringLiteral("2")});
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    const QByteArray text = ReadFileBytes(path);
    EXPECT_FALSE(text.contains(split)) << text.toStdString();
    EXPECT_TRUE(text.contains(channel2)) << text.toStdString();
}

} // namespace

// Values outside the range their attribute has in the profile format, and
// indexes past their table, are refused by validate and by the conversion
// with the element, attribute, value and range named; the template itself
// passes both.
TEST_F(CliProfileRules, ValuesARadioCannotTakeAreRefusedByValidateAndTheConversion)
{
    const QString valid = Profile("OUD11602");
    EXPECT_EQ(RunCli({QStringLiteral("validate"), valid}).exitCode, 0);
    EXPECT_EQ(RunCli({QStringLiteral("profile2image"), valid, m_dir.filePath(QStringLiteral("valid.img"))}).exitCode, 0);

    struct Case {
        QByteArray from, to;
        const char *named;
    };
    const Case cases[] = {
        {"<preset channel=\"0\"", "<preset channel=\"200\"", "preset 1 channel=\"200\" is outside its range 0-15"},
        {"maxChannels=\"16\"", "maxChannels=\"255\"", "limit maxChannels=\"255\" is outside its range 0-19"},
        {"rx_freq_ndx=\"0\"", "rx_freq_ndx=\"250\"", "channel 1 rx_freq_ndx=\"250\" is outside its range 0-15"},
        {"vox_level=\"", "vox_level=\"7", "setting vox_level=\"7"},
        {"compander_lle_mode=\"", "compander_lle_mode=\"9", "frequency 1 compander_lle_mode=\"9"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.to.toStdString());
        const QString path = Profile("OUD11602", c.from, c.to);
        CliResult r = RunCli({QStringLiteral("validate"), path});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(c.named)) << r.err.toStdString();
        const QString image = m_dir.filePath(QStringLiteral("out.img"));
        r = RunCli({QStringLiteral("profile2image"), path, image});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(c.named)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(image));
    }
    // A schema-invalid profile is no longer converted either.
    const QString negative = Profile("OUD11602", "rx_freq_ndx=\"0\"", "rx_freq_ndx=\"-1\"");
    const QString image = m_dir.filePath(QStringLiteral("negative.img"));
    const CliResult r = RunCli({QStringLiteral("profile2image"), negative, image});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("rx_freq_ndx")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(image));
}
