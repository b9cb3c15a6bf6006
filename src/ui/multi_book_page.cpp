#include "ui/multi_book_page.h"

#include <QGridLayout>
#include <algorithm>
#include <QLabel>
#include <QVBoxLayout>

#include "view/gl2avi_view.h"

namespace vm {

namespace {

constexpr float kModes[6] = {2, 0, 3, 4, 6, 7};
constexpr float kTiltMode = 7;
// The spacing that keeps tilted books standing on one another.
constexpr double kTiltStep = 5.0 / 22.0;

// Mode 1 was never offered on the page: it counts as the spacing mode.
float effectiveMode(float mode) { return mode <= 1.0f ? 0.0f : mode; }

}  // namespace

CMultiBook::CMultiBook(CGL2AviView& view, QWidget* parent) : DeckPage(view, AnimSubject::Array, parent) {
    QGroupBox* box = addControlsBox("Multi Book Controls");
    auto* layout = new QVBoxLayout(box);
    auto* modes = new ModeRadios(box);
    const char* captions[6] = {"Rotate Array", "Pan/Zoom Array", "Rotate", "Pan/Zoom", "Scale", "Tilt"};
    for (int i = 0; i < 6; ++i) {
        const float mode = kModes[i];
        m_radios[i] = modes->add(captions[i], [this, mode] { OnArrayMode(mode); });
    }
    layout->addWidget(modes);

    m_rows = new SliderEditRows({"1", "2", "3"}, box);
    m_rows->setRanges(-360, 360);
    layout->addWidget(m_rows);
    connectRows(m_rows, [this] { OnArraySlider(); }, [this](int axis, int value) { OnArrayEdit(axis, value); });

    auto* grid = new QGridLayout;
    m_activate = new QPushButton("Activate/De-Activate", box);
    m_reset = new QPushButton("Reset", box);
    m_bookCount = new QLineEdit(box);
    m_bookCount->setMaximumWidth(60);
    m_double = new QCheckBox("Toggle Double Book", box);
    m_reflection = new QCheckBox("Enable/Disable Reflection", box);
    m_shadow = new QCheckBox("Enable/Disable Shadows", box);
    grid->addWidget(m_activate, 0, 0);
    grid->addWidget(new QLabel("Enter Number of Books", box), 0, 1);
    grid->addWidget(m_bookCount, 0, 2);
    grid->addWidget(m_reset, 0, 3);
    grid->addWidget(m_double, 1, 0);
    grid->addWidget(m_reflection, 1, 1);
    grid->addWidget(m_shadow, 1, 2);
    layout->addLayout(grid);
    layout->addStretch();
    connect(m_activate, &QPushButton::clicked, this, &CMultiBook::OnActivateArray);
    connect(m_reset, &QPushButton::clicked, this, &CMultiBook::OnResetArray);
    connect(m_double, &QCheckBox::clicked, this, &CMultiBook::OnToggleDoubleBook);
    connect(m_reflection, &QCheckBox::clicked, this, &CMultiBook::OnToggleReflection);
    connect(m_shadow, &QCheckBox::clicked, this, &CMultiBook::OnToggleShadows);
    connect(m_bookCount, &QLineEdit::textEdited, this, &CMultiBook::OnBookCount);

    addKeyframeStrip();
    connect(strip(), &KeyframeStrip::cleared, this, [this] { refreshFromScene(); });
    // Building the deck must not take the mouse from the page that has it.
    m_bookCount->setText(QString::number(m_view.scene().m_nArrayCount));
    showMarks();
    showMode();
}

std::array<float*, 3> CMultiBook::targets() const {
    CGL2AviView& v = m_view;
    const float mode = effectiveMode(v.scene().m_fArrayMode);
    if (mode == 0.0f)
        return {&v.scene().m_fArrayPos[1], &v.scene().m_fArrayPos[2], &v.scene().m_fArrayPos[0]};
    if (mode == 2.0f)
        return {&v.scene().m_fArrayRot[0], &v.scene().m_fArrayRot[1], &v.scene().m_fArrayRot[2]};
    if (mode == 3.0f)
        return {&v.scene().m_fArrayBookRot[0], &v.scene().m_fArrayBookRot[1], &v.scene().m_fArrayBookRot[2]};
    if (mode == 4.0f)
        return {&v.scene().m_fArrayBookPos[0], &v.scene().m_fArrayBookPos[1], &v.scene().m_fArrayBookPos[2]};
    if (mode == 6.0f)
        return {&v.scene().m_fArrayBookScale[0], &v.scene().m_fArrayBookScale[1],
                &v.scene().m_fArrayBookScale[2]};
    if (mode == kTiltMode) return {&v.scene().m_fArrayTilt, nullptr, nullptr};
    return {nullptr, nullptr, nullptr};
}

// Ranges, enabled rows and values of the current mode on the sliders.
void CMultiBook::showMode() {
    const float mode = effectiveMode(m_view.scene().m_fArrayMode);
    const bool tilt = mode == kTiltMode;
    if (tilt)
        m_rows->setRanges(-90, 0);
    else if (mode == 4.0f)
        m_rows->setRanges(-4360, 4360);
    else
        m_rows->setRanges(-360, 360);
    const std::array<float*, 3> values = targets();
    for (int axis = 0; axis < 3; ++axis) {
        m_rows->setRowEnabled(axis, values[axis] != nullptr, values[axis] != nullptr);
        if (values[axis]) m_rows->show(axis, *values[axis]);
    }
}

void CMultiBook::OnInitDialog() {
    m_initialised = true;
    m_view.scene().m_fMultiBook = 2;
    refreshFromScene();
}

void CMultiBook::OnArrayMode(float mode) {
    m_view.scene().m_fArrayMode = mode;
    showMode();
    updateData();
}

void CMultiBook::OnArraySlider() {
    const float mode = effectiveMode(m_view.scene().m_fArrayMode);
    const std::array<float*, 3> values = targets();
    for (int axis = 0; axis < 3; ++axis) {
        if (!values[axis]) continue;
        *values[axis] = float(m_rows->value(axis));
        m_rows->edit(axis)->setText(QString::number(m_rows->value(axis)));
    }
    if (mode == kTiltMode) {
        const double t = m_view.scene().m_fArrayTilt;
        m_view.scene().m_fArrayPos[2] = float(-t * kTiltStep);
        m_view.scene().m_fArrayPos[0] = float(t * kTiltStep + 20.0);
    }
}

void CMultiBook::OnArrayEdit(int axis, int value) {
    updateData();
    float* target = targets()[axis];
    if (!target) return;
    *target = float(value);  // in Tilt mode the tilt alone: the steps stay
    m_rows->moveSlider(axis, value);
}

void CMultiBook::OnActivateArray() {
    m_view.scene().m_fArrayActiveCount += 1;
    if (m_view.scene().m_fArrayActiveCount <= 1) {
        m_view.scene().m_fMultiBook = 0;
    } else {
        m_view.scene().m_fMultiBook = 2;
        m_view.scene().m_fArrayActiveCount = 0;
    }
}

void CMultiBook::OnToggleDoubleBook() {
    m_view.scene().m_fDoubleBookCount += 1;
    if (m_view.scene().m_fDoubleBookCount <= 1) {
        m_view.scene().m_fArraySingle = 0;
    } else {
        m_view.scene().m_fArraySingle = 2;
        m_view.scene().m_fDoubleBookCount = 0;
    }
    showMarks();
}

void CMultiBook::OnToggleReflection() {
    m_view.scene().m_fArrayReflectionCount += 1;
    if (m_view.scene().m_fArrayReflectionCount <= 1) {
        m_view.scene().m_fArrayReflection = 2;
    } else {
        m_view.scene().m_fArrayReflection = 0;
        m_view.scene().m_fArrayReflectionCount = 0;
    }
    showMarks();
}

void CMultiBook::OnToggleShadows() {
    m_view.scene().m_fArrayShadowCount += 1;
    if (m_view.scene().m_fArrayShadowCount <= 1) {
        m_view.scene().m_fArrayShadow = 2;
    } else {
        m_view.scene().m_fArrayShadow = 0;
        m_view.scene().m_fArrayShadowCount = 0;
    }
    showMarks();
}

void CMultiBook::OnBookCount() {
    bool ok = false;
    const int typed = m_bookCount->text().trimmed().toInt(&ok);
    if (!ok) return;  // an empty edit or a lone sign while typing: not taken
    // The per-book tables hold kMostBooks books.
    const int count = std::clamp(typed, 0, kMostBooks);
    m_view.scene().m_nArrayCount = count;
    if (count != typed) {
        m_bookCount->setText(QString::number(count));
        explain(QString("The array holds 0 to %1 books: %2 books are shown.").arg(kMostBooks).arg(count));
    }
}

void CMultiBook::OnResetArray() {
    CGL2AviView& v = m_view;
    v.scene().m_nArrayCount = 5;
    v.scene().m_fArrayMode = 3;
    v.scene().m_fArrayBookRot[0] = 30;
    v.scene().m_fArrayBookRot[1] = 30;
    v.scene().m_fArrayBookRot[2] = 0;
    v.scene().m_fArrayPos[0] = 20;
    v.scene().m_fArrayPos[1] = v.scene().m_fArrayPos[2] = 0;
    for (float& f : v.scene().m_fArrayRot) f = 0;
    v.scene().m_fArrayBookPos[0] = v.scene().m_fArrayBookPos[1] = 0;
    v.scene().m_fArrayBookPos[2] = -845;
    for (float& f : v.scene().m_fArrayBookScale) f = 0;
    v.scene().m_fArrayTilt = 0;
    v.scene().m_fArraySingle = 2;
    v.scene().m_fDoubleBookCount = 0;
    v.scene().m_fArrayReflection = v.scene().m_fArrayReflectionCount = 0;
    v.scene().m_fArrayShadow = v.scene().m_fArrayShadowCount = 0;
    showMode();
    for (int axis = 0; axis < 3; ++axis) m_rows->setRowEnabled(axis, true, true);
    updateData();
}

void CMultiBook::mirrorMovement(int axis, int value) {
    if (axis < 0 || axis > 2) return;
    m_rows->show(axis, float(value));
}

void CMultiBook::showEvent(QShowEvent* event) {
    DeckPage::showEvent(event);
    if (!m_initialised)
        OnInitDialog();
    else
        refreshFromScene();
}

void CMultiBook::refreshFromScene() {
    updateData();
    showMode();
}

void CMultiBook::updateData() {
    m_view.scene().m_fMouseTarget = 4;
    showMarks();
}

void CMultiBook::showMarks() {
    CGL2AviView& v = m_view;
    const float mode = effectiveMode(v.scene().m_fArrayMode);
    for (int i = 0; i < 6; ++i) m_radios[i]->setChecked(mode == kModes[i] && mode != kTiltMode);
    m_double->setChecked(IsSet(v.scene().m_fArraySingle));
    m_reflection->setChecked(IsSet(v.scene().m_fArrayReflection));
    if (IsSet(v.scene().m_fArrayReflection)) v.scene().m_fArrayReflectionCount = 1;
    m_shadow->setChecked(IsSet(v.scene().m_fArrayShadow));
    if (IsSet(v.scene().m_fArrayShadow)) v.scene().m_fArrayShadowCount = 1;
    setFrameCountDisplay(v.scene().m_nFrameCount);
}

}  // namespace vm
