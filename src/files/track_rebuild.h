#pragma once
// Rebuilds a track's interpolated frames from its keys after a load.
// Stand-in for the keyframe engine's BuildTrack until that lands: the same
// segment-by-segment accumulation, from segment 0.

#include "anim/key_track.h"

namespace vm {

template <int N>
void RebuildTrackFromKeys(KeyTrack<N>& t) {
    t.segment = 0;
    t.length = t.builtLength = 0;
    t.hasSegments = 0;
    for (int i = t.segment; i < t.keyCount && i + 1 < kTrackFrames; ++i) {
        t.segStart = t.keyFrames[i];
        t.segEnd = t.keyFrames[i + 1];
        t.span = t.segEnd - t.segStart;
        t.length += t.span;
        for (int v = 0; v < N; ++v) {
            if (i == 0) {
                t.cur[v] = t.base[v];
                t.target[v] = t.key[v][t.segEnd] - t.base[v];
            } else {
                t.hasSegments = 1;
                t.cur[v] = t.segStart > 0 ? t.track[v][t.segStart - 1] : t.base[v];
                t.target[v] = t.key[v][t.segEnd];
            }
        }
        const float span = float(t.span);
        for (int f = t.segStart; f < t.segEnd && f < kTrackFrames; ++f) {
            if (f < 0) continue;
            for (int v = 0; v < N; ++v) {
                t.cur[v] += i == 0 ? t.target[v] / span : (t.target[v] - t.prevTarget[v]) / span;
                t.track[v][f] = t.cur[v];
            }
        }
        for (int v = 0; v < N; ++v) t.prevTarget[v] = i == 0 ? t.cur[v] : t.target[v];
        t.builtLength += t.span;
        t.segment = i + 1;
    }
}

}  // namespace vm
