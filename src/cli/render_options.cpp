#include "cli/render_options.h"

#include <QRegularExpression>

namespace vm {

QString RenderUsage() {
    return QStringLiteral(
        "Usage: vellumark-render [options] --out FILE\n"
        "Renders one frame of the scene without a window.\n"
        "\n"
        "  --size WxH     picture size in pixels (default 800x600)\n"
        "  --out FILE     where to write the picture: .png or .bmp\n"
        "  --help         show this text\n");
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
