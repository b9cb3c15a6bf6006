// The Text page's controls and what they write into the scene.

#include <gtest/gtest.h>

#include <QTest>

#include "platform/scripted_platform.h"
#include "render/text_renderer.h"
#include "ui/my_text_page.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

// Counts how often a page hides and shows the sheet around its dialogs.
struct CountingDeck : ControlDeck {
    void showDeck() override { ++shown; }
    void hideDeck() override { ++hidden; }
    int shown = 0, hidden = 0;
};

struct TextPage : ::testing::Test {
    void SetUp() override {
        ApplyNewSceneValues(view->scene());
        view->scene().m_fTextOn = 0;
        view->pages().m_pControlDeck = &deck;
        page = std::make_unique<CmyTextPage>(*view);
        view->pages().m_pTextPage = page.get();
        page->show();
    }
    void TearDown() override {
        view->pages().m_pTextPage = nullptr;
        view->pages().m_pControlDeck = nullptr;
    }
    int builds() const { return view->glyphStore() ? view->glyphStore()->builds : 0; }
    void choose(int function) {
        page->functionList()->setCurrentIndex(function);
        page->OnSliderFunction(function);
    }

    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view = std::make_unique<CGL2AviView>(platform);
    CountingDeck deck;
    std::unique_ptr<CmyTextPage> page;
};

}  // namespace

TEST_F(TextPage, FirstOpeningSwitchesTheTextOnAndMakesTheTextTheMouseTarget) {
    EXPECT_EQ(view->scene().m_fTextOn, 2);
    EXPECT_EQ(view->scene().m_fTextOnCount, 1);
    EXPECT_EQ(view->scene().m_fTextPageSeen, 2);
    EXPECT_EQ(view->scene().m_fMouseTarget, 2);
    EXPECT_EQ(page->functionList()->count(), 13);
    EXPECT_EQ(page->styleList()->count(), 9);
    EXPECT_EQ(page->textEdit()->toPlainText(), QString("Vellumark"));

    // The count makes the first click switch the text off again.
    page->button(1002)->click();
    EXPECT_EQ(view->scene().m_fTextOn, 0);
    EXPECT_EQ(view->scene().m_fTextOnCount, 0);
    page->button(1002)->click();
    EXPECT_EQ(view->scene().m_fTextOn, 2);

    // A later page does not switch it on again.
    page->button(1002)->click();
    CmyTextPage second(*view);
    second.show();
    EXPECT_EQ(view->scene().m_fTextOn, 0);
}

TEST_F(TextPage, TypedLineBreaksAreStoredAsPairs) {
    page->textEdit()->setPlainText("First\nSecond");
    EXPECT_EQ(view->scene().m_strText, QString("First\r\nSecond"));
    page->textEdit()->setPlainText(QString::fromUtf8("Café Müller"));
    EXPECT_EQ(view->scene().m_strText, QString::fromUtf8("Café Müller"));
}

TEST_F(TextPage, StylesSetTheSurfaceAndWireFrameThenSolidRebuildsTwice) {
    for (int entry = 0; entry <= 4; ++entry) {
        page->OnStyle(entry);
        EXPECT_EQ(view->scene().m_fTextStyle, float(entry));
    }
    const int before = builds();
    page->OnStyle(5);
    EXPECT_EQ(view->scene().m_fTextWireframe, 2);
    EXPECT_TRUE(view->glyphStore()->lines);
    page->OnStyle(6);
    EXPECT_EQ(builds(), before + 2);
    EXPECT_EQ(view->scene().m_fTextWireframe, 0);
    EXPECT_FALSE(view->glyphStore()->lines);
    EXPECT_EQ(view->scene().m_fTextStyle, 4) << "WireFrame and Solid leave the style";

    page->OnStyle(7);
    EXPECT_EQ(view->scene().m_fTextShiny, 2);
    page->OnStyle(8);
    EXPECT_EQ(view->scene().m_fTextShiny, 0);
}

TEST_F(TextPage, SliderFunctionsStandWhereTheirEditsValuesAre) {
    view->scene().m_fTextRot[0] = 10;
    view->scene().m_fTextRot[1] = -20;
    view->scene().m_fTextRot[2] = 30;
    choose(0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(page->slider(i)->value(), page->edit(i)->text().toInt());
        EXPECT_EQ(page->slider(i)->minimum(), -360);
        EXPECT_EQ(page->slider(i)->maximum(), 360);
    }
    EXPECT_EQ(page->edit(1)->text(), QString("-20"));
    EXPECT_EQ(view->scene().m_fTextRot[1], -20) << "showing the values stores nothing";
    page->slider(0)->setValue(70);  // a drag
    EXPECT_EQ(view->scene().m_fTextRot[0], 70);
    EXPECT_EQ(page->edit(0)->text(), QString("70"));
    EXPECT_EQ(view->scene().m_fTextRot[1], -20);

    choose(7);
    EXPECT_EQ(page->slider(0)->maximum(), 2000);
    EXPECT_EQ(page->slider(2)->minimum(), -4000);
    EXPECT_EQ(page->edit(0)->text(), QString("255"));

    view->scene().m_fTextShadowOpacity = 120;
    choose(12);
    EXPECT_FALSE(page->slider(1)->isEnabled());
    EXPECT_FALSE(page->edit(2)->isEnabled());
    EXPECT_EQ(page->slider(0)->value(), 120) << "single-value functions show their value";
    page->edit(0)->setText("255");
    page->OnEdit(0);
    EXPECT_EQ(view->scene().m_fTextShadowOpacity, 255);
    EXPECT_EQ(page->slider(0)->value(), 255);
    choose(1);
    EXPECT_TRUE(page->slider(1)->isEnabled());
    EXPECT_EQ(page->slider(0)->minimum(), -2000);
    EXPECT_EQ(view->pages().m_pTextPage->sliderFunction(), 1) << "the mouse reads the function";
}

TEST_F(TextPage, BackgroundColourShowsStoredValuesFirstAndBytesAfterwards) {
    view->scene().m_fBackRGB[0] = 0.5f;
    view->scene().m_fBackRGB[1] = 0.25f;
    view->scene().m_fBackRGB[2] = 1;
    choose(3);
    EXPECT_EQ(page->edit(0)->text(), QString("0.5"));
    EXPECT_EQ(page->slider(0)->value(), 127) << "the slider stands at 255 times the colour";
    page->slider(1)->setValue(51);
    EXPECT_FLOAT_EQ(view->scene().m_fBackRGB[1], 0.2f);
    choose(0);
    choose(3);
    EXPECT_EQ(page->edit(0)->text(), QString("127.5"));
}

TEST_F(TextPage, FontAndColourDialogsChangeOnlyWhenAnswered) {
    const int before = builds();
    platform.queueFont(FontChoice{"DejaVu Serif", 700, true, 12});
    page->button(1001)->click();
    EXPECT_EQ(view->scene().m_strFontFace, QString("DejaVu Serif"));
    EXPECT_EQ(view->scene().m_nFontWeight, 700);
    EXPECT_EQ(view->scene().m_bFontItalic, 1);
    EXPECT_EQ(builds(), before + 1);
    // It opened at the face drawn for the scene's "Arial Black", not at a
    // family the dialog would substitute for a face that is not installed.
    const QStringList opened = platform.callsOf("chooseFont").front().args;
    EXPECT_NE(opened[0], "Arial Black");
    EXPECT_TRUE(opened[0] == "Lato" || opened[0] == "Liberation Sans") << opened[0].toStdString();
    EXPECT_GE(opened[1].toInt(), 700) << "a heavy face";
    platform.queueFont(std::nullopt);
    page->button(1001)->click();
    EXPECT_EQ(view->scene().m_strFontFace, QString("DejaVu Serif"));
    EXPECT_EQ(builds(), before + 2) << "a cancelled font dialog still rebuilds";
    // The dialogs open at the text's current font and colour.
    EXPECT_EQ(platform.callsOf("chooseFont").back().args, (QStringList{"DejaVu Serif", "700", "1"}));
    EXPECT_EQ(deck.hidden, 2);
    EXPECT_EQ(deck.shown, 2);

    platform.queueColour(qRgb(200, 40, 10));
    page->button(1003)->click();
    EXPECT_EQ(view->scene().m_fFontColour[0], 200);
    EXPECT_EQ(view->scene().m_fFontColour[1], 40);
    EXPECT_EQ(view->scene().m_fFontColour[2], 10);
    EXPECT_EQ(view->scene().m_rgbTextColour, 0x000A28C8u);
    view->scene().m_fFontColour[0] = view->scene().m_fFontColour[1] = view->scene().m_fFontColour[2] = 255;
    platform.queueColour(std::nullopt);
    page->button(1003)->click();
    EXPECT_EQ(view->scene().m_fFontColour[0], 255) << "Cancel keeps the text's colour";
    EXPECT_EQ(platform.callsOf("chooseColour").back().args, QStringList{"ffffffff"}) << "the colour drawn";
    EXPECT_EQ(view->scene().m_fFontColour[2], 255);
    EXPECT_EQ(deck.shown, 4);
}

TEST_F(TextPage, TextureLightsReflectionAndShadowControls) {
    page->button(1018)->click();
    EXPECT_EQ(view->scene().m_fPickTextTexture, 2);
    EXPECT_EQ(deck.hidden, 1) << "the frame that serves the pick shows the sheet again";

    page->lightsBox()->click();
    EXPECT_EQ(view->scene().m_fTextLights, 2);
    EXPECT_TRUE(page->lightsBox()->isChecked());
    page->lightsBox()->click();
    EXPECT_EQ(view->scene().m_fTextLights, 0);
    EXPECT_EQ(view->scene().m_fTextLightsCount, 0);
    EXPECT_FALSE(page->lightsBox()->isChecked());

    page->reflectionBox()->click();
    EXPECT_EQ(view->scene().m_fTextReflectionOn, 2);
    page->reflectionBox()->click();
    EXPECT_EQ(view->scene().m_fTextReflectionOn, 0);
    page->shadowBox()->click();
    EXPECT_EQ(view->scene().m_fTextShadowOn, 2);
    EXPECT_TRUE(page->shadowBox()->isChecked());

    // The data exchange checks the boxes of passes that are on.
    view->scene().m_fTextReflectionOn = 2;
    page->exchangeData();
    EXPECT_TRUE(page->reflectionBox()->isChecked());
    EXPECT_EQ(view->scene().m_fTextReflectionCount, 1);
}
