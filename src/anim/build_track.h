#pragma once
// Turns the keys of a track into one value per frame: linear per value, the
// value accumulated step by step in single precision, and only the segments
// not built yet (each new key appends one segment).

#include "scene/key_track.h"
#include "anim/subjects.h"

namespace vm {

template <int N>
void BuildTrack(KeyTrack<N>& t) {
    // keyFrames holds at most kTrackFrames entries, whatever a loaded file claims.
    for (int i = t.segment; i < t.keyCount && i + 1 < kTrackFrames; ++i) {
        t.segStart = t.keyFrames[i];
        t.segEnd = t.keyFrames[i + 1];
        t.span = t.segEnd - t.segStart;
        t.length += t.span;
        const int endKey = ClampFrame(t.segEnd);

        if (i == 0) {
            t.cur = t.base;
        } else {
            t.hasSegments = 1;
            const int last = std::min(t.segStart - 1, kMaxFrame);
            for (int v = 0; v < N; ++v) t.cur[v] = last >= 0 ? t.track[v][last] : t.base[v];
        }
        for (int v = 0; v < N; ++v) t.target[v] = i == 0 ? t.key[v][endKey] - t.base[v] : t.key[v][endKey];

        const float span = float(t.span);
        for (int f = std::max(t.segStart, 0); f < t.segEnd && f < kTrackFrames; ++f) {
            for (int v = 0; v < N; ++v) {
                t.cur[v] += i == 0 ? t.target[v] / span : (t.target[v] - t.prevTarget[v]) / span;
                t.track[v][f] = t.cur[v];
            }
        }
        t.prevTarget = i == 0 ? t.cur : t.target;
        t.builtLength += t.span;
        t.segment = i + 1;
    }
}

// Builds every segment again, for a key inserted or replaced among the others.
template <int N>
void RebuildTrack(KeyTrack<N>& t) {
    t.segment = 0;
    t.length = t.builtLength = 0;
    t.hasSegments = 0;
    BuildTrack(t);
}

}  // namespace vm
