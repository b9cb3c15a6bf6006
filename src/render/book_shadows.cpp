// The floor shadows of the book family: the shadow grid laid on the floor in
// the book's frame, in one or two layers per kind, each fading away from the
// book. After each layer the stored shadow length is held within the kind's
// limits.

#include "platform/gl.h"
#include "render/book_family.h"
#include "render/floor_effects.h"
#include "view/gl2avi_view.h"

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

void bookFrame(const CGL2AviView& v) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.02f * v.m_fPosX, 0.02f * v.m_fPosY, 0.02f * (v.m_fPosZ - 1000.0f));
    glRotatef(v.m_fRotX, 1, 0, 0);
    glRotatef(v.m_fRotY, 0, 1, 0);
    glRotatef(v.m_fRotZ, 0, 0, 1);
    glScalef(1.0f + 0.01f * v.m_fSize[0], 1.0f + 0.01f * v.m_fSize[1], 1.0f + 0.01f * v.m_fSize[2]);
    // The grid's plane becomes the floor.
    glRotatef(0.01f * v.m_fRotX - 90.0f, 1, 0, 0);
}

void drawLayer(CGL2AviView& v, const ShadowLayer& layer) {
    bookFrame(v);
    if (layer.turn != 0.0f) glRotatef(layer.turn, layer.turnX, layer.turnY, layer.turnZ);
    glScalef(layer.xScale, layer.yScale, 1.0f);
    DrawShadowGrid(v.m_fFlatGrid, 0.6f, [&layer](float& x, float& y, float& z) {
        x += layer.dx;
        y += layer.dy;
        z += layer.dz;
    });
    float& length = v.m_fShadowLength;
    if (length >= layer.longest) length = layer.longestBecomes;
    if (length <= layer.shortest) length = layer.shortest;
}

}  // namespace

void DrawBookFamilyShadow(CGL2AviView& v) {
    if (!IsSet(v.m_fShadow)) return;
    beginShadow();
    const float len = v.m_fShadowLength;
    const float tilt = v.m_fTilt;
    // Layers are built from the length as it stands before the first one.
    switch (BookKindOf(v.m_fBookKind)) {
        case BookKind::HardBack:
            drawLayer(v, {0.87f, 1.0f + len / 30.0f - tilt / 30.0f, 0, 0, 0, 0, -0.1f, 4.9f - len / 19.0f, -5.8f,
                          20.0f, -20.0f, 12.0f});
            break;
        case BookKind::Curled:
            drawLayer(v, {0.6f, 1.0f + 0.2f * len, 0, 0, 0, 0, -0.1f, 4.9f - len / 19.0f, -4.0f, 12.0f, -4.0f, 12.0f});
            break;
        case BookKind::Open:
            drawLayer(v, {0.87f, 1.0f + 0.2f * len, 0, 0, 0, 0, -0.1f, 4.9f - len / 19.0f, -5.8f, 12.0f, -4.0f, 12.0f});
            break;
        case BookKind::Display:
            drawLayer(v, {1.24f, 1.0f + 0.2f * len, 0.01f * v.m_fRotZ + 1.6f, 0, 1, 0, -0.1f, 8.7f - len / 19.0f,
                          -2.6f, 12.0f, -4.0f, 12.0f});
            drawLayer(v, {0.71f, 1.0f + 0.2f * len, 0, 0, 0, 0, -0.1f, 4.9f - len / 19.0f, -5.8f, 12.0f, -4.0f, 12.0f});
            break;
        case BookKind::StandUp:
            drawLayer(v, {1.26f, 1.0f + 0.2f * len, 0.01f * v.m_fRotY + 5.0f, 0, 0, 1, -0.1f, 8.7f - len / 2.0f,
                          -7.78f, 12.0f, -4.0f, 12.0f});
            drawLayer(v, {0.71f, 0.97f + 0.2f * len, 0, 0, 0, 0, -0.1f, 6.4f - len / 2.0f, -4.1f, -1.2f, -2.5f, -1.2f});
            break;
        case BookKind::EZine:
            // On the floor the e-zine stands on (5.8 below its origin): a
            // plane higher up cuts through the magazine and darkens its cover.
            drawLayer(v, {0.91f, 1.0f + len / 30.0f - tilt / 30.0f, 0.01f * v.m_fRotZ + 80.0f, 0, 0, 1, -0.1f,
                          5.9f - len / 19.0f, -5.8f, 12.0f, -4.0f, 12.0f});
            break;
    }
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
}

}  // namespace vm
