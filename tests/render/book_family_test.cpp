// The single book of every kind, as a user sees it after choosing it: the
// cover in the middle, its reflection below, its shadow on the floor.

#include <gtest/gtest.h>

#include "render/book_family.h"
#include "render/frame_checks.h"
#include "render/scene_models.h"
#include "support/offscreen_fixture.h"

using namespace vm;
using namespace vm::test;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(220, 30, 30), kGreen(30, 200, 30), kBlue(30, 30, 220), kPaper(250, 245, 230);

struct KindInfo {
    float kind;
    const char* name;
    ModelId models[8];  // front, back, spine, page, then the mirrors
};

const KindInfo kKinds[] = {
    {0, "hardback", {ModelId::FrontCover1, ModelId::BackCover1, ModelId::Binder1, ModelId::Page1,
                     ModelId::FrontCover1M, ModelId::BackCover1M, ModelId::SpineCover1M, ModelId::Page1M}},
    {2, "curled", {ModelId::FrontCurl, ModelId::BackCurl, ModelId::SpineCurl, ModelId::PageCurl,
                   ModelId::FrontCurlM, ModelId::BackCurlM, ModelId::SpineCurlM, ModelId::PageCurlM}},
    {4, "open", {ModelId::FrontOpen, ModelId::BackOpen, ModelId::SpineOpen, ModelId::PageOpen,
                 ModelId::FrontOpenM, ModelId::BackOpenM, ModelId::SpineOpenM, ModelId::PageOpenM}},
    {6, "display", {ModelId::FrontDisplay, ModelId::BackDisplay, ModelId::BinderDisplay, ModelId::PageDisplay,
                    ModelId::FrontDisplayM, ModelId::BackDisplayM, ModelId::BinderDisplayM,
                    ModelId::PageDisplayM}},
    {8, "standup", {ModelId::StandUpOpenFront, ModelId::StandUpOpenBack, ModelId::StandUpOpenSpine,
                    ModelId::StandUpOpenPage, ModelId::StandUpOpenFrontM, ModelId::StandUpOpenBackM,
                    ModelId::StandUpOpenSpineM, ModelId::StandUpOpenPageM}},
    {10, "ezine", {ModelId::EZinesFront, ModelId::EZinesBack, ModelId::EZinesLeft, ModelId::EZinesPage,
                   ModelId::EZinesFrontM, ModelId::EZinesBackM, ModelId::EZinesLeftM, ModelId::EZinesPageM}},
};

// A New scene showing one book kind with stand-in models and one-colour
// covers: red front, green back, blue spine.
struct BookScene : HeadlessView {
    explicit BookScene(const KindInfo& info, bool modelsLoaded = true) : HeadlessView(200, 150) {
        if (!created) return;
        view->OnInitialUpdate();
        view->OnNewScene();
        host.makeCurrent();
        CGL2AviView& v = *view;
        v.scene().m_fTextOn = 0;
        v.scene().m_fPackageFamily = 0;
        v.scene().m_fModelBook = 2;
        v.scene().m_fBookKind = info.kind;
        v.scene().m_fSize[0] = v.scene().m_fSize[1] = v.scene().m_fSize[2] = 0;
        if (modelsLoaded)
            v.scene().m_fCurlModelsLoaded = v.scene().m_fOpenModelsLoaded = v.scene().m_fDisplayModelsLoaded =
                v.scene().m_fStandUpModelsLoaded = 2;
        const ModelId* m = info.models;
        InstallBookModels(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7]);
        v.resources().m_texBookFace[0] = SolidTexture(kRed);
        v.resources().m_texBookFace[1] = SolidTexture(kGreen);
        v.resources().m_texBookFace[2] = SolidTexture(kBlue);
        v.resources().m_texPage = SolidTexture(kPaper);
    }
    CGL2AviView& v() { return *view; }
};

}  // namespace

TEST(BookFamily, EveryKindShowsItsCoverWithAReflectionBelowAndAShadowOnTheFloor) {
    for (const KindInfo& info : kKinds) {
        SCOPED_TRACE(info.name);
        BookScene scene(info);
        ASSERT_TRUE(scene.created);
        CGL2AviView& v = scene.v();
        v.scene().m_fReflection = 0;
        v.scene().m_fShadow = 0;
        // Seen from above, so the floor behind the book shows.
        v.scene().m_fRotX = 60;
        v.scene().m_fShadowLength = 6;
        const QImage bare = scene.frame();
        SaveFrame(bare, QString("book-%1-bare").arg(info.name));
        const QRect book = Drawn(bare, kWhite);
        ASSERT_FALSE(book.isEmpty());
        EXPECT_GT(CountNear(bare, kRed), 200) << "the front cover shows its image";
        // The book stands in the middle of the view.
        EXPECT_NEAR(book.center().x(), 100, 30);

        v.scene().m_fReflection = 2;
        const QImage reflected = scene.frame();
        SaveFrame(reflected, QString("book-%1-reflection").arg(info.name));
        const Change reflection = Compare(bare, reflected);
        EXPECT_GT(reflection.pixels, 100);
        EXPECT_GT(reflection.area.center().y(), book.center().y()) << "the reflection lies below the book";

        v.scene().m_fShadow = 2;
        const QImage shadowed = scene.frame();
        SaveFrame(shadowed, QString("book-%1-shadow").arg(info.name));
        const Change shadow = Compare(reflected, shadowed);
        EXPECT_GT(shadow.pixels, 20);
        EXPECT_LT(shadow.lumaChange, -10) << "the shadow darkens the floor";
    }
}

TEST(BookFamily, OverABackgroundPictureTheReflectionBlendsInsteadOfFading) {
    BookScene scene(kKinds[0]);
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    v.scene().m_fShadow = 0;
    v.scene().m_fReflection = 0;
    const QImage bare = scene.frame();
    v.scene().m_fShowPicture = 2;
    const QImage pictured = scene.frame();  // the picture behind, no reflection
    v.scene().m_fShowPicture = 0;
    v.scene().m_fReflection = 2;
    // An amount of -8 gives the blend no alpha at all, while the fog still
    // lets the mirrored book show.
    v.scene().m_fReflectAmount = -8;
    v.scene().m_fShowPicture = 0;
    EXPECT_GT(Compare(bare, scene.frame()).pixels, 100) << "fogged reflection";
    v.scene().m_fShowPicture = 2;
    EXPECT_EQ(Compare(pictured, scene.frame()).pixels, 0) << "blended reflection at alpha 0";
    // At 92 the blend is opaque: the mirrored cover shows its full colour.
    v.scene().m_fReflectAmount = 92;
    const Change opaque = Compare(pictured, scene.frame());
    EXPECT_GT(opaque.pixels, 100);
    EXPECT_GT(opaque.area.center().y(), Drawn(bare, kWhite).center().y());
}

TEST(BookFamily, TheCurlModelsAreImportedOnceOnTheirFirstDraw) {
    BookScene scene(kKinds[1], /*modelsLoaded=*/false);
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    scene.frame();
    EXPECT_EQ(v.scene().m_fCurlModelsLoaded, 2.0f);
    // Whatever the first import read stays; a second frame reads nothing again.
    InstallBookModels(ModelId::FrontCurl, ModelId::BackCurl, ModelId::SpineCurl, ModelId::PageCurl,
                      ModelId::FrontCurlM, ModelId::BackCurlM, ModelId::SpineCurlM, ModelId::PageCurlM);
    const auto messages = scene.platform.callsOf("messageBox").size();
    const QImage second = scene.frame();
    EXPECT_EQ(GetModel(ModelId::FrontCurl).pObjects.size(), 1u);
    EXPECT_EQ(scene.platform.callsOf("messageBox").size(), messages);
    EXPECT_GT(CountNear(second, kRed), 200);
}

TEST(BookFamily, TheBookTiltsAboutItsBottomEdge) {
    BookScene scene(kKinds[0]);
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    v.scene().m_fReflection = v.scene().m_fShadow = 0;
    v.scene().m_fRotX = v.scene().m_fRotY = 0;
    const QRect upright = Drawn(scene.frame(), kWhite);
    v.scene().m_fTilt = -40;
    const QRect tilted = Drawn(scene.frame(), kWhite);
    // The foot stays about where it stood (its front edge lifts a little, the
    // pivot being the back edge); the top leans far away.
    const int topMoved = tilted.top() - upright.top();
    EXPECT_GT(topMoved, 15);
    EXPECT_LT(std::abs(tilted.bottom() - upright.bottom()), topMoved / 3);
}

TEST(BookFamily, ShadowLengthsAreHeldWithinTheKindsLimits) {
    struct Case {
        int kind;
        float before, after;
    } cases[] = {{0, 20, 12}, {0, 15, 15}, {0, -25, -20}, {1, 13, 12}, {1, -6, -4}, {4, 0, -1.2f}, {4, -3, -2.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(kKinds[c.kind].name);
        BookScene scene(kKinds[c.kind]);
        ASSERT_TRUE(scene.created);
        scene.v().scene().m_fShadowLength = c.before;
        scene.frame();
        EXPECT_FLOAT_EQ(scene.v().scene().m_fShadowLength, c.after) << "from " << c.before;
    }
}

TEST(BookFamily, DefaultImageRequestsAreConsumedOnlyByABookFrame) {
    BookScene scene(kKinds[0]);
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    v.scene().m_fPackageFamily = 4;
    v.scene().m_fCurlDefaults = 2;
    scene.frame();
    EXPECT_EQ(v.scene().m_fCurlDefaults, 2.0f) << "another family leaves the request";
    v.scene().m_fPackageFamily = 0;
    v.scene().m_fBookKind = 0;  // not the curled book: the request is dropped unserved
    scene.frame();
    EXPECT_EQ(v.scene().m_fCurlDefaults, 0.0f);
    EXPECT_EQ(v.scene().m_fCurlDefaultsLoaded, 0.0f);
    v.scene().m_fBookKind = 2;
    v.scene().m_fCurlDefaults = 2;
    scene.frame();
    EXPECT_EQ(v.scene().m_fCurlDefaults, 0.0f);
    EXPECT_EQ(v.scene().m_fCurlDefaultsLoaded, 2.0f);
}
