#include "cli/headless_video.h"

#include <cstdio>
#include <unistd.h>

#include "cli/render_options.h"
#include "export/avi_writer.h"
#include "export/video_formats.h"
#include "export/video_recording.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

void complain(const QString& text) { std::fprintf(stderr, "vellumark-render: %s\n", qPrintable(text)); }

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
    writer.SetFrameSize(format.width, format.height);
    CompressorSetting setting{DefaultCodec(container), options.quality};
    if (!options.codec.isEmpty()) setting.codec = *CodecFromKey(options.codec);
    writer.SetCompressor(setting);

    const bool terminal = isatty(STDERR_FILENO);
    const VideoOutcome outcome = RecordVideo(view.scene(), view, writer, [terminal](int done, int total) {
        if (terminal) std::fprintf(stderr, "\rvellumark-render: frame %d of %d", done, total);
        if (terminal && done == total) std::fputc('\n', stderr);
        return true;
    });
    QString failure;
    if (outcome.openResult != AVIERR_OK)
        failure = writer.ErrorText();
    else if (outcome.recording.failure != AVIERR_OK)
        failure = outcome.recording.error;
    else if (!outcome.finished)
        failure = outcome.closeError;
    if (!failure.isEmpty()) {
        if (terminal) std::fputc('\n', stderr);
        complain(failure);
        return 3;
    }
    return 0;
}

}  // namespace vm
