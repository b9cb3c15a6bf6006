#include "cli/channel_pack.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSaveFile>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

#include "anim/subjects.h"
#include "anim/turntable.h"
#include "cli/render_options.h"
#include "export/avi_writer.h"
#include "export/fan_out_encoder.h"
#include "export/picture_file.h"
#include "export/spin_page.h"
#include "export/video_recording.h"
#include "platform/scripted_platform.h"
#include "view/commands.h"
#include "view/fit_package.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

// One turn in three seconds; the spin page takes every second frame.
constexpr int kPackFrames = 72;
constexpr int kPackRate = 24;
constexpr int kSpinStep = 2;

struct PackVideo {
    const char* file;
    int width, height;
    bool transparent;
};

}  // namespace

const QStringList& PackFileNames() {
    static const QStringList names = {"cut-out.png", "on-white.jpg", "square.mp4", "spin.html",
                                      "story.mp4",   "turn.gif",     "float.webm", "index.html"};
    return names;
}

QByteArray PackIndexHtml(const QString& title) {
    QByteArray page =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    page += title.toHtmlEscaped().toUtf8();
    page +=
        "</title>\n<style>\n"
        "body { margin: 0; padding: 24px; font: 15px/1.4 sans-serif; background: #f4f4f2; color: #222; }\n"
        "h1 { font-size: 20px; margin: 0 0 16px; }\n"
        ".grid { display: grid; grid-template-columns: repeat(auto-fill, minmax(280px, 1fr)); gap: 20px; }\n"
        "figure { margin: 0; background: #fff; border-radius: 6px; padding: 12px; "
        "box-shadow: 0 1px 3px rgba(0,0,0,.12); }\n"
        "figure > img, figure > video, figure > iframe { display: block; width: 100%; border: 0; }\n"
        "figure > iframe { aspect-ratio: 1 / 1; }\n"
        ".checker { background: repeating-conic-gradient(#ccc 0 25%, #fff 0 50%) 0 0 / 16px 16px; }\n"
        ".dark { background: #1d2126; }\n"
        "figcaption { margin-top: 8px; font-size: 13px; color: #555; }\n"
        "figcaption a { color: inherit; }\n"
        "</style>\n</head>\n<body>\n<h1>";
    page += title.toHtmlEscaped().toUtf8();
    page += "</h1>\n<div class=\"grid\">\n";
    struct Entry {
        const char* file;
        const char* markup;
        const char* caption;
    };
    const Entry entries[] = {
        {"cut-out.png", "<img class=\"checker\" src=\"cut-out.png\" alt=\"\">",
         "2000 &times; 2000 PNG, transparent background"},
        {"on-white.jpg", "<img src=\"on-white.jpg\" alt=\"\">", "1600 &times; 1600 JPEG on white"},
        {"square.mp4", "<video src=\"square.mp4\" autoplay loop muted playsinline></video>",
         "1080 &times; 1080 MP4 turntable"},
        {"story.mp4", "<video src=\"story.mp4\" autoplay loop muted playsinline></video>",
         "1080 &times; 1920 MP4 turntable (stories)"},
        {"turn.gif", "<img src=\"turn.gif\" alt=\"\">", "480 &times; 480 animated GIF"},
        {"float.webm", "<video class=\"dark\" src=\"float.webm\" autoplay loop muted playsinline></video>",
         "720 &times; 720 WebM with alpha, over a dark page"},
        {"spin.html", "<iframe src=\"spin.html\" title=\"360&deg; view\"></iframe>",
         "360&deg; spin page: drag or use the arrow keys"},
    };
    for (const Entry& entry : entries) {
        page += "<figure>";
        page += entry.markup;
        page += "<figcaption>";
        page += entry.caption;
        page += " &middot; <a href=\"";
        page += entry.file;
        page += "\">";
        page += entry.file;
        page += "</a></figcaption></figure>\n";
    }
    page += "</div>\n</body>\n</html>\n";
    return page;
}

int WriteChannelPack(CGL2AviView& view, ScriptedPlatform& platform, const RenderOptions& options,
                     const QString& folder, QStringList& problems) {
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        problems << "cannot write the pack into \"" + folder + "\"";
        return 3;
    }
    const QDir dir(folder);
    SceneState& scene = view.scene();

    // Every output starts from the scene as set up: its own fit, then a turn
    // keyed around that.
    const auto values = ModelTrackValues(scene);
    std::array<float, ModelTrack::kValues> start{};
    for (int v = 0; v < ModelTrack::kValues; ++v) start[size_t(v)] = ReadSceneValue(scene, values[size_t(v)]);
    auto frameFor = [&](int width, int height) {
        scene.m_trackModel.playing = 0;
        for (int v = 0; v < ModelTrack::kValues; ++v)
            WriteSceneValue(scene, values[size_t(v)], start[size_t(v)]);
        const FitResult fit = FitPackage(view, width, height);
        if (!fit.problem.isEmpty())
            problems
                << QString("%1 x %2: cannot fit the package: %3").arg(width).arg(height).arg(fit.problem);
        KeyTurntable(scene, view.pages(), kPackFrames);
        scene.m_nExportTrack = 0;
    };

    QElapsedTimer all;
    all.start();
    auto timed = [&](const QString& what, const std::function<bool()>& make) {
        QElapsedTimer clock;
        clock.start();
        const bool made = make();
        std::printf("pack: %-22s %6.1f s%s\n", qPrintable(what), double(clock.nsecsElapsed()) / 1e9,
                    made ? "" : "  (failed)");
        std::fflush(stdout);
        return made;
    };
    int failed = 0;

    auto picture = [&](const char* file, int side, bool transparent) {
        frameFor(side, side);
        QString problem;
        PictureFileOptions fileOptions;
        fileOptions.jpegQuality = options.jpegQuality;
        const PictureOutcome outcome =
            WritePictureFile(view, {side, side, transparent}, dir.filePath(file), fileOptions, &problem);
        if (outcome != PictureOutcome::Done)
            problems << QString("cannot write \"%1\": %2").arg(file, problem);
        return outcome == PictureOutcome::Done;
    };
    if (!timed("cut-out.png", [&] { return picture("cut-out.png", 2000, true); })) ++failed;

    // On white whatever the scene's background; the background comes back after.
    const std::array<float, 3> background{scene.m_fBackRGB[0], scene.m_fBackRGB[1], scene.m_fBackRGB[2]};
    auto setBackground = [&](QRgb colour) {
        platform.queueColour(colour);
        view.OnCommand(cmd::BackgroundColour);
    };
    setBackground(qRgb(255, 255, 255));
    if (!timed("on-white.jpg", [&] { return picture("on-white.jpg", 1600, false); })) ++failed;
    setBackground(qRgb(int(std::clamp(background[0], 0.0f, 1.0f) * 255.0f + 0.5f),
                       int(std::clamp(background[1], 0.0f, 1.0f) * 255.0f + 0.5f),
                       int(std::clamp(background[2], 0.0f, 1.0f) * 255.0f + 0.5f)));

    // A video, and the spin page beside the one that shares its frames.
    auto video = [&](const PackVideo& output, bool withSpin) {
        frameFor(output.width, output.height);
        AviWriter writer;
        writer.SetFileName(dir.filePath(output.file));
        writer.SetRate(kPackRate);
        writer.SetVideoSize(output.width, output.height);
        writer.SetTransparent(output.transparent);
        const VideoContainer container = ContainerForFile(writer.FileName());
        writer.SetCompressor({DefaultCodec(container), options.quality, output.transparent});
        FanOutEncoder outputs;
        outputs.add(writer);
        SpinPageOptions spinOptions;
        spinOptions.width = writer.FrameHeader().biWidth;
        spinOptions.height = writer.FrameHeader().biHeight;
        spinOptions.frames = kPackFrames / kSpinStep;
        spinOptions.quality = std::min(options.jpegQuality, 80);  // 36 pictures in one page
        SpinPageWriter spin(dir.filePath("spin.html"), spinOptions);
        if (withSpin) outputs.add(spin, kSpinStep);
        const VideoOutcome outcome = RecordVideo(scene, view, outputs, writer.FrameHeader().biWidth,
                                                 writer.FrameHeader().biHeight, {});
        QString failure = outcome.openResult != AVIERR_OK          ? outputs.ErrorText()
                          : outcome.recording.failure != AVIERR_OK ? outcome.recording.error
                          : !outcome.finished                      ? outcome.closeError
                                                                   : QString();
        if (!failure.isEmpty()) problems << QString("cannot write \"%1\": %2").arg(output.file, failure);
        return failure.isEmpty();
    };
    const PackVideo videos[] = {{"square.mp4", 1080, 1080, false},
                                {"story.mp4", 1080, 1920, false},
                                {"turn.gif", 480, 480, false},
                                {"float.webm", 720, 720, true}};
    for (const PackVideo& output : videos) {
        const bool withSpin = QString(output.file) == "square.mp4";
        const QString what = withSpin ? QString("%1 + spin.html").arg(output.file) : QString(output.file);
        if (!timed(what, [&] { return video(output, withSpin); })) ++failed;
    }

    QSaveFile index(dir.filePath("index.html"));
    const QByteArray page = PackIndexHtml(QFileInfo(folder).fileName());
    if (!index.open(QIODevice::WriteOnly) || index.write(page) != page.size() || !index.commit()) {
        problems << "cannot write \"index.html\": " + index.errorString();
        ++failed;
    }
    std::printf("pack: %-22s %6.1f s\n", "all", double(all.nsecsElapsed()) / 1e9);
    return failed ? 3 : 0;
}

}  // namespace vm
