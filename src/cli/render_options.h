#pragma once
// The command line of vellumark-render.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

#include "render/look.h"

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
    // Switches the 3D text on with this text (line breaks as the edit box
    // stores them); without it and without a scene file the text stays off.
    std::optional<QString> text;
    QString font;  // the text's font family; empty keeps the scene's
    QString video;      // record the keyframe animation: .avi, .mp4, .gif or a pattern like f%04d.png
    int format = 0;     // the video format, 0..17 (its size replaces --size)
    QString codec;      // raw, mjpeg, mpeg4, h264, ffv1; empty: the file kind's default
    int quality = 75;   // 1..100
    int turntable = 0;  // key a full turn of the package over this many frames first
    std::optional<unsigned int> background;  // --background #RRGGBB, as 0xRRGGBB
    QString backgroundPicture;               // shown behind the package
    bool help = false;
    // Pictures beyond the window (see picture_options.cpp).
    bool transparent = false;  // PNG with the background left out
    int jpegQuality = 90;
    bool fit = false;          // move the package (and its keys) to fill the frame
    QString batch;             // a CSV naming one picture per row
    int shard = 0, shards = 1; // make only the rows whose index % shards == shard
    // The studio look unless --look classic; the window's choice is not read.
    Look look = Look::Studio;
    // Pictures and videos for the web (see web_options.cpp).
    QString preset;         // a shop or social size: its size, framed by the fit
    int spin = 0;           // frames of a 360-degree spin page written to --out FILE.html
    bool autoTurn = false;  // the spin page turns slowly by itself until touched
    QString pack;           // a folder for the channel pack (see channel_pack.h)
};

// The faces --face accepts.
const QStringList& FaceNames();

// Parses the arguments after the program name. On failure returns nullopt
// and puts a one-line reason into `error`.
std::optional<RenderOptions> ParseRenderOptions(const QStringList& args, QString& error);

QString RenderUsage();

// The option at args[i]: whether it is `name` and its value, given as
// "--name=value" or as the next argument (which is then consumed).
class OptionAt {
public:
    OptionAt(const QStringList& args, qsizetype& i, QString& error) : m_args(args), m_i(i), m_error(error) {}
    bool is(const char* name) const {
        const QString& arg = m_args[m_i];
        return arg == name || arg.startsWith(QString(name) + u'=');
    }
    std::optional<QString> value(const QString& name) const {
        const QString& arg = m_args[m_i];
        if (arg.startsWith(name + u'=')) return arg.mid(name.size() + 1);
        if (m_i + 1 >= m_args.size()) {
            m_error = name + " needs a value";
            return std::nullopt;
        }
        return m_args[++m_i];
    }

private:
    const QStringList& m_args;
    qsizetype& m_i;
    QString& m_error;
};

// The options of pictures beyond the window (--transparent,
// --jpeg-quality, --batch, --shard). Returns false when `args[i]` is none of
// them; otherwise consumes its value and returns true, with `error` set
// when the value is wrong.
bool ParsePictureOption(const QStringList& args, qsizetype& i, RenderOptions& options, QString& error);
// Checks the finished options together; an empty string when they agree.
QString CheckPictureOptions(const RenderOptions& options);

// The options of web outputs (--preset, --spin, --autoturn), parsed like
// ParsePictureOption.
bool ParseWebOption(const QStringList& args, qsizetype& i, RenderOptions& options, QString& error);
// Settles what the web options decide once all are read (a preset's size and
// fit) and checks them against the others; an empty string when they agree.
QString ApplyWebOptions(RenderOptions& options);
QString WebUsage();

}  // namespace vm
