#include <gtest/gtest.h>

#include "platform/scripted_platform.h"

using namespace vm;

TEST(ScriptedPlatform, AnswersMessageBoxesFromItsQueueAndRecordsThem) {
    ScriptedPlatform platform;
    platform.queueMessageResult(MessageResult::Yes);
    EXPECT_EQ(platform.messageBox("Replace it?", "Vellumark", MessageButtons::YesNo, MessageIcon::Question),
              MessageResult::Yes);
    // With the queue empty a box takes its cancelling answer.
    EXPECT_EQ(platform.messageBox("Again?", "Vellumark", MessageButtons::YesNo, MessageIcon::Question),
              MessageResult::No);
    EXPECT_EQ(platform.messageBox("Done", "Vellumark", MessageButtons::Ok, MessageIcon::Information),
              MessageResult::Ok);

    const auto boxes = platform.callsOf("messageBox");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].args[0], "Replace it?");
    EXPECT_EQ(boxes[0].args[1], "Vellumark");
    EXPECT_EQ(boxes[2].args[0], "Done");
}

TEST(ScriptedPlatform, FileDialogsTakeAnswersInOrderAndCancelWhenEmpty) {
    ScriptedPlatform platform;
    platform.queueOpenFileName(QString("/tmp/a.jpg"));
    platform.queueOpenFileName(std::nullopt);
    FileDialogRequest request{"Select Front Texture", "Jpg (*.jpg)", "jpg", "", true};
    EXPECT_EQ(platform.openFileName(request), QString("/tmp/a.jpg"));
    EXPECT_EQ(platform.openFileName(request), std::nullopt);
    EXPECT_EQ(platform.openFileName(request), std::nullopt);
    // Save answers are a queue of their own.
    platform.queueSaveFileName(QString("/tmp/b.bmp"));
    EXPECT_EQ(platform.saveFileName(request), QString("/tmp/b.bmp"));

    const auto opens = platform.callsOf("openFileName");
    ASSERT_EQ(opens.size(), 3u);
    EXPECT_EQ(opens[0].args[0], "Select Front Texture");
    EXPECT_EQ(opens[0].args[2], "jpg");
}

TEST(ScriptedPlatform, KeepsSettingsAndTheClipboard) {
    ScriptedPlatform platform;
    EXPECT_EQ(platform.readProfileInt("Set new project", "Value", 1), 1);
    platform.writeProfileInt("Set new project", "Value", 2);
    EXPECT_EQ(platform.readProfileInt("Set new project", "Value", 1), 2);

    QImage image(8, 4, QImage::Format_RGB888);
    image.fill(Qt::red);
    platform.setClipboardImage(image);
    EXPECT_EQ(platform.clipboardImage().size(), QSize(8, 4));
    EXPECT_EQ(platform.callsOf("setClipboardImage").size(), 1u);
}
