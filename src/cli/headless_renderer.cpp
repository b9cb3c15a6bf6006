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
#include "view/gl2avi_view.h"
#include "view/package_choice.h"

namespace vm {

namespace {

void complain(const QString& text) { std::fprintf(stderr, "vellumark-render: %s\n", qPrintable(text)); }

// The texture a face image lands in, to tell whether a pick loaded.
unsigned int faceTexture(const CGL2AviView& view, const QString& face) {
    const bool book = view.m_fPackageFamily <= 1.0f;
    if (face == "mug") return g_TextureTable[kMugTextureBase];
    if (face == "label") return view.m_texCDLabel;
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
    } else if (face == "label") {
        view.m_fPickCDLabel = 2;
    } else if (view.m_fPackageFamily <= 1.0f) {
        if (const int i = int(order.indexOf(face)); i < 3) view.m_fPickBookFace[i] = 2;
    } else {
        view.m_fPickFace[order.indexOf(face)] = 2;
    }
}

// The faces the shown package has an image for.
QStringList FacesOf(const CGL2AviView& view) {
    const float family = view.m_fPackageFamily;
    if (family <= 1.0f) return {"front", "back", "left"};
    if (family == 2.0f) return {"mug"};
    if (family == 4.0f) return {"front", "back", "left", "right", "top", "bottom"};
    if (family == 6.0f) return {"front"};
    if (family == 7.0f) return {"label"};
    return {};
}

// The face's colour, as the Side Textures page's "Colour" leaves it.
void colourFace(CGL2AviView& view, int face, QRgb colour) {
    view.m_rgbFaceColour[size_t(face)] =
        ColourRef(qRed(colour)) | (ColourRef(qGreen(colour)) << 8) | (ColourRef(qBlue(colour)) << 16);
    view.m_fFaceRGB[face][0] = float(qRed(colour)) / 255.0f;
    view.m_fFaceRGB[face][1] = float(qGreen(colour)) / 255.0f;
    view.m_fFaceRGB[face][2] = float(qBlue(colour)) / 255.0f;
    view.m_fFacePlain[face] = 2;
    view.m_fFaceColoured[face] = 2;
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

    const QStringList faces = FacesOf(*view);
    QStringList asked;
    for (const FaceImage& face : options.faces) asked << face.face;
    for (const FaceColour& face : options.faceColours) asked << face.face;
    for (const QString& face : asked)
        if (!faces.isEmpty() && !faces.contains(face)) {
            complain("the package has no " + face + " face; its faces are: " +
                     (faces.isEmpty() ? QString("none") : faces.join(", ")));
            return 1;
        }

    for (const FaceImage& face : options.faces) {
        const unsigned int before = faceTexture(*view, face.face);
        platform.queueOpenFileName(face.path);
        requestPick(*view, face.face);
        view->OnDraw();
        if (faceTexture(*view, face.face) == before)
            complain("the " + face.face + " image \"" + face.path +
                     "\" could not be read; the face keeps its previous image");
    }

    for (const FaceColour& face : options.faceColours)
        colourFace(*view, int(FaceNames().indexOf(face.face)), face.colour);

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
