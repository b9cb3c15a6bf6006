// Files dropped on the view of a real main window (Xvfb): an image lands on
// the face under the cursor, on the front over the background; a scene file
// opens; anything else is refused in the status bar.

#include <gtest/gtest.h>

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>
#include <map>

#include "support/main_window_fixture.h"
#include "view/face_drop.h"
#include "view/package_choice.h"

using namespace vm;

namespace {

// Where a box face's picked path is kept (m_strFacePath runs front, back,
// left, top, bottom, right).
int pathIndexOf(Face face) {
    switch (face) {
        case Face::Front: return 0;
        case Face::Back: return 1;
        case Face::Left: return 2;
        case Face::Right: return 5;
        case Face::Top: return 3;
        case Face::Bottom: return 4;
    }
    return 0;
}

// Six colours far apart in hue, one per face, for telling the faces apart in
// a picture.
const QColor kFaceColours[6] = {QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(0, 0, 255),
                                QColor(255, 255, 0), QColor(255, 0, 255), QColor(0, 255, 255)};

// The face whose colour a pixel shows, or -1 for a pixel of no face colour
// (background, floor, reflection, edges). Shading scales a colour, so the
// pixel is compared by its proportions.
int faceOfPixel(QColor pixel) {
    const int r = pixel.red(), g = pixel.green(), b = pixel.blue();
    const int top = std::max({r, g, b}), low = std::min({r, g, b});
    if (top < 60 || top - low < 60) return -1;
    const auto on = [top](int c) { return c > top * 3 / 4; };
    const auto off = [top](int c) { return c < top / 4; };
    for (int face = 0; face < 6; ++face) {
        const QColor& k = kFaceColours[face];
        const bool match = (k.red() ? on(r) : off(r)) && (k.green() ? on(g) : off(g)) && (k.blue() ? on(b) : off(b));
        if (match) return face;
    }
    return -1;
}

class DropOnView : public test::MainWindowTest {
protected:
    void drop(const QString& path, QPoint at) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        // As a drag from a file manager arrives: it enters, then drops.
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame->viewWidget(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame->viewWidget(), &event);
        EXPECT_TRUE(event.isAccepted());
    }
    void choose(const char* package) {
        WritePackageValues(view->scene(), PackageIndex(package));
        settle(4);
    }
    // Colours every face plain in its own colour, as "Colour" does.
    void colourFaces() {
        for (int face = 0; face < 6; ++face) {
            const QColor& c = kFaceColours[face];
            view->scene().m_fFaceRGB[face][0] = float(c.redF());
            view->scene().m_fFaceRGB[face][1] = float(c.greenF());
            view->scene().m_fFaceRGB[face][2] = float(c.blueF());
            view->scene().m_fFacePlain[face] = 2;
            view->scene().m_fFaceColoured[face] = 2;
        }
        settle();
    }
    // For every face seen over more than a few hundred pixels, a point well
    // inside it: the face's pixel nearest to the middle of its seen pixels.
    std::map<int, QPoint> visibleFaces(const QImage& picture) {
        std::map<int, QPoint> sum;
        std::map<int, int> count;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (const int face = faceOfPixel(picture.pixelColor(x, y)); face >= 0) {
                    sum[face] += QPoint(x, y);
                    ++count[face];
                }
        std::map<int, QPoint> points;
        for (const auto& [face, n] : count) {
            if (n < 300) continue;
            const QPoint middle = sum[face] / n;
            // The middle of a lit face may fall on its own reflection's edge:
            // take the nearest pixel of the face that has the face all around.
            int best = INT_MAX;
            for (int y = 3; y < picture.height() - 3; ++y)
                for (int x = 3; x < picture.width() - 3; ++x) {
                    const int d = (x - middle.x()) * (x - middle.x()) + (y - middle.y()) * (y - middle.y());
                    if (d >= best) continue;
                    bool inside = true;
                    for (int dy = -3; dy <= 3 && inside; dy += 3)
                        for (int dx = -3; dx <= 3 && inside; dx += 3)
                            inside = faceOfPixel(picture.pixelColor(x + dx, y + dy)) == face;
                    if (inside) {
                        best = d;
                        points[face] = QPoint(x, y);
                    }
                }
        }
        return points;
    }
    // Drops a new image on every face seen at the current pose and checks
    // that each lands on the face under the point. Returns the faces seen.
    std::vector<Face> dropOnEveryVisibleFace(const QString& pose) {
        colourFaces();
        const QImage coloured = viewPicture();
        keep(coloured, "drop-faces-" + pose + ".png");
        const std::map<int, QPoint> points = visibleFaces(coloured);
        std::vector<Face> seen;
        for (const auto& [index, at] : points) {
            const Face face = Face(index);
            SCOPED_TRACE(pose.toStdString() + " " + FaceName(face));
            seen.push_back(face);
            const std::optional<Face> named = FaceAt(*view, at.x(), at.y());
            EXPECT_TRUE(named.has_value());
            EXPECT_EQ(*named, face);
            const QString file = image(pose + "-" + FaceName(face) + ".png", QColor(90, 40, 200));
            drop(file, at);
            settle();
            EXPECT_EQ(view->scene().m_strFacePath[pathIndexOf(face)], file);
            // The face shows its image again, not its colour.
            EXPECT_EQ(view->scene().m_fFacePlain[index], 0);
        }
        return seen;
    }
};

}  // namespace

TEST_F(DropOnView, AnImageLandsOnTheFaceUnderTheCursorAtTwoPoses) {
    choose("RetailBox.jpg");
    const std::vector<Face> front = dropOnEveryVisibleFace("default");
    // The default pose looks at the front, the left side and the top.
    EXPECT_GE(front.size(), 3u);
    EXPECT_NE(std::find(front.begin(), front.end(), Face::Front), front.end());
    EXPECT_NE(std::find(front.begin(), front.end(), Face::Left), front.end());

    // Turned half round about the vertical: the back and the right side.
    view->scene().m_fRotY += 180;
    settle();
    const std::vector<Face> back = dropOnEveryVisibleFace("turned");
    EXPECT_GE(back.size(), 3u);
    EXPECT_NE(std::find(back.begin(), back.end(), Face::Back), back.end());
    EXPECT_NE(std::find(back.begin(), back.end(), Face::Right), back.end());
    EXPECT_EQ(std::find(back.begin(), back.end(), Face::Front), back.end());
}

TEST_F(DropOnView, TheBackgroundTakesTheFrontAndABookItsCoverSpineAndBack) {
    choose("DVD.jpg");
    // In a DVD cover's proportions: a stretched one would be named in the status bar instead.
    const QString file = image("cover.png", QColor(20, 180, 90), {540, 768});
    EXPECT_FALSE(FaceAt(*view, 4, 4).has_value());
    drop(file, QPoint(4, 4));
    settle();
    EXPECT_EQ(view->scene().m_strFacePath[0], file);
    EXPECT_EQ(view->scene().m_fFacePathLen[0], float(file.size()));
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains("front face")) << qPrintable(frame->statusBar()->currentMessage());

    // The DVD's back, dropped on it turned round.
    view->scene().m_fRotY = 210;
    settle();
    const QString back = image("dvd back.png", QColor(230, 120, 20));
    const QSize size = frame->viewWidget()->size();
    const QPoint middle(size.width() / 2, size.height() / 2);
    ASSERT_EQ(FaceAt(*view, middle.x(), middle.y()), Face::Back);
    drop(back, middle);
    settle();
    EXPECT_EQ(view->scene().m_strFacePath[1], back);
    keep(viewPicture(), "dvd-dropped-back.png");

    // A book at the start pose: the cover fills the middle of what is drawn.
    choose("Book.jpg");
    view->scene().m_fRotX = 30;
    view->scene().m_fRotY = 30;
    settle();
    const QImage book = viewPicture();
    QPoint sum;
    int drawn = 0;
    for (int y = 0; y < book.height(); ++y)
        for (int x = 0; x < book.width(); ++x)
            if (book.pixel(x, y) != book.pixel(0, 0)) {
                sum += QPoint(x, y);
                ++drawn;
            }
    ASSERT_GT(drawn, 1000);
    const QPoint cover = sum / drawn;
    ASSERT_EQ(FaceAt(*view, cover.x(), cover.y()), Face::Front);
    const QString bookFront = image("book front.png", QColor(200, 30, 60));
    drop(bookFront, cover);
    settle();
    EXPECT_EQ(view->scene().m_strBookFacePath[3], bookFront);
    EXPECT_EQ(view->scene().m_fBookFacePathLen[0], float(bookFront.size()));
    keep(viewPicture(), "book-dropped-front.png");
}

TEST_F(DropOnView, ASceneFileOpensAndOtherFilesChangeNothing) {
    choose("Book.jpg");
    view->scene().m_fRotY = 77;
    const QString scene = folder.filePath("dropped.VLMK");
    ASSERT_TRUE(view->SaveSceneFile(scene));
    choose("DVD.jpg");
    ASSERT_EQ(view->scene().m_fPackageFamily, 4.0f);
    drop(scene, QPoint(100, 100));
    settle();
    EXPECT_EQ(view->scene().m_fPackageFamily, 0.0f);
    EXPECT_EQ(view->scene().m_fRotY, 77.0f);
    EXPECT_TRUE(platform.callsOf("messageBox").empty());

    // A text file: a clear word in the status bar, and the scene as it was.
    const QString notes = folder.filePath("notes.txt");
    QFile text(notes);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture\n");
    text.close();
    const QString frontBefore = view->scene().m_strBookFacePath[3];
    const QString boxBefore = view->scene().m_strFacePath[0];
    drop(notes, QPoint(100, 100));
    const QString message = frame->statusBar()->currentMessage();
    EXPECT_TRUE(message.contains("notes.txt")) << qPrintable(message);
    EXPECT_TRUE(message.contains("nothing was changed")) << qPrintable(message);
    settle();
    EXPECT_EQ(view->scene().m_strBookFacePath[3], frontBefore);
    EXPECT_EQ(view->scene().m_strFacePath[0], boxBefore);
    EXPECT_FALSE(view->m_givenPickFile.has_value());
    EXPECT_EQ(view->scene().m_fPackageFamily, 0.0f);

    // A picture named like an image that is none is refused the same way.
    const QString fake = folder.filePath("fake.png");
    QFile::copy(notes, fake);
    drop(fake, QPoint(100, 100));
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains("nothing was changed"));
}
