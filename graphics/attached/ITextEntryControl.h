#pragma once

#include "graphics/control/IControl.h"
#include "graphics/menu/IPopupMenu.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plugin::ui {

// The in-editor single-line text field. The graphics context routes text-entry requests to it and,
// while it edits, every pointer event and key. The text is kept as UTF-16 and edited by the text
// editing engine (cursor, selection, undo and redo); the control draws background, selection, text
// and a blinking cursor, serves the clipboard, and ends by handing the text to
// ICanvas::SetControlValueAfterTextEdit. Main thread only.
class ITextEntryControl : public IControl
{
public:
  // Engine key codes: key code or character, plus modifier bits.
  static constexpr uint32_t kKeyFlag = 0x80000000u; // a key that is not a character
  static constexpr uint32_t kShiftFlag = 0x40000000u;
  static constexpr uint32_t kCommandFlag = 0x20000000u;
  static constexpr uint32_t kOptionFlag = 0x10000000u;
  static constexpr uint32_t kUndoKey = 0x2000007Au;
  static constexpr uint32_t kRedoKey = 0x6000007Au;

  // One laid-out row: where it starts and ends, the baseline step and its vertical extent relative
  // to the bounds' top, and the number of characters it holds.
  struct Row
  {
    float x0 = 0.f;
    float x1 = 0.f;
    float baselineYDelta = 0.f;
    float ymin = 0.f;
    float ymax = 0.f;
    int numChars = 0;
  };

  // All-zero rectangle, no parameter; its own action runs the cursor blink.
  ITextEntryControl();
  ~ITextEntryControl() override;

  // --- Events: the graphics context calls them on the main thread while the field edits. ---

  // Inside: places the cursor (left button) or opens Cut/Copy/Paste (right button); outside: commits.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Extends the selection; the cursor is shown again.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  // Selects everything.
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  // Editing keys, clipboard shortcuts, Return (commit) and Escape (dismiss); true when consumed.
  bool OnKeyDown(float x, float y, const IKeyPress& key) override;
  // Restarts the blink while editing.
  void OnEndAnimation() override;

  // The frame loop draws background, selection, text and cursor while editing. Main thread; may
  // fill the width cache.
  void Draw(ICanvas& g) override;

  // --- Operations (main thread) ---

  // The graphics context starts editing str for paramIdx (-1: none) over bounds in the text style,
  // with everything selected and a fresh undo history. length is not used. Allocates.
  void CreateTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length, const char* str);
  // Ends editing and delivers the text.
  void CommitEdit();
  // Ends editing without delivering; the requesting control is forgotten.
  void DismissEdit();
  void SelectAll();
  void CopySelection();
  void CutSelection();
  void Paste();
  // Replaces the text by the UTF-16 form of utf8 and empties the width cache.
  void SetStr(const char* utf8);

  // --- Callbacks of the editing engine (called from its key, click, drag and paste operations) ---

  // Deletes n units at pos; true.
  bool DeleteChars(int pos, int n);
  // Inserts n units at pos; true.
  bool InsertChars(int pos, const char16_t* text, int n);
  int GetLength() const noexcept { return static_cast<int>(mEditString.size()); }
  // Unit i, 0 outside the text.
  char16_t GetChar(int i) const noexcept;
  // The whole text as one row inside the bounds, placed by the text style's alignment.
  void LayoutRow(Row& row);
  // Width of c after prev (0: none), kerning included.
  float MeasureCharWidth(char16_t c, char16_t prev);
  void FillCharWidthCache();
  void RecalcCharWidths();
  // Width of unit i (filling the cache when needed); 0 outside the text.
  float GetCharWidthAt(int i);

  // --- State ---

  bool IsEditing() const noexcept { return mEditing; }
  bool IsCursorShown() const noexcept { return mDrawCursor; }
  const std::u16string& GetEditString() const noexcept { return mEditString; }
  std::string GetUtf8() const;
  int GetCursor() const noexcept;
  int GetSelectionStart() const noexcept;
  int GetSelectionEnd() const noexcept;

private:
  struct EditState; // the engine's state record
  // What changes of the engine state are compared.
  struct Snapshot
  {
    int cursor, selStart, selEnd, undoPoint, redoPoint;
    uint64_t revision;
    bool operator==(const Snapshot&) const = default;
  };

  Snapshot Snap() const noexcept;
  // Marks the control dirty when the state changed since before; true when it did.
  bool MarkIfChanged(const Snapshot& before);
  // Runs one engine key; true (and dirty) when it changed the state.
  bool SendKey(uint32_t key);
  // Sends the character of a key that is not an editing key.
  bool SendCharacter(const IKeyPress& key, uint32_t mods);
  // The requesting field's parameter lets the key's character through.
  bool CharacterAllowed(const IKeyPress& key, int character) const;
  // Inserts text at the cursor over the selection, with an undo record.
  void InsertWithUndo(const std::u16string& text);
  // Ends editing: flags, bounds and hit rectangle zero.
  void EndEditing();
  // Runs the cursor blink for one frame.
  void Blink();
  // Width of n units measured together in the field's text style.
  float MeasureUnits(const char16_t* text, size_t n) const;
  // Width of the units before idx.
  float WidthBefore(int idx);

  bool mDrawCursor = false;
  bool mEditing = false;
  std::unique_ptr<EditState> mEditState;
  std::vector<float> mCharWidths;
  std::u16string mEditString;
  int mParamIdx = -1;
  uint64_t mRevision = 0;                // counts text changes
  std::unique_ptr<IPopupMenu> mEditMenu; // Cut, Copy, Paste; built on first use
};

} // namespace plugin::ui
