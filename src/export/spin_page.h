#pragma once
// A 360-degree spin page: one self-contained HTML file holding every frame of
// a turntable as an embedded picture, turned by dragging, swiping or the
// arrow keys. It needs nothing from the network and works opened from disk.
// It is written through the video writer interface, so the one recording
// loop feeds it like any video.

#include <QByteArray>
#include <QString>
#include <vector>

#include "export/video_encoder.h"

namespace vm {

struct SpinPageOptions {
    int width = 800, height = 600;
    bool transparent = false;  // frames as WebP with alpha instead of JPEG
    bool autoTurn = false;     // turns slowly by itself until touched
    int quality = 85;          // of the JPEG or WebP frames, 1..100
    int frames = 0;            // the frames a finished page has; 0: as many as come
    QString title = "Vellumark 360° view";
};

class SpinPageWriter : public VideoEncoder {
  public:
    SpinPageWriter(QString fileName, SpinPageOptions options);

    AviResult OpenVideo() override;
    AviResult WriteFrame(const std::uint8_t* pixels) override;
    bool CloseVideo() override;
    QString ErrorText() const override { return m_error; }
    int ImageSize() const override;
    bool TakesAlpha() const override { return m_options.transparent; }

    const QString& FileName() const { return m_fileName; }
    int FrameCount() const { return int(m_frames.size()); }

  private:
    QString m_fileName;
    SpinPageOptions m_options;
    QString m_error;
    bool m_open = false;
    std::vector<QByteArray> m_frames;  // encoded pictures
};

// The page for frames already encoded (`mimeType` e.g. "image/jpeg").
QByteArray SpinPageHtml(const std::vector<QByteArray>& frames, const char* mimeType,
                        const SpinPageOptions& options);

}  // namespace vm
