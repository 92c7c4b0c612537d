#include "workflow/CRadioCommands.h"

#include "base/AtomicFile.h"

#include "base/CTavoCPSException.h"
#include "base/ProfileNames.h"
#include "codeplug/CodeplugChecks.h"
#include "config/Registry.h"
#include "config/SettingDocuments.h"
#include "config/PageRows.h"
#include "config/SquelchCodes.h"
#include "profile/CDataAdaptor.h"
#include "profile/CRadioDataModel.h"
#include "profile/ProfileChecks.h"
#include "workflow/CodeplugComparison.h"
#include "radio/RadioMemoryMap.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

namespace tavo {

namespace {

// The edition whose setting documents the command line loads.
constexpr const char *kEdition = "Tavo EMEA CPS";
constexpr uint32_t kHighestPlainCode = 122;

QString formatted(int id, const QString &arg)
{
    QString text = LoadString(id);
    text.replace(QLatin1String("%1"), arg);
    return text;
}

bool stop(int id)
{
    ShowMessage(id, MB_OK | MB_ICONERROR);
    return false;
}

// Region codes "02" and "22" name the same radios.
bool sameRegion(const QString &a, const QString &b)
{
    auto is0222 = [](const QString &r) { return r == QLatin1String("02") || r == QLatin1String("22"); };
    return a == b || (is0222(a) && is0222(b));
}

// Channel count of a model code: its fifth and sixth characters.
int channelCountOf(const QString &model)
{
    return model.mid(4, 2).toInt();
}

} // namespace

QString RadioModelText(const CRadioIdent &ident)
{
    QString model;
    for (int i = 0; i < 3; ++i)
        model += QLatin1Char(ident.m_szModel[i] ? ident.m_szModel[i] : ' ');
    for (int i = 3; i < 8; ++i)
        model += QString::number(static_cast<uint8_t>(ident.m_szModel[i]));
    return model;
}

QString RadioPasswordText(const CRadioIdent &ident)
{
    QString text;
    for (char c : ident.m_szPassword) {
        if (!c)
            break;
        text += QLatin1Char(c);
    }
    return text;
}

QString RadioFirmwareText(const CRadioIdent &ident)
{
    if (!ident.m_cFirmwarePhase)
        return QString();
    const auto number = [](char c) { return QString(QLatin1Char(c)).toInt(); };
    return FormatVersion(QString(QLatin1Char(ident.m_cFirmwarePhase)), number(ident.m_cFirmwareVersion),
                         number(ident.m_cFirmwareRevision));
}

QString RadioRegionCode(const CRadioIdent &ident)
{
    return QString::number(static_cast<uint8_t>(ident.m_szModel[6])) + QString::number(static_cast<uint8_t>(ident.m_szModel[7]));
}

bool EnsureSettingDocuments()
{
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    SettingDocuments &docs = AppSettingDocuments();
    if (docs.IsLoaded() && !docs.m_strRegionName.isEmpty())
        return true;
    return docs.LoadAll() && docs.InitRegionData(QLatin1String(kEdition));
}

bool CheckIdentification(const CRadioIdent &ident, bool forWrite)
{
    const SettingDocuments &docs = AppSettingDocuments();
    const QString region = RadioRegionCode(ident);
    if (!docs.IsSupported(region) || !IsCloneCompatible(ident.m_nCloneCompatibility)) {
        if (forWrite)
            return stop(msg::RadioModelNotSupported);
        QString text = LoadString(msg::RadioRegionNotSupported);
        const QString edition = docs.m_mapModelRegions.value(region.toInt());
        if (!edition.isEmpty())
            text += QLatin1Char(' ') + QString::asprintf(LoadString(msg::UseEditionForRadio).toUtf8().constData(), edition.toUtf8().constData());
        ShowMessageText(text, MB_OK | MB_ICONERROR);
        return false;
    }
    if (!docs.IsCodeplugSupported(QString(QLatin1Char(ident.m_cCodeplugPhase)), ident.m_nCodeplugVersion))
        return stop(msg::RadioCodeplugIncompatible);
    return true;
}

bool RunPasswordLoop(const CRadioIdent &ident, QString &accepted, IRadioCommandHost &host)
{
    const QString expected = RadioPasswordText(ident);
    while (!expected.isEmpty() && expected != accepted) {
        QString entered;
        if (!host.AskPassword(expected, entered))
            return false;
        accepted = entered;
    }
    return true;
}

bool CheckWriteStart(const CRadioDataModel &profile)
{
    const QString problem = ProfileValueProblem(profile.m_rootItem);
    if (!problem.isEmpty()) {
        ShowMessageText(problem, MB_OK | MB_ICONERROR);
        return false;
    }
    if (!CheckFrequencies(profile.m_rootItem))
        return stop(msg::ChannelFrequencyOutOfRange);
    return true;
}

bool ConvertModelForRadio(VirtualCP &image, const QString &profileModel, const CRadioIdent &ident, QStringList *notes)
{
    // Codes are named as the profile has them, the code put in their place
    // as the radio will show it.
    const VirtualCP asProfile = image;
    const QString separator = GetDecimalSeparator();
    const SettingAttributeReader tones = [&asProfile](const QString &attribute) {
        const int index = attribute.mid(6).toInt() - static_cast<int>(VirtualCP::kFirstCustomCode);
        return index >= 0 && index < static_cast<int>(VirtualCP::kCustomToneCount)
                   ? QString::number(asProfile.CustomTone(static_cast<size_t>(index)))
                   : QString();
    };
    const uint32_t radioCodes = ident.m_nMaxCodes;
    const size_t inUse = std::min<size_t>(image.NumberChannels(), image.UsedChannelSlots());
    const auto note = [&](size_t j, int fieldId, uint32_t code) {
        if (!notes || j >= inUse)
            return;
        const QString field = formatted(msg::ChangeChannelField, QString::number(j + 1)).replace(QLatin1String("%2"), LoadString(fieldId));
        notes->append(LoadString(msg::CodeNotHeld)
                          .arg(field, CodeLabelText(static_cast<int>(code), static_cast<int>(asProfile.MaxCodes()), tones, separator))
                          .arg(radioCodes)
                          .arg(CodeLabelText(1, static_cast<int>(radioCodes), tones, separator)));
    };
    for (size_t j = 0; j < VirtualCP::kChannelCount; ++j) {
        ChannelSlot c = image.Channel(j);
        if (c.RxCode() > radioCodes) {
            note(j, msg::ChangeChannelRxTone, c.RxCode());
            c.SetRxCode(1);
        }
        if (c.TxCode() > radioCodes) {
            // A transmit code the channel does not send with is not worth a word.
            if (!TransmitsWithReceive(image, c))
                note(j, msg::ChangeChannelTxTone, c.TxCode());
            c.SetTxCode(1);
        }
        image.SetChannel(j, c);
    }
    if (notes && asProfile.MaxCodes() >= VirtualCP::kCustomTonesFromMaxCodes && radioCodes < VirtualCP::kCustomTonesFromMaxCodes)
        notes->append(LoadString(msg::CustomTonesNotHeld).arg(radioCodes));
    const QString radioModel = RadioModelText(ident);
    const int profileChannels = channelCountOf(profileModel);
    const int radioChannels = channelCountOf(radioModel);
    bool asked = false;
    if (radioChannels < profileChannels) {
        if (ShowMessage(msg::HighToLowTierConversion, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        asked = true;
        image.SetChannelSlots(static_cast<uint32_t>(radioChannels));
        // The channels in use, the scan list and the presets stay within
        // the radio's channels, so that it reads back as it was written.
        if (static_cast<int>(image.NumberChannels()) > radioChannels)
            image.SetNumberChannels(static_cast<uint32_t>(radioChannels));
        for (int j = radioChannels; j < profileChannels && j < static_cast<int>(VirtualCP::kChannelCount); ++j) {
            image.SetChannel(static_cast<size_t>(j), ChannelSlot());
            image.SetScanListBit(static_cast<size_t>(j), 0);
        }
        if (static_cast<int>(image.Preset1Channel()) >= radioChannels)
            image.SetPreset1Channel(0);
        if (static_cast<int>(image.Preset2Channel()) >= radioChannels)
            image.SetPreset2Channel(1);
    }
    if (radioModel.size() > 2 && radioModel.at(2) == QLatin1Char('R') && !(profileModel.size() > 2 && profileModel.at(2) == QLatin1Char('R'))) {
        if (!asked && ShowMessage(msg::HighToLowTierConversion, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        for (size_t slot : {size_t(8), size_t(5), size_t(9)})
            image.SetButtonEntry(slot, 0);
    }
    return true;
}

bool PrepareWrite(CRadioDataModel &profile, const CRadioIdent &ident, QString &accepted, IRadioCommandHost &host, VirtualCP &image,
                  QStringList *notes)
{
    const SettingDocuments &docs = AppSettingDocuments();
    const CDataItem factory = profile.m_rootItem.ChildByName(names::kFactorySetting);
    const CDataItem limit = profile.m_rootItem.ChildByName(names::kLimit);
    const QString model = factory.GetText(names::kModel);
    const QString radioModel = RadioModelText(ident);

    if (!sameRegion(model.mid(6, 2), RadioRegionCode(ident)))
        return stop(msg::RadioDoesNotMatchProfile);
    if (!docs.IsCodeplugSupported(QString(QLatin1Char(ident.m_cCodeplugPhase)), ident.m_nCodeplugVersion))
        return stop(msg::RadioCodeplugIncompatible);
    if (factory.GetInt(names::kSerialCloneCompatibility) != ident.m_nCloneCompatibility)
        return stop(msg::ProfileNotCompatibleWithRadio);
    if (model.mid(1, 1) != radioModel.mid(1, 1))
        return stop(msg::FrequencyNotSupportedByRadio);
    if (limit.GetInt(names::kMaxCodes) > static_cast<int>(kHighestPlainCode) && ident.m_nMaxCodes == kHighestPlainCode
        && !ChannelCodesInRange(profile.m_rootItem))
        return stop(msg::CodesNotSupportedByRadio);

    // The image from the profile's output step (on a copy: transmit follows
    // receive on a radio without repeater, the text validated), as a save does.
    image = VirtualCP();
    QString text, invalid;
    if (!profile.PrepareForOutput(text, invalid)) {
        ShowMessageText(invalid, MB_OK | MB_ICONERROR);
        return false;
    }
    try {
        CDataAdaptor::XML2VirtualCP(text, image);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Caught"), "PrepareWrite", __LINE__);
        ShowMessageText(LoadString(e.m_nMsgID) + e.m_strMessage, MB_OK | MB_ICONERROR);
        return false;
    }

    QStringList notHeld;
    if (!ConvertModelForRadio(image, model, ident, &notHeld))
        return false;
    if (notes)
        *notes = notHeld;
    else if (!notHeld.isEmpty()
             && ShowMessageText(LoadString(msg::CodesNotHeldQuestion).arg(notHeld.join(QLatin1Char('\n'))), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    if (!RunPasswordLoop(ident, accepted, host))
        return false;

    image.SetFirmwarePhase(static_cast<uint8_t>(ident.m_cFirmwarePhase));
    image.SetFirmwareVersion(static_cast<uint8_t>(ident.m_cFirmwareVersion));
    image.SetFirmwareRevision(static_cast<uint8_t>(ident.m_cFirmwareRevision));
    std::memcpy(image.At(VirtualCP::kModelLettersOffset), ident.m_szModel, 8);
    if (ident.m_nMaxCodes < image.MaxCodes())
        image.SetMaxCodes(ident.m_nMaxCodes);
    return true;
}

// ---- what the radio will hold

namespace {
QString MegahertzText(uint32_t hz)
{
    return QString::asprintf("%.6f", hz * 1e-6).replace(QLatin1Char('.'), GetDecimalSeparator());
}
} // namespace

QString FrequencyRangeText(uint32_t lowHz, uint32_t highHz)
{
    const auto shortest = [](uint32_t hz) {
        QString text = QString::asprintf("%.6f", hz * 1e-6);
        while (text.endsWith(QLatin1Char('0')) && !text.endsWith(QLatin1String(".0")))
            text.chop(1);
        return text.replace(QLatin1Char('.'), GetDecimalSeparator());
    };
    return QStringLiteral("%1-%2 MHz").arg(shortest(lowHz), shortest(highHz));
}

bool FitImageToRadio(VirtualCP &image, const VirtualCP &radio, QString &refusal)
{
    const uint32_t base = radio.SynthBase();
    const uint32_t low = radio.StartFreq(), high = radio.EndFreq();
    const size_t tableSize = image.UsedFrequencySlots();
    const auto held = [&image, tableSize](size_t s) { return s < tableSize && !image.Frequency(s).IsUnused(); };
    const auto hzOf = [&image](size_t s) { return SynthToHz(image.Frequency(s), image.SynthBase()); };

    // Channel records go only where the radio has channel slots: a profile
    // that claims more slots than the radio sends none past its end, and
    // one that uses more channels than the radio has is refused.
    const uint32_t radioSlots = radio.ChannelSlots();
    if (radioSlots != 0 && image.ChannelSlots() > radioSlots && image.NumberChannels() > radioSlots) {
        refusal = LoadString(msg::RadioTooFewChannels).arg(image.NumberChannels()).arg(radioSlots);
        return false;
    }

    // A radio that reports no limits (both zero) is not held to any.
    if (high != 0) {
        const size_t channels = std::min<size_t>(image.NumberChannels(), image.UsedChannelSlots());
        // Each channel as this radio will use it (its repeater feature decides).
        VirtualCP asRadio = image;
        asRadio.SetDisableRepeaterFeature(radio.DisableRepeaterFeature());
        for (size_t j = 0; j < channels; ++j) {
            const ChannelSlot c = EffectiveChannel(asRadio, j);
            for (const uint32_t s : {c.RxFreqNdx(), c.TxFreqNdx()}) {
                if (!held(s))
                    continue; // no frequency there: the profile's own checks say so
                const uint32_t hz = hzOf(s);
                if (hz < low || hz > high) {
                    refusal = LoadString(msg::RadioFrequencyOutsideRange).arg(QString::number(j + 1), MegahertzText(hz), FrequencyRangeText(low, high));
                    return false;
                }
            }
        }
    }

    VirtualCP fitted = image;
    // Slots already made for the radio's base keep their bytes.
    if (image.SynthBase() != base) {
        for (size_t s = 0; s < tableSize; ++s) {
            if (!held(s))
                continue;
            const uint32_t hz = hzOf(s);
            if (!HzRepresentable(hz, base)) {
                refusal = LoadString(msg::RadioFrequencyNotHeld).arg(QString::number(s + 1), MegahertzText(hz), QString::number(base));
                return false;
            }
            FrequencySlot slot = image.Frequency(s);
            HzToSynth(hz, slot, base);
            fitted.SetFrequency(s, slot);
        }
    }
    // What the write leaves to the radio is the radio's: its synthesizer,
    // its limits and whether it has the repeater feature (which decides how
    // it uses each channel's transmit settings).
    fitted.SetSynthBase(base);
    fitted.SetStartFreq(low);
    fitted.SetEndFreq(high);
    fitted.SetDisableRepeaterFeature(radio.DisableRepeaterFeature());
    if (radioSlots != 0 && fitted.ChannelSlots() > radioSlots)
        fitted.SetChannelSlots(radioSlots);
    image = fitted;
    return true;
}

QString FirstFrequencyDifference(const VirtualCP &written, const std::vector<MemoryRun> &held, uint32_t radioBase)
{
    using namespace radiomap;
    for (const MemoryRun &run : held) {
        if (run.address < kFrequencyAddress || run.address >= kFrequencyLimitsAddress)
            continue;
        for (size_t at = 0; at + kFrequencyRecordSize <= run.bytes.size(); at += kFrequencyRecordSize) {
            const size_t s = (run.address + at - kFrequencyAddress) / kFrequencyRecordSize;
            if (s >= VirtualCP::kFrequencyCount || written.Frequency(s).IsUnused())
                continue;
            FrequencySlot slot;
            UnpackFrequencyRecord(run.bytes.data() + at, slot);
            const uint32_t meant = SynthToHz(written.Frequency(s), written.SynthBase());
            const uint32_t used = SynthToHz(slot, radioBase);
            if (meant != used)
                return LoadString(msg::VerifyFrequencyDiffers).arg(QString::number(s + 1), MegahertzText(meant), MegahertzText(used));
        }
    }
    return QString();
}

// ---- verify and backup

QString RadioMemoryFieldName(uint32_t address)
{
    using namespace radiomap;
    const auto number = [](size_t n) { return QString::number(n); };
    if (address >= kSettingsAddress && address < kSettingsAddress + kSettingsBlockLong) {
        const size_t byte = address - kSettingsAddress;
        const size_t channels = kCustomToneBlockOffset - kChannelRecordOffset;
        if (byte >= kChannelRecordOffset && byte < kChannelRecordOffset + channels) {
            const size_t j = (byte - kChannelRecordOffset) / kChannelRecordSize;
            const bool checksum = (byte - kChannelRecordOffset) % kChannelRecordSize == kChannelChecksumByte;
            return formatted(checksum ? msg::FieldChannelChecksum : msg::FieldChannel, number(j + 1));
        }
        if (byte >= kCustomToneBlockOffset && byte < kCustomToneBlockOffset + 2 * VirtualCP::kCustomToneCount)
            return formatted(msg::FieldCustomTone, number(VirtualCP::kFirstCustomCode + (byte - kCustomToneBlockOffset) / 2));
        return formatted(msg::FieldSettingByte, number(byte));
    }
    if (address >= kFrequencyAddress && address < kFrequencyLimitsAddress)
        return formatted(msg::FieldFrequencySlot, number((address - kFrequencyAddress) / kFrequencyRecordSize));
    return formatted(msg::FieldMemoryByte, QStringLiteral("%1").arg(address, 5, 16, QLatin1Char('0')).toUpper());
}

namespace {

// The bytes [address, address + length) of `runs`; false when a run does
// not hold them all.
bool RunBytes(const std::vector<MemoryRun> &runs, uint32_t address, size_t length, std::vector<uint8_t> &bytes)
{
    for (const MemoryRun &run : runs)
        if (run.address <= address && address + length <= run.address + run.bytes.size()) {
            const auto from = run.bytes.begin() + (address - run.address);
            bytes.assign(from, from + static_cast<std::ptrdiff_t>(length));
            return true;
        }
    return false;
}

// A region of the radio's memory the comparison reads as fields: the
// settings block and the frequency records, each unpacked into an image.
struct UnpackedRegion {
    uint32_t start;
    uint32_t end;
    // The record holding `address`: its first address and length.
    uint32_t (*recordStart)(uint32_t address, const VirtualCP &image);
    size_t (*recordLength)(const VirtualCP &image);
    void (*unpack)(const std::vector<uint8_t> &record, uint32_t recordAddress, VirtualCP &image);
};
const UnpackedRegion kUnpackedRegions[] = {
    {radiomap::kSettingsAddress, radiomap::kSettingsAddress + radiomap::kSettingsBlockLong,
     [](uint32_t, const VirtualCP &) { return static_cast<uint32_t>(radiomap::kSettingsAddress); },
     [](const VirtualCP &image) { return radiomap::SettingsBlockLength(image); },
     [](const std::vector<uint8_t> &block, uint32_t, VirtualCP &image) {
         // A flipped byte may tell of the tones a short block lacks.
         std::vector<uint8_t> whole(radiomap::kSettingsBlockLong, 0);
         std::copy(block.begin(), block.end(), whole.begin());
         radiomap::UnpackSettingsBlock(whole.data(), image);
     }},
    {radiomap::kFrequencyAddress, radiomap::kFrequencyLimitsAddress,
     [](uint32_t address, const VirtualCP &) {
         return static_cast<uint32_t>(address - (address - radiomap::kFrequencyAddress) % radiomap::kFrequencyRecordSize);
     },
     [](const VirtualCP &) { return radiomap::kFrequencyRecordSize; },
     [](const std::vector<uint8_t> &record, uint32_t recordAddress, VirtualCP &image) {
         FrequencySlot slot;
         radiomap::UnpackFrequencyRecord(record.data(), slot);
         image.SetFrequency((recordAddress - radiomap::kFrequencyAddress) / radiomap::kFrequencyRecordSize, slot);
     }},
};

// The field of the comparison that the byte at `address` holding `value`
// instead of what was sent changes; empty when it is none the comparison
// knows (a checksum, an identity or limit byte, an unused bit).
QString ComparedField(const VirtualCP &written, const std::vector<MemoryRun> &sent, uint32_t address, uint8_t value)
{
    for (const UnpackedRegion &region : kUnpackedRegions) {
        if (address < region.start || address >= region.end)
            continue;
        const uint32_t start = region.recordStart(address, written);
        std::vector<uint8_t> meant;
        if (!RunBytes(sent, start, region.recordLength(written), meant) || address - start >= meant.size())
            return QString();
        std::vector<uint8_t> kept = meant;
        kept[address - start] = value;
        VirtualCP before = written, after = written;
        region.unpack(meant, start, before);
        region.unpack(kept, start, after);
        const std::vector<CodeplugChange> changes = CompareCodeplugs(before, after);
        return changes.empty() ? QString() : changes.front().field;
    }
    return QString();
}

} // namespace

QString FirstUnwrittenField(const std::vector<MemoryRun> &sent, const std::vector<MemoryRun> &held, const VirtualCP *written)
{
    for (size_t r = 0; r < sent.size(); ++r) {
        const MemoryRun &run = sent[r];
        for (size_t i = 0; i < run.bytes.size(); ++i) {
            const bool same = r < held.size() && held[r].address == run.address && i < held[r].bytes.size() && held[r].bytes[i] == run.bytes[i];
            if (same)
                continue;
            const uint32_t address = static_cast<uint32_t>(run.address + i);
            // Named as the change list names it where the byte is a field of it.
            const bool heldByte = r < held.size() && held[r].address == run.address && i < held[r].bytes.size();
            const QString field = written && heldByte ? ComparedField(*written, sent, address, held[r].bytes[i]) : QString();
            return field.isEmpty() ? RadioMemoryFieldName(address) : field;
        }
    }
    return QString();
}

QString BackupFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tavocps/backups");
}

QString BackupSerialName(const QString &serial)
{
    QString name = serial.trimmed();
    name.remove(QChar(0));
    for (QChar &c : name)
        if (!c.isLetterOrNumber())
            c = QLatin1Char('_');
    return name.isEmpty() ? QStringLiteral("unknown") : name;
}

namespace {
// A backup's name: SERIAL-YYYYMMDD-HHMMSS.img, and -2, -3 ... for more in
// one second.
const QString kBackupStampFormat = QStringLiteral("yyyyMMdd-HHmmss");
QRegularExpression BackupNamePattern(const QString &serialName)
{
    return QRegularExpression(QStringLiteral("^%1-(\\d{8}-\\d{6})(?:-(\\d+))?\\.img$").arg(serialName));
}
} // namespace

QDateTime RadioBackupTime(const QString &path)
{
    const QRegularExpressionMatch m = BackupNamePattern(QStringLiteral("\\w+")).match(QFileInfo(path).fileName());
    return m.hasMatch() ? QDateTime::fromString(m.captured(1), kBackupStampFormat) : QDateTime();
}

QStringList ListRadioBackups(const QString &serial)
{
    const QString name = BackupSerialName(serial);
    const QRegularExpression pattern = BackupNamePattern(QRegularExpression::escape(name));
    struct Backup {
        QString stamp;
        int number;
        QString path;
    };
    std::vector<Backup> backups;
    const QDir folder(BackupFolder());
    for (const QString &file : folder.entryList({name + QStringLiteral("-*.img")}, QDir::Files)) {
        const QRegularExpressionMatch m = pattern.match(file);
        if (m.hasMatch())
            backups.push_back({m.captured(1), m.captured(2).isEmpty() ? 1 : m.captured(2).toInt(), folder.filePath(file)});
    }
    std::sort(backups.begin(), backups.end(),
              [](const Backup &a, const Backup &b) { return a.stamp != b.stamp ? a.stamp > b.stamp : a.number > b.number; });
    QStringList paths;
    for (const Backup &b : backups)
        paths << b.path;
    return paths;
}

QString BackupRadioImage(const VirtualCP &image, QString &error)
{
    const QString serial = BackupSerialName(
        QString::fromLatin1(reinterpret_cast<const char *>(image.SerialBytes()), static_cast<int>(VirtualCP::kSerialWidth)));
    const QString folder = BackupFolder();
    if (!QDir().mkpath(folder)) {
        error = LoadString(msg::CannotWriteFile).arg(folder, SystemErrorText(errno));
        return QString();
    }
    const QString stamp = QDateTime::currentDateTime().toString(kBackupStampFormat);
    // The name is claimed by creating it: two ports backing up radios of one
    // name (blank serials) in one second each get a file of their own.
    QString path = QStringLiteral("%1/%2-%3.img").arg(folder, serial, stamp);
    for (int n = 2;; ++n) {
        QFile claim(path);
        if (claim.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (claim.exists() && n < 10000) {
            path = QStringLiteral("%1/%2-%3-%4.img").arg(folder, serial, stamp).arg(n);
            continue;
        }
        error = QStringLiteral("%1: %2").arg(path, claim.errorString());
        return QString();
    }
    const QByteArray bytes(reinterpret_cast<const char *>(image.bytes.data()), VirtualCP::kSize);
    if (!WriteFileAtomically(path, bytes, error)) {
        QFile::remove(path);
        return QString();
    }
    // Only a backup that reads back as it was meant lets the write go on.
    QFile back(path);
    if (!back.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, back.errorString());
        return QString();
    }
    if (back.readAll() != bytes || back.error() != QFileDevice::NoError) {
        error = formatted(msg::BackupReadsBackOtherwise, path);
        return QString();
    }
    return path;
}

// ---- whole commands

namespace {
bool identify(CRadioOperation &op, CRadioIdent &ident)
{
    std::lock_guard<std::mutex> lock(op.Lock());
    op.ClearFailure();
    return op.Identify(ident);
}
} // namespace

RadioCommandResult ReadFromRadio(CRadioOperation &op, const std::atomic<bool> &continueFlag, QString &accepted, IRadioCommandHost &host, VirtualCP &image)
{
    if (!EnsureSettingDocuments())
        return RadioCommandResult::Stopped;
    host.Stage(msg::IdentifyingRadio);
    CRadioIdent ident;
    if (!identify(op, ident))
        return RadioCommandResult::Failed;
    if (!CheckIdentification(ident, false) || !RunPasswordLoop(ident, accepted, host))
        return RadioCommandResult::Stopped;
    host.Stage(msg::ReadingFromRadio);
    return RunTransfer(op, TransferKind::Read, image, continueFlag) ? RadioCommandResult::Done : RadioCommandResult::Failed;
}

RadioCommandResult WriteToRadio(CRadioOperation &op, const std::atomic<bool> &continueFlag, CRadioDataModel &profile, QString &accepted,
                                IRadioCommandHost &host, const RadioWriteOptions &options, RadioWriteReport &report)
{
    std::unique_lock<std::mutex> profileTurn;
    if (options.profileLock)
        profileTurn = std::unique_lock<std::mutex>(*options.profileLock);
    if (!EnsureSettingDocuments() || !CheckWriteStart(profile))
        return RadioCommandResult::Stopped;
    if (profileTurn)
        profileTurn.unlock();
    host.Stage(msg::IdentifyingRadio);
    if (!identify(op, report.ident))
        return RadioCommandResult::Failed;
    if (!CheckIdentification(report.ident, true))
        return RadioCommandResult::Stopped;
    VirtualCP image;
    RadioWriteOptions stages = options;
    // What the radio cannot hold is named in the review where there is one,
    // else asked before anything starts.
    if (profileTurn.mutex())
        profileTurn.lock();
    if (!PrepareWrite(profile, report.ident, accepted, host, image, options.review ? &stages.notes : nullptr))
        return RadioCommandResult::Stopped;
    if (profileTurn)
        profileTurn.unlock();

    QString stopText;
    const RadioCommandResult result = RunWriteStages(op, continueFlag, image, accepted, host, stages, report, stopText);
    if (result == RadioCommandResult::Stopped && !stopText.isEmpty())
        ShowMessageText(stopText, MB_OK | MB_ICONERROR);
    return result;
}

namespace {
// A serial number's bytes as the radio holds them: up to the first zero,
// blanks trimmed.
QString SerialText(const uint8_t *bytes)
{
    QString serial = QString::fromLatin1(reinterpret_cast<const char *>(bytes), static_cast<int>(VirtualCP::kSerialWidth));
    serial.truncate(serial.indexOf(QChar(0)) < 0 ? serial.size() : serial.indexOf(QChar(0)));
    return serial.trimmed();
}
} // namespace

QString ImageSerial(const VirtualCP &image)
{
    return SerialText(image.SerialBytes());
}

bool ReadAnsweringSerial(CRadioOperation &op, QString &serial)
{
    uint8_t bytes[VirtualCP::kSerialWidth] = {};
    std::lock_guard<std::mutex> lock(op.Lock());
    op.ClearFailure();
    CRadioProtocol &protocol = op.Protocol();
    if (protocol.OpenDevice(CableDeviceIndex()) < 0)
        return false;
    const bool ok = protocol.ReadMemory(radiomap::kHeaderAddress, static_cast<int>(sizeof bytes), bytes) == static_cast<int>(sizeof bytes);
    protocol.CloseDevice();
    if (ok)
        serial = SerialText(bytes);
    return ok;
}

bool LoadImageAsProfile(const VirtualCP &image, CRadioDataModel &profile)
{
    // The image that image2profile would refuse is refused here with its
    // message: a radio written with it would read back as corrupted.
    VirtualCP copy = image;
    QString xml;
    if (!CDataAdaptor::VirtualCP2XML(copy, xml))
        return false;
    try {
        return profile.LoadProfile(xml, 0) != 0;
    } catch (const CTavoCPSException &e) {
        ShowMessageText(LoadString(e.m_nMsgID) + e.m_strMessage, MB_OK | MB_ICONERROR);
        return false;
    }
}

RadioCommandResult RunWriteStages(CRadioOperation &op, const std::atomic<bool> &continueFlag, VirtualCP &image, QString &accepted,
                                  IRadioCommandHost &host, const RadioWriteOptions &options, RadioWriteReport &report, QString &stopText)
{
    // What the radio holds now is saved before anything is written to it.
    host.Stage(msg::BackingUpRadio);
    VirtualCP current;
    {
        std::lock_guard<std::mutex> lock(op.Lock());
        op.ClearFailure();
        if (!op.ReadRadio(current))
            return RadioCommandResult::Failed;
    }
    report.serial = ImageSerial(current);
    // A restore says plainly when the image is another radio's.
    if (!options.imageSerial.isEmpty() && options.imageSerial != report.serial) {
        QString text = LoadString(msg::ImageFromOtherRadio);
        text.replace(QLatin1String("%1"), options.imageSerial);
        text.replace(QLatin1String("%2"), report.serial.isEmpty() ? LoadString(msg::SerialUnknown) : report.serial);
        const bool goOn = options.confirmOtherRadio ? options.confirmOtherRadio(text)
                                                    : ShowMessageText(text, MB_YESNO | MB_ICONWARNING) == IDYES;
        if (!goOn) {
            report.skipped = true;
            return RadioCommandResult::Stopped;
        }
    }
    // Nothing is written that the radio would hold otherwise than meant:
    // the frequencies go in for the radio's own synthesizer and limits
    // (every write road, a restore's too).
    {
        QString refusal;
        if (!FitImageToRadio(image, current, refusal)) {
            stopText = refusal;
            return RadioCommandResult::Stopped;
        }
    }
    if (options.review && !options.review(current, image, options.notes)) {
        report.skipped = true;
        return RadioCommandResult::Stopped;
    }
    QString error;
    report.backupPath = BackupRadioImage(current, error);
    if (report.backupPath.isEmpty()) {
        stopText = formatted(msg::BackupFailed, error);
        return RadioCommandResult::Stopped;
    }
    host.BackedUp(report.backupPath);

    host.Stage(msg::WritingToRadio);
    report.writtenHash = QString::fromLatin1(
        QCryptographicHash::hash(QByteArray::fromRawData(reinterpret_cast<const char *>(image.bytes.data()), VirtualCP::kSize), QCryptographicHash::Sha256).toHex());
    if (!RunTransfer(op, TransferKind::Write, image, continueFlag))
        return RadioCommandResult::Failed;
    // The password the radio now has is the one last accepted.
    accepted = QString::fromLatin1(reinterpret_cast<const char *>(image.PasswordBytes()), 4);
    accepted.truncate(accepted.indexOf(QChar(0)) < 0 ? 4 : accepted.indexOf(QChar(0)));

    if (options.verify) {
        host.Stage(msg::VerifyingRadio);
        // Every byte the write sent is read back, checksums included.
        // With them the radio's synthesizer base: the frequencies are
        // compared as the radio will use them, not only as bytes.
        const std::vector<MemoryRun> sent = op.LastWrite();
        std::vector<MemoryRun> runs = sent;
        runs.push_back({radiomap::kSynthBaseAddress, std::vector<uint8_t>(2)});
        std::vector<MemoryRun> held;
        {
            std::lock_guard<std::mutex> lock(op.Lock());
            op.ClearFailure();
            if (!op.ReadMemoryRuns(runs, held)) {
                // The write itself went through whole.
                report.writtenUnverified = true;
                return RadioCommandResult::Failed;
            }
        }
        const uint32_t radioBase = GetBE(held.back().bytes.data(), 2);
        held.pop_back();
        report.verifyDifference = FirstUnwrittenField(sent, held, &image);
        if (report.verifyDifference.isEmpty())
            report.verifyDifference = FirstFrequencyDifference(image, held, radioBase);
        if (!report.verifyDifference.isEmpty()) {
            stopText = formatted(msg::VerifyFailed, report.verifyDifference);
            return RadioCommandResult::Stopped;
        }
    }
    return RadioCommandResult::Done;
}

} // namespace tavo
