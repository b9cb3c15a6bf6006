#include "cli/render_options.h"

#include <QRegularExpression>

namespace vm {

QString RenderUsage() {
    return QStringLiteral(
        "Usage: vellumark-render [options] --out FILE\n"
        "Renders one frame of the scene without a window.\n"
        "\n"
        "The scene starts as after File > New.\n"
        "\n"
        "  --size WxH            picture size in pixels (default 800x600)\n"
        "  --out FILE            where to write the picture: .png, or .bmp (24-bit, width a multiple of 4)\n"
        "  --package THUMB.jpg   choose a package by its thumbnail name, e.g. DVD.jpg\n"
        "  --face FACE=PATH      give a face an image; FACE is front, back, left, right, top,\n"
        "                        bottom or mug (may be repeated)\n"
        "  --help                show this text\n");
}

const QStringList& FaceNames() {
    static const QStringList names = {"front", "back", "left", "right", "top", "bottom", "mug"};
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
            options.out = *text;
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
            options.faces.push_back({face, text->mid(equals + 1)});
        } else {
            error = "unknown argument \"" + arg + "\"";
            return std::nullopt;
        }
    }
    if (!options.help && options.out.isEmpty()) {
        error = "--out FILE is required";
        return std::nullopt;
    }
    return options;
}

}  // namespace vm
