// Sequences/: example scenes with keys, written by the program's own scene
// file writer, so that the start scene plays at once and the preset list has
// something to offer.

#include <QDir>
#include <cstdio>
#include <memory>

#include "assetgen.h"
#include "files/scene_file.h"
#include "render/box_family.h"
#include "view/package_choice.h"
#include "scene/scene_state.h"

namespace assetgen {

namespace {

using vm::SceneState;

std::unique_ptr<SceneState> newScene(const char* package) {
    auto scene = std::make_unique<SceneState>();
    vm::ApplyNewSceneValues(*scene);
    vm::ResetSceneFileValues(*scene);
    vm::WritePackageValues(*scene, vm::PackageIndex(QString::fromLatin1(package)));
    scene->m_fTextOn = 0;  // the package is the subject
    return scene;
}

// Records the scene's current values as a key at `frame`, as "+ Add Key" does.
template <class Track, class Values>
void recordKey(Track& track, const Values& values, int frame) {
    track.keyFrames[++track.keyCount] = frame;
    for (std::size_t v = 0; v < values.size(); ++v)
        if (values[v]) track.key[v][frame] = *values[v];
}

// Package poses: rotation X, Y and distance.
struct Pose {
    int frame;
    float rotX, rotY, posZ;
};

void animatePackage(SceneState& s, std::initializer_list<Pose> poses) {
    const Pose start = *poses.begin();
    s.m_fRotX = start.rotX;
    s.m_fRotY = start.rotY;
    s.m_fPosZ = start.posZ;
    s.CopySceneIntoFrameZeroKeys();
    for (auto pose = poses.begin() + 1; pose != poses.end(); ++pose) {
        s.m_fRotX = pose->rotX;
        s.m_fRotY = pose->rotY;
        s.m_fPosZ = pose->posZ;
        recordKey(s.m_trackModel, vm::ModelTrackValues(s), pose->frame);
    }
    // The scene rests in its first pose until Play.
    s.m_fRotX = start.rotX;
    s.m_fRotY = start.rotY;
    s.m_fPosZ = start.posZ;
}

// The box faces of a default image set as stored paths.
void useImageSet(SceneState& s, vm::DefaultImageSet set) {
    const char* const* files = vm::DefaultImageFiles(set);  // front, right, back, left, top, bottom
    const int pathOf[6] = {0, 5, 1, 2, 3, 4};                // m_strFacePath: front, back, left, top, bottom, right
    const int lengthOf[6] = {0, 3, 1, 2, 4, 5};               // m_fFacePathLen: front, back, left, right, top, bottom
    for (int i = 0; i < 6; ++i) {
        s.m_strFacePath[pathOf[i]] = QString::fromLatin1(files[i]);
        s.m_fFacePathLen[lengthOf[i]] = float(s.m_strFacePath[pathOf[i]].size());
    }
}

std::unique_ptr<SceneState> retailBoxTurntable() {
    auto s = newScene("RetailBox.jpg");
    s->m_nFrameCount = 300;
    animatePackage(*s, {{0, 12, 30, 0}, {300, 12, 390, 0}});
    return s;
}

std::unique_ptr<SceneState> bookShowsItsSpine() {
    auto s = newScene("Book.jpg");
    s->m_nFrameCount = 250;
    animatePackage(*s, {{0, 10, 30, 0}, {100, 10, 90, 0}, {150, 10, 90, 0}, {250, 10, 30, 0}});
    return s;
}

std::unique_ptr<SceneState> dvdWithCd() {
    auto s = newScene("DVD-CD.jpg");
    useImageSet(*s, vm::DefaultImageSet::Dvd);
    s->m_nFrameCount = 300;
    animatePackage(*s, {{0, 15, 35, 0}, {150, 20, -25, 40}, {300, 15, 35, 0}});
    return s;
}

std::unique_ptr<SceneState> mugTurns() {
    auto s = newScene("Mug.jpg");
    s->m_nFrameCount = 300;
    s->m_fMugRed = 30;
    s->m_fMugGreen = 90;
    s->m_fMugBlue = 200;
    s->m_fRotX = 15;
    s->m_fRotY = 0;
    s->CopySceneIntoFrameZeroKeys();
    // A full turn while the glaze warms from blue to red.
    s->m_fRotY = 360;
    s->m_fMugRed = 210;
    s->m_fMugGreen = 60;
    s->m_fMugBlue = 40;
    recordKey(s->m_trackModel, vm::ModelTrackValues(*s), 300);
    s->m_fRotY = 0;
    s->m_fMugRed = 30;
    s->m_fMugGreen = 90;
    s->m_fMugBlue = 200;
    return s;
}

}  // namespace

bool WritePresets(const QString& root) {
    const QString folder = root + QStringLiteral("/Sequences");
    if (!EnsureFolder(folder)) return false;
    const struct {
        const char* name;
        std::unique_ptr<SceneState> (*make)();
    } presets[] = {
        {"Retail Box Turntable.VLMK", retailBoxTurntable},
        {"Book Spine Turn.VLMK", bookShowsItsSpine},
        {"DVD and CD.VLMK", dvdWithCd},
        {"Coffee Mug.VLMK", mugTurns},
    };
    for (const auto& preset : presets) {
        const QString path = folder + u'/' + QString::fromLatin1(preset.name);
        QString error;
        if (!vm::WriteSceneFile(*preset.make(), {800, 600}, path, &error)) {
            std::fprintf(stderr, "assetgen: cannot write %s: %s\n", qPrintable(path), qPrintable(error));
            return false;
        }
    }
    return true;
}

}  // namespace assetgen
