#pragma once
// The program's one exception class: a string-table id for the catcher to
// show, and a trace of "(operation:line) text" lines, innermost first.
// Thrown by value, caught by reference.
//
// How the layers below the front ends report a failure, one rule for all:
// - a rule refuses through its result: done (0), refused (1) or confirm (2),
//   with a string-table message id and a message-box style (see
//   workflow/RuleChange.h); the front end shows it;
// - the radio layer returns a byte count (or 1) on success and -1 on
//   failure, the protocol error kept in its protocol object, and reports to
//   the user only through its notifications;
// - a damaged input (an unreadable profile, a broken installation file, a
//   library failure) raises CTavoCPSException with the id a catcher shows;
// - nothing below the front ends shows a message itself, except where the
//   program must tell the user at that very point: the load of the setting
//   documents and of the rule and schema files (315), the settings check at
//   start-up (130), the interface language's fallback and restart notices
//   (325, 330), the serial-number and corrupted-codeplug checks of the
//   converter, and the profile pre-check before a profile opens (342, 310,
//   503 and the load errors).

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
    // What the thrower said, without the trace's operation names: for an
    // unreadable profile the loading error (file, reason, line, position).
    QString m_strReason;
};

// The text a user is shown for `e`: its message, and for an invalid profile
// also the file and the reason the load gave.
QString FailureText(const CTavoCPSException &e);

// Builds an exception with `msgId`, gives it one trace line and throws it.
[[noreturn]] void ThrowCPSException(int msgId, const QString &text, const char *function, int line);

// The trace text an operation adds when it lets an exception pass.
inline const char *kExceptionCatched = "Exception Catched";

// Adds the "Exception Catched" line of `function` and throws `e` on.
[[noreturn]] void RethrowCPSException(CTavoCPSException &e, const char *function, int line);

// The message id a failure is shown with: its own when it names a message
// of the string table, else `fallbackMsgId` (0: none).
int FailureMessageId(const CTavoCPSException &e, int fallbackMsgId);

// The text an XML or script library failure becomes at a data-layer boundary.
QString FormatLibraryError(const QString &errorMsg, const QString &desc, const QString &source);

} // namespace tavo
