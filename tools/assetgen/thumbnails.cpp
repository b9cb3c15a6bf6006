// The package thumbnails of the Controls page: each package drawn small and
// recognisable on white, at twice the list's 49-pixel icon size.

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <functional>

#include "art_kit.h"
#include "assetgen.h"

namespace assetgen {

using namespace art;

namespace {

const int kSize = 98;

// A box seen from the front-right and above: front face, right side, top.
void Box3D(QPainter& p, QRectF front, double depth, QColor colour, QColor side, const QString& label = {}) {
    const QPointF d(depth * 0.8, -depth * 0.55);
    QPolygonF right{front.topRight(), front.topRight() + d, front.bottomRight() + d, front.bottomRight()};
    QPolygonF top{front.topLeft(), front.topLeft() + d, front.topRight() + d, front.topRight()};
    p.setPen(QPen(kInk, 1));
    p.setBrush(side);
    p.drawPolygon(right);
    p.setBrush(side.lighter(135));
    p.drawPolygon(top);
    QLinearGradient g(front.topLeft(), front.bottomRight());
    g.setColorAt(0, colour.lighter(140));
    g.setColorAt(1, colour);
    p.setBrush(g);
    p.drawRect(front);
    if (!label.isEmpty())
        FittedText(p, front.adjusted(2, 2, -2, -front.height() * 0.5), label, Font("Lato", 11, QFont::Black),
                   QColor(255, 255, 255));
}

void Disc(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c, r);
    g.setColorAt(0.3, QColor(230, 235, 245));
    g.setColorAt(0.6, QColor(170, 200, 230));
    g.setColorAt(0.8, QColor(230, 190, 240));
    g.setColorAt(1, QColor(190, 200, 215));
    p.setPen(QPen(QColor(120, 125, 140), 1));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(c, r * 0.15, r * 0.15);
}

void Book(QPainter& p, QRectF front, double depth, QColor cover, bool pages) {
    Box3D(p, front, depth, cover, pages ? QColor(240, 232, 212) : cover.darker(150));
    p.setPen(QColor(255, 255, 255, 200));
    p.drawLine(QPointF(front.left() + 4, front.top() + 8), QPointF(front.right() - 4, front.top() + 8));
}

void Mug(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 200, 205), 8));
    p.drawEllipse(QRectF(62, 36, 26, 32));
    QLinearGradient g(20, 0, 70, 0);
    g.setColorAt(0, QColor(210, 210, 215));
    g.setColorAt(0.4, QColor(255, 255, 255));
    g.setColorAt(1, QColor(190, 190, 198));
    p.setPen(QPen(QColor(120, 120, 130), 1));
    p.setBrush(g);
    QPainterPath body;
    body.moveTo(18, 24);
    body.lineTo(18, 80);
    body.quadTo(44, 92, 70, 80);
    body.lineTo(70, 24);
    p.drawPath(body);
    p.setBrush(QColor(110, 70, 40));
    p.drawEllipse(QRectF(18, 18, 52, 12));
    p.setBrush(QColor(250, 170, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(36, 52), 9, 9);
    p.fillRect(QRectF(48, 46, 16, 4), QColor(30, 60, 110));
    p.fillRect(QRectF(48, 54, 12, 3), QColor(30, 60, 110));
}

void OpenBook(QPainter& p, bool standing) {
    p.setPen(QPen(QColor(120, 100, 80), 1));
    const double lift = standing ? 0 : 14;
    QPainterPath left, right;
    left.moveTo(49, 30 + lift);
    left.quadTo(30, 20 + lift, 8, 26 + lift);
    left.lineTo(8, 78);
    left.quadTo(30, 72, 49, 82);
    right.moveTo(49, 30 + lift);
    right.quadTo(68, 20 + lift, 90, 26 + lift);
    right.lineTo(90, 78);
    right.quadTo(68, 72, 49, 82);
    p.setBrush(QColor(250, 246, 235));
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QColor(150, 140, 130));
    for (int i = 0; i < 6; ++i) {
        const double y = 38 + lift * 0.6 + i * 6;
        p.drawLine(QPointF(14, y), QPointF(43, y + 2));
        p.drawLine(QPointF(55, y + 2), QPointF(84, y));
    }
    if (standing) {
        p.setPen(QPen(QColor(90, 90, 100), 3));
        p.drawLine(QPointF(30, 92), QPointF(49, 82));
        p.drawLine(QPointF(68, 92), QPointF(49, 82));
    }
}

struct Thumb {
    const char* name;
    std::function<void(QPainter&)> draw;
};

}  // namespace

bool WriteThumbnails(const QString& root) {
    const QString dir = root + "/Thumbs/";
    if (!EnsureFolder(dir)) return false;
    const QColor blue(30, 90, 170), film(60, 30, 50), teal(30, 140, 150), purple(90, 60, 160), navy(30, 50, 90),
        maroon(120, 30, 40), green(40, 140, 90), magenta(190, 40, 90);
    const Thumb thumbs[] = {
        {"Cube.jpg", [&](QPainter& p) { Box3D(p, {16, 34, 50, 50}, 30, QColor(230, 80, 60), QColor(80, 180, 90), "1"); }},
        {"BigBox.jpg", [&](QPainter& p) { Box3D(p, {14, 24, 50, 64}, 26, blue, blue.darker(160), "PF"); }},
        {"BigBoxCD.jpg", [&](QPainter& p) { Box3D(p, {14, 24, 50, 64}, 26, blue, blue.darker(160), "PF"); Disc(p, {70, 74}, 20); }},
        {"RetailBox.jpg", [&](QPainter& p) { Box3D(p, {18, 26, 48, 62}, 18, blue, blue.darker(160), "PF"); }},
        {"DVD.jpg", [&](QPainter& p) { Box3D(p, {24, 14, 50, 72}, 9, film, QColor(40, 42, 48), "DVD"); }},
        {"DVD-CD.jpg", [&](QPainter& p) { Box3D(p, {16, 14, 48, 72}, 9, film, QColor(40, 42, 48), "DVD"); Disc(p, {70, 68}, 22); }},
        {"SlimDVD.jpg", [&](QPainter& p) { Box3D(p, {24, 14, 50, 72}, 4, film, QColor(40, 42, 48), "DVD"); }},
        {"CD.jpg", [&](QPainter& p) { Box3D(p, {16, 28, 60, 60}, 8, teal, QColor(200, 210, 220), "CD"); }},
        {"CD-case.jpg", [&](QPainter& p) {
             Box3D(p, {16, 28, 60, 60}, 8, QColor(200, 215, 225), QColor(200, 210, 220));
             Disc(p, {46, 58}, 24);
         }},
        {"SlimCD.jpg", [&](QPainter& p) { Box3D(p, {16, 28, 60, 60}, 4, teal, QColor(200, 210, 220), "CD"); }},
        {"Tape.jpg", [&](QPainter& p) {
             Box3D(p, {12, 32, 66, 44}, 10, purple, QColor(200, 205, 215));
             p.setBrush(QColor(250, 250, 250));
             p.drawRoundedRect(QRectF(22, 46, 46, 16), 6, 6);
             p.setBrush(QColor(60, 40, 30));
             p.drawEllipse(QPointF(32, 54), 5, 5);
             p.drawEllipse(QPointF(58, 54), 5, 5);
         }},
        {"Book.jpg", [&](QPainter& p) { Book(p, {20, 20, 46, 68}, 16, maroon, true); }},
        {"CurlyBook.jpg", [&](QPainter& p) {
             Book(p, {20, 24, 46, 64}, 12, green, true);
             QPainterPath curl;
             curl.moveTo(66, 24);
             curl.quadTo(86, 10, 80, 34);
             p.setPen(QPen(green.darker(130), 3));
             p.setBrush(Qt::NoBrush);
             p.drawPath(curl);
         }},
        {"OpenBook.jpg", [&](QPainter& p) { OpenBook(p, false); }},
        {"BookDisplay.jpg", [&](QPainter& p) {
             Book(p, {26, 12, 44, 62}, 8, maroon, true);
             p.setPen(QPen(QColor(90, 90, 100), 3));
             p.drawLine(QPointF(20, 90), QPointF(78, 90));
             p.drawLine(QPointF(48, 74), QPointF(48, 90));
         }},
        {"OpenStanding.jpg", [&](QPainter& p) { OpenBook(p, true); }},
        {"E-Zines.jpg", [&](QPainter& p) {
             for (int i = 0; i < 3; ++i) Book(p, {14.0 + i * 10, 18.0 + i * 6, 46, 64}, 3, i == 2 ? magenta : magenta.lighter(130 + i * 15), false);
             FittedText(p, QRectF(36, 32, 42, 14), "P&P", Font("Lato", 12, QFont::Black), QColor(255, 255, 255));
         }},
        {"DVDStack1.jpg", [&](QPainter& p) {
             for (int i = 0; i < 4; ++i) Box3D(p, {12, 72.0 - i * 14, 64, 12}, 26, film.lighter(100 + i * 20), QColor(40, 42, 48));
         }},
        {"DVDStack2.jpg", [&](QPainter& p) {
             for (int i = 0; i < 6; ++i) Box3D(p, {12.0 + (i % 2) * 4, 80.0 - i * 11, 60, 10}, 24, navy.lighter(100 + i * 15), QColor(40, 42, 48));
         }},
        {"Paperback.jpg", [&](QPainter& p) { Book(p, {22, 18, 44, 70}, 12, navy, true); }},
        {"SlimBook.jpg", [&](QPainter& p) { Book(p, {22, 18, 44, 70}, 6, QColor(170, 80, 70), true); }},
        {"Picture.jpg", [&](QPainter& p) {
             p.setPen(QPen(QColor(150, 150, 160), 1));
             p.setBrush(QColor(255, 255, 255));
             p.drawRect(QRectF(14, 14, 70, 70));
             FillGradient(p, QRectF(20, 20, 58, 44), QColor(120, 170, 230), QColor(240, 200, 140));
             p.fillRect(QRectF(20, 52, 58, 12), QColor(60, 120, 70));
             p.fillRect(QRectF(20, 68, 40, 3), QColor(120, 120, 130));
             p.fillRect(QRectF(20, 74, 30, 3), QColor(160, 160, 170));
         }},
        {"Mug.jpg", [&](QPainter& p) { Mug(p); }},
        {"CD-Disk.jpg", [&](QPainter& p) { Disc(p, {49, 49}, 40); }},
    };
    for (const Thumb& thumb : thumbs) {
        QImage image = Canvas(kSize, kSize, QColor(255, 255, 255));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        thumb.draw(p);
        p.end();
        if (!Save(image, dir + thumb.name)) return false;
    }
    return true;
}

}  // namespace assetgen
