#include "vst3/PlugFactory.h"

#include "framework/runloop/RunLoop.h"
#include "vst3/layer/ModuleExitHooks.h"

#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace plugin {

using namespace Steinberg;

namespace {

// The module's factory while the host holds it; the factory clears it when it goes.
layer::PluginFactory* gFactory = nullptr;

// Module exit hook: the framework's main run loop goes with the module.
void ReleaseMainRunLoop()
{
  RunLoop::ReleaseMain();
}

} // namespace

FUID MakeClassId(uint32_t mfrCode, uint32_t plugCode)
{
  return FUID(0xF2AEE70D, 0x00DE4F4E, mfrCode, plugCode);
}

IPluginFactory* GetPluginFactoryFor(const PlugClassDescription& description,
                                    layer::PluginFactory::CreateFunction create)
{
  if (gFactory) {
    gFactory->addRef();
    return gFactory;
  }
  layer::AtModuleExit(&ReleaseMainRunLoop);
  const PFactoryInfo info(description.vendor, description.url, description.email, PFactoryInfo::kUnicode);
  TUID cid;
  MakeClassId(description.mfrCode, description.plugCode).toTUID(cid);
  const PClassInfo2 cls(cid, PClassInfo::kManyInstances, kVstAudioEffectClass, description.name,
                        Vst::kSimpleModeSupported, description.subCategories, "", description.version,
                        description.sdkVersion);
  auto* factory = new (std::nothrow) layer::PluginFactory(info, &gFactory);
  if (!factory) return nullptr;
  if (!factory->registerClass(&cls, create)) {
    factory->release();
    return nullptr;
  }
  gFactory = factory;
  return gFactory;
}

std::mutex& CreationMutex()
{
  static std::mutex mutex;
  return mutex;
}

} // namespace plugin
