// The detailed report against the pages that edit its values: for every
// template, each row the General Settings, Audio Settings and Buttons pages
// show is in the report with the page's caption and the value as the page
// shows it, and each row the page hides is not in the report.

#include "PagesFixture.h"

#include "app/CChildFrame.h"
#include "config/PageRows.h"
#include "config/Registry.h"
#include "reports/ReportGenerator.h"
#include "workflow/CTavoCPSDoc.h"
#include "views/LayoutTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

using namespace tavo;
using namespace tavo::test;

namespace {

struct ShownRow {
    QString caption;
    QString value;
    bool shown;
};

// What a value control shows, in the words the report uses.
QString ShownValue(QWidget *control)
{
    if (auto *list = qobject_cast<QComboBox *>(control))
        return list->currentText();
    if (auto *box = qobject_cast<QCheckBox *>(control))
        return LoadString(box->isChecked() ? 9408 : 414); // "Enable" / "Disable"
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    return QString();
}

QString Escaped(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"));
}

} // namespace

TEST_F(FormPageTest, DetailedReportReadsEverySettingAsItsPage)
{
    ASSERT_TRUE(Start());
    const QStringList files = QDir(SourceInstall() + QStringLiteral("/profiletemplate")).entryList({QStringLiteral("*.kp2")});
    ASSERT_GE(files.size(), 10);
    for (const QString &file : files) {
        const QString model = QFileInfo(file).completeBaseName();
        SCOPED_TRACE(model.toStdString());
        CChildFrame *child = OpenEdited(model);
        ASSERT_NE(child, nullptr);

        std::vector<ShownRow> rows;
        auto read = [&](CBaseView *page, int labelId, int ctrlId) {
            QWidget *control = page->Control(ctrlId);
            auto *label = qobject_cast<QLabel *>(page->Control(labelId));
            ASSERT_NE(control, nullptr) << ctrlId;
            ASSERT_NE(label, nullptr) << labelId;
            rows.push_back({label->text(), ShownValue(control), !control->isHidden()});
        };
        auto *settings = Show<CBaseView>(child, PageSettings);
        for (const PageRow &row : SettingsPageRows())
            if (row.reported)
                read(settings, row.labelId, row.ctrlId);
        auto *audio = Show<CBaseView>(child, PageAudioSettings);
        for (const PageRow &row : AudioSettingsPageRows())
            read(audio, row.labelId, row.ctrlId);
        auto *buttons = Show<CBaseView>(child, PageButtons);
        for (const PageRow &row : ButtonsPageRows())
            read(buttons, row.labelId, row.ctrlId);
        for (const ButtonRow &b : kButtonRows)
            read(buttons, b.labelId, b.listId);
        for (const ButtonDependentRow &d : kButtonDependentRows)
            read(buttons, d.labelId, d.ctrlId);

        const QString html = GenerateDetailedHtml(child->Document()->Model().GetXmlText(), GetDecimalSeparator());
        int shown = 0;
        for (const ShownRow &row : rows) {
            const QString name = QStringLiteral("<td class=\"ItemName\" width=\"45%\">%1</td>").arg(Escaped(row.caption));
            if (row.shown) {
                ++shown;
                EXPECT_TRUE(html.contains(name + QStringLiteral("<td class=\"ItemVal\">%1</td>").arg(Escaped(row.value))))
                    << row.caption.toStdString() << " = " << row.value.toStdString();
            } else {
                EXPECT_FALSE(html.contains(name)) << row.caption.toStdString() << " is hidden on its page";
            }
        }
        EXPECT_GT(shown, 10);
        child->close();
        QApplication::processEvents();
    }
}
