#include "editor/PresetControllerMenu.h"

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "editor/PresetSlotLoading.h"
#include "editor/SavePresetField.h"
#include "editor/UserPresetFiles.h"
#include "editor/UserPresetNames.h"
#include "engine/Kelmo.h"
#include "framework/text/UnicodeCodec.h"
#include "graphics/canvas/ICanvas.h"
#include "graphics/controls/IBButtonControl.h"
#include "graphics/controls/IVButtonControl.h"

namespace plugin::ui {

namespace {

constexpr IColor kBarGrey{255, 183, 183, 183};
// The children's places; the step buttons follow the bar's left edge, the rest are fixed.
constexpr float kStepButtonWidth = 25.f;
constexpr IRECT kNameDisplayRect{308.f, 1.f, 594.f, 24.f};
constexpr IRECT kButtonFrameRect{594.f, 0.f, 650.f, 25.f};
constexpr float kSaveX = 605.f;
constexpr float kTrashX = 627.f;
constexpr float kImageY = 5.f;
constexpr int kImageScale = 2;

// The look of the dark frame behind the save and delete buttons.
IVStyle ButtonFrameStyle(const IColor& c)
{
  IVStyle s;
  s.drawShadows = false;
  s.roundness = 0.f;
  s.frameThickness = 2.f;
  s.colorSpec = {c, c, c, c, c, c, COLOR_BLACK, COLOR_BLACK, COLOR_BLACK};
  return s;
}

PresetControllerMenu* BarOf(IControl* c)
{
  return c ? dynamic_cast<PresetControllerMenu*>(c->GetParent()) : nullptr;
}

// Runs f on c's bar, when c has one.
template <class F> void WithBar(IControl* c, F&& f)
{
  if (PresetControllerMenu* bar = BarOf(c)) f(*bar);
}

} // namespace

IVStyle PresetBarStyle()
{
  IVStyle s;
  s.hidePointerOnDrag = true;
  s.showLabel = true;
  s.showValue = false;
  s.drawFrame = false;
  s.drawShadows = true;
  s.embossed = false;
  s.roundness = 0.f;
  s.frameThickness = 20.f;
  s.shadowOffset = 3.f;
  s.widgetFraction = 1.f;
  s.angle = 0.f;
  const IColor t = COLOR_TRANSPARENT;
  s.colorSpec = {t, t, t, t, t, t, kBarGrey, kBarGrey, kBarGrey};
  s.labelText = IText(16.f, kBarGrey, "Lato");
  s.valueText = DEFAULT_VALUE_TEXT;
  return s;
}

PresetControllerMenu::PresetControllerMenu(const IRECT& bounds, const IVStyle& style)
    : IContainerBase(bounds), IVectorBase(style), mText(16.f, kBarGrey, "Lato")
{
  AttachIControl(this, "");
  SetIgnoreMouse(true);
}

PresetControllerMenu::~PresetControllerMenu() = default;

void PresetControllerMenu::OnAttached()
{
  if (mMode != kPresetMenuLoad) {
    CloseSaveField();
    mMode = kPresetMenuLoad;
    if (Kelmo* k = Plugin()) LoadSlot(k->GetCurrentPresetIdx());
  }
  if (NChildren() == 0) AddChildren();
}

void PresetControllerMenu::OnResize() {}

void PresetControllerMenu::Draw(ICanvas&) {}

void PresetControllerMenu::ForgetChild(IControl* child) noexcept
{
  IContainerBase::ForgetChild(child);
  if (child == mNameDisplay) mNameDisplay = nullptr;
}

void PresetControllerMenu::AddChildren()
{
  ICanvas* ui = GetUI();
  if (!ui) return;
  const IBitmap save = ui->LoadBitmap("Save.png", 1, false, kImageScale);
  const IBitmap trash = ui->LoadBitmap("Trash.png", 1, false, kImageScale);

  // Attaches child with its animation-end action; a child the context refuses is deleted.
  const auto adopt = [this](auto* child, IActionFunction endAction) {
    std::unique_ptr<std::remove_pointer_t<decltype(child)>> owned(child);
    owned->SetAnimationEndActionFunction(std::move(endAction));
    if (!AddChildControl(owned.get())) return decltype(child){nullptr};
    return owned.release();
  };
  const IRECT& b = mBounds;
  const auto textButton = [this](const IRECT& r, const char* label) {
    return new IVButtonControl(r, SplashClickAction, label, mStyle, true, true, EVShape::Rectangle);
  };
  adopt(textButton(IRECT(b.L, b.T, b.L + kStepButtonWidth, b.B), "<"), PreviousPresetAction);
  adopt(textButton(IRECT(b.L + kStepButtonWidth, b.T, b.L + 2.f * kStepButtonWidth, b.B), ">"),
        NextPresetAction);
  mNameDisplay = adopt(textButton(kNameDisplayRect, kChoosePresetText), ShowPresetListAction);
  // The frame and the two picture buttons end their click animation with the splash.
  adopt(new IVButtonControl(kButtonFrameRect, nullptr, "", ButtonFrameStyle(mButtonColor)), SplashClickAction);
  adopt(new IBButtonControl(kSaveX, kImageY, save, OverwriteModeAction), SplashClickAction);
  adopt(new IBButtonControl(kTrashX, kImageY, trash, ResetModeAction), SplashClickAction);
}

Kelmo* PresetControllerMenu::Plugin() const
{
  return dynamic_cast<Kelmo*>(GetDelegate());
}

void PresetControllerMenu::ShowName(const std::string& text)
{
  if (!mNameDisplay) return;
  mNameDisplay->SetLabelStr(text.c_str());
  mNameDisplay->SetDirty(false);
}

void PresetControllerMenu::CloseSaveField()
{
  ICanvas* ui = GetUI();
  if (ui && ui->GetControlWithTag(kCtrlTagSavePresetField)) ui->RemoveControlWithTag(kCtrlTagSavePresetField);
}

void PresetControllerMenu::LoadSlot(int slot)
{
  Kelmo* k = Plugin();
  if (!k) return;
  const std::optional<std::string> label = LoadPresetSlot(*k, slot);
  // A slot that cannot be restored leaves the current one, whose name then stays shown.
  ShowName(label ? *label : PresetSlotLabel(*k, k->GetCurrentPresetIdx()));
}

void PresetControllerMenu::StepPreset(int direction)
{
  Kelmo* k = Plugin();
  if (!k) return;
  CloseSaveField();
  // The name display shows the loaded preset again, so a later choice in the list only loads.
  mMode = kPresetMenuLoad;
  const int n = k->NPresets();
  const int current = k->GetCurrentPresetIdx();
  if (n < 1) return;
  if (direction < 0)
    LoadSlot((current < 1 ? n : current) - 1);
  else
    LoadSlot(current + 1 < n ? current + 1 : 0);
}

void PresetControllerMenu::ShowPresetList()
{
  Kelmo* k = Plugin();
  ICanvas* ui = GetUI();
  if (!k || !ui || !mNameDisplay) return;
  mMenu.Clear();
  const std::vector<std::string> texts = PresetListTexts(*k);
  const int current = k->GetCurrentPresetIdx();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const bool checked = static_cast<int>(i) == current;
    mMenu.AddItem(texts[i].c_str(), checked ? IPopupMenu::Item::kChecked : IPopupMenu::Item::kNoFlags, -1);
  }
  ui->CreatePopupMenu(*this, mMenu, mNameDisplay->GetBounds(), 0);
}

void PresetControllerMenu::SwitchMode(EPresetMenuMode mode)
{
  CloseSaveField();
  if (mMode != kPresetMenuLoad) {
    // A second press of either button cancels the mode.
    mMode = kPresetMenuLoad;
    if (Kelmo* k = Plugin()) LoadSlot(k->GetCurrentPresetIdx());
    return;
  }
  if (mode == kPresetMenuLoad) return;
  ShowName(mode == kPresetMenuOverwrite ? kOverwritePromptText : kResetPromptText);
  mMode = mode;
}

void PresetControllerMenu::OnPopupMenuSelection(IPopupMenu* menu, int)
{
  if (!menu) return;
  const int slot = menu->GetChosenItemIdx();
  if (slot < 0 || slot >= menu->NItems() || !menu->GetChosenItem()) return;
  switch (mMode) {
  case kPresetMenuOverwrite:
    OpenSaveField(slot);
    break;
  case kPresetMenuReset:
    DeleteUserPresetFile(slot);
    LoadSlot(slot);
    CloseSaveField();
    mMode = kPresetMenuLoad;
    if (Kelmo* k = Plugin()) LoadSlot(k->GetCurrentPresetIdx());
    break;
  default:
    LoadSlot(slot);
    break;
  }
}

void PresetControllerMenu::OpenSaveField(int slot)
{
  Kelmo* k = Plugin();
  if (!k) return;
  // The values as they are at the moment of the choice, not when the name is confirmed.
  auto field = std::make_unique<savePresetField>(kNameDisplayRect, CaptureUserPresetParams(*k), slot, mText);
  CloseSaveField(); // the tag is unique: a field left open gives way
  if (AddChildControl(field.get(), kCtrlTagSavePresetField, kSavePresetGroup)) field.release();
  ShowName("");
  mMode = kPresetMenuLoad;
}

void PresetControllerMenu::ShowSaveResult(bool saved, const char* name)
{
  if (saved) {
    // The whole name, as the file holds it; only a later load of the slot shortens it.
    ShowName(text::ValidUtf8(name ? name : ""));
  } else if (Kelmo* k = Plugin()) {
    ShowName(PresetSlotLabel(*k, k->GetCurrentPresetIdx()));
  }
}

void PreviousPresetAction(IControl* c)
{
  WithBar(c, [](PresetControllerMenu& bar) { bar.StepPreset(-1); });
}

void NextPresetAction(IControl* c)
{
  WithBar(c, [](PresetControllerMenu& bar) { bar.StepPreset(+1); });
}

void ShowPresetListAction(IControl* c)
{
  WithBar(c, [](PresetControllerMenu& bar) { bar.ShowPresetList(); });
}

void OverwriteModeAction(IControl* c)
{
  WithBar(c, [](PresetControllerMenu& bar) { bar.SwitchMode(kPresetMenuOverwrite); });
}

void ResetModeAction(IControl* c)
{
  WithBar(c, [](PresetControllerMenu& bar) { bar.SwitchMode(kPresetMenuReset); });
}

} // namespace plugin::ui
