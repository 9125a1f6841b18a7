#include "platform/mac/system/SavePanel.h"

#include "platform/mac/system/MainQueue.h"
#include "platform/mac/system/PathString.h"
#include "platform/mac/system/ScriptedUser.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace plugin::sys {

namespace {

bool SameTypeName(std::string_view a, std::string_view b)
{
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

bool HasAllowedType(const std::string& path, const std::vector<std::string>& types)
{
  const std::string extension = PathExtension(path);
  return std::any_of(types.begin(), types.end(),
                     [&](const std::string& t) { return SameTypeName(t, extension); });
}

bool IsFolder(const std::string& path)
{
  std::error_code error;
  return (!path.empty() && path.back() == '/') || std::filesystem::is_directory(path, error);
}

} // namespace

std::shared_ptr<SavePanel> SavePanel::Create()
{
  std::shared_ptr<SavePanel> panel(new SavePanel(false));
  panel->mOptions.canCreateDirectories = true;
  return panel;
}

std::shared_ptr<OpenPanel> OpenPanel::Create()
{
  return std::make_shared<OpenPanel>();
}

std::vector<std::string> SavePanel::AcceptedPaths(const std::vector<std::string>& answer) const
{
  const auto& types = mOptions.allowedFileTypes;
  if (!mOpenPanel) {
    // Pressing Save without naming a path takes the proposed name in the proposed folder.
    std::string path = !answer.empty() ? answer.front() : std::string();
    if (path.empty() && !mOptions.nameFieldStringValue.empty())
      path = AppendingPathComponent(mOptions.directoryUrl ? mOptions.directoryUrl->Path() : std::string(),
                                    mOptions.nameFieldStringValue);
    if (path.empty()) return {};
    // A name without an allowed type gets the first one.
    if (!types.empty() && !mOptions.allowsOtherFileTypes && !HasAllowedType(path, types))
      path = AppendingPathExtension(path, types.front());
    return {path};
  }
  std::vector<std::string> paths = answer;
  if (paths.size() > 1) paths.resize(1); // one selection at a time
  for (const std::string& path : paths) {
    // The panel greys out what it does not offer; such an answer cannot be given.
    const bool folder = IsFolder(path);
    if (path.empty() || (folder && !mOptions.canChooseDirectories) || (!folder && !mOptions.canChooseFiles) ||
        (!folder && !types.empty() && !HasAllowedType(path, types)))
      return {};
  }
  return paths;
}

long SavePanel::Run(bool sheet)
{
  ScriptedUser& user = ScriptedUser::Shared();
  const PanelAnswer answer = user.TakePanelAnswer();
  mUrls.clear();
  std::vector<std::string> paths = answer.ok ? AcceptedPaths(answer.paths) : std::vector<std::string>{};
  for (const std::string& path : paths)
    if (auto url = Url::FileUrlWithPath(path)) mUrls.push_back(std::move(*url));
  const long response = mUrls.empty() ? kModalResponseCancel : kModalResponseOK;
  user.RecordPanel(PanelRecord{mOpenPanel, sheet, mOptions, response, std::move(paths)});
  return response;
}

long SavePanel::RunModal()
{
  return Run(false);
}

void SavePanel::BeginSheetModalForWindow(Window*, Completion completion)
{
  const long response = Run(true);
  if (completion)
    DispatchAsyncMain(
        [self = shared_from_this(), completion = std::move(completion), response] { completion(response); });
}

std::string SavePanel::Filename() const
{
  return mUrls.empty() ? std::string() : mUrls.front().Path();
}

} // namespace plugin::sys
