#pragma once

#include "platform/mac/system/Cursor.h"

// The editor's cursor kinds (0 to 13) as system cursors. Main thread only.
namespace plugin::ui {

// The folder of the system's cursor artwork, and the move cursor's name in it.
inline constexpr const char* kSystemCursorFolder = "/System/Library/Frameworks/ApplicationServices.framework/"
                                                   "Versions/A/Frameworks/HIServices.framework/Versions/A/"
                                                   "Resources/cursors/";
inline constexpr const char* kMoveCursorName = "move";

// The cursor of kind: the system shape, the arrow where an extra shape is missing or the kind is
// outside 0 to 13; kind 9 is moveCursor, built on first use. Never null.
sys::CursorRef MacCursorForKind(int kind, sys::CursorRef& moveCursor);

// The move cursor made from the system's cursor artwork.
sys::CursorRef BuildMoveCursor();

} // namespace plugin::ui
