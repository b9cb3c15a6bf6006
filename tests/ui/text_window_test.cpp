// The Text page in the real program window (Xvfb): every control acts on the
// picture the view shows, dialogs answered by the scripted platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QDir>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "platform/scripted_platform.h"
#include "render/text_renderer.h"
#include "ui/my_sheet.h"
#include "ui/my_text_page.h"
#include "view/commands.h"
#include "view/gl2avi_view.h"
#include "view/package_choice.h"
#include "render/look.h"

using namespace vm;

namespace {

int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); y += 2)
        for (int x = 0; x < std::min(a.width(), b.width()); x += 2)
            if (qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 16) ++count;
    return count;
}

int countNear(const QImage& image, QColor colour, int tolerance) {
    int n = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor p = image.pixelColor(x, y);
            if (qAbs(p.red() - colour.red()) + qAbs(p.green() - colour.green()) + qAbs(p.blue() - colour.blue()) <=
                tolerance)
                ++n;
        }
    return n;
}

// Where $VELLUMARK_SAVE_FRAMES asks for it, keeps a picture to look at.
void keep(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("VELLUMARK_SAVE_FRAMES");
    if (!folder.isEmpty()) image.save(QDir(folder).filePath(name + ".png"));
}

class TextWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(qGuiApp->platformName(), "xcb") << "run under xvfb-run";
        platform.queueQuestion(QuestionAnswer{MessageResult::No, true});  // no new sequence, do not ask again
        view = std::make_unique<CGL2AviView>(platform);
        frame = std::make_unique<CMainFrame>(*view, platform);
        frame->onControlDeck = [this] { OnControlDeck(*view, {}); };
        QSignalSpy created(frame->viewWidget(), &GLViewWidget::contextCreated);
        frame->resize(800, 600);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        if (created.isEmpty()) {
            ASSERT_TRUE(created.wait(5000));
        }
        ASSERT_TRUE(created.first().first().toBool());
        // The New scene, with the package out of the way of the text.
        frame->action(cmd::FileNew)->trigger();
        view->scene().m_fPackageFamily = 20;
        auto* deckButton =
            frame->toolBar()->findChild<QToolButton*>(QString("ToolButton%1").arg(cmd::ControlDeck));
        ASSERT_NE(deckButton, nullptr);
        QTest::mouseClick(deckButton, Qt::LeftButton);
        ASSERT_NE(view->pages().m_pControlDeck, nullptr);
        sheet = static_cast<CMySheet*>(view->pages().m_pControlDeck);
        page = sheet->findChild<CmyTextPage*>();
        ASSERT_NE(page, nullptr);
        auto* tabs = sheet->findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
        tabs->setCurrentWidget(page);
        ASSERT_EQ(tabs->tabText(tabs->currentIndex()), QString("Text"));
    }
    void TearDown() override {
        if (view && view->pages().m_pControlDeck) delete static_cast<CMySheet*>(view->pages().m_pControlDeck);
        frame.reset();
        view.reset();
    }
    QImage picture() {
        QTest::qWait(120);
        return frame->viewWidget()->grabFramebuffer();
    }

    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view;
    std::unique_ptr<CMainFrame> frame;
    CMySheet* sheet = nullptr;
    CmyTextPage* page = nullptr;
};

}  // namespace

TEST_F(TextWindow, TheTextPageDrivesTheTextInTheView) {
    EXPECT_EQ(view->scene().m_strText, QString("Vellumark"));
    EXPECT_EQ(view->scene().m_fMouseTarget, 2);
    const QImage on = picture();
    keep(on, "window-text-default");
    keep(sheet->grab().toImage(), "window-text-page");
    page->button(1002)->click();  // Text On/Off: off
    const QImage off = picture();
    EXPECT_GT(differingPixels(on, off), 300);
    page->button(1002)->click();

    // Typed text with a line break, twisted and spaced, in one colour.
    page->textEdit()->setPlainText(QString::fromUtf8("Café\nMüller"));
    EXPECT_EQ(view->scene().m_strText, QString::fromUtf8("Café\r\nMüller"));
    page->styleList()->setCurrentIndex(2);
    page->OnStyle(2);
    platform.queueColour(qRgb(200, 20, 20));
    page->button(1003)->click();
    EXPECT_TRUE(sheet->isVisible()) << "the sheet is back after the colour dialog";
    const QImage red = picture();
    keep(red, "window-text-cafe");
    EXPECT_GT(countNear(red, QColor(200, 20, 20), 60), 200);

    page->functionList()->setCurrentIndex(4);
    page->OnSliderFunction(4);
    page->slider(1)->setValue(120);
    page->functionList()->setCurrentIndex(6);
    page->OnSliderFunction(6);
    page->slider(0)->setValue(40);
    const QImage twisted = picture();
    keep(twisted, "window-text-twist");
    EXPECT_GT(differingPixels(red, twisted), 300);

    // Reflection and shadow check boxes add their passes.
    page->reflectionBox()->click();
    page->shadowBox()->click();
    page->functionList()->setCurrentIndex(0);
    page->OnSliderFunction(0);
    page->slider(0)->setValue(30);
    const QImage decorated = picture();
    keep(decorated, "window-text-mirror-shadow");
    EXPECT_GT(differingPixels(twisted, decorated), 300);

    // With the Text page the mouse target, a left drag turns the text and
    // the page's rows follow.
    GLViewWidget* widget = frame->viewWidget();
    const QPoint centre = widget->rect().center();
    const float turnX = view->scene().m_fTextRot[0], turnY = view->scene().m_fTextRot[1];
    QTest::mousePress(widget, Qt::LeftButton, {}, centre);
    for (int step = 1; step <= 5; ++step) {
        QMouseEvent move(QEvent::MouseMove, centre + QPoint(6 * step, 4 * step), widget->mapToGlobal(centre),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    QTest::mouseRelease(widget, Qt::LeftButton, {}, centre + QPoint(30, 20));
    EXPECT_NE(view->scene().m_fTextRot[1], turnY);
    EXPECT_NE(view->scene().m_fTextRot[0], turnX);
    EXPECT_EQ(page->edit(1)->text(), QString::number(int(view->scene().m_fTextRot[1])));
}

TEST_F(TextWindow, FontWireFrameAndTextureCommandsWorkInTheWindow) {
    const int builds = view->glyphStore()->builds;
    platform.queueFont(FontChoice{"DejaVu Serif", 400, true, 12});
    page->button(1001)->click();
    EXPECT_EQ(view->glyphStore()->builds, builds + 1);
    EXPECT_EQ(view->glyphStore()->context, frame->viewWidget()->nativeContext()) << "built in the view's context";
    const QImage serif = picture();
    keep(serif, "window-text-serif");

    page->OnStyle(5);
    const QImage wire = picture();
    keep(wire, "window-text-wireframe");
    EXPECT_TRUE(view->glyphStore()->lines);
    EXPECT_GT(differingPixels(serif, wire), 300);
    page->OnStyle(6);
    EXPECT_FALSE(view->glyphStore()->lines);

    // Load Texture: the next frame asks for the file and loads it.
    QTemporaryDir dir;
    QImage stripes(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) stripes.setPixel(x, y, (x / 8) % 2 ? qRgb(0, 160, 0) : qRgb(250, 250, 0));
    const QString path = dir.filePath("stripes.png");
    ASSERT_TRUE(stripes.save(path));
    const unsigned int before = view->resources().m_texText;
    platform.queueOpenFileName(path);
    QTest::mouseClick(page->button(1018), Qt::LeftButton);  // the input asks for the frame that serves the pick
    EXPECT_FALSE(sheet->isVisible());
    page->OnStyle(3);
    picture();  // the frame that serves the pick draws the text before it
    const QImage textured = picture();
    keep(textured, "window-text-textured");
    EXPECT_NE(view->resources().m_texText, before);
    EXPECT_EQ(view->scene().m_strTextTexturePath, path);
    EXPECT_TRUE(sheet->isVisible());
    ASSERT_FALSE(platform.callsOf("openFileName").empty());
    EXPECT_EQ(platform.callsOf("openFileName").back().args.value(0), QString("Select Text Texture"));
    EXPECT_GT(countNear(textured, QColor(0, 160, 0), 90), 100);
}


// What the Text page sets (a colour, its lights on and off again) never
// changes the colours of the package drawn beside the text.
TEST_F(TextWindow, TheTextsColourAndLightsLeaveTheLitBookAlone) {
    for (const Look look : {Look::Classic, Look::Studio}) {
        SCOPED_TRACE(look == Look::Studio ? "studio" : "classic");
        view->SetLook(look);
        frame->action(cmd::FileNew)->trigger();
        WritePackageValues(view->scene(), PackageIndex("Book.jpg"));
        view->scene().m_fNormalLight = 2;  // the book under the normal light
        view->scene().m_fTextOn = 0;
        picture();  // its images load
        const QImage before = picture();
        keep(before, "window-lit-book");
        page->lightsBox()->click();
        page->lightsBox()->click();
        platform.queueColour(qRgb(250, 230, 0));
        page->button(1003)->click();
        view->scene().m_fTextOn = 2;
        picture();
        view->scene().m_fTextOn = 0;
        const QImage after = picture();
        keep(after, "window-lit-book-after-text");
        EXPECT_EQ(differingPixels(before, after), 0);
    }
}
