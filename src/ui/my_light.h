#pragma once
// CmyLight: the "Lighting" page — normal or spot light, the lighting toggle,
// the light's place and the light keyframe strip.

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QWidget>

#include "ui/keyframe_strip.h"
#include "view/page_interfaces.h"

namespace vm {

class CGL2AviView;

class CmyLight : public QWidget, public KeyframePage {
    Q_OBJECT
public:
    explicit CmyLight(CGL2AviView& view, QWidget* parent = nullptr);

    void OnNormalLight();
    void OnSpotLight();
    void OnToggleLighting();
    void OnPositionSlider();
    void OnPositionEdit(int axis);

    int timelinePosition() const override { return m_strip->timeline()->value(); }
    void setTimelinePosition(int frame) override { m_strip->setPosition(frame); }
    void setTimelineRange(int maximum) override { m_strip->timeline()->setRange(0, maximum); }
    void setFrameDisplay(int frame) override { m_strip->setFrameDisplay(frame); }
    void setKeysDisplay(int keys) override { m_strip->setKeysDisplay(keys); }
    int keysDisplay() const override { return m_strip->keysDisplay(); }
    void addTick(int frame) override { m_strip->timeline()->addTick(frame); }
    int tickCount() const override { return m_strip->timeline()->tickCount(); }
    void clearTicks() override { m_strip->timeline()->clearTicks(); }
    void setFrameCountDisplay(int count) override;
    void refreshFromScene() override { updateData(); }
    void updateData() override;
    void mirrorMovement(int axis, int value) override;

    QRadioButton* normalRadio() const { return m_normal; }
    QRadioButton* spotRadio() const { return m_spot; }
    QCheckBox* toggle() const { return m_toggle; }
    QSlider* slider(int axis) const { return m_sliders[axis]; }
    QLineEdit* edit(int axis) const { return m_edits[axis]; }
    KeyframeStrip* strip() const { return m_strip; }

private:
    void resetLight(bool enableAfter, bool colourMaterial);
    void normalLightOn();
    void setSliderQuietly(int axis, int value);

    CGL2AviView& m_view;
    QRadioButton *m_normal, *m_spot;
    QCheckBox* m_toggle;
    QSlider* m_sliders[3];
    QLineEdit* m_edits[3];
    KeyframeStrip* m_strip;
    bool m_quiet = false;
};

}  // namespace vm
