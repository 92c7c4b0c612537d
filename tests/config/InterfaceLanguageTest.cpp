// The interface language of a run: the fallback to English and the
// language switch.

#include "config/InterfaceLanguage.h"
#include "config/Registry.h"
#include "resources/StringTable.h"
#include "support/RecordingSink.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <iostream>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavo;

namespace {

class InterfaceLanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetMachineSettingsFile(m_dir.filePath(QStringLiteral("machine.ini")));
        SetUserSettingsFile(m_dir.filePath(QStringLiteral("user.ini")));
        SetInstallPathOverride(m_dir.path());
        QFile f(m_dir.filePath(QStringLiteral("machine.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Language]\nGerman\\GUIResource=de.qm\nFrench\\GUIResource=missing.qm\nDutch\\GUIResource=broken.qm\n");
        f.close();
        QFile broken(m_dir.filePath(QStringLiteral("broken.qm")));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("not a translation");
    }
    void TearDown() override
    {
        UnloadInterfaceLanguage();
        SetMachineSettingsFile(QString());
        SetUserSettingsFile(QString());
        SetInstallPathOverride(QString());
        SetApplicationLanguage(QString());
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(InterfaceLanguageTest, MissingOrBrokenTranslationFallsBackToEnglish)
{
    for (const char *key : {"French", "Dutch", "Polish"}) {
        test::RecordingSink sink;
        SetCurrentLanguage(QLatin1String(key));
        EXPECT_EQ(LoadInterfaceLanguage(), QStringLiteral("English")) << key;
        EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("English")) << key;
        EXPECT_EQ(ApplicationLanguage(), QStringLiteral("English"));
        ASSERT_EQ(sink.shown().size(), 1u) << key;
        EXPECT_EQ(sink.last(), LoadString(325));
    }
    // English needs no translation and shows nothing.
    test::RecordingSink sink;
    EXPECT_EQ(LoadInterfaceLanguage(), QStringLiteral("English"));
    EXPECT_TRUE(sink.empty());
}

TEST_F(InterfaceLanguageTest, TranslationReplacesStringTableTexts)
{
    const QString lrelease = QStringLiteral("/usr/lib/qt6/bin/lrelease");
    if (!QFileInfo::exists(lrelease))
        GTEST_SKIP() << "no lrelease";
    QFile ts(m_dir.filePath(QStringLiteral("de.ts")));
    ASSERT_TRUE(ts.open(QIODevice::WriteOnly));
    ts.write("<?xml version=\"1.0\" encoding=\"utf-8\"?><!DOCTYPE TS><TS version=\"2.1\" language=\"de\"><context><name></name>"
             "<message id=\"" + TranslationKey(435).toUtf8() + "\"><source>No CT/DCS code</source>"
             "<translation>Kein CT/DCS-Code</translation></message></context></TS>");
    ts.close();
    QProcess p;
    p.start(lrelease, {QStringLiteral("-idbased"), ts.fileName(), QStringLiteral("-qm"), m_dir.filePath(QStringLiteral("de.qm"))});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("de.qm"))));

    test::RecordingSink sink;
    SetCurrentLanguage(QStringLiteral("German"));
    EXPECT_EQ(LoadInterfaceLanguage(), QStringLiteral("German"));
    EXPECT_TRUE(sink.empty());
    EXPECT_EQ(LoadString(435), QStringLiteral("Kein CT/DCS-Code"));
    EXPECT_EQ(GetDecimalSeparator(), QStringLiteral(","));
    // Qt's own dialogs (Save As, Print) follow the interface language.
    const bool qtGerman = HasQtTranslation(QStringLiteral("German"));
    if (qtGerman) {
        EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Drucken"));
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("Speichern unter"));
    } else {
        std::cout << "[ SKIPPED  ] Qt's dialog texts: no qtbase_de.qm in " << QtTranslationsFolder().toStdString()
                  << " (Debian package qt6-translations-l10n)\n";
    }
    UnloadInterfaceLanguage();
    EXPECT_EQ(LoadString(435), QStringLiteral("No CT/DCS code"));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Print"));
}

TEST_F(InterfaceLanguageTest, SwitchWritesAtOnceAndAsksForARestartOnlyOnChange)
{
    test::RecordingSink sink;
    SetCurrentLanguage(QStringLiteral("English"));
    EXPECT_EQ(ChangeCurrentLanguage(QStringLiteral("English")), 1);
    EXPECT_TRUE(sink.empty());
    EXPECT_EQ(ChangeCurrentLanguage(QStringLiteral("German")), 1);
    EXPECT_EQ(GetCurrentLanguage(), QStringLiteral("German"));
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.last(), LoadString(330));
    // Nothing is reloaded: the run keeps its language.
    SetApplicationLanguage(QStringLiteral("English"));
    EXPECT_EQ(ApplicationLanguage(), QStringLiteral("English"));
}
