#pragma once
// Scene files (.VLMK): the whole scene with the keys of its five tracks, as a
// flat versioned archive. Writing always gives the current version; reading
// accepts every version from 1 on and leaves the fields a version lacks as the
// reset left them.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "scene/scene_state.h"

namespace vm {

constexpr int kSceneFileVersion = 17;
constexpr int kMaxSceneKeys = 9999;        // keys after the frame-0 key, per track
constexpr int kMaxSceneFrameCount = 10000;  // the frame-count control's maximum
// No scene file comes near this; larger files are refused before reading.
constexpr qsizetype kMaxSceneFileBytes = qsizetype(64) << 20;

struct SceneViewSize {
    int width = 0, height = 0;
};

// The scene as a version-17 file. Sets m_strSizeMarker to the version first,
// as every save does.
QByteArray EncodeSceneFile(SceneState& scene, SceneViewSize viewSize);

// The same scene in the layout of an older version (1..17), as the program's
// earlier releases wrote it; for reading tests and conversions.
QByteArray EncodeSceneFileAsVersion(SceneState& scene, SceneViewSize viewSize, int version);

struct SceneDecodeResult {
    bool ok = false;
    QString error;  // why the file was refused, for the message box
    QStringList warnings;  // what was read in a changed form (clamped, not a number)
    int version = 0;
    SceneViewSize viewSize;  // as stored; a load does not apply it
};

// Reads `bytes` into `scene`, which should hold the reset values. Stops at the
// first fault; `scene` is then partly written, so callers read into a scene
// that replaces the real one only after success.
SceneDecodeResult DecodeSceneFile(const QByteArray& bytes, SceneState& scene);

// Checks the whole file by reading it into a scratch scene.
SceneDecodeResult CheckSceneFile(const QByteArray& bytes);

// The reset a load starts from, for the values that New leaves alone but a
// scene file holds.
void ResetSceneFileValues(SceneState& scene);

// Writes the file safely: into a temporary file that replaces `path` only
// once it is complete. False with a reason in `error` when it fails.
bool WriteSceneFile(SceneState& scene, SceneViewSize viewSize, const QString& path, QString* error);

// Reads a file from disk within the size limit. False with a reason.
bool ReadSceneFileBytes(const QString& path, QByteArray& bytes, QString* error);

}  // namespace vm
