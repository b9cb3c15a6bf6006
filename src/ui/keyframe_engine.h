#pragma once
// The frames at which a page's track holds keys, for the strip's ticks.

#include <QList>

#include "anim/subjects.h"

namespace vm {

QList<int> TrackKeyFrames(SceneState& scene, AnimSubject subject);

}  // namespace vm
