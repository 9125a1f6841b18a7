#pragma once

#include <string>
#include <string_view>

// Path texts the way the platform's string class treats them: '/' separates components, a
// trailing '/' is dropped except for the root, and repeated separators count as one.
// Pure functions; any thread.
namespace plugin::sys {

// The last component ("/a/b.ttf" -> "b.ttf", "/a/" -> "a", "/" -> "/", "" -> "").
std::string LastPathComponent(std::string_view path);

// The path without its last component ("/a/b" -> "/a", "/a" -> "/", "b" -> "", "/" -> "/").
std::string DeletingLastPathComponent(std::string_view path);

// path + "/" + component with exactly one separator between them ("" + "b" -> "b").
std::string AppendingPathComponent(std::string_view path, std::string_view component);

// The extension of the last component: the text after its last '.', "" when there is none or
// the component starts with its only '.' (".hidden").
std::string PathExtension(std::string_view path);

// The path without the extension of its last component, folder parts kept.
std::string DeletingPathExtension(std::string_view path);

// path + "." + extension (an empty extension leaves the path as it is, trailing '/' dropped).
std::string AppendingPathExtension(std::string_view path, std::string_view extension);

// A leading "~" or "~/" replaced by home; anything else (also "~user") comes back unchanged.
std::string ExpandingTildeInPath(std::string_view path, std::string_view home);

} // namespace plugin::sys
