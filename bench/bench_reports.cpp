// Report generation for a full profile (19 channels, 99 frequencies, tone
// codes on every channel): transformation with the installed style sheet,
// the program's edits and the label keys, and the report file's bytes.
// Target: well under 200 ms per report.

#include "config/Registry.h"
#include "base/TemplateFile.h"
#include "profile/CRadioDataModel.h"
#include "reports/ReportGenerator.h"
#include "resources/MessageSink.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace tavo;

namespace {

class QuietSink : public tavo::IMessageSink {
public:
    int Show(const QString &, unsigned style) override { return tavo::DefaultAnswer(style); }
};

// The SUR41622 template grown to 19 channels and 99 frequencies, loaded
// through the data model as the report command takes it.
QString FullProfileXml()
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
    QuietSink sink;
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
