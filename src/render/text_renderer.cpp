// The 3D text: its glyph lists, the laying out of a text, and the drawing
// passes of a frame (main, shiny overlay, mirrored copy, shadow).

#include "render/text_renderer.h"

#include <cmath>

#include "platform/gl.h"
#include "render/text_layout.h"

namespace vm {

namespace {

// The layout's moves as matrix operations and list calls.
class GLTextSink final : public TextLayoutSink {
public:
    explicit GLTextSink(GLuint base) : m_base(base) {}
    void translate(float x, float y, float z) override { glTranslatef(x, y, z); }
    void rotate(float degrees, float x, float y, float z) override { glRotatef(degrees, x, y, z); }
    void glyph(unsigned char code) override { glCallList(m_base + code); }

private:
    GLuint m_base;
};

void compileGlyph(GLuint list, const GlyphShape& shape, bool lines) {
    glNewList(list, GL_COMPILE);
    if (lines) {
        for (const GlyphContour& contour : shape.contours) {
            glBegin(GL_LINE_LOOP);
            for (const GlyphPoint& p : contour) glVertex3f(p[0], p[1], 0.0f);
            glEnd();
        }
    } else if (!shape.triangles.empty()) {
        glBegin(GL_TRIANGLES);
        for (const GlyphVertex& v : shape.triangles) {
            glNormal3f(v.nx, v.ny, v.nz);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
    // Calling the lists one after another sets the glyphs side by side.
    glTranslatef(shape.metric.advance, 0.0f, 0.0f);
    glEndList();
}

// The surface style 0..4, or -1 for a value no style has (a damaged scene
// file may hold anything, NaN included).
int styleOf(float value) {
    return std::isfinite(value) && value >= 0.0f && value < 5.0f ? int(value) : -1;
}

void disableTexGen() {
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}

void sphereMap() {
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
}

void generate(GLint mode) {
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, mode);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, mode);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
}

// The glyphs are closed solids whose faces wind counter-clockwise seen from
// outside, so the faces turned away are always behind others: culling them
// halves what every pass fills (the passes cost twice as much without). A
// transform that mirrors (a negative stretch of the shadow) turns the
// winding round, so the front is chosen by the sign of the current matrix.
class HiddenFaceCulling {
public:
    HiddenFaceCulling() {
        m_wasOn = glIsEnabled(GL_CULL_FACE);
        glGetIntegerv(GL_FRONT_FACE, &m_front);
        glGetIntegerv(GL_CULL_FACE_MODE, &m_mode);
    }
    ~HiddenFaceCulling() {
        if (!m_wasOn) glDisable(GL_CULL_FACE);
        glFrontFace(GLenum(m_front));
        glCullFace(GLenum(m_mode));
    }
    HiddenFaceCulling(const HiddenFaceCulling&) = delete;
    HiddenFaceCulling& operator=(const HiddenFaceCulling&) = delete;

    // Call with the pass's transform set, just before its glyphs.
    static void forThisPass() {
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        const double det = double(m[0]) * (double(m[5]) * m[10] - double(m[9]) * m[6]) -
                           double(m[4]) * (double(m[1]) * m[10] - double(m[9]) * m[2]) +
                           double(m[8]) * (double(m[1]) * m[6] - double(m[5]) * m[2]);
        if (det == 0 || !std::isfinite(det)) {
            glDisable(GL_CULL_FACE);  // flattened: no side is hidden
            return;
        }
        glFrontFace(det > 0 ? GL_CCW : GL_CW);
        glCullFace(GL_BACK);
        glEnable(GL_CULL_FACE);
    }

private:
    GLboolean m_wasOn = GL_FALSE;
    GLint m_front = GL_CCW;
    GLint m_mode = GL_BACK;
};

}  // namespace

void FreeGlyphLists(GlResources& res) {
    GlyphStore* store = res.m_pGlyphStore.get();
    if (!store || store->listBase == 0) return;
    // Lists of a context that is gone went with it.
    if (store->context == res.m_hGLContext && res.m_hGLContext) glDeleteLists(store->listBase, kGlyphCount);
    store->listBase = 0;
    store->context = nullptr;
}

void MakeGlyphLists(const SceneState& s, GlResources& res) {
    if (!res.m_pGlyphStore) res.m_pGlyphStore = std::make_shared<GlyphStore>();
    GlyphStore& store = *res.m_pGlyphStore;
    // A second call without FreeGlyphLists must not leave the old lists behind.
    FreeGlyphLists(res);

    const bool lines = IsSet(s.m_fTextWireframe);
    const bool italic = s.m_bFontItalic != 0;
    if (!store.shapes || store.face != s.m_strFontFace || store.weight != s.m_nFontWeight || store.italic != italic ||
        store.shapes->lines != lines) {
        store.shapes =
            std::make_shared<const GlyphSet>(MakeGlyphGeometry(s.m_strFontFace, s.m_nFontWeight, italic, lines));
        store.face = s.m_strFontFace;
        store.weight = s.m_nFontWeight;
        store.italic = italic;
    }
    store.lines = lines;
    for (int code = 0; code < kGlyphCount; ++code) store.metrics[size_t(code)] = store.shapes->glyphs[size_t(code)].metric;
    store.lineHeight = store.shapes->lineHeight;
    ++store.builds;

    if (!res.m_hGLContext) return;
    const GLuint base = glGenLists(kGlyphCount);
    if (base == 0) return;
    for (int code = 0; code < kGlyphCount; ++code) compileGlyph(base + GLuint(code), store.shapes->glyphs[size_t(code)], lines);
    store.listBase = base;
    store.context = res.m_hGLContext;
}

void PrepareGlyphLists(const SceneState& s, GlResources& res) {
    if (res.m_hGLContext && (!res.m_pGlyphStore || res.m_pGlyphStore->context != res.m_hGLContext))
        MakeGlyphLists(s, res);
}

void DrawText3D(const SceneState& s, const GlResources& res, const QString& text) {
    const GlyphStore* store = res.m_pGlyphStore.get();
    if (!store || store->listBase == 0) return;
    TextLayoutValues values;
    for (int i = 0; i < 3; ++i) {
        values.charSpacing[size_t(i)] = s.m_fCharSpacing[i];
        values.twist[size_t(i)] = s.m_fTextTwist[i];
        values.lineSpacing[size_t(i)] = s.m_fLineSpacing[i];
    }
    GLTextSink sink(store->listBase);
    LayOutText3D(TextCodes(text), store->metrics, values, sink, store->lineHeight);
}

void RenderText(const SceneState& s, const GlResources& res) {
    const float red = s.m_fFontColour[0], green = s.m_fFontColour[1], blue = s.m_fFontColour[2];
    const bool textOn = IsSet(s.m_fTextOn);

    auto lighting = [&s] {
        if (IsSet(s.m_fTextLights)) glEnable(GL_LIGHTING);
        if (s.m_fTextLights <= 1.0f) glDisable(GL_LIGHTING);
    };
    auto styleSetUp = [&s] {
        switch (styleOf(s.m_fTextStyle)) {
            case 0:  // "Reflection Map"
                glColor3f(1, 1, 1);
                glEnable(GL_TEXTURE_2D);
                sphereMap();
                break;
            case 1:  // "Glass"
                glColor3f(1, 1, 1);
                glEnable(GL_TEXTURE_2D);
                glEnable(GL_BLEND);
                glBlendFunc(GL_SRC_ALPHA, GL_ONE);
                glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
                sphereMap();
                break;
            case 2:  // "Single Color"
                glDisable(GL_TEXTURE_2D);
                break;
            case 3:  // "Textured (Object)": generated from eye coordinates
                glColor3f(1, 1, 1);
                glEnable(GL_TEXTURE_2D);
                generate(GL_EYE_LINEAR);
                break;
            case 4:  // "Texture (Eye]": generated from object coordinates
                glColor3f(1, 1, 1);
                glEnable(GL_TEXTURE_2D);
                glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
                generate(GL_OBJECT_LINEAR);
                break;
            default: break;
        }
    };
    auto bindTextTexture = [&s, &res] {
        glBindTexture(GL_TEXTURE_2D, res.m_texText);
        // The eye-linear style wants the text texture unfiltered by mipmaps;
        // set on the text's own texture, not on whichever was bound before.
        if (styleOf(s.m_fTextStyle) == 3) {
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        }
    };
    auto light1 = [] {
        const GLfloat ambient[4] = {0.5f, 0.5f, 0.5f, 1}, diffuse[4] = {1, 1, 1, 1}, origin[4] = {0, 0, 0, 1};
        glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
        glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
        glLightfv(GL_LIGHT1, GL_POSITION, origin);
        glEnable(GL_LIGHT1);
    };
    auto light0 = [&s] {
        const GLfloat position[4] = {0.01f * s.m_fSpotPos[0], 0.01f * s.m_fSpotPos[1], 0.01f * s.m_fSpotPos[2], 1};
        const GLfloat direction[3] = {0, 0, -1};
        glLightfv(GL_LIGHT0, GL_POSITION, position);
        glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 90);
        glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 40);
        glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction);
        glEnable(GL_LIGHT0);
    };
    auto blending = [&s] {
        // Glass keeps its additive blend.
        if (styleOf(s.m_fTextStyle) != 1) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        }
    };
    auto place = [&s] {
        glTranslatef(0.01f * s.m_fTextPos[0], 0.01f * s.m_fTextPos[1], 0.01f * s.m_fTextPos[2] - 5.0f);
    };
    auto scale = [&s] { glScalef(0.02f * s.m_fTextScale[0], 0.02f * s.m_fTextScale[1], 0.1f * s.m_fTextScale[2]); };
    auto endPass = [] {
        disableTexGen();
        glDisable(GL_LIGHT0);
    };

    glMatrixMode(GL_MODELVIEW);
    const HiddenFaceCulling culling;
    // Line glyphs have no faces to cull.
    const bool solid = res.m_pGlyphStore && !res.m_pGlyphStore->lines;
    auto drawGlyphs = [&] {
        if (!textOn) return;
        if (solid) HiddenFaceCulling::forThisPass();
        DrawText3D(s, res, s.m_strText);
    };

    // Main pass.
    glLoadIdentity();
    lighting();
    styleSetUp();
    bindTextTexture();
    light1();
    glColor3f(red / 255.0f, green / 255.0f, blue / 255.0f);
    light0();
    blending();
    glColor4f(red / 205.0f, green / 205.0f, blue / 205.0f, s.m_fTextFade / 255.0f);
    place();
    glRotatef(s.m_fTextRot[0], 1, 0, 0);
    glRotatef(s.m_fTextRot[1], 0, 1, 0);
    glRotatef(s.m_fTextRot[2], 0, 0, 1);
    scale();
    // Unlit and at full opacity the blend gives back the text's own colour
    // (its textures carry no alpha), so the pass writes it outright and
    // spares reading every sample back; the blend is on again afterwards.
    const bool opaque = styleOf(s.m_fTextStyle) != 1 && s.m_fTextFade >= 255.0f && !glIsEnabled(GL_LIGHTING);
    if (opaque) glDisable(GL_BLEND);
    drawGlyphs();
    if (opaque) glEnable(GL_BLEND);
    endPass();

    // Shiny overlay: the environment map added over the text.
    if (IsSet(s.m_fTextShiny)) {
        glLoadIdentity();
        sphereMap();
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, res.m_texTextShine);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        place();
        glRotatef(s.m_fTextRot[0], 1, 0, 0);
        glRotatef(s.m_fTextRot[1], 0, 1, 0);
        glRotatef(s.m_fTextRot[2], 0, 0, 1);
        scale();
        drawGlyphs();
        endPass();
    }

    // Mirrored copy: the text turned over about X below itself.
    if (IsSet(s.m_fTextReflectionOn)) {
        glLoadIdentity();
        lighting();
        if (IsSet(s.m_fTextLights)) glEnable(GL_COLOR_MATERIAL);
        styleSetUp();
        bindTextTexture();
        light1();
        lighting();
        glColor3f(red / 255.0f, green / 255.0f, blue / 255.0f);
        light0();
        blending();
        glColor4f(red / 205.0f, green / 205.0f, blue / 205.0f, s.m_fTextReflection / 255.0f);
        place();
        glRotatef(s.m_fTextRot[0] + 180.0f, 1, 0, 0);
        glRotatef(-s.m_fTextRot[1], 0, 1, 0);
        glRotatef(-s.m_fTextRot[2], 0, 0, 1);
        glTranslatef(0, 0, 0.01f * s.m_fTextScale[2]);
        scale();
        drawGlyphs();
        endPass();
    }

    // Shadow: the text laid flat behind itself and stretched.
    if (IsSet(s.m_fTextShadowOn)) {
        glLoadIdentity();
        glDisable(GL_TEXTURE_2D);
        glColor3f(0, 0, 0);
        lighting();
        // Its own blend: after the additive Glass style or the shiny overlay
        // a black shadow would otherwise add nothing and vanish.
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(0, 0, 0, 1.0f - s.m_fTextShadowOpacity / 255.0f);
        place();
        glRotatef(s.m_fTextRot[0] - 90.0f, 1, 0, 0);
        glRotatef(s.m_fTextRot[1], 0, 0, 1);
        glRotatef(-s.m_fTextRot[2], 0, 1, 0);
        glTranslatef(0, 0.01f * s.m_fTextScale[2], 0.01f);
        glScalef(0.02f * s.m_fTextScale[0], 0.02f * (s.m_fTextScale[1] + s.m_fTextShadow) - 1.0f, 0.1f);
        drawGlyphs();
        endPass();
    }
}

}  // namespace vm
