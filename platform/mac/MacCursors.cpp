#include "platform/mac/MacCursors.h"

#include <string>

namespace plugin::ui {

namespace {

using sys::Cursor;
using sys::CursorKind;

// An extra shape when the system offers it, else the fallback.
sys::CursorRef ExtraOr(CursorKind extra, CursorKind fallback)
{
  if (Cursor::RespondsTo(extra))
    if (sys::CursorRef cursor = Cursor::System(extra)) return cursor;
  return Cursor::System(fallback);
}

} // namespace

sys::CursorRef MacCursorForKind(int kind, sys::CursorRef& moveCursor)
{
  sys::CursorRef cursor;
  switch (kind) {
  case 0:
    cursor = Cursor::System(CursorKind::Arrow);
    break;
  case 1:
    cursor = Cursor::System(CursorKind::IBeam);
    break;
  case 2:
  case 12:
    cursor = ExtraOr(CursorKind::BusyButClickable, CursorKind::Arrow);
    break;
  case 3:
    cursor = Cursor::System(CursorKind::Crosshair);
    break;
  case 4:
    cursor = ExtraOr(CursorKind::WindowResizeNorth, CursorKind::ResizeUp);
    break;
  case 5:
    cursor = ExtraOr(CursorKind::WindowResizeNorthWestSouthEast, CursorKind::Arrow);
    break;
  case 6:
    cursor = ExtraOr(CursorKind::WindowResizeNorthEastSouthWest, CursorKind::Arrow);
    break;
  case 7:
    cursor = ExtraOr(CursorKind::WindowResizeEastWest, CursorKind::ResizeLeftRight);
    break;
  case 8:
    cursor = ExtraOr(CursorKind::WindowResizeNorthSouth, CursorKind::ResizeUpDown);
    break;
  case 9:
    if (!moveCursor) moveCursor = BuildMoveCursor();
    cursor = moveCursor;
    break;
  case 10:
    cursor = Cursor::System(CursorKind::OperationNotAllowed);
    break;
  case 11:
    cursor = Cursor::System(CursorKind::PointingHand);
    break;
  case 13:
    cursor = ExtraOr(CursorKind::Help, CursorKind::Arrow);
    break;
  default:
    break;
  }
  return cursor ? cursor : Cursor::System(CursorKind::Arrow);
}

sys::CursorRef BuildMoveCursor()
{
  // The artwork is a PDF with an info dictionary beside it (hot spot, shadow). Nothing here
  // renders PDFs or reads the dictionary: the cursor references the artwork at its own size with
  // its hot spot at the origin.
  const std::string folder = std::string(kSystemCursorFolder) + kMoveCursorName;
  const sys::ImageRef pdf = sys::Image::ReferencingFile(folder + "/cursor.pdf");
  const sys::ImageRef image = sys::Image::WithSize(pdf->GetSize());
  return Cursor::WithImage(image, sys::Point{});
}

} // namespace plugin::ui
