#include "cli/CliSink.h"

#include <cstdio>

namespace tavo::cli {

int CliMessageSink::Show(const QString &text, unsigned style)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
    const unsigned buttons = style & MB_BUTTONMASK;
    const bool yes = m_answer.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0;
    const bool no = m_answer.compare(QLatin1String("no"), Qt::CaseInsensitive) == 0;
    switch (buttons) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        if (yes)
            return IDYES;
        if (no)
            return IDNO;
        return buttons == MB_YESNO ? IDNO : IDCANCEL;
    case MB_OKCANCEL:
        return yes ? IDOK : IDCANCEL;
    default:
        return IDOK;
    }
}

} // namespace tavo::cli
