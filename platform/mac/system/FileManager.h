#pragma once

#include <string>

// The file manager's existence test. The platform's volumes ignore letter case in names, so this
// one does too: a name matches an entry of its folder exactly or, failing that, ignoring ASCII
// case. Any thread; file-system access; allocates only when a name needs a case-blind match.
namespace plugin::sys {

// True when something (file, folder, or a link to one) exists at path, letter case ignored;
// false for null or "".
bool FileExistsAtPath(const char* path);

// The path as the file system spells it (each component that matched only by ignoring case
// replaced by the entry's own name); "" when nothing exists there.
std::string ExistingPathSpelling(const char* path);

} // namespace plugin::sys
