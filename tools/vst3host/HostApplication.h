#pragma once

#include "tools/vst3host/HostObject.h"

#include "pluginterfaces/vst/ivsthostapplication.h"

#include <string>

namespace plugin::vst3host {

// The host application object handed to initialize: a name (any UTF-8 text, e.g. to trigger a
// plug-in's host detection) and creation of attribute lists. Heap object (HostObject).
class HostApplication : public HostObject<Steinberg::Vst::IHostApplication>
{
public:
  explicit HostApplication(std::string nameUtf8 = "Kelmo Test Host") : mName(std::move(nameUtf8)) {}

  const std::string& name() const { return mName; }

  // The name as String128 (cut at a whole code point).
  Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 name) override;
  // Creates an IAttributeList; every other class gives kNoInterface.
  Steinberg::tresult PLUGIN_API createInstance(Steinberg::TUID cid, Steinberg::TUID iid, void** obj) override;

private:
  std::string mName;
};

// A host context without IHostApplication, for plug-ins that must cope with one.
class BareHostContext : public HostObject<Steinberg::FUnknown>
{};

} // namespace plugin::vst3host
