#include "views/CRadioInfoView.h"

#include "config/PageRows.h"

#include "ui_CRadioInfoView.h"

#include "base/CTavoCPSException.h"
#include "config/Registry.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

namespace tavo {

namespace {

struct InfoRow {
    int labelId;
    int textId;
};
constexpr InfoRow kLabels[] = {{1013, 151}, {1001, 152}, {1002, 153}, {1003, 154}, {1004, 155},
                               {1005, 156}, {1008, 490}, {1007, 489}, {1006, 157}};


} // namespace

CRadioInfoView::CRadioInfoView(QWidget *parent) : CBaseView(PageRadioInfo, parent), m_ui(new Ui::CRadioInfoView)
{
    auto *form = new QWidget;
    m_ui->setupUi(form);
    SetForm(form);
}

CRadioInfoView::~CRadioInfoView() = default;

QString CRadioInfoView::FormatRange(quint32 startHz, quint32 endHz, const QString &separator)
{
    QString text = QString::asprintf("%.6f - %.6f", startHz * 1e-6, endHz * 1e-6);
    return text.replace(QLatin1Char('.'), separator);
}

void CRadioInfoView::LoadRes()
{
    for (const InfoRow &row : kLabels)
        if (auto *label = qobject_cast<QLabel *>(Control(row.labelId)))
            label->setText(LoadString(row.textId));
    // Each value's accessible name is its label's caption.
    for (const InfoRow &row : kLabels)
        if (auto *label = qobject_cast<QLabel *>(Control(row.labelId)); label && label->buddy())
            label->buddy()->setAccessibleName(label->text());
}

void CRadioInfoView::LoadData()
{
    try {
        ApplyVisibility(QStringLiteral("RadioProfile"));
        CDataItem factory, limit;
        m_rootItem.GetChildByName(QStringLiteral("factory_setting"), factory);
        m_rootItem.GetChildByName(QStringLiteral("limit"), limit);
        auto set = [this](int id, const QString &text) {
            if (auto *edit = qobject_cast<QLineEdit *>(Control(id))) {
                edit->setText(text);
                // wide enough to show the whole value
                const int width = edit->fontMetrics().horizontalAdvance(text) + 24;
                edit->setMinimumWidth(qMax(edit->minimumWidth(), qMax(160, width)));
            }
        };
        const QString model = factory.GetText(QStringLiteral("model"));
        set(1066, model.size() > 2 ? model.right(2) : model);
        set(1011, factory.GetText(QStringLiteral("serial")));
        set(1012, FormatVersion(factory.GetText(QStringLiteral("firmware_phase")), factory.GetInt(QStringLiteral("firmware_version")),
                                factory.GetInt(QStringLiteral("firmware_revision"))));
        set(1014, FormatVersion(factory.GetText(QStringLiteral("codeplug_phase")), factory.GetInt(QStringLiteral("codeplug_version")),
                                factory.GetInt(QStringLiteral("codeplug_dev_version"))));
        const QString separator = GetDecimalSeparator();
        auto range = [&](const char *start, const char *end, bool &present) {
            present = false;
            // Display profiles read from a radio may lack the separate ranges.
            QString sa, sb;
            try {
                sa = limit.GetText(QLatin1String(start));
                sb = limit.GetText(QLatin1String(end));
            } catch (const CTavoCPSException &) {
                return QString();
            }
            if (sa.isEmpty() || sb.isEmpty())
                return QString();
            present = true;
            return FormatRange(sa.toUInt(), sb.toUInt(), separator);
        };
        bool common = false; bool rx = false, tx = false;
        const QString commonRange = range("start_freq", "end_freq", common);
        if (!Control(1015)->isHidden())
            set(1015, commonRange);
        if (!Control(1018)->isHidden()) {
            const QString text = range("rx_start_freq", "rx_end_freq", rx);
            set(1018, rx ? text : commonRange);
        }
        if (!Control(1017)->isHidden()) {
            const QString text = range("tx_start_freq", "tx_end_freq", tx);
            set(1017, tx ? text : commonRange);
        }
        set(1016, QString::number(limit.GetInt(QStringLiteral("maxChannels"))));
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CRadioInfoView::LoadData", __LINE__);
        ShowMessage(262, MB_OK | MB_ICONERROR);
    }
}

} // namespace tavo
