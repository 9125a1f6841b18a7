#include "graphics/resources/ResourceNames.h"

#include <cstring>

namespace plugin::ui {

std::vector<int> ImageScaleOrder(int targetScale)
{
  const int target = targetScale < 1 ? 1 : targetScale;
  std::vector<int> order{target};
  int last = target;
  if (target != kMaxResourceScale) order.push_back(last = kMaxResourceScale);
  for (int scale = last - 1; scale >= 1; --scale)
    if (scale != target) order.push_back(scale);
  return order;
}

void ScaledResourceName(const char* name, int scale, StringBuf& out)
{
  if (!name) name = "";
  if (scale == 1) {
    out.Set(name);
    return;
  }
  const char* fileName = name;
  for (const char* c = name; *c; ++c)
    if (*c == '/' || *c == '\\') fileName = c + 1;
  const char* dot = std::strrchr(fileName, '.');
  const int baseLen = static_cast<int>(dot ? dot - name : std::strlen(name));
  out.Set(name, baseLen);
  out.AppendFormatted(16, "@%dx", scale);
  if (dot) out.Append(dot);
}

std::string BitmapExtension(const char* name)
{
  if (!name) return std::string();
  const char* dot = std::strrchr(name, '.');
  return dot ? std::string(dot + 1) : std::string(name);
}

} // namespace plugin::ui
