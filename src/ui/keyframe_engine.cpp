#include "ui/keyframe_engine.h"

#include "scene/scene_state.h"

namespace vm {

QList<int> TrackKeyFrames(SceneState& scene, AnimSubject subject) {
    QList<int> frames;
    VisitSubject(scene, subject, [&frames](auto& track, const auto&) {
        for (int k = 1; k <= track.keyCount && k < kTrackFrames; ++k) frames << track.keyFrames[k];
    });
    return frames;
}

}  // namespace vm
