// The generated models drawn the way the renderers place them, with labelled
// test images: each package must sit well inside the picture, and the front
// image must land upright and unmirrored on the box's front.
//
// VELLUMARK_MODEL_PICTURES=folder also writes every picture there as PNG.

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>

#include "assets/loader_3ds.h"
#include "assets/model_set.h"
#include "assets/program_folder.h"
#include "assets/texture_pixels.h"
#include "platform/gl.h"
#include "platform/offscreen_view.h"
#include "platform/scripted_platform.h"

namespace vm {
namespace {

constexpr int kWidth = 320, kHeight = 240;

// A test image: four coloured quadrants (red top left, green top right,
// blue bottom left, yellow bottom right), a label and an arrow pointing up.
QImage labelImage(const QString& label) {
    QImage image(256, 256, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, 128, 128, QColor(220, 40, 40));
    p.fillRect(128, 0, 128, 128, QColor(40, 200, 40));
    p.fillRect(0, 128, 128, 128, QColor(40, 40, 220));
    p.fillRect(128, 128, 128, 128, QColor(230, 220, 40));
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(44);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 90, 256, 80), Qt::AlignCenter, label);
    p.setBrush(Qt::white);
    const QPoint arrow[3] = {QPoint(128, 10), QPoint(100, 60), QPoint(156, 60)};
    p.drawPolygon(arrow, 3);
    return image;
}

// A page: white paper with grey lines of text and margins.
QImage pageImage() {
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(QColor(250, 248, 240));
    QPainter p(&image);
    for (int y = 20; y < 236; y += 9) p.fillRect(20, y, (y * 37) % 60 + 160, 4, QColor(120, 120, 120));
    return image;
}

GLuint upload(const QImage& image) {
    const std::vector<std::uint8_t> pixels = TexturePixels(image, image.width(), image.height());
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width(), image.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    return name;
}

enum class Placement { Box, Retail, Book, Mug };

class ModelRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.isValid()) << host.error().toStdString();
        ASSERT_TRUE(host.makeCurrent());
        SetProgramFolderCurrent();
        for (int i = 0; i < kModelCount; ++i) {
            GetModel(ModelId(i)).clear();
            ASSERT_TRUE(loader.LoadModelFile(GetModel(ModelId(i)), QString::fromStdString(ModelFileName(ModelId(i))),
                                             platform));
        }
        const char* faces[6] = {"FRONT", "RIGHT", "BACK", "LEFT", "BOTTOM", "TOP"};
        for (int i = 0; i < 6; ++i) textures[i] = upload(labelImage(faces[i]));
        textures[6] = upload(pageImage());
    }

    // Draws `model` (and optionally its mirror) as the renderers place it,
    // from an angle, lit from the front. Returns the picture, top row first.
    QImage draw(ModelId id, Placement placement, float rotX, float rotY, const ModelId* mirror = nullptr,
                GLuint bookTexture = 0) {
        begin();
        for (const ModelId* which : {static_cast<const ModelId*>(&id), mirror}) {
            if (!which) continue;
            glLoadIdentity();
            switch (placement) {
                case Placement::Box:
                case Placement::Retail:
                case Placement::Mug: glTranslatef(0, 0, -100); break;
                case Placement::Book: glTranslatef(0, 0, -20); break;
            }
            glRotatef(rotX, 1, 0, 0);
            glRotatef(rotY, 0, 1, 0);
            if (placement == Placement::Retail) glScalef(5, 6.4f, 0.5f);
            if (placement == Placement::Box || placement == Placement::Mug) glScalef(5, 5, 5);
            const Model3DS& model = GetModel(*which);
            for (const ModelObject& object : model.pObjects) {
                GLuint texture = bookTexture;
                if (placement == Placement::Box || placement == Placement::Retail)
                    texture = textures[std::clamp(object.nMaterial, 0, 5)];
                if (placement == Placement::Mug) texture = textures[&object == &model.pObjects[0] ? 0 : 5];
                glBindTexture(GL_TEXTURE_2D, texture);
                DrawMeshObject(object);
            }
        }
        return end();
    }

    // A book set: every part with the image its name says.
    QImage drawSet(const std::vector<ModelId>& ids, float rotX, float rotY) {
        std::vector<std::pair<ModelId, GLuint>> parts;
        for (ModelId id : ids) {
            const QString stem = QString::fromUtf8(ModelStem(id));
            GLuint texture = textures[6];
            if (stem.contains("Front")) texture = textures[0];
            else if (stem.contains("Back")) texture = textures[2];
            else if (stem.contains("Spine") || stem.contains("Binder") || stem.contains("Left")) texture = textures[3];
            parts.push_back({id, texture});
        }
        return drawParts(parts, rotX, rotY);
    }

    QImage drawParts(const std::vector<std::pair<ModelId, GLuint>>& parts, float rotX, float rotY) {
        begin();
        for (const auto& [id, texture] : parts) {
            glLoadIdentity();
            glTranslatef(0, 0, -20);
            glRotatef(rotX, 1, 0, 0);
            glRotatef(rotY, 0, 1, 0);
            glBindTexture(GL_TEXTURE_2D, texture);
            DrawMesh(GetModel(id));
        }
        return end();
    }

    void begin() {
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45, double(kWidth) / kHeight, 0.1, 1000);
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_NORMALIZE);
        const GLfloat light[4] = {0.3f, 0.5f, 1.0f, 0.0f}, ambient[4] = {0.35f, 0.35f, 0.35f, 1};
        glLoadIdentity();
        glLightfv(GL_LIGHT0, GL_POSITION, light);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
        glColor3f(1, 1, 1);
        glEnable(GL_COLOR_MATERIAL);
    }
    QImage end() {
        glFinish();
        host.swapBuffers();
        return host.grabImage();
    }

    void save(const QImage& image, const QString& name) {
        const QByteArray folder = qgetenv("VELLUMARK_MODEL_PICTURES");
        if (folder.isEmpty()) return;
        QDir().mkpath(QString::fromLocal8Bit(folder));
        image.save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
    }

    // The bounding box of the pixels that are not background.
    static QRect drawnArea(const QImage& image) {
        QRect area;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) area |= QRect(x, y, 1, 1);
        return area;
    }

    OffscreenView host{kWidth, kHeight, 0};
    ScriptedPlatform platform;
    Loader3DS loader;
    GLuint textures[7] = {};
};

TEST_F(ModelRenderTest, BoxFrontShowsItsImageUprightAndUnmirrored) {
    const QImage image = draw(ModelId::Cube1, Placement::Box, 0, 0);
    save(image, "Cube1-front");
    // The front spans +-15.5 at distance 84.5; sample inside its quadrants.
    const int cx = kWidth / 2, cy = kHeight / 2, d = 25;
    auto near = [](QRgb c, int r, int g, int b) {
        return std::abs(qRed(c) - r) < 90 && std::abs(qGreen(c) - g) < 90 && std::abs(qBlue(c) - b) < 90;
    };
    EXPECT_TRUE(near(image.pixel(cx - d, cy - d), 220, 40, 40)) << "top left should be red";
    EXPECT_TRUE(near(image.pixel(cx + d, cy - d), 40, 200, 40)) << "top right should be green";
    EXPECT_TRUE(near(image.pixel(cx - d, cy + d), 40, 40, 220)) << "bottom left should be blue";
    EXPECT_TRUE(near(image.pixel(cx + d, cy + d), 230, 220, 40)) << "bottom right should be yellow";
}

TEST_F(ModelRenderTest, EveryPackageSitsWellInsideThePicture) {
    struct Shot {
        ModelId id;
        ModelId mirror;
        Placement placement;
    };
    const Shot shots[] = {
        {ModelId::Cube1, ModelId::Cube2, Placement::Box},
        {ModelId::Cube1, ModelId::Cube2, Placement::Retail},
        {ModelId::DVDStack1, ModelId::DVDStack1M, Placement::Box},
        {ModelId::DVDStack2, ModelId::DVDStack2M, Placement::Box},
        {ModelId::CoffeeMug, ModelId::CoffeeMugMirror, Placement::Mug},
        {ModelId::FlatCoffeeMug, ModelId::FlatCoffeeMug, Placement::Mug},
    };
    for (const Shot& shot : shots) {
        const QString name = QString::fromUtf8(ModelStem(shot.id)) + (shot.placement == Placement::Retail ? "-retail" : "");
        save(draw(shot.id, shot.placement, 20, 30, &shot.mirror), name + "-with-mirror");
        const QImage image = draw(shot.id, shot.placement, 20, 30);
        save(image, name);
        const QRect area = drawnArea(image);
        EXPECT_FALSE(area.isEmpty()) << name.toStdString();
        EXPECT_TRUE(QRect(2, 2, kWidth - 4, kHeight - 4).contains(area)) << name.toStdString();
    }
    // The book kinds: four parts each, with their mirrors.
    const std::vector<ModelSet> books = {ModelSet::Book, ModelSet::EZine, ModelSet::Curl, ModelSet::Open,
                                         ModelSet::Display, ModelSet::StandUp};
    for (ModelSet set : books) {
        const std::vector<ModelId> ids = ModelsOf(set);
        glViewport(0, 0, kWidth, kHeight);
        QImage image;
        // Draw all eight models of the set together.
        std::vector<ModelId> parts;  // the mirrors reach below the picture by design
        for (ModelId id : ids)
            if (!ModelStem(id).ends_with('M')) parts.push_back(id);
        image = drawSet(parts, 30, 20);
        save(drawSet(ids, 20, 30), QString::fromUtf8(ModelStem(ids.front())) + "-with-mirror");
        const QString name = QString::fromUtf8(ModelStem(ids.front())) + "-set";
        save(image, name);
        const QRect area = drawnArea(image);
        EXPECT_FALSE(area.isEmpty()) << name.toStdString();
        EXPECT_TRUE(QRect(2, 2, kWidth - 4, kHeight - 4).contains(area)) << name.toStdString();
        for (const float rotY : {0.0f, 90.0f, 180.0f, -90.0f})
            save(drawSet(parts, 15, rotY), name + QString::number(int(rotY)));
    }
}

}  // namespace
}  // namespace vm
