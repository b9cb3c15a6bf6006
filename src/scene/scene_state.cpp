#include "scene/scene_state.h"

namespace vm {

namespace {

template <typename Track, std::size_t N>
void copyIntoFrameZero(Track& track, const std::array<float*, N>& values) {
    for (std::size_t v = 0; v < N; ++v) {
        if (!values[v]) continue;
        track.base[v] = *values[v];
        track.track[v][0] = *values[v];
    }
}

void set3(float* target, float x, float y, float z) {
    target[0] = x;
    target[1] = y;
    target[2] = z;
}

}  // namespace

SceneState::SceneState() { CopySceneIntoFrameZeroKeys(); }

void SceneState::CopySceneIntoFrameZeroKeys() {
    copyIntoFrameZero(m_trackModel, ModelTrackValues(*this));
    copyIntoFrameZero(m_trackText, TextTrackValues(*this));
    copyIntoFrameZero(m_trackLight, LightTrackValues(*this));
    copyIntoFrameZero(m_trackPicture, PictureTrackValues(*this));
    copyIntoFrameZero(m_trackArray, ArrayTrackValues(*this));
    m_trackArray.base[kArrayTrackBookCount] = float(m_nArrayCount);
    m_trackArray.track[kArrayTrackBookCount][0] = float(m_nArrayCount);
}

std::array<float*, ModelTrack::kValues> ModelTrackValues(SceneState& s) {
    return {&s.m_fRotX,    &s.m_fRotY,    &s.m_fRotZ,    &s.m_fPosX,     &s.m_fPosY,
            &s.m_fPosZ,    &s.m_fSize[0], &s.m_fSize[1], &s.m_fSize[2],  &s.m_fMugRed,
            &s.m_fMugGreen, &s.m_fMugBlue, &s.m_fTilt};
}

std::array<float*, TextTrack::kValues> TextTrackValues(SceneState& s) {
    std::array<float*, TextTrack::kValues> values{};
    float* triples[] = {s.m_fTextRot,     s.m_fTextPos,      s.m_fFontColour,     s.m_fTextTwist, s.m_fLineSpacing,
                        s.m_fCharSpacing, s.m_fTextReserved, s.m_fTextSpotColour, s.m_fTextScale};
    int v = 0;
    for (float* triple : triples)
        for (int i = 0; i < 3; ++i) values[v++] = &triple[i];
    values[v++] = &s.m_fTextFade;
    values[v++] = &s.m_fTextReflection;
    values[v++] = &s.m_fTextShadow;
    values[v++] = &s.m_fTextShadowOpacity;
    return values;
}

std::array<float*, LightTrack::kValues> LightTrackValues(SceneState& s) {
    return {&s.m_fSpotPos[0], &s.m_fSpotPos[1], &s.m_fSpotPos[2]};
}

std::array<float*, PictureTrack::kValues> PictureTrackValues(SceneState& s) {
    return {&s.m_fPicRot[0], &s.m_fPicRot[1], &s.m_fPicRot[2], &s.m_fPicPos[0],   &s.m_fPicPos[1],
            &s.m_fPicPos[2], &s.m_fPicScale[0], &s.m_fPicScale[1], &s.m_fPicScale[2]};
}

std::array<float*, ArrayTrack::kValues> ArrayTrackValues(SceneState& s) {
    // The array's pan is recorded Y, zoom, X.
    return {&s.m_fArrayPos[1],       &s.m_fArrayPos[2],       &s.m_fArrayPos[0],       &s.m_fArrayRot[0],
            &s.m_fArrayRot[1],       &s.m_fArrayRot[2],       &s.m_fArrayBookRot[0],   &s.m_fArrayBookRot[1],
            &s.m_fArrayBookRot[2],   &s.m_fArrayBookPos[0],   &s.m_fArrayBookPos[1],   &s.m_fArrayBookPos[2],
            &s.m_fArrayBookScale[0], &s.m_fArrayBookScale[1], &s.m_fArrayBookScale[2], nullptr,
            &s.m_fArrayTilt};
}

void ApplyNewSceneValues(SceneState& s) {
    // Package choice: the box family with its defaults.
    for (float& f : s.m_fDefaultSet) f = 0;
    s.m_fBoxModel = 0;
    s.m_fFarLight = 0;
    s.m_fLightPos[0] = 320;
    s.m_fLightPos[1] = 0;
    s.m_fLoadDefaults = 4;
    s.m_fCDInCase = 0;
    s.m_fCDOnBox = 2;
    s.m_fPictureDepth = 0.035f;
    set3(s.m_fSize, 0, 14, -41);
    s.m_fBoxType = 1;
    s.m_fPosX = s.m_fPosY = s.m_fPosZ = 0;
    s.m_fRotX = 30;
    s.m_fRotY = 30;
    s.m_fRotZ = 0;
    s.m_fPackageFamily = 4;
    s.m_fModelBook = 0;
    s.m_fBookKind = 0;
    s.m_fSceneOpened = 0;
    s.m_fTilt = 0;
    s.m_fMugRed = 0;
    s.m_fMugBlue = 255;
    s.m_fMugGreen = 0;

    // Multi-book array.
    s.m_nArrayCount = 5;
    s.m_fArrayMode = 3;
    set3(s.m_fArrayBookRot, 30, 30, 0);
    set3(s.m_fArrayPos, 20, 0, 0);
    set3(s.m_fArrayRot, 0, 0, 0);
    set3(s.m_fArrayBookPos, 0, -10, -845);
    set3(s.m_fArrayBookScale, 0, 0, 0);
    s.m_fArraySingle = 2;
    s.m_fArrayTilt = 0;
    s.m_fArrayReflection = s.m_fArrayReflectionCount = 0;
    s.m_fArrayShadow = s.m_fArrayShadowCount = 0;
    s.m_fMultiBook = 0;

    // Background picture hidden, at rest.
    s.m_fShowPicture = s.m_fShowPictureCount = 0;
    s.m_fPicMode = 0;
    set3(s.m_fPicPos, 0, 0, 0);
    set3(s.m_fPicRot, 0, 0, 0);
    set3(s.m_fPicScale, 0, 0, 0);
    s.m_fPicSpot = s.m_fPicSpotCount = 0;

    // Deck, animation, reflections, shadows, light and faces.
    s.m_nSequenceStarted = 2;
    // Whether the deck is open belongs to the window, not the scene: New and
    // Open hide the deck, and its button shows it again without asking.
    s.m_nFrameCount = 300;
    s.m_fTextReflectionOn = 0;
    s.m_fTextShadowOn = 0;
    s.m_fReflection = 2;
    s.m_fReflectionToggle = 1;
    s.m_fShadow = 2;
    s.m_fShadowToggle = 1;
    s.m_fReflectAmount = 10;
    s.m_fShadowLength = 0;
    s.m_fReflectPageInit = 0;
    s.m_fNormalLight = 0;
    s.m_fLighting = 0;
    s.m_fSpotLight = 0;
    set3(s.m_fSpotPos, 0, 0, 0);
    for (auto& face : s.m_fFaceRGB) set3(face, 0.7f, 0.7f, 0.7f);
    for (float& f : s.m_fFaceColoured) f = 0;
    for (float& f : s.m_fFacePlain) f = 0;

    // Image paths of the default faces, and their lengths.
    const char* facePaths[6] = {"Design Images/box-front.jpg", "Design Images/box-back.jpg",
                                "Design Images/box-left.jpg",  "Design Images/box-top.jpg",
                                "Design Images/box-bottom.jpg", "Software Box/box-right.jpg"};
    for (int i = 0; i < 6; ++i) s.m_strFacePath[i] = QString::fromLatin1(facePaths[i]);
    const float faceLengths[6] = {27, 26, 26, 26, 25, 28};
    for (int i = 0; i < 6; ++i) s.m_fFacePathLen[i] = faceLengths[i];
    s.m_strBookFacePath[0] = "Design Images/Spine.jpg";
    s.m_strBookFacePath[1] = "Design Images/back.jpg";
    s.m_strBookFacePath[2] = "Design Images/Mug.jpg";
    s.m_strBookFacePath[3] = "Design Images/front.jpg";
    s.m_fBookFacePathLen[0] = 23;
    s.m_fBookFacePathLen[1] = 22;
    s.m_fBookFacePathLen[2] = 23;
    s.m_fMugPathLen = 21;
    s.m_fRestoreImageSize = 2;

    // Text.
    s.m_strText = "Vellumark";
    s.m_strFontFace = "Arial Black";
    s.m_nFontWeight = 1;
    s.m_bFontItalic = 0;
    s.m_fTextOn = 2;
    s.m_fTextOnCount = 0;
    s.m_fTextPageSeen = 0;
    set3(s.m_fTextTwist, 0, 0, 0);
    set3(s.m_fTextSpotColour, 255, 255, 255);
    s.m_fTextFade = 255;
    set3(s.m_fTextPos, 0, 0, 0);
    set3(s.m_fTextRot, 0, 0, 0);
    set3(s.m_fFontColour, 255, 255, 255);
    set3(s.m_fTextReserved, 255, 255, 255);
    s.m_fTextStyle = 0;
    s.m_fTextWireframe = 0;
    s.m_fTextReflection = 30;
    s.m_fTextShadow = 40;
    set3(s.m_fTextScale, 50, 50, 10);
    set3(s.m_fCharSpacing, 0, 0, 0);
    set3(s.m_fLineSpacing, 0, -60, 0);

    // Every track empty, nothing playing, the reset values as frame-0 keys.
    EraseKeys(s.m_trackModel);
    EraseKeys(s.m_trackText);
    EraseKeys(s.m_trackLight);
    EraseKeys(s.m_trackPicture);
    EraseKeys(s.m_trackArray);
    s.m_fPathAsGiven = 2;
    set3(s.m_fBackRGB, 255, 255, 255);
    s.CopySceneIntoFrameZeroKeys();
}

}  // namespace vm
