#include "platform/mac/system/Cursor.h"

#include <array>

namespace plugin::sys {

namespace {

constexpr int kSystemKinds = static_cast<int>(CursorKind::Custom);

bool IsExtra(CursorKind kind) noexcept
{
  return kind == CursorKind::BusyButClickable || kind >= CursorKind::WindowResizeNorth;
}

struct CursorState
{
  std::array<bool, kSystemKinds> available;
  bool helpShown = false;
  CursorRef current;

  CursorState() { available.fill(true); }
};

CursorState& State()
{
  static CursorState state;
  return state;
}

// One shared object per system kind, as the system hands out.
const CursorRef& Shared(CursorKind kind)
{
  static const std::array<CursorRef, kSystemKinds> cursors = [] {
    std::array<CursorRef, kSystemKinds> all;
    for (int k = 0; k < kSystemKinds; ++k)
      all[k] = std::make_shared<Cursor>(static_cast<CursorKind>(k));
    return all;
  }();
  return cursors[static_cast<int>(kind)];
}

} // namespace

CursorRef Cursor::System(CursorKind kind)
{
  if (kind == CursorKind::Custom || !RespondsTo(kind)) return nullptr;
  return Shared(kind);
}

CursorRef Cursor::WithImage(ImageRef image, Point hotSpot)
{
  auto cursor = std::make_shared<Cursor>(CursorKind::Custom);
  cursor->mImage = std::move(image);
  cursor->mHotSpot = hotSpot;
  return cursor;
}

bool Cursor::RespondsTo(CursorKind kind) noexcept
{
  const int k = static_cast<int>(kind);
  return k >= 0 && k < kSystemKinds && State().available[k];
}

void Cursor::SetAvailable(CursorKind kind, bool available) noexcept
{
  const int k = static_cast<int>(kind);
  if (k >= 0 && k < kSystemKinds && IsExtra(kind)) State().available[k] = available;
  if (kind == CursorKind::Help && !available) State().helpShown = false;
}

bool Cursor::HelpCursorShown() noexcept
{
  return RespondsTo(CursorKind::Help) && State().helpShown;
}

void Cursor::SetHelpCursorShown(bool shown) noexcept
{
  if (RespondsTo(CursorKind::Help)) State().helpShown = shown;
}

void Cursor::Set()
{
  CursorRef self = weak_from_this().lock();
  State().current = self ? std::move(self) : std::make_shared<Cursor>(*this);
}

CursorRef Cursor::Current()
{
  if (!State().current) State().current = Shared(CursorKind::Arrow);
  return State().current;
}

void Cursor::Reset() noexcept
{
  State().available.fill(true);
  State().helpShown = false;
  State().current = nullptr;
}

} // namespace plugin::sys
