#include "view/texture_pick.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QStringList>
#include <algorithm>
#include <cstdio>

#include "platform/gl.h"
#include "platform/safe_file.h"
#include "render/package_shape.h"

#include "view/gl2avi_view.h"
#include "scene/page_interfaces.h"

namespace vm {

QString TextureFileFilter() {
    return windowsFilterToQt(
        "Jpg Texture Files (*.jpg)|*.jpg|Jpeg Texture Files (*.jpeg)|*.jpeg|BMP Texture Files (*.bmp)|*.bmp|"
        "Gif Texture Files (*.gif)|*.gif|WMF Files (*.wmf)|*.wmf|ICON Files (*.ico)|*.ico|"
        "EMF Files (*.emf)|*.emf|All files (*.*)|*.*||");
}

std::optional<QString> PickTextureFile(CGL2AviView& view, const char* title, const QString& initialName) {
    FileDialogRequest request;
    request.title = QString::fromLatin1(title);
    request.filter = TextureFileFilter();
    request.defaultSuffix = "jpg";
    request.initialName = initialName;
    request.mustExist = true;
    // A file dropped on the view answers the pick it raised without a dialog.
    if (view.m_givenPickFile) {
        std::optional<QString> given = std::move(view.m_givenPickFile);
        view.m_givenPickFile.reset();
        return given;
    }
    std::optional<QString> chosen = view.platform().openFileName(request);
    if (!chosen && view.pages().m_pControlDeck) view.pages().m_pControlDeck->showDeck();
    return chosen;
}

QString StoredPickPath(const CGL2AviView& /*view*/, const QString& chosen, const QString& /*folderPrefix*/) {
    // The full path as chosen, keys or not: a folder name plus the file's
    // name would look for the user's file beside the program on reopening,
    // and the stored length (of the full path) would cut that name short.
    // Files that hold such names still open: relative names are looked up
    // in the program's folder.
    return chosen;
}

QString BlurryImageWarning(const QString& fileName, QSize imageSize) {
    if (imageSize.isEmpty()) return {};
    const int longer = std::max(imageSize.width(), imageSize.height());
    if (2 * longer >= kSharpFaceSide) return {};
    // The same proportions with the longer side at the sharp size.
    const QSize sharp = imageSize.scaled(kSharpFaceSide, kSharpFaceSide, Qt::KeepAspectRatio);
    return QStringLiteral("%1 is only %2 x %3 pixels and is enlarged more than twice on the face: it will look "
                          "blurry. %4 x %5 pixels or more look sharp.")
        .arg(fileName)
        .arg(imageSize.width())
        .arg(imageSize.height())
        .arg(sharp.width())
        .arg(sharp.height());
}

void AfterTexturePick(CGL2AviView& view, int controlId, const QString& storedPath, const QString& chosen,
                      unsigned int texture) {
    if (controlId && view.pages().m_pSideTexturesPage)
        view.pages().m_pSideTexturesPage->setPathText(controlId, storedPath);
    if (view.pages().m_pControlDeck) view.pages().m_pControlDeck->showDeck();
    // Only an image that loaded (it is in the texture) is worth a warning.
    // A FIFO or device would block the size read.
    if (chosen.isEmpty() || texture == 0 || !glIsTexture(texture) || !IsReadableRegularFile(chosen)) return;
    const QSize size = QImageReader(chosen).size();
    const QString fileName = QFileInfo(chosen).fileName();
    QStringList warnings;
    if (const QString blurry = BlurryImageWarning(fileName, size); !blurry.isEmpty()) warnings << blurry;
    // A front image in other proportions than the package's front is
    // stretched: said in the status bar and, for the command line, on stderr.
    const FrontShape front = ShownFrontShape(view.scene(), view.resources());
    if (front.imageSlot && *front.imageSlot == texture) {
        if (const QString stretched = ProportionWarning(fileName, size, front); !stretched.isEmpty()) {
            warnings << stretched;
            std::fprintf(stderr, "%s\n", qPrintable(stretched));
        }
    }
    if (!warnings.isEmpty()) view.ShowStatus(warnings.join(u' '));
}

void ResetFaceColour(CGL2AviView& view, int face) {
    if (face < 0 || face >= 6) return;
    view.scene().m_fFaceColoured[face] = 0;
    view.scene().m_fFaceRGB[face][0] = view.scene().m_fFaceRGB[face][1] = view.scene().m_fFaceRGB[face][2] =
        0.7f;
    view.scene().m_fFacePlain[face] = 0;
}

QString RequestPackageFacePick(CGL2AviView& view, int face) {
    if (face < 0 || face >= 6) return QStringLiteral("There is no such face.");
    ResetFaceColour(view, face);
    const float family = view.scene().m_fPackageFamily;
    if (family == 4.0f) {
        view.scene().m_fPickFace[face] = 2;
    } else if (face >= 3) {
        // Books have no separate right, top and bottom images.
        return QStringLiteral("This package has no separate image for that face.");
    } else if (family <= 1.0f) {
        view.scene().m_fPickBookFace[face] = 2;
    } else if (family == 7.0f && face == 0) {
        view.scene().m_fPickCDLabel = 2;
    } else {
        return QStringLiteral("This package has no image for that face.");
    }
    return {};
}

bool ChooseFaceColour(CGL2AviView& view, int face) {
    if (face < 0 || face >= 6) return false;
    ColourRef& remembered = view.scene().m_rgbFaceColour[size_t(face)];
    // The chooser speaks RGB, the scene keeps 0x00BBGGRR.
    const QRgb initial = qRgb(int(remembered & 0xff), int((remembered >> 8) & 0xff), int((remembered >> 16) & 0xff));
    const std::optional<QRgb> chosen = view.platform().chooseColour(initial);
    if (chosen) {
        remembered = ColourRef(qRed(*chosen)) | (ColourRef(qGreen(*chosen)) << 8) | (ColourRef(qBlue(*chosen)) << 16);
        view.scene().m_fFaceRGB[face][0] = float(qRed(*chosen)) / 255.0f;
        view.scene().m_fFaceRGB[face][1] = float(qGreen(*chosen)) / 255.0f;
        view.scene().m_fFaceRGB[face][2] = float(qBlue(*chosen)) / 255.0f;
        if (view.window()) view.window()->invalidate();
    }
    if (view.pages().m_pControlDeck) view.pages().m_pControlDeck->showDeck();
    return chosen.has_value();
}

void BrowseArrayFaces(CGL2AviView& view) {
    struct ArrayFace {
        const char* title;
        QString* storedPath;
        int controlId;
    };
    const ArrayFace faces[] = {{"Select Front Texture", &view.scene().m_strArrayFrontPath, 1059},
                               {"Select Back Texture", &view.scene().m_strArrayBackPath, 1061},
                               {"Select Left Texture", &view.scene().m_strArrayLeftPath, 1063}};
    for (int i = 0; i < 3; ++i) {
        if (!IsSet(view.scene().m_fPickArrayFace[i])) continue;
        view.scene().m_fPickArrayFace[i] = 0;
        const std::optional<QString> chosen = PickTextureFile(view, faces[i].title, "*jpg");
        if (!chosen) continue;
        // Called from the page's button, outside a frame: the texture must
        // go into the view's context, or the books are drawn without it.
        if (view.window() && !view.window()->makeCurrent()) continue;
        view.scene().m_fPathAsGiven = 2;
        // The full path as chosen: a name below the program's folder would
        // not find the user's file again when the scene is reopened.
        *faces[i].storedPath = *chosen;
        vm::LoadTexture(view.scene(), view.resources(), *chosen, &view.resources().m_texBookFace[i]);
        AfterTexturePick(view, faces[i].controlId, *faces[i].storedPath, *chosen,
                         view.resources().m_texBookFace[i]);
    }
}

QString CoverDesignGuidePath() {
    return QCoreApplication::applicationDirPath() + "/Help/cover-design-guide.html";
}

}  // namespace vm
