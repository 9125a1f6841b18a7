#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Whole-file operations used for the user preset files, shared by the engine and the editor.
// Main thread only (a construction lock may stand in for it); none of them throws.

// The text that stands for a file that is missing or cannot be read.
inline constexpr std::string_view kMissingFileText = "nada";

// Files larger than this are treated as missing when read.
inline constexpr std::size_t kMaxReadFileBytes = 1024 * 1024;

// The home folder: the passwd entry's directory when there is a non-empty one, else the
// non-empty homeEnv (the value of $HOME), else nothing. Pure, so both cases are testable.
std::optional<std::string> ChooseHomeFolder(const char* passwdDir, const char* homeEnv);

// The current user's home folder (passwd entry, else $HOME), or nothing.
std::optional<std::string> HomeFolder();

// The path with a leading "~" replaced by the home folder; other paths come back unchanged.
// Expansions are cached per path. A "~" path with no known home folder gives "" (which every
// file operation here fails on) and is not cached.
std::string ExpandTildePath(const std::string& path);

// The whole content of the regular file at the expanded path, byte for byte; "nada" when it
// cannot be opened or read, is not a regular file, or is larger than kMaxReadFileBytes.
std::string ReadFileToString(const std::string& path);

// Replaces the file at the expanded path with content: creates the whole folder path, then
// writes as ReplaceFileContents does (a temporary file renamed into place; a link is written
// through, permissions are kept, a read-only file is refused and kept). True only when every
// byte was written and the file is in place. On failure the earlier file is left as it was,
// except where it is written in place (several hard links, a folder that takes no new file, an
// owner a new file cannot be given) and its old content could not be read or written back: then
// it keeps the part written.
bool WriteStringToFile(const std::string& path, const std::string& content);

// Removes the file at the expanded path; true only when it existed and was removed.
bool DeleteFileAtPath(const std::string& path);
