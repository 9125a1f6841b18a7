#pragma once

#include "framework/buffers/IByteChunk.h"
#include "framework/editor/IEditorDelegate.h"

#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace plugin {
struct IKeyPress;
struct IMidiMsg;
} // namespace plugin

namespace plugin::ui {

class ICanvas;
class IControl;
class IPopupMenu;

// The part of the graphics editor delegate that does not depend on the plug-in class below it:
// the graphics context and its factory and layout functions, the editor size and draw scale kept
// while the editor is closed, and the work behind every editor operation the delegate answers.
// The graphics context holds the delegate through this class; it reaches the plug-in's own
// editor-delegate operations through EditorDelegate(). Main thread only; nothing is locked.
class ICanvasEditorDelegateBase
{
public:
  using MakeGraphicsFunc = std::function<ICanvas*()>;
  using LayoutFunc = std::function<void(ICanvas* ui)>;
  // What a host context menu keeps in place of its control: each call finds the control afresh,
  // and gives null once the editor has closed or its context no longer holds that control. It
  // keeps neither the plug-in, the context nor the control alive. Called on the main thread.
  using ControlLookup = std::function<IControl*()>;

  // Bytes of the editor-state record: width (int32), height (int32), draw scale (float).
  static constexpr int kEditorStateSize = 12;

  ICanvasEditorDelegateBase(const ICanvasEditorDelegateBase&) = delete;
  ICanvasEditorDelegateBase& operator=(const ICanvasEditorDelegateBase&) = delete;
  // The derived delegate deletes an open graphics context first; the functions go here.
  virtual ~ICanvasEditorDelegateBase();

  // The factory function's context, or null when none is set. Called when the editor opens, on
  // the main thread; allocates.
  virtual ICanvas* CreateGraphics();
  // Runs the layout function on ui when one is set. Called by the platform while its window
  // opens and by the context after a resize with layout-on-resize; main thread; allocates.
  virtual void LayoutUI(ICanvas* ui);
  // Shows the host's context menu for paramIdx at (x, y) in view pixels, with items added after
  // the host's own; a chosen item reaches target's executeMenuItem with the item's tag. False when
  // the host offers no such menu. Called by the graphics context on a right click; main thread.
  virtual bool PopupHostContextMenu(IControl* target, int paramIdx, IPopupMenu& items, int x, int y);
  // The open editor's graphics context, or null. Main thread; no allocation.
  virtual ICanvas* GetUI();
  // The lookup a host context menu built for control keeps (see ControlLookup); null control
  // gives a lookup that always answers null. Main thread; allocates (may throw std::bad_alloc).
  ControlLookup MakeControlLookup(IControl* control);

  // The plug-in object as the editor-delegate interface.
  IEditorDelegate& EditorDelegate() const noexcept { return mEditor; }
  void SetMakeGraphicsFunc(MakeGraphicsFunc func) { mMakeGraphicsFunc = std::move(func); }
  void SetLayoutFunc(LayoutFunc func) { mLayoutFunc = std::move(func); }
  const MakeGraphicsFunc& GetMakeGraphicsFunc() const noexcept { return mMakeGraphicsFunc; }
  const LayoutFunc& GetLayoutFunc() const noexcept { return mLayoutFunc; }
  // Size and draw scale kept while the editor is closed (0 until a close or a state read).
  int GetSavedWidth() const noexcept { return mSavedWidth; }
  int GetSavedHeight() const noexcept { return mSavedHeight; }
  float GetSavedDrawScale() const noexcept { return mSavedDrawScale; }

protected:
  // editor is the object this part belongs to, as the editor-delegate interface.
  explicit ICanvasEditorDelegateBase(IEditorDelegate& editor) noexcept : mEditor(editor) {}

  // The work behind the editor-delegate operations, called by the derived delegate's overrides.
  // They are the entry points through which the host reaches the editor: running out of memory
  // (std::bad_alloc) opens no editor, lets a close go on, and drops a value, message, MIDI
  // message, scale or size; every other exception passes on to the caller.
  void* OpenGraphicsWindow(void* parent);
  void CloseGraphicsWindow();
  bool KeyToGraphics(const IKeyPress& key, bool isUp);
  void ControlValueToGraphics(int ctrlTag, double normalizedValue);
  void ControlMsgToGraphics(int ctrlTag, int msgTag, int dataSize, const void* data);
  void MidiMsgToGraphics(const IMidiMsg& msg);
  void ParameterValueToGraphics(int paramIdx, double value, bool normalized);
  bool AppendEditorState(IByteChunk& chunk) const;
  int ReadEditorState(const IByteChunk& chunk, int startPos);
  void ScreenScaleToGraphics(float scale);
  // Deletes an open graphics context without closing its window (the object is going).
  void DeleteGraphics() noexcept;

  MakeGraphicsFunc mMakeGraphicsFunc;
  LayoutFunc mLayoutFunc;
  ICanvas* mGraphics = nullptr;
  int32_t mSavedWidth = 0;
  int32_t mSavedHeight = 0;
  float mSavedDrawScale = 0.f;
  bool mClosing = false;

private:
  // What the lookups of host menus share: the delegate while it lives, null after.
  struct LookupAnchor
  {
    ICanvasEditorDelegateBase* delegate;
  };

  // control while the open editor's context holds it and it is the control with that instance
  // id; otherwise null.
  IControl* HeldControl(const IControl* control, uint64_t instanceId) const noexcept;

  IEditorDelegate& mEditor;
  std::shared_ptr<LookupAnchor> mLookupAnchor; // made by the first lookup
};

namespace detail {

// The class that declares the member a member pointer names.
template <class MemberPtr> struct DeclaringClass;
template <class C, class F> struct DeclaringClass<F C::*>
{
  using type = C;
};
template <auto Member>
inline constexpr bool kDeclaredByEditorDelegate =
    std::is_same_v<typename DeclaringClass<decltype(Member)>::type, IEditorDelegate>;

} // namespace detail

// True when no class from IEditorDelegate up to Base replaces one of the editor-delegate
// operations the graphics delegate answers. The graphics delegate sits above Base, so an
// override in Base would be silently replaced; the operations the API base and the host binding
// answer (edits from the editor, resizes, deferred MIDI) are left to Base untouched.
template <class Base>
inline constexpr bool kLeavesEditorSideToGraphics = detail::kDeclaredByEditorDelegate<&Base::OpenWindow>&&
    detail::kDeclaredByEditorDelegate<&Base::CloseWindow>&& detail::kDeclaredByEditorDelegate<
        &Base::OnKeyDown>&& detail::kDeclaredByEditorDelegate<&Base::OnKeyUp>&&
        detail::kDeclaredByEditorDelegate<&Base::SendControlValueFromDelegate>&&
            detail::kDeclaredByEditorDelegate<&Base::SendControlMsgFromDelegate>&&
                detail::kDeclaredByEditorDelegate<&Base::SendMidiMsgFromDelegate>&&
                    detail::kDeclaredByEditorDelegate<&Base::SendParameterValueFromDelegate>&&
                        detail::kDeclaredByEditorDelegate<&Base::SerializeEditorState>&&
                            detail::kDeclaredByEditorDelegate<&Base::UnserializeEditorState>&&
                                detail::kDeclaredByEditorDelegate<&Base::SetScreenScale>;

// A plug-in class that can show the host's context menu for a parameter (the host binding); the
// menu reaches its control through a lookup, never through a pointer it keeps.
template <class Base>
concept HostContextMenuSource = requires(Base& base, ICanvasEditorDelegateBase::ControlLookup target,
                                         int paramIdx, IPopupMenu& items, int x, int y)
{
  {
    base.PopupHostContextMenu(std::move(target), paramIdx, items, x, y)
    } -> std::same_as<bool>;
};

// The editor delegate of an editor drawn by the toolkit's graphics context, placed directly above
// the editor-delegate root of the plug-in object: it owns the graphics context while the editor
// is open, creates it through the factory function, lets the layout function populate it, keeps
// the size and draw scale across close and reopen, and routes everything the plug-in sends to the
// editor (parameter and control values, control messages, MIDI, keys, screen scale) to the
// context and its controls. PluginBase is the rest of the plug-in class chain below it (the
// editor-delegate root itself for a plain editor delegate); its constructor arguments pass through.
// Main thread only.
template <class PluginBase = IEditorDelegate>
class ICanvasEditorDelegate : public PluginBase, public ICanvasEditorDelegateBase
{
  static_assert(std::is_base_of_v<IEditorDelegate, PluginBase>, "the base must be an editor delegate");
  static_assert(kLeavesEditorSideToGraphics<PluginBase>,
                "a class below the graphics delegate answers an operation the graphics delegate answers");

public:
  template <class... Args>
  explicit ICanvasEditorDelegate(Args&&... args)
      : PluginBase(std::forward<Args>(args)...),
        ICanvasEditorDelegateBase(static_cast<IEditorDelegate&>(*this))
  {}
  // Deletes a graphics context still open, then the functions and the base part go.
  ~ICanvasEditorDelegate() override { DeleteGraphics(); }

  // The host attaches the editor view: the context is created (with the size and scale kept from
  // the last close) and opens its window in parent. Null when no context can be made.
  void* OpenWindow(void* parent) override { return OpenGraphicsWindow(parent); }
  // The host removes the view: OnUIClose, then the context's size and scale are kept and the
  // context closes and goes. A call made while closing returns at once.
  void CloseWindow() override { CloseGraphicsWindow(); }
  // Keys the host forwards, at the pointer position; false while the editor is closed.
  bool OnKeyDown(const IKeyPress& key) override { return KeyToGraphics(key, false); }
  bool OnKeyUp(const IKeyPress& key) override { return KeyToGraphics(key, true); }
  // The control with the tag shows the value; nothing for an unknown tag or a closed editor.
  void SendControlValueFromDelegate(int ctrlTag, double normalizedValue) override
  {
    ControlValueToGraphics(ctrlTag, normalizedValue);
  }
  // The control with the tag gets the message; nothing for an unknown tag or a closed editor.
  void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* data) override
  {
    ControlMsgToGraphics(ctrlTag, msgTag, dataSize, data);
  }
  // Controls that take MIDI get the message, then OnMidiMsgUI.
  void SendMidiMsgFromDelegate(const IMidiMsg& msg) override { MidiMsgToGraphics(msg); }
  // Every control entry bound to paramIdx shows the value, then OnParamChangeUI(kDelegate).
  void SendParameterValueFromDelegate(int paramIdx, double value, bool normalized) override
  {
    ParameterValueToGraphics(paramIdx, value, normalized);
  }
  // Appends the 12-byte editor-state record; false (chunk unchanged) when it cannot grow.
  bool SerializeEditorState(IByteChunk& chunk) const override { return AppendEditorState(chunk); }
  // Reads the record at startPos; its end, or -1 for a record cut short (fields read are kept).
  // A non-finite or non-positive scale counts as absent.
  int UnserializeEditorState(const IByteChunk& chunk, int startPos) override
  {
    return ReadEditorState(chunk, startPos);
  }
  // A new backing scale for the open editor.
  void SetScreenScale(float scale) override { ScreenScaleToGraphics(scale); }

  ICanvas* GetUI() override { return mGraphics; }
  // The host's menu through the plug-in class below, when it offers one. The host may keep the
  // menu past the editor's close: it gets a lookup of target, not the control itself. False, with
  // nothing shown, when the lookup cannot be made.
  bool PopupHostContextMenu(IControl* target, int paramIdx, IPopupMenu& items, int x, int y) override
  {
    if constexpr (HostContextMenuSource<PluginBase>) {
      ControlLookup lookup;
      try {
        lookup = MakeControlLookup(target);
      } catch (const std::bad_alloc&) {
        return false;
      }
      return PluginBase::PopupHostContextMenu(std::move(lookup), paramIdx, items, x, y);
    } else {
      return false;
    }
  }
};

} // namespace plugin::ui
