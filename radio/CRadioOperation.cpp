#include "radio/CRadioOperation.h"
#include "codeplug/CodeplugChecks.h"

#include "radio/RadioMemoryMap.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "resources/ProcessContext.h"

#include <cstring>
#include <map>
#include <vector>

namespace tavo {

using namespace radiomap;

namespace {
std::mutex g_radioLock;
std::recursive_mutex g_radioCriticalSection;

// The locks of the explicit ports, made at first use and kept for the
// life of the process (a port's lock never moves while it is held).
struct PortLocks {
    std::mutex lock;
    std::recursive_mutex section;
};
PortLocks *portLocks(const QString &path)
{
    static std::mutex guard;
    static std::map<QString, std::unique_ptr<PortLocks>> locks;
    if (path.isEmpty())
        return nullptr;
    std::lock_guard<std::mutex> hold(guard);
    std::unique_ptr<PortLocks> &entry = locks[path];
    if (!entry)
        entry = std::make_unique<PortLocks>();
    return entry.get();
}
ContextValue<int> &cableDeviceIndex()
{
    static ContextValue<int> value(0);
    return value;
}
} // namespace

std::mutex &RadioLock()
{
    return g_radioLock;
}

namespace {
std::recursive_mutex &criticalSectionFor(const QString &path)
{
    PortLocks *locks = portLocks(path);
    return locks ? locks->section : g_radioCriticalSection;
}
} // namespace

std::mutex &RadioLockFor(const CableConfig &config)
{
    PortLocks *locks = portLocks(config.portPath);
    return locks ? locks->lock : g_radioLock;
}

int CableDeviceIndex()
{
    return cableDeviceIndex().Get();
}

void SetCableDeviceIndex(int index)
{
    cableDeviceIndex().Set(index);
}

CRadioOperation::CRadioOperation(IRadioNotificationSink *sink, const CableConfig &config)
    : m_pProtocol(std::make_unique<CRadioProtocol>(config)), m_config(config), m_section(criticalSectionFor(config.portPath)), m_pSink(sink)
{
    m_bQuiet[0] = 0;
    m_bQuiet[1] = 0;
}

CRadioOperation::~CRadioOperation() = default;

void CRadioOperation::post(int type, int value)
{
    if (IRadioNotificationSink *sink = m_pSink.load())
        sink->Notify(type, value);
}

void CRadioOperation::progress(int percent)
{
    if (m_bQuiet[0].load() || m_bQuiet[1].load())
        return;
    post(RadioProgress, percent);
}

bool CRadioOperation::CloseLink()
{
    if (m_pProtocol->CloseDevice() < 0) {
        post(RadioCommFailure, -1);
        return false;
    }
    return true;
}

bool CRadioOperation::open()
{
    m_bQuiet[0] = 0;
    m_bQuiet[1] = 0;
    if (m_pProtocol->OpenDevice(CableDeviceIndex()) < 0) {
        if (!m_bFailureKept) {
            m_bFailureKept = true;
            m_strFirstFailure = failureDetailNow();
            m_eFirstFailure = LinkFailure::Cable;
        }
        post(RadioCommFailure, -1);
        return false;
    }
    return true;
}

void CRadioOperation::ClearFailure()
{
    m_strFirstFailure.clear();
    m_eFirstFailure = LinkFailure::None;
    m_strFirstFailedRequest.clear();
    m_bFailureKept = false;
    m_bWriteStarted = false;
}

void CRadioOperation::failAndClose(int result)
{
    if (!m_bFailureKept) {
        m_bFailureKept = true;
        m_strFirstFailure = failureDetailNow();
        m_eFirstFailure = m_pProtocol->LastFailure();
        m_strFirstFailedRequest = m_pProtocol->LastFailedRequest();
    }
    post(RadioCommFailure, result < 0 ? result : -1);
    CloseLink();
}

bool CRadioOperation::closeAndPostDone()
{
    if (!CloseLink())
        return false;
    post(RadioDone, 0);
    return true;
}

bool CRadioOperation::memoryCheck()
{
    uint8_t status = 0;
    const int r = m_pProtocol->ReadMemoryStatus(status);
    if (r < 0) {
        failAndClose(r);
        return false;
    }
    if (status != 0) {
        post(RadioMemoryWarning, status);
        CloseLink();
        return false;
    }
    return true;
}

bool CRadioOperation::readBlock(uint32_t address, int length, uint8_t *dest)
{
    if (length <= 0)
        return true;
    const int r = m_pProtocol->ReadMemory(address, length, dest);
    if (r != length) {
        failAndClose(r < 0 ? r : -1);
        return false;
    }
    return true;
}

bool CRadioOperation::Identify(CRadioIdent &ident)
{
    std::lock_guard<std::recursive_mutex> cs(m_section);
    if (!open())
        return false;
    ident.Clear();
    if (!memoryCheck())
        return false;

    uint8_t model[kModelReadSize] = {};
    if (!readBlock(kModelAddress, kModelReadSize, model))
        return false;
    std::memcpy(ident.m_szModel, model, 8);
    ident.m_cCodeplugPhase = static_cast<char>(model[8]);
    ident.m_nCodeplugVersion = model[9];
    progress(20);

    char fw[3] = {};
    const int r = m_pProtocol->ReadFirmwareVersion(fw);
    if (r < 0) {
        failAndClose(r);
        return false;
    }
    ident.m_cFirmwarePhase = fw[0];
    ident.m_cFirmwareVersion = fw[1];
    ident.m_cFirmwareRevision = fw[2];
    progress(40);

    uint8_t codes = 0;
    if (UsesNewerLayoutForIdent(fw[0], fw[1], fw[2])) {
        if (!readBlock(kLimitsByte18Address, 1, &codes))
            return false;
        ident.m_nMaxCodes = codes;
    } else {
        if (!readBlock(kLimitsByte5Address, 1, &codes))
            return false;
        ident.m_nMaxCodes = codes & 0x7F;
    }

    uint8_t password[4] = {};
    if (!readBlock(kPasswordAddress, 4, password))
        return false;
    std::memcpy(ident.m_szPassword, password, 4);
    progress(60);

    uint8_t slotCount[8] = {};
    if (!readBlock(kFrequencySlotsAddress, 8, slotCount))
        return false;
    ident.m_nFrequencySlots = slotCount[0];
    progress(80);

    uint8_t clone = 0;
    if (!readBlock(kCloneCompatibilityAddress, 1, &clone))
        return false;
    ident.m_nCloneCompatibility = clone;
    progress(100);

    return closeAndPostDone();
}

bool CRadioOperation::ReadRadio(VirtualCP &cp)
{
    std::lock_guard<std::recursive_mutex> cs(m_section);
    if (!open())
        return false;
    cp = VirtualCP();
    for (size_t i = 0; i < VirtualCP::kCustomToneCount; ++i)
        cp.SetCustomTone(i, 0xFFFF);
    if (!memoryCheck())
        return false;

    uint8_t header[kHeaderSize] = {};
    if (!readBlock(kHeaderAddress, kHeaderSize, header))
        return false;
    UnpackHeader(header, cp);
    progress(10);

    uint8_t base[2] = {};
    if (!readBlock(kSynthBaseAddress, 2, base))
        return false;
    cp.SetSynthBase(GetBE(base, 2));
    progress(20);

    char fw[3] = {};
    const int r = m_pProtocol->ReadFirmwareVersion(fw);
    if (r < 0) {
        failAndClose(r);
        return false;
    }
    cp.SetFirmwarePhase(static_cast<uint8_t>(fw[0]));
    cp.SetFirmwareVersion(static_cast<uint8_t>(fw[1]));
    cp.SetFirmwareRevision(static_cast<uint8_t>(fw[2]));
    progress(40);

    uint8_t limits[kLimitsSize] = {};
    if (!readBlock(kLimitsAddress, kLimitsSize, limits))
        return false;
    UnpackLimits(limits, UsesNewerLayoutForRead(fw[0], fw[1], fw[2]), cp);
    ApplyRepeaterRule(cp);
    progress(50);

    uint8_t clone = 0;
    if (!readBlock(kCloneCompatibilityAddress, 1, &clone))
        return false;
    cp.SetCloneCompatibility(clone);

    uint8_t block[kSettingsBlockLong] = {};
    if (!readBlock(kSettingsAddress, kSettingsBlockLong, block))
        return false;
    UnpackSettingsBlock(block, cp);
    progress(60);

    // The image holds 99 frequency slotCount; a radio claiming more is read as
    // far as the image goes.
    const size_t slotCount = cp.UsedFrequencySlots();
    std::vector<uint8_t> records(slotCount * kFrequencyRecordSize);
    if (!readBlock(kFrequencyAddress, static_cast<int>(records.size()), records.data()))
        return false;
    for (size_t s = 0; s < slotCount; ++s) {
        FrequencySlot slot;
        UnpackFrequencyRecord(records.data() + s * kFrequencyRecordSize, slot);
        cp.SetFrequency(s, slot);
    }

    uint8_t freqLimits[kFrequencyLimitsSize] = {};
    if (!readBlock(kFrequencyLimitsAddress, kFrequencyLimitsSize, freqLimits))
        return false;
    UnpackFrequencyLimits(freqLimits, cp);
    progress(80);

    return closeAndPostDone();
}

bool CRadioOperation::WriteRadio(const VirtualCP &image)
{
    std::lock_guard<std::recursive_mutex> cs(m_section);
    if (!open())
        return false;
    if (!memoryCheck())
        return false;

    // What depends on the radio (the firmware-specific step, the buttons
    // looked at for the scramble bit) follows the radio being written, not
    // the image: its model and firmware are asked first, as the write road
    // copies them into the image after the identification.
    m_lastWrite.clear();
    VirtualCP cp = image;
    {
        uint8_t model[kModelReadSize] = {};
        if (!readBlock(kModelAddress, kModelReadSize, model))
            return false;
        std::memcpy(cp.At(VirtualCP::kModelLettersOffset), model, 8);
        char fw[3] = {};
        const int r = m_pProtocol->ReadFirmwareVersion(fw);
        if (r < 0) {
            failAndClose(r);
            return false;
        }
        cp.SetFirmwarePhase(static_cast<uint8_t>(fw[0]));
        cp.SetFirmwareVersion(static_cast<uint8_t>(fw[1]));
        cp.SetFirmwareRevision(static_cast<uint8_t>(fw[2]));
    }

    // The block goes back as the radio holds it except for what the image
    // sets. When the six customised tones are written the block is 398
    // bytes long, so all 398 are read first: bytes 386-397 are returned as
    // the radio holds them, never as zeros.
    const size_t length = SettingsBlockLength(cp);
    uint8_t block[kSettingsBlockLong] = {};
    if (!readBlock(kSettingsAddress, static_cast<int>(length), block))
        return false;
    progress(20);

    PackSettingsBlockForWrite(cp, block);
    m_bWriteStarted = true;
    int r = m_pProtocol->WriteMemory(block, static_cast<int>(length), kSettingsAddress);
    if (r < 0) {
        failAndClose(r);
        return false;
    }
    recordWrite(kSettingsAddress, block, length);
    r = m_pProtocol->SendControl(0x1F, 3, 0);
    if (r < 0) {
        failAndClose(r);
        return false;
    }
    progress(40);

    if (NeedsFirmwareStep(cp)) {
        uint8_t b = 0;
        if (!readBlock(kLimitsByte13Address, 1, &b))
            return false;
        b = static_cast<uint8_t>(b & 0x7F);
        if ((r = m_pProtocol->WriteMemory(&b, 1, kLimitsByte13Address)) < 0
            || (r = m_pProtocol->SendControl(0x1F, 4, 0)) < 0) {
            failAndClose(r);
            return false;
        }
        recordWrite(kLimitsByte13Address, &b, 1);
        const uint8_t zero = 0;
        if ((r = m_pProtocol->WriteMemory(&zero, 1, kFirmwareStepByteAddress)) < 0) {
            failAndClose(r);
            return false;
        }
        recordWrite(kFirmwareStepByteAddress, &zero, 1);
        const ReferenceTable which = ReferenceTableFor(cp);
        if (which != ReferenceTable::None) {
            const std::array<uint8_t, kParameterBlockSize> table = which == ReferenceTable::A ? ReferenceTableA() : kReferenceTableB;
            std::array<uint8_t, kParameterBlockSize> held{};
            if (!readBlock(kParameterBlockAddress, static_cast<int>(kParameterBlockSize), held.data()))
                return false;
            if (held != table) {
                r = m_pProtocol->WriteMemory(table.data(), static_cast<int>(kParameterBlockSize), kParameterBlockAddress);
                if (r < 0) {
                    failAndClose(r);
                    return false;
                }
                recordWrite(kParameterBlockAddress, table.data(), kParameterBlockSize);
            }
        }
        if ((r = m_pProtocol->SendControl(0x1F, 0, 0)) < 0) {
            failAndClose(r);
            return false;
        }
    }

    const size_t slotCount = cp.UsedFrequencySlots();
    for (size_t s = 0; s < slotCount; ++s) {
        uint8_t record[kFrequencyRecordSize];
        PackFrequencyRecord(cp.Frequency(s), record);
        r = m_pProtocol->WriteFrequencySlot(static_cast<uint8_t>(s), record);
        if (r < 0) {
            failAndClose(r);
            return false;
        }
        recordWrite(static_cast<uint32_t>(kFrequencyAddress + kFrequencyRecordSize * s), record, kFrequencyRecordSize);
    }
    progress(60);
    r = m_pProtocol->CloseFrequencyTable(static_cast<uint8_t>(slotCount), static_cast<uint8_t>(cp.ProgrammingModeEnabled()));
    if (r < 0) {
        failAndClose(r);
        return false;
    }
    progress(80);

    return closeAndPostDone();
}

void CRadioOperation::recordWrite(uint32_t address, const uint8_t *data, size_t length)
{
    // A run that continues the last one joins it, so a verify reads it at once.
    if (!m_lastWrite.empty() && m_lastWrite.back().address + m_lastWrite.back().bytes.size() == address) {
        m_lastWrite.back().bytes.insert(m_lastWrite.back().bytes.end(), data, data + length);
        return;
    }
    m_lastWrite.push_back(MemoryRun{address, std::vector<uint8_t>(data, data + length)});
}

bool CRadioOperation::ReadMemoryRuns(const std::vector<MemoryRun> &runs, std::vector<MemoryRun> &held)
{
    std::lock_guard<std::recursive_mutex> cs(m_section);
    held.clear();
    if (!open())
        return false;
    if (!memoryCheck())
        return false;
    int done = 0;
    for (const MemoryRun &run : runs) {
        MemoryRun back{run.address, std::vector<uint8_t>(run.bytes.size())};
        if (!readBlock(run.address, static_cast<int>(back.bytes.size()), back.bytes.data()))
            return false;
        held.push_back(std::move(back));
        progress(10 + 70 * ++done / static_cast<int>(runs.size()));
    }
    return closeAndPostDone();
}

bool CRadioOperation::Reset()
{
    std::lock_guard<std::recursive_mutex> cs(m_section);
    if (!open())
        return false;
    const int r = m_pProtocol->ResetRadio();
    if (r < 0) {
        failAndClose(r);
        return false;
    }
    m_config.Sleep(kResetWaitMs);
    progress(100);
    return closeAndPostDone();
}

bool CRadioOperation::FactoryReset()
{
    std::lock_guard<std::recursive_mutex> cs(m_section);
    if (!open())
        return false;
    const int r = m_pProtocol->SendControl(0x1F, 3, 1);
    if (r < 0) {
        failAndClose(r);
        return false;
    }
    m_config.Sleep(kResetWaitMs);
    progress(100);
    return closeAndPostDone();
}

bool CRadioOperation::StartLink()
{
    if (!open())
        return false;
    const int r = m_pProtocol->StartLink();
    if (r < 1) {
        failAndClose(r);
        return false;
    }
    return closeAndPostDone();
}

int CRadioOperation::CountCables()
{
    int first = 0;
    CUsbCable &cable = m_pProtocol->Cable();
    const int count = cable.CountCables(first);
    cable.m_bConnected = count > 0 ? 1 : 0;
    if (count > 0)
        SetCableDeviceIndex(first);
    return count;
}

bool CRadioOperation::IsCloneCompatible(int value)
{
    return tavo::IsCloneCompatible(value);
}

bool CRadioOperation::IsCodeplugSupported(char phase, int version, int supportedVersion)
{
    return tavo::IsCodeplugSupported(phase, version, supportedVersion);
}

QString CRadioOperation::FailureDetail() const
{
    return m_bFailureKept ? m_strFirstFailure : failureDetailNow();
}

QString CRadioOperation::failureDetailNow() const
{
    const CUsbCable &cable = m_pProtocol->Cable();
    if (cable.Status() != FT_OK) {
        const QString text = cable.LastErrorText();
        if (!text.isEmpty() && cable.Status() == FT_IO_ERROR) {
            QString t = LoadString(msg::ConnectionLost);
            t.replace(QLatin1String("%1"), text);
            return t;
        }
        if (!text.isEmpty())
            return text;
        QString t = LoadString(msg::CableFailed);
        t.replace(QLatin1String("%1"), QString::fromLatin1(FtStatusName(cable.Status())));
        return t;
    }
    switch (m_pProtocol->LastFailure()) {
    case LinkFailure::NoAcknowledgement: return LoadString(msg::RadioNoAck);
    case LinkFailure::BadChecksum: return LoadString(msg::RadioBadChecksum);
    case LinkFailure::Refused: return LoadString(msg::RadioWriteRefused);
    case LinkFailure::ShortAnswer: return LoadString(msg::RadioShortAnswer);
    case LinkFailure::UnexpectedReply: return LoadString(msg::RadioUnexpectedReply);
    case LinkFailure::WrongEcho: return LoadString(msg::RadioWrongEcho);
    default: return LoadString(msg::RadioNoAnswer);
    }
}

} // namespace tavo
