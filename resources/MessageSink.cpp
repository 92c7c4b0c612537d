#include "resources/MessageSink.h"
#include "resources/StringTable.h"

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

std::mutex g_sinkMutex;
StderrSink g_stderrSink;
IMessageSink *g_sink = &g_stderrSink;

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
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    IMessageSink *previous = g_sink;
    g_sink = sink ? sink : &g_stderrSink;
    return previous == &g_stderrSink ? nullptr : previous;
}

int ShowMessageText(const QString &text, unsigned style)
{
    IMessageSink *sink;
    {
        std::lock_guard<std::mutex> lock(g_sinkMutex);
        sink = g_sink;
    }
    return sink->Show(text, style);
}

int ShowMessage(int id, unsigned style)
{
    QString text = LoadString(id);
    if (text.isEmpty())
        text = QStringLiteral("Message %1").arg(id);
    return ShowMessageText(text, style);
}

} // namespace tavo
