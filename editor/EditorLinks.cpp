#include "editor/EditorLinks.h"

#include "editor/EditorAttach.h"
#include "editor/InfoMenu.h"
#include "graphics/controls/IURLControl.h"

namespace plugin::ui {

void AttachEditorLinks(ICanvas& ui)
{
  static constexpr struct
  {
    IRECT rect;
    const char* url;
  } kLinks[] = {
      {{333.f, 484.f, 572.f, 491.f}, kProductPageURL},
      {{406.f, 72.f, 496.f, 83.f}, kMakerHomePageURL},
      {{746.f, 484.f, 860.f, 491.f}, kManualURL},
  };
  for (const auto& link : kLinks)
    AttachToEditor(ui, new IURLControl(link.rect, "", link.url, DEFAULT_TEXT, COLOR_TRANSPARENT,
                                       IColor(255, 255, 255, 255), IColor(255, 0, 0, 255)));
}

} // namespace plugin::ui
