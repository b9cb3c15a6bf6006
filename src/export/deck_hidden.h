#pragma once
// Hides the Control Deck while the scene is captured or recorded and shows
// it again afterwards, if it was open.

#include "scene/page_interfaces.h"
#include "scene/scene_state.h"

namespace vm {

struct DeckHiddenForCapture {
    DeckHiddenForCapture(const SceneState& scene, const DeckPages& pages)
        : deck(scene.m_bDeckOpen ? pages.m_pControlDeck : nullptr) {
        if (deck) deck->hideDeck();
    }
    ~DeckHiddenForCapture() {
        if (deck) deck->showDeck();
    }
    DeckHiddenForCapture(const DeckHiddenForCapture&) = delete;
    DeckHiddenForCapture& operator=(const DeckHiddenForCapture&) = delete;
    ControlDeck* deck;
};

}  // namespace vm
