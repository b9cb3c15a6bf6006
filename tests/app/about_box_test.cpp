#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "app/about_box.h"
#include "platform/scripted_platform.h"
#include "view/gl2avi_view.h"

using namespace vm;

TEST(AboutBox, HasItsCaptionPictureAndButtons) {
    ScriptedPlatform platform;
    CAboutBoxDlg about(platform);
    EXPECT_EQ(about.windowTitle(), "Vellumark ");
    auto* picture = about.findChild<QLabel*>("AboutPicture");
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull()) << "Res/About.bmp beside the program";
    auto* ok = about.findChild<QPushButton*>("Ok");
    auto* clickHere = about.findChild<QPushButton*>("ClickHere");
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(clickHere, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(clickHere->text(), "CLICK HERE!");
}

TEST(AboutBox, ClickHereOpensTheCoverDesignPage) {
    ScriptedPlatform platform;
    CAboutBoxDlg about(platform);
    about.findChild<QPushButton*>("ClickHere")->click();
    const auto opened = platform.callsOf("openUrl");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].args[0], QString::fromLatin1(kCoverDesignUrl));
}
