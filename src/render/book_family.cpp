// The book family renderer: the four parts of the book with their floor
// reflections, and the shadow; the default images of the kinds that have them.

#include "render/book_family.h"

#include "platform/gl.h"
#include "render/floor_effects.h"
#include "render/lighting.h"
#include "render/package_shape.h"
#include "render/package_floor.h"
#include "render/reflection_fade.h"
#include "render/renderers.h"
#include "render/soft_shadow.h"

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
    BookFamilyRenderer(const SceneState& scene, const GlResources& resources)
        : v(scene), res(resources), kind(BookKindOf(scene.m_fBookKind)),
          widthFactor(ShownFrontShape(scene, resources).widthFactor) {}

    void render() {
        if (v.m_fPackageFamily > 1.0f) return;
        if (res.studio()) {
            renderStudio();
            return;
        }
        if (IsSet(v.m_fModelBook)) {
            drawPartAndReflection(BookPart::Front);
            drawPartAndReflection(BookPart::Back);
            drawReflection(BookPart::Spine);  // the spine's mirror goes first
            drawPart(BookPart::Spine);
            drawPartAndReflection(BookPart::Page);
        }
        DrawBookFamilyShadow(v, widthFactor);
    }

private:
    // The studio look: the parts under the studio light, then their fading
    // mirrors, then the soft shadow.
    void renderStudio() {
        if (!IsSet(v.m_fModelBook)) return;
        const PackageOnFloor floor = BookPackageOnFloor(v, res);
        ApplyStudioLight(v, floor);
        for (BookPart part : {BookPart::Front, BookPart::Back, BookPart::Spine, BookPart::Page}) drawPart(part);
        if (IsSet(v.m_fReflection))
            DrawFadingReflection(v, floor, [this] {
                for (BookPart part : {BookPart::Front, BookPart::Back, BookPart::Spine, BookPart::Page}) {
                    glMatrixMode(GL_MODELVIEW);
                    glLoadIdentity();
                    PrepareBookPart(v, res, part, true);
                    transform(-v.m_fTilt);
                    DrawMesh(GetModel(BookPartMirror(kind, part)));
                }
            });
        if (IsSet(v.m_fShadow)) DrawSoftShadow(v, floor, IsSet(v.m_fReflection));
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
        glScalef(widthFactor * (1.0f + 0.01f * v.m_fSize[0]), 1.0f + 0.01f * v.m_fSize[1],
                 1.0f + 0.01f * v.m_fSize[2]);
    }

    void drawPart(BookPart part) {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        PrepareBookPart(v, res, part, false);
        transform(v.m_fTilt);
        DrawMesh(GetModel(BookPartModel(kind, part)));
    }

    void drawReflection(BookPart part) {
        if (!IsSet(v.m_fReflection)) return;
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        PrepareBookPart(v, res, part, true);
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

    const SceneState& v;
    const GlResources& res;
    BookKind kind;
    // The cover in its image's proportions (render/package_shape.h).
    float widthFactor;
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

QMatrix4x4 BookMatrix(const SceneState& v, const GlResources& res) {
    // The renderer's transform(m_fTilt), as a matrix.
    QMatrix4x4 m;
    m.translate(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, 0.02f * (v.m_fPosZ - 1000.0f));
    m.rotate(v.m_fRotX, 1, 0, 0);
    m.rotate(v.m_fRotY, 0, 1, 0);
    m.rotate(v.m_fRotZ, 0, 0, 1);
    m.translate(0.0f, -5.8f, -1.0f);
    m.rotate(v.m_fTilt, 1, 0, 0);
    m.translate(0.0f, 5.8f, 1.0f);
    m.scale(ShownFrontShape(v, res).widthFactor * (1.0f + 0.01f * v.m_fSize[0]), 1.0f + 0.01f * v.m_fSize[1],
            1.0f + 0.01f * v.m_fSize[2]);
    return m;
}

PackageOnFloor BookPackageOnFloor(const SceneState& v, const GlResources& res) {
    // The renderer's placement and pitch: the floor turns with neither the
    // book's turn nor its lean.
    QMatrix4x4 frame;
    frame.translate(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, 0.02f * (v.m_fPosZ - 1000.0f));
    frame.rotate(v.m_fRotX, 1, 0, 0);
    PackageOnFloor floor(frame);
    const BookKind kind = BookKindOf(v.m_fBookKind);
    const QMatrix4x4 book = BookMatrix(v, res);
    for (BookPart part : {BookPart::Front, BookPart::Back, BookPart::Spine, BookPart::Page})
        floor.addModel(GetModel(BookPartModel(kind, part)), book);
    return floor;
}

const char* const* BookImageFiles(BookKind kind) {
    switch (kind) {
        case BookKind::Curled: return kCurlImages;
        case BookKind::EZine: return kEzineImages;
        default: break;
    }
    return kHardBackImages;
}

ModelId BookPartModel(BookKind kind, BookPart part) { return kKindModels[int(kind)].part[int(part)]; }
ModelId BookPartMirror(BookKind kind, BookPart part) { return kKindModels[int(kind)].mirror[int(part)]; }

void PrepareBookPart(const SceneState& v, const GlResources& res, BookPart part, bool reflection) {
    const int face = faceOfPart(part);
    const bool plain = face >= 0 && IsSet(v.m_fFacePlain[face]);
    // The page block has no colour of its own: its light takes the front's.
    const float* rgb = v.m_fFaceRGB[face >= 0 ? face : 0];

    if (reflection && !res.studio()) glDisable(GL_LIGHTING);
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
    if (res.studio()) {
        // The studio light is set once for the book; the colour is the
        // material. The fade blends the mirror itself.
        if (!reflection) glDisable(GL_BLEND);
        glBindTexture(GL_TEXTURE_2D, part == BookPart::Page ? res.m_texPage : res.m_texBookFace[int(part)]);
        return;
    }
    glDisable(GL_BLEND);
    setLight1(GL_AMBIENT, 0.5f, 0.5f, 0.5f, 1.0f);
    setLight1(GL_DIFFUSE, 1.0f, 1.0f, 1.0f, 1.0f);
    setLight1(GL_POSITION, 0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_LIGHT1);

    ApplyBookSpotLight(v);
    if (NormalLightActive(v)) ApplyBookNormalLight(v, rgb);

    TextureName texture = res.m_texPage;
    if (part != BookPart::Page) texture = res.m_texBookFace[int(part)];
    glBindTexture(GL_TEXTURE_2D, texture);
}

BookFogFactors BookReflectionFog(float rotX) { return {-0.05f - 0.01f * rotX, -1.3f - rotX / 300.0f}; }

void BeginBookReflectionFade(const SceneState& v, BookPart part, float rotX, float posZ, float factor) {
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
    const BookFogFactors fog = BookReflectionFog(rotX);
    const float distance = posZ - 5.0f * v.m_fReflectAmount - 1000.0f;
    EnableReflectionFog(v, distance * fog.p * factor, distance * fog.q * factor);
}

void EndBookReflectionFade(const SceneState& v) {
    if (IsSet(v.m_fShowPicture) && NormalLightActive(v)) glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_BLEND);
}

void RenderBookFamily(const SceneState& scene, const GlResources& res) { BookFamilyRenderer(scene, res).render(); }

}  // namespace vm
