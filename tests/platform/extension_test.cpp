#include <gtest/gtest.h>

#include "platform/gl_extensions.h"

using vm::ExtensionListed;

TEST(ExtensionListed, FindsNamesInEveryPosition) {
    const char* list = "GL_ARB_multisample GL_EXT_fog_coord GL_ARB_texture_env_combine";
    EXPECT_TRUE(ExtensionListed(list, "GL_ARB_multisample"));
    EXPECT_TRUE(ExtensionListed(list, "GL_EXT_fog_coord"));
    EXPECT_TRUE(ExtensionListed(list, "GL_ARB_texture_env_combine"));
    EXPECT_TRUE(ExtensionListed("GL_ARB_multisample", "GL_ARB_multisample"));
}

TEST(ExtensionListed, RefusesPartialTokens) {
    // A longer name that merely begins with the requested one is not a match...
    EXPECT_FALSE(ExtensionListed("GL_ARB_multisample_extra GL_EXT_fog", "GL_ARB_multisample"));
    // ...nor one that ends with it.
    EXPECT_FALSE(ExtensionListed("WGL_ARB_multisample GL_EXT_fog", "GL_ARB_multisample"));
    EXPECT_FALSE(ExtensionListed("GL_EXT_fog", "GL_EXT_fog_coord"));
}

TEST(ExtensionListed, KeepsSearchingAfterARejectedMatch) {
    EXPECT_TRUE(ExtensionListed("GL_ARB_multisample_extra GL_ARB_multisample", "GL_ARB_multisample"));
    EXPECT_TRUE(ExtensionListed("XGL_EXT_a GL_EXT_a", "GL_EXT_a"));
}

TEST(ExtensionListed, EmptyInputsAreNotListed) {
    EXPECT_FALSE(ExtensionListed(nullptr, "GL_EXT_a"));
    EXPECT_FALSE(ExtensionListed("", "GL_EXT_a"));
    EXPECT_FALSE(ExtensionListed("GL_EXT_a", ""));
}
