#include "config/InterfaceLanguage.h"

#include "config/Registry.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>
#include <memory>

namespace tavo {

namespace {

std::unique_ptr<QTranslator> g_translator;

bool InstallTranslation(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile() || !QCoreApplication::instance())
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(path))
        return false;
    UnloadInterfaceLanguage();
    QCoreApplication::installTranslator(translator.get());
    g_translator = std::move(translator);
    return true;
}

} // namespace

QString LoadInterfaceLanguage()
{
    QString language = GetCurrentLanguage();
    if (language != QLatin1String(kBuiltInLanguage) && !InstallTranslation(GetResourceLibraryPath())) {
        language = QLatin1String(kBuiltInLanguage);
        SetCurrentLanguage(language);
        ShowMessage(msg::LanguageFileMissing, MB_OK | MB_ICONWARNING);
    }
    SetApplicationLanguage(language);
    return language;
}

void UnloadInterfaceLanguage()
{
    if (g_translator && QCoreApplication::instance())
        QCoreApplication::removeTranslator(g_translator.get());
    g_translator.reset();
}

int ChangeCurrentLanguage(const QString &key)
{
    const QString previous = GetCurrentLanguage();
    if (!SetCurrentLanguage(key))
        return 0;
    if (key != previous)
        ShowMessage(msg::LanguageRestartNeeded, MB_OK | MB_ICONINFORMATION);
    return 1;
}

} // namespace tavo
