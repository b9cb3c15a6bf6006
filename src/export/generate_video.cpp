#include "export/generate_video.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "export/avi_writer.h"
#include "export/deck_hidden.h"
#include "export/video_formats.h"
#include "export/video_recording.h"
#include "platform/platform.h"
#include "platform/view_window.h"
#include "scene/page_interfaces.h"
#include "scene/scene_state.h"

namespace vm {

namespace {

const char* const kCaption = "Vellumark";

// The compressor chosen last, offered first next time (for this session).
CompressorSetting g_lastCompressor;

// The compression dialog through the platform, remembering the choice.
AviWriter::CompressorChooser compressionDialog(Platform& platform) {
    return [&platform](const std::vector<VideoCodec>& offered,
                       bool alphaPossible) -> std::optional<CompressorSetting> {
        // A WebM asks, even with one compressor, whether to keep alpha; a
        // PNG sequence of the window is opaque, as before.
        if (offered.size() == 1 && (!alphaPossible || offered[0] == VideoCodec::Png))
            return CompressorSetting{offered[0], g_lastCompressor.quality, false};
        QList<CompressorEntry> entries;
        CompressorChoice current{0, g_lastCompressor.quality, std::nullopt};
        if (alphaPossible) current.transparent = g_lastCompressor.transparent;
        for (std::size_t i = 0; i < offered.size(); ++i) {
            entries.push_back({QString::fromLatin1(InfoOf(offered[i]).title), InfoOf(offered[i]).hasQuality});
            if (offered[i] == g_lastCompressor.codec) current.index = int(i);
        }
        const std::optional<CompressorChoice> chosen = platform.chooseCompressor(entries, current);
        if (!chosen || chosen->index < 0 || chosen->index >= int(offered.size())) return std::nullopt;
        g_lastCompressor = {offered[std::size_t(chosen->index)], std::clamp(chosen->quality, 1, 100),
                            alphaPossible && chosen->transparent.value_or(false)};
        return g_lastCompressor;
    };
}

}  // namespace

void GenerateVideo(SceneState& scene, const DeckPages& pages, Platform& platform, ViewWindow* window,
                   FrameSource& frames) {
    DeckHiddenForCapture hidden(scene, pages);

    if (!AnyTrackRecorded(scene)) {
        platform.messageBox("Please create or load a keyframe sequence. There currently nothing to record.", kCaption,
                            MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    scene.m_nExportTrack = ChooseExportTrack(scene, scene.m_nExportTrack);

    FileDialogRequest request;
    request.title = "Save a Vellumark Video Clip";
    request.filter = windowsFilterToQt("AVI Files (*.avi) | *.avi | MP4 Video (*.mp4) | *.mp4 | "
                                       "WebM Video (*.webm) | *.webm | "
                                       "Animated GIF (*.gif) | *.gif | PNG Image Sequence (*.png) | *.png | "
                                       "All Files (*.*) | *.*||");
    request.defaultSuffix = "avi";
    request.initialName = "*.avi";
    request.mustExist = false;
    const std::optional<QString> chosen = platform.saveFileName(request);
    if (!chosen || chosen->isEmpty()) return;

    AviWriter writer;
    writer.SetFileName(*chosen);
    writer.EnsureAviExtension();
    if (ContainerForFile(writer.FileName()) == VideoContainer::PngSequence)
        writer.SetFileName(ImageSequencePattern(writer.FileName()));

    // Every frame is drawn offscreen at the format's own size, whatever the
    // size of the window or the screen.
    if (const VideoFormat* format = FindVideoFormat(scene.m_nVideoFormat)) {
        scene.m_fVideoFps = float(format->fps);
        writer.SetFrameSize(format->width, format->height);
    } else if (window) {
        writer.SetFrameSizeFromWindow(*window);
    }
    writer.SetRate(std::uint32_t(std::max(1.0f, scene.m_fVideoFps)));
    writer.SetCompressorChooser(compressionDialog(platform));
    writer.SetCompressor(g_lastCompressor);

    platform.setWaitCursor(true);
    VideoOutcome outcome;
    {
        std::unique_ptr<ProgressWindow> progress;
        outcome = RecordVideo(scene, frames, writer, [&](int done, int total) {
            if (!progress) progress = platform.beginProgress("Generate AVI", "Recording frame %1 of %2");
            return progress->step(done, total);
        });
    }
    if (outcome.compressCancelled) scene.m_fCompressCancelled = 2;
    if (outcome.openResult != AVIERR_OK)
        platform.messageBox(writer.ErrorText(), kCaption, MessageButtons::Ok, MessageIcon::Error);
    else if (outcome.recording.failure != AVIERR_OK)
        platform.messageBox(outcome.recording.error, kCaption, MessageButtons::Ok, MessageIcon::Error);
    if (!outcome.closeError.isEmpty())
        platform.messageBox(outcome.closeError, kCaption, MessageButtons::Ok, MessageIcon::Error);

    // A file that could not be finished is not offered for playing.
    const bool broken = !outcome.finished && outcome.openResult == AVIERR_OK;
    if (!broken) {
        const MessageResult answer = platform.messageBox(
            "Would You Like to View the Video You've Just Created? If you click Yes, Vellumark will try to open the "
            "AVI in your default Media Player Software",
            kCaption, MessageButtons::YesNo, MessageIcon::Question);
        if (answer == MessageResult::Yes) {
            // The file as written; an image sequence opens its folder.
            QString target = writer.FileName();
            if (ContainerForFile(target) == VideoContainer::PngSequence) target = QFileInfo(target).absolutePath();
            platform.openUrl(QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()).toString());
        }
    }
    scene.m_fCompressCancelled = 0;
    platform.setWaitCursor(false);
}

}  // namespace vm
