// File > Open Settings and File > Save Settings.

#include "platform/platform.h"
#include "view/gl2avi_view.h"

namespace vm {

void CGL2AviView::OnOpenSettings() {
    FileDialogRequest request;
    request.title = QStringLiteral("Open a Vellumark File");
    request.filter = windowsFilterToQt(QStringLiteral("Vellumark Files(*.VLMK)|*.VLMK||"));
    request.mustExist = true;
    if (const std::optional<QString> chosen = m_platform.openFileName(request)) LoadSceneFile(*chosen);
}

void CGL2AviView::OnSaveSettings() {
    FileDialogRequest request;
    request.title = QStringLiteral("Save a Vellumark File");
    request.filter =
        windowsFilterToQt(QStringLiteral("Brevant Keyframe Files (*.VLMK) | *.VLMK | All Files (*.*) | *.*||"));
    request.defaultSuffix = QStringLiteral("VLMK");
    request.initialName = QStringLiteral("*.VLMK");
    request.mustExist = false;
    if (const std::optional<QString> chosen = m_platform.saveFileName(request)) SaveSceneFile(*chosen);
}

}  // namespace vm
