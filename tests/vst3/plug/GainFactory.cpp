// The test bundle's exported factory.
#include "tests/vst3/plug/GainEffect.h"
#include "tests/vst3/plug/GainIds.h"
#include "vst3/layer/PluginFactory.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

namespace {

plugin::layer::PluginFactory* gFactory = nullptr;

} // namespace

// Host, main thread: the module's one factory, built on first use; later calls add a reference.
extern "C" SMTG_EXPORT_SYMBOL Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory()
{
  using namespace Steinberg;
  if (gFactory) {
    gFactory->addRef();
    return gFactory;
  }
  static const PFactoryInfo info(plugin::testplug::kGainVendor, "https://quillmere.invalid",
                                 "mailto:tests@quillmere.invalid", PFactoryInfo::kUnicode);
  gFactory = new plugin::layer::PluginFactory(info, &gFactory);
  static const PClassInfo2 cls(plugin::testplug::kGainClassId.toTUID(), PClassInfo::kManyInstances,
                               kVstAudioEffectClass, plugin::testplug::kGainClassName,
                               Vst::kSimpleModeSupported, plugin::testplug::kGainSubCategories, nullptr,
                               plugin::testplug::kGainVersion, "VST 3.7.2");
  gFactory->registerClass(&cls, &plugin::testplug::GainEffect::Create);
  return gFactory;
}
