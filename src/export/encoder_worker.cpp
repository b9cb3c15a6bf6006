#include "export/encoder_worker.h"

#include <algorithm>
#include <cstring>

namespace vm {

EncoderWorker::EncoderWorker(VideoEncoder& encoder, int queueDepth)
    : m_encoder(encoder), m_depth(std::max(1, queueDepth)) {}

EncoderWorker::~EncoderWorker() { stop(); }

AviResult EncoderWorker::OpenVideo() {
    const AviResult result = m_encoder.OpenVideo();
    if (result == AVIERR_OK && !m_thread.joinable()) {
        m_closing = false;
        m_failure = AVIERR_OK;
        m_thread = std::thread([this] { run(); });
    }
    return result;
}

AviResult EncoderWorker::WriteFrame(const std::uint8_t* pixels) {
    if (!m_thread.joinable()) return m_encoder.WriteFrame(pixels);
    const std::size_t size = std::size_t(std::max(0, m_encoder.ImageSize()));
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return int(m_queue.size()) < m_depth || m_failure != AVIERR_OK; });
    if (m_failure != AVIERR_OK) return m_failure;
    std::vector<std::uint8_t> frame;
    if (!m_spare.empty()) {
        frame = std::move(m_spare.back());
        m_spare.pop_back();
    }
    lock.unlock();
    frame.resize(size);  // the copy is made outside the lock
    if (pixels && size) std::memcpy(frame.data(), pixels, size);
    lock.lock();
    m_queue.push_back(std::move(frame));
    m_deepest = std::max(m_deepest, int(m_queue.size()));
    m_changed.notify_all();
    return AVIERR_OK;
}

void EncoderWorker::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_closing; });
        if (m_queue.empty()) return;  // closing and drained
        std::vector<std::uint8_t> frame = std::move(m_queue.front());
        m_queue.pop_front();
        lock.unlock();
        const AviResult result = m_failure == AVIERR_OK ? m_encoder.WriteFrame(frame.data()) : m_failure;
        lock.lock();
        if (result != AVIERR_OK) m_failure = result;
        m_spare.push_back(std::move(frame));
        m_changed.notify_all();
    }
}

void EncoderWorker::stop() {
    if (!m_thread.joinable()) return;
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

bool EncoderWorker::CloseVideo() {
    stop();  // every queued frame is written first
    const bool finished = m_encoder.CloseVideo();
    return finished && m_failure == AVIERR_OK;
}

QString EncoderWorker::ErrorText() const {
    std::lock_guard lock(m_mutex);
    return m_encoder.ErrorText();
}

}  // namespace vm
