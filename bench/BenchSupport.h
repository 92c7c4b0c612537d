#pragma once
// What the benchmarks share: a message sink that answers every question
// with its default, the set-up of the timing harnesses (scratch settings,
// the build's installation, profile files written there), the full profile
// they measure (a template grown to 19 channels and 99 frequencies) and the
// median of a series.

#include "base/TemplateFile.h"
#include "config/Registry.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace tavo::bench {

// Answers every question with its default; `echo` prints each message on stderr.
class QuietSink : public IMessageSink {
public:
    explicit QuietSink(bool echo = true) : m_echo(echo) {}
    int Show(const QString &text, unsigned style) override
    {
        if (m_echo)
            std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return DefaultAnswer(style);
    }

private:
    bool m_echo;
};

// The offscreen platform unless the caller names one; before the
// application object is made.
inline void DefaultToOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The set-up of a timing harness, after its application object: the process
// context, messages answered quietly, user settings in a scratch folder and
// the build's installation. Undone when it goes.
class HarnessSetUp {
public:
    HarnessSetUp()
    {
        SetMessageSink(&m_sink);
        SetUserSettingsFile(m_dir.filePath(QStringLiteral("user.ini")));
        SetInstallPathOverride(QStringLiteral(TAVO_BIN_DIR "/install"));
    }
    ~HarnessSetUp() { SetMessageSink(nullptr); }
    HarnessSetUp(const HarnessSetUp &) = delete;
    HarnessSetUp &operator=(const HarnessSetUp &) = delete;

    QString Dir() const { return m_dir.path(); }
    // Writes `bytes` as `name` in the scratch folder; its path, empty when
    // it could not be written.
    QString WriteFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? path : QString();
    }

private:
    ScopedProcessContext m_context;
    QuietSink m_sink;
    QTemporaryDir m_dir;
};

struct GrowOptions {
    quint32 firstHz = 461012500; // frequency of entry 0; entries step by stepHz
    quint32 stepHz = 25000;
    int channelPower = 0;        // talkaround and repeater power of the added channels
    bool alternateScan = false;  // added channels in the scan list every other one
};

// Template `model` (profiletemplate/MODEL.kp2) grown to 19 channels and 99
// frequencies.
inline QString FullProfile(const QString &model = QStringLiteral("SUR41622"), const GrowOptions &o = GrowOptions())
{
    QString text;
    LoadTemplateFile(QStringLiteral(TAVO_SOURCE_DIR "/install/profiletemplate/") + model + QStringLiteral(".kp2"), text);
    text.replace(QStringLiteral("maxChannels=\"16\""), QStringLiteral("maxChannels=\"19\""));
    text.replace(QStringLiteral("numberChannels=\"16\""), QStringLiteral("numberChannels=\"19\""));
    QString channels, frequencies;
    for (int i = 16; i < 19; ++i)
        channels += QStringLiteral("\t\t<channel rx_freq_ndx=\"%1\" rx_code=\"%2\" tx_freq_ndx=\"%1\" tx_code=\"%2\" rx_bw=\"0\" tx_bw=\"0\" "
                                   "talkaround_power=\"%5\" repeater_power=\"%5\" repeater=\"0\" autoScan=\"0\" scramble_code=\"0\" "
                                   "name=\"CH %3\" in_scanlist=\"%4\" />\r\n")
                        .arg(i)
                        .arg(i % 100)
                        .arg(i + 1)
                        .arg(o.alternateScan ? i % 2 : 1)
                        .arg(o.channelPower);
    for (int i = 16; i < 99; ++i)
        frequencies += QStringLiteral("\t\t<frequency freq=\"%1\" bandwidth=\"2\" power_level=\"2\" compander_lle_mode=\"0\" />\r\n")
                           .arg(o.firstHz + o.stepHz * i);
    text.replace(QStringLiteral("\t</channels>"), channels + QStringLiteral("\t</channels>"));
    text.replace(QStringLiteral("\t</frequencies>"), frequencies + QStringLiteral("\t</frequencies>"));
    return text;
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace tavo::bench
