// The book family renderer: the default images of the kinds that have them,
// the lazily imported model sets, the four parts of the book with their floor
// reflections, and the shadow.

#include "render/book_family.h"

#include "assets/program_folder.h"
#include "platform/gl.h"
#include "render/floor_effects.h"
#include "render/lighting.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

struct KindModels {
    ModelId part[4];    // front, back, spine, page block
    ModelId mirror[4];
};

const KindModels kKindModels[6] = {
    {{ModelId::FrontCover1, ModelId::BackCover1, ModelId::Binder1, ModelId::Page1},
     {ModelId::FrontCover1M, ModelId::BackCover1M, ModelId::SpineCover1M, ModelId::Page1M}},
    {{ModelId::FrontCurl, ModelId::BackCurl, ModelId::SpineCurl, ModelId::PageCurl},
     {ModelId::FrontCurlM, ModelId::BackCurlM, ModelId::SpineCurlM, ModelId::PageCurlM}},
    {{ModelId::FrontOpen, ModelId::BackOpen, ModelId::SpineOpen, ModelId::PageOpen},
     {ModelId::FrontOpenM, ModelId::BackOpenM, ModelId::SpineOpenM, ModelId::PageOpenM}},
    {{ModelId::FrontDisplay, ModelId::BackDisplay, ModelId::BinderDisplay, ModelId::PageDisplay},
     {ModelId::FrontDisplayM, ModelId::BackDisplayM, ModelId::BinderDisplayM, ModelId::PageDisplayM}},
    {{ModelId::StandUpOpenFront, ModelId::StandUpOpenBack, ModelId::StandUpOpenSpine, ModelId::StandUpOpenPage},
     {ModelId::StandUpOpenFrontM, ModelId::StandUpOpenBackM, ModelId::StandUpOpenSpineM,
      ModelId::StandUpOpenPageM}},
    {{ModelId::EZinesFront, ModelId::EZinesBack, ModelId::EZinesLeft, ModelId::EZinesPage},
     {ModelId::EZinesFrontM, ModelId::EZinesBackM, ModelId::EZinesLeftM, ModelId::EZinesPageM}},
};

const char* const kHardBackImages[3] = {"Design Images/front.jpg", "Design Images/back.jpg",
                                        "Design Images/Spine.jpg"};
const char* const kCurlImages[3] = {"Design Images/curvy-book-front.jpg", "Design Images/curvy-book-back.jpg",
                                    "Design Images/curvy-book-spine.jpg"};
const char* const kEzineImages[3] = {"Design Images/ezine-cover.jpg", "Design Images/ezine-back.jpg",
                                     "Design Images/ezine-spine.jpg"};

// The face (scene face index) whose plain flag and colour a part uses; the
// page block has none.
int faceOfPart(BookPart part) {
    switch (part) {
        case BookPart::Front: return 0;
        case BookPart::Back: return 1;
        case BookPart::Spine: return 2;
        case BookPart::Page: break;
    }
    return -1;
}

void setLight1(GLenum what, float a, float b, float c, float d) {
    const GLfloat values[4] = {a, b, c, d};
    glLightfv(GL_LIGHT1, what, values);
}

class BookFamilyRenderer {
public:
    explicit BookFamilyRenderer(CGL2AviView& view) : v(view), kind(BookKindOf(view.m_fBookKind)) {}

    void render() {
        if (v.m_fPackageFamily > 1.0f) return;
        if (IsSet(v.m_fModelBook)) {
            drawPartAndReflection(BookPart::Front);
            drawPartAndReflection(BookPart::Back);
            drawReflection(BookPart::Spine);  // the spine's mirror goes first
            drawPart(BookPart::Spine);
            drawPartAndReflection(BookPart::Page);
        }
        DrawBookFamilyShadow(v);
    }

    // The image sets and models the package asked for, before it is drawn.
    void prepare() {
        if (v.m_fPackageFamily > 1.0f || !IsSet(v.m_fModelBook)) return;
        loadRequestedImages();
        importModelSetOnFirstUse();
    }

private:
    void loadSet(const char* const (&files)[3]) {
        SetProgramFolderCurrent();
        v.m_fPathAsGiven = 0;
        for (int i = 0; i < 3; ++i) v.LoadTexture(QString::fromLatin1(files[i]), &v.m_texBookFace[i], i);
    }

    // Every request is cleared by the frame that looks at it, honoured or not.
    void loadRequestedImages() {
        if (IsSet(v.m_fBookDefaults) && (kind == BookKind::HardBack || kind == BookKind::Open ||
                                         kind == BookKind::Display))
            loadSet(kHardBackImages);
        v.m_fBookDefaults = 0;
        if (IsSet(v.m_fStandUpDefaults)) loadSet(kHardBackImages);
        v.m_fStandUpDefaults = 0;
        if (IsSet(v.m_fCurlDefaults) && v.m_fBookKind == 2.0f) {
            loadSet(kCurlImages);
            v.m_fCurlDefaultsLoaded = 2;
        }
        v.m_fCurlDefaults = 0;
        if (IsSet(v.m_fEzineDefaults) && v.m_fBookKind == 10.0f) loadSet(kEzineImages);
        v.m_fEzineDefaults = 0;
    }

    // The curled, open, display and stand-up sets are read on their first draw.
    void importModelSetOnFirstUse() {
        float* loaded = nullptr;
        ModelSet set = ModelSet::Curl;
        switch (kind) {
            case BookKind::Curled: loaded = &v.m_fCurlModelsLoaded; set = ModelSet::Curl; break;
            case BookKind::Open: loaded = &v.m_fOpenModelsLoaded; set = ModelSet::Open; break;
            case BookKind::Display: loaded = &v.m_fDisplayModelsLoaded; set = ModelSet::Display; break;
            case BookKind::StandUp: loaded = &v.m_fStandUpModelsLoaded; set = ModelSet::StandUp; break;
            case BookKind::HardBack:
            case BookKind::EZine: return;
        }
        if (IsSet(*loaded)) return;
        ImportModelSet(set, v.platform());
        *loaded = 2;
    }

    void transform(float tilt) {
        glTranslatef(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, 0.02f * (v.m_fPosZ - 1000.0f));
        glRotatef(v.m_fRotX, 1, 0, 0);
        glRotatef(v.m_fRotY, 0, 1, 0);
        glRotatef(v.m_fRotZ, 0, 0, 1);
        // The book leans about its bottom edge, 5.8 below and 1 behind its origin.
        glTranslatef(0.0f, -5.8f, -1.0f);
        glRotatef(tilt, 1, 0, 0);
        glTranslatef(0.0f, 5.8f, 1.0f);
        glScalef(1.0f + 0.01f * v.m_fSize[0], 1.0f + 0.01f * v.m_fSize[1], 1.0f + 0.01f * v.m_fSize[2]);
    }

    void drawPart(BookPart part) {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        PrepareBookPart(v, part, false);
        transform(v.m_fTilt);
        DrawMesh(GetModel(BookPartModel(kind, part)));
    }

    void drawReflection(BookPart part) {
        if (!IsSet(v.m_fReflection)) return;
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        PrepareBookPart(v, part, true);
        transform(-v.m_fTilt);
        const float factor = kind <= BookKind::Open ? 0.02f : 1.0f / 60.0f;
        BeginBookReflectionFade(v, part, v.m_fRotX, v.m_fPosZ, factor);
        DrawMesh(GetModel(BookPartMirror(kind, part)));
        EndBookReflectionFade(v);
    }

    void drawPartAndReflection(BookPart part) {
        drawPart(part);
        drawReflection(part);
    }

    CGL2AviView& v;
    BookKind kind;
};

}  // namespace

BookKind BookKindOf(float bookKind) {
    if (bookKind <= 1.0f) return BookKind::HardBack;
    if (bookKind <= 3.0f) return BookKind::Curled;
    if (bookKind <= 5.0f) return BookKind::Open;
    if (bookKind <= 7.0f) return BookKind::Display;
    if (bookKind <= 9.0f) return BookKind::StandUp;
    return BookKind::EZine;
}

QMatrix4x4 BookMatrix(const SceneState& v) {
    // The renderer's transform(m_fTilt), as a matrix.
    QMatrix4x4 m;
    m.translate(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, 0.02f * (v.m_fPosZ - 1000.0f));
    m.rotate(v.m_fRotX, 1, 0, 0);
    m.rotate(v.m_fRotY, 0, 1, 0);
    m.rotate(v.m_fRotZ, 0, 0, 1);
    m.translate(0.0f, -5.8f, -1.0f);
    m.rotate(v.m_fTilt, 1, 0, 0);
    m.translate(0.0f, 5.8f, 1.0f);
    m.scale(1.0f + 0.01f * v.m_fSize[0], 1.0f + 0.01f * v.m_fSize[1], 1.0f + 0.01f * v.m_fSize[2]);
    return m;
}

ModelId BookPartModel(BookKind kind, BookPart part) { return kKindModels[int(kind)].part[int(part)]; }
ModelId BookPartMirror(BookKind kind, BookPart part) { return kKindModels[int(kind)].mirror[int(part)]; }

void PrepareBookPart(CGL2AviView& v, BookPart part, bool reflection) {
    const int face = faceOfPart(part);
    const bool plain = face >= 0 && IsSet(v.m_fFacePlain[face]);
    // The page block has no colour of its own: its light takes the front's.
    const float* rgb = v.m_fFaceRGB[face >= 0 ? face : 0];

    if (reflection) glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    if (plain) {
        glDisable(GL_TEXTURE_2D);
        glColor4f(rgb[0], rgb[1], rgb[2], 1.0f);
    } else {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }

    glCullFace(GL_BACK);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    setLight1(GL_AMBIENT, 0.5f, 0.5f, 0.5f, 1.0f);
    setLight1(GL_DIFFUSE, 1.0f, 1.0f, 1.0f, 1.0f);
    setLight1(GL_POSITION, 0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_LIGHT1);

    ApplyBookSpotLight(v);
    if (NormalLightActive(v)) ApplyBookNormalLight(v, rgb);

    TextureName texture = v.m_texPage;
    if (part != BookPart::Page) texture = v.m_texBookFace[int(part)];
    glBindTexture(GL_TEXTURE_2D, texture);
}

void BeginBookReflectionFade(CGL2AviView& v, BookPart part, float rotX, float posZ, float factor) {
    if (IsSet(v.m_fShowPicture)) {
        EnableReflectionBlend(v);
        // A plain part keeps its colour under the blend's alpha.
        const int face = faceOfPart(part);
        if (face >= 0 && IsSet(v.m_fFacePlain[face])) {
            const float* rgb = v.m_fFaceRGB[face];
            glColor4f(rgb[0], rgb[1], rgb[2], 0.08f + 0.01f * v.m_fReflectAmount);
        }
        // Under the normal light the lit colour carries no alpha of its own:
        // let the blend's colour drive the material for this pass.
        if (NormalLightActive(v)) glEnable(GL_COLOR_MATERIAL);
        return;
    }
    v.m_fBookFogP = -0.05f - 0.01f * rotX;
    v.m_fBookFogQ = -1.3f - rotX / 300.0f;
    const float distance = posZ - 5.0f * v.m_fReflectAmount - 1000.0f;
    EnableReflectionFog(v, distance * v.m_fBookFogP * factor, distance * v.m_fBookFogQ * factor);
}

void EndBookReflectionFade(CGL2AviView& v) {
    if (IsSet(v.m_fShowPicture) && NormalLightActive(v)) glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_BLEND);
}

void CGL2AviView::RenderBookFamily() { BookFamilyRenderer(*this).render(); }

void CGL2AviView::PrepareBookFamily() { BookFamilyRenderer(*this).prepare(); }

}  // namespace vm
