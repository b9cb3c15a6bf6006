// The book array: a row of hard-back books, each shifted and turned by its
// offsets, optionally doubled, with mirrored books and floor shadows; and
// the offsets themselves.

#include <algorithm>

#include "platform/gl.h"
#include "render/book_family.h"
#include "render/floor_effects.h"
#include "render/lighting.h"
#include "render/package_shape.h"
#include "render/package_floor.h"
#include "render/reflection_fade.h"
#include "render/renderers.h"
#include "render/soft_shadow.h"

namespace vm {

namespace {

// One drawn book: its rotation offsets (X, Y, Z), its position offsets
// (X, Y, Z) and the pivot it tilts about.
struct ArrayBook {
    float rot[3];
    float pos[3];
    float pivotY, pivotZ;
};

class BookArrayRenderer {
public:
    BookArrayRenderer(const SceneState& scene, const GlResources& resources)
        : v(scene), res(resources),
          widthFactor(BookCoverWidthFactor(BookKind::HardBack, resources, &resources.m_texBookFace[0])) {
        const int count = std::clamp(v.m_nArrayCount, 0, kMaxArrayBooks);
        const bool single = IsSet(v.m_fArraySingle);
        for (int i = 0; i < count; ++i) {
            const float* a = v.m_fArrayBookA[i];
            books.push_back({{a[1], a[2], a[0]}, {a[4], a[5], a[6]}, single ? -5.8f : -2.8f, single ? -1.0f : -6.0f});
            if (!single) {
                // The second book of the slot steps the other way.
                const float* b = v.m_fArrayBookB[i];
                books.push_back({{b[1], b[2], b[0]}, {b[3], b[4], b[5]}, -2.8f, -6.0f});
            }
        }
    }

    void render() {
        if (books.empty()) return;
        if (res.studio()) {
            renderStudio();
            return;
        }
        for (BookPart part : {BookPart::Front, BookPart::Back, BookPart::Spine, BookPart::Page}) {
            PrepareBookPart(v, res, part, false);
            for (const ArrayBook& book : books) {
                bookTransform(book, v.m_fArrayTilt);
                DrawMesh(GetModel(BookPartModel(BookKind::HardBack, part)));
            }
            if (IsSet(v.m_fArrayReflection)) {
                for (const ArrayBook& book : books) {
                    PrepareBookPart(v, res, part, true);
                    bookTransform(book, -v.m_fArrayTilt);
                    BeginBookReflectionFade(v, part, v.m_fArrayBookRot[0], v.m_fArrayBookPos[2], 0.02f);
                    DrawMesh(GetModel(BookPartMirror(BookKind::HardBack, part)));
                    EndBookReflectionFade(v);
                }
            }
        }
        if (IsSet(v.m_fArrayShadow))
            for (const ArrayBook& book : books) drawShadow(book);
    }

private:
    // The studio look: every book under the studio light, their fading
    // mirrors, and one soft shadow with every book's outline in it.
    void renderStudio() {
        QMatrix4x4 frame;
        frame.translate(0.02f * v.m_fArrayBookPos[0], 0.02f * v.m_fArrayBookPos[1],
                        0.02f * (v.m_fArrayBookPos[2] - 1000.0f));
        frame.rotate(v.m_fArrayBookRot[0], 1, 0, 0);
        PackageOnFloor floor(frame);
        for (const ArrayBook& book : books)
            for (BookPart part : {BookPart::Front, BookPart::Back, BookPart::Spine, BookPart::Page})
                floor.addModel(GetModel(BookPartModel(BookKind::HardBack, part)), bookMatrix(book, v.m_fArrayTilt));
        ApplyStudioLight(v, floor);
        for (BookPart part : {BookPart::Front, BookPart::Back, BookPart::Spine, BookPart::Page}) {
            PrepareBookPart(v, res, part, false);
            for (const ArrayBook& book : books) {
                bookTransform(book, v.m_fArrayTilt);
                DrawMesh(GetModel(BookPartModel(BookKind::HardBack, part)));
            }
        }
        if (IsSet(v.m_fArrayReflection))
            DrawFadingReflection(v, floor, [this] {
                for (BookPart part : {BookPart::Front, BookPart::Back, BookPart::Spine, BookPart::Page}) {
                    PrepareBookPart(v, res, part, true);
                    for (const ArrayBook& book : books) {
                        bookTransform(book, -v.m_fArrayTilt);
                        DrawMesh(GetModel(BookPartMirror(BookKind::HardBack, part)));
                    }
                }
            });
        if (IsSet(v.m_fArrayShadow)) DrawSoftShadow(v, floor, IsSet(v.m_fArrayReflection));
    }

    // bookTransform as a matrix.
    QMatrix4x4 bookMatrix(const ArrayBook& book, float tilt) const {
        QMatrix4x4 m;
        m.translate(0.02f * v.m_fArrayBookPos[0], 0.02f * v.m_fArrayBookPos[1],
                    0.02f * (v.m_fArrayBookPos[2] - 1000.0f));
        m.rotate(book.rot[0] + v.m_fArrayBookRot[0], 1, 0, 0);
        m.rotate(book.rot[1] + v.m_fArrayBookRot[1], 0, 1, 0);
        m.rotate(book.rot[2] + v.m_fArrayBookRot[2], 0, 0, 1);
        m.translate(book.pos[0], book.pos[1], book.pos[2]);
        m.translate(0.0f, book.pivotY, book.pivotZ);
        m.rotate(tilt, 1, 0, 0);
        m.translate(0.0f, -book.pivotY, -book.pivotZ);
        m.scale(widthFactor * (1.0f + 0.01f * v.m_fArrayBookScale[0]), 1.0f + 0.01f * v.m_fArrayBookScale[1],
                1.0f + 0.01f * v.m_fArrayBookScale[2]);
        return m;
    }

    void bookFrame(const ArrayBook& book) {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(0.02f * v.m_fArrayBookPos[0], 0.02f * v.m_fArrayBookPos[1],
                     0.02f * (v.m_fArrayBookPos[2] - 1000.0f));
        glRotatef(book.rot[0] + v.m_fArrayBookRot[0], 1, 0, 0);
        glRotatef(book.rot[1] + v.m_fArrayBookRot[1], 0, 1, 0);
        glRotatef(book.rot[2] + v.m_fArrayBookRot[2], 0, 0, 1);
        glTranslatef(book.pos[0], book.pos[1], book.pos[2]);
    }

    void scale() {
        glScalef(widthFactor * (1.0f + 0.01f * v.m_fArrayBookScale[0]), 1.0f + 0.01f * v.m_fArrayBookScale[1],
                 1.0f + 0.01f * v.m_fArrayBookScale[2]);
    }

    void bookTransform(const ArrayBook& book, float tilt) {
        bookFrame(book);
        glTranslatef(0.0f, book.pivotY, book.pivotZ);
        glRotatef(tilt, 1, 0, 0);
        glTranslatef(0.0f, -book.pivotY, -book.pivotZ);
        scale();
    }

    void drawShadow(const ArrayBook& book) {
        glDisable(GL_CULL_FACE);
        glDisable(GL_BLEND);
        glDisable(GL_FOG);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT1);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_DEPTH_TEST);
        bookFrame(book);
        scale();
        glRotatef(0.01f * v.m_fArrayBookRot[0] - 90.0f, 1, 0, 0);
        glScalef(0.87f, 1.0f + 0.2f * v.m_fShadowLength, 1.0f);
        const float shift = 4.9f - v.m_fShadowLength / 19.0f;
        DrawShadowGrid(v.m_fFlatGrid, 0.6f, [shift](float& x, float& y, float& z) {
            x -= 0.1f;
            y += shift;
            z -= 5.8f;
        });
        glDisable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
    }

    const SceneState& v;
    const GlResources& res;
    // Every book's cover in its image's proportions (render/package_shape.h).
    float widthFactor;
    std::vector<ArrayBook> books;
};

}  // namespace

void RenderBookArray(const SceneState& scene, const GlResources& res) { BookArrayRenderer(scene, res).render(); }

void UpdateArrayOffsets(SceneState& s) {
    const float step = 0.1f, back = -0.1f;
    const int count = std::clamp(s.m_nArrayCount, 0, kMaxArrayBooks);
    for (s.m_nArrayIndex = 0; s.m_nArrayIndex < count; ++s.m_nArrayIndex) {
        // Products in double precision, stored as floats.
        const double i = s.m_nArrayIndex;
        float* a = s.m_fArrayBookA[s.m_nArrayIndex];
        float* b = s.m_fArrayBookB[s.m_nArrayIndex];
        a[0] = float(i * s.m_fArrayRot[2] * step);
        a[1] = float(i * s.m_fArrayRot[0] * step);
        a[2] = float(i * s.m_fArrayRot[1] * step);
        a[4] = float(i * s.m_fArrayPos[1] * step);
        a[5] = float(i * s.m_fArrayPos[2] * step);
        a[6] = float(i * s.m_fArrayPos[0] * step);
        b[0] = float(i * s.m_fArrayRot[2] * back);
        b[1] = float(i * s.m_fArrayRot[0] * back);
        b[2] = float(i * s.m_fArrayRot[1] * back);
        b[3] = float(i * s.m_fArrayPos[1] * back);
        b[4] = float(i * s.m_fArrayPos[2] * back);
        b[5] = float(i * s.m_fArrayPos[0] * back);
    }
}

}  // namespace vm
