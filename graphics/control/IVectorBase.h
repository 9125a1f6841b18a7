#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/values/IBlend.h"
#include "graphics/values/IRECT.h"
#include "graphics/values/IVStyle.h"

namespace plugin::ui {

class ICanvas;
class IControl;

// Mix-in of every vector-drawn control: its style, label and value texts, the widget, label and
// value rectangles laid out from the style, the shape of its pressable part and the click splash.
// It draws the background, label, value and the pressable shapes (rectangle, ellipse, triangle) in
// their pressed, hovered and disabled looks. A vector control derives from IControl (or one of its
// interaction bases) and from this class, and sets mControl to itself in its constructor.
// Main thread only: drawing inside the frame loop, layout from the control's resize handler.
class IVectorBase
{
public:
  // Copies the style (through SetStyle); label and value rectangles may be the widget's own.
  explicit IVectorBase(const IVStyle& style, bool labelInWidget = false, bool valueInWidget = false);
  virtual ~IVectorBase();

  // Called after the style changed and when a splash starts. Base: nothing. Main thread.
  virtual void OnStyleChanged();
  // Replaces the whole style, then OnStyleChanged. Main thread; no allocation.
  virtual void SetStyle(const IVStyle& style);
  // Fills r in the background colour with the control's blend. Frame loop; no allocation.
  virtual void DrawBackground(ICanvas& g, const IRECT& r);
  // The derived control's own widget. Base: nothing. Frame loop.
  virtual void DrawWidget(ICanvas& g);
  // The label in its rectangle, when shown and the rectangle has height. Frame loop.
  virtual void DrawLabel(ICanvas& g);
  // A faint backing under the value while hovered, then the value text when shown. Frame loop.
  virtual void DrawValue(ICanvas& g, bool mouseOver);
  // Draws the pressable shape (rectangle variants, ellipse, triangle; others: nothing) and returns
  // its handle rectangle (the ellipse and unknown shapes return bounds). Frame loop.
  virtual IRECT DrawPressableShape(ICanvas& g, EVShape shape, const IRECT& bounds, bool pressed,
                                   bool mouseOver, bool disabled);

  // A rounded rectangle with shadow, face, hover, splash and frame; the chosen corners rounded.
  // Returns the handle rectangle.
  IRECT DrawPressableRectangle(ICanvas& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled,
                               bool roundTopLeft = true, bool roundTopRight = true,
                               bool roundBottomLeft = true, bool roundBottomRight = true);
  // An ellipse filling bounds with shadow, face, hover, splash and frame.
  void DrawPressableEllipse(ICanvas& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled);
  // A triangle pointing up at angle 0, turned clockwise by angleDegrees. Returns the handle rectangle.
  IRECT DrawPressableTriangle(ICanvas& g, const IRECT& bounds, bool pressed, bool mouseOver,
                              float angleDegrees, bool disabled);

  // Lays out the label, value and widget rectangles inside parent from the style and returns the
  // clickable area (parent less the label's room). The derived control's resize handler calls it.
  // A parent without area (zero, inverted or not finite) empties all three and returns empty.
  IRECT MakeRects(const IRECT& parent, bool hasHandle = false);

  // Binds the control this part belongs to and its label (null: none). Its constructor calls it.
  void AttachIControl(IControl* control, const char* label);
  // Sets the label or value text and marks the control dirty.
  void SetLabelStr(const char* str);
  void SetValueStr(const char* str);

  // The w x h box centred in r, w at least 1 and h = w when h is not positive. Layout helper.
  static IRECT CentredBox(const IRECT& r, float w, float h);
  // c with d = trunc(-0.25 x 255) added to red, green and blue (clamped) when disabled.
  static IColor Tinted(const IColor& c, bool disabled);

  const IVStyle& GetStyle() const noexcept { return mStyle; }
  const IColor& GetColor(EVColor role) const { return mStyle.colorSpec.GetColor(role); }
  const char* GetLabelStr() const noexcept { return mLabelStr.Get(); }
  const char* GetValueStr() const noexcept { return mValueStr.Get(); }
  const IRECT& GetWidgetBounds() const noexcept { return mWidgetBounds; }
  const IRECT& GetLabelBounds() const noexcept { return mLabelBounds; }
  const IRECT& GetValueBounds() const noexcept { return mValueBounds; }
  float GetSplashRadius() const noexcept { return mSplashRadius; }
  float GetMaxSplashRadius() const noexcept { return mMaxSplashRadius; }
  void GetSplashPoint(float& x, float& y) const noexcept
  {
    x = mSplashX;
    y = mSplashY;
  }
  // Used by the ready-made splash action and animation.
  void SetSplashPoint(float x, float y) noexcept
  {
    mSplashX = x;
    mSplashY = y;
  }
  void SetSplashRadius(float r) noexcept { mSplashRadius = r; }
  EVShape GetShape() const noexcept { return mShape; }
  void SetShape(EVShape shape) noexcept { mShape = shape; }

protected:
  // The control's blend, or null before a control is bound.
  const IBlend* ControlBlend() const;
  // The handle rectangle of bounds: half the frame inset, shadow room taken on left, right, bottom.
  IRECT HandleRect(const IRECT& bounds) const;
  // The splash circle while the control animates, clipped to clip (all zero: unclipped).
  void DrawSplash(ICanvas& g, const IRECT& clip);
  bool Animating() const;

  IControl* mControl = nullptr;
  IVStyle mStyle;
  bool mLabelInWidget;
  bool mValueInWidget;
  float mSplashRadius = 0.f;
  float mSplashX = 0.f;
  float mSplashY = 0.f;
  float mMaxSplashRadius = 50.f;
  float mTrackSize = 2.f;
  float mValueDisplayFrac = 0.66f;
  IRECT mWidgetBounds;
  IRECT mLabelBounds;
  IRECT mValueBounds;
  StringBuf mLabelStr;
  StringBuf mValueStr;
  EVShape mShape = EVShape::Rectangle;
};

} // namespace plugin::ui
