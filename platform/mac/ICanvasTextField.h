#pragma once

#include "platform/mac/system/CharacterSet.h"
#include "platform/mac/system/Formatter.h"
#include "platform/mac/system/TextField.h"

#include <optional>

// The native text field the editor view opens over a control: the field, the cell that centres
// its text vertically, and the formatter that vets what the person types. Main thread only.
namespace plugin::ui {

// The field: its caret takes the text colour, so that it shows on the chosen background.
class ICanvasTextField_vKelmo_vst3 : public sys::TextField
{
public:
  using sys::TextField::TextField;
  // The window makes the field first responder (main thread); starts editing.
  bool BecomeFirstResponder() override;
};

// A cell whose text sits in the middle of the field's height, inset 3 points left and right; the
// field editor goes where the text is drawn.
class ICanvasTextFieldCell_vKelmo_vst3 : public sys::TextFieldCell
{
public:
  using sys::TextFieldCell::TextFieldCell;

  // Called by the field while laying out (main thread); no allocation.
  sys::Rect DrawingRectForBounds(sys::Rect bounds) const override;
  void SelectWithFrame(sys::Rect frame, sys::View& controlView, sys::FieldEditor& editor,
                       sys::TextFieldDelegate* delegate, long start, long length) override;
  void EditWithFrame(sys::Rect frame, sys::View& controlView, sys::FieldEditor& editor,
                     sys::TextFieldDelegate* delegate, const sys::Event* event) override;

  bool IsEditingOrSelecting() const noexcept { return mIsEditingOrSelecting; }

private:
  bool mIsEditingOrSelecting = false;
};

// Accepts a partial text when every unit is in the character set (when one is set), its length is
// at most the maximum length and its integer value at most the maximum value (each when non-zero).
// It never proposes a replacement or an error text. Called by the field on the main thread.
class ICanvasFormatter_vKelmo_vst3 : public sys::Formatter
{
public:
  void SetAcceptableCharacterSet(std::optional<sys::CharacterSet> set)
  {
    mFilterCharacterSet = std::move(set);
  }
  void SetMaximumLength(int length) noexcept { mMaxLength = length; }
  void SetMaximumValue(int value) noexcept { mMaxValue = value; }
  int MaximumLength() const noexcept { return mMaxLength; }
  int MaximumValue() const noexcept { return mMaxValue; }
  bool HasCharacterSet() const noexcept { return mFilterCharacterSet.has_value(); }

  bool IsPartialStringValid(const std::u16string& partial, std::optional<std::u16string>* newString,
                            std::string* error) override;
  // The object when there is one, else none.
  std::optional<std::u16string> StringForObjectValue(const std::optional<std::u16string>& object) override;
  // Stores a copy of the text when object is given; always true.
  bool GetObjectValue(std::optional<std::u16string>* object, const std::u16string& text,
                      std::string* error) override;

private:
  std::optional<sys::CharacterSet> mFilterCharacterSet;
  int mMaxLength = 0;
  int mMaxValue = 0;
};

// The characters a field for a parameter of type paramType (IParam::EParamType) accepts: digits and
// signs for bool, int and enum, plus '.' for double; none (no filter) for any other type.
std::optional<sys::CharacterSet> CharacterSetForParamType(int paramType);

} // namespace plugin::ui
