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

std::vector<Placed> layOut(const QString& text, const TextLayoutValues& values = {}) {
    static const auto metrics = fakeMetrics();
    RecordingSink sink(metrics);
    LayOutText3D(TextCodes(text), metrics, values, sink);
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

TEST(TextLayout, EachTypedLineBreakRaisesTheTextAndStepsTwice) {
    const QString stored = StoredTextFromTyped("AB\nC\nD");
    EXPECT_EQ(stored, QString("AB\r\nC\r\nD"));
    EXPECT_EQ(LineBreakCount(TextCodes(stored)), 4);
    const auto placed = layOut(stored, lineSpacing(10, -60, 4));
    ASSERT_EQ(placed.size(), 4u);
    // The first line's width counts its line-break character.
    const float width = 0.5f + 0.5f + 0.25f;
    EXPECT_NEAR(placed[0].at.x(), -width / 2, 1e-5);
    EXPECT_NEAR(placed[0].at.y(), 0.15f * 4, 1e-5) << "two typed breaks raise by 0.3 each";
    // Each following line starts where the first did, moved by the line
    // spacing once per control character.
    EXPECT_NEAR(placed[2].at.x(), -width / 2 - 2 * 0.05f, 1e-5);
    EXPECT_NEAR(placed[2].at.y(), 0.6f - 2 * 0.3f, 1e-5);
    EXPECT_NEAR(placed[2].at.z(), 2 * 0.02f, 1e-5);
    EXPECT_NEAR(placed[3].at.x(), -width / 2 - 4 * 0.05f, 1e-5);
    EXPECT_NEAR(placed[3].at.y(), 0.6f - 4 * 0.3f, 1e-5);
    EXPECT_NEAR(placed[3].at.z(), 4 * 0.02f, 1e-5);
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
    // Their advances still count toward the first line's width.
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
