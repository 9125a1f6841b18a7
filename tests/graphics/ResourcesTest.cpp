#include "graphics/ResourceCaches.h"
#include "graphics/ResourceNames.h"
#include "graphics/controls/IBitmapControl.h"
#include "graphics/controls/IPanelControl.h"
#include "graphics/controls/ISVGControl.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/ResourceFolder.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

const char* kSvgText = "<svg width='40' height='20'><rect width='40' height='20' fill='red'/></svg>";

class ResourcesTest : public ::testing::Test
{
protected:
  std::vector<std::string> LookedUp() const
  {
    std::vector<std::string> names;
    for (const auto& l : folder.lookups)
      names.push_back(l.name);
    return names;
  }
  int BitmapEntries() const
  {
    std::lock_guard lock(BitmapCache().Mutex());
    return BitmapCache().NEntries();
  }
  APIBitmap* Cached(const char* name, double scale) const
  {
    std::lock_guard lock(BitmapCache().Mutex());
    return BitmapCache().Find(name, scale);
  }
  int SvgEntries() const
  {
    std::lock_guard lock(SVGCache().Mutex());
    return SVGCache().NEntries();
  }

  ResourceFolder folder;
  TestEditorDelegate dlg;
  std::unique_ptr<RecordingCanvas> g = std::make_unique<RecordingCanvas>(dlg);
  const int liveBitmaps = CountedBitmap::Live();
};

} // namespace

TEST(ResourceNames, ScaleOrderNameSplittingAndExtension)
{
  const struct
  {
    int target;
    std::vector<int> order;
  } orders[] = {{1, {1, 3, 2}},    {2, {2, 3, 1}}, {3, {3, 2, 1}},
                {4, {4, 3, 2, 1}}, {0, {1, 3, 2}}, {-5, {1, 3, 2}}};
  for (const auto& o : orders)
    EXPECT_EQ(ImageScaleOrder(o.target), o.order) << o.target;

  const struct
  {
    const char* name;
    int scale;
    const char* expected;
  } names[] = {{"knob.png", 1, "knob.png"},
               {"knob.png", 2, "knob@2x.png"},
               {"knob.big.png", 3, "knob.big@3x.png"},
               {"noext", 2, "noext@2x"},
               {"dir.v2/knob", 2, "dir.v2/knob@2x"},
               {"a.b\\c.d/knob.jpg", 2, "a.b\\c.d/knob@2x.jpg"},
               {"res\\v1.0\\knob", 3, "res\\v1.0\\knob@3x"},
               {"", 2, "@2x"}};
  plugin::StringBuf out;
  for (const auto& n : names) {
    ScaledResourceName(n.name, n.scale, out);
    EXPECT_STREQ(out.Get(), n.expected) << n.name;
  }

  EXPECT_EQ(BitmapExtension("knob.png"), "png");
  EXPECT_EQ(BitmapExtension("a.b.JPG"), "JPG");
  EXPECT_EQ(BitmapExtension("noext"), "noext");
  EXPECT_EQ(BitmapExtension(nullptr), "");
}

// Only the plain file exists: the search tries the 2x, 3x, then plain names; the 1x image is
// re-rendered at 2 through a layer and cached under (name, 2); a second load is a cache hit.
TEST_F(ResourcesTest, BitmapFoundOnlyAtAnotherScaleIsScaledOnceAndCached)
{
  folder.Write("knob.png");
  g->SetResourceSubPath("Shared");
  g->SetScreenScale(1.5f);
  g->ClearCalls();
  const IBitmap b = g->LoadBitmap("knob.png", 3, true, 2);
  EXPECT_EQ(LookedUp(), (std::vector<std::string>{"knob@2x.png", "knob@3x.png", "knob.png"}));
  EXPECT_EQ(folder.lookups[0], (ResourceFolder::Lookup{"knob@2x.png", "png", "", "Shared"}));
  ASSERT_EQ(g->Count("LoadAPIBitmap"), 1);
  EXPECT_EQ(g->CallsNamed("LoadAPIBitmap")[0],
            (CanvasCall{"LoadAPIBitmap", {1, 1}, folder.PathOf("knob.png")}));
  // The layer: 100 x 50 units at pixel scale 2, cacheable; the source drawn into it.
  EXPECT_EQ(g->CallsNamed("CreateAPIBitmap")[0], (CanvasCall{"CreateAPIBitmap", {200, 100, 2, 1, 1}, ""}));
  EXPECT_EQ(g->Count("DrawBitmap"), 1);
  ASSERT_TRUE(b.IsValid());
  EXPECT_EQ(b.GetScale(), 2.f);
  EXPECT_EQ(b.W(), 100);
  EXPECT_EQ(b.H(), 50);
  EXPECT_EQ(b.N(), 3);
  EXPECT_TRUE(b.GetFramesAreHorizontal());
  EXPECT_STREQ(b.GetResourceName(), "knob.png");
  EXPECT_EQ(Cached("knob.png", 2.0), b.GetAPIBitmap());
  EXPECT_EQ(Cached("knob.png", 1.0), nullptr);
  EXPECT_EQ(CountedBitmap::Live(), liveBitmaps + 1); // the 1x source is gone
  // Both scales come back exactly: the screen scale is not rounded up.
  EXPECT_EQ(g->GetScreenScale(), 1.5f);
  EXPECT_EQ(g->GetDrawScale(), 1.f);
  EXPECT_EQ(g->LayerStackDepth(), 0);

  folder.lookups.clear();
  g->ClearCalls();
  const IBitmap again = g->LoadBitmap("knob.png", 3, true, 2);
  EXPECT_EQ(again.GetAPIBitmap(), b.GetAPIBitmap());
  EXPECT_TRUE(folder.lookups.empty());
  EXPECT_EQ(g->Count("LoadAPIBitmap"), 0);

  // Target 0 is the screen scale rounded up (1.5 -> 2): the same entry.
  EXPECT_EQ(g->LoadBitmap("knob.png", 3, true, 0).GetAPIBitmap(), b.GetAPIBitmap());

  // The last context empties the cache with its bitmaps.
  g.reset();
  EXPECT_EQ(CountedBitmap::Live(), liveBitmaps);
  EXPECT_EQ(BitmapEntries(), 0);
}

TEST_F(ResourcesTest, BitmapAtTheTargetScaleIsLoadedAndRetainedAsIs)
{
  folder.Write("knob@2x.png");
  folder.Write("knob.png");
  const IBitmap b = g->LoadBitmap("knob.png", 1, false, 2);
  EXPECT_EQ(LookedUp(), (std::vector<std::string>{"knob@2x.png"}));
  EXPECT_EQ(g->CallsNamed("LoadAPIBitmap")[0],
            (CanvasCall{"LoadAPIBitmap", {2, 1}, folder.PathOf("knob@2x.png")}));
  EXPECT_EQ(g->Count("CreateAPIBitmap"), 0);
  EXPECT_EQ(Cached("knob.png", 2.0), b.GetAPIBitmap());
  EXPECT_EQ(BitmapEntries(), 1);

  // A file found at a scale the cache already holds: the cached bitmap, scaled; nothing read.
  folder.Write("dial@3x.png");
  g->LoadBitmap("dial.png", 1, false, 3);
  g->ClearCalls();
  const IBitmap dial = g->LoadBitmap("dial.png", 1, false, 1);
  EXPECT_EQ(g->Count("LoadAPIBitmap"), 0);
  EXPECT_EQ(g->Count("CreateAPIBitmap"), 1);
  EXPECT_EQ(dial.GetScale(), 1.f);
  EXPECT_NE(Cached("dial.png", 3.0), nullptr); // the source stays cached
}

TEST_F(ResourcesTest, FailedBitmapLoadsCacheNothing)
{
  const struct
  {
    const char* name;
    bool failDecode;
    bool anyLookup;
  } cases[] = {
      {"anim.gif", false, false}, // unsupported: no file is touched
      {"missing.png", false, true},
      {"broken.png", true, true},
      {"", false, false},
  };
  folder.Write("anim.gif");
  folder.Write("broken.png");
  for (const auto& c : cases) {
    folder.lookups.clear();
    g->failBitmapLoads = c.failDecode;
    const IBitmap b = g->LoadBitmap(c.name, 1, false, 1);
    EXPECT_FALSE(b.IsValid()) << c.name;
    EXPECT_EQ(b.W(), 0) << c.name;
    EXPECT_STREQ(b.GetResourceName(), "") << c.name;
    EXPECT_EQ(!folder.lookups.empty(), c.anyLookup) << c.name;
  }
  EXPECT_FALSE(g->LoadBitmap(nullptr).IsValid());
  EXPECT_EQ(BitmapEntries(), 0);
  EXPECT_EQ(CountedBitmap::Live(), liveBitmaps);

  // A file that is gone: a cached scale of the same name stands in, scaled to the target.
  g->failBitmapLoads = false;
  folder.Write("gone@3x.png");
  const IBitmap at3 = g->LoadBitmap("gone.png", 1, false, 3);
  folder.Remove("gone@3x.png");
  const IBitmap at1 = g->LoadBitmap("gone.png", 1, false, 1);
  ASSERT_TRUE(at1.IsValid());
  EXPECT_EQ(at1.GetScale(), 1.f);
  EXPECT_EQ(Cached("gone.png", 3.0), at3.GetAPIBitmap());
}

TEST_F(ResourcesTest, BitmapsFromMemory)
{
  const char bytes[] = "encoded";
  const IBitmap one = g->LoadBitmapFromMemory("mem.png", bytes, 7, 2, false, 1);
  EXPECT_EQ(g->CallsNamed("LoadAPIBitmapFromMemory")[0],
            (CanvasCall{"LoadAPIBitmapFromMemory", {7, 1}, "mem.png"}));
  EXPECT_EQ(Cached("mem.png", 1.0), one.GetAPIBitmap());

  // At 2 the 1x image is scaled and dropped; later loads are cache hits.
  const IBitmap two = g->LoadBitmapFromMemory("mem2.png", bytes, 7, 1, false, 2);
  EXPECT_EQ(two.GetScale(), 2.f);
  EXPECT_EQ(Cached("mem2.png", 1.0), nullptr);
  EXPECT_EQ(CountedBitmap::Live(), liveBitmaps + 2);
  g->ClearCalls();
  EXPECT_EQ(g->LoadBitmapFromMemory("mem2.png", nullptr, 0, 1, false, 2).GetAPIBitmap(), two.GetAPIBitmap());
  // Only at another scale in the cache: scaled from it, no decoding.
  EXPECT_EQ(g->LoadBitmapFromMemory("mem.png", nullptr, 0, 1, false, 3).GetScale(), 3.f);
  EXPECT_EQ(g->Count("LoadAPIBitmapFromMemory"), 0);

  // Unsupported, no data, or undecodable: empty, nothing cached.
  const int entries = BitmapEntries();
  EXPECT_FALSE(g->LoadBitmapFromMemory("x.gif", bytes, 7).IsValid());
  EXPECT_FALSE(g->LoadBitmapFromMemory("x.png", nullptr, 7).IsValid());
  EXPECT_FALSE(g->LoadBitmapFromMemory("x.png", bytes, 0).IsValid());
  g->failBitmapLoads = true;
  EXPECT_FALSE(g->LoadBitmapFromMemory("x.png", bytes, 7).IsValid());
  EXPECT_EQ(BitmapEntries(), entries);

  // Releasing deletes the cached image.
  g->ReleaseBitmap(one);
  EXPECT_EQ(Cached("mem.png", 1.0), nullptr);
  g->ReleaseBitmap(IBitmap()); // nothing to release
}

TEST_F(ResourcesTest, ScaledBitmapReloadsTheSameResourceAtTheScreenScale)
{
  folder.Write("strip.png");
  folder.Write("strip@2x.png");
  IBitmap strip = g->LoadBitmap("strip.png", 60, true, 1);
  g->SetScreenScale(1.25f);
  const IBitmap scaled = g->GetScaledBitmap(strip);
  EXPECT_EQ(scaled.GetScale(), 2.f);
  EXPECT_EQ(scaled.N(), 60);
  EXPECT_TRUE(scaled.GetFramesAreHorizontal());
  EXPECT_STREQ(scaled.GetResourceName(), "strip.png");
  EXPECT_EQ(scaled.W(), strip.W()); // the same size in drawing units
  IBitmap unnamed;
  EXPECT_FALSE(g->GetScaledBitmap(unnamed).IsValid());
}

TEST_F(ResourcesTest, SvgImagesLoadOnceAndFailuresCacheNothing)
{
  folder.Write("logo.svg", kSvgText);
  const ISVG logo = g->LoadSVG("logo.svg");
  ASSERT_TRUE(logo.IsValid());
  EXPECT_EQ(logo.W(), 40.f);
  EXPECT_EQ(folder.lookups[0], (ResourceFolder::Lookup{"logo.svg", "svg", "", ""}));
  {
    std::lock_guard lock(SVGCache().Mutex());
    EXPECT_EQ(SVGCache().Find("logo.svg", 1.0)->GetImage(), logo.GetImage());
  }
  folder.lookups.clear();
  EXPECT_EQ(g->LoadSVG("logo.svg").GetImage(), logo.GetImage()); // no file read
  EXPECT_TRUE(folder.lookups.empty());

  folder.Write("empty.svg", "");
  folder.Write("bad.svg", "<svg><g></svg>");
  folder.Write("html.svg", "<html/>");
  for (const char* name : {"missing.svg", "empty.svg", "bad.svg", "html.svg"})
    EXPECT_FALSE(g->LoadSVG(name).IsValid()) << name;
  EXPECT_FALSE(g->LoadSVG(nullptr).IsValid());
  EXPECT_EQ(SvgEntries(), 1);
}

TEST_F(ResourcesTest, SvgFromMemoryEndsAtTheFirstZeroByte)
{
  const std::string withTail = std::string(kSvgText) + std::string(1, '\0') + "garbage";
  const struct
  {
    const char* name;
    const char* data;
    int size;
    bool valid;
  } cases[] = {
      {"terminated, size 0", kSvgText, 0, true},
      {"zero within size", withTail.data(), static_cast<int>(withTail.size()), true},
      {"size cuts the text", kSvgText, 20, false},
      {"null data", nullptr, 100, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(g->LoadSVGFromMemory(c.name, c.data, c.size).IsValid(), c.valid) << c.name;
  EXPECT_EQ(SvgEntries(), 2);
  // A cached name is returned without parsing the new data.
  EXPECT_TRUE(g->LoadSVGFromMemory("terminated, size 0", nullptr, 0).IsValid());
}

TEST_F(ResourcesTest, RawResourcesAreReadWholeOrNotAtAll)
{
  folder.Write("data.bin", std::string("\x01\x00\x02", 3));
  plugin::ui::ResourceData data = g->LoadResource("data.bin", "bin");
  ASSERT_EQ(data.GetSize(), 3);
  EXPECT_EQ(data.Get()[2], 2);
  folder.Write("none.bin", "");
  EXPECT_EQ(g->LoadResource("none.bin", "bin").GetSize(), 0);
  EXPECT_EQ(g->LoadResource("missing.bin", "bin").GetSize(), 0);
  EXPECT_EQ(g->LoadResource(nullptr, "bin").GetSize(), 0);
  folder.foundLocation = 2; // not a file path: nothing is read
  EXPECT_EQ(g->LoadResource("data.bin", "bin").GetSize(), 0);
  // The image search accepts any location.
  plugin::StringBuf path;
  int scale = 0;
  folder.Write("img.png");
  EXPECT_EQ(g->SearchImageResource("img.png", "png", path, 1, scale), 2);
  EXPECT_EQ(scale, 1);
  EXPECT_EQ(g->SearchImageResource("nothing.png", "png", path, 1, scale), 0);
  EXPECT_EQ(scale, 0);
  EXPECT_STREQ(path.Get(), "");
}

TEST_F(ResourcesTest, FontsGoToTheRendererThenThePlatformCache)
{
  const int live = CountedFont::Live();
  const struct
  {
    const char* name;
    bool failPlatform, accept, cacheTakes;
    bool result;
    std::vector<std::string> ops;
    int cached;
  } cases[] = {
      {"accepted and cached",
       false,
       true,
       true,
       true,
       {"LoadPlatformFont", "LoadAPIFont", "CachePlatformFont"},
       1},
      {"accepted, the cache keeps none",
       false,
       true,
       false,
       true,
       {"LoadPlatformFont", "LoadAPIFont", "CachePlatformFont"},
       0},
      {"refused", false, false, true, false, {"LoadPlatformFont", "LoadAPIFont"}, 0},
      {"no platform font", true, true, true, false, {"LoadPlatformFont"}, 0},
  };
  for (const auto& c : cases) {
    g->ClearCalls();
    g->cachedFonts.clear();
    g->failFontLoads = c.failPlatform;
    g->acceptFonts = c.accept;
    g->cacheTakesFonts = c.cacheTakes;
    EXPECT_EQ(g->LoadFont("Roboto", "Roboto-Regular.ttf"), c.result) << c.name;
    std::vector<std::string> ops;
    for (const auto& call : g->calls)
      ops.push_back(call.op);
    EXPECT_EQ(ops, c.ops) << c.name;
    EXPECT_EQ(static_cast<int>(g->cachedFonts.size()), c.cached) << c.name;
    // Whatever the platform cache did not take has been deleted.
    EXPECT_EQ(CountedFont::Live(), live + c.cached) << c.name;
  }
  g->cachedFonts.clear();
  g->failFontLoads = false;
  g->acceptFonts = true;
  EXPECT_TRUE(g->LoadFont("Bold", "Roboto", ETextStyle::Bold));
  EXPECT_EQ(g->CallsNamed("LoadPlatformFontByName").back().text, "Roboto");
  const char bytes[] = "font";
  EXPECT_TRUE(g->LoadFontFromMemory("Mem", bytes, 4));
  g->acceptFonts = false;
  EXPECT_FALSE(g->LoadFontFromMemory("Mem2", bytes, 4));
  g->cachedFonts.clear();
  EXPECT_EQ(CountedFont::Live(), live);
}

TEST_F(ResourcesTest, GestureRegionsOutsideControls)
{
  std::vector<std::string> got;
  g->AddIdIfPresent(3); // an empty list stays empty
  g->AttachGestureRecognizerToRegion(IRECT(0, 0, 10, 10), 3, [&](IControl* c, const IGestureInfo& info) {
    got.push_back(std::string(c ? "control" : "null") + " " + std::to_string(int(info.x)));
  });
  g->AttachGestureRecognizerToRegion(IRECT(5, 5, 20, 20), 4,
                                     [&](IControl*, const IGestureInfo&) { got.push_back("second"); });
  g->AttachGestureRecognizerToRegion(IRECT(), 5,
                                     [&](IControl*, const IGestureInfo&) { got.push_back("zero"); });
  const struct
  {
    float x, y;
    bool responds;
    std::vector<std::string> calls;
  } cases[] = {
      {2, 2, true, {"null 2"}},   {7, 7, true, {"null 7"}}, // the first region in registration order
      {10, 2, false, {}},                                   // the right edge is outside
      {12, 12, true, {"second"}}, {0, 0, true, {"null 0"}},
      {-1, -1, false, {}}, // the all-zero region contains nothing
  };
  for (const auto& c : cases) {
    got.clear();
    EXPECT_EQ(g->RespondsToGesture(c.x, c.y), c.responds) << c.x;
    IGestureInfo info;
    info.x = c.x;
    info.y = c.y;
    EXPECT_EQ(g->OnGestureRecognized(info), !c.calls.empty()) << c.x;
    EXPECT_EQ(got, c.calls) << c.x;
  }
  g->ClearGestureRegions();
  EXPECT_FALSE(g->RespondsToGesture(2, 2));
}

TEST_F(ResourcesTest, BackgroundsAreInsertedFirst)
{
  folder.Write("bg.png");
  folder.Write("bg.svg", kSvgText);
  auto* first = new RecordingControl(IRECT(1, 1, 2, 2));
  g->AttachControl(first);
  g->AttachBackground("bg.png");
  auto* bitmapBg = dynamic_cast<IBitmapControl*>(g->GetControl(0));
  ASSERT_NE(bitmapBg, nullptr);
  EXPECT_EQ(bitmapBg->GetBounds(), IRECT(0, 0, 100, 50)); // one frame at the origin
  EXPECT_STREQ(bitmapBg->GetBitmap().GetResourceName(), "bg.png");
  EXPECT_EQ(bitmapBg->GetUI(), g.get());

  g->AttachSVGBackground("bg.svg");
  auto* svgBg = dynamic_cast<ISVGControl*>(g->GetControl(0));
  ASSERT_NE(svgBg, nullptr);
  EXPECT_EQ(svgBg->GetBounds(), IRECT(0, 0, 300, 200));
  EXPECT_TRUE(svgBg->GetSVG().IsValid());
  EXPECT_EQ(svgBg->GetUI(), g.get());

  g->AttachPanelBackground(IPattern(COLOR_RED));
  auto* panel = dynamic_cast<IPanelControl*>(g->GetControl(0));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->GetBounds(), IRECT(0, 0, 300, 200));
  EXPECT_EQ(panel->GetPattern().GetStop(0).mColor, COLOR_RED);
  EXPECT_FALSE(panel->GetDrawFrame());
  EXPECT_EQ(g->GetControl(3), first);
  EXPECT_EQ(g->NControls(), 4);
}
