// The CSV reader and batches of pictures, one per row.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>

#include "cli/batch_render.h"
#include "cli/csv_reader.h"
#include "cli/render_options.h"

using namespace vm;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

TEST(ParseCsv, ReadsQuotedFieldsAsSpreadsheetsWriteThem) {
    const CsvTable table = ParseCsv(QString::fromUtf8(
        "\xEF\xBB\xBFout,front\r\n"
        "\"a, b.png\",\"say \"\"hi\"\"\"\r\n"
        "\n"
        "plain.png,\"two\nlines\"\n"
        "last.png,"));
    ASSERT_TRUE(table.error.isEmpty()) << qPrintable(table.error);
    ASSERT_EQ(table.rows.size(), 4);
    EXPECT_EQ(table.rows[0].fields, QStringList({"out", "front"}));
    EXPECT_EQ(table.rows[1].fields, QStringList({"a, b.png", "say \"hi\""}));
    EXPECT_EQ(table.rows[1].line, 2);
    EXPECT_EQ(table.rows[2].fields, QStringList({"plain.png", "two\nlines"}));
    EXPECT_EQ(table.rows[2].line, 4);  // the blank line 3 is skipped
    EXPECT_EQ(table.rows[3].line, 6);  // the quoted line break counted
    EXPECT_EQ(table.rows[3].fields, QStringList({"last.png", ""}));
}

TEST(ParseCsv, CountsLinesTheSameForEveryLineEnding) {
    // Old-style CR line endings, with a break inside a quoted field: the rows
    // after it start on the lines an editor shows.
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const QString eol = QString::fromLatin1(end);
        const CsvTable table = ParseCsv("out" + eol + "\"two" + eol + "lines\"" + eol + "last.png" + eol);
        ASSERT_EQ(table.rows.size(), 3) << qPrintable(eol.toUtf8().toHex());
        EXPECT_EQ(table.rows[1].fields, QStringList({"two" + eol + "lines"}));
        EXPECT_EQ(table.rows[2].line, 4) << qPrintable(eol.toUtf8().toHex());
    }
    EXPECT_EQ(ParseCsv("out\r\"a\rb\r\"c\r").error, "line 4: text after a closing quote");
}

TEST(ParseCsv, RefusesBrokenQuotingWithTheLine) {
    EXPECT_EQ(ParseCsv("out\n\"open.png\n").error, "line 2: a quoted field is not closed");
    EXPECT_EQ(ParseCsv("out\n\"a\"b\n").error, "line 2: text after a closing quote");
    // A quote inside an unquoted field is only a character.
    EXPECT_EQ(ParseCsv("a\"b").rows[0].fields, QStringList({"a\"b"}));
}

TEST(ReadBatch, ChecksTheHeaderAndSplitsRowsIntoShards) {
    QTemporaryDir dir;
    const QString csv = dir.filePath("covers.csv");
    write(csv, "Package,front,out\nBook.jpg,art/a.png,one.png\nDVD.jpg,,two.jpg\nMug.jpg,,three.gif\nTape.jpg\n");
    BatchPlan plan;
    QString error;
    ASSERT_TRUE(ReadBatch(csv, 0, 1, plan, error)) << qPrintable(error);
    ASSERT_EQ(plan.rows.size(), 4);
    EXPECT_EQ(plan.rows[0].faces.first().path, dir.filePath("art/a.png"));
    EXPECT_EQ(plan.rows[0].problems.size(), 1);  // no such image
    EXPECT_EQ(plan.rows[0].out, dir.filePath("one.png"));
    EXPECT_TRUE(plan.rows[1].faces.isEmpty());
    EXPECT_EQ(plan.rows[2].problems.size(), 1);  // a .gif output
    EXPECT_EQ(plan.rows[3].problems, QStringList({"the out column is empty"}));

    ASSERT_TRUE(ReadBatch(csv, 1, 2, plan, error));
    ASSERT_EQ(plan.rows.size(), 2);
    EXPECT_EQ(plan.rows[0].line, 3);
    EXPECT_EQ(plan.rows[1].line, 5);

    write(csv, "package,colour,out\n");
    EXPECT_FALSE(ReadBatch(csv, 0, 1, plan, error));
    EXPECT_TRUE(error.contains("unknown column \"colour\"")) << qPrintable(error);
    write(csv, "package,front\nBook.jpg,a.png\n");
    EXPECT_FALSE(ReadBatch(csv, 0, 1, plan, error));
    EXPECT_FALSE(ReadBatch(dir.filePath("none.csv"), 0, 1, plan, error));
}

TEST(ParseRenderOptions, TakesThePictureOptions) {
    QString error;
    auto options = ParseRenderOptions({"--batch", "c.csv", "--shard", "2/5", "--size", "16384x100", "--transparent",
                                       "--jpeg-quality=70"},
                                      error);
    ASSERT_TRUE(options) << qPrintable(error);
    EXPECT_EQ(options->shard, 2);
    EXPECT_EQ(options->shards, 5);
    EXPECT_EQ(options->width, 16384);
    EXPECT_TRUE(options->transparent);
    EXPECT_EQ(options->jpegQuality, 70);
    EXPECT_TRUE(ParseRenderOptions({"--out", "a.JPG"}, error)) << qPrintable(error);

    const QStringList bad[] = {{"--out", "a.jpg", "--transparent"},  {"--batch", "c.csv", "--shard", "5/5"},
                               {"--out", "a.png", "--shard", "0/2"}, {"--out", "a.jpg", "--jpeg-quality", "101"},
                               {"--batch", "c.csv", "--out", "a.png"}, {"--size", "16385x10", "--out", "a.png"}};
    for (const QStringList& args : bad) {
        error.clear();
        EXPECT_FALSE(ParseRenderOptions(args, error)) << qPrintable(args.join(' '));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(VellumarkRenderBatch, ABadRowIsReportedWithItsLineAndTheOthersAreMade) {
    QTemporaryDir dir;
    ASSERT_TRUE(QImage(QSize(64, 96), QImage::Format_RGB32).save(dir.filePath("cover.png")));
    write(dir.filePath("covers.csv"),
          "package,front,out\n"
          "Book.jpg,cover.png,\"book, cut.png\"\n"
          "Book.jpg,missing.png,bad.png\n"
          "RetailBox.jpg,cover.png,box.png\n");
    QProcess process;
    process.start(VELLUMARK_RENDER_EXE, {"--batch", dir.filePath("covers.csv"), "--size", "200x150", "--transparent"});
    ASSERT_TRUE(process.waitForFinished(120000));
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(err.contains("covers.csv line 3: the front image")) << qPrintable(err);
    EXPECT_TRUE(err.contains("1 of 3 rows failed")) << qPrintable(err);
    for (const char* name : {"book, cut.png", "box.png"}) {
        const QImage made(dir.filePath(name));
        ASSERT_FALSE(made.isNull()) << name;
        EXPECT_EQ(made.size(), QSize(200, 150));
        EXPECT_EQ(qAlpha(made.pixel(0, 0)), 0);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("bad.png")));
}

TEST(VellumarkRenderBatch, LabelAndTextColumnsDressEachRow) {
    QTemporaryDir dir;
    QImage cyan(64, 64, QImage::Format_RGB32);
    cyan.fill(QColor(0, 200, 220));
    ASSERT_TRUE(cyan.save(dir.filePath("cyan.png")));
    write(dir.filePath("covers.csv"),
          "package,label,text,out\n"
          "CD-Disk.jpg,cyan.png,,disc.png\n"
          "DVD.jpg,,,plain.png\n"
          "DVD.jpg,,\"NEW\nTITLE\",titled.png\n"
          "DVD.jpg,,,plain-again.png\n");
    QProcess process;
    process.start(VELLUMARK_RENDER_EXE, {"--batch", dir.filePath("covers.csv"), "--size", "160x120"});
    ASSERT_TRUE(process.waitForFinished(120000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();

    int cyanPixels = 0;
    const QImage disc(dir.filePath("disc.png"));
    for (int y = 0; y < disc.height(); ++y)
        for (int x = 0; x < disc.width(); ++x) {
            const QColor c = disc.pixelColor(x, y);
            cyanPixels += std::abs(c.red() - 0) + std::abs(c.green() - 200) + std::abs(c.blue() - 220) < 90;
        }
    EXPECT_GT(cyanPixels, 80) << "the label column puts the image on the disc";

    // The text column shows text on its row only: the next row is drawn as before.
    const QImage plain(dir.filePath("plain.png")), titled(dir.filePath("titled.png")),
        again(dir.filePath("plain-again.png"));
    ASSERT_FALSE(plain.isNull());
    ASSERT_FALSE(titled.isNull());
    EXPECT_NE(plain, titled);
    EXPECT_EQ(plain, again);
}

TEST(VellumarkRenderBatch, APackColumnMakesEveryChannelsFilesForItsRow) {
    QTemporaryDir dir;
    write(dir.filePath("packs.csv"),
          "package,out,pack\n"
          "Book.jpg,,packs/book\n"
          "Book.jpg,both.png,packs/both\n");
    QProcess process;
    process.start(VELLUMARK_RENDER_EXE, {"--batch", dir.filePath("packs.csv")});
    ASSERT_TRUE(process.waitForFinished(600000));
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(err.contains("line 3: a row makes either a picture (out) or a pack (pack), not both"))
        << qPrintable(err);
    EXPECT_TRUE(out.contains("pack: all")) << qPrintable(out);  // the seconds of each output

    const QDir pack(dir.filePath("packs/book"));
    for (const char* name : {"cut-out.png", "on-white.jpg", "square.mp4", "spin.html", "story.mp4",
                             "turn.gif", "float.webm", "index.html"})
        EXPECT_TRUE(pack.exists(name)) << name;
    const QImage cutOut(pack.filePath("cut-out.png"));
    EXPECT_EQ(cutOut.size(), QSize(2000, 2000));
    EXPECT_EQ(qAlpha(cutOut.pixel(2, 2)), 0);
    const QImage onWhite(pack.filePath("on-white.jpg"));
    EXPECT_EQ(onWhite.size(), QSize(1600, 1600));
    EXPECT_GE(qGray(onWhite.pixel(2, 2)), 253);
    QFile spin(pack.filePath("spin.html"));
    ASSERT_TRUE(spin.open(QIODevice::ReadOnly));
    EXPECT_EQ(spin.readAll().count("data:image/jpeg;base64,"), 36);
    QFile index(pack.filePath("index.html"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QByteArray page = index.readAll();
    for (const char* name :
         {"cut-out.png", "on-white.jpg", "square.mp4", "story.mp4", "turn.gif", "float.webm", "spin.html"})
        EXPECT_TRUE(page.contains(QByteArray("src=\"") + name + "\"")) << name;
    EXPECT_FALSE(QDir(dir.filePath("packs/both")).exists());

    // What a player sees of the videos.
    auto probe = [](const QString& path) {
        QProcess ffprobe;
        ffprobe.start("ffprobe", {"-v", "error", "-count_packets", "-show_entries",
                                  "stream=codec_name,width,height,nb_read_packets:stream_tags=alpha_mode",
                                  "-of", "csv=p=0", path});
        ffprobe.waitForFinished(60000);
        return QString::fromLatin1(ffprobe.readAllStandardOutput()).trimmed();
    };
    EXPECT_EQ(probe(pack.filePath("square.mp4")), "h264,1080,1080,72");
    EXPECT_EQ(probe(pack.filePath("story.mp4")), "h264,1080,1920,72");
    EXPECT_EQ(probe(pack.filePath("turn.gif")), "gif,480,480,72");
    EXPECT_EQ(probe(pack.filePath("float.webm")), "vp9,720,720,72,1");
}
