#pragma once

#include <string>

#include "graphics/control/IContainerBase.h"
#include "graphics/control/IVectorBase.h"
#include "graphics/menu/IPopupMenu.h"

class Kelmo;

namespace plugin::ui {

class IVButtonControl;
class savePresetField;

// What a choice in the slot list does.
enum EPresetMenuMode : int { kPresetMenuLoad = 0, kPresetMenuOverwrite = 1, kPresetMenuReset = 2 };

// Texts of the preset bar.
inline constexpr const char* kChoosePresetText = "Choose Preset...";
inline constexpr const char* kOverwritePromptText = "Select preset slot to overwrite";
inline constexpr const char* kResetPromptText = "Select preset slot to reset";

// The style the layout gives the preset bar; its three text buttons share it.
IVStyle PresetBarStyle();

// The preset bar across the top of the editor: previous and next buttons step through the
// preset slots, the name display opens the slot list, the save and delete buttons switch the
// list into overwrite or reset mode. A choice in the list loads the slot, resets it (deleting
// its user file) or opens the save field over the name display. The bar itself draws nothing
// and ignores the mouse; its children draw and take the clicks. It reaches the plug-in through
// its editor delegate. Main thread only; its operations allocate (running out of memory ends the
// gesture at the graphics context's entry point).
class PresetControllerMenu : public IContainerBase, public IVectorBase
{
public:
  // The layout builds it with its rectangle and style; the children come when it is attached.
  PresetControllerMenu(const IRECT& bounds, const IVStyle& style);
  ~PresetControllerMenu() override;

  // Attaching: leaves overwrite or reset mode (reloading the current slot), loads the save and
  // delete images and attaches the six children. Called once by the graphics context.
  void OnAttached() override;
  // Resizing leaves the children where they are. Called by the graphics context.
  void OnResize() override;
  // The slot list closed (menu null: dismissed): loads, resets or opens the save field for the
  // chosen slot as the mode says. Called by the graphics context on the main thread.
  void OnPopupMenuSelection(IPopupMenu* menu, int valIdx) override;
  // Nothing: the children draw. Frame loop.
  void Draw(ICanvas& g) override;
  // A child is being deleted by the graphics context: it leaves the list (and the bar forgets its
  // name display when that is the one).
  void ForgetChild(IControl* child) noexcept override;

  // --- What the children's actions do ---

  // Back (-1) or on (+1) one slot, wrapping at both ends; closes the save field and returns to
  // load mode first.
  void StepPreset(int direction);
  // Fills the slot list (the current slot checked) and opens it under the name display.
  void ShowPresetList();
  // The save (overwrite) or delete (reset) button: from load mode into mode with its prompt;
  // from either other mode back to load mode, reloading the current slot. Closes the save field.
  void SwitchMode(EPresetMenuMode mode);
  // Makes slot current with its user file laid over it and shows its name.
  void LoadSlot(int slot);
  // After the save field's name was entered: the whole saved name (invalid UTF-8 as U+FFFD) when
  // the file was written, else the current preset's name, so that a failed save never looks saved.
  void ShowSaveResult(bool saved, const char* name);
  // Removes the save field at once (nothing when none is open). Not from the field's own handlers.
  void CloseSaveField();

  int GetMode() const noexcept { return mMode; }
  IVButtonControl* GetNameDisplay() const noexcept { return mNameDisplay; }
  const IPopupMenu& GetMenu() const noexcept { return mMenu; }
  // Text style handed to the save field.
  const IText& GetFieldText() const noexcept { return mText; }
  const IColor& GetButtonColor() const noexcept { return mButtonColor; }

private:
  Kelmo* Plugin() const;
  // The name display's label, marked dirty without its action.
  void ShowName(const std::string& text);
  void OpenSaveField(int slot);
  void AddChildren();

  IText mText;
  IColor mButtonColor{255, 21, 21, 21};
  IPopupMenu mMenu{""};
  IVButtonControl* mNameDisplay = nullptr;
  int mMode = kPresetMenuLoad;
};

// Actions of the bar's children, each run with the child; they reach the bar as its parent and
// do nothing for a control outside a bar. Called by the toolkit on the main thread at the end of
// a click animation (previous, next, name display) or on a press (save, delete).
void PreviousPresetAction(IControl* c);
void NextPresetAction(IControl* c);
void ShowPresetListAction(IControl* c);
void OverwriteModeAction(IControl* c);
void ResetModeAction(IControl* c);

} // namespace plugin::ui
