// Loading a full profile (19 channels, 99 frequencies: parse, schema
// validation, rules ready), one rule-checked attribute change (type check
// included) and the check before a save.

#include "config/Registry.h"
#include "base/TemplateFile.h"
#include "profile/CRadioDataModel.h"
#include "resources/MessageSink.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace tavo;

namespace {

class QuietSink : public tavo::IMessageSink {
public:
    int Show(const QString &, unsigned style) override { return tavo::DefaultAnswer(style); }
};

QString FullProfile()
{
    QString text;
    tavo::LoadTemplateFile(QStringLiteral(TAVO_SOURCE_DIR "/install/profiletemplate/SUR41622.kp2"), text);
    text.replace(QStringLiteral("maxChannels=\"16\""), QStringLiteral("maxChannels=\"19\""));
    text.replace(QStringLiteral("numberChannels=\"16\""), QStringLiteral("numberChannels=\"19\""));
    QString channels, frequencies;
    for (int i = 16; i < 19; ++i)
        channels += QStringLiteral("\t\t<channel rx_freq_ndx=\"%1\" rx_code=\"%2\" tx_freq_ndx=\"%1\" tx_code=\"%2\" rx_bw=\"0\" tx_bw=\"0\" "
                                   "talkaround_power=\"0\" repeater_power=\"0\" repeater=\"0\" autoScan=\"0\" scramble_code=\"0\" "
                                   "name=\"CH %3\" in_scanlist=\"1\" />\r\n").arg(i).arg(i % 100).arg(i + 1);
    for (int i = 16; i < 99; ++i)
        frequencies += QStringLiteral("\t\t<frequency freq=\"%1\" bandwidth=\"2\" power_level=\"2\" compander_lle_mode=\"0\" />\r\n")
                           .arg(461012500 + 25000 * i);
    text.replace(QStringLiteral("\t</channels>"), channels + QStringLiteral("\t</channels>"));
    text.replace(QStringLiteral("\t</frequencies>"), frequencies + QStringLiteral("\t</frequencies>"));
    return text;
}

struct Setup {
    Setup()
    {
        static int argc = 1;
        static char name[] = "bench_model";
        static char *argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        tavo::SetMessageSink(&sink);
        tavo::SetInstallPathOverride(QStringLiteral(TAVO_SOURCE_DIR "/install"));
        text = FullProfile();
    }
    QuietSink sink;
    QString text;
};

Setup &Env()
{
    static Setup setup;
    return setup;
}

// A model whose rule engine is running: parse and validate each time.
void BM_LoadFullProfile(benchmark::State &state)
{
    CRadioDataModel model;
    if (model.LoadProfile(Env().text, 0) != 1) {
        state.SkipWithError("the profile does not load");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(model.LoadProfile(Env().text, 0));
}
BENCHMARK(BM_LoadFullProfile)->Unit(benchmark::kMillisecond);

// A new model each time: rule engine started, schema compiled, then the load.
void BM_LoadFullProfileNewModel(benchmark::State &state)
{
    for (auto _ : state) {
        CRadioDataModel model;
        benchmark::DoNotOptimize(model.LoadProfile(Env().text, 0));
    }
}
BENCHMARK(BM_LoadFullProfileNewModel)->Unit(benchmark::kMillisecond);

// One channel rename put to the rules (unique-name and character checks).
void BM_SetChannelName(benchmark::State &state)
{
    CRadioDataModel model;
    if (model.LoadProfile(Env().text, 0) != 1) {
        state.SkipWithError("the profile does not load");
        return;
    }
    CDataItem channels, channel;
    model.m_rootItem.GetChildByName(QStringLiteral("channels"), channels);
    channels.GetChildByIndex(18, channel);
    const QVariant names[] = {QStringLiteral("YARD 1"), QStringLiteral("YARD 2")};
    int i = 0, msgId = 0, msgStyle = 0;
    for (auto _ : state) {
        if (channel.SetAttributeValue(QStringLiteral("name"), names[i ^= 1], msgId, 0, msgStyle) != 0)
            state.SkipWithError("refused");
    }
}
BENCHMARK(BM_SetChannelName)->Unit(benchmark::kMicrosecond);

// One frequency-table change with its range, duplicate and use checks.
void BM_SetFrequency(benchmark::State &state)
{
    CRadioDataModel model;
    if (model.LoadProfile(Env().text, 0) != 1) {
        state.SkipWithError("the profile does not load");
        return;
    }
    CDataItem table;
    model.m_rootItem.GetChildByName(QStringLiteral("frequencies"), table);
    const quint32 hz[] = {469000000u, 469012500u};
    int i = 0, msgId = 0, msgStyle = 0;
    for (auto _ : state) {
        if (table.SetFreqAttributeValue(hz[i ^= 1], 2, 2, 0, 98, msgId, msgStyle, 0) != 0)
            state.SkipWithError("refused");
    }
}
BENCHMARK(BM_SetFrequency)->Unit(benchmark::kMicrosecond);

// The check every save runs: the receive-to-transmit copy where the radio
// has no repeater, then the text about to be written validated.
void BM_ValidateForSave(benchmark::State &state)
{
    CRadioDataModel model;
    if (model.LoadProfile(Env().text, 0) != 1) {
        state.SkipWithError("the profile does not load");
        return;
    }
    QString error;
    for (auto _ : state) {
        if (!model.ValidateForSave(error))
            state.SkipWithError("not valid");
    }
}
BENCHMARK(BM_ValidateForSave)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
