#pragma once
// Compresses on a worker thread: WriteFrame copies the frame into a small
// bounded queue and returns, so the next frame draws while this one is
// encoded. When the queue is full the caller waits; frames are never dropped
// or reordered. A failure on the worker is reported by the next WriteFrame
// (or by CloseVideo), with the writer's text.

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "export/video_encoder.h"

namespace vm {

class EncoderWorker : public VideoEncoder {
public:
    // `encoder` must outlive the worker; it is opened on the calling thread
    // (it may ask the user) and written to only by the worker.
    explicit EncoderWorker(VideoEncoder& encoder, int queueDepth = 3);
    ~EncoderWorker() override;

    AviResult OpenVideo() override;
    AviResult WriteFrame(const std::uint8_t* pixels) override;
    bool CloseVideo() override;
    QString ErrorText() const override;
    int ImageSize() const override { return m_encoder.ImageSize(); }
    bool TakesAlpha() const override { return m_encoder.TakesAlpha(); }

    // The most frames the queue held at once (for the benchmark's report).
    int deepestQueue() const { return m_deepest; }

private:
    void run();
    void stop();

    VideoEncoder& m_encoder;
    const int m_depth;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<std::uint8_t>> m_queue;
    std::vector<std::vector<std::uint8_t>> m_spare;  // buffers to reuse
    std::thread m_thread;
    bool m_closing = false;
    AviResult m_failure = AVIERR_OK;
    int m_deepest = 0;
};

}  // namespace vm
