#pragma once
// The parts of the artwork generator. Each writes its files below `root`
// (the folder of the executables) and returns false after printing why it failed.

#include <QString>

namespace assetgen {

bool WriteInterfaceArt(const QString& root);  // Res/: toolbar strips, About and start-up pictures

// Helpers shared by the parts.
bool EnsureFolder(const QString& path);

}  // namespace assetgen
