#pragma once
// CmyProperty1: the "Controls" page — package thumbnails, the movement
// sliders and edits, Show/Hide, the presets and the package keyframe strip.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QWidget>

#include "ui/keyframe_strip.h"
#include "ui/thumbs_list_ctrl.h"
#include "view/page_interfaces.h"

namespace vm {

class CGL2AviView;

class CmyProperty1 : public QWidget, public KeyframePage {
    Q_OBJECT
public:
    explicit CmyProperty1(CGL2AviView& view, QWidget* parent = nullptr);

    // The package check every command reaching the page runs first.
    void OnCmdMsg();

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

    // KeyframePage
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
    void refreshFromScene() override;
    void updateData() override;
    void mirrorMovement(int axis, int value) override;

    CThumbsListCtrl* thumbs() const { return m_thumbs; }
    QSlider* slider(int axis) const { return m_sliders[axis]; }
    QLineEdit* edit(int axis) const { return m_edits[axis]; }
    QRadioButton* rotateRadio() const { return m_rotate; }
    QRadioButton* panZoomRadio() const { return m_panZoom; }
    QRadioButton* scaleRadio() const { return m_scale; }
    QRadioButton* tiltRadio() const { return m_tilt; }
    QRadioButton* mugColourRadio() const { return m_mugColour; }
    QPushButton* showHideButton() const { return m_showHide; }
    QComboBox* presets() const { return m_presets; }
    KeyframeStrip* strip() const { return m_strip; }

private:
    void setRanges(int low, int high);
    void showValues(float a, float b, float c);
    void enableSliders(bool enabled);
    void setSliderQuietly(int axis, int value);
    void exchangeRadios();
    void fillPresets();
    void onClearAll();

    CGL2AviView& m_view;
    CThumbsListCtrl* m_thumbs;
    QRadioButton *m_rotate, *m_panZoom, *m_scale, *m_tilt, *m_mugColour;
    QSlider* m_sliders[3];
    QLineEdit* m_edits[3];
    QPushButton* m_showHide;
    QComboBox* m_presets;
    QPushButton* m_addPreset;
    KeyframeStrip* m_strip;
    bool m_quiet = false;  // set while the page moves its own controls
};

}  // namespace vm
