#include "views/CDocumentHost.h"

#include "views/CFileDialogs.h"

#include <QApplication>

namespace tavo {

QString CGuiDocumentHost::AskSavePath(const QString &proposed) { return CFileDialogs::GetSaveProfileName(nullptr, proposed); }

void CGuiDocumentHost::BeginBusy()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CGuiDocumentHost::EndBusy()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::restoreOverrideCursor();
}

IDocumentHost *GuiDocumentHost()
{
    static CGuiDocumentHost host;
    return &host;
}

} // namespace tavo
