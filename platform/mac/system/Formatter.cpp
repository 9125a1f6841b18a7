#include "platform/mac/system/Formatter.h"

namespace plugin::sys {

bool Formatter::IsPartialStringValid(const std::u16string&, std::optional<std::u16string>*, std::string*)
{
  return true;
}

std::optional<std::u16string> Formatter::StringForObjectValue(const std::optional<std::u16string>& object)
{
  return object;
}

bool Formatter::GetObjectValue(std::optional<std::u16string>* object, const std::u16string& text,
                               std::string*)
{
  if (object) *object = text;
  return true;
}

} // namespace plugin::sys
