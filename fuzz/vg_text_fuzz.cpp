// Feeds fonts and text to the vector core: either arbitrary bytes as the font, or DejaVu Sans
// with bytes of its tables overwritten, then arbitrary strings drawn, measured and broken into
// rows at arbitrary sizes, blurs and spacings. Nothing may crash or leak, and every text vertex
// handed to the backend is finite with texture coordinates inside the atlas.
// What does not depend on the input is made once per process: the base font is read and checked
// once, and its patches are undone after each run instead of copying it anew. A run draws only
// the input's own text, so its work follows the input (the seed corpus holds the sample lines).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "VGFuzzBackend.h"
#include "graphics/renderer/FNTFontTables.h"
#include "graphics/renderer/VG.h"

namespace {

struct Input
{
  const uint8_t* data;
  size_t size;
  size_t pos = 0;

  uint8_t Byte() { return pos < size ? data[pos++] : 0; }
  unsigned U24() { return (unsigned)Byte() << 16 | (unsigned)Byte() << 8 | Byte(); }
  float F() { return (float)((int)Byte() - 16) * (float)(1 + Byte() % 8); }
};

// DejaVu Sans, read once; runs patch it in place and restore it (see Patches).
std::vector<unsigned char>& Base()
{
  static std::vector<unsigned char> base = [] {
    std::ifstream in("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
  }();
  return base;
}

// The base font's tables, checked once.
const FNTfontTables& BaseTables()
{
  static const FNTfontTables tables = [] {
    FNTfontTables t{};
    VGFuzzCheck(!Base().empty() && fntCheckFontData(Base().data(), (int)Base().size(), 0, &t) >= 0);
    return t;
  }();
  return tables;
}

// Bytes of the base font overwritten by one run, undone in reverse order when the run ends.
class Patches
{
public:
  ~Patches()
  {
    for (auto it = mUndo.rbegin(); it != mUndo.rend(); ++it)
      Base()[it->first] = it->second;
  }
  void Set(size_t at, unsigned char value)
  {
    mUndo.emplace_back(at, Base()[at]);
    Base()[at] = value;
  }

private:
  std::vector<std::pair<size_t, unsigned char>> mUndo;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  Input in{data, size};
  const uint8_t mode = in.Byte();
  std::string text(in.Byte(), '\0');
  for (char& c : text)
    c = (char)in.Byte();
  const float fontSize = in.F() / 8, blur = (float)(in.Byte() % 4), spacing = in.F() / 8, width = in.F();
  const int align = in.Byte();

  // The font: the rest of the input as it is, or the base font with table bytes overwritten.
  Patches patches; // declared before the context, so that the font is whole again after it
  unsigned char* font = nullptr;
  int length = 0;
  int freeData = 0;
  if (mode & 1) {
    length = (int)(size - in.pos);
    font = static_cast<unsigned char*>(std::malloc((size_t)length + 1));
    if (length > 0) std::memcpy(font, data + in.pos, (size_t)length);
    freeData = 1; // the context owns the copy
  } else {
    const FNTfontTables& t = BaseTables();
    const FNTtable tables[] = {t.cmap, t.head, t.hhea, t.hmtx, t.maxp, t.loca, t.glyf, t.kern};
    while (in.pos + 5 <= size) {
      const FNTtable& table = tables[in.Byte() % 8];
      const unsigned offset = in.U24() % table.length;
      patches.Set(table.offset + offset, in.Byte());
    }
    font = Base().data();
    length = (int)Base().size();
  }

  const VGparams params = VGFuzzBackend();
  VGcontext* ctx = vgCreateContext(&params);
  VGFuzzCheck(ctx != nullptr);
  vgBeginFrame(ctx, 800, 600, 1 + (mode >> 6));
  const int id = vgCreateFontMem(ctx, "f", font, length, freeData);
  if (id >= 0) {
    vgFontFaceId(ctx, id);
    vgFontSize(ctx, fontSize);
    vgFontBlur(ctx, blur);
    vgTextLetterSpacing(ctx, spacing);
    vgTextAlign(ctx, align);
    if (mode & 2) vgScale(ctx, 1 + (mode & 12), 0.5f);
    float bounds[4], asc = 0;
    VGtextRow rows[4];
    VGglyphPosition positions[8];
    vgText(ctx, 10, 20, text.c_str(), text.c_str() + text.size());
    vgTextBounds(ctx, 5, 5, text.c_str(), text.c_str() + text.size(), bounds);
    vgTextMetrics(ctx, &asc, nullptr, nullptr);
    vgTextGlyphPositions(ctx, 0, 0, text.c_str(), text.c_str() + text.size(), positions, 8);
    vgTextBreakLines(ctx, text.c_str(), text.c_str() + text.size(), width, rows, 4);
    vgTextBox(ctx, 0, 0, width, text.c_str(), text.c_str() + text.size());
    vgTextBoxBounds(ctx, 0, 0, width, text.c_str(), text.c_str() + text.size(), bounds);
  }
  vgEndFrame(ctx);
  vgDeleteContext(ctx);
  return 0;
}
