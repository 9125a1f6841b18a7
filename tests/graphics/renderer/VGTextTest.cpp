// Text in the vector core on the DejaVu fonts: loading and refusing fonts, metrics, advances,
// kerning, drawing, glyph sharing, atlas images, row breaking and bad input.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/renderer/FNTFont.h"
#include "graphics/renderer/FNTTypes.h"
#include "graphics/renderer/VGFontImages.h"
#include "graphics/renderer/VGTextSetup.h"
#include "support/ui/FontFiles.h"
#include "tests/graphics/renderer/VGTestSupport.h"

using vgtest::SameFloats;
using vgtest::SameVerts;
using vgtest::Verts;

namespace {

const std::string kSans = fonttest::DebianFontPath("DejaVuSans.ttf");
const std::string kMono = fonttest::DebianFontPath("DejaVuSansMono.ttf");
// DejaVu: ascent 1901, descent -483, no line gap; the mono advance is 1233 units.
const float kAscender = 1901.0f / 2384.0f;

// A context with DejaVu Sans (id 0) and DejaVu Sans Mono (id 1), the mono font at 20 units.
struct Fonts : vgtest::Context
{
  explicit Fonts(float ratio = 1.0f) : vgtest::Context(true, ratio)
  {
    // A missing font fails the test by name instead of leaving it without fonts.
    fonttest::RequireDebianFont("DejaVuSans.ttf");
    fonttest::RequireDebianFont("DejaVuSansMono.ttf");
    sans = vgCreateFont(ctx, "sans", kSans.c_str());
    mono = vgCreateFont(ctx, "mono", kMono.c_str());
    vgFontFaceId(ctx, mono);
    vgFontSize(ctx, 20);
  }
  int Glyphs(int font) const { return ctx->fs->fonts[font]->nglyphs; }
  int sans = -1, mono = -1;
};

std::vector<std::string> RowTexts(const VGtextRow* rows, int n, std::vector<float>* widths)
{
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) {
    out.emplace_back(rows[i].start, rows[i].end);
    widths->push_back(rows[i].width);
  }
  return out;
}

} // namespace

TEST(VGText, FontsLoadByNameAndBadDataIsRefused)
{
  Fonts f;
  ASSERT_EQ(f.sans, 0);
  ASSERT_EQ(f.mono, 1);
  const std::string longName(70, 'n');
  EXPECT_EQ(vgCreateFont(f, longName.c_str(), kSans.c_str()), 2);
  EXPECT_EQ(std::string(f->fs->fonts[2]->name), longName.substr(0, 63));
  EXPECT_EQ(vgCreateFont(f, "mono", kSans.c_str()), 3);
  EXPECT_EQ(vgFindFont(f, "mono"), 1); // the first of that name
  EXPECT_EQ(vgFindFont(f, "none"), -1);
  EXPECT_EQ(vgFindFont(f, nullptr), -1);
  EXPECT_EQ(vgCreateFont(f, "x", "/nonexistent.ttf"), -1);
  EXPECT_EQ(vgCreateFontAtIndex(f, "x", kSans.c_str(), 1), -1); // a single font has face 0 only

  // Refused data is freed when the atlas was to own it (the sanitizer build checks).
  const fonttest::Bytes sans = fonttest::ReadFile(kSans);
  ASSERT_GT(sans.size(), 1000u);
  const auto refuse = [&](fonttest::Bytes bytes) {
    unsigned char* owned = static_cast<unsigned char*>(std::malloc(bytes.size() + 1));
    std::copy(bytes.begin(), bytes.end(), owned);
    return vgCreateFontMem(f, "bad", owned, (int)bytes.size(), 1);
  };
  EXPECT_EQ(refuse(fonttest::Bytes(sans.begin(), sans.begin() + (long)sans.size() / 2)), -1);
  EXPECT_EQ(refuse(fonttest::Bytes(sans.begin(), sans.begin() + 200)), -1);
  EXPECT_EQ(refuse(fonttest::Bytes(4096, 0x41)), -1);
  EXPECT_EQ(refuse({}), -1);
  // Descent equal to the ascent: no height to divide by.
  fonttest::Bytes flat = sans;
  const uint32_t hhea = fonttest::TableOf(sans, "hhea").first;
  flat[hhea + 6] = flat[hhea + 4];
  flat[hhea + 7] = flat[hhea + 5];
  EXPECT_EQ(refuse(flat), -1);
  EXPECT_EQ(f->fs->nfonts, 4);

  // Fallbacks: twenty per font.
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(vgAddFallbackFontId(f, f.sans, f.mono), 1);
  EXPECT_EQ(vgAddFallbackFontId(f, f.sans, f.mono), 0);
  EXPECT_EQ(vgAddFallbackFontId(f, -1, f.mono), 0);
  EXPECT_EQ(vgAddFallbackFont(f, "mono", "sans"), 1);
  EXPECT_EQ(vgAddFallbackFont(f, "mono", "none"), 0);
}

TEST(VGText, MetricsAdvancesKerningAndBounds)
{
  Fonts f;
  float asc = 0, desc = 0, lineh = 0;
  vgTextMetrics(f, &asc, &desc, &lineh);
  EXPECT_TRUE(SameFloats(&asc, {kAscender * 20}));
  EXPECT_TRUE(SameFloats(&desc, {-483.0f / 2384 * 20}));
  EXPECT_TRUE(SameFloats(&lineh, {20}));

  // Mono at 20: advance (int)(1233 * 20 / 2384 + 0.5) = 10; 'm' sits 1 left of its pen position
  // and is 12 wide; the line runs from the ascender down by one line height.
  float b[4];
  EXPECT_EQ(vgTextBounds(f, 0, 0, "mmmm", nullptr, b), 40.0f);
  EXPECT_TRUE(SameFloats(b, {-1, -kAscender * 20, 41, 20 - kAscender * 20}));
  vgTextLetterSpacing(f, 1);
  EXPECT_EQ(vgTextBounds(f, 0, 0, "mmmm", nullptr, nullptr), 43.0f);
  vgTextLetterSpacing(f, 0);
  vgTextAlign(f, VG_ALIGN_RIGHT | VG_ALIGN_TOP);
  EXPECT_EQ(vgTextBounds(f, 100, 0, "mm", nullptr, b), 20.0f);
  EXPECT_TRUE(SameFloats(b, {79, 0, 101, 20}));

  // Sans at 40: 'A' and 'V' advance 24 each; their kerning of -131 units narrows "AV" by 1.
  vgTextAlign(f, VG_ALIGN_LEFT | VG_ALIGN_BASELINE);
  vgFontFaceId(f, f.sans);
  vgFontSize(f, 40);
  EXPECT_EQ(vgTextBounds(f, 0, 0, "A", nullptr, nullptr), 24.0f);
  EXPECT_EQ(vgTextBounds(f, 0, 0, "V", nullptr, nullptr), 24.0f);
  EXPECT_EQ(vgTextBounds(f, 0, 0, "AV", nullptr, nullptr), 47.0f);
  // Under a scale of 2 the glyphs are rendered at 80 and measured back in user units.
  vgScale(f, 2, 2);
  EXPECT_EQ(vgTextBounds(f, 0, 0, "A", nullptr, nullptr), 47.0f / 2);

  VGglyphPosition pos[3];
  vgResetTransform(f);
  vgFontFaceId(f, f.mono);
  vgFontSize(f, 20);
  ASSERT_EQ(vgTextGlyphPositions(f, 5, 0, "mmm", nullptr, pos, 2), 2);
  EXPECT_TRUE(SameFloats(&pos[1].x, {15, 14, 26}));
  EXPECT_EQ(pos[1].str[0], 'm');
}

TEST(VGText, DrawnQuadsSampleTheGlyphsPackedInTheAtlas)
{
  Fonts f;
  f.backend.log.clear();
  EXPECT_EQ(vgText(f, 10, 30, "Am", nullptr), 30.0f);
  // 'A' (15 x 17 with its padding) goes right of the white block, 'm' (14 x 14) right of it.
  const FNTatlasNode* n = f->fs->atlas->nodes;
  EXPECT_EQ(std::vector<int>({n[0].x, n[0].y, n[1].x, n[1].y, n[2].x, n[2].y, n[3].x, n[3].y}),
            std::vector<int>({0, 2, 2, 17, 17, 14, 31, 0}));
  ASSERT_EQ(f.backend.updates.size(), 1u);
  const testsupport::RecordedUpdate& u = f.backend.updates[0];
  EXPECT_EQ(std::vector<int>({u.image, u.x, u.y, u.w, u.h}),
            std::vector<int>({f->fontImages[0], 0, 0, 31, 17}));
  EXPECT_EQ(f.backend.log, (std::vector<std::string>{"updateTexture", "triangles"}));

  const testsupport::RecordedDraw& d = f.LastDraw();
  EXPECT_EQ(d.paint.image, f->fontImages[0]);
  ASSERT_EQ(d.verts.size(), 12u);
  // 'A': pen 10, baseline 30, offsets (-1, -14) inside the border, 13 x 15 texels from (3, 1).
  const float t = 1.0f / 512;
  EXPECT_TRUE(SameVerts(std::vector<VGvertex>(d.verts.begin(), d.verts.begin() + 6),
                        Verts({9, 16, 3 * t, t, 22, 31, 16 * t, 16 * t, 22, 16, 16 * t, t, //
                               9, 16, 3 * t, t, 9,  31, 3 * t,  16 * t, 22, 31, 16 * t, 16 * t})));
  EXPECT_EQ(f->textTriCount, 4);

  // The glyph's outer border stays clear; its body is drawn.
  const unsigned char* px = f.backend.textures.at(f->fontImages[0]).pixels.data();
  int border = 0, body = 0;
  for (int i = 0; i < 15; ++i)
    border += px[2 + i] + px[16 * 512 + 2 + i];
  for (int y = 2; y < 15; ++y)
    for (int x = 4; x < 15; ++x)
      body += px[y * 512 + x];
  EXPECT_EQ(border, 0);
  EXPECT_GT(body, 255 * 20);
}

TEST(VGText, SizesQuantisedAlikeShareGlyphs)
{
  Fonts f;
  vgText(f, 0, 0, "m", nullptr);
  vgFontSize(f, 20.04f);
  vgText(f, 0, 0, "m", nullptr);
  vgFontSize(f, 20);
  vgScale(f, 1.004f, 1.004f); // scale steps of 0.01
  vgText(f, 0, 0, "m", nullptr);
  EXPECT_EQ(f.Glyphs(f.mono), 1);
  vgFontSize(f, 20.1f);
  vgText(f, 0, 0, "m", nullptr);
  EXPECT_EQ(f.Glyphs(f.mono), 2);
  // A blur of 100 renders as 20: a padding of 22 on every side.
  vgFontBlur(f, 100);
  vgText(f, 0, 0, "m", nullptr);
  const FNTglyph& g = f->fs->fonts[f.mono]->glyphs[2];
  EXPECT_EQ(std::vector<int>({g.blur, g.x1 - g.x0, g.y1 - g.y0}), std::vector<int>({20, 10 + 44, 10 + 44}));
}

// The text scale is the transform's mean axis scale in steps of 0.01 (halves up), at most 4,
// times the device pixel ratio.
TEST(VGText, TextScaleMovesInHundredths)
{
  const struct
  {
    float sx, sy, ratio, scale;
  } cases[] = {
      {1.004f, 1.004f, 1, 1.00f}, {1.006f, 1.006f, 1, 1.01f}, {1.234f, 1.234f, 1, 1.23f},
      {0.996f, 0.996f, 1, 1.00f}, {1.0f, 1.5f, 1, 1.25f},     {0.57f, 0.57f, 1, 0.57f},
      {1.234f, 1.234f, 2, 2.46f}, {3.998f, 3.998f, 1, 4.00f}, {9.0f, 9.0f, 1, 4.00f},
  };
  for (const auto& c : cases) {
    Fonts f(c.ratio);
    vgScale(f, c.sx, c.sy);
    float scale = 0.f;
    float invscale = 0.f;
    ASSERT_TRUE(vgTextSetup(f, &scale, &invscale)) << c.sx << " " << c.sy;
    EXPECT_FLOAT_EQ(scale, c.scale) << c.sx << " " << c.sy << " ratio " << c.ratio;
    EXPECT_FLOAT_EQ(invscale, 1.f / c.scale);
  }
}

TEST(VGText, AtlasImagesGrowToTheMaximumAndCompact)
{
  Fonts f;
  std::string all;
  for (char c = 33; c < 127; ++c)
    all += c;
  vgFontSize(f, 300);
  vgText(f, 0, 0, all.c_str(), nullptr);
  std::vector<std::vector<int>> sizes;
  for (const auto& [id, tex] : f.backend.textures)
    sizes.push_back({tex.w, tex.h});
  EXPECT_EQ(sizes, (std::vector<std::vector<int>>{{512, 512}, {1024, 512}, {1024, 1024}, {2048, 1024}}));
  // Each image got its own batch of triangles.
  std::vector<int> images;
  for (const auto& d : f.backend.draws)
    images.push_back(d.paint.image);
  EXPECT_EQ(images, (std::vector<int>{1, 2, 3, 4}));

  vgEndFrame(f); // the image in use moves to slot 0, the smaller ones go
  EXPECT_EQ(std::vector<int>(f->fontImages, f->fontImages + 4), (std::vector<int>{4, 0, 0, 0}));
  EXPECT_EQ(f.backend.textures.size(), 1u);
  // A later frame grows from 2048 x 1024 to 2048 x 2048, and no further.
  vgBeginFrame(f, 800, 600, 1);
  vgFontSize(f, 450);
  vgText(f, 0, 0, all.c_str(), nullptr);
  while (vgAllocTextAtlas(f)) {
  }
  EXPECT_EQ(f->fontImageIdx, 3);
  for (int slot = 1; slot < 4; ++slot) {
    const testsupport::RecordedTexture& tex = f.backend.textures.at(f->fontImages[slot]);
    EXPECT_EQ(std::vector<int>({tex.w, tex.h}), std::vector<int>({2048, 2048})) << slot;
  }
}

TEST(VGText, TextTooSmallOrTooLargeForTheAtlasLeavesTheImagesAlone)
{
  for (float size : {0.01f, 0.0f, -5.0f}) {
    Fonts f;
    vgFontSize(f, size);
    VGtextRow rows[2];
    VGglyphPosition pos[2];
    EXPECT_EQ(vgText(f, 3, 4, "mm", nullptr), 3.0f);
    EXPECT_EQ(vgTextBounds(f, 3, 4, "mm", nullptr, nullptr), 0.0f);
    EXPECT_EQ(vgTextGlyphPositions(f, 3, 4, "mm", nullptr, pos, 2), 0);
    EXPECT_EQ(vgTextBreakLines(f, "mm", nullptr, 100, rows, 2), 0);
    EXPECT_TRUE(f.backend.draws.empty());
    EXPECT_EQ(f.backend.Count("createTexture"), 1);
  }
  // At the largest size (3276.7) 'A' is 2057 rows high: it advances but is never placed.
  Fonts f;
  vgFontSize(f, 1e30f);
  EXPECT_EQ(vgText(f, 3, 4, "AA", nullptr), 3.0f + 2 * 1695);
  EXPECT_EQ(f.backend.Count("createTexture"), 1);
  EXPECT_EQ(f->fontImageIdx, 0);
  const std::vector<VGvertex>& v = f.LastDraw().verts; // two quads of no area
  ASSERT_EQ(v.size(), 12u);
  for (size_t i = 0; i < v.size(); ++i)
    EXPECT_TRUE(v[i].x == v[i / 6 * 6].x && v[i].y == v[i / 6 * 6].y) << i;
}

TEST(VGText, RowsBreakAtSpacesNewlinesWordsAndCJK)
{
  // Mono at 10: every character advances 5 units.
  struct Case
  {
    const char* text;
    float width;
    std::vector<std::string> rows;
    std::vector<float> widths;
  };
  const Case cases[] = {
      {"ab cd", 100, {"ab cd"}, {25}},
      {"ab cd ef", 22, {"ab", "cd", "ef"}, {10, 10, 10}},
      {"  ab  ", 100, {"ab"}, {10}},
      {"a\r\nb", 100, {"a", "b"}, {5, 5}},
      {"a\n\rb", 100, {"a", "b"}, {5, 5}},
      {"a\n\nb", 100, {"a", "", "b"}, {5, 0, 5}},
      // A word longer than the row splits before the character that overflows.
      {"abcdefgh", 22, {"abcd", "efgh"}, {20, 20}},
      // Every CJK character is a break; the row ends before the one that starts the next.
      {"\xE4\xB8\x80\xE4\xB8\x81\xE4\xB8\x82", 12, {"\xE4\xB8\x80\xE4\xB8\x81", "\xE4\xB8\x82"}, {10, 5}},
  };
  Fonts f;
  vgFontSize(f, 10);
  for (const Case& c : cases) {
    VGtextRow rows[4];
    std::vector<float> widths;
    const int n = vgTextBreakLines(f, c.text, nullptr, c.width, rows, 4);
    EXPECT_EQ(RowTexts(rows, n, &widths), c.rows) << c.text;
    EXPECT_EQ(widths, c.widths) << c.text;
  }
  VGtextRow rows[1];
  EXPECT_EQ(vgTextBreakLines(f, "ab cd ef", nullptr, 22, rows, 1), 1);
  EXPECT_EQ(std::string(rows[0].next), "cd ef");
}

TEST(VGText, BoxesDrawRowsAlignedWithinTheirWidth)
{
  Fonts f;
  vgFontSize(f, 10);
  vgTextAlign(f, VG_ALIGN_CENTER | VG_ALIGN_TOP);
  vgTextBox(f, 100, 0, 22, "ab cd ef", nullptr);
  ASSERT_EQ(f.backend.draws.size(), 3u);
  // Centred rows of width 10 start 6 right of x, one line height (10) apart.
  EXPECT_EQ(vgCurrentState(f)->textAlign, VG_ALIGN_CENTER | VG_ALIGN_TOP);
  float b[4];
  vgTextBoxBounds(f, 100, 0, 22, "ab cd ef", nullptr, b);
  EXPECT_TRUE(SameFloats(b, {100, 0, 117, 30})); // (x, y) is always inside
  vgTextAlign(f, VG_ALIGN_TOP);                  // no horizontal alignment: nothing drawn
  vgTextBox(f, 100, 0, 22, "ab cd ef", nullptr);
  EXPECT_EQ(f.backend.draws.size(), 3u);
}

TEST(VGText, BadStringsAndNoFont)
{
  Fonts f;
  // Text that ends inside a UTF-8 sequence adds nothing for it.
  EXPECT_EQ(vgText(f, 0, 0, "A\xE2\x82", nullptr), 10.0f);
  EXPECT_EQ(f.LastDraw().verts.size(), 6u);
  // Null and empty strings draw an empty batch.
  EXPECT_EQ(vgText(f, 7, 0, nullptr, nullptr), 7.0f);
  EXPECT_EQ(vgText(f, 7, 0, "", nullptr), 7.0f);
  EXPECT_TRUE(f.LastDraw().verts.empty());

  vgFontFace(f, "none");
  EXPECT_EQ(vgCurrentState(f)->fontId, -1);
  const size_t draws = f.backend.draws.size();
  float b[4] = {9, 9, 9, 9}, asc = 9;
  VGtextRow rows[1];
  EXPECT_EQ(vgText(f, 7, 0, "m", nullptr), 7.0f);
  EXPECT_EQ(vgTextBounds(f, 7, 0, "m", nullptr, nullptr), 0.0f);
  vgTextMetrics(f, &asc, nullptr, nullptr);
  EXPECT_EQ(asc, 9.0f);
  EXPECT_EQ(vgTextBreakLines(f, "m", nullptr, 10, rows, 1), 0);
  vgTextBox(f, 0, 0, 10, "m", nullptr);
  vgTextBoxBounds(f, 0, 0, 10, "m", nullptr, b);
  EXPECT_TRUE(SameFloats(b, {0, 0, 0, 0}));
  EXPECT_EQ(f.backend.draws.size(), draws);
}

// An invalid UTF-8 sequence ends the text: drawing, bounds, glyph positions and rows all see only
// what comes before it.
TEST(VGText, AnInvalidUtf8SequenceEndsTheText)
{
  Fonts f;
  const auto seen = [&f](const char* s) { // each operation's result, in one line
    std::string out = std::to_string(vgText(f, 3, 20, s, nullptr));
    out += " " + std::to_string(f.LastDraw().verts.size());
    float b[4];
    out += " " + std::to_string(vgTextBounds(f, 3, 20, s, nullptr, b));
    for (float v : b)
      out += " " + std::to_string(v);
    VGglyphPosition positions[16];
    out += " " + std::to_string(vgTextGlyphPositions(f, 3, 20, s, nullptr, positions, 16));
    VGtextRow rows[4];
    std::vector<float> widths;
    for (const std::string& row : RowTexts(rows, vgTextBreakLines(f, s, nullptr, 1000, rows, 4), &widths))
      out += " [" + row + "]";
    return out;
  };
  // A byte no sequence starts with, a sequence broken by the next character, a surrogate.
  for (const auto& [text, before] : {std::pair{"A\xFFm", "A"}, {"A\xC3m", "A"}, {"ab\xED\xA0\x80!", "ab"}})
    EXPECT_EQ(seen(text), seen(before)) << text;
}
