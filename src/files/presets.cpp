// Not written yet: presets and scene files are still to come.
#include "view/gl2avi_view.h"

namespace vm {

int CGL2AviView::ListPresets() {
    m_strPresetNames[0] = "Nothing Selected";
    return 0;
}

bool CGL2AviView::LoadSceneFile(const QString&) { return false; }

}  // namespace vm
