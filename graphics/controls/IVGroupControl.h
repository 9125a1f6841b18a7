#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/control/IContainerBase.h"
#include "graphics/control/IVectorBase.h"

namespace plugin::ui {

// A labelled frame around a group of controls: a rounded outline in the frame colour, open on
// the top edge where the label sits. Built around a rectangle, or around every control of a
// named group (the union of their bounds plus padding, computed when attached). It ignores the
// mouse. Main thread only.
class IVGroupControl : public IContainerBase, public IVectorBase
{
public:
  // Around bounds; the label starts labelOffset in from the left corner.
  IVGroupControl(const IRECT& bounds, const char* label = "", float labelOffset = 10.f,
                 const IVStyle& style = DEFAULT_STYLE, AttachFunc attachFunc = nullptr,
                 ResizeFunc resizeFunc = nullptr);
  // Around the controls of groupName, padded on each side.
  IVGroupControl(const char* label, const char* groupName, float padL = 0.f, float padT = 0.f,
                 float padR = 0.f, float padB = 0.f, const IVStyle& style = DEFAULT_STYLE);
  ~IVGroupControl() override;

  // With a group name: the bounds from the group. Attaching.
  void OnInit() override;
  // The container's resize function, then label and outline rectangles; redraw. Attaching and resizes.
  void OnResize() override;
  // The label, then the outline. Frame loop.
  void Draw(ICanvas& g) override;
  // The outline. Frame loop; no allocation.
  void DrawWidget(ICanvas& g) override;

  // Bounds: the union of the (non-empty) bounds of every other control of groupName, padded;
  // stores the name and padding, then OnResize. Nothing is visited before attaching.
  void SetBoundsBasedOnGroup(const char* groupName, float padL, float padT, float padR, float padB);
  const char* GetGroupName() const noexcept { return mGroupName.Get(); }

protected:
  // Corner radius of the outline.
  float CornerRadius() const noexcept;

  StringBuf mGroupName;
  float mPadL = 0.f;
  float mPadT = 0.f;
  float mPadR = 0.f;
  float mPadB = 0.f;
  float mLabelOffset;
  float mLabelPadding = 10.f;
};

} // namespace plugin::ui
