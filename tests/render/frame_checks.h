#pragma once
// What a test can tell from a rendered frame: where it changed, how dark a
// part of it is, where the drawing is.

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdlib>

namespace vm::test {

inline int ColourDistance(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// The pixels where two frames of the same size differ by more than `tolerance`.
struct Change {
    QRect area;
    int pixels = 0;
    double lumaChange = 0;  // mean of b - a over the changed pixels
};

inline Change Compare(const QImage& a, const QImage& b, int tolerance = 12) {
    Change c;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor pa = a.pixelColor(x, y), pb = b.pixelColor(x, y);
            if (ColourDistance(pa, pb) <= tolerance) continue;
            c.area |= QRect(x, y, 1, 1);
            ++c.pixels;
            sum += qGray(pb.rgb()) - qGray(pa.rgb());
        }
    if (c.pixels) c.lumaChange = sum / c.pixels;
    return c;
}

// Where the frame is not `background`.
inline QRect Drawn(const QImage& image, QColor background, int tolerance = 12) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (ColourDistance(image.pixelColor(x, y), background) > tolerance) area |= QRect(x, y, 1, 1);
    return area;
}

// Pixels close to `colour`.
inline int CountNear(const QImage& image, QColor colour, int tolerance = 60) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (ColourDistance(image.pixelColor(x, y), colour) <= tolerance) ++n;
    return n;
}

}  // namespace vm::test
