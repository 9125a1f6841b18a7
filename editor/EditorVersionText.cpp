#include "editor/EditorVersionText.h"

#include "framework/buffers/StringBuf.h"
#include "framework/plugin/IPluginBase.h"

namespace plugin::ui {

std::string EditorVersionText(const IPluginBase& plugin)
{
  StringBuf version;
  plugin.GetPluginVersionStr(version);
  StringBuf text;
  text.SetFormatted(100, "%s %s %s", version.Get(), plugin.GetArchString(), plugin.GetAPIString());
  return text.Get();
}

} // namespace plugin::ui
