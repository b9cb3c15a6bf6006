#pragma once
// A keyframe strip that remembers what the engine showed on it.

#include <algorithm>
#include <vector>

#include "scene/page_interfaces.h"

namespace vm::test {

class FakeKeyframePage : public KeyframePage {
public:
    int timelinePosition() const override { return position; }
    void setTimelinePosition(int frame) override { position = std::min(frame, rangeMax); }
    void setTimelineRange(int maximum) override {
        rangeMax = maximum;
        position = std::min(position, rangeMax);
    }
    void setFrameDisplay(int frame) override { frameShown = frame; }
    void setKeysDisplay(int keys) override { keysShown = keys; }
    int keysDisplay() const override { return keysShown; }
    void addTick(int frame) override { ticks.push_back(frame); }
    int tickCount() const override { return int(ticks.size()) + 2; }
    void clearTicks() override { ticks.clear(); }
    void setFrameCountDisplay(int count) override { frameCountShown = count; }
    void refreshFromScene() override { ++refreshes; }
    void updateData() override { ++updates; }
    void enableMovementSliders() override { slidersEnabled = true; }
    void resetModeControls() override { ++modeResets; }

    int position = 0;
    int rangeMax = 300;
    int frameShown = -1, keysShown = -1, frameCountShown = -1;
    std::vector<int> ticks;
    int refreshes = 0, updates = 0, modeResets = 0;
    bool slidersEnabled = false;
};

}  // namespace vm::test
