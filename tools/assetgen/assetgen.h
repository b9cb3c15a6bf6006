#pragma once
// The parts of the artwork generator. Each writes its files below `root`
// (the folder of the executables) and returns false after printing why it failed.

#include <QString>

namespace assetgen {

bool WriteInterfaceArt(const QString& root);    // Res/: toolbar strips, About and start-up pictures
bool WriteModels(const QString& root);          // Models/: the 57 package models
bool WriteDesignImages(const QString& root);    // Design Images/: default face images, CD labels, pages
bool WriteTextures(const QString& root);        // Textures/: environment maps, background picture
bool WriteThumbnails(const QString& root);      // Thumbs/: the package thumbnails
bool WriteIllustrations(const QString& root);   // Res/: the Control Deck pages' illustrations
bool WritePresets(const QString& root);         // Sequences/: example scenes with keys

// Helpers shared by the parts.
bool EnsureFolder(const QString& path);

}  // namespace assetgen
