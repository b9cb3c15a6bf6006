#pragma once
// What the recording loop needs of a video writer: open, write frames, close.
// Frames come as 24-bit blue-green-red pixels, bottom row first, each row
// padded to a multiple of 4 bytes (the bitmap layout). Results are the AVIFile
// codes below: 0 for success, negative for a failure, with the reason in
// ErrorText().

#include <QString>
#include <cstdint>

namespace vm {

using AviResult = std::int32_t;

// The classic AVIFile result codes, so callers can tell the failures apart.
constexpr AviResult AviError(int n) { return AviResult(0x80044000u + unsigned(n)); }
constexpr AviResult AVIERR_OK = 0;
constexpr AviResult AVIERR_UNSUPPORTED = AviError(101);
constexpr AviResult AVIERR_BADFORMAT = AviError(102);
constexpr AviResult AVIERR_MEMORY = AviError(103);
constexpr AviResult AVIERR_INTERNAL = AviError(104);
constexpr AviResult AVIERR_BADPARAM = AviError(106);
constexpr AviResult AVIERR_FILEREAD = AviError(109);
constexpr AviResult AVIERR_FILEWRITE = AviError(110);
constexpr AviResult AVIERR_FILEOPEN = AviError(111);
constexpr AviResult AVIERR_NOCOMPRESSOR = AviError(113);
constexpr AviResult AVIERR_READONLY = AviError(114);
constexpr AviResult AVIERR_USERABORT = AviError(198);
constexpr AviResult AVIERR_ERROR = AviError(199);
constexpr AviResult REGDB_E_CLASSNOTREG = AviResult(0x80040154u);

class VideoEncoder {
public:
    virtual ~VideoEncoder() = default;
    // Creates the file and prepares the stream; 0 on success.
    virtual AviResult OpenVideo() = 0;
    // Writes one frame of ImageSize() bytes.
    virtual AviResult WriteFrame(const std::uint8_t* pixels) = 0;
    // Finishes the file (trailer and index) and releases everything; may
    // follow a failed open. True when the file was finished properly.
    virtual bool CloseVideo() = 0;
    virtual QString ErrorText() const = 0;
    // Bytes of one frame in the layout above.
    virtual int ImageSize() const = 0;
    // True when the writer wants frames with alpha instead: 32-bit
    // blue-green-red-alpha pixels (straight alpha), top row first, rows of
    // exactly 4 x width bytes. ImageSize() counts them.
    virtual bool TakesAlpha() const { return false; }
    // True after an OpenVideo whose compression dialog was cancelled: the
    // file exists and nothing is to be recorded.
    virtual bool CompressCancelled() const { return false; }
};

}  // namespace vm
