// Environment maps for the shiny passes and the default background picture.

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include "art_kit.h"
#include "assetgen.h"

namespace assetgen {

using namespace art;

// A sphere map of a photo studio: the view of a mirrored ball, with a bright
// ceiling, a darker floor below the horizon and soft-box lights as highlights.
QImage SphereEnvironment(int size, bool warm) {
    QImage image = Canvas(size, size, QColor(30, 30, 36));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = size / 2.0;
    const QPointF c(r, r);
    QLinearGradient room(0, 0, 0, size);
    room.setColorAt(0, warm ? QColor(250, 245, 235) : QColor(235, 240, 250));
    room.setColorAt(0.48, warm ? QColor(170, 160, 150) : QColor(150, 160, 180));
    room.setColorAt(0.52, QColor(60, 58, 62));
    room.setColorAt(1, QColor(26, 26, 30));
    p.fillRect(image.rect(), room);
    // The ball's rim reflects what lies behind it: darken towards the edge.
    QRadialGradient rim(c, r);
    rim.setColorAt(0.75, QColor(0, 0, 0, 0));
    rim.setColorAt(1, QColor(20, 20, 24, 200));
    p.fillRect(image.rect(), rim);
    // Soft boxes: two large, one strip light.
    p.setPen(Qt::NoPen);
    const QRectF boxes[] = {{r * 0.35, r * 0.35, r * 0.45, r * 0.35}, {r * 1.25, r * 0.45, r * 0.35, r * 0.3},
                            {r * 0.95, r * 0.15, r * 0.1, r * 0.55}};
    for (const QRectF& b : boxes) {
        QRadialGradient glow(b.center(), qMax(b.width(), b.height()));
        glow.setColorAt(0, QColor(255, 255, 255, 255));
        glow.setColorAt(0.5, QColor(255, 255, 255, 200));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(glow);
        p.drawRoundedRect(b.adjusted(-b.width() * 0.2, -b.height() * 0.2, b.width() * 0.2, b.height() * 0.2), 8, 8);
        p.setBrush(QColor(255, 255, 252));
        p.drawRoundedRect(b, 4, 4);
    }
    return image;
}

namespace {

// A brushed, high-contrast reflection for chrome text: bands of light and dark.
QImage Reflectings() {
    const int size = 512;
    QImage image = SphereEnvironment(size, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bands(0, 0, 0, size);
    for (int i = 0; i <= 10; ++i)
        bands.setColorAt(i / 10.0, i % 2 ? QColor(255, 255, 255, 70) : QColor(20, 30, 60, 70));
    p.fillRect(image.rect(), bands);
    return image;
}

// The default background: a dog asleep on a rug in warm afternoon light.
QImage SleepingDog() {
    const int w = 1024, h = 768;
    QImage image = Canvas(w, h, QColor(200, 170, 130));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Wall and floor.
    FillGradient(p, QRectF(0, 0, w, h * 0.55), QColor(236, 214, 176), QColor(214, 184, 140));
    FillGradient(p, QRectF(0, h * 0.55, w, h * 0.45), QColor(150, 100, 62), QColor(110, 70, 42));
    for (int i = 0; i < 9; ++i)
        p.fillRect(QRectF(0, h * 0.55 + i * h * 0.05, w, 2), QColor(90, 58, 34, 120));
    // Window light falling across the scene.
    QPainterPath beam;
    beam.moveTo(w * 0.55, 0);
    beam.lineTo(w * 0.85, 0);
    beam.lineTo(w * 0.7, h);
    beam.lineTo(w * 0.25, h);
    p.fillPath(beam, QColor(255, 240, 200, 45));
    // Rug.
    QRadialGradient rug(w * 0.5, h * 0.78, w * 0.35);
    rug.setColorAt(0, QColor(170, 60, 50));
    rug.setColorAt(0.8, QColor(140, 40, 40));
    rug.setColorAt(1, QColor(120, 35, 35));
    p.setPen(QPen(QColor(230, 190, 110), 6));
    p.setBrush(rug);
    p.drawEllipse(QPointF(w * 0.5, h * 0.78), w * 0.36, h * 0.16);
    // Shadow under the dog.
    QRadialGradient shade(w * 0.5, h * 0.77, w * 0.22);
    shade.setColorAt(0, QColor(40, 20, 20, 120));
    shade.setColorAt(1, QColor(40, 20, 20, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(QPointF(w * 0.5, h * 0.77), w * 0.24, h * 0.08);
    // The dog, curled: body, haunch, tail, head resting on its paws, ear, closed eye.
    const QColor coat(196, 140, 80), coatDark(150, 100, 55), coatLight(232, 196, 140);
    QRadialGradient fur(w * 0.47, h * 0.62, w * 0.2);
    fur.setColorAt(0, coatLight);
    fur.setColorAt(0.7, coat);
    fur.setColorAt(1, coatDark);
    p.setBrush(fur);
    p.setPen(QPen(coatDark, 3));
    QPainterPath body;
    body.moveTo(w * 0.32, h * 0.76);
    body.cubicTo(w * 0.3, h * 0.55, w * 0.55, h * 0.5, w * 0.66, h * 0.6);
    body.cubicTo(w * 0.72, h * 0.66, w * 0.7, h * 0.78, w * 0.6, h * 0.79);
    body.lineTo(w * 0.36, h * 0.8);
    body.closeSubpath();
    p.drawPath(body);
    p.drawEllipse(QPointF(w * 0.6, h * 0.68), w * 0.08, h * 0.1);  // haunch
    QPainterPath tail;
    tail.moveTo(w * 0.66, h * 0.76);
    tail.cubicTo(w * 0.7, h * 0.84, w * 0.5, h * 0.86, w * 0.42, h * 0.82);
    p.setPen(QPen(coat, 22, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tail);
    p.setPen(QPen(coatDark, 3));
    p.setBrush(coatLight);
    p.drawRoundedRect(QRectF(w * 0.27, h * 0.75, w * 0.12, h * 0.045), 14, 14);  // front paws
    p.setBrush(fur);
    p.drawEllipse(QPointF(w * 0.33, h * 0.7), w * 0.075, h * 0.075);             // head
    p.setBrush(coatLight);
    p.drawEllipse(QPointF(w * 0.275, h * 0.725), w * 0.04, h * 0.04);            // muzzle
    p.setBrush(QColor(40, 30, 28));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * 0.243, h * 0.717), 9, 7);                           // nose
    p.setBrush(coatDark);
    QPainterPath ear;
    ear.moveTo(w * 0.34, h * 0.64);
    ear.cubicTo(w * 0.4, h * 0.63, w * 0.41, h * 0.7, w * 0.38, h * 0.74);
    ear.cubicTo(w * 0.36, h * 0.7, w * 0.34, h * 0.68, w * 0.34, h * 0.64);
    p.drawPath(ear);
    p.setPen(QPen(QColor(60, 40, 30), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(w * 0.295, h * 0.675, w * 0.025, h * 0.02), 200 * 16, 140 * 16);  // closed eye
    // "Z"s drifting up.
    p.setFont(Font("Lato", 34, QFont::Bold, true));
    p.setPen(QColor(90, 70, 60, 170));
    p.drawText(QPointF(w * 0.26, h * 0.58), "z");
    p.setFont(Font("Lato", 46, QFont::Bold, true));
    p.drawText(QPointF(w * 0.23, h * 0.51), "z");
    return image;
}

}  // namespace

bool WriteTextures(const QString& root) {
    const QString dir = root + "/Textures/";
    return EnsureFolder(dir) && Save(Reflectings(), dir + "Reflectings.jpg") &&
           Save(SphereEnvironment(512, true), dir + "Envroll.jpg") && Save(SleepingDog(), dir + "sleeping-dog.jpg");
}

}  // namespace assetgen
