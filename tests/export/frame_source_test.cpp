// Recording and Generate AVI on a scene whose frames come from a stand-in
// source: no view, no OpenGL. The written files are read back as a player
// would.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "export/avi_writer.h"
#include "export/generate_video.h"
#include "export/video_probe.h"
#include "export/video_recording.h"
#include "platform/scripted_platform.h"
#include "scene/page_interfaces.h"
#include "scene/scene_state.h"

using namespace vm;

namespace {

// Hands out flat frames of one grey per frame and notes what it was asked.
class FakeSource : public FrameSource {
public:
    struct Draw {
        int width, height;
        PixelLayout layout;
        int holds;  // playback holds while drawing
    };
    bool RenderImage(int width, int height, const ImageOptions& options, FramePixels& out) override {
        draws.push_back({width, height, options.layout, holds});
        if (int(draws.size()) == failAt) return false;
        out.width = width;
        out.height = height;
        out.layout = options.layout;
        out.stride = RowStride(options.layout, width);
        out.bytes.assign(std::size_t(out.stride) * std::size_t(height), std::uint8_t(40 * draws.size()));
        return true;
    }
    void AdvanceFrame() override { ++advances; }
    void HoldPlayback(bool held) override { holds += held ? 1 : -1; }

    std::vector<Draw> draws;
    int advances = 0;
    int holds = 0;
    int failAt = 0;  // the draw (from 1) that fails; 0 none
};

class FakeDeck : public ControlDeck {
public:
    void showDeck() override { events.push_back("show"); }
    void hideDeck() override { events.push_back("hide"); }
    std::vector<std::string> events;
};

std::unique_ptr<SceneState> sceneOfFrames(int frames) {
    auto scene = std::make_unique<SceneState>();
    scene->m_trackModel.length = frames;
    scene->m_nExportTrack = 0;
    return scene;
}

void prepare(AviWriter& writer, const QString& path) {
    writer.SetFileName(path);
    writer.SetRate(25);
    writer.SetFrameSize(64, 48);
    writer.SetCompressor({VideoCodec::MotionJpeg, 75});
}

}  // namespace

TEST(RecordVideo, EveryFrameIsDrawnAsBgrAtTheWritersSizeWithPlaybackHeldThenAdvanced) {
    QTemporaryDir dir;
    auto scene = sceneOfFrames(4);
    FakeSource source;
    AviWriter writer;
    prepare(writer, dir.filePath("clip.avi"));

    const VideoOutcome outcome = RecordVideo(*scene, source, writer, {});
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.recording.written, 4);
    ASSERT_EQ(source.draws.size(), 4u);
    for (const FakeSource::Draw& draw : source.draws) {
        EXPECT_EQ(draw.width, 64);
        EXPECT_EQ(draw.height, 48);
        EXPECT_EQ(draw.layout, PixelLayout::BgrBottomUp);
        EXPECT_EQ(draw.holds, 1);
    }
    EXPECT_EQ(source.advances, 4);
    EXPECT_EQ(source.holds, 0);  // released once the file is closed
    EXPECT_TRUE(scene->m_trackModel.playing);
    EXPECT_EQ(test::ProbeVideo(dir.filePath("clip.avi")).frames, 4);
}

TEST(RecordVideo, AFrameThatCannotBeDrawnEndsTheRecordingWithItsNumber) {
    QTemporaryDir dir;
    auto scene = sceneOfFrames(6);
    FakeSource source;
    source.failAt = 3;
    AviWriter writer;
    prepare(writer, dir.filePath("clip.avi"));

    const VideoOutcome outcome = RecordVideo(*scene, source, writer, {});
    EXPECT_EQ(outcome.recording.written, 2);
    EXPECT_EQ(outcome.recording.failure, AVIERR_INTERNAL);
    EXPECT_EQ(outcome.recording.error, "Frame 3 could not be drawn at 64 x 48.");
    EXPECT_EQ(source.draws.size(), 3u);
    EXPECT_EQ(source.advances, 2);
    EXPECT_EQ(source.holds, 0);
}

TEST(GenerateVideo, RecordsTheSceneFromAnySourceAtTheFormatsSizeWithTheDeckHidden) {
    QTemporaryDir dir;
    auto scene = sceneOfFrames(3);
    scene->m_nVideoFormat = 17;  // 320 x 240 at 30 frames a second
    scene->m_bDeckOpen = 1;
    FakeDeck deck;
    DeckPages pages;
    pages.m_pControlDeck = &deck;
    ScriptedPlatform platform;
    platform.queueSaveFileName(dir.filePath("clip.avi"));
    platform.queueCompressor(CompressorChoice{0, 75});
    platform.queueMessageResult(MessageResult::No);
    FakeSource source;

    GenerateVideo(*scene, pages, platform, nullptr, source);
    ASSERT_EQ(source.draws.size(), 3u);
    EXPECT_EQ(source.draws[0].width, 320);
    EXPECT_EQ(source.draws[0].height, 240);
    EXPECT_EQ(scene->m_fVideoFps, 30.0f);
    EXPECT_EQ(deck.events, (std::vector<std::string>{"hide", "show"}));
    EXPECT_EQ(source.holds, 0);
    const test::VideoProbe probe = test::ProbeVideo(dir.filePath("clip.avi"));
    EXPECT_EQ(probe.frames, 3);
    EXPECT_EQ(probe.width, 320);
    EXPECT_TRUE(platform.callsOf("openUrl").empty());  // the offer to play it was declined
}
