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

// The check the Controls page runs on every command: a selected thumbnail
// applies its package while its count of applications in a row is at most 3
// (so at most four times), counting it and resetting the others' counts.
// Returns true when the package was applied. The name is recorded in
// m_strSelectedThumb, and replaced by "Zed.jpg" after an application.
bool ApplySelectedThumbnail(SceneState& scene, const QString& thumbnail);

}  // namespace vm
