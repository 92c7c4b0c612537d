// Report generation for a full profile (19 channels, 99 frequencies, tone
// codes on every channel): transformation with the installed style sheet,
// the program's edits and the label keys, and the report file's bytes.
// Target: well under 200 ms per report.

#include "bench/BenchSupport.h"
#include "config/Registry.h"
#include "base/TemplateFile.h"
#include "profile/CRadioDataModel.h"
#include "reports/ReportGenerator.h"
#include "resources/MessageSink.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace tavo;

namespace {

// The SUR41622 template grown to 19 channels and 99 frequencies, loaded
// through the data model as the report command takes it.
QString FullProfileXml()
{
    QString text = tavo::bench::FullProfile();
    for (int i = 0; i < 16; ++i)
        text.replace(QStringLiteral("rx_code=\"0\""), QStringLiteral("rx_code=\"%1\"").arg(39 + i));
    CRadioDataModel model;
    return model.LoadProfile(text, 0) == 1 ? model.GetXmlText() : QString();
}

struct Setup {
    Setup()
    {
        static int argc = 1;
        static char name[] = "bench_reports";
        static char *argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        tavo::SetMessageSink(&sink);
        tavo::SetInstallPathOverride(QStringLiteral(TAVO_SOURCE_DIR "/install"));
        xml = FullProfileXml();
    }
    tavo::bench::QuietSink sink{false};
    QString xml;
};

Setup &Env()
{
    static Setup setup;
    return setup;
}

void BM_DetailedReport(benchmark::State &state)
{
    if (Env().xml.isEmpty()) {
        state.SkipWithError("the profile does not load");
        return;
    }
    for (auto _ : state) {
        const QString html = GenerateDetailedHtml(Env().xml, QStringLiteral(","));
        benchmark::DoNotOptimize(EncodeReportFile(html));
    }
}
BENCHMARK(BM_DetailedReport)->Unit(benchmark::kMillisecond);

void BM_CustomerHandout(benchmark::State &state)
{
    if (Env().xml.isEmpty()) {
        state.SkipWithError("the profile does not load");
        return;
    }
    const DealerTexts dealer{QStringLiteral("Dealer & Co.\r\nHigh Street 1"), QStringLiteral("+44 1234 567890"),
                             QStringLiteral("Open <9-5>")};
    for (auto _ : state) {
        const QString html = GenerateHandoutHtml(Env().xml, dealer, QStringLiteral("."));
        benchmark::DoNotOptimize(EncodeReportFile(html));
    }
}
BENCHMARK(BM_CustomerHandout)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
