#include "framework/presets/IPreset.h"

#include <cstring>

namespace plugin {

void IPreset::SetName(const char* name) noexcept
{
  if (!name) name = "";
  const size_t len = strnlen(name, kMaxNameLen - 1);
  std::memmove(mName, name, len);
  mName[len] = 0;
}

} // namespace plugin
