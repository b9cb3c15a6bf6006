#pragma once
// Opening and saving scene files on a scene: the file is read and checked
// whole before the scene is touched, and saves replace the old file only once
// the new one is complete. Nothing here needs a drawing context; the images a
// scene names are loaded by scene_images.h.

#include <QByteArray>
#include <QString>
#include <optional>

#include "files/scene_file.h"
#include "scene/page_interfaces.h"
#include "scene/scene_state.h"

namespace vm {

class Platform;

// Writes the scene to `path`; when that fails, tells the user why (the old
// file of that name is unchanged) and returns false.
bool SaveSceneToFile(SceneState& scene, Platform& platform, SceneViewSize viewSize, const QString& path);

// Reads `path` and checks the whole file. When it cannot be opened, tells the
// user why and returns false; the scene stays as it was.
bool ReadSceneFileToOpen(Platform& platform, const QString& path, QByteArray& bytes);

// Puts a checked file into a scene that File > New has just reset: the values
// a load resets, the file's values, the mark that a scene was opened, and
// every track built again from its keys.
SceneDecodeResult ApplySceneFile(const QByteArray& bytes, SceneState& scene);

// Reads a scene file into `scene` on its own: ReadSceneFileBytes, then
// ApplySceneFile into `scene`, which should hold File > New's values. False
// with the reason in `error` when the file is refused; `scene` then stays as
// it was.
bool ReadSceneFile(const QString& path, SceneState& scene, QString* error, SceneDecodeResult* result = nullptr);

// After a load: the Controls and Text pages show the new frame count at frame 0.
void RefreshPagesAfterLoad(const SceneState& scene, const DeckPages& pages);

// Tells the user what a load read in a changed form, if anything.
void ReportSceneFileWarnings(Platform& platform, const QString& path, const SceneDecodeResult& loaded);

// File > Open Settings and File > Save Settings ask for a file in the
// presets' folder first, then where the user last opened or saved a scene.
std::optional<QString> AskSceneFileToOpen(Platform& platform);
std::optional<QString> AskSceneFileToSave(Platform& platform);
// The folder of a scene file opened or saved, where the next dialog starts.
void RememberSceneFolder(const QString& chosen);

}  // namespace vm
