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
#include "workflow/RuleChange.h"

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

void PrintResult(int result, int msgId)
{
    // A confirmation's question is put through the message sink: not twice.
    if (msgId != 0 && result == RuleResult::Confirm)
        std::printf("result %d, message %d\n", result, msgId);
    else if (msgId != 0)
        std::printf("result %d, message %d: %s\n", result, msgId, LoadString(msgId).toUtf8().constData());
    else
        std::printf("result %d\n", result);
    std::fflush(stdout);
}

// Saves in the form the file had: plain text stays plain XML, anything
// else is written as a scrambled profile file.
int Save(const QString &path, CRadioDataModel &model)
{
    QString invalid;
    if (!model.ValidateForSave(invalid))
        return Fail(invalid);
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

// Runs one rule-checked change, printing every answer of the rules.
int RunChange(const RuleCall &change)
{
    return RunRuleChange(change, [](const RuleResult &r) { PrintResult(r.code, r.msgId); }).code;
}

// Loads PROFILE (argument 0) and finds PATH (argument 1) in it; false with
// the reason shown.
bool LoadAndNavigate(const CliContext &ctx, CRadioDataModel &model, CDataItem &item)
{
    if (!LoadModel(ctx.args.at(0), model))
        return false;
    if (!FindProfileElement(model, ctx.args.at(1), item)) {
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
    const QVariant value = TypedAttributeValue(item, attribute, ctx.args.at(3));
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
