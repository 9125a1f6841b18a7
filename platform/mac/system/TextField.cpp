#include "platform/mac/system/TextField.h"

#include "framework/text/UnicodeCodec.h"
#include "platform/mac/system/Window.h"

#include <algorithm>
#include <cmath>

namespace plugin::sys {

namespace {

bool IsSurrogateLow(char16_t unit) noexcept
{
  return unit >= 0xdc00 && unit < 0xe000;
}

bool IsSurrogateHigh(char16_t unit) noexcept
{
  return unit >= 0xd800 && unit < 0xdc00;
}

// Text a key inserts: none for control characters and the function-key private range.
bool IsInsertable(std::u16string_view text) noexcept
{
  return !text.empty() && std::none_of(text.begin(), text.end(), [](char16_t u) {
    return u < 0x20 || u == 0x7f || (u >= 0xf700 && u < 0xf900);
  });
}

} // namespace

void FieldEditor::SetSelectedRange(long start, long length) noexcept
{
  mSelectionStart = std::max(0L, start);
  mSelectionLength = std::max(0L, length);
}

Rect TextFieldCell::DrawingRectForBounds(Rect bounds) const
{
  return Rect{{bounds.origin.x + 2.0, bounds.origin.y},
              {std::max(0.0, bounds.size.width - 4.0), bounds.size.height}};
}

Size TextFieldCell::CellSize() const
{
  const double size = mFont->PointSize();
  return Size{4.0 + 0.6 * size * static_cast<double>(mText.size()), std::ceil(1.2 * size) + 2.0};
}

void TextFieldCell::SelectWithFrame(Rect frame, View&, FieldEditor& editor, TextFieldDelegate*, long start,
                                    long length)
{
  editor.SetFrame(frame);
  editor.SetSelectedRange(start, length);
}

void TextFieldCell::EditWithFrame(Rect frame, View&, FieldEditor& editor, TextFieldDelegate*, const Event*)
{
  editor.SetFrame(frame);
}

TextField::TextField(Rect frame) : View(frame) {}

TextField::~TextField() = default;

void TextField::SetStringValue(std::u16string text)
{
  mCell->SetStringValue(std::move(text));
  if (mEditing) mEditor.SetSelectedRange(static_cast<long>(mCell->StringValue().size()), 0);
}

std::string TextField::StringValueUtf8() const
{
  return text::Utf16ToUtf8(mCell->StringValue());
}

void TextField::SetStringValueUtf8(std::string_view utf8)
{
  SetStringValue(text::Utf8ToUtf16(utf8));
}

void TextField::SetCell(std::shared_ptr<TextFieldCell> cell)
{
  if (cell) mCell = std::move(cell);
}

bool TextField::BecomeFirstResponder()
{
  mEditing = true;
  mEditor = FieldEditor{};
  mCell->SelectWithFrame(Bounds(), *this, mEditor, mDelegate, 0,
                         static_cast<long>(mCell->StringValue().size()));
  return true;
}

bool TextField::ResignFirstResponder()
{
  return FinishEditing();
}

bool TextField::FinishEditing()
{
  if (!mEditing) return true;
  if (mFormatter) {
    std::optional<std::u16string> object;
    std::string error;
    if (!mFormatter->GetObjectValue(&object, mCell->StringValue(), &error)) return false;
    if (auto shown = mFormatter->StringForObjectValue(object)) mCell->SetStringValue(std::move(*shown));
  }
  mEditing = false;
  // The delegate may remove this field; keep it alive until this call returns.
  const std::shared_ptr<View> keepAlive = weak_from_this().lock();
  if (mDelegate) mDelegate->ControlTextDidEndEditing(*this);
  return true;
}

bool TextField::ApplyEdit(std::u16string text)
{
  if (mFormatter) {
    std::optional<std::u16string> replacement;
    std::string error;
    if (!mFormatter->IsPartialStringValid(text, &replacement, &error)) {
      if (!replacement) return false;
      text = std::move(*replacement);
    }
  }
  mCell->SetStringValue(std::move(text));
  mEditor.SetSelectedRange(static_cast<long>(mCell->StringValue().size()), 0);
  return true;
}

void TextField::KeyDown(const Event& event)
{
  if (!mEditing) {
    View::KeyDown(event);
    return;
  }
  const std::u16string chars = event.characters.value_or(u"");
  const std::u16string& text = mCell->StringValue();
  const auto start =
      static_cast<std::size_t>(std::min<long>(mEditor.SelectionStart(), static_cast<long>(text.size())));
  const auto length = std::min(static_cast<std::size_t>(mEditor.SelectionLength()), text.size() - start);
  if (event.keyCode == kKeyCodeReturn || event.keyCode == kKeyCodeTab || chars == u"\r" || chars == u"\t") {
    Window* window = GetWindow();
    if (FinishEditing() && window && window->FirstResponder() == this) window->MakeFirstResponder(nullptr);
  } else if (event.keyCode == kKeyCodeDelete || chars == u"\x7f" || chars == u"\b") {
    std::u16string edited = text;
    if (length > 0) {
      edited.erase(start, length);
    } else if (start > 0) {
      // A pair of surrogates is one character.
      const std::size_t from =
          start >= 2 && IsSurrogateLow(text[start - 1]) && IsSurrogateHigh(text[start - 2]) ? start - 2
                                                                                            : start - 1;
      edited.erase(from, start - from);
    }
    ApplyEdit(std::move(edited));
  } else if (IsInsertable(chars)) {
    std::u16string edited = text;
    edited.replace(start, length, chars);
    ApplyEdit(std::move(edited));
  }
  // Escape, arrows and other function keys do nothing in a one-line field here.
}

void TextField::KeyUp(const Event& event)
{
  if (!mEditing) View::KeyUp(event);
}

void TextField::MouseDown(const Event&) {}

void TextField::ViewDidMoveToWindow()
{
  if (!GetWindow()) mEditing = false;
}

} // namespace plugin::sys
