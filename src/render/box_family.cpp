// Not drawn yet: the box family is still to be written.
#include "view/gl2avi_view.h"

namespace vm {

void CGL2AviView::RenderBoxFamily() {}

}  // namespace vm
