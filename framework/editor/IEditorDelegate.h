#pragma once

#include "framework/params/EParamSource.h"
#include "framework/buffers/IByteChunk.h"
#include "framework/params/IParam.h"
#include "framework/buffers/PtrList.h"

namespace plugin {

struct IMidiMsg;
struct ISysEx;
struct IKeyPress;

// Root of the plug-in object: owns the parameter list and the editor's size limits, and carries
// every message between the plug-in, its editor and the host as a virtual operation. The
// graphics delegate fills in the editor side, the API base the host side.
// All operations run on the main thread unless stated otherwise; none takes a lock.
class IEditorDelegate
{
public:
  // Creates nParams parameters with the default definition, in index order.
  explicit IEditorDelegate(int nParams);
  // Deletes every parameter.
  virtual ~IEditorDelegate();
  IEditorDelegate(const IEditorDelegate&) = delete;
  IEditorDelegate& operator=(const IEditorDelegate&) = delete;

  // Host view attaches the editor; base: OnUIOpen(), returns null. Main thread; may allocate.
  virtual void* OpenWindow(void* parent);
  // Host view removes the editor; base: OnUIClose(). Main thread.
  virtual void CloseWindow();
  // Host view was resized; base: nothing. Main thread.
  virtual void OnParentWindowResize(int width, int height);
  // Editor opened; base sends every parameter's normalised value to the editor. Main thread.
  virtual void OnUIOpen();
  // Editor closed; base: nothing. Main thread.
  virtual void OnUIClose();
  // A parameter changed; base forwards to OnParamChange(int). Audio thread for host automation
  // (then it must not allocate or lock), main thread otherwise.
  virtual void OnParamChange(int paramIdx, EParamSource source, int sampleOffset);
  // Narrow parameter hook; base: nothing. Same threads as above.
  virtual void OnParamChange(int paramIdx);
  // A parameter changed, for UI-side reactions; base: nothing. Main thread.
  virtual void OnParamChangeUI(int paramIdx, EParamSource source);
  // Every parameter changed: OnParamChange(i, source, -1) then OnParamChangeUI(i, source) for
  // each i. Main thread.
  virtual void OnParamReset(EParamSource source);
  // MIDI message for the UI side; base: nothing. Main thread (timer).
  virtual void OnMidiMsgUI(const IMidiMsg& msg);
  // System-exclusive message for the UI side; base: nothing. Main thread (timer).
  virtual void OnSysexMsgUI(const ISysEx& msg);
  // Arbitrary message to the plug-in; base: false (not handled). Main thread.
  virtual bool OnMessage(int msgTag, int ctrlTag, int dataSize, const void* data);
  // A state or preset was loaded; base sends every value to the editor like OnUIOpen. Main thread.
  virtual void OnRestoreState();
  // Key pressed in the editor; base: false (not handled). Main thread.
  virtual bool OnKeyDown(const IKeyPress& key);
  // Key released in the editor; base: false (not handled). Main thread.
  virtual bool OnKeyUp(const IKeyPress& key);

  // Plug-in shows a normalised value on the controls with ctrlTag; base: nothing. Main thread.
  virtual void SendControlValueFromDelegate(int ctrlTag, double normalizedValue);
  // Plug-in sends a message to the controls with ctrlTag; base: OnMessage(msgTag, ctrlTag, ...).
  virtual void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* data);
  // Plug-in sends a message to the editor; base: OnMessage(msgTag, -1, ...). Main thread.
  virtual void SendArbitraryMsgFromDelegate(int msgTag, int dataSize, const void* data);
  // MIDI message to the editor; base: OnMidiMsgUI. Main thread (timer).
  virtual void SendMidiMsgFromDelegate(const IMidiMsg& msg);
  // System-exclusive message to the editor; base: OnSysexMsgUI. Main thread (timer).
  virtual void SendSysexMsgFromDelegate(const ISysEx& msg);
  // Plug-in shows a parameter value in the editor; base: OnParamChangeUI(paramIdx, kDelegate).
  virtual void SendParameterValueFromDelegate(int paramIdx, double value, bool normalized);

  // Editor asks to report every value to the host; base: nothing. Main thread.
  virtual void InformHostOfAllParamValuesFromUI();
  // Editor starts a gesture on a parameter. Main thread.
  virtual void BeginInformHostOfParamChangeFromUI(int paramIdx) = 0;
  // Editor sets a normalised value: stores it (snapped, clamped), then OnParamChangeUI(paramIdx,
  // kUI); a bad index is ignored. Main thread; no allocation.
  virtual void SendParameterValueFromUI(int paramIdx, double normalizedValue);
  // Editor ends a gesture on a parameter. Main thread.
  virtual void EndInformHostOfParamChangeFromUI(int paramIdx) = 0;
  // Editor asks for a new window size; base: false. Main thread.
  virtual bool EditorResizeFromUI(int width, int height, bool needsPlatformResize);
  // Editor defers a MIDI message to the processor; base: nothing. Main thread.
  virtual void DeferMidiMsg(const IMidiMsg& msg);
  // Editor defers a system-exclusive message to the processor; base: nothing. Main thread.
  virtual void DeferSysexMsg(const ISysEx& msg);
  // Editor sends an arbitrary message to the plug-in; base: nothing. Main thread.
  virtual void SendArbitraryMsgFromUI(int msgTag, int ctrlTag, int dataSize, const void* data);
  // Editor sends a MIDI message to the processor; base: nothing. Main thread.
  virtual void SendMidiMsgFromUI(const IMidiMsg& msg);
  // Editor sends a system-exclusive message to the processor; base: nothing. Main thread.
  virtual void SendSysexMsgFromUI(const ISysEx& msg);

  // True when the size is within the limits; otherwise clamps it and returns false. Main thread.
  virtual bool ConstrainEditorResize(int& width, int& height) const;
  // Appends the editor's own state; base writes nothing and returns true. Main thread.
  virtual bool SerializeEditorState(IByteChunk& chunk) const;
  // Reads the editor's own state; base reads nothing and returns startPos. Main thread.
  virtual int UnserializeEditorState(const IByteChunk& chunk, int startPos);
  // New screen (backing) scale; base: nothing. Main thread.
  virtual void SetScreenScale(float scale);

  // Number of parameters.
  int NParams() const noexcept { return mParams.GetSize(); }
  // Parameter idx, or null when idx is out of range. Any thread.
  IParam* GetParam(int paramIdx) const noexcept;

  int GetEditorWidth() const noexcept { return mEditorWidth; }
  int GetEditorHeight() const noexcept { return mEditorHeight; }
  int GetMinWidth() const noexcept { return mMinWidth; }
  int GetMaxWidth() const noexcept { return mMaxWidth; }
  int GetMinHeight() const noexcept { return mMinHeight; }
  int GetMaxHeight() const noexcept { return mMaxHeight; }
  // Sets the editor size (no limit check). Main thread.
  void SetEditorSize(int width, int height) noexcept
  {
    mEditorWidth = width;
    mEditorHeight = height;
  }
  // Sets the size limits, reordered so that each minimum is at most its maximum. Main thread.
  void SetSizeConstraints(int minWidth, int maxWidth, int minHeight, int maxHeight) noexcept;

protected:
  // Sends every parameter's normalised value to the editor (OnUIOpen, OnRestoreState).
  void SendAllParamValuesToEditor();

  PtrList<IParam> mParams{4096};
  int mEditorWidth = 0;
  int mEditorHeight = 0;
  int mMinWidth = 10;
  int mMaxWidth = 100000;
  int mMinHeight = 10;
  int mMaxHeight = 100000;
};

} // namespace plugin
