#pragma once
// CmyTextPage: the "Text" page — the text itself, its font, colour, style and
// texture, the thirteen slider functions, the mirrored copy and the shadow,
// and the text keyframe strip.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

#include "ui/keyframe_strip.h"
#include "view/page_interfaces.h"

namespace vm {

class CGL2AviView;

// The entries of the style list, in order.
const QStringList& TextStyleNames();
// The entries of the slider-function list, in order.
const QStringList& TextSliderFunctionNames();

class CmyTextPage : public QWidget, public KeyframePage {
    Q_OBJECT
public:
    explicit CmyTextPage(CGL2AviView& view, QWidget* parent = nullptr);

    void OnTextOnOff();
    void OnChangeFont();
    void OnLoadTexture();
    void OnFontColour();
    void OnStyle(int entry);
    void OnSliderFunction(int entry);
    void OnSlider(int slider);
    void OnEdit(int slider);
    void OnLights();
    void OnReflection();
    void OnShadow();
    void OnTextChanged();

    // Runs once, when the page is first shown, as a page's initialisation.
    void initialisePage();
    // Moves the scene's state into the check boxes and marks the page as the
    // target of mouse drags.
    void exchangeData();

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
    void updateData() override { exchangeData(); }
    void mirrorMovement(int axis, int value) override;
    int sliderFunction() const override { return m_function; }
    void resetModeControls() override;

    QPlainTextEdit* textEdit() const { return m_text; }
    QPushButton* button(int id) const;  // 1002, 1001, 1018, 1003
    QComboBox* styleList() const { return m_styles; }
    QComboBox* functionList() const { return m_functions; }
    QSlider* slider(int i) const { return m_sliders[i]; }
    QLineEdit* edit(int i) const { return m_edits[i]; }
    QCheckBox* lightsBox() const { return m_lights; }
    QCheckBox* reflectionBox() const { return m_reflection; }
    QCheckBox* shadowBox() const { return m_shadow; }
    KeyframeStrip* strip() const { return m_strip; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The scene fields behind sliders 1..3 of a function; null where the
    // function has no such slider.
    std::array<float*, 3> fields(int function) const;
    void showFunctionValues(int function, bool sliderToFifty);
    void setSliderQuietly(int i, int value);
    void setEditQuietly(int i, float value);
    bool makeViewCurrent();
    void hideSheet();
    void showSheet();

    CGL2AviView& m_view;
    QPlainTextEdit* m_text;
    QPushButton *m_onOff, *m_font, *m_texture, *m_colour;
    QComboBox* m_styles;
    QComboBox* m_functions;
    QSlider* m_sliders[3];
    QLineEdit* m_edits[3];
    QCheckBox *m_lights, *m_reflection, *m_shadow;
    KeyframeStrip* m_strip;
    int m_function = 0;
    bool m_quiet = false;
    bool m_initialised = false;
};

}  // namespace vm
