// The scene file layout, written once for both directions: the reader and the
// writer walk the same items in the same order, so they cannot drift apart.

#include "files/scene_file.h"

#include "platform/safe_file.h"

#include <QFile>
#include <algorithm>
#include <bitset>
#include <climits>
#include <memory>

#include "files/scene_archive.h"

namespace vm {

namespace {

// The version of each group of items: a reader skips the items of versions
// later than its file's.
enum Since : int {
    kV1 = 1, kV2 = 2, kV3 = 3, kV4 = 4, kV5 = 5, kV6 = 6, kV7 = 7, kV8 = 8, kV9 = 9,
    kV10 = 10, kV11 = 11, kV12 = 12, kV13 = 13, kV14 = 14, kV15 = 15, kV16 = 16, kV17 = 17,
};

constexpr float kMaxBooks = float(kMaxArrayBooks);

template <class Ar>
void f32s(Ar& ar, float* values, int count) {
    for (int i = 0; i < count; ++i) ar.f32(values[i]);
}

// A value stored three times is read three times into the same place.
template <class Ar>
void f32Thrice(Ar& ar, float& value) {
    for (int i = 0; i < 3; ++i) ar.f32(value);
}

template <class Ar>
void bookCountThrice(Ar& ar, float& value) {
    for (int i = 0; i < 3; ++i) ar.f32Count(value, 0.0f, kMaxBooks, "a book count");
}

template <class Ar, int N>
void trackBase(Ar& ar, KeyTrack<N>& track, int first, int count) {
    for (int v = first; v < first + count; ++v) ar.f32(track.base[v]);
}

template <class Ar, int N>
void keyValues(Ar& ar, KeyTrack<N>& track, int frame, int first, int count) {
    for (int v = first; v < first + count; ++v) ar.f32(track.key[v][frame]);
}

template <class Ar, int N>
void keyCount(Ar& ar, KeyTrack<N>& track) {
    ar.i32(track.keyCount, 0, kMaxSceneKeys, "a key count");
}

// The frames one track's keys were read to. A key stored beyond the last
// frame is moved onto it, unless that would put it on the frame of another
// key and so overwrite one of the two: such a file is refused.
struct KeyFramesSeen {
    std::bitset<kTrackFrames> used, moved;
};

// The frame of key k; the index is kept within the arrays whatever is read.
template <class Ar, int N>
int keyFrame(Ar& ar, KeyTrack<N>& track, int k, KeyFramesSeen& seen) {
    if constexpr (!Ar::kReading) {
        ar.i32(track.keyFrames[k]);
        return std::clamp(track.keyFrames[k], 0, kMaxFrame);
    } else {
        const qsizetype at = ar.offset();
        int stored = 0;
        ar.i32(stored, 0, INT_MAX, "a key frame");  // a key before frame 0 has no place to go
        if (ar.failed()) return 0;
        const int frame = std::min(stored, kMaxFrame);
        if (frame != stored) {
            if (seen.used[frame]) {
                ar.fail(QStringLiteral("the key at frame %1 (byte %2) would fall on the key at frame %3")
                            .arg(stored).arg(at).arg(frame));
                return 0;
            }
            seen.moved[frame] = true;
            ar.warn(QStringLiteral("a key at frame %1 was moved to the last frame, %2").arg(stored).arg(frame));
        } else if (seen.moved[frame]) {
            ar.fail(QStringLiteral("the key at frame %1 (byte %2) falls on a key moved there").arg(stored).arg(at));
            return 0;
        }
        seen.used[frame] = true;
        track.keyFrames[k] = frame;
        return frame;
    }
}

template <int N>
int keysToWalk(const KeyTrack<N>& track) {
    return std::clamp(track.keyCount, 0, kMaxSceneKeys);
}

// Items 1 to 57 of the layout. `version` is read from item 4 when reading and
// is the current version when writing.
template <class Ar>
void TransferScene(Ar& ar, SceneState& s, SceneViewSize& viewSize, int& version) {
    auto since = [&](int first) { return !ar.failed() && version >= first; };

    ar.f32(s.m_fSpotLight);
    ar.f32(s.m_fTextureScroll[0]);
    ar.f32(s.m_fTextureScroll[1]);

    // The version: one character whose code is the number.
    QByteArray marker = s.m_strSizeMarker.toLatin1();
    ar.rawText(marker);
    if constexpr (Ar::kReading) {
        if (ar.failed()) return;
        if (marker.size() != 1) {
            ar.fail(QStringLiteral("it has no version mark"));
            return;
        }
        version = std::uint8_t(marker[0]);
        if (version < 1 || version > kSceneFileVersion) {
            ar.fail(QStringLiteral("its version %1 is not one of 1 to %2").arg(version).arg(kSceneFileVersion));
            return;
        }
        s.m_strSizeMarker = QString(QChar(char16_t(version)));
    }

    if (since(kV17))
        for (int i = 1; i < 12; i += 2) ar.f32(s.m_fDefaultSet[i]);
    if (since(kV16)) ar.f32(s.m_fBoxModel);
    if (since(kV14)) {
        f32s(ar, s.m_fPicRot, 3);
        f32s(ar, s.m_fPicPos, 3);
        f32s(ar, s.m_fPicScale, 3);
        ar.f32(s.m_fShowPicture);
        ar.text(s.m_strPicturePath);
        ar.f32Count(s.m_fPicturePathLen, 0.0f, float(kMaxSceneFileBytes), "a path length");
        ar.f32(s.m_fPicSpot);
    }
    if (since(kV15)) {
        for (QString* path : {&s.m_strArrayFrontPath, &s.m_strArrayBackPath, &s.m_strArrayLeftPath}) {
            ar.text(*path);
            float length = float(path->size());  // derived from the path; the read value is not kept
            ar.f32(length);
        }
        ar.f32(s.m_fArrayReflection);
        ar.f32(s.m_fArrayShadow);
        // The spacing is stored as the array track holds it: sideways,
        // upwards, then along the row.
        for (int entry : {1, 2, 0}) ar.f32(s.m_fArrayPos[entry]);
        f32s(ar, s.m_fArrayRot, 3);
        ar.i32(s.m_nArrayCount, 0, kMaxArrayBooks, "the book count");
        f32s(ar, s.m_fArrayBookPos, 3);
        f32s(ar, s.m_fArrayBookRot, 3);
        f32s(ar, s.m_fArrayBookScale, 3);
        ar.f32(s.m_fTilt);
        ar.f32(s.m_fArrayTilt);
        ar.f32(s.m_fMultiBook);
        ar.f32(s.m_fArraySingle);
        ar.f32(s.m_fBookKind);
    }
    if (since(kV13)) {
        ar.i32(s.m_nFontWeight);
        ar.i32(s.m_bFontItalic);
    }
    if (since(kV12)) ar.f32(s.m_fCDInCase);
    if (since(kV11)) ar.i32Clamped(s.m_nFrameCount, 1, kMaxSceneFrameCount, "the frame count");
    if (since(kV10)) {
        keyCount(ar, s.m_trackLight);
        ar.f32(s.m_fTextReflectionOn);
        ar.f32(s.m_fTextShadowOn);
    }
    if (since(kV9)) {
        ar.f32(s.m_fFarLight);
        ar.f32(s.m_fRestoreImageSize);
        ar.f32(s.m_fSavedImageWidth);
        ar.f32(s.m_fSavedImageHeight);
    }
    if (since(kV8)) {
        ar.f32(s.m_fNormalLight);
        ar.f32(s.m_fShadow);
        ar.f32(s.m_fShadowLength);
        ar.f32(s.m_fLightPos[0]);
        ar.f32(s.m_fLightPos[1]);
        ar.f32(s.m_fReflectAmount);
        ar.f32(s.m_fReflection);
        ar.f32(s.m_fCDOnBox);
        for (auto& face : s.m_fFaceRGB) f32s(ar, face, 3);
        f32s(ar, s.m_fFacePlain, 6);
        f32s(ar, s.m_fFaceColoured, 6);
        ar.text(s.m_strFontFace);
    }
    if (since(kV7)) {
        for (float* triple : {s.m_fTextRot, s.m_fTextPos, s.m_fFontColour, s.m_fTextTwist, s.m_fLineSpacing,
                              s.m_fCharSpacing, s.m_fTextReserved, s.m_fTextSpotColour, s.m_fTextScale})
            f32s(ar, triple, 3);
        ar.f32(s.m_fTextFade);
        ar.f32(s.m_fTextStyle);
        ar.text(s.m_strText);
        ar.f32(s.m_fTextWireframe);
        ar.f32(s.m_fTextLights);
        ar.f32(s.m_fTextOn);
        ar.text(s.m_strTextTexturePath);
        ar.f32(s.m_fTextTextureValue);
    }
    if (since(kV10)) {
        ar.f32(s.m_fTextReflection);
        ar.f32(s.m_fTextShadow);
        ar.f32(s.m_fTextShadowOpacity);
    }
    if (since(kV2)) ar.f32(s.m_fBoxType);
    if (since(kV5)) ar.rawText(s.m_strSceneNote);
    if (since(kV4)) ar.text(s.m_strBookFacePath[3]);
    if (since(kV1)) {
        ar.text(s.m_strBookFacePath[1]);
        ar.text(s.m_strBookFacePath[0]);
        for (float& length : s.m_fBookFacePathLen)
            ar.f32Count(length, 0.0f, float(kMaxSceneFileBytes), "a path length");
        ar.text(s.m_strBookFacePath[2]);
        ar.f32(s.m_fBookValue);
        // Bottom, top, right, left, back, front: the path (front, back, left,
        // top, bottom, right order) and its length (front, back, left, right,
        // top, bottom order).
        const int pathIndex[6] = {4, 3, 5, 2, 1, 0};
        const int lengthIndex[6] = {5, 4, 3, 2, 1, 0};
        for (int i = 0; i < 6; ++i) {
            ar.text(s.m_strFacePath[pathIndex[i]]);
            ar.f32Count(s.m_fFacePathLen[lengthIndex[i]], 0.0f, float(kMaxSceneFileBytes), "a path length");
        }
        ar.f32(s.m_fPackageFamily);
        ar.f32(s.m_fRotX);
        ar.f32(s.m_fRotY);
        ar.f32(s.m_fRotZ);
        ar.f32(s.m_fPosX);
        ar.f32(s.m_fPosY);
        ar.f32(s.m_fPosZ);
        f32s(ar, s.m_fSpotPos, 3);
    }
    if (since(kV3)) f32s(ar, s.m_fSize, 3);
    if (since(kV6)) {
        ar.f32(s.m_fMugRed);
        ar.f32(s.m_fMugGreen);
        ar.f32(s.m_fMugBlue);
    }
    if (since(kV1)) {
        ar.i32(viewSize.width);
        ar.i32(viewSize.height);
        ar.f32(s.m_fModelBook);
        ar.f32(s.m_fPackageProportion[0]);
        ar.f32(s.m_fPackageProportion[1]);
        ar.f32(s.m_fPictureDepth);
        ar.f32(s.m_fSceneFlag);
        ar.i32(s.m_nPackageIndex);
        f32s(ar, s.m_fBackRGB, 3);
        ar.f32(s.m_fRenderFlag);
    }

    // Track counts and frame-0 keys.
    TextTrack& text = s.m_trackText;
    ModelTrack& model = s.m_trackModel;
    LightTrack& light = s.m_trackLight;
    PictureTrack& picture = s.m_trackPicture;
    ArrayTrack& array = s.m_trackArray;
    if (since(kV7)) {
        keyCount(ar, text);
        trackBase(ar, text, 0, 9);  // rotation, position, font colour
        f32s(ar, s.m_fTextUnrecordedBase, 3);
        trackBase(ar, text, 9, 19);  // twist .. scale, fade
        if (since(kV10)) trackBase(ar, text, 28, 3);
    }
    if (since(kV1)) {
        keyCount(ar, model);
        trackBase(ar, model, 0, 6);
        trackBase(ar, light, 0, 3);
        if (since(kV3)) trackBase(ar, model, 6, 3);
        if (since(kV6)) trackBase(ar, model, 9, 3);
    }
    if (since(kV14)) {
        keyCount(ar, picture);
        trackBase(ar, picture, 0, 9);
    }
    if (since(kV15)) {
        keyCount(ar, array);
        trackBase(ar, array, 0, 6);  // pan and zoom, rotation
        ar.f32Count(array.base[kArrayTrackBookCount], 0.0f, kMaxBooks, "a book count");
        trackBase(ar, array, 9, 3);  // book pan and zoom
        trackBase(ar, array, 6, 3);  // book rotation
        trackBase(ar, array, 12, 3);  // book scale
        ar.f32(model.base[12]);       // tilt
        ar.f32(array.base[16]);
    }

    // Key records.
    if (since(kV11)) {
        KeyFramesSeen seen;
        for (int k = 1, n = keysToWalk(light); k <= n && !ar.failed(); ++k) {
            const int f = keyFrame(ar, light, k, seen);
            keyValues(ar, light, f, 0, 3);
        }
    }
    KeyFramesSeen modelFrames;
    for (int k = 1, n = keysToWalk(model); k <= n && !ar.failed(); ++k) {
        const int f = keyFrame(ar, model, k, modelFrames);
        keyValues(ar, model, f, 0, 6);
        keyValues(ar, light, f, 0, 3);
        if (since(kV3)) keyValues(ar, model, f, 6, 3);
        if (since(kV6)) keyValues(ar, model, f, 9, 3);
        if (since(kV15)) f32Thrice(ar, model.key[12][f]);
    }
    if (since(kV7)) {
        KeyFramesSeen seen;
        for (int k = 1, n = keysToWalk(text); k <= n && !ar.failed(); ++k) {
            const int f = keyFrame(ar, text, k, seen);
            keyValues(ar, text, f, 0, 9);
            f32s(ar, s.m_fTextUnrecordedKey[f], 3);
            keyValues(ar, text, f, 9, 18);
            f32Thrice(ar, text.key[27][f]);
            if (since(kV10)) keyValues(ar, text, f, 28, 3);
        }
    }
    if (since(kV14)) {
        KeyFramesSeen seen;
        for (int k = 1, n = keysToWalk(picture); k <= n && !ar.failed(); ++k) {
            const int f = keyFrame(ar, picture, k, seen);
            keyValues(ar, picture, f, 0, 9);
        }
    }
    if (since(kV15)) {
        KeyFramesSeen seen;
        for (int k = 1, n = keysToWalk(array); k <= n && !ar.failed(); ++k) {
            const int f = keyFrame(ar, array, k, seen);
            keyValues(ar, array, f, 0, 12);  // pan and zoom, rotation, book rotation, book pan and zoom
            keyValues(ar, model, f, 6, 3);   // the package size at that frame
            bookCountThrice(ar, array.key[kArrayTrackBookCount][f]);
            f32Thrice(ar, array.key[16][f]);
        }
    }
}

}  // namespace

QByteArray EncodeSceneFile(SceneState& scene, SceneViewSize viewSize) {
    return EncodeSceneFileAsVersion(scene, viewSize, kSceneFileVersion);
}

QByteArray EncodeSceneFileAsVersion(SceneState& scene, SceneViewSize viewSize, int version) {
    version = std::clamp(version, 1, kSceneFileVersion);
    scene.m_strSizeMarker = QString(QChar(char16_t(version)));
    SceneArchiveWriter writer;
    TransferScene(writer, scene, viewSize, version);
    return writer.bytes();
}

SceneDecodeResult DecodeSceneFile(const QByteArray& bytes, SceneState& scene) {
    SceneDecodeResult result;
    SceneArchiveReader reader(bytes);
    TransferScene(reader, scene, result.viewSize, result.version);
    if (!reader.failed() && !reader.atEnd())
        reader.fail(QStringLiteral("%1 bytes follow the end of the scene").arg(bytes.size() - reader.offset()));
    if (reader.failed()) {
        result.error = reader.error();
        return result;
    }
    result.warnings = reader.warnings();
    // Files before version 11 hold the light's key count but not its keys.
    if (result.version < kV11) scene.m_trackLight.keyCount = 0;
    result.ok = true;
    return result;
}

SceneDecodeResult CheckSceneFile(const QByteArray& bytes) {
    auto scratch = std::make_unique<SceneState>();
    return DecodeSceneFile(bytes, *scratch);
}

void ResetSceneFileValues(SceneState& s) {
    s.m_fTextureScroll[0] = s.m_fTextureScroll[1] = 0;
    s.m_fTextTextureValue = 0;
    s.m_strSceneNote.clear();
    s.m_fBookValue = 0;
    s.m_fPackageProportion[0] = 0.21f;
    s.m_fPackageProportion[1] = 0.26f;
    s.m_fSceneFlag = 0;
    s.m_nPackageIndex = 0;
    s.m_fRenderFlag = 0;
    for (float& v : s.m_fTextUnrecordedBase) v = 0;
    for (auto& key : s.m_fTextUnrecordedKey) key[0] = key[1] = key[2] = 0;
    s.m_strPicturePath.clear();
    s.m_fPicturePathLen = 0;
    s.m_strArrayFrontPath.clear();
    s.m_strArrayBackPath.clear();
    s.m_strArrayLeftPath.clear();
    s.m_strTextTexturePath.clear();
    s.m_fTextTexturePathLen = 0;
}

bool WriteSceneFile(SceneState& scene, SceneViewSize viewSize, const QString& path, QString* error) {
    return WriteWholeFile(path, EncodeSceneFile(scene, viewSize), error);
}

bool ReadSceneFileBytes(const QString& path, QByteArray& bytes, QString* error) {
    // A FIFO or device is refused before it is opened: reading one blocks.
    if (!IsReadableRegularFile(path, error)) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    if (file.size() > kMaxSceneFileBytes) {
        if (error) *error = QStringLiteral("it is far too large to be a scene file");
        return false;
    }
    // Read what is there, a piece at a time: asking for the whole limit at
    // once reserves that much memory for every file, however small.
    bytes.clear();
    while (bytes.size() <= kMaxSceneFileBytes) {
        const QByteArray piece = file.read(qsizetype(1) << 16);
        if (piece.isEmpty()) break;
        bytes += piece;
    }
    if (bytes.size() > kMaxSceneFileBytes) {
        if (error) *error = QStringLiteral("it is far too large to be a scene file");
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace vm
