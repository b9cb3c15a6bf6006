#include <gtest/gtest.h>

#include "view/gl2avi_view.h"

using namespace vm;

TEST(ViewProjection, TakesAZeroHeightAsOne) {
    const Projection p = ViewProjection(640, 0);
    EXPECT_DOUBLE_EQ(p.aspect, 640.0);
    EXPECT_DOUBLE_EQ(p.fovY, 45.0);
    EXPECT_DOUBLE_EQ(p.zNear, 0.5);
    EXPECT_DOUBLE_EQ(p.zFar, 990100.0);
    EXPECT_DOUBLE_EQ(ViewProjection(800, 600).aspect, 800.0 / 600.0);
}

class MultisampleChoice : public ::testing::Test {
protected:
    void SetUp() override {
        g_bMultisampleFound = 0;
        g_nMultisamplePixelFormat = 0;
    }
    std::vector<int> asked;
    std::function<bool(int)> offering(int most) {
        return [this, most](int samples) {
            asked.push_back(samples);
            return samples <= most;
        };
    }
};

TEST_F(MultisampleChoice, TakesFourWhenOffered) {
    EXPECT_TRUE(FindMultisampleFormat(true, offering(8)));
    EXPECT_EQ(g_bMultisampleFound, 1);
    EXPECT_EQ(g_nMultisamplePixelFormat, 4);
    EXPECT_EQ(asked, std::vector<int>({4}));
}

TEST_F(MultisampleChoice, FallsBackToTwo) {
    EXPECT_TRUE(FindMultisampleFormat(true, offering(2)));
    EXPECT_EQ(g_nMultisamplePixelFormat, 2);
    EXPECT_EQ(asked, std::vector<int>({4, 2}));
}

TEST_F(MultisampleChoice, FallsBackToNoneAndKeepsTheFlag) {
    EXPECT_FALSE(FindMultisampleFormat(true, offering(0)));
    EXPECT_EQ(g_bMultisampleFound, 0);
    EXPECT_EQ(asked, std::vector<int>({4, 2}));
    // When neither count is offered the flag keeps what an earlier query found.
    g_bMultisampleFound = 1;
    EXPECT_TRUE(FindMultisampleFormat(true, offering(0)));
}

TEST_F(MultisampleChoice, WithoutTheExtensionNothingIsAsked) {
    g_bMultisampleFound = 1;
    EXPECT_FALSE(FindMultisampleFormat(false, offering(8)));
    EXPECT_EQ(g_bMultisampleFound, 0);
    EXPECT_TRUE(asked.empty());
}
