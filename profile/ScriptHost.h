#pragma once
// The rule script's engine: Lua 5.4 in a sandbox (no io, os, package or
// debug library, no loading of code from files or of binary chunks), with a
// budget of instructions and memory per call so that a faulty rule cannot
// hang or exhaust the program. Global functions are called by name; a
// by-reference integer is passed in as 0 and handed back by the function as
// an extra return value, in argument order ("return code, msgId, msgStyle").
//
// Script errors (compile or run time) are shown through the message sink as
// "IActiveScriptSite::OnScriptError()\nLine: <n>\n<description>"; the call
// that met them then reports failure to its caller.

#include "profile/ProfileDocument.h"

#include <QString>
#include <vector>

struct lua_State;
struct lua_Debug;

namespace tavo {

struct ScriptValue {
    enum Kind { Nil, Int, UInt, Bool, Text, Node };
    Kind kind = Nil;
    qint64 number = 0;
    bool flag = false;
    QString text;
    NodeRef node;

    static ScriptValue FromInt(qint32 v) { ScriptValue s; s.kind = Int; s.number = v; return s; }
    static ScriptValue FromUInt(quint32 v) { ScriptValue s; s.kind = UInt; s.number = v; return s; }
    static ScriptValue FromBool(bool v) { ScriptValue s; s.kind = Bool; s.flag = v; return s; }
    static ScriptValue FromText(const QString &v) { ScriptValue s; s.kind = Text; s.text = v; return s; }
    static ScriptValue FromNode(const NodeRef &v) { ScriptValue s; s.kind = v ? Node : Nil; s.node = v; return s; }

    // Conversions the callers apply to a function's results.
    qint32 ToInt32() const;
    // A rule's result code: the integer 0 (done), 1 (refused) or 2 (confirm).
    bool IsResultCode() const { return kind == Int && number >= 0 && number <= 2; }
    bool ToBool() const;
    QString ToText() const;
};

class ScriptHost {
public:
    ScriptHost();
    ~ScriptHost();
    ScriptHost(const ScriptHost &) = delete;
    ScriptHost &operator=(const ScriptHost &) = delete;

    bool valid() const { return m_L != nullptr; }

    // Compiles the rule text as one chunk, then runs it. A compile error
    // gives ParseFailed, a run-time error RunFailed (both shown).
    enum class StartResult { Ok, NoEngine, ParseFailed, RunFailed };
    StartResult Start(const QString &text, const char *chunkName = "DataProfile.lua");

    // Calls global `name` with `args`; on success `results` holds exactly
    // `resultCount` values (missing ones Nil). False when the function does
    // not exist or the call failed (the error has been shown).
    bool Call(const QString &name, const std::vector<ScriptValue> &args, int resultCount,
              std::vector<ScriptValue> &results);
    // Why the last Call failed (a missing function is not shown as a script error).
    QString LastError() const { return m_lastError; }

    // Budget of one call (and of the start): instructions, bytes, and the
    // time on the wall clock. Once a call has used up its instructions or
    // time, every further check fails until the call returns: pcall and
    // xpcall inside the rule pass the failure on instead of catching it.
    void SetInstructionLimit(qint64 instructions) { m_instructionLimit = instructions; }
    void SetMemoryLimit(size_t bytes) { m_memoryLimit = bytes; }
    void SetTimeLimit(qint64 milliseconds) { m_timeLimitMs = milliseconds; }

    static constexpr qint64 kDefaultInstructionLimit = 20'000'000;
    static constexpr size_t kDefaultMemoryLimit = 64u * 1024u * 1024u;
    static constexpr qint64 kDefaultTimeLimitMs = 5000;
    // What one call of string.rep may build, and the work the pattern
    // functions may take on (the matcher runs in C, out of the count's reach).
    static constexpr size_t kMaxRepResult = 1u << 20;
    static constexpr double kMaxPatternWork = 5.0e7;

    // True while the running call has used up its budget (for the sandbox).
    bool BudgetExhausted() const { return m_budgetExhausted; }
    const char *ExhaustedReason() const { return m_exhaustedReason; }

private:
    static void *Alloc(void *ud, void *ptr, size_t osize, size_t nsize);
    static void CountHook(lua_State *L, lua_Debug *ar);
    bool ProtectedCall(int nargs, int nresults);
    void ReportError();

    lua_State *m_L = nullptr;
    qint64 m_instructionLimit = kDefaultInstructionLimit;
    qint64 m_instructionsLeft = 0;
    qint64 m_timeLimitMs = kDefaultTimeLimitMs;
    qint64 m_deadlineNs = 0;
    bool m_budgetExhausted = false;
    const char *m_exhaustedReason = "";
    QString m_lastError;
    size_t m_memoryLimit = kDefaultMemoryLimit;
    size_t m_memoryUsed = 0;
};

// Text of a script error as the host shows it.
QString FormatScriptError(int line, const QString &description);

} // namespace tavo
