#pragma once
// Drawing helpers shared by the cover art, thumbnails and page illustrations.
// The texture loader turns pure black into transparency, so opaque art uses
// kInk (a near black) and never (0, 0, 0).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

namespace assetgen::art {

const QColor kInk(16, 16, 20);

// One product's look: every image of a set is drawn from the same theme.
struct Theme {
    QString title;
    QString byline;     // author, maker or artist
    QString tagline;
    QString publisher;
    QColor deep;        // background, dark end
    QColor light;       // background, light end
    QColor accent;
    QColor text;
    QString family;     // font family of the title
    int titleWeight = QFont::Black;
};

QImage Canvas(int width, int height, QColor fill);
QFont Font(const QString& family, double pixelSize, int weight = QFont::Normal, bool italic = false);
void FillGradient(QPainter& p, const QRectF& r, QColor top, QColor bottom);
// Draws `text` fitted into the rectangle's width (shrinking the font if needed).
void FittedText(QPainter& p, const QRectF& r, const QString& text, QFont font, QColor colour,
                int flags = Qt::AlignCenter);
void Barcode(QPainter& p, const QRectF& r, const QString& digits);
void Blurb(QPainter& p, const QRectF& r, const QStringList& paragraphs, const QFont& font, QColor colour);
// A spine: title running top to bottom, as on shelved books and cases.
void SpineText(QPainter& p, const QRectF& spine, const Theme& t, bool withByline);
// Writes the image (JPEG or BMP by suffix) after lifting pure black pixels to
// kInk, unless the image deliberately keeps black as "see-through".
bool Save(QImage image, const QString& path, bool keepBlack = false);

}  // namespace assetgen::art
