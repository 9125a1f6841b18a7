#include "platform/mac/system/FontRegistry.h"

#include "framework/buffers/WholeFile.h"
#include "framework/fonttables/FontDirectory.h"
#include "platform/mac/system/FontFaceNames.h"
#include "platform/mac/system/FontFaceValidation.h"
#include "platform/mac/system/PathString.h"
#include "platform/mac/system/StandardFolders.h"

#include <algorithm>
#include <filesystem>
#include <strings.h>

namespace plugin::sys {

namespace {

// A garbage collection header may claim billions of faces; real collections hold a few dozen.
constexpr int kMaxFacesPerFile = 256;
constexpr int kMaxFolderDepth = 8;

bool IsFontFileName(const std::string& path)
{
  const std::string ext = PathExtension(path);
  for (const char* known : {"ttf", "otf", "ttc"})
    if (::strcasecmp(ext.c_str(), known) == 0) return true;
  return false;
}

// Font files below folder, sorted by path; unreadable parts are skipped.
std::vector<std::string> FontFilesIn(const std::string& folder)
{
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  std::error_code ec;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it.depth() >= kMaxFolderDepth) it.disable_recursion_pending();
    std::error_code typeError;
    if (it->is_regular_file(typeError) && IsFontFileName(it->path().string()))
      files.push_back(it->path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// "<home>/Library/Fonts", "<root>/Library/Fonts", "<root>/System/Library/Fonts".
std::vector<std::string> DefaultFolders()
{
  const std::string root = SystemRootDirectory();
  return {AppendingPathComponent(HomeDirectory(), "Library/Fonts"),
          AppendingPathComponent(root, "Library/Fonts"),
          AppendingPathComponent(root, "System/Library/Fonts")};
}

void AddFacesOfFile(const std::string& path, std::vector<std::shared_ptr<const FontDescriptor>>& fonts)
{
  IByteChunk data;
  if (!ReadWholeFile(path.c_str(), data)) return;
  const fonts::FontBytes bytes(data.GetData(), static_cast<size_t>(data.Size()));
  const int faces = std::min(fonts::CountFontFaces(bytes), kMaxFacesPerFile);
  for (int i = 0; i < faces; ++i) {
    if (!IsUsableFontFace(bytes, i)) continue;
    FontFaceNames names = ReadFontFaceNames(bytes, i);
    fonts.push_back(FontDescriptor::CreateWithAttributes(
        {std::move(names.family), std::move(names.style), FileUrl::FromPath(path.c_str())}));
  }
}

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
  return a.size() == b.size() && ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

} // namespace

FontRegistry& FontRegistry::Shared()
{
  static FontRegistry registry;
  return registry;
}

void FontRegistry::SetFolders(std::vector<std::string> folders)
{
  std::lock_guard<std::mutex> lock(mMutex);
  mFolders = std::move(folders);
}

std::vector<std::string> FontRegistry::Folders() const
{
  std::lock_guard<std::mutex> lock(mMutex);
  return mFolders.empty() ? DefaultFolders() : mFolders;
}

std::vector<std::shared_ptr<const FontDescriptor>> FontRegistry::Match(const std::string& family,
                                                                       const std::string& style)
{
  std::vector<std::shared_ptr<const FontDescriptor>> matches;
  if (family.empty() || style.empty()) return matches;
  std::lock_guard<std::mutex> lock(mMutex);
  ScanIfStale();
  for (const auto& font : mFonts)
    if (EqualIgnoringCase(font->FamilyName(), family) && font->StyleName() == style) matches.push_back(font);
  return matches;
}

void FontRegistry::ScanIfStale()
{
  std::vector<std::string> folders = mFolders.empty() ? DefaultFolders() : mFolders;
  if (mScanned && folders == mScannedFolders) return;
  mFonts.clear();
  for (const std::string& folder : folders)
    for (const std::string& file : FontFilesIn(folder))
      AddFacesOfFile(file, mFonts);
  mScannedFolders = std::move(folders);
  mScanned = true;
}

} // namespace plugin::sys
