// Type names and state routing of the single-component base itself, on a minimal local effect
// (the bundle's effect cannot be cast across the module boundary).
#include "framework/text/UnicodeCodec.h"
#include "tests/vst3/layer/GainBundle.h"
#include "tools/vst3host/MemoryStream.h"
#include "vst3/layer/SingleComponentEffect.h"

#include "pluginterfaces/vst/vstspeaker.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace plugin::testhost;

namespace {

class MinimalEffect : public plugin::layer::SingleComponentEffect
{
public:
  tresult PLUGIN_API process(ProcessData&) override { return kResultOk; }
};

} // namespace

TEST(EffectBase, TypeNamesFollowTheControllerChain)
{
  auto effect = owned(new MinimalEffect);
  EXPECT_STREQ(effect->isA(), "SingleComponentEffect");
  EXPECT_TRUE(effect->isA("SingleComponentEffect"));
  EXPECT_FALSE(effect->isA("EditControllerEx1")); // isA does not ask the bases
  for (const char* base : {"EditControllerEx1", "EditController", "ComponentBase", "FObject"}) {
    EXPECT_TRUE(effect->isTypeOf(base, true)) << base;
    EXPECT_FALSE(effect->isTypeOf(base, false)) << base;
  }
  EXPECT_FALSE(effect->isTypeOf("Component", true));
  EXPECT_FALSE(effect->isTypeOf(nullptr, true));
}

TEST(EffectBase, StateCallsOfEachSideReachTheirOwnHandler)
{
  auto effect = owned(new MinimalEffect);
  IComponent* component = effect;
  IEditController* controller = effect;
  auto stream = owned(new MemoryStream);
  // The base implements neither state; each side answers separately.
  EXPECT_EQ(component->setState(stream), kNotImplemented);
  EXPECT_EQ(component->getState(stream), kNotImplemented);
  EXPECT_EQ(controller->setState(stream), kNotImplemented);
  EXPECT_EQ(controller->getState(stream), kNotImplemented);
  EXPECT_EQ(stream->readCalls() + stream->writeCalls(), 0);
}

TEST(EffectBase, BusNamesAreCutAtWholeCharacters)
{
  auto effect = owned(new MinimalEffect);
  auto host = owned(new HostApplication);
  ASSERT_EQ(effect->initialize(host.get()), kResultOk);
  std::string longName;
  for (int i = 0; i < 100; ++i)
    longName += "\xCE\xBC"; // 100 two-byte characters, 100 UTF-16 units
  longName += "\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9"
              "\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9"
              "\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9"; // 14 pairs: 128 units
  ASSERT_TRUE(effect->addAudioInput(longName, SpeakerArr::kMono));
  BusInfo info{};
  ASSERT_EQ(effect->getBusInfo(kAudio, kInput, 0, info), kResultOk);
  const std::u16string name(plugin::text::Utf16View(info.name, 128));
  EXPECT_EQ(name.size(), 126u); // 100 + 13 pairs; the 14th pair would leave no room for the terminator
  EXPECT_EQ(name.back(), 0xDFB9);
  ASSERT_TRUE(effect->getAudioInput(0));
  EXPECT_EQ(effect->getAudioInput(1), nullptr);
  EXPECT_EQ(effect->getAudioOutput(0), nullptr);
  EXPECT_EQ(effect->getBusList(kAudio, kInput)->size(), 1u);
  EXPECT_EQ(effect->getBusList(9, kInput), nullptr);
  effect->terminate();
  EXPECT_EQ(effect->getBusCount(kAudio, kInput), 0);
}

TEST(ModuleEntryPoints, EntriesNestAndAnExitWithoutEntryFails)
{
  auto module = LoadGainBundle(); // entered once by the loader
  ASSERT_TRUE(module);
  auto entry = reinterpret_cast<bool (*)(void*)>(module->symbol("ModuleEntry"));
  auto exit = reinterpret_cast<bool (*)()>(module->symbol("ModuleExit"));
  ASSERT_TRUE(entry && exit);
  EXPECT_TRUE(entry(module->handle()));
  EXPECT_TRUE(exit());
  EXPECT_TRUE(exit());                  // the loader's entry
  EXPECT_FALSE(exit());                 // no entry left
  EXPECT_TRUE(entry(module->handle())); // for the loader's own exit
}
