// The coffee mug: the printed body and the coloured rest, a shine pass of
// the environment map, the floor reflection and the flattened-mug shadow.

#include <algorithm>
#include <cmath>

#include "assets/model_set.h"
#include "assets/texture_table.h"
#include "platform/gl.h"
#include "render/floor_effects.h"
#include "render/lighting.h"
#include "render/package_floor.h"
#include "render/reflection_fade.h"
#include "render/renderers.h"
#include "render/soft_shadow.h"

namespace vm {

namespace {

// The lowest point of a model: the floor it stands on (model units).
float LowestY(const Model3DS& model) {
    float lowest = 0.0f;
    bool any = false;
    for (const ModelObject& object : model.pObjects)
        for (const Vector3& p : object.pPositions) {
            lowest = any ? std::min(lowest, p.y) : p.y;
            any = true;
        }
    return lowest;
}

void setLight1(GLenum what, float a, float b, float c, float d) {
    const GLfloat values[4] = {a, b, c, d};
    glLightfv(GL_LIGHT1, what, values);
}

class MugRenderer {
public:
    MugRenderer(const SceneState& scene, const GlResources& resources) : v(scene), res(resources) {}

    void render() {
        if (v.m_fPackageFamily != 2.0f) return;
        if (res.studio()) {
            renderStudio();
            return;
        }
        beginPass();
        DrawMug(GetModel(ModelId::CoffeeMug), 1.0f);
        DrawMugShine(GetModel(ModelId::CoffeeMug));

        if (IsSet(v.m_fReflection)) {
            beginPass();
            float alpha = 1.0f;
            if (!IsSet(v.m_fShowPicture)) {
                EnableReflectionFog(v, v.m_fFogStartBase + v.m_fReflectAmount - 200.0f - v.m_fPosZ,
                                    v.m_fFogEndBase + v.m_fReflectAmount - 210.0f - v.m_fPosZ);
            } else {
                // Over a background picture the mirrored mug is blended instead.
                EnableReflectionBlend(v);
                alpha = 0.08f + 0.01f * v.m_fReflectAmount;
            }
            DrawMug(GetModel(ModelId::CoffeeMugMirror), alpha);
            DrawMugShine(GetModel(ModelId::CoffeeMugMirror));
            glDisable(GL_FOG);
            glDisable(GL_BLEND);
            glDisable(GL_CULL_FACE);
            glCullFace(GL_BACK);
        }

        if (IsSet(v.m_fShadow)) drawShadow();
        // The mug's colour material must not outlive it: only the spot light
        // keeps it on for the other packages.
        if (!IsSet(v.m_fSpotLight)) glDisable(GL_COLOR_MATERIAL);
    }

private:
    // The studio look: the mug and its shine under the studio light, the
    // fading mirror and the soft shadow.
    void renderStudio() {
        QMatrix4x4 frame;
        frame.translate(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, v.m_fPosZ - 100.0f);
        frame.rotate(v.m_fRotX, 1, 0, 0);
        QMatrix4x4 mugMatrix = frame;
        mugMatrix.rotate(v.m_fRotY, 0, 1, 0);
        mugMatrix.rotate(v.m_fRotZ, 0, 0, 1);
        mugMatrix.scale(5.0f + 0.1f * v.m_fSize[0], 5.0f + 0.1f * v.m_fSize[1], 5.0f + 0.1f * v.m_fSize[2]);
        PackageOnFloor floor(frame);
        floor.addModel(GetModel(ModelId::CoffeeMug), mugMatrix);

        auto begin = [&] {
            glMatrixMode(GL_MODELVIEW);
            glLoadMatrixf(mugMatrix.constData());
            glEnable(GL_DEPTH_TEST);
            glDisable(GL_BLEND);
            glShadeModel(GL_SMOOTH);
            ApplyStudioLight(v, floor);
        };
        begin();
        DrawMug(GetModel(ModelId::CoffeeMug), 1.0f);
        DrawMugShine(GetModel(ModelId::CoffeeMug));
        if (IsSet(v.m_fReflection)) {
            begin();
            DrawFadingReflection(v, floor, [&] {
                glLoadMatrixf(mugMatrix.constData());
                DrawMug(GetModel(ModelId::CoffeeMugMirror), 1.0f);
            });
        }
        if (IsSet(v.m_fShadow)) DrawSoftShadow(v, floor, IsSet(v.m_fReflection));
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }

    void packageTransform() {
        glTranslatef(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, v.m_fPosZ - 100.0f);
        glRotatef(v.m_fRotX, 1, 0, 0);
        glRotatef(v.m_fRotY, 0, 1, 0);
        glRotatef(v.m_fRotZ, 0, 0, 1);
    }

    // State, light and transform of the mug and of its reflection.
    void beginPass() {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glShadeModel(GL_SMOOTH);
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
        if (IsSet(v.m_fLighting)) {
            glEnable(GL_LIGHTING);
            glEnable(GL_LIGHT1);
            setLight1(GL_POSITION, v.m_fSpotPos[0], v.m_fSpotPos[1], v.m_fSpotPos[2], 1.0f);
            glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
            glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 40.0f);
            setLight1(GL_SPOT_DIRECTION, 0.0f, 0.0f, -1.0f, 0.0f);
        }
        if (NormalLightActive(v)) {
            glEnable(GL_LIGHTING);
            setLight1(GL_AMBIENT, 0.5f, 0.5f, 0.5f, 1.0f);
            setLight1(GL_DIFFUSE, 1.0f, 1.0f, 1.0f, 1.0f);
            setLight1(GL_POSITION, 0.25f * v.m_fLightPos[0], 0.5f * v.m_fLightPos[1], 170.0f, 1.0f);
            // The box family's spot shape: otherwise the mug would keep the
            // narrow cone the spot light or the package before it left, and
            // stand in the dark.
            glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
            glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 40.0f);
            setLight1(GL_SPOT_DIRECTION, 0.0f, 0.0f, -1.0f, 0.0f);
            glEnable(GL_LIGHT1);
        }
        packageTransform();
        glScalef(5.0f + 0.1f * v.m_fSize[0], 5.0f + 0.1f * v.m_fSize[1], 5.0f + 0.1f * v.m_fSize[2]);
    }

    // Object 0 carries the print from the mug half of the texture table;
    // object 1 is tinted in the mug colour over the body texture.
    void DrawMug(const Model3DS& mug, float alpha) {
        if (mug.pObjects.empty()) return;
        const ModelObject& body = mug.pObjects[0];
        glEnable(GL_TEXTURE_2D);
        // The body must not keep the material the tint (or another package)
        // left, or it turns dark: under the normal light it takes the box
        // front's material, as the boxes are lit; otherwise white through
        // colour material.
        if (res.studio()) {
            // The studio light follows the colour.
        } else if (NormalLightActive(v)) {
            glDisable(GL_COLOR_MATERIAL);
            SetFaceLighting(v, Face::Front);
        } else {
            glEnable(GL_COLOR_MATERIAL);
        }
        glColor4f(1.0f, 1.0f, 1.0f, alpha);
        glBindTexture(GL_TEXTURE_2D, MugTextureSlot(std::max(0, body.nMaterial)));
        DrawMeshObject(body);
        if (mug.pObjects.size() < 2) return;
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_COLOR_MATERIAL);
        glColor4f(v.m_fMugRed / 255.0f, v.m_fMugGreen / 255.0f, v.m_fMugBlue / 255.0f, alpha);
        if (!res.studio()) {
            const GLfloat noAmbient[4] = {0, 0, 0, 0};
            glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
        }
        glBindTexture(GL_TEXTURE_2D, res.m_texMugBody);
        DrawMeshObject(mug.pObjects[1]);
    }

    // The environment map added over the mug.
    void DrawMugShine(const Model3DS& mug) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
        glBindTexture(GL_TEXTURE_2D, res.m_texMugShine);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        if (!mug.pObjects.empty()) DrawMeshObject(mug.pObjects[0]);
        if (mug.pObjects.size() > 1) {
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
            DrawMeshObject(mug.pObjects[1]);
        }
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
        glDisable(GL_BLEND);
    }

    void drawShadow() {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // A shadow is black whatever the light does. With colour material on,
        // the black would become the material and darken the next frame's mug.
        glDisable(GL_COLOR_MATERIAL);
        glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        // The mug pressed onto the floor it stands on, leaning back from the
        // light in front: projected in the floor's frame (after the view's
        // tilt), so the shadow falls behind the mug however the mug turns,
        // and lies on the floor instead of over the mug's base.
        glTranslatef(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, v.m_fPosZ - 100.0f);
        glRotatef(v.m_fRotX, 1, 0, 0);
        const float height = 5.0f + 0.1f * v.m_fSize[1];
        const float depth = 5.0005f + 0.1f * v.m_fSize[2];
        const Model3DS& mug = GetModel(ModelId::CoffeeMug);
        const float floorY = LowestY(mug) * height + 0.01f;
        // The pressed mug leans back 0.55 of its height, stretched by the
        // length, and to the left like the boxes' shadows, so that it shows
        // beside the mug rather than hiding behind it.
        const float lean = std::abs(height) > 1e-3f ? 0.55f * (depth + v.m_fShadowLength) / height : 0.0f;
        const float aside = 1.4f * lean;
        const GLfloat press[16] = {1, 0,       0, 0, -aside, 0,      -lean,         0,
                                   0, 0,       1, 0, aside * floorY, floorY, lean * floorY, 1};
        glMultMatrixf(press);
        glRotatef(v.m_fRotY, 0, 1, 0);
        glRotatef(v.m_fRotZ, 0, 0, 1);
        glScalef(5.0f + 0.1f * v.m_fSize[0], height, 5.0f + 0.1f * v.m_fSize[2]);
        if (!IsSet(v.m_fShowPicture))
            EnableReflectionFog(v, v.m_fFogStartBase - 200.0f - 0.5f * v.m_fPosZ,
                                v.m_fFogEndBase - 250.0f - v.m_fPosZ);
        glDisable(GL_CULL_FACE);
        DrawMesh(mug);
        glDisable(GL_FOG);
        if (IsSet(v.m_fSpotLight)) glEnable(GL_COLOR_MATERIAL);
    }

    const SceneState& v;
    const GlResources& res;
};

}  // namespace

void RenderMug(const SceneState& scene, const GlResources& res) { MugRenderer(scene, res).render(); }

unsigned int& MugPrintSlot() {
    const Model3DS& mug = GetModel(ModelId::CoffeeMug);
    return MugTextureSlot(mug.pObjects.empty() ? 0 : std::max(0, mug.pObjects[0].nMaterial));
}

}  // namespace vm
