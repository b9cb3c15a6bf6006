#include "view/face_images.h"

#include <QDir>

#include "assets/program_folder.h"
#include "render/box_family.h"
#include "render/renderers.h"

namespace vm {

const TextureName* FaceImageSlot(const SceneState& s, const GlResources& res, int row) {
    if (row < 0 || row >= kFaceImageRows) return nullptr;
    const float family = s.m_fPackageFamily;
    if (family <= 1.0f) return row < 3 ? &res.m_texBookFace[row] : nullptr;  // front, back, spine
    if (family == 2.0f) return row == 6 ? &MugPrintSlot() : nullptr;
    if (family == 6.0f) return row == 7 ? &BoxFaceSlot(0) : nullptr;
    if (family == 7.0f) return row == 0 ? &res.m_texCDLabel : nullptr;
    if (family != 4.0f || row >= 6) return nullptr;
    // The box model's objects are front, right, back, left, bottom, top.
    static const int kObjectOfRow[6] = {0, 2, 3, 1, 5, 4};
    return &BoxFaceSlot(kObjectOfRow[row]);
}

std::array<QString, kFaceImageRows> FaceImageFiles(const SceneState& s, const GlResources& res) {
    std::array<QString, kFaceImageRows> files;
    const QDir program(ProgramFolder());
    for (int row = 0; row < kFaceImageRows; ++row) {
        const TextureName* slot = FaceImageSlot(s, res, row);
        if (!slot) continue;
        const QString path = QDir::cleanPath(res.FileOfSlot(slot));
        if (path.isEmpty() || path == ".") continue;
        const QString relative = program.relativeFilePath(path);
        files[size_t(row)] = QDir::toNativeSeparators(relative.startsWith("..") ? path : relative);
    }
    return files;
}

}  // namespace vm
