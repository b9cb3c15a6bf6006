#pragma once
// How a text is set in 3D: which glyphs, and the moves between them. The
// layout speaks to a sink, so the drawing (display lists) and the tests
// (recorded moves) share one set of rules.

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

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

// The widths the lines are centred on: the advances of each line's
// characters, its line break not counted. Characters below code 27 break
// the line; a CR followed by LF (a typed line break, as stored) is one break.
std::vector<float> LineWidths(const QByteArray& codes, const std::array<GlyphMetric, kGlyphCount>& metrics);

// Lays out `codes` at the current position: every line centred on its own
// width, the block of lines centred vertically; each drawn character is
// preceded by the spacing offset and the twist, which accumulate from
// character to character; each line break steps down by the font's line
// height (in em) plus the line spacing, and sideways and in depth by the
// line spacing. Codes 27 to 30 are neither drawn nor breaks.
void LayOutText3D(const QByteArray& codes, const std::array<GlyphMetric, kGlyphCount>& metrics,
                  const TextLayoutValues& values, TextLayoutSink& sink, float lineHeight);

}  // namespace vm
