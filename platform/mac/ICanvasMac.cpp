#include "platform/mac/ICanvasMac.h"

#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/control/IControl.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"
#include "platform/mac/CoreTextFont.h"
#include "platform/mac/FontDescriptorCache.h"
#include "platform/mac/ICanvasView.h"
#include "platform/mac/MVGCanvasBackend.h"
#include "platform/mac/system/Application.h"
#include "platform/mac/system/Display.h"
#include "platform/mac/system/MainQueue.h"
#include "platform/mac/system/Screen.h"
#include "platform/mac/system/Window.h"

#include <cmath>

// The context's life, window, cursor, platform views, tooltips, fonts and menus. Clipboard,
// drags, dialogs and the file browser are in ICanvasMacServices.cpp.

namespace plugin::ui {

ICanvasMac::ICanvasMac(ICanvasEditorDelegateBase& dlg, int width, int height, int fps, float scale)
    : ICanvasVG(dlg, width, height, fps, scale)
{
  SetBackend(mvgCanvasBackend());
  sys::ApplicationLoad();
  RetainFontDescriptorCache();
}

ICanvasMac::~ICanvasMac()
{
  // The view goes before the cache's count drops, and outside the cache's lock: its teardown
  // reaches the renderer and the controls, which take other locks.
  CloseWindow();
  mAlive.reset();
  ReleaseFontDescriptorCache();
}

// --- Window ---

void* ICanvasMac::OpenWindow(void* parent)
{
  if (mView) CloseWindow();
  mView = ICanvasView_vKelmo_vst3::Create(*this);
  OnViewInitialized(mView->Layer().get());
  SetScreenScale(static_cast<float>(sys::Screen::Main().BackingScaleFactor()));
  GetCanvasDelegate()->LayoutUI(this);
  UpdateTooltips();
  GetDelegate()->OnUIOpen();
  if (parent && mView) static_cast<sys::View*>(parent)->AddSubview(mView);
  return mView.get();
}

void ICanvasMac::TearDownView()
{
  // Detached first: whatever the removal sets off no longer reaches this context.
  const std::shared_ptr<ICanvasView_vKelmo_vst3> view = std::move(mView);
  mView.reset();
  view->DetachGraphics();
  view->RemoveAllToolTips();
  view->KillTimer();
  view->RemoveFromSuperview();
}

void ICanvasMac::CloseWindow()
{
  if (!mView) return;
  TearDownView();
  OnViewDestroyed();
}

void* ICanvasMac::GetWindow()
{
  return mView.get();
}

void ICanvasMac::PlatformResize(bool)
{
  if (!mView) return;
  sys::AnimationContext::BeginGrouping();
  sys::AnimationContext::Current().SetDuration(0.0);
  const float s = GetDrawScale();
  mView->SetFrameSize(
      sys::Size{std::trunc(static_cast<float>(Width()) * s), std::trunc(static_cast<float>(Height()) * s)});
  sys::AnimationContext::EndGrouping();
  UpdateTooltips();
}

bool ICanvasMac::IsDarkMode() const
{
  if (!mView || !sys::IsOperatingSystemAtLeast({10, 14, 0})) return false;
  return mView->EffectiveAppearanceName() == sys::kAppearanceNameDarkAqua;
}

sys::Rect ICanvasMac::ScaledRect(const IRECT& r) const
{
  const float s = GetDrawScale();
  const double x = std::floor(r.L * s);
  const double y = std::floor(r.T * s);
  return sys::MakeRect(x, y, std::ceil(r.R * s) - x, std::ceil(r.B * s) - y);
}

// --- Platform views ---

void ICanvasMac::AttachPlatformView(const IRECT& r, void* view)
{
  if (!mView || !view) return;
  auto* native = static_cast<sys::View*>(view);
  native->SetFrame(ScaledRect(r));
  mView->AddSubview(native->shared_from_this());
}

void ICanvasMac::RemovePlatformView(void* view)
{
  if (view) static_cast<sys::View*>(view)->RemoveFromSuperview();
}

void ICanvasMac::HidePlatformView(void* view, bool hide)
{
  if (view) static_cast<sys::View*>(view)->SetHidden(hide);
}

// --- Cursor ---

sys::Point ICanvasMac::ScreenToToolkit(sys::Point screen) const
{
  sys::Point p = screen;
  if (const sys::Window* window = mView->GetWindow())
    p = window->ConvertRectFromScreen(sys::Rect{screen, {}}).origin;
  p = mView->ConvertPointFromView(p, nullptr);
  const double s = GetDrawScale();
  return {p.x / s, p.y / s};
}

sys::Point ICanvasMac::ToolkitToScreen(sys::Point toolkit) const
{
  const double s = GetDrawScale();
  sys::Point p = mView->ConvertPointToView({toolkit.x * s, toolkit.y * s}, nullptr);
  if (const sys::Window* window = mView->GetWindow())
    p = window->ConvertRectToScreen(sys::Rect{p, {}}).origin;
  return p;
}

void ICanvasMac::WarpCursor(sys::Point screen)
{
  const sys::DisplayId display = sys::MainDisplayId();
  const double top = static_cast<double>(sys::DisplayPixelsHigh(display));
  sys::AssociateMouseAndMouseCursorPosition(false);
  sys::DisplayMoveCursorToPoint(display, {screen.x, top - screen.y});
  sys::AssociateMouseAndMouseCursorPosition(true);
}

void ICanvasMac::GetMouseLocation(float& x, float& y) const
{
  sys::Point p = sys::MouseLocation();
  if (mView) p = ScreenToToolkit(p);
  x = static_cast<float>(p.x);
  y = static_cast<float>(p.y);
}

void ICanvasMac::HideMouseCursor(bool hide, bool lock)
{
  if (mCursorHidden == hide) return;
  mCursorHidden = hide;
  if (hide) {
    const sys::Point at = sys::MouseLocation();
    mCursorScreen = {std::round(at.x), std::round(at.y)};
    const sys::Point cursor = mView ? ScreenToToolkit(mCursorScreen) : mCursorScreen;
    mCursorLockX = static_cast<float>(cursor.x);
    mCursorLockY = static_cast<float>(cursor.y);
    sys::DisplayHideCursor(sys::MainDisplayId());
    mCursorLocked = lock;
  } else {
    sys::DisplayShowCursor(sys::MainDisplayId());
    mCursorLocked = false;
  }
}

void ICanvasMac::MoveMouseCursor(float x, float y)
{
  if (mTabletInput) return;
  const sys::Point target = mView ? ToolkitToScreen({x, y}) : sys::Point{x, y};
  WarpCursor(target);
  const sys::Point at = sys::MouseLocation();
  mCursorScreen = {std::round(at.x), std::round(at.y)};
  const sys::Point cursor = mView ? ScreenToToolkit(mCursorScreen) : mCursorScreen;
  mCursorLockX = static_cast<float>(cursor.x);
  mCursorLockY = static_cast<float>(cursor.y);
}

void ICanvasMac::ApplyCursorLock(float& x, float& y)
{
  if (mCursorHidden && mCursorLocked && !mTabletInput) {
    WarpCursor(mCursorScreen);
    x = mCursorLockX;
    y = mCursorLockY;
  } else {
    mCursorLockX = x;
    mCursorLockY = y;
  }
}

int ICanvasMac::SetMouseCursor(int cursorType)
{
  if (mView) mView->SetMouseCursor(cursorType);
  return ICanvas::SetMouseCursor(cursorType);
}

// --- Tooltips ---

void ICanvasMac::UpdateTooltips()
{
  if (!mView || !TooltipsEnabled()) return;
  mView->RemoveAllToolTips();
  // While a menu shows (or animates), controls under it give no tooltips.
  if (mPopupMenuCtrl && mPopupMenuCtrl->GetState() > IPopupMenuControl::kCollapsed) return;
  ForStandardControlsFunc([this](IControl* control) {
    const IRECT& r = control->GetHitRect();
    const bool empty = r.L == 0.f && r.T == 0.f && r.R == 0.f && r.B == 0.f;
    if (!control->IsHidden() && !empty) mView->RegisterToolTip(r);
  });
}

// --- Text entry and menus ---

void ICanvasMac::EndPlatformTextEntry()
{
  if (mView) mView->EndUserInput();
}

void ICanvasMac::CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                                         const char* str)
{
  if (!mView) return;
  mView->CreateTextEntry(paramIdx, text, str, length, ScaledRect(bounds));
}

IPopupMenu* ICanvasMac::CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync)
{
  isAsync = true;
  IPopupMenu* model = &menu;
  sys::DispatchAsyncMain([alive = std::weak_ptr<int>(mAlive), this, model, bounds] {
    // The editor closed meanwhile: the context, its controls and the menu are gone.
    if (!alive.lock()) return;
    // The control that asked is gone: its menu may be too, and nobody waits for the answer.
    if (!GetControlInPopupMenu()) return;
    IPopupMenu* result = nullptr;
    if (const std::shared_ptr<ICanvasView_vKelmo_vst3> view = mView) {
      result = view->CreatePopupMenu(*model, ScaledRect(bounds));
      // The menu runs modally: the editor may have closed while it showed.
      if (!alive.lock()) return;
      if (result && result->GetFunction()) result->ExecFunction();
    }
    SetControlValueAfterPopupMenu(result);
  });
  return nullptr;
}

// --- Fonts ---

PlatformFontPtr ICanvasMac::LoadPlatformFont(const char* fontID, const char* fileNameOrResID)
{
  return LoadCoreTextFontFromFile(fontID, fileNameOrResID, GetBundleID(), GetResourceSubPath());
}

PlatformFontPtr ICanvasMac::LoadPlatformFontFromMemory(const char* fontID, const void* data, int size)
{
  return LoadCoreTextFontFromMemory(fontID, data, size);
}

PlatformFontPtr ICanvasMac::LoadPlatformFontByName(const char* fontID, const char* fontName, ETextStyle style)
{
  return LoadCoreTextFontByName(fontID, fontName, style);
}

void ICanvasMac::CachePlatformFont(const char* fontID, PlatformFontPtr& font)
{
  CacheCoreTextFont(fontID, font.get(), SharedFontDescriptorCache());
}

} // namespace plugin::ui
