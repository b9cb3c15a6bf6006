#pragma once
// A second, independent writer of the scene file, item by item in the stored
// layout, written apart from the program's reader and writer (which share one
// walk and so could share a mistake). Every field is recorded under its scene
// name, so a comparison names the first field that differs.
//
// In Fill mode the same walk gives every stored value a value of its own
// (counts, frames and book counts excepted), so that any two fields stored in
// each other's place show up.

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstring>
#include <vector>

#include "files/scene_file.h"
#include "scene/scene_state.h"

namespace vm::test {

class ReferenceScene {
public:
    enum class Mode { Write, Fill };
    struct Field {
        QString name;
        QByteArray bytes;
        bool isFloat = false;
    };

    explicit ReferenceScene(Mode mode = Mode::Write) : m_mode(mode) {}

    void f32(const QString& name, float& value) {
        if (m_mode == Mode::Fill) value = m_next += 0.25f;
        putF32(name, value);
    }
    // A stored value that the walk must not change (counts, frames, lengths).
    void f32Kept(const QString& name, float value) { putF32(name, value); }
    void i32(const QString& name, int& value) {
        if (m_mode == Mode::Fill) value = ++m_nextInt;
        putI32(name, value);
    }
    void i32Kept(const QString& name, int value) { putI32(name, value); }
    void text(const QString& name, QString& value) {
        if (m_mode == Mode::Fill) value = QStringLiteral("%1 #%2").arg(name).arg(++m_nextInt);
        rawText(name, value.toUtf8());
    }
    void rawText(const QString& name, const QByteArray& value) {
        QByteArray bytes;
        const qsizetype n = value.size();
        if (n < 255) {
            bytes.append(char(n));
        } else if (n < 65535) {
            bytes.append(char(0xFF));
            bytes.append(char(n & 0xFF));
            bytes.append(char((n >> 8) & 0xFF));
        } else {
            bytes.append("\xff\xff\xff", 3);
            for (int i = 0; i < 4; ++i) bytes.append(char((n >> (8 * i)) & 0xFF));
        }
        m_fields.push_back({name, bytes + value});
    }

    const std::vector<Field>& fields() const { return m_fields; }
    QByteArray bytes() const {
        QByteArray all;
        for (const Field& f : m_fields) all += f.bytes;
        return all;
    }

    // The first field whose bytes differ from `actual` (or that `actual`
    // lacks), with its offset; empty when `actual` is the same file.
    QString firstDifference(const QByteArray& actual) const {
        qsizetype at = 0;
        for (const Field& f : m_fields) {
            if (actual.mid(at, f.bytes.size()) != f.bytes)
                return QStringLiteral("%1 at byte %2: expected %3, written %4")
                    .arg(f.name)
                    .arg(at)
                    .arg(QString::fromLatin1(f.bytes.toHex(' ')), QString::fromLatin1(actual.mid(at, f.bytes.size()).toHex(' ')));
            at += f.bytes.size();
        }
        if (actual.size() != at) return QStringLiteral("%1 bytes follow the last field").arg(actual.size() - at);
        return {};
    }

private:
    void putF32(const QString& name, float value) {
        std::uint32_t word = 0;
        std::memcpy(&word, &value, 4);
        word = qToLittleEndian(word);
        m_fields.push_back({name, QByteArray(reinterpret_cast<const char*>(&word), 4), true});
    }
    void putI32(const QString& name, int value) {
        const std::int32_t word = qToLittleEndian(std::int32_t(value));
        m_fields.push_back({name, QByteArray(reinterpret_cast<const char*>(&word), 4)});
    }

    Mode m_mode;
    std::vector<Field> m_fields;
    float m_next = 0.5f;
    int m_nextInt = 0;
};

namespace reference_detail {

inline const char* const kXYZ[3] = {"X", "Y", "Z"};

// The animated values of each track, in track order.
inline QStringList ModelTrackNames() {
    return {"m_fRotX", "m_fRotY", "m_fRotZ", "m_fPosX", "m_fPosY", "m_fPosZ", "m_fSize X", "m_fSize Y",
            "m_fSize Z", "m_fMugRed", "m_fMugGreen", "m_fMugBlue", "m_fTilt"};
}
inline QStringList TripleNames(std::initializer_list<const char*> groups) {
    QStringList names;
    for (const char* g : groups)
        for (const char* axis : kXYZ) names << QStringLiteral("%1 %2").arg(QLatin1String(g), QLatin1String(axis));
    return names;
}
inline QStringList TextTrackNames() {
    QStringList names = TripleNames({"m_fTextRot", "m_fTextPos", "m_fFontColour", "m_fTextTwist", "m_fLineSpacing",
                                     "m_fCharSpacing", "m_fTextReserved", "m_fTextSpotColour", "m_fTextScale"});
    names << "m_fTextFade" << "m_fTextReflection" << "m_fTextShadow" << "m_fTextShadowOpacity";
    return names;
}
inline QStringList PictureTrackNames() { return TripleNames({"m_fPicRot", "m_fPicPos", "m_fPicScale"}); }
inline QStringList ArrayTrackNames() {
    QStringList names{"m_fArrayPos entry 1 (sideways)", "m_fArrayPos entry 2 (upwards)", "m_fArrayPos entry 0 (along the row)"};
    names << TripleNames({"m_fArrayRot", "m_fArrayBookRot", "m_fArrayBookPos", "m_fArrayBookScale"});
    names << "m_nArrayCount" << "m_fArrayTilt";
    return names;
}

}  // namespace reference_detail

// The file of `version` for `s`, field by field. In Fill mode `s` is changed.
inline void WriteReferenceScene(ReferenceScene& out, SceneState& s, SceneViewSize& viewSize, int version) {
    using namespace reference_detail;
    auto f3 = [&out](const QString& name, float* v) {
        for (int i = 0; i < 3; ++i) out.f32(QStringLiteral("%1 %2").arg(name, QLatin1String(kXYZ[i])), v[i]);
    };
    auto base = [&out](const QString& track, const QStringList& names, float* values, int v) {
        out.f32(QStringLiteral("%1 base %2").arg(track, names[v]), values[v]);
    };
    const QStringList modelNames = ModelTrackNames(), textNames = TextTrackNames(),
                      pictureNames = PictureTrackNames(), arrayNames = ArrayTrackNames();
    const QStringList lightNames{"m_fSpotPos X", "m_fSpotPos Y", "m_fSpotPos Z"};

    out.f32("m_fSpotLight", s.m_fSpotLight);
    out.f32("texture scroll X", s.m_fTextureScroll[0]);
    out.f32("texture scroll Y", s.m_fTextureScroll[1]);
    out.rawText("m_strSizeMarker", QByteArray(1, char(version)));
    if (version >= 17)
        for (int i = 1; i < 12; i += 2) out.f32(QStringLiteral("m_fDefaultSet entry %1").arg(i), s.m_fDefaultSet[i]);
    if (version >= 16) out.f32("m_fBoxModel", s.m_fBoxModel);
    if (version >= 14) {
        f3("m_fPicRot", s.m_fPicRot);
        f3("m_fPicPos", s.m_fPicPos);
        f3("m_fPicScale", s.m_fPicScale);
        out.f32("m_fShowPicture", s.m_fShowPicture);
        out.text("m_strPicturePath", s.m_strPicturePath);
        out.f32Kept("m_fPicturePathLen", s.m_fPicturePathLen);
        out.f32("m_fPicSpot", s.m_fPicSpot);
    }
    if (version >= 15) {
        const std::pair<const char*, QString*> paths[] = {{"m_strArrayFrontPath", &s.m_strArrayFrontPath},
                                                          {"m_strArrayBackPath", &s.m_strArrayBackPath},
                                                          {"m_strArrayLeftPath", &s.m_strArrayLeftPath}};
        for (auto [name, path] : paths) {
            out.text(name, *path);
            out.f32Kept(QStringLiteral("length of %1").arg(QLatin1String(name)), float(path->size()));
        }
        out.f32("m_fArrayReflection", s.m_fArrayReflection);
        out.f32("m_fArrayShadow", s.m_fArrayShadow);
        // Y, zoom, X: entries 1, 2, 0.
        out.f32(arrayNames[0], s.m_fArrayPos[1]);
        out.f32(arrayNames[1], s.m_fArrayPos[2]);
        out.f32(arrayNames[2], s.m_fArrayPos[0]);
        f3("m_fArrayRot", s.m_fArrayRot);
        out.i32Kept("m_nArrayCount", s.m_nArrayCount);
        f3("m_fArrayBookPos", s.m_fArrayBookPos);
        f3("m_fArrayBookRot", s.m_fArrayBookRot);
        f3("m_fArrayBookScale", s.m_fArrayBookScale);
        out.f32("m_fTilt", s.m_fTilt);
        out.f32("m_fArrayTilt", s.m_fArrayTilt);
        out.f32("m_fMultiBook", s.m_fMultiBook);
        out.f32("m_fArraySingle", s.m_fArraySingle);
        out.f32("m_fBookKind", s.m_fBookKind);
    }
    if (version >= 13) {
        out.i32("m_nFontWeight", s.m_nFontWeight);
        out.i32("m_bFontItalic", s.m_bFontItalic);
    }
    if (version >= 12) out.f32("m_fCDInCase", s.m_fCDInCase);
    if (version >= 11) out.i32Kept("m_nFrameCount", s.m_nFrameCount);
    if (version >= 10) {
        out.i32Kept("m_nLightKeys", s.m_trackLight.keyCount);
        out.f32("m_fTextReflectionOn", s.m_fTextReflectionOn);
        out.f32("m_fTextShadowOn", s.m_fTextShadowOn);
    }
    if (version >= 9) {
        out.f32("m_fFarLight", s.m_fFarLight);
        out.f32("m_fRestoreImageSize", s.m_fRestoreImageSize);
        out.f32("m_fSavedImageWidth", s.m_fSavedImageWidth);
        out.f32("m_fSavedImageHeight", s.m_fSavedImageHeight);
    }
    if (version >= 8) {
        out.f32("m_fNormalLight", s.m_fNormalLight);
        out.f32("m_fShadow", s.m_fShadow);
        out.f32("m_fShadowLength", s.m_fShadowLength);
        out.f32("m_fLightPos X", s.m_fLightPos[0]);
        out.f32("m_fLightPos Y", s.m_fLightPos[1]);
        out.f32("m_fReflectAmount", s.m_fReflectAmount);
        out.f32("m_fReflection", s.m_fReflection);
        out.f32("m_fCDOnBox", s.m_fCDOnBox);
        const char* const faces[6] = {"front", "back", "left", "right", "top", "bottom"};
        const char* const rgb[3] = {"R", "G", "B"};
        for (int face = 0; face < 6; ++face)
            for (int c = 0; c < 3; ++c)
                out.f32(QStringLiteral("m_fFaceRGB %1 %2").arg(QLatin1String(faces[face]), QLatin1String(rgb[c])),
                        s.m_fFaceRGB[face][c]);
        for (int face = 0; face < 6; ++face)
            out.f32(QStringLiteral("m_fFacePlain %1").arg(QLatin1String(faces[face])), s.m_fFacePlain[face]);
        for (int face = 0; face < 6; ++face)
            out.f32(QStringLiteral("m_fFaceColoured %1").arg(QLatin1String(faces[face])), s.m_fFaceColoured[face]);
        out.text("m_strFontFace", s.m_strFontFace);
    }
    if (version >= 7) {
        f3("m_fTextRot", s.m_fTextRot);
        f3("m_fTextPos", s.m_fTextPos);
        f3("m_fFontColour", s.m_fFontColour);
        f3("m_fTextTwist", s.m_fTextTwist);
        f3("m_fLineSpacing", s.m_fLineSpacing);
        f3("m_fCharSpacing", s.m_fCharSpacing);
        f3("m_fTextReserved", s.m_fTextReserved);
        f3("m_fTextSpotColour", s.m_fTextSpotColour);
        f3("m_fTextScale", s.m_fTextScale);
        out.f32("m_fTextFade", s.m_fTextFade);
        out.f32("m_fTextStyle", s.m_fTextStyle);
        out.text("m_strText", s.m_strText);
        out.f32("m_fTextWireframe", s.m_fTextWireframe);
        out.f32("m_fTextLights", s.m_fTextLights);
        out.f32("m_fTextOn", s.m_fTextOn);
        out.text("m_strTextTexturePath", s.m_strTextTexturePath);
        out.f32("text-texture value", s.m_fTextTextureValue);
    }
    if (version >= 10) {
        out.f32("m_fTextReflection", s.m_fTextReflection);
        out.f32("m_fTextShadow", s.m_fTextShadow);
        out.f32("m_fTextShadowOpacity", s.m_fTextShadowOpacity);
    }
    if (version >= 2) out.f32("m_fBoxType", s.m_fBoxType);
    if (version >= 5) out.rawText("the scene's kept text", s.m_strSceneNote);
    if (version >= 4) out.text("m_strBookFacePath entry 3", s.m_strBookFacePath[3]);
    out.text("m_strBookFacePath entry 1", s.m_strBookFacePath[1]);
    out.text("m_strBookFacePath entry 0", s.m_strBookFacePath[0]);
    for (int i = 0; i < 3; ++i) out.f32Kept(QStringLiteral("m_fBookFacePathLen entry %1").arg(i), s.m_fBookFacePathLen[i]);
    out.text("m_strBookFacePath entry 2", s.m_strBookFacePath[2]);
    out.f32("the further book value", s.m_fBookValue);
    // Bottom, top, right, left, back, front. The paths are kept front, back,
    // left, top, bottom, right; the lengths front, back, left, right, top, bottom.
    const struct {
        const char* face;
        int path, length;
    } faces[6] = {{"bottom", 4, 5}, {"top", 3, 4}, {"right", 5, 3}, {"left", 2, 2}, {"back", 1, 1}, {"front", 0, 0}};
    for (const auto& f : faces) {
        out.text(QStringLiteral("m_strFacePath %1").arg(QLatin1String(f.face)), s.m_strFacePath[f.path]);
        out.f32Kept(QStringLiteral("m_fFacePathLen %1").arg(QLatin1String(f.face)), s.m_fFacePathLen[f.length]);
    }
    out.f32("m_fPackageFamily", s.m_fPackageFamily);
    out.f32("m_fRotX", s.m_fRotX);
    out.f32("m_fRotY", s.m_fRotY);
    out.f32("m_fRotZ", s.m_fRotZ);
    out.f32("m_fPosX", s.m_fPosX);
    out.f32("m_fPosY", s.m_fPosY);
    out.f32("m_fPosZ", s.m_fPosZ);
    f3("m_fSpotPos", s.m_fSpotPos);
    if (version >= 3) f3("m_fSize", s.m_fSize);
    if (version >= 6) {
        out.f32("m_fMugRed", s.m_fMugRed);
        out.f32("m_fMugGreen", s.m_fMugGreen);
        out.f32("m_fMugBlue", s.m_fMugBlue);
    }
    out.i32("m_nViewWidth", viewSize.width);
    out.i32("m_nViewHeight", viewSize.height);
    out.f32("m_fModelBook", s.m_fModelBook);
    out.f32("package proportion 1", s.m_fPackageProportion[0]);
    out.f32("package proportion 2", s.m_fPackageProportion[1]);
    out.f32("m_fPictureDepth", s.m_fPictureDepth);
    out.f32("the further scene flag", s.m_fSceneFlag);
    out.i32("the package index", s.m_nPackageIndex);
    out.f32("m_fBackRGB R", s.m_fBackRGB[0]);
    out.f32("m_fBackRGB G", s.m_fBackRGB[1]);
    out.f32("m_fBackRGB B", s.m_fBackRGB[2]);
    out.f32("the render-driver flag", s.m_fRenderFlag);

    TextTrack& text = s.m_trackText;
    ModelTrack& model = s.m_trackModel;
    LightTrack& light = s.m_trackLight;
    PictureTrack& picture = s.m_trackPicture;
    ArrayTrack& array = s.m_trackArray;
    if (version >= 7) {
        out.i32Kept("m_nTextKeys", text.keyCount);
        for (int v = 0; v < 9; ++v) base("m_trackText", textNames, text.base.data(), v);
        for (int i = 0; i < 3; ++i)
            out.f32(QStringLiteral("m_trackText base of the unrecorded group %1").arg(i), s.m_fTextUnrecordedBase[i]);
        for (int v = 9; v < 28; ++v) base("m_trackText", textNames, text.base.data(), v);
        if (version >= 10)
            for (int v = 28; v < 31; ++v) base("m_trackText", textNames, text.base.data(), v);
    }
    out.i32Kept("m_nPackageKeys", model.keyCount);
    for (int v = 0; v < 6; ++v) base("m_trackModel", modelNames, model.base.data(), v);
    for (int v = 0; v < 3; ++v) base("m_trackLight", lightNames, light.base.data(), v);
    if (version >= 3)
        for (int v = 6; v < 9; ++v) base("m_trackModel", modelNames, model.base.data(), v);
    if (version >= 6)
        for (int v = 9; v < 12; ++v) base("m_trackModel", modelNames, model.base.data(), v);
    if (version >= 14) {
        out.i32Kept("m_nPictureKeys", picture.keyCount);
        for (int v = 0; v < 9; ++v) base("m_trackPicture", pictureNames, picture.base.data(), v);
    }
    if (version >= 15) {
        out.i32Kept("m_nMultiBookKeys", array.keyCount);
        for (int v = 0; v < 6; ++v) base("m_trackArray", arrayNames, array.base.data(), v);
        out.f32Kept("m_trackArray base m_nArrayCount", array.base[15]);
        for (int v = 9; v < 12; ++v) base("m_trackArray", arrayNames, array.base.data(), v);  // book pan/zoom
        for (int v = 6; v < 9; ++v) base("m_trackArray", arrayNames, array.base.data(), v);   // book rotation
        for (int v = 12; v < 15; ++v) base("m_trackArray", arrayNames, array.base.data(), v);
        base("m_trackModel", modelNames, model.base.data(), 12);
        base("m_trackArray", arrayNames, array.base.data(), 16);
    }

    auto key = [&out](const QString& track, const QStringList& names, auto& t, int v, int k, int f) {
        out.f32(QStringLiteral("%1 key %2 %3").arg(track).arg(k).arg(names[v]), t.key[v][f]);
    };
    auto thrice = [&out](const QString& name, float& value) {
        out.f32(name, value);
        out.f32Kept(name, value);
        out.f32Kept(name, value);
    };
    if (version >= 11)
        for (int k = 1; k <= light.keyCount; ++k) {
            const int f = light.keyFrames[k];
            out.i32Kept(QStringLiteral("m_trackLight key %1 frame").arg(k), f);
            for (int v = 0; v < 3; ++v) key("m_trackLight", lightNames, light, v, k, f);
        }
    for (int k = 1; k <= model.keyCount; ++k) {
        const int f = model.keyFrames[k];
        out.i32Kept(QStringLiteral("m_trackModel key %1 frame").arg(k), f);
        for (int v = 0; v < 6; ++v) key("m_trackModel", modelNames, model, v, k, f);
        for (int v = 0; v < 3; ++v) key("m_trackLight", lightNames, light, v, k, f);
        if (version >= 3)
            for (int v = 6; v < 9; ++v) key("m_trackModel", modelNames, model, v, k, f);
        if (version >= 6)
            for (int v = 9; v < 12; ++v) key("m_trackModel", modelNames, model, v, k, f);
        if (version >= 15) thrice(QStringLiteral("m_trackModel key %1 m_fTilt").arg(k), model.key[12][f]);
    }
    if (version >= 7)
        for (int k = 1; k <= text.keyCount; ++k) {
            const int f = text.keyFrames[k];
            out.i32Kept(QStringLiteral("m_trackText key %1 frame").arg(k), f);
            for (int v = 0; v < 9; ++v) key("m_trackText", textNames, text, v, k, f);
            for (int i = 0; i < 3; ++i)
                out.f32(QStringLiteral("m_trackText key %1 unrecorded group %2").arg(k).arg(i), s.m_fTextUnrecordedKey[f][i]);
            for (int v = 9; v < 27; ++v) key("m_trackText", textNames, text, v, k, f);
            thrice(QStringLiteral("m_trackText key %1 m_fTextFade").arg(k), text.key[27][f]);
            if (version >= 10)
                for (int v = 28; v < 31; ++v) key("m_trackText", textNames, text, v, k, f);
        }
    if (version >= 14)
        for (int k = 1; k <= picture.keyCount; ++k) {
            const int f = picture.keyFrames[k];
            out.i32Kept(QStringLiteral("m_trackPicture key %1 frame").arg(k), f);
            for (int v = 0; v < 9; ++v) key("m_trackPicture", pictureNames, picture, v, k, f);
        }
    if (version >= 15)
        for (int k = 1; k <= array.keyCount; ++k) {
            const int f = array.keyFrames[k];
            out.i32Kept(QStringLiteral("m_trackArray key %1 frame").arg(k), f);
            for (int v = 0; v < 6; ++v) key("m_trackArray", arrayNames, array, v, k, f);
            for (int v = 6; v < 9; ++v) key("m_trackArray", arrayNames, array, v, k, f);   // book rotation
            for (int v = 9; v < 12; ++v) key("m_trackArray", arrayNames, array, v, k, f);  // book pan/zoom
            for (int v = 6; v < 9; ++v) key("m_trackModel", modelNames, model, v, k, f);   // size at that frame
            for (int i = 0; i < 3; ++i)
                out.f32Kept(QStringLiteral("m_trackArray key %1 m_nArrayCount").arg(k), array.key[15][f]);
            thrice(QStringLiteral("m_trackArray key %1 m_fArrayTilt").arg(k), array.key[16][f]);
        }
}

}  // namespace vm::test
