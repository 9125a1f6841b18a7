#include "platform/mac/system/GpuLibrary.h"

#include <algorithm>
#include <cstring>

namespace plugin::sys {

namespace {

constexpr char kMagic[4] = {'K', 'S', 'L', 'B'};
constexpr unsigned kVersion = 1;
constexpr unsigned kMaxFunctions = 16;
constexpr unsigned kMaxNameLength = 63;

std::shared_ptr<GpuLibrary> Fail(std::string* error, const char* reason)
{
  if (error) *error = reason;
  return nullptr;
}

} // namespace

std::shared_ptr<GpuLibrary> GpuLibrary::FromData(const void* data, std::size_t size, std::string* error)
{
  const auto* p = static_cast<const unsigned char*>(data);
  if (!p || size < 8 || std::memcmp(p, kMagic, 4) != 0) return Fail(error, "data is not a shader library");
  const unsigned version = p[4] | (p[5] << 8), count = p[6] | (p[7] << 8);
  if (version != kVersion) return Fail(error, "unsupported shader library version");
  if (count == 0 || count > kMaxFunctions) return Fail(error, "bad function count");
  auto library = std::make_shared<GpuLibrary>();
  std::size_t at = 8;
  for (unsigned i = 0; i < count; ++i) {
    if (size - at < 2) return Fail(error, "truncated shader library");
    const unsigned stage = p[at], length = p[at + 1];
    at += 2;
    if (length == 0 || length > kMaxNameLength || size - at < length) return Fail(error, "bad function name");
    std::string name(reinterpret_cast<const char*>(p + at), length);
    at += length;
    const GpuBuiltinFunction* builtin = GpuFindBuiltinFunction(name);
    if (!builtin || static_cast<unsigned>(builtin->stage) != stage) return Fail(error, "unknown function");
    if (std::find(library->mNames.begin(), library->mNames.end(), name) != library->mNames.end())
      return Fail(error, "function named twice");
    library->mNames.push_back(std::move(name));
  }
  if (at != size) return Fail(error, "trailing bytes after the function table");
  return library;
}

GpuFunctionRef GpuLibrary::NewFunction(std::string_view name) const
{
  if (std::find(mNames.begin(), mNames.end(), name) == mNames.end()) return nullptr;
  const GpuBuiltinFunction* builtin = GpuFindBuiltinFunction(name);
  return std::make_shared<const GpuFunction>(
      GpuFunction{std::string(name), builtin->stage, builtin->vertex, builtin->fragment});
}

} // namespace plugin::sys
