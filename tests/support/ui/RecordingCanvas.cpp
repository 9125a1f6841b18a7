#include "support/ui/RecordingCanvas.h"

#include "graphics/ICanvasEditorDelegate.h"
#include "graphics/IPopupMenu.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

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
  if (!call.text.empty()) os << (call.args.empty() ? "" : ", ") << '"' << call.text << '"';
  return os << ")";
}

namespace {

double BlendWeight(const IBlend* blend)
{
  return blend ? blend->mWeight : 1.0;
}

double BlendMethod(const IBlend* blend)
{
  return blend ? static_cast<double>(blend->mMethod) : 0.0;
}

std::vector<double> RectArgs(const IRECT& r)
{
  return {r.L, r.T, r.R, r.B};
}

} // namespace

RecordingCanvas::RecordingCanvas(ICanvasEditorDelegate& dlg, int width, int height, int fps, float drawScale)
    : ICanvas(dlg, width, height, fps, drawScale)
{}

RecordingCanvas::~RecordingCanvas() = default;

void RecordingCanvas::Record(const char* op, std::vector<double> args, const char* text) const
{
  calls.push_back({op, std::move(args), text ? text : ""});
}

std::vector<CanvasCall> RecordingCanvas::CallsNamed(const std::string& op) const
{
  std::vector<CanvasCall> out;
  for (const CanvasCall& c : calls)
    if (c.op == op) out.push_back(c);
  return out;
}

int RecordingCanvas::Count(const std::string& op) const
{
  return static_cast<int>(
      std::count_if(calls.begin(), calls.end(), [&](const CanvasCall& c) { return c.op == op; }));
}

// --- Renderer slots ---

void RecordingCanvas::OnViewInitialized(void*)
{
  Record("OnViewInitialized");
}

void RecordingCanvas::OnViewDestroyed()
{
  Record("OnViewDestroyed");
  RemoveAllControls();
}

void RecordingCanvas::BeginFrame()
{
  ICanvas::BeginFrame();
  Record("BeginFrame", {GetTotalScale()});
}

void RecordingCanvas::EndFrame()
{
  Record("EndFrame");
}

void RecordingCanvas::DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY,
                                 const IBlend* blend)
{
  std::vector<double> args = RectArgs(dest);
  args.insert(args.end(),
              {double(srcX), double(srcY), double(bitmap.W()), double(bitmap.H()), BlendWeight(blend)});
  Record("DrawBitmap", std::move(args), bitmap.GetResourceName());
}

IColor RecordingCanvas::QueryColor(float x, float y) const
{
  Record("QueryColor", {x, y});
  return COLOR_BLACK;
}

bool RecordingCanvas::BitmapExtSupported(const char* extension)
{
  std::string ext = extension ? extension : "";
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == "png" || ext == "jpg" || ext == "jpeg";
}

void RecordingCanvas::GetLayerBitmapData(const ILayerPtr&, RawBitmapData& data)
{
  Record("GetLayerBitmapData", {double(layerPixels.GetSize())});
  const int n = layerPixels.GetSize();
  uint8_t* out = data.Resize(n);
  if (out && n > 0) std::memcpy(out, layerPixels.Get(), static_cast<size_t>(n));
}

void RecordingCanvas::ApplyShadowMask(ILayerPtr&, RawBitmapData& mask, const IShadow& shadow)
{
  Record("ApplyShadowMask", {double(mask.GetSize()), shadow.mXOffset, shadow.mYOffset, shadow.mOpacity,
                             shadow.mDrawForeground ? 1.0 : 0.0});
  const int n = mask.GetSize();
  uint8_t* out = lastShadowMask.Resize(n);
  if (out && n > 0) std::memcpy(out, mask.Get(), static_cast<size_t>(n));
}

void RecordingCanvas::UpdateLayer()
{
  Record("UpdateLayer", {double(LayerStackDepth())});
}

void RecordingCanvas::PathClear()
{
  Record("PathClear");
}

void RecordingCanvas::PathClose()
{
  Record("PathClose");
}

void RecordingCanvas::PathArc(float cx, float cy, float r, float startDegrees, float endDegrees,
                              EWinding winding)
{
  Record("PathArc", {cx, cy, r, startDegrees, endDegrees, double(winding)});
}

void RecordingCanvas::PathMoveTo(float x, float y)
{
  Record("PathMoveTo", {x, y});
}

void RecordingCanvas::PathLineTo(float x, float y)
{
  Record("PathLineTo", {x, y});
}

void RecordingCanvas::PathSetWinding(bool hole)
{
  Record("PathSetWinding", {hole ? 1.0 : 0.0});
}

void RecordingCanvas::PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2)
{
  Record("PathCubicBezierTo", {c1x, c1y, c2x, c2y, x2, y2});
}

void RecordingCanvas::PathQuadraticBezierTo(float cx, float cy, float x2, float y2)
{
  Record("PathQuadraticBezierTo", {cx, cy, x2, y2});
}

void RecordingCanvas::PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options,
                                 const IBlend* blend)
{
  const IColor& c = pattern.GetStop(0).mColor;
  Record("PathStroke",
         {double(pattern.mType), double(c.A), double(c.R), double(c.G), double(c.B), thickness,
          options.mMiterLimit, options.mPreserve ? 1.0 : 0.0, double(options.mCapOption),
          double(options.mJoinOption), double(options.mDash.mCount), BlendMethod(blend), BlendWeight(blend)});
}

void RecordingCanvas::PathFill(const IPattern& pattern, const IFillOptions& options, const IBlend* blend)
{
  const IColor& c = pattern.GetStop(0).mColor;
  Record("PathFill",
         {double(pattern.mType), double(c.A), double(c.R), double(c.G), double(c.B),
          double(options.mFillRule), options.mPreserve ? 1.0 : 0.0, BlendMethod(blend), BlendWeight(blend)});
}

void RecordingCanvas::PathTransformSetMatrix(const IMatrix& m)
{
  Record("PathTransformSetMatrix", {m.xx, m.yx, m.xy, m.yy, m.tx, m.ty});
}

void RecordingCanvas::SetClipRegion(const IRECT& r)
{
  Record("SetClipRegion", RectArgs(r));
}

void RecordingCanvas::DrawResize()
{
  Record("DrawResize", {double(Width()), double(Height()), GetDrawScale(), GetScreenScale()});
}

APIBitmap* RecordingCanvas::LoadAPIBitmap(const char* path, int scale, int location, const char* extension)
{
  Record("LoadAPIBitmap", {double(scale), double(location)}, path);
  (void)extension;
  if (failBitmapLoads) return nullptr;
  return new CountedBitmap(mNextImage++, bitmapWidth * scale, bitmapHeight * scale, float(scale), 1.f);
}

APIBitmap* RecordingCanvas::LoadAPIBitmapFromMemory(const char* name, const void*, int size, int scale)
{
  Record("LoadAPIBitmapFromMemory", {double(size), double(scale)}, name);
  if (failBitmapLoads) return nullptr;
  return new CountedBitmap(mNextImage++, bitmapWidth * scale, bitmapHeight * scale, float(scale), 1.f);
}

APIBitmap* RecordingCanvas::CreateAPIBitmap(int width, int height, float scale, double drawScale,
                                            bool cacheable)
{
  Record("CreateAPIBitmap", {double(width), double(height), scale, drawScale, cacheable ? 1.0 : 0.0});
  return new CountedBitmap(mNextImage++, width, height, scale, float(drawScale));
}

bool RecordingCanvas::LoadAPIFont(const char* fontID, const PlatformFontPtr&)
{
  Record("LoadAPIFont", {}, fontID);
  return acceptFonts;
}

float RecordingCanvas::DoMeasureText(const IText& text, const char* str, IRECT& bounds) const
{
  const float w = kCharWidth * text.mSize * static_cast<float>(std::strlen(str));
  Record("DoMeasureText", {text.mSize}, str);
  bounds = IRECT(bounds.L, bounds.T, bounds.L + w, bounds.T + text.mSize);
  return w;
}

void RecordingCanvas::DoDrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* blend)
{
  std::vector<double> args = RectArgs(bounds);
  args.insert(args.end(), {text.mSize, BlendWeight(blend)});
  Record("DoDrawText", std::move(args), str);
}

// --- Platform slots ---

void RecordingCanvas::GetMouseLocation(float& x, float& y) const
{
  x = mouseX;
  y = mouseY;
}

void RecordingCanvas::HideMouseCursor(bool hide, bool lock)
{
  Record("HideMouseCursor", {hide ? 1.0 : 0.0, lock ? 1.0 : 0.0});
  if (hide == mCursorHidden) return;
  mCursorHidden = hide;
  mCursorLocked = hide && lock;
}

void RecordingCanvas::MoveMouseCursor(float x, float y)
{
  Record("MoveMouseCursor", {x, y});
}

void RecordingCanvas::EndPlatformTextEntry()
{
  Record("EndPlatformTextEntry");
}

void* RecordingCanvas::OpenWindow(void* parent)
{
  Record("OpenWindow", {parent ? 1.0 : 0.0});
  if (mWindowOpen) CloseWindow();
  mWindowOpen = true;
  SetScreenScale(screenScaleOnOpen);
  GetDelegate()->LayoutUI(this);
  UpdateTooltips();
  GetDelegate()->OnUIOpen();
  return GetWindow();
}

void RecordingCanvas::CloseWindow()
{
  Record("CloseWindow");
  if (!mWindowOpen) return;
  mWindowOpen = false;
  OnViewDestroyed();
}

bool RecordingCanvas::GetTextFromClipboard(StringBuf& str)
{
  Record("GetTextFromClipboard");
  str.Set(clipboardHasText ? clipboard.c_str() : "");
  return clipboardHasText;
}

bool RecordingCanvas::SetTextInClipboard(const char* str)
{
  Record("SetTextInClipboard", {}, str);
  clipboard = str ? str : "";
  clipboardHasText = true;
  return true;
}

void RecordingCanvas::UpdateTooltips()
{
  Record("UpdateTooltips");
}

int RecordingCanvas::ShowMessageBox(const char* str, const char* caption, int type,
                                    IMsgBoxCompletionHandlerFunc completion)
{
  Record("ShowMessageBox", {double(type)},
         (std::string(caption ? caption : "") + "|" + (str ? str : "")).c_str());
  if (completion) completion(messageBoxResult);
  return messageBoxResult;
}

void RecordingCanvas::PromptForFile(StringBuf& fileName, StringBuf& path, int action, const char* ext,
                                    IFileDialogCompletionHandlerFunc completion)
{
  Record("PromptForFile", {double(action)}, ext);
  fileName.Set(fileDialogName.c_str());
  path.Set(fileDialogPath.c_str());
  if (completion) completion(fileName, path);
}

void RecordingCanvas::PromptForDirectory(StringBuf& dir, IFileDialogCompletionHandlerFunc completion)
{
  Record("PromptForDirectory", {}, dir.Get());
  dir.Set(fileDialogPath.c_str());
  if (completion) completion(StringBuf(""), dir);
}

bool RecordingCanvas::PromptForColor(IColor& color, const char* prompt, IColorPickerHandlerFunc)
{
  Record("PromptForColor", {double(color.A), double(color.R), double(color.G), double(color.B)}, prompt);
  return false;
}

bool RecordingCanvas::OpenURL(const char* url, const char*, const char*, const char*)
{
  Record("OpenURL", {}, url);
  return true;
}

PlatformFontPtr RecordingCanvas::LoadPlatformFont(const char* fontID, const char* fileNameOrResID)
{
  Record("LoadPlatformFont", {}, fileNameOrResID);
  return failFontLoads ? nullptr : std::make_unique<CountedFont>(fontID);
}

PlatformFontPtr RecordingCanvas::LoadPlatformFontFromMemory(const char* fontID, const void*, int size)
{
  Record("LoadPlatformFontFromMemory", {double(size)}, fontID);
  return failFontLoads ? nullptr : std::make_unique<CountedFont>(fontID);
}

PlatformFontPtr RecordingCanvas::LoadPlatformFontByName(const char* fontID, const char* fontName,
                                                        ETextStyle style)
{
  Record("LoadPlatformFontByName", {double(style)}, fontName);
  return failFontLoads ? nullptr : std::make_unique<CountedFont>(fontID);
}

void RecordingCanvas::CachePlatformFont(const char* fontID, PlatformFontPtr& font)
{
  Record("CachePlatformFont", {}, fontID);
  if (cacheTakesFonts) cachedFonts.push_back(std::move(font));
}

void RecordingCanvas::CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds,
                                              int length, const char* str)
{
  std::vector<double> args = {double(paramIdx)};
  const std::vector<double> rect = RectArgs(bounds);
  args.insert(args.end(), rect.begin(), rect.end());
  args.insert(args.end(), {double(length), text.mSize});
  Record("CreatePlatformTextEntry", std::move(args), str);
}

IPopupMenu* RecordingCanvas::CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync)
{
  std::vector<double> args = RectArgs(bounds);
  args.push_back(double(menu.NItems()));
  Record("CreatePlatformPopupMenu", std::move(args), menu.GetRootTitle());
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

void RecordingCanvas::PlatformResize(bool parentHasResized)
{
  Record("PlatformResize", {parentHasResized ? 1.0 : 0.0});
}

} // namespace plugin::ui::test
