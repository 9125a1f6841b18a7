#include "tools/vst3host/ModuleLoader.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace plugin::vst3host {
namespace {

using EntryProc = bool (*)(void*);
using ExitProc = bool (*)();
using FactoryProc = Steinberg::IPluginFactory* (*)();

bool IsDirectory(const std::string& path)
{
  struct stat st
  {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ArchFolder()
{
#if defined(__x86_64__)
  return "x86_64-linux";
#elif defined(__aarch64__)
  return "aarch64-linux";
#else
  return "unknown-linux";
#endif
}

} // namespace

std::string Module::BinaryPathOf(const std::string& path)
{
  if (!IsDirectory(path)) return path;
  std::string bundle = path;
  while (bundle.size() > 1 && bundle.back() == '/')
    bundle.pop_back();
  const size_t slash = bundle.find_last_of('/');
  std::string name = slash == std::string::npos ? bundle : bundle.substr(slash + 1);
  const std::string suffix = ".vst3";
  if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
    name.resize(name.size() - suffix.size());
  return bundle + "/Contents/" + ArchFolder() + "/" + name + ".so";
}

std::unique_ptr<Module> Module::Load(const std::string& path, std::string& error)
{
  std::unique_ptr<Module> module(new Module);
  module->mBinaryPath = BinaryPathOf(path);
  module->mHandle = dlopen(module->mBinaryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module->mHandle) {
    const char* why = dlerror();
    error = "dlopen failed: " + std::string(why ? why : module->mBinaryPath);
    return nullptr;
  }
  auto entry = reinterpret_cast<EntryProc>(module->symbol("ModuleEntry"));
  auto factoryProc = reinterpret_cast<FactoryProc>(module->symbol("GetPluginFactory"));
  if (!entry || !module->symbol("ModuleExit") || !factoryProc) {
    error = "missing entry point in " + module->mBinaryPath;
    return nullptr;
  }
  if (!entry(module->mHandle)) {
    error = "ModuleEntry refused";
    return nullptr;
  }
  module->mEntered = true;
  module->mFactory = factoryProc();
  if (!module->mFactory) {
    error = "GetPluginFactory returned null";
    return nullptr;
  }
  return module;
}

Module::~Module()
{
  releaseFactory();
  if (mEntered) {
    if (auto exitProc = reinterpret_cast<ExitProc>(symbol("ModuleExit"))) exitProc();
  }
  if (mHandle) dlclose(mHandle);
}

void Module::releaseFactory()
{
  if (mFactory) mFactory->release();
  mFactory = nullptr;
}

Steinberg::IPtr<Steinberg::IPluginFactory> Module::getPluginFactory() const
{
  auto factoryProc = reinterpret_cast<FactoryProc>(symbol("GetPluginFactory"));
  if (!factoryProc) return nullptr;
  return Steinberg::IPtr<Steinberg::IPluginFactory>(factoryProc(), false);
}

Steinberg::IPtr<Steinberg::IPluginFactory2> Module::factory2() const
{
  return Steinberg::FUnknownPtr<Steinberg::IPluginFactory2>(mFactory);
}

Steinberg::IPtr<Steinberg::IPluginFactory3> Module::factory3() const
{
  return Steinberg::FUnknownPtr<Steinberg::IPluginFactory3>(mFactory);
}

void* Module::symbol(const char* name) const
{
  return mHandle ? dlsym(mHandle, name) : nullptr;
}

} // namespace plugin::vst3host
