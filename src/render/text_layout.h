#pragma once
// How a text is set in 3D: which glyphs, and the moves between them. The
// layout speaks to a sink, so the drawing (display lists) and the tests
// (recorded moves) share one set of rules.

#include <QByteArray>
#include <QString>
#include <array>

#include "render/glyph_geometry.h"

namespace vm {

constexpr int kMaxTextLength = 29999;

// The moves of a layout, in the order they are made; none is undone.
class TextLayoutSink {
public:
    virtual ~TextLayoutSink() = default;
    virtual void translate(float x, float y, float z) = 0;
    virtual void rotate(float degrees, float x, float y, float z) = 0;
    // Draws the glyph of `code`; drawing it moves on by the glyph's advance.
    virtual void glyph(unsigned char code) = 0;
};

struct TextLayoutValues {
    std::array<float, 3> charSpacing{};  // per character, units of 0.005
    std::array<float, 3> twist{};        // per character, tenths of a degree about X, Y, Z
    std::array<float, 3> lineSpacing{};  // per line break, units of 0.005
};

// The 8-bit codes a text is drawn with: Latin-1 characters as they are, any
// other character as "?", cut after kMaxTextLength characters.
QByteArray TextCodes(const QString& text);

// A line break typed in an edit box arrives as a lone "\n"; the scene keeps
// it as the pair CR LF. Breaks already stored as pairs stay as they are.
QString StoredTextFromTyped(const QString& typed);
// The other way, for showing a stored text in an edit box.
QString TypedTextFromStored(const QString& stored);

// The width the text is centred on: the advances of the first line's
// characters, up to and including its line-break character.
float FirstLineWidth(const QByteArray& codes, const std::array<GlyphMetric, kGlyphCount>& metrics);
// Characters below code 27 each count as a line break.
int LineBreakCount(const QByteArray& codes);

// Lays out `codes` at the current position: centred on the first line's
// width, raised by 0.15 per line break; each drawn character is preceded by
// the spacing offset and the twist, which accumulate from character to
// character; each line break returns by the line's advance and steps by the
// line spacing. Codes 27 to 30 are neither drawn nor breaks.
void LayOutText3D(const QByteArray& codes, const std::array<GlyphMetric, kGlyphCount>& metrics,
                  const TextLayoutValues& values, TextLayoutSink& sink);

}  // namespace vm
