// The compressor bundle's exported factory.
#include "engine/Kelmo.h"
#include "engine/KelmoConfig.h"
#include "vst3/PlugFactory.h"

namespace {

const plugin::PlugClassDescription kKelmoClass = {
    kKelmoMaker,                 // vendor
    "https://www.quillmere.com", // web address
    "mailto:info@quillmere.com", // contact
    static_cast<uint32_t>(kKelmoMakerID),
    static_cast<uint32_t>(kKelmoUniqueID),
    kKelmoName,
    "Fx|Dynamics",
    "1.0.7",
    "VST 3.7.2",
};

} // namespace

// Host, main thread: the module's one factory, built on first use; later calls add a reference.
extern "C" SMTG_EXPORT_SYMBOL Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory()
{
  return plugin::GetPluginFactoryFor(kKelmoClass, &plugin::CreateInstance<Kelmo>);
}
