#include "editor/Utf8Text.h"

#include "framework/text/UnicodeCodec.h"

namespace plugin::ui {

std::string FirstCharacters(std::string_view text, std::size_t maxChars)
{
  std::size_t end = 0;
  for (std::size_t chars = 0; chars < maxChars && end < text.size(); ++chars)
    end += text::DecodeUtf8(text, end).length;
  return std::string(text.substr(0, end));
}

} // namespace plugin::ui
