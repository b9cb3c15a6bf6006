// Not drawn yet: this renderer is still to be written.
#include "view/gl2avi_view.h"

namespace vm {

void CGL2AviView::RenderText() {}

}  // namespace vm

namespace vm {

void CGL2AviView::BuildGlyphLists() {}

}  // namespace vm
