#include "platform/mac/system/Bundle.h"

#include "platform/mac/system/PathString.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace plugin::sys {

namespace {

struct Registry
{
  std::mutex mutex;
  std::vector<std::shared_ptr<const Bundle>> bundles;
  std::shared_ptr<const Bundle> main;
};

Registry& TheRegistry()
{
  static Registry registry;
  return registry;
}

// The bundle folder of a code file: for ".../X/Contents/<dir>/code" it is ".../X"; for a code
// file outside such a layout, the folder that holds it.
std::string BundlePathForExecutable(std::string_view executablePath)
{
  const std::string codeFolder = DeletingLastPathComponent(executablePath);
  const std::string contents = DeletingLastPathComponent(codeFolder);
  if (LastPathComponent(contents) == "Contents") return DeletingLastPathComponent(contents);
  return codeFolder;
}

std::shared_ptr<const Bundle> ExecutableBundle()
{
  char exe[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return std::make_shared<const Bundle>("", "/", "");
  exe[n] = 0;
  return std::make_shared<const Bundle>("", BundlePathForExecutable(exe), exe);
}

} // namespace

Bundle::Bundle(std::string identifier, std::string bundlePath, std::string executablePath)
    : mIdentifier(std::move(identifier)), mBundlePath(AppendingPathComponent(bundlePath, "")),
      mExecutablePath(std::move(executablePath))
{}

std::string Bundle::ResourcePath() const
{
  return AppendingPathComponent(mBundlePath, "Contents/Resources");
}

std::shared_ptr<const Bundle> Bundle::WithIdentifier(const char* identifier)
{
  if (!identifier || !*identifier) return nullptr;
  const std::shared_ptr<const Bundle> main = Main();
  if (main->Identifier() == identifier) return main;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  for (const auto& b : r.bundles)
    if (b->Identifier() == identifier) return b;
  return nullptr;
}

std::shared_ptr<const Bundle> Bundle::Main()
{
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (!r.main) r.main = ExecutableBundle();
  return r.main;
}

void Bundle::SetMain(std::shared_ptr<const Bundle> bundle)
{
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.main = std::move(bundle);
}

std::shared_ptr<const Bundle> Bundle::Register(const char* identifier, const char* bundlePath,
                                               const char* executablePath)
{
  if (!identifier || !*identifier) return nullptr;
  auto bundle = std::make_shared<const Bundle>(identifier, bundlePath ? bundlePath : "",
                                               executablePath ? executablePath : "");
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  std::erase_if(r.bundles, [&](const auto& b) { return b->Identifier() == identifier; });
  r.bundles.push_back(bundle);
  return bundle;
}

bool Bundle::Unregister(const char* identifier)
{
  if (!identifier) return false;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  return std::erase_if(r.bundles, [&](const auto& b) { return b->Identifier() == identifier; }) > 0;
}

} // namespace plugin::sys
