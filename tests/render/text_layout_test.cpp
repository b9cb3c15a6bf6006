// Where the layout puts each glyph of a text.

#include <gtest/gtest.h>

#include <QMatrix4x4>

#include "render/text_layout.h"

using namespace vm;

namespace {

struct Placed {
    unsigned char code;
    QVector3D at;
};

// Follows the moves with a matrix and notes where each glyph starts.
struct RecordingSink : TextLayoutSink {
    explicit RecordingSink(const std::array<GlyphMetric, kGlyphCount>& m) : metrics(m) {}
    void translate(float x, float y, float z) override { matrix.translate(x, y, z); }
    void rotate(float degrees, float x, float y, float z) override { matrix.rotate(degrees, x, y, z); }
    void glyph(unsigned char code) override {
        placed.push_back({code, matrix.map(QVector3D(0, 0, 0))});
        matrix.translate(metrics[code].advance, 0, 0);
    }
    const std::array<GlyphMetric, kGlyphCount>& metrics;
    QMatrix4x4 matrix;
    std::vector<Placed> placed;
};

// Every printable code 0.5 wide; the line-break characters 0.25.
std::array<GlyphMetric, kGlyphCount> fakeMetrics() {
    std::array<GlyphMetric, kGlyphCount> m{};
    for (int c = 0; c < kGlyphCount; ++c) m[size_t(c)].advance = c < 32 ? 0.25f : 0.5f;
    m['i'].advance = 0.2f;
    return m;
}

constexpr float kLineHeight = 1.25f;

std::vector<Placed> layOut(const QString& text, const TextLayoutValues& values = {}) {
    static const auto metrics = fakeMetrics();
    RecordingSink sink(metrics);
    LayOutText3D(TextCodes(text), metrics, values, sink, kLineHeight);
    return sink.placed;
}

TextLayoutValues lineSpacing(float x, float y, float z) {
    TextLayoutValues v;
    v.lineSpacing = {x, y, z};
    return v;
}

}  // namespace

TEST(TextLayout, OneLineIsCentredAndNotRaised) {
    const auto placed = layOut("AiB");
    ASSERT_EQ(placed.size(), 3u);
    const float width = 0.5f + 0.2f + 0.5f;
    EXPECT_FLOAT_EQ(placed[0].at.x(), -width / 2);
    EXPECT_FLOAT_EQ(placed[1].at.x(), -width / 2 + 0.5f);
    EXPECT_FLOAT_EQ(placed[2].at.x(), -width / 2 + 0.7f);
    for (const Placed& p : placed) EXPECT_FLOAT_EQ(p.at.y(), 0.0f);
    EXPECT_TRUE(layOut("").empty());
}

// Every line is centred on its own width, a line below the other by the
// font's line height plus the spacing, the block centred on the origin; the
// lines never overlap at New's spacing (-60).
TEST(TextLayout, EveryLineIsCentredAndStepsDownByItsHeightPlusTheSpacing) {
    const QString stored = StoredTextFromTyped("AAAA\nC\nDi");
    EXPECT_EQ(stored, QString("AAAA\r\nC\r\nDi"));
    const struct {
        TextLayoutValues values;
        float step;  // baseline to baseline
    } cases[] = {{lineSpacing(0, -60, 0), kLineHeight + 0.3f},
                 {lineSpacing(0, 0, 0), kLineHeight},
                 {lineSpacing(10, 40, 4), kLineHeight - 0.2f}};
    for (const auto& c : cases) {
        const auto placed = layOut(stored, c.values);
        ASSERT_EQ(placed.size(), 7u);
        const Placed* lineStarts[] = {&placed[0], &placed[4], &placed[5]};
        const float widths[] = {2.0f, 0.5f, 0.7f};
        for (int line = 0; line < 3; ++line) {
            SCOPED_TRACE(line);
            // Sideways and in depth the spacing moves each line once.
            EXPECT_NEAR(lineStarts[line]->at.x(), -widths[line] / 2 - line * 0.005f * c.values.lineSpacing[0], 1e-5);
            EXPECT_NEAR(lineStarts[line]->at.y(), c.step * (1 - line), 1e-5);
            EXPECT_NEAR(lineStarts[line]->at.z(), line * 0.005f * c.values.lineSpacing[2], 1e-5);
        }
    }
    EXPECT_EQ(LineWidths(TextCodes("AB\rC\nD"), fakeMetrics()).size(), 3u) << "a lone CR or LF breaks too";
}

TEST(TextLayout, CodesBelowThirtyOneAreNotDrawnAndOnlyBelowTwentySevenBreak) {
    QString text = "A";
    text += QChar(28);
    text += QChar(30);
    text += "B";
    const auto placed = layOut(text);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_FLOAT_EQ(placed[0].at.y(), 0.0f);
    EXPECT_FLOAT_EQ(placed[1].at.y(), 0.0f);
    // Their advances still count toward the line's width.
    EXPECT_FLOAT_EQ(placed[0].at.x(), -(0.5f + 0.25f + 0.25f + 0.5f) / 2);
    EXPECT_FLOAT_EQ(placed[1].at.x() - placed[0].at.x(), 0.5f);
    // Code 31 is drawn.
    EXPECT_EQ(layOut(QString(QChar(31))).size(), 1u);
}

TEST(TextLayout, SpacingAndTwistAccumulateFromCharacterToCharacter) {
    TextLayoutValues spaced;
    spaced.charSpacing = {100, 0, 0};  // 0.5 each
    const auto placed = layOut("AAA", spaced);
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_FLOAT_EQ(placed[0].at.x(), -0.75f + 0.5f);
    EXPECT_FLOAT_EQ(placed[1].at.x(), -0.75f + 0.5f + 0.5f + 0.5f);
    EXPECT_FLOAT_EQ(placed[2].at.x(), -0.75f + 3 * 0.5f + 2 * 0.5f);

    TextLayoutValues twisted;
    twisted.twist = {0, 0, 900};  // 90 degrees about Z per character
    const auto turned = layOut("AAA", twisted);
    ASSERT_EQ(turned.size(), 3u);
    // The first glyph turns a quarter, so its advance carries the second one up,
    // the second a half, so the third comes back down on the left.
    EXPECT_NEAR(turned[1].at.x(), turned[0].at.x(), 1e-5);
    EXPECT_NEAR(turned[1].at.y(), turned[0].at.y() + 0.5f, 1e-5);
    EXPECT_NEAR(turned[2].at.x(), turned[1].at.x() - 0.5f, 1e-5);
}

TEST(TextLayout, CharacterCodesFollowLatinOneAndLongTextsAreCut) {
    const QByteArray codes = TextCodes(QString::fromUtf8("Café Müller"));
    ASSERT_EQ(codes.size(), 11);
    EXPECT_EQ(static_cast<unsigned char>(codes[3]), 0xE9);
    EXPECT_EQ(static_cast<unsigned char>(codes[6]), 0xFC);
    EXPECT_EQ(layOut(QString::fromUtf8("Café")).size(), 4u) << "accented letters are drawn, not breaks";
    EXPECT_EQ(TextCodes(QString::fromUtf8("日本")), QByteArray("??"));
    EXPECT_EQ(TextCodes(QString::fromUtf8("a\U0001F600b")), QByteArray("a?b")) << "one ? per character";

    const QString longText(kMaxTextLength + 6, u'x');
    EXPECT_EQ(TextCodes(longText).size(), kMaxTextLength);
    EXPECT_EQ(layOut(longText).size(), size_t(kMaxTextLength));

    EXPECT_EQ(StoredTextFromTyped("a\r\nb"), QString("a\r\nb")) << "pairs stay pairs";
    EXPECT_EQ(TypedTextFromStored(StoredTextFromTyped("x\ny\n")), QString("x\ny\n"));
}
