#pragma once
// The command line of vellumark-render.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

namespace vm {

// A face image given on the command line: the face ("front", "back",
// "left", "right", "top", "bottom" or "mug") and the image's path.
struct FaceImage {
    QString face;
    QString path;
};

// A face drawn plain in a colour (--face-colour FACE=#RRGGBB).
struct FaceColour {
    QString face;
    QRgb colour = 0;
};

struct RenderOptions {
    int width = 800;
    int height = 600;
    QString out;
    QString package;  // a thumbnail name such as "DVD.jpg"; empty keeps the New scene
    QList<FaceImage> faces;
    QList<FaceColour> faceColours;
    QString scene;      // a scene file opened as Open Settings does, before the other options
    int frame = -1;     // scrub every track to this frame before rendering; -1 leaves the scene
    QString saveScene;  // writes the scene file after the other options are applied
    bool help = false;
};

// The faces --face accepts.
const QStringList& FaceNames();

// Parses the arguments after the program name. On failure returns nullopt
// and puts a one-line reason into `error`.
std::optional<RenderOptions> ParseRenderOptions(const QStringList& args, QString& error);

QString RenderUsage();

}  // namespace vm
