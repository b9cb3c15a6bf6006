#include "ui/my_property1.h"

#include <QDir>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "anim/turntable.h"
#include "assets/program_folder.h"
#include "files/presets.h"
#include "view/scene_file_commands.h"
#include "platform/float_to_int.h"
#include "view/gl2avi_view.h"
#include "view/package_choice.h"

namespace vm {

namespace {

// The size marker the size and mug-colour values of the package's keys play
// with (the scene files of older versions animated neither).
void MarkSizeAnimated(CGL2AviView& view) {
    const QString sizeCode(QChar(char16_t(3)));
    if (QString::compare(view.scene().m_strSizeMarker, sizeCode) < 0) view.scene().m_strSizeMarker = sizeCode;
}

}  // namespace

CmyProperty1::CmyProperty1(CGL2AviView& view, QWidget* parent) : DeckPage(view, AnimSubject::Model, parent) {
    auto* top = new QHBoxLayout;
    pageLayout()->addLayout(top, 1);

    auto* packageBox = new QGroupBox("Select Your Package....", this);
    auto* packageLayout = new QVBoxLayout(packageBox);
    m_thumbs = new CThumbsListCtrl(packageBox);
    m_thumbs->setObjectName("thumbs");
    m_thumbs->setMinimumSize(420, 180);
    packageLayout->addWidget(m_thumbs);
    top->addWidget(packageBox, 3);

    auto* moveBox = new QGroupBox("Movement Controls", this);
    auto* moveLayout = new QVBoxLayout(moveBox);
    auto* modes = new ModeRadios(moveBox);
    m_rotate = modes->add("Rotate", [this] { OnRotate(); });
    m_panZoom = modes->add("Pan and Zoom", [this] { OnPanZoom(); });
    m_scale = modes->add("Scale", [this] { OnScale(); });
    m_tilt = modes->add("Tilt", [this] { OnTilt(); });
    m_mugColour = modes->add("Mug Color", [this] { OnMugColour(); });
    moveLayout->addWidget(modes);
    m_rows = new SliderEditRows({"X", "Y", "Z"}, moveBox);
    moveLayout->addWidget(m_rows);
    connectRows(m_rows, [this] { OnMoveSlider(); }, [this](int axis, int) { OnMoveEdit(axis); });
    for (int axis = 0; axis < 3; ++axis) {
        explainWhenDisabled(m_rows->slider(axis), [this, axis] { return whySliderIsLocked(axis); });
        explainWhenDisabled(m_rows->edit(axis), [this, axis] { return whySliderIsLocked(axis); });
    }

    m_showHide = new QPushButton("Show/Hide", moveBox);
    m_turntable = new QPushButton("Turntable", moveBox);
    m_turntable->setObjectName("Turntable");
    m_turntable->setToolTip("Key one full turn of the package over the frame count, ready to export");
    m_presets = new QComboBox(moveBox);
    m_addPreset = new QPushButton("Add to Presets", moveBox);
    auto* row = new QHBoxLayout;
    row->addWidget(m_showHide);
    row->addWidget(m_turntable);
    row->addStretch();
    row->addWidget(m_presets, 1);
    row->addWidget(m_addPreset);
    moveLayout->addLayout(row);
    moveLayout->addStretch();  // the controls stay together at the top
    top->addWidget(moveBox, 2);

    addKeyframeStrip();

    // Initialisation.
    m_mugColour->setVisible(view.scene().m_fPackageFamily == 2);
    fillPresets();
    // The sliders show the values of the current mode, so that the first
    // scroll does not carry another mode's numbers into the scene.
    showMode();
    m_thumbs->setExtension("jpg");
    SetProgramFolderCurrent();
    m_thumbs->LoadFolder(QDir(ProgramFolder()).filePath("Thumbs"));
    selectShownPackage();
    exchangeRadios();

    connect(m_showHide, &QPushButton::clicked, this, [this] { OnShowHide(); });
    connect(m_presets, &QComboBox::activated, this, [this](int index) { OnPresetSelected(index); });
    connect(m_addPreset, &QPushButton::clicked, this, [this] { OnAddToPresets(); });
    connect(m_turntable, &QPushButton::clicked, this, [this] { OnTurntable(); });
    // A package is applied only when the user picks its thumbnail; the list
    // follows the scene silently, so no other command can replace the user's
    // package and images.
    connect(m_thumbs, &CThumbsListCtrl::picked, this, &CmyProperty1::OnThumbnailPicked);
    connect(strip(), &KeyframeStrip::cleared, this, [this] { onClearAll(); });
}

void CmyProperty1::OnTurntable() {
    if (m_view.scene().m_nPackageKeys > 0 &&
        m_view.platform().messageBox("The package already has keys. Replace them with one full turn?",
                                     "Turntable", MessageButtons::YesNo,
                                     MessageIcon::Question) != MessageResult::Yes)
        return;
    KeyTurntable(m_view.scene(), m_view.pages(), m_view.scene().m_nFrameCount);
    enableMovementSliders();
    refreshFromScene();
}

void CmyProperty1::OnThumbnailPicked(QListWidgetItem* item) {
    if (!item || !ChoosePackage(m_view.scene(), item->text())) return;
    m_view.OnPackageChosen();
    if (m_view.scene().m_fPackageFamily == 2) m_mugColour->setVisible(true);
    if (m_view.window()) m_view.window()->invalidate();
}

void CmyProperty1::selectShownPackage() {
    const int shown = ShownPackageIndex(m_view.scene());
    QListWidgetItem* item = nullptr;
    if (shown >= 0) {
        const auto items = m_thumbs->findItems(PackageThumbnailNames().at(shown), Qt::MatchExactly);
        if (!items.isEmpty()) item = items.first();
    }
    if (item == m_thumbs->currentItem() && (!item || item->isSelected())) return;
    const QSignalBlocker quiet(m_thumbs);
    m_thumbs->setCurrentItem(item);
    if (!item) m_thumbs->clearSelection();
    m_thumbs->viewport()->update();
}

QString CmyProperty1::whySliderIsLocked(int axis) const {
    if (m_view.scene().m_nSequenceStarted <= 1)
        return "The movement sliders start working once a sequence has begun: press \"+ Add Key\", "
               "or choose File > New.";
    if (m_view.scene().m_fMoveMode == 5 && axis > 0) return "Tilt has one value: use the first slider.";
    return {};
}

void CmyProperty1::enableSliders(bool enabled) { m_rows->setSlidersEnabled(enabled); }

void CmyProperty1::enableMovementSliders() {
    m_view.scene().m_nSequenceStarted = 2;  // "+ Add Key" starts the sequence
    showMode();
}

void CmyProperty1::showMode() {
    const CGL2AviView& v = m_view;
    const bool started = v.scene().m_nSequenceStarted > 1;
    for (int axis = 0; axis < 3; ++axis) m_rows->setRowEnabled(axis, started, true);
    if (v.scene().m_fMugTintMode >= 2) {
        m_rows->setLabels({"Red", "Green", "Blue"});
        m_rows->setRanges(0, 255);
        m_rows->show(v.scene().m_fMugRed, v.scene().m_fMugGreen, v.scene().m_fMugBlue);
    } else if (v.scene().m_fControlsMode == 2) {
        m_rows->setLabels({"X", "Y", "Z"});
        m_rows->setRanges(-2000, 2000);
        m_rows->show(v.scene().m_fPosX, v.scene().m_fPosY, v.scene().m_fPosZ);
    } else if (v.scene().m_fControlsMode == 3) {
        m_rows->setLabels({"X", "Y", "Z"});
        m_rows->setRanges(-360, 360);
        m_rows->show(v.scene().m_fSize[0], v.scene().m_fSize[1], v.scene().m_fSize[2]);
    } else if (v.scene().m_fControlsMode == 5) {
        m_rows->setLabels({"Tilt", "", ""});
        m_rows->setRanges(-360, 360);
        m_rows->setRange(0, -90, 0);
        m_rows->show(0, v.scene().m_fTilt);
        for (int axis = 1; axis < 3; ++axis) m_rows->setRowEnabled(axis, false, false);
    } else {
        m_rows->setLabels({"X", "Y", "Z"});
        m_rows->setRanges(-360, 360);
        m_rows->show(v.scene().m_fRotX, v.scene().m_fRotY, v.scene().m_fRotZ);
    }
}

void CmyProperty1::OnRotate() {
    m_view.scene().m_fMoveMode = 0;
    m_view.scene().m_fControlsMode = 0;
    m_view.scene().m_fMugTintMode = 0;
    showMode();
    exchangeRadios();
}

void CmyProperty1::OnPanZoom() {
    m_view.scene().m_fMoveMode = 2;
    m_view.scene().m_fControlsMode = 2;
    m_view.scene().m_fMugTintMode = 0;
    showMode();
    exchangeRadios();
}

void CmyProperty1::OnScale() {
    m_view.scene().m_fMoveMode = 3;
    m_view.scene().m_fControlsMode = 3;
    m_view.scene().m_fMugTintMode = 0;
    m_view.scene().m_fLighting = 0;
    MarkSizeAnimated(m_view);
    showMode();
    exchangeRadios();
}

void CmyProperty1::OnTilt() {
    if (m_view.scene().m_fBookKind > 8 && m_view.scene().m_fPackageFamily == 0) {  // e-zines cannot tilt
        explain("The e-zine cannot be tilted.");
        exchangeRadios();
        return;
    }
    m_view.scene().m_fMoveMode = 5;
    m_view.scene().m_fControlsMode = 5;
    m_view.scene().m_fMugTintMode = 0;
    m_view.scene().m_fLighting = 0;
    const float family = m_view.scene().m_fPackageFamily;
    const bool tilts = family == 0 || (family == 4 && m_view.scene().m_fBoxModel <= 1);
    if (!tilts) explain("This package does not tilt: Tilt acts on the boxes, cases and books.");
    showMode();
    exchangeRadios();
}

void CmyProperty1::OnMugColour() {
    m_view.scene().m_fMoveMode = 20;
    m_view.scene().m_fMugTintMode = 2;
    // Mug colour keys play like size keys.
    MarkSizeAnimated(m_view);
    if (m_view.scene().m_fPackageFamily != 2)
        explain("Mug Color tints the coffee mug: choose the mug package to see the colour.");
    showMode();
    exchangeRadios();
}

void CmyProperty1::OnMoveSlider() {
    if (m_view.scene().m_nSequenceStarted <= 1) enableSliders(false);
    const float a = float(m_rows->value(0)), b = float(m_rows->value(1)), c = float(m_rows->value(2));
    if (m_view.scene().m_fMugTintMode >= 2) {
        m_view.scene().m_fMugRed = a;
        m_view.scene().m_fMugGreen = b;
        m_view.scene().m_fMugBlue = c;
    } else if (m_view.scene().m_fControlsMode <= 1) {
        m_view.scene().m_fRotX = a;
        m_view.scene().m_fRotY = b;
        m_view.scene().m_fRotZ = c;
    } else if (m_view.scene().m_fControlsMode == 2) {
        m_view.scene().m_fPosX = a;
        m_view.scene().m_fPosY = b;
        m_view.scene().m_fPosZ = c;
    } else if (m_view.scene().m_fControlsMode == 3) {
        m_view.scene().m_fSize[0] = a;
        m_view.scene().m_fSize[1] = b;
        m_view.scene().m_fSize[2] = c;
    } else if (m_view.scene().m_fControlsMode == 5) {
        m_view.scene().m_fTilt = a;
    }
    for (int axis = 0; axis < 3; ++axis) m_rows->edit(axis)->setText(QString::number(m_rows->value(axis)));
}

void CmyProperty1::OnMoveEdit(int axis) {
    bool ok = false;
    const int value = m_rows->edit(axis)->text().toInt(&ok);
    if (!ok) return;  // not an integer (yet): the scene keeps its value
    const float v = float(value);
    if (m_view.scene().m_fMugTintMode >= 2) {
        float* colour[3] = {&m_view.scene().m_fMugRed, &m_view.scene().m_fMugGreen,
                            &m_view.scene().m_fMugBlue};
        *colour[axis] = v;
    } else if (m_view.scene().m_fMoveMode <= 1) {
        float* rot[3] = {&m_view.scene().m_fRotX, &m_view.scene().m_fRotY, &m_view.scene().m_fRotZ};
        *rot[axis] = v;
    } else if (m_view.scene().m_fMoveMode == 2) {
        float* pos[3] = {&m_view.scene().m_fPosX, &m_view.scene().m_fPosY, &m_view.scene().m_fPosZ};
        *pos[axis] = v;
    } else if (m_view.scene().m_fMoveMode == 3) {
        m_view.scene().m_fSize[axis] = v;
    } else if (m_view.scene().m_fMoveMode == 5) {
        if (axis != 0) return;
        m_view.scene().m_fTilt = v;
    }
    m_rows->moveSlider(axis, value);
}

void CmyProperty1::mirrorMovement(int axis, int value) {
    if (axis < 0 || axis > 2) return;
    m_rows->show(axis, float(value));
}

void CmyProperty1::OnShowHide() {
    m_view.scene().m_fHideCount += 1;
    if (m_view.scene().m_fHideCount <= 1) {
        m_view.scene().m_fHiddenFamily = m_view.scene().m_fPackageFamily;
        m_view.scene().m_fPackageFamily = 20;
    } else {
        m_view.scene().m_fPackageFamily = m_view.scene().m_fHiddenFamily;
        m_view.scene().m_fHideCount = 0;
    }
}

void CmyProperty1::fillPresets() {
    m_presets->clear();
    m_presets->addItems(PresetListEntries(m_view.scene()));
    if (m_presets->count() == 0) m_presets->addItem("Nothing Selected");
    // The stored current preset is shown selected (the start preset at first).
    const QSignalBlocker quiet(m_presets);
    m_presets->setCurrentIndex(std::clamp(m_view.scene().m_nPresetIndex, 0, int(m_presets->count()) - 1));
}

void CmyProperty1::OnPresetSelected(int index) {
    if (index <= 0) {
        explain("The first entry is no preset: choose one of the names below it.");
        return;
    }
    LoadPreset(m_view, index);
    refreshFromScene();
}

void CmyProperty1::OnAddToPresets() {
    if (m_view.pages().m_pControlDeck) m_view.pages().m_pControlDeck->hideDeck();
    const bool added = AddToPresets(m_view);
    if (m_view.pages().m_pControlDeck) m_view.pages().m_pControlDeck->showDeck();
    if (added) fillPresets();
}

void CmyProperty1::onClearAll() {
    m_view.scene().m_nFrameCount = 300;
    m_view.scene().m_nSequenceStarted = 2;
    m_view.scene().m_fMoveMode = 0;
    m_view.scene().m_fControlsMode = 0;
    m_view.scene().m_fMugTintMode = 0;
    m_view.scene().m_fLighting = 0;
    strip()->frameCount()->setValue(300);
    showMode();
    exchangeRadios();
}

void CmyProperty1::exchangeRadios() {
    m_view.scene().m_fMouseTarget = 0;
    const float controls = m_view.scene().m_fControlsMode, move = m_view.scene().m_fMoveMode;
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
    selectShownPackage();
    exchangeRadios();
    showMode();
    setFrameCountDisplay(m_view.scene().m_nFrameCount);
    strip()->rebuildTicks();
}

void CmyProperty1::updateData() { exchangeRadios(); }

}  // namespace vm
