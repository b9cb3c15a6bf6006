// The illustrations on the right of each Control Deck page: a small scene
// that says what the page acts on, under the page's name.

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <functional>

#include "art_kit.h"
#include "assetgen.h"

namespace assetgen {

using namespace art;

namespace {

const int kWidth = 200, kHeight = 240;

void Package(QPainter& p, QRectF front, QColor colour) {
    const QPointF d(26, -18);
    p.setPen(QPen(kInk, 1));
    p.setBrush(colour.darker(160));
    p.drawPolygon(QPolygonF{front.topRight(), front.topRight() + d, front.bottomRight() + d, front.bottomRight()});
    p.setBrush(colour.lighter(130));
    p.drawPolygon(QPolygonF{front.topLeft(), front.topLeft() + d, front.topRight() + d, front.topRight()});
    QLinearGradient g(front.topLeft(), front.bottomRight());
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour);
    p.setBrush(g);
    p.drawRect(front);
}

struct Page {
    const char* file;
    const char* caption;
    QColor hue;
    std::function<void(QPainter&)> draw;
};

}  // namespace

bool WriteIllustrations(const QString& root) {
    const QString dir = root + "/Res/";
    if (!EnsureFolder(dir)) return false;
    const QRectF box(62, 90, 64, 84);
    const Page pages[] = {
        {"Page-Controls.bmp", "Controls", QColor(40, 90, 170), [&](QPainter& p) {
             Package(p, box, QColor(40, 110, 190));
             p.setPen(QPen(QColor(255, 200, 60), 4, Qt::SolidLine, Qt::RoundCap));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(36, 70, 128, 130), 200 * 16, 140 * 16);
             p.drawLine(QPointF(40, 160), QPointF(34, 148));
         }},
        {"Page-Text.bmp", "Text", QColor(150, 60, 40), [&](QPainter& p) {
             for (int i = 3; i >= 0; --i)
                 FittedText(p, QRectF(10 + i * 2, 100 + i * 2, 180, 70), "Abc", Font("Lato", 64, QFont::Black),
                            i ? QColor(90, 40, 30) : QColor(250, 210, 120));
         }},
        {"Page-BackgroundPicture.bmp", "Background Picture", QColor(60, 120, 80), [&](QPainter& p) {
             FillGradient(p, QRectF(20, 70, 160, 120), QColor(130, 180, 240), QColor(240, 210, 160));
             p.fillRect(QRectF(20, 150, 160, 40), QColor(70, 130, 70));
             Package(p, QRectF(80, 120, 36, 50), QColor(200, 80, 60));
         }},
        {"Page-Lighting.bmp", "Lighting", QColor(170, 130, 30), [&](QPainter& p) {
             QRadialGradient lamp(50, 80, 70);
             lamp.setColorAt(0, QColor(255, 250, 210));
             lamp.setColorAt(1, QColor(255, 250, 210, 0));
             p.fillRect(QRectF(0, 40, kWidth, 170), lamp);
             p.setBrush(QColor(255, 230, 120));
             p.drawEllipse(QPointF(50, 80), 12, 12);
             Package(p, QRectF(86, 110, 56, 74), QColor(60, 120, 200));
         }},
        {"Page-Reflections.bmp", "Reflections", QColor(60, 80, 120), [&](QPainter& p) {
             Package(p, QRectF(70, 70, 56, 72), QColor(60, 120, 200));
             p.fillRect(QRectF(10, 146, 180, 2), QColor(200, 210, 230));
             QLinearGradient fade(0, 148, 0, 210);
             fade.setColorAt(0, QColor(60, 120, 200, 140));
             fade.setColorAt(1, QColor(60, 120, 200, 0));
             p.fillRect(QRectF(70, 148, 56, 62), fade);
         }},
        {"Page-Shadows.bmp", "Shadows", QColor(80, 80, 90), [&](QPainter& p) {
             QRadialGradient shade(110, 185, 70);
             shade.setColorAt(0, QColor(20, 20, 30, 170));
             shade.setColorAt(1, QColor(20, 20, 30, 0));
             p.setPen(Qt::NoPen);
             p.setBrush(shade);
             p.drawEllipse(QPointF(120, 185), 70, 16);
             Package(p, QRectF(66, 96, 56, 80), QColor(200, 90, 60));
         }},
        {"Page-SideTextures.bmp", "Side Textures", QColor(120, 60, 140), [&](QPainter& p) {
             Package(p, box, QColor(120, 60, 140));
             const QColor swatches[] = {QColor(230, 80, 60), QColor(250, 170, 40), QColor(80, 180, 90), QColor(40, 150, 210),
                                        QColor(120, 90, 200), QColor(220, 70, 150)};
             for (int i = 0; i < 6; ++i) p.fillRect(QRectF(14 + i * 29, 192, 24, 18), swatches[i]);
         }},
        {"Page-MultiBook.bmp", "Multi Book", QColor(110, 40, 40), [&](QPainter& p) {
             const QColor covers[] = {QColor(120, 30, 40), QColor(30, 60, 110), QColor(40, 120, 80)};
             for (int i = 0; i < 3; ++i) Package(p, QRectF(26 + i * 46, 100 + i * 8, 40, 76), covers[i]);
         }},
    };
    for (const Page& page : pages) {
        QImage image = Canvas(kWidth, kHeight, QColor(240, 240, 244));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        FillGradient(p, image.rect(), QColor(250, 250, 252), QColor(214, 218, 226));
        p.fillRect(QRectF(0, 0, kWidth, 44), page.hue);
        FittedText(p, QRectF(8, 4, kWidth - 16, 36), page.caption, Font("Lato", 22, QFont::Bold), QColor(255, 255, 255));
        page.draw(p);
        p.end();
        if (!Save(image, dir + page.file)) return false;
    }
    return true;
}

}  // namespace assetgen
