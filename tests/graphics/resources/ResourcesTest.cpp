#include "graphics/attached/IBitmapControl.h"
#include "graphics/attached/IPanelControl.h"
#include "graphics/attached/ISVGControl.h"
#include "graphics/controls/IBKnobControl.h"
#include "graphics/resources/ResourceCaches.h"
#include "graphics/resources/ResourceNames.h"
#include "support/ui/CallTrace.h"
#include "support/ui/ResourceFolder.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <mutex>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

const char* kSvg = "<svg width='40' height='20'><rect width='40' height='20' fill='red'/></svg>";

class Resources : public ::testing::Test
{
protected:
  std::string Lookups() { return std::exchange(folder.lookups, ""); }
  static APIBitmap* Cached(const char* name, double scale)
  {
    std::lock_guard lock(BitmapCache().Mutex());
    return BitmapCache().Find(name, scale);
  }
  static int Entries()
  {
    std::lock_guard bitmaps(BitmapCache().Mutex());
    std::lock_guard svgs(SVGCache().Mutex());
    return BitmapCache().NEntries() + SVGCache().NEntries();
  }

  ResourceFolder folder;
  TestEditorDelegate dlg;
  std::unique_ptr<RecordingCanvas> g = std::make_unique<RecordingCanvas>(dlg);
  const int liveBitmaps = CountedBitmap::Live();
};

} // namespace

TEST(ResourceNames, ScaleOrderAndNames)
{
  const std::pair<int, std::vector<int>> orders[] = {
      {1, {1, 3, 2}}, {2, {2, 3, 1}}, {3, {3, 2, 1}}, {4, {4, 3, 2, 1}}, {0, {1, 3, 2}}};
  for (const auto& [target, order] : orders)
    EXPECT_EQ(ImageScaleOrder(target), order);
  const std::tuple<const char*, int, const char*> names[] = {
      {"knob.png", 1, "knob.png"},      {"knob.png", 2, "knob@2x.png"},
      {"a.b.png", 3, "a.b@3x.png"},     {"noext", 2, "noext@2x"},
      {"d.v2/knob", 2, "d.v2/knob@2x"}, {"a.b\\c.d/k.jpg", 2, "a.b\\c.d/k@2x.jpg"}};
  plugin::StringBuf out;
  for (const auto& [name, scale, expected] : names) {
    ScaledResourceName(name, scale, out);
    EXPECT_STREQ(out.Get(), expected);
  }
  EXPECT_EQ(BitmapExtension("a.b.JPG") + BitmapExtension("noext") + BitmapExtension(nullptr), "JPGnoext");
}

// Only the plain file exists: 2x, 3x, then the plain name are tried; the 1x image is re-rendered at
// 2 through a layer, cached under (name, 2) and dropped; later loads are cache hits.
TEST_F(Resources, BitmapFoundAtAnotherScaleIsScaledOnceAndCached)
{
  folder.Write("knob.png");
  g->SetResourceSubPath("Shared");
  g->SetScreenScale(1.5f);
  g->ClearCalls();
  const IBitmap b = g->LoadBitmap("knob.png", 3, true, 2);
  EXPECT_EQ(Lookups(), "knob@2x.png:png:Shared knob@3x.png:png:Shared knob.png:png:Shared");
  EXPECT_EQ(Trace(g->calls, {"PathTransformSetMatrix", "SetClipRegion", "PathClear", "UpdateLayer"}),
            "LoadAPIBitmap1,1'" + folder.PathOf("knob.png") +
                "' CreateAPIBitmap200,100,2,1,1 DrawBitmap0,0,100,50,0,0,100,50,1'knob.png'");
  EXPECT_EQ(Nums({b.GetScale(), double(b.W()), double(b.H()), double(b.N())}) + b.GetResourceName(),
            "2,100,50,3knob.png");
  EXPECT_TRUE(Cached("knob.png", 2.0) == b.GetAPIBitmap() && !Cached("knob.png", 1.0));
  EXPECT_EQ(CountedBitmap::Live(), liveBitmaps + 1);
  EXPECT_EQ(g->GetScreenScale(), 1.5f); // restored exactly, not rounded up
  EXPECT_EQ(g->LoadBitmap("knob.png", 3, true, 0).GetAPIBitmap(), b.GetAPIBitmap()); // 0: 1.5 rounded up
  EXPECT_EQ(Lookups(), "");
  g.reset(); // the last context empties the caches with their bitmaps
  EXPECT_TRUE(CountedBitmap::Live() == liveBitmaps && Entries() == 0);
}

TEST_F(Resources, BitmapSourcesInOrderAndFailuresCacheNothing)
{
  for (const char* name : {"knob@2x.png", "dial@3x.png", "gone@3x.png", "anim.gif", "broken.png"})
    folder.Write(name);
  const IBitmap knob = g->LoadBitmap("knob.png", 1, false, 2); // at the target: kept as loaded
  EXPECT_EQ(Cached("knob.png", 2.0), knob.GetAPIBitmap());
  g->LoadBitmap("dial.png", 1, false, 3);
  g->LoadBitmap("gone.png", 1, false, 3);
  folder.Remove("gone@3x.png");
  g->ClearCalls();
  // Found at a scale the cache holds: that bitmap, scaled. Gone: a cached scale stands in.
  EXPECT_EQ(g->LoadBitmap("dial.png", 1, false, 1).GetScale() +
                g->LoadBitmap("gone.png", 1, false, 1).GetScale(),
            2.f);
  EXPECT_EQ(g->Count("LoadAPIBitmap"), 0);
  const int entries = Entries();
  Lookups();
  for (const char* name : {"anim.gif", "", static_cast<const char*>(nullptr)}) // no file touched
    EXPECT_FALSE(g->LoadBitmap(name).IsValid());
  EXPECT_EQ(Lookups(), "");
  EXPECT_FALSE(g->LoadBitmap("missing.png", 1, false, 1).IsValid());
  g->failBitmapLoads = true;
  EXPECT_FALSE(g->LoadBitmap("broken.png", 1, false, 1).IsValid());
  EXPECT_TRUE(Entries() == entries && CountedBitmap::Live() == liveBitmaps + entries);

  // From memory: decoded at 1, scaled to the target; a cache hit needs no data; bad input is empty.
  g->failBitmapLoads = false;
  const char bytes[] = "encoded";
  const IBitmap mem = g->LoadBitmapFromMemory("mem.png", bytes, 7, 1, false, 2);
  EXPECT_TRUE(mem.GetScale() == 2.f && !Cached("mem.png", 1.0));
  EXPECT_EQ(g->LoadBitmapFromMemory("mem.png", nullptr, 0, 1, false, 2).GetAPIBitmap(), mem.GetAPIBitmap());
  EXPECT_EQ(g->LoadBitmapFromMemory("mem.png", nullptr, 0, 1, false, 3).GetScale(), 3.f);
  EXPECT_EQ(g->LoadBitmapFromMemory("m1.png", bytes, 7, 1, false, 1).GetScale(), 1.f);
  EXPECT_EQ(Trace(g->CallsNamed("LoadAPIBitmapFromMemory")),
            "LoadAPIBitmapFromMemory7,1'mem.png' LoadAPIBitmapFromMemory7,1'm1.png'");
  for (const auto& [name, data, size] :
       {std::tuple{"x.gif", bytes, 7}, {"x.png", nullptr, 7}, {"x.png", bytes, 0}})
    EXPECT_FALSE(g->LoadBitmapFromMemory(name, data, size).IsValid());
  g->ReleaseBitmap(mem);
  EXPECT_EQ(Cached("mem.png", 2.0), nullptr);

  g->SetScreenScale(1.25f); // the same resource at the screen scale rounded up, frames kept
  IBitmap strip = g->LoadBitmap("knob.png", 60, true, 1);
  const IBitmap scaled = g->GetScaledBitmap(strip);
  EXPECT_TRUE(scaled.GetAPIBitmap() == knob.GetAPIBitmap() && scaled.N() == 60 &&
              scaled.GetFramesAreHorizontal());
}

TEST_F(Resources, SvgImagesAndRawData)
{
  folder.Write("logo.svg", kSvg);
  folder.Write("empty.svg", "");
  folder.Write("bad.svg", "<svg><g></svg>");
  const ISVG logo = g->LoadSVG("logo.svg");
  EXPECT_TRUE(logo.W() == 40.f && Lookups() == "logo.svg:svg:");
  EXPECT_EQ(g->LoadSVG("logo.svg").GetImage(), logo.GetImage()); // no file read
  for (const char* name : {"missing.svg", "empty.svg", "bad.svg", static_cast<const char*>(nullptr)})
    EXPECT_FALSE(g->LoadSVG(name).IsValid());
  EXPECT_EQ(Lookups(), "missing.svg:svg: empty.svg:svg: bad.svg:svg:");
  // From memory the text ends at its first zero byte (within size when one is given).
  const std::string tail = std::string(kSvg) + std::string(1, '\0') + "<garbage";
  EXPECT_TRUE(g->LoadSVGFromMemory("a", kSvg, 0).IsValid());
  EXPECT_TRUE(g->LoadSVGFromMemory("b", tail.data(), static_cast<int>(tail.size())).IsValid());
  EXPECT_FALSE(g->LoadSVGFromMemory("c", kSvg, 20).IsValid() ||
               g->LoadSVGFromMemory("d", nullptr, 10).IsValid());
  EXPECT_TRUE(g->LoadSVGFromMemory("a", nullptr, 0).IsValid()); // cached: the data is not read
  EXPECT_EQ(Entries(), 3);

  folder.Write("data.bin", std::string("\x01\x00\x02", 3));
  folder.Write("none.bin", "");
  ResourceData data = g->LoadResource("data.bin", "bin");
  EXPECT_TRUE(data.GetSize() == 3 && data.Get()[2] == 2);
  for (const char* name : {"none.bin", "missing.bin", static_cast<const char*>(nullptr)})
    EXPECT_EQ(g->LoadResource(name, "bin").GetSize(), 0);
  folder.foundLocation = 2; // not a file path: not read, though the image search accepts it
  plugin::StringBuf path;
  int scale = 0;
  EXPECT_EQ(g->LoadResource("data.bin", "bin").GetSize(), 0);
  EXPECT_EQ(g->SearchImageResource("data.bin", "bin", path, 1, scale) * 10 + scale, 21);
}

TEST_F(Resources, FontsGoToTheRendererThenThePlatformCache)
{
  const int live = CountedFont::Live();
  // {platform font fails, renderer accepts, cache takes it, result, calls}
  const std::tuple<bool, bool, bool, bool, const char*> cases[] = {
      {false, true, true, true, "LoadPlatformFont LoadAPIFont CachePlatformFont"},
      {false, true, false, true, "LoadPlatformFont LoadAPIFont CachePlatformFont"},
      {false, false, true, false, "LoadPlatformFont LoadAPIFont"},
      {true, true, true, false, "LoadPlatformFont"}};
  for (const auto& [fail, accept, takes, result, ops] : cases) {
    g->ClearCalls();
    g->failFontLoads = fail;
    g->acceptFonts = accept;
    g->cacheTakesFonts = takes;
    EXPECT_EQ(g->LoadFont("Roboto", "Roboto-Regular.ttf"), result);
    std::string calls;
    for (const auto& call : g->calls)
      calls += (calls.empty() ? "" : " ") + call.op;
    EXPECT_EQ(calls, ops);
    EXPECT_EQ(CountedFont::Live(), live + int(g->cachedFonts.size())); // the rest is deleted
  }
  g->failFontLoads = false;
  EXPECT_TRUE(g->LoadFont("Bold", "Roboto", ETextStyle::Bold) && g->LoadFontFromMemory("Mem", "font", 4));
  EXPECT_EQ(g->Count("LoadPlatformFontByName") + g->Count("LoadPlatformFontFromMemory"), 2);
}

TEST_F(Resources, GestureRegionsAndBackgrounds)
{
  std::string got;
  g->AddIdIfPresent(3); // an empty list stays empty
  g->AttachGestureRecognizerToRegion(IRECT(0, 0, 10, 10), 3, [&](IControl* c, const IGestureInfo& i) {
    got += (c ? "?" : "a") + std::to_string(int(i.x));
  });
  g->AttachGestureRecognizerToRegion(IRECT(5, 5, 20, 20), 4,
                                     [&](IControl*, const IGestureInfo&) { got += "b"; });
  g->AttachGestureRecognizerToRegion(IRECT(), 5, [&](IControl*, const IGestureInfo&) { got += "zero"; });
  // Registration order wins; right and bottom edges are outside; an all-zero region holds nothing.
  for (const auto& [x, y] : {std::pair{2.f, 2.f}, {7, 7}, {10, 2}, {12, 12}, {0, 0}, {-1, -1}}) {
    IGestureInfo info;
    info.x = x;
    info.y = y;
    got += std::to_string(g->RespondsToGesture(x, y)) + std::to_string(g->OnGestureRecognized(info)) + " ";
  }
  EXPECT_EQ(got, "a211 a711 00 b11 a011 00 ");
  g->ClearGestureRegions();
  EXPECT_FALSE(g->RespondsToGesture(2, 2));

  folder.Write("bg.png");
  folder.Write("bg.svg", kSvg);
  g->AttachBackground("bg.png");
  g->AttachSVGBackground("bg.svg");
  g->AttachPanelBackground(IPattern(COLOR_RED));
  auto* panel = dynamic_cast<IPanelControl*>(g->GetControl(0));
  auto* svg = dynamic_cast<ISVGControl*>(g->GetControl(1));
  auto* bitmap = dynamic_cast<IBitmapControl*>(g->GetControl(2));
  ASSERT_TRUE(panel && svg && bitmap);
  EXPECT_EQ(bitmap->GetBounds(), IRECT(0, 0, 100, 50)); // one frame at the origin
  EXPECT_TRUE(svg->GetSVG().IsValid() && svg->GetBounds() == IRECT(0, 0, 300, 200) &&
              svg->GetUI() == g.get());
  EXPECT_TRUE(panel->GetPattern() == IPattern(COLOR_RED) && panel->GetBounds() == svg->GetBounds());
}

// {value, frames, frame}: the nearest frame, halves up; fewer than two frames (none included) show
// frame 1; out-of-range and NaN values are limited.
TEST(ResourceNames, BitmapFrameForTheValue)
{
  const std::tuple<double, int, int> cases[] = {
      {0.5, 60, 31}, {0.49, 60, 30}, {0, 60, 1},      {1, 60, 60},
      {0.5, 2, 2},   {0.7, 1, 1},    {0.7, 0, 1},     {0.7, -3, 1},
      {2, 60, 60},   {-1, 60, 1},    {1e300, 60, 60}, {std::numeric_limits<double>::quiet_NaN(), 60, 1}};
  for (const auto& [value, frames, frame] : cases)
    EXPECT_EQ(IBitmapBase::FrameForValue(value, frames), frame) << value << " of " << frames;
}

namespace {

// The last lookup the recording locator saw, "name:type:bundle:sub-path" with the handle kept.
std::string sLastLookup;
void* sLastHandle = nullptr;

int RecordingLocator(const char* name, const char* type, plugin::StringBuf& result, const char* bundleID,
                     void* handle, const char* subPath)
{
  sLastLookup = std::string(name) + ":" + type + ":" + bundleID + ":" + subPath;
  sLastHandle = handle;
  result.Set("/nowhere/found.bin");
  return kResourceFoundAsFile;
}

} // namespace

// The toolkit asks exactly the locator installed last, with the context's bundle, handle and
// sub-path; with none installed (or null installed) nothing is found, the result emptied.
TEST(ResourceLocator, TheInstalledLocatorIsAskedAndNoneFindsNothing)
{
  const ResourceLocator before = GetResourceLocator();
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg); // names a bundle and hands the locator a handle, as a platform's does
  g.bundleID = "test.bundle";
  g.platformResource = &g;
  g.SetResourceSubPath("Sub");

  SetResourceLocator(&RecordingLocator);
  EXPECT_EQ(GetResourceLocator(), &RecordingLocator);
  EXPECT_EQ(g.LoadResource("data.bin", "bin").GetSize(), 0); // found, but no such file to read
  EXPECT_EQ(sLastLookup, "data.bin:bin:test.bundle:Sub");
  EXPECT_EQ(sLastHandle, &g);

  SetResourceLocator(nullptr);
  EXPECT_EQ(GetResourceLocator(), &LocateNoResource);
  plugin::StringBuf path("left over");
  EXPECT_EQ(LocateResource("data.bin", "bin", path, "test.bundle", nullptr, "Sub"), kResourceNotFound);
  EXPECT_STREQ(path.Get(), "");
  sLastLookup.clear();
  EXPECT_TRUE(g.LoadBitmap("knob.png").GetAPIBitmap() == nullptr);
  EXPECT_EQ(sLastLookup, ""); // the earlier locator is out of the way

  {
    ResourceFolder folder; // a test folder takes over while it lives, then gives way again
    EXPECT_NE(GetResourceLocator(), &LocateNoResource);
  }
  EXPECT_EQ(GetResourceLocator(), &LocateNoResource);
  SetResourceLocator(before);
}
