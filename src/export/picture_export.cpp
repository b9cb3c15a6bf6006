// File > Export Picture: the dialog's choice, the file name, then the
// picture drawn offscreen and written band by band, with a progress window
// for pictures drawn in several parts.

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "export/picture_file.h"
#include "export/picture_render.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

const char* const kCaption = "Export Picture";

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

    const QString suffix = formatSuffix(chosen->format);
    FileDialogRequest dialog;
    dialog.title = kCaption;
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
        if (!progressWindow) progressWindow = m_platform.beginProgress(kCaption, "Drawing part %1 of %2");
        return progressWindow->step(done, total);
    };
    QString error;
    const PictureOutcome outcome = WritePictureFile(*this, request, *name, options, &error, progress);
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
                                  kCaption, MessageButtons::Ok, MessageIcon::Error);
            break;
    }
}

}  // namespace vm
