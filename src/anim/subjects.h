#pragma once
// The five animated subjects: which track, which scene values and which page
// belong to each, so that every key and playback operation is written once.

#include <algorithm>
#include <array>

#include "platform/float_to_int.h"
#include "scene/page_interfaces.h"
#include "scene/scene_state.h"

namespace vm {

enum class AnimSubject { Model, Text, Light, Picture, Array };

constexpr std::array<AnimSubject, 5> kAllSubjects = {AnimSubject::Model, AnimSubject::Text, AnimSubject::Light,
                                                     AnimSubject::Picture, AnimSubject::Array};

// Calls f(track, values) with the subject's track and its scene value pointers.
template <typename F>
decltype(auto) VisitSubject(SceneState& s, AnimSubject subject, F&& f) {
    switch (subject) {
        case AnimSubject::Model: return f(s.m_trackModel, ModelTrackValues(s));
        case AnimSubject::Text: return f(s.m_trackText, TextTrackValues(s));
        case AnimSubject::Light: return f(s.m_trackLight, LightTrackValues(s));
        case AnimSubject::Picture: return f(s.m_trackPicture, PictureTrackValues(s));
        case AnimSubject::Array: break;
    }
    return f(s.m_trackArray, ArrayTrackValues(s));
}

// The page carrying the subject's keyframe strip; null while the deck is closed.
inline KeyframePage* PageOf(const DeckPages& s, AnimSubject subject) {
    switch (subject) {
        case AnimSubject::Model: return s.m_pControlsPage;
        case AnimSubject::Text: return s.m_pTextPage;
        case AnimSubject::Light: return s.m_pLightingPage;
        case AnimSubject::Picture: return s.m_pPicturePage;
        case AnimSubject::Array: break;
    }
    return s.m_pMultiBookPage;
}

// A null value pointer stands for the array's book count, an int in the scene.
inline float ReadSceneValue(const SceneState& s, const float* value) {
    return value ? *value : float(s.m_nArrayCount);
}
inline void WriteSceneValue(SceneState& s, float* value, float v) {
    if (value) {
        *value = v;
        return;
    }
    // Truncated, and kept to a count the array can draw whatever a file held.
    s.m_nArrayCount = FloatToInt(v, 0, kMaxArrayBooks);
}

// A frame index inside the track arrays.
inline int ClampFrame(int frame) { return std::clamp(frame, 0, kMaxFrame); }

}  // namespace vm
