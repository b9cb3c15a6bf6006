// Scene files on the view: files/ reads, checks and writes them on the scene;
// the view resets itself for the opened scene and does the context's part
// (textures, glyphs, the clear colour, the spot light).

#include "view/scene_file_commands.h"

#include "files/presets.h"
#include "files/scene_document.h"
#include "files/scene_images.h"
#include "platform/gl.h"
#include "view/face_images.h"
#include "view/gl2avi_view.h"
#include "view/package_choice.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace vm {

namespace {

void setUpSpotLight(const SceneState& s) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat position[4] = {s.m_fSpotPos[0], s.m_fSpotPos[1], s.m_fSpotPos[2], 1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
    glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 40.0f);
    glEnable(GL_LIGHT1);
}

}  // namespace

bool CGL2AviView::SaveSceneFile(const QString& path) {
    return SaveSceneToFile(scene(), m_platform, {m_nViewWidth, m_nViewHeight}, path);
}

bool CGL2AviView::LoadSceneFile(const QString& path) {
    QByteArray bytes;
    if (!ReadSceneFileToOpen(m_platform, path, bytes)) return false;

    // The file reads cleanly: only now is the open scene replaced.
    OnNewScene();
    const SceneDecodeResult loaded = ApplySceneFile(bytes, scene());
    if (!loaded.ok) return false;  // cannot happen: the same bytes were just read cleanly

    LoadPackageDefaultImages();
    ReportMissingImages(path, ReloadSceneImages(scene(), resources(), loaded.version));
    glClearColor(m_scene.m_fBackRGB[0], m_scene.m_fBackRGB[1], m_scene.m_fBackRGB[2], 0.0f);
    RebuildTextGlyphs();
    RefreshPagesAfterLoad(scene(), pages());
    setUpSpotLight(scene());
    ReportSceneFileWarnings(m_platform, path, loaded);
    return true;
}

void CGL2AviView::LoadPackageDefaultImages() {
    const int package = ShownPackageIndex(scene());
    if (package < 0) return;
    // The image requests the package's choice raises, served as on a choice;
    // the rest of the scene (sizes, places, light) stays as the file has it.
    auto chosen = std::make_unique<SceneState>();
    WritePackageValues(*chosen, package);
    m_scene.m_fLoadDefaults = chosen->m_fLoadDefaults;
    std::copy(std::begin(chosen->m_fDefaultSet), std::end(chosen->m_fDefaultSet), std::begin(m_scene.m_fDefaultSet));
    m_scene.m_fBookDefaults = chosen->m_fBookDefaults;
    m_scene.m_fCurlDefaults = chosen->m_fCurlDefaults;
    m_scene.m_fStandUpDefaults = chosen->m_fStandUpDefaults;
    m_scene.m_fEzineDefaults = chosen->m_fEzineDefaults;
    const float opened = m_scene.m_fSceneOpened, userSides = m_scene.m_fUserSides;
    m_scene.m_fSceneOpened = 0;
    m_scene.m_fUserSides = 0;
    PrepareBoxFamily();
    PrepareBookFamily();
    m_scene.m_fSceneOpened = opened;
    m_scene.m_fUserSides = userSides;
}

void CGL2AviView::ReportMissingImages(const QString& sceneFile, const QList<MissingImage>& missing) {
    QStringList names;
    for (const MissingImage& image : missing) {
        bool onPackage = false;
        for (int row = 0; row < kFaceImageRows; ++row) onPackage |= FaceImageSlot(m_scene, m_resources, row) == image.slot;
        if (onPackage && !names.contains(image.path)) names << QDir::toNativeSeparators(image.path);
    }
    if (names.isEmpty()) return;
    m_platform.messageBox(QStringLiteral("These images of \"%1\" could not be read; their faces show the package's own "
                                         "images instead:\n%2")
                              .arg(QFileInfo(sceneFile).fileName(), names.join(QStringLiteral("\n"))),
                          QStringLiteral("Vellumark"), MessageButtons::Ok, MessageIcon::Warning);
}

bool CGL2AviView::OpenSceneFile(const QString& path) {
    RememberSceneFolder(path);
    return LoadSceneFile(path);
}

void CGL2AviView::OnOpenSettings() {
    if (const std::optional<QString> chosen = AskSceneFileToOpen(m_platform)) OpenSceneFile(*chosen);
}

void CGL2AviView::OnSaveSettings() {
    const std::optional<QString> chosen = AskSceneFileToSave(m_platform);
    if (!chosen) return;
    RememberSceneFolder(*chosen);
    // The scene file has no place for the CD disc's label.
    if (SaveSceneFile(*chosen) && !m_scene.m_strCDLabelPath.isEmpty())
        ShowStatus(QStringLiteral("Saved. The custom CD label is not stored in scene files: pick it again after "
                                  "opening the scene."));
}

int CGL2AviView::ListPresets() { return vm::ListPresets(scene()); }

void CGL2AviView::LoadStartPreset(bool chooseAtRandom) {
    bool opened = true;
    if (const std::optional<QString> preset = ChooseStartPreset(scene(), chooseAtRandom)) opened = LoadSceneFile(*preset);
    SettleStartPreset(scene(), opened);
}

bool AddToPresets(CGL2AviView& view) {
    return AddToPresets(view.scene(), view.platform(), {view.m_nViewWidth, view.m_nViewHeight});
}

bool LoadPreset(CGL2AviView& view, int index) {
    const std::optional<QString> preset = ChoosePreset(view.scene(), index);
    return preset && view.LoadSceneFile(*preset);
}

}  // namespace vm
