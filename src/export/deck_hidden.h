#pragma once
// Hides the Control Deck while the view is captured or recorded and shows it
// again afterwards, if it was open.

#include "view/gl2avi_view.h"
#include "scene/page_interfaces.h"

namespace vm {

struct DeckHiddenForCapture {
    explicit DeckHiddenForCapture(CGL2AviView& view) : deck(view.m_bDeckOpen ? view.m_pControlDeck : nullptr) {
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
