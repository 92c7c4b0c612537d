// Loading a full profile (19 channels, 99 frequencies: parse, schema
// validation, rules ready), one rule-checked attribute change (type check
// included) and the check before a save.

#include "base/ProfileNames.h"
#include "bench/BenchSupport.h"
#include "config/Registry.h"
#include "base/TemplateFile.h"
#include "profile/CRadioDataModel.h"
#include "resources/MessageSink.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace tavo;

namespace {

struct Setup {
    Setup()
    {
        static int argc = 1;
        static char name[] = "bench_model";
        static char *argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        tavo::SetMessageSink(&sink);
        tavo::SetInstallPathOverride(QStringLiteral(TAVO_SOURCE_DIR "/install"));
        text = bench::FullProfile();
    }
    bench::QuietSink sink{false};
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
    CDataItem channels = model.m_rootItem.ChildByName(names::kChannels);
    CDataItem channel;
    channels.GetChildByIndex(18, channel);
    const QVariant names[] = {QStringLiteral("YARD 1"), QStringLiteral("YARD 2")};
    int i = 0, msgId = 0, msgStyle = 0;
    for (auto _ : state) {
        if (channel.SetAttributeValue(names::kName, names[i ^= 1], msgId, 0, msgStyle) != 0)
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
    CDataItem table = model.m_rootItem.ChildByName(names::kFrequencies);
    const quint32 hz[] = {469000000u, 469012500u};
    int i = 0, msgId = 0, msgStyle = 0;
    for (auto _ : state) {
        if (table.SetFreqAttributeValue(hz[i ^= 1], 2, 2, 0, 98, msgId, msgStyle, 0) != 0)
            state.SkipWithError("refused");
    }
}
BENCHMARK(BM_SetFrequency)->Unit(benchmark::kMicrosecond);

// The output step every save runs: on a copy, the receive-to-transmit copy
// where the radio has no repeater, then the text about to be written validated.
void BM_PrepareForOutput(benchmark::State &state)
{
    CRadioDataModel model;
    if (model.LoadProfile(Env().text, 0) != 1) {
        state.SkipWithError("the profile does not load");
        return;
    }
    QString error, text;
    for (auto _ : state) {
        if (!model.PrepareForOutput(text, error))
            state.SkipWithError("not valid");
    }
}
BENCHMARK(BM_PrepareForOutput)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
