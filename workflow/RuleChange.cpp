#include "workflow/RuleChange.h"

#include "profile/CRadioDataModel.h"
#include "resources/MessageSink.h"

namespace tavo {

RuleResult RunRuleChange(const RuleCall &change, const std::function<void(const RuleResult &)> &report)
{
    RuleResult r;
    r.code = change(0, r.msgId, r.msgStyle);
    if (report)
        report(r);
    if (r.code != RuleResult::Confirm)
        return r;
    const int answer = ShowMessage(r.msgId, static_cast<unsigned>(r.msgStyle));
    if (answer != IDYES)
        return r;
    r = RuleResult{};
    r.code = change(IDYES, r.msgId, r.msgStyle);
    if (report)
        report(r);
    return r;
}

bool FindProfileElement(const CRadioDataModel &model, const QString &path, CDataItem &item)
{
    item = model.m_rootItem;
    for (const QString &step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        CDataItem child;
        if (!item.FindChildByName(step, child))
            return false;
        item = child;
    }
    return !item.IsEmpty();
}

QVariant TypedAttributeValue(const CDataItem &item, const QString &attribute, const QString &text)
{
    QVariant current;
    item.GetAttributeValue(current, attribute);
    bool ok = false;
    switch (current.typeId()) {
    case QMetaType::Int: {
        const int n = text.toInt(&ok);
        return ok ? QVariant(n) : QVariant(text);
    }
    case QMetaType::UInt: {
        const uint n = text.toUInt(&ok);
        return ok ? QVariant(n) : QVariant(text);
    }
    case QMetaType::Bool:
        if (text == QLatin1String("1") || text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return QVariant(true);
        if (text == QLatin1String("0") || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return QVariant(false);
        return QVariant(text);
    default:
        return QVariant(text);
    }
}

} // namespace tavo
