// Arbitrary bytes to the property-list reader: no fault, and what it accepts is no deeper than the bound.
#include "platform/mac/system/PropertyList.h"

#include <cstdlib>
#include <string_view>

using namespace plugin::sys;

static void Walk(const PropertyListValue& value, int depth)
{
  if (depth > kMaxPropertyListDepth) std::abort();
  for (const PropertyListValue& element : value.Elements())
    Walk(element, depth + 1);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (const auto value = ParsePropertyList(std::string_view(reinterpret_cast<const char*>(data), size)))
    Walk(*value, 1);
  return 0;
}
