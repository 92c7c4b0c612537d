#include "profile/CDataAdaptor.h"

#include "base/CodePage.h"
#include "base/CTavoCPSException.h"
#include "base/ProfileNames.h"
#include "base/ProfileNamespaces.h"
#include "base/XmlDom.h"
#include "codeplug/RadioFields.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"

#include <cstdio>

namespace tavo {
namespace CDataAdaptor {

namespace {

using V = VirtualCP;
using C = ChannelSlot;
using Store = FieldStore;

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
// button table, the tones, the scan list and the synthesizer base),
// `record` the record's bytes.
QString AttributeText(const RadioField &f, const VirtualCP &cp, const uint8_t *record, size_t slot)
{
    switch (f.image.store) {
    case Store::Number:
    case Store::Button:
    case Store::CustomTone:
    case Store::ScanBit:
        return QString::number(StoredNumber(f, cp, record, slot));
    case Store::Long:
        return QString::number(std::min<uint64_t>(StoredNumber(f, cp, record, slot), kLongMax));
    case Store::Flag:
        // Only 1 reads as true: any other byte is written as the "0" it means.
        return StoredNumber(f, cp, record, slot) == 1 ? QStringLiteral("1") : QStringLiteral("0");
    case Store::TwoBits:
        return QString::number(StoredNumber(f, cp, record, slot) & 0x3);
    case Store::Char:
        return CharText(record[f.image.offset]);
    case Store::Text:
        return FieldToAttributeText(record + f.image.offset, f.image.width);
    case Store::Model:
        return ModelText(cp);
    case Store::Frequency: {
        FrequencySlot frequency;
        std::memcpy(frequency.bytes.data(), record, FrequencySlot::kSize);
        return QString::number(SynthToHz(frequency, cp.SynthBase()));
    }
    case Store::Zero:
        return QStringLiteral("0");
    case Store::None:
        break;
    }
    return QString();
}

// The attributes of `element` that the image carries, in the table's order.
void AppendAttributes(QString &text, const char *element, const VirtualCP &cp, const uint8_t *record, size_t slot = 0)
{
    const bool withTones = cp.MaxCodes() >= V::kCustomTonesFromMaxCodes;
    for (const RadioField *f : FieldsOf(element)) {
        if (f->image.store == Store::None || (f->image.store == Store::CustomTone && !withTones))
            continue;
        AppendAttribute(text, f->attribute, AttributeText(*f, cp, record, slot));
    }
}

QString BuildProfileText(const VirtualCP &cp)
{
    QString text;
    text.reserve(8192);
    text += QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n");
    text += QStringLiteral("<%1 xmlns=\"%2\">\r\n").arg(QLatin1String(kProfileRootName), QLatin1String(kProfileNamespace));

    text += QStringLiteral("\t<factory_setting ");
    AppendAttributes(text, names::kFactorySetting, cp, cp.bytes.data());
    text += QStringLiteral("/>");

    text += QStringLiteral("\r\n\t<limit ");
    AppendAttributes(text, names::kLimit, cp, cp.bytes.data());
    text += QStringLiteral("/>\r\n");

    text += QStringLiteral("\t<setting ");
    AppendAttributes(text, names::kSetting, cp, cp.bytes.data());
    text += QStringLiteral(">\r\n");
    // Each preset row is one preset element.
    for (const RadioField *preset : FieldsOf(names::kPreset)) {
        text += QStringLiteral("\t\t<preset ");
        AppendAttribute(text, preset->attribute, AttributeText(*preset, cp, cp.bytes.data(), 0));
        text.chop(1);
        text += QStringLiteral("/>\r\n");
    }
    text += QStringLiteral("\t</setting>\r\n");

    text += QStringLiteral("\t<channels>\r\n");
    for (size_t i = 0; i < cp.UsedChannelSlots(); ++i) {
        const ChannelSlot slot = cp.Channel(i);
        text += QStringLiteral("\t\t<channel ");
        AppendAttributes(text, names::kChannel, cp, slot.bytes.data(), i);
        text += QStringLiteral("/>\r\n");
    }
    text += QStringLiteral("\t</channels>\r\n");

    text += QStringLiteral("\t<frequencies>\r\n");
    // Slots the profile did not fill are not frequencies of it: a written
    // profile reads back with its own table.
    for (size_t i = 0; i < cp.FilledFrequencySlots(); ++i) {
        const FrequencySlot slot = cp.Frequency(i);
        text += QStringLiteral("\t\t<frequency ");
        AppendAttributes(text, names::kFrequency, cp, slot.bytes.data(), i);
        text += QStringLiteral("/>\r\n");
    }
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

// A frequency attribute into the synthesizer setting of a frequency slot.
void StoreFrequency(const xmlNode *node, const QString &value, VirtualCP &cp, uint8_t *record)
{
    const uint32_t hz = ParseNumber(value);
    if (!HzRepresentable(hz, cp.SynthBase()))
        throw XmlFailure{QStringLiteral("Frequency out of the synthesizer's reach"),
                         QStringLiteral("The frequency %1 Hz cannot be set from the synthesizer base %2.")
                             .arg(hz)
                             .arg(cp.SynthBase()),
                         QStringLiteral("line %1").arg(xmlGetLineNo(node))};
    FrequencySlot slot;
    std::memcpy(slot.bytes.data(), record, FrequencySlot::kSize);
    HzToSynth(hz, slot, cp.SynthBase());
    std::memcpy(record, slot.bytes.data(), FrequencySlot::kSize);
}

void ReadAttribute(const RadioField &f, const xmlNode *node, VirtualCP &cp, uint8_t *record, size_t slot)
{
    const QString value = RequireAttribute(node, f.attribute);
    switch (f.image.store) {
    case Store::Number:
    case Store::Long:
    case Store::TwoBits:
    case Store::Button:
    case Store::CustomTone:
    case Store::ScanBit:
        StoreNumber(f, cp, record, slot, ParseNumber(value));
        break;
    case Store::Flag:
        StoreNumber(f, cp, record, slot, value == QLatin1String("1") ? 1 : 0);
        break;
    case Store::Char:
        record[f.image.offset] = CharByte(value);
        break;
    case Store::Text:
        StoreText(record + f.image.offset, f.image.width, value);
        break;
    case Store::Model:
        StoreModel(cp, value);
        break;
    case Store::Frequency:
        StoreFrequency(node, value, cp, record);
        break;
    case Store::Zero:
    case Store::None:
        break;
    }
}

void ReadAttributes(const char *element, const xmlNode *node, VirtualCP &cp, uint8_t *record, size_t slot = 0)
{
    const bool withTones = cp.MaxCodes() > 122;
    for (const RadioField *f : FieldsOf(element)) {
        if (f->image.store == Store::Zero || f->image.store == Store::None || (f->image.store == Store::CustomTone && !withTones))
            continue;
        ReadAttribute(*f, node, cp, record, slot);
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

    ReadAttributes(names::kFactorySetting, RequireFirst(xpath, "//dfns:factory_setting", names::kFactorySetting), cp, cp.bytes.data());
    ReadAttributes(names::kLimit, RequireFirst(xpath, "//dfns:limit", names::kLimit), cp, cp.bytes.data());
    ReadAttributes(names::kSetting, RequireFirst(xpath, "//dfns:setting", names::kSetting), cp, cp.bytes.data());

    // Each preset row reads the next preset element.
    xmlNode *preset = nullptr;
    for (const RadioField *f : FieldsOf(names::kPreset)) {
        preset = preset ? RequireSibling(preset, names::kPreset) : RequireFirst(xpath, "//dfns:preset", names::kPreset);
        ReadAttribute(*f, preset, cp, cp.bytes.data(), 0);
    }

    // A radio without the repeater feature transmits with the receive settings.
    const bool withoutRepeater = cp.DisableRepeaterFeature() == 1;
    if (xmlNode *channel = xpath.SelectFirst("//dfns:channel")) {
        for (size_t i = 0; channel && i < V::kChannelCount; ++i, channel = NextElementSibling(channel)) {
            ChannelSlot slot = cp.Channel(i);
            ReadAttributes(names::kChannel, channel, cp, slot.bytes.data(), i);
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
            ReadAttributes(names::kFrequency, frequency, cp, slot.bytes.data(), i);
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
