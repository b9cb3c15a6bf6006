#pragma once
// The eighteen video formats of the export: name, frame rate, the video's
// frame size, and the main-window size that Options > Settings applies.

#include <QString>

namespace vm {

struct VideoFormat {
    const char* name;
    int fps;
    int width, height;              // the recorded frame size
    int windowWidth, windowHeight;  // the main window's outer size for this format
};

constexpr int kVideoFormatCount = 18;

// The format of `index`, or nullptr when `index` is not 0..17.
const VideoFormat* FindVideoFormat(int index);

// The Settings list's row: name, rate and resolution in space-padded columns.
QString VideoFormatRowText(int index);

}  // namespace vm
