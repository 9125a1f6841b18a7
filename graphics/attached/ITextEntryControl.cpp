#include "graphics/attached/ITextEntryControl.h"

#include "framework/editor/IEditorDelegate.h"
#include "framework/params/IParam.h"
#include "framework/queues/IKeyPress.h"
#include "framework/text/UnicodeCodec.h"
#include "graphics/attached/KeyCharacter.h"
#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>

// The text editing engine is configured here and nowhere else: UTF-16 units, one row, and key
// codes that are the control's own (a key code with the key flag, or a character, plus modifier
// bits; see ITextEntryControl.h).

#define STB_TEXTEDIT_CHARTYPE char16_t
#define STB_TEXTEDIT_POSITIONTYPE int
#define STB_TEXTEDIT_KEYTYPE uint32_t
#define STB_TEXTEDIT_UNDOSTATECOUNT 99
#define STB_TEXTEDIT_UNDOCHARCOUNT 999
#include "stb_textedit.h"

namespace {

using plugin::ui::ITextEntryControl;

// Editing keys: the key flag plus the key code of the key table, then the modifier bits.
constexpr uint32_t kKey = ITextEntryControl::kKeyFlag;
constexpr uint32_t kCmd = ITextEntryControl::kCommandFlag;
constexpr uint32_t kOpt = ITextEntryControl::kOptionFlag;
constexpr uint32_t kBackspace = kKey | plugin::vkey::kBack;
constexpr uint32_t kPageUp = kKey | plugin::vkey::kPageUp;
constexpr uint32_t kPageDown = kKey | plugin::vkey::kPageDown;
constexpr uint32_t kEnd = kKey | plugin::vkey::kEnd;
constexpr uint32_t kHome = kKey | plugin::vkey::kHome;
constexpr uint32_t kLeft = kKey | plugin::vkey::kLeft;
constexpr uint32_t kUp = kKey | plugin::vkey::kUp;
constexpr uint32_t kRight = kKey | plugin::vkey::kRight;
constexpr uint32_t kDown = kKey | plugin::vkey::kDown;
constexpr uint32_t kDelete = kKey | plugin::vkey::kDelete;

void LayoutEngineRow(StbTexteditRow* r, ITextEntryControl* field, int)
{
  ITextEntryControl::Row row;
  field->LayoutRow(row);
  r->x0 = row.x0;
  r->x1 = row.x1;
  r->baseline_y_delta = row.baselineYDelta;
  r->ymin = row.ymin;
  r->ymax = row.ymax;
  r->num_chars = row.numChars;
}

// A key code that inserts a character: no key flag, no Command; Shift and Option belong to the
// character. Control characters and lone surrogates insert nothing.
int KeyToText(uint32_t key)
{
  if (key & (kKey | kCmd)) return -1;
  const uint32_t c = key & 0x001FFFFFu;
  if (c < 32 || c == 127 || c > 0xFFFF || plugin::text::IsSurrogate(c)) return -1;
  return static_cast<int>(c);
}

bool IsSpace(char16_t c)
{
  return c == u' ' || c == u'\t' || c == 0x00A0 || c == 0x3000;
}

} // namespace

#define STB_TEXTEDIT_STRING plugin::ui::ITextEntryControl
#define STB_TEXTEDIT_STRINGLEN(field) ((field)->GetLength())
#define STB_TEXTEDIT_LAYOUTROW(r, field, n) LayoutEngineRow(r, field, n)
#define STB_TEXTEDIT_GETWIDTH(field, n, i) ((field)->GetCharWidthAt((n) + (i)))
#define STB_TEXTEDIT_KEYTOTEXT(key) KeyToText(key)
#define STB_TEXTEDIT_GETCHAR(field, i) ((field)->GetChar(i))
#define STB_TEXTEDIT_NEWLINE u'\n'
#define STB_TEXTEDIT_IS_SPACE(c) IsSpace(c)
#define STB_TEXTEDIT_DELETECHARS(field, i, n) ((field)->DeleteChars(i, n))
#define STB_TEXTEDIT_INSERTCHARS(field, i, c, n) ((field)->InsertChars(i, c, n))
#define STB_TEXTEDIT_K_SHIFT ITextEntryControl::kShiftFlag
#define STB_TEXTEDIT_K_LEFT kLeft
#define STB_TEXTEDIT_K_RIGHT kRight
#define STB_TEXTEDIT_K_UP kUp
#define STB_TEXTEDIT_K_DOWN kDown
#define STB_TEXTEDIT_K_PGUP kPageUp
#define STB_TEXTEDIT_K_PGDOWN kPageDown
#define STB_TEXTEDIT_K_LINESTART kHome
#define STB_TEXTEDIT_K_LINEEND kEnd
#define STB_TEXTEDIT_K_LINESTART2 (kCmd | kLeft)
#define STB_TEXTEDIT_K_LINEEND2 (kCmd | kRight)
#define STB_TEXTEDIT_K_TEXTSTART (kCmd | kUp)
#define STB_TEXTEDIT_K_TEXTEND (kCmd | kDown)
#define STB_TEXTEDIT_K_TEXTSTART2 (kCmd | kHome)
#define STB_TEXTEDIT_K_TEXTEND2 (kCmd | kEnd)
#define STB_TEXTEDIT_K_WORDLEFT (kOpt | kLeft)
#define STB_TEXTEDIT_K_WORDRIGHT (kOpt | kRight)
#define STB_TEXTEDIT_K_DELETE kDelete
#define STB_TEXTEDIT_K_BACKSPACE kBackspace
#define STB_TEXTEDIT_K_UNDO ITextEntryControl::kUndoKey
#define STB_TEXTEDIT_K_REDO ITextEntryControl::kRedoKey
#define STB_TEXTEDIT_IMPLEMENTATION
#include "stb_textedit.h"

namespace plugin::ui {

namespace {

constexpr int kBlinkMs = 1000;
constexpr float kBaselineStep = 1.25f;
constexpr float kBarInsetFrac = 0.1f;
constexpr float kSelectionWeight = 0.2f;

} // namespace

struct ITextEntryControl::EditState
{
  STB_TexteditState s{};
};

ITextEntryControl::ITextEntryControl() : IControl(IRECT(), -1), mEditState(std::make_unique<EditState>())
{
  stb_textedit_initialize_state(&mEditState->s, 1);
  SetActionFunction([](IControl* c) {
    auto* self = static_cast<ITextEntryControl*>(c);
    self->mDrawCursor = true;
    self->SetAnimationFunction([](IControl* a) { static_cast<ITextEntryControl*>(a)->Blink(); });
    self->StartAnimation(kBlinkMs);
  });
}

ITextEntryControl::~ITextEntryControl() = default;

// --- Engine state ---

int ITextEntryControl::GetCursor() const noexcept
{
  return mEditState->s.cursor;
}

int ITextEntryControl::GetSelectionStart() const noexcept
{
  return mEditState->s.select_start;
}

int ITextEntryControl::GetSelectionEnd() const noexcept
{
  return mEditState->s.select_end;
}

ITextEntryControl::Snapshot ITextEntryControl::Snap() const noexcept
{
  const STB_TexteditState& s = mEditState->s;
  return {s.cursor, s.select_start, s.select_end, s.undostate.undo_point, s.undostate.redo_point, mRevision};
}

bool ITextEntryControl::MarkIfChanged(const Snapshot& before)
{
  if (Snap() == before) return false;
  SetDirty(false);
  return true;
}

bool ITextEntryControl::SendKey(uint32_t key)
{
  const Snapshot before = Snap();
  stb_textedit_key(this, &mEditState->s, key);
  return MarkIfChanged(before);
}

// --- Starting and ending ---

void ITextEntryControl::CreateTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int,
                                        const char* str)
{
  mParamIdx = paramIdx;
  mBounds = bounds;
  mHitRect = bounds;
  mHovered = false;
  OnResize();
  SetText(text);
  mTextStyle.mFGColor = mTextStyle.mTextEntryFGColor;
  SetStr(str);

  // A fresh engine for every entry: the last entry's undo history must not reach into this one.
  STB_TexteditState& s = mEditState->s;
  stb_textedit_initialize_state(&s, 1);
  s.select_start = 0;
  s.select_end = GetLength();
  s.cursor = 0;
  RecalcCharWidths();
  SetDirty(true); // the action starts the blink
  mEditing = true;
}

void ITextEntryControl::EndEditing()
{
  mEditing = false;
  mHovered = false;
  mBounds = IRECT();
  mHitRect = IRECT();
  OnResize();
}

void ITextEntryControl::CommitEdit()
{
  if (!mEditing) return; // delivered once
  const std::string text = GetUtf8();
  // Cleared before delivery, so that a handler may open the next entry at once.
  EndEditing();
  if (!mGraphicsContext) return;
  mGraphicsContext->SetControlValueAfterTextEdit(text.c_str());
  mGraphicsContext->SetAllControlsDirty();
}

void ITextEntryControl::DismissEdit()
{
  if (!mEditing) return;
  EndEditing();
  if (!mGraphicsContext) return;
  mGraphicsContext->ClearInTextEntryControl();
  mGraphicsContext->SetAllControlsDirty();
}

// --- Pointer ---

void ITextEntryControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (!mEditing) return;
  if (!mBounds.Contains(x, y)) {
    CommitEdit();
    return;
  }
  const Snapshot before = Snap();
  if (mod.leftButton) stb_textedit_click(this, &mEditState->s, x, y - mBounds.T);
  if (mod.rightButton && mGraphicsContext) {
    if (!mEditMenu) {
      // Owned by this field, so that its choice can only reach a living field.
      mEditMenu = std::make_unique<IPopupMenu>("", std::initializer_list<const char*>{"Cut", "Copy", "Paste"},
                                               [this](IPopupMenu* menu) {
                                                 switch (menu ? menu->GetChosenItemIdx() : -1) {
                                                 case 0:
                                                   CutSelection();
                                                   break;
                                                 case 1:
                                                   CopySelection();
                                                   break;
                                                 case 2:
                                                   Paste();
                                                   break;
                                                 default:
                                                   break;
                                                 }
                                               });
    }
    mGraphicsContext->CreatePopupMenu(*this, *mEditMenu, x, y);
  }
  MarkIfChanged(before);
}

void ITextEntryControl::OnMouseDrag(float x, float y, float, float, const IMouseMod& mod)
{
  if (!mEditing || !mod.leftButton) return;
  const Snapshot before = Snap();
  stb_textedit_drag(this, &mEditState->s, x, y - mBounds.T);
  MarkIfChanged(before);
}

void ITextEntryControl::OnMouseUp(float x, float y, const IMouseMod& mod)
{
  if (!mEditing || !mod.leftButton) return;
  const Snapshot before = Snap();
  stb_textedit_drag(this, &mEditState->s, x, y - mBounds.T);
  MarkIfChanged(before);
  SetDirty(true); // the blink restarts with the cursor shown
}

void ITextEntryControl::OnMouseDblClick(float, float, const IMouseMod&)
{
  if (mEditing) SelectAll();
}

// --- Keys ---

bool ITextEntryControl::OnKeyDown(float, float, const IKeyPress& key)
{
  if (!mEditing) return false;
  const uint32_t mods =
      (key.mCtrl ? kCommandFlag : 0u) | (key.mAlt ? kOptionFlag : 0u) | (key.mShift ? kShiftFlag : 0u);
  if (key.mCtrl) {
    switch (key.mVKey) {
    case vkey::OfCharacter('A'):
      SelectAll();
      return true;
    case vkey::OfCharacter('C'):
      CopySelection();
      return true;
    case vkey::OfCharacter('V'):
      Paste();
      return true;
    case vkey::OfCharacter('X'):
      CutSelection();
      return true;
    case vkey::OfCharacter('Z'):
      SendKey(key.mShift ? kRedoKey : kUndoKey);
      return true;
    default:
      break; // other letters are handled as keys below
    }
  }
  switch (key.mVKey) {
  case vkey::kBack:
    return SendKey(kBackspace | mods);
  case vkey::kTab:
    return false;
  case vkey::kReturn: // only the main Return key: the keypad's Enter is typed like any other key
    // Consumed whole: the field is gone, nothing more reaches the engine.
    CommitEdit();
    return true;
  case vkey::kEscape:
    DismissEdit();
    return true;
  case vkey::kSpace:
    return SendKey(static_cast<uint32_t>(' ') | mods);
  case vkey::kDelete:
    return SendKey(kDelete | mods);
  default:
    break;
  }
  if (vkey::IsNavigation(key.mVKey)) return SendKey((kKeyFlag | static_cast<uint32_t>(key.mVKey)) | mods);
  if (!mGraphicsContext || !mGraphicsContext->GetControlInTextEntry()) return false;
  return SendCharacter(key, mods);
}

bool ITextEntryControl::CharacterAllowed(const IKeyPress& key, int character) const
{
  const IParam* param = mEditorDelegate && mParamIdx >= 0 ? mEditorDelegate->GetParam(mParamIdx) : nullptr;
  if (!param) return true;
  const bool digitKey = (key.mVKey >= vkey::kDigit0 && key.mVKey <= vkey::kDigit9 && !key.mShift) ||
                        (key.mVKey >= vkey::kNumpad0 && key.mVKey <= vkey::kNumpad9);
  const bool sign = character == '+' || character == '-';
  switch (param->Type()) {
  case IParam::kTypeBool:
  case IParam::kTypeInt:
  case IParam::kTypeEnum:
    return digitKey || sign;
  case IParam::kTypeDouble:
    return digitKey || sign || character == '.';
  default:
    return true;
  }
}

bool ITextEntryControl::SendCharacter(const IKeyPress& key, uint32_t mods)
{
  const int character = DecodeKeyCharacter(key.mUtf8);
  if (character < 0 || !CharacterAllowed(key, character))
    return SendKey((kKeyFlag | (static_cast<uint32_t>(key.mVKey) & 0xFFFFu)) | mods); // inserts nothing
  if (character > 0xFFFF) {
    // Beyond the basic plane: the character goes in as its surrogate pair, in one undo step.
    if (mods & kCommandFlag) return false;
    const Snapshot before = Snap();
    char16_t pair[2];
    InsertWithUndo(
        std::u16string(pair, static_cast<size_t>(text::EncodeUtf16(static_cast<char32_t>(character), pair))));
    return MarkIfChanged(before);
  }
  return SendKey(static_cast<uint32_t>(character) | mods);
}

// --- Clipboard and selection ---

void ITextEntryControl::SelectAll()
{
  const Snapshot before = Snap();
  mEditState->s.select_start = 0;
  mEditState->s.select_end = GetLength();
  MarkIfChanged(before);
}

void ITextEntryControl::CopySelection()
{
  const STB_TexteditState& s = mEditState->s;
  if (s.select_start == s.select_end || !mGraphicsContext) return;
  const int lo = std::clamp(std::min(s.select_start, s.select_end), 0, GetLength());
  const int hi = std::clamp(std::max(s.select_start, s.select_end), 0, GetLength());
  const std::string selection = text::Utf16ToUtf8(
      std::u16string_view(mEditString).substr(static_cast<size_t>(lo), static_cast<size_t>(hi - lo)));
  mGraphicsContext->SetTextInClipboard(selection.c_str());
}

void ITextEntryControl::CutSelection()
{
  CopySelection();
  const Snapshot before = Snap();
  if (stb_textedit_cut(this, &mEditState->s)) mEditState->s.has_preferred_x = 0;
  MarkIfChanged(before);
}

void ITextEntryControl::Paste()
{
  StringBuf clip;
  if (!mGraphicsContext || !mGraphicsContext->GetTextFromClipboard(clip)) return;
  const std::u16string pasted = text::Utf8ToUtf16(clip.Get());
  if (pasted.empty()) return;
  const Snapshot before = Snap();
  InsertWithUndo(pasted);
  MarkIfChanged(before);
}

void ITextEntryControl::InsertWithUndo(const std::u16string& text)
{
  // Clamps the selection to the text, replaces it and records the insertion for undo.
  stb_textedit_paste(this, &mEditState->s, text.data(), static_cast<int>(text.size()));
}

// --- Text and widths ---

std::string ITextEntryControl::GetUtf8() const
{
  return text::Utf16ToUtf8(mEditString);
}

void ITextEntryControl::SetStr(const char* utf8)
{
  mEditString = text::Utf8ToUtf16(utf8 ? utf8 : "");
  mCharWidths.clear();
}

bool ITextEntryControl::DeleteChars(int pos, int n)
{
  const int len = GetLength();
  pos = std::clamp(pos, 0, len);
  n = std::clamp(n, 0, len - pos);
  mEditString.erase(static_cast<size_t>(pos), static_cast<size_t>(n));
  SetStr(GetUtf8().c_str()); // a surrogate left alone becomes U+FFFD
  ++mRevision;
  return true;
}

bool ITextEntryControl::InsertChars(int pos, const char16_t* text, int n)
{
  pos = std::clamp(pos, 0, GetLength());
  if (text && n > 0) mEditString.insert(static_cast<size_t>(pos), text, static_cast<size_t>(n));
  SetStr(GetUtf8().c_str());
  ++mRevision;
  return true;
}

char16_t ITextEntryControl::GetChar(int i) const noexcept
{
  return i >= 0 && i < GetLength() ? mEditString[static_cast<size_t>(i)] : u'\0';
}

float ITextEntryControl::MeasureCharWidth(char16_t c, char16_t prev)
{
  const char16_t pair[2] = {prev, c};
  if (!prev) return MeasureUnits(pair + 1, 1);
  return MeasureUnits(pair, 2) - MeasureUnits(pair, 1);
}

float ITextEntryControl::MeasureUnits(const char16_t* units, size_t n) const
{
  if (!mGraphicsContext || n == 0) return 0.f;
  IRECT r;
  return mGraphicsContext->MeasureText(mTextStyle, text::Utf16ToUtf8(std::u16string_view(units, n)).c_str(),
                                       r);
}

void ITextEntryControl::FillCharWidthCache()
{
  if (!mCharWidths.empty()) return;
  const size_t n = mEditString.size();
  mCharWidths.assign(n, 0.f);
  const char16_t* s = mEditString.data();
  const std::u16string_view units(mEditString);
  // Width of each character after the one before it, so kerning is part of it; the second unit
  // of a surrogate pair has no width of its own.
  size_t prev = 0;
  for (size_t i = 0; i < n;) {
    const size_t len = text::DecodeUtf16(units, i).length;
    mCharWidths[i] = i == 0 ? MeasureUnits(s, len)
                            : MeasureUnits(s + prev, i + len - prev) - MeasureUnits(s + prev, i - prev);
    prev = i;
    i += len;
  }
}

void ITextEntryControl::RecalcCharWidths()
{
  mCharWidths.clear();
  FillCharWidthCache();
}

float ITextEntryControl::GetCharWidthAt(int i)
{
  FillCharWidthCache();
  return i >= 0 && i < static_cast<int>(mCharWidths.size()) ? mCharWidths[static_cast<size_t>(i)] : 0.f;
}

void ITextEntryControl::LayoutRow(Row& row)
{
  FillCharWidthCache();
  float w = 0.f;
  for (float cw : mCharWidths)
    w += cw;
  row.numChars = GetLength();
  row.baselineYDelta = kBaselineStep;
  switch (mTextStyle.mAlign) {
  case EAlign::Near:
    row.x0 = mBounds.L;
    break;
  case EAlign::Center:
    row.x0 = (mBounds.L + mBounds.R - w) / 2.f;
    break;
  case EAlign::Far:
    row.x0 = mBounds.R - w;
    break;
  }
  row.x1 = row.x0 + w;
  const float size = mTextStyle.mSize;
  switch (mTextStyle.mVAlign) {
  case EVAlign::Top:
    row.ymin = 0.f;
    break;
  case EVAlign::Middle:
    row.ymin = (mBounds.B - (mBounds.T + size)) / 2.f;
    break;
  case EVAlign::Bottom:
    row.ymin = mBounds.B - (mBounds.T + size);
    break;
  }
  row.ymax = row.ymin + size;
}

// --- Drawing and blink ---

float ITextEntryControl::WidthBefore(int idx)
{
  float w = 0.f;
  for (int i = 0; i < idx; ++i)
    w += GetCharWidthAt(i);
  return w;
}

void ITextEntryControl::Draw(ICanvas& g)
{
  if (!mEditing) return;
  g.FillRect(mTextStyle.mTextEntryBGColor, mBounds);

  Row row;
  LayoutRow(row);
  const STB_TexteditState& s = mEditState->s;
  const float inset = kBarInsetFrac * mTextStyle.mSize;
  const float top = mBounds.T + row.ymin + inset;
  const float bottom = mBounds.T + row.ymax - inset;
  const int len = GetLength();
  if (s.select_start != s.select_end) {
    const int lo = std::clamp(std::min(s.select_start, s.select_end), 0, len);
    const int hi = std::clamp(std::max(s.select_start, s.select_end), 0, len);
    const IBlend blend(EBlend::SourceOver, kSelectionWeight);
    g.FillRect(mTextStyle.mTextEntryFGColor,
               IRECT(row.x0 + WidthBefore(lo), top, row.x0 + WidthBefore(hi), bottom), &blend);
  }

  g.DrawText(mTextStyle, GetUtf8().c_str(), mBounds);

  if (mDrawCursor && s.select_start == s.select_end) {
    const float x = row.x0 + WidthBefore(std::clamp(s.cursor, 0, len));
    g.FillRect(mTextStyle.mTextEntryFGColor, IRECT(std::round(x - 1.f), top, std::round(x), bottom));
  }
}

void ITextEntryControl::Blink()
{
  const double progress = GetAnimationProgress();
  if (progress > 1.0) {
    OnEndAnimation();
    return;
  }
  if (progress > 0.5 && mDrawCursor) {
    mDrawCursor = false;
    SetDirty(false);
  }
}

void ITextEntryControl::OnEndAnimation()
{
  IControl::OnEndAnimation();
  if (mEditing) RunActionFunction();
}

} // namespace plugin::ui
