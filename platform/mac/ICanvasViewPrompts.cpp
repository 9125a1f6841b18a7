#include "framework/editor/IEditorDelegate.h"
#include "framework/params/IParam.h"
#include "graphics/menu/IPopupMenu.h"
#include "platform/mac/FontDescriptorCache.h"
#include "platform/mac/ICanvasMac.h"
#include "platform/mac/ICanvasMenu.h"
#include "platform/mac/ICanvasTextField.h"
#include "platform/mac/ICanvasView.h"
#include "platform/mac/system/Window.h"

// The view's native text field and pop-up menu.

namespace plugin::ui {

namespace {

constexpr double kMenuGapBelow = 4.0;

sys::Color DeviceColor(const IColor& c)
{
  return sys::Color::DeviceRgb(c.R / 255.0, c.G / 255.0, c.B / 255.0, c.A / 255.0);
}

sys::TextAlignment AlignmentOf(EAlign align, sys::TextAlignment fallback)
{
  switch (align) {
  case EAlign::Near:
    return sys::TextAlignment::Left;
  case EAlign::Center:
    return sys::TextAlignment::Center;
  case EAlign::Far:
    return sys::TextAlignment::Right;
  }
  return fallback;
}

} // namespace

void ICanvasView_vKelmo_vst3::CreateTextEntry(int paramIdx, const IText& text, const char* str, int length,
                                              sys::Rect areaRect)
{
  if (mTextFieldView || !mGraphics) return;
  auto field = std::make_shared<ICanvasTextField_vKelmo_vst3>(areaRect);
  mTextFieldView = field;

  if (text.mVAlign == EVAlign::Middle) {
    field->SetCell(std::make_shared<ICanvasTextFieldCell_vKelmo_vst3>(u"textfield"));
    field->SetEditable(true);
    field->SetDrawsBackground(true);
  }

  // The font the cache keeps for the style's font id; the system font when the id is unknown.
  const double scale = mGraphics->GetDrawScale();
  if (const FontDescriptorEntry* entry = FindCachedFontDescriptor(&text, SharedFontDescriptorCache()))
    field->SetFont(sys::Font::WithDescriptor(entry->mDescriptor, scale * entry->mEMRatio * text.mSize));
  else
    field->SetFont(sys::Font::SystemFont(scale * text.mSize));

  field->SetAlignment(AlignmentOf(text.mAlign, field->Alignment()));

  const IParam* param = paramIdx >= 0 ? mGraphics->GetDelegate()->GetParam(paramIdx) : nullptr;
  if (param) {
    auto formatter = std::make_shared<ICanvasFormatter_vKelmo_vst3>();
    formatter->SetAcceptableCharacterSet(CharacterSetForParamType(param->Type()));
    formatter->SetMaximumLength(length);
    field->SetFormatter(std::move(formatter));
  }

  field->Cell()->SetLineBreakMode(sys::LineBreakMode::TruncatingTail);
  field->SetAllowsEditingTextAttributes(false);
  field->SetTextColor(DeviceColor(text.mTextEntryFGColor));
  field->SetBackgroundColor(DeviceColor(text.mTextEntryBGColor));
  field->SetStringValueUtf8(str ? str : "");
  field->SetBordered(false);
  field->SetFocusRingType(sys::FocusRingType::None);
  field->SetDelegate(this);
  AddSubview(field);
  if (sys::Window* window = GetWindow()) {
    window->MakeKeyAndOrderFront();
    window->MakeFirstResponder(field.get());
  }
}

void ICanvasView_vKelmo_vst3::ControlTextDidEndEditing(sys::TextField& field)
{
  if (!mGraphics) return;
  const std::string text = field.StringValueUtf8();
  mGraphics->SetControlValueAfterTextEdit(text.c_str());
  // The completion may have closed the editor.
  if (mGraphics) mGraphics->SetAllControlsDirty();
  EndUserInput();
}

void ICanvasView_vKelmo_vst3::EndUserInput()
{
  const std::shared_ptr<ICanvasTextField_vKelmo_vst3> field = std::move(mTextFieldView);
  mTextFieldView.reset();
  if (field) {
    field->SetDelegate(nullptr);
    field->RemoveFromSuperview();
    if (sys::Window* window = GetWindow()) window->MakeFirstResponder(this);
  }
  if (mGraphics) mGraphics->ClearInTextEntryControl();
}

IPopupMenu* ICanvasView_vKelmo_vst3::CreatePopupMenu(IPopupMenu& menu, sys::Rect bounds)
{
  auto receiver = std::make_shared<ICanvasMenuRcvr_vKelmo_vst3>(bounds);
  const auto native = ICanvasMenu_vKelmo_vst3::Create(&menu, receiver);

  sys::MenuItemRef positioned;
  sys::Point location = bounds.origin;
  if (menu.GetChosenItemIdx() >= 0)
    positioned = native->ItemAtIndex(menu.GetChosenItemIdx());
  else
    location.y = bounds.origin.y + bounds.size.height + kMenuGapBelow;
  native->PopUpPositioningItem(positioned.get(), location, this);

  const sys::MenuItemRef& chosen = receiver->MenuItem();
  if (!chosen) return nullptr;
  sys::Menu* owner = chosen->GetMenu();
  const auto* ownerMenu = dynamic_cast<ICanvasMenu_vKelmo_vst3*>(owner);
  const int index = owner ? owner->IndexOfItem(chosen.get()) : -1;
  if (index < 0 || !ownerMenu || !ownerMenu->GetIPopupMenu()) return nullptr;
  ownerMenu->GetIPopupMenu()->SetChosenItemIdx(index);
  return ownerMenu->GetIPopupMenu();
}

} // namespace plugin::ui
