#include "anim/playback.h"


namespace vm {

namespace {

// The package's size and mug colour, which older scenes did not animate.
constexpr int kModelSizeFirst = 6, kModelColourLast = 11;

bool SizeMarkerAllowsSize(const SceneState& s) {
    return QString::compare(s.m_strSizeMarker, QString(QChar(char16_t(3)))) >= 0;
}

void RefreshPage(KeyframePage* page) {
    if (page) page->refreshFromScene();
}

void MoveTimeline(KeyframePage* page, int frame) {
    if (page) page->setTimelinePosition(frame);
}

}  // namespace

void StartPlayback(SceneState& s, AnimSubject page) {
    auto start = [](auto& track) {
        if (track.keyCount == 0) return;
        track.position = 0;
        track.playing = 1;
    };
    start(s.m_trackModel);
    start(s.m_trackText);
    start(s.m_trackLight);
    start(s.m_trackPicture);
    if (page == AnimSubject::Array) {
        start(s.m_trackArray);
        // The package plays along with the array. Without keys of its own it
        // would never reach an end, and playback would hold the scene forever.
        if (s.m_trackArray.keyCount != 0 && s.m_trackModel.keyCount != 0) s.m_trackModel.playing = 1;
    }
}

void ApplyTrackFrame(SceneState& s, AnimSubject subject, int frame, bool sizeMarkerTest) {
    const int p = ClampFrame(frame);
    const bool skipSize = subject == AnimSubject::Model && sizeMarkerTest && !SizeMarkerAllowsSize(s);
    VisitSubject(s, subject, [&](auto& track, const auto& pointers) {
        constexpr int N = std::decay_t<decltype(track)>::kValues;
        for (int v = 0; v < N; ++v) {
            if (skipSize && v >= kModelSizeFirst && v <= kModelColourLast) continue;
            WriteSceneValue(s, pointers[v], track.track[v][p]);
        }
    });
}

void AdvanceTrack(SceneState& s, const DeckPages& pages, AnimSubject subject) {
    KeyframePage* page = PageOf(pages, subject);
    VisitSubject(s, subject, [&](auto& track, const auto&) {
        const int p = track.position;
        MoveTimeline(page, p);
        if (!track.playing) return;
        const int end = track.useBuiltLength ? track.builtLength : track.length;
        if (p < end) {
            track.position = p + 1;
            if (page) page->setFrameDisplay(page->timelinePosition());
        }
        if (track.position >= end) {
            track.playing = 0;
            MoveTimeline(page, end);
            if (page) page->setFrameDisplay(end);
            track.position = 0;
        }
    });
}

void ApplyTrackPosition(SceneState& s, AnimSubject subject) {
    const int p = VisitSubject(s, subject, [](auto& track, const auto&) { return track.position; });
    ApplyTrackFrame(s, subject, p, true);
}

void RefreshAfterStep(const SceneState& s, const DeckPages& pages, AnimSubject subject) {
    if (!StepDrawsScene(subject)) return;
    if (subject == AnimSubject::Model)
        RefreshPage(pages.m_pControlsPage);
    else if (s.m_nPackageKeys == 0)
        RefreshPage(PageOf(pages, subject));
}

void ScrubScene(SceneState& s, const DeckPages& pages, AnimSubject page, int frame) {
    const int p = ClampFrame(frame);
    VisitSubject(s, page, [&](auto& track, const auto&) { track.position = p; });

    const bool insideText = p < s.m_trackText.length;
    switch (page) {
        case AnimSubject::Model:
            MoveTimeline(pages.m_pLightingPage, p);
            MoveTimeline(pages.m_pTextPage, p);
            MoveTimeline(pages.m_pPicturePage, p);
            break;
        case AnimSubject::Text:
            MoveTimeline(pages.m_pLightingPage, p);
            MoveTimeline(pages.m_pControlsPage, p);
            MoveTimeline(pages.m_pPicturePage, p);
            break;
        case AnimSubject::Light:
            MoveTimeline(pages.m_pControlsPage, p);
            MoveTimeline(pages.m_pPicturePage, p);
            if (insideText) MoveTimeline(pages.m_pTextPage, p);
            break;
        case AnimSubject::Picture:
        case AnimSubject::Array:
            MoveTimeline(pages.m_pControlsPage, p);
            MoveTimeline(pages.m_pLightingPage, p);
            if (insideText) MoveTimeline(pages.m_pTextPage, p);
            break;
    }

    for (AnimSubject subject : kAllSubjects) {
        const bool recorded = VisitSubject(
            s, subject, [&](auto& track, const auto&) { return track.length > p && track.builtLength > p; });
        if (recorded) ApplyTrackFrame(s, subject, p, false);
    }
    RefreshPage(PageOf(pages, page));
}

bool ScrubsAt(const SceneState& s, AnimSubject page, int frame) {
    if (page == AnimSubject::Model && s.m_trackModel.useBuiltLength) return frame < s.m_trackModel.builtLength;
    return frame < s.m_trackModel.builtLength || frame < s.m_trackText.builtLength ||
           frame < s.m_trackLight.builtLength || frame < s.m_trackPicture.builtLength ||
           frame < s.m_trackArray.builtLength;
}

std::optional<int> TimelineScrolled(const SceneState& s, const DeckPages& pages, AnimSubject page) {
    KeyframePage* strip = PageOf(pages, page);
    if (!strip) return std::nullopt;
    const int p = strip->timelinePosition();
    strip->setFrameDisplay(p);
    if (!ScrubsAt(s, page, p)) return std::nullopt;
    return p;
}

}  // namespace vm
