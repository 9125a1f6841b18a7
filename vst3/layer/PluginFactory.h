#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <atomic>
#include <vector>

namespace plugin::layer {

// The module's class factory as the host sees it: factory information, the list of classes in
// the plain, version-2 and Unicode forms, and instance creation. Class texts are kept in UTF-8
// and UTF-16 side by side, converted properly in both directions (non-ASCII names survive).
// Reference-counted; created with one reference, which the host releases. All calls come from
// the host's main thread; registration happens before the factory is handed out.
class PluginFactory : public Steinberg::IPluginFactory3
{
public:
  // Creates one instance of a class, with one reference held by the caller; null on failure.
  using CreateFunction = Steinberg::FUnknown* (*)(void* context);

  // `registry`, when given, is the module's global factory pointer: the destructor clears it
  // if it still points here, so that the next GetPluginFactory builds a new factory.
  explicit PluginFactory(const Steinberg::PFactoryInfo& info, PluginFactory** registry = nullptr);
  virtual ~PluginFactory();

  PluginFactory(const PluginFactory&) = delete;
  PluginFactory& operator=(const PluginFactory&) = delete;

  // Adds a class (main thread, before use; allocates). False for a null argument or a class id
  // that is already registered.
  bool registerClass(const Steinberg::PClassInfo* info, CreateFunction create, void* context = nullptr);
  bool registerClass(const Steinberg::PClassInfo2* info, CreateFunction create, void* context = nullptr);
  bool registerClass(const Steinberg::PClassInfoW* info, CreateFunction create, void* context = nullptr);

  // True when a class with that id is registered.
  bool isClassRegistered(const Steinberg::FUID& cid) const;

  // The host context last passed to setHostContext (not referenced beyond this object's life).
  Steinberg::FUnknown* hostContext() const { return mHostContext; }

  // IPluginFactory (host, main thread).
  Steinberg::tresult PLUGIN_API getFactoryInfo(Steinberg::PFactoryInfo* info) override;
  Steinberg::int32 PLUGIN_API countClasses() override;
  Steinberg::tresult PLUGIN_API getClassInfo(Steinberg::int32 index, Steinberg::PClassInfo* info) override;
  Steinberg::tresult PLUGIN_API createInstance(Steinberg::FIDString cid, Steinberg::FIDString iid,
                                               void** obj) override;
  // IPluginFactory2 (host, main thread).
  Steinberg::tresult PLUGIN_API getClassInfo2(Steinberg::int32 index, Steinberg::PClassInfo2* info) override;
  // IPluginFactory3 (host, main thread).
  Steinberg::tresult PLUGIN_API getClassInfoUnicode(Steinberg::int32 index,
                                                    Steinberg::PClassInfoW* info) override;
  Steinberg::tresult PLUGIN_API setHostContext(Steinberg::FUnknown* context) override;

  // FUnknown (host, any thread).
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override;
  Steinberg::uint32 PLUGIN_API release() override;

private:
  struct ClassEntry
  {
    Steinberg::PClassInfo2 info8;
    Steinberg::PClassInfoW info16;
    CreateFunction create = nullptr;
    void* context = nullptr;
  };

  bool addClass(const ClassEntry& entry);
  const ClassEntry* entryAt(Steinberg::int32 index) const;

  Steinberg::PFactoryInfo mInfo;
  PluginFactory** mRegistry = nullptr;
  std::vector<ClassEntry> mClasses;
  Steinberg::FUnknown* mHostContext = nullptr;
  std::atomic<Steinberg::uint32> mRefCount{1};
};

} // namespace plugin::layer
