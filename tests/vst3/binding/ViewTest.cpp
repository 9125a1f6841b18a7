// The editor view through the bundle: created only as "editor", refuses every platform type (the
// bundle installs no graphics factory: this system has no window system to embed it in), answers
// size, scale and constraint calls, and holds the plug-in while it lives.
#include "support/vst3/PlugFrame.h"
#include "tests/vst3/binding/KelmoBundle.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace kelmotest;

namespace {

class KelmoView : public KelmoBundleTest
{};

} // namespace

TEST_F(KelmoView, OnlyTheEditorViewIsCreated)
{
  EXPECT_EQ(kelmo.controller->createView("other"), nullptr);
  EXPECT_EQ(kelmo.controller->createView(""), nullptr);
  EXPECT_EQ(kelmo.controller->createView(nullptr), nullptr);
  IPtr<IPlugView> view = owned(kelmo.controller->createView(ViewType::kEditor));
  ASSERT_TRUE(view);
  FUnknownPtr<IPlugViewContentScaleSupport> scale(view);
  EXPECT_TRUE(scale);
  FUnknownPtr<IPlugView> same(view);
  EXPECT_EQ(same.getInterface(), view.get());
}

TEST_F(KelmoView, EveryPlatformTypeIsRefusedWithoutOpeningAnything)
{
  IPtr<IPlugView> view = owned(kelmo.controller->createView(ViewType::kEditor));
  ASSERT_TRUE(view);
  int parent = 0;
  for (FIDString type :
       {kPlatformTypeX11EmbedWindowID, kPlatformTypeNSView, kPlatformTypeHWND, "", "bogus"}) {
    EXPECT_EQ(view->isPlatformTypeSupported(type), kResultFalse) << type;
    EXPECT_EQ(view->attached(&parent, type), kResultFalse) << type;
  }
  EXPECT_EQ(view->isPlatformTypeSupported(nullptr), kResultFalse);
  EXPECT_EQ(view->attached(&parent, nullptr), kResultFalse);
  EXPECT_EQ(view->removed(), kResultOk); // removing a view never attached is harmless
}

TEST_F(KelmoView, SizeScaleAndConstraints)
{
  IPtr<IPlugView> view = owned(kelmo.controller->createView(ViewType::kEditor));
  ASSERT_TRUE(view);
  ViewRect size;
  ASSERT_EQ(view->getSize(&size), kResultOk);
  EXPECT_EQ(size.left, 0);
  EXPECT_EQ(size.top, 0);
  EXPECT_EQ(size.getWidth(), 899);
  EXPECT_EQ(size.getHeight(), 500);
  EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);
  EXPECT_EQ(view->canResize(), kResultFalse);

  ViewRect small(10, 20, 110, 120);
  ASSERT_EQ(view->checkSizeConstraint(&small), kResultOk);
  EXPECT_EQ(small.left, 10);
  EXPECT_EQ(small.getWidth(), 899);
  EXPECT_EQ(small.getHeight(), 500);
  ViewRect fits(0, 0, 1200, 700);
  ASSERT_EQ(view->checkSizeConstraint(&fits), kResultOk);
  EXPECT_EQ(fits.getWidth(), 1200);
  EXPECT_EQ(fits.getHeight(), 700);
  ViewRect huge(0, 0, 100000, 100000);
  ASSERT_EQ(view->checkSizeConstraint(&huge), kResultOk);
  EXPECT_EQ(huge.getWidth(), 2697);
  EXPECT_EQ(huge.getHeight(), 1500);
  EXPECT_EQ(view->checkSizeConstraint(nullptr), kInvalidArgument);

  EXPECT_EQ(view->onSize(nullptr), kResultOk);
  ViewRect host(0, 0, 1000, 600);
  EXPECT_EQ(view->onSize(&host), kResultOk);

  FUnknownPtr<IPlugViewContentScaleSupport> scale(view);
  ASSERT_TRUE(scale);
  EXPECT_EQ(scale->setContentScaleFactor(2.0f), kResultOk);
  EXPECT_EQ(scale->setContentScaleFactor(0.0f), kInvalidArgument);
  EXPECT_EQ(scale->setContentScaleFactor(std::numeric_limits<float>::quiet_NaN()), kInvalidArgument);

  // Keys reach the editor delegate, which takes none here.
  EXPECT_EQ(view->onKeyDown(u'a', 0, 0), kResultFalse);
  EXPECT_EQ(view->onKeyUp(u'a', 0, 0), kResultFalse);
}

TEST_F(KelmoView, TheViewHoldsThePlugInUntilItGoes)
{
  IPtr<IPlugView> view = owned(kelmo.controller->createView(ViewType::kEditor));
  ASSERT_TRUE(view);
  auto frame = owned(new PlugFrame);
  EXPECT_EQ(view->setFrame(frame.get()), kResultTrue);
  // The host lets go of the plug-in first: the view keeps it alive, then frees it.
  kelmo.Destroy();
  ViewRect size;
  EXPECT_EQ(view->getSize(&size), kResultOk);
  EXPECT_EQ(size.getWidth(), 899);
  view = nullptr;
}
