#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/control/ISwitchControlBase.h"
#include "graphics/control/IVectorBase.h"
#include "graphics/values/EDirection.h"

#include <memory>
#include <vector>

namespace plugin::ui {

// Where a button sits in a row or column of tabs; a single button is the End.
enum class ETabSegment : int { Start = 0, Mid = 1, End = 2 };

// One button per state in a row (Horizontal) or a column (Vertical); a click selects the state of
// the button under the pointer. The texts are the given options, or the parameter's display texts
// when none were given. Main thread only.
class IVTabSwitchControl : public ISwitchControlBase, public IVectorBase
{
public:
  // Bound to paramIdx (-1: none), one state per option (null options are empty texts).
  IVTabSwitchControl(const IRECT& bounds, int paramIdx, const std::vector<const char*>& options = {},
                     const char* label = "", const IVStyle& style = DEFAULT_STYLE,
                     EVShape shape = EVShape::Rectangle, EDirection direction = EDirection::Horizontal);
  // Unbound with the given action.
  IVTabSwitchControl(const IRECT& bounds, IActionFunction action, const std::vector<const char*>& options,
                     const char* label = "", const IVStyle& style = DEFAULT_STYLE,
                     EVShape shape = EVShape::Rectangle, EDirection direction = EDirection::Horizontal);
  ~IVTabSwitchControl() override;

  // Selects the button under the pointer (state i of N is i / (N - 1); 0 with one state), then
  // sends the value and runs the action, also when no button was hit.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Tracks the hovered button; redraw.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  // Lays out label and widget and cuts the widget into one button per state.
  void OnResize() override;
  // State count from the parameter; its display texts and name when none were given.
  void OnInit() override;
  // The frame loop draws: background, label, buttons (no value text).
  void Draw(ICanvas& g) override;
  // A button holds the point.
  bool IsHit(float x, float y) const override;

  // Every button with its text. Frame loop.
  void DrawWidget(ICanvas& g) override;
  // One button by shape: the rounded variants round only the outer corners of the row. Frame loop.
  virtual void DrawButton(ICanvas& g, const IRECT& r, bool pressed, bool mouseOver, ETabSegment segment,
                          bool disabled);
  // A non-empty text centred in the button. Frame loop.
  virtual void DrawButtonText(ICanvas& g, const IRECT& r, bool pressed, bool mouseOver, ETabSegment segment,
                              bool disabled, const char* str);
  // The first button holding the point, -1 when none. Hit tests, hover and presses; no allocation.
  virtual int GetButtonForPoint(float x, float y) const;

  // The selected state of the current value.
  int GetSelectedIdx() const noexcept;
  int GetMouseOverButton() const noexcept { return mMouseOverButton; }
  int NButtons() const noexcept { return static_cast<int>(mButtons.size()); }
  const IRECT& GetButton(int i) const { return mButtons.at(static_cast<size_t>(i)); }
  int NTabLabels() const noexcept { return static_cast<int>(mTabLabels.size()); }
  // Text of state i; "" past the list.
  const char* GetTabLabel(int i) const noexcept;
  EDirection GetDirection() const noexcept { return mDirection; }

protected:
  int mMouseOverButton = -1;
  std::vector<IRECT> mButtons;
  std::vector<std::unique_ptr<StringBuf>> mTabLabels;
  EDirection mDirection;
};

} // namespace plugin::ui
