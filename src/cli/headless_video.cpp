#include "cli/headless_video.h"

#include <cstdio>
#include <unistd.h>

#include "cli/render_options.h"
#include "export/avi_writer.h"
#include "export/spin_page.h"
#include "export/video_formats.h"
#include "export/video_recording.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

void complain(const QString& text) { std::fprintf(stderr, "vellumark-render: %s\n", qPrintable(text)); }

std::function<bool(int, int)> progressOnTerminal() {
    const bool terminal = isatty(STDERR_FILENO);
    return [terminal](int done, int total) {
        if (terminal) std::fprintf(stderr, "\rvellumark-render: frame %d of %d", done, total);
        if (terminal && done == total) std::fputc('\n', stderr);
        return true;
    };
}

// The exit code of a recording, its failure on stderr.
int reportVideo(const VideoOutcome& outcome, const VideoEncoder& writer) {
    QString failure;
    if (outcome.openResult != AVIERR_OK)
        failure = writer.ErrorText();
    else if (outcome.recording.failure != AVIERR_OK)
        failure = outcome.recording.error;
    else if (!outcome.finished)
        failure = outcome.closeError;
    if (!failure.isEmpty()) {
        if (isatty(STDERR_FILENO)) std::fputc('\n', stderr);
        complain(failure);
        return 3;
    }
    return 0;
}

}  // namespace

int RecordHeadlessVideo(CGL2AviView& view, const RenderOptions& options) {
    if (!AnyTrackRecorded(view.scene())) {
        complain("Please create or load a keyframe sequence. There currently nothing to record.");
        return 1;
    }
    view.scene().m_nExportTrack = ChooseExportTrack(view.scene(), view.scene().m_nExportTrack);
    view.scene().m_nVideoFormat = options.format;
    const VideoFormat& format = *FindVideoFormat(options.format);
    view.scene().m_fVideoFps = float(format.fps);

    AviWriter writer;
    writer.SetFileName(options.video);
    writer.EnsureAviExtension();
    const VideoContainer container = ContainerForFile(writer.FileName());
    if (container == VideoContainer::PngSequence) writer.SetFileName(ImageSequencePattern(writer.FileName()));
    writer.SetRate(std::uint32_t(format.fps));
    // A preset's size replaces the format's; the rate stays the format's.
    if (!options.preset.isEmpty())
        writer.SetVideoSize(options.width, options.height);
    else
        writer.SetFrameSize(format.width, format.height);
    writer.SetTransparent(options.transparent);
    CompressorSetting setting{DefaultCodec(container), options.quality};
    if (!options.codec.isEmpty()) setting.codec = *CodecFromKey(options.codec);
    writer.SetCompressor(setting);

    return reportVideo(RecordVideo(view.scene(), view, writer, progressOnTerminal()), writer);
}

int WriteHeadlessSpinPage(CGL2AviView& view, const RenderOptions& options, const QString& out) {
    // The spin is the package's turn: the model track.
    view.scene().m_nExportTrack = 0;
    SpinPageOptions page;
    page.width = options.width;
    page.height = options.height;
    page.transparent = options.transparent;
    page.autoTurn = options.autoTurn;
    page.quality = options.jpegQuality;
    page.frames = options.spin;
    SpinPageWriter writer(out, page);
    return reportVideo(
        RecordVideo(view.scene(), view, writer, options.width, options.height, progressOnTerminal()), writer);
}

}  // namespace vm
