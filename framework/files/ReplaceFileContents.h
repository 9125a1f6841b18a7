#pragma once

#include <cstddef>

namespace plugin {

// Writes size bytes of data as the whole content of the file at path, as opening the file for
// writing with truncation would, but without losing the old file to a failed write:
//  - a symbolic link is followed (to any depth) and its target written; the link stays a link;
//  - an existing file that is not writable by us, or that carries no write permission at all
//    (how a user marks a file read-only, which even the superuser's open would not respect), is
//    refused and kept as it is;
//  - an existing regular file keeps its permission bits, owner and group;
//  - the new content goes into a temporary file beside the target, which is renamed over it once
//    complete; where a rename would change what other names see (a file with several hard
//    links) or could not keep the owner, or the folder takes no new file, the existing file is
//    truncated and written in place instead, as the plain open does;
//  - a path that names a folder or anything but a regular file, or ends in "/", is refused.
// A missing file is created with mode 0666 less the umask; the folder must exist. True only when
// every byte was written and flushed to the file at its place. Main thread; system calls.
bool ReplaceFileContents(const char* path, const void* data, std::size_t size);

} // namespace plugin
