#include "cli/headless_renderer.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "anim/playback.h"
#include "assets/texture_table.h"
#include "export/screenshot.h"
#include "platform/offscreen_view.h"
#include "platform/safe_file.h"
#include "platform/scripted_platform.h"
#include "render/box_family.h"
#include "view/commands.h"
#include "view/gl2avi_view.h"
#include "view/package_choice.h"

namespace vm {

namespace {

void complain(const QString& text) { std::fprintf(stderr, "vellumark-render: %s\n", qPrintable(text)); }

// The texture a face image lands in, to tell whether a pick loaded.
unsigned int faceTexture(const CGL2AviView& view, const QString& face) {
    const bool book = view.m_fPackageFamily <= 1.0f;
    if (face == "mug") return g_TextureTable[kMugTextureBase];
    if (book && face == "front") return view.m_texBookFace[0];
    if (book && face == "back") return view.m_texBookFace[1];
    if (book && face == "left") return view.m_texBookFace[2];
    static const QStringList boxFaces = {"front", "right", "back", "left", "bottom", "top"};  // object order
    return BoxFaceSlot(int(boxFaces.indexOf(face)));
}

// Raises the face's pick request, as the Control Deck does.
void requestPick(CGL2AviView& view, const QString& face) {
    static const QStringList order = {"front", "back", "left", "right", "top", "bottom"};
    if (face == "mug") {
        view.m_fPickMug = 2;
    } else if (view.m_fPackageFamily <= 1.0f) {
        if (const int i = int(order.indexOf(face)); i < 3) view.m_fPickBookFace[i] = 2;
    } else {
        view.m_fPickFace[order.indexOf(face)] = 2;
    }
}

}  // namespace

int RunHeadlessRender(const RenderOptions& options) {
    int package = -1;
    if (!options.package.isEmpty()) {
        package = PackageIndex(options.package);
        if (package < 0) {
            complain("unknown package \"" + options.package + "\"; the packages are: " +
                     PackageThumbnailNames().join(", "));
            return 1;
        }
    }

    OffscreenView host(options.width, options.height);
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
    view->OnInitialUpdate();
    view->OnNewScene();
    // The command line's New scene shows no 3D text; a scene file may turn it on.
    view->m_fTextOn = 0;
    if (!options.scene.isEmpty() && !view->LoadSceneFile(options.scene)) {
        for (const auto& call : platform.callsOf("messageBox")) complain(call.args.value(0));
        return 1;
    }
    if (package >= 0) WritePackageValues(*view, package);
    // The first frame serves the package's pending image loads.
    view->OnDraw();

    for (const FaceImage& face : options.faces) {
        const unsigned int before = faceTexture(*view, face.face);
        platform.queueOpenFileName(face.path);
        requestPick(*view, face.face);
        view->OnDraw();
        if (faceTexture(*view, face.face) == before)
            complain("the " + face.face + " image \"" + face.path +
                     "\" could not be read; the face keeps its previous image");
    }

    // The background through the same commands the window offers.
    if (options.background) {
        platform.queueColour(QRgb(0xff000000u | *options.background));
        view->OnCommand(cmd::BackgroundColour);
    }
    if (!options.backgroundPicture.isEmpty()) {
        const unsigned int before = view->m_texPicture;
        platform.queueOpenFileName(options.backgroundPicture);
        view->m_fLoadPicture = 2;
        view->OnDraw();
        if (view->m_texPicture == before)
            complain("the background picture \"" + options.backgroundPicture +
                     "\" could not be read; the scene keeps its picture");
        view->m_fShowPicture = 2;
    }

    // Every track recorded that far shows its values of that frame, as a scrub does.
    if (options.frame >= 0) ScrubScene(*view, AnimSubject::Model, options.frame);

    for (const auto& call : platform.callsOf("messageBox")) complain(call.args.value(0));

    if (!options.saveScene.isEmpty()) {
        platform.clearCalls();
        if (!view->SaveSceneFile(options.saveScene)) {
            for (const auto& call : platform.callsOf("messageBox")) complain(call.args.value(0));
            return 3;
        }
    }
    if (options.out.isEmpty()) return 0;

    // The same frame the window's Save Screenshot and Copy Image read.
    QString problem;
    if (options.out.endsWith(".bmp", Qt::CaseInsensitive)) {
        FramePixels pixels;
        const int width = CaptureWidth(options.width);
        if (width == 0 || !view->RenderImage(width, options.height, {PixelLayout::BgrBottomUp}, pixels))
            problem = "the frame could not be drawn";
        else
            WriteWholeFile(options.out, BmpFileBytes(pixels), &problem);
    } else {
        const QImage image = view->RenderImage(options.width, options.height);
        if (image.isNull())
            problem = "the frame could not be drawn";
        else
            WriteImageFile(options.out, image, &problem);
    }
    if (!problem.isEmpty()) {
        complain("cannot write \"" + options.out + "\": " + problem);
        return 3;
    }
    return 0;
}

}  // namespace vm
