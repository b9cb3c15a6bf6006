#pragma once
// One drawn frame for several writers of the same size: each frame is drawn
// once and handed to every writer, or to every `step`-th frame for a writer
// that wants fewer (a spin page beside the video of the same turn).

#include <vector>

#include "export/video_encoder.h"

namespace vm {

class FanOutEncoder : public VideoEncoder {
  public:
    // The writers must outlive this and agree on alpha; `step` >= 1.
    void add(VideoEncoder& encoder, int step = 1) { m_outputs.push_back({&encoder, step < 1 ? 1 : step}); }

    AviResult OpenVideo() override;
    AviResult WriteFrame(const std::uint8_t* pixels) override;
    bool CloseVideo() override;
    QString ErrorText() const override { return m_error; }
    int ImageSize() const override { return m_outputs.empty() ? 0 : m_outputs.front().encoder->ImageSize(); }
    bool TakesAlpha() const override { return !m_outputs.empty() && m_outputs.front().encoder->TakesAlpha(); }

  private:
    struct Output {
        VideoEncoder* encoder;
        int step;
    };
    std::vector<Output> m_outputs;
    int m_frame = 0;
    QString m_error;
};

}  // namespace vm
