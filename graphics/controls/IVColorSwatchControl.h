#pragma once

#include "graphics/control/IControl.h"
#include "graphics/control/IVectorBase.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace plugin::ui {

// Cells showing colours of the control's own style, in a row, a column or a 3 x 3 grid, each
// with an optional label; clicking a cell opens the colour picker and the chosen colour replaces
// that style colour. No parameter. Main thread only.
class IVColorSwatchControl : public IControl, public IVectorBase
{
public:
  enum ECellLayout : int { kGrid = 0, kHorizontal = 1, kVertical = 2 };
  // Told the cell and the colour chosen for it. Main thread, from the colour picker's completion.
  using ColorChangedFunc = std::function<void(int cellIdx, const IColor& color)>;

  // One cell per listed style colour (EVColor index); labels[i] names cell i. Layout 1 is one
  // row, 2 one column, anything else the 3 x 3 grid.
  IVColorSwatchControl(const IRECT& bounds, const char* label = "", ColorChangedFunc func = nullptr,
                       const IVStyle& style = DEFAULT_STYLE, int layout = kGrid,
                       const std::initializer_list<int>& colorIDs = {0, 1, 2, 3, 4, 5, 6, 7, 8},
                       const std::initializer_list<const char*>& labels = {});
  ~IVColorSwatchControl() override;

  // --- Events (dispatch, main thread) ---

  // The colour picker for the cell under the pointer; nothing between cells.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // The cell under the pointer is outlined lighter; SetDirty with the action.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // No cell outlined lighter; SetDirty with the action.
  void OnMouseOut() override;
  // Label and widget rectangles, then the cells; redraw. Attaching and resizes.
  void OnResize() override;

  // --- Drawing (frame loop, no allocation) ---

  // Cells, then the label.
  void Draw(ICanvas& g) override;
  // Every cell: its swatch (the right quarter of a labelled cell) outlined, and its label.
  void DrawWidget(ICanvas& g) override;

  // The first cell containing the point, -1 when none.
  int CellAt(float x, float y) const;
  int NCells() const noexcept { return static_cast<int>(mColorIdForCells.size()); }
  const std::vector<IRECT>& GetCellRects() const noexcept { return mCellRects; }
  int GetCellOver() const noexcept { return mCellOver; }

protected:
  // The style colour cell i shows is a valid colour index.
  bool CellHasColor(int i) const noexcept;

  ColorChangedFunc mColorChangedFunc;
  int mCellOver = -1;
  int mLayout;
  std::vector<IRECT> mCellRects;
  std::vector<std::string> mLabels;
  std::vector<int> mColorIdForCells;
};

} // namespace plugin::ui
