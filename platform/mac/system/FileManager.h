#pragma once

#include <string>

// The file manager's existence test. The platform's volumes ignore letter case in names, so this
// one does too: a name matches an entry of its folder exactly or, failing that, ignoring ASCII
// case. Any thread; file-system access; allocates.
namespace plugin::sys {

// Whether something (file, folder, or a link to one) exists at path, letter case ignored: the
// path as the file system spells it (each component that matched only by ignoring case
// replaced by the entry's own name), or "" when nothing exists there (also for null or "").
std::string ExistingPathSpelling(const char* path);

} // namespace plugin::sys
