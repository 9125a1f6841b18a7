#pragma once

#include "platform/mac/system/Cursor.h"

#include <string>

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

// The move cursor made from the artwork folder <folder><name>/: its picture ("cursor.pdf")
// rendered at 1, 2, 3 and 4 pixels per point with the shadow its description ("info.plist")
// gives, hot spot from the description. A description that is missing or unreadable reads as all
// zeros (hot spot at the top left, no shadow); entries that are not numbers, or not finite, read
// as 0, and the hot spot is kept inside the picture. Without a picture to render, the arrow.
sys::CursorRef BuildMoveCursor(const std::string& folder = kSystemCursorFolder,
                               const std::string& name = kMoveCursorName);

} // namespace plugin::ui
