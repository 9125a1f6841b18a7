// Feeds arbitrary bytes to the system layer's string reading and addresses: the number and the
// character classes of any text read without fault, an address formed from a text must spell that
// text, and a file address must give back the absolute path it was made from.
#include "framework/text/UnicodeCodec.h"
#include "platform/mac/system/CharacterSet.h"
#include "platform/mac/system/TextEncoding.h"
#include "platform/mac/system/Url.h"

#include <cstdlib>
#include <string>

using namespace plugin::sys;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::u16string utf16 = plugin::text::Utf8ToUtf16(bytes);
  Utf16IntValue(utf16);
  const CharacterSet alphanumerics = CharacterSet::Alphanumerics();
  for (char16_t unit : utf16)
    alphanumerics.IsMember(unit);

  if (const auto url = Url::WithString(bytes)) {
    if (url->AbsoluteString() != bytes) std::abort();
    url->Scheme();
    url->Path();
  }

  if (!bytes.empty() && bytes.front() == '/' && bytes.find('\0') == std::string_view::npos) {
    const auto file = Url::FileUrlWithPath(bytes);
    if (!file || Url::WithString(file->AbsoluteString()) != file) std::abort();
    std::string expected(bytes);
    while (expected.size() > 1 && expected.back() == '/')
      expected.pop_back();
    if (file->Path() != expected) std::abort();
  }
  return 0;
}
