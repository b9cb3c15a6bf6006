#include "art_kit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QStringList>
#include <cstdio>

namespace assetgen::art {

QImage Canvas(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QFont Font(const QString& family, double pixelSize, int weight, bool italic) {
    QFont font(family);
    font.setPixelSize(qMax(1, int(pixelSize)));
    font.setWeight(QFont::Weight(weight));
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void FillGradient(QPainter& p, const QRectF& r, QColor top, QColor bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void FittedText(QPainter& p, const QRectF& r, const QString& text, QFont font, QColor colour, int flags) {
    for (int guard = 0; guard < 40; ++guard) {
        QFontMetricsF metrics(font);
        const QRectF need = metrics.boundingRect(r, flags | Qt::TextWordWrap, text);
        if ((need.width() <= r.width() && need.height() <= r.height()) || font.pixelSize() <= 6) break;
        font.setPixelSize(int(font.pixelSize() * 0.92));
    }
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, flags | Qt::TextWordWrap, text);
}

void Barcode(QPainter& p, const QRectF& r, const QString& digits) {
    p.fillRect(r, QColor(250, 250, 250));
    const QRectF bars = r.adjusted(r.width() * 0.08, r.height() * 0.08, -r.width() * 0.08, -r.height() * 0.25);
    // A fixed pattern derived from the digits: looks like a product code.
    QString pattern = "101";
    for (const QChar c : digits) {
        const int d = c.digitValue() < 0 ? 0 : c.digitValue();
        static const char* codes[] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                      "0110001", "0101111", "0111011", "0110111", "0001011"};
        pattern += codes[d];
        if (pattern.size() == 3 + 7 * 6) pattern += "01010";
    }
    pattern += "101";
    const double unit = bars.width() / pattern.size();
    for (int i = 0; i < pattern.size(); ++i)
        if (pattern[i] == '1') p.fillRect(QRectF(bars.left() + i * unit, bars.top(), unit + 0.2, bars.height()), kInk);
    p.setFont(Font("DejaVu Sans Mono", r.height() * 0.15));
    p.setPen(kInk);
    p.drawText(QRectF(r.left(), bars.bottom(), r.width(), r.bottom() - bars.bottom()), Qt::AlignCenter, digits);
}

void Blurb(QPainter& p, const QRectF& r, const QStringList& paragraphs, const QFont& font, QColor colour) {
    p.setFont(font);
    p.setPen(colour);
    QFontMetricsF metrics(font);
    double y = r.top();
    for (const QString& paragraph : paragraphs) {
        const QRectF need = metrics.boundingRect(QRectF(r.left(), y, r.width(), 10000), Qt::TextWordWrap, paragraph);
        if (y + need.height() > r.bottom()) break;
        p.drawText(QRectF(r.left(), y, r.width(), need.height()), Qt::TextWordWrap | Qt::AlignJustify, paragraph);
        y += need.height() + metrics.height() * 0.6;
    }
}

void SpineText(QPainter& p, const QRectF& spine, const Theme& t, bool withByline) {
    p.save();
    // Rotate so the text reads downwards: the baseline runs from the spine's top to its bottom.
    p.translate(spine.right(), spine.top());
    p.rotate(90);
    const double along = spine.height();
    const double across = spine.width();
    const QRectF band(along * 0.05, across * 0.12, along * 0.9, across * 0.76);
    if (withByline) {
        FittedText(p, QRectF(band.left(), band.top(), band.width() * 0.62, band.height()), t.title,
                   Font(t.family, across * 0.55, t.titleWeight), t.text, Qt::AlignLeft | Qt::AlignVCenter);
        FittedText(p, QRectF(band.left() + band.width() * 0.64, band.top(), band.width() * 0.36, band.height()),
                   t.byline, Font("Lato", across * 0.36, QFont::Bold), t.accent, Qt::AlignRight | Qt::AlignVCenter);
    } else {
        FittedText(p, band, t.title, Font(t.family, across * 0.55, t.titleWeight), t.text);
    }
    p.restore();
}

bool Save(QImage image, const QString& path, bool keepBlack) {
    image = image.convertToFormat(QImage::Format_RGB32);
    if (!keepBlack) {
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                // Dark pixels near black could decode to (0, 0, 0) after JPEG rounding.
                const int r = qMax(qRed(row[x]), 12), g = qMax(qGreen(row[x]), 12), b = qMax(qBlue(row[x]), 14);
                row[x] = qRgb(r, g, b);
            }
        }
    }
    const bool bmp = path.endsWith(".bmp", Qt::CaseInsensitive);
    if (image.save(path, bmp ? "BMP" : "JPG", bmp ? -1 : 92)) return true;
    std::fprintf(stderr, "assetgen: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace assetgen::art
