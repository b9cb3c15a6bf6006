// The box family renderer: the package, the CD discs, the floor reflection
// and the shadow; and the default image sets.

#include "render/box_family.h"

#include <cmath>

#include "assets/model_set.h"
#include "assets/texture_table.h"
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

const char* const kBoxSet[6] = {"Design Images/box-front.jpg", "Design Images/box-right.jpg",
                                "Design Images/box-back.jpg",  "Design Images/box-left.jpg",
                                "Design Images/box-top.jpg",   "Design Images/box-bottom.jpg"};
const char* const kCubeSet[6] = {"Design Images/1-info-cube.jpg", "Design Images/2-info-cube.jpg",
                                 "Design Images/3-info-cube.jpg", "Design Images/4-info-cube.jpg",
                                 "Design Images/6-info-cube.jpg", "Design Images/5-info-cube.jpg"};
const char* const kJewelCaseSet[6] = {"Design Images/jewel-case-front.jpg", "Design Images/jewel-case-left-right.jpg",
                                      "Design Images/jewel-case-back.jpg",  "Design Images/jewel-case-left-right.jpg",
                                      "Design Images/jewel-case-top.jpg",   "Design Images/jewel-case-bottom.jpg"};
const char* const kDvdSet[6] = {"Design Images/dvd-cover.jpg", "Design Images/dvd-right.jpg",
                                "Design Images/dvd-back.jpg",  "Design Images/dvd-spine.jpg",
                                "Design Images/dvd-top.jpg",   "Design Images/DVD-bottom.jpg"};
const char* const kPaperbackSet[6] = {"Design Images/paperback-front.jpg", "Design Images/ePage.jpg",
                                      "Design Images/paperback-back.jpg",  "Design Images/paperback-spine.jpg",
                                      "Design Images/ePage.jpg",           "Design Images/ePage.jpg"};
const char* const kSlimPaperbackSet[6] = {
    "Design Images/slim-paperback-front.jpg", "Design Images/ePage.jpg", "Design Images/slim-paperback-back.jpg",
    "Design Images/slim-paperback-spine.jpg", "Design Images/ePage.jpg", "Design Images/ePage.jpg"};
const char* const kTapeSet[6] = {"Design Images/jetman-front.jpg", "Design Images/jetman-right.jpg",
                                 "Design Images/jetman-back.jpg",  "Design Images/jetman-spine.jpg",
                                 "Design Images/jetman-top.jpg",   "Design Images/jetman-bottom.jpg"};

// Image order of the sets (front, right, back, left, top, bottom) to objects.
constexpr int kSetObjects[6] = {0, 1, 2, 3, 5, 4};
// The box models stand on this floor (model units); their mirrored copies
// hang below it.
constexpr float kBoxFloorY = -3.1f;

enum class BoxKind { Cube, Stack1, Stack2 };

BoxKind boxKind(float boxModel) {
    if (boxModel <= 1.0f) return BoxKind::Cube;
    if (boxModel == 2.0f) return BoxKind::Stack1;
    if (boxModel == 4.0f) return BoxKind::Stack2;
    return BoxKind::Cube;
}

ModelId packageModel(BoxKind kind) {
    switch (kind) {
        case BoxKind::Stack1: return ModelId::DVDStack1;
        case BoxKind::Stack2: return ModelId::DVDStack2;
        case BoxKind::Cube: break;
    }
    return ModelId::Cube1;
}

ModelId reflectionModel(BoxKind kind) {
    switch (kind) {
        case BoxKind::Stack1: return ModelId::DVDStack1M;
        case BoxKind::Stack2: return ModelId::DVDStack2M;
        case BoxKind::Cube: break;
    }
    return ModelId::Cube2;
}

void setLight1Colour(const float rgb[3]) {
    const GLfloat colour[4] = {rgb[0], rgb[1], rgb[2], 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, colour);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, colour);
}


class BoxFamilyRenderer {
public:
    BoxFamilyRenderer(const SceneState& scene, const GlResources& resources)
        : v(scene), res(resources), widthFactor(ShownFrontShape(scene, resources).widthFactor) {}

    void render() {
        if (v.m_fPackageFamily != 4.0f) return;
        if (res.studio()) {
            renderStudio();
            return;
        }
        ResetBoxFamilyState();
        if (NormalLightActive(v)) ApplyBoxNormalLight(v);

        const BoxKind kind = boxKind(v.m_fBoxModel);
        drawPackage(kind);
        if (IsSet(v.m_fCDInCase)) drawDiscInCase();
        if (IsSet(v.m_fCDOnBox)) drawDiscBeforeBox();

        ResetBoxFamilyState();
        if (NormalLightActive(v)) ApplyBoxNormalLight(v);
        if (!IsSet(v.m_fShowPicture))
            EnableReflectionFog(v, v.m_fFogStartBase + v.m_fReflectAmount - 200.0f - 0.5f * v.m_fPosZ,
                                v.m_fFogEndBase + v.m_fReflectAmount - 210.0f - v.m_fPosZ - 40.0f);
        drawReflection(kind);
        if (IsSet(v.m_fCDOnBox) && IsSet(v.m_fReflection)) drawDiscBeforeBoxReflection();
        glDisable(GL_FOG);
        if (kind == BoxKind::Cube && IsSet(v.m_fShadow)) drawShadow();
    }

private:
    bool pictureMode() const { return IsSet(v.m_fFarLight); }

    // The studio look: the package and its discs under the studio light, the
    // fading mirror (the stacks' too, when the reflection is on) and the
    // soft shadow of every box.
    void renderStudio() {
        const BoxKind kind = boxKind(v.m_fBoxModel);
        const PackageOnFloor floor = BoxPackageOnFloor(v, res);
        ResetBoxFamilyState();
        ApplyStudioLight(v, floor);
        drawPackage(kind);
        if (IsSet(v.m_fCDInCase)) drawDiscInCase();
        if (IsSet(v.m_fCDOnBox)) drawDiscBeforeBox();

        if (IsSet(v.m_fReflection)) {
            ResetBoxFamilyState();
            ApplyStudioLight(v, floor);
            const bool cube = kind == BoxKind::Cube;
            DrawFadingReflection(v, floor, [&] {
                glLoadIdentity();
                packageTransform(cube ? -v.m_fTilt : 0.0f, cube);
                packageScale();
                drawFaces(GetModel(reflectionModel(kind)), kBoxFloorY);
            });
        }
        if (IsSet(v.m_fShadow)) DrawSoftShadow(v, floor, IsSet(v.m_fReflection));
        ResetBoxFamilyState();
    }

    void packageTransform(float tilt, bool tilts) {
        glTranslatef(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, v.m_fPosZ - 100.0f);
        glRotatef(v.m_fRotX, 1, 0, 0);
        glRotatef(v.m_fRotY, 0, 1, 0);
        glRotatef(v.m_fRotZ, 0, 0, 1);
        if (tilts) {
            // The cube leans about a point 19.8 below and 2.7 behind its origin.
            glTranslatef(0.0f, -19.8f, -2.7f);
            glRotatef(tilt, 1, 0, 0);
            glTranslatef(0.0f, 19.8f, 2.7f);
        }
    }

    void packageScale() {
        if (pictureMode()) {
            if (IsSet(v.m_fPictureSized))
                glScalef(BoxImageWidth(v) / 3000.0f, BoxImageHeight(v) / 3000.0f, 2.0f * v.m_fPictureDepth);
            else
                glScalef(5.0f + 0.1f * v.m_fSize[0], 5.0f + 0.1f * v.m_fSize[1], 2.0f * v.m_fPictureDepth);
        } else {
            glScalef(widthFactor * (5.0f + 0.1f * v.m_fSize[0]), 5.0f + 0.1f * v.m_fSize[1],
                     5.0f + 0.1f * v.m_fSize[2]);
        }
    }

    // `mirrorFloorY`: the floor the model is mirrored below (NaN for the package itself).
    void drawFaces(const Model3DS& model, float mirrorFloorY = std::nanf("")) {
        const bool normalLight = NormalLightActive(v);
        for (int object = 0; object < 6 && object < model.nObjectCount && object < int(model.pObjects.size());
             ++object) {
            const int face = FaceOfBoxObject(object);
            const float* rgb = v.m_fFaceRGB[face];
            glEnable(GL_TEXTURE_2D);
            if (res.studio()) {
                // The studio light is set; the colour is the material.
                if (IsSet(v.m_fFacePlain[face])) {
                    glDisable(GL_TEXTURE_2D);
                    glColor4f(rgb[0], rgb[1], rgb[2], 1.0f);
                } else {
                    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
                    const bool pictureSide = pictureMode() && face == int(Face::Right);
                    const int material = std::max(0, model.pObjects[object].nMaterial);
                    glBindTexture(GL_TEXTURE_2D, pictureSide ? res.m_texPictureSide : PackageTextureSlot(material));
                }
            } else if (IsSet(v.m_fFacePlain[face])) {
                glDisable(GL_TEXTURE_2D);
                glColor3f(rgb[0], rgb[1], rgb[2]);
                if (normalLight) setLight1Colour(rgb);
                SetFaceLighting(v, Face(face), mirrorFloorY);
            } else {
                SetFaceLighting(v, Face(face), mirrorFloorY);
                if (!IsSet(v.m_fSpotLight) && !normalLight) glColor3f(1.0f, 1.0f, 1.0f);
                setLight1Colour(rgb);
                const bool pictureSide = pictureMode() && face == int(Face::Right);
                const int material = std::max(0, model.pObjects[object].nMaterial);
                glBindTexture(GL_TEXTURE_2D, pictureSide ? res.m_texPictureSide : PackageTextureSlot(material));
            }
            const bool pageSide = showsPageEdges(object, model);
            if (pageSide) loadPageEdgeMapping(object);
            DrawMeshObject(model.pObjects[object]);
            if (pageSide) {
                glMatrixMode(GL_TEXTURE);
                glLoadIdentity();
                glMatrixMode(GL_MODELVIEW);
            }
        }
    }

    // A paperback's right, top and bottom show the program's page image: they
    // are its page block, drawn from the image's band of page edges rather
    // than the printed page stretched over them.
    bool showsPageEdges(int object, const Model3DS& model) const {
        if (object != 1 && object != 4 && object != 5) return false;
        if (IsSet(v.m_fFacePlain[FaceOfBoxObject(object)]) || pictureMode()) return false;
        const int material = std::max(0, model.pObjects[object].nMaterial);
        return res.FileOfSlot(&PackageTextureSlot(material)).endsWith(QLatin1String("Design Images/ePage.jpg"));
    }

    // The pages' lines run along the face: up the right side (across its
    // depth, s), across the top and bottom (along the depth, t).
    static void loadPageEdgeMapping(int object) {
        const float b0 = kPaperEdgeBandBottom, bw = kPaperEdgeBandHeight;
        const GLfloat side[16] = {0, bw, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, b0, 0, 1};
        const GLfloat across[16] = {1, 0, 0, 0, 0, bw, 0, 0, 0, 0, 1, 0, 0, b0, 0, 1};
        glMatrixMode(GL_TEXTURE);
        glLoadMatrixf(object == 1 ? side : across);
        glMatrixMode(GL_MODELVIEW);
    }

    void drawPackage(BoxKind kind) {
        packageTransform(v.m_fTilt, kind == BoxKind::Cube);
        packageScale();
        drawFaces(GetModel(packageModel(kind)));
    }

    void drawReflection(BoxKind kind) {
        if (kind != BoxKind::Cube) {
            // The stacks' mirrored models are drawn like the stacks themselves,
            // on every frame.
            packageTransform(0.0f, false);
            packageScale();
            drawFaces(GetModel(reflectionModel(kind)), kBoxFloorY);
            return;
        }
        if (NormalLightActive(v)) ApplyBoxNormalLight(v);
        packageTransform(-v.m_fTilt, true);
        packageScale();
        if (!IsSet(v.m_fReflection)) return;
        if (IsSet(v.m_fShowPicture)) EnableReflectionBlend(v);
        drawFaces(GetModel(ModelId::Cube2), kBoxFloorY);
        glDisable(GL_CULL_FACE);
    }

    // The two CD discs are drawn in the package's frame.
    void disc(double inner, double outer) {
        GLUquadric* quadric = gluNewQuadric();
        gluQuadricNormals(quadric, GLU_SMOOTH);
        gluQuadricTexture(quadric, GL_TRUE);
        gluDisk(quadric, inner, outer, 50, 50);
        gluDeleteQuadric(quadric);
    }

    void drawDiscLayers(float hubAlpha) {
        glBindTexture(GL_TEXTURE_2D, res.m_texCDLabel);
        disc(7.0, 20.0);
        glBindTexture(GL_TEXTURE_2D, res.m_texCDHub);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1.0f, 1.0f, 1.0f, hubAlpha);
        disc(3.0, 7.0);
    }

    void beginDisc() {
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        if (NormalLightActive(v) || res.studio()) glEnable(GL_LIGHTING);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }

    void drawDiscInCase() {
        beginDisc();
        glTranslatef(0.00015625f * v.m_fPosX + 3.3f, 0.00015625f * v.m_fPosY, 0.00015625f * v.m_fPosZ + 4.0f);
        glScalef(0.16f, 0.16f, 1.0f);
        drawDiscLayers(0.6f);
        if (IsSet(v.m_fLighting) && !res.studio()) glDisable(GL_LIGHTING);
        // Back into the package's frame for the disc before the box.
        glScalef(1.0f / 0.16f, 1.0f / 0.16f, 1.0f);
        glTranslatef(-(0.00015625f * v.m_fPosX + 3.3f), -(0.00015625f * v.m_fPosY),
                     -(0.00015625f * v.m_fPosZ + 4.0f));
    }

    void drawDiscBeforeBox() {
        beginDisc();
        glTranslatef(0.00015625f * v.m_fPosX + 3.3f, 0.00015625f * v.m_fPosY - 0.9f, 0.00015625f * v.m_fPosZ + 4.0f);
        // Round whatever the case's proportions.
        glScalef(0.14f / widthFactor, 0.11f, 1.0f);
        drawDiscLayers(0.6f);
        if (IsSet(v.m_fLighting) && !res.studio()) glDisable(GL_LIGHTING);
    }

    void drawDiscBeforeBoxReflection() {
        // The reflection pass left the mirrored package's frame current.
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glTranslatef(0.00015625f * v.m_fPosX + 3.3f, 0.00015625f * v.m_fPosY - 5.3f, 0.00015625f * v.m_fPosZ + 4.3f);
        glScalef(0.14f / widthFactor, 0.11f, 1.0f);
        glRotatef(-v.m_fTilt / 60.0f, 1, 0, 0);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
        glColor4f(v.m_fBackRGB[0], v.m_fBackRGB[1], v.m_fBackRGB[2], 1.0f);
        glBindTexture(GL_TEXTURE_2D, res.m_texCDLabel);
        disc(7.0, 20.0);
        glBindTexture(GL_TEXTURE_2D, res.m_texCDHub);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(v.m_fBackRGB[0], v.m_fBackRGB[1], v.m_fBackRGB[2], 0.6f);
        disc(3.0, 7.0);
        glDisable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    }

    void drawShadow() {
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        const float length = v.m_fShadowLength;
        if (!pictureMode()) {
            glLoadIdentity();
            glTranslatef(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, v.m_fPosZ - 100.0f);
            glRotatef(v.m_fRotX, 1, 0, 0);
            glRotatef(v.m_fRotY, 0, 1, 0);
            glRotatef(v.m_fRotZ, 0, 0, 1);
            glScalef(widthFactor * (5.0f + 0.1f * v.m_fSize[0]), 5.0f + 0.1f * v.m_fSize[1],
                     5.0f + 0.1f * v.m_fSize[2]);
            glRotatef(0.001f * v.m_fRotX - 90.0f, 1, 0, 0);
            glScalef(0.79f, length + 5.0f, 1.0f);
        } else {
            glRotatef(v.m_fRotX / 3000.0f - 90.0f, 1, 0, 0);
            glScalef(0.79f, 80.0f * length + 5.0f, 1.0f);
        }
        const float shift = 5.0f - (pictureMode() ? length / 24.0f : length / 11.0f);
        DrawShadowGrid(v.m_fFlatGrid, 0.6f, [shift](float& x, float& y, float& z) {
            x -= 0.1f;
            y += shift;
            // On the floor the box stands on: higher up, the shadow's edge
            // shows as a dark line across the foot of the front face.
            z += kBoxFloorY;
        });
        glDisable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
    }

    const SceneState& v;
    const GlResources& res;
    // The front in its product's proportions (render/package_shape.h).
    float widthFactor;
};

}  // namespace

void ResetBoxFamilyState() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glCullFace(GL_BACK);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

const char* const* DefaultImageFiles(DefaultImageSet set) {
    switch (set) {
        case DefaultImageSet::Cube: return kCubeSet;
        case DefaultImageSet::JewelCase: return kJewelCaseSet;
        case DefaultImageSet::Dvd: return kDvdSet;
        case DefaultImageSet::Paperback: return kPaperbackSet;
        case DefaultImageSet::SlimPaperback: return kSlimPaperbackSet;
        case DefaultImageSet::Tape: return kTapeSet;
        case DefaultImageSet::None: break;
    }
    return kBoxSet;
}

const char* const* BoxImageFiles() { return kBoxSet; }

int ObjectOfSetImage(int image) { return image >= 0 && image < 6 ? kSetObjects[image] : 0; }

int FaceOfBoxObject(int object) {
    static constexpr int faces[6] = {int(Face::Front), int(Face::Right), int(Face::Back),
                                     int(Face::Left),  int(Face::Bottom), int(Face::Top)};
    return object >= 0 && object < 6 ? faces[object] : 0;
}

unsigned int& BoxFaceSlot(int object) {
    const Model3DS& cube = GetModel(ModelId::Cube1);
    int material = object;
    if (object >= 0 && object < int(cube.pObjects.size()) && cube.pObjects[object].nMaterial >= 0)
        material = cube.pObjects[object].nMaterial;
    return PackageTextureSlot(material);
}

const Model3DS& BoxPackageModel(const SceneState& scene) { return GetModel(packageModel(boxKind(scene.m_fBoxModel))); }

float BoxImageWidth(const SceneState& v) {
    return IsSet(v.m_fRestoreImageSize) ? v.m_fSavedImageWidth : v.m_fImageWidth;
}

float BoxImageHeight(const SceneState& v) {
    return IsSet(v.m_fRestoreImageSize) ? v.m_fSavedImageHeight : v.m_fImageHeight;
}

PackageOnFloor BoxPackageOnFloor(const SceneState& v, const GlResources& res) {
    // The placement and pitch of packageTransform: the floor turns with
    // neither the package's turn nor its lean.
    QMatrix4x4 frame;
    frame.translate(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, v.m_fPosZ - 100.0f);
    frame.rotate(v.m_fRotX, 1, 0, 0);
    PackageOnFloor floor(frame);
    floor.addModel(BoxPackageModel(v), BoxPackageMatrix(v, res));
    return floor;
}

QMatrix4x4 BoxPackageMatrix(const SceneState& v, const GlResources& res) {
    // packageTransform and packageScale of the package pass, as a matrix.
    QMatrix4x4 m;
    m.translate(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, v.m_fPosZ - 100.0f);
    m.rotate(v.m_fRotX, 1, 0, 0);
    m.rotate(v.m_fRotY, 0, 1, 0);
    m.rotate(v.m_fRotZ, 0, 0, 1);
    if (boxKind(v.m_fBoxModel) == BoxKind::Cube) {
        m.translate(0.0f, -19.8f, -2.7f);
        m.rotate(v.m_fTilt, 1, 0, 0);
        m.translate(0.0f, 19.8f, 2.7f);
    }
    if (IsSet(v.m_fFarLight)) {
        if (IsSet(v.m_fPictureSized))
            m.scale(BoxImageWidth(v) / 3000.0f, BoxImageHeight(v) / 3000.0f, 2.0f * v.m_fPictureDepth);
        else
            m.scale(5.0f + 0.1f * v.m_fSize[0], 5.0f + 0.1f * v.m_fSize[1], 2.0f * v.m_fPictureDepth);
    } else {
        m.scale(ShownFrontShape(v, res).widthFactor * (5.0f + 0.1f * v.m_fSize[0]), 5.0f + 0.1f * v.m_fSize[1],
                5.0f + 0.1f * v.m_fSize[2]);
    }
    return m;
}

void RenderBoxFamily(const SceneState& scene, const GlResources& res) { BoxFamilyRenderer(scene, res).render(); }

}  // namespace vm
