#pragma once
// Shared set-up of the GUI tests: settings in a temporary folder, the
// built installation (with its help file) or a scratch copy of it, a
// recording message sink, and the application started without its splash.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CRadioSettings.h"
#include "app/CTavoCPSApp.h"
#include "app/CTavoCPSTreeView.h"
#include "app/CommandIds.h"
#include "views/CDocumentHost.h"
#include "views/CFileDialogs.h"
#include "workflow/CTavoCPSDoc.h"
#include "config/Registry.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"
#include "support/LocaleEnvironment.h"
#include "support/RecordingSink.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMenuBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace tavo::test {

inline QString BuiltInstall() { return QStringLiteral(TAVO_BIN_DIR "/install"); }
inline QString SourceInstall() { return QStringLiteral(TAVO_SOURCE_DIR "/install"); }

// Runs the event loop until `done` holds; false when `ms` passed first.
inline bool WaitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Copies a folder tree.
inline void CopyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
}

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetMachineSettingsFile(SourceInstall() + QStringLiteral("/machine.ini"));
        SetUserSettingsFile(m_dir.filePath(QStringLiteral("user/settings.ini")));
        SetInstallPathOverride(BuiltInstall());
        SetApplicationLanguage(QString());
        CTavoCPSTreeView::g_bAcceptEndEdit = true;
    }
    void TearDown() override
    {
        m_app.reset();
    }

    // A scratch copy of the built installation, to be damaged by a test.
    QString ScratchInstall()
    {
        const QString path = m_dir.filePath(QStringLiteral("install"));
        CopyTree(BuiltInstall(), path);
        SetInstallPathOverride(path);
        return path;
    }

    // Starts the application with the profiles of its command line; false
    // when start-up stopped.
    bool Start(const QString &profile = QString()) { return Start(profile.isEmpty() ? QStringList() : QStringList{profile}); }
    bool Start(const QStringList &profiles)
    {
        m_app = std::make_unique<CTavoCPSApp>();
        CTavoCPSApp::Options options;
        options.splash = false;
        options.profilePaths = profiles;
        const bool ok = m_app->InitInstance(options);
        QApplication::processEvents();
        return ok;
    }
    CMainFrame *Frame() const { return m_app ? m_app->MainFrame() : nullptr; }

    // A copy of a template as a profile file of the test.
    QString ProfileCopy(const QString &model, const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        QFile::copy(SourceInstall() + QStringLiteral("/profiletemplate/") + model + QStringLiteral(".kp2"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    // The captions of the menu bar, "&" removed.
    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction *a : Frame()->menuBar()->actions())
            titles << a->text().remove(QLatin1Char('&'));
        return titles;
    }
    QMenu *TopMenu(int captionId) const
    {
        for (QAction *a : Frame()->menuBar()->actions())
            if (a->text() == LoadString(captionId))
                return a->menu();
        return nullptr;
    }

    ScopedProcessContext m_context; // first made, last restored
    LocaleEnvironment m_locale;     // a first start in the machine default
    QTemporaryDir m_dir;
    RecordingSink m_sink;
    std::unique_ptr<CTavoCPSApp> m_app;
};

// A GUI test with a radio on the cable: backups under the test's own data
// folder, a cable map of its own (no two tests share a radio's state), the
// port override dropped afterwards.
class RadioGuiTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
        static int key = 0;
        CMainFrame::SetCableMapKey(QStringLiteral("TavoCPSTest-%1-%2").arg(QCoreApplication::applicationPid()).arg(++key));
    }
    void TearDown() override
    {
        GuiTest::TearDown();
        SetPortOverride(QString());
    }
};

} // namespace tavo::test
