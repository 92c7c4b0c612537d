#include "profile/ScriptHost.h"
#include "profile/LuaNode.h"
#include "resources/MessageSink.h"

#include <lua.hpp>

#include <QHash>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace tavo {

qint32 ScriptValue::ToInt32() const
{
    switch (kind) {
    case Int:
    case UInt:
        return static_cast<qint32>(number);
    case Bool:
        return flag ? 1 : 0;
    case Text:
        return text.trimmed().toInt();
    default:
        return 0;
    }
}

bool ScriptValue::ToBool() const
{
    switch (kind) {
    case Int:
    case UInt:
        return number != 0;
    case Bool:
        return flag;
    case Text:
        return text == QLatin1String("1") || text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    case Node:
        return true;
    default:
        return false;
    }
}

QString ScriptValue::ToText() const
{
    switch (kind) {
    case Int:
    case UInt:
        return QString::number(number);
    case Bool:
        return flag ? QStringLiteral("1") : QStringLiteral("0");
    case Text:
        return text;
    default:
        return QString();
    }
}

QString FormatScriptError(int line, const QString &description)
{
    return QStringLiteral("IActiveScriptSite::OnScriptError()\n") + QStringLiteral("Line: %1\n").arg(line) + description;
}

namespace {

const char *const kRegistryKey = "tavo.ScriptHost";

// A loader for rule code that accepts text chunks only.
int SafeLoad(lua_State *L)
{
    size_t len = 0;
    const char *text = luaL_checklstring(L, 1, &len);
    const char *name = luaL_optstring(L, 2, "=(load)");
    if (luaL_loadbufferx(L, text, len, name, "t") != LUA_OK) {
        lua_pushnil(L);
        lua_insert(L, -2);
        return 2;
    }
    return 1;
}

qint64 NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

ScriptHost *HostOf(lua_State *L)
{
    lua_getfield(L, LUA_REGISTRYINDEX, kRegistryKey);
    ScriptHost *self = static_cast<ScriptHost *>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return self;
}

const char *const kBudgetUsedUp = "the rule ran longer than its instruction budget allows";
const char *const kTimeUsedUp = "the rule ran longer than its time limit allows";

// pcall and xpcall that do not catch a used-up budget: the original (upvalue
// 1) runs, and when the budget is gone its failure is raised again.
int GuardedProtectedCall(lua_State *L)
{
    luaL_checkany(L, 1);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    ScriptHost *host = HostOf(L);
    if (host && host->BudgetExhausted())
        return luaL_error(L, "%s", host->ExhaustedReason());
    return lua_gettop(L);
}

// setmetatable without finalizers: a __gc would run outside every call's
// budget (at collection or when the engine closes).
int SetMetatableWithoutFinalizer(lua_State *L)
{
    if (lua_type(L, 2) == LUA_TTABLE) {
        lua_pushliteral(L, "__gc");
        const int type = lua_rawget(L, 2);
        lua_pop(L, 1);
        if (type != LUA_TNIL)
            return luaL_error(L, "setmetatable: finalizers (__gc) are not available to rules");
    }
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// string.rep with a cap on the size of the result (and so on the loop the
// original runs in C, where no instruction count reaches).
int CappedRep(lua_State *L)
{
    size_t length = 0;
    size_t sepLength = 0;
    luaL_checklstring(L, 1, &length);
    const lua_Integer count = luaL_checkinteger(L, 2);
    luaL_optlstring(L, 3, "", &sepLength);
    if (count > 0) {
        const double total = static_cast<double>(length) * static_cast<double>(count)
            + static_cast<double>(sepLength) * static_cast<double>(count - 1);
        if (total > static_cast<double>(ScriptHost::kMaxRepResult) || count > static_cast<lua_Integer>(ScriptHost::kMaxRepResult))
            return luaL_error(L, "string.rep: the result would be larger than a rule may build");
    }
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// Upper bound of the matcher's backtracking: (n + 1) to the power of the
// number of quantifiers (one more when the match may start anywhere).
double PatternWork(const char *pattern, size_t patternLength, size_t subjectLength, bool mayAnchor)
{
    int quantifiers = 0;
    bool inSet = false;
    size_t i = 0;
    const bool anchored = mayAnchor && patternLength > 0 && pattern[0] == '^';
    for (; i < patternLength; ++i) {
        const char c = pattern[i];
        if (c == '%') {
            if (i + 1 < patternLength && !inSet && (pattern[i + 1] == 'b' || pattern[i + 1] == 'f'))
                ++quantifiers; // %b scans ahead, %f is cheap but counted alike
            ++i;
            continue;
        }
        if (inSet) {
            if (c == ']')
                inSet = false;
            continue;
        }
        if (c == '[') {
            inSet = true;
            if (i + 1 < patternLength && pattern[i + 1] == '^')
                ++i;
            if (i + 1 < patternLength && pattern[i + 1] == ']')
                ++i; // a leading ']' is a member
            continue;
        }
        if (c == '*' || c == '+' || c == '-' || c == '?')
            ++quantifiers;
    }
    const int exponent = quantifiers + (anchored ? 0 : 1);
    return std::pow(static_cast<double>(subjectLength) + 1.0, exponent);
}

// The pattern functions (find, match, gmatch, gsub) refuse a pattern whose
// worst case exceeds the work a rule may take on, then run the original.
template <bool MayAnchor, bool PlainArgument>
int CappedPatternFunction(lua_State *L)
{
    size_t subjectLength = 0;
    size_t patternLength = 0;
    luaL_checklstring(L, 1, &subjectLength);
    const char *pattern = luaL_checklstring(L, 2, &patternLength);
    const bool plain = PlainArgument && lua_toboolean(L, 4);
    if (!plain && PatternWork(pattern, patternLength, subjectLength, MayAnchor) > ScriptHost::kMaxPatternWork)
        return luaL_error(L, "pattern too complex for a text of %d characters", static_cast<int>(subjectLength));
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// Replaces field `name` of the table at the top of the stack by `wrapper`,
// which holds the original as its upvalue 1.
void WrapField(lua_State *L, const char *name, lua_CFunction wrapper)
{
    lua_getfield(L, -1, name);
    lua_pushcclosure(L, wrapper, 1);
    lua_setfield(L, -2, name);
}

void OpenSandbox(lua_State *L)
{
    static const luaL_Reg libs[] = {
        {LUA_GNAME, luaopen_base},         {LUA_TABLIBNAME, luaopen_table}, {LUA_STRLIBNAME, luaopen_string},
        {LUA_MATHLIBNAME, luaopen_math},   {LUA_UTF8LIBNAME, luaopen_utf8}, {nullptr, nullptr},
    };
    for (const luaL_Reg *lib = libs; lib->func; ++lib) {
        luaL_requiref(L, lib->name, lib->func, 1);
        lua_pop(L, 1);
    }
    for (const char *name : {"dofile", "loadfile", "require"}) {
        lua_pushnil(L);
        lua_setglobal(L, name);
    }
    lua_pushcfunction(L, SafeLoad);
    lua_setglobal(L, "load");
    lua_getglobal(L, LUA_STRLIBNAME);
    lua_pushnil(L);
    lua_setfield(L, -2, "dump");
    WrapField(L, "rep", CappedRep);
    WrapField(L, "find", CappedPatternFunction<true, true>);
    WrapField(L, "match", CappedPatternFunction<true, false>);
    WrapField(L, "gmatch", CappedPatternFunction<false, false>);
    WrapField(L, "gsub", CappedPatternFunction<true, false>);
    lua_pop(L, 1);
    lua_pushglobaltable(L);
    WrapField(L, "pcall", GuardedProtectedCall);
    WrapField(L, "xpcall", GuardedProtectedCall);
    WrapField(L, "setmetatable", SetMetatableWithoutFinalizer);
    lua_pop(L, 1);
}

// "chunk:line: text" -> line and text; other forms keep the whole text.
void SplitError(const QString &message, int &line, QString &description)
{
    line = 0;
    description = message;
    const int first = message.indexOf(QLatin1Char(':'));
    if (first < 0)
        return;
    const int second = message.indexOf(QLatin1Char(':'), first + 1);
    if (second < 0)
        return;
    bool ok = false;
    const int n = message.mid(first + 1, second - first - 1).toInt(&ok);
    if (!ok)
        return;
    line = n;
    description = message.mid(second + 1).trimmed();
}

} // namespace

ScriptHost::ScriptHost()
{
    m_L = lua_newstate(&ScriptHost::Alloc, this);
    if (!m_L)
        return;
    OpenSandbox(m_L);
    lua::RegisterNodeType(m_L);
    lua_pushlightuserdata(m_L, this);
    lua_setfield(m_L, LUA_REGISTRYINDEX, kRegistryKey);
}

ScriptHost::~ScriptHost()
{
    if (m_L)
        lua_close(m_L);
}

void *ScriptHost::Alloc(void *ud, void *ptr, size_t osize, size_t nsize)
{
    ScriptHost *self = static_cast<ScriptHost *>(ud);
    const size_t old = ptr ? osize : 0;
    if (nsize == 0) {
        std::free(ptr);
        self->m_memoryUsed -= old;
        return nullptr;
    }
    if (nsize > old && self->m_memoryUsed - old + nsize > self->m_memoryLimit)
        return nullptr;
    void *p = std::realloc(ptr, nsize);
    if (p)
        self->m_memoryUsed = self->m_memoryUsed - old + nsize;
    return p;
}

void ScriptHost::CountHook(lua_State *L, lua_Debug *ar)
{
    ScriptHost *self = HostOf(L);
    if (!self)
        return;
    self->m_instructionsLeft -= 1000;
    const bool outOfTime = NowNs() >= self->m_deadlineNs;
    if (!self->m_budgetExhausted && self->m_instructionsLeft > 0 && !outOfTime)
        return;
    // Sticky: keep failing until the call unwinds, even inside handlers.
    self->m_instructionsLeft = 0;
    if (!self->m_budgetExhausted)
        self->m_exhaustedReason = outOfTime ? kTimeUsedUp : kBudgetUsedUp;
    self->m_budgetExhausted = true;
    const char *why = self->m_exhaustedReason;
    if (lua_getinfo(L, "Sl", ar) && ar->currentline > 0)
        lua_pushfstring(L, "%s:%d: %s", ar->short_src, ar->currentline, why);
    else
        lua_pushstring(L, why);
    lua_error(L);
}

bool ScriptHost::ProtectedCall(int nargs, int nresults)
{
    m_instructionsLeft = m_instructionLimit;
    m_budgetExhausted = false;
    m_deadlineNs = NowNs() + std::min<qint64>(std::max<qint64>(m_timeLimitMs, 0), 86'400'000) * 1'000'000;
    lua_sethook(m_L, &ScriptHost::CountHook, LUA_MASKCOUNT, 1000);
    const int rc = lua_pcall(m_L, nargs, nresults, 0);
    lua_sethook(m_L, nullptr, 0, 0);
    m_budgetExhausted = false;
    if (rc != LUA_OK) {
        ReportError();
        return false;
    }
    return true;
}

void ScriptHost::ReportError()
{
    QString message;
    if (lua_type(m_L, -1) == LUA_TSTRING)
        message = QString::fromUtf8(lua_tostring(m_L, -1));
    else
        message = QStringLiteral("error object of type %1").arg(QString::fromUtf8(luaL_typename(m_L, -1)));
    lua_pop(m_L, 1);
    int line = 0;
    QString description;
    SplitError(message, line, description);
    ShowMessageText(FormatScriptError(line, description), MB_OK | MB_ICONERROR);
}

namespace {

// Compiled scripts, by chunk name and text: every model of a process runs
// the same rule script, and compiling its text costs more than all the
// rest of opening a profile. A text is kept compiled from its second start
// on (the program's start-up check runs it once), in the engine's own
// unstripped form, so errors still name the chunk and line.
class CompiledScripts {
public:
    // The compiled form of `key`, or an empty array; `seen` tells whether
    // the text was started before.
    QByteArray Find(const QByteArray &key, bool &seen)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_chunks.constFind(key);
        seen = found != m_chunks.constEnd();
        if (!seen)
            Insert(key, QByteArray());
        return seen ? *found : QByteArray();
    }
    void Keep(const QByteArray &key, const QByteArray &chunk)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        Insert(key, chunk);
    }

private:
    void Insert(const QByteArray &key, const QByteArray &chunk)
    {
        if (m_chunks.size() >= kMostKept && !m_chunks.contains(key))
            m_chunks.clear(); // scripts made up on the fly do not pile up
        m_chunks.insert(key, chunk);
    }
    static constexpr int kMostKept = 8;
    std::mutex m_mutex;
    QHash<QByteArray, QByteArray> m_chunks;
};

CompiledScripts &Compiled()
{
    static CompiledScripts scripts;
    return scripts;
}

int AppendChunk(lua_State *, const void *p, size_t size, void *chunk)
{
    static_cast<QByteArray *>(chunk)->append(static_cast<const char *>(p), static_cast<qsizetype>(size));
    return 0;
}

} // namespace

ScriptHost::StartResult ScriptHost::Start(const QString &text, const char *chunkName)
{
    if (!m_L)
        return StartResult::NoEngine;
    const QByteArray utf8 = text.toUtf8();
    const QByteArray name = QByteArray("=") + chunkName;
    const QByteArray key = name + '\0' + utf8;
    bool seen = false;
    const QByteArray compiled = Compiled().Find(key, seen);
    if (!compiled.isEmpty()) {
        // Our own compilation of this very text, made in this process.
        if (luaL_loadbufferx(m_L, compiled.constData(), static_cast<size_t>(compiled.size()), name.constData(), "b") != LUA_OK) {
            ReportError();
            return StartResult::ParseFailed;
        }
    } else {
        if (luaL_loadbufferx(m_L, utf8.constData(), static_cast<size_t>(utf8.size()), name.constData(), "t") != LUA_OK) {
            ReportError();
            return StartResult::ParseFailed;
        }
        QByteArray chunk;
        if (seen && lua_dump(m_L, &AppendChunk, &chunk, 0) == 0 && !chunk.isEmpty())
            Compiled().Keep(key, chunk);
    }
    return ProtectedCall(0, 0) ? StartResult::Ok : StartResult::RunFailed;
}

namespace {

// What one call hands to the protected trampoline: everything already in
// plain form, so nothing with a destructor lives in the frame that Lua may
// unwind (an allocation failure while pushing is then an ordinary error).
struct CallFrame {
    const QByteArray *name;
    const std::vector<ScriptValue> *args;
    const std::vector<QByteArray> *texts;
    int resultCount;
};

int CallTrampoline(lua_State *L)
{
    const CallFrame *f = static_cast<const CallFrame *>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    if (lua_getglobal(L, f->name->constData()) != LUA_TFUNCTION)
        return luaL_error(L, "Unknown function '%s'", f->name->constData());
    const std::vector<ScriptValue> &args = *f->args;
    luaL_checkstack(L, static_cast<int>(args.size()) + f->resultCount + 4, "too many arguments");
    for (size_t i = 0; i < args.size(); ++i) {
        const ScriptValue &a = args[i];
        switch (a.kind) {
        case ScriptValue::Int:
        case ScriptValue::UInt:
            lua_pushinteger(L, a.number);
            break;
        case ScriptValue::Bool:
            lua_pushboolean(L, a.flag);
            break;
        case ScriptValue::Text:
            lua_pushlstring(L, (*f->texts)[i].constData(), static_cast<size_t>((*f->texts)[i].size()));
            break;
        case ScriptValue::Node:
            lua::PushNode(L, a.node.owner, a.node.node);
            break;
        default:
            lua_pushnil(L);
        }
    }
    lua_call(L, static_cast<int>(args.size()), f->resultCount);
    return f->resultCount;
}

} // namespace

bool ScriptHost::Call(const QString &name, const std::vector<ScriptValue> &args, int resultCount,
                       std::vector<ScriptValue> &results)
{
    results.clear();
    m_lastError.clear();
    if (!m_L || resultCount < 0)
        return false;
    const QByteArray utf8Name = name.toUtf8();
    // A function the rule script lacks is an installation fault that the
    // caller reports; it is not a script error to show.
    const int type = lua_getglobal(m_L, utf8Name.constData());
    lua_pop(m_L, 1);
    if (type != LUA_TFUNCTION) {
        m_lastError = QStringLiteral("The rule script has no function '%1'.").arg(name);
        return false;
    }
    std::vector<QByteArray> texts(args.size());
    for (size_t i = 0; i < args.size(); ++i)
        if (args[i].kind == ScriptValue::Text)
            texts[i] = args[i].text.toUtf8();
    CallFrame frame{&utf8Name, &args, &texts, resultCount};
    const int base = lua_gettop(m_L);
    if (!lua_checkstack(m_L, resultCount + 4))
        return false;
    lua_pushcfunction(m_L, CallTrampoline);
    lua_pushlightuserdata(m_L, &frame);
    if (!ProtectedCall(1, resultCount)) {
        lua_settop(m_L, base);
        return false;
    }
    results.resize(static_cast<size_t>(resultCount));
    for (int i = 0; i < resultCount; ++i) {
        const int idx = base + 1 + i;
        ScriptValue &r = results[static_cast<size_t>(i)];
        switch (lua_type(m_L, idx)) {
        case LUA_TNUMBER:
            r.kind = ScriptValue::Int;
            if (lua_isinteger(m_L, idx)) {
                r.number = lua_tointeger(m_L, idx);
            } else {
                // A float counts only when it is a whole number (2^32 is one,
                // NaN, infinity and 0.5 are not).
                const lua_Number n = lua_tonumber(m_L, idx);
                if (std::isfinite(n) && std::fabs(n) < 9.0e18 && n == std::floor(n))
                    r.number = static_cast<qint64>(n);
                else
                    r.kind = ScriptValue::Nil;
            }
            break;
        case LUA_TBOOLEAN:
            r.kind = ScriptValue::Bool;
            r.flag = lua_toboolean(m_L, idx);
            break;
        case LUA_TSTRING:
            r.kind = ScriptValue::Text;
            r.text = QString::fromUtf8(lua_tostring(m_L, idx));
            break;
        case LUA_TUSERDATA:
            if (const NodeRef *n = lua::ToNode(m_L, idx)) {
                r.kind = ScriptValue::Node;
                r.node = *n;
            }
            break;
        default:
            break;
        }
    }
    lua_settop(m_L, base);
    return true;
}

} // namespace tavo
