#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>

#include "anim/subjects.h"
#include "platform/float_to_int.h"

using namespace vm;

TEST(FloatToInt, TruncatesLikeACastInsideTheRangeAndStopsAtItsBounds) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        double value;
        int lo, hi, expected;
    };
    const Case cases[] = {
        {12.9, INT_MIN, INT_MAX, 12},   {-12.9, INT_MIN, INT_MAX, -12},  {0.0, INT_MIN, INT_MAX, 0},
        {3e38, INT_MIN, INT_MAX, INT_MAX}, {-3e38, INT_MIN, INT_MAX, INT_MIN}, {2147483647.5, INT_MIN, INT_MAX, INT_MAX},
        {-2147483648.5, INT_MIN, INT_MAX, INT_MIN}, {inf, INT_MIN, INT_MAX, INT_MAX}, {-inf, INT_MIN, INT_MAX, INT_MIN},
        {nan, INT_MIN, INT_MAX, 0},     {nan, 5, 9, 5},                  {nan, -9, -5, -5},
        {300.7, 0, 224, 224},           {-1, 0, 224, 0},                 {223.99, 0, 224, 223},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(FloatToInt(c.value, c.lo, c.hi), c.expected);
    }
}

TEST(FloatToInt, ABookCountFromATrackIsAlwaysOneTheArrayCanDraw) {
    auto scene = std::make_unique<SceneState>();
    for (float v : {std::nanf(""), -std::numeric_limits<float>::infinity(), 1e30f, -4.0f, 17.8f}) {
        WriteSceneValue(*scene, nullptr, v);
        EXPECT_GE(scene->m_nArrayCount, 0);
        EXPECT_LE(scene->m_nArrayCount, kMaxArrayBooks);
    }
    EXPECT_EQ(scene->m_nArrayCount, 17);
}
