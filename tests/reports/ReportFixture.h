#pragma once
// Shared set-up of the report tests: a scratch installation (the real
// schema, rule script and report folder copied into a temporary folder, so
// reports written into it never reach the source tree), both settings
// scopes in temporary files with English dealer texts, the cache folder in
// the temporary folder, and a recording message sink.

#include "base/CTavoCPSException.h"
#include "config/InterfaceLanguage.h"
#include "config/Registry.h"
#include "profile/CRadioDataModel.h"
#include "reports/ReportGenerator.h"
#include "reports/window/CReportDlg.h"
#include "resources/ProcessContext.h"
#include "support/RecordingSink.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tavo::test {

inline QString SourceInstall() { return QStringLiteral(TAVO_SOURCE_DIR "/install"); }

inline void CopyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString &name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), QDir(to).filePath(name));
}

// The UTF-16 text of a report file (without its BOM and terminating zero).
inline QString ReportFileText(const QByteArray &bytes)
{
    if (bytes.size() < 4)
        return QString();
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 4) / 2);
}

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_install = m_dir.filePath(QStringLiteral("install"));
        CopyFolder(SourceInstall() + QStringLiteral("/Report"), m_install + QStringLiteral("/Report"));
        CopyFolder(SourceInstall() + QStringLiteral("/profiletemplate"), m_install + QStringLiteral("/profiletemplate"));
        CopyFolder(SourceInstall() + QStringLiteral("/lib"), m_install + QStringLiteral("/lib"));
        SetInstallPathOverride(m_install);
        SetMachineSettingsFile(m_dir.filePath(QStringLiteral("machine.ini")));
        SetUserSettingsFile(m_dir.filePath(QStringLiteral("user.ini")));
        SetApplicationLanguage(QStringLiteral("English"));
        m_cacheHome = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", m_dir.filePath(QStringLiteral("cache")).toLocal8Bit());
        ASSERT_EQ(SetDealerInfo(QStringLiteral("Dealer"), QStringLiteral("Notes"), QStringLiteral("Contact")), 1);
    }
    void TearDown() override
    {
        if (m_languageLoaded)
            UnloadInterfaceLanguage();
        qputenv("XDG_CACHE_HOME", m_cacheHome);
    }

    // One of the installation's languages (its settings and translations)
    // as the user's, loaded as the program's start loads it.
    void UseLanguage(const QString &language)
    {
        const QString machine = m_dir.filePath(QStringLiteral("machine.ini"));
        if (!m_languageLoaded) {
            QFile::remove(machine);
            ASSERT_TRUE(QFile::copy(SourceInstall() + QStringLiteral("/machine.ini"), machine));
            CopyFolder(QStringLiteral(TAVO_BIN_DIR "/install/lang"), m_install + QStringLiteral("/lang"));
        }
        m_languageLoaded = true;
        ASSERT_EQ(ChangeCurrentLanguage(language), 1);
        ASSERT_EQ(LoadInterfaceLanguage(), language);
    }

    // A template of the installation as profile text, each (from, to)
    // replaced once, loaded through the data model (schema and rules).
    QString LoadedProfile(const QString &model, const std::vector<std::pair<QString, QString>> &edits = {})
    {
        QFile f(SourceInstall() + QStringLiteral("/profiletemplate/") + model + QStringLiteral(".kp2"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(f.readAll());
        for (const auto &e : edits) {
            EXPECT_TRUE(text.contains(e.first)) << e.first.toStdString();
            text.replace(text.indexOf(e.first), e.first.size(), e.second);
        }
        m_model = std::make_unique<CRadioDataModel>();
        try {
            EXPECT_EQ(m_model->LoadProfile(text, 0), 1) << m_sink.last().toStdString();
        } catch (const CTavoCPSException &e) {
            ADD_FAILURE() << "load failed: " << e.m_nMsgID << e.m_strMessage.toStdString();
        }
        return m_model->GetXmlText();
    }

    // The report of a template made and shown in a report window.
    std::unique_ptr<CReportDlg> ShowReport(ReportKind kind, const QString &model)
    {
        ReportOutput report;
        EXPECT_TRUE(MakeReport(kind, LoadedProfile(model), report));
        auto window = std::make_unique<CReportDlg>();
        window->SetReportKind(kind == ReportKind::Handout);
        window->SetDisplayModel(report.displayModel);
        window->SetReport(report.folder, report.path);
        window->show();
        QApplication::processEvents();
        return window;
    }

    ScopedProcessContext m_context; // every setting below is put back afterwards
    QTemporaryDir m_dir;
    QString m_install;
    QByteArray m_cacheHome;
    RecordingSink m_sink;
    std::unique_ptr<CRadioDataModel> m_model;
    bool m_languageLoaded = false;
};

} // namespace tavo::test
