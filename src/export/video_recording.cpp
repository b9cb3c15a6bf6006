#include "export/video_recording.h"

#include <algorithm>

#include "export/avi_writer.h"
#include "export/encoder_worker.h"
#include "platform/framebuffer_reader.h"
#include "platform/gl.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

constexpr int kExportTracks[] = {0, 2, 3, 4, 5};

}  // namespace

ViewFrameSource::~ViewFrameSource() {
    if (m_framebuffer && m_view.window() && m_view.window()->makeCurrent()) release();
}

void ViewFrameSource::release() {
    glDeleteFramebuffers(1, &m_framebuffer);
    glDeleteRenderbuffers(1, &m_colour);
    glDeleteRenderbuffers(1, &m_depth);
    m_framebuffer = m_colour = m_depth = 0;
}

bool ViewFrameSource::drawFrame(int width, int height, std::vector<std::uint8_t>& pixels) {
    ViewWindow* window = m_view.window();
    if (!window || !window->makeCurrent() || width <= 0 || height <= 0) return false;
    GLint previousFramebuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previousFramebuffer);

    // A multisampled target of the video's size, like the window's own.
    const int samples = g_bMultisampleFound ? g_nMultisamplePixelFormat : 0;
    if (!m_framebuffer || width != m_width || height != m_height || samples != m_samples) {
        if (m_framebuffer) release();
        m_width = width;
        m_height = height;
        m_samples = samples;
        glGenFramebuffers(1, &m_framebuffer);
        glGenRenderbuffers(1, &m_colour);
        glGenRenderbuffers(1, &m_depth);
        glBindRenderbuffer(GL_RENDERBUFFER, m_colour);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, m_depth);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, width, height);
        glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_colour);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, m_depth);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    bool read = false;
    if (complete) {
        // The view's projection follows the frame's size, and comes back after.
        const int viewWidth = m_view.m_nViewWidth, viewHeight = m_view.m_nViewHeight;
        m_view.OnSize(width, height);
        m_view.RenderFrame();
        read = ReadFramebufferBGR(m_framebuffer, samples > 0, width, height, pixels);
        glBindFramebuffer(GL_FRAMEBUFFER, GLuint(previousFramebuffer));
        m_view.OnSize(viewWidth, viewHeight);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, GLuint(previousFramebuffer));
    return complete && read;
}

void ViewFrameSource::advance() {
    // The frame's own playback steps advanced the tracks while drawing.
}

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
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < frames; ++i) {
        if (progress && !progress(i, frames)) {
            outcome.cancelled = true;
            break;
        }
        if (!source.drawFrame(width, height, pixels) || int(pixels.size()) < encoder.ImageSize()) {
            outcome.failure = AVIERR_INTERNAL;
            outcome.error = QString("Frame %1 could not be drawn at %2 x %3.").arg(i + 1).arg(width).arg(height);
            break;
        }
        if (const AviResult result = encoder.WriteFrame(pixels.data()); result != AVIERR_OK) {
            outcome.failure = result;
            outcome.error = encoder.ErrorText();
            break;
        }
        ++outcome.written;
        source.advance();
    }
    if (progress && !outcome.cancelled && outcome.failure == AVIERR_OK) progress(frames, frames);
    return outcome;
}

VideoOutcome RecordVideo(CGL2AviView& view, FrameSource& source, AviWriter& writer,
                         const std::function<bool(int, int)>& progress) {
    VideoOutcome outcome;
    CGL2AviView::PlaybackHold hold(view);
    EncoderWorker worker(writer);
    outcome.openResult = worker.OpenVideo();
    outcome.compressCancelled = writer.CompressCancelled();
    if (outcome.openResult == AVIERR_OK && !outcome.compressCancelled) {
        StartTracksForRecording(view);
        const int frames = ExportTrackLength(view, view.m_nExportTrack);
        const int width = writer.FrameHeader().biWidth, height = writer.FrameHeader().biHeight;
        outcome.recording = RecordFrames(source, worker, width, height, frames, progress);
    }
    outcome.finished = worker.CloseVideo();
    // A frame that failed has been reported already; the close reports its own failure.
    if (!outcome.finished && outcome.openResult == AVIERR_OK && outcome.recording.failure == AVIERR_OK)
        outcome.closeError = writer.ErrorText();
    return outcome;
}

}  // namespace vm
