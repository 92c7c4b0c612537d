// Report generation against the installed style sheets: the label keys,
// the handout's dealer footer and escaping, the detailed report's edits,
// the report file and its fallback folder.

#include "ReportFixture.h"

#include "reports/HandoutPicture.h"
#include "reports/ReportGenerator.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "support/TestFiles.h"

#include <QDate>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

using namespace tavo;
using namespace tavo::test;

namespace {

QStringList KeysOf(ReportKind kind)
{
    QStringList keys;
    for (const LabelKey &k : LabelKeysOf(kind))
        keys << QLatin1String(k.key);
    return keys;
}

} // namespace

// Every key of each report becomes its text, whichever key is a prefix of
// another; the two reports share only the button functions' keys and
// together use the whole table.
TEST(ReportLabels, EveryKeyReplacedWithoutFragments)
{
    const QStringList handout = KeysOf(ReportKind::Handout);
    const QStringList detailed = KeysOf(ReportKind::Detailed);
    const QStringList functions{"$#Call Tone", "$#Monitor", "$#Preset 1", "$#Preset 2", "$#Scan/Nuisance Channel Delete",
                                "$#No Operation", "$#Tx Power Selection", "$#Backlight", "$#Repeater/Talkaround", "$#Scramble"};
    EXPECT_EQ(handout.size() + detailed.size() - functions.size(), int(LabelKeyTable().size()));
    for (const QString &k : handout)
        EXPECT_EQ(detailed.contains(k), functions.contains(k)) << k.toStdString();
    // The handout applies its " (default)" keys first.
    EXPECT_EQ(handout.first(), QStringLiteral("$#Tx Power Selection (default)"));
    EXPECT_TRUE(handout.contains(QStringLiteral("$#Accessory Jack")));
    EXPECT_TRUE(detailed.contains(QStringLiteral("$#Disable All LEDs")));

    for (ReportKind kind : {ReportKind::Handout, ReportKind::Detailed}) {
        QString html, expected;
        for (const LabelKey &k : LabelKeysOf(kind)) {
            html += QStringLiteral("<td>%1</td>").arg(QLatin1String(k.key));
            expected += QStringLiteral("<td>%1</td>").arg(LabelKeyText(k, QStringLiteral(",")));
        }
        ReplaceLabelKeys(html, kind, QStringLiteral(","));
        EXPECT_EQ(html, expected);
    }

    QString text = QStringLiteral("$#Scan List Member|$#30 min|$#30|$#12.5KHz|$#User selectable with 12.5 KHz as default|"
                                  "$#Disable All LEDs|$#Monitor|$#Frequency(Index)");
    ReplaceLabelKeys(text, ReportKind::Detailed, QStringLiteral(","));
    EXPECT_EQ(text, QStringLiteral("Scan List Members|30 min|30 min|12,5 KHz|User selectable with 12,5 KHz as default|"
                                   "Disable All LEDs|Monitor|Frequency(Index)"));
    QString handoutText = QStringLiteral("$#Monitor (default)|$#Monitor|$#Model Number|$#Model");
    ReplaceLabelKeys(handoutText, ReportKind::Handout, QStringLiteral("."));
    EXPECT_EQ(handoutText, QStringLiteral("Monitor (default)|Monitor|Model Number|Model"));
}

// The handout: dealer texts with "<", "&", quotes and line breaks appear as
// typed, with a line break per line; profile texts that look like markup,
// a label key or a placeholder appear as typed too.
TEST_F(ReportTest, HandoutFooterAndProfileTextsEscaped)
{
    const QString xml = LoadedProfile(QStringLiteral("OUD11602"),
                                      {{QStringLiteral("name=\"PMR 1\""), QStringLiteral("name=\"&lt;b&gt;&amp;\"")},
                                       {QStringLiteral("name=\"PMR 2\""), QStringLiteral("name=\"$#Name\"")}});
    DealerTexts dealer{QStringLiteral("A<B & \"C\"\r\nline 2"), QStringLiteral("$#Model"), QStringLiteral("x<BR>")};
    const QString html = GenerateHandoutHtml(xml, dealer, QStringLiteral("."));

    EXPECT_TRUE(html.contains(QStringLiteral("align=\"left\" valign=\"top\"><a name=\"dealer-left\">A&lt;B &amp; &quot;C&quot;<BR>line 2<BR></a></td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("align=\"center\" valign=\"top\"><a name=\"dealer-middle\">$#Model<BR></a></td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("align=\"right\" valign=\"top\"><a name=\"dealer-right\">x&lt;BR&gt;<BR></a></td>")));
    EXPECT_FALSE(html.contains(QLatin1String(kFooterPlaceholder)));
    EXPECT_TRUE(html.contains(QStringLiteral("<td class=\"ItemVal\">&lt;b&gt;&amp;</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td class=\"ItemVal\">$#Name</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>&")));
    // A display model: its family's picture, its button defaults marked.
    EXPECT_TRUE(html.contains(QStringLiteral("src=\"data:image/png;base64,")));
    EXPECT_FALSE(html.contains(QStringLiteral("Rotary.jpg")));
    EXPECT_TRUE(html.contains(QStringLiteral("Monitor (default)")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td class=\"ItemVal\" width=\"30%\">Olvan</td>")));
    // Only the texts typed with it: the dealer's, the channel's name and
    // the preset that names that channel.
    EXPECT_EQ(html.count(QStringLiteral("$#")), 3);
}

// The detailed report of a profile whose limit also holds separate receive
// and transmit ranges shows the common range, with the language's decimal
// separator in every number, tone codes as texts and the scan list rows.
TEST_F(ReportTest, DetailedReportShowsCommonRange)
{
    const QString xml = LoadedProfile(
        QStringLiteral("OUD11602"),
        {{QStringLiteral("rx_start_freq=\"446000000\" rx_end_freq=\"446200000\" tx_start_freq=\"446000000\" "
                         "tx_end_freq=\"446200000\""),
          QStringLiteral("rx_start_freq=\"430000000\" rx_end_freq=\"440000000\" tx_start_freq=\"450000000\" "
                         "tx_end_freq=\"470000000\"")},
         {QStringLiteral("rx_code=\"0\""), QStringLiteral("rx_code=\"1\"")},
         {QStringLiteral("name=\"PMR 3\""), QStringLiteral("name=\"A&amp;B\"")}});
    const QString html = GenerateDetailedHtml(xml, QStringLiteral(","));

    EXPECT_TRUE(html.contains(QStringLiteral("Rx Frequency Range (MHz)</td><td class=\"ItemVal\">446,000000 - 446,200000")));
    EXPECT_TRUE(html.contains(QStringLiteral("Tx Frequency Range (MHz)</td><td class=\"ItemVal\">446,000000 - 446,200000")));
    EXPECT_FALSE(html.contains(QStringLiteral("430,0")));
    EXPECT_FALSE(html.contains(QStringLiteral("Out of range"))) << "every channel is inside the common range";
    EXPECT_TRUE(html.contains(QStringLiteral("446,006250 (1)<br>1 - 67,0 Hz<br>12,5</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("446,006250 (1)")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td>A&amp;B</td>")));
    EXPECT_FALSE(html.contains(QLatin1String(kRowPlaceholder)));
    EXPECT_TRUE(html.contains(QStringLiteral("<tr><td width=\"25%\">PMR 1</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("$#")));
    EXPECT_FALSE(html.contains(QStringLiteral("NaN")));
}

// File names follow the language and the code page; a report is written as
// UTF-16 with its terminating zero into the installation, or, when that
// cannot be written, into the cache folder with the report images beside
// it, without asking; when neither can be written, 420.
TEST_F(ReportTest, ReportFileAndCacheFallback)
{
    EXPECT_EQ(ReportFileName(ReportKind::Handout, QStringLiteral("German"), "CP1251"), QStringLiteral("Customer Handout.htm"));
    EXPECT_EQ(ReportFileName(ReportKind::Detailed, QStringLiteral("German"), "CP1252"), LoadString(322) + ".htm");
    EXPECT_EQ(ReportFileName(ReportKind::Detailed, QStringLiteral("Russian"), "CP1251"), LoadString(322) + ".htm");
    EXPECT_EQ(ReportFileName(ReportKind::Detailed, QString(), "CP1252"), QStringLiteral("Detailed Report.htm"));

    const QString xml = LoadedProfile(QStringLiteral("OUR10802"));
    ReportOutput out;
    ASSERT_TRUE(MakeReport(ReportKind::Detailed, xml, out));
    EXPECT_EQ(QDir(out.folder), QDir(m_install + QStringLiteral("/Report")));
    const QByteArray bytes = ReadFileBytes(out.path);
    ASSERT_GT(bytes.size(), 100);
    EXPECT_TRUE(bytes.startsWith("\xFF\xFE"));
    EXPECT_TRUE(bytes.endsWith(QByteArray("\0\0", 2)));
    EXPECT_EQ(bytes.size() % 2, 0);
    EXPECT_TRUE(ReportFileText(bytes).startsWith(QStringLiteral("<!DOCTYPE html")));

    // The installation's report folder cannot take the file: a folder of
    // that name stands in its way (root writes anywhere), and the folder is
    // read-only for everyone else.
    const QString report = m_install + QStringLiteral("/Report");
    ASSERT_TRUE(QDir().mkpath(report + QStringLiteral("/Customer Handout.htm")));
    QFile::setPermissions(report, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    m_sink.clear();
    ASSERT_TRUE(MakeReport(ReportKind::Handout, LoadedProfile(QStringLiteral("OUR10802")), out));
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    EXPECT_TRUE(cache.startsWith(m_dir.path()));
    EXPECT_EQ(out.path, QDir(cache).filePath(QStringLiteral("Customer Handout.htm")));
    EXPECT_FALSE(out.displayModel);
    EXPECT_TRUE(m_sink.shown().empty()) << "a read-only installation is no question";
    EXPECT_TRUE(ReportFileText(ReadFileBytes(out.path)).contains(QStringLiteral("HandoutHeader.jpg")));
    const QStringList images = QDir(report).entryList({QStringLiteral("*.jpg")}, QDir::Files);
    EXPECT_EQ(images.size(), 15);
    for (const QString &image : images)
        EXPECT_EQ(ReadFileBytes(QDir(cache).filePath(image)), ReadFileBytes(QDir(report).filePath(image)))
            << image.toStdString();

    // Neither folder can be written: the cache home is a file.
    WriteFileBytes(m_dir.filePath(QStringLiteral("blocked")), "x");
    qputenv("XDG_CACHE_HOME", m_dir.filePath(QStringLiteral("blocked")).toLocal8Bit());
    m_sink.clear();
    EXPECT_FALSE(MakeReport(ReportKind::Handout, xml, out));
    EXPECT_EQ(m_sink.last(), LoadString(420));
    QFile::setPermissions(report, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // A missing or broken style sheet is 315, and no report.
    QFile::remove(report + QStringLiteral("/Detailed.xsl"));
    m_sink.clear();
    EXPECT_FALSE(MakeReport(ReportKind::Detailed, xml, out));
    EXPECT_EQ(m_sink.last(), LoadString(315));
    WriteFileBytes(report + QStringLiteral("/Handout.xsl"), "<?xml version=\"1.0\"?><xsl:stylesheet version=\"1.0\"");
    m_sink.clear();
    EXPECT_FALSE(MakeReport(ReportKind::Handout, xml, out));
    EXPECT_EQ(m_sink.last(), LoadString(315));
}

namespace {

// The captions of the detailed report's channel table header.
QString ChannelHeader(const QString &html)
{
    const qsizetype from = html.indexOf(QStringLiteral("<thead>"));
    const qsizetype to = html.indexOf(QStringLiteral("</thead>"), from);
    return from < 0 || to < 0 ? QString() : html.mid(from, to - from);
}

} // namespace

// The channel table has the columns the channel page shows for the model
// and profile, under the page's captions: the PMR446 templates (no
// repeater, no power choice) one Receive/Transmit column with neither
// Talkaround Power, Repeater nor Repeater Power; a model with a repeater
// both columns and both powers; no Auto Scan without the scan feature; no
// Scramble without the scramble feature. The Radio Information rows are
// the page's: one "Frequency Range (MHz)" on a rotary model.
TEST_F(ReportTest, ChannelColumnsAreThoseOfTheChannelPage)
{
    const QString receiveTransmit = LoadString(232) + QLatin1Char('/') + LoadString(236);
    for (const char *model : {"OUR10802", "PUR10802", "TUR10802", "ZUR10802", "OUD11602", "PUD11602", "SUD11602", "TUD11602"}) {
        SCOPED_TRACE(model);
        const QString html = GenerateDetailedHtml(LoadedProfile(QLatin1String(model)), QStringLiteral("."));
        const QString header = ChannelHeader(html);
        ASSERT_FALSE(header.isEmpty());
        EXPECT_TRUE(header.contains(receiveTransmit));
        EXPECT_TRUE(header.contains(LoadString(233))) << "Frequency (MHz)";
        for (int hidden : {398, 238, 241})
            EXPECT_FALSE(header.contains(QStringLiteral(">%1<").arg(LoadString(hidden)))) << hidden;
        const bool display = QLatin1String(model).at(2) == QLatin1Char('D');
        EXPECT_EQ(html.contains(QLatin1Char('>') + LoadString(156) + QStringLiteral("</td>")), !display)
            << "one range on a rotary model";
        EXPECT_EQ(html.contains(QLatin1Char('>') + LoadString(490) + QStringLiteral("</td>")), display);
    }

    // A model with a repeater and a power choice: both columns, both powers.
    const QString repeater = GenerateDetailedHtml(LoadedProfile(QStringLiteral("ZVR51622")), QStringLiteral("."));
    const QString header = ChannelHeader(repeater);
    for (int shown : {232, 236, 398, 241, 238, 237, 239})
        EXPECT_TRUE(header.contains(LoadString(shown))) << shown;
    EXPECT_FALSE(header.contains(receiveTransmit));

    // Scan and scramble switched off: their columns go.
    const QString off = GenerateDetailedHtml(
        LoadedProfile(QStringLiteral("OUR10802"), {{QStringLiteral("disable_scan_mode=\"0\""), QStringLiteral("disable_scan_mode=\"1\"")},
                                                   {QStringLiteral("disable_scramble_feature=\"0\""),
                                                    QStringLiteral("disable_scramble_feature=\"1\"")}}),
        QStringLiteral("."));
    EXPECT_FALSE(ChannelHeader(off).contains(LoadString(239)));
    EXPECT_FALSE(ChannelHeader(off).contains(LoadString(237)));
}

// A channel whose frequency slot holds nothing, or a frequency outside the
// model's range, shows "Out of range" as the channel page does; a dealer
// text holding "%s" stays as typed, and the other texts keep their places.
TEST_F(ReportTest, OutOfRangeSlotsAndDealerTextsAsText)
{
    QString text = LoadedProfile(QStringLiteral("OUR10802"));
    text.replace(text.indexOf(QStringLiteral("freq=\"446031250\"")), 16, QStringLiteral("freq=\"0\""));
    text.replace(text.indexOf(QStringLiteral("freq=\"446043750\"")), 16, QStringLiteral("freq=\"999000000\""));
    const QString html = GenerateDetailedHtml(text, QStringLiteral("."));
    EXPECT_EQ(html.count(QStringLiteral("<td>") + LoadString(510) + QStringLiteral("<br>")), 2) << "channels 3 and 4";
    EXPECT_FALSE(html.contains(QStringLiteral("(3)")));

    const DealerTexts dealer{QStringLiteral("10Tel %s 0123"), QStringLiteral("%s%s"), QStringLiteral("off batteries")};
    const QString handout = GenerateHandoutHtml(LoadedProfile(QStringLiteral("OUR10802")), dealer, QStringLiteral("."));
    EXPECT_TRUE(handout.contains(QStringLiteral("\"dealer-left\">10Tel %s 0123<BR></a>")));
    EXPECT_TRUE(handout.contains(QStringLiteral("\"dealer-middle\">%s%s<BR></a>")));
    EXPECT_TRUE(handout.contains(QStringLiteral("\"dealer-right\">off batteries<BR></a>")));
    const QString detailed = GenerateDetailedHtml(LoadedProfile(QStringLiteral("OUR10802")), QStringLiteral("."), dealer);
    EXPECT_TRUE(detailed.contains(QStringLiteral("\"dealer-left\">10Tel %s 0123<BR></a>")));
    EXPECT_TRUE(detailed.contains(LoadString(265))) << "the dealer's block has its heading";
}

namespace {

// The handout's picture address and the text of its parts list.
QString PictureOf(const QString &html)
{
    static const QRegularExpression picture(QStringLiteral("src=\"(data:image/png;base64,[^\"]+)\""));
    return picture.match(html).captured(1);
}

} // namespace

// The handout shows the radio the customer holds: the family's own
// picture (another family, another picture; a missing one falls back to
// the generic picture), each programmable button under the Buttons page's
// name with its feature (a display model's buttons A, B and C among the
// numbered parts, a preset with its channel), the battery the settings
// select, serial number, firmware and date.
TEST_F(ReportTest, HandoutShowsTheRadioTheCustomerHolds)
{
    const DealerTexts dealer{QStringLiteral("Dealer"), QString(), QString()};
    const QString zerva = GenerateHandoutHtml(LoadedProfile(QStringLiteral("ZUR10802")), dealer, QStringLiteral("."));
    const QString olvan = GenerateHandoutHtml(LoadedProfile(QStringLiteral("OUR10802")), dealer, QStringLiteral("."));
    const QString picture = PictureOf(zerva);
    ASSERT_FALSE(picture.isEmpty());
    EXPECT_NE(picture, PictureOf(olvan));
    const QImage image = DataAddressImage(QUrl(picture)).value<QImage>();
    EXPECT_EQ(image.size(), QSize(220, 440));

    // Rotary: the top button under the page's name, the battery as set.
    EXPECT_TRUE(zerva.contains(QStringLiteral(">%1</td>").arg(LoadString(162)))) << "Button A";
    EXPECT_FALSE(zerva.contains(QStringLiteral("Up Button:")));
    EXPECT_TRUE(zerva.contains(LoadString(msg::ReportAlkalineBatteries))) << "the template is set for alkaline cells";
    const QString liIon = GenerateHandoutHtml(
        LoadedProfile(QStringLiteral("ZUR10802"), {{QStringLiteral("batteryType=\"0\""), QStringLiteral("batteryType=\"1\"")}}),
        dealer, QStringLiteral("."));
    EXPECT_TRUE(liIon.contains(LoadString(9426))) << "Li-Ion Battery Pack";
    EXPECT_FALSE(liIon.contains(LoadString(msg::ReportAlkalineBatteries)));
    for (const QString &text : {LoadString(153), QStringLiteral("000AAA0000"), LoadString(154), QStringLiteral("R02.01"),
                                LoadString(msg::ReportDate), QDate::currentDate().toString(Qt::ISODate)})
        EXPECT_TRUE(zerva.contains(text)) << text.toStdString();

    // Display: buttons A, B and C are parts 11 to 13 of the picture's list;
    // the presets name their channels.
    const QString display = GenerateHandoutHtml(LoadedProfile(QStringLiteral("OUD11602")), dealer, QStringLiteral("."));
    for (int n : {11, 12, 13})
        EXPECT_TRUE(display.contains(QStringLiteral("class=\"Num\">%1</td>").arg(n))) << n;
    EXPECT_TRUE(display.contains(QStringLiteral(">%1</td>").arg(LoadString(164)))) << "Button C";
    EXPECT_TRUE(display.contains(QStringLiteral("(default): PMR 1<"))) << "preset 1 names its channel";

    // Without the family's picture: the generic one.
    QFile::remove(m_install + QStringLiteral("/lib/zerva_rotary.png"));
    const QString generic = GenerateHandoutHtml(LoadedProfile(QStringLiteral("ZUR10802")), dealer, QStringLiteral("."));
    EXPECT_TRUE(generic.contains(QStringLiteral("src=\"Rotary.jpg\"")));
}
