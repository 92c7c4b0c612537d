// Reading stored text files: the scrambled UTF-16 and 8-bit layouts of a
// document of the size of a large profile schema.

#include "config/SettingDocuments.h"
#include "base/TemplateFile.h"

#include <benchmark/benchmark.h>

namespace {

QString SampleText(int bytes)
{
    QString text = QStringLiteral("<?xml version=\"1.0\"?>\r\n<Root xmlns=\"urn:vantrel:tavo:profile:1\">\r\n");
    int i = 0;
    while (text.size() < bytes)
        text += QStringLiteral("  <Item num=\"%1\" name=\"entry %1\"/>\r\n").arg(i++);
    return text + QStringLiteral("</Root>\r\n");
}

void BM_DecodeScrambledUtf16(benchmark::State &state)
{
    const QByteArray stored = tavo::EncodeScrambledUtf16(SampleText(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(tavo::DecodeTemplateBytes(stored));
    state.SetBytesProcessed(state.iterations() * stored.size());
}
BENCHMARK(BM_DecodeScrambledUtf16)->Arg(16 << 10)->Arg(256 << 10);

void BM_DecodeScrambledAnsi(benchmark::State &state)
{
    QByteArray stored = SampleText(static_cast<int>(state.range(0))).toLatin1();
    for (char &c : stored)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ tavo::kScrambleKey);
    for (auto _ : state)
        benchmark::DoNotOptimize(tavo::DecodeTemplateBytes(stored));
    state.SetBytesProcessed(state.iterations() * stored.size());
}
BENCHMARK(BM_DecodeScrambledAnsi)->Arg(16 << 10)->Arg(256 << 10);

void BM_ParseSettingText(benchmark::State &state)
{
    const QString text = SampleText(64 << 10);
    for (auto _ : state)
        benchmark::DoNotOptimize(tavo::ParseSettingText(text));
}
BENCHMARK(BM_ParseSettingText);

} // namespace

BENCHMARK_MAIN();
