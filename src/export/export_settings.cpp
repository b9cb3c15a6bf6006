// Options > Settings: the video format of the next export.

#include "export/video_formats.h"
#include "view/gl2avi_view.h"

namespace vm {

void CGL2AviView::OnVideoSettings() { OpenExportSettings(); }

void CGL2AviView::OpenExportSettings() {
    // One dialog at a time.
    if (m_pExportSettings) return;
    m_pExportSettings = m_platform.openExportSettings(*this);
}

void CGL2AviView::ApplyVideoFormat() {
    const VideoFormat* format = FindVideoFormat(m_nVideoFormat);
    if (!format) return;
    m_platform.resizeMainWindow(format->windowWidth, format->windowHeight);
    m_fVideoFps = float(format->fps);
}

// A new selection counts at once, Apply or not: the export applies the
// format's size and rate itself.
void CGL2AviView::settingsSelectionChanged(int index) { m_nVideoFormat = index; }

void CGL2AviView::settingsApplied() {
    ApplyVideoFormat();
    m_pExportSettings = nullptr;
}

void CGL2AviView::settingsClosed() { m_pExportSettings = nullptr; }

}  // namespace vm
