// The scene values a pass of the renderers keeps up to date, computed outside
// the renderers at the places render/renderers.h gives.

#include <algorithm>

#include "render/book_family.h"
#include "render/renderers.h"

namespace vm {

void PrepareScenePass(SceneState& s) {
    if (IsSet(s.m_fShowPicture)) {
        s.m_fPictureWidth = float(s.m_nPictureWidthHM);
        s.m_fPictureHeight = float(s.m_nPictureHeightHM);
    }
    // A picture box takes back the size it had before a package that changed it.
    if (s.m_fPackageFamily == 4.0f && IsSet(s.m_fFarLight)) {
        if (IsSet(s.m_fRestoreImageSize)) {
            s.m_fImageWidth = s.m_fSavedImageWidth;
            s.m_fImageHeight = s.m_fSavedImageHeight;
        }
        s.m_fRestoreImageSize = 0;
    }
    if (s.m_fPackageFamily == 6.0f) {
        s.m_fImageWidth = float(s.m_nImageWidthHM);
        s.m_fImageHeight = float(s.m_nImageHeightHM);
    }

    // The fog factors of the last book reflection the pass draws in fog: the
    // array's books come after the single book.
    if (!IsSet(s.m_fShowPicture)) {
        const bool arrayReflects = IsSet(s.m_fMultiBook) && std::clamp(s.m_nArrayCount, 0, kMaxArrayBooks) > 0 &&
                                   IsSet(s.m_fArrayReflection);
        const bool bookReflects = s.m_fPackageFamily <= 1.0f && IsSet(s.m_fModelBook) && IsSet(s.m_fReflection);
        if (arrayReflects || bookReflects) {
            const BookFogFactors fog = BookReflectionFog(arrayReflects ? s.m_fArrayBookRot[0] : s.m_fRotX);
            s.m_fBookFogP = fog.p;
            s.m_fBookFogQ = fog.q;
        }
    }
}

void LimitBookShadowLength(SceneState& s) {
    if (s.m_fPackageFamily <= 1.0f) s.m_fShadowLength = LimitedBookShadowLength(s);
}

void PrepareMug(SceneState& s) {
    if (s.m_fPackageFamily != 2.0f) return;
    if (s.m_fMugSeen <= 1.0f) s.m_fSpotPos[2] = 100;
    s.m_fMugSeen = 4;
}

}  // namespace vm
