#pragma once
// The package choice: a thumbnail's file name selects a package and writes
// its description into the scene.

#include <QString>
#include <QStringList>

namespace vm {

struct SceneState;

// The thumbnails of the package table, in table order ("Cube.jpg" ... "CD-Disk.jpg").
const QStringList& PackageThumbnailNames();
// The table index of a thumbnail name, or -1.
int PackageIndex(const QString& thumbnail);

// Writes the package's scene values (no apply-count logic).
void WritePackageValues(SceneState& scene, int index);

// The package the scene shows: the index whose package fields (family, box
// type and model, book kind, CD placement, and the size where those leave
// several) match the scene's, when exactly one does; otherwise -1.
int ShownPackageIndex(const SceneState& scene);

// The user picked a thumbnail: its package is written into the scene once,
// unless it is the package already shown (a second click on it must not
// replace the user's images with the package's defaults). Returns true when
// the package was applied.
bool ChoosePackage(SceneState& scene, const QString& thumbnail);

}  // namespace vm
