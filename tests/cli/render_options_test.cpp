#include <gtest/gtest.h>

#include <QDir>

#include "cli/render_options.h"

using namespace vm;

TEST(RenderOptions, DefaultsToEightHundredBySixHundred) {
    QString error;
    const auto options = ParseRenderOptions({"--out", "a.png"}, error);
    ASSERT_TRUE(options) << qPrintable(error);
    EXPECT_EQ(options->width, 800);
    EXPECT_EQ(options->height, 600);
    // Relative paths belong to the folder the command was started in.
    EXPECT_EQ(options->out, QDir::current().absoluteFilePath("a.png"));
}

TEST(RenderOptions, ReadsSizeInBothSpellings) {
    QString error;
    auto options = ParseRenderOptions({"--size", "720x576", "--out=b.BMP"}, error);
    ASSERT_TRUE(options) << qPrintable(error);
    EXPECT_EQ(options->width, 720);
    EXPECT_EQ(options->height, 576);
    options = ParseRenderOptions({"--size=64X32", "--out", "c.png"}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->width, 64);
}

TEST(RenderOptions, RefusesBadArgumentsWithAReason) {
    const QStringList bad[] = {{"--size", "0x10", "--out", "a.png"},
                               {"--size", "wide", "--out", "a.png"},
                               {"--size", "99999x2", "--out", "a.png"},
                               {"--out", "a.gif"},
                               {"--out"},
                               {"--frobnicate", "--out", "a.png"},
                               {}};
    for (const QStringList& args : bad) {
        QString error;
        EXPECT_FALSE(ParseRenderOptions(args, error)) << qPrintable(args.join(' '));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(RenderOptions, HelpNeedsNoOutput) {
    QString error;
    const auto options = ParseRenderOptions({"--help"}, error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->help);
}
