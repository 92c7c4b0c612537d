// Channel plans from other tools: any bytes imported into a radio's profile
// leave a profile whose own export imports into it again without a refusal.

#include "support/QuietSink.h"

#include "base/CTavoCPSException.h"
#include "config/Registry.h"
#include "profile/CRadioDataModel.h"
#include "workflow/ChirpCsv.h"

#include <QFile>
#include <cstdlib>

using namespace tavo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    tavo::fuzz::InstallQuietSink();
    static bool installed = (tavo::SetInstallPathOverride(QStringLiteral(TAVO_SOURCE_DIR "/install")), true);
    (void)installed;
    static const QString profile = [] {
        QFile f(QStringLiteral(TAVO_SOURCE_DIR "/install/profiletemplate/ZUD11602.kp2"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }();
    CRadioDataModel model;
    if (model.LoadProfile(profile, 0) != 1)
        std::abort();
    const QByteArray csv(reinterpret_cast<const char *>(data), static_cast<int>(size));
    try {
        const ChirpImportReport report = ImportChirpCsv(model, csv);
        if (report.imported + report.refused.size() != report.rows)
            std::abort();
        const ChirpImportReport again = ImportChirpCsv(model, ExportChirpCsv(model));
        if (!again.isChirpFile || !again.refused.isEmpty() || !again.notes.isEmpty())
            std::abort();
    } catch (const CTavoCPSException &) {
        std::abort(); // an import reports rows; it does not fail
    }
    return 0;
}
