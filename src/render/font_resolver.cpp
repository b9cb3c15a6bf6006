#include "render/font_resolver.h"

#include <algorithm>

#include <fontconfig/fontconfig.h>

#include <mutex>

namespace vm {

namespace {

struct Candidate {
    const char* family;
    int weight;  // fontconfig weight, or -1 for the family's own
};

// Heavy faces that stand in for the default face, best first.
constexpr Candidate kHeavyDefault[] = {{"Lato", FC_WEIGHT_BLACK}, {"Liberation Sans", FC_WEIGHT_BOLD},
                                       {"DejaVu Sans", FC_WEIGHT_BOLD}};

bool familyInstalled(FcConfig* config, const char* family) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* set = FcFontList(config, pattern, objects);
    const bool found = set && set->nfont > 0;
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

ResolvedFont match(FcConfig* config, const QByteArray& family, int fcWeight, bool italic) {
    ResolvedFont result;
    FcPattern* pattern = FcPatternCreate();
    if (!family.isEmpty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.constData()));
    if (fcWeight >= 0) FcPatternAddInteger(pattern, FC_WEIGHT, fcWeight);
    if (italic) FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ITALIC);
    // Only outline fonts can be extruded.
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult res = FcResultNoMatch;
    FcPattern* found = FcFontMatch(config, pattern, &res);
    if (found) {
        FcChar8* file = nullptr;
        FcChar8* text = nullptr;
        int value = 0;
        if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch)
            result.file = QString::fromUtf8(reinterpret_cast<const char*>(file));
        if (FcPatternGetInteger(found, FC_INDEX, 0, &value) == FcResultMatch) result.index = value;
        if (FcPatternGetString(found, FC_FAMILY, 0, &text) == FcResultMatch)
            result.family = QString::fromUtf8(reinterpret_cast<const char*>(text));
        if (FcPatternGetString(found, FC_STYLE, 0, &text) == FcResultMatch)
            result.style = QString::fromUtf8(reinterpret_cast<const char*>(text));
        if (FcPatternGetInteger(found, FC_WEIGHT, 0, &value) == FcResultMatch) result.weight = value;
        if (FcPatternGetInteger(found, FC_SLANT, 0, &value) == FcResultMatch) result.italic = value != FC_SLANT_ROMAN;
        FcPatternDestroy(found);
    }
    FcPatternDestroy(pattern);
    return result;
}

}  // namespace

ResolvedFont ResolveFont(const QString& face, int weight, bool italic) {
    // Fontconfig's default configuration is shared and not thread-safe to set up.
    static std::mutex lock;
    const std::lock_guard guard(lock);
    FcConfig* config = FcConfigGetCurrent();
    const int fcWeight = weight >= 100 ? FcWeightFromOpenType(std::min(weight, 1000)) : -1;

    if (face.trimmed().compare(QLatin1String("Arial Black"), Qt::CaseInsensitive) == 0) {
        for (const Candidate& c : kHeavyDefault) {
            if (!familyInstalled(config, c.family)) continue;
            return match(config, c.family, fcWeight >= 0 ? fcWeight : c.weight, italic);
        }
    }
    return match(config, face.trimmed().toUtf8(), fcWeight, italic);
}

int WeightFromFontconfig(int fontconfigWeight) {
    return std::clamp(FcWeightToOpenType(fontconfigWeight), 100, 900);
}

}  // namespace vm
