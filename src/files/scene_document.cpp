#include "files/scene_document.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

#include "anim/build_track.h"
#include "assets/program_folder.h"
#include "platform/platform.h"

namespace vm {

namespace {

const QString kCaption = QStringLiteral("Vellumark");

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

void refreshKeyframePage(KeyframePage* page, int frameCount) {
    if (!page) return;
    page->setTimelineRange(frameCount);
    page->setTimelinePosition(0);
    page->setFrameDisplay(0);
    page->setFrameCountDisplay(frameCount);
    page->refreshFromScene();
}

// Reads and checks the whole file; the reason in `error` when it is refused.
bool readCheckedSceneFile(const QString& path, QByteArray& bytes, QString& error) {
    if (!ReadSceneFileBytes(path, bytes, &error)) return false;
    const SceneDecodeResult checked = CheckSceneFile(bytes);
    error = checked.error;
    return checked.ok;
}

}  // namespace

bool SaveSceneToFile(SceneState& scene, Platform& platform, SceneViewSize viewSize, const QString& path) {
    QString error;
    if (WriteSceneFile(scene, viewSize, path, &error)) return true;
    platform.messageBox(QStringLiteral("The scene could not be saved to \"%1\": %2.\nAny earlier file of that name is unchanged.")
                            .arg(QDir::toNativeSeparators(path), error),
                        kCaption, MessageButtons::Ok, MessageIcon::Error);
    return false;
}

bool ReadSceneFileToOpen(Platform& platform, const QString& path, QByteArray& bytes) {
    QString error;
    if (readCheckedSceneFile(path, bytes, error)) return true;
    platform.messageBox(QStringLiteral("The scene file \"%1\" cannot be opened: %2.\nThe scene stays as it was.")
                            .arg(QDir::toNativeSeparators(path), error),
                        kCaption, MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

SceneDecodeResult ApplySceneFile(const QByteArray& bytes, SceneState& scene) {
    ResetSceneFileValues(scene);
    SceneDecodeResult loaded = DecodeSceneFile(bytes, scene);
    if (!loaded.ok) return loaded;
    // The box renderer keeps the images of the file instead of its defaults.
    scene.m_fSceneOpened = 2;
    RebuildTrack(scene.m_trackModel);
    RebuildTrack(scene.m_trackText);
    RebuildTrack(scene.m_trackLight);
    RebuildTrack(scene.m_trackPicture);
    RebuildTrack(scene.m_trackArray);
    return loaded;
}

bool ReadSceneFile(const QString& path, SceneState& scene, QString* error, SceneDecodeResult* result) {
    QByteArray bytes;
    QString why;
    if (!readCheckedSceneFile(path, bytes, why)) {
        if (error) *error = why;
        return false;
    }
    SceneDecodeResult loaded = ApplySceneFile(bytes, scene);
    if (error) *error = loaded.error;
    const bool ok = loaded.ok;
    if (result) *result = std::move(loaded);
    return ok;
}

void RefreshPagesAfterLoad(const SceneState& scene, const DeckPages& pages) {
    refreshKeyframePage(pages.m_pControlsPage, scene.m_nFrameCount);
    refreshKeyframePage(pages.m_pTextPage, scene.m_nFrameCount);
}

void ReportSceneFileWarnings(Platform& platform, const QString& path, const SceneDecodeResult& loaded) {
    if (loaded.warnings.isEmpty()) return;
    platform.messageBox(QStringLiteral("The scene file \"%1\" was opened with these changes:\n%2.")
                            .arg(QDir::toNativeSeparators(path), loaded.warnings.join(QStringLiteral(";\n"))),
                        kCaption, MessageButtons::Ok, MessageIcon::Warning);
}

std::optional<QString> AskSceneFileToOpen(Platform& platform) {
    FileDialogRequest request;
    request.title = QStringLiteral("Open a Vellumark File");
    request.filter = windowsFilterToQt(QStringLiteral("Vellumark Files(*.VLMK)|*.VLMK||"));
    request.initialName = sceneDialogStart();
    request.mustExist = true;
    return platform.openFileName(request);
}

std::optional<QString> AskSceneFileToSave(Platform& platform) {
    FileDialogRequest request;
    request.title = QStringLiteral("Save a Vellumark File");
    request.filter =
        windowsFilterToQt(QStringLiteral("Vellumark Keyframe Files (*.VLMK) | *.VLMK | All Files (*.*) | *.*||"));
    request.defaultSuffix = QStringLiteral("VLMK");
    request.initialName = sceneDialogStart();
    request.mustExist = false;
    return platform.saveFileName(request);
}

void RememberSceneFolder(const QString& chosen) { lastSceneFolder() = QFileInfo(chosen).absolutePath(); }

}  // namespace vm
