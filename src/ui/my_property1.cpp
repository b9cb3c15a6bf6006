#include "ui/my_property1.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QVBoxLayout>

#include "assets/program_folder.h"
#include "files/presets.h"
#include "platform/float_to_int.h"
#include "view/gl2avi_view.h"
#include "view/package_choice.h"

namespace vm {

CmyProperty1::CmyProperty1(CGL2AviView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    outer->addLayout(top, 1);

    auto* packageBox = new QGroupBox("Select Your Package....", this);
    auto* packageLayout = new QVBoxLayout(packageBox);
    m_thumbs = new CThumbsListCtrl(packageBox);
    m_thumbs->setObjectName("thumbs");
    m_thumbs->setMinimumSize(420, 180);
    packageLayout->addWidget(m_thumbs);
    top->addWidget(packageBox, 3);

    auto* moveBox = new QGroupBox("Movement Controls", this);
    auto* moveLayout = new QGridLayout(moveBox);
    m_rotate = new QRadioButton("Rotate", moveBox);
    m_panZoom = new QRadioButton("Pan and Zoom", moveBox);
    m_scale = new QRadioButton("Scale", moveBox);
    m_tilt = new QRadioButton("Tilt", moveBox);
    m_mugColour = new QRadioButton("Mug Color", moveBox);
    // The marks follow the scene, not each other.
    for (QRadioButton* radio : {m_rotate, m_panZoom, m_scale, m_tilt, m_mugColour}) radio->setAutoExclusive(false);
    auto* radios = new QHBoxLayout;
    for (QRadioButton* radio : {m_rotate, m_panZoom, m_scale, m_tilt, m_mugColour}) radios->addWidget(radio);
    radios->addStretch();
    moveLayout->addLayout(radios, 0, 0, 1, 2);
    for (int axis = 0; axis < 3; ++axis) {
        m_sliders[axis] = new QSlider(Qt::Horizontal, moveBox);
        m_sliders[axis]->setMinimumWidth(220);
        m_edits[axis] = new QLineEdit(moveBox);
        m_edits[axis]->setValidator(new QIntValidator(-100000, 100000, m_edits[axis]));
        m_edits[axis]->setAlignment(Qt::AlignCenter);
        m_edits[axis]->setFixedWidth(64);
        moveLayout->addWidget(m_sliders[axis], 1 + axis, 0);
        moveLayout->addWidget(m_edits[axis], 1 + axis, 1);
    }
    m_showHide = new QPushButton("Show/Hide", moveBox);
    m_presets = new QComboBox(moveBox);
    m_addPreset = new QPushButton("Add to Presets", moveBox);
    auto* row = new QHBoxLayout;
    row->addWidget(m_showHide);
    row->addStretch();
    row->addWidget(m_presets, 1);
    row->addWidget(m_addPreset);
    moveLayout->addLayout(row, 4, 0, 1, 2);
    top->addWidget(moveBox, 2);

    m_strip = new KeyframeStrip(view, AnimSubject::Model, *this, this);
    outer->addWidget(m_strip);

    // Initialisation.
    m_mugColour->setVisible(view.m_fPackageFamily == 2);
    fillPresets();
    setRanges(-360, 360);
    m_quiet = true;
    m_sliders[0]->setValue(FloatToInt(view.m_fRotX));
    m_sliders[1]->setValue(FloatToInt(view.m_fRotY));
    m_sliders[2]->setValue(50);
    m_quiet = false;
    showValues(view.m_fRotX, view.m_fRotY, view.m_fRotZ);
    m_thumbs->setExtension("jpg");
    SetProgramFolderCurrent();
    m_thumbs->LoadFolder(QDir(ProgramFolder()).filePath("Thumbs"));
    if (view.m_nSequenceStarted <= 1) enableSliders(false);
    exchangeRadios();

    // Every command goes through the package check first.
    connect(m_rotate, &QRadioButton::clicked, this, [this] { OnCmdMsg(); OnRotate(); });
    connect(m_panZoom, &QRadioButton::clicked, this, [this] { OnCmdMsg(); OnPanZoom(); });
    connect(m_scale, &QRadioButton::clicked, this, [this] { OnCmdMsg(); OnScale(); });
    connect(m_tilt, &QRadioButton::clicked, this, [this] { OnCmdMsg(); OnTilt(); });
    connect(m_mugColour, &QRadioButton::clicked, this, [this] { OnCmdMsg(); OnMugColour(); });
    for (int axis = 0; axis < 3; ++axis) {
        connect(m_sliders[axis], &QSlider::valueChanged, this, [this] {
            if (!m_quiet) OnMoveSlider();
        });
        connect(m_edits[axis], &QLineEdit::textEdited, this, [this, axis] { OnCmdMsg(); OnMoveEdit(axis); });
    }
    connect(m_showHide, &QPushButton::clicked, this, [this] { OnCmdMsg(); OnShowHide(); });
    connect(m_presets, &QComboBox::activated, this, [this](int index) { OnCmdMsg(); OnPresetSelected(index); });
    connect(m_addPreset, &QPushButton::clicked, this, [this] { OnCmdMsg(); OnAddToPresets(); });
    connect(m_thumbs, &QListWidget::itemSelectionChanged, this, [this] { OnCmdMsg(); });
    connect(m_strip->timeline(), &QSlider::valueChanged, this, [this] { OnCmdMsg(); });
    connect(m_strip, &KeyframeStrip::keyAdded, this, [this] {
        OnCmdMsg();
        m_view.m_nSequenceStarted = 2;
        enableSliders(true);
    });
    connect(m_strip, &KeyframeStrip::cleared, this, [this] { OnCmdMsg(); onClearAll(); });
}

void CmyProperty1::OnCmdMsg() {
    ApplySelectedThumbnail(m_view, m_thumbs->GetSelectedName());
    if (m_view.m_fPackageFamily == 2) m_mugColour->setVisible(true);
}

void CmyProperty1::setSliderQuietly(int axis, int value) {
    m_quiet = true;
    m_sliders[axis]->setValue(value);
    m_quiet = false;
}

void CmyProperty1::setRanges(int low, int high) {
    m_quiet = true;
    for (QSlider* slider : m_sliders) slider->setRange(low, high);
    m_quiet = false;
}

void CmyProperty1::showValues(float a, float b, float c) {
    const float values[3] = {a, b, c};
    for (int axis = 0; axis < 3; ++axis) {
        setSliderQuietly(axis, FloatToInt(values[axis]));
        m_edits[axis]->setText(QString::number(FloatToInt(values[axis])));
    }
}

void CmyProperty1::enableSliders(bool enabled) {
    for (QSlider* slider : m_sliders) slider->setEnabled(enabled);
}

void CmyProperty1::OnRotate() {
    m_view.m_fMoveMode = 0;
    m_view.m_fControlsMode = 0;
    m_view.m_fMugTintMode = 0;
    setRanges(-360, 360);
    for (int axis = 0; axis < 3; ++axis) m_edits[axis]->setEnabled(true);
    enableSliders(m_view.m_nSequenceStarted > 1);
    showValues(m_view.m_fRotX, m_view.m_fRotY, m_view.m_fRotZ);
    exchangeRadios();
}

void CmyProperty1::OnPanZoom() {
    m_view.m_fMoveMode = 2;
    m_view.m_fControlsMode = 2;
    m_view.m_fMugTintMode = 0;
    setRanges(-2000, 2000);
    for (int axis = 0; axis < 3; ++axis) m_edits[axis]->setEnabled(true);
    enableSliders(m_view.m_nSequenceStarted > 1);
    showValues(m_view.m_fPosX, m_view.m_fPosY, m_view.m_fPosZ);
    exchangeRadios();
}

void CmyProperty1::OnScale() {
    m_view.m_fMoveMode = 3;
    m_view.m_fControlsMode = 3;
    m_view.m_fMugTintMode = 0;
    m_view.m_fLighting = 0;
    setRanges(-360, 360);
    for (int axis = 0; axis < 3; ++axis) m_edits[axis]->setEnabled(true);
    enableSliders(m_view.m_nSequenceStarted > 1);
    showValues(m_view.m_fSize[0], m_view.m_fSize[1], m_view.m_fSize[2]);
    exchangeRadios();
}

void CmyProperty1::OnTilt() {
    if (m_view.m_fBookKind > 8) {  // e-zines cannot tilt
        exchangeRadios();
        return;
    }
    m_view.m_fMoveMode = 5;
    m_view.m_fControlsMode = 5;
    m_view.m_fMugTintMode = 0;
    m_view.m_fLighting = 0;
    m_quiet = true;
    m_sliders[0]->setRange(-90, 0);
    m_quiet = false;
    setSliderQuietly(0, FloatToInt(m_view.m_fTilt));
    m_edits[0]->setText(QString::number(FloatToInt(m_view.m_fTilt)));
    m_sliders[0]->setEnabled(m_view.m_nSequenceStarted > 1);
    m_edits[0]->setEnabled(true);
    for (int axis = 1; axis < 3; ++axis) {
        m_sliders[axis]->setEnabled(false);
        m_edits[axis]->setEnabled(false);
    }
    exchangeRadios();
}

void CmyProperty1::OnMugColour() {
    m_view.m_fMoveMode = 20;
    m_view.m_fMugTintMode = 2;
    setRanges(0, 255);
    for (int axis = 0; axis < 3; ++axis) m_edits[axis]->setEnabled(true);
    enableSliders(m_view.m_nSequenceStarted > 1);
    showValues(m_view.m_fMugRed, m_view.m_fMugGreen, m_view.m_fMugBlue);
    exchangeRadios();
}

void CmyProperty1::OnMoveSlider() {
    if (m_view.m_nSequenceStarted <= 1) enableSliders(false);
    const float a = float(m_sliders[0]->value()), b = float(m_sliders[1]->value()), c = float(m_sliders[2]->value());
    if (m_view.m_fMugTintMode >= 2) {
        m_view.m_fMugRed = a;
        m_view.m_fMugGreen = b;
        m_view.m_fMugBlue = c;
    } else if (m_view.m_fControlsMode <= 1) {
        m_view.m_fRotX = a;
        m_view.m_fRotY = b;
        m_view.m_fRotZ = c;
    } else if (m_view.m_fControlsMode == 2) {
        m_view.m_fPosX = a;
        m_view.m_fPosY = b;
        m_view.m_fPosZ = c;
    } else if (m_view.m_fControlsMode == 3) {
        m_view.m_fSize[0] = a;
        m_view.m_fSize[1] = b;
        m_view.m_fSize[2] = c;
    } else if (m_view.m_fControlsMode == 5) {
        m_view.m_fTilt = a;
    }
    for (int axis = 0; axis < 3; ++axis) m_edits[axis]->setText(QString::number(m_sliders[axis]->value()));
    OnCmdMsg();  // the edits changed: a command reaches the page
}

void CmyProperty1::OnMoveEdit(int axis) {
    bool ok = false;
    const int value = m_edits[axis]->text().toInt(&ok);
    if (!ok) return;  // not an integer (yet): the scene keeps its value
    const float v = float(value);
    if (m_view.m_fMugTintMode >= 2) {
        float* colour[3] = {&m_view.m_fMugRed, &m_view.m_fMugGreen, &m_view.m_fMugBlue};
        *colour[axis] = v;
    } else if (m_view.m_fMoveMode <= 1) {
        float* rot[3] = {&m_view.m_fRotX, &m_view.m_fRotY, &m_view.m_fRotZ};
        *rot[axis] = v;
    } else if (m_view.m_fMoveMode == 2) {
        float* pos[3] = {&m_view.m_fPosX, &m_view.m_fPosY, &m_view.m_fPosZ};
        *pos[axis] = v;
    } else if (m_view.m_fMoveMode == 3) {
        m_view.m_fSize[axis] = v;
    } else if (m_view.m_fMoveMode == 5) {
        if (axis != 0) return;
        m_view.m_fTilt = v;
    }
    setSliderQuietly(axis, value);
}

void CmyProperty1::mirrorMovement(int axis, int value) {
    if (axis < 0 || axis > 2) return;
    setSliderQuietly(axis, value);
    m_edits[axis]->setText(QString::number(value));
}

void CmyProperty1::OnShowHide() {
    m_view.m_fHideCount += 1;
    if (m_view.m_fHideCount <= 1) {
        m_view.m_fHiddenFamily = m_view.m_fPackageFamily;
        m_view.m_fPackageFamily = 20;
    } else {
        m_view.m_fPackageFamily = m_view.m_fHiddenFamily;
        m_view.m_fHideCount = 0;
    }
}

void CmyProperty1::fillPresets() {
    m_presets->clear();
    m_presets->addItems(PresetListEntries(m_view));
    if (m_presets->count() == 0) m_presets->addItem("Nothing Selected");
    // The stored current preset is shown selected (the start preset at first).
    const QSignalBlocker quiet(m_presets);
    m_presets->setCurrentIndex(std::clamp(m_view.m_nPresetIndex, 0, int(m_presets->count()) - 1));
}

void CmyProperty1::OnPresetSelected(int index) {
    if (index <= 0) return;  // the first entry is no preset
    LoadPreset(m_view, index);
    refreshFromScene();
}

void CmyProperty1::OnAddToPresets() {
    if (m_view.m_pControlDeck) m_view.m_pControlDeck->hideDeck();
    const bool added = AddToPresets(m_view);
    if (m_view.m_pControlDeck) m_view.m_pControlDeck->showDeck();
    if (added) fillPresets();
}

void CmyProperty1::onClearAll() {
    m_view.m_nFrameCount = 300;
    m_view.m_nSequenceStarted = 2;
    m_view.m_fMoveMode = 0;
    m_view.m_fControlsMode = 0;
    m_view.m_fMugTintMode = 0;
    m_view.m_fLighting = 0;
    m_strip->frameCount()->setValue(300);
    setRanges(-360, 360);
    for (int axis = 0; axis < 3; ++axis) m_edits[axis]->setEnabled(true);
    enableSliders(true);
    showValues(m_view.m_fRotX, m_view.m_fRotY, m_view.m_fRotZ);
    exchangeRadios();
}

void CmyProperty1::setFrameCountDisplay(int count) {
    const QSignalBlocker block(m_strip->frameCount());
    m_strip->frameCount()->setValue(count);
}

void CmyProperty1::exchangeRadios() {
    m_view.m_fMouseTarget = 0;
    const float controls = m_view.m_fControlsMode, move = m_view.m_fMoveMode;
    m_rotate->setChecked(controls <= 1);
    m_panZoom->setChecked(move == 2);
    m_tilt->setChecked(move == 5);
    m_scale->setChecked(move == 3);
    m_mugColour->setChecked(move == 20);
    if (controls <= 1) m_panZoom->setChecked(false);
    if (controls == 2) {
        m_panZoom->setChecked(true);
        m_rotate->setChecked(false);
    }
    if (move == 3) {
        m_rotate->setChecked(false);
        m_panZoom->setChecked(false);
    }
    if (move == 20) {
        m_rotate->setChecked(false);
        m_panZoom->setChecked(false);
        m_scale->setChecked(false);
    }
    if (move == 5) m_rotate->setChecked(false);
}

void CmyProperty1::refreshFromScene() {
    exchangeRadios();
    if (m_view.m_fMugTintMode >= 2)
        showValues(m_view.m_fMugRed, m_view.m_fMugGreen, m_view.m_fMugBlue);
    else if (m_view.m_fControlsMode == 2)
        showValues(m_view.m_fPosX, m_view.m_fPosY, m_view.m_fPosZ);
    else if (m_view.m_fControlsMode == 3)
        showValues(m_view.m_fSize[0], m_view.m_fSize[1], m_view.m_fSize[2]);
    else if (m_view.m_fControlsMode == 5) {
        setSliderQuietly(0, FloatToInt(m_view.m_fTilt));
        m_edits[0]->setText(QString::number(FloatToInt(m_view.m_fTilt)));
    } else
        showValues(m_view.m_fRotX, m_view.m_fRotY, m_view.m_fRotZ);
    setFrameCountDisplay(m_view.m_nFrameCount);
    m_strip->rebuildTicks();
    enableSliders(m_view.m_nSequenceStarted > 1);
}

void CmyProperty1::updateData() { exchangeRadios(); }

}  // namespace vm
