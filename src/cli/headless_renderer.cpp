#include "cli/headless_renderer.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>

#include "anim/playback.h"
#include "anim/turntable.h"
#include "assets/texture_table.h"
#include "cli/batch_render.h"
#include "cli/channel_pack.h"
#include "cli/headless_video.h"
#include "export/picture_file.h"
#include "export/screenshot.h"
#include "export/video_formats.h"
#include "platform/offscreen_view.h"
#include "platform/safe_file.h"
#include "platform/scripted_platform.h"
#include "render/box_family.h"
#include "view/commands.h"
#include "view/face_images.h"
#include "view/fit_package.h"
#include "view/gl2avi_view.h"
#include "view/package_choice.h"

namespace vm {

namespace {

void complain(const QString& text) { std::fprintf(stderr, "vellumark-render: %s\n", qPrintable(text)); }

// The texture a face image lands in, to tell whether a pick loaded.
unsigned int faceTexture(const CGL2AviView& view, const QString& face) {
    static const QStringList rows = {"front", "back", "left", "right", "top", "bottom", "mug"};
    int row = int(rows.indexOf(face));
    if (face == "label") row = 0;  // the CD disc's only image
    if (face == "front" && view.scene().m_fPackageFamily == 6.0f) row = 7;  // the screen-shot sheet's picture
    const TextureName* slot = FaceImageSlot(view.scene(), view.resources(), row);
    return slot ? *slot : 0;
}

// Raises the face's pick request, as the Control Deck does.
void requestPick(CGL2AviView& view, const QString& face) {
    static const QStringList order = {"front", "back", "left", "right", "top", "bottom"};
    if (face == "mug") {
        view.scene().m_fPickMug = 2;
    } else if (face == "label") {
        view.scene().m_fPickCDLabel = 2;
    } else if (view.scene().m_fPackageFamily <= 1.0f) {
        if (const int i = int(order.indexOf(face)); i < 3) view.scene().m_fPickBookFace[i] = 2;
    } else {
        view.scene().m_fPickFace[order.indexOf(face)] = 2;
    }
}

// The faces the shown package has an image for.
QStringList FacesOf(const CGL2AviView& view) {
    const float family = view.scene().m_fPackageFamily;
    if (family <= 1.0f) return {"front", "back", "left"};
    if (family == 2.0f) return {"mug"};
    if (family == 4.0f) return {"front", "back", "left", "right", "top", "bottom"};
    if (family == 6.0f) return {"front"};
    if (family == 7.0f) return {"label"};
    return {};
}

// The face's colour, as the Side Textures page's "Colour" leaves it.
void colourFace(CGL2AviView& view, int face, QRgb colour) {
    view.scene().m_rgbFaceColour[size_t(face)] =
        ColourRef(qRed(colour)) | (ColourRef(qGreen(colour)) << 8) | (ColourRef(qBlue(colour)) << 16);
    view.scene().m_fFaceRGB[face][0] = float(qRed(colour)) / 255.0f;
    view.scene().m_fFaceRGB[face][1] = float(qGreen(colour)) / 255.0f;
    view.scene().m_fFaceRGB[face][2] = float(qBlue(colour)) / 255.0f;
    view.scene().m_fFacePlain[face] = 2;
    view.scene().m_fFaceColoured[face] = 2;
}

// One picture: the scene, package and faces of a job, written to its output.
struct RenderJob {
    QString package, scene, out;
    QString pack;  // a channel pack's folder instead of `out`
    QList<FaceImage> faces;
    std::optional<QString> text;  // a batch row's text, before the command line's --text
};

// Sets the scene up and writes the job's picture; returns the exit code, and
// the problems in `problems`.
int renderJob(CGL2AviView& view, ScriptedPlatform& platform, const RenderOptions& options, const RenderJob& job,
              QStringList& problems) {
    int package = -1;
    if (!job.package.isEmpty()) {
        package = PackageIndex(job.package);
        if (package < 0) {
            problems << "unknown package \"" + job.package + "\"; the packages are: " +
                            PackageThumbnailNames().join(", ");
            return 1;
        }
    }
    platform.clearCalls();
    view.OnNewScene();
    // The command line's New scene shows no 3D text; a scene file may turn it on.
    view.scene().m_fTextOn = 0;
    if (!job.scene.isEmpty() && !view.LoadSceneFile(job.scene)) {
        for (const auto& call : platform.callsOf("messageBox")) problems << call.args.value(0);
        return 1;
    }
    if (package >= 0) WritePackageValues(view.scene(), package);
    if (const auto& text = job.text ? job.text : options.text) {
        view.scene().m_strText = *text;
        view.scene().m_fTextOn = 2;
    }
    if (!options.font.isEmpty()) {
        view.scene().m_strFontFace = options.font;
        view.RebuildTextGlyphs();
    }
    // The first frame serves the package's pending image loads.
    view.OnDraw();

    // A face the package does not have is an error naming the faces it has.
    const QStringList faces = FacesOf(view);
    QStringList asked;
    for (const FaceImage& face : job.faces) asked << face.face;
    for (const FaceColour& face : options.faceColours) asked << face.face;
    for (const QString& face : asked)
        if (!faces.isEmpty() && !faces.contains(face)) {
            problems << "the package has no " + face + " face; its faces are: " + faces.join(", ");
            return 1;
        }

    bool facesLoaded = true;
    for (const FaceImage& face : job.faces) {
        const unsigned int before = faceTexture(view, face.face);
        platform.queueOpenFileName(face.path);
        requestPick(view, face.face);
        // Served in the frame's prepare step; a face is no reason to draw a
        // frame or to move playback on.
        view.PrepareFrame();
        if (faceTexture(view, face.face) == before) {
            facesLoaded = false;
            problems << "the " + face.face + " image \"" + face.path + "\" could not be read";
        }
    }
    // A picture without the image asked for is not the picture asked for.
    if (!facesLoaded) return 1;

    for (const FaceColour& face : options.faceColours)
        colourFace(view, int(FaceNames().indexOf(face.face)), face.colour);

    // The background through the same commands the window offers.
    if (options.background) {
        platform.queueColour(QRgb(0xff000000u | *options.background));
        view.OnCommand(cmd::BackgroundColour);
    }
    if (!options.backgroundPicture.isEmpty()) {
        const unsigned int before = view.resources().m_texPicture;
        platform.queueOpenFileName(options.backgroundPicture);
        view.scene().m_fLoadPicture = 2;
        view.PrepareFrame();
        if (view.resources().m_texPicture == before)
            problems << "the background picture \"" + options.backgroundPicture +
                            "\" could not be read; the scene keeps its picture";
        view.scene().m_fShowPicture = 2;
    }

    if (!job.pack.isEmpty()) {
        for (const auto& call : platform.callsOf("messageBox")) problems << call.args.value(0);
        return WriteChannelPack(view, platform, options, job.pack, problems);
    }

    if (options.turntable > 0 || options.spin > 0)
        KeyTurntable(view.scene(), view.pages(), options.spin > 0 ? options.spin : options.turntable);

    // Every track recorded that far shows its values of that frame, as a scrub does.
    if (options.frame >= 0) ScrubScene(view.scene(), view.pages(), AnimSubject::Model, options.frame);

    // In the studio look a picture of a package without a scene is framed
    // whole; a scene keeps the pose it was saved with.
    const bool frameWhole = options.look == Look::Studio && job.scene.isEmpty() && options.video.isEmpty() &&
                            options.turntable == 0;
    if (options.fit || frameWhole) {
        // A video's frames have the format's size, unless a preset names one.
        const VideoFormat* format =
            options.video.isEmpty() || !options.preset.isEmpty() ? nullptr : FindVideoFormat(options.format);
        const FitResult fit = FitPackage(view, format ? format->width : options.width,
                                         format ? format->height : options.height);
        if (!fit.problem.isEmpty()) problems << "cannot fit the package: " + fit.problem;
        // Keys move with it, or playback would undo the fit.
        else if (view.scene().m_trackModel.keyCount > 0)
            ShiftModelKeys(view.scene(), fit.offset);
    }

    for (const auto& call : platform.callsOf("messageBox")) problems << call.args.value(0);

    if (!options.saveScene.isEmpty()) {
        platform.clearCalls();
        if (!view.SaveSceneFile(options.saveScene)) {
            for (const auto& call : platform.callsOf("messageBox")) problems << call.args.value(0);
            return 3;
        }
    }
    if (!options.video.isEmpty()) {
        const int recorded = RecordHeadlessVideo(view, options);
        if (recorded != 0 || job.out.isEmpty()) return recorded;
    }
    if (job.out.isEmpty()) return 0;

    if (options.spin > 0) return WriteHeadlessSpinPage(view, options, job.out);

    QString problem;
    if (job.out.endsWith(".bmp", Qt::CaseInsensitive)) {
        // The same frame the window's Save Screenshot reads.
        FramePixels pixels;
        const int width = CaptureWidth(options.width);
        ImageOptions bmp;
        bmp.layout = PixelLayout::BgrBottomUp;
        if (width == 0 || !view.RenderImage(width, options.height, bmp, pixels))
            problem = "the frame could not be drawn";
        else
            WriteWholeFile(job.out, BmpFileBytes(pixels), &problem);
    } else {
        PictureFileOptions file;
        file.jpegQuality = options.jpegQuality;
        WritePictureFile(view, {options.width, options.height, options.transparent}, job.out, file, &problem);
    }
    if (!problem.isEmpty()) {
        problems << "cannot write \"" + job.out + "\": " + problem;
        return 3;
    }
    return 0;
}

}  // namespace

int RunHeadlessRender(const RenderOptions& options) {
    // The batch is read before a context is made: a bad file costs nothing.
    BatchPlan plan;
    if (!options.batch.isEmpty()) {
        QString error;
        if (!ReadBatch(options.batch, options.shard, options.shards, plan, error)) {
            complain(error);
            return 1;
        }
    }

    // Pictures and videos are drawn into the view's image target at their
    // own size; the host's frame only takes the frames that serve requests,
    // so a small one spares clearing a full-size multisampled buffer.
    OffscreenView host(std::min(options.width, 256), std::min(options.height, 256));
    if (!host.isValid()) {
        complain("cannot render: " + host.error());
        return 2;
    }
    ScriptedPlatform platform;
    auto view = std::make_unique<CGL2AviView>(platform);
    if (view->OnCreate(&host) != 0) {
        complain("cannot render: the OpenGL context cannot be used");
        return 2;
    }
    host.setSampleCount(g_bMultisampleFound ? g_nMultisamplePixelFormat : 0);
    view->OnSize(options.width, options.height);
    view->SetLook(options.look);
    view->OnInitialUpdate();

    if (options.batch.isEmpty()) {
        QStringList problems;
        const int code = renderJob(
            *view, platform, options,
            {options.package, options.scene, options.out, options.pack, options.faces, {}}, problems);
        for (const QString& problem : problems) complain(problem);
        return code;
    }

    const bool terminal = isatty(fileno(stderr));
    int failed = 0, done = 0;
    for (const BatchRow& row : plan.rows) {
        ++done;
        if (terminal) std::fprintf(stderr, "\rrow %d of %d", done, int(plan.rows.size()));
        QStringList problems = row.problems;
        int code = problems.isEmpty() ? 0 : 1;
        if (code == 0)
            code = renderJob(*view, platform, options,
                             {row.package, row.scene, row.out, row.pack, row.faces, row.text}, problems);
        if (terminal && !problems.isEmpty()) std::fputc('\n', stderr);
        for (const QString& problem : problems)
            complain(QString("%1 line %2: %3").arg(plan.fileName).arg(row.line).arg(problem));
        if (code != 0) ++failed;
    }
    if (terminal) std::fputc('\n', stderr);
    if (failed) {
        complain(QString("%1 of %2 rows failed").arg(failed).arg(plan.rows.size()));
        return 1;
    }
    return 0;
}

}  // namespace vm
