#pragma once

#include "framework/fonttables/FontDirectory.h"

#include <cstdint>
#include <string>

// Names from a face's 'name' table. Pure; any thread; allocates its result.
namespace plugin::fonts {

// The name with that id from a 'name' table (every read stays inside the table): the first record
// of platform 3, encoding 1, language 1033 (UTF-16 big-endian, converted to UTF-8); when that
// gives nothing, the first record of platform 1, encoding 0, language 0 (single-byte text up to
// its length or its first zero byte; a length of 0 reads up to the next zero byte). UTF-16 text
// ends at a zero unit; a lone surrogate becomes U+FFFD. "" when no record fits inside the table.
std::string ReadFontName(const FontBytes& bytes, const FontTable& nameTable, uint16_t nameId);

} // namespace plugin::fonts
