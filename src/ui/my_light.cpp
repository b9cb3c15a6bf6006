#include "ui/my_light.h"

#include <QVBoxLayout>

#include "platform/float_to_int.h"
#include "platform/gl.h"
#include "platform/view_window.h"
#include "render/lighting.h"
#include "view/gl2avi_view.h"

namespace vm {

CmyLight::CmyLight(CGL2AviView& view, QWidget* parent) : DeckPage(view, AnimSubject::Light, parent) {
    QGroupBox* box = addControlsBox("Lighting Controls");
    auto* layout = new QVBoxLayout(box);
    auto* modes = new ModeRadios(box);
    m_normal = modes->add("Normal Light", [this] { OnNormalLight(); });
    m_spot = modes->add("Spot Light", [this] { OnSpotLight(); });
    m_toggle = new QCheckBox("Enable/Disable Lighting");
    modes->addTrailing(m_toggle);
    connect(m_toggle, &QCheckBox::clicked, this, &CmyLight::OnToggleLighting);
    layout->addWidget(modes);

    m_rows = new SliderEditRows({"X", "Y", "Z"}, box);
    m_rows->setRanges(-360, 360);
    layout->addWidget(m_rows);
    layout->addStretch();
    connectRows(m_rows, [this] { OnPositionSlider(); }, [this](int axis, int value) { OnPositionEdit(axis, value); });
    const auto fixedHeight = [] {
        return QString("The normal light stays at its height: choose \"Spot Light\" to move the light in Z.");
    };
    explainWhenDisabled(m_rows->slider(2), fixedHeight);
    explainWhenDisabled(m_rows->edit(2), fixedHeight);

    addKeyframeStrip();
    connect(strip(), &KeyframeStrip::cleared, this, [this] {
        m_view.scene().m_nFrameCount = 300;
        strip()->frameCount()->setValue(300);
        m_view.scene().m_fSpotPos[0] = 1;
        m_view.scene().m_fSpotPos[1] = 1;
        m_view.scene().m_fSpotPos[2] = 10;
        m_rows->setRanges(-360, 360);
        m_rows->show(m_view.scene().m_fSpotPos[0], m_view.scene().m_fSpotPos[1],
                     m_view.scene().m_fSpotPos[2]);
    });
    // The sliders start where the light is: a first scroll must not carry
    // stale values of the other two axes into the scene.
    refreshFromScene();
}

// The handlers touch light 1 directly, in the view's context. Without a
// window (no GL yet) the renderers rebuild the light state from the scene.
void CmyLight::resetLight(bool enableAfter, bool colourMaterial) {
    ViewWindow* window = m_view.window();
    if (!window || !window->makeCurrent()) return;
    if (colourMaterial)
        glEnable(GL_COLOR_MATERIAL);
    else
        glDisable(GL_COLOR_MATERIAL);
    ResetLight1(enableAfter);
}

void CmyLight::normalLightOn() {
    m_view.scene().m_fNormalLightRadio = 2;
    m_view.scene().m_fMoveMode = 4;
    m_view.scene().m_fLightPos[0] = 320;
    m_view.scene().m_fLightPos[1] = 0;
    m_view.scene().m_fLightPos[2] = 360;
    m_view.scene().m_fNormalLight = 2;
    m_view.scene().m_fLighting = 0;
    m_view.scene().m_fSpotLight = 0;
    resetLight(false, false);
}

void CmyLight::OnNormalLight() {
    m_view.scene().m_fLightToggle += 1;
    m_view.scene().m_fMugTintMode = 0;
    normalLightOn();
    refreshFromScene();
}

void CmyLight::OnSpotLight() {
    m_view.scene().m_fLightToggle = 1;
    m_view.scene().m_fSpotUsed = 2;
    resetLight(true, true);
    m_view.scene().m_fNormalLight = 0;
    m_rows->setRanges(-360, 360);
    m_view.scene().m_fSpotPos[0] = 1;
    m_view.scene().m_fSpotPos[1] = 1;
    m_view.scene().m_fSpotPos[2] = 10;
    m_view.scene().m_fMugTintMode = 0;
    m_view.scene().m_fLighting = 2;
    m_view.scene().m_fSpotLight = 2;
    m_view.scene().m_fMoveMode = 5;
    refreshFromScene();
}

void CmyLight::OnToggleLighting() {
    m_view.scene().m_fMugTintMode = 0;
    m_view.scene().m_fLightToggle += 1;
    if (m_view.scene().m_fLightToggle <= 1) {
        normalLightOn();
    } else {
        m_view.scene().m_fSpotLight = 0;
        m_view.scene().m_fLightToggle = 0;
        m_view.scene().m_fNormalLight = 0;
        m_view.scene().m_fLighting = 0;
        m_view.scene().m_fNormalLightRadio = 0;
    }
    refreshFromScene();
}

float* CmyLight::movedLight() const {
    if (m_view.scene().m_fMoveMode == 4) return m_view.scene().m_fLightPos;
    if (m_view.scene().m_fMoveMode == 5) return m_view.scene().m_fSpotPos;
    return nullptr;
}

void CmyLight::OnPositionSlider() {
    float* target = movedLight();
    if (!target) {
        explain("The sliders place the light: choose \"Normal Light\" or \"Spot Light\" first.");
        return;
    }
    for (int axis = 0; axis < 3; ++axis) {
        target[axis] = float(m_rows->value(axis));
        m_rows->edit(axis)->setText(QString::number(m_rows->value(axis)));
    }
}

void CmyLight::OnPositionEdit(int axis, int value) {
    float* target = movedLight();
    if (!target) {
        explain("The edits place the light: choose \"Normal Light\" or \"Spot Light\" first.");
        return;
    }
    target[axis] = float(value);
    m_rows->moveSlider(axis, value);
}

void CmyLight::mirrorMovement(int axis, int value) {
    if (axis < 0 || axis > 2) return;
    m_rows->show(axis, float(value));
}

void CmyLight::showEvent(QShowEvent* event) {
    DeckPage::showEvent(event);
    refreshFromScene();
}

void CmyLight::refreshFromScene() {
    updateData();
    // The Z row of the normal light is not adjustable.
    const bool normal = m_view.scene().m_fMoveMode == 4;
    m_rows->setRowEnabled(2, !normal, !normal);
    if (const float* light = movedLight()) m_rows->show(light[0], light[1], light[2]);
}

void CmyLight::updateData() {
    m_toggle->setChecked(m_view.scene().m_fLightToggle >= 1);
    if (m_view.scene().m_fNormalLightRadio >= 2) m_normal->setChecked(true);
    if (m_view.scene().m_fNormalLightRadio <= 1) {
        m_normal->setChecked(false);
        m_spot->setChecked(false);
    }
    if (m_view.scene().m_fMoveMode == 5) {
        m_spot->setChecked(true);
        m_normal->setChecked(false);
    } else if (m_view.scene().m_fMoveMode == 4) {
        m_spot->setChecked(false);
        m_normal->setChecked(true);
    }
    setFrameCountDisplay(m_view.scene().m_nFrameCount);
}

}  // namespace vm
