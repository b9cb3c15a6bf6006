#include "export/video_recording.h"

#include <algorithm>

#include "export/avi_writer.h"
#include "export/encoder_worker.h"
#include "export/picture_render.h"
#include "scene/scene_state.h"

namespace vm {

namespace {

constexpr int kExportTracks[] = {0, 2, 3, 4, 5};

}  // namespace

int ExportTrackLength(const SceneState& scene, int exportTrack) {
    switch (exportTrack) {
        case 0: return scene.m_trackModel.length;
        case 2: return scene.m_trackText.length;
        case 3: return scene.m_trackLight.length;
        case 4: return scene.m_trackPicture.length;
        case 5: return scene.m_trackArray.length;
        default: return 0;
    }
}

bool AnyTrackRecorded(const SceneState& scene) {
    return std::any_of(std::begin(kExportTracks), std::end(kExportTracks),
                       [&](int track) { return ExportTrackLength(scene, track) != 0; });
}

int ChooseExportTrack(const SceneState& scene, int previous) {
    int longest = 0;
    for (int track : kExportTracks) longest = std::max(longest, ExportTrackLength(scene, track));
    const bool previousValid = std::find(std::begin(kExportTracks), std::end(kExportTracks), previous) !=
                               std::end(kExportTracks);
    if (previousValid && ExportTrackLength(scene, previous) == longest) return previous;
    for (int track : kExportTracks)
        if (ExportTrackLength(scene, track) == longest) return track;
    return 0;
}

void StartTracksForRecording(SceneState& scene) {
    auto start = [](auto& track) {
        if (track.length < 1) return false;
        track.position = 0;
        track.playing = 1;
        return true;
    };
    start(scene.m_trackModel);
    start(scene.m_trackText);
    const bool light = start(scene.m_trackLight);
    const bool picture = start(scene.m_trackPicture);
    const bool array = start(scene.m_trackArray);
    if (light || picture || array) scene.m_trackModel.playing = 1;
}

RecordingOutcome RecordFrames(FrameSource& source, VideoEncoder& encoder, int width, int height, int frames,
                              const std::function<bool(int, int)>& progress) {
    RecordingOutcome outcome;
    FramePixels pixels;
    ImageOptions options;
    options.layout = PixelLayout::BgrBottomUp;
    for (int i = 0; i < frames; ++i) {
        if (progress && !progress(i, frames)) {
            outcome.cancelled = true;
            break;
        }
        bool drawn = false;
        if (encoder.TakesAlpha()) {
            // Drawn over black and over white, as a transparent picture is.
            const QImage picture = RenderPicture(source, {width, height, true});
            drawn = !picture.isNull() && picture.bytesPerLine() == width * 4;
            if (drawn) pixels.bytes.assign(picture.constBits(), picture.constBits() + picture.sizeInBytes());
        } else {
            drawn = source.RenderImage(width, height, options, pixels);
        }
        if (!drawn || int(pixels.bytes.size()) < encoder.ImageSize()) {
            outcome.failure = AVIERR_INTERNAL;
            outcome.error = QString("Frame %1 could not be drawn at %2 x %3.").arg(i + 1).arg(width).arg(height);
            break;
        }
        if (const AviResult result = encoder.WriteFrame(pixels.bytes.data()); result != AVIERR_OK) {
            outcome.failure = result;
            outcome.error = encoder.ErrorText();
            break;
        }
        ++outcome.written;
        source.AdvanceFrame();
    }
    if (progress && !outcome.cancelled && outcome.failure == AVIERR_OK) progress(frames, frames);
    return outcome;
}

VideoOutcome RecordVideo(SceneState& scene, FrameSource& source, AviWriter& writer,
                         const std::function<bool(int, int)>& progress) {
    return RecordVideo(scene, source, writer, writer.FrameHeader().biWidth, writer.FrameHeader().biHeight,
                       progress);
}

VideoOutcome RecordVideo(SceneState& scene, FrameSource& source, VideoEncoder& encoder, int width, int height,
                         const std::function<bool(int, int)>& progress) {
    VideoOutcome outcome;
    const PlaybackHold hold(source);
    EncoderWorker worker(encoder);
    outcome.openResult = worker.OpenVideo();
    outcome.compressCancelled = encoder.CompressCancelled();
    if (outcome.openResult == AVIERR_OK && !outcome.compressCancelled) {
        StartTracksForRecording(scene);
        const int frames = ExportTrackLength(scene, scene.m_nExportTrack);
        outcome.recording = RecordFrames(source, worker, width, height, frames, progress);
    }
    outcome.finished = worker.CloseVideo();
    // A frame that failed has been reported already; the close reports its own failure.
    if (!outcome.finished && outcome.openResult == AVIERR_OK && outcome.recording.failure == AVIERR_OK)
        outcome.closeError = encoder.ErrorText();
    return outcome;
}

}  // namespace vm
