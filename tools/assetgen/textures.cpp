// Not drawn yet: this part of the artwork is still to come.
#include "assetgen.h"

namespace assetgen {

bool WriteTextures(const QString&) { return true; }

}  // namespace assetgen
