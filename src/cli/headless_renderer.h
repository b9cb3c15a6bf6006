#pragma once
// Renders the scene on the headless host and writes the picture.

#include <QImage>
#include <QString>

#include "cli/render_options.h"

namespace vm {

// Runs the options; returns the process exit code. Messages go to stderr.
int RunHeadlessRender(const RenderOptions& options);

}  // namespace vm
