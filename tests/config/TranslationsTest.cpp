// The translations the build ships: every string of the table is translated
// in each of them, and what the program fills into a text (printf and Qt
// placeholders) or needs from it (one keyboard mnemonic) survives; each
// shipped language has its help file.

#include "config/Registry.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTranslator>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

using namespace tavo;

namespace {

// printf conversions in their order (the order is what the arguments follow).
QStringList PrintfPlaceholders(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("%[-+ #0]*\\d*(?:\\.\\d+)?[dsfuxc]"));
    QStringList found;
    for (auto it = re.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}

// Qt's %1..%99, in any order.
QStringList NumberedPlaceholders(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("%\\d+"));
    QStringList found;
    for (auto it = re.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// Keyboard mnemonics: "&" before anything but another "&".
int Mnemonics(const QString &text)
{
    int n = 0;
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&'))
            ++i;
        else
            ++n;
    }
    return n;
}

} // namespace

TEST(TranslationsTest, EveryShippedLanguageTranslatesEveryStringAndHasItsHelp)
{
    // Ids are unique: a second entry of an id could never be looked up.
    std::set<int> ids;
    for (const StringEntry *e = StringTableBegin(); e != StringTableEnd(); ++e)
        EXPECT_TRUE(ids.insert(e->id).second) << "string id " << e->id << " twice";

    // The languages the machine settings name a translation for, and
    // whether the build put that file into the installation.
    const QString install = QStringLiteral(TAVO_BIN_DIR "/install");
    QSettings machine(QStringLiteral(TAVO_SOURCE_DIR "/install/machine.ini"), QSettings::IniFormat);
    machine.beginGroup(QStringLiteral("Language"));
    QStringList shipped;
    for (const QString &key : machine.allKeys()) {
        if (!key.endsWith(QLatin1String("/GUIResource")) || machine.value(key).toString().isEmpty())
            continue;
        const QString qm = QDir(install).filePath(machine.value(key).toString());
        if (!QFileInfo(qm).isFile())
            continue;
        const QString language = key.section(QLatin1Char('/'), 0, 0);
        shipped << language;
        // A shipped language has its help file as well.
        const QString help = machine.value(language + QStringLiteral("/HelpFileName")).toString();
        EXPECT_TRUE(!help.isEmpty() && QFileInfo(QDir(install).filePath(help)).isFile()) << language.toStdString();

        QTranslator translator;
        ASSERT_TRUE(translator.load(qm)) << qm.toStdString();
        for (const StringEntry *e = StringTableBegin(); e != StringTableEnd(); ++e) {
            const QString source = QString::fromUtf8(e->text);
            const QString text = translator.translate(nullptr, TranslationKey(e->id).toLatin1().constData());
            const std::string where = language.toStdString() + " " + std::to_string(e->id);
            ASSERT_FALSE(text.trimmed().isEmpty()) << where << " has no translation";
            EXPECT_EQ(PrintfPlaceholders(text), PrintfPlaceholders(source)) << where << ": " << text.toStdString();
            EXPECT_EQ(NumberedPlaceholders(text), NumberedPlaceholders(source)) << where << ": " << text.toStdString();
            EXPECT_EQ(Mnemonics(text), Mnemonics(source)) << where << ": " << text.toStdString();
            EXPECT_EQ(text.section(QLatin1Char('\t'), 1), source.section(QLatin1Char('\t'), 1))
                << where << ": the shortcut after the tab";
        }
    }
    shipped.sort();
    EXPECT_EQ(shipped, (QStringList{QStringLiteral("French"), QStringLiteral("German")}));
}
