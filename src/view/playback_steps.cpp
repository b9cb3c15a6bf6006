#include "view/playback_steps.h"

#include "anim/key_editing.h"
#include "platform/gl.h"
#include "platform/view_window.h"
#include "view/gl2avi_view.h"

namespace vm {

void DrawTrackStep(CGL2AviView& view, AnimSubject subject) {
    ApplyTrackPosition(view.scene(), subject);
    if (!StepDrawsScene(subject)) return;
    view.DrawSceneRenderers();
    RefreshAfterStep(view.scene(), view.pages(), subject);
}

void StepTrack(CGL2AviView& view, AnimSubject subject) {
    DrawTrackStep(view, subject);
    AdvanceTrack(view.scene(), view.pages(), subject);
}

void StepModelTrack(CGL2AviView& view) { StepTrack(view, AnimSubject::Model); }
void StepLightTrack(CGL2AviView& view) { StepTrack(view, AnimSubject::Light); }
void StepPictureTrack(CGL2AviView& view) { StepTrack(view, AnimSubject::Picture); }
void StepArrayTrack(CGL2AviView& view) { StepTrack(view, AnimSubject::Array); }
void StepTextTrack(CGL2AviView& view) { StepTrack(view, AnimSubject::Text); }

void ScrubTo(CGL2AviView& view, AnimSubject page, int frame) {
    ScrubScene(view.scene(), view.pages(), page, frame);
    // A page's scroll arrives outside the view's painting: make its context current.
    ViewWindow* window = view.window();
    if (!window || !window->makeCurrent()) return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    window->invalidate();
}

void OnTimelineScrolled(CGL2AviView& view, AnimSubject page) {
    if (const std::optional<int> frame = TimelineScrolled(view.scene(), view.pages(), page))
        ScrubTo(view, page, *frame);
}

void AskForNewSequence(CGL2AviView& view) {
    if (AskForNewSequence(view.scene(), view.platform())) view.OnNewScene();
}

}  // namespace vm
