#include "render/text_layout.h"

#include <QList>

namespace vm {

QByteArray TextCodes(const QString& text) {
    QByteArray codes;
    for (const char32_t c : text.toUcs4()) {
        if (codes.size() >= kMaxTextLength) break;
        codes.append(c <= 0xFF ? char(c) : '?');
    }
    return codes;
}

QString StoredTextFromTyped(const QString& typed) {
    QString stored;
    stored.reserve(typed.size() + typed.size() / 8);
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar c = typed[i];
        if (c == u'\n' && (i == 0 || typed[i - 1] != u'\r')) stored += u'\r';
        stored += c;
    }
    return stored;
}

QString TypedTextFromStored(const QString& stored) {
    QString typed = stored;
    typed.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return typed;
}

namespace {
bool isLineBreak(unsigned char code) { return code < 27; }
}  // namespace

float FirstLineWidth(const QByteArray& codes, const std::array<GlyphMetric, kGlyphCount>& metrics) {
    float width = 0;
    for (const char c : codes) {
        const auto code = static_cast<unsigned char>(c);
        width += metrics[code].advance;
        if (isLineBreak(code)) break;
    }
    return width;
}

int LineBreakCount(const QByteArray& codes) {
    int lines = 0;
    for (const char c : codes) lines += isLineBreak(static_cast<unsigned char>(c)) ? 1 : 0;
    return lines;
}

void LayOutText3D(const QByteArray& codes, const std::array<GlyphMetric, kGlyphCount>& metrics,
                  const TextLayoutValues& v, TextLayoutSink& sink) {
    if (codes.isEmpty()) return;
    const QByteArray text = codes.left(kMaxTextLength);
    sink.translate(-0.5f * FirstLineWidth(text, metrics), 0.15f * float(LineBreakCount(text)), 0);
    float lineAdvance = 0;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 31) {
            lineAdvance += metrics[code].advance;
            sink.translate(0.005f * v.charSpacing[0], 0.005f * v.charSpacing[1], 0.005f * v.charSpacing[2]);
            sink.rotate(0.1f * v.twist[0], 1, 0, 0);
            sink.rotate(0.1f * v.twist[1], 0, 1, 0);
            sink.rotate(0.1f * v.twist[2], 0, 0, 1);
            sink.glyph(code);
        } else if (isLineBreak(code)) {
            sink.translate(-lineAdvance - 0.005f * v.lineSpacing[0], 0.005f * v.lineSpacing[1],
                           0.005f * v.lineSpacing[2]);
            lineAdvance = 0;
        }
    }
}

}  // namespace vm
