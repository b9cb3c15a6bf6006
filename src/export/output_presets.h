#pragma once
// Picture and video sizes for shops and social feeds. A preset gives the
// size; the package is framed by the fit (it and its reflection fill 80 % of
// the frame's width or height, centred).

#include <QString>
#include <vector>

namespace vm {

struct OutputPreset {
    const char* key;    // the command line's name: "square", "story", ...
    const char* title;  // what the dialogs show
    int width;
    int height;
};

const std::vector<OutputPreset>& OutputPresets();
// Null for a name that is none of the keys (case-insensitive).
const OutputPreset* FindOutputPreset(const QString& key);
// The keys joined with ", " for messages and help.
QString OutputPresetKeys();

}  // namespace vm
