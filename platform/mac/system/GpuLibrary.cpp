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

// The code of name with the entry point of its stage, or null.
const GpuFunctionCode* FindCode(std::span<const GpuFunctionCode> code, std::string_view name,
                                unsigned stage) noexcept
{
  for (const GpuFunctionCode& c : code) {
    if (c.name != name) continue;
    const bool runnable = (c.stage == GpuFunctionStage::Vertex && c.vertex) ||
                          (c.stage == GpuFunctionStage::Fragment && c.fragmentSetup && c.fragment);
    return runnable && static_cast<unsigned>(c.stage) == stage ? &c : nullptr;
  }
  return nullptr;
}

} // namespace

std::shared_ptr<GpuLibrary> GpuLibrary::FromData(const void* data, std::size_t size,
                                                 std::span<const GpuFunctionCode> code, std::string* error)
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
    const GpuFunctionCode* c = FindCode(code, name, stage);
    if (!c) return Fail(error, "no code for a named function");
    if (std::find(library->mNames.begin(), library->mNames.end(), name) != library->mNames.end())
      return Fail(error, "function named twice");
    library->mFunctions.push_back(GpuFunction{name, c->stage, c->vertex, c->fragmentSetup, c->fragment});
    library->mNames.push_back(std::move(name));
  }
  if (at != size) return Fail(error, "trailing bytes after the function table");
  return library;
}

GpuFunctionRef GpuLibrary::NewFunction(std::string_view name) const
{
  const auto it = std::find_if(mFunctions.begin(), mFunctions.end(),
                               [name](const GpuFunction& f) { return f.name == name; });
  return it == mFunctions.end() ? nullptr : std::make_shared<const GpuFunction>(*it);
}

} // namespace plugin::sys
