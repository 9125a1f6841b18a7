// The bundle's factory: one factory per module life, its information and its one class.
#include "framework/text/UnicodeCodec.h"
#include "tests/vst3/binding/KelmoBundle.h"

#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace kelmotest;

namespace {

std::string Utf8(const char16* text, int capacity)
{
  return plugin::text::Utf16ToUtf8(
      plugin::text::Utf16View(reinterpret_cast<const char16_t*>(text), capacity));
}

} // namespace

TEST(KelmoFactory, SecondCallReturnsTheSameFactoryWithOneMoreReference)
{
  auto module = LoadKelmoBundle();
  ASSERT_TRUE(module);
  IPluginFactory* first = module->factory();
  auto second = module->getPluginFactory();
  ASSERT_EQ(second.get(), first);
  // The module holds one reference, the second call another.
  EXPECT_EQ(first->addRef(), 3u);
  EXPECT_EQ(first->release(), 2u);
  EXPECT_EQ(first->countClasses(), 1);
}

TEST(KelmoFactory, FactoryAndClassInformation)
{
  auto module = LoadKelmoBundle();
  ASSERT_TRUE(module);
  IPluginFactory* factory = module->factory();

  PFactoryInfo info{};
  ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
  EXPECT_STREQ(info.vendor, "Quillmere");
  EXPECT_EQ(info.flags, 16);
  EXPECT_GT(std::strlen(info.url), 0u);
  EXPECT_GT(std::strlen(info.email), 0u);

  PClassInfo plain{};
  ASSERT_EQ(factory->getClassInfo(0, &plain), kResultOk);
  EXPECT_EQ(std::memcmp(plain.cid, kKelmoCid, sizeof(TUID)), 0);
  char hex[40] = {};
  FUID::fromTUID(plain.cid).toString(hex);
  EXPECT_STREQ(hex, "F2AEE70D00DE4F4E514D524C5A50486B");
  EXPECT_EQ(plain.cardinality, 0x7FFFFFFF);
  EXPECT_STREQ(plain.category, "Audio Module Class");
  EXPECT_STREQ(plain.name, "ZPH Kelmo");

  auto factory2 = module->factory2();
  ASSERT_TRUE(factory2);
  PClassInfo2 info2{};
  ASSERT_EQ(factory2->getClassInfo2(0, &info2), kResultOk);
  EXPECT_EQ(std::memcmp(info2.cid, kKelmoCid, sizeof(TUID)), 0);
  EXPECT_STREQ(info2.name, "ZPH Kelmo");
  EXPECT_STREQ(info2.category, "Audio Module Class");
  EXPECT_STREQ(info2.subCategories, "Fx|Dynamics");
  EXPECT_STREQ(info2.vendor, "");
  EXPECT_STREQ(info2.version, "1.0.7");
  EXPECT_STREQ(info2.sdkVersion, "VST 3.7.2");
  EXPECT_EQ(info2.classFlags, 2u);

  auto factory3 = module->factory3();
  ASSERT_TRUE(factory3);
  PClassInfoW infoW{};
  ASSERT_EQ(factory3->getClassInfoUnicode(0, &infoW), kResultOk);
  EXPECT_EQ(Utf8(infoW.name, PClassInfo::kNameSize), "ZPH Kelmo");
  EXPECT_EQ(Utf8(infoW.version, PClassInfo2::kVersionSize), "1.0.7");
  EXPECT_EQ(Utf8(infoW.sdkVersion, PClassInfo2::kVersionSize), "VST 3.7.2");

  EXPECT_EQ(factory->getClassInfo(1, &plain), kInvalidArgument);
}

TEST(KelmoFactory, UnknownClassOrInterfaceGivesNothing)
{
  auto module = LoadKelmoBundle();
  ASSERT_TRUE(module);
  TUID other;
  std::memcpy(other, kKelmoCid, sizeof(TUID));
  other[15] ^= 0x01;
  void* obj = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(module->factory()->createInstance(other, IAudioProcessor::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);
  obj = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(module->factory()->createInstance(kKelmoCid, IPluginFactory::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);
}

TEST(KelmoFactory, EveryInterfaceOfOneObjectAndIndependentInstances)
{
  auto module = LoadKelmoBundle();
  ASSERT_TRUE(module);
  auto component = module->createInstance<IComponent>(kKelmoCid);
  ASSERT_TRUE(component);
  FUnknownPtr<IAudioProcessor> processor(component);
  FUnknownPtr<IEditController> controller(component);
  FUnknownPtr<IMidiMapping> mapping(component);
  FUnknownPtr<ChannelContext::IInfoListener> context(component);
  FUnknownPtr<IUnitInfo> units(component);
  EXPECT_TRUE(processor && controller && mapping && context && units);

  KelmoInstance a = KelmoInstance::Create(*module);
  KelmoInstance b = KelmoInstance::Create(*module);
  ASSERT_TRUE(a.processor && b.processor);
  EXPECT_NE(a.processor.get(), b.processor.get());
  // "Output Gain" (id 25) on one leaves the other at its default.
  const ParamValue before = b.controller->getParamNormalized(25);
  ASSERT_EQ(a.controller->setParamNormalized(25, 0.9), kResultOk);
  EXPECT_DOUBLE_EQ(a.controller->getParamNormalized(25), 0.9);
  EXPECT_DOUBLE_EQ(b.controller->getParamNormalized(25), before);
  a.Destroy();
  b.Destroy();
}

TEST(KelmoFactory, AFactoryAfterTheLastReleaseIsANewWorkingOne)
{
  auto module = LoadKelmoBundle();
  ASSERT_TRUE(module);
  module->releaseFactory(); // the module's factory is gone now
  auto fresh = module->getPluginFactory();
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh->countClasses(), 1);
  EXPECT_EQ(fresh->addRef(), 2u);
  EXPECT_EQ(fresh->release(), 1u);
  void* obj = nullptr;
  ASSERT_EQ(fresh->createInstance(kKelmoCid, IAudioProcessor::iid, &obj), kResultOk);
  ASSERT_NE(obj, nullptr);
  static_cast<IAudioProcessor*>(obj)->release();
}
