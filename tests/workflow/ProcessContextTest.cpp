// The process-wide state is saved and put back as one: whatever a test or a
// run changes inside a ScopedProcessContext is as before once it ends, and
// the values may be set from worker threads.

#include "base/CodePage.h"
#include "config/SettingDocuments.h"
#include "config/Registry.h"
#include "radio/CRadioOperation.h"
#include "radio/ICableTransport.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace tavo;

TEST(ProcessContext, ScopeRestoresEveryPartOfTheState)
{
    const QString installBefore = GetInstallPath();
    const QString userBefore = UserSettingsFile();
    const QByteArray codePageBefore = AnsiCodePage();
    SettingDocuments *docsBefore = &AppSettingDocuments();
    {
        ScopedProcessContext scope;
        test::RecordingSink sink;
        SetInstallPathOverride(QStringLiteral("/nonexistent/install"));
        SetMachineSettingsFile(QStringLiteral("/nonexistent/machine.ini"));
        SetUserSettingsFile(QStringLiteral("/nonexistent/user.ini"));
        SetApplicationLanguage(QStringLiteral("German"));
        ASSERT_TRUE(SetAnsiCodePage("CP1251"));
        CableConfig config;
        config.portPath = QStringLiteral("/dev/pts/99");
        SetDefaultCableConfig(config);
        SetCableDeviceIndex(3);

        ShowMessageText(QStringLiteral("to the recorder"), MB_OK);
        EXPECT_EQ(sink.last(), QStringLiteral("to the recorder"));
        EXPECT_EQ(GetInstallPath(), QStringLiteral("/nonexistent/install"));
        EXPECT_EQ(ApplicationLanguage(), QStringLiteral("German"));
        EXPECT_EQ(DefaultCableConfig().portPath, QStringLiteral("/dev/pts/99"));
    }
    EXPECT_EQ(GetInstallPath(), installBefore);
    EXPECT_EQ(UserSettingsFile(), userBefore);
    EXPECT_EQ(AnsiCodePage(), codePageBefore);
    EXPECT_TRUE(DefaultCableConfig().portPath.isEmpty());
    EXPECT_EQ(CableDeviceIndex(), 0);
    EXPECT_EQ(&AppSettingDocuments(), docsBefore);
}

TEST(ProcessContext, WorkerThreadsSetAndReadTheState)
{
    ScopedProcessContext scope;
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([t] {
            for (int i = 0; i < 500; ++i) {
                SetCableDeviceIndex(t);
                SetInstallPathOverride(QStringLiteral("/tmp/install-%1").arg(t));
                EXPECT_TRUE(GetInstallPath().startsWith(QStringLiteral("/tmp/install-")));
                EXPECT_GE(CableDeviceIndex(), 0);
            }
        });
    for (std::thread &w : workers)
        w.join();
}
