// The export commands of the view: File > Save Screenshot, Copy Image to
// Clipboard, File > Export Picture, Options > Settings and Generate AVI.
// The drawing, encoding and writing are export/'s; these ask the user and
// report the outcome.

#include "view/export_commands.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "export/deck_hidden.h"
#include "export/generate_video.h"
#include "export/picture_file.h"
#include "export/picture_render.h"
#include "export/screenshot.h"
#include "export/video_formats.h"
#include "platform/safe_file.h"
#include "scene/page_interfaces.h"
#include "view/fit_package.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

// The quality of screenshots saved as JPEG.
constexpr int kScreenshotJpegQuality = 90;

const char* const kPictureCaption = "Export Picture";

QString formatSuffix(PictureFormat format) {
    switch (format) {
        case PictureFormat::Jpeg: return "jpg";
        case PictureFormat::Bmp: return "bmp";
        case PictureFormat::Png: break;
    }
    return "png";
}

QString formatFilter(PictureFormat format) {
    switch (format) {
        case PictureFormat::Jpeg: return "JPEG Picture (*.jpg *.jpeg)";
        case PictureFormat::Bmp: return "Bitmap Picture (*.bmp)";
        case PictureFormat::Png: break;
    }
    return "PNG Picture (*.png)";
}

}  // namespace

void CGL2AviView::OnSaveScreenshot() {
    DeckHiddenForCapture hidden(scene(), pages());
    m_platform.setWaitCursor(true);
    const FramePixels pixels = CaptureView(*this, m_nViewWidth, m_nViewHeight, PixelLayout::BgrBottomUp);

    FileDialogRequest request;
    request.title = "Export Screenshot";
    request.filter = windowsFilterToQt(
        "Export Bitmap (*.bmp)|*.*|PNG Picture (*.png)|*.png|JPEG Picture|*.jpg;*.jpeg|All Files|*.*||");
    request.defaultSuffix = "bmp";
    request.mustExist = false;
    const std::optional<QString> name = m_platform.saveFileName(request);
    if (!name || name->isEmpty()) {
        m_platform.setWaitCursor(false);
        return;
    }

    // The name's suffix picks PNG or JPEG (the save dialog gives a name
    // typed without one the suffix of the filter chosen); every other name
    // gets the bitmap. A failed write is reported, and an existing file of
    // that name is only replaced once the new one is complete.
    const QString suffix = QFileInfo(*name).suffix().toLower();
    const bool png = suffix == "png", jpeg = suffix == "jpg" || suffix == "jpeg";
    QString problem;
    bool written = false;
    if (pixels.empty())
        problem = "the view could not be read";
    else if (png || jpeg)
        written = WriteImageFile(*name, pixels.toImage(), &problem, jpeg ? kScreenshotJpegQuality : -1);
    else
        written = WriteWholeFile(*name, BmpFileBytes(pixels), &problem);
    if (!written && problem.isEmpty()) problem = "the file could not be written";
    m_platform.setWaitCursor(false);
    if (!problem.isEmpty())
        m_platform.messageBox(QString("The screenshot could not be saved to \"%1\": %2.").arg(*name, problem),
                              "Export Screenshot", MessageButtons::Ok, MessageIcon::Error);
}

void CGL2AviView::OnCopyImage() {
    DeckHiddenForCapture hidden(scene(), pages());
    m_platform.setWaitCursor(true);
    const FramePixels pixels = CaptureView(*this, m_nViewWidth, m_nViewHeight, PixelLayout::RgbaTopDown);
    if (!pixels.empty()) m_platform.setClipboardImage(pixels.toImage());
    m_platform.setWaitCursor(false);
    if (pixels.empty())
        m_platform.messageBox("The picture could not be copied to the clipboard: the view could not be drawn.",
                              "Copy Image to Clipboard", MessageButtons::Ok, MessageIcon::Error);
}

// File > Export Picture: the dialog's choice, the file name, then the
// picture drawn offscreen and written band by band, with a progress window
// for pictures drawn in several parts.
void CGL2AviView::OnExportPicture() {
    const PicturePreview preview = [this](int width, int height, bool transparent) {
        PictureRequest request;
        request.width = width;
        request.height = height;
        request.transparent = transparent;
        return RenderPicture(*this, request);
    };
    const std::optional<PictureExportChoice> chosen =
        m_platform.choosePictureExport(m_pictureExport, QSize(m_nViewWidth, m_nViewHeight), preview);
    if (!chosen) return;
    m_pictureExport = *chosen;

    PictureRequest request;
    request.width = chosen->viewSize ? m_nViewWidth : chosen->width;
    request.height = chosen->viewSize ? m_nViewHeight : chosen->height;
    request.width = std::clamp(request.width, 1, kMaxPictureSide);
    request.height = std::clamp(request.height, 1, kMaxPictureSide);
    request.transparent = chosen->transparent && chosen->format == PictureFormat::Png;
    PictureFileOptions options;
    options.jpegQuality = std::clamp(chosen->jpegQuality, 1, 100);
    options.dotsPerInch = chosen->dotsPerInch;

    const QString suffix = formatSuffix(chosen->format);
    FileDialogRequest dialog;
    dialog.title = kPictureCaption;
    dialog.filter = formatFilter(chosen->format);
    dialog.defaultSuffix = suffix;
    dialog.mustExist = false;
    if (m_strPictureFile.isEmpty()) {
        // The first picture goes to the user's pictures, not wherever the
        // program was started.
        QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
        dialog.initialName = QDir(folder).filePath("picture." + suffix);
    } else {
        const QFileInfo last(m_strPictureFile);
        dialog.initialName = last.dir().filePath(last.completeBaseName() + u'.' + suffix);
    }
    std::optional<QString> name = m_platform.saveFileName(dialog);
    if (!name || name->isEmpty()) return;
    // A name typed with a picture suffix keeps it (and that decides the
    // format); any other name gets the suffix of the format chosen.
    if (!IsPictureFileName(*name)) *name += u'.' + suffix;
    m_strPictureFile = *name;

    // Playback stands still while the parts of one picture are drawn, or
    // they would show different frames.
    const PlaybackHold hold(*this);
    m_platform.setWaitCursor(true);
    std::unique_ptr<ProgressWindow> progressWindow;
    const PictureProgress progress = [&](int done, int total) {
        if (total <= 1) return true;  // one part: drawn at once
        if (!progressWindow) progressWindow = m_platform.beginProgress(kPictureCaption, "Drawing part %1 of %2");
        return progressWindow->step(done, total);
    };
    // Framed for this picture only: the position is put back afterwards.
    const std::array<float, 3> position{m_scene.m_fPosX, m_scene.m_fPosY, m_scene.m_fPosZ};
    QString error;
    if (chosen->fitPackage) {
        const FitResult fit = FitPackage(*this, request.width, request.height);
        if (!fit.problem.isEmpty()) ShowStatus("The package could not be framed: " + fit.problem);
    }
    const PictureOutcome outcome = WritePictureFile(*this, request, *name, options, &error, progress);
    m_scene.m_fPosX = position[0];
    m_scene.m_fPosY = position[1];
    m_scene.m_fPosZ = position[2];
    progressWindow.reset();
    m_platform.setWaitCursor(false);

    switch (outcome) {
        case PictureOutcome::Done:
            ShowStatus(QString("Exported a %1 \u00d7 %2 picture to %3")
                           .arg(request.width)
                           .arg(request.height)
                           .arg(QFileInfo(*name).fileName()));
            break;
        case PictureOutcome::Cancelled: ShowStatus("The picture export was cancelled; no file was written"); break;
        case PictureOutcome::Failed:
            m_platform.messageBox(QString("The picture could not be saved to \"%1\": %2.").arg(*name, error),
                                  kPictureCaption, MessageButtons::Ok, MessageIcon::Error);
            break;
    }
}

// Options > Settings: the video format of the next export.
void CGL2AviView::OnVideoSettings() { OpenExportSettings(); }

void CGL2AviView::OpenExportSettings() {
    // One dialog at a time.
    if (m_pExportSettings) return;
    m_pExportSettings = m_platform.openExportSettings(*this);
}

void CGL2AviView::ApplyVideoFormat() {
    const VideoFormat* format = FindVideoFormat(m_scene.m_nVideoFormat);
    if (!format) return;
    m_platform.resizeMainWindow(format->windowWidth, format->windowHeight);
    m_scene.m_fVideoFps = float(format->fps);
}

// A new selection counts at once, Apply or not: the export applies the
// format's size and rate itself.
void CGL2AviView::settingsSelectionChanged(int index) {
    m_scene.m_nVideoFormat = index;
}

void CGL2AviView::settingsApplied() {
    ApplyVideoFormat();
    m_pExportSettings = nullptr;
}

void CGL2AviView::settingsClosed() { m_pExportSettings = nullptr; }

void GenerateVideo(CGL2AviView& view) {
    GenerateVideo(view.scene(), view.pages(), view.platform(), view.window(), view);
}

}  // namespace vm
