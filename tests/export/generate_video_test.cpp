// Generate AVI and Options > Settings on the headless host, answered by the
// scripted platform, with the written files read back as a player would.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <csignal>
#include <sys/resource.h>

#include "anim/build_track.h"
#include "anim/playback.h"
#include "anim/turntable.h"
#include "export/generate_video.h"
#include "export/video_probe.h"
#include "export/video_recording.h"
#include "support/offscreen_fixture.h"
#include "view/commands.h"
#include "scene/page_interfaces.h"

using namespace vm;

namespace {

// Keys a track from its frame-0 key to one key at `frames`, moving every value by one.
template <int N>
void keyTrack(KeyTrack<N>& t, int frames) {
    EraseKeys(t);
    for (int v = 0; v < N; ++v) {
        t.track[v][0] = t.base[v];
        t.key[v][frames] = t.base[v] + 1.0f;
    }
    t.keyFrames[1] = frames;
    t.keyCount = 1;
    BuildTrack(t);
}

struct Lengths {
    int model = 0, text = 0, light = 0, picture = 0, array = 0;
};

std::unique_ptr<SceneState> sceneWith(Lengths l) {
    auto scene = std::make_unique<SceneState>();
    scene->m_trackModel.length = l.model;
    scene->m_trackText.length = l.text;
    scene->m_trackLight.length = l.light;
    scene->m_trackPicture.length = l.picture;
    scene->m_trackArray.length = l.array;
    return scene;
}

class FakeDeck : public ControlDeck {
public:
    void showDeck() override { events.push_back("show"); }
    void hideDeck() override { events.push_back("hide"); }
    std::vector<std::string> events;
};

const char* const kQuestion =
    "Would You Like to View the Video You've Just Created? If you click Yes, Vellumark will try to open the AVI in "
    "your default Media Player Software";

// A headless view of the scene after New, large enough for the formats used here.
struct Exporter : test::HeadlessView {
    explicit Exporter(int width = 320, int height = 240) : HeadlessView(width, height) {
        view->OnInitialUpdate();
        view->OnNewScene();
        view->scene().m_nVideoFormat = 17;  // YoutTube, 320x240 at 30 frames a second
        platform.clearCalls();
    }
    // Runs Generate AVI with `name` chosen in the save dialog.
    void generate(const QString& name) {
        platform.queueSaveFileName(name);
        run();
    }
    // Generate AVI on the view's scene, pages and window, drawn by the view.
    void run() { GenerateVideo(view->scene(), view->pages(), view->platform(), view->window(), *view); }
    QStringList messages() const {
        QStringList texts;
        for (const auto& call : platform.callsOf("messageBox")) texts << call.args[0];
        return texts;
    }
};

}  // namespace

TEST(ExportTrackChoice, TheLongestTrackIsRecorded) {
    EXPECT_EQ(ChooseExportTrack(*sceneWith({.light = 50}), 0), 3);
    EXPECT_EQ(ChooseExportTrack(*sceneWith({.model = 100, .text = 40}), 0), 0);
    EXPECT_EQ(ChooseExportTrack(*sceneWith({.model = 100, .text = 40}), 2), 0);
    // The light no longer wins just by outlasting the text.
    EXPECT_EQ(ChooseExportTrack(*sceneWith({.model = 100, .light = 50}), 0), 0);
    EXPECT_EQ(ChooseExportTrack(*sceneWith({.model = 10, .picture = 30, .array = 20}), 0), 4);
    EXPECT_EQ(ChooseExportTrack(*sceneWith({.model = 10, .array = 20}), 4), 5);
}

TEST(ExportTrackChoice, ATieKeepsThePreviousChoiceWhileItIsAmongTheLongest) {
    const auto tie = sceneWith({.model = 60, .text = 60});
    EXPECT_EQ(ChooseExportTrack(*tie, 0), 0);  // the first export after start-up
    EXPECT_EQ(ChooseExportTrack(*tie, 2), 2);
    EXPECT_EQ(ChooseExportTrack(*tie, 3), 0);  // the light is not among them: the model
    EXPECT_EQ(ChooseExportTrack(*sceneWith({.text = 60, .light = 60}), 0), 2);
    EXPECT_EQ(ExportTrackLength(*tie, 1), 0);  // no track has code 1
}

TEST(ExportTrackChoice, RecordingStartsEveryKeyedTrackFromFrameZero) {
    auto scene = sceneWith({.light = 50});
    scene->m_trackLight.position = 17;
    StartTracksForRecording(*scene);
    EXPECT_EQ(scene->m_trackLight.position, 0);
    EXPECT_TRUE(scene->m_trackLight.playing);
    EXPECT_TRUE(scene->m_trackModel.playing);  // the light plays through the model's step
    EXPECT_FALSE(scene->m_trackText.playing);
    auto text = sceneWith({.text = 5});
    StartTracksForRecording(*text);
    EXPECT_TRUE(text->m_trackText.playing);
    EXPECT_FALSE(text->m_trackModel.playing);
}

TEST(Turntable, OneTurnOverTheFramesLoopsWithoutAJump) {
    auto scene = std::make_unique<SceneState>();
    scene->m_fRotY = 30.0f;
    EXPECT_EQ(KeyTurntable(*scene, DeckPages{}, 100), 100);
    const ModelTrack& t = scene->m_trackModel;
    EXPECT_EQ(t.length, 100);
    EXPECT_EQ(scene->m_nFrameCount, 100);
    EXPECT_NEAR(t.track[1][0], 33.6f, 1e-3);
    EXPECT_NEAR(t.track[1][99], 390.0f, 1e-2);  // the first frame's pose one step further on
    EXPECT_NEAR(t.track[1][99] - t.track[1][98], 3.6f, 1e-3);
    EXPECT_NEAR(t.track[0][50], scene->m_fRotX, 1e-4);  // only the turn moves
    EXPECT_EQ(KeyTurntable(*scene, DeckPages{}, 0), 1);
    EXPECT_EQ(KeyTurntable(*scene, DeckPages{}, 20000), 9999);
    EXPECT_EQ(scene->m_trackModel.length, 9999);
}

TEST(GenerateAvi, NothingKeyedShowsTheMessageAndAsksNothingElse) {
    Exporter e;
    FakeDeck deck;
    e.view->scene().m_bDeckOpen = 1;
    e.view->pages().m_pControlDeck = &deck;
    e.generate("unused.avi");
    EXPECT_EQ(e.messages(),
              QStringList{"Please create or load a keyframe sequence. There currently nothing to record."});
    EXPECT_TRUE(e.platform.callsOf("saveFileName").empty());
    EXPECT_EQ(deck.events, (std::vector<std::string>{"hide", "show"}));
    e.view->pages().m_pControlDeck = nullptr;
}

TEST(GenerateAvi, TheSaveDialogAsksForAVideoClipAndACancelEndsTheCommand) {
    Exporter e;
    KeyTurntable(e.view->scene(), e.view->pages(), 4);
    e.platform.queueSaveFileName(std::nullopt);
    e.run();
    const auto dialogs = e.platform.callsOf("saveFileName");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].args[0], "Save a Vellumark Video Clip");
    EXPECT_TRUE(dialogs[0].args[1].startsWith("AVI Files (*.avi);;")) << qPrintable(dialogs[0].args[1]);
    EXPECT_TRUE(dialogs[0].args[1].contains("(*.mp4)"));
    EXPECT_TRUE(dialogs[0].args[1].contains("(*.gif)"));
    EXPECT_TRUE(dialogs[0].args[1].contains("(*.png)"));
    EXPECT_EQ(dialogs[0].args[2], "avi");
    EXPECT_EQ(dialogs[0].args[3], "*.avi");
    EXPECT_TRUE(e.platform.callsOf("chooseCompressor").empty());
    EXPECT_TRUE(e.messages().isEmpty());
}

TEST(GenerateAvi, OnlyTheLightKeyedRecordsItsFiftyFramesAndOffersTheWrittenFile) {
    Exporter e;
    keyTrack(e.view->scene().m_trackLight, 50);
    QTemporaryDir dir;
    e.platform.queueCompressor(CompressorChoice{1, 80});  // Motion JPEG
    e.platform.queueMessageResult(MessageResult::Yes);
    e.generate(dir.filePath("clip"));

    EXPECT_EQ(e.view->scene().m_nExportTrack, 3);
    EXPECT_EQ(e.view->scene().m_fVideoFps, 30.0f);
    const QString written = dir.filePath("clip.avi");
    const test::VideoProbe probe = test::ProbeVideo(written);
    EXPECT_EQ(probe.codec, "mjpeg");
    EXPECT_EQ(probe.frames, 50);
    EXPECT_EQ(QSize(probe.width, probe.height), QSize(320, 240));
    EXPECT_NEAR(probe.rate, 30.0, 0.01);
    EXPECT_EQ(e.messages(), QStringList{kQuestion});
    const auto opened = e.platform.callsOf("openUrl");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(QUrl(opened[0].args[0]).toLocalFile(), QFileInfo(written).absoluteFilePath());
    // Progress showed every frame, and the wait cursor came and went.
    EXPECT_EQ(e.platform.callsOf("progress").size(), 51u);
    EXPECT_EQ(e.platform.callsOf("setWaitCursor").size(), 2u);
    EXPECT_EQ(e.view->scene().m_fCompressCancelled, 0.0f);
}

TEST(GenerateAvi, TheModelTrackOutlastingTheLightIsRecordedWhole) {
    Exporter e;
    keyTrack(e.view->scene().m_trackModel, 100);
    keyTrack(e.view->scene().m_trackLight, 50);
    QTemporaryDir dir;
    e.platform.queueCompressor(CompressorChoice{1, 50});
    e.generate(dir.filePath("long.avi"));
    EXPECT_EQ(e.view->scene().m_nExportTrack, 0);
    EXPECT_EQ(test::ProbeVideo(dir.filePath("long.avi")).frames, 100);
}

TEST(GenerateAvi, TheFirstFrameIsTheStillOfFrameZeroTheRightWayUp) {
    Exporter e;
    KeyTurntable(e.view->scene(), e.view->pages(), 8);
    ScrubScene(e.view->scene(), e.view->pages(), AnimSubject::Model, 0);
    const QImage still = e.frame();
    QTemporaryDir dir;
    e.platform.queueCompressor(CompressorChoice{0, 75});  // full frames
    e.generate(dir.filePath("still.avi"));
    const test::VideoProbe probe = test::ProbeVideo(dir.filePath("still.avi"), 2);
    EXPECT_EQ(probe.codec, "rawvideo");
    EXPECT_EQ(probe.frames, 8);
    ASSERT_EQ(probe.decoded.size(), 2u);
    EXPECT_LT(test::MeanDifference(probe.decoded[0], still), 1.0);
    EXPECT_GT(test::MeanDifference(probe.decoded[0], still.mirrored(false, true)), 2.0);
    EXPECT_GT(test::MeanDifference(probe.decoded[1], still), 0.5);  // the package turned
}

TEST(GenerateAvi, ACancelledCompressionDialogLeavesTheFileRecordsNothingAndStillAsks) {
    Exporter e;
    KeyTurntable(e.view->scene(), e.view->pages(), 10);
    QTemporaryDir dir;
    e.platform.queueCompressor(std::nullopt);
    e.generate(dir.filePath("cancelled.avi"));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("cancelled.avi")));
    EXPECT_EQ(QFileInfo(dir.filePath("cancelled.avi")).size(), 0);
    EXPECT_TRUE(e.platform.callsOf("progress").empty());
    EXPECT_EQ(e.messages(), QStringList{kQuestion});
    EXPECT_EQ(e.view->scene().m_fCompressCancelled, 0.0f);
    EXPECT_FALSE(e.view->scene().m_trackModel.playing);  // nothing was started
}

TEST(GenerateAvi, TheLastCompressorIsOfferedFirstNextTime) {
    Exporter e;
    KeyTurntable(e.view->scene(), e.view->pages(), 2);
    QTemporaryDir dir;
    e.platform.queueCompressor(CompressorChoice{2, 40});  // MPEG-4
    e.generate(dir.filePath("a.avi"));
    e.platform.queueCompressor(CompressorChoice{2, 40});
    e.generate(dir.filePath("b.avi"));
    const auto asked = e.platform.callsOf("chooseCompressor");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[0].args[0].startsWith("Full Frames (Uncompressed)|Motion JPEG|MPEG-4 Part 2"));
    EXPECT_EQ(asked[1].args[1], "2");
    EXPECT_EQ(asked[1].args[2], "40");
    EXPECT_EQ(test::ProbeVideo(dir.filePath("b.avi")).codec, "mpeg4");
}

TEST(GenerateAvi, CancelInTheProgressWindowClosesAFileThatPlays) {
    Exporter e;
    KeyTurntable(e.view->scene(), e.view->pages(), 30);
    QTemporaryDir dir;
    e.platform.queueCompressor(CompressorChoice{1, 75});
    e.platform.cancelProgressAfter(5);
    e.generate(dir.filePath("part.avi"));
    const test::VideoProbe probe = test::ProbeVideo(dir.filePath("part.avi"), 1);
    EXPECT_EQ(probe.frames, 5);
    EXPECT_EQ(probe.decoded.size(), 1u);
    EXPECT_EQ(e.messages(), QStringList{kQuestion});
}

TEST(GenerateAvi, OtherKindsOfFileKeepTheirNames) {
    Exporter e;
    KeyTurntable(e.view->scene(), e.view->pages(), 6);
    QTemporaryDir dir;
    e.platform.queueCompressor(CompressorChoice{0, 75});  // H.264
    e.generate(dir.filePath("clip.mp4"));
    e.generate(dir.filePath("loop.gif"));  // one compressor each: no dialog for GIF or PNG
    ASSERT_TRUE(QDir(dir.path()).mkdir("seq"));
    e.generate(dir.filePath("seq/shot.png"));
    EXPECT_EQ(e.platform.callsOf("chooseCompressor").size(), 1u);
    const test::VideoProbe mp4 = test::ProbeVideo(dir.filePath("clip.mp4"));
    EXPECT_EQ(mp4.codec, "h264");
    EXPECT_EQ(mp4.frames, 6);
    const test::VideoProbe gif = test::ProbeVideo(dir.filePath("loop.gif"));
    EXPECT_EQ(gif.codec, "gif");
    EXPECT_EQ(gif.frames, 6);
    // Numbered like the frames, from 0.
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("seq/shot0000.png")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("seq/shot0005.png")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("seq/shot0006.png")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("clip.mp4.avi")));
}

TEST(GenerateAvi, AWebMAsksWhetherToLeaveTheBackgroundOut) {
    Exporter e;
    KeyTurntable(e.view->scene(), e.view->pages(), 4);
    QTemporaryDir dir;
    e.platform.queueCompressor(CompressorChoice{0, 75, true});
    e.generate(dir.filePath("float.webm"));
    const auto asked = e.platform.callsOf("chooseCompressor");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].args.value(0), "VP9");
    const test::VideoProbe probe = test::ProbeVideo(dir.filePath("float.webm"));
    EXPECT_EQ(probe.codec, "vp9");
    EXPECT_EQ(probe.frames, 4);
    QProcess ffprobe;
    ffprobe.start("ffprobe", {"-v", "error", "-show_entries", "stream_tags=alpha_mode", "-of", "csv=p=0",
                              dir.filePath("float.webm")});
    ffprobe.waitForFinished(60000);
    EXPECT_EQ(QString::fromLatin1(ffprobe.readAllStandardOutput()).trimmed(), "1");
}

TEST(GenerateAviFailures, AnUnwritableFolderShowsTheFileOpenTextAndStillAsks) {
    Exporter e;
    KeyTurntable(e.view->scene(), e.view->pages(), 3);
    e.generate("/nonexistent-folder/clip.avi");
    const QStringList messages = e.messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].startsWith("AVI Engine failed to initialize. Check filename /nonexistent-folder/clip.avi."
                                       "A disk error occurred while opening the file.\n"))
        << qPrintable(messages[0]);
    EXPECT_EQ(messages[1], kQuestion);
    EXPECT_TRUE(e.platform.callsOf("chooseCompressor").empty());
    EXPECT_EQ(e.platform.callsOf("setWaitCursor").back().args[0], "off");
}

TEST(GenerateAviFailures, AFullDiskNamesTheCauseAndDoesNotOfferTheBrokenFile) {
    Exporter e;
    KeyTurntable(e.view->scene(), e.view->pages(), 40);
    QTemporaryDir dir;
    e.platform.queueCompressor(CompressorChoice{0, 75});  // full frames: 230 kB each
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 1024 * 1024;
    setrlimit(RLIMIT_FSIZE, &limit);
    e.generate(dir.filePath("full.avi"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    const QStringList messages = e.messages();
    ASSERT_EQ(messages.size(), 1) << qPrintable(messages.join(" / "));
    EXPECT_TRUE(messages[0].contains("could not be written to")) << qPrintable(messages[0]);
    EXPECT_TRUE(messages[0].endsWith("File too large")) << qPrintable(messages[0]);
    EXPECT_TRUE(e.platform.callsOf("openUrl").empty());
    EXPECT_EQ(e.platform.callsOf("setWaitCursor").back().args[0], "off");
}

TEST(GenerateAviFormats, FormatSixteenWritesTwentyFiveFramesASecondAtFullHdFromASmallView) {
    Exporter e;  // 320 x 240: the frames are drawn offscreen at the format's size
    e.view->scene().m_nVideoFormat = 16;
    KeyTurntable(e.view->scene(), e.view->pages(), 2);
    QTemporaryDir dir;
    e.platform.queueCompressor(CompressorChoice{1, 75});
    e.generate(dir.filePath("hd.avi"));
    const test::VideoProbe probe = test::ProbeVideo(dir.filePath("hd.avi"));
    EXPECT_NEAR(probe.rate, 25.0, 0.01);
    EXPECT_EQ(QSize(probe.width, probe.height), QSize(1920, 1080));
    EXPECT_EQ(e.view->scene().m_fVideoFps, 25.0f);
}

TEST(VideoSettings, OneDialogAtATimeWhoseSelectionCountsAtOnceAndWhoseApplySizesTheWindow) {
    Exporter e;
    e.view->scene().m_nVideoFormat = 0;
    e.view->OnCommand(cmd::VideoSettings);
    e.view->OnCommand(cmd::VideoSettings);
    EXPECT_EQ(e.platform.callsOf("openExportSettings").size(), 1u);
    ASSERT_NE(e.platform.settingsWindow(), nullptr);
    EXPECT_EQ(e.platform.settingsWindow()->selectedRow(), 0);

    e.platform.selectSettingsRow(17);
    EXPECT_EQ(e.view->scene().m_nVideoFormat, 17);
    EXPECT_TRUE(e.platform.callsOf("resizeMainWindow").empty());
    e.platform.pressSettingsApply();
    const auto resized = e.platform.callsOf("resizeMainWindow");
    ASSERT_EQ(resized.size(), 1u);
    EXPECT_EQ(resized[0].args, (QStringList{"332", "268"}));
    EXPECT_EQ(e.view->scene().m_fVideoFps, 30.0f);
    EXPECT_EQ(e.view->m_pExportSettings, nullptr);

    // Opened again it shows the first row, while the choice stays.
    e.view->OnCommand(cmd::VideoSettings);
    ASSERT_NE(e.platform.settingsWindow(), nullptr);
    EXPECT_EQ(e.platform.settingsWindow()->selectedRow(), 0);
    EXPECT_EQ(e.view->scene().m_nVideoFormat, 17);
    // Closed with its close box it can be opened once more.
    e.platform.closeSettings();
    EXPECT_EQ(e.view->m_pExportSettings, nullptr);
    e.view->OnCommand(cmd::VideoSettings);
    EXPECT_EQ(e.platform.callsOf("openExportSettings").size(), 3u);
}

TEST(VideoSettings, AFormatChosenWithoutApplyIsUsedByTheNextExport) {
    Exporter e;
    e.view->scene().m_nVideoFormat = 0;
    e.view->OnCommand(cmd::VideoSettings);
    e.platform.selectSettingsRow(13);  // 176x28 at 30 a second
    KeyTurntable(e.view->scene(), e.view->pages(), 3);
    QTemporaryDir dir;
    e.platform.queueCompressor(CompressorChoice{1, 75});
    e.generate(dir.filePath("small.avi"));
    const test::VideoProbe probe = test::ProbeVideo(dir.filePath("small.avi"));
    EXPECT_EQ(QSize(probe.width, probe.height), QSize(176, 28));
    EXPECT_NEAR(probe.rate, 30.0, 0.01);
}
