#include "base/CTavoCPSException.h"
#include "resources/StringTable.h"

#include "resources/MessageIds.h"
#include "resources/StringTable.h"

namespace tavo {

void CTavoCPSException::AddTrace(const QString &text, const char *function, int line)
{
    m_strMessage += QStringLiteral("\n(%1:%2) %3")
                        .arg(QString::fromUtf8(function ? function : ""))
                        .arg(line)
                        .arg(text);
}

void ThrowCPSException(int msgId, const QString &text, const char *function, int line)
{
    CTavoCPSException e(msgId);
    e.m_strReason = text;
    e.AddTrace(text, function, line);
    throw e;
}

void RethrowCPSException(CTavoCPSException &e, const char *function, int line)
{
    e.AddTrace(QString::fromLatin1(kExceptionCatched), function, line);
    throw e;
}

QString FailureText(const CTavoCPSException &e)
{
    QString text = LoadString(e.m_nMsgID);
    if (e.m_nMsgID == msg::InvalidProfile && !e.m_strReason.isEmpty())
        text += QLatin1Char('\n') + QString(e.m_strReason).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

int FailureMessageId(const CTavoCPSException &e, int fallbackMsgId)
{
    return e.m_nMsgID != 0 && HasString(e.m_nMsgID) ? e.m_nMsgID : fallbackMsgId;
}

QString FormatLibraryError(const QString &errorMsg, const QString &desc, const QString &source)
{
    return QStringLiteral("ErrorMsg: %1\nDesc: %2\nSource: %3").arg(errorMsg, desc, source);
}

} // namespace tavo
