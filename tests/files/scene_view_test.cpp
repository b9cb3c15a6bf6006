// Opening and saving scene files on a view on the headless host.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <limits>

#include "anim/fake_keyframe_page.h"
#include "anim/key_editing.h"
#include "anim/playback.h"
#include "assets/program_folder.h"
#include "files/presets.h"
#include "view/scene_file_commands.h"
#include "files/scene_file.h"
#include "render/box_family.h"
#include "render/frame_checks.h"
#include "scene_layout_reference.h"
#include "scene_test_support.h"
#include "support/offscreen_fixture.h"
#include "view/commands.h"
#include "view/face_images.h"
#include "view/package_choice.h"

using namespace vm;
using namespace vm::test;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Messages that name `path`.
int messagesNaming(const ScriptedPlatform& platform, const QString& path) {
    int n = 0;
    for (const auto& call : platform.callsOf("messageBox")) n += call.args.value(0).contains(QDir::toNativeSeparators(path));
    return n;
}

struct LoadedView : HeadlessView {
    LoadedView() : HeadlessView(160, 120) {
        if (!created) return;
        view->OnNewScene();
        sample = EncodeSceneFile(*SampleScene(), {640, 480});
        samplePath = folder.filePath("sample.VLMK");
        writeAll(samplePath, sample);
    }
    QTemporaryDir folder;
    QByteArray sample;
    QString samplePath;
};

}  // namespace

TEST(SceneFileOnTheView, ALoadThenASaveGivesTheSameBytesButTheViewSize) {
    LoadedView v;
    ASSERT_TRUE(v.created) << qPrintable(v.host.error());
    ASSERT_TRUE(v.view->LoadSceneFile(v.samplePath));
    // The file's view size is not applied to the view.
    EXPECT_EQ(v.view->m_nViewWidth, 160);
    EXPECT_EQ(v.view->m_nViewHeight, 120);
    EXPECT_EQ(v.view->scene().m_strText, QStringLiteral("Summer Sale"));
    EXPECT_EQ(v.view->scene().m_nFrameCount, 150);
    EXPECT_EQ(v.view->scene().m_fSceneOpened, 2);
    // The tracks are rebuilt: the package turns to its first key.
    EXPECT_EQ(v.view->scene().m_trackModel.length, 120);
    EXPECT_NEAR(v.view->scene().m_trackModel.track[1][24], -40 + 25 * (120.0f + 40) / 50, 1e-3);

    const QString again = v.folder.filePath("again.VLMK");
    ASSERT_TRUE(v.view->SaveSceneFile(again));
    const QByteArray expected = EncodeSceneFile(*SampleScene(), {160, 120});
    EXPECT_EQ(readAll(again), expected);
    // ... which differs from the file read in the view size alone.
    const QByteArray saved = readAll(again);
    ASSERT_EQ(saved.size(), v.sample.size());
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < saved.size(); ++i)
        if (saved[i] != v.sample[i]) (first < 0 ? first : last) = i, last = i;
    ASSERT_GE(first, 0);
    EXPECT_LT(last - first, 8);
    EXPECT_EQ(ReadInt(v.sample, first), 640);
    EXPECT_EQ(ReadInt(v.sample, first + 4), 480);
    EXPECT_EQ(ReadInt(saved, first), 160);
    EXPECT_EQ(ReadInt(saved, first + 4), 120);
}

TEST(SceneFileOnTheView, DamagedFilesAreRefusedWithTheSceneUnchanged) {
    LoadedView v;
    ASSERT_TRUE(v.created);
    ASSERT_TRUE(v.view->LoadSceneFile(v.samplePath));
    const QByteArray before = EncodeSceneFile(v.view->scene(), {1, 1});
    const unsigned textures[] = {v.view->resources().m_texBookFace[0], v.view->resources().m_texText,
                                 v.view->resources().m_texPicture, BoxFaceSlot(0)};
    const int modelLength = v.view->scene().m_trackModel.length;

    const QString damaged = v.folder.filePath("damaged.VLMK");
    int refused = 0;
    for (qsizetype length = 0; length < v.sample.size(); ++length) {
        ASSERT_TRUE(writeAll(damaged, v.sample.left(length)));
        refused += !v.view->LoadSceneFile(damaged);
    }
    EXPECT_EQ(refused, v.sample.size());
    EXPECT_EQ(messagesNaming(v.platform, damaged), v.sample.size());

    // A picture, a text file and a missing file.
    const QString foreign = v.folder.filePath("cover.VLMK");
    QImage(8, 8, QImage::Format_RGB32).save(foreign, "PNG");
    EXPECT_FALSE(v.view->LoadSceneFile(foreign));
    ASSERT_TRUE(writeAll(damaged, "Just some notes about the cover.\n"));
    EXPECT_FALSE(v.view->LoadSceneFile(damaged));
    const QString missing = v.folder.filePath("missing.VLMK");
    EXPECT_FALSE(v.view->LoadSceneFile(missing));
    EXPECT_EQ(messagesNaming(v.platform, foreign), 1);
    EXPECT_EQ(messagesNaming(v.platform, missing), 1);

    EXPECT_EQ(EncodeSceneFile(v.view->scene(), {1, 1}), before);
    const unsigned after[] = {v.view->resources().m_texBookFace[0], v.view->resources().m_texText,
                              v.view->resources().m_texPicture, BoxFaceSlot(0)};
    EXPECT_TRUE(std::equal(std::begin(textures), std::end(textures), std::begin(after)));
    EXPECT_EQ(v.view->scene().m_trackModel.length, modelLength);
}

TEST(SceneFileOnTheView, SaveSettingsNewAndOpenSettingsRestoreTheScene) {
    LoadedView v;
    ASSERT_TRUE(v.created);
    ASSERT_TRUE(v.view->LoadSceneFile(v.samplePath));
    const QByteArray scene = EncodeSceneFile(v.view->scene(), {160, 120});

    const QString path = v.folder.filePath("mine.VLMK");
    v.platform.queueSaveFileName(path);
    EXPECT_TRUE(v.view->OnCommand(cmd::SaveSettings));
    const auto save = v.platform.callsOf("saveFileName");
    ASSERT_EQ(save.size(), 1u);
    EXPECT_EQ(save[0].args.mid(0, 3), (QStringList{"Save a Vellumark File",
                                                   "Vellumark Keyframe Files (*.VLMK);;All Files (*.*)", "VLMK"}));
    EXPECT_TRUE(save[0].args[3].endsWith("/*.VLMK")) << save[0].args[3].toStdString();  // in a folder
    EXPECT_EQ(readAll(path), scene);

    EXPECT_TRUE(v.view->OnCommand(cmd::FileNew));
    EXPECT_EQ(v.view->scene().m_strText, QStringLiteral("Vellumark"));
    EXPECT_EQ(v.view->scene().m_nPackageKeys, 0);

    v.platform.queueOpenFileName(std::nullopt);  // cancelled: nothing happens
    EXPECT_TRUE(v.view->OnCommand(cmd::OpenSettings));
    EXPECT_EQ(v.view->scene().m_strText, QStringLiteral("Vellumark"));
    v.platform.queueOpenFileName(path);
    EXPECT_TRUE(v.view->OnCommand(cmd::OpenSettings));
    const auto open = v.platform.callsOf("openFileName");
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[1].args.mid(0, 2), (QStringList{"Open a Vellumark File", "Vellumark Files(*.VLMK)"}));
    EXPECT_EQ(v.view->scene().m_strText, QStringLiteral("Summer Sale"));
    EXPECT_EQ(v.view->scene().m_nPackageKeys, 2);
    EXPECT_EQ(EncodeSceneFile(v.view->scene(), {160, 120}), scene);
}

// A scene whose images are gone opens with one message naming them and the
// package's own images on those faces, never the images of the scene before.
TEST(SceneFileOnTheView, MissingImagesAreNamedAndTheirFacesShowThePackagesOwn) {
    LoadedView v;
    ASSERT_TRUE(v.created);
    v.view->OnInitialUpdate();
    v.view->OnNewScene();
    WritePackageValues(v.view->scene(), PackageIndex("DVD.jpg"));
    v.view->scene().m_fTextOn = 0;
    v.frame();
    auto dressAndSave = [&](QColor colour, const QString& front, const QString& back, const QString& scene) {
        for (const auto& [face, name] : {std::pair{0, front}, std::pair{1, back}}) {
            QImage image(300, 420, QImage::Format_RGB32);
            image.fill(colour);
            ASSERT_TRUE(image.save(v.folder.filePath(name)));
            v.platform.queueOpenFileName(v.folder.filePath(name));
            v.view->scene().m_fPickFace[face] = 2;
            v.frame();
        }
        ASSERT_TRUE(v.view->SaveSceneFile(v.folder.filePath(scene)));
    };
    auto redPixels = [](const QImage& picture) {
        int n = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                n += c.red() > 80 && c.green() * 100 < c.red() * 35 && c.blue() * 100 < c.red() * 35;
            }
        return n;
    };
    dressAndSave(QColor(230, 20, 20), "red front.png", "red back.png", "red.VLMK");
    dressAndSave(QColor(20, 200, 20), "gone front.png", "gone back.png", "gone.VLMK");
    ASSERT_TRUE(QFile::remove(v.folder.filePath("gone front.png")));
    ASSERT_TRUE(QFile::remove(v.folder.filePath("gone back.png")));

    ASSERT_TRUE(v.view->LoadSceneFile(v.folder.filePath("red.VLMK")));
    EXPECT_GT(redPixels(v.frame()), 500);
    v.platform.clearCalls();
    ASSERT_TRUE(v.view->LoadSceneFile(v.folder.filePath("gone.VLMK")));
    const auto messages = v.platform.callsOf("messageBox");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].args[0].contains("gone front.png")) << qPrintable(messages[0].args[0]);
    EXPECT_TRUE(messages[0].args[0].contains("gone back.png"));
    EXPECT_EQ(redPixels(v.frame()), 0) << "the scene before's images";
    const auto files = FaceImageFiles(v.view->scene(), v.view->resources());
    const char* const* dvd = DefaultImageFiles(DefaultImageSet::Dvd);
    EXPECT_EQ(files[0], QDir::toNativeSeparators(dvd[0]));  // front
    EXPECT_EQ(files[1], QDir::toNativeSeparators(dvd[2]));  // back

    // Its images back in place, the scene opens without a word.
    dressAndSave(QColor(20, 200, 20), "gone front.png", "gone back.png", "gone.VLMK");
    v.platform.clearCalls();
    ASSERT_TRUE(v.view->LoadSceneFile(v.folder.filePath("gone.VLMK")));
    EXPECT_TRUE(v.platform.callsOf("messageBox").empty());
}

TEST(SceneFileOnTheView, AFailedSaveKeepsTheEarlierFileAndSaysSo) {
    LoadedView v;
    ASSERT_TRUE(v.created);
    const QString path = v.folder.filePath("kept.VLMK");
    ASSERT_TRUE(writeAll(path, v.sample));

    // Writes beyond 100 bytes fail, as on a full disk.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previous = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = v.view->SaveSceneFile(path);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved);
    EXPECT_EQ(readAll(path), v.sample);
    EXPECT_EQ(messagesNaming(v.platform, path), 1);
    EXPECT_EQ(QDir(v.folder.path()).entryList(QDir::Files).size(), 2);  // no temporary file left behind

    const QString nowhere = v.folder.filePath("no such folder/scene.VLMK");
    EXPECT_FALSE(v.view->SaveSceneFile(nowhere));
    EXPECT_EQ(messagesNaming(v.platform, nowhere), 1);
}

TEST(Presets, TheExamplePresetsOpenWithKeysAndOneOfThemStartsTheProgram) {
    HeadlessView v(160, 120);
    ASSERT_TRUE(v.created);
    const QStringList presets = ScanPresetFolder(PresetFolder(), kMaxPresets - 1);
    ASSERT_GE(presets.size(), 4);
    v.view->OnNewScene();
    for (const QString& name : presets) {
        SCOPED_TRACE(qPrintable(name));
        EXPECT_TRUE(v.view->LoadSceneFile(PresetFolder() + u'/' + name));
        EXPECT_GE(v.view->scene().m_nPackageKeys, 1);
        EXPECT_GT(v.view->scene().m_trackModel.length, 0);
    }

    // The desktop program starts with a preset; other hosts start from New.
    v.view->OnInitialUpdate();
    EXPECT_EQ(v.view->scene().m_nStartPreset, 0);
    v.view->m_bStartWithPreset = true;
    v.view->OnInitialUpdate();
    EXPECT_EQ(v.view->scene().m_nPresetCount, presets.size() + 1);
    EXPECT_EQ(PresetListEntries(v.view->scene()).mid(1), presets);
    EXPECT_EQ(PresetListEntries(v.view->scene()).value(0), QStringLiteral("Nothing Selected"));
    EXPECT_GE(v.view->scene().m_nStartPreset, 1);
    EXPECT_LE(v.view->scene().m_nStartPreset, presets.size());
    EXPECT_EQ(v.view->scene().m_nPresetIndex, v.view->scene().m_nStartPreset);
    EXPECT_GE(v.view->scene().m_nPackageKeys, 1);
    EXPECT_EQ(messagesNaming(v.platform, ".VLMK"), 0);
}

TEST(Presets, ChoosingAPresetAndAddingOne) {
    HeadlessView v(160, 120);
    ASSERT_TRUE(v.created);
    v.view->OnNewScene();
    v.view->ListPresets();
    ASSERT_GE(v.view->scene().m_nPresetCount, 3);

    EXPECT_FALSE(LoadPreset(*v.view, 0));  // "Nothing Selected"
    EXPECT_EQ(v.view->scene().m_nPackageKeys, 0);
    EXPECT_FALSE(LoadPreset(*v.view, v.view->scene().m_nPresetCount));
    EXPECT_TRUE(LoadPreset(*v.view, 2));
    EXPECT_EQ(v.view->scene().m_nPresetIndex, 2);
    EXPECT_GE(v.view->scene().m_nPackageKeys, 1);

    v.platform.queueSaveFileName(std::nullopt);
    EXPECT_FALSE(AddToPresets(*v.view));
    const QString name = QStringLiteral("Added %1.VLMK").arg(QCoreApplication::applicationPid());
    v.platform.queueSaveFileName(PresetFolder() + u'/' + name);
    const int entries = v.view->scene().m_nPresetCount;
    EXPECT_TRUE(AddToPresets(*v.view));
    const bool listed = PresetListEntries(v.view->scene()).contains(name);
    QFile::remove(PresetFolder() + u'/' + name);
    EXPECT_TRUE(listed);
    EXPECT_EQ(v.view->scene().m_nPresetCount, entries + 1);
    const auto calls = v.platform.callsOf("saveFileName");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].args, (QStringList{"Save a Vellumark Keyframe File",
                                          "Vellumark Files (*.VLMK);;All Files (*.*)", "VLMK", "*.VLMK"}));
    EXPECT_EQ(QDir::currentPath(), ProgramFolder());
}

namespace {

// A version-15 scene of a row of books with only the given spacing, on white.
QByteArray ArrayOnlyFile(float sideways, float alongTheRow) {
    auto scene = ResetScene();
    scene->m_fPackageFamily = 20;  // no single package
    scene->m_fTextOn = 0;
    scene->m_fMultiBook = 2;
    scene->m_nArrayCount = 5;
    scene->m_fArrayPos[0] = alongTheRow;
    scene->m_fArrayPos[1] = sideways;
    scene->m_fArrayPos[2] = 0;
    for (float& c : scene->m_fBackRGB) c = 1;
    scene->CopySceneIntoFrameZeroKeys();
    SceneViewSize viewSize{160, 120};
    ReferenceScene file;
    WriteReferenceScene(file, *scene, viewSize, 15);
    return file.bytes();
}

}  // namespace

TEST(SceneFileOnTheView, AnOlderFileWithSidewaysSpacingSpreadsTheBooksSideways) {
    LoadedView v;
    ASSERT_TRUE(v.created);
    auto rowOf = [&v](const QByteArray& bytes, const char* name) {
        const QString path = v.folder.filePath(name);
        EXPECT_TRUE(writeAll(path, bytes));
        EXPECT_TRUE(v.view->LoadSceneFile(path));
        v.frame();  // the per-book offsets follow one frame later
        const QImage image = v.frame();
        image.save(v.folder.filePath(QStringLiteral("%1.png").arg(QLatin1String(name))));
        return Drawn(image, QColor(255, 255, 255));
    };
    const QRect sideways = rowOf(ArrayOnlyFile(60, 0), "sideways.VLMK");
    const QRect alongTheRow = rowOf(ArrayOnlyFile(0, 20), "along.VLMK");
    ASSERT_FALSE(sideways.isEmpty());
    ASSERT_FALSE(alongTheRow.isEmpty());
    EXPECT_EQ(v.view->scene().m_fArrayPos[0], 20);
    EXPECT_GT(sideways.width(), alongTheRow.width() * 3 / 2) << "the books step sideways";
    EXPECT_GT(sideways.width(), sideways.height());
}

TEST(SceneFileOnTheView, ValuesThatAreNotNumbersOrAreHugeOpenIntoADrawableScene) {
    LoadedView v;
    ASSERT_TRUE(v.created);
    v.view->OnNewScene();
    const QImage reset = v.frame();
    auto scene = ResetScene();
    SceneViewSize viewSize{160, 120};
    ReferenceScene fields;
    WriteReferenceScene(fields, *scene, viewSize, kSceneFileVersion);

    auto fileWith = [&fields](std::initializer_list<float> values) {
        QByteArray bytes;
        int n = 0;
        for (const auto& field : fields.fields())
            bytes += field.isFloat ? FloatBytes(std::data(values)[n++ % values.size()]) : field.bytes;
        return bytes;
    };
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const QString notNumbers = v.folder.filePath("not-numbers.VLMK");
    ASSERT_TRUE(writeAll(notNumbers, fileWith({nan, inf, -inf})));
    ASSERT_TRUE(v.view->LoadSceneFile(notNumbers));
    EXPECT_EQ(messagesNaming(v.platform, notNumbers), 1) << "the user hears what was not taken";
    const QImage sane = v.frame();
    EXPECT_LT(Compare(reset, sane).pixels, 160 * 120 / 50)
        << "every value kept its default, so the scene is the reset one";

    // Finite but far out of every range: the file opens, and drawing and
    // converting these values stays defined (checked by the sanitizer build).
    for (float huge : {3.0e38f, -3.0e38f, 1.0e10f}) {
        SCOPED_TRACE(huge);
        const QString path = v.folder.filePath("huge.VLMK");
        QByteArray bytes = fileWith({huge});
        ASSERT_TRUE(writeAll(path, bytes));
        // Lengths and book counts out of range refuse the file; the rest opens.
        const bool opened = v.view->LoadSceneFile(path);
        if (!opened) {
            bytes.clear();
            for (const auto& field : fields.fields())
                bytes += field.isFloat && !field.name.contains("Len") && !field.name.contains("length") &&
                                 !field.name.contains("m_nArrayCount")
                             ? FloatBytes(huge)
                             : field.bytes;
            ASSERT_TRUE(writeAll(path, bytes));
            ASSERT_TRUE(v.view->LoadSceneFile(path));
        }
        v.frame();
        v.view->scene().m_nArrayCount = 3;
        v.view->scene().m_fMultiBook = 2;
        v.frame();
    }
}

TEST(SceneFileOnTheView, PictureAndArrayKeysSurviveASaveAndOpen) {
    LoadedView loaded;
    ASSERT_TRUE(loaded.created);
    CGL2AviView& view = *loaded.view;
    test::FakeKeyframePage picture, multiBook;
    auto key = [&](AnimSubject subject, test::FakeKeyframePage& page, int frame, float* value, float v) {
        *value = v;
        page.position = frame;
        AddKey(view.scene(), subject, page);
    };
    key(AnimSubject::Picture, picture, 0, &view.scene().m_fPicPos[0], 0);
    key(AnimSubject::Picture, picture, 10, &view.scene().m_fPicPos[0], 100);
    key(AnimSubject::Array, multiBook, 0, &view.scene().m_fArrayPos[0], 20);
    key(AnimSubject::Array, multiBook, 10, &view.scene().m_fArrayPos[0], 40);
    const QString path = loaded.folder.filePath("keys.VLMK");
    ASSERT_TRUE(view.SaveSceneFile(path));

    view.OnNewScene();
    ASSERT_TRUE(view.LoadSceneFile(path));
    EXPECT_EQ(view.scene().m_trackPicture.keyCount, 1);
    EXPECT_EQ(view.scene().m_trackArray.keyCount, 1);
    ScrubScene(view.scene(), view.pages(), AnimSubject::Picture, 4);
    EXPECT_FLOAT_EQ(view.scene().m_fPicPos[0], 50.0f);
    EXPECT_FLOAT_EQ(view.scene().m_fArrayPos[0], 30.0f) << "the sideways spacing stays sideways";
    ScrubScene(view.scene(), view.pages(), AnimSubject::Array, 9);
    EXPECT_FLOAT_EQ(view.scene().m_fPicPos[0], 100.0f);
    EXPECT_FLOAT_EQ(view.scene().m_fArrayPos[0], 40.0f);
}
