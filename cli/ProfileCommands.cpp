// validate, set, add, delete: one profile opened in the document, one
// change put to the rules through it, the file saved only when the rules
// accept. Argument handling and printing are all that is left here.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "base/CTavoCPSException.h"
#include "profile/ProfileChecks.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "workflow/CTavoCPSDoc.h"
#include "workflow/RuleChange.h"

#include <libxml/tree.h>
#include <cstdio>

namespace tavo::cli {

namespace {

// Where the rules' results go: standard output, or standard error when the
// changed profile itself goes to standard output.
std::FILE *g_results = stdout;

void PrintResult(int result, int msgId)
{
    // A confirmation's question is put through the message sink: not twice.
    if (msgId != 0 && result == RuleResult::Confirm)
        std::fprintf(g_results, "result %d, message %d\n", result, msgId);
    else if (msgId != 0)
        std::fprintf(g_results, "result %d, message %d: %s\n", result, msgId, LoadString(msgId).toUtf8().constData());
    else
        std::fprintf(g_results, "result %d\n", result);
    if (g_results == stdout)
        FlushStandardOutput();
    else
        std::fflush(g_results);
}

// A document whose rules' answers are printed as they come, except a
// final "done", which SaveChange prints once the change is saved.
struct CommandDocument : CTavoCPSDoc {
    CommandDocument()
    {
        SetRuleReporter([](const RuleResult &r) {
            if (r.code != RuleResult::Done)
                PrintResult(r.code, r.msgId);
        });
    }
};

// Saves after a change the rules accepted, then reports it.
int SaveChange(CTavoCPSDoc &doc, const RuleResult &r)
{
    if (r.code != RuleResult::Done)
        return ExitFailed;
    if (SaveProfileDocument(doc) != ExitOk)
        return ExitFailed;
    PrintResult(r.code, r.msgId);
    return ExitOk;
}

// Opens PROFILE (argument 0) and finds PATH (argument 1) in it; false with
// the reason shown.
bool OpenAndNavigate(const CliContext &ctx, CTavoCPSDoc &doc, CDataItem &item)
{
    if (!OpenProfileDocument(ctx.args.at(0), doc))
        return false;
    if (doc.ReadFromStream())
        g_results = stderr;
    bool found = false;
    try {
        found = FindProfileElement(doc.Model(), ctx.args.at(1), item);
    } catch (const CTavoCPSException &) {
        // A step that names no child element.
        found = false;
    }
    if (!found) {
        Fail(LoadString(msg::CliNoElement).arg(ctx.args.at(1)));
        return false;
    }
    return true;
}

bool HasAttribute(const CDataItem &item, const QString &attribute)
{
    const xmlNode *node = item.m_spNode.node;
    return node && node->type == XML_ELEMENT_NODE
        && xmlHasNsProp(const_cast<xmlNode *>(node), reinterpret_cast<const xmlChar *>(attribute.toUtf8().constData()), nullptr);
}

int RunValidate(CliContext &ctx)
{
    CTavoCPSDoc doc;
    if (!OpenProfileDocument(ctx.args.at(0), doc))
        return ExitFailed;
    // Valid means a radio can take it: no value outside its range, no index
    // past its table.
    const QString problem = ProfileValueProblem(doc.Model().m_rootItem);
    if (!problem.isEmpty())
        return Fail(problem);
    std::printf("%s\n", LoadString(msg::CliValid).arg(ctx.args.at(0)).toUtf8().constData());
    return ExitOk;
}

int RunSet(CliContext &ctx)
{
    CommandDocument doc;
    CDataItem item;
    if (!OpenAndNavigate(ctx, doc, item))
        return ExitFailed;
    const QString attribute = ctx.args.at(2);
    if (!HasAttribute(item, attribute))
        return Fail(LoadString(msg::CliNoAttribute).arg(attribute, ctx.args.at(1)));
    const RuleResult r = doc.SetAttribute(item, attribute, TypedAttributeValue(item, attribute, ctx.args.at(3)));
    return SaveChange(doc, r);
}

int RunAdd(CliContext &ctx)
{
    CommandDocument doc;
    CDataItem item;
    if (!OpenAndNavigate(ctx, doc, item))
        return ExitFailed;
    const QString path = ctx.args.at(1);
    QString function;
    if (!CDataItem::GetScriptHandler(item.m_spNode, QStringLiteral("CanAddChild"), function)) {
        PrintResult(1, 0);
        return Fail(LoadString(msg::CliNoNewChildren).arg(path));
    }
    if (!item.CanAddChild()) {
        PrintResult(1, 0);
        return Fail(LoadString(msg::CliNoFurtherChild).arg(path).arg(item.GetChildCount()));
    }
    CDataItem added;
    if (!doc.AddChild(item, added)) {
        PrintResult(1, 0);
        return Fail(LoadString(msg::CliNoChildAdded).arg(path));
    }
    const int index = item.GetChildCount() - 1;
    if (SaveProfileDocument(doc) != ExitOk)
        return ExitFailed;
    std::fprintf(g_results, "result 0\nadded %s at index %d\n", added.NodeName().toUtf8().constData(), index);
    return ExitOk;
}

int RunDelete(CliContext &ctx)
{
    bool ok = false;
    const int index = ctx.args.at(2).toInt(&ok);
    if (!ok)
        return UsageError(ctx.command, LoadString(msg::CliIndexNotNumber));
    CommandDocument doc;
    CDataItem item;
    if (!OpenAndNavigate(ctx, doc, item))
        return ExitFailed;
    const int count = item.GetChildCount();
    if (index < 0 || index >= count)
        return Fail(LoadString(msg::CliNoSuchChild).arg(index).arg(ctx.args.at(1)).arg(count));
    return SaveChange(doc, doc.RemoveChild(item, index));
}

const CliCommandRegistrar kValidate({"validate", "PROFILE|-", "", 1, 1, &RunValidate});
const CliCommandRegistrar kSet({"set", "PROFILE|- PATH ATTR VALUE [--answer yes|no]", "--answer", 4, 4, &RunSet});
const CliCommandRegistrar kAdd({"add", "PROFILE PATH", "", 2, 2, &RunAdd});
const CliCommandRegistrar kDelete({"delete", "PROFILE PATH INDEX [--answer yes|no]", "--answer", 3, 3, &RunDelete});

} // namespace
} // namespace tavo::cli
