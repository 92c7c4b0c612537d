#pragma once
// The programming station's two sounds, told apart across a room: a
// radio done (two short rising tones) and a radio failed (three low
// buzzes). The system bell is silent on many desktops, so each sound is a
// short wave made here and played by the desktop's sound player (PipeWire,
// PulseAudio or ALSA, whichever is installed); with none of them the bell
// rings, once for done and three times for failed.

#include <QByteArray>
#include <QObject>
#include <QString>

namespace tavo {

// The sound as a WAV file (16-bit mono PCM): `ok` the done sound, else the
// failed one.
QByteArray FleetSoundWave(bool ok);

class CFleetSound : public QObject {
    Q_OBJECT
public:
    explicit CFleetSound(QObject *parent = nullptr);
    ~CFleetSound() override;
    void Play(bool ok);
    // The player that plays the sounds (its path), empty when the bell rings.
    QString Player() const { return m_strPlayer; }
    // How many sounds were played or rung so far (tests count them).
    int Played(bool ok) const { return ok ? m_nDone : m_nFailed; }

private:
    QString waveFile(bool ok);
    QString m_strPlayer;
    QString m_strFolder;
    QString m_strFiles[2];
    int m_nDone = 0;
    int m_nFailed = 0;
};

} // namespace tavo
