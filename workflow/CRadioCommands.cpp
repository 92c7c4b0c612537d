#include "workflow/CRadioCommands.h"

#include "base/CTavoCPSException.h"
#include "codeplug/CodeplugChecks.h"
#include "config/SettingDocuments.h"
#include "profile/CDataAdaptor.h"
#include "profile/CRadioDataModel.h"
#include "profile/ProfileChecks.h"
#include "radio/SimulatedRadio.h"
#include "radio/RadioMemoryMap.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QDateTime>
#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstring>
#include <mutex>

namespace tavo {

namespace {

// The edition whose setting documents the command line loads.
constexpr const char *kEdition = "Tavo EMEA CPS";
constexpr uint32_t kHighestPlainCode = 122;

CDataItem child(const CDataItem &parent, const char *name)
{
    CDataItem c;
    parent.GetChildByName(QLatin1String(name), c);
    return c;
}

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
    if (!CheckFrequencies(profile.m_rootItem))
        return stop(msg::ChannelFrequencyOutOfRange);
    return true;
}

bool ConvertModelForRadio(VirtualCP &image, const QString &profileModel, const CRadioIdent &ident)
{
    for (size_t j = 0; j < VirtualCP::kChannelCount; ++j) {
        ChannelSlot c = image.Channel(j);
        if (c.RxCode() > ident.m_nMaxCodes)
            c.SetRxCode(1);
        if (c.TxCode() > ident.m_nMaxCodes)
            c.SetTxCode(1);
        image.SetChannel(j, c);
    }
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

bool PrepareWrite(CRadioDataModel &profile, const CRadioIdent &ident, QString &accepted, IRadioCommandHost &host, VirtualCP &image)
{
    const SettingDocuments &docs = AppSettingDocuments();
    const CDataItem factory = child(profile.m_rootItem, "factory_setting");
    const CDataItem limit = child(profile.m_rootItem, "limit");
    const QString model = factory.GetText(QStringLiteral("model"));
    const QString radioModel = RadioModelText(ident);

    if (!sameRegion(model.mid(6, 2), RadioRegionCode(ident)))
        return stop(msg::RadioDoesNotMatchProfile);
    if (!docs.IsCodeplugSupported(QString(QLatin1Char(ident.m_cCodeplugPhase)), ident.m_nCodeplugVersion))
        return stop(msg::RadioCodeplugIncompatible);
    if (factory.GetInt(QStringLiteral("serial_clone_compatibility")) != ident.m_nCloneCompatibility)
        return stop(msg::ProfileNotCompatibleWithRadio);
    if (model.mid(1, 1) != radioModel.mid(1, 1))
        return stop(msg::FrequencyNotSupportedByRadio);
    if (limit.GetInt(QStringLiteral("maxCodes")) > static_cast<int>(kHighestPlainCode) && ident.m_nMaxCodes == kHighestPlainCode
        && !ChannelCodesInRange(profile.m_rootItem))
        return stop(msg::CodesNotSupportedByRadio);

    // The image from the profile: transmit follows receive on a radio
    // without repeater, as a save does.
    image = VirtualCP();
    try {
        if (limit.GetText(QStringLiteral("disable_repeater_feature")) == QLatin1String("1"))
            profile.m_rootItem.CopyReceiveToTransmit();
        CDataAdaptor::XML2VirtualCP(profile.GetXmlText(), image);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Caught"), "CTavoCPSDoc::GetVirtualCPData", __LINE__);
        ShowMessageText(LoadString(e.m_nMsgID) + e.m_strMessage, MB_OK | MB_ICONERROR);
        return false;
    }

    if (!ConvertModelForRadio(image, model, ident))
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

// ---- verify and backup

QString FirstUnwrittenField(const VirtualCP &written, const VirtualCP &readBack)
{
    using namespace radiomap;
    const std::vector<uint8_t> a = PackImageToRadioMemory(written);
    const std::vector<uint8_t> b = PackImageToRadioMemory(readBack);
    auto differs = [&](uint32_t address, uint8_t mask) {
        const size_t i = address - SimulatedRadio::kPage1;
        return ((a[i] ^ b[i]) & mask) != 0;
    };
    // The settings record as the write packs it: bit 7 of byte 2, byte 3
    // but bit 7 and the scramble-button bit the radio may keep, the five
    // programmable buttons.
    uint8_t settingsMask[32] = {};
    settingsMask[0] = settingsMask[1] = 0xFF;
    settingsMask[2] = 0x80;
    settingsMask[3] = 0x6F;
    for (int byte = 4; byte <= 12; ++byte)
        settingsMask[byte] = 0xFF;
    for (uint8_t entry : kProgrammableButtons)
        settingsMask[13 + entry / 2] |= (entry % 2 == 0) ? 0x0F : 0xF0;
    for (int byte = 21; byte <= 31; ++byte)
        settingsMask[byte] = 0xFF;
    for (uint32_t byte = 0; byte < 32; ++byte)
        if (differs(kSettingsAddress + byte, settingsMask[byte]))
            return formatted(msg::FieldSettingByte, QString::number(byte));
    for (size_t j = 0; j < written.UsedChannelSlots(); ++j)
        for (uint32_t byte = 0; byte < kChannelRecordSize - 1; ++byte) // the checksum is the radio's
            if (differs(static_cast<uint32_t>(kSettingsAddress + kChannelRecordOffset + kChannelRecordSize * j + byte), 0xFF))
                return formatted(msg::FieldChannel, QString::number(j + 1));
    if (HasCustomTones(written))
        for (uint32_t i = 0; i < 12; ++i)
            if (differs(static_cast<uint32_t>(kSettingsAddress + kCustomToneBlockOffset + i), 0xFF))
                return formatted(msg::FieldCustomTone, QString::number(VirtualCP::kFirstCustomCode + i / 2));
    for (size_t s = 0; s < written.UsedFrequencySlots(); ++s)
        for (uint32_t byte = 0; byte < kFrequencyRecordSize; ++byte)
            if (differs(static_cast<uint32_t>(kFrequencyAddress + kFrequencyRecordSize * s + byte), 0xFF))
                return formatted(msg::FieldFrequencySlot, QString::number(s));
    return QString();
}

QString BackupFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tavocps/backups");
}

QString BackupRadioImage(const VirtualCP &image, QString &error)
{
    QString serial = QString::fromLatin1(reinterpret_cast<const char *>(image.SerialBytes()), static_cast<int>(VirtualCP::kSerialWidth)).trimmed();
    serial.remove(QChar(0));
    for (QChar &c : serial)
        if (!c.isLetterOrNumber())
            c = QLatin1Char('_');
    if (serial.isEmpty())
        serial = QStringLiteral("unknown");
    const QString folder = BackupFolder();
    if (!QDir().mkpath(folder)) {
        error = folder;
        return QString();
    }
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = QStringLiteral("%1/%2-%3.img").arg(folder, serial, stamp);
    for (int n = 2; QFile::exists(path); ++n)
        path = QStringLiteral("%1/%2-%3-%4.img").arg(folder, serial, stamp).arg(n);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char *>(image.bytes.data()), VirtualCP::kSize) != VirtualCP::kSize
        || !file.commit()) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return QString();
    }
    return path;
}

// ---- whole commands

namespace {
bool identify(CRadioOperation &op, CRadioIdent &ident)
{
    std::lock_guard<std::mutex> lock(RadioLock());
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
    if (!EnsureSettingDocuments() || !CheckWriteStart(profile))
        return RadioCommandResult::Stopped;
    host.Stage(msg::IdentifyingRadio);
    if (!identify(op, report.ident))
        return RadioCommandResult::Failed;
    if (!CheckIdentification(report.ident, true))
        return RadioCommandResult::Stopped;
    VirtualCP image;
    if (!PrepareWrite(profile, report.ident, accepted, host, image))
        return RadioCommandResult::Stopped;

    QString stopText;
    const RadioCommandResult result = RunWriteStages(op, continueFlag, image, accepted, host, options, report, stopText);
    if (result == RadioCommandResult::Stopped && !stopText.isEmpty())
        ShowMessageText(stopText, MB_OK | MB_ICONERROR);
    return result;
}

RadioCommandResult RunWriteStages(CRadioOperation &op, const std::atomic<bool> &continueFlag, VirtualCP &image, QString &accepted,
                                  IRadioCommandHost &host, const RadioWriteOptions &options, RadioWriteReport &report, QString &stopText)
{
    // What the radio holds now is saved before anything is written to it.
    host.Stage(msg::BackingUpRadio);
    VirtualCP current;
    {
        std::lock_guard<std::mutex> lock(RadioLock());
        op.ClearFailure();
        if (!op.ReadRadio(current))
            return RadioCommandResult::Failed;
    }
    report.serial = QString::fromLatin1(reinterpret_cast<const char *>(current.SerialBytes()), static_cast<int>(VirtualCP::kSerialWidth)).trimmed();
    QString error;
    report.backupPath = BackupRadioImage(current, error);
    if (report.backupPath.isEmpty()) {
        stopText = formatted(msg::BackupFailed, error);
        return RadioCommandResult::Stopped;
    }
    host.BackedUp(report.backupPath);

    host.Stage(msg::WritingToRadio);
    if (!RunTransfer(op, TransferKind::Write, image, continueFlag))
        return RadioCommandResult::Failed;
    // The password the radio now has is the one last accepted.
    accepted = QString::fromLatin1(reinterpret_cast<const char *>(image.PasswordBytes()), 4);
    accepted.truncate(accepted.indexOf(QChar(0)) < 0 ? 4 : accepted.indexOf(QChar(0)));

    if (options.verify) {
        host.Stage(msg::VerifyingRadio);
        VirtualCP back;
        {
            std::lock_guard<std::mutex> lock(RadioLock());
            op.ClearFailure();
            if (!op.ReadRadio(back))
                return RadioCommandResult::Failed;
        }
        report.verifyDifference = FirstUnwrittenField(image, back);
        if (!report.verifyDifference.isEmpty()) {
            stopText = formatted(msg::VerifyFailed, report.verifyDifference);
            return RadioCommandResult::Stopped;
        }
    }
    return RadioCommandResult::Done;
}

} // namespace tavo
