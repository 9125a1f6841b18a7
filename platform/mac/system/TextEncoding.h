#pragma once

#include <string_view>

// The string class's number reading. Its texts are converted by the one codec
// (framework/text/UnicodeCodec.h). Pure; any thread.
namespace plugin::sys {

// The string class's integer reading: leading blanks skipped, an optional sign, then decimal
// digits up to the first other unit; 0 when there are none; saturated at the int range.
int Utf16IntValue(std::u16string_view text) noexcept;

} // namespace plugin::sys
