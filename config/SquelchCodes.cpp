#include "config/SquelchCodes.h"

#include "config/Registry.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QRegularExpression>

namespace tavo {

namespace {

// Code order is what the radio stores: the two late additions (122, 123)
// stand after the sorted tone and DCS lists.
constexpr SquelchCodeEntry kTable[kSquelchTableSize] = {
    {0, "Disabled"},
    {1, "67.0 Hz"},
    {2, "71.9 Hz"},
    {3, "74.4 Hz"},
    {4, "77.0 Hz"},
    {5, "79.7 Hz"},
    {6, "82.5 Hz"},
    {7, "85.4 Hz"},
    {8, "88.5 Hz"},
    {9, "91.5 Hz"},
    {10, "94.8 Hz"},
    {11, "97.4 Hz"},
    {12, "100.0 Hz"},
    {13, "103.5 Hz"},
    {14, "107.2 Hz"},
    {15, "110.9 Hz"},
    {16, "114.8 Hz"},
    {17, "118.8 Hz"},
    {18, "123.0 Hz"},
    {19, "127.3 Hz"},
    {20, "131.8 Hz"},
    {21, "136.5 Hz"},
    {22, "141.3 Hz"},
    {23, "146.2 Hz"},
    {24, "151.4 Hz"},
    {25, "156.7 Hz"},
    {26, "162.2 Hz"},
    {27, "167.9 Hz"},
    {28, "173.8 Hz"},
    {29, "179.9 Hz"},
    {30, "186.2 Hz"},
    {31, "192.8 Hz"},
    {32, "203.5 Hz"},
    {33, "210.7 Hz"},
    {34, "218.1 Hz"},
    {35, "225.7 Hz"},
    {36, "233.6 Hz"},
    {37, "241.8 Hz"},
    {38, "250.3 Hz"},
    {39, "DCS 023"},
    {40, "DCS 025"},
    {41, "DCS 026"},
    {42, "DCS 031"},
    {43, "DCS 032"},
    {44, "DCS 043"},
    {45, "DCS 047"},
    {46, "DCS 051"},
    {47, "DCS 054"},
    {48, "DCS 065"},
    {49, "DCS 071"},
    {50, "DCS 072"},
    {51, "DCS 073"},
    {52, "DCS 074"},
    {53, "DCS 114"},
    {54, "DCS 115"},
    {55, "DCS 116"},
    {56, "DCS 125"},
    {57, "DCS 131"},
    {58, "DCS 132"},
    {59, "DCS 134"},
    {60, "DCS 143"},
    {61, "DCS 152"},
    {62, "DCS 155"},
    {63, "DCS 156"},
    {64, "DCS 162"},
    {65, "DCS 165"},
    {66, "DCS 172"},
    {67, "DCS 174"},
    {68, "DCS 205"},
    {69, "DCS 223"},
    {70, "DCS 226"},
    {71, "DCS 243"},
    {72, "DCS 244"},
    {73, "DCS 245"},
    {74, "DCS 251"},
    {75, "DCS 261"},
    {76, "DCS 263"},
    {77, "DCS 265"},
    {78, "DCS 271"},
    {79, "DCS 306"},
    {80, "DCS 311"},
    {81, "DCS 315"},
    {82, "DCS 331"},
    {83, "DCS 343"},
    {84, "DCS 346"},
    {85, "DCS 351"},
    {86, "DCS 364"},
    {87, "DCS 365"},
    {88, "DCS 371"},
    {89, "DCS 411"},
    {90, "DCS 412"},
    {91, "DCS 413"},
    {92, "DCS 423"},
    {93, "DCS 431"},
    {94, "DCS 432"},
    {95, "DCS 445"},
    {96, "DCS 464"},
    {97, "DCS 465"},
    {98, "DCS 466"},
    {99, "DCS 503"},
    {100, "DCS 506"},
    {101, "DCS 516"},
    {102, "DCS 532"},
    {103, "DCS 546"},
    {104, "DCS 565"},
    {105, "DCS 606"},
    {106, "DCS 612"},
    {107, "DCS 624"},
    {108, "DCS 627"},
    {109, "DCS 631"},
    {110, "DCS 632"},
    {111, "DCS 654"},
    {112, "DCS 662"},
    {113, "DCS 664"},
    {114, "DCS 703"},
    {115, "DCS 712"},
    {116, "DCS 723"},
    {117, "DCS 731"},
    {118, "DCS 732"},
    {119, "DCS 734"},
    {120, "DCS 743"},
    {121, "DCS 754"},
    {122, "69.30 Hz"},
    {123, "DCS 645"},
};

QString WithSeparator(QString text, const QString &separator)
{
    text.replace(QChar(u'.'), separator);
    return text;
}

QString TableLabel(int code, const QString &separator)
{
    QString label = WithSeparator(QLatin1String(kTable[code].label), separator);
    static const QRegularExpression dcs(QStringLiteral("\\bDCS\\b"));
    static const QRegularExpression hz(QStringLiteral("\\bHz\\b"));
    label.replace(dcs, LoadString(msg::CodeLabelDcs));
    label.replace(hz, LoadString(msg::CodeLabelHz));
    return label;
}

QString CustomToneLabel(int code, const SettingAttributeReader &setting, const QString &separator)
{
    const QString attribute = QStringLiteral("CTcode%1").arg(code);
    const unsigned tenths = setting ? setting(attribute).trimmed().toUInt() : 0u;
    const QString tone = QString::asprintf("%.1f ", tenths * 0.1);
    return WithSeparator(tone, separator) + LoadString(msg::CodeLabelHz);
}

} // namespace

const SquelchCodeEntry *SquelchCodeTable() { return kTable; }

int InvertedTwin(int code, int maxCodes)
{
    return code == maxCodes ? code - 90 : code - 91;
}

QString FormatCodeLabel(int code, int maxCodes, const SettingAttributeReader &setting, const QString &decimalSeparator)
{
    if (code == 0)
        return LoadString(msg::CodeLabelNoCode);
    if (code > 0 && code < kSquelchTableSize)
        return QStringLiteral("%1 - %2").arg(code).arg(TableLabel(code, decimalSeparator));
    if (code >= kFirstCustomCode && code <= kLastCustomCode)
        return QStringLiteral("%1 - %2 (%3)")
            .arg(code)
            .arg(LoadString(msg::CodeLabelCustomized), CustomToneLabel(code, setting, decimalSeparator));
    if (code >= kFirstInvertedCode)
        return QStringLiteral("%1 - %2 %3").arg(code).arg(LoadString(msg::CodeLabelInverted)).arg(InvertedTwin(code, maxCodes));
    return QString::number(code); // negative: not a code of the radio
}

QString FormatCodeLabel(int code, int maxCodes, const SettingAttributeReader &setting)
{
    return FormatCodeLabel(code, maxCodes, setting, GetDecimalSeparator());
}

QString CodeLabelText(int code, int maxCodes, const SettingAttributeReader &setting, const QString &decimalSeparator)
{
    const QString label = FormatCodeLabel(code, maxCodes, setting, decimalSeparator);
    const QString prefix = QString::number(code) + QLatin1String(" - ");
    return label.startsWith(prefix) ? label.mid(prefix.size()) : label;
}

QStringList SquelchCodeList(int maxCodes, const SettingAttributeReader &setting, const QString &decimalSeparator)
{
    QStringList list;
    for (int code = 0; code <= maxCodes; ++code)
        list.append(FormatCodeLabel(code, maxCodes, setting, decimalSeparator));
    return list;
}

} // namespace tavo
