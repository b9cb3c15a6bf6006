#include "cli/render_options.h"

#include <QRegularExpression>

#include "platform/safe_file.h"

namespace vm {

QString RenderUsage() {
    return QStringLiteral(
        "Usage: vellumark-render [options] --out FILE | --save-scene FILE.VLMK\n"
        "Renders one frame of the scene without a window.\n"
        "\n"
        "The scene starts as after File > New, or as a scene file given with --scene.\n"
        "\n"
        "  --size WxH            picture size in pixels (default 800x600)\n"
        "  --out FILE            where to write the picture: .png, or .bmp (24-bit, width a multiple of 4)\n"
        "  --package THUMB.jpg   choose a package by its thumbnail name, e.g. DVD.jpg\n"
        "  --face FACE=PATH      give a face an image; FACE is front, back, left, right, top,\n"
        "                        bottom, mug (the coffee mug) or label (the CD disc); may be repeated\n"
        "  --face-colour FACE=#RRGGBB  draw a face (front ... bottom) plain in a colour\n"
        "  --scene FILE.VLMK     open a scene file, as File > Open Settings does\n"
        "  --frame N             show frame N (0..9999) of the scene's keyframe tracks\n"
        "  --save-scene FILE.VLMK  write the scene, after the other options, to a scene file;\n"
        "                        with it, --out may be left out\n"
        "  --help                show this text\n");
}

const QStringList& FaceNames() {
    static const QStringList names = {"front", "back", "left", "right", "top", "bottom", "mug", "label"};
    return names;
}

std::optional<RenderOptions> ParseRenderOptions(const QStringList& args, QString& error) {
    RenderOptions options;
    auto value = [&](qsizetype& i, const QString& name) -> std::optional<QString> {
        const QString& arg = args[i];
        if (arg.startsWith(name + u'=')) return arg.mid(name.size() + 1);
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        return args[++i];
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--size" || arg.startsWith("--size=")) {
            const auto text = value(i, "--size");
            if (!text) return std::nullopt;
            static const QRegularExpression pattern("^(\\d{1,5})[xX](\\d{1,5})$");
            const auto match = pattern.match(*text);
            const int w = match.hasMatch() ? match.captured(1).toInt() : 0;
            const int h = match.hasMatch() ? match.captured(2).toInt() : 0;
            if (w < 1 || h < 1 || w > 8192 || h > 8192) {
                error = "--size wants WIDTHxHEIGHT between 1x1 and 8192x8192, not \"" + *text + "\"";
                return std::nullopt;
            }
            options.width = w;
            options.height = h;
        } else if (arg == "--out" || arg.startsWith("--out=")) {
            const auto text = value(i, "--out");
            if (!text) return std::nullopt;
            const QString lower = text->toLower();
            if (!lower.endsWith(".png") && !lower.endsWith(".bmp")) {
                error = "--out must name a .png or .bmp file, not \"" + *text + "\"";
                return std::nullopt;
            }
            options.out = ResolveCommandLinePath(*text);
        } else if (arg == "--package" || arg.startsWith("--package=")) {
            const auto text = value(i, "--package");
            if (!text) return std::nullopt;
            options.package = *text;
        } else if (arg == "--face" || arg.startsWith("--face=")) {
            const auto text = value(i, "--face");
            if (!text) return std::nullopt;
            const qsizetype equals = text->indexOf(u'=');
            const QString face = equals > 0 ? text->left(equals).toLower() : QString();
            if (!FaceNames().contains(face) || equals + 1 >= text->size()) {
                error = "--face wants FACE=PATH with FACE one of " + FaceNames().join(", ") + ", not \"" +
                        *text + "\"";
                return std::nullopt;
            }
            options.faces.push_back({face, ResolveCommandLinePath(text->mid(equals + 1))});
        } else if (arg == "--face-colour" || arg.startsWith("--face-colour=")) {
            const auto text = value(i, "--face-colour");
            if (!text) return std::nullopt;
            const qsizetype equals = text->indexOf(u'=');
            const QString face = equals > 0 ? text->left(equals).toLower() : QString();
            const QString colour = equals > 0 ? text->mid(equals + 1) : QString();
            if (FaceNames().indexOf(face) < 0 || FaceNames().indexOf(face) > 5 || colour.size() != 7 ||
                !colour.startsWith(u'#') || !QColor::isValidColorName(colour)) {
                error = "--face-colour wants FACE=#RRGGBB with FACE one of front, back, left, right, top, bottom, "
                        "not \"" + *text + "\"";
                return std::nullopt;
            }
            options.faceColours.push_back({face, QColor::fromString(colour).rgb()});
        } else if (arg == "--scene" || arg.startsWith("--scene=")) {
            const auto text = value(i, "--scene");
            if (!text) return std::nullopt;
            options.scene = ResolveCommandLinePath(*text);
        } else if (arg == "--save-scene" || arg.startsWith("--save-scene=")) {
            const auto text = value(i, "--save-scene");
            if (!text) return std::nullopt;
            options.saveScene = ResolveCommandLinePath(*text);
        } else if (arg == "--frame" || arg.startsWith("--frame=")) {
            const auto text = value(i, "--frame");
            if (!text) return std::nullopt;
            bool ok = false;
            const int frame = text->toInt(&ok);
            if (!ok || frame < 0 || frame > 9999) {
                error = "--frame wants a frame number from 0 to 9999, not \"" + *text + "\"";
                return std::nullopt;
            }
            options.frame = frame;
        } else {
            error = "unknown argument \"" + arg + "\"";
            return std::nullopt;
        }
    }
    if (!options.help && options.out.isEmpty() && options.saveScene.isEmpty()) {
        error = "--out FILE or --save-scene FILE is required";
        return std::nullopt;
    }
    return options;
}

}  // namespace vm
