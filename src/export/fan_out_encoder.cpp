#include "export/fan_out_encoder.h"

namespace vm {

AviResult FanOutEncoder::OpenVideo() {
    m_frame = 0;
    m_error.clear();
    for (const Output& output : m_outputs) {
        if (output.encoder->TakesAlpha() != TakesAlpha()) {
            m_error = "The outputs of one recording must all take alpha or none.";
            return AVIERR_BADFORMAT;
        }
        if (const AviResult result = output.encoder->OpenVideo(); result != AVIERR_OK) {
            m_error = output.encoder->ErrorText();
            return result;
        }
    }
    return AVIERR_OK;
}

AviResult FanOutEncoder::WriteFrame(const std::uint8_t* pixels) {
    const int frame = m_frame++;
    for (const Output& output : m_outputs) {
        if (frame % output.step != 0) continue;
        if (const AviResult result = output.encoder->WriteFrame(pixels); result != AVIERR_OK) {
            m_error = output.encoder->ErrorText();
            return result;
        }
    }
    return AVIERR_OK;
}

bool FanOutEncoder::CloseVideo() {
    // Every writer is closed, whatever the others did; the first failure is told.
    bool finished = true;
    for (const Output& output : m_outputs)
        if (!output.encoder->CloseVideo() && finished) {
            finished = false;
            m_error = output.encoder->ErrorText();
        }
    return finished;
}

}  // namespace vm
