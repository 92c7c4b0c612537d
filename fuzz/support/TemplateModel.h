#pragma once
// One data model for a harness, loaded from an installed template: afresh
// for every input (so that no input sees what an earlier one changed), or
// once for harnesses that only read.

#include "support/QuietSink.h"

#include "base/CTavoCPSException.h"
#include "base/TemplateFile.h"
#include "config/Registry.h"
#include "profile/CRadioDataModel.h"

namespace tavo::fuzz {

inline CRadioDataModel *FreshTemplateModel(bool fresh = true, const char *templateName = "SUR41622.kp2")
{
    InstallQuietSink();
    static bool installed = (SetInstallPathOverride(QStringLiteral(TAVO_SOURCE_DIR "/install")), true);
    (void)installed;
    static QString text = [templateName] {
        QString t;
        LoadProfileFile(QStringLiteral(TAVO_SOURCE_DIR "/install/profiletemplate/") + QLatin1String(templateName), t);
        return t;
    }();
    static CRadioDataModel model;
    static bool loaded = false;
    if (loaded && !fresh)
        return &model;
    try {
        loaded = false;
        if (model.LoadProfile(text, 0) == 1) {
            loaded = true;
            return &model;
        }
    } catch (const CTavoCPSException &) {
    }
    return nullptr;
}

// The input cut into fields at each NUL byte.
inline QList<QByteArray> Fields(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size)).split('\0');
}

} // namespace tavo::fuzz
