#pragma once
// CPictureRost: the "Background Picture" page — the picture's mode, its
// rotation, position and scale, showing, spot lighting, loading another
// image, and the picture keyframe strip.

#include <QCheckBox>
#include <QPushButton>

#include "ui/page_scaffold.h"

class QShowEvent;

namespace vm {

class CPictureRost : public DeckPage {
    Q_OBJECT
public:
    explicit CPictureRost(CGL2AviView& view, QWidget* parent = nullptr);

    // The page's first showing: the picture appears and drags move it.
    void OnInitDialog();
    void OnRotate();
    void OnPanZoom();
    void OnScale();
    void OnSpotLight();
    void OnLoadPicture();
    void OnShowHide();
    void OnSlider();
    void OnEdit(int axis, int value);

    void refreshFromScene() override;
    void updateData() override;
    void mirrorMovement(int axis, int value) override;

    QRadioButton* rotateRadio() const { return m_rotate; }
    QRadioButton* panZoomRadio() const { return m_panZoom; }
    QRadioButton* scaleRadio() const { return m_scale; }
    QCheckBox* spotCheck() const { return m_spot; }
    QPushButton* loadButton() const { return m_load; }
    QPushButton* showHideButton() const { return m_showHide; }
    SliderEditRows* rows() const { return m_rows; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The three values the sliders move in the current mode.
    float* modeValues() const;
    void setMode(float mode);
    void showMarks();

    QRadioButton *m_rotate, *m_panZoom, *m_scale;
    QCheckBox* m_spot;
    QPushButton *m_load, *m_showHide;
    SliderEditRows* m_rows;
    bool m_initialised = false;
};

}  // namespace vm
