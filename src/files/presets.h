#pragma once
// Presets: scene files kept in the Sequences folder beside the program. The
// Controls page offers them in its list and stores the current scene as a new
// one.

#include <QString>
#include <QStringList>
#include <optional>

#include "files/scene_file.h"
#include "scene/scene_state.h"

namespace vm {

class Platform;

// The folder the presets live in.
QString PresetFolder();

// Whether a folder entry is listed as a preset: the text after the first
// point of its name is "VLMK", exactly.
bool IsPresetFileName(const QString& name);

// The preset names in `folder`, in name order, at most `limit` of them.
QStringList ScanPresetFolder(const QString& folder, int limit);

// The preset opened at start-up for a random number: 1 .. presetEntries - 1,
// so every preset, the last included, can be chosen. 0 when there is none.
// `presetEntries` counts the list's entries, "Nothing Selected" included.
int StartPresetIndex(int presetEntries, unsigned random);

// The entries the Controls page's list shows, "Nothing Selected" first.
QStringList PresetListEntries(const SceneState& scene);

// Lists the presets in the scene's names: "Nothing Selected", then the
// presets of the Sequences folder. Returns the entries listed.
int ListPresets(SceneState& scene);

// At start-up: lists the presets and chooses the one to open (at random, or
// none). The path of the chosen preset, with the program folder current;
// nothing when none is chosen.
std::optional<QString> ChooseStartPreset(SceneState& scene, bool chooseAtRandom);
// After the start preset was opened or not: `opened` false shows no preset
// as chosen; the program folder becomes current and the start folder.
void SettleStartPreset(SceneState& scene, bool opened);

// "Add to Presets": asks for a name in the Sequences folder, saves the scene
// there and lists the presets again. False when cancelled or not saved.
bool AddToPresets(SceneState& scene, Platform& platform, SceneViewSize viewSize);

// A choice in the preset list: entry 0 chooses nothing; another entry becomes
// the current preset, and its path is returned for opening with the program
// folder current.
std::optional<QString> ChoosePreset(SceneState& scene, int index);

}  // namespace vm
