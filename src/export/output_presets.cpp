#include "export/output_presets.h"

#include <QStringList>

namespace vm {

const std::vector<OutputPreset>& OutputPresets() {
    static const std::vector<OutputPreset> presets = {
        {"square", "Square 1080 x 1080 (feeds, shop tiles)", 1080, 1080},
        {"portrait", "Portrait 1080 x 1350 (feeds)", 1080, 1350},
        {"story", "Story 1080 x 1920 (stories, reels, shorts)", 1080, 1920},
        {"landscape", "Landscape 1920 x 1080 (video, banners)", 1920, 1080},
        {"link", "Link preview 1200 x 628", 1200, 628},
        {"4k", "4K 3840 x 2160", 3840, 2160},
    };
    return presets;
}

const OutputPreset* FindOutputPreset(const QString& key) {
    for (const OutputPreset& preset : OutputPresets())
        if (key.compare(QLatin1String(preset.key), Qt::CaseInsensitive) == 0) return &preset;
    return nullptr;
}

QString OutputPresetKeys() {
    QStringList keys;
    for (const OutputPreset& preset : OutputPresets()) keys << QString::fromLatin1(preset.key);
    return keys.join(", ");
}

}  // namespace vm
