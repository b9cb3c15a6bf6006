#pragma once
// Reads 3DS files into Model3DS: objects, vertices (turned from Z-up to Y-up),
// faces, texture coordinates and material links, and the materials' names,
// texture file names and colours. Everything else in a file is skipped.

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "assets/model_3ds.h"

namespace vm {

class Platform;

struct Chunk {
    std::uint16_t wId = 0;
    std::uint32_t dwLength = 0;  // whole chunk including its 6-byte header
    std::uint32_t dwBytesRead = 0;
};

class Loader3DS {
public:
    // Appends the objects and materials of `fileName` to `model` and computes
    // the vertex normals. Problems are shown in `platform`'s message boxes:
    // "Unable to find the file: %s!", "Unable to load PRIMARY chuck from
    // file: %s!" and the version warning.
    bool LoadModelFile(Model3DS& model, const QString& fileName, Platform& platform);
    // The same for a file's bytes; `fileName` only names it in the messages.
    bool LoadModelBytes(Model3DS& model, const QByteArray& bytes, const QString& fileName, Platform& platform);
};

}  // namespace vm
