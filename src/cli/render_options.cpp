#include "cli/render_options.h"

#include <QRegularExpression>

#include "anim/turntable.h"
#include "export/video_codecs.h"
#include "export/video_formats.h"
#include "platform/safe_file.h"
#include "render/text_layout.h"

namespace vm {

QString RenderUsage() {
    return QStringLiteral(
        "Usage: vellumark-render [options] --out FILE | --video FILE | --save-scene FILE.VLMK\n"
        "Renders one frame of the scene without a window.\n"
        "\n"
        "The scene starts as after File > New, or as a scene file given with --scene.\n"
        "\n"
        "  --size WxH            picture size in pixels, up to 16384x16384 (default 800x600)\n"
        "  --out FILE            where to write the picture: .png, .jpg, or .bmp (24-bit, width a multiple of 4)\n"
        "  --package THUMB.jpg   choose a package by its thumbnail name, e.g. DVD.jpg\n"
        "  --face FACE=PATH      give a face an image; FACE is front, back, left, right, top,\n"
        "                        bottom, mug (the coffee mug) or label (the CD disc); may be repeated\n"
        "  --face-colour FACE=#RRGGBB  draw a face (front ... bottom) plain in a colour\n"
        "  --scene FILE.VLMK     open a scene file, as File > Open Settings does\n"
        "  --background #RRGGBB  clear the background to this colour\n"
        "  --background-picture PATH  show this image behind the package\n"
        "  --frame N             show frame N (0..9999) of the scene's keyframe tracks\n"
        "  --save-scene FILE.VLMK  write the scene, after the other options, to a scene file;\n"
        "                        with it, --out may be left out\n"
        "  --text \"TEXT\"         show TEXT as 3D text in front of the package; \\n makes a line break\n"
        "  --font FAMILY         the 3D text's font family, e.g. \"DejaVu Serif\"\n"
        "  --video FILE          record the keyframe animation: FILE.avi, FILE.mp4, FILE.webm,\n"
        "                        FILE.gif, or an image sequence such as frames/f%04d.png (numbered\n"
        "                        from 0, like the frames)\n"
        "  --format N            the video format 0..17 (default 0, DV AVI PAL 720x576 at 25/s)\n"
        "  --codec NAME          raw, mjpeg, mpeg4, h264, ffv1 or vp9 (default mjpeg for AVI, h264 for\n"
        "                        MP4, vp9 for WebM)\n"
        "  --quality Q           compression quality 1..100 (default 75)\n"
        "  --turntable N         key one full turn of the package over N frames (1..9999) first\n"
        "  --transparent         leave the background out (alpha), reflections and shadows partly\n"
        "                        transparent; a background picture stays. For a .png picture, a\n"
        "                        .webm or PNG-sequence video, or a spin page\n"
        "  --jpeg-quality Q      quality 0..100 of .jpg outputs (default 90)\n"
        "  --fit                 move the package (and its keys) so that it, with its reflection,\n"
        "                        fills 80 % of the picture's width or height, centred\n"
        "  --batch FILE.csv      one picture per row of a CSV (columns package, front, back, left,\n"
        "                        right, top, bottom, mug, label, text, scene, out); the other\n"
        "                        options apply to every row; paths are relative to the CSV\n"
        "  --shard K/N           with --batch: make only the rows whose index modulo N is K\n"
        "  --look studio|classic  studio (default): soft shadow, fading reflection, studio light,\n"
        "                        and a package without a scene framed whole; classic: the\n"
        "                        program's original drawing\n"
        "  --help                show this text\n") + WebUsage();
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
            if (w < 1 || h < 1 || w > 16384 || h > 16384) {
                error = "--size wants WIDTHxHEIGHT between 1x1 and 16384x16384, not \"" + *text + "\"";
                return std::nullopt;
            }
            options.width = w;
            options.height = h;
        } else if (arg == "--out" || arg.startsWith("--out=")) {
            const auto text = value(i, "--out");
            if (!text) return std::nullopt;
            const QString lower = text->toLower();
            if (!lower.endsWith(".png") && !lower.endsWith(".bmp") && !lower.endsWith(".jpg") &&
                !lower.endsWith(".jpeg") && !lower.endsWith(".html")) {
                error = "--out must name a .png, .jpg, .bmp or (with --spin) .html file, not \"" + *text + "\"";
                return std::nullopt;
            }
            options.out = ResolveCommandLinePath(*text);
        } else if (arg == "--look" || arg.startsWith("--look=")) {
            const auto text = value(i, "--look");
            if (!text) return std::nullopt;
            const auto look = LookFromName(*text);
            if (!look) {
                error = "--look wants studio or classic, not \"" + *text + "\"";
                return std::nullopt;
            }
            options.look = *look;
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
        } else if (arg == "--background" || arg.startsWith("--background=")) {
            const auto text = value(i, "--background");
            if (!text) return std::nullopt;
            static const QRegularExpression colour("^#?([0-9A-Fa-f]{6})$");
            const auto match = colour.match(*text);
            if (!match.hasMatch()) {
                error = "--background wants a colour as #RRGGBB, not \"" + *text + "\"";
                return std::nullopt;
            }
            options.background = match.captured(1).toUInt(nullptr, 16);
        } else if (arg == "--background-picture" || arg.startsWith("--background-picture=")) {
            const auto text = value(i, "--background-picture");
            if (!text) return std::nullopt;
            options.backgroundPicture = ResolveCommandLinePath(*text);
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
        } else if (arg == "--text" || arg.startsWith("--text=")) {
            const auto text = value(i, "--text");
            if (!text) return std::nullopt;
            QString typed = *text;
            typed.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            options.text = StoredTextFromTyped(typed);
        } else if (arg == "--font" || arg.startsWith("--font=")) {
            const auto text = value(i, "--font");
            if (!text) return std::nullopt;
            if (text->trimmed().isEmpty()) {
                error = "--font wants a font family name";
                return std::nullopt;
            }
            options.font = text->trimmed();
        } else if (arg == "--video" || arg.startsWith("--video=")) {
            const auto text = value(i, "--video");
            if (!text) return std::nullopt;
            if (text->isEmpty()) {
                error = "--video needs a file name";
                return std::nullopt;
            }
            options.video = ResolveCommandLinePath(*text);
        } else if (arg == "--codec" || arg.startsWith("--codec=")) {
            const auto text = value(i, "--codec");
            if (!text) return std::nullopt;
            if (!CodecFromKey(*text) || *text == "gif" || *text == "png") {
                error = "--codec wants raw, mjpeg, mpeg4, h264, ffv1 or vp9, not \"" + *text + "\"";
                return std::nullopt;
            }
            options.codec = *text;
        } else if (arg == "--format" || arg == "--quality" || arg == "--turntable" || arg.startsWith("--format=") ||
                   arg.startsWith("--quality=") || arg.startsWith("--turntable=")) {
            const QString name = arg.section(u'=', 0, 0);
            const auto text = value(i, name);
            if (!text) return std::nullopt;
            bool ok = false;
            const int number = text->toInt(&ok);
            const int low = name == "--format" ? 0 : 1;
            const int high = name == "--format" ? kVideoFormatCount - 1 : name == "--quality" ? 100 : kMaxTurntableFrames;
            if (!ok || number < low || number > high) {
                error = QString("%1 wants a number from %2 to %3, not \"%4\"").arg(name).arg(low).arg(high).arg(*text);
                return std::nullopt;
            }
            (name == "--format" ? options.format : name == "--quality" ? options.quality : options.turntable) = number;
        } else if (ParsePictureOption(args, i, options, error) || ParseWebOption(args, i, options, error)) {
            if (!error.isEmpty()) return std::nullopt;
        } else {
            error = "unknown argument \"" + arg + "\"";
            return std::nullopt;
        }
    }
    if (!options.help && options.out.isEmpty() && options.saveScene.isEmpty() && options.video.isEmpty() &&
        options.batch.isEmpty() && options.pack.isEmpty()) {
        error = "--out FILE, --video FILE, --pack DIR, --save-scene FILE or --batch FILE.csv is required";
        return std::nullopt;
    }
    if (!options.video.isEmpty()) {
        const VideoContainer container = ContainerForFile(options.video);
        if (!options.codec.isEmpty()) {
            const std::vector<VideoCodec> offered = AvailableCodecs(container);
            if (std::find(offered.begin(), offered.end(), *CodecFromKey(options.codec)) == offered.end()) {
                error = "--codec " + options.codec + " cannot be written into \"" + options.video + "\"";
                return std::nullopt;
            }
        }
        // The video's frames are drawn at the format's size.
        const VideoFormat* format = FindVideoFormat(options.format);
        options.width = format->width;
        options.height = format->height;
    }
    if (error = ApplyWebOptions(options); !error.isEmpty()) return std::nullopt;
    if (error = CheckPictureOptions(options); !error.isEmpty()) return std::nullopt;
    return options;
}

}  // namespace vm
