// The font atlas's own pieces: skyline packing, glyph hashing, blur, UTF-8 decoding, states.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/renderer/FNTAtlas.h"
#include "graphics/renderer/FNTBlur.h"
#include "graphics/renderer/FNTContext.h"
#include "graphics/renderer/FNTFont.h"
#include "graphics/renderer/FNTFonts.h"
#include "graphics/renderer/FNTGlyph.h"
#include "graphics/renderer/FNTText.h"
#include "graphics/renderer/FNTUtf8.h"
#include "support/ui/FontFiles.h"

namespace {

// Places rectangles in order; returns their positions (-1, -1 when refused) and the final nodes.
std::vector<int> Pack(int w, int h, const std::vector<std::pair<int, int>>& rects, std::vector<int>* nodes)
{
  FNTatlas* atlas = fntAllocAtlas(w, h, 2);
  std::vector<int> out;
  for (auto [rw, rh] : rects) {
    int x = -1, y = -1;
    if (!fntAtlasAddRect(atlas, rw, rh, &x, &y)) x = y = -1;
    out.insert(out.end(), {x, y});
  }
  for (int i = 0; i < atlas->nnodes; ++i)
    nodes->insert(nodes->end(), {atlas->nodes[i].x, atlas->nodes[i].y, atlas->nodes[i].width});
  fntDeleteAtlas(atlas);
  return out;
}

} // namespace

TEST(FNTAtlas, SkylinePlacements)
{
  struct Case
  {
    int w, h;
    std::vector<std::pair<int, int>> rects;
    std::vector<int> positions, nodes;
  };
  const Case cases[] = {
      // The lowest bottom wins; the covered node is shadowed, equal heights merge.
      {64, 32, {{10, 10}, {10, 5}, {10, 5}}, {0, 0, 10, 0, 20, 0}, {0, 10, 10, 10, 5, 20, 30, 0, 34}},
      // On equal bottoms the narrower node wins, though a wider one lies further right.
      {64,
       32,
       {{10, 5}, {4, 8}, {30, 5}, {20, 5}, {10, 3}},
       {0, 0, 10, 0, 14, 0, 44, 0, 0, 5},
       {0, 8, 14, 14, 5, 50}},
      // Reaching the bottom exactly is refused on a full-width node, taken on a narrower one.
      {16, 16, {{16, 16}, {16, 15}}, {-1, -1, 0, 0}, {0, 15, 16}},
      {16, 16, {{8, 4}, {8, 16}, {1, 1}}, {0, 0, 8, 0, 0, 4}, {0, 5, 1, 1, 4, 7, 8, 16, 8}},
      {16, 16, {{17, 1}, {1, 17}, {0, 4}}, {-1, -1, -1, -1, -1, -1}, {0, 0, 16}},
  };
  for (const Case& c : cases) {
    std::vector<int> nodes;
    EXPECT_EQ(Pack(c.w, c.h, c.rects, &nodes), c.positions);
    EXPECT_EQ(nodes, c.nodes);
  }
}

TEST(FNTAtlas, GlyphHashBuckets)
{
  EXPECT_EQ(fntHashInt('A'), 4294765453u);
  EXPECT_EQ(fntHashInt('A') & 255, 141u);
  EXPECT_EQ(fntHashInt(0x4E00) & 255, 240u);
}

TEST(FNTAtlas, BlurOfOneBrightPixel)
{
  // Coefficient for blur 1: (int)(65536 * (1 - exp(-2.3 / (0.57735 + 1)))) = 50287; two vertical
  // and horizontal passes, each forwards and backwards, borders forced to 0.
  std::vector<unsigned char> block(7 * 9, 0);
  block[3 * 9 + 3] = 255; // 7 x 7 inside rows 9 bytes apart
  fntBlur(block.data(), 7, 7, 9, 1);
  const int expected[7][7] = {{0, 0, 0, 0, 0, 0, 0},    {0, 0, 1, 4, 1, 0, 0},  {0, 1, 7, 17, 6, 1, 0},
                              {0, 5, 19, 45, 18, 4, 0}, {0, 1, 6, 18, 7, 1, 0}, {0, 0, 1, 4, 0, 0, 0},
                              {0, 0, 0, 0, 0, 0, 0}};
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x)
      EXPECT_EQ(block[y * 9 + x], expected[y][x]) << x << ", " << y;
  EXPECT_EQ(block[7] + block[8], 0); // outside the block
}

TEST(FNTAtlas, Utf8DecodingAcceptsValidAndRejectsInvalidSequences)
{
  struct Case
  {
    std::string bytes;
    std::vector<unsigned> codepoints; // completed characters until a reject
    bool rejected;
  };
  const Case cases[] = {{"A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5", {'A', 0xE9, 0x20AC, 0x1F3B5}, false},
                        {"\xC0\x80", {}, true},         // overlong
                        {"\xED\xA0\x80", {}, true},     // surrogate
                        {"\xF4\x90\x80\x80", {}, true}, // beyond U+10FFFF
                        {"\x80", {}, true},
                        {"A\xC3", {'A'}, false}}; // ends inside a sequence
  for (const Case& c : cases) {
    unsigned state = FNT_UTF8_ACCEPT, cp = 0;
    std::vector<unsigned> got;
    bool rejected = false;
    for (unsigned char b : c.bytes) {
      const unsigned s = fntDecodeUtf8(&state, &cp, b);
      if (s == FNT_UTF8_ACCEPT) got.push_back(cp);
      if (s == FNT_UTF8_REJECT) rejected = true;
      if (rejected) break;
    }
    EXPECT_EQ(got, c.codepoints) << c.bytes;
    EXPECT_EQ(rejected, c.rejected) << c.bytes;
  }
}

TEST(FNTAtlas, StateStackReportsMisuseAndKeepsItsDepth)
{
  FNTparams params{};
  params.width = params.height = 64;
  FNTcontext* ctx = fntCreateInternal(&params);
  ASSERT_NE(ctx, nullptr);
  std::vector<int> errors;
  fntSetErrorCallback(
      ctx, [](void* u, int error, int) { static_cast<std::vector<int>*>(u)->push_back(error); }, &errors);
  fntSetSize(ctx, 30);
  for (int i = 0; i < 21; ++i)
    fntPushState(ctx);
  EXPECT_EQ(ctx->nstates, FNT_MAX_STATES);
  fntSetSize(ctx, 1.0f / 0.0f); // ignored
  EXPECT_EQ(fntGetState(ctx)->size, 30.0f);
  for (int i = 0; i < 21; ++i)
    fntPopState(ctx);
  EXPECT_EQ(ctx->nstates, 1);
  EXPECT_EQ(errors, (std::vector<int>{FNT_STATES_OVERFLOW, FNT_STATES_OVERFLOW, FNT_STATES_UNDERFLOW,
                                      FNT_STATES_UNDERFLOW}));
  fntClearState(ctx);
  EXPECT_EQ(fntGetState(ctx)->size, 12.0f);
  EXPECT_EQ(fntGetState(ctx)->align, 0x41);
  fntDeleteInternal(ctx);
  params.width = 0;
  EXPECT_EQ(fntCreateInternal(&params), nullptr);
}

TEST(FNTAtlas, DrawingExpandingAndResettingThroughTheCallbacks)
{
  const std::string monoPath = fonttest::RequireDebianFont("DejaVuSansMono.ttf"); // before the context
  struct Calls
  {
    std::vector<int> resizes, updates, draws;
  } calls;
  FNTparams params{};
  params.width = params.height = 128;
  params.flags = FNT_ZERO_TOPLEFT;
  params.userPtr = &calls;
  params.renderResize = [](void* u, int w, int h) {
    static_cast<Calls*>(u)->resizes.insert(static_cast<Calls*>(u)->resizes.end(), {w, h});
    return 1;
  };
  params.renderUpdate = [](void* u, int* r, const unsigned char*) {
    static_cast<Calls*>(u)->updates.insert(static_cast<Calls*>(u)->updates.end(), r, r + 4);
  };
  params.renderDraw = [](void* u, const float*, const float*, const unsigned int*, int n) {
    static_cast<Calls*>(u)->draws.push_back(n);
  };
  FNTcontext* ctx = fntCreateInternal(&params);
  ASSERT_NE(ctx, nullptr);
  const int mono = fntAddFont(ctx, "mono", monoPath.c_str(), 0);
  ASSERT_EQ(mono, 0);
  fntSetSize(ctx, 20);
  EXPECT_EQ(fntDrawText(ctx, 0, 20, "mm", nullptr), 20.0f);
  EXPECT_TRUE(calls.draws.empty()); // pending until a flush
  // Debug view: background, atlas and one bar per skyline node, then the flush.
  const int nodes = ctx->atlas->nnodes;
  fntDrawDebug(ctx, 0, 0);
  EXPECT_EQ(calls.draws, std::vector<int>{12 + 6 + 6 + 6 * nodes});
  EXPECT_EQ(calls.updates, (std::vector<int>{0, 0, 16, 14}));

  // Expansion keeps the glyphs and adds the new width as free space.
  EXPECT_EQ(fntExpandAtlas(ctx, 256, 64), 1);
  EXPECT_EQ(calls.resizes, (std::vector<int>{256, 128}));
  const FNTatlasNode& last = ctx->atlas->nodes[ctx->atlas->nnodes - 1];
  EXPECT_EQ(std::vector<int>({last.x, last.y, last.width}), std::vector<int>({128, 0, 128}));
  EXPECT_EQ(std::vector<int>(ctx->dirtyRect, ctx->dirtyRect + 4), std::vector<int>({0, 0, 128, 14}));
  EXPECT_EQ(ctx->fonts[mono]->nglyphs, 1);
  // A reset empties the atlas and every glyph cache.
  EXPECT_EQ(fntResetAtlas(ctx, 64, 64), 1);
  EXPECT_EQ(ctx->fonts[mono]->nglyphs, 0);
  EXPECT_EQ(std::vector<int>({ctx->atlas->nnodes, ctx->atlas->nodes[1].x, ctx->atlas->nodes[1].width}),
            std::vector<int>({2, 2, 62}));
  EXPECT_EQ(fntResetAtlas(ctx, 0, 64), 0);
  fntDeleteInternal(ctx);
}
