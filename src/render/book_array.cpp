// Not drawn yet: this renderer is still to be written.
#include "view/gl2avi_view.h"

namespace vm {

void CGL2AviView::RenderBookArray() {}

}  // namespace vm
