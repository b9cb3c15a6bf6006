#include "ui/my_light.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QVBoxLayout>

#include "platform/float_to_int.h"
#include "platform/gl.h"
#include "platform/view_window.h"
#include "render/lighting.h"
#include "view/gl2avi_view.h"

namespace vm {

CmyLight::CmyLight(CGL2AviView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    auto* outer = new QVBoxLayout(this);
    auto* box = new QGroupBox("Lighting Controls", this);
    auto* grid = new QGridLayout(box);
    m_normal = new QRadioButton("Normal Light", box);
    m_spot = new QRadioButton("Spot Light", box);
    m_toggle = new QCheckBox("Enable/Disable Lighting", box);
    // The marks follow the scene through the data exchange.
    m_normal->setAutoExclusive(false);
    m_spot->setAutoExclusive(false);
    auto* row = new QHBoxLayout;
    row->addWidget(m_normal);
    row->addWidget(m_spot);
    row->addStretch();
    row->addWidget(m_toggle);
    grid->addLayout(row, 0, 0, 1, 2);
    for (int axis = 0; axis < 3; ++axis) {
        m_sliders[axis] = new QSlider(Qt::Horizontal, box);
        m_sliders[axis]->setRange(-360, 360);
        m_sliders[axis]->setValue(50);
        m_edits[axis] = new QLineEdit(box);
        m_edits[axis]->setValidator(new QIntValidator(-100000, 100000, m_edits[axis]));
        m_edits[axis]->setAlignment(Qt::AlignCenter);
        m_edits[axis]->setFixedWidth(64);
        // The edits show the light the sliders move in the current mode.
        const float* shown = view.m_fMoveMode == 4.0f   ? view.m_fLightPos
                             : view.m_fMoveMode == 5.0f ? view.m_fSpotPos
                                                        : nullptr;
        m_edits[axis]->setText(QString::number(shown ? FloatToInt(shown[axis]) : 0));
        grid->addWidget(m_sliders[axis], 1 + axis, 0);
        grid->addWidget(m_edits[axis], 1 + axis, 1);
        connect(m_sliders[axis], &QSlider::valueChanged, this, [this] {
            if (!m_quiet) OnPositionSlider();
        });
        connect(m_edits[axis], &QLineEdit::textEdited, this, [this, axis] { OnPositionEdit(axis); });
    }
    outer->addWidget(box, 1);
    m_strip = new KeyframeStrip(view, AnimSubject::Light, *this, this);
    outer->addWidget(m_strip);

    connect(m_normal, &QRadioButton::clicked, this, &CmyLight::OnNormalLight);
    connect(m_spot, &QRadioButton::clicked, this, &CmyLight::OnSpotLight);
    connect(m_toggle, &QCheckBox::clicked, this, &CmyLight::OnToggleLighting);
    connect(m_strip, &KeyframeStrip::cleared, this, [this] {
        m_view.m_nFrameCount = 300;
        m_strip->frameCount()->setValue(300);
        m_view.m_fSpotPos[0] = 1;
        m_view.m_fSpotPos[1] = 1;
        m_view.m_fSpotPos[2] = 10;
        for (int axis = 0; axis < 3; ++axis) {
            m_sliders[axis]->setRange(-360, 360);
            setSliderQuietly(axis, FloatToInt(m_view.m_fSpotPos[axis]));
            m_edits[axis]->setText(QString::number(FloatToInt(m_view.m_fSpotPos[axis])));
        }
    });
    updateData();
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
    m_view.m_fNormalLightRadio = 2;
    m_view.m_fMoveMode = 4;
    m_view.m_fLightPos[0] = 320;
    m_view.m_fLightPos[1] = 0;
    m_view.m_fLightPos[2] = 360;
    m_view.m_fNormalLight = 2;
    m_view.m_fLighting = 0;
    m_view.m_fSpotLight = 0;
    resetLight(false, false);
}

void CmyLight::OnNormalLight() {
    m_sliders[2]->setEnabled(false);  // the normal light's Z is fixed
    m_edits[2]->setEnabled(false);
    m_view.m_fLightToggle += 1;
    m_view.m_fMugTintMode = 0;
    normalLightOn();
    updateData();
}

void CmyLight::OnSpotLight() {
    m_view.m_fLightToggle = 1;
    m_view.m_fSpotUsed = 2;
    m_sliders[2]->setEnabled(true);
    m_edits[1]->setEnabled(true);
    m_edits[2]->setEnabled(true);
    resetLight(true, true);
    m_view.m_fNormalLight = 0;
    const int start[3] = {1, 1, 10};
    for (int axis = 0; axis < 3; ++axis) {
        m_view.m_fSpotPos[axis] = float(start[axis]);
        m_quiet = true;
        m_sliders[axis]->setRange(-360, 360);
        m_quiet = false;
        setSliderQuietly(axis, start[axis]);
        m_edits[axis]->setText(QString::number(start[axis]));
    }
    m_view.m_fMugTintMode = 0;
    m_view.m_fLighting = 2;
    m_view.m_fSpotLight = 2;
    m_view.m_fMoveMode = 5;
    updateData();
}

void CmyLight::OnToggleLighting() {
    m_view.m_fMugTintMode = 0;
    m_view.m_fLightToggle += 1;
    if (m_view.m_fLightToggle <= 1) {
        normalLightOn();
    } else {
        m_view.m_fSpotLight = 0;
        m_view.m_fLightToggle = 0;
        m_view.m_fNormalLight = 0;
        m_view.m_fLighting = 0;
        m_view.m_fNormalLightRadio = 0;
    }
    updateData();
}

void CmyLight::OnPositionSlider() {
    float* target = m_view.m_fMoveMode == 4 ? m_view.m_fLightPos
                    : m_view.m_fMoveMode == 5 ? m_view.m_fSpotPos
                                              : nullptr;
    if (!target) return;
    for (int axis = 0; axis < 3; ++axis) {
        target[axis] = float(m_sliders[axis]->value());
        m_edits[axis]->setText(QString::number(m_sliders[axis]->value()));
    }
}

void CmyLight::OnPositionEdit(int axis) {
    bool ok = false;
    const int value = m_edits[axis]->text().toInt(&ok);
    if (!ok) return;
    if (m_view.m_fMoveMode == 4)
        m_view.m_fLightPos[axis] = float(value);
    else if (m_view.m_fMoveMode == 5)
        m_view.m_fSpotPos[axis] = float(value);
    else
        return;
    setSliderQuietly(axis, value);
}

void CmyLight::setSliderQuietly(int axis, int value) {
    m_quiet = true;
    m_sliders[axis]->setValue(value);
    m_quiet = false;
}

void CmyLight::mirrorMovement(int axis, int value) {
    if (axis < 0 || axis > 2) return;
    setSliderQuietly(axis, value);
    m_edits[axis]->setText(QString::number(value));
}

void CmyLight::setFrameCountDisplay(int count) {
    const QSignalBlocker block(m_strip->frameCount());
    m_strip->frameCount()->setValue(count);
}

void CmyLight::updateData() {
    m_toggle->setChecked(m_view.m_fLightToggle >= 1);
    if (m_view.m_fNormalLightRadio >= 2) m_normal->setChecked(true);
    if (m_view.m_fNormalLightRadio <= 1) {
        m_normal->setChecked(false);
        m_spot->setChecked(false);
    }
    if (m_view.m_fMoveMode == 5) {
        m_spot->setChecked(true);
        m_normal->setChecked(false);
    } else if (m_view.m_fMoveMode == 4) {
        m_spot->setChecked(false);
        m_normal->setChecked(true);
    }
    setFrameCountDisplay(m_view.m_nFrameCount);
}

}  // namespace vm
