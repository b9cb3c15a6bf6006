#pragma once
// vellumark-render --video: the window's recording loop without a window.

namespace vm {

class CGL2AviView;
struct RenderOptions;

// Records the view's keyframe animation as options.video; the exit code:
// 0 written, 1 nothing to record, 3 the writer failed (its text on stderr).
int RecordHeadlessVideo(CGL2AviView& view, const RenderOptions& options);

}  // namespace vm
