// The floor shadows of the book family: the shadow grid laid on the floor in
// the book's frame, in one or two layers per kind, each fading away from the
// book. After each layer the shadow length is held within the kind's limits
// (LimitedBookShadowLength gives what the layers leave).

#include "platform/gl.h"
#include "render/book_family.h"
#include "render/floor_effects.h"

namespace vm {

namespace {

struct ShadowLayer {
    float xScale;
    float yScale;
    // An extra turn before the layer (degrees about the axis), 0 for none.
    float turn;
    float turnX, turnY, turnZ;
    // Where the grid points go: added to x, to y and to z.
    float dx, dy, dz;
    // The limits the length is held to after the layer: a length of
    // `longest` or more becomes `longestBecomes`, one of `shortest` or less
    // becomes `shortest`.
    float longest, shortest;
    float longestBecomes;
};

void beginShadow() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT1);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void bookFrame(const SceneState& v, float widthFactor) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, 0.02f * (v.m_fPosZ - 1000.0f));
    glRotatef(v.m_fRotX, 1, 0, 0);
    glRotatef(v.m_fRotY, 0, 1, 0);
    glRotatef(v.m_fRotZ, 0, 0, 1);
    glScalef(widthFactor * (1.0f + 0.01f * v.m_fSize[0]), 1.0f + 0.01f * v.m_fSize[1], 1.0f + 0.01f * v.m_fSize[2]);
    // The grid's plane becomes the floor.
    glRotatef(0.01f * v.m_fRotX - 90.0f, 1, 0, 0);
}

void holdLength(float& length, const ShadowLayer& layer) {
    if (length >= layer.longest) length = layer.longestBecomes;
    if (length <= layer.shortest) length = layer.shortest;
}

void drawLayer(const SceneState& v, float widthFactor, const ShadowLayer& layer) {
    bookFrame(v, widthFactor);
    if (layer.turn != 0.0f) glRotatef(layer.turn, layer.turnX, layer.turnY, layer.turnZ);
    glScalef(layer.xScale, layer.yScale, 1.0f);
    DrawShadowGrid(v.m_fFlatGrid, 0.6f, [&layer](float& x, float& y, float& z) {
        x += layer.dx;
        y += layer.dy;
        z += layer.dz;
    });
}

// The layers of a kind's shadow, built from the length as it stands before
// the first one; at most two.
int shadowLayers(const SceneState& v, ShadowLayer (&layers)[2]) {
    const float len = v.m_fShadowLength;
    const float tilt = v.m_fTilt;
    switch (BookKindOf(v.m_fBookKind)) {
        case BookKind::HardBack:
            layers[0] = {0.87f, 1.0f + len / 30.0f - tilt / 30.0f, 0, 0, 0, 0, -0.1f, 4.9f - len / 19.0f, -5.8f,
                         20.0f, -20.0f, 12.0f};
            return 1;
        case BookKind::Curled:
            layers[0] = {0.6f, 1.0f + 0.2f * len, 0, 0, 0, 0, -0.1f, 4.9f - len / 19.0f, -4.0f, 12.0f, -4.0f, 12.0f};
            return 1;
        case BookKind::Open:
            layers[0] = {0.87f, 1.0f + 0.2f * len, 0, 0, 0, 0, -0.1f, 4.9f - len / 19.0f, -5.8f, 12.0f, -4.0f, 12.0f};
            return 1;
        case BookKind::Display:
            layers[0] = {1.24f, 1.0f + 0.2f * len, 0.01f * v.m_fRotZ + 1.6f, 0, 1, 0, -0.1f, 8.7f - len / 19.0f,
                         -2.6f, 12.0f, -4.0f, 12.0f};
            layers[1] = {0.71f, 1.0f + 0.2f * len, 0, 0, 0, 0, -0.1f, 4.9f - len / 19.0f, -5.8f, 12.0f, -4.0f, 12.0f};
            return 2;
        case BookKind::StandUp:
            layers[0] = {1.26f, 1.0f + 0.2f * len, 0.01f * v.m_fRotY + 5.0f, 0, 0, 1, -0.1f, 8.7f - len / 2.0f,
                         -7.78f, 12.0f, -4.0f, 12.0f};
            layers[1] = {0.71f, 0.97f + 0.2f * len, 0, 0, 0, 0, -0.1f, 6.4f - len / 2.0f, -4.1f, -1.2f, -2.5f, -1.2f};
            return 2;
        case BookKind::EZine:
            // On the floor the e-zine stands on (5.8 below its origin): a
            // plane higher up cuts through the magazine and darkens its cover.
            layers[0] = {0.91f, 1.0f + len / 30.0f - tilt / 30.0f, 0.01f * v.m_fRotZ + 80.0f, 0, 0, 1, -0.1f,
                         5.9f - len / 19.0f, -5.8f, 12.0f, -4.0f, 12.0f};
            return 1;
    }
    return 0;
}

}  // namespace

void DrawBookFamilyShadow(const SceneState& v, float widthFactor) {
    if (!IsSet(v.m_fShadow)) return;
    beginShadow();
    ShadowLayer layers[2];
    const int count = shadowLayers(v, layers);
    for (int i = 0; i < count; ++i) drawLayer(v, widthFactor, layers[i]);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
}

float LimitedBookShadowLength(const SceneState& v) {
    float length = v.m_fShadowLength;
    if (!IsSet(v.m_fShadow)) return length;
    ShadowLayer layers[2];
    const int count = shadowLayers(v, layers);
    for (int i = 0; i < count; ++i) holdLength(length, layers[i]);
    return length;
}

}  // namespace vm
