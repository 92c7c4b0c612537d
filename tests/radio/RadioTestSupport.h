#pragma once
// Shared helpers of the radio-link tests: the sample image, the simulated
// radio as a separate process on a pseudo-terminal (tavo-radio-sim), and the
// bits of radio memory a write may change.

#include "codeplug/VirtualCP.h"
#include "radio/SimulatedRadio.h"
#include "radio/RadioMemoryMap.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace tavo::test {

inline VirtualCP SampleImage()
{
    VirtualCP cp;
    QFile f(QStringLiteral(TAVO_SOURCE_DIR "/install/samples/demo-OUD11602.img"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.size(), static_cast<int>(VirtualCP::kSize));
    std::memcpy(cp.bytes.data(), bytes.constData(), std::min<size_t>(VirtualCP::kSize, static_cast<size_t>(bytes.size())));
    return cp;
}

inline QString SampleImagePath()
{
    return QStringLiteral(TAVO_SOURCE_DIR "/install/samples/demo-OUD11602.img");
}

// tavo-radio-sim started for one test; stopped (SIGTERM) when destroyed.
class SimProcess {
public:
    explicit SimProcess(const QStringList &args)
    {
        m_log = m_dir.filePath(QStringLiteral("sim.log"));
        m_dump = m_dir.filePath(QStringLiteral("sim.dump"));
        QStringList all = args;
        all << QStringLiteral("--log") << m_log << QStringLiteral("--dump-memory") << m_dump;
        m_proc.setProgram(QStringLiteral(TAVO_BIN_DIR "/tavo-radio-sim"));
        m_proc.setArguments(all);
        m_proc.start();
        if (!m_proc.waitForStarted(10000))
            return;
        while (!m_proc.canReadLine() && m_proc.state() == QProcess::Running)
            m_proc.waitForReadyRead(200);
        const QString line = QString::fromLocal8Bit(m_proc.readLine()).trimmed();
        if (line.startsWith(QLatin1String("/dev/")))
            m_port = line;
    }
    ~SimProcess() { Stop(); }

    QString Port() const { return m_port; }
    bool Running() { return m_proc.state() == QProcess::Running; }

    // Ends the radio; it then writes its memory dump.
    void Stop()
    {
        if (m_proc.state() == QProcess::Running) {
            m_proc.terminate();
            if (!m_proc.waitForFinished(10000)) {
                m_proc.kill();
                m_proc.waitForFinished();
            }
        }
    }
    // Waits for a radio that ends by itself (unplug-after).
    bool WaitForExit(int ms) { return m_proc.waitForFinished(ms); }

    QStringList Log() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QByteArray Dump() const
    {
        QFile f(m_dump);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString TempPath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QProcess m_proc;
    QString m_port;
    QString m_log;
    QString m_dump;
};

inline int CountLines(const QStringList &log, const QString &prefix)
{
    int n = 0;
    for (const QString &l : log)
        n += l.startsWith(prefix) ? 1 : 0;
    return n;
}

// The bits of the radio memory (the simulator's two pages) that WriteRadio
// may change for image `cp`.
inline std::vector<uint8_t> AllowedWriteMask(const VirtualCP &cp)
{
    using namespace radiomap;
    std::vector<uint8_t> mask(SimulatedRadio::kDumpSize, 0);
    auto at = [&](uint32_t a) -> uint8_t & {
        return mask[a >= SimulatedRadio::kPage2 ? SimulatedRadio::kPageSize + (a - SimulatedRadio::kPage2) : a - SimulatedRadio::kPage1];
    };
    const uint32_t s = kSettingsAddress;
    at(s + 0) = 0xFF;
    at(s + 1) = 0xFF;
    at(s + 2) = 0x80;
    at(s + 3) = 0x7F;
    for (uint32_t b = 4; b <= 12; ++b)
        at(s + b) = 0xFF;
    for (uint8_t entry : kProgrammableButtons)
        at(s + 13 + entry / 2) |= (entry % 2 == 0) ? 0x0F : 0xF0;
    for (uint32_t b = 21; b <= 31; ++b)
        at(s + b) = 0xFF;
    for (uint32_t b = 0; b < kChannelRecordSize * cp.UsedChannelSlots(); ++b)
        at(s + kChannelRecordOffset + b) = 0xFF;
    if (HasCustomTones(cp))
        for (uint32_t b = 0; b < 12; ++b)
            at(s + kCustomToneBlockOffset + b) = 0xFF;
    for (uint32_t b = 0; b < kFrequencyRecordSize * cp.UsedFrequencySlots(); ++b)
        at(kFrequencyAddress + b) = 0xFF;
    // The close of the frequency table carries the programming-mode flag,
    // which the radio keeps in its limits record.
    for (size_t i = 0; i < kLimitsFieldCount; ++i)
        if (kLimitsFields[i].imageOffset == VirtualCP::kProgrammingModeEnabledOffset)
            at(kLimitsAddress + kLimitsFields[i].recordByte) |= static_cast<uint8_t>(1u << kLimitsFields[i].shift);
    if (NeedsFirmwareStep(cp)) {
        at(kLimitsByte13Address) |= 0x80;
        at(kFirmwareStepByteAddress) = 0xFF;
        if (ReferenceTableFor(cp) != ReferenceTable::None)
            for (uint32_t b = 0; b < kParameterBlockSize; ++b)
                at(kParameterBlockAddress + b) = 0xFF;
    }
    return mask;
}

// Describes every changed bit outside the mask ("" when none).
inline std::string ForbiddenChanges(const std::vector<uint8_t> &before, const std::vector<uint8_t> &after, const std::vector<uint8_t> &mask)
{
    std::string out;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        const uint8_t bad = static_cast<uint8_t>((before[i] ^ after[i]) & ~mask[i]);
        if (bad) {
            const uint32_t a = i >= SimulatedRadio::kPageSize ? SimulatedRadio::kPage2 + static_cast<uint32_t>(i - SimulatedRadio::kPageSize)
                                                               : SimulatedRadio::kPage1 + static_cast<uint32_t>(i);
            char buf[64];
            std::snprintf(buf, sizeof buf, "%05X: %02X -> %02X; ", a, before[i], after[i]);
            out += buf;
        }
    }
    return out;
}

inline std::vector<uint8_t> ToVector(const QByteArray &b)
{
    return std::vector<uint8_t>(b.begin(), b.end());
}

} // namespace tavo::test
