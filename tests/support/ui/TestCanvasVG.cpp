#include "support/ui/TestCanvasVG.h"

#include "graphics/ICanvasEditorDelegate.h"
#include "support/ui/FontFiles.h"

#include <cstring>

namespace plugin::ui::test {

namespace {

// Offset of a table in a single face's directory; 0 when missing or when the directory does not
// fit the bytes (hostile files are read too).
uint32_t TableOffset(const fonttest::Bytes& font, const char* tag)
{
  if (font.size() < 12) return 0;
  const size_t numTables = (size_t{font[4]} << 8) | font[5];
  for (size_t i = 0; i < numTables; ++i) {
    const size_t record = 12 + 16 * i;
    if (record + 16 > font.size()) return 0;
    if (std::memcmp(&font[record], tag, 4) == 0) return fonttest::GetU32(font, record + 8);
  }
  return 0;
}

} // namespace

std::atomic<int> FileFontDouble::sLive{0};
std::atomic<int> FileFontDouble::sDataHandedOut{0};

FileFontDouble::FileFontDouble(std::string path) : mPath(std::move(path))
{
  ++sLive;
}

FileFontDouble::~FileFontDouble()
{
  --sLive;
}

std::unique_ptr<IFontData> FileFontDouble::GetFontData() const
{
  auto data = std::make_unique<IFontData>();
  const fonttest::Bytes bytes = fonttest::ReadFile(mPath);
  ++sDataHandedOut;
  if (bytes.size() < 12) return data;
  void* copy = data->mBytes.Resize(static_cast<int>(bytes.size()));
  if (!copy) return data;
  std::memcpy(copy, bytes.data(), bytes.size());
  data->mFaceData = data->GetBytes();
  data->mFaceIndex = 0;
  data->mHeadOffset = TableOffset(bytes, "head");
  data->mNameOffset = TableOffset(bytes, "name");
  data->mHheaOffset = TableOffset(bytes, "hhea");
  return data;
}

TestCanvasVG::TestCanvasVG(ICanvasEditorDelegateBase& dlg, int width, int height,
                           const ICanvasVGBackend& backend, float drawScale, int fps)
    : ICanvasVG(dlg, width, height, fps, drawScale)
{
  SetBackend(backend);
}

TestCanvasVG::~TestCanvasVG()
{
  if (closeOnDestroy) CloseWindow();
}

void TestCanvasVG::OpenOn(void* layer, float screenScale)
{
  OnViewInitialized(layer);
  SetScreenScale(screenScale); // makes the main framebuffer
  mWindowOpen = true;
  GetCanvasDelegate()->LayoutUI(this);
}

void* TestCanvasVG::OpenWindow(void* parent)
{
  OpenOn(parent);
  return &mWindowToken;
}

void TestCanvasVG::CloseWindow()
{
  if (!mWindowOpen) return;
  mWindowOpen = false;
  OnViewDestroyed();
}

PlatformFontPtr TestCanvasVG::LoadPlatformFont(const char*, const char* fileNameOrResID)
{
  if (!fileNameOrResID || fonttest::ReadFile(fileNameOrResID).empty()) return nullptr;
  return std::make_unique<FileFontDouble>(fileNameOrResID);
}

} // namespace plugin::ui::test
