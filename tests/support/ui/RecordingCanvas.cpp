#include "support/ui/RecordingCanvas.h"

#include "graphics/delegate/ICanvasEditorDelegate.h"
#include "graphics/menu/IPopupMenu.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace plugin::ui::test {

std::atomic<int> CountedBitmap::sLive{0};
std::atomic<int> CountedFont::sLive{0};

CountedBitmap::CountedBitmap(int image, int width, int height, float scale, float drawScale)
    : APIBitmap(image, width, height, scale, drawScale)
{
  ++sLive;
}

CountedBitmap::~CountedBitmap()
{
  --sLive;
}

CountedFont::CountedFont(const char* fontID) : mID(fontID ? fontID : "")
{
  ++sLive;
}

CountedFont::~CountedFont()
{
  --sLive;
}

std::ostream& operator<<(std::ostream& os, const CanvasCall& call)
{
  os << call.op << "(";
  for (size_t i = 0; i < call.args.size(); ++i)
    os << (i ? ", " : "") << call.args[i];
  return os << (call.text.empty() ? "" : " \"" + call.text + "\"") << ")";
}

namespace {

void CopyBytes(const RawBitmapData& from, RawBitmapData& to)
{
  uint8_t* out = to.Resize(from.GetSize());
  if (out) std::memcpy(out, from.Get(), static_cast<size_t>(from.GetSize()));
}

} // namespace

RecordingCanvas::RecordingCanvas(ICanvasEditorDelegateBase& dlg, int width, int height, int fps,
                                 float drawScale)
    : ICanvas(dlg, width, height, fps, drawScale)
{}

RecordingCanvas::~RecordingCanvas() = default;

std::vector<CanvasCall> RecordingCanvas::CallsNamed(const std::string& op) const
{
  std::vector<CanvasCall> out;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
               [&](const CanvasCall& c) { return c.op == op; });
  return out;
}

int RecordingCanvas::Count(const std::string& op) const
{
  return static_cast<int>(CallsNamed(op).size());
}

void RecordingCanvas::OnViewDestroyed()
{
  Rec("OnViewDestroyed");
  RemoveAllControls();
}

void RecordingCanvas::BeginFrame()
{
  ICanvas::BeginFrame();
  Rec("BeginFrame", GetTotalScale());
}

void RecordingCanvas::DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY,
                                 const IBlend* blend)
{
  RecText("DrawBitmap", bitmap.GetResourceName(), dest.L, dest.T, dest.R, dest.B, srcX, srcY, bitmap.W(),
          bitmap.H(), Weight(blend));
}

bool RecordingCanvas::BitmapExtSupported(const char* extension)
{
  std::string ext = extension ? extension : "";
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == "png" || ext == "jpg" || ext == "jpeg";
}

void RecordingCanvas::GetLayerBitmapData(const ILayerPtr&, RawBitmapData& data)
{
  Rec("GetLayerBitmapData", layerPixels.GetSize());
  CopyBytes(layerPixels, data);
}

void RecordingCanvas::ApplyShadowMask(ILayerPtr&, RawBitmapData& mask, const IShadow& shadow)
{
  Rec("ApplyShadowMask", mask.GetSize(), shadow.mXOffset, shadow.mYOffset, shadow.mOpacity,
      shadow.mDrawForeground);
  CopyBytes(mask, lastShadowMask);
}

void RecordingCanvas::PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options,
                                 const IBlend* blend)
{
  const IColor& c = pattern.GetStop(0).mColor;
  Rec("PathStroke", pattern.mType, c.A, c.R, c.G, c.B, thickness, options.mMiterLimit, options.mPreserve,
      options.mCapOption, options.mJoinOption, options.mDash.mCount,
      blend ? blend->mMethod : EBlend::SourceOver, Weight(blend));
}

void RecordingCanvas::PathFill(const IPattern& pattern, const IFillOptions& options, const IBlend* blend)
{
  const IColor& c = pattern.GetStop(0).mColor;
  Rec("PathFill", pattern.mType, c.A, c.R, c.G, c.B, options.mFillRule, options.mPreserve,
      blend ? blend->mMethod : EBlend::SourceOver, Weight(blend));
}

APIBitmap* RecordingCanvas::LoadAPIBitmap(const char* path, int scale, int location, const char*)
{
  RecText("LoadAPIBitmap", path, scale, location);
  if (failBitmapLoads) return nullptr;
  return new CountedBitmap(mNextImage++, bitmapWidth * scale, bitmapHeight * scale, float(scale), 1.f);
}

APIBitmap* RecordingCanvas::LoadAPIBitmapFromMemory(const char* name, const void*, int size, int scale)
{
  RecText("LoadAPIBitmapFromMemory", name, size, scale);
  if (failBitmapLoads) return nullptr;
  return new CountedBitmap(mNextImage++, bitmapWidth * scale, bitmapHeight * scale, float(scale), 1.f);
}

APIBitmap* RecordingCanvas::CreateAPIBitmap(int width, int height, float scale, double drawScale,
                                            bool cacheable)
{
  Rec("CreateAPIBitmap", width, height, scale, drawScale, cacheable);
  return new CountedBitmap(mNextImage++, width, height, scale, float(drawScale));
}

float RecordingCanvas::DoMeasureText(const IText& text, const char* str, IRECT& bounds) const
{
  const float w = kCharWidth * text.mSize * static_cast<float>(std::strlen(str));
  RecText("DoMeasureText", str, text.mSize);
  bounds = IRECT(bounds.L, bounds.T, bounds.L + w, bounds.T + text.mSize);
  return w;
}

void RecordingCanvas::HideMouseCursor(bool hide, bool lock)
{
  Rec("HideMouseCursor", hide, lock);
  mCursorHidden = hide;
  mCursorLocked = hide && lock;
}

void* RecordingCanvas::OpenWindow(void* parent)
{
  Rec("OpenWindow", parent != nullptr);
  if (mWindowOpen) CloseWindow();
  mWindowOpen = true;
  SetScreenScale(screenScaleOnOpen);
  GetCanvasDelegate()->LayoutUI(this);
  UpdateTooltips();
  GetDelegate()->OnUIOpen();
  return GetWindow();
}

void RecordingCanvas::CloseWindow()
{
  Rec("CloseWindow");
  if (!mWindowOpen) return;
  mWindowOpen = false;
  OnViewDestroyed();
}

void RecordingCanvas::PromptForFile(StringBuf& fileName, StringBuf& path, int action, const char* ext,
                                    IFileDialogCompletionHandlerFunc completion)
{
  RecText("PromptForFile", ext, action);
  fileName.Set(fileDialogName.c_str());
  path.Set(fileDialogPath.c_str());
  if (completion) completion(fileName, path);
}

PlatformFontPtr RecordingCanvas::LoadPlatformFont(const char* fontID, const char* fileNameOrResID)
{
  RecText("LoadPlatformFont", fileNameOrResID);
  return failFontLoads ? nullptr : std::make_unique<CountedFont>(fontID);
}

PlatformFontPtr RecordingCanvas::LoadPlatformFontFromMemory(const char* fontID, const void*, int size)
{
  RecText("LoadPlatformFontFromMemory", fontID, size);
  return failFontLoads ? nullptr : std::make_unique<CountedFont>(fontID);
}

PlatformFontPtr RecordingCanvas::LoadPlatformFontByName(const char* fontID, const char* fontName,
                                                        ETextStyle style)
{
  RecText("LoadPlatformFontByName", fontName, style);
  return failFontLoads ? nullptr : std::make_unique<CountedFont>(fontID);
}

void RecordingCanvas::CachePlatformFont(const char* fontID, PlatformFontPtr& font)
{
  RecText("CachePlatformFont", fontID);
  if (cacheTakesFonts) cachedFonts.push_back(std::move(font));
}

IPopupMenu* RecordingCanvas::CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync)
{
  if (beforeMenu) beforeMenu();
  lastMenuItems.clear();
  for (int i = 0; i < menu.NItems(); ++i)
    lastMenuItems.push_back(std::string(menu.GetItem(i)->GetText()) +
                            (menu.GetItem(i)->GetChecked() ? "*" : ""));
  RecText("CreatePlatformPopupMenu", menu.GetRootTitle(), bounds.L, bounds.T, bounds.R, bounds.B,
          menu.NItems());
  isAsync = menuScript.async;
  if (isAsync) return nullptr;
  IPopupMenu* target = &menu;
  for (int idx : menuScript.submenuPath) {
    IPopupMenu::Item* item = target->GetItem(idx);
    if (!item || !item->GetSubmenu()) return nullptr; // a script that leads nowhere dismisses
    target = item->GetSubmenu();
  }
  target->SetChosenItemIdx(menuScript.chosenIdx);
  if (menuScript.chosenIdx < 0) return nullptr;
  target->ExecFunction();
  return target;
}

} // namespace plugin::ui::test
