// The scene-file reader on any bytes: a file is refused with a reason or read
// into a scene whose tracks build; a scene read from a file writes a file that
// reads back to the same bytes.

#include <QByteArray>
#include <memory>

#include "anim/build_track.h"
#include "files/scene_file.h"
#include "fuzz_check.h"

namespace {

// Scenes are large: they are made once and reset for every input as a load
// resets the view's scene, with the tracks copied from a reset scene, so no
// input sees keys an earlier one left.
struct Scenes {
    Scenes() {
        vm::ApplyNewSceneValues(*reset);
        vm::ResetSceneFileValues(*reset);
    }
    std::unique_ptr<vm::SceneState> reset = std::make_unique<vm::SceneState>();
    std::unique_ptr<vm::SceneState> first = std::make_unique<vm::SceneState>();
    std::unique_ptr<vm::SceneState> second = std::make_unique<vm::SceneState>();
};

void resetFrom(const vm::SceneState& reset, vm::SceneState& scene) {
    vm::ApplyNewSceneValues(scene);
    vm::ResetSceneFileValues(scene);
    scene.m_trackModel = reset.m_trackModel;
    scene.m_trackText = reset.m_trackText;
    scene.m_trackLight = reset.m_trackLight;
    scene.m_trackPicture = reset.m_trackPicture;
    scene.m_trackArray = reset.m_trackArray;
}

Scenes& scenes() {
    static Scenes* s = new Scenes;  // kept for the whole run
    return *s;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    scenes();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    Scenes& all = scenes();
    vm::SceneState* scene = all.first.get();
    resetFrom(*all.reset, *scene);
    const vm::SceneDecodeResult result = vm::DecodeSceneFile(bytes, *scene);
    if (!result.ok) {
        FUZZ_CHECK(!result.error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(scene->m_nFrameCount >= 1 && scene->m_nFrameCount <= vm::kMaxSceneFrameCount);
    FUZZ_CHECK(scene->m_nArrayCount >= 0 && scene->m_nArrayCount <= vm::kMaxArrayBooks);

    // The file the loaded scene writes reads back and writes the same again.
    const vm::SceneViewSize viewSize = result.viewSize;
    const QByteArray again = vm::EncodeSceneFileAsVersion(*scene, viewSize, result.version);
    vm::SceneState* second = all.second.get();
    resetFrom(*all.reset, *second);
    const vm::SceneDecodeResult reread = vm::DecodeSceneFile(again, *second);
    FUZZ_CHECK(reread.ok);
    FUZZ_CHECK(vm::EncodeSceneFileAsVersion(*second, viewSize, result.version) == again);

    // The tracks build from whatever keys the file held.
    vm::RebuildTrack(scene->m_trackModel);
    vm::RebuildTrack(scene->m_trackText);
    vm::RebuildTrack(scene->m_trackLight);
    vm::RebuildTrack(scene->m_trackPicture);
    vm::RebuildTrack(scene->m_trackArray);
    return 0;
}
