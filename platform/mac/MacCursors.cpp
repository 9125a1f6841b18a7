#include "platform/mac/MacCursors.h"

#include "platform/mac/system/BitmapContext.h"
#include "platform/mac/system/PropertyList.h"
#include "platform/mac/system/Url.h"

#include <algorithm>
#include <cmath>
#include <optional>

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

// What the move cursor's description gives, checked: zero where it gives nothing usable.
struct MoveCursorInfo
{
  sys::Point hotSpot;
  double blur = 0.0;
  double shadowOffsetX = 0.0, shadowOffsetY = 0.0;
  sys::Color shadowColor{0.0, 0.0, 0.0, 0.0};
};

double NumberOr0(const sys::PropertyListValue* value)
{
  const std::optional<double> number = value ? value->Number() : std::nullopt;
  return number && std::isfinite(*number) ? *number : 0.0;
}

double Entry(const sys::PropertyListValue* info, const char* key)
{
  return NumberOr0(info ? info->ValueForKey(key) : nullptr);
}

MoveCursorInfo ReadInfo(const sys::PropertyListValue* info, sys::Size size)
{
  MoveCursorInfo desc;
  desc.hotSpot = {std::clamp(Entry(info, "hotx-scaled"), 0.0, size.width),
                  std::clamp(Entry(info, "hoty-scaled"), 0.0, size.height)};
  // Beyond the picture's larger side a shadow is off it or spread thin; the bound keeps the
  // scaled values in range.
  const double reach = std::max(size.width, size.height);
  desc.blur = std::clamp(Entry(info, "blur"), 0.0, reach);
  desc.shadowOffsetX = std::clamp(Entry(info, "shadowoffsetx"), -reach, reach);
  desc.shadowOffsetY = std::clamp(Entry(info, "shadowoffsety"), -reach, reach);
  // Red, green, blue, alpha; anything but four entries casts no shadow.
  const sys::PropertyListValue* color = info ? info->ValueForKey("shadowcolor") : nullptr;
  if (color && color->GetKind() == sys::PropertyListValue::Kind::Array && color->Count() == 4) {
    const auto& c = color->Elements();
    desc.shadowColor = sys::Color::DeviceRgb(NumberOr0(&c[0]), NumberOr0(&c[1]), NumberOr0(&c[2]), NumberOr0(&c[3]));
  }
  return desc;
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

sys::CursorRef BuildMoveCursor(const std::string& folder, const std::string& name)
{
  const sys::ImageRef pdf = sys::Image::ReferencingFile(folder + name + "/cursor.pdf");
  const sys::Size size = pdf->GetSize();
  const sys::ImageRef image = sys::Image::WithSize(size);
  const auto url = sys::Url::WithString("file:" + folder + name + "/info.plist");
  const std::shared_ptr<const sys::PropertyListValue> info = url ? sys::DictionaryWithContentsOfUrl(*url) : nullptr;
  const MoveCursorInfo desc = ReadInfo(info.get(), size);

  for (int s = 1; s <= 4; ++s) {
    const sys::BitmapImageRef picture = pdf->BitmapForCtmScale(s);
    if (!picture) continue;
    const auto context = sys::BitmapContext::Create(picture->Width(), picture->Height(), picture->BitsPerComponent(),
                                                    picture->ColorSpace(), picture->BitmapInfo());
    if (!context) continue;
    context->SetShadowWithColor({desc.shadowOffsetX * s, desc.shadowOffsetY * s}, desc.blur * s, desc.shadowColor);
    context->DrawImage(sys::MakeRect(0.0, 0.0, picture->Width(), picture->Height()), *picture);
    const sys::BitmapImageRepRef rep = sys::BitmapImageRep::WithBitmap(context->CreateImage());
    if (!rep) continue;
    rep->SetSize(size);
    image->AddRepresentation(rep);
  }
  // An invisible cursor would lose the pointer: without artwork the arrow stands in.
  if (image->Representations().empty()) return Cursor::System(CursorKind::Arrow);
  return Cursor::WithImage(image, desc.hotSpot);
}

} // namespace plugin::ui
