// Video export in a real main window (Xvfb): the "Settings" dialog, Generate
// AVI with its progress window, and the written file read back.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>

#include "anim/playback.h"
#include "anim/turntable.h"
#include "assets/program_folder.h"
#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "export/video_formats.h"
#include "export/video_probe.h"
#include "ui/export_settings_dlg.h"
#include "ui/my_property1.h"
#include "ui/my_sheet.h"
#include "ui/qt_platform.h"
#include "view/commands.h"
#include "view/export_commands.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

// The desktop's platform with the file dialog, the compression dialog and the
// message boxes answered from queues; the Settings dialog and the progress
// window are the real ones.
class AnsweringPlatform : public QtPlatform {
public:
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return take(saveAnswers); }
    std::optional<CompressorChoice> chooseCompressor(const QList<CompressorEntry>&, CompressorChoice) override {
        return compressor;
    }
    MessageResult messageBox(const QString& text, const QString&, MessageButtons buttons, MessageIcon) override {
        messages << text;
        return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Ok;
    }
    void openUrl(const QString& url) override { opened << url; }
    QuestionAnswer askWithDontAskAgain(const QString&, const QString&, const QString&) override { return {}; }
    void setWaitCursor(bool) override {}

    std::deque<std::optional<QString>> saveAnswers;
    std::optional<CompressorChoice> compressor = CompressorChoice{1, 85};  // Motion JPEG
    QStringList messages, opened;

private:
    static std::optional<QString> take(std::deque<std::optional<QString>>& queue) {
        if (queue.empty()) return std::nullopt;
        auto answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

class VideoWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(qGuiApp->platformName(), "xcb") << "run under xvfb-run";
        view = std::make_unique<CGL2AviView>(platform);
        frame = std::make_unique<CMainFrame>(*view, platform);
        platform.setMainWindow(frame.get());
        frame->onGenerateAvi = [this] { GenerateVideo(*view); };
        frame->onControlDeck = [this] { OnControlDeck(*view, [this] { frame->routeCommand(cmd::GenerateAvi); }); };
        QSignalSpy created(frame->viewWidget(), &GLViewWidget::contextCreated);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        if (created.isEmpty()) {
            ASSERT_TRUE(created.wait(5000));
        }
        ASSERT_TRUE(created.first().first().toBool());
        view->OnNewScene();
    }
    void TearDown() override {
        if (view->pages().m_pControlDeck) delete static_cast<CMySheet*>(view->pages().m_pControlDeck);
        frame.reset();
        view.reset();
    }
    CExportSettingsDlg* settingsDialog() const { return frame->findChild<CExportSettingsDlg*>("ExportSettings"); }

    AnsweringPlatform platform;
    std::unique_ptr<CGL2AviView> view;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(VideoWindowTest, OptionsSettingsShowsTheFormatsAndApplySizesTheWindow) {
    frame->action(cmd::VideoSettings)->trigger();
    CExportSettingsDlg* dialog = settingsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), "Settings");
    ASSERT_NE(dialog->findChild<QGroupBox*>(), nullptr);
    EXPECT_EQ(dialog->findChild<QGroupBox*>()->title(), "AVI Export Settings");
    QStringList headings;
    for (QLabel* label : dialog->findChildren<QLabel*>()) headings << label->text();
    EXPECT_EQ(headings, (QStringList{"Format:", "Frame Rate:", "Resoultion:"}));
    QComboBox* list = dialog->formatList();
    ASSERT_EQ(list->count(), 18);
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_TRUE(list->itemText(17).startsWith("YoutTube"));
    EXPECT_TRUE(dialog->applyButton()->isDefault());

    frame->action(cmd::VideoSettings)->trigger();  // one dialog at a time
    EXPECT_EQ(frame->findChildren<CExportSettingsDlg*>().size(), 1);

    list->setCurrentIndex(15);  // "H D Video" 1280x720
    EXPECT_EQ(view->scene().m_nVideoFormat, 15);
    QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    EXPECT_EQ(view->m_pExportSettings, nullptr);
    EXPECT_EQ(view->scene().m_fVideoFps, 30.0f);
    QTRY_COMPARE(frame->size(), QSize(1284, 744));
    QTRY_VERIFY(frame->findChildren<CExportSettingsDlg*>().isEmpty());

    // Opened again it shows the first row; the choice stays until changed.
    frame->action(cmd::VideoSettings)->trigger();
    ASSERT_NE(settingsDialog(), nullptr);
    EXPECT_EQ(settingsDialog()->formatList()->currentIndex(), 0);
    EXPECT_EQ(view->scene().m_nVideoFormat, 15);
    settingsDialog()->close();
    EXPECT_EQ(view->m_pExportSettings, nullptr);
}

TEST_F(VideoWindowTest, GenerateAviRecordsATurntableAtTheFormatsSizeBehindAProgressWindow) {
    frame->action(cmd::VideoSettings)->trigger();
    ASSERT_NE(settingsDialog(), nullptr);
    settingsDialog()->formatList()->setCurrentIndex(15);
    QTest::mouseClick(settingsDialog()->applyButton(), Qt::LeftButton);

    // The turntable from the Controls page, over 24 frames.
    frame->routeCommand(cmd::ControlDeck);
    auto* deck = static_cast<CMySheet*>(view->pages().m_pControlDeck);
    ASSERT_NE(deck, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(deck));
    CmyProperty1* controls = deck->controlsPage();
    controls->setFrameCountDisplay(24);
    view->scene().m_nFrameCount = 24;
    QTest::mouseClick(controls->turntableButton(), Qt::LeftButton);
    ASSERT_EQ(view->scene().m_trackModel.length, 24);

    QTemporaryDir dir;
    const QString path = dir.filePath("turntable.avi");
    platform.saveAnswers.push_back(path);
    // Watch the progress window while the export runs.
    bool sawProgress = false, mainWindowBlocked = false;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* progress = frame->findChild<QProgressDialog*>("ExportProgress"); progress && progress->isVisible()) {
            sawProgress = true;
            mainWindowBlocked = mainWindowBlocked || QApplication::activeModalWidget() == progress;
        }
    });
    watch.start();
    // The deck's own "Generate AVI" button; the deck hides while recording.
    bool deckHidden = false;
    QMetaObject::invokeMethod(
        frame.get(),
        [&] { controls->strip()->generateButton()->click(); },
        Qt::QueuedConnection);
    QObject::connect(&watch, &QTimer::timeout, [&] { deckHidden = deckHidden || (sawProgress && !deck->isVisible()); });
    QTRY_VERIFY_WITH_TIMEOUT(platform.messages.size() == 1, 120000);
    watch.stop();
    EXPECT_TRUE(sawProgress);
    EXPECT_TRUE(mainWindowBlocked);
    EXPECT_TRUE(deckHidden);
    EXPECT_TRUE(deck->isVisible());  // back after recording
    EXPECT_TRUE(platform.messages[0].startsWith("Would You Like to View the Video"));

    const test::VideoProbe probe = test::ProbeVideo(path, 24);
    EXPECT_EQ(probe.frames, 24);
    EXPECT_EQ(QSize(probe.width, probe.height), QSize(1280, 720));
    EXPECT_NEAR(probe.rate, 30.0, 0.01);
    ASSERT_EQ(probe.decoded.size(), 24u);
    // Every frame differs from the one before. Had the window's own repaint
    // advanced the turntable meanwhile, it would have ended early and the
    // last frames would repeat.
    for (std::size_t i = 1; i < probe.decoded.size(); ++i)
        EXPECT_GT(test::MeanDifference(probe.decoded[i], probe.decoded[i - 1]), 0.2) << i;
    if (const QByteArray keep = qgetenv("VELLUMARK_KEEP_VIDEO_FRAMES"); !keep.isEmpty())
        for (std::size_t i = 0; i < probe.decoded.size(); i += 6)
            probe.decoded[i].save(QString("%1/window_frame%2.png").arg(QString::fromLocal8Bit(keep)).arg(i));
}

// The first recording after start-up, from the deck, with the start preset:
// every frame is the still of the same frame (the disc on the box included),
// and the view afterwards still shows the scene that was recorded.
TEST_F(VideoWindowTest, TheFirstRecordingFromTheDeckIsTheStillsOfItsFrames) {
    ASSERT_TRUE(view->LoadSceneFile(ProgramFolder() + "/Sequences/Retail Box Turntable.VLMK"));
    ASSERT_TRUE(IsSet(view->scene().m_fCDOnBox));
    view->scene().m_nFrameCount = 24;
    KeyTurntable(view->scene(), view->pages(), 24);
    view->scene().m_nVideoFormat = 2;  // VCD PAL, 352 x 288
    frame->routeCommand(cmd::ControlDeck);
    auto* deck = static_cast<CMySheet*>(view->pages().m_pControlDeck);
    ASSERT_NE(deck, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(deck));
    const float cdOnBox = view->scene().m_fCDOnBox, boxType = view->scene().m_fBoxType;

    QTemporaryDir dir;
    const QString path = dir.filePath("first.avi");
    platform.saveAnswers.push_back(path);
    QMetaObject::invokeMethod(
        frame.get(), [&] { deck->controlsPage()->strip()->generateButton()->click(); }, Qt::QueuedConnection);
    QTRY_VERIFY_WITH_TIMEOUT(platform.messages.size() == 1, 120000);
    EXPECT_EQ(view->scene().m_fCDOnBox, cdOnBox);
    EXPECT_EQ(view->scene().m_fBoxType, boxType);

    const test::VideoProbe probe = test::ProbeVideo(path, 24);
    ASSERT_EQ(probe.decoded.size(), 24u);
    GLViewWidget* widget = frame->viewWidget();
    for (int i = 0; i < 24; i += 3) {
        widget->makeCurrent();
        ScrubScene(view->scene(), view->pages(), AnimSubject::Model, i);
        const QImage still = view->RenderImage(352, 288).convertToFormat(QImage::Format_RGB32);
        widget->doneCurrent();
        const QImage& recorded = probe.decoded[size_t(i)];
        ASSERT_EQ(recorded.size(), still.size());
        // Motion JPEG blurs edges a little; a missing disc is a patch of
        // pixels far apart.
        int farApart = 0;
        for (int y = 0; y < still.height(); ++y)
            for (int x = 0; x < still.width(); ++x) {
                const QColor a = still.pixelColor(x, y), b = recorded.pixelColor(x, y);
                farApart += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                                std::abs(a.blue() - b.blue()) > 150;
            }
        EXPECT_LT(farApart, still.width() * still.height() / 400) << "frame " << i;
        EXPECT_LT(test::MeanDifference(recorded, still), 3.0) << "frame " << i;
    }
}

TEST_F(VideoWindowTest, AFullHdVideoComesOutWholeOnAScreenSmallerThanIt) {
    const QSize screen = frame->screen()->size();
    view->scene().m_nVideoFormat = 16;
    KeyTurntable(view->scene(), view->pages(), 3);
    QTemporaryDir dir;
    const QString path = dir.filePath("hd.mp4");
    platform.saveAnswers.push_back(path);
    platform.compressor = CompressorChoice{0, 75};  // H.264
    frame->routeCommand(cmd::GenerateAvi);
    const test::VideoProbe probe = test::ProbeVideo(path, 1);
    EXPECT_EQ(probe.codec, "h264");
    EXPECT_EQ(probe.frames, 3);
    EXPECT_EQ(QSize(probe.width, probe.height), QSize(1920, 1080)) << "screen " << screen.width() << "x"
                                                                    << screen.height();
    EXPECT_NEAR(probe.rate, 25.0, 0.01);
    ASSERT_EQ(probe.decoded.size(), 1u);
    // The package is drawn in the middle of the picture, not in a corner.
    const QImage& picture = probe.decoded[0];
    EXPECT_NE(picture.pixelColor(960, 540), picture.pixelColor(4, 4));
    if (const QByteArray keep = qgetenv("VELLUMARK_KEEP_VIDEO_FRAMES"); !keep.isEmpty())
        picture.save(QString::fromLocal8Bit(keep) + "/hd_frame0.png");
}
