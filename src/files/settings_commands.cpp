// File > Open Settings and File > Save Settings.

#include <QDir>
#include <QFileInfo>

#include "assets/program_folder.h"
#include "platform/platform.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

// Both scene dialogs start in the presets' folder and then where the user
// last opened or saved a scene.
QString& lastSceneFolder() {
    static QString folder;
    return folder;
}

QString sceneDialogStart() {
    const QString folder =
        lastSceneFolder().isEmpty() ? QDir(ProgramFolder()).filePath(QStringLiteral("Sequences")) : lastSceneFolder();
    return QDir(folder).filePath(QStringLiteral("*.VLMK"));
}

void rememberSceneFolder(const QString& chosen) { lastSceneFolder() = QFileInfo(chosen).absolutePath(); }

}  // namespace

void CGL2AviView::OnOpenSettings() {
    FileDialogRequest request;
    request.title = QStringLiteral("Open a Vellumark File");
    request.filter = windowsFilterToQt(QStringLiteral("Vellumark Files(*.VLMK)|*.VLMK||"));
    request.initialName = sceneDialogStart();
    request.mustExist = true;
    if (const std::optional<QString> chosen = m_platform.openFileName(request)) OpenSceneFile(*chosen);
}

bool CGL2AviView::OpenSceneFile(const QString& path) {
    rememberSceneFolder(path);
    return LoadSceneFile(path);
}

void CGL2AviView::OnSaveSettings() {
    FileDialogRequest request;
    request.title = QStringLiteral("Save a Vellumark File");
    request.filter =
        windowsFilterToQt(QStringLiteral("Brevant Keyframe Files (*.VLMK) | *.VLMK | All Files (*.*) | *.*||"));
    request.defaultSuffix = QStringLiteral("VLMK");
    request.initialName = sceneDialogStart();
    request.mustExist = false;
    if (const std::optional<QString> chosen = m_platform.saveFileName(request)) {
        rememberSceneFolder(*chosen);
        // The scene file has no place for the CD disc's label.
        if (SaveSceneFile(*chosen) && !m_strCDLabelPath.isEmpty())
            ShowStatus(QStringLiteral("Saved. The custom CD label is not stored in scene files: pick it again after "
                                      "opening the scene."));
    }
}

}  // namespace vm
