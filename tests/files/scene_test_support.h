#pragma once
// Scenes for the scene-file tests.

#include <QByteArray>
#include <cstring>
#include <memory>

#include "files/scene_file.h"
#include "scene/scene_state.h"

namespace vm::test {

// A scene as a load starts from it.
inline std::unique_ptr<SceneState> ResetScene() {
    auto scene = std::make_unique<SceneState>();
    ApplyNewSceneValues(*scene);
    ResetSceneFileValues(*scene);
    return scene;
}

template <int N>
void SetKey(KeyTrack<N>& track, int frame, std::initializer_list<std::pair<int, float>> values) {
    track.keyFrames[++track.keyCount] = frame;
    for (auto [v, value] : values) track.key[v][frame] = value;
}

// A scene that uses every part of the file: texts, paths, the book array, the
// background picture, the values without a name, and keys on all five tracks.
inline std::unique_ptr<SceneState> SampleScene() {
    auto s = ResetScene();
    s->m_strText = QStringLiteral("Summer Sale");
    s->m_strFontFace = QStringLiteral("Lato");
    s->m_nFontWeight = 900;
    s->m_bFontItalic = 1;
    s->m_strPicturePath = QStringLiteral("Textures/sleeping-dog.jpg");
    s->m_fPicturePathLen = 25;
    s->m_fShowPicture = 2;
    s->m_strArrayFrontPath = QStringLiteral("Design Images/front.jpg");
    s->m_strArrayLeftPath = QStringLiteral("/home/ann/covers/spine \u00e9t\u00e9.jpg");
    s->m_strFacePath[5] = QStringLiteral("Design Images/box-right.jpg");
    s->m_fFacePathLen[3] = 27;
    s->m_strTextTexturePath = QStringLiteral("Textures/Reflectings.jpg");
    s->m_fPackageFamily = 4;
    s->m_fBoxType = 2;
    s->m_fBoxModel = 4;
    s->m_fCDOnBox = 2;
    s->m_fRotX = 12.5f;
    s->m_fRotY = -40;
    s->m_fPosZ = -3;
    s->m_fSize[2] = -45;
    s->m_fMugRed = 200;
    s->m_fBackRGB[0] = 0.25f;
    s->m_fMultiBook = 2;
    s->m_nArrayCount = 9;
    s->m_fArrayPos[0] = 33;
    s->m_nFrameCount = 150;
    s->m_fDefaultSet[3] = 2;
    s->m_fTextReflectionOn = 2;
    s->m_fTextShadowOpacity = 0.5f;
    // Values the file only carries.
    s->m_fTextureScroll[0] = 1.5f;
    s->m_fTextureScroll[1] = -2;
    s->m_fTextTextureValue = 7;
    s->m_strSceneNote = QByteArray("\xff\xfe note \x80", 9);
    s->m_fBookValue = 3;
    s->m_fPackageProportion[0] = 0.3f;
    s->m_fSceneFlag = 2;
    s->m_nPackageIndex = 12;
    s->m_fRenderFlag = 2;
    s->m_fTextUnrecordedBase[1] = 4;
    s->CopySceneIntoFrameZeroKeys();

    SetKey(s->m_trackModel, 50, {{1, 120}, {6, 10}, {11, 90}, {12, -30}});
    SetKey(s->m_trackModel, 120, {{1, 300}, {5, -200}, {12, -10}});
    SetKey(s->m_trackLight, 30, {{0, 5}, {2, 40}});
    SetKey(s->m_trackLight, 90, {{1, -8}});
    SetKey(s->m_trackText, 40, {{0, 90}, {27, 100}, {30, 0.25f}});
    s->m_fTextUnrecordedKey[40][2] = 6;
    SetKey(s->m_trackPicture, 60, {{3, 15}, {8, 2}});
    SetKey(s->m_trackArray, 80, {{0, 4}, {7, 60}, {kArrayTrackBookCount, 12}, {16, -20}});
    return s;
}

inline int ReadInt(const QByteArray& bytes, qsizetype at) {
    std::int32_t v = 0;
    std::memcpy(&v, bytes.constData() + at, 4);
    return v;
}

inline void PutInt(QByteArray& bytes, qsizetype at, std::int32_t v) { std::memcpy(bytes.data() + at, &v, 4); }
inline void PutFloat(QByteArray& bytes, qsizetype at, float v) { std::memcpy(bytes.data() + at, &v, 4); }

inline QByteArray IntBytes(std::int32_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); }
inline QByteArray FloatBytes(float v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); }

}  // namespace vm::test
