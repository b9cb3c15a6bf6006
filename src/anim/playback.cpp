#include "anim/playback.h"

#include "platform/gl.h"
#include "platform/view_window.h"
#include "view/gl2avi_view.h"

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

void DrawTrackStep(CGL2AviView& view, AnimSubject subject) {
    const int p = VisitSubject(view, subject, [](auto& track, const auto&) { return track.position; });
    ApplyTrackFrame(view, subject, p, true);
    if (subject != AnimSubject::Text) {
        view.DrawSceneRenderers();
        if (subject == AnimSubject::Model)
            RefreshPage(view.m_pControlsPage);
        else if (view.m_nPackageKeys == 0)
            RefreshPage(PageOf(view, subject));
    }
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

void ScrubTo(CGL2AviView& view, AnimSubject page, int frame) {
    ScrubScene(view.scene(), view.pages(), page, frame);
    // A page's scroll arrives outside the view's painting: make its context current.
    ViewWindow* window = view.window();
    if (!window || !window->makeCurrent()) return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    window->invalidate();
}

bool ScrubsAt(const SceneState& s, AnimSubject page, int frame) {
    if (page == AnimSubject::Model && s.m_trackModel.useBuiltLength) return frame < s.m_trackModel.builtLength;
    return frame < s.m_trackModel.builtLength || frame < s.m_trackText.builtLength ||
           frame < s.m_trackLight.builtLength || frame < s.m_trackPicture.builtLength ||
           frame < s.m_trackArray.builtLength;
}

void OnTimelineScrolled(CGL2AviView& view, AnimSubject page) {
    KeyframePage* strip = PageOf(view, page);
    if (!strip) return;
    const int p = strip->timelinePosition();
    strip->setFrameDisplay(p);
    if (ScrubsAt(view, page, p)) ScrubTo(view, page, p);
}

}  // namespace vm
