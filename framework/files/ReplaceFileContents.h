#pragma once

#include <cstddef>

namespace plugin {

// Writes size bytes of data as the whole content of the file at path, as opening the file for
// writing with truncation would, but keeping the old content wherever it can when a write fails:
//  - a symbolic link is followed (to any depth) and its target written; the link stays a link;
//  - an existing file that is not writable by us, or that carries no write permission at all
//    (how a user marks a file read-only, which even the superuser's open would not respect), is
//    refused and kept as it is;
//  - an existing regular file keeps its permission bits, owner and group;
//  - the new content goes into a temporary file beside the target, which is renamed over it once
//    complete: a failed write leaves the old file untouched;
//  - three cases write the existing file in place instead (truncated, then written, as the plain
//    open does): a file with several hard links (a rename would leave the other names with the
//    old content), a folder that takes no new file, and an owner or group that a new file cannot
//    be given (only the superuser gives files away). There the old content is read first and
//    written back after a failed write; a file we may write but not read, or a write-back that
//    fails as well (the disk filled by another writer meanwhile, a failing device), leaves the
//    file holding the part that was written;
//  - a path that names a folder or anything but a regular file, or ends in "/", is refused.
// A missing file is created with mode 0666 less the umask; the folder must exist. True only when
// every byte was written and flushed to the file at its place. Main thread; system calls.
bool ReplaceFileContents(const char* path, const void* data, std::size_t size);

} // namespace plugin
