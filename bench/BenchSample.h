#pragma once
// The radio harnesses' profile: the shipped sample codeplug image, loaded as
// a profile, with the setting documents a write needs.

#include "profile/CDataAdaptor.h"
#include "profile/CRadioDataModel.h"
#include "workflow/CRadioCommands.h"

#include <QFile>
#include <cstdio>

namespace tavo::bench {

// Reads the sample image into `image` and loads it into `profile`; false,
// with a line naming `harness` on stderr, when either fails.
inline bool LoadSampleProfile(CRadioDataModel &profile, VirtualCP &image, const char *harness)
{
    QFile f(QStringLiteral(TAVO_SOURCE_DIR "/install/samples/demo-OUD11602.img"));
    QString xml;
    if (!f.open(QIODevice::ReadOnly) || f.read(reinterpret_cast<char *>(image.bytes.data()), VirtualCP::kSize) != VirtualCP::kSize
        || !CDataAdaptor::VirtualCP2XML(image, xml) || !profile.LoadProfile(xml, 0) || !EnsureSettingDocuments()) {
        std::fprintf(stderr, "%s: the sample profile does not load\n", harness);
        return false;
    }
    return true;
}

} // namespace tavo::bench
