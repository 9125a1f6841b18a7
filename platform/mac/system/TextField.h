#pragma once

#include "platform/mac/system/Color.h"
#include "platform/mac/system/Font.h"
#include "platform/mac/system/Formatter.h"
#include "platform/mac/system/View.h"

#include <memory>
#include <string>
#include <string_view>

// A one-line text field and its parts: the cell that lays its text out, the field editor that
// edits it while it is first responder, and the delegate told when editing ends. The person types
// through key events (ScriptedUser::TypeText, PressKey): text replaces the selection, Delete
// removes it or the unit before the end, Return and Tab end editing, and each edit is vetted by
// the formatter. Main thread only.
namespace plugin::sys {

class TextField;

enum class TextAlignment { Left, Center, Right, Natural };
enum class LineBreakMode { Clipping, TruncatingTail };
enum class FocusRingType { Default, None };

// The text view that edits a field while it is first responder.
class FieldEditor
{
public:
  // Where the cell placed it, in the field's coordinates.
  Rect Frame() const noexcept { return mFrame; }
  void SetFrame(Rect frame) noexcept { mFrame = frame; }

  // The selection in UTF-16 units; typing replaces it.
  long SelectionStart() const noexcept { return mSelectionStart; }
  long SelectionLength() const noexcept { return mSelectionLength; }
  void SetSelectedRange(long start, long length) noexcept;

  // The caret colour (the field editor always offers it).
  bool RespondsToInsertionPointColor() const noexcept { return true; }
  Color InsertionPointColor() const noexcept { return mInsertionPointColor; }
  void SetInsertionPointColor(Color color) noexcept { mInsertionPointColor = color; }

private:
  Rect mFrame;
  long mSelectionStart = 0, mSelectionLength = 0;
  Color mInsertionPointColor;
};

// Told by the field on the main thread when its editing ends (Return, Tab or loss of focus);
// may remove the field (and so destroy it once the call returns) and allocate.
class TextFieldDelegate
{
public:
  virtual ~TextFieldDelegate() = default;
  virtual void ControlTextDidEndEditing(TextField& field) = 0;
};

// The cell of a field: its text, font and line breaking, and where the text and the field
// editor go inside the field.
class TextFieldCell
{
public:
  explicit TextFieldCell(std::u16string text = {}) : mText(std::move(text)) {}
  virtual ~TextFieldCell() = default;

  const std::u16string& StringValue() const noexcept { return mText; }
  void SetStringValue(std::u16string text) { mText = std::move(text); }
  void SetFont(FontRef font) { mFont = font ? std::move(font) : Font::SystemFont(Font::kSystemFontSize); }
  LineBreakMode GetLineBreakMode() const noexcept { return mLineBreakMode; }
  void SetLineBreakMode(LineBreakMode mode) noexcept { mLineBreakMode = mode; }

  // Layout hooks, called by the field on the main thread (subclasses may move the text and the
  // editor); they need not allocate.
  // The text's rectangle inside bounds: bounds less 2 points of padding left and right.
  virtual Rect DrawingRectForBounds(Rect bounds) const;
  // The text's natural size: one line of the font (1.2 x its size, rounded up) plus 2 points in
  // height, 0.6 x the size per unit plus 4 points in width.
  virtual Size CellSize() const;

  // Place the field editor at frame and select (start, length), or start editing; the field
  // calls the first when it becomes first responder.
  virtual void SelectWithFrame(Rect frame, View& controlView, FieldEditor& editor,
                               TextFieldDelegate* delegate, long start, long length);
  virtual void EditWithFrame(Rect frame, View& controlView, FieldEditor& editor, TextFieldDelegate* delegate,
                             const Event* event);

private:
  std::u16string mText;
  FontRef mFont = Font::SystemFont(Font::kSystemFontSize);
  LineBreakMode mLineBreakMode = LineBreakMode::Clipping;
};

class TextField : public View
{
public:
  explicit TextField(Rect frame = {});
  ~TextField() override;

  // The text (in the cell). Setting it while editing selects nothing and puts the caret at the end.
  void SetStringValue(std::u16string text);
  std::string StringValueUtf8() const;
  void SetStringValueUtf8(std::string_view text);

  const std::shared_ptr<TextFieldCell>& Cell() const noexcept { return mCell; }
  // Null is ignored; the new cell brings its own text.
  void SetCell(std::shared_ptr<TextFieldCell> cell);

  void SetFont(FontRef font) { mCell->SetFont(std::move(font)); }
  TextAlignment Alignment() const noexcept { return mAlignment; }
  void SetAlignment(TextAlignment alignment) noexcept { mAlignment = alignment; }
  Color TextColor() const noexcept { return mTextColor; }
  void SetTextColor(Color color) noexcept { mTextColor = color; }
  Color BackgroundColor() const noexcept { return mBackgroundColor; }
  void SetBackgroundColor(Color color) noexcept { mBackgroundColor = color; }
  // Nothing draws here: the background and text attribute switches have no effect.
  void SetDrawsBackground(bool) noexcept {}
  void SetEditable(bool editable) noexcept { mEditable = editable; }
  bool IsBordered() const noexcept { return mBordered; }
  void SetBordered(bool bordered) noexcept { mBordered = bordered; }
  FocusRingType GetFocusRingType() const noexcept { return mFocusRing; }
  void SetFocusRingType(FocusRingType type) noexcept { mFocusRing = type; }
  void SetAllowsEditingTextAttributes(bool) noexcept {}

  void SetFormatter(std::shared_ptr<Formatter> formatter) { mFormatter = std::move(formatter); }
  // Not owned; null for none.
  void SetDelegate(TextFieldDelegate* delegate) noexcept { mDelegate = delegate; }

  // Editing: an editable field accepts first responder; becoming it starts editing with the
  // whole text selected, resigning ends editing and tells the delegate. Resigning is refused
  // while the formatter refuses the text.
  bool AcceptsFirstResponder() override { return mEditable; }
  bool BecomeFirstResponder() override;
  bool ResignFirstResponder() override;
  // The field editor while editing, else null.
  FieldEditor* CurrentEditor() noexcept { return mEditing ? &mEditor : nullptr; }

  // While editing, keys edit the text; otherwise they go on up the chain. Clicks stay here.
  void KeyDown(const Event& event) override;
  void KeyUp(const Event& event) override;
  void MouseDown(const Event& event) override;
  // Leaving the window ends editing even when the formatter refused; the delegate is not told.
  void ViewDidMoveToWindow() override;

private:
  // Puts text in after the formatter's say; false when refused.
  bool ApplyEdit(std::u16string text);
  // Ends editing and tells the delegate, once; false when the formatter refuses the text.
  bool FinishEditing();

  std::shared_ptr<TextFieldCell> mCell = std::make_shared<TextFieldCell>();
  TextAlignment mAlignment = TextAlignment::Natural;
  Color mTextColor = Color{0.0, 0.0, 0.0, 1.0};
  Color mBackgroundColor = Color{1.0, 1.0, 1.0, 1.0};
  bool mEditable = true;
  bool mBordered = true;
  FocusRingType mFocusRing = FocusRingType::Default;
  std::shared_ptr<Formatter> mFormatter;
  TextFieldDelegate* mDelegate = nullptr;
  FieldEditor mEditor;
  bool mEditing = false;
};

} // namespace plugin::sys
