#pragma once
// The program's one exception class: a string-table id for the catcher to
// show, and a trace of "(operation:line) text" lines, innermost first.
// Thrown by value, caught by reference.

#include <QString>

namespace tavo {

class CTavoCPSException {
public:
    CTavoCPSException() = default;
    explicit CTavoCPSException(int msgId) : m_nMsgID(msgId) {}
    virtual ~CTavoCPSException() = default;

    // Appends "\n(<function>:<line>) <text>" to the trace.
    void AddTrace(const QString &text, const char *function, int line);

    int m_nMsgID = 0;
    QString m_strMessage;
};

// Builds an exception with `msgId`, gives it one trace line and throws it.
[[noreturn]] void ThrowCPSException(int msgId, const QString &text, const char *function, int line);

// The trace text an operation adds when it lets an exception pass.
inline const char *kExceptionCatched = "Exception Catched";

// Adds the "Exception Catched" line of `function` and throws `e` on.
[[noreturn]] void RethrowCPSException(CTavoCPSException &e, const char *function, int line);

// The text an XML or script library failure becomes at a data-layer boundary.
QString FormatLibraryError(const QString &errorMsg, const QString &desc, const QString &source);

} // namespace tavo
