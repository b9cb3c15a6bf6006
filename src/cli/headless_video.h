#pragma once
// vellumark-render --video: the window's recording loop without a window.

#include <QString>

namespace vm {

class CGL2AviView;
struct RenderOptions;

// Records the view's keyframe animation as options.video; the exit code:
// 0 written, 1 nothing to record, 3 the writer failed (its text on stderr).
int RecordHeadlessVideo(CGL2AviView& view, const RenderOptions& options);

// Writes a spin page of the model track's frames (options.spin of them, keyed
// by the caller) to `out`; the exit code as above.
int WriteHeadlessSpinPage(CGL2AviView& view, const RenderOptions& options, const QString& out);

}  // namespace vm
