#pragma once
// The two ways the scene can be drawn. The classic look is the program's
// original drawing, kept exactly; the studio look draws the same scene with a
// studio light, a soft contact shadow and a reflection that fades. The look is
// a setting of the program (or of the command line), never of the scene.

#include <QString>
#include <optional>

namespace vm {

enum class Look { Classic, Studio };

// "classic" or "studio".
QString LookName(Look look);
// The look of a name as LookName writes it (case-insensitive); nullopt for others.
std::optional<Look> LookFromName(const QString& name);

}  // namespace vm
