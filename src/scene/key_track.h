#pragma once
// One keyframe track: for each of its N animated values, the key values and
// the interpolated values of every frame, plus the frames at which keys were
// set. The engine that edits, builds and plays tracks works on these fields.

#include <array>
#include <cstdint>

namespace vm {

constexpr int kTrackFrames = 10000;  // frames 0..9999
constexpr int kMaxFrame = kTrackFrames - 1;

template <int N>
struct KeyTrack {
    static constexpr int kValues = N;

    std::array<int, kTrackFrames> keyFrames{};  // entry 0: the frame-0 key; 1..keyCount later keys
    int keyCount = 0;                           // keys after the frame-0 key (= segments)
    std::uint8_t hasSegments = 0;               // a segment other than the first was built
    std::uint8_t useBuiltLength = 0;            // playback ends at builtLength instead of length
    std::uint8_t playing = 0;
    int position = 0;     // current frame
    int builtLength = 0;  // spans of the built segments, added after each build
    int length = 0;       // spans of the built segments, added before each build
    int segment = 0;      // next segment to build
    int segStart = 0, segEnd = 0, span = 0;
    std::array<std::array<float, kTrackFrames>, N> key{};    // key[v][f]: value v of the key at frame f
    std::array<std::array<float, kTrackFrames>, N> track{};  // track[v][f]: value v shown at frame f
    std::array<float, N> base{};                             // the frame-0 key
    std::array<float, N> cur{}, target{}, prevTarget{};      // interpolation working values
    std::array<float, N> clip{};                             // the copied key

    bool operator==(const KeyTrack&) const = default;
};

// Removes every key of a track: counts, lengths, the build position, the flags
// and every key and interpolated value. The frame-0 key (`base`) stays.
template <int N>
void EraseKeys(KeyTrack<N>& t) {
    t.keyFrames.fill(0);
    t.keyCount = 0;
    t.hasSegments = t.useBuiltLength = t.playing = 0;
    t.position = t.builtLength = t.length = t.segment = 0;
    t.segStart = t.segEnd = t.span = 0;
    for (auto& values : t.key) values.fill(0.0f);
    for (auto& values : t.track) values.fill(0.0f);
}

using ModelTrack = KeyTrack<13>;
using TextTrack = KeyTrack<31>;
using LightTrack = KeyTrack<3>;
using PictureTrack = KeyTrack<9>;
using ArrayTrack = KeyTrack<17>;

}  // namespace vm
