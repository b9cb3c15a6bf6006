#include "anim/turntable.h"

#include "anim/build_track.h"
#include "anim/key_editing.h"

namespace vm {

namespace {
constexpr int kRotY = 1;  // m_fRotY in the model track
}

int KeyTurntable(SceneState& scene, const DeckPages& pages, int frames) {
    frames = std::clamp(frames, 1, kMaxTurntableFrames);
    ModelTrack& t = scene.m_trackModel;
    const auto pointers = ModelTrackValues(scene);
    EraseKeys(t);
    for (int v = 0; v < ModelTrack::kValues; ++v) {
        t.base[v] = ReadSceneValue(scene, pointers[v]);
        t.track[v][0] = t.base[v];
        t.key[v][frames] = t.base[v];
    }
    t.key[kRotY][frames] = t.base[kRotY] + 360.0f;
    t.keyFrames[1] = frames;
    t.keyCount = 1;
    BuildTrack(t);
    scene.m_nSequenceStarted = 2;
    scene.m_nFrameCount = frames;
    if (KeyframePage* page = PageOf(pages, AnimSubject::Model)) {
        page->setFrameCountDisplay(frames);
        page->setTimelineRange(std::min(frames, kMaxFrame));
        RebuildTicks(scene, AnimSubject::Model, *page);
    }
    return frames;
}

}  // namespace vm
