// Feeds arbitrary bytes to the system layer's property-list reader: it reads without fault, and
// whatever it accepts is a tree no deeper than the bound whose dictionaries answer for their keys.
#include "platform/mac/system/PropertyList.h"

#include <cstdlib>
#include <string_view>

using namespace plugin::sys;

namespace {

void Walk(const PropertyListValue& value, int depth)
{
  if (depth > kMaxPropertyListDepth) std::abort();
  for (const PropertyListValue& element : value.Elements())
    Walk(element, depth + 1);
  if (value.GetKind() == PropertyListValue::Kind::Dictionary) value.ValueForKey("hotx-scaled");
  if (value.GetKind() != PropertyListValue::Kind::Number && value.Number()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto value = ParsePropertyList(text)) Walk(*value, 1);
  return 0;
}
