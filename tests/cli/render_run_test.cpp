// Runs the vellumark-render executable as a user would.

#include <gtest/gtest.h>

#include <algorithm>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

struct RunResult {
    int exitCode;
    QString out, err;
};

RunResult render(const QStringList& args) {
    QProcess process;
    process.start(VELLUMARK_RENDER_EXE, args);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

TEST(VellumarkRender, WritesAPictureOfTheAskedSize) {
    QTemporaryDir dir;
    for (const char* name : {"frame.png", "frame.bmp"}) {
        const QString path = dir.filePath(name);
        const RunResult run = render({"--size", "320x200", "--out", path});
        ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
        const QImage image(path);
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.size(), QSize(320, 200));
        EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 255, 255));
    }
}

TEST(VellumarkRender, BadArgumentsExitNonZeroWithAMessage) {
    const RunResult run = render({"--size", "big", "--out", "x.png"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("--size")) << qPrintable(run.err);
    const RunResult unwritable = render({"--out", "/nonexistent-folder/x.png"});
    EXPECT_NE(unwritable.exitCode, 0);
    EXPECT_TRUE(unwritable.err.contains("cannot write")) << qPrintable(unwritable.err);
}

TEST(VellumarkRender, HelpExplainsTheOptions) {
    const RunResult run = render({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("--size"));
    EXPECT_TRUE(run.out.contains("--out"));
}

TEST(VellumarkRender, RelativePathsBelongToTheFolderItWasStartedIn) {
    QTemporaryDir dir;
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(VELLUMARK_RENDER_EXE, {"--size", "64x48", "--out", "relative.png"});
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_FALSE(QImage(dir.filePath("relative.png")).isNull()) << "the picture went elsewhere";
}

TEST(VellumarkRender, FifosAndFoldersAreRefusedInsteadOfRead) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("scene.VLMK");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Opening the FIFO for reading would block until a writer comes: the
    // run would not end before the test's own time limit.
    RunResult run = render({"--scene", fifo, "--out", dir.filePath("a.png")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("it is not a regular file")) << qPrintable(run.err);

    run = render({"--scene", dir.path(), "--out", dir.filePath("a.png")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("it is a folder")) << qPrintable(run.err);

}

// A face image that cannot be read fails the run: no picture with the
// sample artwork in its place, whatever the reason the file does not read.
TEST(VellumarkRender, AFaceImageThatCannotBeReadIsAnError) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("cover.jpg");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString text = dir.filePath("notes.jpg");
    QFile notes(text);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a picture");
    notes.close();
    const QString unreadable[] = {dir.filePath("missing.jpg"), dir.path(), fifo, "/dev/zero", text};
    for (const QString& image : unreadable) {
        const QString out = dir.filePath("out.png");
        const RunResult run = render({"--size", "64x48", "--face", "front=" + image, "--out", out});
        EXPECT_NE(run.exitCode, 0) << qPrintable(image);
        EXPECT_TRUE(run.err.contains("could not be read")) << qPrintable(run.err);
        EXPECT_FALSE(QFile::exists(out)) << qPrintable(image);
    }
}

TEST(VellumarkRender, AnUnwritableOutputIsReportedWithItsCause) {
    QTemporaryDir dir;
    const RunResult run = render({"--size", "64x48", "--out", dir.filePath("missing/x.png")});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_TRUE(run.err.contains("the folder does not exist")) << qPrintable(run.err);
}

TEST(VellumarkRender, TextIsOffUnlessAskedAndTwoLinesStandTaller) {
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.png"), one = dir.filePath("one.png"), two = dir.filePath("two.png");
    const QStringList size = {"--size", "240x180"};
    ASSERT_EQ(render(size + QStringList{"--out", plain}).exitCode, 0);
    const RunResult run = render(size + QStringList{"--text", "Vellumark", "--out", one});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    ASSERT_EQ(render(size + QStringList{"--text", "Vell\\numark", "--font", "DejaVu Sans", "--out", two}).exitCode, 0);
    // The rows where the text changed the package picture.
    const QImage base(plain);
    auto changedRows = [&base](const QImage& image) {
        int top = image.height(), bottom = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != base.pixel(x, y)) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return bottom - top + 1;
    };
    const int oneLine = changedRows(QImage(one));
    EXPECT_GT(oneLine, 10) << "--text shows the text over the New scene, which has none";
    EXPECT_GT(changedRows(QImage(two)), oneLine * 17 / 10);
}

TEST(VellumarkRender, BackgroundColourAndPictureFromTheCommandLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath("blue.png");
    RunResult run = render({"--size", "160x120", "--background", "#2040C8", "--out", path});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(QImage(path).pixelColor(0, 0), QColor(0x20, 0x40, 0xC8));

    const QString picture = dir.filePath("green.png");
    QImage green(400, 300, QImage::Format_RGB32);
    green.fill(QColor(30, 200, 60));
    ASSERT_TRUE(green.save(picture));
    const QString shown = dir.filePath("shown.png");
    // In the classic look the package keeps its place in front of the picture.
    run = render({"--look", "classic", "--size", "160x120", "--background-picture", picture, "--out", shown});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const QImage image(shown);
    int greenPixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(30, 200, 60)) ++greenPixels;
    EXPECT_GT(greenPixels, 300) << "the picture shows around the package";

    run = render({"--background", "blue", "--out", path});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("#RRGGBB")) << qPrintable(run.err);
    run = render({"--background-picture", dir.filePath("missing.jpg"), "--out", path});
    EXPECT_TRUE(run.err.contains("could not be read")) << qPrintable(run.err);
}

namespace {

QString plainImage(const QTemporaryDir& dir, const QString& name, QColor colour) {
    QImage image(512, 512, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

// How many pixels of the picture are near `colour`.
int pixelsNear(const QImage& picture, QColor colour) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) < 100)
                ++count;
        }
    return count;
}

}  // namespace

TEST(VellumarkRender, EveryBoxAndBookPackageShowsAFrontGivenOnTheCommandLine) {
    QTemporaryDir dir;
    const QString red = plainImage(dir, "red.png", QColor(230, 0, 0));
    for (const char* package : {"Cube.jpg", "BigBox.jpg", "BigBoxCD.jpg", "RetailBox.jpg", "DVD.jpg", "DVD-CD.jpg",
                                "SlimDVD.jpg", "CD.jpg", "CD-case.jpg", "SlimCD.jpg", "Tape.jpg", "Book.jpg",
                                "CurlyBook.jpg", "OpenBook.jpg", "BookDisplay.jpg", "OpenStanding.jpg",
                                "E-Zines.jpg", "DVDStack1.jpg", "DVDStack2.jpg", "Paperback.jpg", "SlimBook.jpg",
                                "Picture.jpg"}) {
        SCOPED_TRACE(package);
        const QString out = dir.filePath(QString(package) + ".png");
        const RunResult run = render({"--size", "160x120", "--package", package, "--face", "front=" + red, "--out", out});
        ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
        EXPECT_GT(pixelsNear(QImage(out), QColor(230, 0, 0)), 30);
    }
}

TEST(VellumarkRender, TheCDDiscLabelAndPlainColouredFaces) {
    QTemporaryDir dir;
    const QString cyan = plainImage(dir, "cyan.png", QColor(0, 200, 220));
    RunResult run = render({"--size", "160x120", "--package", "CD-Disk.jpg", "--face", "label=" + cyan, "--out",
                            dir.filePath("disc.png")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_GT(pixelsNear(QImage(dir.filePath("disc.png")), QColor(0, 200, 220)), 80);

    run = render({"--size", "160x120", "--package", "DVD.jpg", "--face-colour", "front=#20c040", "--out",
                  dir.filePath("green.png")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_GT(pixelsNear(QImage(dir.filePath("green.png")), QColor(0x20, 0xc0, 0x40)), 80);

    run = render({"--package", "Book.jpg", "--face", "top=" + cyan, "--out", dir.filePath("x.png")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("no top face; its faces are: front, back, left")) << qPrintable(run.err);
    run = render({"--face-colour", "front=red", "--out", dir.filePath("x.png")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("--face-colour")) << qPrintable(run.err);
}

TEST(VellumarkRender, FitFillsThePictureWithTheSmallestPackage) {
    QTemporaryDir dir;
    const QString out = dir.filePath("tape.png");
    const RunResult run = render({"--package", "Tape.jpg", "--size", "240x180", "--fit", "--transparent", "--out", out});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const QImage picture(out);
    QRect box;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(picture.pixel(x, y)) >= 51) box |= QRect(x, y, 1, 1);
    const double share = std::max(box.width() / 240.0, box.height() / 180.0);
    EXPECT_GE(share, 0.75);
    EXPECT_LE(share, 0.85);
}

TEST(VellumarkRender, TheOrderOfFaceOptionsNeverMatters) {
    QTemporaryDir dir;
    const QString red = plainImage(dir, "red.png", QColor(230, 0, 0));
    const QString blue = plainImage(dir, "blue.png", QColor(0, 40, 220));
    const QString green = plainImage(dir, "green.png", QColor(20, 200, 40));
    const struct {
        const char* package;
        QStringList faces;  // given in this order, then the other way round
    } cases[] = {
        {"Mug.jpg", {"mug=" + red, "front=" + blue}},
        {"DVD.jpg", {"mug=" + red, "front=" + blue}},
        {"Mug.jpg", {"mug=" + red}},
        {"RetailBox.jpg", {"front=" + red, "right=" + blue, "top=" + green}},
        {"Book.jpg", {"back=" + red, "front=" + blue, "left=" + green}},
        {"CD-Disk.jpg", {"label=" + red, "front=" + blue}},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.package + (" " + c.faces.join(" ")).toStdString());
        RunResult runs[2];
        QImage pictures[2];
        for (int order = 0; order < 2; ++order) {
            QStringList args = {"--size", "160x120", "--package", c.package};
            QStringList faces = c.faces;
            if (order == 1) std::reverse(faces.begin(), faces.end());
            for (const QString& face : faces) args << "--face" << face;
            const QString out = dir.filePath(QString("order-%1-%2.png").arg(n).arg(order));
            runs[order] = render(args << "--out" << out);
            pictures[order] = QImage(out);
        }
        ++n;
        EXPECT_EQ(runs[0].exitCode, runs[1].exitCode);
        EXPECT_EQ(runs[0].err, runs[1].err);
        if (runs[0].exitCode == 0) {
            ASSERT_FALSE(pictures[0].isNull());
            EXPECT_EQ(pictures[0], pictures[1]);
        } else {
            EXPECT_TRUE(runs[0].err.contains("its faces are")) << qPrintable(runs[0].err);
        }
    }
}

// In the studio look a package without a scene is framed whole, with its
// reflection and shadow, at any proportions of the picture.
TEST(VellumarkRender, AStudioPictureOfAPackageHasItWholeInTheFrame) {
    QTemporaryDir dir;
    for (const char* package : {"RetailBox.jpg", "DVDStack2.jpg", "OpenStanding.jpg", "Mug.jpg", "Picture.jpg"})
        for (const char* size : {"480x270", "300x300", "270x480"}) {
            SCOPED_TRACE(testing::Message() << package << " " << size);
            const QString path = dir.filePath("framed.png");
            const RunResult run = render({"--package", package, "--size", size, "--transparent", "--out", path});
            ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
            const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(image.isNull());
            QRect solid;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(image.pixel(x, y)) > 12) solid |= QRect(x, y, 1, 1);
            ASSERT_TRUE(solid.isValid());
            const double share = std::max(double(solid.width()) / image.width(), double(solid.height()) / image.height());
            EXPECT_GE(share, 0.75);
            EXPECT_LE(share, 0.85);
            // Nothing of it is cut off by the picture's edges.
            for (int x = 0; x < image.width(); ++x) {
                EXPECT_LT(qAlpha(image.pixel(x, 0)), 8);
                EXPECT_LT(qAlpha(image.pixel(x, image.height() - 1)), 8);
            }
        }
}
