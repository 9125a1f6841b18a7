#include "tests/vst3/layer/GainBundle.h"

#include "framework/text/UnicodeCodec.h"
#include "vst3/layer/PluginFactory.h"

#include <cstring>

using namespace Steinberg;
using namespace plugin::testhost;
namespace tp = plugin::testplug;

namespace {

std::u16string Wide(const char16 (&field)[64])
{
  return std::u16string(plugin::text::Utf16View(field, 64));
}

const TUID kUnknownClass = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

} // namespace

TEST(Factory, InfoAndClassInAllThreeForms)
{
  auto module = LoadGainBundle();
  ASSERT_TRUE(module);
  IPluginFactory* factory = module->factory();

  PFactoryInfo info;
  ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
  EXPECT_STREQ(info.vendor, tp::kGainVendor);
  EXPECT_STREQ(info.url, "https://quillmere.invalid");
  EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);
  ASSERT_EQ(factory->countClasses(), 1);

  PClassInfo plain;
  ASSERT_EQ(factory->getClassInfo(0, &plain), kResultOk);
  EXPECT_TRUE(FUID::fromTUID(plain.cid) == tp::kGainClassId);
  EXPECT_EQ(plain.cardinality, PClassInfo::kManyInstances);
  EXPECT_STREQ(plain.category, "Audio Module Class");
  EXPECT_STREQ(plain.name, tp::kGainClassName); // UTF-8 bytes of "μ Test Gain"

  auto f2 = module->factory2();
  ASSERT_TRUE(f2);
  PClassInfo2 info2;
  ASSERT_EQ(f2->getClassInfo2(0, &info2), kResultOk);
  EXPECT_TRUE(FUID::fromTUID(info2.cid) == tp::kGainClassId);
  EXPECT_STREQ(info2.name, tp::kGainClassName);
  EXPECT_EQ(info2.classFlags, 2u);
  EXPECT_STREQ(info2.subCategories, "Fx|Dynamics");
  EXPECT_STREQ(info2.vendor, "");
  EXPECT_STREQ(info2.version, "0.1.0");
  EXPECT_STREQ(info2.sdkVersion, "VST 3.7.2");

  auto f3 = module->factory3();
  ASSERT_TRUE(f3);
  PClassInfoW wide;
  ASSERT_EQ(f3->getClassInfoUnicode(0, &wide), kResultOk);
  EXPECT_TRUE(FUID::fromTUID(wide.cid) == tp::kGainClassId);
  EXPECT_EQ(Wide(wide.name), u"\u03BC Test Gain");
  EXPECT_EQ(Wide(wide.version), u"0.1.0");
  EXPECT_EQ(Wide(wide.sdkVersion), u"VST 3.7.2");
  EXPECT_EQ(Wide(wide.vendor), u"");
  EXPECT_STREQ(wide.category, "Audio Module Class");
  EXPECT_STREQ(wide.subCategories, "Fx|Dynamics");
  EXPECT_EQ(wide.classFlags, 2u);

  // Out-of-range indices and missing records are refused.
  EXPECT_EQ(factory->getClassInfo(1, &plain), kInvalidArgument);
  EXPECT_EQ(factory->getClassInfo(-1, &plain), kInvalidArgument);
  EXPECT_EQ(f2->getClassInfo2(1, &info2), kInvalidArgument);
  EXPECT_EQ(f3->getClassInfoUnicode(7, &wide), kInvalidArgument);
  EXPECT_EQ(factory->getFactoryInfo(nullptr), kInvalidArgument);
  EXPECT_EQ(factory->getClassInfo(0, nullptr), kInvalidArgument);
}

TEST(Factory, SameFactoryTwiceCountsReferences)
{
  auto module = LoadGainBundle();
  ASSERT_TRUE(module);
  IPluginFactory* first = module->factory(); // one reference, held by the module
  EXPECT_EQ(first->addRef(), 2u);
  EXPECT_EQ(first->release(), 1u);
  {
    auto second = module->getPluginFactory();
    EXPECT_EQ(second.get(), first);
    EXPECT_EQ(first->addRef(), 3u);
    EXPECT_EQ(first->release(), 2u);
  }
  EXPECT_EQ(first->addRef(), 2u);
  EXPECT_EQ(first->release(), 1u);
  // The class was registered once only.
  EXPECT_EQ(first->countClasses(), 1);

  // The factory answers its three interfaces and FUnknown, all the same object.
  for (const TUID* iid : {&IPluginFactory::iid.toTUID(), &IPluginFactory2::iid.toTUID(),
                          &IPluginFactory3::iid.toTUID(), &FUnknown::iid.toTUID()}) {
    void* obj = nullptr;
    ASSERT_EQ(first->queryInterface(*iid, &obj), kResultOk);
    EXPECT_EQ(static_cast<FUnknown*>(static_cast<IPluginFactory*>(obj)), static_cast<FUnknown*>(first));
    static_cast<FUnknown*>(obj)->release();
  }
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(first->queryInterface(Vst::IComponent::iid, &none), kNoInterface);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(first->addRef(), 2u);
  EXPECT_EQ(first->release(), 1u);
}

TEST(Factory, NewFactoryAfterLastRelease)
{
  auto module = LoadGainBundle();
  ASSERT_TRUE(module);
  module->releaseFactory(); // the last reference: the factory is gone
  // A later call must build a working factory, not hand out the freed one.
  auto again = module->getPluginFactory();
  ASSERT_TRUE(again);
  EXPECT_EQ(again->countClasses(), 1);
  PClassInfo info;
  EXPECT_EQ(again->getClassInfo(0, &info), kResultOk);
  EXPECT_STREQ(info.name, tp::kGainClassName);
}

TEST(Factory, UnknownClassAndUnknownInterface)
{
  auto module = LoadGainBundle();
  ASSERT_TRUE(module);
  IPluginFactory* factory = module->factory();
  void* obj = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->createInstance(kUnknownClass, Vst::IComponent::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);

  // A known class asked for an interface it lacks: no object leaks (checked by the sanitizer).
  obj = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->createInstance(tp::kGainClassId.toTUID(), IPluginFactory::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);

  EXPECT_EQ(factory->createInstance(nullptr, Vst::IComponent::iid, &obj), kInvalidArgument);
  EXPECT_EQ(factory->createInstance(tp::kGainClassId.toTUID(), nullptr, &obj), kInvalidArgument);
  EXPECT_EQ(factory->createInstance(tp::kGainClassId.toTUID(), Vst::IComponent::iid, nullptr),
            kInvalidArgument);
}

TEST(Factory, InstancesAreIndependentWithOneReferenceEach)
{
  auto module = LoadGainBundle();
  ASSERT_TRUE(module);
  auto a = module->createInstance<Vst::IComponent>(tp::kGainClassId.toTUID());
  auto b = module->createInstance<Vst::IAudioProcessor>(tp::kGainClassId.toTUID());
  ASSERT_TRUE(a && b);
  FUnknownPtr<Vst::IComponent> bComponent(b);
  EXPECT_NE(a.get(), bComponent.get());
  // Each holds exactly the reference the factory handed out (plus our query above for b).
  EXPECT_EQ(a->addRef(), 2u);
  EXPECT_EQ(a->release(), 1u);
  EXPECT_EQ(b->addRef(), 3u);
  EXPECT_EQ(b->release(), 2u);

  auto host = owned(new HostApplication);
  ASSERT_EQ(a->initialize(host.get()), kResultOk);
  ASSERT_EQ(bComponent->initialize(host.get()), kResultOk);
  FUnknownPtr<Vst::IEditController> ca(a), cb(b);
  ASSERT_EQ(ca->setParamNormalized(tp::kGainParamId, 0.25), kResultOk);
  EXPECT_DOUBLE_EQ(ca->getParamNormalized(tp::kGainParamId), 0.25);
  EXPECT_DOUBLE_EQ(cb->getParamNormalized(tp::kGainParamId), tp::kGainDefault);
  a->terminate();
  bComponent->terminate();
}

TEST(Factory, HostContextIsReferencedWhileHeld)
{
  auto module = LoadGainBundle();
  ASSERT_TRUE(module);
  auto f3 = module->factory3();
  ASSERT_TRUE(f3);
  auto host = owned(new HostApplication);
  ASSERT_EQ(f3->setHostContext(host.get()), kResultOk);
  EXPECT_EQ(host->refCount(), 2u);
  ASSERT_EQ(f3->setHostContext(nullptr), kResultOk);
  EXPECT_EQ(host->refCount(), 1u);
}

// Registration rules of the factory layer itself (not reachable through a bundle's fixed class).
TEST(Factory, RegistrationRefusesDuplicatesAndConvertsEveryForm)
{
  FUnknown* (*create)(void*) = [](void*) -> FUnknown* { return nullptr; };
  plugin::layer::PluginFactory* registry = nullptr;
  auto* factory = new plugin::layer::PluginFactory(PFactoryInfo("V", "u", "e", 0), &registry);
  registry = factory;

  PClassInfoW wide{};
  std::memcpy(wide.cid, kUnknownClass, sizeof(TUID));
  wide.cardinality = 1;
  std::strcpy(wide.category, "Audio Module Class");
  const std::u16string name = u"Gr\u00FC\u00DFe \U0001F3B9";
  std::copy(name.begin(), name.end(), wide.name);
  std::u16string version = u"1.\u03B2";
  std::copy(version.begin(), version.end(), wide.version);
  EXPECT_TRUE(factory->registerClass(&wide, create));
  EXPECT_FALSE(factory->registerClass(&wide, create)); // same class id
  EXPECT_FALSE(factory->registerClass(static_cast<const PClassInfo*>(nullptr), create));
  EXPECT_TRUE(factory->isClassRegistered(FUID::fromTUID(kUnknownClass)));

  PClassInfo2 info2;
  ASSERT_EQ(factory->getClassInfo2(0, &info2), kResultOk);
  EXPECT_STREQ(info2.name, "Gr\xC3\xBC\xC3\x9F"
                           "e \xF0\x9F\x8E\xB9");
  EXPECT_STREQ(info2.version, "1.\xCE\xB2");

  // A create function that fails gives an error, not a crash.
  void* obj = nullptr;
  EXPECT_EQ(factory->createInstance(kUnknownClass, FUnknown::iid, &obj), kOutOfMemory);

  // A 64-byte UTF-8 name field filled with two-byte characters is cut at a whole character.
  PClassInfo2 longName{};
  std::memcpy(longName.cid, tp::kGainClassId.toTUID(), sizeof(TUID));
  std::string mus;
  for (int i = 0; i < 40; ++i)
    mus += "\xCE\xBC";
  std::memcpy(longName.name, mus.data(), sizeof(longName.name) - 1);
  EXPECT_TRUE(factory->registerClass(&longName, create));
  ASSERT_EQ(factory->getClassInfo2(1, &info2), kResultOk);
  EXPECT_EQ(std::strlen(info2.name), 62u);
  EXPECT_EQ(plugin::text::Utf8ToUtf16(info2.name), std::u16string(31, u'\u03BC'));
  PClassInfoW wideOut;
  ASSERT_EQ(factory->getClassInfoUnicode(1, &wideOut), kResultOk);
  EXPECT_EQ(std::u16string(plugin::text::Utf16View(wideOut.name, 64)), std::u16string(31, u'\u03BC'));

  factory->release();
  EXPECT_EQ(registry, nullptr); // the destructor cleared the module's pointer
}

// Names pass through the one codec: each ill-formed subpart becomes one U+FFFD in both forms.
TEST(Factory, IllFormedNamesGetOneReplacementPerSubpart)
{
  FUnknown* (*create)(void*) = [](void*) -> FUnknown* { return nullptr; };
  plugin::layer::PluginFactory* registry = nullptr;
  auto* factory = new plugin::layer::PluginFactory(PFactoryInfo("V", "u", "e", 0), &registry);
  registry = factory;

  PClassInfo2 info{};
  std::memcpy(info.cid, kUnknownClass, sizeof(TUID));
  std::strcpy(info.name, "a\xE2\x82"
                         "b\xED\xA0\x80");
  ASSERT_TRUE(factory->registerClass(&info, create));
  PClassInfoW wide;
  ASSERT_EQ(factory->getClassInfoUnicode(0, &wide), kResultOk);
  EXPECT_EQ(Wide(wide.name), u"a\uFFFDb\uFFFD\uFFFD\uFFFD");
  PClassInfo2 narrow;
  ASSERT_EQ(factory->getClassInfo2(0, &narrow), kResultOk);
  EXPECT_STREQ(narrow.name, "a\xEF\xBF\xBD"
                            "b\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  factory->release();
}
