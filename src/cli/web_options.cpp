// The command-line options of outputs for the web: shop and social sizes and
// the 360-degree spin page.

#include "cli/render_options.h"
#include "export/output_presets.h"
#include "export/video_codecs.h"
#include "platform/safe_file.h"

namespace vm {

QString WebUsage() {
    return QStringLiteral(
               "\n"
               "Pictures and videos for the web:\n"
               "  --preset NAME         a shop or social size, the package framed to fill it (as --fit):\n"
               "                        ") +
           OutputPresetKeys() +
           QStringLiteral(
               "\n"
               "                        (1080x1080, 1080x1350, 1080x1920, 1920x1080, 1200x628, 3840x2160);\n"
               "                        it sets the size of --out and of --video\n"
               "  --spin N              write a 360-degree spin page of N frames (2..360) of a full turn\n"
               "                        of the package to --out FILE.html: one file, frames as JPEG (WebP\n"
               "                        with --transparent), turned by dragging, swiping or arrow keys\n"
               "  --autoturn            the spin page turns slowly by itself until it is touched\n"
               "  --pack DIR            write a channel pack into DIR: cut-out.png (2000 px, transparent),\n"
               "                        on-white.jpg (1600 px), square.mp4 and story.mp4 turntables,\n"
               "                        turn.gif (480 px), float.webm (transparent), spin.html and an\n"
               "                        index.html showing them all; with --batch, a pack column names\n"
               "                        each row's folder\n");
}

bool ParseWebOption(const QStringList& args, qsizetype& i, RenderOptions& options, QString& error) {
    const QString& arg = args[i];
    const OptionAt option(args, i, error);
    auto value = [&](const QString& name) { return option.value(name); };
    auto is = [&](const char* name) { return option.is(name); };
    if (is("--pack")) {
        const auto text = value("--pack");
        if (!text) return true;
        if (text->isEmpty()) error = "--pack needs a folder";
        options.pack = ResolveCommandLinePath(*text);
    } else if (arg == "--autoturn") {
        options.autoTurn = true;
    } else if (is("--preset")) {
        const auto text = value("--preset");
        if (!text) return true;
        if (!FindOutputPreset(*text))
            error = "--preset wants one of " + OutputPresetKeys() + ", not \"" + *text + "\"";
        options.preset = text->toLower();
    } else if (is("--spin")) {
        const auto text = value("--spin");
        if (!text) return true;
        bool ok = false;
        const int frames = text->toInt(&ok);
        if (!ok || frames < 2 || frames > 360)
            error = "--spin wants a number of frames from 2 to 360, not \"" + *text + "\"";
        options.spin = frames;
    } else {
        return false;
    }
    return true;
}

QString ApplyWebOptions(RenderOptions& options) {
    const bool html = options.out.endsWith(".html", Qt::CaseInsensitive);
    if (options.spin > 0 && !options.batch.isEmpty())
        return "--spin makes one page; in --batch a pack column makes one a row";
    if (options.spin > 0 && !html) return "--spin writes a page: give --out FILE.html";
    if (html && options.spin == 0) return "an .html output is a spin page: give --spin N";
    if (options.spin > 0 && !options.video.isEmpty()) return "--spin and --video are separate runs";
    if (options.autoTurn && options.spin == 0) return "--autoturn needs --spin";
    if (!options.pack.isEmpty()) {
        if (!options.out.isEmpty() || !options.video.isEmpty() || options.spin > 0 ||
            !options.preset.isEmpty())
            return "--pack makes its own files and sizes: leave --out, --video, --spin and --preset away";
        if (!options.batch.isEmpty()) return "with --batch, name each row's pack folder in a pack column";
    }
    if (options.transparent && !options.video.isEmpty() &&
        !ContainerTakesAlpha(ContainerForFile(options.video)))
        return "--transparent with --video needs a .webm file or a PNG sequence";
    if (const OutputPreset* preset = FindOutputPreset(options.preset)) {
        options.width = preset->width;
        options.height = preset->height;
        options.fit = true;
    }
    return {};
}

}  // namespace vm
