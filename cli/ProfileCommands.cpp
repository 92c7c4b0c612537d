// validate, set, add, delete: one profile loaded with its schema and rules,
// one change put to the rules, the file saved only when the rules accept.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "config/Registry.h"
#include "base/TemplateFile.h"
#include "profile/CRadioDataModel.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QFile>
#include <cstdio>

namespace tavo::cli {

namespace {

// Loads PROFILE (any stored form) into `model`; false with the reason shown.
bool LoadModel(const QString &path, CRadioDataModel &model)
{
    if (!QFile::exists(path)) {
        Fail(QStringLiteral("Cannot open the profile %1").arg(path));
        return false;
    }
    if (!model.LoadProfile(path, 1)) {
        Fail(QStringLiteral("The profile %1 was not loaded.").arg(path));
        return false;
    }
    return true;
}

// PATH below the root, e.g. "setting" or "channels/channel[3]".
bool Navigate(const CRadioDataModel &model, const QString &path, CDataItem &item)
{
    item = model.m_rootItem;
    for (const QString &step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        CDataItem child;
        item.GetChildByName(step, child);
        item = child;
    }
    return !item.IsEmpty();
}

// The requested value in the type the attribute holds now, so that digits
// meant as text (a password such as "0123") stay text.
QVariant TypedArgument(const CDataItem &item, const QString &attribute, const QString &text)
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

void PrintResult(int result, int msgId)
{
    if (msgId != 0)
        std::printf("result %d, message %d: %s\n", result, msgId, LoadString(msgId).toUtf8().constData());
    else
        std::printf("result %d\n", result);
    std::fflush(stdout);
}

// Saves in the form the file had: plain text stays plain XML, anything
// else is written as a scrambled profile file.
int Save(const QString &path, const CRadioDataModel &model)
{
    QFile in(path);
    QByteArray head;
    if (in.open(QIODevice::ReadOnly))
        head = in.read(5);
    const QString xml = model.GetXmlText();
    const QByteArray bytes = head.startsWith("<?xml") ? xml.toUtf8() : EncodeScrambledUtf16(xml);
    QString error;
    if (!WriteFileAtomically(path, bytes, error))
        return Fail(error);
    return ExitOk;
}

// Runs one rule-checked change; a question is put to the user and, on Yes,
// the change is repeated with that answer.
template <typename Change>
int RunChange(Change change)
{
    int msgId = 0, msgStyle = 0;
    int result = change(0, msgId, msgStyle);
    PrintResult(result, msgId);
    if (result == 2) {
        const int answer = ShowMessage(msgId, static_cast<unsigned>(msgStyle));
        if (answer != IDYES)
            return result;
        result = change(IDYES, msgId, msgStyle);
        PrintResult(result, msgId);
    }
    return result;
}

// Loads PROFILE (argument 0) and finds PATH (argument 1) in it; false with
// the reason shown.
bool LoadAndNavigate(const CliContext &ctx, CRadioDataModel &model, CDataItem &item)
{
    if (!LoadModel(ctx.args.at(0), model))
        return false;
    if (!Navigate(model, ctx.args.at(1), item)) {
        Fail(QStringLiteral("No element %1 in the profile.").arg(ctx.args.at(1)));
        return false;
    }
    return true;
}

int RunValidate(CliContext &ctx)
{
    CRadioDataModel model;
    if (!LoadModel(ctx.args.at(0), model))
        return ExitFailed;
    std::printf("%s: valid\n", ctx.args.at(0).toUtf8().constData());
    return ExitOk;
}

int RunSet(CliContext &ctx)
{
    CRadioDataModel model;
    CDataItem item;
    if (!LoadAndNavigate(ctx, model, item))
        return ExitFailed;
    const QString attribute = ctx.args.at(2);
    const QVariant value = TypedArgument(item, attribute, ctx.args.at(3));
    const int result = RunChange([&](int answer, int &msgId, int &msgStyle) {
        return item.SetAttributeValue(attribute, value, msgId, answer, msgStyle);
    });
    return result == 0 ? Save(ctx.args.at(0), model) : ExitFailed;
}

int RunAdd(CliContext &ctx)
{
    CRadioDataModel model;
    CDataItem item;
    if (!LoadAndNavigate(ctx, model, item))
        return ExitFailed;
    CDataItem added;
    if (!item.CanAddChild() || !item.AddNewChild(added)) {
        PrintResult(1, 0);
        return ExitFailed;
    }
    std::printf("result 0\nadded %s at index %d\n", added.NodeName().toUtf8().constData(), item.GetChildCount() - 1);
    return Save(ctx.args.at(0), model);
}

int RunDelete(CliContext &ctx)
{
    bool ok = false;
    const int index = ctx.args.at(2).toInt(&ok);
    if (!ok)
        return UsageError(ctx.command, QStringLiteral("INDEX must be a number"));
    CRadioDataModel model;
    CDataItem item;
    if (!LoadAndNavigate(ctx, model, item))
        return ExitFailed;
    const int result = RunChange([&](int answer, int &msgId, int &msgStyle) {
        return item.RemoveChildByIndex(index, msgId, answer, msgStyle);
    });
    return result == 0 ? Save(ctx.args.at(0), model) : ExitFailed;
}

const CliCommandRegistrar kValidate({"validate", "PROFILE", 1, 1, &RunValidate});
const CliCommandRegistrar kSet({"set", "PROFILE PATH ATTR VALUE [--answer yes|no]", 4, 4, &RunSet});
const CliCommandRegistrar kAdd({"add", "PROFILE PATH", 2, 2, &RunAdd});
const CliCommandRegistrar kDelete({"delete", "PROFILE PATH INDEX [--answer yes|no]", 3, 3, &RunDelete});

} // namespace
} // namespace tavo::cli
