// The change list before a write from the main frame, against
// tavo-radio-sim over a pseudo-terminal: Cancel writes nothing (no link
// start, no backup), Write goes on, and a radio that already holds the
// profile offers to skip the write.

#include "GuiFixture.h"
#include "radio/RadioTestSupport.h"

#include "app/CChangeListDialog.h"
#include "app/CRadioSettings.h"
#include "app/CReadWriteDialog.h"
#include "base/TemplateFile.h"
#include "profile/CDataAdaptor.h"
#include "resources/MessageIds.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <cstring>
#include <deque>

using namespace tavo;
using tavo::test::WaitFor;
using tavo::test::SimProcess;

namespace {

class ChangeListGui : public test::RadioGuiTest {
protected:
    void SetUp() override
    {
        test::RadioGuiTest::SetUp();
        // The change list answered from the script (true: Write), the
        // progress dialog's OK once it is enabled.
        QObject::connect(&m_driver, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *list = qobject_cast<CChangeListDialog *>(modal)) {
                for (int i = 0; i < list->List()->count(); ++i)
                    m_lines << list->List()->item(i)->text();
                m_notes = list->Notes() ? list->Notes()->text() : QString();
                const QString shot = qEnvironmentVariable("TAVO_CHANGE_LIST_SHOT");
                if (!shot.isEmpty())
                    list->grab().save(shot);
                const bool write = !m_answers.empty() && m_answers.front();
                if (!m_answers.empty())
                    m_answers.pop_front();
                (write ? list->WriteButton() : list->CancelButton())->click();
            } else if (auto *rw = qobject_cast<CReadWriteDialog *>(modal)) {
                if (rw->OkButton()->isEnabled()) {
                    m_strFinalStatus = rw->Status()->text();
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


    void Write()
    {
        m_lines.clear();
        m_notes.clear();
        m_strFinalStatus.clear();
        ASSERT_TRUE(WaitFor([&] { return Frame()->ReadFlag(); }, 8000));
        ASSERT_TRUE(Frame()->RunCommand(cmd::DeviceWrite));
        ASSERT_TRUE(WaitFor([&] { return !Frame()->RadioBusy() && !QApplication::activeModalWidget(); }, 60000));
    }

    QStringList Backups() const { return QDir(m_dir.filePath(QStringLiteral("data/tavocps/backups"))).entryList(QDir::Files); }

    QTimer m_driver;
    std::deque<bool> m_answers;
    QStringList m_lines;
    QString m_notes;
    QString m_strFinalStatus;
};

} // namespace

TEST_F(ChangeListGui, CancelWritesNothingWriteGoesOnAndNoChangesOffersToSkip)
{
    // The profile: the sample radio's. The radio: the sample with another
    // power-up text and channel 3 name.
    VirtualCP sample = test::SampleImage();
    QString xml;
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(sample, xml));
    const QString profile = m_dir.filePath(QStringLiteral("sample.kp2"));
    ASSERT_TRUE(test::WriteFileBytes(profile, EncodeScrambledUtf16(xml)));
    VirtualCP radio = test::SampleImage();
    std::memcpy(radio.PowerupTextBytes(), "OLDTEXT\0", 8);
    ChannelSlot third = radio.Channel(2);
    std::memcpy(third.NameBytes(), "OLD3\0\0\0\0", 8);
    radio.SetChannel(2, third);
    const QString radioImage = m_dir.filePath(QStringLiteral("radio.img"));
    ASSERT_TRUE(test::WriteFileBytes(radioImage, QByteArray(reinterpret_cast<const char *>(radio.bytes.data()), VirtualCP::kSize)));

    SimProcess sim({QStringLiteral("--image"), radioImage, QStringLiteral("--baud"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Port().isEmpty());
    SetPortOverride(sim.Port());
    ASSERT_TRUE(Start());
    {
        CPortSettingsDialog settings(Frame());
        EXPECT_TRUE(settings.ShowChanges()->isChecked()) << "on by default";
    }
    ASSERT_NE(Frame()->OpenDocumentFile(profile), nullptr);
    QString sampleName = QString::fromLatin1(reinterpret_cast<const char *>(sample.Channel(2).NameBytes()), 8);
    sampleName.truncate(sampleName.indexOf(QChar(0)) < 0 ? 8 : sampleName.indexOf(QChar(0)));

    // Cancel: the radio was read, nothing saved, nothing written.
    m_answers = {false};
    Write();
    EXPECT_TRUE(m_lines.contains(QStringLiteral("Channel 3 name: OLD3 → %1").arg(sampleName))) << m_lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(std::any_of(m_lines.cbegin(), m_lines.cend(), [](const QString &l) { return l.startsWith(QStringLiteral("Power-up text: OLDTEXT → ")); }))
        << m_lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(m_sink.empty()) << "no failure shown: " << m_sink.last().toStdString();
    EXPECT_TRUE(m_strFinalStatus.isEmpty());
    EXPECT_TRUE(Backups().isEmpty());

    // Write: the write goes on.
    m_answers = {true};
    Write();
    EXPECT_EQ(m_strFinalStatus, QStringLiteral("Write Succeeded!"));
    EXPECT_EQ(Backups().size(), 1);

    // The radio now holds the profile: no list, the offer to skip; Yes skips.
    m_sink.clear();
    m_sink.Answer(IDYES);
    Write();
    EXPECT_TRUE(m_lines.isEmpty());
    EXPECT_EQ(m_sink.last(), LoadString(msg::NoChangesToWrite) + QLatin1Char('\n') + LoadString(msg::SkipTheWrite));
    EXPECT_TRUE(m_strFinalStatus.isEmpty());

    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 1) << "only the write that was confirmed started a transfer";
}

// What the radio cannot hold as the profile has it: the change list names
// each replaced code above the changes; a licensed profile is refused with
// the radio's range, nothing written.
TEST_F(ChangeListGui, CodesTheRadioCannotHoldAreNamedAndAForeignBandIsRefused)
{
    VirtualCP sample = test::SampleImage();
    ChannelSlot first = sample.Channel(0);
    first.SetRxCode(200); // an inverted DCS code; the radio identifies with 127 codes
    std::memcpy(first.NameBytes(), "CODES\0\0\0", 8);
    sample.SetChannel(0, first);
    QString xml;
    ASSERT_TRUE(CDataAdaptor::VirtualCP2XML(sample, xml));
    const QString profile = m_dir.filePath(QStringLiteral("codes.kp2"));
    ASSERT_TRUE(test::WriteFileBytes(profile, EncodeScrambledUtf16(xml)));

    SimProcess sim({QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Port().isEmpty());
    SetPortOverride(sim.Port());
    ASSERT_TRUE(Start());
    ASSERT_NE(Frame()->OpenDocumentFile(profile), nullptr);
    m_answers = {false};
    Write();
    EXPECT_TRUE(m_lines.contains(QStringLiteral("Channel 1 name: PMR 1 → CODES"))) << m_lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(m_notes.startsWith(QStringLiteral("Channel 1 receive tone: "))) << m_notes.toStdString();
    EXPECT_TRUE(m_notes.contains(QStringLiteral("cannot be held by this radio (codes up to 127): written as 67.0 Hz"))) << m_notes.toStdString();

    // A licensed profile: the radio's range, no backup, nothing written.
    QString licensed;
    ASSERT_TRUE(LoadTemplateFile(QStringLiteral(TAVO_SOURCE_DIR "/install/profiletemplate/OUR40822.kp2"), licensed));
    const QString other = m_dir.filePath(QStringLiteral("licensed.kp2"));
    ASSERT_TRUE(test::WriteFileBytes(other, EncodeScrambledUtf16(licensed)));
    ASSERT_NE(Frame()->OpenDocumentFile(other), nullptr);
    m_sink.clear();
    Write();
    EXPECT_TRUE(m_lines.isEmpty()) << "refused before the change list";
    bool named = false;
    for (const auto &shown : m_sink.shown())
        named = named || shown.text.contains(QStringLiteral("outside this radio's range (446.0-446.2 MHz)"));
    EXPECT_TRUE(named) << m_sink.last().toStdString();
    EXPECT_TRUE(Backups().isEmpty());
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("WRITE")), 0);
}

// The heading counts the changes in words a reader expects: "1 field",
// "2 fields".
TEST_F(ChangeListGui, TheHeadingCountsOneFieldAndSeveralFields)
{
    ASSERT_TRUE(Start());
    const auto heading = [](const QStringList &lines) {
        CChangeListDialog dialog(lines, QStringLiteral("SER1"));
        const QLabel *label = dialog.findChild<QLabel *>();
        return label ? label->text() : QString();
    };
    EXPECT_EQ(heading({QStringLiteral("a")}), QStringLiteral("The write will change 1 field of the radio SER1:"));
    EXPECT_EQ(heading({QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("The write will change 2 fields of the radio SER1:"));
}
