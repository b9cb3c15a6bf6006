// File > Export Spin Page: one turn of the package as a 360-degree spin page.

#include <QFileInfo>
#include <memory>

#include "anim/subjects.h"
#include "anim/turntable.h"
#include "export/spin_page.h"
#include "export/video_recording.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

const char* const kSpinCaption = "Export Spin Page";
constexpr int kSpinFrames = 36;  // 10 degrees a frame

}  // namespace

void CGL2AviView::OnExportSpinPage() {
    FileDialogRequest dialog;
    dialog.title = kSpinCaption;
    dialog.filter = windowsFilterToQt("Spin Page (*.html) | *.html | All Files (*.*) | *.*||");
    dialog.defaultSuffix = "html";
    dialog.initialName = "spin.html";
    dialog.mustExist = false;
    std::optional<QString> name = m_platform.saveFileName(dialog);
    if (!name || name->isEmpty()) return;
    if (!name->endsWith(".html", Qt::CaseInsensitive)) *name += ".html";

    SpinPageOptions options;
    options.width = std::max(16, m_nViewWidth) / 4 * 4;
    options.height = std::max(16, m_nViewHeight);
    options.transparent = m_pictureExport.transparent && m_pictureExport.format == PictureFormat::Png;
    options.frames = kSpinFrames;

    // The page turns the package once around, whatever its keys say; the
    // scene gets its keys and values back afterwards.
    const auto savedTrack = std::make_unique<ModelTrack>(m_scene.m_trackModel);
    const auto values = ModelTrackValues(m_scene);
    std::array<float, ModelTrack::kValues> savedValues{};
    for (int v = 0; v < ModelTrack::kValues; ++v)
        savedValues[size_t(v)] = ReadSceneValue(m_scene, values[size_t(v)]);
    const int savedStarted = m_scene.m_nSequenceStarted, savedFrames = m_scene.m_nFrameCount;
    const int savedExportTrack = m_scene.m_nExportTrack;

    KeyTurntable(m_scene, DeckPages{}, kSpinFrames);
    m_scene.m_nExportTrack = 0;
    SpinPageWriter writer(*name, options);
    m_platform.setWaitCursor(true);
    VideoOutcome outcome;
    {
        std::unique_ptr<ProgressWindow> progress;
        outcome =
            RecordVideo(m_scene, *this, writer, options.width, options.height, [&](int done, int total) {
                if (!progress) progress = m_platform.beginProgress(kSpinCaption, "Drawing frame %1 of %2");
                return progress->step(done, total);
            });
    }
    m_platform.setWaitCursor(false);

    m_scene.m_trackModel = *savedTrack;
    m_scene.m_trackModel.playing = 0;
    for (int v = 0; v < ModelTrack::kValues; ++v)
        WriteSceneValue(m_scene, values[size_t(v)], savedValues[size_t(v)]);
    m_scene.m_nSequenceStarted = savedStarted;
    m_scene.m_nFrameCount = savedFrames;
    m_scene.m_nExportTrack = savedExportTrack;

    QString failure = outcome.openResult != AVIERR_OK                     ? writer.ErrorText()
                      : outcome.recording.failure != AVIERR_OK            ? outcome.recording.error
                      : !outcome.finished && !outcome.recording.cancelled ? outcome.closeError
                                                                          : QString();
    if (!failure.isEmpty()) {
        m_platform.messageBox(failure, kSpinCaption, MessageButtons::Ok, MessageIcon::Error);
    } else if (outcome.recording.cancelled) {
        ShowStatus("The spin page was cancelled; no file was written");
    } else {
        ShowStatus(QString("Exported a spin page of %1 frames to %2")
                       .arg(kSpinFrames)
                       .arg(QFileInfo(*name).fileName()));
    }
    if (m_pWindow) m_pWindow->invalidate();
}

}  // namespace vm
