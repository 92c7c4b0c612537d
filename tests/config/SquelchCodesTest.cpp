// The squelch code table and the labels built from it.

#include "config/SquelchCodes.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace tavo;

namespace {
SettingAttributeReader Slots(QMap<QString, QString> values)
{
    return [values](const QString &attribute) { return values.value(attribute); };
}
} // namespace

TEST(SquelchCodes, TableRowsByCode)
{
    const SquelchCodeEntry *table = SquelchCodeTable();
    for (int i = 0; i < kSquelchTableSize; ++i)
        EXPECT_EQ(table[i].code, i);
    const struct {
        int code;
        const char *label;
    } rows[] = {{0, "Disabled"},  {1, "67.0 Hz"},  {12, "100.0 Hz"}, {38, "250.3 Hz"},
                {39, "DCS 023"},  {121, "DCS 754"}, {122, "69.30 Hz"}, {123, "DCS 645"}};
    for (const auto &r : rows)
        EXPECT_STREQ(table[r.code].label, r.label) << r.code;
    // Tones ascend, DCS codes ascend (in octal), up to the two late additions.
    for (int i = 2; i <= 38; ++i)
        EXPECT_LT(QString::fromLatin1(table[i - 1].label).section(u' ', 0, 0).toDouble(),
                  QString::fromLatin1(table[i].label).section(u' ', 0, 0).toDouble());
    for (int i = 40; i <= 121; ++i)
        EXPECT_LT(QString::fromLatin1(table[i - 1].label).mid(4).toInt(nullptr, 8),
                  QString::fromLatin1(table[i].label).mid(4).toInt(nullptr, 8));
}

TEST(SquelchCodes, LabelsOfEveryKind)
{
    const auto setting = Slots({{QStringLiteral("CTcode124"), QStringLiteral("693")},
                                {QStringLiteral("CTcode129"), QStringLiteral("885")}});
    const QString dot = QStringLiteral(".");
    const QString comma = QStringLiteral(",");
    const struct {
        int code;
        int maxCodes;
        const QString &separator;
        const char *text;
    } cases[] = {
        {0, 213, dot, "No CT/DCS code"},
        {1, 213, dot, "1 - 67.0 Hz"},
        {39, 213, dot, "39 - DCS 023"},
        {122, 213, dot, "122 - 69.30 Hz"},
        {123, 213, dot, "123 - DCS 645"},
        {124, 213, dot, "124 - Customized CT (69.3 Hz)"},
        {125, 213, dot, "125 - Customized CT (0.0 Hz)"},
        {130, 213, dot, "130 - Inverted DCS 39"},
        {212, 213, dot, "212 - Inverted DCS 121"},
        {213, 213, dot, "213 - Inverted DCS 123"},
        {150, 150, dot, "150 - Inverted DCS 60"},
        {1, 213, comma, "1 - 67,0 Hz"},
        {122, 213, comma, "122 - 69,30 Hz"},
        {129, 213, comma, "129 - Customized CT (88,5 Hz)"},
        {39, 213, comma, "39 - DCS 023"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatCodeLabel(c.code, c.maxCodes, setting, c.separator), QLatin1String(c.text)) << c.code;
    EXPECT_EQ(InvertedTwin(213, 213), 123);
    EXPECT_EQ(InvertedTwin(130, 213), 39);
    // Without a reader the customised slot reads 0.
    EXPECT_EQ(FormatCodeLabel(124, 213, nullptr, dot), QStringLiteral("124 - Customized CT (0.0 Hz)"));
}

TEST(SquelchCodes, CodeListRunsFromZeroToMaxCodes)
{
    const auto setting = Slots({});
    const QStringList small = SquelchCodeList(122, setting, QStringLiteral("."));
    ASSERT_EQ(small.size(), 123);
    EXPECT_EQ(small.first(), QStringLiteral("No CT/DCS code"));
    EXPECT_EQ(small.last(), QStringLiteral("122 - 69.30 Hz"));
    const QStringList full = SquelchCodeList(213, setting, QStringLiteral("."));
    ASSERT_EQ(full.size(), 214);
    EXPECT_EQ(full.last(), QStringLiteral("213 - Inverted DCS 123"));
    EXPECT_EQ(full.at(124), QStringLiteral("124 - Customized CT (0.0 Hz)"));
    EXPECT_TRUE(SquelchCodeList(-1, setting, QStringLiteral(".")).isEmpty());
}
