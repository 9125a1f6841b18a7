#include "graphics/controls/IVColorSwatchControl.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

IVColorSwatchControl::IVColorSwatchControl(const IRECT& bounds, const char* label, ColorChangedFunc func,
                                           const IVStyle& style, int layout,
                                           const std::initializer_list<int>& colorIDs,
                                           const std::initializer_list<const char*>& labels)
    : IControl(bounds), IVectorBase(style, false, false), mColorChangedFunc(std::move(func)), mLayout(layout),
      mCellRects(colorIDs.size()), mColorIdForCells(colorIDs)
{
  for (const char* text : labels)
    mLabels.emplace_back(text ? text : "");
  mTextStyle = mStyle.valueText;
  mTextStyle.mAlign = EAlign::Far;
  mStyle.valueText.mAlign = EAlign::Far;
  AttachIControl(this, label);
}

IVColorSwatchControl::~IVColorSwatchControl() = default;

bool IVColorSwatchControl::CellHasColor(int i) const noexcept
{
  const int id = mColorIdForCells[static_cast<size_t>(i)];
  return id >= 0 && id < IVColorSpec::kNumColors;
}

void IVColorSwatchControl::OnResize()
{
  mHitRect = MakeRects(mBounds, true);
  mHovered = false;
  const int n = NCells();
  const int columns = mLayout == kHorizontal ? n : mLayout == kVertical ? 1 : 3;
  const int rows = mLayout == kHorizontal ? 1 : mLayout == kVertical ? n : 3;
  const IRECT& w = mWidgetBounds;
  for (int i = 0; i < n; ++i) {
    const int row = i / columns;
    const int column = i % columns;
    IRECT cell = w;
    if (row < rows) {
      const float cw = w.W() / static_cast<float>(columns);
      const float ch = w.H() / static_cast<float>(rows);
      cell =
          IRECT::MakeXYWH(w.L + static_cast<float>(column) * cw, w.T + static_cast<float>(row) * ch, cw, ch);
    }
    mCellRects[static_cast<size_t>(i)] = cell.GetPadded(-2.f);
  }
  SetDirty(false);
}

int IVColorSwatchControl::CellAt(float x, float y) const
{
  for (int i = 0; i < NCells(); ++i)
    if (mCellRects[static_cast<size_t>(i)].Contains(x, y)) return i;
  return -1;
}

void IVColorSwatchControl::Draw(ICanvas& g)
{
  DrawWidget(g);
  DrawLabel(g);
}

void IVColorSwatchControl::DrawWidget(ICanvas& g)
{
  for (int i = 0; i < NCells(); ++i) {
    if (!CellHasColor(i)) continue;
    const IRECT& cell = mCellRects[static_cast<size_t>(i)];
    const char* text = i < static_cast<int>(mLabels.size()) ? mLabels[static_cast<size_t>(i)].c_str() : "";
    IRECT swatch = cell;
    if (*text) swatch.L = cell.R - 0.25f * cell.W();
    g.FillRect(GetColor(static_cast<EVColor>(mColorIdForCells[static_cast<size_t>(i)])), swatch, GetBlend());
    g.DrawRect(i == mCellOver ? COLOR_GRAY : COLOR_DARK_GRAY, swatch.GetPadded(0.5f), GetBlend(), 1.f);
    g.DrawText(mStyle.valueText, text, IRECT(cell.L, cell.T, cell.L + 0.7f * cell.W(), cell.B), GetBlend());
  }
}

void IVColorSwatchControl::OnMouseOver(float x, float y, const IMouseMod&)
{
  mCellOver = CellAt(x, y);
  SetDirty(true);
}

void IVColorSwatchControl::OnMouseOut()
{
  mCellOver = -1;
  SetDirty(true);
}

void IVColorSwatchControl::OnMouseDown(float x, float y, const IMouseMod&)
{
  const int i = CellAt(x, y);
  if (i < 0 || !CellHasColor(i) || !mGraphicsContext) return;
  const EVColor role = static_cast<EVColor>(mColorIdForCells[static_cast<size_t>(i)]);
  IColor start = GetColor(role);
  mGraphicsContext->PromptForColor(start, "Choose a color", [this, i, role](const IColor& color) {
    mStyle.colorSpec.SetColor(role, color);
    SetDirty(false);
    if (mColorChangedFunc) mColorChangedFunc(i, color);
  });
}

} // namespace plugin::ui
