// File > Save Screenshot and Copy Image to Clipboard.

#include <QFileInfo>

#include "export/deck_hidden.h"
#include "export/screenshot.h"
#include "platform/safe_file.h"
#include "view/gl2avi_view.h"
#include "scene/page_interfaces.h"

namespace vm {

namespace {

// The quality of screenshots saved as JPEG.
constexpr int kScreenshotJpegQuality = 90;

}  // namespace

void CGL2AviView::OnSaveScreenshot() {
    DeckHiddenForCapture hidden(*this);
    m_platform.setWaitCursor(true);
    const FramePixels pixels = CaptureView(*this, PixelLayout::BgrBottomUp);

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
    DeckHiddenForCapture hidden(*this);
    m_platform.setWaitCursor(true);
    const FramePixels pixels = CaptureView(*this, PixelLayout::RgbaTopDown);
    if (!pixels.empty()) m_platform.setClipboardImage(pixels.toImage());
    m_platform.setWaitCursor(false);
    if (pixels.empty())
        m_platform.messageBox("The picture could not be copied to the clipboard: the view could not be drawn.",
                              "Copy Image to Clipboard", MessageButtons::Ok, MessageIcon::Error);
}

}  // namespace vm
