#include "platform/mac/ICanvasMac.h"
#include "platform/mac/ICanvasView.h"
#include "platform/mac/system/Alert.h"
#include "platform/mac/system/Application.h"
#include "platform/mac/system/FileManager.h"
#include "platform/mac/system/Pasteboard.h"
#include "platform/mac/system/PathString.h"
#include "platform/mac/system/SavePanel.h"
#include "platform/mac/system/StandardFolders.h"
#include "platform/mac/system/Workspace.h"

#include <cstring>
#include <sstream>

// The context's services: clipboard, file drags, message boxes, file and folder panels, the
// colour panel, addresses and the file browser.

namespace plugin::ui {

namespace {

constexpr double kDragIconSize = 64.0;

// Message-box result codes.
constexpr int kResultOK = 1, kResultCancel = 2, kResultRetry = 4, kResultYes = 6, kResultNo = 7;

struct MessageBoxButtons
{
  std::vector<const char*> titles;
  std::vector<int> results; // by button; a response past them gives the last
};

MessageBoxButtons ButtonsForType(int type)
{
  switch (type) {
  case 0:
    return {{"OK"}, {kResultOK}};
  case 1:
    return {{"OK", "Cancel"}, {kResultOK, kResultCancel}};
  case 3:
    return {{"Yes", "No", "Cancel"}, {kResultYes, kResultNo, kResultCancel}};
  case 4:
    return {{"Yes", "No"}, {kResultYes, kResultNo}};
  case 5:
    return {{"Retry", "Cancel"}, {kResultRetry, kResultCancel}};
  default:
    return {{}, {kResultCancel}}; // the alert shows its default button
  }
}

std::vector<std::string> SplitTypes(const char* ext)
{
  std::vector<std::string> types;
  if (!ext) return types;
  std::istringstream in(ext);
  for (std::string type; std::getline(in, type, ' ');)
    if (!type.empty()) types.push_back(type);
  return types;
}

// The chosen path and its folder (ending in "/").
void TakePanelResult(const sys::SavePanel& panel, long response, StringBuf& fileName, StringBuf& path)
{
  if (response != sys::kModalResponseOK) return;
  const std::string chosen = panel.Filename();
  fileName.Set(chosen.c_str());
  path.Set((sys::DeletingLastPathComponent(chosen) + "/").c_str());
}

std::optional<sys::Url> FolderUrl(const char* dir)
{
  return sys::Url::FileUrlWithPath(sys::ExpandingTildeInPath(dir ? dir : "", sys::HomeDirectory()));
}

} // namespace

// --- Clipboard ---

bool ICanvasMac::GetTextFromClipboard(StringBuf& str)
{
  const auto text = sys::Pasteboard::General().StringForType(sys::kPasteboardTypeString);
  str.Set(text ? text->c_str() : "");
  return text.has_value();
}

bool ICanvasMac::SetTextInClipboard(const char* str)
{
  sys::Pasteboard& board = sys::Pasteboard::General();
  board.ClearContents();
  return board.SetString(str ? str : "", sys::kPasteboardTypeString);
}

bool ICanvasMac::SetFilePathInClipboard(const char* path)
{
  sys::Pasteboard& board = sys::Pasteboard::General();
  board.ClearContents();
  const auto url = sys::Url::FileUrlWithPath(path ? path : "");
  return url && board.WriteObjects({*url});
}

// --- File drags ---

bool ICanvasMac::InitiateExternalFileDragDrop(const char* path, const IRECT& iconBounds)
{
  const auto url = sys::Url::FileUrlWithPath(path ? path : "");
  if (!mView || !url) return false;
  sys::DraggingItem item;
  item.pasteboardWriter.SetString(url->AbsoluteString(), sys::kPasteboardTypeFileUrl);
  item.draggingFrame = ScaledRect(iconBounds);
  item.contents = sys::Workspace::Shared().IconForFile(url->Path());
  if (item.contents) item.contents->SetSize({kDragIconSize, kDragIconSize});
  const sys::DraggingSessionRef session = mView->BeginDraggingSession({item}, sys::CurrentEvent(), *mView);
  if (session) {
    session->SetAnimatesToStartingPositionsOnCancelOrFail(true);
    session->SetDraggingFormation(sys::DraggingFormation::None);
  }
  ReleaseMouseCapture();
  // Outside an event there is nothing to drag with.
  return session != nullptr;
}

// --- Message boxes ---

int ICanvasMac::ShowMessageBox(const char* str, const char* caption, int type,
                               IMsgBoxCompletionHandlerFunc completion)
{
  ReleaseMouseCapture();
  sys::Alert alert;
  alert.SetMessageText(caption ? caption : "");
  alert.SetInformativeText(str ? str : "");
  const MessageBoxButtons buttons = ButtonsForType(type);
  for (const char* title : buttons.titles)
    alert.AddButtonWithTitle(title);
  const long response = alert.RunModal() - sys::Alert::kFirstButtonReturn;
  const bool known = response >= 0 && response < static_cast<long>(buttons.results.size());
  const int result = known ? buttons.results[static_cast<size_t>(response)] : buttons.results.back();
  if (completion) completion(result);
  return result;
}

// --- File and folder panels ---

void ICanvasMac::PromptForFile(StringBuf& fileName, StringBuf& path, int action, const char* ext,
                               IFileDialogCompletionHandlerFunc completion)
{
  if (!mView) {
    fileName.Set("");
    return;
  }
  const std::string initialName = fileName.Get();
  const std::string initialDir = path.Get();
  fileName.Set("");

  std::shared_ptr<sys::SavePanel> panel;
  if (action == 1) {
    panel = sys::SavePanel::Create();
    panel->SetNameFieldStringValue(initialName);
    panel->SetAllowsOtherFileTypes(false);
  } else {
    auto open = sys::OpenPanel::Create();
    open->SetCanChooseFiles(true);
    open->SetCanChooseDirectories(false);
    open->SetResolvesAliases(true);
    panel = open;
  }
  panel->SetAllowedFileTypes(SplitTypes(ext));
  panel->SetDirectoryUrl(initialDir.empty() ? std::nullopt : sys::Url::FileUrlWithPath(initialDir));
  panel->SetFloatingPanel(true);

  if (!completion) {
    TakePanelResult(*panel, panel->RunModal(), fileName, path);
    return;
  }
  panel->BeginSheetModalForWindow(mView->GetWindow(), [panel, completion](long response) {
    StringBuf chosenName, chosenPath;
    TakePanelResult(*panel, response, chosenName, chosenPath);
    completion(chosenName, chosenPath);
  });
}

void ICanvasMac::PromptForDirectory(StringBuf& dir, IFileDialogCompletionHandlerFunc completion)
{
  if (dir.GetLength() == 0) dir.Set("~/Desktop");
  auto panel = sys::OpenPanel::Create();
  panel->SetTitle("Choose a Directory");
  panel->SetCanChooseFiles(false);
  panel->SetCanChooseDirectories(true);
  panel->SetResolvesAliases(true);
  panel->SetCanCreateDirectories(true);
  panel->SetFloatingPanel(true);
  panel->SetDirectoryUrl(FolderUrl(dir.Get()));

  const auto result = [](const sys::OpenPanel& p, long response, StringBuf& out) {
    const std::string chosen = response == sys::kModalResponseOK ? p.Filename() : std::string();
    out.Set(chosen.empty() ? "" : (chosen + "/").c_str());
  };
  if (!completion) {
    result(*panel, panel->RunModal(), dir);
    return;
  }
  panel->BeginSheetModalForWindow(mView ? mView->GetWindow() : nullptr,
                                  [panel, completion, result](long response) {
                                    StringBuf chosen;
                                    result(*panel, response, chosen);
                                    completion(StringBuf(), chosen);
                                  });
}

bool ICanvasMac::PromptForColor(IColor& color, const char*, IColorPickerHandlerFunc completion)
{
  if (!mView) return false;
  return mView->PromptForColor(color, std::move(completion));
}

// --- Addresses and the file browser ---

bool ICanvasMac::OpenURL(const char* url, const char*, const char*, const char*)
{
  const char* text = url ? url : "";
  const auto address =
      std::strstr(text, "http") ? sys::Url::WithString(text) : sys::Url::FileUrlWithPath(text);
  // No address could be made of the text: nothing was opened.
  if (!address) return false;
  return sys::Workspace::Shared().OpenUrl(*address);
}

bool ICanvasMac::RevealPathInFileBrowser(StringBuf& path, bool select)
{
  if (path.GetLength() == 0 || sys::ExistingPathSpelling(path.Get()).empty()) return false;
  sys::Workspace& workspace = sys::Workspace::Shared();
  if (!select) return workspace.OpenFile(path.Get());
  const std::string parent = sys::DeletingLastPathComponent(path.Get());
  if (parent.empty() || !workspace.OpenFile(parent)) return false;
  return workspace.SelectFile(path.Get(), parent);
}

} // namespace plugin::ui
