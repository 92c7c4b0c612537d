#include "app/FleetSound.h"

#include "base/AtomicFile.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdint>

namespace tavo {

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;
constexpr double kAmplitude = 0.5 * 32767.0;
// Each tone fades in and out over this many samples, so it does not click.
constexpr int kFadeSamples = 220;
constexpr int kBellGapMs = 250;
constexpr int kFailedBells = 3;

struct Tone {
    double hz; // 0: a pause
    int ms;
};
// Done: a short rising pair. Failed: three low, rough buzzes.
constexpr Tone kDone[] = {{880.0, 120}, {0.0, 40}, {1320.0, 180}};
constexpr Tone kFailed[] = {{220.0, 200}, {0.0, 80}, {220.0, 200}, {0.0, 80}, {220.0, 300}};

void putLE(QByteArray &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

template <size_t N>
QByteArray samples(const Tone (&tones)[N], bool rough)
{
    QByteArray pcm;
    for (const Tone &t : tones) {
        const int count = kRate * t.ms / 1000;
        for (int i = 0; i < count; ++i) {
            double v = 0;
            if (t.hz > 0) {
                const double phase = 2.0 * kPi * t.hz * i / kRate;
                // The failed sound gets its third harmonic: a buzz, not a beep.
                v = rough ? 0.7 * std::sin(phase) + 0.3 * std::sin(3 * phase) : std::sin(phase);
                const int edge = std::min(i, count - 1 - i);
                if (edge < kFadeSamples)
                    v *= static_cast<double>(edge) / kFadeSamples;
            }
            putLE(pcm, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * kAmplitude))), 2);
        }
    }
    return pcm;
}

} // namespace

QByteArray FleetSoundWave(bool ok)
{
    const QByteArray pcm = ok ? samples(kDone, false) : samples(kFailed, true);
    QByteArray wav("RIFF");
    putLE(wav, static_cast<uint32_t>(36 + pcm.size()), 4);
    wav += "WAVEfmt ";
    putLE(wav, 16, 4); // the format chunk's size
    putLE(wav, 1, 2);  // PCM
    putLE(wav, 1, 2);  // mono
    putLE(wav, kRate, 4);
    putLE(wav, kRate * 2, 4); // bytes per second
    putLE(wav, 2, 2);         // bytes per sample
    putLE(wav, 16, 2);        // bits per sample
    wav += "data";
    putLE(wav, static_cast<uint32_t>(pcm.size()), 4);
    return wav + pcm;
}

CFleetSound::CFleetSound(QObject *parent) : QObject(parent)
{
    for (const char *player : {"pw-play", "paplay", "aplay"}) {
        m_strPlayer = QStandardPaths::findExecutable(QLatin1String(player));
        if (!m_strPlayer.isEmpty())
            break;
    }
}

CFleetSound::~CFleetSound()
{
    if (!m_strFolder.isEmpty())
        QDir(m_strFolder).removeRecursively();
}

QString CFleetSound::waveFile(bool ok)
{
    QString &file = m_strFiles[ok ? 1 : 0];
    if (!file.isEmpty())
        return file;
    if (m_strFolder.isEmpty()) {
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tavocps-sounds-XXXXXX"));
        if (!dir.isValid())
            return QString();
        dir.setAutoRemove(false);
        m_strFolder = dir.path();
    }
    const QString path = m_strFolder + (ok ? QStringLiteral("/done.wav") : QStringLiteral("/failed.wav"));
    QString error;
    if (WriteFileAtomically(path, FleetSoundWave(ok), error))
        file = path;
    return file;
}

void CFleetSound::Play(bool ok)
{
    ++(ok ? m_nDone : m_nFailed);
    const QString file = m_strPlayer.isEmpty() ? QString() : waveFile(ok);
    if (!file.isEmpty() && QProcess::startDetached(m_strPlayer, {file}))
        return;
    // No player: the bell, once for done, three times for failed.
    QApplication::beep();
    if (!ok)
        for (int n = 1; n < kFailedBells; ++n)
            QTimer::singleShot(n * kBellGapMs, this, [] { QApplication::beep(); });
}

} // namespace tavo
