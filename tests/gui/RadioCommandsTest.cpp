// Read, Write, Reset and Factory Reset from the main frame against
// tavo-radio-sim over a pseudo-terminal (the port given as on the command
// line): the progress dialog and the password dialog are driven through
// their widgets, every question is answered by the recording sink.

#include "GuiFixture.h"
#include "support/SmallDisk.h"
#include "radio/RadioTestSupport.h"

#include "app/CChangeListDialog.h"
#include "app/CRadioSettings.h"
#include "app/CReadWriteDialog.h"
#include "app/CRestoreBackupDialog.h"
#include "app/ShellDialogs.h"
#include "radio/RadioNotification.h"
#include "resources/MessageIds.h"
#include "workflow/CRadioCommands.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <cstring>
#include <sys/stat.h>
#include <deque>
#include <functional>

using namespace tavo;
using tavo::test::WaitFor;
using tavo::test::SimProcess;

namespace {

VirtualCP Changed(const std::function<void(VirtualCP &)> &change)
{
    VirtualCP cp = test::SampleImage();
    change(cp);
    return cp;
}

void SetModel(VirtualCP &cp, const char letters[3], std::initializer_list<uint8_t> digits)
{
    std::memcpy(cp.At(6), letters, 3);
    size_t i = 9;
    for (uint8_t d : digits)
        cp.bytes[i++] = d;
}

class RadioGui : public test::RadioGuiTest {
protected:
    void SetUp() override
    {
        test::RadioGuiTest::SetUp();
        SetShowChangesBeforeWrite(false); // the change list has tests of its own
        // The modal dialogs: a password from the script (empty: Cancel),
        // the progress dialog's OK once it is enabled.
        QObject::connect(&m_driver, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *pwd = qobject_cast<CAskPwdDlg *>(modal)) {
                const QString next = m_passwords.empty() ? QString() : m_passwords.front();
                if (!m_passwords.empty())
                    m_passwords.pop_front();
                ++m_nPasswordAsked;
                if (m_bCloseAtPassword) {
                    // The program does not close under a running operation.
                    m_bCloseAtPassword = false;
                    m_bClosed = Frame()->close();
                }
                if (next.isEmpty()) {
                    pwd->reject();
                } else {
                    pwd->Entry()->setText(next);
                    pwd->accept();
                }
            } else if (auto *restore = qobject_cast<CRestoreBackupDialog *>(modal)) {
                m_restoreItems.clear();
                for (int i = 0; i < restore->List()->count(); ++i)
                    m_restoreItems << restore->List()->item(i)->text();
                restore->List()->setCurrentRow(m_nRestoreRow);
                restore->accept();
            } else if (auto *changes = qobject_cast<CChangeListDialog *>(modal)) {
                m_changeLines.clear();
                for (int i = 0; i < changes->List()->count(); ++i)
                    m_changeLines << changes->List()->item(i)->text();
                changes->WriteButton()->click();
            } else if (auto *rw = qobject_cast<CReadWriteDialog *>(modal)) {
                m_nSeenProgress = std::max(m_nSeenProgress, rw->Progress()->value());
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(rw, &escape);
                m_bEscapeClosed = m_bEscapeClosed || !rw->isVisible();
                if (rw->OkButton()->isEnabled()) {
                    m_strFinalStatus = rw->Status()->text();
                    m_nFinalProgress = rw->Progress()->value();
                    rw->OkButton()->click();
                }
            }
        });
        m_driver.start(30);
    }
    void TearDown() override
    {
        m_driver.stop();
        test::RadioGuiTest::TearDown();
    }

    // The radio, then the program pointed at it; the commands once the
    // cable watch has found it.
    void StartWith(SimProcess &sim)
    {
        ASSERT_FALSE(sim.Port().isEmpty());
        SetPortOverride(sim.Port());
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitFor([&] { return Frame()->ReadFlag(); }, 8000)) << "Read enabled by the cable watch";
        EXPECT_EQ(Frame()->CablePane()->text(), LoadString(334));
    }


    // Runs a radio command to its end (and the commands come back).
    void Run(int command)
    {
        m_strFinalStatus.clear();
        m_nFinalProgress = 0;
        m_nSeenProgress = 0;
        ASSERT_TRUE(WaitFor([&] { return Frame()->ReadFlag(); }, 8000));
        ASSERT_TRUE(Frame()->RunCommand(command));
        ASSERT_TRUE(WaitFor([&] { return !Frame()->RadioBusy() && !QApplication::activeModalWidget(); }, 60000));
    }

    QString ImageFile(const QString &name, const VirtualCP &cp)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize);
        return path;
    }
    bool Shown(const QString &part) const
    {
        for (const auto &s : m_sink.shown())
            if (s.text.contains(part))
                return true;
        return false;
    }
    QString Model(CChildFrame *child) const
    {
        return child->Document()->Model().GetXmlText().section(QStringLiteral("model=\""), 1, 1).section(QLatin1Char('"'), 0, 0);
    }

    QTimer m_driver;
    std::deque<QString> m_passwords;
    int m_nPasswordAsked = 0;
    bool m_bCloseAtPassword = false;
    bool m_bClosed = false;
    bool m_bEscapeClosed = false;
    QString m_strFinalStatus;
    int m_nFinalProgress = 0;
    int m_nSeenProgress = 0;
    QStringList m_restoreItems; // the Restore Backup dialog's list as shown
    QStringList m_changeLines;  // the change list as shown before a write
    int m_nRestoreRow = 0;      // the backup chosen there
};

} // namespace

// A read with no profile open makes a new one without asking; with one
// open, 271 decides: Cancel nothing, Yes a new profile, No the open one.
// A write back goes through the progress dialog and its verify.
TEST_F(RadioGui, ReadIntoANewAndTheOpenProfileThenWrite)
{
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    StartWith(sim);
    Run(cmd::DeviceRead);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    EXPECT_EQ(m_strFinalStatus, QStringLiteral("Read Succeeded!"));
    EXPECT_EQ(m_nFinalProgress, 100);
    EXPECT_FALSE(m_bEscapeClosed) << "Escape is swallowed";
    ASSERT_EQ(Frame()->Children().size(), 1);
    EXPECT_EQ(Model(Frame()->ActiveChild()), QStringLiteral("OUD11602"));
    EXPECT_TRUE(Frame()->ActiveChild()->Document()->IsModified());

    m_sink.Answer(IDCANCEL);
    Run(cmd::DeviceRead);
    EXPECT_EQ(m_sink.last(), LoadString(271));
    EXPECT_EQ(Frame()->Children().size(), 1);
    m_sink.Answer(IDYES);
    Run(cmd::DeviceRead);
    EXPECT_EQ(Frame()->Children().size(), 2);
    Frame()->ActiveChild()->Document()->SetModifiedFlag(false);
    m_sink.Answer(IDNO);
    Run(cmd::DeviceRead);
    EXPECT_EQ(Frame()->Children().size(), 2);
    EXPECT_TRUE(Frame()->ActiveChild()->Document()->IsModified()) << "the open profile took the radio's image";

    m_sink.clear();
    Run(cmd::DeviceWrite);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    EXPECT_EQ(m_strFinalStatus, QStringLiteral("Write Succeeded!"));
    EXPECT_EQ(QDir(m_dir.filePath(QStringLiteral("data/tavocps/backups"))).entryList(QDir::Files).size(), 1) << "a backup before the write";
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 5);
    EXPECT_GT(test::CountLines(sim.Log(), QStringLiteral("WRITE")), 0);
}

// A read into the open profile (No to 271) shows the radio's profile on the
// item and page the user was on, tree and page agreeing.
TEST_F(RadioGui, AReadIntoTheOpenProfileKeepsTreeAndPageOnTheSameItem)
{
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    StartWith(sim);
    Frame()->show();
    CChildFrame *child = Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("SUR41622"), QStringLiteral("open.kp2")));
    ASSERT_NE(child, nullptr);
    child->show();
    CTavoCPSTreeView *tree = child->Tree();
    tree->setFocus(Qt::MouseFocusReason);
    tree->setCurrentItem(tree->ChannelItem(2));
    QApplication::processEvents();
    ASSERT_EQ(child->PageIndex(), PageChannel);

    m_sink.Answer(IDNO);
    Run(cmd::DeviceRead);
    QApplication::processEvents();
    EXPECT_EQ(Model(child), QStringLiteral("OUD11602"));
    EXPECT_EQ(tree->ItemValue(tree->currentItem()), TreeItemValue(PageChannel, 2));
    ASSERT_EQ(tree->selectedItems().size(), 1);
    EXPECT_EQ(tree->selectedItems().first(), tree->ChannelItem(2));
    EXPECT_EQ(child->PageIndex(), PageChannel);
    ASSERT_NE(child->Page(), nullptr);
    EXPECT_EQ(child->Page()->ChannelIndex(), 2);
    CDataItem channels, channel;
    child->Document()->Root().GetChildByName(QStringLiteral("channels"), channels);
    channels.GetChildByIndex(2, channel);
    auto *name = qobject_cast<QLineEdit *>(child->Page()->Control(1085));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), channel.GetText(QStringLiteral("name")));
    EXPECT_EQ(tree->ChannelItem(2)->text(0), channel.GetText(QStringLiteral("name")));
    child->Document()->SetModifiedFlag(false);
}

// A radio with a password: a wrong entry is refused (279) and asked again,
// Cancel ends the read with nothing transferred; the right one reads.
TEST_F(RadioGui, APasswordIsAskedUntilRightOrCancelled)
{
    SimProcess sim({QStringLiteral("--image"), ImageFile(QStringLiteral("pwd.img"), Changed([](VirtualCP &cp) { std::memcpy(cp.PasswordBytes(), "1234", 4); })),
                    QStringLiteral("--baud"), QStringLiteral("0")});
    StartWith(sim);
    m_passwords = {QStringLiteral("9999"), QString()};
    m_bCloseAtPassword = true;
    Run(cmd::DeviceRead);
    EXPECT_EQ(m_nPasswordAsked, 2);
    EXPECT_FALSE(m_bClosed);
    EXPECT_TRUE(Shown(LoadString(9136))) << "closing is refused while the operation runs";
    EXPECT_EQ(m_sink.last(), LoadString(279));
    EXPECT_TRUE(Frame()->Children().isEmpty());
    EXPECT_TRUE(WaitFor([&] { return Frame()->ReadFlag(); }, 5000)) << "Cancel ended the operation";

    m_passwords = {QStringLiteral("1234")};
    Run(cmd::DeviceRead);
    EXPECT_EQ(Frame()->Children().size(), 1);
    EXPECT_EQ(Frame()->AcceptedPassword(), QStringLiteral("1234"));
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 1);
}

// The write's checks: a radio of another band stops with 269 before any
// transfer; a smaller radio asks 319, No leaves profile and radio alone,
// Yes converts and writes.
TEST_F(RadioGui, WriteChecksAndASmallerRadio)
{
    const QString profile = m_dir.filePath(QStringLiteral("sample.kp2"));
    {
        SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
        StartWith(sim);
        Run(cmd::DeviceRead);
        ASSERT_TRUE(Frame()->ActiveChild()->Document()->DoSave(profile));
        m_app.reset();
    }
    {
        SimProcess band({QStringLiteral("--image"), ImageFile(QStringLiteral("band.img"), Changed([](VirtualCP &cp) { SetModel(cp, "OVD", {1, 1, 6, 0, 2}); })),
                         QStringLiteral("--baud"), QStringLiteral("0")});
        StartWith(band);
        ASSERT_NE(Frame()->OpenDocumentFile(profile), nullptr);
        Run(cmd::DeviceWrite);
        EXPECT_EQ(m_sink.last(), LoadString(269));
        band.Stop();
        EXPECT_EQ(test::CountLines(band.Log(), QStringLiteral("LINK")), 0);
        m_app.reset();
    }
    // An 8-channel radio: its model and its eight channel slots.
    SimProcess small({QStringLiteral("--image"), ImageFile(QStringLiteral("small.img"), Changed([](VirtualCP &cp) {
                                                               SetModel(cp, "OUD", {1, 0, 8, 0, 2});
                                                               cp.SetChannelSlots(8);
                                                           })),
                      QStringLiteral("--baud"), QStringLiteral("0")});
    StartWith(small);
    CChildFrame *child = Frame()->OpenDocumentFile(profile);
    ASSERT_NE(child, nullptr);
    const QString before = child->Document()->Model().GetXmlText();
    m_sink.clear();
    m_sink.Answer(IDNO);
    Run(cmd::DeviceWrite);
    EXPECT_EQ(m_sink.last(), LoadString(319));
    EXPECT_EQ(child->Document()->Model().GetXmlText(), before) << "the profile is untouched";
    m_sink.clear();
    m_sink.Answer(IDYES);
    Run(cmd::DeviceWrite);
    EXPECT_EQ(m_strFinalStatus, QStringLiteral("Write Succeeded!"));
    EXPECT_EQ(m_sink.shown().size(), 1u) << m_sink.last().toStdString();
    // Read back, the smaller radio gives a profile of its own size: as many
    // channels in use as present, the presets among them.
    m_sink.Answer(IDYES);
    Run(cmd::DeviceRead);
    ASSERT_EQ(Frame()->Children().size(), 2);
    CChildFrame *back = Frame()->ActiveChild();
    CDataItem root = back->Document()->Root(), setting, channels, limit;
    root.GetChildByName(QStringLiteral("setting"), setting);
    root.GetChildByName(QStringLiteral("channels"), channels);
    root.GetChildByName(QStringLiteral("limit"), limit);
    EXPECT_EQ(limit.GetInt(QStringLiteral("maxChannels")), 8);
    EXPECT_EQ(setting.GetInt(QStringLiteral("numberChannels")), 8);
    EXPECT_EQ(channels.GetChildCount(), 8);
    EXPECT_EQ(back->Tree()->ChannelsItem()->childCount(), 8);
    for (int p = 0; p < 2; ++p) {
        CDataItem preset;
        setting.GetChildByIndex(p, preset);
        EXPECT_LT(preset.GetInt(QStringLiteral("channel")), 8) << "preset " << p + 1;
    }
    small.Stop();
    EXPECT_EQ(test::CountLines(small.Log(), QStringLiteral("LINK")), 2) << "the No wrote nothing (one write, one read)";
}

// Factory reset (508 Yes) is followed by a reset; Reset alone resets; a
// link start that fails shows one message and writes nothing.
TEST_F(RadioGui, FactoryResetResetAndAFailedLinkStart)
{
    {
        SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
        StartWith(sim);
        m_sink.Answer(IDYES);
        Run(cmd::DeviceFactoryReset);
        // The confirmation, then what was done, named.
        ASSERT_EQ(m_sink.shown().size(), 2u);
        EXPECT_EQ(m_sink.last(), LoadString(msg::FactoryResetDone));
        Run(cmd::DeviceReset);
        ASSERT_EQ(m_sink.shown().size(), 3u);
        EXPECT_EQ(m_sink.last(), LoadString(msg::ResetDone));
        sim.Stop();
        EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("FACTORY-RESET")), 1);
        EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("RESET")), 2);
        m_app.reset();
    }
    const QString profile = ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("w.kp2"));
    // The identification's seven replies, then silence.
    SimProcess mute({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--silent-after"),
                     QStringLiteral("7")});
    StartWith(mute);
    ASSERT_NE(Frame()->OpenDocumentFile(profile), nullptr);
    m_sink.clear();
    Run(cmd::DeviceWrite);
    ASSERT_EQ(m_sink.shown().size(), 1u);
    // What failed, and what to look at.
    EXPECT_EQ(m_sink.last(), LoadString(309) + QLatin1Char('\n') + LoadString(msg::CheckCable));
    mute.Stop();
    EXPECT_EQ(test::CountLines(mute.Log(), QStringLiteral("WRITE")), 0);
}

// A trace file that is a pipe, or that stops taking lines, is said once and
// the transfers go on; a backup that cannot be written (a full disk) stops
// the write before a byte goes to the radio, naming the backup and the cause.
TEST_F(RadioGui, TracesThatCannotBeWrittenAndABackupOnAFullDisk)
{
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    const QString fifo = m_dir.filePath(QStringLiteral("trace.fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    SetTraceFile(fifo);
    StartWith(sim);
    auto count = [&](const QString &part) {
        int n = 0;
        for (const auto &s : m_sink.shown())
            n += s.text.contains(part) ? 1 : 0;
        return n;
    };
    Run(cmd::DeviceRead);
    EXPECT_EQ(m_strFinalStatus, QStringLiteral("Read Succeeded!"));
    m_sink.Answer(IDNO);
    Run(cmd::DeviceRead);
    EXPECT_EQ(count(LoadString(9803).arg(fifo)), 1) << "said once, at once";

    SetTraceFile(QStringLiteral("/dev/full"));
    Run(cmd::DeviceRead);
    Run(cmd::DeviceRead);
    EXPECT_EQ(m_strFinalStatus, QStringLiteral("Read Succeeded!"));
    EXPECT_EQ(count(QStringLiteral("The trace cannot be written (/dev/full: No space left on device). The transfer goes on without it.")), 1);
    SetTraceFile(QString());

    test::SmallDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why();
    const QString backups = disk.FilePath(QStringLiteral("data/tavocps/backups"));
    ASSERT_TRUE(QDir().mkpath(backups));
    qputenv("XDG_DATA_HOME", disk.FilePath(QStringLiteral("data")).toUtf8());
    disk.Fill();
    m_sink.clear();
    Run(cmd::DeviceWrite);
    EXPECT_TRUE(Shown(QStringLiteral("The radio's current image could not be backed up (Cannot write %1/").arg(backups))) << m_sink.last().toStdString();
    EXPECT_TRUE(Shown(QStringLiteral(".img: No space left on device), so nothing was written."))) << m_sink.last().toStdString();
    EXPECT_FALSE(Shown(QStringLiteral("previous image was saved")));
    qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("WRITE")), 0);
    EXPECT_EQ(QDir(backups).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// A write that fails after it began to change the radio names the partly
// written codeplug and the backup saved before it, and offers to write the
// backup back at once (No; then Yes, against the same refusing radio).
// Device > Restore Backup lists the connected radio's backups newest first
// and writes the one chosen through the image write.
TEST_F(RadioGui, AFailedWriteOffersItsBackupAndRestoreBackupWritesOneBack)
{
    const VirtualCP sample = test::SampleImage();
    const QString serial = BackupSerialName(ImageSerial(sample));
    const QString folder = m_dir.filePath(QStringLiteral("data/tavocps/backups"));
    QDir().mkpath(folder);
    const QString older = QStringLiteral("%1/%2-20240101-100000.img").arg(folder, serial);
    const QString old = QStringLiteral("%1/%2-20240102-100000.img").arg(folder, serial);
    for (const QString &path : {older, old})
        test::WriteFileBytes(path, QByteArray(reinterpret_cast<const char *>(sample.bytes.data()), VirtualCP::kSize));
    const QString profile = ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("w.kp2"));
    const QString partly = LoadString(msg::PartlyWrittenCodeplug);
    QByteArray original;
    {
        SimProcess refusing({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--refuse-write")});
        StartWith(refusing);
        ASSERT_NE(Frame()->OpenDocumentFile(profile), nullptr);
        m_sink.clear();
        m_sink.Answer(IDNO);
        Run(cmd::DeviceWrite);
        ASSERT_EQ(m_sink.shown().size(), 1u) << m_sink.last().toStdString();
        const QStringList backups = ListRadioBackups(serial);
        ASSERT_EQ(backups.size(), 3);
        EXPECT_EQ(backups.mid(1), (QStringList{old, older})) << "newest first";
        const test::RecordingSink::Shown failure = m_sink.shown().front();
        EXPECT_EQ(failure.style & MB_BUTTONMASK, static_cast<unsigned>(MB_YESNO));
        EXPECT_TRUE(failure.text.contains(partly)) << failure.text.toStdString();
        EXPECT_TRUE(failure.text.startsWith(LoadString(msg::RadioWriteRefused))) << "the radio's refusal, not a cable fault: " << failure.text.toStdString();
        EXPECT_TRUE(failure.text.contains(LoadString(msg::BackupSaved).replace(QLatin1String("%1"), backups.first()))) << failure.text.toStdString();
        EXPECT_TRUE(failure.text.endsWith(LoadString(msg::OfferBackupWrite)));
        EXPECT_EQ(m_strFinalStatus, QString()) << "the dialog did not end well";

        // Yes: the backup goes back at once; this radio refuses it too, and
        // says so with the same lines (no second offer).
        m_sink.clear();
        m_sink.Answer(IDYES);
        Run(cmd::DeviceWrite);
        ASSERT_TRUE(WaitFor([&] { return !Frame()->RadioBusy() && !QApplication::activeModalWidget(); }, 30000));
        ASSERT_EQ(m_sink.shown().size(), 2u) << m_sink.last().toStdString();
        EXPECT_EQ(m_sink.shown()[1].style & MB_BUTTONMASK, static_cast<unsigned>(MB_OK));
        EXPECT_TRUE(m_sink.shown()[1].text.contains(partly)) << m_sink.shown()[1].text.toStdString();
        refusing.Stop();
        EXPECT_EQ(test::CountLines(refusing.Log(), QStringLiteral("LINK")), 3) << "two writes and the backup written back";
        EXPECT_EQ(ListRadioBackups(serial).size(), 5) << "the write back too saved what the radio held first";
        original = refusing.Dump();
        m_app.reset();
    }

    // A radio of that serial that now holds something else.
    SimProcess other({QStringLiteral("--image"), ImageFile(QStringLiteral("other.img"), Changed([](VirtualCP &cp) {
                                                               ChannelSlot c = cp.Channel(0);
                                                               std::memcpy(c.NameBytes(), "CHANGED!", 8);
                                                               cp.SetChannel(0, c);
                                                           })),
                      QStringLiteral("--baud"), QStringLiteral("0")});
    StartWith(other);
    ASSERT_NE(Frame()->Command(cmd::DeviceRestoreBackup), nullptr);
    m_sink.clear();
    m_nRestoreRow = 0;
    m_changeLines.clear();
    Run(cmd::DeviceRestoreBackup);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    // What the restore changes was shown and agreed to first.
    EXPECT_TRUE(m_changeLines.join(QLatin1Char('\n')).contains(QLatin1String("Channel 1 name"))) << m_changeLines.join(QLatin1Char('\n')).toStdString();
    // The list as shown; the restore then saved what the radio held first.
    const QStringList backups = ListRadioBackups(serial);
    ASSERT_EQ(m_restoreItems.size(), 5);
    ASSERT_EQ(backups.size(), 6);
    for (int i = 0; i < m_restoreItems.size(); ++i)
        EXPECT_TRUE(m_restoreItems.at(i).startsWith(QFileInfo(backups.at(i + 1)).fileName())) << m_restoreItems.at(i).toStdString();
    EXPECT_TRUE(m_restoreItems.at(3).contains(QLocale().toString(QDateTime(QDate(2024, 1, 2), QTime(10, 0)), QLocale::ShortFormat)))
        << "the time the backup was saved: " << m_restoreItems.at(2).toStdString();
    EXPECT_EQ(m_strFinalStatus, QStringLiteral("Write Succeeded!"));
    other.Stop();
    EXPECT_EQ(other.Dump(), original) << "the radio holds its backup again";
}

// A radio that asks for a factory reset (memory status 8): after message
// 390 the program offers Factory Reset; Yes runs it with its own
// confirmation (508), No leaves the radio alone. A reset then says so in
// the status bar.
TEST_F(RadioGui, AMemoryStatusOfEightOffersFactoryReset)
{
    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0"),
                    QStringLiteral("--memory-status"), QStringLiteral("8")});
    StartWith(sim);
    m_sink.Answer(IDOK);
    m_sink.Answer(IDNO);
    Run(cmd::DeviceRead);
    ASSERT_EQ(m_sink.shown().size(), 2u);
    EXPECT_TRUE(m_sink.shown().at(0).text.contains(LoadString(390)));
    EXPECT_EQ(m_sink.shown().at(1).text, LoadString(9960));
    EXPECT_EQ(m_sink.shown().at(1).style & 0xF, unsigned(MB_YESNO));
    EXPECT_TRUE(Frame()->Children().isEmpty());

    m_sink.clear();
    m_sink.Answer(IDOK);
    m_sink.Answer(IDYES);
    m_sink.Answer(IDYES);
    Run(cmd::DeviceRead);
    ASSERT_TRUE(WaitFor([&] { return m_sink.shown().size() >= 3; }, 20000)) << "the factory reset's own confirmation";
    EXPECT_EQ(m_sink.shown().at(2).text, LoadString(508));
    ASSERT_TRUE(WaitFor([&] { return !Frame()->RadioBusy() && Frame()->ReadFlag(); }, 30000));

    m_sink.clear();
    Run(cmd::DeviceReset);
    EXPECT_EQ(Frame()->statusBar()->currentMessage(), LoadString(msg::ResetDone));
    ASSERT_EQ(m_sink.shown().size(), 1u);
    EXPECT_EQ(m_sink.last(), LoadString(msg::ResetDone));
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("FACTORY-RESET")), 1);
}

// The write dialog names each stage in its own words, and its one bar only
// goes forward through backup, write and verify.
TEST_F(RadioGui, TheWriteDialogShowsItsStagesAndItsBarOnlyGoesForward)
{
    CReadWriteDialog dialog(false);
    QProgressBar *bar = dialog.Progress();
    const struct {
        int stage;
        int text;
        std::vector<int> progress;
    } stages[] = {
        {9132, 9962, {10, 20, 40, 50, 60, 80}},
        {9111, 9963, {20, 40, 60, 80, 100}},
        {9133, 9964, {10, 20, 40, 50, 60, 80}},
    };
    int last = bar->value();
    for (const auto &s : stages) {
        dialog.SetStage(s.stage);
        EXPECT_EQ(dialog.Status()->text(), LoadString(s.text));
        EXPECT_EQ(bar->accessibleName(), LoadString(s.text)); // what a screen reader says
        EXPECT_GE(bar->value(), last);
        last = bar->value();
        for (int p : s.progress) {
            dialog.OnNotify(RadioProgress, p);
            EXPECT_GE(bar->value(), last) << "stage " << s.stage << " at " << p;
            last = bar->value();
        }
    }
    EXPECT_LT(last, 100);
    dialog.OnWorkerDone(true, QString());
    EXPECT_EQ(bar->value(), 100);
    EXPECT_EQ(dialog.Status()->text(), LoadString(msg::WriteSucceeded));
}

// A verify that fails names the backup and offers to write it back, as a
// failed write does; Restore Backup verifies too, and an image that another
// radio's serial number is inside is said so and written only after a yes.
TEST_F(RadioGui, AVerifyFailureOffersTheBackupAndARestoreIsVerifiedAndAsked)
{
    SetVerifyAfterWrite(true);
    const QString serial = BackupSerialName(ImageSerial(test::SampleImage()));
    // The radio says HELLO at power-up and keeps the first character of it
    // whatever is written.
    SimProcess sim({QStringLiteral("--image"), ImageFile(QStringLiteral("hello.img"), Changed([](VirtualCP &cp) { std::memcpy(cp.PowerupTextBytes(), "HELLO\0\0\0", 8); })),
                    QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--stuck-byte"), QStringLiteral("10018")});
    StartWith(sim);
    ASSERT_NE(Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("v.kp2"))), nullptr);
    m_sink.clear();
    m_sink.Answer(IDNO);
    Run(cmd::DeviceWrite);
    ASSERT_EQ(m_sink.shown().size(), 1u) << m_sink.last().toStdString();
    const QStringList backups = ListRadioBackups(serial);
    ASSERT_EQ(backups.size(), 1);
    const test::RecordingSink::Shown verify = m_sink.shown().front();
    EXPECT_TRUE(verify.text.contains(QLatin1String("the first difference is in Power-up text"))) << verify.text.toStdString();
    EXPECT_TRUE(verify.text.contains(LoadString(msg::BackupSaved).replace(QLatin1String("%1"), backups.first()))) << verify.text.toStdString();
    EXPECT_TRUE(verify.text.endsWith(LoadString(msg::OfferBackupWrite))) << verify.text.toStdString();
    EXPECT_EQ(verify.style & MB_BUTTONMASK, static_cast<unsigned>(MB_YESNO));

    // Restore Backup of an image with another radio's serial number inside:
    // asked, and No writes nothing.
    const QString foreign = m_dir.filePath(QStringLiteral("data/tavocps/backups/%1-20240103-100000.img").arg(serial));
    test::WriteFileBytes(foreign, QByteArray(reinterpret_cast<const char *>(Changed([](VirtualCP &cp) { std::memcpy(cp.SerialBytes(), "999ZZZ9999", 10); }).bytes.data()),
                                             VirtualCP::kSize));
    m_sink.clear();
    m_sink.Answer(IDNO);
    m_nRestoreRow = 1; // the foreign one, after the newest backup
    Run(cmd::DeviceRestoreBackup);
    ASSERT_FALSE(m_sink.empty());
    EXPECT_TRUE(m_sink.shown().front().text.contains(QLatin1String("This image was read from another radio (serial number 999ZZZ9999); the radio connected is 123ABC4567.")))
        << m_sink.shown().front().text.toStdString();
    // The radio's own backup back: verified (the stuck byte keeps HELLO,
    // which the backup holds anyway).
    m_sink.clear();
    m_nRestoreRow = 0;
    Run(cmd::DeviceRestoreBackup);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    EXPECT_EQ(m_strFinalStatus, QStringLiteral("Write Succeeded!"));
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 2) << "the write and the restore; the No wrote nothing";
    // Each write and restore reads the radio for its backup, the write
    // reads the settings block, the verify reads it back: 3 + 1 + 3.
    EXPECT_GE(test::CountLines(sim.Log(), QStringLiteral("READ 010000")), 7) << "the restore was verified";
}
