#pragma once

#include <array>

namespace plugin::ui {

class ICanvas;
class IControl;
class IPopupMenu;

// The info button's menu: a heading and three links that open the product's pages in the user's
// browser through the graphics context's URL service. Main thread only.

// Title and item texts of the info menu, in order; the first item is a heading.
inline constexpr const char* kInfoMenuTitle = " ";
inline constexpr std::array<const char*, 4> kInfoMenuItems = {"-- INFO --", "Product page", "Manual",
                                                              "Read about Ukraine"};

// The pages the links open.
inline constexpr const char* kProductPageURL = "https://www.quillmere.com/kelmo";
inline constexpr const char* kManualURL = "https://www.quillmere.com/kelmo/manual";
inline constexpr const char* kUkrainePageURL = "https://www.quillmere.com/ukraine";

// The one info menu of the process, built with its items on first use and reused by every
// editor; each showing binds its completion to the editor that shows it. Main thread.
IPopupMenu& InfoMenu();

// The address the item with this text opens; null for the heading, any other text or null.
const char* InfoMenuURL(const char* itemText) noexcept;

// The info button's action, run by the button on the main thread when it is clicked: the splash
// animation on the button, then the info menu opens at the last press point of the button's
// editor. Nothing opens for a button that is not attached, or when memory runs out. Allocates
// (the menu, once).
void ShowInfoMenuAction(IControl* button) noexcept;

// The info menu's completion, called on the main thread with the menu when it closes: a chosen
// link opens its page through ui's URL service (no window title, confirmation or error text)
// and the pointer capture is released; the heading, a dismissed menu or a null menu do nothing.
// A browser that fails to open is not reported.
void InfoMenuHandler(ICanvas& ui, IPopupMenu* menu) noexcept;

} // namespace plugin::ui
