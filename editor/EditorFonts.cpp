#include "editor/EditorFonts.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

int LoadEditorFonts(ICanvas& ui)
{
  static constexpr struct
  {
    const char* id;
    const char* file;
  } kFonts[] = {
      {"Roboto-Regular", "Roboto-Regular.ttf"},
      {"Roboto-Mono", "RobotoMono-Bold.ttf"}, // loaded for completeness; no text uses it
      {"Lato", "Lato-Bold.ttf"},
  };
  int loaded = 0;
  for (const auto& font : kFonts)
    loaded += ui.LoadFont(font.id, font.file) ? 1 : 0;
  return loaded;
}

} // namespace plugin::ui
