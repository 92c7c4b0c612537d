#include "views/CRadioInfoView.h"

#include "config/PageRows.h"

#include "base/ProfileNames.h"
#include "ui_CRadioInfoView.h"

#include "base/CTavoCPSException.h"
#include "config/Registry.h"
#include "resources/MessageIds.h"
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
    return FormatFrequencyRange(startHz, endHz, separator);
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
        CDataItem factory = m_rootItem.ChildByName(names::kFactorySetting);
        CDataItem limit = m_rootItem.ChildByName(names::kLimit);
        auto set = [this](int id, const QString &text) {
            if (auto *edit = qobject_cast<QLineEdit *>(Control(id))) {
                edit->setText(text);
                // wide enough to show the whole value
                const int width = edit->fontMetrics().horizontalAdvance(text) + 24;
                edit->setMinimumWidth(qMax(edit->minimumWidth(), qMax(160, width)));
            }
        };
        const QString model = factory.GetText(names::kModel);
        set(1066, model.size() > 2 ? model.right(2) : model);
        set(1011, factory.GetText(names::kSerial));
        set(1012, FormatVersion(factory.GetText(names::kFirmwarePhase), factory.GetInt(names::kFirmwareVersion),
                                factory.GetInt(names::kFirmwareRevision)));
        set(1014, FormatVersion(factory.GetText(names::kCodeplugPhase), factory.GetInt(names::kCodeplugVersion),
                                factory.GetInt(names::kCodeplugDevVersion)));
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
        const QString commonRange = range(names::kStartFreq, names::kEndFreq, common);
        if (!Control(1015)->isHidden())
            set(1015, commonRange);
        if (!Control(1018)->isHidden()) {
            const QString text = range(names::kRxStartFreq, names::kRxEndFreq, rx);
            set(1018, rx ? text : commonRange);
        }
        if (!Control(1017)->isHidden()) {
            const QString text = range(names::kTxStartFreq, names::kTxEndFreq, tx);
            set(1017, tx ? text : commonRange);
        }
        set(1016, QString::number(limit.GetInt(names::kMaxChannels)));
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CRadioInfoView::LoadData", __LINE__);
        ShowMessage(msg::PageLoadFailed, MB_OK | MB_ICONERROR);
    }
}

} // namespace tavo
