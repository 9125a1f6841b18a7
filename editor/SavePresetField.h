#pragma once

#include <memory>

#include "editor/UserPresetFiles.h"
#include "graphics/controls/IEditableTextControl.h"

namespace plugin {
class Timer;
} // namespace plugin

namespace plugin::ui {

// Tag and group of the field in which the user names a preset being saved.
inline constexpr int kCtrlTagSavePresetField = 66;
inline constexpr const char* kSavePresetGroup = "savePreset";
// What the field shows, and its text entry starts with, until a name is entered.
inline constexpr const char* kSavePresetPrompt = "Write a name for the preset";

// The preset bar's temporary name field, laid over the bar's name display once a slot has been
// chosen for overwriting. It holds the values captured at that choice; a click opens a text
// entry, and the entered name saves those values into the slot's user file. Escape or a
// confirmed name closes it. The field never deletes itself inside one of its own handlers: it
// asks to leave, and leaves on the next pass of the main run loop, after the graphics context
// has finished dispatching to it. Its parent is the preset bar, from whose children the graphics
// context unlinks it when it goes. Main thread only.
class savePresetField : public IEditableTextControl
{
public:
  // Shows the prompt in text over a transparent background; its action is RemoveSaveFieldAction.
  savePresetField(const IRECT& bounds, UserPresetParams params, int slot, const IText& text);
  // Cancels a removal still pending. Called by the graphics context when it deletes the field.
  ~savePresetField() override;

  // Escape asks the field to leave and is taken; any other key is left to others. Called by the
  // graphics context's key dispatch on the main thread.
  bool OnKeyDown(float x, float y, const IKeyPress& key) override;
  // The name was entered: the captured values are written to the slot's file, the bar's name
  // display shows the name when the file was written (else the current preset's name), and the
  // field marks itself dirty with its action, which asks it to leave. Called by the graphics
  // context when the text entry completes, on the main thread; allocates (running out of memory
  // ends the entry at the graphics context, the field staying open).
  void OnTextEntryCompletion(const char* str, int valIdx) override;

  // Schedules the field's removal from its graphics context on the next pass of the main run
  // loop; meanwhile the field ignores the mouse. A second request changes nothing. Main thread;
  // allocates once.
  void RemoveLater();
  bool RemovalPending() const noexcept { return mRemoval != nullptr; }

  int GetSlot() const noexcept { return mSlot; }
  const UserPresetParams& GetParams() const noexcept { return mParams; }

private:
  UserPresetParams mParams;
  int mSlot;
  std::unique_ptr<plugin::Timer> mRemoval;
};

// The save field's action, run with the field when it is marked dirty with its action: the field
// under kCtrlTagSavePresetField in c's graphics context leaves once dispatch has returned.
// Nothing for a null or unattached control. Main thread.
void RemoveSaveFieldAction(IControl* c);

} // namespace plugin::ui
