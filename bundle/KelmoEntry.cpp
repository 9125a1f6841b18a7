// The compressor bundle's exported factory, and the place where the plug-in meets its editor and
// the platform layer.
#include "editor/KelmoEditorInstall.h"
#include "engine/Kelmo.h"
#include "engine/KelmoConfig.h"
#include "platform/mac/MacPaths.h"
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
// The platform's resource locator and the editor are installed first, so that every plug-in
// object the factory builds has them.
extern "C" SMTG_EXPORT_SYMBOL Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory()
{
  plugin::ui::InstallMacResourceLocator();
  plugin::ui::InstallKelmoEditor();
  return plugin::GetPluginFactoryFor(kKelmoClass, &plugin::CreateInstance<Kelmo>);
}
