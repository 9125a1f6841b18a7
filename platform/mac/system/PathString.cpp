#include "platform/mac/system/PathString.h"

namespace plugin::sys {

namespace {

// Repeated separators folded into one and a trailing one dropped (the root stays "/").
std::string Standardized(std::string_view path)
{
  std::string out;
  out.reserve(path.size());
  for (char c : path) {
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out += c;
  }
  if (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

// Index of the '.' that starts the extension of the last component, or npos.
size_t ExtensionDot(const std::string& path)
{
  const size_t slash = path.rfind('/');
  const size_t start = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot <= start) return std::string::npos; // none, or ".hidden"
  return dot;
}

} // namespace

std::string LastPathComponent(std::string_view path)
{
  const std::string p = Standardized(path);
  if (p == "/") return p;
  const size_t slash = p.rfind('/');
  return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::string DeletingLastPathComponent(std::string_view path)
{
  const std::string p = Standardized(path);
  if (p == "/") return p;
  const size_t slash = p.rfind('/');
  if (slash == std::string::npos) return std::string();
  if (slash == 0) return "/";
  return p.substr(0, slash);
}

std::string AppendingPathComponent(std::string_view path, std::string_view component)
{
  if (path.empty()) return Standardized(component);
  if (component.empty()) return Standardized(path);
  std::string joined(path);
  joined += '/';
  joined += component;
  return Standardized(joined);
}

std::string PathExtension(std::string_view path)
{
  const std::string p = Standardized(path);
  const size_t dot = ExtensionDot(p);
  return dot == std::string::npos ? std::string() : p.substr(dot + 1);
}

std::string DeletingPathExtension(std::string_view path)
{
  std::string p = Standardized(path);
  const size_t dot = ExtensionDot(p);
  if (dot != std::string::npos) p.resize(dot);
  return p;
}

std::string AppendingPathExtension(std::string_view path, std::string_view extension)
{
  std::string p = Standardized(path);
  if (extension.empty()) return p;
  p += '.';
  p += extension;
  return p;
}

std::string ExpandingTildeInPath(std::string_view path, std::string_view home)
{
  if (path.empty() || path[0] != '~' || (path.size() > 1 && path[1] != '/')) return std::string(path);
  std::string expanded(home);
  expanded += path.substr(1);
  return Standardized(expanded);
}

} // namespace plugin::sys
