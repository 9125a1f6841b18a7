#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/values/EDirection.h"
#include "graphics/values/IBlend.h"
#include "graphics/values/IColor.h"
#include "graphics/values/IGestureInfo.h"
#include "graphics/values/IMouse.h"
#include "graphics/values/IRECT.h"
#include "graphics/values/IText.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <unordered_map>
#include <vector>

namespace plugin {
class IEditorDelegate;
class IParam;
struct IKeyPress;
struct IMidiMsg;
} // namespace plugin

namespace plugin::ui {

class ICanvas;
class IControl;
class IPopupMenu;

// Called with the control when its value is set with the trigger flag (action), every frame while
// it runs (animation), or when an animation ends. Main thread.
using IActionFunction = std::function<void(IControl*)>;
using IAnimationFunction = std::function<void(IControl*)>;
// Called with the control and the gesture when a registered gesture is recognised. Main thread.
using IGestureFunc = std::function<void(IControl*, const IGestureInfo&)>;

// Identifier of the host's context-menu target interface (16 bytes, in the byte order the host
// interface uses on this platform). A host context menu built for a parameter calls back into the
// control through it; the host binding wraps the control in the host's interface.
inline constexpr char kContextMenuTargetIID[16] = {'\x3C', '\xDF', '\x2E', '\x75', '\x85', '\xD3',
                                                   '\x41', '\x44', '\xBF', '\x86', '\xD3', '\x6B',
                                                   '\xD7', '\xC4', '\x89', '\x4D'};
// Identifier of the root interface every host interface answers.
inline constexpr char kUnknownIID[16] = {0, 0, 0, 0, 0, 0, 0, 0, '\xC0', 0, 0, 0, 0, 0, 0, '\x46'};

// Base of every element of the editor. A control owns a drawing rectangle and a hit rectangle, a
// text style, a list of value entries (each a normalised value, optionally bound to a plug-in
// parameter), state flags and three callable slots (action, animation, animation end). The
// graphics context owns, hit-tests, dispatches to and draws controls; the editor delegate pushes
// parameter values in and takes the user's values out.
// Everything runs on the main thread; nothing is locked.
class IControl
{
public:
  // Result codes of the host interface part.
  static constexpr int32_t kResultOk = 0;
  static constexpr int32_t kNoInterface = -1;
  static constexpr int32_t kInvalidArgument = 2;

  // One value the control shows: its parameter (-1: unbound) and its normalised value.
  struct ValueEntry
  {
    int mParamIdx = -1;
    double mValue = 0.0;
  };

  // One entry bound to paramIdx (-1: unbound).
  IControl(const IRECT& bounds, int paramIdx = -1, IActionFunction actionFunc = nullptr);
  // One entry per listed parameter, in order; an empty list gives no entries.
  IControl(const IRECT& bounds, const std::initializer_list<int>& params,
           IActionFunction actionFunc = nullptr);
  // One unbound entry.
  IControl(const IRECT& bounds, IActionFunction actionFunc);
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // --- Host context-menu target. Called by the host binding on the main thread; no allocation. ---

  // The context-menu or root identifier: adds a reference and answers the control; else none.
  virtual int32_t queryInterface(const char iid[16], void** obj);
  // Reference count + 1; returns the new count.
  virtual uint32_t addRef();
  // Reference count - 1; returns the new count. Never deletes: the graphics context owns controls.
  virtual uint32_t release();
  // The host's menu item with this tag was chosen: OnContextSelection(tag); returns kResultOk.
  virtual int32_t executeMenuItem(int32_t tag);

  // The graphics context deletes its controls. Main thread.
  virtual ~IControl();

  // --- Events. The graphics context calls them on the main thread; they may allocate. ---

  // Press; base: with the right button, PromptUserInput(GetValIdxForPos(x, y)).
  virtual void OnMouseDown(float x, float y, const IMouseMod& mod);
  // Release of a press this control captured; base: nothing.
  virtual void OnMouseUp(float x, float y, const IMouseMod& mod);
  // Drag of a press this control captured; base: nothing.
  virtual void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod);
  // Double click; base: SetValueToDefault(GetValIdxForPos(x, y)).
  virtual void OnMouseDblClick(float x, float y, const IMouseMod& mod);
  // Wheel over the control; base: nothing.
  virtual void OnMouseWheel(float x, float y, const IMouseMod& mod, float delta);
  // Key with the pointer over the control; true when handled. Base: false.
  virtual bool OnKeyDown(float x, float y, const IKeyPress& key);
  virtual bool OnKeyUp(float x, float y, const IKeyPress& key);
  // Pointer moved over the control; base sets the hover flag, marking dirty when it changes.
  virtual void OnMouseOver(float x, float y, const IMouseMod& mod);
  // Pointer left; base clears the hover flag, marking dirty when it changes.
  virtual void OnMouseOut();
  // A touch of this control was cancelled; base: nothing.
  virtual void OnTouchCancelled(float x, float y, const IMouseMod& mod);
  // A file was dropped on the control; base: nothing.
  virtual void OnDrop(const char* path);
  // Several files were dropped; base: OnDrop with the first, nothing for an empty list.
  virtual void OnDropMultiple(const std::vector<const char*>& paths);
  // Attached, or the screen scale changed; base: nothing.
  virtual void OnRescale();
  // Attached, moved, resized, or the editor resized; base: nothing.
  virtual void OnResize();
  // First hook of attaching (delegate and graphics context are set); base: nothing.
  virtual void OnInit();
  // Last hook of attaching (the control is in the list); base: nothing.
  virtual void OnAttached();
  // A message from the plug-in for this control's tag; base: nothing. Must not keep data.
  virtual void OnMsgFromDelegate(int msgTag, int dataSize, const void* data);
  // A MIDI message, for controls that receive MIDI; base: nothing.
  virtual void OnMidi(const IMidiMsg& msg);
  // A recognised gesture: runs the registered handler for its type; false when none.
  virtual bool OnGesture(const IGestureInfo& info);
  // Lets the control add items before a host context menu is shown; base: nothing.
  virtual void CreateContextMenu(IPopupMenu& menu);
  // A value menu opened for entry valIdx closed (menu null: dismissed). Base: the chosen index,
  // as a real value of the entry's parameter, becomes the entry's value through user input.
  virtual void OnPopupMenuSelection(IPopupMenu* menu, int valIdx);
  // A text entry opened for a control without a parameter finished; base: nothing.
  virtual void OnTextEntryCompletion(const char* str, int valIdx);
  // An item of the control's own context menu was chosen; base: nothing.
  virtual void OnContextSelection(int itemTag);

  // --- Drawing. The frame loop calls these on the main thread. ---

  // Draws the control; every concrete control defines it. May allocate.
  virtual void Draw(ICanvas& g) = 0;
  // Draws the highlight dot when shown: a red (or chosen) dot at the hit rectangle's top right.
  virtual void DrawHighlightDot(ICanvas& g);

  // --- Values and state. Main thread; may allocate only through the callables they run. ---

  // Binds entry valIdx to paramIdx, then marks dirty. A valIdx outside the entries throws
  // std::out_of_range and changes nothing.
  virtual void SetParamIdx(int paramIdx, int valIdx = 0);
  // Entry under the point: 0 with exactly one entry, else -1.
  virtual int GetValIdxForPos(float x, float y) const;
  // A value from the plug-in: ignored while captured, unchanged or for a bad index; else stored
  // and marked dirty without action.
  virtual void SetValueFromDelegate(double value, int valIdx = 0);
  // A value from the user: when it differs, stored and marked dirty with the action.
  virtual void SetValueFromUserInput(double value, int valIdx = 0);
  // Restores the parameters' defaults (-1: every entry), then marks dirty with the action.
  virtual void SetValueToDefault(int valIdx = -1);
  // Stores the value of entry valIdx as given; nothing for a bad index.
  virtual void SetValue(double value, int valIdx = 0);
  // Copies the text style.
  virtual void SetText(const IText& text);
  // Moves the top-left corner to (x, y) (each at least 0), keeping sizes and the hit rectangle's
  // offset; calls OnResize.
  virtual void SetPosition(float x, float y);
  // Resizes both rectangles to w x h (each at least 0) from the bounds' top-left; calls OnResize.
  virtual void SetSize(float w, float h);
  // Hides or shows, then marks dirty.
  virtual void Hide(bool hide);
  // Disables (blend weight 0.25) or enables (1.0), then marks dirty.
  virtual void SetDisabled(bool disable);
  // Makes every pointer hit test skip the control.
  virtual void SetIgnoreMouse(bool ignore);
  // The hit rectangle contains the point.
  virtual bool IsHit(float x, float y) const;
  // Clamps values to 0..1 and marks dirty; with triggerAction sends bound values to the delegate,
  // updates peer controls and runs the action. One entry: valIdx counts as 0; -1: every entry.
  virtual void SetDirty(bool triggerAction, int valIdx = -1);
  // Clears the dirty flag.
  virtual void SetClean();
  // True while an animation function is set; else the dirty flag.
  virtual bool IsDirty();
  // Called by the graphics context for every control on request; base: nothing.
  virtual void OnAllControlsHook();
  // At least one gesture handler and no running animation.
  virtual bool WantsGestures() const;
  // Sets entry valIdx (-1: all) from the point's position along bounds, rounded to three decimals
  // and clamped to minClip..maxClip, then marks dirty with the action.
  virtual void SnapToMouse(float x, float y, EDirection direction, const IRECT& bounds, int valIdx = -1,
                           double minClip = 0.0, double maxClip = 1.0);
  // Ends the running animation: clears it, marks dirty, runs the animation-end function.
  virtual void OnEndAnimation();

  // --- Class identity of the host object part. ---

  // "IControl".
  virtual const char* isA() const;
  // isTypeOf(classId, false).
  virtual bool isA(const char* classId) const;
  // True for "IControl"; for "FObject" only when askBaseClass; false for null.
  virtual bool isTypeOf(const char* classId, bool askBaseClass = true) const;

  // --- Non-virtual operations (main thread) ---

  // Value and parameter of entry valIdx; 0.0 and -1 for a bad index.
  double GetValue(int valIdx = 0) const noexcept;
  int GetParamIdx(int valIdx = 0) const noexcept;
  // The delegate's parameter of entry valIdx; null when unbound, unknown or unattached.
  IParam* GetParam(int valIdx = 0) const noexcept;
  // First entry bound to paramIdx, -1 when none.
  int LinkedToParam(int paramIdx) const noexcept;
  int NVals() const noexcept { return static_cast<int>(mValueEntries.size()); }

  // True when a value prompt for entry valIdx would open: a bound, known parameter, prompting not
  // blocked, attached to a context.
  bool CanPromptUserInput(int valIdx = 0) const noexcept;
  // Opens the value prompt for entry valIdx over the control (menu for texts, else a text field).
  void PromptUserInput(int valIdx = 0);
  // Opens the value prompt for entry valIdx over bounds, without marking dirty.
  void PromptUserInput(const IRECT& bounds, int valIdx = 0);

  // Starts timing an animation now for durationMs.
  void StartAnimation(int durationMs);
  // (now - start) / duration, not clamped; 0 without an animation function; an animation that was
  // never given a duration reads as over.
  double GetAnimationProgress() const;
  // Runs the animation function once with the control, when set.
  void StepAnimation();
  // Shows or hides the highlight dot; colour 0 red, 1 blue, 2 green, 3 yellow, else unchanged.
  void SetHighlightDot(bool show, int colourChoice = 0);
  // Registers a handler for a gesture type (an existing one is kept) and tells the context.
  void AddGestureHandler(int gestureType, IGestureFunc func);

  // Ready-made animation: ends the animation once its progress exceeds 1.
  static void DefaultAnimation(IControl* control);
  // Ready-made action: a 100 ms DefaultAnimation.
  static void DefaultClickAction(IControl* control);

  // --- Accessors ---

  const IRECT& GetBounds() const noexcept { return mBounds; }
  const IRECT& GetHitRect() const noexcept { return mHitRect; }
  // Sets one rectangle without calling OnResize.
  void SetBounds(const IRECT& r) noexcept { mBounds = r; }
  void SetHitRect(const IRECT& r) noexcept { mHitRect = r; }
  const char* GetGroup() const noexcept { return mGroupName.Get(); }
  void SetGroup(const char* group) { mGroupName.Set(group); }
  const IText& GetText() const noexcept { return mTextStyle; }
  const IBlend* GetBlend() const noexcept { return &mBlendState; }
  void SetBlend(const IBlend& blend) noexcept { mBlendState = blend; }
  int GetTextEntryLength() const noexcept { return mTextEntryMaxChars; }
  void SetTextEntryLength(int len) noexcept { mTextEntryMaxChars = len; }
  bool IsHidden() const noexcept { return mIsHidden; }
  bool IsDisabled() const noexcept { return mIsDisabled; }
  bool GetPromptBlocked() const noexcept { return mPromptBlocked; }
  void SetPromptBlocked(bool blocked) noexcept { mPromptBlocked = blocked; }
  bool GetDoubleClickIsClick() const noexcept { return mDoubleClickIsClick; }
  void SetDoubleClickIsClick(bool v) noexcept { mDoubleClickIsClick = v; }
  bool GetHoverWhileDisabled() const noexcept { return mHoverWhileDisabled; }
  void SetHoverWhileDisabled(bool v) noexcept { mHoverWhileDisabled = v; }
  bool GetMouseWhileDisabled() const noexcept { return mMouseWhileDisabled; }
  void SetMouseWhileDisabled(bool v) noexcept { mMouseWhileDisabled = v; }
  bool GetIgnoreMouse() const noexcept { return mMouseTransparent; }
  bool GetReceivesMidi() const noexcept { return mReceivesMidi; }
  void SetReceivesMidi(bool v) noexcept { mReceivesMidi = v; }
  bool GetMultiTouch() const noexcept { return mMultiTouch; }
  void SetMultiTouch(bool v) noexcept { mMultiTouch = v; }
  bool GetPromptWithUnit() const noexcept { return mPromptWithUnit; }
  void SetPromptWithUnit(bool v) noexcept { mPromptWithUnit = v; }
  bool GetMouseIsOver() const noexcept { return mHovered; }
  bool GetNeedsRedraw() const noexcept { return mNeedsRedraw; }
  const char* GetTooltip() const noexcept { return mTooltipText.Get(); }
  void SetTooltip(const char* text) { mTooltipText.Set(text); }
  const IColor& GetHighlightDotColor() const noexcept { return mHighlightDotColor; }
  bool GetHighlightDotShown() const noexcept { return mHighlightDotShown; }
  IControl* GetParent() const noexcept { return mParentControl; }
  void SetParent(IControl* parent) noexcept { mParentControl = parent; }
  IEditorDelegate* GetDelegate() const noexcept { return mEditorDelegate; }
  ICanvas* GetUI() const noexcept { return mGraphicsContext; }
  const IActionFunction& GetActionFunction() const noexcept { return mActionFunction; }
  void SetActionFunction(IActionFunction func) { mActionFunction = std::move(func); }
  const IAnimationFunction& GetAnimationFunction() const noexcept { return mAnimationFunction; }
  void SetAnimationFunction(IAnimationFunction func) { mAnimationFunction = std::move(func); }
  const IActionFunction& GetAnimationEndActionFunction() const noexcept { return mAnimationEndFunction; }
  void SetAnimationEndActionFunction(IActionFunction func) { mAnimationEndFunction = std::move(func); }
  double GetAnimationStartMs() const noexcept { return mAnimationStartMs; }
  double GetAnimationDurationMs() const noexcept { return mAnimationDurationMs; }
  int GetLastGestureType() const noexcept { return mLastGestureType; }
  uint32_t GetRefCount() const noexcept { return mRefCount.load(); }
  // Tells this control apart from every other control of the process, one made later at the same
  // address included: what a reference kept outside the editor checks the control by. Any thread.
  uint64_t GetInstanceId() const noexcept { return mInstanceId; }

protected:
  friend class ICanvas;

  // Runs the action function once with the control, when set.
  void RunActionFunction();
  // The entry's parameter for a value index the caller checked.
  IParam* ParamOfEntry(const ValueEntry& entry) const noexcept;
  // Normalised value of the parameter's real value v: snapped when stepped, clamped, shaped.
  static double NormalizedParamValue(const IParam& param, double v) noexcept;
  bool ValidValIdx(int valIdx) const noexcept { return valIdx >= 0 && valIdx < NVals(); }

  IRECT mBounds;
  IRECT mHitRect;
  StringBuf mGroupName{128};
  IText mTextStyle = DEFAULT_TEXT;
  IBlend mBlendState{EBlend::SourceOver, 1.f};
  int mTextEntryMaxChars = 7;
  bool mNeedsRedraw = true;
  bool mIsHidden = false;
  bool mIsDisabled = false;
  bool mPromptBlocked = true;
  bool mDoubleClickIsClick = false;
  bool mHoverWhileDisabled = false;
  bool mMouseWhileDisabled = false;
  bool mMouseTransparent = false;
  bool mReceivesMidi = false;
  bool mMultiTouch = false;
  bool mPromptWithUnit = false;
  bool mHovered = false;
  StringBuf mTooltipText{128};
  IColor mHighlightDotColor = COLOR_RED;
  bool mHighlightDotShown = false;
  IControl* mParentControl = nullptr;
  IEditorDelegate* mEditorDelegate = nullptr;
  ICanvas* mGraphicsContext = nullptr;
  IActionFunction mActionFunction;
  IActionFunction mAnimationEndFunction;
  IAnimationFunction mAnimationFunction;
  double mAnimationStartMs = 0.0;
  double mAnimationDurationMs = 0.0;
  std::vector<ValueEntry> mValueEntries;
  std::unordered_map<int, IGestureFunc> mGestureFunctions;
  int mLastGestureType = 0;

private:
  // The next control's instance id; never reused within the process.
  static uint64_t NextInstanceId() noexcept;

  std::atomic<uint32_t> mRefCount{1};
  const uint64_t mInstanceId = NextInstanceId();
};

// Ready-made action that does nothing.
void NoOpAction(IControl* control);
// Ready-made animation of vector controls: grows the splash with the progress, then ends.
void SplashAnimation(IControl* control);
// Ready-made action of vector controls: splash from the last press point, 100 ms.
void SplashClickAction(IControl* control);
// Shows a value bubble right of the control with entry 0's display text and unit.
void ShowBubbleRightAction(IControl* control);
// Shows a value bubble above the control with entry 0's display text and unit.
void ShowBubbleAboveAction(IControl* control);

} // namespace plugin::ui
