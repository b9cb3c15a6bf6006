#include "render/look.h"

namespace vm {

QString LookName(Look look) { return look == Look::Studio ? QStringLiteral("studio") : QStringLiteral("classic"); }

std::optional<Look> LookFromName(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n == "studio") return Look::Studio;
    if (n == "classic") return Look::Classic;
    return std::nullopt;
}

}  // namespace vm
