#include "views/CChannelView.h"

#include "base/ProfileNames.h"
#include "ui_CChannelView.h"

#include "workflow/CTavoCPSDoc.h"
#include "base/CTavoCPSException.h"
#include "config/PageRows.h"
#include "config/Registry.h"
#include "config/SquelchCodes.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace tavo {

namespace {

constexpr int kOutOfRangeRole = Qt::UserRole + 1;
constexpr int kMaxFrequencies = 99;

// The position a frequency's mode forces or proposes in a two-entry list.
int ModePosition(int mode) { return (mode == 1 || mode == 3) ? 1 : 0; }
bool ModeSelectable(int mode) { return mode == 2 || mode == 3; }

bool IsOutOfRangeEntry(const QComboBox *list, int position)
{
    return position >= 0 && list->itemData(position, kOutOfRangeRole).toBool();
}

// Entries of a frequency list that name a frequency in range.
int RealCount(const QComboBox *list)
{
    const int n = list->count();
    return n > 0 && IsOutOfRangeEntry(list, n - 1) ? n - 1 : n;
}

void DropOutOfRangeEntry(QComboBox *list)
{
    const int last = list->count() - 1;
    if (IsOutOfRangeEntry(list, last) && list->currentIndex() != last) {
        const QSignalBlocker block(list);
        list->removeItem(last);
    }
}

void SelectQuietly(QComboBox *list, int position)
{
    const QSignalBlocker block(list);
    list->setCurrentIndex(position);
}

} // namespace

CChannelView::CChannelView(QWidget *parent) : CBaseView(PageChannel, parent), m_ui(new Ui::CChannelView)
{
    auto *form = new QWidget;
    m_ui->setupUi(form);
    SetForm(form);
    // Wide enough for a whole frequency and code text. The lists hold a
    // hundred entries or more, each measured whenever the page is built:
    // digits and Latin letters, laid out without the shaping engine.
    for (QComboBox *list : {m_ui->rxFrequencyList, m_ui->txFrequencyList, m_ui->rxCodeList, m_ui->txCodeList}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        list->setMinimumWidth(150);
        QFont font = list->font();
        font.setKerning(false);
        font.setStyleStrategy(QFont::PreferNoShaping);
        list->setFont(font);
    }
    for (QComboBox *list : {m_ui->rxBandwidthList, m_ui->txBandwidthList, m_ui->talkaroundPowerList, m_ui->repeaterPowerList, m_ui->scrambleList})
        list->setMinimumWidth(150);
    QPalette red = m_ui->rxHighPowerNote->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_ui->rxHighPowerNote->setPalette(red);

    connect(m_ui->rxFrequencyList, &QComboBox::activated, this, [this](int i) { OnFrequencyChosen(Rx, i); });
    connect(m_ui->txFrequencyList, &QComboBox::activated, this, [this](int i) { OnFrequencyChosen(Tx, i); });
    connect(m_ui->rxBandwidthList, &QComboBox::activated, this, [this] { OnListChosen(m_ui->rxBandwidthList, names::kRxBw, m_ui->txBandwidthList, names::kTxBw); });
    connect(m_ui->talkaroundPowerList, &QComboBox::activated, this,
            [this] { OnListChosen(m_ui->talkaroundPowerList, names::kTalkaroundPower, m_ui->repeaterPowerList, names::kRepeaterPower); });
    connect(m_ui->rxCodeList, &QComboBox::activated, this, [this] { OnListChosen(m_ui->rxCodeList, names::kRxCode, m_ui->txCodeList, names::kTxCode); });
    connect(m_ui->txBandwidthList, &QComboBox::activated, this, [this] { OnListChosen(m_ui->txBandwidthList, names::kTxBw, nullptr, nullptr); });
    connect(m_ui->repeaterPowerList, &QComboBox::activated, this, [this] { OnListChosen(m_ui->repeaterPowerList, names::kRepeaterPower, nullptr, nullptr); });
    connect(m_ui->txCodeList, &QComboBox::activated, this, [this] { OnListChosen(m_ui->txCodeList, names::kTxCode, nullptr, nullptr); });
    connect(m_ui->scrambleList, &QComboBox::activated, this, [this] { OnListChosen(m_ui->scrambleList, names::kScrambleCode, nullptr, nullptr); });
    connect(m_ui->repeaterCheck, &QCheckBox::clicked, this, [this](bool on) {
        const CEditStep step(m_pDoc, msg::StepChangeChannel); // the flag and the transmit frequency it moves
        RepeaterToggle(on);
        m_ui->repeaterCheck->setChecked(Stored(names::kRepeater) != 0);
    });
    connect(m_ui->autoScanCheck, &QCheckBox::clicked, this, [this](bool on) {
        if (!WriteChannel(names::kAutoScan, on ? 1 : 0))
            m_ui->autoScanCheck->setChecked(Stored(names::kAutoScan) != 0);
    });
    // Opening a list that shows "Out of range" picks a real entry first.
    m_ui->rxFrequencyList->view()->installEventFilter(this);
    m_ui->txFrequencyList->view()->installEventFilter(this);
}

CChannelView::~CChannelView() = default;

void CChannelView::OnInitialUpdateDone()
{
    if (!m_pDoc)
        return;
    // A name changed elsewhere (the tree) is shown at once, so that a later
    // commit of this page does not write the old one back.
    connect(m_pDoc, &CTavoCPSDoc::attributeChanged, this, [this](QObject *origin, const QString &element, const QString &attribute) {
        if (origin == this || element != names::kChannel || attribute != names::kName)
            return;
        try {
            ShowNameAndTitle();
        } catch (CTavoCPSException &e) {
            e.AddTrace(QStringLiteral("Exception Catched"), "CChannelView::OnUpdate", __LINE__);
            ShowMessage(msg::PageLoadFailed, MB_OK | MB_ICONERROR);
        }
    });
}

CDataItem CChannelView::Channel() const
{
    CDataItem channels = m_rootItem.ChildByName(names::kChannels);
    CDataItem channel;
    channels.GetChildByIndex(ChannelIndex(), channel);
    return channel;
}

int CChannelView::Stored(const char *attribute) const
{
    const CDataItem channel = Channel();
    return channel.IsEmpty() ? 0 : channel.GetInt(QLatin1String(attribute));
}

int CChannelView::GetAttribute(const QString &element, const QString &attribute)
{
    try {
        return m_rootItem.ChildByName(element).GetInt(attribute);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CChannelView::GetAttribute", __LINE__);
        CTavoCPSDoc::ShowFailure(e);
        return 0;
    }
}

int CChannelView::FrequencyMode(int tableIndex, const char *attribute) const
{
    CDataItem frequencies = m_rootItem.ChildByName(names::kFrequencies);
    CDataItem entry;
    frequencies.GetChildByIndex(tableIndex, entry);
    return entry.IsEmpty() ? 2 : entry.GetInt(QLatin1String(attribute));
}

void CChannelView::ShowNameAndTitle()
{
    const QString name = Channel().GetText(names::kName);
    m_ui->nameEdit->setText(name);
    m_ui->titleLabel->setText(name + QStringLiteral(" (%1)").arg(ChannelIndex() + 1));
}

void CChannelView::AddComboListFreq(QComboBox *list, Direction direction)
{
    try {
        const QString separator = GetDecimalSeparator();
        CDataItem frequencies = m_rootItem.ChildByName(names::kFrequencies);
        const int count = qMin(frequencies.GetChildCount(), kMaxFrequencies);
        std::vector<int> &map = m_maps[direction];
        map.assign(count, -1);
        const QSignalBlocker block(list);
        list->clear();
        for (int i = 0; i < count; ++i) {
            CDataItem entry;
            frequencies.GetChildByIndex(i, entry);
            const qint64 hz = entry.GetText(names::kFreq).toLongLong();
            if (hz < m_nStartFreq || hz > m_nEndFreq)
                continue;
            map[i] = list->count();
            list->addItem(QString::asprintf("%d - %.6f", i + 1, hz * 1e-6).replace(QLatin1Char('.'), separator), i);
        }
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CChannelView::AddComboListFreq", __LINE__);
        throw;
    }
}

void CChannelView::AddComboListDCSCode(QComboBox *list)
{
    try {
        CDataItem setting = m_rootItem.ChildByName(names::kSetting);
        const int maxCodes = GetAttribute(names::kLimit, names::kMaxCodes);
        const QStringList codes =
            SquelchCodeList(maxCodes, [&](const QString &attribute) { return setting.GetText(attribute); }, GetDecimalSeparator());
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(codes);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CChannelView::AddComboListDCSCode", __LINE__);
        throw;
    }
}

void CChannelView::LoadRes()
{
    try {
        m_ui->nameEdit->setMaxLength(8);
        ShowNameAndTitle();
        struct Caption {
            QLabel *label;
            int textId;
        };
        for (const Caption &c : {Caption{m_ui->nameLabel, 429}, Caption{m_ui->receiveCaption, 232}, Caption{m_ui->rxFrequencyLabel, 233},
                                 Caption{m_ui->rxBandwidthLabel, 234}, Caption{m_ui->talkaroundPowerLabel, 398}, Caption{m_ui->rxCodeLabel, 235},
                                 Caption{m_ui->rxHighPowerNote, 515}, Caption{m_ui->transmitCaption, 236}, Caption{m_ui->txFrequencyLabel, 233},
                                 Caption{m_ui->txBandwidthLabel, 234}, Caption{m_ui->repeaterPowerLabel, 241}, Caption{m_ui->txCodeLabel, 235},
                                 Caption{m_ui->txHighPowerNote, 515}, Caption{m_ui->scrambleLabel, 237}, Caption{m_ui->repeaterLabel, 238},
                                 Caption{m_ui->talkaroundNote, 400}, Caption{m_ui->autoScanLabel, 239}}) {
            c.label->setText(LoadString(c.textId));
            if (c.label->buddy())
                c.label->buddy()->setAccessibleName(c.label->text());
        }
        m_nStartFreq = GetAttribute(names::kLimit, names::kStartFreq);
        m_nEndFreq = GetAttribute(names::kLimit, names::kEndFreq);
        AddComboListFreq(m_ui->rxFrequencyList, Rx);
        AddComboListFreq(m_ui->txFrequencyList, Tx);
        const QString separator = GetDecimalSeparator();
        for (QComboBox *list : {m_ui->rxBandwidthList, m_ui->txBandwidthList}) {
            list->clear();
            list->addItem(LoadString(msg::TextBandwidthNarrow).replace(QLatin1Char('.'), separator));
            list->addItem(LoadString(msg::TextBandwidthWide).replace(QLatin1Char('.'), separator));
        }
        // Channel powers as the rules store them: 0 high, 1 low.
        for (QComboBox *list : {m_ui->talkaroundPowerList, m_ui->repeaterPowerList}) {
            list->clear();
            list->addItem(LoadString(msg::TextHigh));
            list->addItem(LoadString(msg::TextLow));
        }
        AddComboListDCSCode(m_ui->rxCodeList);
        AddComboListDCSCode(m_ui->txCodeList);
        m_ui->scrambleList->clear();
        for (int id : {193, 194, 195, 196})
            m_ui->scrambleList->addItem(LoadString(id));
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CChannelView::LoadRes", __LINE__);
        ShowMessage(msg::PageLoadFailed, MB_OK | MB_ICONERROR);
    }
}

void CChannelView::LoadData()
{
    ApplyVisibility(QStringLiteral("Channel"));
    // The feature flags of the model hide whole rows before the values are set.
    auto hide = [this](std::initializer_list<int> ids) {
        for (int id : ids)
            if (QWidget *w = Control(id))
                w->hide();
    };
    const ChannelFeatures features = ChannelPageFeatures(
        [this](const char *name) { return GetAttribute(names::kLimit, QLatin1String(name)); });
    // Without a power choice the high-power notes say nothing to the user.
    if (!features.power)
        hide({1030, 1021, 1031, 1028, 1086, 1087});
    if (!features.scramble)
        hide({1005, 1023});
    if (!features.repeater)
        hide({1006, 1024, 1076});
    if (!features.scan)
        hide({1007, 1027});
    if (m_ui->repeaterCheck->isHidden()) {
        // No repeater: one column that sets receive and transmit alike.
        m_ui->receiveCaption->setText(LoadString(msg::ChannelReceive) + QLatin1Char('/') + LoadString(msg::ChannelTransmit));
        m_ui->talkaroundPowerLabel->setText(LoadString(msg::ChannelTransmitPower));
        m_ui->talkaroundPowerList->setAccessibleName(m_ui->talkaroundPowerLabel->text());
        hide({1113, 1115, 1025, 1017, 1026, 1020, 1087, 1030, 1021, 1029, 1022});
    }
    SetDefaultValue();
    SetEnableDisable();
    if (!m_bLoaded)
        OnInitialUpdateDone();
    m_bLoaded = true;
}

void CChannelView::SelectFrequency(Direction direction, int tableIndex)
{
    QComboBox *list = direction == Rx ? m_ui->rxFrequencyList : m_ui->txFrequencyList;
    const std::vector<int> &map = m_maps[direction];
    const QSignalBlocker block(list);
    const int last = list->count() - 1;
    if (IsOutOfRangeEntry(list, last))
        list->removeItem(last);
    if (tableIndex >= 0 && tableIndex < int(map.size()) && map[tableIndex] >= 0) {
        list->setCurrentIndex(map[tableIndex]);
        return;
    }
    list->addItem(LoadString(msg::TextOutOfRange), tableIndex);
    list->setItemData(list->count() - 1, true, kOutOfRangeRole);
    list->setCurrentIndex(list->count() - 1);
}

void CChannelView::SetRXandTXData()
{
    try {
        const CDataItem channel = Channel();
        SelectFrequency(Rx, channel.GetInt(names::kRxFreqNdx));
        SelectFrequency(Tx, channel.GetInt(names::kTxFreqNdx));
        SelectQuietly(m_ui->rxBandwidthList, channel.GetInt(names::kRxBw) ? 1 : 0);
        SelectQuietly(m_ui->txBandwidthList, channel.GetInt(names::kTxBw) ? 1 : 0);
        SelectQuietly(m_ui->talkaroundPowerList, channel.GetInt(names::kTalkaroundPower) ? 1 : 0);
        SelectQuietly(m_ui->repeaterPowerList, channel.GetInt(names::kRepeaterPower) ? 1 : 0);
        SelectQuietly(m_ui->rxCodeList, channel.GetInt(names::kRxCode));
        SelectQuietly(m_ui->txCodeList, channel.GetInt(names::kTxCode));
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CChannelView::SetRXandTXData", __LINE__);
        throw;
    }
}

void CChannelView::SetDefaultValue()
{
    try {
        SetRXandTXData();
        const CDataItem channel = Channel();
        SelectQuietly(m_ui->scrambleList, channel.GetInt(names::kScrambleCode));
        // A repeater on one frequency (or on a radio without one) shows as
        // off; the profile itself was corrected when it was loaded.
        const bool repeater = channel.GetInt(names::kRepeater) != 0 && !m_ui->repeaterCheck->isHidden()
            && channel.GetInt(names::kRxFreqNdx) != channel.GetInt(names::kTxFreqNdx);
        m_ui->repeaterCheck->setChecked(repeater);
        UpdateTransmitColumn(repeater);
        m_ui->talkaroundNote->setVisible(!repeater && !m_ui->repeaterCheck->isHidden());
        m_ui->autoScanCheck->setChecked(channel.GetInt(names::kAutoScan) != 0);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CChannelView::SetDefaultValue", __LINE__);
        ShowMessage(msg::PageLoadFailed, MB_OK | MB_ICONERROR);
    }
}

void CChannelView::SetEnableDisable()
{
    try {
        const int rx = Stored(names::kRxFreqNdx), tx = Stored(names::kTxFreqNdx);
        m_ui->repeaterCheck->setEnabled(!(rx == tx && RealCount(m_ui->txFrequencyList) == 1));
        const int rxBw = FrequencyMode(rx, names::kBandwidth), rxPower = FrequencyMode(rx, names::kPowerLevel);
        m_ui->rxBandwidthList->setEnabled(ModeSelectable(rxBw));
        if (!m_ui->talkaroundPowerList->isHidden())
            m_ui->talkaroundPowerList->setEnabled(ModeSelectable(rxPower));
        UpdateTransmitColumn(m_ui->repeaterCheck->isChecked());
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Catched"), "CChannelView::SetEnableDisable", __LINE__);
        ShowMessage(msg::PageLoadFailed, MB_OK | MB_ICONERROR);
    }
}

void CChannelView::UpdateTransmitColumn(bool on)
{
    const int tx = Stored(names::kTxFreqNdx);
    for (QWidget *w : std::initializer_list<QWidget *>{m_ui->txFrequencyList, m_ui->txCodeList, m_ui->txFrequencyLabel, m_ui->txBandwidthLabel,
                                                       m_ui->repeaterPowerLabel, m_ui->txCodeLabel})
        w->setEnabled(on);
    m_ui->txBandwidthList->setEnabled(on && ModeSelectable(FrequencyMode(tx, names::kBandwidth)));
    m_ui->repeaterPowerList->setEnabled(on && ModeSelectable(FrequencyMode(tx, names::kPowerLevel)));
}

bool CChannelView::WriteChannel(const QString &attribute, int value)
{
    if (!m_pDoc)
        return false;
    try {
        CDataItem channel = Channel();
        if (channel.GetInt(attribute) == value)
            return true;
        return ChangeAttribute(channel, attribute, value, kRulesMessageOnly);
    } catch (const CTavoCPSException &e) {
        CTavoCPSDoc::ShowFailure(e);
    }
    return false;
}

void CChannelView::OnListChosen(QComboBox *list, const char *attribute, QComboBox *twin, const char *twinAttribute)
{
    // The hidden transmit twin is part of the same choice.
    const CEditStep step(m_pDoc, msg::StepChangeChannel);
    const int position = list->currentIndex();
    if (!WriteChannel(QLatin1String(attribute), position)) {
        SelectQuietly(list, Stored(attribute) ? (list->count() > 2 ? Stored(attribute) : 1) : 0);
        return;
    }
    // Without a transmit column the transmit twin follows the receive value.
    if (twin && twin->isHidden()) {
        SelectQuietly(twin, position);
        WriteChannel(QLatin1String(twinAttribute), position);
    }
}

bool CChannelView::ApplyFrequency(Direction direction, int tableIndex)
{
    const bool rx = direction == Rx;
    if (Stored(rx ? names::kRxFreqNdx : names::kTxFreqNdx) == tableIndex)
        return true;
    if (rx && m_ui->txFrequencyList->isHidden()) {
        SelectFrequency(Tx, tableIndex);
        ApplyFrequency(Tx, tableIndex);
    }
    QComboBox *bandwidth = rx ? m_ui->rxBandwidthList : m_ui->txBandwidthList;
    QComboBox *power = rx ? m_ui->talkaroundPowerList : m_ui->repeaterPowerList;
    const int bwMode = FrequencyMode(tableIndex, names::kBandwidth);
    const int powerMode = FrequencyMode(tableIndex, names::kPowerLevel);
    const bool bwChanged = bandwidth->currentIndex() != ModePosition(bwMode);
    SelectQuietly(bandwidth, ModePosition(bwMode));
    bandwidth->setEnabled(ModeSelectable(bwMode) && (rx || m_ui->repeaterCheck->isChecked()));
    bool powerChanged = false;
    if (!power->isHidden()) {
        powerChanged = power->currentIndex() != ModePosition(powerMode);
        SelectQuietly(power, ModePosition(powerMode));
        power->setEnabled(ModeSelectable(powerMode) && (rx || m_ui->repeaterCheck->isChecked()));
    }
    bool ok = true;
    if (bwChanged)
        ok = WriteChannel(QLatin1String(rx ? names::kRxBw : names::kTxBw), ModePosition(bwMode)) && ok;
    if (powerChanged)
        ok = WriteChannel(QLatin1String(rx ? names::kTalkaroundPower : names::kRepeaterPower), ModePosition(powerMode)) && ok;
    ok = WriteChannel(QLatin1String(rx ? names::kRxFreqNdx : names::kTxFreqNdx), tableIndex) && ok;
    if (!ok)
        SetRXandTXData(); // show what is stored
    return ok;
}

int CChannelView::NextTransmitPosition() const
{
    const int count = RealCount(m_ui->txFrequencyList);
    if (count == 0)
        return -1;
    const int current = m_ui->txFrequencyList->currentIndex();
    return current + 1 < count && current >= 0 ? current + 1 : 0;
}

void CChannelView::OnFrequencyChosen(Direction direction, int position)
{
    // The frequency, the bandwidth and power it brings, the hidden transmit
    // twin and a transmit frequency moved off the receive one: one step.
    const CEditStep step(m_pDoc, msg::StepChangeChannel);
    QComboBox *list = direction == Rx ? m_ui->rxFrequencyList : m_ui->txFrequencyList;
    if (IsOutOfRangeEntry(list, position))
        return;
    DropOutOfRangeEntry(list);
    const int index = list->itemData(position).toInt();
    const bool repeaterOn = !m_ui->repeaterCheck->isHidden() && m_ui->repeaterCheck->isChecked();
    const bool several = RealCount(m_ui->txFrequencyList) > 1;
    if (direction == Rx) {
        if (!ApplyFrequency(Rx, index))
            return;
        if (several && repeaterOn && index == Stored(names::kTxFreqNdx)) {
            ShowMessage(msg::TransmitSameAsReceive, MB_OK | MB_ICONWARNING);
            const int next = NextTransmitPosition();
            SelectQuietly(m_ui->txFrequencyList, next);
            DropOutOfRangeEntry(m_ui->txFrequencyList);
            ApplyFrequency(Tx, m_ui->txFrequencyList->itemData(next).toInt());
        } else {
            EqualityCheck();
        }
        return;
    }
    bool moved = false;
    int chosen = index;
    if (several && repeaterOn && index == Stored(names::kRxFreqNdx)) {
        ShowMessage(msg::TransmitSameAsReceive, MB_OK | MB_ICONWARNING);
        const int next = NextTransmitPosition();
        SelectQuietly(m_ui->txFrequencyList, next);
        chosen = m_ui->txFrequencyList->itemData(next).toInt();
        moved = true;
    }
    if (ApplyFrequency(Tx, chosen) && !moved)
        EqualityCheck();
}

void CChannelView::OnDropDown(Direction direction)
{
    QComboBox *list = direction == Rx ? m_ui->rxFrequencyList : m_ui->txFrequencyList;
    if (!IsOutOfRangeEntry(list, list->currentIndex()) || RealCount(list) == 0)
        return;
    const int other = Stored(direction == Rx ? names::kTxFreqNdx : names::kRxFreqNdx);
    int position = 0;
    if (list->itemData(0).toInt() == other && RealCount(list) > 1)
        position = 1;
    SelectQuietly(list, position);
    OnFrequencyChosen(direction, position);
}

void CChannelView::EqualityCheck()
{
    const bool equal = Stored(names::kRxFreqNdx) == Stored(names::kTxFreqNdx);
    if (equal && m_ui->repeaterCheck->isChecked()) {
        m_ui->repeaterCheck->setChecked(false);
        RepeaterToggle(false);
    } else if (equal && !m_ui->repeaterCheck->isHidden()) {
        RepeaterToggle(false);
    }
    m_ui->repeaterCheck->setEnabled(!(equal && RealCount(m_ui->txFrequencyList) == 1));
}

void CChannelView::RepeaterToggle(bool on)
{
    m_ui->talkaroundNote->setVisible(!on && !m_ui->repeaterCheck->isHidden());
    if (!WriteChannel(names::kRepeater, on ? 1 : 0))
        on = Stored(names::kRepeater) != 0;
    m_ui->repeaterCheck->setChecked(on);
    if (on && Stored(names::kRxFreqNdx) == Stored(names::kTxFreqNdx)) {
        const int next = NextTransmitPosition();
        if (next >= 0) {
            SelectQuietly(m_ui->txFrequencyList, next);
            DropOutOfRangeEntry(m_ui->txFrequencyList);
            ApplyFrequency(Tx, m_ui->txFrequencyList->itemData(next).toInt());
        }
    }
    UpdateTransmitColumn(on);
}

bool CChannelView::CommitName(bool forced)
{
    if (!m_pDoc || !m_bLoaded)
        return true;
    if (!forced) {
        QWidget *to = QApplication::focusWidget();
        if (!to || (to != this && !isAncestorOf(to)))
            return true; // the frame commits before it switches pages
    }
    CDataItem channel = Channel();
    if (channel.IsEmpty())
        return true;
    const QString stored = channel.GetText(names::kName);
    const QString text = m_ui->nameEdit->text();
    if (text == stored)
        return true;
    const QString trimmed = text.trimmed();
    bool ok = false;
    if (!trimmed.isEmpty()) {
        ok = ChangeAttribute(channel, names::kName, trimmed, 261, true);
    }
    if (ok) {
        ShowNameAndTitle();
        if (m_pDoc)
            m_pDoc->UpdateAllViews(this, 3 | (PageChannel << 8) | (ChannelIndex() << 16));
        return true;
    }
    m_ui->nameEdit->setText(stored);
    QTimer::singleShot(0, this, [this] { OnRefocusRequest(0, 10); });
    return false;
}

bool CChannelView::CommitChanges() { return CommitName(true); }

void CChannelView::OnRefocusRequest(int, int reason)
{
    CBaseView::OnRefocusRequest(1085, reason);
}

bool CChannelView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && watched == m_ui->nameEdit)
        CommitName(false);
    else if (event->type() == QEvent::Show && watched == m_ui->rxFrequencyList->view())
        OnDropDown(Rx);
    else if (event->type() == QEvent::Show && watched == m_ui->txFrequencyList->view())
        OnDropDown(Tx);
    return CBaseView::eventFilter(watched, event);
}

void CChannelView::mousePressEvent(QMouseEvent *event)
{
    m_ui->titleLabel->setFocus(Qt::MouseFocusReason);
    CBaseView::mousePressEvent(event);
}

} // namespace tavo
