#pragma once
// The Controls page's preset commands on the view: saving and opening go
// through the view, which redraws what a newly opened scene needs.

namespace vm {

class CGL2AviView;

// "Add to Presets": asks for a name in the Sequences folder, saves the scene
// there and lists the presets again. False when cancelled or not saved.
bool AddToPresets(CGL2AviView& view);

// A choice in the preset list: entry 0 opens nothing; another entry becomes
// the current preset and is opened. False when nothing was opened.
bool LoadPreset(CGL2AviView& view, int index);

}  // namespace vm
