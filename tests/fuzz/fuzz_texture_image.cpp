// Our image path after decoding, on any picture Qt decodes as PNG, JPEG, BMP
// or GIF (the first byte of the input chooses the format): the natural size,
// the power-of-two fitting, the stretched and converted pixels and the upload
// size stay consistent. The decoders themselves are not ours to fuzz.

#include <QByteArray>
#include <QBuffer>
#include <QImageReader>

#include "assets/texture_pixels.h"
#include "fuzz_check.h"

namespace {

// Small enough that a stretched picture stays quick to convert.
constexpr int kMaxTextureSize = 1024;

bool powerOfTwoOrMax(int side) { return side == kMaxTextureSize || (side > 0 && (side & (side - 1)) == 0); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A damaged header can promise a huge picture; refuse beyond 32 MB.
    QImageReader::setAllocationLimit(32);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 1) return 0;
    static const char* const kFormats[4] = {"png", "jpeg", "bmp", "gif"};
    QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, kFormats[data[0] % 4]);
    reader.setAutoDetectImageFormat(false);  // that format alone, no other decoder
    const QImage image = reader.read();
    if (image.isNull()) return 0;

    const vm::PreparedTexture t = vm::PrepareTexture(image, kMaxTextureSize);
    FUZZ_CHECK(t.widthHM >= 0 && t.heightHM >= 0);
    FUZZ_CHECK(powerOfTwoOrMax(t.width) && powerOfTwoOrMax(t.height));
    FUZZ_CHECK(t.pixels.size() == std::size_t(t.width) * std::size_t(t.height) * 4);
    for (std::size_t i = 0; i < t.pixels.size(); i += 4) {
        const bool black = t.pixels[i] == 0 && t.pixels[i + 1] == 0 && t.pixels[i + 2] == 0;
        FUZZ_CHECK(t.pixels[i + 3] == (black ? 0 : 255));
    }
    return 0;
}
