// What the plug-in object tells the host and keeps from it, observed on an object built directly
// (these calls come from the editor side, which the bundle has no way to drive): edit gestures,
// restarts, the channel context, editor resizes through the view's frame, and the key rule of
// one host.
#include "framework/text/UnicodeCodec.h"
#include "support/vst3/ComponentHandler.h"
#include "support/vst3/PlugFrame.h"
#include "tests/vst3/binding/DirectKelmo.h"
#include "tools/vst3host/AttributeList.h"
#include "tools/vst3host/HostApplication.h"
#include "tools/vst3host/MemoryStream.h"
#include "vst3/IPluginVST3View.h"

#include "pluginterfaces/vst/ivstchannelcontextinfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace plugin::testhost;
using namespace kelmotest;
using Kind = ComponentHandler::Kind;

namespace {

// The compressor built directly, initialised, with a recording component handler.
class HostSide : public ::testing::Test
{
protected:
  void SetUp() override
  {
    plug = DirectKelmo::Make();
    host = owned(new HostApplication("Kelmo Test Host"));
    ASSERT_EQ(plug->initialize(host.get()), kResultOk);
    handler = owned(new ComponentHandler);
    ASSERT_EQ(plug->setComponentHandler(handler.get()), kResultTrue);
  }
  void TearDown() override { plug->terminate(); }

  std::string TrackName()
  {
    plugin::StringBuf name;
    plug->GetTrackName(name);
    return name.Get();
  }

  IPtr<DirectKelmo> plug;
  IPtr<HostApplication> host;
  IPtr<ComponentHandler> handler;
};

} // namespace

TEST_F(HostSide, EditorGesturesReachTheHostAsBeginPerformEnd)
{
  plug->BeginInformHostOfParamChangeFromUI(25);
  plug->SendParameterValueFromUI(25, 0.75);
  plug->EndInformHostOfParamChangeFromUI(25);
  const auto calls = handler->calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].kind, Kind::Begin);
  EXPECT_EQ(calls[0].id, 25u);
  EXPECT_EQ(calls[1].kind, Kind::Perform);
  EXPECT_EQ(calls[1].value, 0.75);
  EXPECT_EQ(calls[2].kind, Kind::End);
  // The plug-in parameter and the host-side parameter object both follow the editor.
  EXPECT_EQ(plug->GetParam(25)->Value(), 8.0);
  EXPECT_EQ(plug->getParamNormalized(25), 0.75);
}

TEST_F(HostSide, LinkedTwinsOfEditorEditsReachTheHostAsSaved)
{
  // The editor moves a parameter while the channels' controls are linked; the host must be told
  // the twin's new value, and what it was told must be what the state saves.
  struct Case
  {
    ParamID id;
    double normalized;
    ParamID twin;
  };
  const Case cases[] = {
      {2, 0.3, 10},  // "L Threshold" to "R Threshold"
      {12, 0.8, 4},  // "R Attack" to "L Attack"
      {14, 0.01, 6}, // "R Sidechain Frequency" to the left one, whose range ends higher
      {29, 0.0, 30}, // "Triode / Pentode", left to right
  };
  ASSERT_EQ(plug->setParamNormalized(23, 1.0), kResultOk); // "Link Channel Controls", from the host
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    handler->clear();
    plug->BeginInformHostOfParamChangeFromUI(static_cast<int>(c.id));
    plug->SendParameterValueFromUI(static_cast<int>(c.id), c.normalized);
    plug->EndInformHostOfParamChangeFromUI(static_cast<int>(c.id));
    std::map<ParamID, double> told; // the host's copy: the last value performed for each id
    for (const auto& call : handler->calls())
      if (call.kind == Kind::Perform) told[call.id] = call.value;
    auto state = owned(new MemoryStream);
    ASSERT_EQ(static_cast<IComponent*>(plug.get())->getState(state.get()), kResultOk);
    double saved = 0.0;
    std::memcpy(&saved, state->bytes().data() + c.twin * sizeof(double), sizeof saved);
    const double savedNormalized = plug->plainParamToNormalized(c.twin, saved);
    ASSERT_EQ(told.count(c.twin), 1u) << "the host was not told of the twin";
    EXPECT_NEAR(told[c.twin], savedNormalized, 1e-12);
    EXPECT_NEAR(plug->getParamNormalized(c.twin), savedNormalized, 1e-12);
  }
}

TEST_F(HostSide, AllValuesGoAsOneGroupedEdit)
{
  plug->GetParam(2)->Set(10.0); // changed behind the controller's back
  plug->InformHostOfAllParamValuesFromUI();
  const auto calls = handler->calls();
  ASSERT_EQ(calls.size(), static_cast<size_t>(kNumParams) + 2);
  EXPECT_EQ(calls.front().kind, Kind::StartGroup);
  EXPECT_EQ(calls.back().kind, Kind::FinishGroup);
  EXPECT_EQ(calls[3].kind, Kind::Perform);
  EXPECT_EQ(calls[3].id, 2u);
  EXPECT_NEAR(calls[3].value, 10.0 / 36.0, 1e-12);
  EXPECT_NEAR(plug->getParamNormalized(2), 10.0 / 36.0, 1e-12);
}

TEST_F(HostSide, LatencyAndTitleChangesAskTheHostToRestart)
{
  plug->SetLatency(64);
  EXPECT_EQ(plug->getLatencySamples(), 64u);
  plug->InformHostOfParameterDetailsChange();
  const auto calls = handler->calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, Kind::Restart);
  EXPECT_EQ(calls[0].flags, kLatencyChanged);
  EXPECT_EQ(calls[1].flags, kParamTitlesChanged);

  // Without a handler nothing is sent and nothing breaks.
  ASSERT_EQ(plug->setComponentHandler(nullptr), kResultTrue);
  plug->SetLatency(0);
  plug->InformHostOfParameterDetailsChange();
  EXPECT_EQ(handler->calls().size(), 2u);
}

TEST_F(HostSide, ChannelContextIsKeptAsFarAsItCanBeRead)
{
  using namespace ChannelContext;
  FUnknownPtr<IInfoListener> listener(static_cast<IAudioProcessor*>(plug.get()));
  ASSERT_TRUE(listener);
  EXPECT_EQ(listener->setChannelContextInfos(nullptr), kResultFalse);

  auto list = owned(new AttributeList);
  list->setText(kChannelNameKey, "Lead Vocal \xCE\xBC Bus"); // 16 units: cut if sizes were units
  list->setInt(kChannelNameLengthKey, 16);
  list->setInt(kChannelColorKey, 0xFF336699);
  list->setInt(kChannelIndexKey, 7);
  list->setText(kChannelIndexNamespaceKey, "Mixer");
  list->setInt(kChannelIndexNamespaceOrderKey, 2);
  ASSERT_EQ(listener->setChannelContextInfos(list.get()), kResultOk);
  EXPECT_EQ(TrackName(), "Lead Vocal \xCE\xBC Bus");
  int r = 0, g = 0, b = 0;
  plug->GetTrackColor(r, g, b);
  EXPECT_EQ(r, 0x33);
  EXPECT_EQ(g, 0x66);
  EXPECT_EQ(b, 0x99);
  EXPECT_EQ(plug->GetTrackIndex(), 7);
  plugin::StringBuf ns;
  plug->GetTrackNamespace(ns);
  EXPECT_STREQ(ns.Get(), "Mixer"); // no length given: read into a buffer of fixed size
  EXPECT_EQ(plug->GetTrackNamespaceIndex(), 2);

  // Only a colour: the name stays.
  auto colourOnly = owned(new AttributeList);
  colourOnly->setInt(kChannelColorKey, 0x00102030);
  ASSERT_EQ(listener->setChannelContextInfos(colourOnly.get()), kResultOk);
  plug->GetTrackColor(r, g, b);
  EXPECT_EQ(r, 0x10);
  EXPECT_EQ(g, 0x20);
  EXPECT_EQ(b, 0x30);
  EXPECT_EQ(TrackName(), "Lead Vocal \xCE\xBC Bus");

  // Negative and absurd lengths are refused; unreadable lists change nothing.
  for (int64 length : {int64{-1}, int64{1} << 40}) {
    auto hostile = owned(new AttributeList);
    hostile->setText(kChannelNameKey, "Hostile");
    hostile->setInt(kChannelNameLengthKey, length);
    hostile->setInt(kChannelIndexKey, int64{1} << 40);
    ASSERT_EQ(listener->setChannelContextInfos(hostile.get()), kResultOk);
    EXPECT_EQ(TrackName(), "Lead Vocal \xCE\xBC Bus") << length;
    EXPECT_EQ(plug->GetTrackIndex(), 7);
  }
  auto failing = owned(new AttributeList);
  failing->setText(kChannelNameKey, "Other");
  failing->setFailReads(true);
  ASSERT_EQ(listener->setChannelContextInfos(failing.get()), kResultOk);
  EXPECT_EQ(TrackName(), "Lead Vocal \xCE\xBC Bus");
}

TEST_F(HostSide, EditorResizeGoesThroughTheLastViewsFrameAndNowhereOnceItIsGone)
{
  // No view yet: nothing to resize through, but the editor has the size now.
  EXPECT_FALSE(plug->EditorResize(950, 550));
  EXPECT_EQ(plug->GetEditorWidth(), 950);

  IPtr<IPlugView> view = owned(plug->createView(ViewType::kEditor));
  ASSERT_TRUE(view);
  EXPECT_FALSE(plug->EditorResize(1100, 650)); // a view without a frame
  auto frame = owned(new PlugFrame);
  ASSERT_EQ(view->setFrame(frame.get()), kResultTrue);
  EXPECT_TRUE(plug->EditorResize(1000, 600));
  ASSERT_EQ(frame->resizes().size(), 1u);
  EXPECT_EQ(frame->resizes()[0].view, view.get());
  EXPECT_EQ(frame->resizes()[0].rect.getWidth(), 1000);
  EXPECT_EQ(frame->resizes()[0].rect.getHeight(), 600);
  EXPECT_EQ(plug->GetEditorWidth(), 1000);
  EXPECT_TRUE(plug->EditorResize(1000, 600)); // same size: stored, no request
  EXPECT_EQ(frame->resizes().size(), 1u);

  view = nullptr; // the view is gone: the plug-in must not reach for it
  EXPECT_EQ(plug->GetLastView(), nullptr);
  EXPECT_FALSE(plug->EditorResize(1200, 700));
  EXPECT_EQ(plug->GetEditorWidth(), 1200);
  EXPECT_EQ(frame->resizes().size(), 1u);
}

namespace {

// Records the key presses the view hands over.
class KeyRecordingKelmo : public DirectKelmo
{
public:
  bool OnKeyDown(const plugin::IKeyPress& key) override
  {
    keys.push_back(key);
    return true;
  }
  std::vector<plugin::IKeyPress> keys;
};

} // namespace

TEST(HostSideKeys, OneHostGetsOnlyTheSpaceBarAllOthersEveryTranslatedKey)
{
  for (const char* hostName : {"Kelmo Test Host", "REAPER"}) {
    IPtr<KeyRecordingKelmo> plug(new KeyRecordingKelmo, false);
    auto host = owned(new HostApplication(hostName));
    ASSERT_EQ(plug->initialize(host.get()), kResultOk);
    IPtr<IPlugView> view = owned(plug->createView(ViewType::kEditor));
    ASSERT_TRUE(view);
    const bool reaper = std::string(hostName) == "REAPER";
    EXPECT_EQ(view->onKeyDown(u'a', 0, 0), reaper ? kResultFalse : kResultTrue);
    EXPECT_EQ(view->onKeyDown(0, plugin::layer::kKeySpace, plugin::layer::kShiftKey), kResultTrue);
    ASSERT_EQ(plug->keys.size(), reaper ? 1u : 2u);
    const plugin::IKeyPress& space = plug->keys.back();
    EXPECT_EQ(space.mVKey, 0x20);
    EXPECT_STREQ(space.mUtf8, " ");
    if (!reaper) {
      EXPECT_EQ(plug->keys[0].mVKey, 0x41);
      EXPECT_TRUE(space.mShift);
    }
    view = nullptr;
    plug->terminate();
  }
}
