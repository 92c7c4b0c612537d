// What the radio can hold, for every installed template: frequencies the
// synthesizer base reaches, button features the button list offers, every
// value a radio gives loads as a profile, and a profile is checked (and
// its transmit settings follow the receive ones on radios without
// repeater) before it is saved or converted.

#include "model_fixture.h"

#include "base/XmlDom.h"
#include "profile/CDataAdaptor.h"
#include "profile/ProfileChecks.h"
#include "resources/MessageIds.h"

#include <QDir>
#include <random>
#include <set>

using namespace tavo;
using namespace tavo::test;

namespace {

QStringList TemplateModels()
{
    QStringList models;
    for (const QString &file : QDir(SourceInstall() + QStringLiteral("/profiletemplate")).entryList({QStringLiteral("*.kp2")}))
        models << file.chopped(4);
    return models;
}

class RadioLimits : public ModelTest {
protected:
    quint32 Limit(const char *attribute) const
    {
        QVariant v;
        Item(QStringLiteral("limit")).GetAttributeValue(v, QLatin1String(attribute));
        return v.toUInt();
    }
    VirtualCP Converted()
    {
        VirtualCP cp;
        CDataAdaptor::XML2VirtualCP(m_model.GetXmlText(), cp);
        return cp;
    }
};

TEST_F(RadioLimits, EveryFrequencyTheRulesAcceptSurvivesTheImage)
{
    for (const QString &model : TemplateModels()) {
        SCOPED_TRACE(model.toStdString());
        LoadTemplate(model);
        const quint32 base = static_cast<quint32>(Item(QStringLiteral("factory_setting")).GetInt(QStringLiteral("synth_base_int_part")));
        const qint64 start = Limit("start_freq"), end = Limit("end_freq");
        // The declared range is one the synthesizer reaches.
        EXPECT_TRUE(HzRepresentable(static_cast<quint32>(start), base)) << start;
        EXPECT_TRUE(HzRepresentable(static_cast<quint32>(end), base)) << end;

        std::set<qint64> candidates = {start - 1, start, end, end + 1};
        for (qint64 n : {qint64(base) - 1, qint64(base), qint64(base) + 255, qint64(base) + 256})
            for (qint64 d : {-1, 0, 1})
                candidates.insert(n * 1050000 + d);
        for (qint64 hz = start - 25'000'000; hz <= end + 25'000'000; hz += 1'512'500)
            candidates.insert(hz);
        int accepted = 0;
        for (qint64 hz : candidates) {
            if (hz < 0 || hz > 0xFFFFFFFFll)
                continue;
            const Outcome o = Set(QStringLiteral("frequencies/frequency[1]"), "freq", quint32(hz), IDYES);
            if (o.result != 0) {
                EXPECT_TRUE(o.msgId == 269 || o.msgId == 9301) << hz << " " << o.msgId; // out of reach, or in the table already
                continue;
            }
            ++accepted;
            const VirtualCP cp = Converted();
            EXPECT_EQ(SynthToHz(cp.Frequency(0), cp.SynthBase()), quint32(hz)) << hz;
        }
        EXPECT_GT(accepted, 1);
    }
}

TEST_F(RadioLimits, AFrequencyTheBaseCannotHoldIsRefusedNotWrapped)
{
    // The synthesizer base 400 reaches 420 MHz and up only.
    const QString text = TemplateText(QStringLiteral("OUR40822"), {{QStringLiteral("synth_base_int_part=\"380\""), QStringLiteral("synth_base_int_part=\"400\"")}});
    Load(m_model, text);
    EXPECT_EQ(Set(QStringLiteral("frequencies/frequency[1]"), "freq", quint32(403000000), IDYES).msgId, 269);
    EXPECT_EQ(Set(QStringLiteral("frequencies/frequency[1]"), "freq", quint32(420000000), IDYES).result, 0);

    const int at = text.indexOf(QStringLiteral("freq=\""), text.indexOf(QStringLiteral("<frequency ")));
    QString unreachable = text;
    unreachable.replace(at, text.indexOf(QLatin1Char('"'), at + 6) - at + 1, QStringLiteral("freq=\"403000000\""));
    VirtualCP cp;
    const CTavoCPSException e = Raised([&] { CDataAdaptor::XML2VirtualCP(unreachable, cp); });
    EXPECT_EQ(e.m_nMsgID, msg::UnknownError);
    EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("403000000 Hz cannot be set"))) << e.m_strMessage.toStdString();
}

TEST_F(RadioLimits, EveryImageThatConvertsGivesALoadableProfile)
{
    std::mt19937 rng(8092026);
    auto byte = [&rng](int lo = 0, int hi = 255) { return static_cast<uint8_t>(std::uniform_int_distribution<int>(lo, hi)(rng)); };
    auto printable = [&]() { return byte(0, 3) == 0 ? uint8_t(0) : byte(0x20, 0x7E); };
    int converted = 0;
    for (int round = 0; round < 120; ++round) {
        VirtualCP cp;
        for (uint8_t &b : cp.bytes)
            b = byte();
        for (size_t o : {0, 1, 2, 3, 6, 7, 8})
            cp.bytes[o] = printable();
        for (uint8_t *field : {cp.PasswordBytes(), cp.PowerupTextBytes()})
            for (int i = 0; i < 4; ++i)
                field[i] = printable();
        std::memset(cp.PowerupTextBytes() + 4, 0, 4);
        std::memcpy(cp.SerialBytes(), "123ABC4567", 10);
        if (round % 3 == 0) { // the widest values: a zero character, numbers beyond a signed 32-bit read
            cp.bytes[0] = 0;
            cp.SetSynthBase(0xFFFFFFFFu);
            cp.SetMaxCodes(0x80000000u);
        }
        for (size_t i = 0; i < VirtualCP::kChannelCount; ++i) {
            ChannelSlot ch = cp.Channel(i);
            for (int k = 0; k < 8; ++k)
                ch.NameBytes()[k] = printable();
            cp.SetChannel(i, ch);
        }
        QString xml;
        if (!CDataAdaptor::VirtualCP2XML(cp, xml))
            continue;
        ++converted;
        CRadioDataModel model;
        try {
            ASSERT_EQ(model.LoadProfile(xml, 0), 1);
            // Every number reads back typed, none beyond what the read returns.
            CDataItem limit;
            model.m_rootItem.GetChildByName(QStringLiteral("limit"), limit);
            QVariant v;
            limit.GetAttributeValue(v, QStringLiteral("maxCodes"));
            EXPECT_LE(v.toLongLong(), 2147483647);
        } catch (const CTavoCPSException &e) {
            FAIL() << "round " << round << ": " << e.m_strMessage.toStdString();
        }
    }
    EXPECT_GT(converted, 60);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
}

// The features the button list offers a button of a model, read the way
// the buttons page reads them.
std::set<int> OfferedFeatures(const CDataItem &root, const QString &model, const char *button)
{
    XmlDocPtr list = ParseXml(ReadAll(SourceInstall() + QStringLiteral("/lib/ButtonList.stv")).toUtf8());
    XmlXPath xpath(list.get());
    CDataItem limit;
    root.GetChildByName(QStringLiteral("limit"), limit);
    const bool side = QByteArray(button).startsWith("side");
    QStringList groups = {QStringLiteral("COMMON")};
    if (!side)
        groups << (model.mid(2, 1).compare(QLatin1String("D"), Qt::CaseInsensitive) == 0 ? QStringLiteral("DISPLAY") : QStringLiteral("NONDISPLAY"))
               << QStringLiteral("PREBUTTON");
    std::set<int> offered = {0};
    for (const QString &group : groups) {
        const QByteArray path = QStringLiteral("//dfns:%1/dfns:%2/dfns:*").arg(model.left(6), group).toUtf8();
        int presets = 0;
        for (xmlNode *f : xpath.Select(path.constData())) {
            const int code = XmlAttribute(f, "Value").toInt();
            const QString depend = XmlAttribute(f, "DependName");
            bool add = depend == QLatin1String("none")
                || ((limit.GetInt(depend) != 0) == (XmlAttribute(f, "DependType").toInt() != 0));
            if (code == 3 && limit.GetInt(QStringLiteral("max_call_tones")) == 0)
                add = false;
            if (group == QLatin1String("PREBUTTON") && ++presets > limit.GetInt(QStringLiteral("maxPresetButtons")))
                add = false;
            if (add)
                offered.insert(code);
        }
    }
    return offered;
}

TEST_F(RadioLimits, ButtonsCarryWhatTheButtonListOffersTheirModel)
{
    const char *const buttons[] = {"side1_but", "side2_but", "upper_right_but", "lower_left_but", "lower_right_but"};
    for (const QString &model : TemplateModels()) {
        SCOPED_TRACE(model.toStdString());
        LoadTemplate(model);
        std::map<const char *, std::set<int>> offered;
        for (const char *b : buttons) {
            offered[b] = OfferedFeatures(m_model.m_rootItem, model, b);
            EXPECT_TRUE(offered[b].count(Item(QStringLiteral("setting")).GetInt(QLatin1String(b)))) << b << " of the template";
        }
        for (const char *b : buttons)
            ASSERT_EQ(Set(QStringLiteral("setting"), b, 0).result, 0);
        for (const char *b : buttons) {
            std::set<int> accepted;
            for (int code = 0; code <= 15; ++code) {
                const Outcome o = Set(QStringLiteral("setting"), b, code);
                if (o.result == 0)
                    accepted.insert(code);
                else
                    EXPECT_TRUE(o.msgId == 261 || o.msgId == 9306) << b << " " << code << " " << o.msgId;
                Set(QStringLiteral("setting"), b, 0);
            }
            EXPECT_EQ(accepted, offered[b]) << b;
        }
    }
}

TEST_F(RadioLimits, ASaveChecksTheProfileAndCopiesReceiveToTransmitWithoutRepeater)
{
    // A PMR446 radio has no repeater: a split channel transmits on its
    // receive settings once saved or converted.
    const std::vector<std::pair<QString, QString>> split = {
        {QStringLiteral("rx_freq_ndx=\"1\" rx_code=\"0\" tx_freq_ndx=\"1\" tx_code=\"0\" rx_bw=\"0\" tx_bw=\"0\""),
         QStringLiteral("rx_freq_ndx=\"1\" rx_code=\"5\" tx_freq_ndx=\"3\" tx_code=\"9\" rx_bw=\"0\" tx_bw=\"1\"")}};
    VirtualCP cp;
    CDataAdaptor::XML2VirtualCP(TemplateText(QStringLiteral("OUD11602"), split), cp);
    EXPECT_EQ(cp.Channel(1).TxFreqNdx(), 1u);
    EXPECT_EQ(cp.Channel(1).TxCode(), 5u);
    EXPECT_EQ(cp.Channel(1).TxBw(), 0u);

    LoadTemplate(QStringLiteral("OUD11602"), split);
    const QString before = m_model.GetXmlText();
    QString error, text;
    ASSERT_TRUE(m_model.PrepareForOutput(text, error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    // The output carries the copy; the open profile is left as it was (the
    // views would not hear of a change made behind them).
    EXPECT_EQ(m_model.GetXmlText(), before);
    EXPECT_EQ(Text("channels/channel[2]", "tx_freq_ndx"), QStringLiteral("3"));
    CRadioDataModel output;
    ASSERT_EQ(output.LoadProfile(text, 0), 1);
    CDataItem channels, channel2;
    output.m_rootItem.GetChildByName(QStringLiteral("channels"), channels);
    channels.GetChildByIndex(1, channel2);
    EXPECT_EQ(channel2.GetText(QStringLiteral("tx_freq_ndx")), QStringLiteral("1"));
    EXPECT_EQ(channel2.GetText(QStringLiteral("tx_code")), QStringLiteral("5"));
    EXPECT_EQ(channel2.GetText(QStringLiteral("tx_bw")), QStringLiteral("0"));

    // A business radio keeps its split channel.
    LoadTemplate(QStringLiteral("OUR40822"), {{QStringLiteral("tx_freq_ndx=\"1\""), QStringLiteral("tx_freq_ndx=\"2\"")}});
    ASSERT_TRUE(m_model.PrepareForOutput(text, error)) << error.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("tx_freq_ndx=\"2\"")));

    // What a rule left invalid is never saved: the loading error says why and where.
    SetXmlAttribute(Item(QStringLiteral("setting")).m_spNode.node, "vox_level", QStringLiteral("abc"));
    EXPECT_FALSE(m_model.PrepareForOutput(text, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Profile Loading Error.\r\n"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("vox_level"))) << error.toStdString();
    EXPECT_FALSE(error.contains(QStringLiteral("Pos: 0\r\n"))) << error.toStdString();
    m_model.m_spDocument->Detach(m_model.m_spDocument->root());
    EXPECT_FALSE(m_model.PrepareForOutput(text, error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(RadioLimits, ALoadingErrorPointsAtTheOffendingAttribute)
{
    const QString text = TemplateText(QStringLiteral("OUD11602"), {{QStringLiteral("rx_bw=\"0\""), QStringLiteral("rx_bw=\"true\"")}});
    const CTavoCPSException e = Raised([&] { m_model.LoadProfile(text, 0); });
    ASSERT_EQ(e.m_nMsgID, msg::InvalidProfile);
    const QString line = text.split(QStringLiteral("\r\n")).at(9);
    ASSERT_TRUE(line.contains(QStringLiteral("rx_bw=\"true\"")));
    EXPECT_TRUE(e.m_strMessage.contains(QStringLiteral("Line: 10, Pos: %1\r\n").arg(line.indexOf(QStringLiteral("rx_bw=")) + 1)))
        << e.m_strMessage.toStdString();
}

} // namespace
