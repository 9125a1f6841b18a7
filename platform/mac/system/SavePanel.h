#pragma once

#include "platform/mac/system/Url.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// File panels: the save panel (a name in a folder) and the open panel (existing files or
// folders). Each runs modally or as a sheet on a window; the person (ScriptedUser) answers with
// paths or cancels. Main thread only.
namespace plugin::sys {

class Window;

enum ModalResponse : long {
  kModalResponseCancel = 0,
  kModalResponseOK = 1,
};

// What a panel was set up with (recorded for tests as the person saw it).
struct PanelOptions
{
  std::string title;
  std::vector<std::string> allowedFileTypes; // extensions without '.', empty: any
  std::optional<Url> directoryUrl;
  std::string nameFieldStringValue;
  bool allowsOtherFileTypes = false;
  bool floatingPanel = false;
  bool canCreateDirectories = false;
  // Open panels only.
  bool canChooseFiles = true;
  bool canChooseDirectories = false;
  bool resolvesAliases = true;
};

class SavePanel : public std::enable_shared_from_this<SavePanel>
{
public:
  // Called on the main thread once the person has answered a sheet, with the response; may
  // allocate.
  using Completion = std::function<void(long response)>;

  // A new save panel. Allocates.
  static std::shared_ptr<SavePanel> Create();
  virtual ~SavePanel() = default;

  void SetTitle(std::string title) { mOptions.title = std::move(title); }
  void SetAllowedFileTypes(std::vector<std::string> types) { mOptions.allowedFileTypes = std::move(types); }
  void SetDirectoryUrl(std::optional<Url> url) { mOptions.directoryUrl = std::move(url); }
  void SetNameFieldStringValue(std::string name) { mOptions.nameFieldStringValue = std::move(name); }
  void SetAllowsOtherFileTypes(bool allows) noexcept { mOptions.allowsOtherFileTypes = allows; }
  void SetFloatingPanel(bool floating) noexcept { mOptions.floatingPanel = floating; }
  void SetCanCreateDirectories(bool can) noexcept { mOptions.canCreateDirectories = can; }

  // Shows the panel and waits for the answer: OK or cancel.
  long RunModal();

  // Shows the panel as a sheet on window and returns; completion runs from the main queue
  // after the person's answer. An empty completion is allowed.
  void BeginSheetModalForWindow(Window* window, Completion completion);

  // The path chosen with OK (one path: a panel takes one selection); "" otherwise.
  std::string Filename() const;

protected:
  explicit SavePanel(bool openPanel) : mOpenPanel(openPanel) {}
  // The person's answer, checked as the panel would let it through.
  long Run(bool sheet);
  std::vector<std::string> AcceptedPaths(const std::vector<std::string>& answer) const;

  PanelOptions mOptions;
  std::vector<Url> mUrls;
  bool mOpenPanel;
};

class OpenPanel : public SavePanel
{
public:
  // A new open panel. Allocates.
  static std::shared_ptr<OpenPanel> Create();

  void SetCanChooseFiles(bool can) noexcept { mOptions.canChooseFiles = can; }
  void SetCanChooseDirectories(bool can) noexcept { mOptions.canChooseDirectories = can; }
  void SetResolvesAliases(bool resolves) noexcept { mOptions.resolvesAliases = resolves; }

  OpenPanel() : SavePanel(true) {}
};

} // namespace plugin::sys
