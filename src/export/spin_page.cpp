#include "export/spin_page.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>

namespace vm {

namespace {

// The turning: one drag across the whole picture is one full turn; a slow
// turn by itself stops for good at the first touch, key or drag, and never
// starts for people who asked their system for less motion. The shown frame
// is kept in data-frame for scripts around the page.
const char* const kScript = R"JS(
(function () {
  var spin = document.getElementById('vm-spin');
  var view = spin.querySelector('img');
  var count = frames.length, shown = 0;
  var pictures = frames.map(function (src) { var i = new Image(); i.src = src; return i; });
  function show(index) {
    shown = ((index % count) + count) % count;
    view.src = pictures[shown].src;
    spin.setAttribute('data-frame', String(shown));
  }
  var dragging = false, startX = 0, startFrame = 0, turning = spin.hasAttribute('data-autoturn');
  if (window.matchMedia && window.matchMedia('(prefers-reduced-motion: reduce)').matches) turning = false;
  function stopTurning() { turning = false; }
  spin.addEventListener('pointerdown', function (e) {
    stopTurning();
    dragging = true; startX = e.clientX; startFrame = shown;
    if (spin.setPointerCapture && e.pointerId !== undefined) { try { spin.setPointerCapture(e.pointerId); } catch (x) {} }
    spin.classList.add('vm-dragging');
    e.preventDefault();
  });
  spin.addEventListener('pointermove', function (e) {
    if (!dragging) return;
    var perFrame = Math.max(1, spin.clientWidth / count);
    show(startFrame + Math.round((e.clientX - startX) / perFrame));
  });
  function endDrag() { dragging = false; spin.classList.remove('vm-dragging'); }
  spin.addEventListener('pointerup', endDrag);
  spin.addEventListener('pointercancel', endDrag);
  spin.addEventListener('keydown', function (e) {
    if (e.key === 'ArrowRight') { stopTurning(); show(shown + 1); e.preventDefault(); }
    else if (e.key === 'ArrowLeft') { stopTurning(); show(shown - 1); e.preventDefault(); }
  });
  var last = 0, perTurn = 12000;
  function tick(time) {
    if (!turning) return;
    if (!last) last = time;
    if (time - last >= perTurn / count) { last = time; show(shown + 1); }
    requestAnimationFrame(tick);
  }
  show(0);
  if (turning) requestAnimationFrame(tick);
})();
)JS";

QString htmlEscaped(const QString& text) {
    return text.toHtmlEscaped();
}

}  // namespace

QByteArray SpinPageHtml(const std::vector<QByteArray>& frames, const char* mimeType,
                        const SpinPageOptions& options) {
    QByteArray page;
    page +=
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    page += htmlEscaped(options.title).toUtf8();
    page +=
        "</title>\n<style>\n"
        "html, body { margin: 0; height: 100%; }\n"
        "body { display: flex; align-items: center; justify-content: center; }\n"
        // As wide as its container allows, never wider than the frames, in their proportions.
        ".vm-spin { position: relative; width: 100%; max-width: " +
        QByteArray::number(options.width) + "px; aspect-ratio: " + QByteArray::number(options.width) + " / " +
        QByteArray::number(options.height) +
        "; cursor: grab; touch-action: pan-y; user-select: none; -webkit-user-select: none; outline: none; "
        "}\n"
        ".vm-spin.vm-dragging { cursor: grabbing; }\n"
        ".vm-spin:focus-visible { box-shadow: 0 0 0 2px #4a90d9; }\n"
        ".vm-spin img { display: block; width: 100%; height: 100%; object-fit: contain; "
        "pointer-events: none; -webkit-user-drag: none; }\n"
        "</style>\n</head>\n<body>\n";
    page += "<div class=\"vm-spin\" id=\"vm-spin\" tabindex=\"0\" role=\"img\" aria-label=\"";
    page += htmlEscaped(options.title).toUtf8();
    page += ", drag or use the arrow keys to turn\" data-frames=\"" +
            QByteArray::number(qsizetype(frames.size())) + "\" data-frame=\"0\"";
    if (options.autoTurn) page += " data-autoturn";
    page += "><img alt=\"\" width=\"" + QByteArray::number(options.width) + "\" height=\"" +
            QByteArray::number(options.height) + "\" draggable=\"false\"></div>\n<script>\nvar frames = [\n";
    const QByteArray prefix = QByteArray("\"data:") + mimeType + ";base64,";
    for (const QByteArray& frame : frames) page += prefix + frame.toBase64() + "\",\n";
    page += "];\n";
    page += kScript;
    page += "</script>\n</body>\n</html>\n";
    return page;
}

SpinPageWriter::SpinPageWriter(QString fileName, SpinPageOptions options)
    : m_fileName(std::move(fileName)), m_options(std::move(options)) {}

int SpinPageWriter::ImageSize() const {
    const int stride = m_options.transparent ? m_options.width * 4 : (m_options.width * 24 + 31) / 32 * 4;
    return stride * m_options.height;
}

AviResult SpinPageWriter::OpenVideo() {
    m_frames.clear();
    m_open = false;
    if (m_options.width < 1 || m_options.height < 1) {
        m_error = "The spin page's frames have no size.";
        return AVIERR_BADFORMAT;
    }
    // The folder is checked now, so a wrong path costs no drawing.
    const QFileInfo folder(QFileInfo(m_fileName).absolutePath());
    if (!folder.isDir() || !folder.isWritable()) {
        m_error = QString("The spin page %1 cannot be written: its folder %2.")
                      .arg(m_fileName, folder.isDir() ? "is not writable" : "does not exist");
        return AVIERR_FILEOPEN;
    }
    m_open = true;
    return AVIERR_OK;
}

AviResult SpinPageWriter::WriteFrame(const std::uint8_t* pixels) {
    if (!m_open || !pixels) {
        m_error = "The spin page is not open.";
        return AVIERR_BADPARAM;
    }
    const int width = m_options.width, height = m_options.height;
    QImage frame;
    if (m_options.transparent) {
        frame = QImage(pixels, width, height, width * 4, QImage::Format_ARGB32);
    } else {
        // Bitmap rows, bottom row first.
        const int stride = (width * 24 + 31) / 32 * 4;
        frame = QImage(pixels, width, height, stride, QImage::Format_BGR888).mirrored(false, true);
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, m_options.transparent ? "webp" : "jpeg");
    writer.setQuality(std::clamp(m_options.quality, 1, 100));
    if (!writer.write(frame)) {
        m_error = QString("Frame %1 of the spin page could not be encoded: %2")
                      .arg(m_frames.size() + 1)
                      .arg(writer.errorString());
        return AVIERR_INTERNAL;
    }
    m_frames.push_back(std::move(encoded));
    return AVIERR_OK;
}

bool SpinPageWriter::CloseVideo() {
    if (!m_open) return true;
    m_open = false;
    // A page cut short (a cancel, a failed frame) is not written.
    if (m_frames.empty() || (m_options.frames > 0 && int(m_frames.size()) != m_options.frames)) {
        m_error = QString("The spin page %1 was not written: %2 of its frames were drawn.")
                      .arg(m_fileName)
                      .arg(m_frames.size());
        m_frames.clear();
        return false;
    }
    QSaveFile file(m_fileName);
    const QByteArray page =
        SpinPageHtml(m_frames, m_options.transparent ? "image/webp" : "image/jpeg", m_options);
    m_frames.clear();
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size() || !file.commit()) {
        m_error = QString("The spin page %1 could not be written: %2").arg(m_fileName, file.errorString());
        return false;
    }
    return true;
}

}  // namespace vm
