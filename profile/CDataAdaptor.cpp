#include "profile/CDataAdaptor.h"

#include "base/CodePage.h"
#include "base/CTavoCPSException.h"
#include "base/ProfileNames.h"
#include "base/ProfileNamespaces.h"
#include "base/XmlDom.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"

#include <cstdio>

namespace tavo {
namespace CDataAdaptor {

namespace {

// How one profile attribute maps onto the bytes of a record.
enum class Kind {
    Number,     // unsigned decimal of a little-endian field
    Long,       // the same for a schema long: written at most 2147483647, what a typed read returns
    Flag,       // written as a number, read as "1" = 1, else 0
    Char,       // one character of one byte
    Text,       // fixed-width character field
    Model,      // three letters and five digit bytes
    Button,     // a four-bit entry of the button function table
    CustomTone, // one of the six customised CT tones (only with maxCodes >= 123)
    ScanBit,    // the channel's bit of the scan-list bit map
    Zero,       // written as "0", never read back (sub_region)
};

struct AttributeMap {
    const char *name;
    Kind kind;
    size_t offset; // into the record, or the entry / tone / slot index
    size_t width;
};

using V = VirtualCP;
using C = ChannelSlot;

const AttributeMap kFactorySetting[] = {
    {names::kSerialCloneCompatibility, Kind::Number, V::kCloneCompatibilityOffset, 1},
    {names::kFirmwarePhase, Kind::Char, V::kFirmwarePhaseOffset, 1},
    {names::kFirmwareVersion, Kind::Char, V::kFirmwareVersionOffset, 1},
    {names::kFirmwareRevision, Kind::Char, V::kFirmwareRevisionOffset, 1},
    {names::kCodeplugPhase, Kind::Char, V::kCodeplugPhaseOffset, 1},
    {names::kCodeplugVersion, Kind::Number, V::kCodeplugVersionOffset, 1},
    {names::kCodeplugDevVersion, Kind::Number, V::kCodeplugDevVersionOffset, 1},
    {names::kModel, Kind::Model, V::kModelLettersOffset, 8},
    {names::kSerial, Kind::Text, V::kSerialOffset, V::kSerialWidth},
    {names::kSynthBaseIntPart, Kind::Long, V::kSynthBaseOffset, 4},
    {names::kSubRegion, Kind::Zero, 0, 0},
};

const AttributeMap kLimit[] = {
    {names::kMaxChannels, Kind::Number, V::kChannelSlotsOffset, 1},
    {names::kMaxValidFreqs, Kind::Number, V::kFrequencySlotsOffset, 1},
    {names::kStartFreq, Kind::Number, V::kStartFreqOffset, 4},
    {names::kEndFreq, Kind::Number, V::kEndFreqOffset, 4},
    {names::kDisableTimeOutTimer, Kind::Flag, V::kDisableTimeOutTimerOffset, 1},
    {names::kDisableKeypadBeepFeature, Kind::Flag, V::kDisableKeypadBeepFeatureOffset, 1},
    {names::kDisableRogerBeepFeature, Kind::Flag, V::kDisableRogerBeepFeatureOffset, 1},
    {names::kDisableBusyLedMode, Kind::Flag, V::kDisableBusyLedModeOffset, 1},
    {names::kEnableReverseBurst, Kind::Flag, V::kEnableReverseBurstOffset, 1},
    {names::kDisableVoxFeature, Kind::Flag, V::kDisableVoxFeatureOffset, 1},
    {names::kDisableIvoxFeature, Kind::Flag, V::kDisableIvoxFeatureOffset, 1},
    {names::kDisableScrambleFeature, Kind::Flag, V::kDisableScrambleFeatureOffset, 1},
    {names::kDisableBatterySaveFeature, Kind::Flag, V::kDisableBatterySaveFeatureOffset, 1},
    {names::kFactoryResetDisable, Kind::Flag, V::kFactoryResetDisableOffset, 1},
    {names::kDisableScanMode, Kind::Flag, V::kDisableScanModeOffset, 1},
    {names::kMaxCallTones, Kind::Number, V::kMaxCallTonesOffset, 1},
    {names::kMaxPresetButtons, Kind::Number, V::kMaxPresetButtonsOffset, 1},
    {names::kMaxCodes, Kind::Long, V::kMaxCodesOffset, 4},
    {names::kPowerCntrlEnabled, Kind::Flag, V::kPowerCntrlEnabledOffset, 1},
    {names::kBacklightButtonEnabled, Kind::Flag, V::kBacklightButtonEnabledOffset, 1},
    {names::kProgrammingModeEnabled, Kind::Flag, V::kProgrammingModeEnabledOffset, 1},
    {names::kCallFeatureDisable, Kind::Flag, V::kCallFeatureDisableOffset, 1},
    {names::kMonitorFeatureDisable, Kind::Flag, V::kMonitorFeatureDisableOffset, 1},
    {names::kDisableKeypadLockFeature, Kind::Flag, V::kDisableKeypadLockFeatureOffset, 1},
    {names::kDisableRepeaterFeature, Kind::Flag, V::kDisableRepeaterFeatureOffset, 1},
};

const AttributeMap kSetting[] = {
    {names::kPassword, Kind::Text, V::kPasswordOffset, V::kPasswordWidth},
    {names::kDisableLED, Kind::Flag, V::kDisableLEDOffset, 1},
    {names::kDisableRestoreFactoryDefault, Kind::Flag, V::kDisableRestoreFactoryDefaultOffset, 1},
    {names::kBacklightEnabled, Kind::Flag, V::kBacklightEnabledOffset, 1},
    {names::kTimeoutTimer, Kind::Number, V::kTimeoutTimerOffset, 1},
    {names::kReverseBurst, Kind::Flag, V::kReverseBurstOffset, 1},
    {names::kVoxLevel, Kind::Number, V::kVoxLevelOffset, 1},
    {names::kIvolLevel, Kind::Number, V::kIvolLevelOffset, 1},
    {names::kMicrophoneGain, Kind::Number, V::kMicrophoneGainOffset, 1},
    {names::kAccessoryMicrophoneGain, Kind::Number, V::kAccessoryMicrophoneGainOffset, 1},
    {names::kBatteryType, Kind::Flag, V::kBatteryTypeOffset, 1},
    {names::kDisableBatterySave, Kind::Flag, V::kDisableBatterySaveOffset, 1},
    {names::kSide1But, Kind::Button, 6, 0},
    {names::kSide2But, Kind::Button, 11, 0},
    {names::kUpperRightBut, Kind::Button, 5, 0},
    {names::kLowerLeftBut, Kind::Button, 8, 0},
    {names::kLowerRightBut, Kind::Button, 9, 0},
    {names::kNumberChannels, Kind::Number, V::kNumberChannelsOffset, 1},
    {names::kCTcode124, Kind::CustomTone, 0, 2},
    {names::kCTcode125, Kind::CustomTone, 1, 2},
    {names::kCTcode126, Kind::CustomTone, 2, 2},
    {names::kCTcode127, Kind::CustomTone, 3, 2},
    {names::kCTcode128, Kind::CustomTone, 4, 2},
    {names::kCTcode129, Kind::CustomTone, 5, 2},
    {names::kPowerupString, Kind::Text, V::kPowerupTextOffset, V::kPowerupTextWidth},
    {names::kRogerBeepTone, Kind::Flag, V::kRogerBeepToneOffset, 1},
    {names::kDisableSelectableScramble, Kind::Flag, V::kDisableSelectableScrambleOffset, 1},
    {names::kBacklightTimeout, Kind::Number, V::kBacklightTimeoutOffset, 1},
    {names::kCallTone, Kind::Number, V::kCallToneOffset, 1},
    {names::kKeypadLock, Kind::Flag, V::kKeypadLockOffset, 1},
    {names::kKeypadBeep, Kind::Flag, V::kKeypadBeepOffset, 1},
};

const AttributeMap kChannel[] = {
    {names::kRxFreqNdx, Kind::Number, C::kRxFreqNdxOffset, 1},
    {names::kRxCode, Kind::Number, C::kRxCodeOffset, 1},
    {names::kTxFreqNdx, Kind::Number, C::kTxFreqNdxOffset, 1},
    {names::kTxCode, Kind::Number, C::kTxCodeOffset, 1},
    {names::kRxBw, Kind::Flag, C::kRxBwOffset, 1},
    {names::kTxBw, Kind::Flag, C::kTxBwOffset, 1},
    {names::kTalkaroundPower, Kind::Flag, C::kTalkaroundPowerOffset, 1},
    {names::kRepeaterPower, Kind::Flag, C::kRepeaterPowerOffset, 1},
    {names::kRepeater, Kind::Flag, C::kRepeaterOffset, 1},
    {names::kAutoScan, Kind::Flag, C::kAutoScanOffset, 1},
    {names::kScrambleCode, Kind::Number, C::kScrambleCodeOffset, 1},
    {names::kName, Kind::Text, C::kNameOffset, C::kNameWidth},
    {names::kInScanList, Kind::ScanBit, 0, 0},
};

// A failure of the XML side of a conversion, turned into the program's
// exception at the operation's boundary.
struct XmlFailure {
    QString errorMsg;
    QString desc;
    QString source;
};

// ---------------------------------------------------------------- writing

constexpr uint64_t kLongMax = 2147483647u;

QString CharText(uint8_t byte)
{
    // A zero byte has no character; it is written as an empty value and
    // reads back as zero.
    if (byte == 0)
        return QString();
    const char c = static_cast<char>(byte);
    return EscapeAttribute(FromAnsi(&c, 1));
}

QString ModelText(const VirtualCP &cp)
{
    QString text = FieldToAttributeText(cp.ModelLettersBytes(), V::kModelLettersWidth);
    const uint8_t *digits = cp.ModelDigitsBytes();
    for (size_t i = 0; i < V::kModelDigitsWidth; ++i)
        text += QString::number(digits[i]);
    return text;
}

// Text of one attribute of a record; `cp` is the whole image (for the
// button table, the tones and the scan list), `record` the record's bytes.
QString AttributeText(const AttributeMap &a, const VirtualCP &cp, const uint8_t *record, size_t slot)
{
    switch (a.kind) {
    case Kind::Number:
        return QString::number(GetLE(record + a.offset, a.width));
    case Kind::Long:
        return QString::number(std::min<uint64_t>(GetLE(record + a.offset, a.width), kLongMax));
    case Kind::Flag:
        // Only 1 reads as true: any other byte is written as the "0" it means.
        return GetLE(record + a.offset, a.width) == 1 ? QStringLiteral("1") : QStringLiteral("0");
    case Kind::Char:
        return CharText(record[a.offset]);
    case Kind::Text:
        return FieldToAttributeText(record + a.offset, a.width);
    case Kind::Model:
        return ModelText(cp);
    case Kind::Button:
        return QString::number(cp.ButtonEntry(a.offset));
    case Kind::CustomTone:
        return QString::number(cp.CustomTone(a.offset));
    case Kind::ScanBit:
        return QString::number(cp.ScanListBit(slot) ? 1 : 0);
    case Kind::Zero:
        return QStringLiteral("0");
    }
    return QString();
}

template <size_t N>
void AppendAttributes(QString &text, const AttributeMap (&table)[N], const VirtualCP &cp, const uint8_t *record,
                      size_t slot = 0)
{
    const bool withTones = cp.MaxCodes() >= V::kCustomTonesFromMaxCodes;
    for (const AttributeMap &a : table) {
        if (a.kind == Kind::CustomTone && !withTones)
            continue;
        AppendAttribute(text, a.name, AttributeText(a, cp, record, slot));
    }
}

QString FrequencyElement(const VirtualCP &cp, size_t i)
{
    const FrequencySlot slot = cp.Frequency(i);
    QString text = QStringLiteral("\t\t<frequency ");
    AppendAttribute(text, names::kFreq, QString::number(SynthToHz(slot, cp.SynthBase())));
    AppendAttribute(text, names::kBandwidth, QString::number(slot.Bandwidth() & 0x3));
    AppendAttribute(text, names::kPowerLevel, QString::number(slot.PowerLevel() & 0x3));
    AppendAttribute(text, names::kCompanderLleMode, QString::number(slot.CompanderMode()));
    text += QStringLiteral("/>\r\n");
    return text;
}

QString BuildProfileText(const VirtualCP &cp)
{
    QString text;
    text.reserve(8192);
    text += QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n");
    text += QStringLiteral("<%1 xmlns=\"%2\">\r\n").arg(QLatin1String(kProfileRootName), QLatin1String(kProfileNamespace));

    text += QStringLiteral("\t<factory_setting ");
    AppendAttributes(text, kFactorySetting, cp, cp.bytes.data());
    text += QStringLiteral("/>");

    text += QStringLiteral("\r\n\t<limit ");
    AppendAttributes(text, kLimit, cp, cp.bytes.data());
    text += QStringLiteral("/>\r\n");

    text += QStringLiteral("\t<setting ");
    AppendAttributes(text, kSetting, cp, cp.bytes.data());
    text += QStringLiteral(">\r\n");
    for (uint32_t preset : {cp.Preset1Channel(), cp.Preset2Channel()})
        text += QStringLiteral("\t\t<preset channel=\"%1\"/>\r\n").arg(preset);
    text += QStringLiteral("\t</setting>\r\n");

    text += QStringLiteral("\t<channels>\r\n");
    for (size_t i = 0; i < cp.UsedChannelSlots(); ++i) {
        const ChannelSlot slot = cp.Channel(i);
        text += QStringLiteral("\t\t<channel ");
        AppendAttributes(text, kChannel, cp, slot.bytes.data(), i);
        text += QStringLiteral("/>\r\n");
    }
    text += QStringLiteral("\t</channels>\r\n");

    text += QStringLiteral("\t<frequencies>\r\n");
    // Slots the profile did not fill are not frequencies of it: a written
    // profile reads back with its own table.
    for (size_t i = 0; i < cp.FilledFrequencySlots(); ++i)
        text += FrequencyElement(cp, i);
    text += QStringLiteral("\t</frequencies>\r\n");

    text += QStringLiteral("</%1>\r\n").arg(QLatin1String(kProfileRootName));
    return text;
}

// ---------------------------------------------------------------- reading

QString RequireAttribute(const xmlNode *node, const char *name)
{
    bool present = false;
    QString value = XmlAttribute(node, name, &present);
    if (!present)
        throw XmlFailure{QStringLiteral("Missing attribute"),
                         QStringLiteral("The element '%1' has no attribute '%2'.").arg(XmlNodeName(node), QLatin1String(name)),
                         QStringLiteral("line %1").arg(xmlGetLineNo(node))};
    return value;
}

xmlNode *RequireFirst(const XmlXPath &xpath, const char *expr, const char *element)
{
    xmlNode *node = xpath.SelectFirst(expr);
    if (!node)
        throw XmlFailure{QStringLiteral("Missing element"),
                         QStringLiteral("The profile has no '%1' element.").arg(QLatin1String(element)),
                         QLatin1String(expr)};
    return node;
}

xmlNode *RequireSibling(xmlNode *node, const char *element)
{
    xmlNode *next = NextElementSibling(node);
    if (!next)
        throw XmlFailure{QStringLiteral("Missing element"),
                         QStringLiteral("The profile has no second '%1' element.").arg(QLatin1String(element)),
                         QStringLiteral("line %1").arg(xmlGetLineNo(node))};
    return next;
}

// Converts text into at most `width` bytes of a field cleared first.
void StoreText(uint8_t *field, size_t width, const QString &text)
{
    std::memset(field, 0, width);
    const QByteArray bytes = ToAnsi(text);
    std::memcpy(field, bytes.constData(), std::min<size_t>(width, static_cast<size_t>(bytes.size())));
}

uint8_t CharByte(const QString &text)
{
    if (text.isEmpty())
        return 0;
    const QByteArray bytes = ToAnsi(text.left(text.at(0).isHighSurrogate() ? 2 : 1));
    return bytes.isEmpty() ? 0 : static_cast<uint8_t>(bytes[0]);
}

void StoreModel(VirtualCP &cp, const QString &model)
{
    cp.ClearModelLetters();
    uint8_t *digits = cp.ModelDigitsBytes();
    std::memset(digits, 0, V::kModelDigitsWidth);
    for (int i = 0; i < 3 && i < model.size(); ++i)
        cp.ModelLettersBytes()[i] = CharByte(model.mid(i, 1));
    for (int i = 3; i < 8 && i < model.size(); ++i) {
        const QChar c = model.at(i);
        digits[i - 3] = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? static_cast<uint8_t>(c.unicode() - '0') : 0;
    }
}

template <size_t N>
void ReadAttributes(const AttributeMap (&table)[N], const xmlNode *node, VirtualCP &cp, uint8_t *record, size_t slot = 0)
{
    const bool withTones = cp.MaxCodes() > 122;
    for (const AttributeMap &a : table) {
        if (a.kind == Kind::Zero || (a.kind == Kind::CustomTone && !withTones))
            continue;
        const QString value = RequireAttribute(node, a.name);
        switch (a.kind) {
        case Kind::Number:
        case Kind::Long:
            SetLE(record + a.offset, a.width, ParseNumber(value));
            break;
        case Kind::Flag:
            SetLE(record + a.offset, a.width, value == QLatin1String("1") ? 1 : 0);
            break;
        case Kind::Char:
            record[a.offset] = CharByte(value);
            break;
        case Kind::Text:
            StoreText(record + a.offset, a.width, value);
            break;
        case Kind::Model:
            StoreModel(cp, value);
            break;
        case Kind::Button:
            cp.SetButtonEntry(a.offset, ParseNumber(value));
            break;
        case Kind::CustomTone:
            cp.SetCustomTone(a.offset, ParseNumber(value) & 0xFFFF);
            break;
        case Kind::ScanBit:
            cp.SetScanListBit(slot, ParseNumber(value));
            break;
        case Kind::Zero:
            break;
        }
    }
}

void ReadProfile(const QString &xml, VirtualCP &cp)
{
    const QByteArray utf8 = xml.toUtf8();
    XmlParseError parseError;
    XmlDocPtr doc = ParseXml(utf8, &parseError);
    if (!doc)
        throw XmlFailure{parseError.reason, QStringLiteral("The profile text does not parse: %1").arg(parseError.sourceLine),
                         QStringLiteral("line %1, column %2").arg(parseError.line).arg(parseError.column)};
    XmlXPath xpath(doc.get());
    if (!xpath.valid())
        ThrowCPSException(msg::FatalXmlComponent, QStringLiteral("XPath context could not be created"),
                          "CDataAdaptor::XML2VirtualCP", __LINE__);

    ReadAttributes(kFactorySetting, RequireFirst(xpath, "//dfns:factory_setting", names::kFactorySetting), cp, cp.bytes.data());
    ReadAttributes(kLimit, RequireFirst(xpath, "//dfns:limit", names::kLimit), cp, cp.bytes.data());
    ReadAttributes(kSetting, RequireFirst(xpath, "//dfns:setting", names::kSetting), cp, cp.bytes.data());

    xmlNode *preset1 = RequireFirst(xpath, "//dfns:preset", names::kPreset);
    xmlNode *preset2 = RequireSibling(preset1, names::kPreset);
    cp.SetPreset1Channel(ParseNumber(RequireAttribute(preset1, names::kChannel)) & 0xFF);
    cp.SetPreset2Channel(ParseNumber(RequireAttribute(preset2, names::kChannel)) & 0xFF);

    // A radio without the repeater feature transmits with the receive settings.
    const bool withoutRepeater = cp.DisableRepeaterFeature() == 1;
    if (xmlNode *channel = xpath.SelectFirst("//dfns:channel")) {
        for (size_t i = 0; channel && i < V::kChannelCount; ++i, channel = NextElementSibling(channel)) {
            ChannelSlot slot = cp.Channel(i);
            ReadAttributes(kChannel, channel, cp, slot.bytes.data(), i);
            if (withoutRepeater) {
                slot.SetTxCode(slot.RxCode());
                slot.SetTxFreqNdx(slot.RxFreqNdx());
                slot.SetTxBw(slot.RxBw());
            }
            cp.SetChannel(i, slot);
        }
    }

    if (xmlNode *frequency = xpath.SelectFirst("//dfns:frequency")) {
        for (size_t i = 0; frequency && i < V::kFrequencyCount; ++i, frequency = NextElementSibling(frequency)) {
            FrequencySlot slot = cp.Frequency(i);
            const uint32_t hz = ParseNumber(RequireAttribute(frequency, names::kFreq));
            if (!HzRepresentable(hz, cp.SynthBase()))
                throw XmlFailure{QStringLiteral("Frequency out of the synthesizer's reach"),
                                 QStringLiteral("The frequency %1 Hz cannot be set from the synthesizer base %2.")
                                     .arg(hz)
                                     .arg(cp.SynthBase()),
                                 QStringLiteral("line %1").arg(xmlGetLineNo(frequency))};
            HzToSynth(hz, slot, cp.SynthBase());
            slot.SetBandwidth(ParseNumber(RequireAttribute(frequency, names::kBandwidth)) & 0xFF);
            slot.SetPowerLevel(ParseNumber(RequireAttribute(frequency, names::kPowerLevel)) & 0xFF);
            slot.SetCompanderMode(ParseNumber(RequireAttribute(frequency, names::kCompanderLleMode)) & 0xFF);
            cp.SetFrequency(i, slot);
        }
    }
}

// Parses the converted text into a fresh document with the dfns selection
// binding, as every later reader of it will.
bool ParsesAsProfile(const QString &text)
{
    XmlDocPtr doc = ParseXml(text.toUtf8());
    if (!doc)
        return false;
    XmlXPath xpath(doc.get());
    if (!xpath.valid())
        ThrowCPSException(msg::FatalXmlComponent, QStringLiteral("XPath context could not be created"),
                          "CDataAdaptor::VirtualCP2XML", __LINE__);
    return true;
}

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
bool IsUpper(uint8_t c) { return c >= 'A' && c <= 'Z'; }

} // namespace

// ---------------------------------------------------------------- public

QString EscapeAttribute(QString text)
{
    text.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    text.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    text.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    text.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return text;
}

QString FieldToAttributeText(const uint8_t *field, size_t width)
{
    size_t length = 0;
    while (length < width && field[length] != 0)
        ++length;
    return EscapeAttribute(FromAnsi(reinterpret_cast<const char *>(field), static_cast<int>(length)).trimmed());
}

void AppendAttribute(QString &text, const char *name, const QString &value)
{
    text += QLatin1String(name);
    text += QLatin1String("=\"");
    text += value;
    text += QLatin1String("\" ");
}

uint32_t ParseNumber(const QString &text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || (text.at(i).unicode() >= '\t' && text.at(i).unicode() <= '\r')))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    uint64_t value = 0;
    bool overflow = false;
    for (; i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
        value = value * 10 + static_cast<uint64_t>(text.at(i).unicode() - '0');
        if (value > 0xFFFFFFFFull)
            overflow = true, value = 0xFFFFFFFFull;
    }
    if (overflow)
        return 0xFFFFFFFFu;
    const uint32_t v = static_cast<uint32_t>(value);
    return negative ? static_cast<uint32_t>(0u - v) : v;
}

bool IsValidSerialNumber(const uint8_t *s)
{
    auto upperNot = [](uint8_t c, const char *excluded) {
        return IsUpper(c) && !std::strchr(excluded, static_cast<char>(c));
    };
    return IsDigit(s[0]) && IsDigit(s[1]) && IsDigit(s[2]) && upperNot(s[3], "O") && upperNot(s[4], "OI")
        && upperNot(s[5], "OI") && (IsDigit(s[6]) || IsUpper(s[6])) && IsDigit(s[7])
        && (IsDigit(s[8]) || upperNot(s[8], "OI")) && (IsDigit(s[9]) || upperNot(s[9], "OI"));
}

void MakeChannelNamesUnique(VirtualCP &cp)
{
    const size_t count = cp.UsedChannelSlots();
    auto nameOf = [&cp](size_t slot) { return cp.At(V::kChannelOffset + slot * C::kSize + C::kNameOffset); };
    auto nameInUse = [&](const uint8_t *candidate) {
        for (size_t j = 0; j < count; ++j)
            if (std::memcmp(nameOf(j), candidate, C::kNameWidth) == 0)
                return true;
        return false;
    };
    unsigned counter = 1;
    for (size_t i = 1; i < count; ++i) {
        bool duplicate = false;
        for (size_t j = 0; j < i && !duplicate; ++j)
            duplicate = std::memcmp(nameOf(i), nameOf(j), C::kNameWidth) == 0;
        if (!duplicate)
            continue;
        for (;;) {
            char formatted[16] = {};
            std::snprintf(formatted, sizeof formatted, counter < 10 ? "CHAN 0%u" : "CHAN %u", counter);
            ++counter;
            uint8_t candidate[C::kNameWidth] = {};
            std::memcpy(candidate, formatted, std::min<size_t>(C::kNameWidth, std::strlen(formatted)));
            if (!nameInUse(candidate)) {
                std::memcpy(nameOf(i), candidate, C::kNameWidth);
                break;
            }
        }
    }
}

bool VirtualCP2XML(VirtualCP &cp, QString &xml)
{
    if (!IsValidSerialNumber(cp.SerialBytes())) {
        ShowMessage(msg::InvalidSerialNumber, MB_OK | MB_ICONERROR);
        return false;
    }
    MakeChannelNamesUnique(cp);
    xml = BuildProfileText(cp);
    if (!ParsesAsProfile(xml)) {
        ShowMessage(msg::CodeplugCorrupted, MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

bool XML2VirtualCP(const QString &xml, VirtualCP &cp)
{
    static const char *const kOperation = "CDataAdaptor::XML2VirtualCP";
    // Filled in a copy: a profile that fails half-way leaves the image as it was.
    VirtualCP filled = cp;
    try {
        ReadProfile(xml, filled);
    } catch (CTavoCPSException &e) {
        RethrowCPSException(e, kOperation, __LINE__);
    } catch (const XmlFailure &f) {
        ThrowCPSException(msg::UnknownError, FormatLibraryError(f.errorMsg, f.desc, f.source), kOperation, __LINE__);
    }
    cp = filled;
    return true;
}

} // namespace CDataAdaptor
} // namespace tavo
