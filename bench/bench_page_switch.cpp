// Switching the profile window to the audio settings, buttons, scan list
// and customised tone pages with a full profile open (19 channels, 99
// frequencies), for a display and a non-display model. A timing harness,
// not a test: it prints the median of each page.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTavoCPSApp.h"
#include "views/CTavoCPSDoc.h"
#include "views/LayoutTables.h"
#include "base/TemplateFile.h"
#include "config/Registry.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tavo;

namespace {

class QuietSink : public IMessageSink {
public:
    int Show(const QString &text, unsigned style) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return DefaultAnswer(style);
    }
};

// A template grown to 19 channels and 99 frequencies.
QString FullProfile(const QString &model, quint32 firstHz, quint32 stepHz)
{
    QString text;
    LoadTemplateFile(QStringLiteral(TAVO_SOURCE_DIR "/install/profiletemplate/") + model + QStringLiteral(".kp2"), text);
    text.replace(QStringLiteral("maxChannels=\"16\""), QStringLiteral("maxChannels=\"19\""));
    text.replace(QStringLiteral("numberChannels=\"16\""), QStringLiteral("numberChannels=\"19\""));
    QString channels, frequencies;
    for (int i = 16; i < 19; ++i)
        channels += QStringLiteral("\t\t<channel rx_freq_ndx=\"%1\" rx_code=\"%2\" tx_freq_ndx=\"%1\" tx_code=\"%2\" rx_bw=\"0\" tx_bw=\"0\" "
                                   "talkaround_power=\"1\" repeater_power=\"1\" repeater=\"0\" autoScan=\"0\" scramble_code=\"0\" "
                                   "name=\"CH %3\" in_scanlist=\"%4\" />\r\n").arg(i).arg(i % 100).arg(i + 1).arg(i % 2);
    for (int i = 16; i < 99; ++i)
        frequencies += QStringLiteral("\t\t<frequency freq=\"%1\" bandwidth=\"2\" power_level=\"2\" compander_lle_mode=\"0\" />\r\n")
                           .arg(firstHz + stepHz * i);
    text.replace(QStringLiteral("\t</channels>"), channels + QStringLiteral("\t</channels>"));
    text.replace(QStringLiteral("\t</frequencies>"), frequencies + QStringLiteral("\t</frequencies>"));
    return text;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    ScopedProcessContext context;
    QuietSink sink;
    SetMessageSink(&sink);
    QTemporaryDir dir;
    SetUserSettingsFile(dir.filePath(QStringLiteral("user.ini")));
    SetInstallPathOverride(QStringLiteral(TAVO_BIN_DIR "/install"));

    struct Profile {
        const char *model;
        quint32 firstHz, stepHz;
        std::vector<int> pages;
    };
    const Profile profiles[] = {
        {"OUD11602", 446000000, 2000, {PageAudioSettings, PageButtons, PageScanList, PageCustomizedCT}},
        {"SUR41622", 461012500, 25000, {PageAudioSettings, PageButtons, PageScanList}},
    };
    const char *names[PageCount] = {"", "", "audio settings", "buttons", "", "", "", "scan list", "customised tones"};

    CTavoCPSApp app;
    CTavoCPSApp::Options options;
    options.splash = false;
    if (!app.InitInstance(options))
        return 1;
    app.MainFrame()->resize(1100, 760);
    app.MainFrame()->show();
    QApplication::processEvents();
    constexpr int kRuns = 21;
    std::vector<QString> lines;
    for (const Profile &p : profiles) {
        const QString path = dir.filePath(QLatin1String(p.model) + QStringLiteral("-full.kp2"));
        {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(EncodeScrambledUtf16(FullProfile(QLatin1String(p.model), p.firstHz, p.stepHz)));
        }
        CChildFrame *child = app.MainFrame()->OpenDocumentFile(path);
        if (!child)
            return 1;
        child->showMaximized();
        QApplication::processEvents();
        for (int page : p.pages) {
            std::vector<double> times;
            for (int i = 0; i < kRuns; ++i) {
                child->SwitchPage(0); // from the first page each time
                QApplication::processEvents();
                QElapsedTimer t;
                t.start();
                child->SwitchPage(page);
                QApplication::processEvents(); // laid out and painted
                times.push_back(t.nsecsElapsed() / 1e6);
            }
            lines.push_back(QString::asprintf("%s (%s, full profile): switch to %s page: %.1f ms median of %d, worst %.1f ms (limit 50 ms)",
                                              p.model, p.model[2] == 'D' ? "display" : "no display", names[page], Median(times), kRuns,
                                              *std::max_element(times.begin(), times.end())));
        }
        child->Document()->SetModifiedFlag(false);
        app.MainFrame()->MdiArea()->closeAllSubWindows();
        QApplication::processEvents();
    }
    SetMessageSink(nullptr);
    for (const QString &line : lines)
        std::printf("%s\n", qPrintable(line));
    return 0;
}
