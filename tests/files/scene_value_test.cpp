// Scenes as values: copies are independent of their source, and a scene
// written to a file and read back compares equal to the one written. No view
// and no drawing context: only the scene and the file code.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "anim/build_track.h"
#include "files/scene_document.h"
#include "files/scene_file.h"

using namespace vm;

namespace {

// A scene as File > New and the start of a load leave it; scenes are several
// megabytes, so they live on the heap.
std::unique_ptr<SceneState> NewScene() {
    auto scene = std::make_unique<SceneState>();
    ApplyNewSceneValues(*scene);
    ResetSceneFileValues(*scene);
    return scene;
}

template <int N>
void AddKeyAt(KeyTrack<N>& track, int frame, float offset) {
    const int k = ++track.keyCount;
    track.keyFrames[k] = frame;
    for (int v = 0; v < N; ++v) track.key[v][frame] = offset + float(v);
}

// Values of every group the file holds, and keys on all five tracks.
void Edit(SceneState& s) {
    s.m_fRotX = 12.5f;
    s.m_fPosZ = -300;
    s.m_fSize[1] = 20;
    s.m_fBackRGB[0] = 0.25f;
    s.m_fSpotPos[2] = 40;
    s.m_fMugGreen = 128;
    s.m_fPackageFamily = 7;
    s.m_strText = QStringLiteral("Spring catalogue");
    s.m_fTextScale[0] = 70;
    s.m_strFontFace = QStringLiteral("Serif");
    s.m_nFontWeight = 700;
    s.m_strFacePath[2] = QStringLiteral("Images/left.png");
    s.m_fFacePathLen[2] = 15;
    s.m_strPicturePath = QStringLiteral("/pictures/sky.jpg");
    s.m_fPicturePathLen = 17;
    s.m_fPicScale[1] = 3;
    s.m_strSceneNote = "note";
    s.m_nArrayCount = 9;
    s.m_fArrayBookPos[2] = -600;
    s.m_nFrameCount = 120;
    s.m_fTextUnrecordedBase[1] = 4;

    s.CopySceneIntoFrameZeroKeys();
    AddKeyAt(s.m_trackModel, 30, 1);
    AddKeyAt(s.m_trackModel, 90, 2);
    AddKeyAt(s.m_trackText, 45, 3);
    s.m_fTextUnrecordedKey[45][2] = 6;
    AddKeyAt(s.m_trackLight, 20, 4);
    AddKeyAt(s.m_trackPicture, 60, 5);
    AddKeyAt(s.m_trackArray, 50, 6);
    // The file keeps no book scale in the array's keys: a scene read back has none there.
    for (int v = 12; v < 15; ++v) s.m_trackArray.key[v][50] = 0;
    // The book count and the last value are stored three times; they read back as the count the array draws.
    s.m_trackArray.key[kArrayTrackBookCount][50] = 12;
    // The array's keys carry the package size of their frame.
    for (int v = 6; v < 9; ++v) s.m_trackModel.key[v][50] = 8;
    // A load rebuilds every track from its keys and marks the scene opened.
    RebuildTrack(s.m_trackModel);
    RebuildTrack(s.m_trackText);
    RebuildTrack(s.m_trackLight);
    RebuildTrack(s.m_trackPicture);
    RebuildTrack(s.m_trackArray);
    s.m_fSceneOpened = 2;
}

TEST(SceneValue, WrittenAndReadBackIntoAnotherSceneIsEqual) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("scene.VLMK"));

    auto written = NewScene();
    Edit(*written);
    QString error;
    ASSERT_TRUE(WriteSceneFile(*written, {640, 480}, path, &error)) << qPrintable(error);

    auto read = NewScene();
    EXPECT_FALSE(*read == *written);
    SceneDecodeResult result;
    ASSERT_TRUE(ReadSceneFile(path, *read, &error, &result)) << qPrintable(error);
    EXPECT_TRUE(result.warnings.isEmpty()) << qPrintable(result.warnings.join(u'\n'));
    EXPECT_EQ(result.version, kSceneFileVersion);
    EXPECT_EQ(result.viewSize.width, 640);
    EXPECT_EQ(result.viewSize.height, 480);
    EXPECT_TRUE(*read == *written);
    EXPECT_EQ(read->m_nPackageKeys, 2);
    EXPECT_EQ(read->m_trackModel.length, 90);

    // A difference anywhere, a single interpolated value included, is seen.
    read->m_trackText.track[3][44] += 1;
    EXPECT_FALSE(*read == *written);
}

TEST(SceneValue, ARefusedFileLeavesTheSceneAsItWas) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto written = NewScene();
    Edit(*written);
    const QByteArray bytes = EncodeSceneFile(*written, {});

    auto scene = NewScene();
    scene->m_fRotY = 77;
    const auto before = std::make_unique<SceneState>(*scene);
    const struct {
        const char* name;
        QByteArray content;
    } cases[] = {{"cut short", bytes.left(bytes.size() - 7)},
                 {"trailing bytes", bytes + QByteArray(3, '\0')},
                 {"empty", QByteArray()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromLatin1(c.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
        file.close();
        QString error;
        EXPECT_FALSE(ReadSceneFile(path, *scene, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(*scene == *before);
    }
    QString error;
    EXPECT_FALSE(ReadSceneFile(folder.filePath(QStringLiteral("missing")), *scene, &error));
    EXPECT_TRUE(*scene == *before);
}

TEST(SceneValue, CopiesAreIndependentOfTheirSource) {
    auto source = NewScene();
    Edit(*source);

    auto copy = std::make_unique<SceneState>(*source);
    EXPECT_TRUE(*copy == *source);
    // The names of the copy are bound to its own tracks.
    EXPECT_EQ(&copy->m_nPackageKeys, &copy->m_trackModel.keyCount);
    EXPECT_EQ(&copy->m_bPlayText, &copy->m_trackText.playing);
    EXPECT_EQ(&copy->m_bModelPlayToBuilt, &copy->m_trackModel.useBuiltLength);
    copy->m_nPackageKeys = 7;
    copy->m_bPlayLight = 1;
    EXPECT_EQ(copy->m_trackModel.keyCount, 7);
    EXPECT_EQ(source->m_nPackageKeys, 2);
    EXPECT_EQ(source->m_trackModel.keyCount, 2);
    EXPECT_EQ(source->m_bPlayLight, 0);
    EXPECT_FALSE(*copy == *source);

    // Assignment takes the values and keeps the names on the target's tracks.
    auto assigned = NewScene();
    *assigned = *source;
    EXPECT_TRUE(*assigned == *source);
    assigned->m_nMultiBookKeys = 0;
    assigned->m_bPlayPicture = 1;
    EXPECT_EQ(assigned->m_trackArray.keyCount, 0);
    EXPECT_EQ(assigned->m_trackPicture.playing, 1);
    EXPECT_EQ(source->m_nMultiBookKeys, 1);
    EXPECT_EQ(source->m_bPlayPicture, 0);
}

}  // namespace
