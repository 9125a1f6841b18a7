#include "platform/mac/ICanvasTextField.h"

#include "framework/params/IParam.h"
#include "platform/mac/system/TextEncoding.h"

#include <algorithm>

namespace plugin::ui {

bool ICanvasTextField_vKelmo_vst3::BecomeFirstResponder()
{
  if (!sys::TextField::BecomeFirstResponder()) return false;
  if (sys::FieldEditor* editor = CurrentEditor(); editor && editor->RespondsToInsertionPointColor())
    editor->SetInsertionPointColor(TextColor());
  return true;
}

sys::Rect ICanvasTextFieldCell_vKelmo_vst3::DrawingRectForBounds(sys::Rect bounds) const
{
  sys::Rect r = sys::TextFieldCell::DrawingRectForBounds(bounds);
  if (mIsEditingOrSelecting) return r;
  r.origin.x += 3.0;
  r.size.width -= 6.0;
  const float d = static_cast<float>(r.size.height - CellSize().height);
  if (d > 0.f) {
    r.size.height -= d;
    r.origin.y += d / 2.0;
  }
  return r;
}

void ICanvasTextFieldCell_vKelmo_vst3::SelectWithFrame(sys::Rect frame, sys::View& controlView,
                                                       sys::FieldEditor& editor,
                                                       sys::TextFieldDelegate* delegate, long start,
                                                       long length)
{
  const sys::Rect r = DrawingRectForBounds(frame);
  mIsEditingOrSelecting = true;
  sys::TextFieldCell::SelectWithFrame(r, controlView, editor, delegate, start, length);
  mIsEditingOrSelecting = false;
}

void ICanvasTextFieldCell_vKelmo_vst3::EditWithFrame(sys::Rect frame, sys::View& controlView,
                                                     sys::FieldEditor& editor,
                                                     sys::TextFieldDelegate* delegate,
                                                     const sys::Event* event)
{
  const sys::Rect r = DrawingRectForBounds(frame);
  mIsEditingOrSelecting = true;
  sys::TextFieldCell::EditWithFrame(r, controlView, editor, delegate, event);
  mIsEditingOrSelecting = false;
}

bool ICanvasFormatter_vKelmo_vst3::IsPartialStringValid(const std::u16string& partial,
                                                        std::optional<std::u16string>*, std::string*)
{
  if (mFilterCharacterSet && !std::all_of(partial.begin(), partial.end(),
                                          [this](char16_t u) { return mFilterCharacterSet->IsMember(u); }))
    return false;
  if (mMaxLength != 0 && partial.size() > static_cast<size_t>(mMaxLength)) return false;
  if (mMaxValue != 0 && sys::Utf16IntValue(partial) > mMaxValue) return false;
  return true;
}

std::optional<std::u16string>
ICanvasFormatter_vKelmo_vst3::StringForObjectValue(const std::optional<std::u16string>& object)
{
  return object;
}

bool ICanvasFormatter_vKelmo_vst3::GetObjectValue(std::optional<std::u16string>* object,
                                                  const std::u16string& text, std::string*)
{
  if (object) *object = std::u16string(text);
  return true;
}

std::optional<sys::CharacterSet> CharacterSetForParamType(int paramType)
{
  switch (paramType) {
  case IParam::kTypeBool:
  case IParam::kTypeInt:
  case IParam::kTypeEnum:
    return sys::CharacterSet::WithCharactersInString(u"0123456789-+");
  case IParam::kTypeDouble:
    return sys::CharacterSet::WithCharactersInString(u"0123456789.-+");
  default:
    return std::nullopt;
  }
}

} // namespace plugin::ui
