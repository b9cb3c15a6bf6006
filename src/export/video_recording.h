#pragma once
// The recording loop shared by Generate AVI in the window and by
// vellumark-render --video: choose the track, start playback from frame 0,
// then per frame draw at the video's size, hand the pixels to the writer and
// advance every playing track by one frame.

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "export/frame_source.h"
#include "export/video_encoder.h"
#include "platform/frame_target.h"

namespace vm {

class AviWriter;
class SceneState;

// The export track codes: 0 model, 2 text, 3 light, 4 picture, 5 array.
int ExportTrackLength(const SceneState& scene, int exportTrack);
// Whether any of the five tracks has a length.
bool AnyTrackRecorded(const SceneState& scene);
// The longest track; on a tie `previous` if it is among the longest, else
// the first of them in the order model, text, light, picture, array.
int ChooseExportTrack(const SceneState& scene, int previous);
// Every track with a length plays from frame 0; a started light, picture or
// array track sets the model track's playing flag as well.
void StartTracksForRecording(SceneState& scene);

struct RecordingOutcome {
    int written = 0;          // frames handed to the writer
    bool cancelled = false;   // the progress window's Cancel
    AviResult failure = AVIERR_OK;
    QString error;            // the failure's text
};

// Each frame is drawn at width x height (width a multiple of 4) as
// blue-green-red rows, bottom row first, or with alpha where the encoder
// takes it, then every playing track advances.
// `progress(done, total)` runs between frames; false stops the recording.
RecordingOutcome RecordFrames(FrameSource& source, VideoEncoder& encoder, int width, int height, int frames,
                              const std::function<bool(int, int)>& progress);

struct VideoOutcome {
    AviResult openResult = AVIERR_OK;  // OpenVideo's result
    bool compressCancelled = false;    // the compression dialog was cancelled: nothing recorded
    RecordingOutcome recording;
    bool finished = false;             // the file was closed properly
    QString closeError;                // why it was not
};

// Opens `writer` (already named, sized and with its rate), records the export
// track of the scene, drawn by `source`, through a worker thread and closes
// the file. The source's playback is held meanwhile.
VideoOutcome RecordVideo(SceneState& scene, FrameSource& source, AviWriter& writer,
                         const std::function<bool(int, int)>& progress);
// The same for any writer, its frames drawn at width x height.
VideoOutcome RecordVideo(SceneState& scene, FrameSource& source, VideoEncoder& encoder, int width, int height,
                         const std::function<bool(int, int)>& progress);

}  // namespace vm
