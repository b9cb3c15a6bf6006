#pragma once
// CmyProperty1: the "Controls" page — package thumbnails, the movement
// sliders and edits, Show/Hide, the presets and the package keyframe strip.

#include <QComboBox>
#include <QPushButton>

#include "ui/page_scaffold.h"
#include "ui/thumbs_list_ctrl.h"

namespace vm {

class CmyProperty1 : public DeckPage {
    Q_OBJECT
public:
    explicit CmyProperty1(CGL2AviView& view, QWidget* parent = nullptr);

    // The user picked a thumbnail: its package replaces the shown one.
    void OnThumbnailPicked(QListWidgetItem* item);
    // Selects the thumbnail of the package the scene shows (none when it is
    // not one of the list's), without applying anything.
    void selectShownPackage();

    void OnRotate();
    void OnPanZoom();
    void OnScale();
    void OnTilt();
    void OnMugColour();
    void OnMoveSlider();
    void OnMoveEdit(int axis);
    void OnShowHide();
    void OnPresetSelected(int index);
    void OnAddToPresets();
    // One full turn of the package over the frame count, keyed on the
    // package track; asks first when the track has keys.
    void OnTurntable();

    void refreshFromScene() override;
    void updateData() override;
    void mirrorMovement(int axis, int value) override;
    void enableMovementSliders() override;

    CThumbsListCtrl* thumbs() const { return m_thumbs; }
    QSlider* slider(int axis) const { return m_rows->slider(axis); }
    QLineEdit* edit(int axis) const { return m_rows->edit(axis); }
    SliderEditRows* rows() const { return m_rows; }
    QRadioButton* rotateRadio() const { return m_rotate; }
    QRadioButton* panZoomRadio() const { return m_panZoom; }
    QRadioButton* scaleRadio() const { return m_scale; }
    QRadioButton* tiltRadio() const { return m_tilt; }
    QRadioButton* mugColourRadio() const { return m_mugColour; }
    QPushButton* showHideButton() const { return m_showHide; }
    QPushButton* turntableButton() const { return m_turntable; }
    QComboBox* presets() const { return m_presets; }

private:
    // The controls of a movement mode: ranges, labels, enabled rows, values.
    void showMode();
    void enableSliders(bool enabled);
    void exchangeRadios();
    void fillPresets();
    void onClearAll();
    QString whySliderIsLocked(int axis) const;

    CThumbsListCtrl* m_thumbs;
    QRadioButton *m_rotate, *m_panZoom, *m_scale, *m_tilt, *m_mugColour;
    SliderEditRows* m_rows;
    QPushButton* m_showHide;
    QPushButton* m_turntable;
    QComboBox* m_presets;
    QPushButton* m_addPreset;
};

}  // namespace vm
