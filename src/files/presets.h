#pragma once
// Presets: scene files kept in the Sequences folder beside the program. The
// Controls page offers them in its list and stores the current scene as a new
// one.

#include <QString>
#include <QStringList>

namespace vm {

class CGL2AviView;

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
QStringList PresetListEntries(const CGL2AviView& view);

// "Add to Presets": asks for a name in the Sequences folder, saves the scene
// there and lists the presets again. False when cancelled or not saved.
bool AddToPresets(CGL2AviView& view);

// A choice in the preset list: entry 0 opens nothing; another entry becomes
// the current preset and is opened. False when nothing was opened.
bool LoadPreset(CGL2AviView& view, int index);

}  // namespace vm
