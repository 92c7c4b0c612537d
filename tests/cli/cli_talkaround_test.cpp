// A channel in talkaround as the command line reports and exports it: the
// radio sends with the receive settings, whatever transmit frequency and
// tone the profile keeps for when the repeater is turned on again.

#include "support/CliRunner.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavo;

TEST(CliTalkaround, ReportAndExportShowWhatTheChannelSends)
{
    QTemporaryDir dir;
    test::CliResult r = test::RunCli({QStringLiteral("decode"), QStringLiteral(TAVO_SOURCE_DIR "/install/profiletemplate/SUR41622.kp2")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QString xml = QString::fromUtf8(r.out);
    // Channel 1, repeater off, keeps transmit slot 4 and 88.5 Hz.
    const QRegularExpression first(QStringLiteral("<channel rx_freq_ndx=\"0\" rx_code=\"0\" tx_freq_ndx=\"0\" tx_code=\"0\""));
    ASSERT_TRUE(first.match(xml).hasMatch());
    xml.replace(first.match(xml).capturedStart(), first.match(xml).capturedLength(),
                QStringLiteral("<channel rx_freq_ndx=\"0\" rx_code=\"0\" tx_freq_ndx=\"3\" tx_code=\"8\""));
    const QString profile = dir.filePath(QStringLiteral("talkaround.xml"));
    {
        QFile f(profile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xml.toUtf8());
    }

    const QString report = dir.filePath(QStringLiteral("detailed.htm"));
    r = test::RunCli({QStringLiteral("report"), QStringLiteral("detailed"), profile, report});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile html(report);
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(html.readAll().constData()) + 1);
    text.replace(QRegularExpression(QStringLiteral("<[^>]*>")), QStringLiteral(" "));
    text = text.simplified();
    const int row = text.indexOf(QStringLiteral(" 1 CH 1 "));
    ASSERT_GE(row, 0) << text.toStdString();
    const QString channel = text.mid(row, text.indexOf(QStringLiteral(" 2 CH 2 ")) - row);
    EXPECT_FALSE(channel.contains(QStringLiteral("88.5"))) << channel.toStdString();
    EXPECT_FALSE(channel.contains(QStringLiteral("461.087500"))) << channel.toStdString();
    EXPECT_EQ(channel.count(QStringLiteral("461.012500 (1)")), 2) << "receive and transmit: " << channel.toStdString();

    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    r = test::RunCli({QStringLiteral("export-csv"), profile, csv});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile exported(csv);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QList<QByteArray> fields = exported.readAll().split('\n').at(1).split(',');
    ASSERT_GT(fields.size(), 5);
    EXPECT_EQ(fields.at(3), QByteArray()) << "simplex";
    EXPECT_EQ(fields.at(5), QByteArray()) << "no tone is sent";
}
