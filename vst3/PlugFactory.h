#pragma once

#include "framework/plugin/InstanceInfo.h"
#include "vst3/layer/PluginFactory.h"

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <cstdint>
#include <mutex>
#include <new>

namespace plugin {

// What the module's factory tells the host about itself and its one plug-in class.
struct PlugClassDescription
{
  const char* vendor;        // factory vendor; the class's own vendor stays empty
  const char* url;           // the maker's web address
  const char* email;         // the maker's contact address
  uint32_t mfrCode;          // four-character maker code
  uint32_t plugCode;         // four-character plug-in code
  const char* name;          // display name
  const char* subCategories; // e.g. "Fx|Dynamics"
  const char* version;       // e.g. "1.0.7"
  const char* sdkVersion;    // e.g. "VST 3.7.2"
};

// The class id of a plug-in: the words 0xF2AEE70D, 0x00DE4F4E, the maker code and the plug-in
// code, each stored most significant byte first. Any thread.
Steinberg::FUID MakeClassId(uint32_t mfrCode, uint32_t plugCode);

// The module's one factory: built on the first call (factory information with the Unicode flag,
// one audio-effect class with many instances and simple-mode support, created by `create`);
// later calls add a reference to it and return it. After the host's last release the next call
// builds a new one. Host main thread.
Steinberg::IPluginFactory* GetPluginFactoryFor(const PlugClassDescription& description,
                                               layer::PluginFactory::CreateFunction create);

// The lock that serialises plug-in construction in this module. Any thread.
std::mutex& CreationMutex();

// Builds one plug-in object under the creation lock; a constructor that throws frees the memory
// and releases the lock on its way out. Host main thread.
template <class Plug> Plug* MakePlug(const InstanceInfo& info)
{
  std::lock_guard<std::mutex> lock(CreationMutex());
  return new Plug(info);
}

// The factory's create function: a new plug-in object as its audio-processor interface, holding
// the one creation reference; null when construction failed (nothing escapes to the host).
template <class Plug> Steinberg::FUnknown* CreateInstance(void*)
{
  try {
    Plug* plug = MakePlug<Plug>(InstanceInfo{});
    return static_cast<Steinberg::Vst::IAudioProcessor*>(plug);
  } catch (...) {
    return nullptr;
  }
}

} // namespace plugin
