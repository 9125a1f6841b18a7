#pragma once

namespace plugin::ui {

class ICanvas;

// The addresses the faceplate's printed lines open.
inline constexpr const char* kMakerHomePageURL = "https://www.quillmere.com";

// Three invisible links over printed lines of the faceplate: the product line at the bottom opens
// the product page, the maker's name under the logo the maker's home page, "USER MANUAL" the
// manual. Main thread; allocates.
void AttachEditorLinks(ICanvas& ui);

} // namespace plugin::ui
