#pragma once
// Writes models as 3DS files that Loader3DS reads back exactly: the objects
// (positions in the view's Y-up axes, turned back into the file's Z-up axes),
// their faces, one texture coordinate per vertex and material link, and the
// materials' names, texture file names and diffuse colours. Normals are not
// stored: the reader computes them.

#include <QByteArray>
#include <QString>

#include "assets/model_3ds.h"

namespace vm {

// The file's bytes, or an empty array when the model cannot be stored (an
// object with more than 65,535 vertices or faces, a face index outside its
// object, a texture coordinate count other than zero or the vertex count, a
// material link that the reader could not find again). `error` then says why.
// An object of material -1 is stored with a material name that none has.
QByteArray Model3DSBytes(const Model3DS& model, QString* error = nullptr);

// Model3DSBytes written to `fileName` through a temporary file; false (with
// `error`) when it could not be, and any earlier file is then unchanged.
bool WriteModelFile(const Model3DS& model, const QString& fileName, QString* error = nullptr);

}  // namespace vm
