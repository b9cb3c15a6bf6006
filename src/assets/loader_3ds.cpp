// Placeholder until the chunk reader lands: every import fails quietly.
#include "assets/loader_3ds.h"

namespace vm {

bool Loader3DS::LoadModelFile(Model3DS&, const QString&, Platform&) { return false; }

}  // namespace vm
