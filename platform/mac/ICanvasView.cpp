#include "platform/mac/ICanvasView.h"

#include "framework/editor/IEditorDelegate.h"
#include "platform/mac/ICanvasMac.h"
#include "platform/mac/ICanvasTextField.h"
#include "platform/mac/MacCursors.h"
#include "platform/mac/system/GpuDevice.h"
#include "platform/mac/system/NotificationCenter.h"
#include "platform/mac/system/Pasteboard.h"
#include "platform/mac/system/Window.h"

#include <cmath>

// The view's life, frame loop, geometry, cursor, tooltips, colour panel and drops. Event
// translation is in ICanvasViewEvents.cpp, text entry and menus in ICanvasViewPrompts.cpp.

namespace plugin::ui {

namespace {

constexpr int kDefaultFrameRate = 60;
constexpr int kRedrawDuringViewResize = 2;

} // namespace

std::shared_ptr<ICanvasView_vKelmo_vst3> ICanvasView_vKelmo_vst3::Create(ICanvasMac& graphics)
{
  const sys::Rect frame =
      sys::MakeRect(0.0, 0.0, std::trunc(static_cast<float>(graphics.Width()) * graphics.GetDrawScale()),
                    std::trunc(static_cast<float>(graphics.Height()) * graphics.GetDrawScale()));
  auto view = std::make_shared<ICanvasView_vKelmo_vst3>(graphics, frame);
  view->SetTimer();
  return view;
}

ICanvasView_vKelmo_vst3::ICanvasView_vKelmo_vst3(ICanvasMac& graphics, sys::Rect frame)
    : sys::View(frame), mGraphics(&graphics)
{
  SetWantsLayer(true);
  SetLayerContentsRedrawPolicy(kRedrawDuringViewResize);
  RegisterForDraggedTypes({std::string(sys::kPasteboardTypeFilenames)});
  sys::GpuLayerRef layer = sys::GpuLayer::Create();
  layer->SetPixelFormat(sys::GpuPixelFormat::BGRA8Unorm);
  layer->SetDevice(sys::GpuDevice::CreateSystemDefault());
  SetLayer(std::move(layer));
}

ICanvasView_vKelmo_vst3::~ICanvasView_vKelmo_vst3()
{
  KillTimer();
  if (sys::ColorPanel::SharedExists()) {
    sys::ColorPanel& panel = sys::ColorPanel::Shared();
    panel.Close();
    panel.SetAction(nullptr); // its action points at this view
  }
  sys::NotificationCenter::Default().RemoveObserver(this);
}

// --- Frame loop ---

void ICanvasView_vKelmo_vst3::SetTimer()
{
  KillTimer();
  if (!mGraphics) return;
  const int fps = mGraphics->FPS() > 0 ? mGraphics->FPS() : kDefaultFrameRate;
  mTimer = sys::RunLoopTimer::Scheduled(
      1.0 / fps, [this](sys::RunLoopTimer&) { Render(); }, true);
}

void ICanvasView_vKelmo_vst3::KillTimer() noexcept
{
  if (mTimer) mTimer->Invalidate();
  mTimer.reset();
}

void ICanvasView_vKelmo_vst3::Render()
{
  if (!mGraphics) return;
  mDirtyRects.Clear();
  if (!mGraphics->IsDirty(mDirtyRects)) return;
  mGraphics->SetAllControlsClean();
  mGraphics->Draw(mDirtyRects);
}

// --- Window, scale, size, appearance ---

void ICanvasView_vKelmo_vst3::ViewDidMoveToWindow()
{
  sys::Window* window = GetWindow();
  if (!window) return;
  window->MakeFirstResponder(this);
  window->SetAcceptsMouseMovedEvents(true);
  if (mGraphics) mGraphics->SetScreenScale(static_cast<float>(window->BackingScaleFactor()));
  ObserveFrameChanges();
  // The drawable is sized by the backing-properties change that entering a window brings.
}

void ICanvasView_vKelmo_vst3::ObserveFrameChanges()
{
  if (mObservingFrame) return;
  mObservingFrame = true;
  sys::NotificationCenter::Default().AddObserver(this, sys::kViewFrameDidChangeNotification, this,
                                                 [this] { FrameDidChange(); });
}

void ICanvasView_vKelmo_vst3::ViewDidChangeBackingProperties()
{
  sys::Window* window = GetWindow();
  if (!window) return;
  const float scale = static_cast<float>(window->BackingScaleFactor());
  if (mGraphics && scale != mGraphics->GetScreenScale()) mGraphics->SetScreenScale(scale);
  UpdateDrawableSize();
}

void ICanvasView_vKelmo_vst3::FrameDidChange()
{
  UpdateDrawableSize();
}

void ICanvasView_vKelmo_vst3::UpdateDrawableSize()
{
  const double scale = GetWindow() ? GetWindow()->BackingScaleFactor() : 1.0;
  const sys::Size size = Frame().size;
  Layer()->SetDrawableSize(static_cast<std::uint32_t>(size.width * scale),
                           static_cast<std::uint32_t>(size.height * scale));
}

void ICanvasView_vKelmo_vst3::ViewDidChangeEffectiveAppearance()
{
  if (!mGraphics) return;
  const bool dark = EffectiveAppearanceName() == sys::kAppearanceNameDarkAqua;
  mGraphics->OnAppearanceChanged(dark ? 1 : 0);
}

void ICanvasView_vKelmo_vst3::UpdateTrackingAreas()
{
  if (mTrackingArea) RemoveTrackingArea(mTrackingArea.get());
  mTrackingArea = sys::TrackingArea::Create(Bounds(),
                                            sys::kTrackingMouseEnteredAndExited | sys::kTrackingActiveAlways |
                                                sys::kTrackingEnabledDuringMouseDrag,
                                            this);
  AddTrackingArea(mTrackingArea);
}

// --- Cursor ---

void ICanvasView_vKelmo_vst3::SetMouseCursor(int kind)
{
  const sys::CursorRef cursor = MacCursorForKind(kind, mMoveCursor);
  if (sys::Cursor::RespondsTo(sys::CursorKind::Help) && sys::Cursor::HelpCursorShown() && kind != 13)
    sys::Cursor::SetHelpCursorShown(false);
  cursor->Set();
}

// --- Tooltips ---

void ICanvasView_vKelmo_vst3::RegisterToolTip(const IRECT& r)
{
  if (!mGraphics) return;
  AddToolTipRect(mGraphics->ScaledRect(r), this, nullptr);
}

std::string ICanvasView_vKelmo_vst3::StringForToolTip(sys::View&, long, sys::Point, void*)
{
  if (!mGraphics) return {};
  const int idx = mGraphics->GetMouseOverIdx();
  // The index is negative or one of the control list's; past the list there is no text.
  if (idx < 0 || idx >= mGraphics->NControls()) return {};
  const IControl* control = mGraphics->GetControl(idx);
  const char* tip = control ? control->GetTooltip() : nullptr;
  return tip ? std::string(tip) : std::string();
}

// --- Colour panel ---

bool ICanvasView_vKelmo_vst3::PromptForColor(const IColor& color, IColorPickerHandlerFunc func)
{
  sys::ColorPanel& panel = sys::ColorPanel::Shared();
  mColorPickerFunc = std::move(func);
  panel.SetAction([this](sys::ColorPanel& p) { OnColorPicked(p); });
  panel.SetShowsAlpha(true);
  panel.SetColor(sys::Color::DeviceRgb(color.R / 255.0, color.G / 255.0, color.B / 255.0, color.A / 255.0));
  panel.OrderFront();
  return sys::ColorPanel::SharedExists();
}

void ICanvasView_vKelmo_vst3::OnColorPicked(sys::ColorPanel& panel)
{
  // An empty function (the caller gave none) picks nothing.
  if (!mColorPickerFunc) return;
  const sys::Color c = panel.GetColor();
  const IColor color(static_cast<int>(c.alpha * 255.0), static_cast<int>(c.red * 255.0),
                     static_cast<int>(c.green * 255.0), static_cast<int>(c.blue * 255.0));
  // A copy: the function may prompt again and replace the stored one.
  const IColorPickerHandlerFunc func = mColorPickerFunc;
  func(color);
}

// --- Drag and drop ---

unsigned long ICanvasView_vKelmo_vst3::DraggingEntered(const sys::DraggingInfo& info)
{
  if (!info.pasteboard) return sys::kDragOperationNone;
  const std::vector<std::string> types = info.pasteboard->Types();
  for (const std::string& type : types)
    if (type == sys::kPasteboardTypeFilenames) return sys::kDragOperationGeneric;
  return sys::kDragOperationNone;
}

bool ICanvasView_vKelmo_vst3::PerformDragOperation(const sys::DraggingInfo& info)
{
  if (!mGraphics || !info.pasteboard) return true;
  const auto paths = info.pasteboard->PropertyListForType(sys::kPasteboardTypeFilenames);
  if (!paths || paths->empty()) return true;
  const sys::Point p = ConvertPointFromView(info.draggingLocation, nullptr);
  // Toolkit units, as every other event.
  const float x = static_cast<float>(p.x / mGraphics->GetDrawScale());
  const float y = static_cast<float>(p.y / mGraphics->GetDrawScale());
  if (paths->size() == 1) {
    mGraphics->OnDrop(paths->front().c_str(), x, y);
  } else {
    std::vector<const char*> list;
    list.reserve(paths->size());
    for (const std::string& path : *paths)
      list.push_back(path.c_str());
    mGraphics->OnDropMultiple(list, x, y);
  }
  return true;
}

unsigned long ICanvasView_vKelmo_vst3::SourceOperationMask(sys::DraggingSession&, sys::DraggingContext)
{
  return sys::kDragOperationCopy;
}

// --- Removal ---

void ICanvasView_vKelmo_vst3::RemoveFromSuperview()
{
  // The delegate deletes the context, which releases this view: it lives until the call returns.
  const std::shared_ptr<sys::View> keepAlive = shared_from_this();
  if (mTextFieldView) EndUserInput();
  if (mGraphics) {
    // The context detaches the view while it closes, so the inner removal comes back without it.
    mGraphics->GetDelegate()->CloseWindow();
  }
  sys::View::RemoveFromSuperview();
}

} // namespace plugin::ui
