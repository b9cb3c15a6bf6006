#pragma once
// Files dropped on the view: an image goes on the package face under the
// cursor (the front when the drop misses the package), a scene file opens.

#include <QString>
#include <optional>

#include "render/lighting.h"

namespace vm {

class CGL2AviView;

// The face of the shown book or box under the view point (x, y), in pixels
// from the top left of the view's current drawing size; none over the
// background, the floor's reflection or a package of another family. A book's
// page block counts as its right side.
std::optional<Face> FaceAt(const CGL2AviView& view, double x, double y);

// "front", "back", "left", "right", "top", "bottom".
const char* FaceName(Face face);

// Handles a local file dropped at view point (x, y): a scene file (.VLMK)
// opens as Open Settings opens it; an image raises the same pick request as
// the Side Textures page's Browse for the face under the point, answered by
// the file itself when the next prepare step serves it; anything else
// changes nothing. Returns the sentence for the status bar. The view's
// context must be current (a scene file loads its images at once).
QString DropFileOnView(CGL2AviView& view, const QString& path, double x, double y);

}  // namespace vm
