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

// Whether the code at `i` ends a line: a break, except the LF of a CR LF pair.
bool endsLine(const QByteArray& codes, qsizetype i) {
    const auto code = static_cast<unsigned char>(codes[i]);
    if (!isLineBreak(code)) return false;
    return !(code == '\n' && i > 0 && codes[i - 1] == '\r');
}

}  // namespace

std::vector<float> LineWidths(const QByteArray& codes, const std::array<GlyphMetric, kGlyphCount>& metrics) {
    std::vector<float> widths(1, 0.0f);
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const auto code = static_cast<unsigned char>(codes[i]);
        if (endsLine(codes, i)) widths.push_back(0.0f);
        else if (!isLineBreak(code)) widths.back() += metrics[code].advance;
    }
    return widths;
}

void LayOutText3D(const QByteArray& codes, const std::array<GlyphMetric, kGlyphCount>& metrics,
                  const TextLayoutValues& v, TextLayoutSink& sink, float lineHeight) {
    if (codes.isEmpty()) return;
    const QByteArray text = codes.left(kMaxTextLength);
    const std::vector<float> widths = LineWidths(text, metrics);
    const float step = -lineHeight + 0.005f * v.lineSpacing[1];
    const auto breaks = float(widths.size() - 1);
    sink.translate(-0.5f * widths[0], -0.5f * step * breaks, 0);
    size_t line = 0;
    float lineAdvance = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        if (code >= 31) {
            lineAdvance += metrics[code].advance;
            sink.translate(0.005f * v.charSpacing[0], 0.005f * v.charSpacing[1], 0.005f * v.charSpacing[2]);
            sink.rotate(0.1f * v.twist[0], 1, 0, 0);
            sink.rotate(0.1f * v.twist[1], 0, 1, 0);
            sink.rotate(0.1f * v.twist[2], 0, 0, 1);
            sink.glyph(code);
        } else if (endsLine(text, i)) {
            // Back to the line's start, then to the next line's, centred on its width.
            const float recentre = 0.5f * widths[line] - 0.5f * widths[line + 1];
            sink.translate(-lineAdvance + recentre - 0.005f * v.lineSpacing[0], step, 0.005f * v.lineSpacing[2]);
            ++line;
            lineAdvance = 0;
        }
    }
}

}  // namespace vm
