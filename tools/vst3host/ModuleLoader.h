#pragma once

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"

#include <memory>
#include <string>

namespace plugin::vst3host {

// A loaded VST3 bundle: dlopen, ModuleEntry, GetPluginFactory; on destruction the factory
// reference it holds is released, then ModuleExit and dlclose. Main thread.
class Module
{
public:
  // Loads a bundle folder (<Name>.vst3) or its .so directly. Null with `error` set on failure
  // (missing file, missing entry point, ModuleEntry or GetPluginFactory refusing).
  static std::unique_ptr<Module> Load(const std::string& path, std::string& error);

  // <bundle>/Contents/<arch>-linux/<Name>.so for a bundle folder; other paths unchanged.
  static std::string BinaryPathOf(const std::string& path);

  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  // The factory reference taken at load; null after releaseFactory.
  Steinberg::IPluginFactory* factory() const { return mFactory; }
  // Drops the held factory reference (the module's factory may be deleted by this).
  void releaseFactory();
  // Calls the exported GetPluginFactory once more; the caller owns the returned reference.
  Steinberg::IPtr<Steinberg::IPluginFactory> getPluginFactory() const;
  // The held factory as version 2 / 3 (null when the factory lacks that interface).
  Steinberg::IPtr<Steinberg::IPluginFactory2> factory2() const;
  Steinberg::IPtr<Steinberg::IPluginFactory3> factory3() const;

  // Creates an instance of the class through the held factory and asks it for I; null on failure.
  template <class I> Steinberg::IPtr<I> createInstance(const Steinberg::TUID cid) const
  {
    void* obj = nullptr;
    if (!mFactory || mFactory->createInstance(cid, I::iid, &obj) != Steinberg::kResultOk || !obj)
      return nullptr;
    return Steinberg::IPtr<I>(static_cast<I*>(obj), false);
  }

  const std::string& binaryPath() const { return mBinaryPath; }
  void* handle() const { return mHandle; }
  // Looks up an exported symbol of the module (null when absent).
  void* symbol(const char* name) const;

private:
  Module() = default;

  std::string mBinaryPath;
  void* mHandle = nullptr;
  bool mEntered = false;
  Steinberg::IPluginFactory* mFactory = nullptr;
};

} // namespace plugin::vst3host
