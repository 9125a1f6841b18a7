#include "framework/plugin/BuildInfo.h"

#include "BuildConfig.h" // generated at configure time

namespace plugin {

const char* FrameworkVersionText() noexcept
{
  return KELMO_BUILD_VERSION;
}

const char* FrameworkBuildText() noexcept
{
  return "Kelmo framework " KELMO_BUILD_VERSION " (" KELMO_BUILD_TYPE ", " KELMO_BUILD_COMPILER ")";
}

} // namespace plugin
