#pragma once
// The scene: every field the renderers, pages, playback and scene files share.
// Member initialisers are the values after construction; InitScene sets the
// start-up values it lists, and ApplyNewSceneValues (scene_state.cpp) holds
// the values of File > New. Flags are floats: set at 2 or more, clear at 1 or
// less; code writes 2 and 0.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

#include "scene/key_track.h"

namespace vm {

using ColourRef = std::uint32_t;   // 0x00BBGGRR, as the colour chooser reports it

constexpr int kPackageCount = 24;
constexpr int kMaxPresets = 1024;
constexpr int kMaxArrayBooks = 224;
constexpr int kGridSize = 45;

inline bool IsSet(float flag) { return flag >= 2.0f; }

// Every value of the scene, with value semantics: copies are independent and
// compare field by field.
struct SceneData {
    // Background and colours.
    ColourRef m_rgbBackground = 0;
    std::array<ColourRef, 6> m_rgbFaceColour{};  // front, back, left, right, top, bottom
    float m_fFaceRGB[6][3] = {};                  // same face order, 0..1
    ColourRef m_rgbTextColour = 0;
    float m_fBackRGB[3] = {};  // clear colour; 255 clamps to white

    // Package placement.
    float m_fRotX = 30, m_fRotY = 30, m_fRotZ = 0;
    float m_fPosX = 0, m_fPosY = 0, m_fPosZ = 0;
    float m_fSize[3] = {};
    float m_fTilt = 0;

    // Package choice and models.
    float m_fPackageFamily = 0;  // 0 book family, 2 mug, 4 box family, 6 screen shot, 7 CD disc, 20 hidden
    float m_fBoxModel = 0;
    float m_fBoxType = 0;
    float m_fModelBook = 0;
    float m_fBookKind = 0;  // 0 book, 2 curled, 4 open, 6 display, 8 stand-up open, 10 e-zine
    float m_fCDOnBox = 0;
    float m_fCDInCase = 0;
    float m_fHideCount = 0, m_fHiddenFamily = 0;
    float m_fSceneOpened = 0;
    float m_fLoadDefaults = 0, m_fUserSides = 0;
    // Per default image set, a request and a loaded flag: [2k] request,
    // [2k+1] loaded, k in the order of DefaultImageSet (box_family.h).
    float m_fDefaultSet[12] = {};
    float m_fCurlDefaults = 0, m_fCurlDefaultsLoaded = 0, m_fBookDefaults = 0, m_fStandUpDefaults = 0,
          m_fEzineDefaults = 0;
    float m_fCurlModelsLoaded = 0, m_fOpenModelsLoaded = 0, m_fDisplayModelsLoaded = 0, m_fStandUpModelsLoaded = 0;

    // Face images (their textures are the context's: render/gl_resources.h).
    float m_fPickMug = 0;
    float m_fPickBookFace[3] = {};
    float m_fPickFace[6] = {};  // front, back, left, right, top, bottom
    float m_fPickTextTexture = 0;
    // The CD disc's label: picked like a face, kept for the session only (the
    // scene file has no place for it).
    float m_fPickCDLabel = 0;
    QString m_strCDLabelPath;
    QString m_strBookFacePath[4];  // book left, book back, mug, book front
    QString m_strTextTexturePath;
    QString m_strFacePath[6];  // front, back, left, top, bottom, right
    float m_fBookFacePathLen[3] = {};
    float m_fFacePathLen[6] = {};  // front, back, left, right, top, bottom
    float m_fMugPathLen = 0;
    float m_fTextTexturePathLen = 0;
    float m_fFacePlain[6] = {};
    float m_fFaceColoured[6] = {};
    float m_fPathAsGiven = 0;
    int m_nImageWidthHM = 0, m_nImageHeightHM = 0;
    float m_fImageWidth = 0, m_fImageHeight = 0;
    int m_nPictureWidthHM = 0, m_nPictureHeightHM = 0;
    float m_fPictureWidth = 0, m_fPictureHeight = 0;
    float m_fRestoreImageSize = 0, m_fSavedImageWidth = 0, m_fSavedImageHeight = 0;
    float m_fPictureSized = 0, m_fPictureDepth = 0;

    // Mug.
    float m_fMugTintMode = 0;
    float m_fMugRed = 0, m_fMugBlue = 255, m_fMugGreen = 0;
    float m_fMugSeen = 0;

    // Lighting.
    float m_fSpotPos[3] = {1, 1, 10};
    float m_fMoveMode = 0;
    float m_fLighting = 0;
    float m_fSpotLight = 0;
    float m_fLightToggle = 0;
    float m_fControlsMode = 0;  // <= 1 rotation, 2 position, 3 size, 5 tilt
    float m_fNormalLightRadio = 0;
    float m_fLightPos[3] = {};
    float m_fNormalLight = 0;
    float m_fEnableLightCount = 0;
    float m_fFarLight = 0;
    float m_fSpotUsed = 0;

    // Reflections and shadows.
    float m_fReflection = 0, m_fReflectionToggle = 0;
    float m_fReflectAmount = 0;
    float m_fShadowLength = 0;
    float m_fReflectPageInit = 0;
    float m_fShadow = 0, m_fShadowToggle = 0;
    float m_fShadowRangeSet = 0;
    float m_fFogStartBase = 0, m_fFogEndBase = 0;
    // The factors of the last book reflection fog (start and end per distance).
    float m_fBookFogP = 0, m_fBookFogQ = 0;

    // 3D text.
    float m_fTextTwist[3] = {};
    float m_fTextOn = 0, m_fTextOnCount = 0;
    float m_fTextPageSeen = 0;
    float m_fTextLights = 0, m_fTextLightsCount = 0;
    float m_fTextSpotColour[3] = {};
    float m_fTextFade = 255;
    int m_nBackSliders = 0;
    float m_fTextPos[3] = {};
    float m_fTextRot[3] = {};
    QString m_strText;
    float m_fFontColour[3] = {255, 255, 255};
    float m_fTextReserved[3] = {};
    float m_fTextStyle = 0;
    float m_fTextWireframe = 0;
    float m_fTextShiny = 0;
    float m_fTextReflectionOn = 0, m_fTextReflectionCount = 0;
    float m_fTextReflection = 30;
    float m_fTextShadowOn = 0, m_fTextShadowCount = 0;
    float m_fTextShadow = 40;
    float m_fTextShadowOpacity = 0;
    float m_fTextScale[3] = {50, 50, 10};
    float m_fCharSpacing[3] = {};
    float m_fLineSpacing[3] = {0, -60, 0};
    int m_bFontItalic = 0;
    int m_nFontWeight = 0;
    QString m_strFontFace;

    // Background picture.
    float m_fPicPos[3] = {}, m_fPicRot[3] = {}, m_fPicScale[3] = {};
    float m_fPicSpot = 0, m_fPicSpotCount = 0;
    float m_fPicMode = 0;  // 0 rotate, 2 pan/zoom, 3 scale
    float m_fLoadPicture = 0;
    QString m_strPicturePath;
    float m_fPicturePathLen = 0;
    float m_fShowPicture = 0, m_fShowPictureCount = 0;
    float m_fFlatGrid[kGridSize][kGridSize][3] = {};
    float m_fPicGrid[kGridSize][kGridSize][3] = {};

    // Multi-book array.
    float m_fArrayTilt = 0;
    float m_fArrayReflection = 0, m_fArrayReflectionCount = 0;
    float m_fArrayShadow = 0, m_fArrayShadowCount = 0;
    float m_fPickArrayFace[3] = {};
    QString m_strArrayFrontPath, m_strArrayBackPath, m_strArrayLeftPath;
    float m_fMultiBook = 0;
    int m_nArrayIndex = 0;
    float m_fArrayBookA[kMaxArrayBooks][11] = {};
    float m_fArrayPos[3] = {20, 0, 0};
    float m_fArrayRot[3] = {};
    float m_fArrayBookB[kMaxArrayBooks + 1][6] = {};
    float m_fArrayMode = 0;
    float m_fArraySingle = 0;
    float m_fDoubleBookCount = 0;
    float m_fArrayBookRot[3] = {30, 30, 0};
    float m_fArrayBookPos[3] = {0, -10, -845};
    float m_fArrayBookScale[3] = {};
    float m_fArrayActiveCount = 0;
    int m_nArrayCount = 5;

    // Keyframes, playback and export. The key counts, playing flags and the
    // model track's built-length flag are the tracks' own fields; SceneState
    // gives them the names the pages and files use.
    ModelTrack m_trackModel;
    TextTrack m_trackText;
    LightTrack m_trackLight;
    PictureTrack m_trackPicture;
    ArrayTrack m_trackArray;

    int m_nPresetCount = 0;  // entries of m_strPresetNames, "Nothing Selected" included
    int m_nVideoFormat = 0;
    int m_nPresetIndex = 0;
    QString m_strPresetNames[kMaxPresets];
    int m_nStartPreset = 0;
    QString m_strStartFolder;
    QString m_strSizeMarker;
    int m_nExportTrack = 0;
    float m_fCompressCancelled = 0;
    float m_fVideoFps = 0;
    int m_nAskNewSequence = 0;  // read from the settings at start-up (default 1)
    int m_nSequenceStarted = 0;
    int m_nFrameCount = 300;

    // Values that scene files hold for the pages and renderers that own them
    // (texture scroll, text texture, book, package choice, render driver);
    // kept here so that a scene opened and saved again loses none of them.
    float m_fTextureScroll[2] = {};
    float m_fTextTextureValue = 0;
    QByteArray m_strSceneNote;  // a text carried with the scene, used by nothing else
    float m_fBookValue = 0;
    float m_fPackageProportion[2] = {0.21f, 0.26f};
    float m_fSceneFlag = 0;
    int m_nPackageIndex = 0;
    float m_fRenderFlag = 0;
    // The text keys carry three values of a group no page records: its frame-0
    // value and its value at each key frame.
    float m_fTextUnrecordedBase[3] = {};
    float m_fTextUnrecordedKey[kTrackFrames][3] = {};

    // Window, interaction and Control Deck.
    float m_fMouseTarget = 0;
    int m_bDeckOpen = 0;
    float m_fMouseDX = 1, m_fMouseDY = 1;
    std::uint8_t m_bLButtonDown = 0, m_bRButtonDown = 0;
    int m_ptLastMouse[2] = {};

    bool operator==(const SceneData&) const = default;
};

// The scene with the names of its tracks' counts and flags. The names are
// bound to the scene's own tracks: a copy takes the values and keeps its
// names on its own tracks.
struct SceneState : SceneData {
    SceneState();
    SceneState(const SceneState& other) : SceneData(other) {}
    SceneState& operator=(const SceneState& other) {
        SceneData::operator=(other);
        return *this;
    }
    friend bool operator==(const SceneState& a, const SceneState& b) {
        return static_cast<const SceneData&>(a) == static_cast<const SceneData&>(b);
    }

    int& m_nPackageKeys = m_trackModel.keyCount;
    int& m_nTextKeys = m_trackText.keyCount;
    int& m_nLightKeys = m_trackLight.keyCount;
    int& m_nPictureKeys = m_trackPicture.keyCount;
    int& m_nMultiBookKeys = m_trackArray.keyCount;
    std::uint8_t& m_bPlayPackage = m_trackModel.playing;
    std::uint8_t& m_bPlayText = m_trackText.playing;
    std::uint8_t& m_bPlayLight = m_trackLight.playing;
    std::uint8_t& m_bPlayPicture = m_trackPicture.playing;
    std::uint8_t& m_bPlayMultiBook = m_trackArray.playing;
    std::uint8_t& m_bModelPlayToBuilt = m_trackModel.useBuiltLength;

    // Copies the current value of every animated field into entry 0 of its
    // track (the frame-0 key and the value shown at frame 0).
    void CopySceneIntoFrameZeroKeys();
};

// The values File > New gives the scene fields it resets (only fields; the
// loads and GL work of New are the view's).
void ApplyNewSceneValues(SceneState& scene);

// Each track's animated values, in track order, as pointers into the scene.
std::array<float*, ModelTrack::kValues> ModelTrackValues(SceneState& scene);
std::array<float*, TextTrack::kValues> TextTrackValues(SceneState& scene);
std::array<float*, LightTrack::kValues> LightTrackValues(SceneState& scene);
std::array<float*, PictureTrack::kValues> PictureTrackValues(SceneState& scene);
// The array track holds the book count as a float; it is not a scene float,
// so it is read and written separately (index 15).
std::array<float*, ArrayTrack::kValues> ArrayTrackValues(SceneState& scene);
constexpr int kArrayTrackBookCount = 15;

}  // namespace vm
