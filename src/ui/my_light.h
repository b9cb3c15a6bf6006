#pragma once
// CmyLight: the "Lighting" page — normal or spot light, the lighting toggle,
// the light's place and the light keyframe strip.

#include <QCheckBox>

#include "ui/page_scaffold.h"

class QShowEvent;

namespace vm {

class CmyLight : public DeckPage {
    Q_OBJECT
public:
    explicit CmyLight(CGL2AviView& view, QWidget* parent = nullptr);

    void OnNormalLight();
    void OnSpotLight();
    void OnToggleLighting();
    void OnPositionSlider();
    void OnPositionEdit(int axis, int value);

    void refreshFromScene() override;
    void updateData() override;
    void mirrorMovement(int axis, int value) override;

    QRadioButton* normalRadio() const { return m_normal; }
    QRadioButton* spotRadio() const { return m_spot; }
    QCheckBox* toggle() const { return m_toggle; }
    QSlider* slider(int axis) const { return m_rows->slider(axis); }
    QLineEdit* edit(int axis) const { return m_rows->edit(axis); }
    SliderEditRows* rows() const { return m_rows; }

protected:
    // The scene may have changed while the page was hidden (another page,
    // a scene file, playback): show its values before the user moves a slider.
    void showEvent(QShowEvent* event) override;

private:
    void resetLight(bool enableAfter, bool colourMaterial);
    void normalLightOn();
    // The light the sliders place in the current mode, or null.
    float* movedLight() const;

    QRadioButton *m_normal, *m_spot;
    QCheckBox* m_toggle;
    SliderEditRows* m_rows;
};

}  // namespace vm
