#include "resources/MessageSink.h"
#include "resources/StringTable.h"
#include "resources/ProcessContext.h"

#include <cstdio>
#include <mutex>

namespace tavo {

namespace {

class StderrSink : public IMessageSink {
public:
    int Show(const QString &text, unsigned style) override
    {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return DefaultAnswer(style);
    }
};

StderrSink g_stderrSink;

// The sink in use; null means the standard error sink.
ContextValue<IMessageSink *> &currentSink()
{
    static ContextValue<IMessageSink *> sink(nullptr);
    return sink;
}

} // namespace

int DefaultAnswer(unsigned style)
{
    switch (style & MB_BUTTONMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}

IMessageSink *SetMessageSink(IMessageSink *sink)
{
    return currentSink().Set(sink);
}

int ShowMessageText(const QString &text, unsigned style)
{
    IMessageSink *sink = currentSink().Get();
    return (sink ? sink : &g_stderrSink)->Show(text, style);
}

int ShowMessage(int id, unsigned style)
{
    QString text = LoadString(id);
    if (text.isEmpty())
        text = QStringLiteral("Message %1").arg(id);
    return ShowMessageText(text, style);
}

} // namespace tavo
