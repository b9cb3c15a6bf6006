#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "files/scene_archive.h"
#include "files/scene_file.h"
#include "anim/build_track.h"
#include "scene_test_support.h"

using namespace vm;
using namespace vm::test;

namespace {

template <int N>
void ExpectSameKeys(const KeyTrack<N>& a, const KeyTrack<N>& b, const char* name) {
    SCOPED_TRACE(name);
    ASSERT_EQ(a.keyCount, b.keyCount);
    for (int k = 0; k <= a.keyCount; ++k) EXPECT_EQ(a.keyFrames[k], b.keyFrames[k]);
    EXPECT_EQ(a.base, b.base);
    EXPECT_TRUE(a.key == b.key);
}

template <int N>
void ExpectSameFrames(KeyTrack<N>& a, KeyTrack<N>& b, const char* name) {
    SCOPED_TRACE(name);
    RebuildTrack(a);
    RebuildTrack(b);
    EXPECT_EQ(a.length, b.length);
    EXPECT_TRUE(a.track == b.track);
}

}  // namespace

TEST(SceneArchive, TextLengthPrefixesAndTheirReading) {
    struct Case {
        qsizetype length;
        QByteArray prefix;
    };
    const Case cases[] = {
        {0, QByteArray("\x00", 1)},
        {254, QByteArray("\xfe", 1)},
        {255, QByteArray("\xff\xff\x00", 3)},
        {300, QByteArray("\xff\x2c\x01", 3)},
        {65534, QByteArray("\xff\xfe\xff", 3)},
        {65535, QByteArray("\xff\xff\xff\xff\xff\x00\x00", 7)},
        {70000, QByteArray("\xff\xff\xff\x70\x11\x01\x00", 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(SceneTextPrefix(c.length), c.prefix);
        SceneArchiveWriter writer;
        const QString text(c.length, u'q');
        writer.text(text);
        ASSERT_EQ(writer.bytes().size(), c.prefix.size() + c.length);
        SceneArchiveReader reader(writer.bytes());
        QString back;
        reader.text(back);
        EXPECT_FALSE(reader.failed());
        EXPECT_TRUE(reader.atEnd());
        EXPECT_EQ(back, text);
    }
}

TEST(SceneArchive, TextsAreUtf8AndOlderSingleByteTextsStillRead) {
    SceneArchiveWriter writer;
    writer.text(QStringLiteral("caf\u00e9"));
    EXPECT_EQ(writer.bytes(), QByteArray("\x05" "caf\xc3\xa9"));
    const QByteArray older("\x04" "caf\xe9");  // not UTF-8: taken byte for byte
    SceneArchiveReader reader(older);
    QString text;
    reader.text(text);
    EXPECT_EQ(text, QStringLiteral("caf\u00e9"));
}

TEST(SceneFile, AThreeHundredCharacterTextIsStoredWithASixteenBitLength) {
    auto scene = ResetScene();
    scene->m_strText = QString(300, u'x');
    const QByteArray bytes = EncodeSceneFile(*scene, {});
    const QByteArray stored = QByteArray("\xff\x2c\x01", 3) + QByteArray(300, 'x');
    EXPECT_GE(bytes.indexOf(stored), 0);
    auto back = ResetScene();
    ASSERT_TRUE(DecodeSceneFile(bytes, *back).ok);
    EXPECT_EQ(back->m_strText, scene->m_strText);
}

TEST(SceneFile, TheLayoutHasTheSizeOfItsItems) {
    auto scene = ResetScene();
    for (QString* text : {&scene->m_strText, &scene->m_strFontFace}) text->clear();
    for (QString& path : scene->m_strFacePath) path.clear();
    for (QString& path : scene->m_strBookFacePath) path.clear();
    // Items 1 to 52 of version 17 without their texts, then the 18 empty texts
    // (one length byte each) and the two-byte version.
    const int numbers17[] = {4,  8,  24, 4,  36, 4,  8,   12, 8,  24,  4,  36, 20, 8,  4,  4,  4,
                             8,  16, 32, 120, 116, 12, 4, 12, 4,  12,  4,  24, 4,  24, 12, 12, 12,
                             8,  20, 4,  12, 4,  140, 64, 40, 76};
    int expected = 2 + 18;
    for (int n : numbers17) expected += n;
    EXPECT_EQ(EncodeSceneFile(*scene, {}).size(), expected);

    // Keys: light 1 + 3, model 1 + 18, text 1 + 36, picture 1 + 9 words; the
    // array's record lists 1 + 21 (pan, rotation, book rotation, book pan,
    // size, the book count three times, the tilt three times).
    SetKey(scene->m_trackLight, 5, {});
    SetKey(scene->m_trackModel, 5, {});
    SetKey(scene->m_trackText, 5, {});
    SetKey(scene->m_trackPicture, 5, {});
    SetKey(scene->m_trackArray, 5, {});
    EXPECT_EQ(EncodeSceneFile(*scene, {}).size(), expected + 4 * (4 + 19 + 37 + 10 + 22));

    // Version 1: items 1-3, the version, 35-41 and 44-48, the model track.
    const int numbers1[] = {4, 8, 12, 4, 6 * 4, 4, 24, 12, 8, 20, 4, 12, 4, 40};
    int expected1 = 2 + 9 + 40;  // the version, nine empty texts, one model key of 1 + 9 words
    for (int n : numbers1) expected1 += n;
    EXPECT_EQ(EncodeSceneFileAsVersion(*scene, {}, 1).size(), expected1);
}

TEST(SceneFile, ASavedSceneReadsBackWithTheSameKeysValuesAndFrames) {
    auto saved = SampleScene();
    const QByteArray bytes = EncodeSceneFile(*saved, {640, 480});
    EXPECT_EQ(saved->m_strSizeMarker, QString(QChar(17)));

    auto loaded = ResetScene();
    const SceneDecodeResult result = DecodeSceneFile(bytes, *loaded);
    ASSERT_TRUE(result.ok) << qPrintable(result.error);
    EXPECT_EQ(result.version, 17);
    EXPECT_EQ(result.viewSize.width, 640);
    EXPECT_EQ(result.viewSize.height, 480);
    EXPECT_EQ(loaded->m_strSizeMarker, QString(QChar(17)));

    EXPECT_EQ(loaded->m_nFrameCount, 150);
    EXPECT_EQ(loaded->m_strText, QStringLiteral("Summer Sale"));
    EXPECT_EQ(loaded->m_strFontFace, QStringLiteral("Lato"));
    EXPECT_EQ(loaded->m_strArrayLeftPath, saved->m_strArrayLeftPath);
    EXPECT_EQ(loaded->m_strSceneNote, saved->m_strSceneNote);
    EXPECT_EQ(loaded->m_nArrayCount, 9);
    EXPECT_EQ(loaded->m_fRotY, -40);
    EXPECT_EQ(loaded->m_nPackageIndex, 12);
    EXPECT_EQ(loaded->m_fTextUnrecordedKey[40][2], 6);
    ExpectSameKeys(saved->m_trackModel, loaded->m_trackModel, "model");
    ExpectSameKeys(saved->m_trackText, loaded->m_trackText, "text");
    ExpectSameKeys(saved->m_trackLight, loaded->m_trackLight, "light");
    ExpectSameKeys(saved->m_trackPicture, loaded->m_trackPicture, "picture");
    ExpectSameKeys(saved->m_trackArray, loaded->m_trackArray, "array");
    // Every stored value: the loaded scene writes the same file.
    EXPECT_EQ(EncodeSceneFile(*loaded, {640, 480}), bytes);

    ExpectSameFrames(saved->m_trackModel, loaded->m_trackModel, "model");
    ExpectSameFrames(saved->m_trackText, loaded->m_trackText, "text");
    ExpectSameFrames(saved->m_trackLight, loaded->m_trackLight, "light");
    ExpectSameFrames(saved->m_trackPicture, loaded->m_trackPicture, "picture");
    ExpectSameFrames(saved->m_trackArray, loaded->m_trackArray, "array");
    EXPECT_NEAR(loaded->m_trackModel.track[1][49], 120, 1e-3);
}

TEST(SceneFile, AVersionSixFileLeavesTheLaterPartsAtTheirDefaults) {
    auto saved = SampleScene();
    const QByteArray bytes = EncodeSceneFileAsVersion(*saved, {}, 6);
    auto loaded = ResetScene();
    const SceneDecodeResult result = DecodeSceneFile(bytes, *loaded);
    ASSERT_TRUE(result.ok) << qPrintable(result.error);
    EXPECT_EQ(result.version, 6);
    EXPECT_EQ(loaded->m_strSizeMarker, QString(QChar(6)));
    // Text, picture, book array and frame count are of later versions.
    EXPECT_EQ(loaded->m_strText, QStringLiteral("Vellumark"));
    EXPECT_EQ(loaded->m_strFontFace, QStringLiteral("Arial Black"));
    EXPECT_EQ(loaded->m_nTextKeys, 0);
    EXPECT_TRUE(loaded->m_strPicturePath.isEmpty());
    EXPECT_EQ(loaded->m_fShowPicture, 0);
    EXPECT_EQ(loaded->m_nPictureKeys, 0);
    EXPECT_EQ(loaded->m_nArrayCount, 5);
    EXPECT_EQ(loaded->m_fMultiBook, 0);
    EXPECT_EQ(loaded->m_fArrayPos[0], 20);
    EXPECT_EQ(loaded->m_nMultiBookKeys, 0);
    EXPECT_EQ(loaded->m_nFrameCount, 300);
    EXPECT_EQ(loaded->m_nLightKeys, 0);
    EXPECT_TRUE(loaded->m_strSceneNote == saved->m_strSceneNote);  // since 5
    // What version 6 holds came through: the package and its keys with size
    // and mug colour, but not the tilt of later versions.
    EXPECT_EQ(loaded->m_fRotY, -40);
    EXPECT_EQ(loaded->m_fSize[2], -45);
    EXPECT_EQ(loaded->m_fMugRed, 200);
    ASSERT_EQ(loaded->m_nPackageKeys, 2);
    EXPECT_EQ(loaded->m_trackModel.key[1][120], 300);
    EXPECT_EQ(loaded->m_trackModel.key[11][50], 90);
    EXPECT_EQ(loaded->m_trackModel.key[12][50], 0);
}

TEST(SceneFile, EveryVersionReadsBackWhatItWrote) {
    for (int version = 1; version <= kSceneFileVersion; ++version) {
        SCOPED_TRACE(version);
        auto saved = SampleScene();
        // Version 10 holds the light's key count but not its keys: a load
        // drops the count.
        if (version == 10) saved->m_trackLight.keyCount = 0;
        const QByteArray bytes = EncodeSceneFileAsVersion(*saved, {10, 20}, version);
        auto loaded = ResetScene();
        const SceneDecodeResult result = DecodeSceneFile(bytes, *loaded);
        ASSERT_TRUE(result.ok) << qPrintable(result.error);
        EXPECT_EQ(result.version, version);
        EXPECT_EQ(EncodeSceneFileAsVersion(*loaded, {10, 20}, version), bytes);
    }
}

TEST(SceneFile, EveryTruncationIsRefused) {
    auto saved = SampleScene();
    const QByteArray bytes = EncodeSceneFile(*saved, {});
    ASSERT_TRUE(CheckSceneFile(bytes).ok);
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        const SceneDecodeResult result = CheckSceneFile(bytes.left(length));
        ASSERT_FALSE(result.ok) << length;
        EXPECT_FALSE(result.error.isEmpty());
    }
    const SceneDecodeResult longer = CheckSceneFile(bytes + "x");
    EXPECT_FALSE(longer.ok);
    EXPECT_TRUE(longer.error.contains("follow")) << qPrintable(longer.error);
}

TEST(SceneFile, HostileCountsAndVersionsAreRefused) {
    auto scene = SampleScene();
    scene->m_nFrameCount = 4321;
    scene->m_nArrayCount = 123;
    scene->m_trackModel.base[0] = 1234.5f;
    scene->m_trackModel.keyFrames[1] = 777;
    scene->m_trackModel.key[0][777] = 0;
    scene->m_trackArray.base[kArrayTrackBookCount] = 111;
    scene->m_strSceneNote = "NOTE";
    const QByteArray good = EncodeSceneFile(*scene, {});
    ASSERT_TRUE(CheckSceneFile(good).ok);

    auto refused = [&good](const char* what, qsizetype at, auto patch) {
        SCOPED_TRACE(what);
        ASSERT_GE(at, 0);
        QByteArray bad = good;
        patch(bad, at);
        const SceneDecodeResult result = CheckSceneFile(bad);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.isEmpty());
    };
    const qsizetype books = good.indexOf(IntBytes(123));
    refused("225 books", books, [](QByteArray& b, qsizetype at) { PutInt(b, at, 225); });
    refused("-1 books", books, [](QByteArray& b, qsizetype at) { PutInt(b, at, -1); });
    const qsizetype modelKeys = good.indexOf(FloatBytes(1234.5f)) - 4;
    refused("10000 keys", modelKeys, [](QByteArray& b, qsizetype at) { PutInt(b, at, 10000); });
    refused("a negative key count", modelKeys, [](QByteArray& b, qsizetype at) { PutInt(b, at, -5); });
    refused("a billion keys", modelKeys, [](QByteArray& b, qsizetype at) { PutInt(b, at, 1 << 30); });
    const qsizetype keyFrame = good.indexOf(IntBytes(777));
    // Frame counts and later key frames beyond the tracks are clamped instead (scene_layout_test).
    refused("key frame -1", keyFrame, [](QByteArray& b, qsizetype at) { PutInt(b, at, -1); });
    const qsizetype bookValue = good.indexOf(FloatBytes(111));
    refused("a book count of 300", bookValue, [](QByteArray& b, qsizetype at) { PutFloat(b, at, 300); });
    const qsizetype note = good.indexOf(QByteArray("\x04NOTE"));
    refused("a text longer than the file", note, [](QByteArray& b, qsizetype at) {
        b.replace(at, 1, QByteArray("\xff\xff\xff\xff\xff\xff\x7f", 7));
    });
    refused("version 0", 13, [](QByteArray& b, qsizetype at) { b[at] = 0; });
    refused("version 18", 13, [](QByteArray& b, qsizetype at) { b[at] = 18; });
    refused("a two-character version", 12, [](QByteArray& b, qsizetype at) { b[at] = 2; });
    EXPECT_EQ(good[12], 1);
    EXPECT_EQ(good[13], 17);
}

TEST(SceneFile, DamagedBytesNeverReadOutOfBounds) {
    // Run under the sanitizer build too: every byte set to extreme values,
    // then random damage.
    auto scene = SampleScene();
    const QByteArray good = EncodeSceneFile(*scene, {});
    auto scratch = ResetScene();
    int accepted = 0;
    for (qsizetype at = 0; at < good.size(); ++at) {
        for (char value : {char(0xFF), char(0x80), char(0x00)}) {
            QByteArray bad = good;
            bad[at] = value;
            const SceneDecodeResult result = DecodeSceneFile(bad, *scratch);
            accepted += result.ok;
            EXPECT_TRUE(result.ok || !result.error.isEmpty());
        }
    }
    QRandomGenerator random(8);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bad = good;
        for (int n = 0; n < 4; ++n) bad[random.bounded(int(bad.size()))] = char(random.bounded(256));
        if (round % 3 == 0) bad.truncate(random.bounded(int(bad.size())));
        const SceneDecodeResult result = DecodeSceneFile(bad, *scratch);
        EXPECT_TRUE(result.ok || !result.error.isEmpty());
    }
    EXPECT_GT(accepted, 0);  // changed values that stay in range still read
}

TEST(SceneFile, FilesAreReadWholeUpToTheLimitAndRefusedBeyondIt) {
    QTemporaryDir dir;
    // Bytes across several reads come back whole and in order.
    QByteArray large(200001, '\0');
    for (qsizetype i = 0; i < large.size(); ++i) large[i] = char(i * 7 + i / 251);
    const QString path = dir.filePath("large.VLMK");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(large), large.size());
    }
    QByteArray bytes;
    QString error;
    ASSERT_TRUE(ReadSceneFileBytes(path, bytes, &error)) << qPrintable(error);
    EXPECT_EQ(bytes, large);

    // One byte over the limit (a sparse file) is refused with a reason.
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(kMaxSceneFileBytes + 1));
    }
    EXPECT_FALSE(ReadSceneFileBytes(path, bytes, &error));
    EXPECT_EQ(error, "it is far too large to be a scene file");
}
