// The 3D text as a user sees it: drawn in the middle, in its colour, over
// several lines, with its mirrored copy and its shadow.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/gl.h"
#include "render/frame_checks.h"
#include "render/scene_models.h"
#include "render/text_renderer.h"
#include "support/offscreen_fixture.h"

using namespace vm;
using namespace vm::test;

namespace {

const QColor kWhite(255, 255, 255);

// The New scene with the package hidden, so that only the text draws.
struct TextScene : HeadlessView {
    TextScene() : HeadlessView(240, 180) {
        if (!created) return;
        view->OnInitialUpdate();
        view->OnNewScene();
        host.makeCurrent();
        view->scene().m_fPackageFamily = 20;
        view->scene().m_fReflection = view->scene().m_fShadow = 0;
    }
    CGL2AviView& v() { return *view; }
    void singleColour(float r, float g, float b) {
        view->scene().m_fTextStyle = 2;
        view->scene().m_fFontColour[0] = r;
        view->scene().m_fFontColour[1] = g;
        view->scene().m_fFontColour[2] = b;
    }
};

int countDark(const QImage& image, int below = 90) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < below) ++n;
    return n;
}

// Primitive tokens a glyph list sends through the feedback buffer.
struct Primitives {
    int lines = 0, polygons = 0;
};
Primitives feedbackOf(GLuint list) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(-0.4f, -0.35f, 0);
    glCallList(list);
    const GLint used = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    Primitives p;
    for (GLint i = 0; i < used;) {
        const auto token = GLint(buffer[size_t(i++)]);
        if (token == GL_POLYGON_TOKEN) {
            const auto n = GLint(buffer[size_t(i++)]);
            i += 3 * n;
            ++p.polygons;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            i += 6;
            ++p.lines;
        } else if (token == GL_POINT_TOKEN || token == GL_PASS_THROUGH_TOKEN) {
            i += token == GL_POINT_TOKEN ? 3 : 1;
        } else {
            i += 6;  // bitmap and pixel tokens carry one vertex
        }
    }
    return p;
}

}  // namespace

TEST(TextRender, TheTextShowsInABandAcrossTheMiddle) {
    TextScene scene;
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    EXPECT_EQ(v.scene().m_strText, QString("Vellumark"));
    v.scene().m_fTextOn = 0;
    const QImage off = scene.frame();
    v.scene().m_fTextOn = 2;
    const QImage on = scene.frame();
    SaveFrame(on, "text-default");
    const Change change = Compare(off, on);
    ASSERT_GT(change.pixels, 500);
    const QPoint centre = change.area.center();
    EXPECT_NEAR(centre.x(), 120, 12) << "centred on its width";
    EXPECT_NEAR(centre.y(), 90, 20);
    EXPECT_GT(change.area.width(), change.area.height() * 3) << "a band, wider than high";
}

TEST(TextRender, SingleColourShowsTheFontColourAndTwoLinesStandTaller) {
    TextScene scene;
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    scene.singleColour(255, 0, 0);
    const QImage red = scene.frame();
    SaveFrame(red, "text-red");
    EXPECT_GT(CountNear(red, QColor(255, 0, 0), 40), 500);
    EXPECT_EQ(CountNear(red, QColor(0, 0, 255), 120), 0);

    const QRect one = Drawn(red, kWhite);
    v.scene().m_strText = QString("Vellu\r\nmark");
    const QImage two = scene.frame();
    SaveFrame(two, "text-two-lines");
    const QRect both = Drawn(two, kWhite);
    EXPECT_GT(both.height(), one.height() * 17 / 10);
    EXPECT_LT(both.width(), one.width()) << "each line is shorter than the whole word";
    EXPECT_NEAR(both.center().y(), one.center().y(), 12) << "the raise keeps the block centred";

    // Lines of different lengths at New's spacing: apart, each centred.
    v.scene().m_strText = QString("Sale\r\nEverything Today");
    const QImage lines = scene.frame();
    SaveFrame(lines, "text-centred-lines");
    std::vector<QRect> bands;  // the drawn rows, grouped where rows without text part them
    for (int y = 0; y < lines.height(); ++y) {
        QRect row;
        for (int x = 0; x < lines.width(); ++x)
            if (ColourDistance(lines.pixelColor(x, y), kWhite) > 60) row |= QRect(x, y, 1, 1);
        if (row.isEmpty()) continue;
        if (!bands.empty() && bands.back().bottom() == y - 1) bands.back() |= row;
        else bands.push_back(row);
    }
    ASSERT_EQ(bands.size(), 2u) << "two lines that do not touch";
    EXPECT_LT(bands[0].width(), bands[1].width() / 2);
    for (const QRect& band : bands) EXPECT_NEAR(band.center().x(), lines.width() / 2, 4) << "centred on its own width";
}

TEST(TextRender, FadeLetsTheBackgroundThroughAndGlassOnlyAddsLight) {
    TextScene scene;
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    scene.singleColour(255, 0, 0);
    v.scene().m_fTextFade = 255;
    const QImage opaque = scene.frame();
    EXPECT_GT(CountNear(opaque, QColor(255, 0, 0), 0), 500) << "full opacity covers the white exactly";

    v.scene().m_fTextFade = 128;
    const QImage faded = scene.frame();
    SaveFrame(faded, "text-faded");
    EXPECT_EQ(CountNear(faded, QColor(255, 0, 0), 30), 0);
    EXPECT_GT(CountNear(faded, QColor(255, 127, 127), 4), 500) << "half the white shows through";

    // Glass adds its light to what lies behind, at full opacity too: over
    // grey no pixel gets darker.
    v.scene().m_fBackRGB[0] = v.scene().m_fBackRGB[1] = v.scene().m_fBackRGB[2] = 0.5f;
    v.scene().m_fTextOn = 0;
    const QImage grey = scene.frame();
    v.scene().m_fTextOn = 2;
    v.scene().m_fTextFade = 255;
    v.scene().m_fTextStyle = 1;
    const QImage glass = scene.frame();
    const Change change = Compare(grey, glass);
    EXPECT_GT(change.pixels, 500);
    int darker = 0;
    for (int y = 0; y < glass.height(); ++y)
        for (int x = 0; x < glass.width(); ++x)
            if (qGray(glass.pixel(x, y)) + 1 < qGray(grey.pixel(x, y))) ++darker;
    EXPECT_EQ(darker, 0);
}

TEST(TextRender, ShadowDarkensAndFollowsItsOpacity) {
    TextScene scene;
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    scene.singleColour(255, 0, 0);
    v.scene().m_fTextRot[0] = -30;  // the shadow falls forward onto the floor, not edge-on
    const QImage plain = scene.frame();
    v.scene().m_fTextShadowOn = 2;
    v.scene().m_fTextShadowOpacity = 0;
    const QImage shadowed = scene.frame();
    SaveFrame(shadowed, "text-shadow");
    EXPECT_GT(countDark(shadowed), countDark(plain) + 300) << "a black shadow adds dark pixels";

    v.scene().m_fTextShadowOpacity = 255;
    EXPECT_LE(Compare(plain, scene.frame()).pixels, 5) << "fully transparent";

    // After the additive Glass style the shadow still darkens.
    v.scene().m_fTextShadowOpacity = 0;
    v.scene().m_fTextStyle = 1;
    v.scene().m_fTextShadowOn = 0;
    const QImage glass = scene.frame();
    v.scene().m_fTextShadowOn = 2;
    EXPECT_GT(countDark(scene.frame()), countDark(glass) + 300);
}

TEST(TextRender, MirroredPassAddsACopyBelowTheBaseline) {
    TextScene scene;
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    scene.singleColour(0, 0, 200);
    const QImage plain = scene.frame();
    const QRect text = Drawn(plain, kWhite);
    v.scene().m_fTextReflectionOn = 2;
    v.scene().m_fTextReflection = 255;
    const QImage mirrored = scene.frame();
    SaveFrame(mirrored, "text-mirror");
    const Change change = Compare(plain, mirrored);
    ASSERT_GT(change.pixels, 300);
    EXPECT_GT(change.area.center().y(), text.bottom() - 4) << "the copy lies below the text";
}

TEST(TextRender, EveryStyleDrawsAndTheShineAddsLight) {
    TextScene scene;
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    v.scene().m_fBackRGB[0] = v.scene().m_fBackRGB[1] = v.scene().m_fBackRGB[2] =
        0.3f;  // grey, so additive styles show
    v.scene().m_fTextOn = 0;
    const QImage off = scene.frame();
    v.scene().m_fTextOn = 2;
    for (int style = 0; style <= 4; ++style) {
        v.scene().m_fTextStyle = float(style);
        const QImage on = scene.frame();
        SaveFrame(on, QString("text-style-%1").arg(style));
        EXPECT_GT(Compare(off, on).pixels, 500) << "style " << style;
    }
    v.scene().m_fTextStyle = 2;
    scene.singleColour(60, 60, 60);
    const QImage dull = scene.frame();
    v.scene().m_fTextShiny = 2;
    const QImage shiny = scene.frame();
    SaveFrame(shiny, "text-shiny");
    v.scene().m_fTextShiny = 0;
    v.scene().m_fTextLights = 2;  // lit by the text's own lights
    const QImage lit = scene.frame();
    SaveFrame(lit, "text-lit");
    EXPECT_GT(Compare(off, lit).pixels, 500);
    v.scene().m_fTextLights = 0;
    v.scene().m_fTextShiny = 2;
    const Change shine = Compare(dull, shiny);
    EXPECT_GT(shine.pixels, 300);
    EXPECT_GT(shine.lumaChange, 0) << "the overlay adds light";
}

TEST(TextRender, GlyphListsAreRebuiltForWireFrameAndForANewContext) {
    TextScene scene;
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    const GlyphStore* store = v.glyphStore();
    ASSERT_NE(store, nullptr);
    ASSERT_NE(store->listBase, 0u);
    const Primitives solid = feedbackOf(store->listBase + 'O');
    EXPECT_GT(solid.polygons, 100);
    EXPECT_EQ(solid.lines, 0);

    v.scene().m_fTextWireframe = 2;
    v.RebuildTextGlyphs();
    const Primitives wire = feedbackOf(store->listBase + 'O');
    EXPECT_EQ(wire.polygons, 0) << "wire-frame lists hold lines only";
    EXPECT_GT(wire.lines, 20);
    scene.singleColour(0, 0, 0);
    const QImage outline = scene.frame();
    SaveFrame(outline, "text-wireframe");
    v.scene().m_fTextWireframe = 0;
    v.RebuildTextGlyphs();
    const QImage filled = scene.frame();
    EXPECT_GT(countDark(filled), countDark(outline) * 2) << "solid glyphs fill what the outlines enclose";

    // The same view moved to another context: the lists come back there.
    OffscreenView second(240, 180);
    ASSERT_TRUE(second.isValid());
    ASSERT_EQ(v.OnCreate(&second), 0);
    v.OnSize(240, 180);
    v.OnDraw();
    const QImage again = second.grabImage();
    EXPECT_EQ(v.glyphStore()->context, second.nativeContext());
    EXPECT_GT(countDark(again), countDark(filled) / 2);
    ASSERT_EQ(v.OnCreate(&scene.host), 0);  // back before the second host goes
}

TEST(TextRender, ASceneFileBringsItsTextAndFontBack) {
    TextScene scene;
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    QTemporaryDir dir;
    const QString path = dir.filePath("text.VLMK");
    v.scene().m_strText = QString::fromUtf8("Ünïcode\r\nLines");
    v.scene().m_strFontFace = "DejaVu Serif";
    v.scene().m_bFontItalic = 1;
    v.scene().m_fTextWireframe = 2;
    ASSERT_TRUE(v.SaveSceneFile(path));

    v.OnNewScene();
    EXPECT_EQ(v.glyphStore()->face, QString("Arial Black"));
    ASSERT_TRUE(v.LoadSceneFile(path));
    EXPECT_EQ(v.scene().m_strText, QString::fromUtf8("Ünïcode\r\nLines"));
    EXPECT_EQ(v.glyphStore()->face, QString("DejaVu Serif"));
    EXPECT_TRUE(v.glyphStore()->italic);
    EXPECT_TRUE(v.glyphStore()->lines) << "the lists follow the file's wire-frame flag";
    scene.host.makeCurrent();
    v.scene().m_fPackageFamily = 20;
    v.scene().m_fReflection = v.scene().m_fShadow = 0;
    v.scene().m_fTextOn = 0;
    const QImage off = scene.frame();
    v.scene().m_fTextOn = 2;
    EXPECT_GT(Compare(off, scene.frame()).pixels, 200);
}
