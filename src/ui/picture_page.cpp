#include "ui/picture_page.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/view_window.h"
#include "view/gl2avi_view.h"

namespace vm {

CPictureRost::CPictureRost(CGL2AviView& view, QWidget* parent) : DeckPage(view, AnimSubject::Picture, parent) {
    QGroupBox* box = addControlsBox("Picture Controls");
    auto* layout = new QVBoxLayout(box);
    auto* modes = new ModeRadios(box);
    m_rotate = modes->add("Rotate", [this] { OnRotate(); });
    m_panZoom = modes->add("Pan/Zoom", [this] { OnPanZoom(); });
    m_scale = modes->add("Scale", [this] { OnScale(); });
    m_spot = new QCheckBox("Enable SpotLight");
    modes->addTrailing(m_spot);
    connect(m_spot, &QCheckBox::clicked, this, &CPictureRost::OnSpotLight);
    layout->addWidget(modes);

    auto* buttons = new QHBoxLayout;
    m_load = new QPushButton("Load Picture", box);
    m_showHide = new QPushButton("Show/Hide", box);
    buttons->addWidget(m_load);
    buttons->addWidget(m_showHide);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(m_load, &QPushButton::clicked, this, &CPictureRost::OnLoadPicture);
    connect(m_showHide, &QPushButton::clicked, this, &CPictureRost::OnShowHide);

    m_rows = new SliderEditRows({"X", "Y", "Z"}, box);
    m_rows->setRanges(-360, 360);
    layout->addWidget(m_rows);
    layout->addStretch();
    connectRows(m_rows, [this] { OnSlider(); }, [this](int axis, int value) { OnEdit(axis, value); });

    addKeyframeStrip();
    connect(strip(), &KeyframeStrip::cleared, this, [this] { refreshFromScene(); });
    // Building the deck must not take the mouse from the page that has it.
    showMarks();
    const float* values = modeValues();
    m_rows->show(values[0], values[1], values[2]);
}

float* CPictureRost::modeValues() const {
    if (m_view.scene().m_fPicMode == 2.0f) return m_view.scene().m_fPicPos;
    if (m_view.scene().m_fPicMode == 3.0f) return m_view.scene().m_fPicScale;
    return m_view.scene().m_fPicRot;
}

void CPictureRost::OnInitDialog() {
    m_initialised = true;
    m_view.scene().m_fMouseTarget = 3;
    // Opening the page shows no sample picture over the user's background:
    // the picture appears once loaded, or with Show/Hide.
    m_view.scene().m_fShowPictureCount = IsSet(m_view.scene().m_fShowPicture) ? 1 : 0;
    if (IsSet(m_view.scene().m_fPicSpot)) m_view.scene().m_fPicSpotCount = 1;
    refreshFromScene();
}

void CPictureRost::setMode(float mode) {
    m_view.scene().m_fPicMode = mode;
    // Through the sliders, so a value beyond -360..360 comes back clamped.
    m_rows->setRanges(-360, 360);
    float* values = modeValues();
    for (int axis = 0; axis < 3; ++axis) {
        m_rows->show(axis, values[axis]);
        values[axis] = float(m_rows->value(axis));
        m_rows->show(axis, values[axis]);
    }
    updateData();
}

void CPictureRost::OnRotate() { setMode(0); }
void CPictureRost::OnPanZoom() { setMode(2); }
void CPictureRost::OnScale() { setMode(3); }

void CPictureRost::OnSpotLight() {
    m_view.scene().m_fPicSpotCount += 1;
    if (m_view.scene().m_fPicSpotCount <= 1) {
        m_view.scene().m_fPicSpot = 2;
    } else {
        m_view.scene().m_fPicSpot = 0;
        m_view.scene().m_fPicSpotCount = 0;
    }
    updateData();
    if (!IsSet(m_view.scene().m_fSpotLight) && IsSet(m_view.scene().m_fPicSpot))
        explain("The picture takes the spot light once \"Spot Light\" is chosen on the Lighting page.");
}

void CPictureRost::OnLoadPicture() {
    // The next frame's prepare step opens the dialog and shows the deck again.
    if (m_view.pages().m_pControlDeck) m_view.pages().m_pControlDeck->hideDeck();
    m_view.scene().m_fLoadPicture = 2;
    if (ViewWindow* window = m_view.window()) window->invalidate();
}

void CPictureRost::OnShowHide() {
    m_view.scene().m_fShowPictureCount += 1;
    if (m_view.scene().m_fShowPictureCount <= 1) {
        m_view.scene().m_fShowPicture = 2;
    } else {
        m_view.scene().m_fShowPicture = 0;
        m_view.scene().m_fShowPictureCount = 0;
    }
}

void CPictureRost::OnSlider() {
    float* values = modeValues();
    for (int axis = 0; axis < 3; ++axis) {
        values[axis] = float(m_rows->value(axis));
        m_rows->edit(axis)->setText(QString::number(m_rows->value(axis)));
    }
}

void CPictureRost::OnEdit(int axis, int value) {
    updateData();
    modeValues()[axis] = float(value);
    m_rows->moveSlider(axis, value);
}

void CPictureRost::mirrorMovement(int axis, int value) {
    if (axis < 0 || axis > 2) return;
    m_rows->show(axis, float(value));
}

void CPictureRost::showEvent(QShowEvent* event) {
    DeckPage::showEvent(event);
    if (!m_initialised)
        OnInitDialog();
    else
        refreshFromScene();
}

void CPictureRost::refreshFromScene() {
    updateData();
    // The sliders show the values the current mode moves, so the first drag
    // in Pan/Zoom or Scale mode does not write rotations into them.
    const float* values = modeValues();
    m_rows->show(values[0], values[1], values[2]);
}

void CPictureRost::updateData() {
    m_view.scene().m_fMouseTarget = 3;
    showMarks();
}

void CPictureRost::showMarks() {
    m_rotate->setChecked(m_view.scene().m_fPicMode <= 1.0f);
    m_panZoom->setChecked(m_view.scene().m_fPicMode == 2.0f);
    m_scale->setChecked(m_view.scene().m_fPicMode == 3.0f);
    m_spot->setChecked(IsSet(m_view.scene().m_fPicSpot));
    setFrameCountDisplay(m_view.scene().m_nFrameCount);
}

}  // namespace vm
