#pragma once

// The file manager's existence test. Any thread; no allocation.
namespace plugin::sys {

// True when something (file, folder, or a link to one) exists at path; false for null or "".
bool FileExistsAtPath(const char* path) noexcept;

} // namespace plugin::sys
