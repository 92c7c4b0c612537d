// Stored text files and setting documents from outside: any bytes must
// decode without harm, a decoded text must survive being stored again, and
// every setting-document query must answer or raise the program's error.

#include "support/QuietSink.h"

#include "config/SettingDocuments.h"
#include "base/TemplateFile.h"
#include "base/CTavoCPSException.h"

#include <cstdlib>

using namespace tavo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    tavo::fuzz::InstallQuietSink();
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    QString text;
    try {
        text = tavo::DecodeProfileBytes(bytes);
    } catch (const CTavoCPSException &) {
        return 0;
    }

    // A plain XML text stored scrambled reads back unchanged.
    if (text.startsWith(QLatin1String("<?xml")) && !text.contains(QChar(u'\0'))) {
        if (tavo::DecodeTemplateBytes(tavo::EncodeScrambledUtf16(text)) != text)
            std::abort();
    }

    tavo::XmlDocPtr doc = tavo::ParseSettingText(text);
    if (!doc)
        return 0;
    tavo::SettingDocuments docs;
    docs.SetDocument(tavo::SettingDocuments::Region, tavo::ParseSettingText(text));
    docs.SetDocument(tavo::SettingDocuments::VisibleSetting, tavo::ParseSettingText(text));
    docs.SetDocument(tavo::SettingDocuments::ButtonList, tavo::ParseSettingText(text));
    docs.SetDocument(tavo::SettingDocuments::HelpPanMap, std::move(doc));
    try {
        docs.GetCPVersion();
        docs.GetLanguageDisplayName(QStringLiteral("English"));
        docs.LoadSubRegions();
        QString page;
        docs.GetHelpPageName(QStringLiteral("Channel"), QStringLiteral("1016"), page);
        for (const tavo::ModelEntry &m : docs.GetModelList()) {
            docs.GetButtonFeatures(m.m_strCode, QLatin1String(tavo::kGroupCommon));
            docs.GetButtonImageFile(m.m_strCode);
        }
        docs.InitRegionData(QStringLiteral("Tavo EMEA CPS"));
        docs.GetVisibleControls(QStringLiteral("Channel"), true);
        QHash<int, QString> map;
        docs.LoadModelRegions(map);
        docs.GetSupportLanguages();
        docs.IsSupported(QStringLiteral("02"));
    } catch (const CTavoCPSException &) {
    }
    return 0;
}
