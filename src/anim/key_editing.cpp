#include "anim/key_editing.h"

#include "anim/build_track.h"
#include "platform/platform.h"

namespace vm {

namespace {

constexpr int kTextFadeValue = 27;  // m_fTextFade in the text track

bool RecordsTrackPosition(AnimSubject subject) {
    return subject == AnimSubject::Light || subject == AnimSubject::Picture || subject == AnimSubject::Array;
}

// Stores `values` as the key at frame p, keeping the keys in frame order.
template <int N>
void RecordKey(KeyTrack<N>& t, int p, const decltype(KeyTrack<N>::base)& values, KeyframePage& page) {
    if (p == 0) {
        t.base = values;
        for (int v = 0; v < N; ++v) t.track[v][0] = values[v];
        return;
    }
    for (int v = 0; v < N; ++v) t.key[v][p] = values[v];

    int at = 1;
    while (at <= t.keyCount && t.keyFrames[at] < p) ++at;
    if (at <= t.keyCount && t.keyFrames[at] == p) {
        RebuildTrack(t);  // a new pose for an existing key
        return;
    }
    // Distinct frames 1..9999 always fit in keyFrames.
    for (int i = t.keyCount; i >= at; --i) t.keyFrames[i + 1] = t.keyFrames[i];
    t.keyFrames[at] = p;
    t.keyCount += 1;
    page.addTick(p);
    page.setKeysDisplay(t.keyCount);
    if (at == t.keyCount)
        BuildTrack(t);
    else
        RebuildTrack(t);
}

template <int N, typename Values>
std::array<float, N> CurrentValues(const SceneState& s, const Values& pointers) {
    std::array<float, N> values{};
    for (int v = 0; v < N; ++v) values[v] = ReadSceneValue(s, pointers[v]);
    return values;
}

void ResetSubject(SceneState& s, AnimSubject subject, KeyframePage& page) {
    switch (subject) {
        case AnimSubject::Model:
            s.m_fMoveMode = s.m_fControlsMode = 0;
            s.m_fMugTintMode = 0;
            s.m_fLighting = 0;
            s.m_nSequenceStarted = 2;
            page.enableMovementSliders();
            break;
        case AnimSubject::Light:
            s.m_fSpotPos[0] = 1;
            s.m_fSpotPos[1] = 1;
            s.m_fSpotPos[2] = 10;
            break;
        case AnimSubject::Picture:
            for (float& r : s.m_fPicRot) r = 0;
            break;
        case AnimSubject::Text:
            for (float& r : s.m_fTextRot) r = 0;
            for (float& p : s.m_fTextPos) p = 0;
            s.m_fTextFade = 0;
            s.m_fTextLights = s.m_fTextLightsCount = 0;
            s.m_trackText.base[kTextFadeValue] = 0;
            break;
        case AnimSubject::Array: break;
    }
    page.resetModeControls();
}

}  // namespace

void AddKey(SceneState& scene, AnimSubject subject, KeyframePage& page) {
    const int p = ClampFrame(page.timelinePosition());
    VisitSubject(scene, subject, [&](auto& track, const auto& pointers) {
        constexpr int N = std::decay_t<decltype(track)>::kValues;
        track.useBuiltLength = 0;
        if (subject == AnimSubject::Model) {
            page.enableMovementSliders();
            scene.m_nSequenceStarted = 2;
        }
        if (RecordsTrackPosition(subject)) track.position = p;
        RecordKey(track, p, CurrentValues<N>(scene, pointers), page);
    });
    page.updateData();
}

void CopyKey(SceneState& scene, AnimSubject subject, KeyframePage& page) {
    const int p = ClampFrame(page.timelinePosition());
    page.m_bKeyCopied = 1;
    VisitSubject(scene, subject, [&](auto& track, const auto&) {
        constexpr int N = std::decay_t<decltype(track)>::kValues;
        for (int v = 0; v < N; ++v) track.clip[v] = p != 0 && track.hasSegments ? track.track[v][p] : track.base[v];
    });
}

void PasteKey(SceneState& scene, Platform& platform, AnimSubject subject, KeyframePage& page) {
    if (!page.m_bKeyCopied) {
        platform.messageBox("Please Copy a Keyframe. There's currently nothing to Paste.", "Vellumark",
                            MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    const int p = ClampFrame(page.timelinePosition());
    VisitSubject(scene, subject, [&](auto& track, const auto&) {
        track.useBuiltLength = 0;
        RecordKey(track, p, track.clip, page);
        // Every key, the pasted one included, is in order.
        SortKeyFrames(track.keyFrames.data(), track.keyCount + 1);
    });
    page.updateData();
}

void ClearTrack(SceneState& s, AnimSubject subject) {
    VisitSubject(s, subject, [&](auto& track, const auto&) { EraseKeys(track); });
    if (subject == AnimSubject::Model) {
        s.m_fRotX = 30;
        s.m_fRotY = 30;
        s.m_fRotZ = 0;
        s.m_fPosX = s.m_fPosY = s.m_fPosZ = 0;
        s.m_fSize[0] = 0;
        s.m_fSize[1] = 14;
        s.m_fSize[2] = -41;
        // The pose values and the tilt: the first seven values and the last.
        const auto values = ModelTrackValues(s);
        for (int v : {0, 1, 2, 3, 4, 5, 6, 7, 8, 12}) s.m_trackModel.base[v] = s.m_trackModel.track[v][0] = *values[v];
    }
    if (subject == AnimSubject::Array) s.m_nArrayCount = 5;
}

void ClearAll(SceneState& s, AnimSubject subject, KeyframePage& page) {
    s.m_nFrameCount = 300;
    page.setFrameCountDisplay(300);
    page.setTimelineRange(300);
    ResetSubject(s, subject, page);
    ClearTrack(s, subject);
    page.clearTicks();
    page.setKeysDisplay(0);
    page.setFrameDisplay(0);
    page.setTimelinePosition(0);
    VisitSubject(s, subject, [&](auto& track, const auto&) {
        track.segment = 0;
        track.useBuiltLength = 0;
    });
    if (subject == AnimSubject::Model) page.refreshFromScene();
    if (subject == AnimSubject::Array) {
        s.m_trackArray.base[kArrayTrackBookCount] = float(s.m_nArrayCount);
        s.m_trackArray.track[kArrayTrackBookCount][0] = float(s.m_nArrayCount);
    }
}

void SortKeyFrames(int* list, int count) {
    for (int i = 0; i < count - 1; ++i)
        for (int j = i + 1; j < count; ++j)
            if (list[j] < list[i]) std::swap(list[i], list[j]);
}

void SetFrameCount(SceneState& s, AnimSubject subject, KeyframePage& page, int count) {
    s.m_nFrameCount = std::clamp(count, 1, kTrackFrames);
    page.setFrameCountDisplay(s.m_nFrameCount);
    page.setTimelineRange(std::min(s.m_nFrameCount, kMaxFrame));
    RebuildTicks(s, subject, page);
}

void InitKeyframeStrip(SceneState& s, AnimSubject subject, KeyframePage& page) {
    page.setFrameCountDisplay(s.m_nFrameCount);
    page.setTimelineRange(std::min(s.m_nFrameCount, kMaxFrame));
    RebuildTicks(s, subject, page);
}

void RebuildTicks(SceneState& s, AnimSubject subject, KeyframePage& page) {
    page.clearTicks();
    VisitSubject(s, subject, [&](auto& track, const auto&) {
        for (int k = 1; k <= track.keyCount; ++k) {
            page.addTick(track.keyFrames[k]);
            page.setKeysDisplay(k);
        }
        if (track.keyCount == 0) page.setKeysDisplay(0);
    });
}

bool AskForNewSequence(SceneState& s, Platform& platform) {
    if (s.m_nAskNewSequence > 1) return false;
    const QuestionAnswer answer = platform.askWithDontAskAgain(
        "Would you like to create a new sequence?", "Do you want to create a new Sequence?", "Do not ask me again.");
    if (answer.dontAskAgain) {
        s.m_nAskNewSequence = 2;
        platform.writeProfileInt("Set new project", "Value", 2);
    }
    return answer.result == MessageResult::Yes;
}

}  // namespace vm
