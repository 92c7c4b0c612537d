// A field added by one row of the field table and nothing else in the
// program. The installation declares it as it declares every field (the
// schema's attribute, the rule script's range, the page's visibility
// entries); the row alone makes it converted between image and profile both
// ways, range-checked, compared in the change list, shown and edited on its
// page and printed in the detailed report.

#include "PageTestSupport.h"

#include "base/ProfileNames.h"
#include "codeplug/RadioFields.h"
#include "config/PageRows.h"
#include "profile/CDataAdaptor.h"
#include "profile/CRadioDataModel.h"
#include "profile/ProfileChecks.h"
#include "reports/ReportGenerator.h"
#include "resources/StringTable.h"
#include "support/TestFiles.h"
#include "views/CAudioSettingView.h"
#include "workflow/CodeplugComparison.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

using namespace tavo;
using namespace tavo::test;

namespace {

constexpr char kAttribute[] = "ledLevel";
constexpr size_t kReservedByte = 67;           // a byte of the image no field uses
constexpr int kLabelId = 1090, kListId = 1091; // ids the audio page's form does not use
constexpr int kCaption = 9413;                 // "Tri-Color LED"

// The whole addition.
RadioField LedLevelRow()
{
    return {names::kSetting,
            kAttribute,
            {FieldStore::Number, kReservedByte, 1},
            {0, 2},
            270,
            {kCaption, FieldShow::PageList},
            {FieldPage::AudioSettings, kLabelId, kListId, kCaption, RowKind::List, {181, 182, 183}}};
}

// A second one, a check box of the General Settings page.
constexpr char kFlagAttribute[] = "ledBlink";
constexpr size_t kOtherReservedByte = 54;
constexpr int kFlagLabelId = 1092, kFlagBoxId = 1093;
constexpr int kFlagCaption = 9408; // "Enable"

RadioField LedBlinkRow()
{
    return {names::kSetting,
            kFlagAttribute,
            {FieldStore::Flag, kOtherReservedByte, 1},
            {},
            165,
            {kFlagCaption, FieldShow::Flag},
            {FieldPage::Settings, kFlagLabelId, kFlagBoxId, kFlagCaption, RowKind::CheckOne}};
}

// Inserts `text` after every occurrence of `anchor` in the file at `path`.
void InsertAfter(const QString &path, const QString &anchor, const QString &text)
{
    QString content = QString::fromUtf8(ReadFileBytes(path));
    ASSERT_TRUE(content.contains(anchor)) << path.toStdString();
    content.replace(anchor, anchor + text);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content.toUtf8());
}

VirtualCP SampleImage()
{
    VirtualCP image;
    const QByteArray bytes = ReadFileBytes(SourceInstall() + QStringLiteral("/samples/demo-OUD11602.img"));
    EXPECT_EQ(size_t(bytes.size()), VirtualCP::kSize);
    std::memcpy(image.bytes.data(), bytes.constData(), std::min<size_t>(VirtualCP::kSize, size_t(bytes.size())));
    return image;
}

QString ProfileTextOf(VirtualCP image)
{
    QString xml;
    EXPECT_TRUE(CDataAdaptor::VirtualCP2XML(image, xml));
    return xml;
}

} // namespace

TEST_F(PageTest, AFieldAddedByOneRowIsConvertedCheckedComparedShownEditedAndReported)
{
    const QString install = ScratchInstall();
    InsertAfter(install + QStringLiteral("/profiletemplate/DataProfile.xsd"),
                QStringLiteral("<xs:attribute name=\"accessoryMicrophoneGain\" type=\"byte\" use=\"required\"><xs:annotation><xs:appinfo>"
                               "<ccps:SchemaExtension SetVal=\"SetValue\"/></xs:appinfo></xs:annotation></xs:attribute>"),
                QStringLiteral("<xs:attribute name=\"ledLevel\" type=\"byte\" use=\"optional\"><xs:annotation><xs:appinfo>"
                               "<ccps:SchemaExtension SetVal=\"SetValue\"/></xs:appinfo></xs:annotation></xs:attribute>"
                               "<xs:attribute name=\"ledBlink\" type=\"byte\" use=\"optional\"><xs:annotation><xs:appinfo>"
                               "<ccps:SchemaExtension SetVal=\"SetValue\"/></xs:appinfo></xs:annotation></xs:attribute>"));
    InsertAfter(install + QStringLiteral("/profiletemplate/DataProfile.lua"), QStringLiteral("accessoryMicrophoneGain = { max = 15 },"),
                QStringLiteral(" ledLevel = { max = 2 }, ledBlink = { flag = true },"));
    InsertAfter(install + QStringLiteral("/lib/VisibleSetting.stv"), QStringLiteral("<AudioSettings>"),
                QStringLiteral("<Control id=\"1090\" isVisible=\"1\"/><Control id=\"1091\" isVisible=\"1\"/>"));
    InsertAfter(install + QStringLiteral("/lib/VisibleSetting.stv"), QStringLiteral("<Settings>"),
                QStringLiteral("<Control id=\"1092\" isVisible=\"1\"/><Control id=\"1093\" isVisible=\"1\"/>"));
    ASSERT_TRUE(Start()); // on the patched installation

    VirtualCP image = SampleImage();
    image.bytes[kReservedByte] = 1;
    const QString without = ProfileTextOf(image);
    EXPECT_FALSE(without.contains(QLatin1String(kAttribute))) << "no row, no field";

    const ScopedExtraRadioField row(LedLevelRow());
    const ScopedExtraRadioField flagRow(LedBlinkRow());

    // The image conversion, both ways; nothing else of the image moves.
    const QString text = ProfileTextOf(image);
    EXPECT_EQ(text.count(QStringLiteral("ledLevel=\"1\"")), 1);
    EXPECT_EQ(QString(text).remove(QStringLiteral("ledLevel=\"1\" ledBlink=\"0\" ")), without);
    QString edited = text;
    edited.replace(QStringLiteral("ledLevel=\"1\""), QStringLiteral("ledLevel=\"2\""));
    VirtualCP back;
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(edited, back));
    EXPECT_EQ(back.bytes[kReservedByte], 2);
    VirtualCP plain;
    ASSERT_TRUE(CDataAdaptor::XML2VirtualCP(text, plain));
    for (size_t i = 0; i < VirtualCP::kSize; ++i)
        if (i != kReservedByte)
            ASSERT_EQ(back.bytes[i], plain.bytes[i]) << "byte " << i;

    // The change list names it and its values as the page's list does.
    CodeplugComparisonOptions dotted;
    dotted.decimalSeparator = QStringLiteral(".");
    EXPECT_EQ(CodeplugChangeLines(plain, back, dotted),
              QStringList{QStringLiteral("%1: %2 → %3").arg(LoadString(kCaption), LoadString(182), LoadString(183))});

    // The range check refuses a value the radio cannot hold.
    {
        CRadioDataModel model;
        ASSERT_EQ(model.LoadProfile(QString(edited).replace(QStringLiteral("ledLevel=\"2\""), QStringLiteral("ledLevel=\"7\"")), 0), 1);
        const QString problem = ProfileValueProblem(model.m_rootItem);
        EXPECT_TRUE(problem.contains(QLatin1String(kAttribute)) && problem.contains(QStringLiteral("0-2"))) << problem.toStdString();
    }

    // The page shows it under its caption and writes a choice at once.
    const QString path = m_dir.filePath(QStringLiteral("led.kp2"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(EncodeScrambledUtf16(edited));
    }
    auto *page = OpenPage<CAudioSettingView>(path, PageAudioSettings);
    ASSERT_NE(page, nullptr);
    auto *list = qobject_cast<QComboBox *>(page->Control(kListId));
    auto *label = qobject_cast<QLabel *>(page->Control(kLabelId));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(list->isHidden());
    EXPECT_EQ(label->text(), LoadString(kCaption));
    EXPECT_EQ(label->buddy(), list);
    EXPECT_EQ(list->accessibleName(), LoadString(kCaption));
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentText(), LoadString(183));
    // Below the form's own rows, in their columns.
    const auto at = [page](QWidget *w) { return w->mapTo(page->Form(), QPoint()); };
    EXPECT_GT(at(list).y(), at(page->Control(1018)).y());
    EXPECT_EQ(at(list).x(), at(page->Control(1028)).x());
    EXPECT_EQ(at(label).x(), at(page->Control(1023)).x());
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(Setting().GetInt(QLatin1String(kAttribute)), 1);
    EXPECT_TRUE(Doc()->IsModified());

    // The General Settings page binds a check box row as well.
    m_child->SwitchPage(PageSettings);
    QApplication::processEvents();
    CBaseView *settings = qobject_cast<CBaseView *>(m_child->Page());
    ASSERT_NE(settings, nullptr);
    auto *box = qobject_cast<QCheckBox *>(settings->Control(kFlagBoxId));
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isHidden());
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(box->accessibleName(), LoadString(kFlagCaption));
    EXPECT_EQ(qobject_cast<QLabel *>(settings->Control(kFlagLabelId))->text(), LoadString(kFlagCaption));
    box->click();
    EXPECT_EQ(Setting().GetInt(QLatin1String(kFlagAttribute)), 1);

    // The detailed report prints it as the page shows it.
    const QString html = GenerateDetailedHtml(Doc()->Model().GetXmlText(), QStringLiteral("."));
    EXPECT_TRUE(html.contains(QStringLiteral("<td class=\"ItemName\" width=\"45%\">%1</td><td class=\"ItemVal\">%2</td>")
                                  .arg(LoadString(kCaption), LoadString(182))));
    EXPECT_TRUE(html.contains(
        QStringLiteral("<td class=\"ItemName\" width=\"45%\">%1</td><td class=\"ItemVal\">%1</td>").arg(LoadString(kFlagCaption))));
    m_child->close();
}

// The row leaves with its scope: the tables are as they were.
TEST(FieldRow, AnAddedRowLeavesWithItsScope)
{
    const size_t fields = RadioFields().size();
    const size_t rows = AudioSettingsPageRows().size();
    {
        const ScopedExtraRadioField row(LedLevelRow());
        EXPECT_EQ(RadioFields().size(), fields + 1);
        ASSERT_EQ(AudioSettingsPageRows().size(), rows + 1);
        EXPECT_EQ(AudioSettingsPageRows().back().ctrlId, kListId);
    }
    EXPECT_EQ(RadioFields().size(), fields);
    EXPECT_EQ(AudioSettingsPageRows().size(), rows);
}
