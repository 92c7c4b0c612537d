// Conversion of a full codeplug image (19 channels, 99 frequencies) to
// profile text and back.

#include "profile/CDataAdaptor.h"
#include "resources/MessageSink.h"

#include <benchmark/benchmark.h>
#include <cstring>

using namespace tavo;

namespace {

VirtualCP FullImage()
{
    VirtualCP cp;
    std::memcpy(cp.SerialBytes(), "123ABC4567", 10);
    std::memcpy(cp.ModelLettersBytes(), "OUD", 3);
    cp.SetSynthBase(400);
    cp.SetChannelSlots(19);
    cp.SetFrequencySlots(99);
    cp.SetMaxCodes(213);
    for (size_t i = 0; i < 19; ++i) {
        ChannelSlot ch = cp.Channel(i);
        std::snprintf(reinterpret_cast<char *>(ch.NameBytes()), 8, "CH %zu", i);
        ch.SetRxFreqNdx(i);
        ch.SetTxFreqNdx(i);
        cp.SetChannel(i, ch);
    }
    for (size_t i = 0; i < 99; ++i) {
        FrequencySlot f;
        HzToSynth(446006250 + 12500 * static_cast<uint32_t>(i), f, 400);
        cp.SetFrequency(i, f);
    }
    return cp;
}

void BM_ImageToProfileText(benchmark::State &state)
{
    const VirtualCP image = FullImage();
    for (auto _ : state) {
        VirtualCP cp = image;
        QString xml;
        benchmark::DoNotOptimize(CDataAdaptor::VirtualCP2XML(cp, xml));
    }
}
BENCHMARK(BM_ImageToProfileText)->Unit(benchmark::kMicrosecond);

void BM_ProfileTextToImage(benchmark::State &state)
{
    VirtualCP image = FullImage();
    QString xml;
    CDataAdaptor::VirtualCP2XML(image, xml);
    for (auto _ : state) {
        VirtualCP cp;
        benchmark::DoNotOptimize(CDataAdaptor::XML2VirtualCP(xml, cp));
    }
}
BENCHMARK(BM_ProfileTextToImage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
