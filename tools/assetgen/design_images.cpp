// The default face images of every package: each set is one imagined product
// with its own title, palette and typography, drawn at the real product's
// proportions (about 4 pixels per millimetre).

#include <QDir>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <QtMath>
#include <cstdint>

#include "art_kit.h"
#include "assetgen.h"

namespace assetgen {

using namespace art;

namespace {

enum class Motif { Software, Film, Music, Jetman, Novel, Hardback, Curvy, Ezine };

struct Set {
    Theme theme;
    Motif motif;
    QStringList blurb;
    QString code;
};

// The picture that fills a front cover, below or behind the title.
void DrawMotif(QPainter& p, const QRectF& r, const Set& s) {
    const Theme& t = s.theme;
    p.save();
    p.setClipRect(r);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = r.center();
    const double u = qMin(r.width(), r.height());
    switch (s.motif) {
    case Motif::Software: {
        // Interlocking rings over a grid: a productivity suite.
        p.setPen(QPen(QColor(255, 255, 255, 30), 1));
        for (double x = r.left(); x < r.right(); x += u / 16) p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        for (double y = r.top(); y < r.bottom(); y += u / 16) p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        const QColor rings[] = {t.accent, QColor(90, 200, 255), QColor(255, 255, 255)};
        for (int i = 0; i < 3; ++i) {
            p.setPen(QPen(rings[i], u * 0.05, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            const QPointF at = c + QPointF((i - 1) * u * 0.18, (i == 1 ? -1 : 1) * u * 0.06);
            p.drawEllipse(at, u * 0.2, u * 0.2);
        }
        break;
    }
    case Motif::Film: {
        // Dusk over a city skyline with a lone figure: a drama on DVD.
        QLinearGradient sky(r.topLeft(), r.bottomLeft());
        sky.setColorAt(0, QColor(20, 24, 60));
        sky.setColorAt(0.55, QColor(200, 80, 60));
        sky.setColorAt(0.75, QColor(250, 180, 90));
        p.fillRect(r, sky);
        QRadialGradient sun(QPointF(c.x(), r.top() + r.height() * 0.68), u * 0.25);
        sun.setColorAt(0, QColor(255, 240, 200));
        sun.setColorAt(1, QColor(255, 200, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(sun);
        p.drawEllipse(QPointF(c.x(), r.top() + r.height() * 0.68), u * 0.25, u * 0.25);
        p.setBrush(QColor(24, 18, 30));
        double x = r.left();
        int k = 0;
        while (x < r.right()) {
            const double w = u * (0.05 + 0.04 * ((k * 7) % 5) / 4.0);
            const double h = r.height() * (0.12 + 0.18 * ((k * 13) % 7) / 6.0);
            p.drawRect(QRectF(x, r.top() + r.height() * 0.8 - h, w, h + r.height()));
            x += w * 0.9;
            ++k;
        }
        p.fillRect(QRectF(r.left(), r.top() + r.height() * 0.8, r.width(), r.height()), QColor(24, 18, 30));
        break;
    }
    case Motif::Music: {
        // Sound waves rippling out from a point: an album.
        QRadialGradient glow(c, u * 0.7);
        glow.setColorAt(0, t.light);
        glow.setColorAt(1, t.deep);
        p.fillRect(r, glow);
        p.setBrush(Qt::NoBrush);
        for (int i = 1; i < 14; ++i) {
            QColor ring = i % 3 == 0 ? t.accent : QColor(255, 255, 255);
            ring.setAlpha(200 - i * 12);
            p.setPen(QPen(ring, u * 0.012));
            p.drawEllipse(c, u * 0.045 * i, u * 0.045 * i);
        }
        break;
    }
    case Motif::Jetman: {
        // A jet-pack pilot climbing through speed stripes.
        for (int i = 0; i < 6; ++i) {
            QColor stripe = i % 2 ? t.accent : QColor(255, 210, 60);
            p.fillRect(QRectF(r.left(), r.top() + r.height() * (0.15 + i * 0.11), r.width(), r.height() * 0.05), stripe);
        }
        p.translate(c);
        p.rotate(-20);
        p.setPen(QPen(kInk, u * 0.015));
        p.setBrush(QColor(235, 235, 240));
        p.drawEllipse(QPointF(0, -u * 0.2), u * 0.08, u * 0.08);  // helmet
        p.setBrush(QColor(60, 170, 230));
        p.drawEllipse(QPointF(u * 0.02, -u * 0.2), u * 0.045, u * 0.035);
        p.setBrush(QColor(230, 60, 50));
        p.drawRoundedRect(QRectF(-u * 0.07, -u * 0.12, u * 0.14, u * 0.2), u * 0.03, u * 0.03);  // body
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(-u * 0.14, -u * 0.1, u * 0.07, u * 0.18), u * 0.02, u * 0.02);  // pack
        QPainterPath flame;
        flame.moveTo(-u * 0.14, u * 0.08);
        flame.quadTo(-u * 0.105, u * 0.3, -u * 0.07, u * 0.08);
        p.setBrush(QColor(255, 170, 40));
        p.setPen(Qt::NoPen);
        p.drawPath(flame);
        break;
    }
    case Motif::Novel: {
        // A moon over a quiet sea: a literary novel.
        QLinearGradient sky(r.topLeft(), r.bottomLeft());
        sky.setColorAt(0, t.deep);
        sky.setColorAt(0.6, t.light);
        sky.setColorAt(0.61, t.deep.darker(130));
        sky.setColorAt(1, t.deep);
        p.fillRect(r, sky);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 240, 215));
        p.drawEllipse(QPointF(c.x() + u * 0.15, r.top() + r.height() * 0.38), u * 0.12, u * 0.12);
        p.setPen(QPen(QColor(250, 240, 215, 120), u * 0.006));
        for (int i = 0; i < 9; ++i) {
            const double y = r.top() + r.height() * (0.64 + i * 0.035);
            const double half = u * (0.04 + i * 0.03);
            p.drawLine(QPointF(c.x() + u * 0.15 - half, y), QPointF(c.x() + u * 0.15 + half, y));
        }
        break;
    }
    case Motif::Hardback: {
        // A gilt frame with a laurel-like ornament: a classic hard-back.
        p.setPen(QPen(t.accent, u * 0.012));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(u * 0.06, u * 0.06, -u * 0.06, -u * 0.06));
        p.drawRect(r.adjusted(u * 0.085, u * 0.085, -u * 0.085, -u * 0.085));
        for (int i = 0; i < 12; ++i) {
            p.save();
            p.translate(c.x(), r.top() + r.height() * 0.62);
            p.rotate(-75 + i * 13.6);
            p.setBrush(t.accent);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(0, -u * 0.2), u * 0.025, u * 0.06);
            p.restore();
        }
        break;
    }
    case Motif::Curvy: {
        // Flowing ribbons: a book with a curled cover.
        for (int i = 0; i < 7; ++i) {
            QPainterPath wave;
            const double y = r.top() + r.height() * (0.35 + i * 0.07);
            wave.moveTo(r.left(), y);
            wave.cubicTo(r.left() + r.width() * 0.3, y - u * 0.25, r.left() + r.width() * 0.7, y + u * 0.25, r.right(), y);
            QColor ribbon = i % 2 ? t.accent : t.light;
            ribbon.setAlpha(180);
            p.setPen(QPen(ribbon, u * 0.035, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(wave);
        }
        break;
    }
    case Motif::Ezine: {
        // A bold photo-like block of colour with headline cut-outs.
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0, t.light);
        g.setColorAt(1, t.deep);
        p.fillRect(r, g);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawEllipse(QPointF(r.left() + r.width() * 0.7, r.top() + r.height() * 0.45), u * 0.35, u * 0.35);
        p.setBrush(t.accent);
        p.drawEllipse(QPointF(r.left() + r.width() * 0.7, r.top() + r.height() * 0.45), u * 0.2, u * 0.2);
        break;
    }
    }
    p.restore();
}

QImage Front(int w, int h, const Set& s) {
    const Theme& t = s.theme;
    QImage image = Canvas(w, h, t.deep);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    FillGradient(p, image.rect(), t.light, t.deep);
    DrawMotif(p, QRectF(0, h * 0.22, w, h * 0.62), s);
    if (s.motif == Motif::Ezine) {
        DrawMotif(p, QRectF(0, 0, w, h), s);
        FittedText(p, QRectF(w * 0.04, h * 0.01, w * 0.92, h * 0.17), t.title, Font(t.family, h * 0.16, QFont::Black),
                   t.text, Qt::AlignLeft | Qt::AlignVCenter);
        p.setPen(t.text);
        p.setFont(Font("Lato", h * 0.022, QFont::Bold));
        p.drawText(QRectF(w * 0.05, h * 0.18, w * 0.9, h * 0.04), Qt::AlignLeft, "ISSUE 12  ·  SPRING");
        const QString lines[] = {"Ten tools for", "self-publishers", "Print or pixels?", "The cover that sold"};
        for (int i = 0; i < 4; ++i)
            FittedText(p, QRectF(w * 0.05, h * (0.5 + i * 0.08), w * 0.5, h * 0.07), lines[i],
                       Font("Lato", h * 0.045, i % 2 ? QFont::Normal : QFont::Black), i % 2 ? t.text : QColor(255, 230, 80),
                       Qt::AlignLeft | Qt::AlignVCenter);
        p.fillRect(QRectF(w * 0.74, h * 0.84, w * 0.2, h * 0.12), QColor(250, 250, 250));
        Barcode(p, QRectF(w * 0.74, h * 0.84, w * 0.2, h * 0.12), s.code.left(8));
        return image;
    }
    FittedText(p, QRectF(w * 0.07, h * 0.04, w * 0.86, h * 0.18), t.title, Font(t.family, h * 0.09, t.titleWeight),
               t.text);
    FittedText(p, QRectF(w * 0.1, h * 0.84, w * 0.8, h * 0.07), t.byline, Font("Lato", h * 0.045, QFont::Bold),
               t.accent);
    FittedText(p, QRectF(w * 0.1, h * 0.91, w * 0.8, h * 0.06), t.tagline, Font("Lato", h * 0.028, QFont::Normal, true),
               t.text);
    return image;
}

QImage Back(int w, int h, const Set& s) {
    const Theme& t = s.theme;
    QImage image = Canvas(w, h, t.deep);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    FillGradient(p, image.rect(), t.deep, t.light.darker(140));
    FittedText(p, QRectF(w * 0.08, h * 0.04, w * 0.84, h * 0.1), t.title, Font(t.family, h * 0.06, t.titleWeight), t.text);
    p.fillRect(QRectF(w * 0.08, h * 0.15, w * 0.84, qMax(2.0, h * 0.004)), t.accent);
    DrawMotif(p, QRectF(w * 0.08, h * 0.17, w * 0.84, h * 0.22), s);
    Blurb(p, QRectF(w * 0.08, h * 0.42, w * 0.84, h * 0.38), s.blurb, Font("Liberation Serif", qMax(11.0, h * 0.024)),
          t.text);
    const QRectF code(w * 0.62, h * 0.82, w * 0.3, h * 0.13);
    Barcode(p, code, s.code);
    FittedText(p, QRectF(w * 0.08, h * 0.84, w * 0.5, h * 0.1), t.publisher, Font("Lato", h * 0.03, QFont::Black),
               t.accent, Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

QImage Spine(int w, int h, const Set& s) {
    const Theme& t = s.theme;
    QImage image = Canvas(w, h, t.deep);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0, t.deep);
    g.setColorAt(0.5, t.light);
    g.setColorAt(1, t.deep);
    p.fillRect(image.rect(), g);
    SpineText(p, QRectF(0, 0, w, h * 0.9), t, w >= 40);
    p.fillRect(QRectF(w * 0.15, h * 0.92, w * 0.7, w * 0.7 < h * 0.05 ? w * 0.7 : h * 0.05), t.accent);
    return image;
}

// A narrow top or bottom edge: the title read from above.
QImage Edge(int w, int h, const Set& s) {
    const Theme& t = s.theme;
    QImage image = Canvas(w, h, t.deep);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    FillGradient(p, image.rect(), t.light, t.deep);
    FittedText(p, QRectF(w * 0.05, h * 0.1, w * 0.9, h * 0.8), t.title + "  ·  " + t.byline,
               Font(t.family, h * 0.5, t.titleWeight), t.text);
    return image;
}

// The open edge of a plastic case: moulded grey with a grip ridge.
QImage CaseEdge(int w, int h, QColor plastic) {
    QImage image = Canvas(w, h, plastic);
    QPainter p(&image);
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0, plastic.darker(140));
    g.setColorAt(0.5, plastic.lighter(130));
    g.setColorAt(1, plastic.darker(140));
    p.fillRect(image.rect(), g);
    p.fillRect(QRectF(w * 0.35, h * 0.42, w * 0.3, h * 0.16), plastic.darker(170));
    return image;
}

// A page of a book: near-white paper set with a column of text, and along its
// head a band of page edges (pages seen edge on, as the page blocks and the
// paperbacks' sides show them; vm::kPaperEdgeBandBottom says where).
QImage PageImage() {
    const int w = 512, h = 512;
    const QColor paper(252, 251, 247);
    QImage image = Canvas(w, h, paper);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    // The edges: each page a line of white with a faint shadow line between
    // pages, a little uneven as cut paper is. The band reaches a few rows
    // past the part the models use, so smaller mipmap levels keep it clean.
    const int band = 56;
    std::uint32_t seed = 7;
    for (int y = 0; y < band; y += 2) {
        seed = seed * 1664525u + 1013904223u;
        const int shade = 226 + int(seed >> 28);  // 226..241
        p.fillRect(QRectF(0, y, w, 1), QColor(shade + 8, shade + 6, shade));
        p.fillRect(QRectF(0, y + 1, w, 1), QColor(250, 249, 244));
    }
    // The printed page: a light, even type colour, so the open page reads as
    // a page of text and stays close to white seen from afar.
    p.setPen(QColor(96, 92, 88));
    p.setFont(Font("Liberation Serif", 14));
    const QString words = "The light fell across the harbour and she walked on without looking back, while "
                          "the boats knocked softly at their moorings and somewhere a bell counted the hour. "
                          "Nobody on the quay said her name; nobody had to. ";
    QString text;
    for (int i = 0; i < 8; ++i) text += words;
    p.drawText(QRectF(64, band + 24, w - 128, h - band - 84), Qt::TextWordWrap | Qt::AlignJustify, text.trimmed());
    p.setFont(Font("Liberation Serif", 12, QFont::Normal, true));
    p.drawText(QRectF(0, h - 34, w, 20), Qt::AlignCenter, "— 117 —");
    return image;
}

Set Software() {
    return {{"PageForge Studio", "Northlight Software", "Design. Publish. Deliver.", "NORTHLIGHT",
             QColor(14, 40, 90), QColor(40, 110, 190), QColor(255, 160, 40), QColor(250, 250, 255), "Lato"},
            Motif::Software,
            {"PageForge Studio turns your manuscripts, price lists and catalogues into polished print and web "
             "documents in minutes.",
             "Over 400 templates, live preview, one-click export to every format your printer asks for, and "
             "colour management that just works.",
             "System requirements: 64-bit desktop, 4 GB memory, 2 GB disk, display 1280 × 800 or better."},
            "501234567890"};
}

Set Film() {
    return {{"THE LONG EVENING", "A film by Mara Ellison", "Some cities never sleep. Some people never leave.",
             "HARBOURLIGHT PICTURES", QColor(20, 18, 36), QColor(90, 40, 60), QColor(250, 190, 90),
             QColor(250, 245, 235), "Liberation Serif", QFont::Bold},
            Motif::Film,
            {"When a night-shift pilot is stranded in the city she fled twenty years ago, one evening is all "
             "it takes to unravel the past.",
             "“Luminous and heartbreaking.” — The Evening Review",
             "Running time 112 min · Colour · Widescreen 16:9 · Dolby Digital 5.1 · Region 2"},
            "503344556677"};
}

Set Album() {
    return {{"Echo Harbour", "The Tidelines", "the new album", "SALTWATER RECORDS", QColor(10, 50, 70),
             QColor(40, 160, 170), QColor(255, 120, 90), QColor(245, 255, 255), "Lato", QFont::Light},
            Motif::Music,
            {"1. First Light  3:42    2. Echo Harbour  4:18    3. Paper Boats  3:05    4. Undertow  5:11    "
             "5. Lanterns  3:57    6. Slow Tide  4:40    7. The Lighthouse Keeper  6:02    8. Home Again  3:33",
             "Recorded at Pier Studios. Produced by J. Okafor. All songs written by The Tidelines."},
            "506677889900"};
}

Set Jetman() {
    return {{"JETMAN", "Rocket Brothers", "Side A · Side B · 46 min", "ORBIT TAPES", QColor(30, 20, 70),
             QColor(100, 60, 170), QColor(240, 80, 60), QColor(255, 255, 255), "Lato"},
            Motif::Jetman,
            {"A: Lift Off · Jetman · Stratosphere · Fuel Low", "B: Re-entry · Sky Diver · Home Before Dark",
             "Chrome tape. Dolby B noise reduction."},
            "507788990011"};
}

Set Paperback() {
    return {{"The Harbour at Night", "Elena Marsh", "“A quiet triumph” — The Reader", "Lantern Books",
             QColor(16, 30, 60), QColor(60, 90, 140), QColor(240, 200, 120), QColor(250, 245, 230),
             "Liberation Serif", QFont::Bold},
            Motif::Novel,
            {"In a fishing town at the edge of the map, Nell keeps the lighthouse her father left her — and the "
             "secret he kept with it.",
             "When a stranger rows in out of the winter fog, the town's oldest story begins to unravel.",
             "“Marsh writes like the tide: patient, and impossible to resist.”"},
            "9781234567897"};
}

Set SlimPaperback() {
    Set s = Paperback();
    s.theme = {"Short Tides", "Elena Marsh", "Stories", "Lantern Books", QColor(70, 26, 30), QColor(170, 80, 70),
               QColor(250, 220, 160), QColor(255, 248, 235), "Liberation Serif", QFont::Bold};
    s.blurb = {"Nine short stories from the author of The Harbour at Night: ferries, kitchens, late trains and "
               "the small hours in which lives turn.",
               "“Every one of them lingers.”"};
    s.code = "9781234567903";
    return s;
}

Set Hardback() {
    return {{"A History of Maps", "Thomas Whitcombe", "From clay tablets to satellites", "Meridian Press",
             QColor(60, 14, 20), QColor(120, 30, 40), QColor(220, 180, 90), QColor(245, 225, 170), "DejaVu Serif",
             QFont::Bold},
            Motif::Hardback,
            {"For five thousand years we have drawn the world in order to understand it. Thomas Whitcombe tells "
             "the story of the mapmakers, explorers and dreamers who did so.",
             "With 120 illustrations. “Magnificent.” — The Literary Weekly"},
            "9780987654321"};
}

Set Curvy() {
    return {{"Bend the Light", "Sasha Green", "A photographer's notebook", "Meadow House", QColor(20, 70, 50),
             QColor(80, 170, 120), QColor(250, 230, 90), QColor(255, 255, 245), "Lato"},
            Motif::Curvy,
            {"Seventy images and the stories behind them: how to see, wait, and catch the moment the light "
             "bends your way.",
             "Sasha Green has photographed on six continents."},
            "9781112223334"};
}

Set Ezine() {
    return {{"PIXEL & PAGE", "The self-publisher's magazine", "", "PIXEL & PAGE MEDIA", QColor(130, 20, 70),
             QColor(240, 90, 80), QColor(255, 220, 60), QColor(255, 255, 255), "Lato"},
            Motif::Ezine,
            {"In this issue: ten tools for self-publishers, choosing print or pixels, and the story of the cover "
             "that sold a million.",
             "Subscribe at the end of this issue."},
            "977123456789"};
}

// The six info-cube faces: one number and topic each, in one scheme.
QImage CubeFace(int n) {
    const int size = 768;
    const QColor hues[] = {QColor(230, 80, 60), QColor(250, 170, 40), QColor(80, 180, 90), QColor(40, 150, 210),
                           QColor(120, 90, 200), QColor(220, 70, 150)};
    const char* topics[] = {"Plan", "Write", "Design", "Print", "Publish", "Share"};
    QImage image = Canvas(size, size, hues[n - 1]);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QRadialGradient g(size * 0.35, size * 0.3, size * 0.9);
    g.setColorAt(0, hues[n - 1].lighter(140));
    g.setColorAt(1, hues[n - 1].darker(130));
    p.fillRect(image.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 200), size * 0.02));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(size * 0.05, size * 0.05, size * 0.9, size * 0.9), size * 0.06, size * 0.06);
    FittedText(p, QRectF(0, size * 0.1, size, size * 0.55), QString::number(n), Font("Lato", size * 0.5, QFont::Black),
               QColor(255, 255, 255));
    FittedText(p, QRectF(size * 0.1, size * 0.64, size * 0.8, size * 0.14), topics[n - 1],
               Font("Lato", size * 0.11, QFont::Bold), QColor(255, 255, 255));
    FittedText(p, QRectF(size * 0.1, size * 0.79, size * 0.8, size * 0.08), "THE INFO CUBE",
               Font("Lato", size * 0.045, QFont::Normal), QColor(255, 255, 255, 220));
    return image;
}

// The print that wraps around a mug: a wide band, seamless at the ends.
QImage MugPrint() {
    const int w = 1024, h = 420;
    QImage image = Canvas(w, h, QColor(250, 248, 244));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (int i = 0; i < 9; ++i) {
        QPainterPath wave;
        const double y = h * (0.72 + i * 0.035);
        wave.moveTo(0, y);
        for (int k = 0; k < 8; ++k) wave.quadTo(w * (k + 0.5) / 8, y + (k % 2 ? 10 : -10), w * (k + 1) / 8.0, y);
        p.setPen(QPen(QColor(40, 140, 190, 120 + i * 12), 4));
        p.drawPath(wave);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 170, 60));
    p.drawEllipse(QPointF(w * 0.25, h * 0.4), h * 0.2, h * 0.2);
    FittedText(p, QRectF(w * 0.4, h * 0.12, w * 0.5, h * 0.36), "Good Morning", Font("Liberation Serif", h * 0.2, QFont::Bold, true),
               QColor(30, 60, 110));
    FittedText(p, QRectF(w * 0.4, h * 0.46, w * 0.5, h * 0.14), "coffee first, then the world",
               Font("Lato", h * 0.08), QColor(60, 90, 130));
    return image;
}

QImage MugGlaze() {
    const int size = 256;
    QImage image = Canvas(size, size, QColor(240, 240, 236));
    QPainter p(&image);
    QLinearGradient g(0, 0, size, 0);
    g.setColorAt(0, QColor(226, 228, 224));
    g.setColorAt(0.5, QColor(252, 252, 250));
    g.setColorAt(1, QColor(226, 228, 224));
    p.fillRect(image.rect(), g);
    return image;
}

// The disc label: the disc spans the whole square (radius 20), the hole is at radius 7.
// Outside the disc and inside the hole stay pure black, which the loader makes see-through.
QImage DiscLabel() {
    const int size = 512;
    const double outer = size / 2.0, inner = outer * 7.0 / 20.0;
    const QPointF c(outer, outer);
    QImage image = Canvas(size, size, QColor(0, 0, 0));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QPainterPath ring;
    ring.addEllipse(c, outer - 1, outer - 1);
    QPainterPath hole;
    hole.addEllipse(c, inner, inner);
    ring = ring.subtracted(hole);
    p.setClipPath(ring);
    const Set s = Album();
    QRadialGradient g(c, outer);
    g.setColorAt(0.3, s.theme.light);
    g.setColorAt(1, s.theme.deep);
    p.fillRect(image.rect(), g);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 8; ++i) {
        QColor r = i % 3 == 0 ? s.theme.accent : QColor(255, 255, 255);
        r.setAlpha(110);
        p.setPen(QPen(r, 3));
        p.drawEllipse(c, inner + 10 + i * 18, inner + 10 + i * 18);
    }
    p.setClipping(false);
    FittedText(p, QRectF(c.x() - outer * 0.6, c.y() - outer * 0.92, outer * 1.2, outer * 0.3), s.theme.title,
               Font(s.theme.family, outer * 0.16, QFont::Bold), s.theme.text);
    FittedText(p, QRectF(c.x() - outer * 0.55, c.y() + outer * 0.55, outer * 1.1, outer * 0.18), s.theme.byline,
               Font("Lato", outer * 0.1, QFont::Bold), s.theme.accent);
    FittedText(p, QRectF(c.x() + inner + 6, c.y() - 14, outer - inner - 20, 28), "COMPACT DISC  ·  DIGITAL AUDIO",
               Font("Lato", 11), s.theme.text);
    return image;
}

// The clear hub: drawn see-through, so a pale, faintly ringed plastic.
QImage DiscHub() {
    const int size = 256;
    QImage image = Canvas(size, size, QColor(200, 210, 220));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(size / 2.0, size / 2.0, size / 2.0);
    g.setColorAt(0, QColor(235, 240, 245));
    g.setColorAt(0.7, QColor(190, 200, 212));
    g.setColorAt(1, QColor(220, 228, 236));
    p.fillRect(image.rect(), g);
    p.setPen(QPen(QColor(170, 180, 195), 2));
    for (int i = 1; i < 6; ++i) p.drawEllipse(QPointF(size / 2.0, size / 2.0), i * 22.0, i * 22.0);
    return image;
}

bool WriteSet(const QString& dir, const Set& s, const QString& front, const QString& back, const QString& spine,
              QSize frontSize, QSize backSize, int spineWidth) {
    return Save(Front(frontSize.width(), frontSize.height(), s), dir + front) &&
           Save(Back(backSize.width(), backSize.height(), s), dir + back) &&
           Save(Spine(spineWidth, frontSize.height(), s), dir + spine);
}

}  // namespace

QImage SphereEnvironment(int size, bool warm);  // textures.cpp

bool WriteDesignImages(const QString& root) {
    const QString dir = root + "/Design Images/";
    if (!EnsureFolder(dir) || !EnsureFolder(root + "/Software Box")) return false;
    bool ok = true;

    // Retail box 190 × 235 × 50 mm.
    const Set box = Software();
    ok = ok && WriteSet(dir, box, "box-front.jpg", "box-back.jpg", "box-left.jpg", {620, 768}, {620, 768}, 164);
    ok = ok && Save(Spine(164, 768, box), dir + "box-right.jpg") && Save(Spine(164, 768, box), root + "/Software Box/box-right.jpg");
    ok = ok && Save(Edge(620, 164, box), dir + "box-top.jpg") && Save(Edge(620, 164, box), dir + "box-bottom.jpg");

    // DVD case 130 × 184 × 14 mm.
    const Set film = Film();
    ok = ok && WriteSet(dir, film, "dvd-cover.jpg", "dvd-back.jpg", "dvd-spine.jpg", {540, 768}, {540, 768}, 64);
    ok = ok && Save(CaseEdge(64, 768, QColor(40, 42, 48)), dir + "dvd-right.jpg");
    ok = ok && Save(Edge(540, 64, film), dir + "dvd-top.jpg") && Save(Edge(540, 64, film), dir + "DVD-bottom.jpg");

    // Jewel case: booklet 120 × 120, tray card 138 × 118, spines 6 mm.
    const Set album = Album();
    ok = ok && Save(Front(768, 768, album), dir + "jewel-case-front.jpg") &&
         Save(Back(768, 656, album), dir + "jewel-case-back.jpg") &&
         Save(Spine(48, 656, album), dir + "jewel-case-left-right.jpg") &&
         Save(Edge(768, 48, album), dir + "jewel-case-top.jpg") && Save(Edge(768, 48, album), dir + "jewel-case-bottom.jpg");

    // Cassette J-card: front 64 × 100, spine 12 mm, back flap.
    const Set tape = Jetman();
    ok = ok && WriteSet(dir, tape, "jetman-front.jpg", "jetman-back.jpg", "jetman-spine.jpg", {440, 688}, {440, 688}, 96);
    ok = ok && Save(CaseEdge(96, 688, QColor(200, 205, 215)), dir + "jetman-right.jpg");
    ok = ok && Save(Edge(440, 96, tape), dir + "jetman-top.jpg") && Save(Edge(440, 96, tape), dir + "jetman-bottom.jpg");

    for (int n = 1; n <= 6; ++n) ok = ok && Save(CubeFace(n), dir + QString("%1-info-cube.jpg").arg(n));

    // Paperbacks 110 × 178 mm, spines 20 and 10 mm.
    ok = ok && WriteSet(dir, Paperback(), "paperback-front.jpg", "paperback-back.jpg", "paperback-spine.jpg",
                        {474, 768}, {474, 768}, 88);
    ok = ok && WriteSet(dir, SlimPaperback(), "slim-paperback-front.jpg", "slim-paperback-back.jpg",
                        "slim-paperback-spine.jpg", {474, 768}, {474, 768}, 48);
    // Hard-back 156 × 234 mm, spine 30 mm.
    ok = ok && WriteSet(dir, Hardback(), "front.jpg", "back.jpg", "Spine.jpg", {512, 768}, {512, 768}, 100);
    ok = ok && WriteSet(dir, Curvy(), "curvy-book-front.jpg", "curvy-book-back.jpg", "curvy-book-spine.jpg",
                        {512, 768}, {512, 768}, 80);
    // Magazine 210 × 297 mm, 5 mm spine.
    ok = ok && WriteSet(dir, Ezine(), "ezine-cover.jpg", "ezine-back.jpg", "ezine-spine.jpg", {544, 768}, {544, 768}, 32);

    ok = ok && Save(MugPrint(), dir + "Mug.jpg") && Save(MugGlaze(), dir + "MugTexture.jpg");
    ok = ok && Save(DiscLabel(), dir + "CDOut.jpg", true) && Save(DiscHub(), dir + "CDIn.jpg");
    ok = ok && Save(PageImage(), dir + "ePage.jpg");
    ok = ok && Save(SphereEnvironment(256, true), dir + "Envroll.bmp");
    return ok;
}

}  // namespace assetgen
