#pragma once

#include "framework/buffers/PtrList.h"
#include "framework/buffers/StringBuf.h"
#include "framework/buffers/TypedBuf.h"
#include "graphics/canvas/ILayer.h"
#include "graphics/control/IControl.h"
#include "graphics/menu/IPopupMenu.h"
#include "graphics/resources/IBitmap.h"
#include "graphics/resources/ISVG.h"
#include "graphics/resources/PlatformFont.h"
#include "graphics/values/EDirection.h"
#include "graphics/values/IBlend.h"
#include "graphics/values/IColor.h"
#include "graphics/values/IMatrix.h"
#include "graphics/values/IMouse.h"
#include "graphics/values/IPathOptions.h"
#include "graphics/values/IPattern.h"
#include "graphics/values/IRECT.h"
#include "graphics/values/IRECTList.h"
#include "graphics/values/IShadow.h"
#include "graphics/values/IText.h"
#include "graphics/values/IVStyle.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <unordered_map>
#include <vector>

namespace plugin {
class IEditorDelegate;
struct IKeyPress;
struct IMidiMsg;
} // namespace plugin

namespace plugin::ui {

class ICanvasEditorDelegateBase;
class IBubbleControl;
class ICornerResizerControl;
class IFPSDisplayControl;
class IPopupMenuControl;
class ITextEntryControl;
struct SvgPaint;

// Bytes of a resource file.
using ResourceData = TypedBuf<uint8_t>;
// Completion of a message box, with the button's result code.
using IMsgBoxCompletionHandlerFunc = std::function<void(int result)>;
// Completion of a file or folder dialog, with the chosen file name and folder.
using IFileDialogCompletionHandlerFunc =
    std::function<void(const StringBuf& fileName, const StringBuf& path)>;
// Completion of a colour picker.
using IColorPickerHandlerFunc = std::function<void(const IColor& color)>;
// Keys that no control took; true when handled.
using IKeyHandlerFunc = std::function<bool(const IKeyPress& key, bool isUp)>;
// The system appearance changed (light or dark).
using IAppearanceChangedFunc = std::function<void(int appearance)>;
// MIDI made from the computer keyboard.
using IMidiFunc = std::function<void(const IMidiMsg& msg)>;
// Function called for one control of a walk.
using IControlFunction = std::function<void(IControl* control)>;

// The editor's graphics context: one per open editor. It owns every control and a few built-in
// special controls, knows the logical size, frame rate and the two scale factors, keeps the
// pointer-capture and hover state of event dispatch, and defines the virtual interface through
// which controls draw, resources load and the platform window is driven. Abstract: the drawing
// back end fills the renderer slots and the platform class the platform slots.
// Everything runs on the main thread, except the process-wide caches, which are locked.
class ICanvas
{
public:
  // Cursor kinds the toolkit names.
  static constexpr int kCursorArrow = 0;
  static constexpr int kCursorSizeNWSE = 5;
  static constexpr int kCursorHand = 11;

  // Stores the arguments and raises the process-wide cache counts. A non-finite or non-positive
  // drawScale reads as 1. Main thread of the editor; locks the cache mutexes; allocates.
  ICanvas(ICanvasEditorDelegateBase& dlg, int width, int height, int fps, float drawScale);
  ICanvas(const ICanvas&) = delete;
  ICanvas& operator=(const ICanvas&) = delete;

  // ---------------------------------------------------------------------------------------------
  // Virtual operations, in table order. Called on the main thread; drawing ones only during a frame.

  // --- Frame block ---

  // Frame loop, once per drawn frame before any control draws: records the frame time for the
  // frame-time display. Renderers extend it (calling this first). No allocation.
  virtual void BeginFrame();
  // Platform: its view and drawing surface exist. Base: nothing.
  virtual void OnViewInitialized(void* platformLayer);
  // Platform: its view is about to go. Base: nothing.
  virtual void OnViewDestroyed();
  // Frame loop, once per drawn frame after the last control: finish and present. Base: nothing.
  virtual void EndFrame();

  // --- Drawing block (controls call these while drawing; no allocation beyond the transform stack) ---

  // Draws an SVG image scaled to fit dest at its top-left; a colour given replaces every paint.
  virtual void DrawSVG(const ISVG& svg, const IRECT& dest, const IBlend* blend = nullptr,
                       const IColor* strokeColor = nullptr, const IColor* fillColor = nullptr);
  // Draws an SVG image of width x height centred on (cx, cy), rotated by degrees.
  virtual void DrawRotatedSVG(const ISVG& svg, float cx, float cy, float width, float height, double degrees,
                              const IBlend* blend = nullptr);
  // Renderer: the part of the bitmap from (srcX, srcY) into dest, one bitmap unit per unit.
  virtual void DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY,
                          const IBlend* blend = nullptr) = 0;
  // The whole bitmap stretched to dest.
  virtual void DrawFittedBitmap(const IBitmap& bitmap, const IRECT& dest, const IBlend* blend = nullptr);
  // The bitmap centred on (cx, cy), rotated by degrees.
  virtual void DrawRotatedBitmap(const IBitmap& bitmap, float cx, float cy, double degrees,
                                 const IBlend* blend = nullptr);
  virtual void DrawPoint(const IColor& color, float x, float y, const IBlend* blend = nullptr);
  virtual void DrawLine(const IColor& color, float x1, float y1, float x2, float y2,
                        const IBlend* blend = nullptr, float thickness = 1.f);
  virtual void DrawDottedLine(const IColor& color, float x1, float y1, float x2, float y2,
                              const IBlend* blend = nullptr, float thickness = 1.f, float dashLength = 2.f);
  virtual void DrawTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                            const IBlend* blend = nullptr, float thickness = 1.f);
  virtual void DrawRect(const IColor& color, const IRECT& bounds, const IBlend* blend = nullptr,
                        float thickness = 1.f);
  virtual void DrawRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius = 5.f,
                             const IBlend* blend = nullptr, float thickness = 1.f);
  virtual void DrawRoundRectCorners(const IColor& color, const IRECT& bounds, float cRTL, float cRTR,
                                    float cRBL, float cRBR, const IBlend* blend = nullptr,
                                    float thickness = 1.f);
  // Arc only (no radii), angles in degrees clockwise from twelve o'clock.
  virtual void DrawArc(const IColor& color, float cx, float cy, float r, float startDegrees, float endDegrees,
                       const IBlend* blend = nullptr, float thickness = 1.f);
  virtual void DrawCircle(const IColor& color, float cx, float cy, float r, const IBlend* blend = nullptr,
                          float thickness = 1.f);
  virtual void DrawEllipse(const IColor& color, const IRECT& bounds, const IBlend* blend = nullptr,
                           float thickness = 1.f);
  virtual void DrawEllipseRotated(const IColor& color, float cx, float cy, float rx, float ry, float degrees,
                                  const IBlend* blend = nullptr, float thickness = 1.f);
  // x and y hold n >= 1 points.
  virtual void DrawConvexPolygon(const IColor& color, float* x, float* y, int n,
                                 const IBlend* blend = nullptr, float thickness = 1.f);
  virtual void DrawDottedRect(const IColor& color, const IRECT& bounds, const IBlend* blend = nullptr,
                              float thickness = 1.f, float dashLength = 2.f);
  virtual void FillTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                            const IBlend* blend = nullptr);
  virtual void FillRect(const IColor& color, const IRECT& bounds, const IBlend* blend = nullptr);
  virtual void FillRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius = 5.f,
                             const IBlend* blend = nullptr);
  virtual void FillRoundRectCorners(const IColor& color, const IRECT& bounds, float cRTL, float cRTR,
                                    float cRBL, float cRBR, const IBlend* blend = nullptr);
  virtual void FillCircle(const IColor& color, float cx, float cy, float r, const IBlend* blend = nullptr);
  virtual void FillEllipse(const IColor& color, const IRECT& bounds, const IBlend* blend = nullptr);
  virtual void FillEllipseRotated(const IColor& color, float cx, float cy, float rx, float ry, float degrees,
                                  const IBlend* blend = nullptr);
  // Pie slice from the centre.
  virtual void FillArc(const IColor& color, float cx, float cy, float r, float startDegrees, float endDegrees,
                       const IBlend* blend = nullptr);
  virtual void FillConvexPolygon(const IColor& color, float* x, float* y, int n,
                                 const IBlend* blend = nullptr);

  // --- Text, resource and path block ---

  // Measures str into bounds and returns its width; a null or empty str gives 0 and leaves
  // bounds alone. Controls and the platform call it; no allocation.
  virtual float MeasureText(const IText& text, const char* str, IRECT& bounds) const;
  // Text wrapped inside bounds. Base draws "Unsupported".
  virtual void DrawMultiLineText(const IText& text, const char* str, const IRECT& bounds,
                                 const IBlend* blend = nullptr);
  // Renderer: colour at a point of the frame.
  virtual IColor QueryColor(float x, float y) const = 0;
  // Renderer: its context pointer.
  virtual void* GetDrawContext() = 0;
  // Renderer: name of the drawing back end.
  virtual const char* GetDrawingAPIStr() = 0;
  // Re-renders a bitmap at targetScale through a layer and caches it under cacheName.
  virtual IBitmap ScaleBitmap(const IBitmap& in, const char* cacheName, int targetScale);
  // Keeps the bitmap's renderer image in the process-wide bitmap cache under cacheName.
  virtual void RetainBitmap(const IBitmap& bitmap, const char* cacheName);
  // Deletes the bitmap's renderer image from the process-wide bitmap cache.
  virtual void ReleaseBitmap(const IBitmap& bitmap);
  // Renderer: true for image extensions it decodes.
  virtual bool BitmapExtSupported(const char* extension) = 0;
  // A soft rectangular shadow of inner filling outer. Base: nothing.
  virtual void DrawFastDropShadow(const IRECT& inner, const IRECT& outer, float offset = 5.f,
                                  float roundness = 0.f, float blur = 10.f, const IBlend* blend = nullptr);
  // Grid lines inside bounds every xStep and yStep units (steps <= 1 draw none).
  virtual void DrawGrid(const IColor& color, const IRECT& bounds, float xStep, float yStep,
                        const IBlend* blend = nullptr, float thickness = 1.f);
  // Polyline through n points given as fractions of bounds; normX and fillColor may be null.
  virtual void DrawData(const IColor& color, const IRECT& bounds, float* normY, int n, float* normX = nullptr,
                        const IBlend* blend = nullptr, float thickness = 1.f,
                        const IColor* fillColor = nullptr);
  // Loads a font file (or resource) under fontID; false when it cannot be used. Allocates.
  virtual bool LoadFont(const char* fontID, const char* fileNameOrResID);
  // Loads a font from memory under fontID; false when it cannot be used. Allocates.
  virtual bool LoadFontFromMemory(const char* fontID, const void* data, int size);
  // Renderer: the layer's pixels into data; empty when they cannot be read.
  virtual void GetLayerBitmapData(const ILayerPtr& layer, RawBitmapData& data) = 0;
  // Renderer: composites the blurred alpha mask into the layer as the shadow.
  virtual void ApplyShadowMask(ILayerPtr& layer, RawBitmapData& mask, const IShadow& shadow) = 0;
  // Makes the top layer, or the main frame buffer, the render target. Base: nothing.
  virtual void UpdateLayer();
  // Renderer path primitives; points pass through the current transform.
  virtual void PathClear() = 0;
  virtual void PathClose() = 0;
  // Circular arc, degrees clockwise from twelve o'clock.
  virtual void PathArc(float cx, float cy, float r, float startDegrees, float endDegrees,
                       EWinding winding = EWinding::CW) = 0;
  virtual void PathMoveTo(float x, float y) = 0;
  virtual void PathLineTo(float x, float y) = 0;
  // true gives the current sub-path the hole winding. Base: nothing.
  virtual void PathSetWinding(bool hole);
  virtual void PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2) = 0;
  virtual void PathQuadraticBezierTo(float cx, float cy, float x2, float y2) = 0;
  virtual void PathStroke(const IPattern& pattern, float thickness,
                          const IStrokeOptions& options = IStrokeOptions(),
                          const IBlend* blend = nullptr) = 0;
  virtual void PathFill(const IPattern& pattern, const IFillOptions& options = IFillOptions(),
                        const IBlend* blend = nullptr) = 0;
  // Renderer: m becomes the transform of later path points and bitmap draws.
  virtual void PathTransformSetMatrix(const IMatrix& m) = 0;
  // Frame loop, after each control drew in region. Base: nothing.
  virtual void OnAfterDrawControl(const IRECT& region);
  // Renderer: clip in untransformed units.
  virtual void SetClipRegion(const IRECT& r) = 0;

  // --- Platform block ---

  // Places a native view over r inside the editor's view. Base: nothing.
  virtual void AttachPlatformView(const IRECT& r, void* view);
  virtual void RemovePlatformView(void* view);
  virtual void HidePlatformView(void* view, bool hide);
  // Platform: the pointer position in UI units (screen position without a view).
  virtual void GetMouseLocation(float& x, float& y) const = 0;
  // Platform: hides (and with lock, holds) the pointer, or shows it again.
  virtual void HideMouseCursor(bool hide = true, bool lock = true) = 0;
  // Platform: moves the pointer to a UI position.
  virtual void MoveMouseCursor(float x, float y) = 0;
  // Sets the pointer shape; stores it and returns the previous kind. Base: only stores.
  virtual int SetMouseCursor(int cursorType = kCursorArrow);
  // Platform: ends a native text entry without committing.
  virtual void EndPlatformTextEntry() = 0;
  // Platform: creates the view in parent, lays out the UI, tells the delegate; returns the view.
  virtual void* OpenWindow(void* parent) = 0;
  // Platform: removes and releases the view.
  virtual void CloseWindow() = 0;
  // Platform: the view, or null.
  virtual void* GetWindow() = 0;
  // GetWindow() is not null.
  virtual bool WindowIsOpen();
  // Platform: the clipboard's text; false (and "") when it holds none.
  virtual bool GetTextFromClipboard(StringBuf& str) = 0;
  // Platform: puts the text on the clipboard.
  virtual bool SetTextInClipboard(const char* str) = 0;
  // Puts a file path on the clipboard. Base: false.
  virtual bool SetFilePathInClipboard(const char* path);
  // Drags a file out of the editor. Base: false.
  virtual bool InitiateExternalFileDragDrop(const char* path, const IRECT& iconBounds);
  // Platform: rebuilds the view's tooltips from the controls.
  virtual void UpdateTooltips() = 0;
  // Platform: a modal message box; returns the button's result code.
  virtual int ShowMessageBox(const char* str, const char* caption, int type,
                             IMsgBoxCompletionHandlerFunc completion = nullptr) = 0;
  // Platform: a file dialog (action 0 open, 1 save) for the extensions in ext.
  virtual void PromptForFile(StringBuf& fileName, StringBuf& path, int action = 0, const char* ext = "",
                             IFileDialogCompletionHandlerFunc completion = nullptr) = 0;
  // Platform: a folder dialog.
  virtual void PromptForDirectory(StringBuf& dir, IFileDialogCompletionHandlerFunc completion = nullptr) = 0;
  // Platform: a colour picker.
  virtual bool PromptForColor(IColor& color, const char* prompt = "",
                              IColorPickerHandlerFunc completion = nullptr) = 0;
  // Platform: opens an address in the browser.
  virtual bool OpenURL(const char* url, const char* windowTitle = nullptr, const char* confirmText = nullptr,
                       const char* errorText = nullptr) = 0;
  // Name of the platform layer. Base: "".
  virtual const char* GetPlatformAPIStr();
  // Shows a path in the file browser. Base: false.
  virtual bool RevealPathInFileBrowser(StringBuf& path, bool select = false);
  // Platform hook. Base: nothing.
  virtual void PlatformHookA();
  // Handle handed to the resource locator. Base: null.
  virtual void* LoadPlatformResource();
  // Platform hook. Base: nothing.
  virtual void PlatformHookB();
  // Platform: font from a file or resource; null on failure.
  virtual PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileNameOrResID) = 0;
  // Platform: font from memory; null on failure.
  virtual PlatformFontPtr LoadPlatformFontFromMemory(const char* fontID, const void* data, int size) = 0;
  // Platform: font by family name and style; null on failure.
  virtual PlatformFontPtr LoadPlatformFontByName(const char* fontID, const char* fontName,
                                                 ETextStyle style) = 0;
  // Platform: keeps the font in its process-wide font cache, possibly taking it out of font.
  virtual void CachePlatformFont(const char* fontID, PlatformFontPtr& font) = 0;
  // Bundle identifier used to find resources. Base: "".
  virtual const char* GetBundleID() const;
  // Platform's second identifier text. Base: "".
  virtual const char* GetPlatformText() const;
  // Around image and frame-buffer creation outside a frame. Base: nothing.
  virtual void ActivateDrawContext();
  virtual void DeactivateDrawContext();
  // Platform: a native text field over bounds; its end calls SetControlValueAfterTextEdit.
  virtual void CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                                       const char* str) = 0;
  // Platform: a native menu. Sets isAsync when the choice comes later through
  // SetControlValueAfterPopupMenu; otherwise returns the menu chosen from, or null when dismissed.
  virtual IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) = 0;

  // Removes every control, then lowers the process-wide cache counts, emptying a cache when its
  // count reaches 0. The editor delegate deletes the context. Locks the cache mutexes.
  virtual ~ICanvas();

  // Platform query. Base: 0.
  virtual int PlatformIntQuery() const;
  // Factor applied to window sizes. Base: 1.
  virtual float GetPlatformWindowScale() const;
  // Platform: resizes the view to the size just reported to the host. Base: nothing.
  virtual void PlatformResize(bool parentHasResized);
  // Renderer: recreates the main frame buffer at the current pixel size. Base: nothing.
  virtual void DrawResize();
  // The system shows the dark appearance. Base: false.
  virtual bool IsDarkMode() const;

  // --- Resource and text block ---

  // A bitmap by resource name at targetScale (0: the screen scale rounded up), through the
  // process-wide cache; the empty bitmap when it cannot be found or decoded.
  virtual IBitmap LoadBitmap(const char* name, int nStates = 1, bool framesAreHorizontal = false,
                             int targetScale = 0);
  virtual IBitmap LoadBitmapFromMemory(const char* name, const void* data, int size, int nStates = 1,
                                       bool framesAreHorizontal = false, int targetScale = 0);
  // A parsed SVG by resource name, through the process-wide cache; null when it cannot be used.
  virtual ISVG LoadSVG(const char* fileName, const char* units = "px", float dpi = 72.f);
  virtual ISVG LoadSVGFromMemory(const char* name, const void* data, int size, const char* units = "px",
                                 float dpi = 72.f);
  // The bytes of a resource file; empty when it cannot be read.
  virtual ResourceData LoadResource(const char* fileNameOrResID, const char* fileType);
  // Adds the gesture kind to the registered kinds when it is already there.
  virtual void AddIdIfPresent(int gestureType);
  // Renderer: a new image from a file; the caller owns it. Null on failure.
  virtual APIBitmap* LoadAPIBitmap(const char* path, int scale, int location, const char* extension) = 0;
  // Renderer: a new image from encoded data; the caller owns it. Null on failure.
  virtual APIBitmap* LoadAPIBitmapFromMemory(const char* name, const void* data, int size, int scale) = 0;
  // Renderer: a new cleared off-screen frame buffer; the caller owns it.
  virtual APIBitmap* CreateAPIBitmap(int width, int height, float scale, double drawScale,
                                     bool cacheable = false) = 0;
  // Renderer: registers the font's data under fontID; false when refused.
  virtual bool LoadAPIFont(const char* fontID, const PlatformFontPtr& font) = 0;
  // Renderer query. Base: 1.
  virtual int RendererIntQuery() const;
  // Renderer: byte of a read-back pixel that holds alpha.
  virtual int GetAlphaChannelIndex() const = 0;
  // Renderer: read-back rows are stored bottom-up.
  virtual bool IsFlippedBitmap() const = 0;
  // Renderer: measures a non-empty string into bounds; returns its width.
  virtual float DoMeasureText(const IText& text, const char* str, IRECT& bounds) const = 0;
  // Renderer: draws a non-empty string inside bounds.
  virtual void DoDrawText(const IText& text, const char* str, const IRECT& bounds,
                          const IBlend* blend = nullptr) = 0;
  // Screen scale times draw scale.
  virtual float GetTotalScale() const;

  // ---------------------------------------------------------------------------------------------
  // Non-virtual operations. Main thread.

  // --- Size and scale ---

  // A new backing scale (non-finite or <= 0: ignored): reports the window size to the host,
  // rescales every control, marks all dirty and recreates the frame buffer.
  void SetScreenScale(float scale);
  // Resizes the editor (size constrained by the delegate, scale clamped to the bounds; a NaN
  // scale keeps the current one). Nothing when nothing changes.
  void Resize(int width, int height, float drawScale, bool needsPlatformResize);
  // Bounds of the draw scale, in either order; ignored unless both are finite and above 0 and
  // the window at the larger one, at the current size, stays within INT_MAX view points.
  void SetScaleConstraints(float lo, float hi);
  void SetLayoutOnResize(bool layoutOnResize) { mLayoutOnResize = layoutOnResize; }

  // --- Attaching ---

  // Attaches control under tag (-1: none) and group (null: ""): registers the tag, sets the
  // delegate and context, OnInit, OnResize, OnRescale, group, append, OnAttached. Returns the
  // control, or null (nothing attached, the caller keeps it) for a null control or a taken tag.
  IControl* AttachControl(IControl* control, int tag = -1, const char* group = "");
  // A bitmap over the whole editor, inserted first (drawn first, hit last).
  void AttachBackground(const char* fileName);
  // An SVG over the whole editor, inserted first.
  void AttachSVGBackground(const char* fileName);
  // A panel of the pattern over the whole editor, inserted first.
  void AttachPanelBackground(const IPattern& pattern);
  // A corner resizer of the given size in the bottom-right corner; a second one is refused.
  void AttachCornerResizer(int mode = 0, bool layoutOnResize = false, const IColor& color = COLOR_TRANSLUCENT,
                           const IColor& mouseOverColor = COLOR_BLACK, const IColor& dragColor = COLOR_BLACK,
                           float size = 20.f);
  // Takes a ready resizer over (a second one is deleted).
  void AttachCornerResizer(ICornerResizerControl* control, int mode = 0, bool layoutOnResize = false);
  // A value bubble with the text style, white fill and black stroke.
  void AttachBubbleControl(const IText& text = DEFAULT_TEXT);
  // Takes a ready bubble over (null: nothing).
  void AttachBubbleControl(IBubbleControl* bubble);
  // The in-editor popup menu (once).
  void AttachPopupMenuControl(const IText& text = DEFAULT_TEXT, const IRECT& bounds = IRECT());
  void RemovePopupMenuControl();
  // The in-editor text entry (once).
  void AttachTextEntryControl();
  void RemoveTextEntryControl();
  // Shows or removes the frame-time display; marks all dirty.
  void ShowFPSDisplay(bool enable);

  // --- Finding and removing ---

  // The control registered under tag, or null.
  IControl* GetControlWithTag(int tag) const;
  // The first listed control bound to paramIdx, or null (special controls are not searched).
  IControl* GetControlWithParamIdx(int paramIdx) const;
  int NControls() const noexcept { return mControlList.GetSize(); }
  // Listed control idx, or null.
  IControl* GetControl(int idx) const noexcept { return mControlList.Get(idx); }
  // List index of control, -1 when it is not listed.
  int GetControlIdx(const IControl* control) const noexcept;
  // Deletes the control under tag when it is listed; marks all dirty.
  void RemoveControlWithTag(int tag);
  // Deletes listed control idx; marks all dirty (also for a bad idx).
  void RemoveControl(int idx);
  // Deletes control when it is listed (clearing every pointer to it anyway); marks all dirty.
  void RemoveControl(IControl* control);
  // Deletes the listed controls from fromIdx on, last first; marks all dirty once.
  void RemoveControls(int fromIdx);
  // Deletes every control and special control; releases capture and hover and ends every host
  // gesture still open.
  void RemoveAllControls();

  // --- Moving (each marks all dirty unless the control is hidden) ---

  void SetControlPosition(IControl* control, float x, float y);
  void SetControlSize(IControl* control, float w, float h);
  // Bounds and hit rectangle become r, then OnResize.
  void SetControlBounds(IControl* control, const IRECT& r);

  // --- Iteration (an empty function throws std::bad_function_call: a programming error) ---

  // The listed controls in order, then the frame-time display, corner resizer, text entry and
  // popup menu when present, then the bubbles; controls appended meanwhile are visited too.
  void ForAllControlsFunc(const IControlFunction& func);
  // A member function of IControl with arguments, for every control as above.
  template <class Method, class... Args> void ForAllControls(Method method, Args... args)
  {
    ForAllControlsFunc([&](IControl* c) { (c->*method)(args...); });
  }
  // The listed controls only, in order.
  void ForStandardControlsFunc(const IControlFunction& func);
  // Every listed control bound to paramIdx.
  void ForMatchingControls(int paramIdx, const IControlFunction& func);
  // Once for every (control, listed parameter) pair that matches.
  void ForMatchingControls(std::initializer_list<int> params, const IControlFunction& func);
  // A bool member function (Hide, SetDisabled ...) on every control bound to paramIdx.
  void ForMatchingControls(void (IControl::*method)(bool), int paramIdx, bool value);
  // Every listed control whose group is exactly group.
  void ForControlInGroup(const char* group, const IControlFunction& func);
  void HideControl(int paramIdx, bool hide) { ForMatchingControls(&IControl::Hide, paramIdx, hide); }
  void DisableControl(int paramIdx, bool disable)
  {
    ForMatchingControls(&IControl::SetDisabled, paramIdx, disable);
  }
  // Marks every control dirty without its action.
  void SetAllControlsDirty();
  // Marks every control clean.
  void SetAllControlsClean();
  // OnAllControlsHook on every control.
  void ForAllControlsHook();
  // The highlight dot on every listed control bound to paramIdx.
  void SetHighlightDotForParam(int paramIdx, bool show, int colourChoice = 0);
  // Gives every vector control the style (special controls untouched).
  void StyleAllVectorControls(const IVStyle& style);

  // --- Parameter operations ---

  // Each listed control whose entry 0 is bound gets that parameter's name as its tooltip.
  void AssignParamNameToolTips();
  // Other listed controls bound to caller's parameter of entry valIdx take its value.
  void UpdatePeers(IControl* caller, int valIdx);
  // Parameter of entry 0 of the control under (x, y), stored; -1 when none.
  int SetLastClickedParamForPos(float x, float y);
  // The stored parameter, cleared to -1.
  int GetAndClearLastClickedParam()
  {
    const int p = mLastClickedParam;
    mLastClickedParam = -1;
    return p;
  }

  // --- Bubbles ---

  // Shows a bubble with str beside caller at (x, y), at least minContentBounds big.
  void ShowBubbleControl(IControl* caller, float x, float y, const char* str,
                         EDirection dir = EDirection::Horizontal, IRECT minContentBounds = IRECT());

  // --- Text and bitmap frames (controls call these while drawing) ---

  // Nothing for a null or empty str; else DoDrawText.
  void DrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* blend = nullptr);
  // The same anchored at the point (x, y).
  void DrawText(const IText& text, const char* str, float x, float y, const IBlend* blend = nullptr);
  // Frame frame (1-based, clamped to 1..N) of a strip into bounds; nothing for an empty bitmap.
  void DrawBitmapFrame(const IBitmap& bitmap, const IRECT& bounds, int frame, const IBlend* blend = nullptr);
  // Text from a strip of character frames (frame 1 is the space), aligned by the width of a drawn
  // line; nothing for an empty bitmap, no frames or a cell of no width or height.
  void DrawBitmapText(const IBitmap& font, const IRECT& bounds, const IText& text, const IBlend* blend,
                      const char* str, bool vCenter = true, bool multiline = false, int charWidth = 6,
                      int charHeight = 12, int charOffset = 0);
  // Line across r at pos 0..1 (horizontal: from the bottom; else from the left).
  void DrawLineAcross(const IColor& color, const IRECT& r, EDirection dir, float pos,
                      const IBlend* blend = nullptr, float thickness = 1.f);
  void DrawHorizontalLine(const IColor& color, const IRECT& r, float yNorm, const IBlend* blend = nullptr,
                          float thickness = 1.f);
  void DrawVerticalLine(const IColor& color, const IRECT& r, float xNorm, const IBlend* blend = nullptr,
                        float thickness = 1.f);
  void DrawVerticalLine(const IColor& color, float x, float yLo, float yHi, const IBlend* blend = nullptr,
                        float thickness = 1.f);
  void DrawHorizontalLine(const IColor& color, float y, float xLo, float xHi, const IBlend* blend = nullptr,
                          float thickness = 1.f);
  // Radial line from rMin to rMax at angleDeg (0 up, clockwise).
  void DrawRadialLine(const IColor& color, float cx, float cy, float angleDeg, float rMin, float rMax,
                      const IBlend* blend = nullptr, float thickness = 1.f);

  // --- Path builders and transforms (controls call these while drawing) ---

  void PathRadialLine(float cx, float cy, float angleDeg, float rMin, float rMax);
  void PathTriangle(float x1, float y1, float x2, float y2, float x3, float y3);
  void PathRect(const IRECT& r);
  void PathRoundRect(const IRECT& r, float tl, float tr, float bl, float br);
  void PathRoundRect(const IRECT& r, float radius);
  void PathConvexPolygon(float* x, float* y, int n);
  void PathCircle(float cx, float cy, float r);
  void PathEllipse(float cx, float cy, float rx, float ry, float degrees = 0.f);
  void PathEllipse(const IRECT& r);
  // Clip to r within the top layer (or the current control's clip); all zero: the whole area.
  void PathClipRegion(const IRECT& r = IRECT());
  void PathTransformSave();
  void PathTransformRestore();
  void PathTransformReset(bool clearStates = false);
  void PathTransformTranslate(float x, float y);
  void PathTransformScale(float x, float y);
  void PathTransformScale(float s);
  void PathTransformRotate(float degrees);
  void PathTransformSkew(float xDegrees, float yDegrees);
  void PathTransformMatrix(const IMatrix& m);
  // Draws a parsed SVG in its own coordinates under the current transform; a colour given
  // replaces every stroke or fill paint. Nothing for a null image.
  void DoDrawSVG(const ISVG& svg, const IBlend* blend = nullptr, const IColor* strokeColor = nullptr,
                 const IColor* fillColor = nullptr);
  // The pattern of one SVG paint: a colour takes the shape opacity as its alpha; gradient stops
  // stay opaque.
  static IPattern GetSVGPattern(const SvgPaint& paint, float opacity);
  // Translation that places text rotated by its angle inside bounds; rect becomes its rotated box.
  void CalculateTextRotation(const IText& text, const IRECT& bounds, IRECT& rect, double& tx,
                             double& ty) const;
  // Moves a measured rectangle to where the rotated text lands.
  void DoMeasureTextRotation(const IText& text, const IRECT& bounds, IRECT& rect) const;

  // --- Layers ---

  // Starts drawing into a new off-screen layer over r, owned by owner (may be null).
  void StartLayer(IControl* owner, const IRECT& r, bool cacheable = false);
  // Ends the top layer and hands it over.
  ILayerPtr EndLayer();
  void PushLayer(ILayer* layer);
  // Continues drawing into an existing layer (taken out of the pointer); nothing for null.
  void ResumeLayer(ILayerPtr& layer);
  // Removes the top layer (null when none); the caller owns it.
  ILayer* PopLayer();
  // The layer can be drawn as it is.
  bool CheckLayer(const ILayerPtr& layer);
  void DrawLayer(const ILayerPtr& layer, const IBlend* blend = nullptr);
  void DrawFittedLayer(const ILayerPtr& layer, const IRECT& r, const IBlend* blend = nullptr);
  void DrawRotatedLayer(const ILayerPtr& layer, double degrees);
  // Blurs the layer's alpha into a drop shadow.
  void ApplyLayerDropShadow(ILayerPtr& layer, const IShadow& shadow);

  // --- Resources ---

  // Looks for an image resource at the scales tried for targetScale; 0 when not found.
  int SearchImageResource(const char* name, const char* type, StringBuf& path, int targetScale,
                          int& sourceScale);
  // src's resource at the screen scale rounded up.
  IBitmap GetScaledBitmap(IBitmap& src);
  bool LoadFont(const char* fontID, const char* fontName, ETextStyle style);
  // Gesture regions outside controls.
  void AttachGestureRecognizerToRegion(const IRECT& bounds, int gestureType, IGestureFunc func);
  void ClearGestureRegions();
  bool RespondsToGesture(float x, float y);
  // A recognised gesture for the control or region under it (an entry point, see below).
  bool OnGestureRecognized(const IGestureInfo& info);

  // --- Frame loop ---

  // Steps every animation, then collects a rectangle for each dirty control; true when any. An
  // entry point (see Event dispatch): when memory runs out (an animation's end action may be a
  // whole gesture) the gesture ends and false is returned; the controls stay dirty for the next
  // frame.
  bool IsDirty(IRECTList& rects);
  // Draws every control touching the (aligned, merged) rectangles; nothing for an empty list. An
  // entry point: when memory runs out the frame ends as drawn and every control draws again next
  // frame.
  void Draw(IRECTList& rects);
  // Draws every control against one region.
  void Draw(const IRECT& region, float scale);
  // Draws one control clipped to region and its ancestors.
  void DrawControl(IControl* control, const IRECT& region, float scale);
  // Resets the transform and path and clips to r.
  void PrepareRegion(const IRECT& r);
  // Draws each frame as one region; marks all dirty.
  void SetSingleDirtyRegion(bool single);

  // --- Event dispatch ---
  //
  // The On* events, the completions of text entries and menus, and the frame loop's IsDirty and
  // Draw are the entry points through which the platform (a user gesture, its timer) reaches the
  // editor. Each one catches what the editor may throw there while working as designed, running
  // out of memory (std::bad_alloc): the gesture ends (AbandonGesture) and a key counts as taken.
  // Everything else, the logic errors that mark a programming mistake (a bad parameter
  // index, an empty walk function) among them, passes on to the caller, so that tests see it.

  // The control for an event at (x, y), optionally capturing it for touchId.
  IControl* GetMouseControl(float x, float y, bool capture, bool mouseOver = false, uint64_t touchId = 0);
  // Hit test over the listed controls (last first); -1 when nothing is hit.
  int GetMouseControlIdx(float x, float y, bool mouseOver = false);
  void OnMouseDown(const IMouseInfoList& points);
  void OnMouseUp(const IMouseInfoList& points);
  void OnMouseDrag(const IMouseInfoList& points);
  bool OnMouseOver(float x, float y, const IMouseMod& mod);
  void OnMouseOut();
  void OnMouseDblClick(float x, float y, const IMouseMod& mod);
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float delta);
  bool OnKeyDown(float x, float y, const IKeyPress& key);
  bool OnKeyUp(float x, float y, const IKeyPress& key);
  void OnDrop(const char* path, float x, float y);
  void OnDropMultiple(const std::vector<const char*>& paths, float x, float y);
  void OnAppearanceChanged(int appearance);
  void OnTouchCancelled(const IMouseInfoList& points);
  void OnDragResize(float x, float y);
  // Empties the capture table, ends the host gestures the captured controls began, and shows the
  // pointer again when it was hidden.
  void ReleaseMouseCapture();
  // The host's context menu for paramIdx at (x, y).
  void PopupHostContextMenuForParam(IControl* control, int paramIdx, float x, float y);
  void PopupHostContextMenuForParam(int controlIdx, int paramIdx, float x, float y);
  // The value prompt for entry valIdx: a menu for display texts, else a text entry.
  void PromptUserInput(IControl& control, const IRECT& bounds, int valIdx = 0);
  void CreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds, int valIdx = 0,
                       bool isContext = false);
  void CreatePopupMenu(IControl& control, IPopupMenu& menu, float x, float y, int valIdx = 0);
  void CreateTextEntry(IControl& control, const IText& text, const IRECT& bounds, const char* str = "",
                       int valIdx = 0);
  // Completion of a text entry and of a menu (entry points, see above).
  void SetControlValueAfterTextEdit(const char* str);
  void SetControlValueAfterPopupMenu(IPopupMenu* menu);
  // Plays MIDI notes from the computer keyboard through the delegate and func.
  void SetQwertyMidiKeyHandlerFunc(IMidiFunc func = nullptr);

  // --- State ---

  int Width() const noexcept { return mWidth; }
  int Height() const noexcept { return mHeight; }
  // Size of the window in view points: the logical size times the draw scale, truncated; held
  // within the int range (a NaN size gives 0).
  int WindowWidth() const;
  int WindowHeight() const;
  int FPS() const noexcept { return mFrameRate; }
  float GetDrawScale() const noexcept { return mDrawScale; }
  float GetScreenScale() const noexcept { return mScreenScale; }
  float GetMinScale() const noexcept { return mMinScale; }
  float GetMaxScale() const noexcept { return mMaxScale; }
  // The plug-in object as the editor-delegate interface, and its graphics part.
  IEditorDelegate* GetDelegate() const noexcept { return mDelegate; }
  ICanvasEditorDelegateBase* GetCanvasDelegate() const noexcept { return mCanvasDelegate; }
  IPopupMenuControl* GetPopupMenuControl() const noexcept { return mPopupMenuCtrl; }
  ITextEntryControl* GetTextEntryControl() const noexcept { return mTextEntryCtrl; }
  ICornerResizerControl* GetCornerResizer() const noexcept { return mCornerResizerCtrl; }
  IFPSDisplayControl* GetFPSDisplay() const noexcept { return mFrameRateDisplay; }
  int NBubbles() const noexcept { return mBubbleList.GetSize(); }
  IBubbleControl* GetBubble(int idx) const noexcept { return mBubbleList.Get(idx); }
  // Some pointer holds control captured.
  bool ControlIsCaptured(const IControl* control) const noexcept;
  // The control captured under touchId, or null.
  IControl* GetCapturedControl(uint64_t touchId) const noexcept;
  bool CaptureIsEmpty() const noexcept { return mCaptureMap.empty(); }
  IControl* GetMouseOverControl() const noexcept { return mMouseOverCtrl; }
  int GetMouseOverIdx() const noexcept { return mMouseOverIdx; }
  IControl* GetControlInTextEntry() const noexcept { return mInTextEntryCtrl; }
  void ClearInTextEntryControl() noexcept { mInTextEntryCtrl = nullptr; }
  IControl* GetControlInPopupMenu() const noexcept { return mInPopupMenuCtrl; }
  // Last single-pointer press position.
  void GetMouseDownPoint(float& x, float& y) const noexcept
  {
    x = mMouseX;
    y = mMouseY;
  }
  bool GetResizeDragActive() const noexcept { return mResizeDragActive; }
  void SetResizeDragActive(bool active) noexcept { mResizeDragActive = active; }
  int GetCornerResizerMode() const noexcept { return mCornerResizerMode; }
  bool GetLayoutOnResize() const noexcept { return mLayoutOnResize; }
  int GetCursorType() const noexcept { return mCursorType; }
  bool CursorIsHidden() const noexcept { return mCursorHidden; }
  bool CursorIsLocked() const noexcept { return mCursorLocked; }
  bool TabletInput() const noexcept { return mTabletInput; }
  void SetTabletInput(bool tablet) noexcept { mTabletInput = tablet; }
  // Tooltips on (also turns hover tracking on).
  void EnableTooltips(bool enable);
  bool TooltipsEnabled() const noexcept { return mTooltipsEnabled; }
  void EnableMouseOver(bool enable) noexcept { mTrackMouseOver = enable; }
  bool MouseOverEnabled() const noexcept { return mTrackMouseOver; }
  void EnableMultiTouch(bool enable) noexcept { mMultiTouchEnabled = enable; }
  bool MultiTouchEnabled() const noexcept { return mMultiTouchEnabled; }
  bool GetSingleDirtyRegion() const noexcept { return mSingleDirtyRegion; }
  const char* GetResourceSubPath() const noexcept { return mResourceSubPath.Get(); }
  void SetResourceSubPath(const char* subPath) { mResourceSubPath.Set(subPath); }
  void SetKeyHandlerFunc(IKeyHandlerFunc func) { mKeyHandlerFunc = std::move(func); }
  void SetAppearanceChangedFunc(IAppearanceChangedFunc func) { mAppearanceChangedFunc = std::move(func); }
  void GetScreenOffset(float& x, float& y) const noexcept
  {
    x = mScreenOffsetX;
    y = mScreenOffsetY;
  }
  void SetScreenOffset(float x, float y) noexcept
  {
    mScreenOffsetX = x;
    mScreenOffsetY = y;
  }
  const IRECT& GetClipRect() const noexcept { return mClipRect; }
  const IMatrix& GetTransform() const noexcept { return mTransform; }
  int TransformStackDepth() const noexcept { return static_cast<int>(mTransformStates.size()); }
  int LayerStackDepth() const noexcept { return static_cast<int>(mLayers.size()); }

protected:
  // Inserts control at the front of the list (drawn first, hit last); false when it could not.
  bool InsertControlAtFront(IControl* control);
  // Sets the delegate and context pointers, then OnInit, OnResize, OnRescale.
  void InitSpecialControl(IControl* control);
  // Steps 1-4 of removal: capture, hover, prompts, tag, bubble callers and children's parents.
  void ForgetControl(IControl* control);
  // Reports the window size to the delegate and resizes the platform view.
  void ReportWindowSize(bool needsPlatformResize);
  // Begins the host gesture of every bound entry of control for touchId (once per entry).
  void BeginGestures(const IControl* control, uint64_t touchId);
  // Ends the gestures begun for control, under touchId only or, with anyTouch, under every touch.
  void EndGestures(const IControl* control, uint64_t touchId, bool anyTouch);
  // Ends every gesture still open.
  void EndAllGestures();
  // Empties the capture table, ending the gestures of the captured controls except keep's (a
  // menu opening for keep ends them when it closes), and shows a hidden pointer again.
  void ReleaseCaptureKeeping(const IControl* keep);
  // Ends a gesture that ran out of memory: the capture table is emptied, a resize drag ends, the
  // host hears the end of every edit begun and a hidden pointer shows again. Allocates nothing.
  void AbandonGesture();

  PtrList<IControl> mControlList{4096};
  std::unordered_map<int, IControl*> mTagMap;
  ICornerResizerControl* mCornerResizerCtrl = nullptr;
  PtrList<IBubbleControl> mBubbleList{4096};
  IPopupMenuControl* mPopupMenuCtrl = nullptr;
  IFPSDisplayControl* mFrameRateDisplay = nullptr;
  ITextEntryControl* mTextEntryCtrl = nullptr;
  IPopupMenu mValuePromptMenu{""};
  StringBuf mResourceSubPath{128};
  int mCursorType = kCursorArrow;
  int mWidth;
  int mHeight;
  int mFrameRate;
  float mScreenScale = 1.f;
  float mDrawScale;
  std::vector<int> mRegisteredGestures;
  TypedBuf<IRECT> mGestureRegions{4096};
  std::unordered_map<int, IGestureFunc> mGestureRegionFuncs;
  std::unordered_map<uint64_t, IControl*> mCaptureMap;
  IControl* mMouseOverCtrl = nullptr;
  IControl* mInTextEntryCtrl = nullptr;
  IControl* mInPopupMenuCtrl = nullptr;
  bool mIsContextMenu = false;
  int mTextEntryValIdx = -1;
  int mPopupMenuValIdx = -1;
  int mMouseOverIdx = -1;
  float mMouseX = -1.f;
  float mMouseY = -1.f;
  float mMinScale = 0.5f;
  float mMaxScale = 4.f;
  int mLastClickedParam = -1;
  bool mTrackMouseOver = false;
  bool mSingleDirtyRegion = false;
  bool mTooltipsEnabled = false;
  bool mResizeDragActive = false;
  bool mLayoutOnResize = false;
  bool mMultiTouchEnabled = false;
  int mCornerResizerMode = 0;
  double mPrevFrameTime = 0.0;
  IKeyHandlerFunc mKeyHandlerFunc;
  IAppearanceChangedFunc mAppearanceChangedFunc;
  IEditorDelegate* mDelegate;
  ICanvasEditorDelegateBase* mCanvasDelegate;
  bool mCursorHidden = false;
  bool mCursorLocked = false;
  bool mTabletInput = false;
  float mCursorLockX = -1.f;
  float mCursorLockY = -1.f;
  float mScreenOffsetX = 0.f;
  float mScreenOffsetY = 0.f;
  std::deque<ILayer*> mLayers;
  IRECT mClipRect;
  IMatrix mTransform;
  std::deque<IMatrix> mTransformStates;

  // Host gestures begun by presses and not ended yet, so that every begin gets exactly one end.
  struct OpenGesture
  {
    const IControl* control;
    uint64_t touchId;
    int paramIdx;
  };
  std::vector<OpenGesture> mOpenGestures;
};

} // namespace plugin::ui
