// The toolbar strips and the pictures of the About box and the start-up window.

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

#include "assetgen.h"

namespace assetgen {

namespace {

// The strips' background: the first pixel's colour is the transparent one.
const QColor kKey(255, 0, 255);

enum class Look { Normal, Hot, Disabled };

QColor tone(QColor colour, Look look) {
    if (look == Look::Hot) return colour.lighter(125);
    if (look == Look::Disabled) {
        const int grey = qGray(colour.rgb());
        return QColor(160 + grey / 6, 160 + grey / 6, 160 + grey / 6);
    }
    return colour;
}

void drawCamera(QPainter& p, Look look) {
    p.setPen(QPen(tone(QColor(30, 40, 60), look), 2));
    QLinearGradient body(0, 12, 0, 40);
    body.setColorAt(0, tone(QColor(110, 130, 160), look));
    body.setColorAt(1, tone(QColor(50, 65, 90), look));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(5, 14, 38, 26), 5, 5);
    p.drawRect(QRectF(16, 9, 14, 6));
    QRadialGradient lens(24, 27, 10);
    lens.setColorAt(0, tone(QColor(170, 220, 255), look));
    lens.setColorAt(1, tone(QColor(20, 40, 80), look));
    p.setBrush(lens);
    p.drawEllipse(QPointF(24, 27), 9, 9);
    p.setBrush(tone(QColor(255, 210, 60), look));
    p.drawEllipse(QPointF(37, 19), 2.5, 2.5);
}

void drawDeck(QPainter& p, Look look) {
    p.setPen(QPen(tone(QColor(40, 40, 50), look), 2));
    QLinearGradient panel(0, 6, 0, 42);
    panel.setColorAt(0, tone(QColor(235, 235, 240), look));
    panel.setColorAt(1, tone(QColor(180, 185, 195), look));
    p.setBrush(panel);
    p.drawRoundedRect(QRectF(5, 6, 38, 36), 4, 4);
    const QColor knobs[] = {QColor(220, 60, 50), QColor(60, 160, 70), QColor(50, 100, 210)};
    const double at[] = {28, 16, 24};
    for (int i = 0; i < 3; ++i) {
        const double x = 14 + i * 10;
        p.setPen(QPen(tone(QColor(70, 70, 80), look), 2));
        p.drawLine(QPointF(x, 11), QPointF(x, 37));
        p.setPen(QPen(tone(QColor(30, 30, 30), look), 1));
        p.setBrush(tone(knobs[i], look));
        p.drawRoundedRect(QRectF(x - 4, at[i] - 3, 8, 6), 2, 2);
    }
}

void drawPalette(QPainter& p, Look look) {
    QPainterPath palette;
    palette.addEllipse(QRectF(4, 8, 40, 32));
    QPainterPath hole;
    hole.addEllipse(QRectF(28, 27, 8, 7));
    p.setPen(QPen(tone(QColor(90, 60, 30), look), 2));
    p.setBrush(tone(QColor(225, 190, 140), look));
    p.drawPath(palette.subtracted(hole));
    const QColor paints[] = {QColor(220, 40, 40), QColor(250, 200, 40), QColor(60, 170, 60), QColor(40, 90, 220),
                             QColor(150, 60, 190)};
    const QPointF spots[] = {{14, 18}, {24, 14}, {34, 17}, {12, 29}, {20, 32}};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        p.setBrush(tone(paints[i], look));
        p.drawEllipse(spots[i], 4, 4);
    }
}

void drawInfo(QPainter& p, Look look) {
    QRadialGradient disc(20, 18, 26);
    disc.setColorAt(0, tone(QColor(120, 180, 255), look));
    disc.setColorAt(1, tone(QColor(20, 70, 170), look));
    p.setPen(QPen(tone(QColor(10, 40, 110), look), 2));
    p.setBrush(disc);
    p.drawEllipse(QPointF(24, 24), 19, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(tone(QColor(255, 255, 255), look));
    p.drawEllipse(QPointF(24, 14), 3.5, 3.5);
    p.drawRoundedRect(QRectF(20.5, 20, 7, 17), 2, 2);
}

QImage toolbarStrip(Look look) {
    QImage strip(4 * 48, 48, QImage::Format_RGB888);
    strip.fill(kKey);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    void (*draw[])(QPainter&, Look) = {drawCamera, drawDeck, drawPalette, drawInfo};
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(i * 48, 0);
        // Anti-aliased edges would blend into the key colour; keep a hard edge
        // by drawing on an opaque cell and cutting it out afterwards.
        p.setClipRect(0, 0, 48, 48);
        draw[i](p, look);
        p.restore();
    }
    p.end();
    // Edge pixels mixed with the key colour would show pink fringes.
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) {
            const QColor c = strip.pixelColor(x, y);
            if (c != kKey && c.red() > 200 && c.blue() > 200 && c.green() < 120) strip.setPixelColor(x, y, kKey);
        }
    return strip;
}

QImage stagePicture(int width, int height, const QString& caption) {
    QImage image(width, height, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(24, 34, 62));
    sky.setColorAt(0.62, QColor(58, 86, 140));
    sky.setColorAt(0.62001, QColor(200, 205, 215));
    sky.setColorAt(1, QColor(245, 246, 250));
    p.fillRect(image.rect(), sky);

    // A box standing on a reflective floor, seen from the front left.
    const double floorY = height * 0.62;
    const double w = width * 0.2, h = height * 0.42, d = width * 0.07;
    const double x0 = width * 0.5 - w / 2, y0 = floorY - h;
    QPolygonF front({{x0, y0}, {x0 + w, y0}, {x0 + w, floorY}, {x0, floorY}});
    QPolygonF side({{x0 + w, y0}, {x0 + w + d, y0 - d * 0.5}, {x0 + w + d, floorY - d * 0.5}, {x0 + w, floorY}});
    QPolygonF top({{x0, y0}, {x0 + d, y0 - d * 0.5}, {x0 + w + d, y0 - d * 0.5}, {x0 + w, y0}});
    QLinearGradient cover(x0, y0, x0 + w, floorY);
    cover.setColorAt(0, QColor(230, 90, 40));
    cover.setColorAt(1, QColor(140, 30, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(cover);
    p.drawPolygon(front);
    p.setBrush(QColor(90, 20, 40));
    p.drawPolygon(side);
    p.setBrush(QColor(250, 150, 90));
    p.drawPolygon(top);
    // Its reflection, fading into the floor.
    QLinearGradient fade(0, floorY, 0, floorY + h * 0.6);
    fade.setColorAt(0, QColor(160, 60, 60, 110));
    fade.setColorAt(1, QColor(230, 230, 235, 0));
    p.setBrush(fade);
    p.drawPolygon(QPolygonF({{x0, floorY}, {x0 + w, floorY}, {x0 + w, floorY + h * 0.6}, {x0, floorY + h * 0.6}}));
    p.setPen(QColor(255, 245, 230));
    QFont title("DejaVu Sans", int(h * 0.09), QFont::Black);
    p.setFont(title);
    p.drawText(QRectF(x0, y0 + h * 0.1, w, h * 0.3), Qt::AlignCenter | Qt::TextWordWrap, "NEW\nRELEASE");

    p.setPen(QColor(255, 255, 255));
    QFont name("DejaVu Sans", int(height * 0.09), QFont::Bold);
    p.setFont(name);
    p.drawText(QRectF(0, height * 0.03, width, height * 0.16), Qt::AlignCenter, "Vellumark");
    QFont small("DejaVu Sans", int(height * 0.035));
    p.setFont(small);
    p.setPen(QColor(60, 70, 90));
    p.drawText(QRectF(0, height * 0.86, width, height * 0.1), Qt::AlignCenter, caption);
    return image;
}

bool save(const QImage& image, const QString& path) {
    if (image.save(path, "BMP")) return true;
    std::fprintf(stderr, "assetgen: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

bool WriteInterfaceArt(const QString& root) {
    const QString res = root + "/Res";
    if (!EnsureFolder(res)) return false;
    return save(toolbarStrip(Look::Normal), res + "/Toolbar.bmp") &&
           save(toolbarStrip(Look::Hot), res + "/ToolbarHot.bmp") &&
           save(toolbarStrip(Look::Disabled), res + "/ToolbarDisabled.bmp") &&
           save(stagePicture(412, 300, "Flat cover artwork into 3D product pictures"), res + "/About.bmp") &&
           save(stagePicture(326, 264, "Loading..."), res + "/StartUp.bmp");
}

}  // namespace assetgen
