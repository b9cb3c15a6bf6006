#include "ui/my_text_page.h"

#include <QDoubleValidator>
#include <algorithm>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/float_to_int.h"
#include "platform/gl.h"
#include "platform/view_window.h"
#include "render/font_resolver.h"
#include "render/lighting.h"
#include "render/text_layout.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

constexpr int kBackgroundFunction = 3;
constexpr int kFirstSingleFunction = 9;  // 9..12 drive slider 1 only

struct Range {
    int low, high;
};

Range rangeOf(int function, int slider) {
    switch (function) {
        case 0: return {-360, 360};
        case 1: return {-2000, 2000};
        case 2:
        case 3: return {0, 255};
        case 4:
        case 5:
        case 6: return {-3600, 3600};
        case 7: return slider == 2 ? Range{-4000, 4000} : Range{-2000, 2000};
        case 8: return {-360, 360};
        default: return {0, 255};
    }
}

// Colour dialog answers are 0xAARRGGBB; the scene keeps 0x00BBGGRR.
ColourRef toColourRef(QRgb rgb) { return ColourRef(qRed(rgb)) | ColourRef(qGreen(rgb)) << 8 | ColourRef(qBlue(rgb)) << 16; }

}  // namespace

const QStringList& TextStyleNames() {
    static const QStringList names = {"Reflection Map", "Glass",     "Single Color",     "Textured (Object)",
                                      "Texture (Eye]",  "WireFrame", "Solid",            "Shiny Texture On",
                                      "Shiny Texture Off"};
    return names;
}

const QStringList& TextSliderFunctionNames() {
    static const QStringList names = {
        "Text Rotate  (Left Mouse Rotate X and Y, Right Mouse Rotate Z)",
        "Text Pan and Zoom (Left Mouse Pan X and Y, Right Mouse Zoom Z)",
        "Colour Font  (R G B)",
        "Colour Background  (R G B]",
        "Twist Text (X Y Z)",
        "Line Spacing",
        "Character Spacing (X Y Z)",
        "SpotLight Color (R G B)",
        "Scale Text (Left Mouse Scale X and Y, Right Mouse Scale Z)",
        "Fade Alpha",
        "Text Reflection",
        "Text Shadow",
        "Shadow Opacity"};
    return names;
}

CmyTextPage::CmyTextPage(CGL2AviView& view, QWidget* parent) : DeckPage(view, AnimSubject::Text, parent) {
    QGroupBox* controls = addControlsBox("Text Controls");
    auto* controlGrid = new QGridLayout(controls);
    m_onOff = new QPushButton("Text On/Off", controls);
    m_font = new QPushButton("Change Font", controls);
    m_texture = new QPushButton("Load Texture", controls);
    m_colour = new QPushButton("Font Color", controls);
    m_styles = new QComboBox(controls);
    m_styles->addItems(TextStyleNames());
    m_lights = new QCheckBox("Lights ON/OFF", controls);
    m_reflection = new QCheckBox("Enable/Disable Reflection", controls);
    m_shadow = new QCheckBox("Enable/Disable Shadow", controls);
    controlGrid->addWidget(m_onOff, 0, 0);
    controlGrid->addWidget(m_font, 0, 1);
    controlGrid->addWidget(m_texture, 0, 2);
    controlGrid->addWidget(m_colour, 0, 3);
    controlGrid->addWidget(m_styles, 1, 0, 1, 2);
    controlGrid->addWidget(m_lights, 1, 2, 1, 2);
    controlGrid->addWidget(m_reflection, 2, 0, 1, 2);
    controlGrid->addWidget(m_shadow, 2, 2, 1, 2);

    auto* settings = new QGroupBox("Text Settings", this);
    auto* settingsLayout = new QVBoxLayout(settings);
    m_functions = new QComboBox(settings);
    m_functions->addItems(TextSliderFunctionNames());
    settingsLayout->addWidget(m_functions);
    m_rows = new SliderEditRows({"X", "Y", "Z"}, settings);
    m_rows->setRanges(-360, 360);
    settingsLayout->addWidget(m_rows);
    pageLayout()->addWidget(settings);
    // Sliders report through the scaffold (which scrubs after them); the
    // edits take decimal numbers, so the page reads them itself.
    connectRows(m_rows, [this] { OnSliders(); }, [](int, int) {});
    for (int i = 0; i < 3; ++i) {
        m_rows->edit(i)->setValidator(new QDoubleValidator(-100000, 100000, 4, m_rows->edit(i)));
        connect(m_rows->edit(i), &QLineEdit::textEdited, this, [this, i] { OnEdit(i); });
    }
    const auto singleValue = [] { return QString("This function has one value: use the first slider."); };
    for (int i = 1; i < 3; ++i) {
        explainWhenDisabled(m_rows->slider(i), singleValue);
        explainWhenDisabled(m_rows->edit(i), singleValue);
    }

    auto* editBox = new QGroupBox("Edit Text", this);
    auto* editLayout = new QVBoxLayout(editBox);
    m_text = new QPlainTextEdit(editBox);
    m_text->setTabChangesFocus(true);
    m_text->setFixedHeight(64);
    m_text->setPlainText(TypedTextFromStored(view.scene().m_strText));
    editLayout->addWidget(m_text);
    pageLayout()->addWidget(editBox);

    addKeyframeStrip();

    connect(m_onOff, &QPushButton::clicked, this, &CmyTextPage::OnTextOnOff);
    connect(m_font, &QPushButton::clicked, this, &CmyTextPage::OnChangeFont);
    connect(m_texture, &QPushButton::clicked, this, &CmyTextPage::OnLoadTexture);
    connect(m_colour, &QPushButton::clicked, this, &CmyTextPage::OnFontColour);
    connect(m_styles, &QComboBox::activated, this, &CmyTextPage::OnStyle);
    connect(m_functions, &QComboBox::activated, this, &CmyTextPage::OnSliderFunction);
    connect(m_lights, &QCheckBox::clicked, this, &CmyTextPage::OnLights);
    connect(m_reflection, &QCheckBox::clicked, this, &CmyTextPage::OnReflection);
    connect(m_shadow, &QCheckBox::clicked, this, &CmyTextPage::OnShadow);
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_quiet) OnTextChanged();
    });
}

void CmyTextPage::showEvent(QShowEvent* event) {
    DeckPage::showEvent(event);
    if (!m_initialised) initialisePage();
    exchangeData();
}

void CmyTextPage::initialisePage() {
    m_initialised = true;
    // The first opening ever shows the text the page is about.
    if (m_view.scene().m_fTextPageSeen <= 1) {
        m_view.scene().m_fTextOn = 2;
        m_view.scene().m_fTextOnCount = 1;
    }
    m_view.scene().m_fTextPageSeen = 2;
    m_lights->setChecked(IsSet(m_view.scene().m_fTextLights));
    m_reflection->setChecked(IsSet(m_view.scene().m_fTextReflectionOn));
    m_function = 0;
    m_functions->setCurrentIndex(0);
    m_rows->setLabels({"X", "Y", "Z"});
    m_rows->setRanges(-360, 360);
    for (int i = 0; i < 3; ++i) {
        m_rows->setRowEnabled(i, true, true);
        moveSlider(i, FloatToInt(m_view.scene().m_fTextRot[i]));
        showEdit(i, m_view.scene().m_fTextRot[i]);
    }
    {
        const QSignalBlocker block(m_text);
        m_text->setPlainText(TypedTextFromStored(m_view.scene().m_strText));
    }
    setFrameCountDisplay(m_view.scene().m_nFrameCount);
    setTimelineRange(m_view.scene().m_nFrameCount);
    strip()->rebuildTicks();
}

void CmyTextPage::exchangeData() {
    m_view.scene().m_fMouseTarget = 2;
    if (IsSet(m_view.scene().m_fTextReflectionOn)) {
        m_reflection->setChecked(true);
        m_view.scene().m_fTextReflectionCount = 1;
    }
    if (IsSet(m_view.scene().m_fTextShadowOn)) {
        m_shadow->setChecked(true);
        m_view.scene().m_fTextShadowCount = 1;
    }
}

void CmyTextPage::refreshFromScene() {
    exchangeData();
    m_lights->setChecked(IsSet(m_view.scene().m_fTextLights));
    m_reflection->setChecked(IsSet(m_view.scene().m_fTextReflectionOn));
    m_shadow->setChecked(IsSet(m_view.scene().m_fTextShadowOn));
    showFunctionValues(m_function);
    if (TypedTextFromStored(m_view.scene().m_strText) != m_text->toPlainText()) {
        const QSignalBlocker block(m_text);
        m_text->setPlainText(TypedTextFromStored(m_view.scene().m_strText));
    }
    setFrameCountDisplay(m_view.scene().m_nFrameCount);
    strip()->rebuildTicks();
}

QPushButton* CmyTextPage::button(int id) const {
    switch (id) {
        case 1002: return m_onOff;
        case 1001: return m_font;
        case 1018: return m_texture;
        case 1003: return m_colour;
        default: return nullptr;
    }
}

bool CmyTextPage::makeViewCurrent() {
    ViewWindow* window = m_view.window();
    return window && window->makeCurrent();
}

void CmyTextPage::hideSheet() {
    if (m_view.pages().m_pControlDeck) m_view.pages().m_pControlDeck->hideDeck();
}

void CmyTextPage::showSheet() {
    if (m_view.pages().m_pControlDeck) m_view.pages().m_pControlDeck->showDeck();
}

void CmyTextPage::OnTextOnOff() {
    m_view.scene().m_fTextOnCount += 1;
    if (m_view.scene().m_fTextOnCount <= 1) {
        m_view.scene().m_fTextOn = 2;
    } else {
        m_view.scene().m_fTextOn = 0;
        m_view.scene().m_fTextOnCount = 0;
    }
    exchangeData();
}

void CmyTextPage::OnTextChanged() {
    // The edit gives a line break as a lone "\n"; the scene keeps CR LF.
    m_view.scene().m_strText = StoredTextFromTyped(m_text->toPlainText());
}

void CmyTextPage::OnChangeFont() {
    hideSheet();
    // The dialog opens at the face the text is drawn in: a scene's face that
    // is not installed ("Arial Black") would open at some other family, and
    // OK would then change the text's font.
    FontChoice initial;
    initial.face = m_view.scene().m_strFontFace;
    initial.weight = m_view.scene().m_nFontWeight >= 100 ? m_view.scene().m_nFontWeight : 400;
    initial.italic = m_view.scene().m_bFontItalic != 0;
    const ResolvedFont drawn = ResolveFont(m_view.scene().m_strFontFace, m_view.scene().m_nFontWeight, initial.italic);
    if (!drawn.family.isEmpty()) {
        initial.face = drawn.family;
        if (m_view.scene().m_nFontWeight < 100) initial.weight = WeightFromFontconfig(drawn.weight);
    }
    if (const std::optional<FontChoice> chosen = m_view.platform().chooseFont(initial)) {
        m_view.scene().m_strFontFace = chosen->face;
        m_view.scene().m_nFontWeight = chosen->weight;
        m_view.scene().m_bFontItalic = chosen->italic ? 1 : 0;
    }
    // A cancelled dialog rebuilds with the font as it was.
    makeViewCurrent();
    m_view.RebuildTextGlyphs();
    showSheet();
}

void CmyTextPage::OnLoadTexture() {
    hideSheet();
    m_view.scene().m_fPickTextTexture = 2;
}

void CmyTextPage::OnFontColour() {
    hideSheet();
    // Only a chosen colour changes the text; Cancel leaves it as it is. The
    // dialog opens at the colour the text is drawn in.
    const float* shown = m_view.scene().m_fFontColour;
    const QRgb current = qRgb(std::clamp(FloatToInt(shown[0]), 0, 255), std::clamp(FloatToInt(shown[1]), 0, 255),
                              std::clamp(FloatToInt(shown[2]), 0, 255));
    if (const std::optional<QRgb> chosen = m_view.platform().chooseColour(current)) {
        m_view.scene().m_rgbTextColour = toColourRef(*chosen);
        m_view.scene().m_fFontColour[0] = float(m_view.scene().m_rgbTextColour & 0xFF);
        m_view.scene().m_fFontColour[1] = float(m_view.scene().m_rgbTextColour >> 8 & 0xFF);
        m_view.scene().m_fFontColour[2] = float(m_view.scene().m_rgbTextColour >> 16 & 0xFF);
        if (m_view.window()) m_view.window()->invalidate();
        if (m_function == 2) showFunctionValues(m_function);
    }
    showSheet();
}

void CmyTextPage::OnStyle(int entry) {
    exchangeData();
    if (entry >= 0 && entry <= 4) {
        m_view.scene().m_fTextStyle = float(entry);
    } else if (entry == 5 || entry == 6) {
        m_view.scene().m_fTextWireframe = entry == 5 ? 2.0f : 0.0f;
        makeViewCurrent();
        m_view.RebuildTextGlyphs();
    } else if (entry == 7) {
        m_view.scene().m_fTextShiny = 2;
    } else if (entry == 8) {
        m_view.scene().m_fTextShiny = 0;
    }
}

void CmyTextPage::OnLights() {
    exchangeData();
    // Only the scene changes: the text sets up its own lights and colour
    // material while it is drawn. Switching them on the view's context here
    // left the package's light off and its material following the text's
    // colour (a lit navy book turned black).
    m_view.scene().m_fTextLightsCount += 1;
    if (m_view.scene().m_fTextLightsCount <= 1) {
        m_view.scene().m_fTextLights = 2;
    } else {
        m_view.scene().m_fTextLights = 0;
        m_view.scene().m_fTextLightsCount = 0;
    }
    m_lights->setChecked(IsSet(m_view.scene().m_fTextLights));
}

void CmyTextPage::OnReflection() {
    m_view.scene().m_fTextReflectionCount += 1;
    if (m_view.scene().m_fTextReflectionCount <= 1) {
        m_view.scene().m_fTextReflectionOn = 2;
    } else {
        m_view.scene().m_fTextReflectionOn = 0;
        m_view.scene().m_fTextReflectionCount = 0;
    }
    m_reflection->setChecked(IsSet(m_view.scene().m_fTextReflectionOn));
    m_view.scene().m_fMouseTarget = 2;
}

void CmyTextPage::OnShadow() {
    m_view.scene().m_fTextShadowCount += 1;
    if (m_view.scene().m_fTextShadowCount <= 1) {
        m_view.scene().m_fTextShadowOn = 2;
    } else {
        m_view.scene().m_fTextShadowOn = 0;
        m_view.scene().m_fTextShadowCount = 0;
    }
    m_shadow->setChecked(IsSet(m_view.scene().m_fTextShadowOn));
    m_view.scene().m_fMouseTarget = 2;
}

std::array<float*, 3> CmyTextPage::fields(int function) const {
    SceneState& s = m_view.scene();
    switch (function) {
        case 0: return {&s.m_fTextRot[0], &s.m_fTextRot[1], &s.m_fTextRot[2]};
        case 1: return {&s.m_fTextPos[0], &s.m_fTextPos[1], &s.m_fTextPos[2]};
        case 2: return {&s.m_fFontColour[0], &s.m_fFontColour[1], &s.m_fFontColour[2]};
        case 3: return {&s.m_fBackRGB[0], &s.m_fBackRGB[1], &s.m_fBackRGB[2]};
        case 4: return {&s.m_fTextTwist[0], &s.m_fTextTwist[1], &s.m_fTextTwist[2]};
        case 5: return {&s.m_fLineSpacing[0], &s.m_fLineSpacing[1], &s.m_fLineSpacing[2]};
        case 6: return {&s.m_fCharSpacing[0], &s.m_fCharSpacing[1], &s.m_fCharSpacing[2]};
        case 7: return {&s.m_fTextSpotColour[0], &s.m_fTextSpotColour[1], &s.m_fTextSpotColour[2]};
        case 8: return {&s.m_fTextScale[0], &s.m_fTextScale[1], &s.m_fTextScale[2]};
        case 9: return {&s.m_fTextFade, nullptr, nullptr};
        case 10: return {&s.m_fTextReflection, nullptr, nullptr};
        case 11: return {&s.m_fTextShadow, nullptr, nullptr};
        case 12: return {&s.m_fTextShadowOpacity, nullptr, nullptr};
        default: return {nullptr, nullptr, nullptr};
    }
}

void CmyTextPage::OnSliderFunction(int entry) {
    if (entry < 0 || entry >= TextSliderFunctionNames().size()) return;
    exchangeData();
    m_function = entry;
    const bool three = entry < kFirstSingleFunction;
    const bool colour = entry == 2 || entry == kBackgroundFunction || entry == 7;
    m_rows->setLabels(!three ? QStringList{"", "", ""} : colour ? QStringList{"R", "G", "B"} : QStringList{"X", "Y", "Z"});
    for (int i = 0; i < 3; ++i) {
        const Range r = rangeOf(entry, i);
        m_rows->setRange(i, r.low, r.high);
        if (i > 0) m_rows->setRowEnabled(i, three, three);
    }
    // The sliders stand where the edits' values are, so the first drag
    // moves on from the value shown instead of jumping to the slider's middle.
    showFunctionValues(entry);
    if (entry == kBackgroundFunction) m_view.scene().m_nBackSliders = 1;
}

void CmyTextPage::showFunctionValues(int function) {
    const std::array<float*, 3> f = fields(function);
    for (int i = 0; i < 3; ++i) {
        if (!f[size_t(i)]) {
            showEdit(i, 0);
            continue;
        }
        const float value = *f[size_t(i)];
        if (function == kBackgroundFunction) {
            moveSlider(i, FloatToInt(value * 255.0f));
            // Shown as stored the first time, in 0..255 from then on.
            showEdit(i, m_view.scene().m_nBackSliders == 0 ? value : value * 255.0f);
            continue;
        }
        moveSlider(i, FloatToInt(value));
        showEdit(i, value);
    }
}

void CmyTextPage::OnSliders() {
    m_view.scene().m_fMouseTarget = 2;
    const std::array<float*, 3> f = fields(m_function);
    for (int i = 0; i < 3; ++i) {
        const int position = m_rows->value(i);
        // Only the slider the user moved stores its position: the others may
        // still rest at 50 while their edits show the real values.
        if (position == m_placed[size_t(i)] || !f[size_t(i)]) continue;
        m_placed[size_t(i)] = position;
        *f[size_t(i)] = m_function == kBackgroundFunction ? float(position) / 255.0f : float(position);
        showEdit(i, float(position));
    }
}

void CmyTextPage::OnEdit(int slider) {
    bool ok = false;
    const float value = m_rows->edit(slider)->text().toFloat(&ok);
    if (!ok) return;  // not a number (yet): nothing changes
    float* field = fields(m_function)[size_t(slider)];
    if (!field) return;
    *field = m_function == kBackgroundFunction ? value / 255.0f : value;
    moveSlider(slider, FloatToInt(value));
}

void CmyTextPage::moveSlider(int i, int value) {
    m_rows->moveSlider(i, value);
    m_placed[size_t(i)] = m_rows->value(i);
}

void CmyTextPage::showEdit(int i, float value) { m_rows->edit(i)->setText(QString::number(double(value), 'g', 6)); }

void CmyTextPage::mirrorMovement(int axis, int value) {
    if (axis < 0 || axis > 2) return;
    moveSlider(axis, value);
    m_rows->edit(axis)->setText(QString::number(value));
}

void CmyTextPage::resetModeControls() {
    m_lights->setChecked(false);
    m_functions->setCurrentIndex(0);
    OnSliderFunction(0);
}

}  // namespace vm
