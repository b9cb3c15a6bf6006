// The Reflections and Shadows pages: first opening, the shared toggle and the
// shadow slider's range for each package.

#include <gtest/gtest.h>

#include "platform/scripted_platform.h"
#include <QSignalSpy>
#include <QTest>

#include "ui/floor_pages.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

struct FloorPages : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view = std::make_unique<CGL2AviView>(platform);
};

TEST_F(FloorPages, ReflectionsFirstOpeningSetsFiftyAndSwitchesTheReflectionOn) {
    view->scene().m_fReflectPageInit = 0;
    view->scene().m_fReflection = 0;
    CmyReflections page(*view);
    page.show();
    EXPECT_EQ(view->scene().m_fReflection, 2);
    EXPECT_EQ(view->scene().m_fReflectionToggle, 1);
    EXPECT_EQ(view->scene().m_fReflectAmount, 50);
    EXPECT_EQ(page.slider()->value(), 90);
    EXPECT_EQ(page.edit()->text(), "90");

    page.slider()->setValue(60);
    EXPECT_EQ(view->scene().m_fReflectAmount, 20);
    EXPECT_EQ(page.edit()->text(), "60");

    // The toggle's second press switches the reflection off; a third brings it back.
    page.toggleButton()->click();
    EXPECT_EQ(view->scene().m_fReflection, 0);
    EXPECT_EQ(view->scene().m_fReflectionToggle, 0);
    page.toggleButton()->click();
    EXPECT_EQ(view->scene().m_fReflection, 2);

    // A later page keeps the amount the user chose.
    CmyReflections again(*view);
    again.show();
    EXPECT_EQ(view->scene().m_fReflectAmount, 20);
    EXPECT_EQ(again.slider()->value(), 60);
}

TEST_F(FloorPages, ShadowRangesFollowThePackage) {
    struct Case {
        float family, bookKind, modelBook, boxModel;
        int low, high;
    };
    const Case cases[] = {
        {0, 1, 2, 0, -20, 20},  // hard-back book
        {0, 3, 0, 0, 0, 12},    // other books
        {0, 6, 0, 0, 0, 4},
        {0, 8, 0, 0, 0, 6},
        {4, 0, 0, 2, 3, 20},    // DVD stacks
        {1, 0, 0, 0, 0, 12},
    };
    for (const Case& c : cases) {
        view->scene().m_fPackageFamily = c.family;
        view->scene().m_fBookKind = c.bookKind;
        view->scene().m_fModelBook = c.modelBook;
        view->scene().m_fBoxModel = c.boxModel;
        CmyShadows1 page(*view);
        page.show();
        EXPECT_EQ(page.slider()->minimum(), c.low) << c.family << "/" << c.bookKind;
        EXPECT_EQ(page.slider()->maximum(), c.high) << c.family << "/" << c.bookKind;
        EXPECT_EQ(view->scene().m_fShadow, 2);
    }
}

TEST_F(FloorPages, ShadowSliderSetsLengthAndAdaptsAfterAPackageChoice) {
    view->scene().m_fPackageFamily = 1;
    CmyShadows1 page(*view);
    page.show();
    page.slider()->setValue(10);
    EXPECT_EQ(view->scene().m_fShadowLength, 6);
    EXPECT_EQ(page.edit()->text(), QString::number(int(10 * 8.4f)));

    // A new package clears the range flag: the next scroll takes the new range.
    view->scene().m_fPackageFamily = 0;
    view->scene().m_fBookKind = 6;
    view->scene().m_fShadowRangeSet = 0;
    page.slider()->setValue(3);
    EXPECT_EQ(page.slider()->maximum(), 4);
    EXPECT_EQ(view->scene().m_fShadowRangeSet, 2);

    // Typing only records the value: the shadow follows the slider alone,
    // and the status bar says so.
    QSignalSpy said(&page, &CmyShadows1::statusMessage);
    page.edit()->setText("");
    QTest::keyClicks(page.edit(), "42");
    EXPECT_EQ(page.editValue(), 42);
    ASSERT_FALSE(said.isEmpty());
    EXPECT_TRUE(said.last().first().toString().contains("slider"));
    EXPECT_EQ(view->scene().m_fShadowLength, float(page.slider()->value() - 4));
}

}  // namespace
