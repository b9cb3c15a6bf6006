#pragma once
// The command line of vellumark-render.

#include <QString>
#include <QStringList>
#include <optional>

namespace vm {

struct RenderOptions {
    int width = 800;
    int height = 600;
    QString out;
    bool help = false;
};

// Parses the arguments after the program name. On failure returns nullopt
// and puts a one-line reason into `error`.
std::optional<RenderOptions> ParseRenderOptions(const QStringList& args, QString& error);

QString RenderUsage();

}  // namespace vm
