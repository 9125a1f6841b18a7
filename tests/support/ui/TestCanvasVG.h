#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"
#include "graphics/renderer/ICanvasVG.h"
#include "graphics/resources/LocateResource.h"
#include "support/ui/FontFiles.h"

#include <atomic>
#include <cstring>
#include <string>

namespace plugin::ui::test {

// A platform font that reads its file itself: the whole file, face 0, and the head, name and hhea
// tables of the file's directory (read with bounds checks: tests hand it hostile files too).
// Counts the live fonts and the records handed out.
class FileFontDouble : public PlatformFont
{
public:
  explicit FileFontDouble(std::string path) : mPath(std::move(path)) { ++sLive; }
  ~FileFontDouble() override { --sLive; }

  std::unique_ptr<IFontData> GetFontData() const override
  {
    auto data = std::make_unique<IFontData>();
    const fonttest::Bytes bytes = fonttest::ReadFile(mPath);
    ++sDataHandedOut;
    if (bytes.size() < 12 || !data->mBytes.Resize(static_cast<int>(bytes.size()))) return data;
    std::memcpy(data->mBytes.Get(), bytes.data(), bytes.size());
    data->mFaceData = data->GetBytes();
    for (size_t i = 0, n = (size_t{bytes[4]} << 8) | bytes[5]; i < n && 28 + 16 * i <= bytes.size(); ++i) {
      const uint8_t* record = &bytes[12 + 16 * i];
      const uint32_t offset = fonttest::GetU32(bytes, 12 + 16 * i + 8);
      if (!std::memcmp(record, "head", 4)) data->mHeadOffset = offset;
      if (!std::memcmp(record, "name", 4)) data->mNameOffset = offset;
      if (!std::memcmp(record, "hhea", 4)) data->mHheaOffset = offset;
    }
    return data;
  }

  static inline std::atomic<int> sLive{0};
  static inline std::atomic<int> sDataHandedOut{0};

private:
  std::string mPath;
};

// The drawing backend with the platform slots a test needs: fonts are files read by
// FileFontDouble (the name is the path), the window is a token, and everything else answers
// nothing. The render backend is the test's.
class TestCanvasVG : public ICanvasVG
{
public:
  TestCanvasVG(ICanvasEditorDelegateBase& dlg, int width, int height, const ICanvasVGBackend& backend,
               float drawScale = 1.f)
      : ICanvasVG(dlg, width, height, 60, drawScale)
  {
    SetBackend(backend);
  }
  // The view goes first, as the platform's graphics context closes it (unless told not to).
  ~TestCanvasVG() override
  {
    if (closeOnDestroy) CloseWindow();
  }
  bool closeOnDestroy = true;

  // Initialises the view on the backend's platform layer, sets the screen scale (which makes the
  // main framebuffer) and lays the UI out.
  void OpenOn(void* layer, float screenScale = 1.f)
  {
    OnViewInitialized(layer);
    SetScreenScale(screenScale);
    mWindowOpen = true;
    GetCanvasDelegate()->LayoutUI(this);
  }
  void* OpenWindow(void* parent) override { return OpenOn(parent), &mWindowOpen; }
  void CloseWindow() override
  {
    if (std::exchange(mWindowOpen, false)) OnViewDestroyed();
  }
  void* GetWindow() override { return mWindowOpen ? &mWindowOpen : nullptr; }
  PlatformFontPtr LoadPlatformFont(const char*, const char* path) override
  {
    return path && !fonttest::ReadFile(path).empty() ? std::make_unique<FileFontDouble>(path) : nullptr;
  }

  void GetMouseLocation(float& x, float& y) const override { x = y = 0.f; }
  void HideMouseCursor(bool hide, bool) override { mCursorHidden = hide; }
  void MoveMouseCursor(float, float) override {}
  void EndPlatformTextEntry() override {}
  bool GetTextFromClipboard(StringBuf&) override { return false; }
  bool SetTextInClipboard(const char*) override { return false; }
  void UpdateTooltips() override {}
  int ShowMessageBox(const char*, const char*, int, IMsgBoxCompletionHandlerFunc) override { return 0; }
  void PromptForFile(StringBuf&, StringBuf&, int, const char*, IFileDialogCompletionHandlerFunc) override {}
  void PromptForDirectory(StringBuf&, IFileDialogCompletionHandlerFunc) override {}
  bool PromptForColor(IColor&, const char*, IColorPickerHandlerFunc) override { return false; }
  bool OpenURL(const char*, const char*, const char*, const char*) override { return false; }
  PlatformFontPtr LoadPlatformFontFromMemory(const char*, const void*, int) override { return nullptr; }
  PlatformFontPtr LoadPlatformFontByName(const char*, const char*, ETextStyle) override { return nullptr; }
  void CachePlatformFont(const char*, PlatformFontPtr&) override {}
  void CreatePlatformTextEntry(int, const IText&, const IRECT&, int, const char*) override {}
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu&, const IRECT&, bool& isAsync) override
  {
    return isAsync = false, nullptr;
  }

private:
  bool mWindowOpen = false;
};

// The drawing backend whose fonts are resource files, found by file name through the toolkit's
// resource locator as the platform finds a bundle's fonts.
class LocatedFontsCanvasVG : public TestCanvasVG
{
public:
  using TestCanvasVG::TestCanvasVG;
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileName) override
  {
    StringBuf path;
    if (LocateResource(fileName, "ttf", path, "", nullptr, "") == kResourceNotFound) return nullptr;
    return TestCanvasVG::LoadPlatformFont(fontID, path.Get());
  }
};

} // namespace plugin::ui::test
