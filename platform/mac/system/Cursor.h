#pragma once

#include "platform/mac/system/Image.h"

#include <memory>

// Mouse cursors: the system's shapes, cursors made from an image, and the one that is set. Some
// system shapes are extras that not every system version offers; a caller asks whether they are
// there (RespondsTo) before using them, and tests can take them away. Main thread only.
namespace plugin::sys {

enum class CursorKind {
  Arrow,
  IBeam,
  BusyButClickable, // an extra
  Crosshair,
  ResizeUp,
  ResizeLeftRight,
  ResizeUpDown,
  OperationNotAllowed,
  PointingHand,
  // Extras of the window-resize family and the help cursor.
  WindowResizeNorth,
  WindowResizeNorthWestSouthEast,
  WindowResizeNorthEastSouthWest,
  WindowResizeEastWest,
  WindowResizeNorthSouth,
  Help,
  // Made from an image (WithImage).
  Custom,
};

class Cursor : public std::enable_shared_from_this<Cursor>
{
public:
  explicit Cursor(CursorKind kind) : mKind(kind) {}

  // The shared cursor of a system kind; null for Custom and for an extra the system lacks.
  static std::shared_ptr<Cursor> System(CursorKind kind);

  // A Custom cursor showing image with its hot spot (image coordinates in points, origin top
  // left); no screen shows it here, the two are kept as given. Allocates.
  static std::shared_ptr<Cursor> WithImage(ImageRef image, Point hotSpot);

  // Whether the system offers kind. Help also stands for the help-cursor switch below.
  static bool RespondsTo(CursorKind kind) noexcept;
  // Takes an extra away or gives it back (tests); the basic kinds are always there.
  static void SetAvailable(CursorKind kind, bool available) noexcept;

  // The help-cursor mode, which overrides the cursor shown until switched off. Without the Help
  // extra it reads false and cannot be switched.
  static bool HelpCursorShown() noexcept;
  static void SetHelpCursorShown(bool shown) noexcept;

  // Makes this the cursor shown (a copy of it when it is not a shared object).
  void Set();
  // The cursor shown: the arrow until another is set.
  static std::shared_ptr<Cursor> Current();

  CursorKind Kind() const noexcept { return mKind; }
  // The image and hot spot of a cursor made from an image; null and (0, 0) for a system shape.
  const ImageRef& GetImage() const noexcept { return mImage; }
  Point HotSpot() const noexcept { return mHotSpot; }

  // Every extra back, arrow shown, help mode off (tests).
  static void Reset() noexcept;

private:
  CursorKind mKind;
  ImageRef mImage;
  Point mHotSpot;
};

using CursorRef = std::shared_ptr<Cursor>;

} // namespace plugin::sys
