#pragma once
// CmyTextPage: the "Text" page — the text itself, its font, colour, style and
// texture, the thirteen slider functions, the mirrored copy and the shadow,
// and the text keyframe strip.

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/page_scaffold.h"

class QShowEvent;

namespace vm {

// The entries of the style list, in order.
const QStringList& TextStyleNames();
// The entries of the slider-function list, in order.
const QStringList& TextSliderFunctionNames();

class CmyTextPage : public DeckPage {
    Q_OBJECT
public:
    explicit CmyTextPage(CGL2AviView& view, QWidget* parent = nullptr);

    void OnTextOnOff();
    void OnChangeFont();
    void OnLoadTexture();
    void OnFontColour();
    void OnStyle(int entry);
    void OnSliderFunction(int entry);
    void OnSliders();
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

    void refreshFromScene() override;
    void updateData() override { exchangeData(); }
    void mirrorMovement(int axis, int value) override;
    int sliderFunction() const override { return m_function; }
    void resetModeControls() override;

    QPlainTextEdit* textEdit() const { return m_text; }
    QPushButton* button(int id) const;  // 1002, 1001, 1018, 1003
    QComboBox* styleList() const { return m_styles; }
    QComboBox* functionList() const { return m_functions; }
    QSlider* slider(int i) const { return m_rows->slider(i); }
    QLineEdit* edit(int i) const { return m_rows->edit(i); }
    SliderEditRows* rows() const { return m_rows; }
    QCheckBox* lightsBox() const { return m_lights; }
    QCheckBox* reflectionBox() const { return m_reflection; }
    QCheckBox* shadowBox() const { return m_shadow; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The scene fields behind sliders 1..3 of a function; null where the
    // function has no such slider.
    std::array<float*, 3> fields(int function) const;
    void showFunctionValues(int function);
    void moveSlider(int i, int value);
    void showEdit(int i, float value);
    bool makeViewCurrent();
    void hideSheet();
    void showSheet();

    QPlainTextEdit* m_text;
    QPushButton *m_onOff, *m_font, *m_texture, *m_colour;
    QComboBox* m_styles;
    QComboBox* m_functions;
    SliderEditRows* m_rows;
    QCheckBox *m_lights, *m_reflection, *m_shadow;
    // Where the page last put each slider: a slider elsewhere was moved by the user.
    std::array<int, 3> m_placed{};
    int m_function = 0;
    bool m_quiet = false;
    bool m_initialised = false;
};

}  // namespace vm
