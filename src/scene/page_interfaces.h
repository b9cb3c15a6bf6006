#pragma once
// What the view, the playback and the renderers need of the Control Deck.
// The deck's pages implement these; while the deck is closed every pointer
// the view holds is null and the calls are skipped.

#include <QString>
#include <cstdint>

namespace vm {

// The keyframe strip along the bottom of an animated page, and the page's
// refresh from the scene.
class KeyframePage {
public:
    virtual ~KeyframePage() = default;
    virtual int timelinePosition() const = 0;
    virtual void setTimelinePosition(int frame) = 0;
    virtual void setTimelineRange(int maximum) = 0;
    virtual void setFrameDisplay(int frame) = 0;
    virtual void setKeysDisplay(int keys) = 0;
    virtual int keysDisplay() const = 0;
    virtual void addTick(int frame) = 0;
    virtual int tickCount() const = 0;  // includes the two end ticks
    virtual void clearTicks() = 0;
    virtual void setFrameCountDisplay(int count) = 0;
    // Shows the scene's current values on the page's sliders and edits.
    virtual void refreshFromScene() = 0;
    // Takes the page's control values into the page (saving direction).
    virtual void updateData() = 0;

    // A mouse drag shows a value it changed on the page's movement slider
    // `axis` (0..2) and its edit, truncated toward zero.
    virtual void mirrorMovement(int /*axis*/, int /*value*/) {}
    // The Text page's current slider function (0..12); other pages have none.
    virtual int sliderFunction() const { return 0; }

    // "+ Add Key" on the Controls page enables its three movement sliders.
    virtual void enableMovementSliders() {}
    // "Clear All" puts the page's mode controls back to their first mode
    // (radios, check boxes, movement slider ranges).
    virtual void resetModeControls() {}

    // Set by the page's "Copy"; "Paste" needs it. Each page has its own.
    std::uint8_t m_bKeyCopied = 0;
};

// The Side Textures page: the path edits of the faces.
class SideTexturesPage {
public:
    virtual ~SideTexturesPage() = default;
    // `controlId`: 1059 front, 1061 back, 1063 left, 1065 right, 1067 top,
    // 1069 bottom, 1071 mug.
    virtual void setPathText(int controlId, const QString& path) = 0;
    // Shows on every row the image the shown package carries now.
    virtual void showFaceImages() = 0;
};

// The sheet itself.
class ControlDeck {
public:
    virtual ~ControlDeck() = default;
    virtual void showDeck() = 0;
    virtual void hideDeck() = 0;
    // After the frame's requests were served: the deck shows what the scene
    // holds now (the package's thumbnail, the faces' images), whatever
    // changed it (a package choice, an open, New, a drop, a preset).
    virtual void followScene() {}
};

// The Control Deck's pages, as the view, the playback and the scene files
// reach them: every pointer is null while the deck is closed.
struct DeckPages {
    ControlDeck* m_pControlDeck = nullptr;
    KeyframePage* m_pControlsPage = nullptr;
    KeyframePage* m_pTextPage = nullptr;
    SideTexturesPage* m_pSideTexturesPage = nullptr;
    KeyframePage* m_pLightingPage = nullptr;
    KeyframePage* m_pPicturePage = nullptr;
    void* m_pReflectionsPage = nullptr;
    void* m_pShadowsPage = nullptr;
    KeyframePage* m_pMultiBookPage = nullptr;
};

}  // namespace vm
